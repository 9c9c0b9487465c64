// The owner-drawn menu: accelerator texts, how entries are measured and
// stacked into columns, what the menu looks like, and tracking it with the
// mouse and the keyboard.
#include "MenuXP.h"

#include "ColourConvert.h"
#include "KeyHelper.h"
#include "MenuXPLayout.h"
#include "MenuXPSeparator.h"
#include "MenuXPSideBar.h"
#include "MenuXPText.h"
#include "MenuXPWindow.h"
#include "SkinFont.h"
#include "SkinInfo.h"
#include "SkinTestSupport.h"
#include "SystemColour.h"
#include "TestHome.h"

#include <QFontMetrics>
#include <QKeyEvent>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

namespace {

TEST(KeyHelper, ModifiersInOrderThenTheKeyName)
{
    struct Case
    {
        ACCEL accel;
        const char* pExpected;
    };
    const Case cases[] = {
        {{FCONTROL | FSHIFT | FVIRTKEY, 0x74, 1}, "Ctrl+Shift+F5"},
        {{FALT | FSHIFT | FCONTROL | FVIRTKEY, 0x2E, 1}, "Ctrl+Shift+Alt+Del"},
        {{FALT | FVIRTKEY, 'A', 1}, "Alt+A"},
        {{FVIRTKEY, 0x0D, 1}, "Enter"},
        {{FVIRTKEY, 0x87, 1}, "F24"},
        {{FCONTROL | FVIRTKEY, 0xFF, 1}, "Ctrl+"}, // no such key
        {{0, 'x', 1}, "x"},                        // a character accelerator
        {{FCONTROL, 27, 1}, "Ctrl+"},              // the Escape character is not shown
    };
    for (const Case& c : cases) {
        CMyString strText("old text");
        CBCGKeyHelper::Format(c.accel, strText);
        EXPECT_STREQ(strText.GetText(), c.pExpected);
    }
}

TEST(MenuXPLayout, EntrySizes)
{
    EXPECT_EQ(CMenuXPLayout::TextItemSize(QSize(50, 14), 16), QSize(94, 20));
    EXPECT_EQ(CMenuXPLayout::TextItemSize(QSize(50, 25), 16), QSize(94, 25));
    EXPECT_EQ(CMenuXPLayout::SeparatorSize(), QSize(0, 9));
    EXPECT_EQ(CMenuXPLayout::SideBarSize(16), QSize(16, 0));
}

TEST(MenuXPLayout, BreaksStartColumnsAndEveryEntryTakesItsColumnsWidth)
{
    CMenuXPLayout layout;
    layout.Arrange({{QSize(16, 0)},
                    {QSize(60, 20), true, false},
                    {QSize(0, 9)},
                    {QSize(80, 20)},
                    {QSize(30, 20), false, true}});
    const int nFrame = CMenuXPLayout::kFrame;
    const int nGap = CMenuXPLayout::kColumnGap;
    const std::vector<QRect>& rects = layout.GetItemRects();
    ASSERT_EQ(rects.size(), 5u);
    EXPECT_EQ(rects[0], QRect(nFrame, nFrame, 16, 0));
    const int nSecond = nFrame + 16 + nGap;
    EXPECT_EQ(rects[1], QRect(nSecond, nFrame, 80, 20));
    EXPECT_EQ(rects[2], QRect(nSecond, nFrame + 20, 80, 9));
    EXPECT_EQ(rects[3], QRect(nSecond, nFrame + 29, 80, 20));
    const int nThird = nSecond + 80 + nGap;
    EXPECT_EQ(rects[4], QRect(nThird, nFrame, 30, 20));
    EXPECT_EQ(layout.GetSize(), QSize(nThird + 30 + nFrame, nFrame + 49 + nFrame));
    EXPECT_EQ(layout.GetBarLines().size(), 1u);
}

class MenuXPTest : public CQtTest
{
protected:
    MenuXPTest()
    {
        g_strPath = PathText(SourceRoot());
        m_skin = GetSkinInfo();
    }

    // The search bar's menu: a side bar, then the given texts (a null text
    // makes a separator).
    void Fill(CMenuXP& menu, std::initializer_list<const char*> texts,
              const CMyString& strPicture = CMyString())
    {
        menu.SetMenuStyle(1);
        menu.AddSideBar(new CMenuXPSideBar(16));
        int nId = 1;
        for (const char* pText : texts) {
            if (pText == nullptr)
                menu.AppendSeparator();
            else
                menu.AppendItem(0, new CMenuXPText(nId, pText, QIcon(), strPicture));
            ++nId;
        }
    }

    static QImage Render(CMenuXPWindow& window) { return RenderWidget(window); }

    static QColor Colour(COLORREF cr) { return ToQColor(cr); }

    // Pixels within rect that differ from the background: the ink of text.
    static int CountInk(const QImage& image, const QRect& rect, QColor background)
    {
        int nCount = 0;
        for (int y = rect.top(); y <= rect.bottom(); ++y)
            for (int x = rect.left(); x <= rect.right(); ++x)
                nCount += QColor(image.pixel(x, y)) != background ? 1 : 0;
        return nCount;
    }

    // Runs action on the menu window once it is up, from inside its modal loop.
    static void WhenShown(std::function<void(CMenuXPWindow&)> action)
    {
        QTimer::singleShot(0, [action] {
            for (QWidget* pWidget : QApplication::topLevelWidgets()) {
                auto* pWindow = dynamic_cast<CMenuXPWindow*>(pWidget);
                if (pWindow != nullptr && pWindow->isVisible()) {
                    action(*pWindow);
                    return;
                }
            }
            ADD_FAILURE() << "no menu is shown";
        });
    }

    static void Click(CMenuXPWindow& window, QPoint pos)
    {
        SendMouse(window, QEvent::MouseMove, pos, Qt::NoButton, Qt::NoButton);
        SendMouse(window, QEvent::MouseButtonPress, pos, Qt::LeftButton, Qt::LeftButton);
        SendMouse(window, QEvent::MouseButtonRelease, pos, Qt::LeftButton, Qt::NoButton);
    }

    static void Key(CMenuXPWindow& window, int nKey)
    {
        QKeyEvent event(QEvent::KeyPress, nKey, Qt::NoModifier);
        QApplication::sendEvent(&window, &event);
    }

    CTestHome m_home;
    CSkinInfo m_skin;
};

TEST_F(MenuXPTest, SideBarStartsTheColumnOfTheEntriesAndSeparatorsClearThePendingBreak)
{
    CMenuXP menu;
    Fill(menu, {"Alpha", "Beta"});
    ASSERT_EQ(menu.GetMenuItemCount(), 3);
    EXPECT_EQ(menu.GetEntry(0).uFlags, CMenuXP::kOwnerDraw | CMenuXP::kSeparator);
    EXPECT_TRUE(menu.GetEntry(1).uFlags & CMenuXP::kMenuBreak);
    EXPECT_FALSE(menu.GetEntry(2).uFlags & CMenuXP::kMenuBreak);

    CMenuXP other;
    other.AddSideBar(new CMenuXPSideBar(16));
    other.AppendSeparator();
    other.AppendItem(0, new CMenuXPText(1, "Alpha"));
    EXPECT_FALSE(other.GetEntry(1).uFlags & CMenuXP::kMenuBreak);
    EXPECT_FALSE(other.GetEntry(2).uFlags & CMenuXP::kMenuBreak);
}

TEST_F(MenuXPTest, AcceleratorIsAppendedAfterATab)
{
    CMenuXP menu;
    const ACCEL accel{FCONTROL | FVIRTKEY, 'O', 7};
    menu.AppendItem(0, new CMenuXPText(7, "Open"), &accel);
    EXPECT_STREQ(menu.GetEntry(0).pItem->m_strText.GetText(), "Open\tCtrl+O");
    EXPECT_FALSE(menu.AppendItem(0, nullptr));
}

TEST_F(MenuXPTest, EntriesAreMeasuredByKind)
{
    CMenuXP menu;
    Fill(menu, {"Alpha", nullptr});
    menu.AppendMenu(0, 9, "Plain");
    const QFont bold = MakeSkinFont("Arial", -12, 700);
    EXPECT_EQ(menu.MeasureItem(menu.GetEntry(0)), QSize(16, 0));
    EXPECT_EQ(menu.MeasureItem(menu.GetEntry(1)), QSize(44 + QFontMetrics(bold).horizontalAdvance("Alpha"),
                                                        std::max(20, QFontMetrics(bold).height())));
    EXPECT_EQ(menu.MeasureItem(menu.GetEntry(2)), QSize(0, 9));
    // An entry without the signature is measured the plain way.
    const QSize plain = menu.MeasureItem(menu.GetEntry(3));
    EXPECT_EQ(plain.width(), QFontMetrics(menu.GetFont()).horizontalAdvance("Plain") + 40);
}

TEST_F(MenuXPTest, DefaultEntryIsFoundByCommand)
{
    CMenuXP menu;
    Fill(menu, {"Alpha", nullptr, "Beta"});
    EXPECT_TRUE(menu.SetDefaultItem(3));
    EXPECT_EQ(menu.GetDefaultItem(), 3);
    EXPECT_EQ(menu.StateOf(3, false), CMenuXP::kStateDefault);
    EXPECT_FALSE(menu.SetDefaultItem(42));
    EXPECT_EQ(menu.GetDefaultItem(), -1);
}

TEST_F(MenuXPTest, LooksLikeTheSkinsMenu)
{
    WriteSolidGif(m_home.Root() / "red.gif", 16, 16, qRgb(255, 0, 0));
    CMenuXP menu;
    Fill(menu, {"Alpha", nullptr, "Beta"});
    menu.AppendItem(0, new CMenuXPText(4, "Pictured", QIcon(), PathText(m_home.Root() / "red.gif")));
    CMenuXPWindow window(menu, nullptr);
    const QImage image = Render(window);
    const QRect client(CMenuXPLayout::kFrame, CMenuXPLayout::kFrame,
                       window.width() - 2 * CMenuXPLayout::kFrame,
                       window.height() - 2 * CMenuXPLayout::kFrame);

    // The side bar runs the menu's full height, over the gap to the entries.
    const int nBarX = window.GetItemRect(0).left();
    const QColor top(image.pixel(nBarX + 4, client.top()));
    const QColor bottom(image.pixel(nBarX + 4, client.bottom()));
    EXPECT_LE(std::abs(top.blue() - Colour(m_skin.m_crSideBarTop).blue()), 8);
    EXPECT_LE(std::abs(bottom.blue() - Colour(m_skin.m_crSideBarBottom).blue()), 8);
    EXPECT_NE(QColor(image.pixel(nBarX + 16 + CMenuXPLayout::kColumnGap - 1, client.center().y())),
              Colour(m_skin.m_crMenuBg));

    // Entries on the menu background; a separator is an etched line in it.
    const QRect alpha = window.GetItemRect(1);
    EXPECT_EQ(QColor(image.pixel(alpha.right() - 2, alpha.top() + 1)), Colour(m_skin.m_crMenuBg));
    const QRect separator = window.GetItemRect(2);
    EXPECT_EQ(separator.height(), 9);
    const int nLineY = separator.top() + separator.height() / 2 - 1;
    EXPECT_NE(QColor(image.pixel(separator.center().x(), nLineY)), Colour(m_skin.m_crMenuBg));
    EXPECT_NE(QColor(image.pixel(separator.center().x(), nLineY + 1)), Colour(m_skin.m_crMenuBg));
    EXPECT_EQ(QColor(image.pixel(separator.center().x(), separator.top())), Colour(m_skin.m_crMenuBg));

    // The picture fills its square less two pixels; an empty path leaves the square empty.
    const QRect pictured = window.GetItemRect(4);
    EXPECT_EQ(QColor(image.pixel(pictured.left() + pictured.height() / 2, pictured.center().y())),
              QColor(255, 0, 0));
    EXPECT_EQ(QColor(image.pixel(pictured.left() + 1, pictured.center().y())), Colour(m_skin.m_crMenuBg));
    EXPECT_EQ(QColor(image.pixel(alpha.left() + alpha.height() / 2, alpha.center().y())),
              Colour(m_skin.m_crMenuBg));
}

TEST_F(MenuXPTest, SelectionDefaultAndAcceleratorAreDrawnAsTheirStatesAsk)
{
    CMenuXP menu;
    Fill(menu, {"Alpha", "Alpha"});
    const ACCEL accel{FCONTROL | FVIRTKEY, 'O', 3};
    menu.AppendItem(0, new CMenuXPText(3, "Alpha"), &accel);
    menu.SetDefaultItem(2);
    CMenuXPWindow window(menu, nullptr);
    SendMouse(window, QEvent::MouseMove, window.GetItemRect(3).center(), Qt::NoButton, Qt::NoButton);
    ASSERT_EQ(window.GetSelectedIndex(), 3);
    const QImage image = Render(window);
    const QColor background = Colour(m_skin.m_crMenuBg);

    // The default entry is bold: more ink for the same caption.
    const QRect plain = window.GetItemRect(1);
    const QRect bold = window.GetItemRect(2);
    EXPECT_GT(CountInk(image, bold, background), CountInk(image, plain, background));

    // The selected entry has the selected colours, with its accelerator at
    // the right of the text space (16 pixels short of the right edge).
    const QRect selected = window.GetItemRect(3);
    const QColor selectedBackground = Colour(m_skin.m_crMenuSelectedBg);
    EXPECT_EQ(QColor(image.pixel(selected.right() - 2, selected.top() + 1)), selectedBackground);
    const QRect rightPart(selected.right() - 16 - 30, selected.top(), 30, selected.height());
    EXPECT_GT(CountInk(image, rightPart, selectedBackground), 20);
    EXPECT_EQ(CountInk(image, rightPart.translated(0, plain.top() - selected.top()), background), 0);
    EXPECT_EQ(CountInk(image, QRect(selected.right() - 14, selected.top(), 15, selected.height()),
                       selectedBackground),
              0);
}

TEST_F(MenuXPTest, EntriesWithoutTheSignatureAreDrawnThePlainWay)
{
    CMenuXP menu;
    menu.SetMenuStyle(1);
    auto* pForeign = new CMenuXPText(5, "Foreign");
    pForeign->m_uSignature = 0;
    menu.AppendItem(0, pForeign);
    menu.AppendMenu(0, 6, "Plain");
    CMenuXPWindow window(menu, nullptr);
    const QImage image = Render(window);
    for (int i : {0, 1}) {
        const QRect rect = window.GetItemRect(i);
        EXPECT_EQ(QColor(image.pixel(rect.right() - 2, rect.top() + 1)), Colour(GetSysColor(COLOR_MENU)))
            << i;
    }
}

TEST_F(MenuXPTest, ClickOnAnEntryChoosesItsCommand)
{
    CMenuXP menu;
    Fill(menu, {"Alpha", nullptr, "Beta"});
    WhenShown([](CMenuXPWindow& window) { Click(window, window.GetItemRect(3).center()); });
    EXPECT_EQ(menu.TrackPopupMenu(QPoint(40, 40), nullptr), 3);
}

TEST_F(MenuXPTest, SeparatorsSideBarAndGrayedEntriesCannotBeChosen)
{
    CMenuXP menu;
    Fill(menu, {"Alpha", nullptr});
    menu.AppendItem(CMenuXP::kGrayed, new CMenuXPText(9, "Grayed"));
    WhenShown([](CMenuXPWindow& window) {
        for (int i : {0, 2, 3})
            Click(window, window.GetItemRect(i).center() + QPoint(0, i == 0 ? 5 : 0));
        EXPECT_TRUE(window.isVisible());
        Key(window, Qt::Key_Escape);
    });
    EXPECT_EQ(menu.TrackPopupMenu(QPoint(40, 40), nullptr), 0);
}

TEST_F(MenuXPTest, PressOutsideDismissesTheMenu)
{
    CMenuXP menu;
    Fill(menu, {"Alpha"});
    WhenShown([](CMenuXPWindow& window) {
        SendMouse(window, QEvent::MouseButtonPress, QPoint(-20, -20), Qt::LeftButton, Qt::LeftButton);
    });
    EXPECT_EQ(menu.TrackPopupMenu(QPoint(40, 40), nullptr), 0);
}

TEST_F(MenuXPTest, ArrowKeysSkipSeparatorsAndEnterChooses)
{
    CMenuXP menu;
    Fill(menu, {"Alpha", nullptr, "Beta"});
    WhenShown([](CMenuXPWindow& window) {
        Key(window, Qt::Key_Down);
        Key(window, Qt::Key_Down);
        EXPECT_EQ(window.GetSelectedIndex(), 3);
        Key(window, Qt::Key_Down); // wraps round to the first entry
        Key(window, Qt::Key_Up);
        Key(window, Qt::Key_Return);
    });
    EXPECT_EQ(menu.TrackPopupMenu(QPoint(40, 40), nullptr), 3);
}

} // namespace
