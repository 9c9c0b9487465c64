// The skinned message box: its arithmetic, its size for one and several lines,
// its buttons by type, and the codes it ends with.
#include "DialogUnits.h"
#include "MessageBoxLayout.h"
#include "MyMessageBox.h"
#include "QtText.h"
#include "SkinInfo.h"
#include "SkinTestSupport.h"
#include "TestHome.h"

#include <QFontMetrics>
#include <QKeyEvent>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

namespace {

using Layout = CMessageBoxLayout;

TEST(DialogUnits, ConvertWithTheDialogFontsAverageCharacter)
{
    EXPECT_EQ(CDialogUnits::ToPixels(QSize(50, 11)), QSize(75, 18));
    EXPECT_EQ(CDialogUnits::ToPixels(QSize(186, 90)), QSize(279, 146));
    EXPECT_EQ(CDialogUnits::ToPixels(QRect(39, 72, 50, 11)), QRect(59, 117, 75, 18));
    EXPECT_EQ(MulDiv(-5, 6, 4), -8);
    EXPECT_EQ(MulDiv(5, 6, 0), 0);
}

TEST(MessageBoxLayout, TypesChooseTheirButtons)
{
    EXPECT_EQ(Layout::ButtonsForType(0), (std::vector<int>{1}));
    EXPECT_EQ(Layout::ButtonsForType(1), (std::vector<int>{1, 2}));
    EXPECT_EQ(Layout::ButtonsForType(4), (std::vector<int>{6, 7}));
    EXPECT_EQ(Layout::ButtonsForType(3), (std::vector<int>{1, 2}));
}

TEST(MessageBoxLayout, ButtonsAreCentredOrTheBoxWidens)
{
    EXPECT_EQ(Layout::WindowSizeForText(QSize(200, 13), 18), QSize(240, 101));
    QSize wide(300, 100);
    const auto centred = Layout::PlaceButtons(wide, {QSize(75, 18), QSize(75, 18)});
    EXPECT_EQ(wide.width(), 300);
    EXPECT_EQ(centred[0], QRect(70, 72, 75, 18));
    EXPECT_EQ(centred[1], QRect(155, 72, 75, 18));
    QSize narrow(100, 100);
    const auto widened = Layout::PlaceButtons(narrow, {QSize(75, 18), QSize(75, 18)});
    EXPECT_EQ(narrow.width(), 180);
    EXPECT_EQ(widened[0].left(), 10);
    EXPECT_EQ(widened[1].left(), 95);
    QSize exact(180, 100);
    EXPECT_EQ(Layout::PlaceButtons(exact, {QSize(75, 18), QSize(75, 18)})[0].left(), 10);
    EXPECT_EQ(exact.width(), 180);
}

class MessageBoxTest : public CQtTest
{
protected:
    void SetUp() override
    {
        EnsureApplication();
        g_strPath = PathText(m_home.Root());
    }
    void TearDown() override { g_strPath.Empty(); }

    static QSize TextSize(const CMyMessageBox& box, const char* pText)
    {
        return QFontMetrics(box.GetMessageControl().font())
            .boundingRect(QRect(0, 0, 0, 0), Qt::AlignLeft, QString::fromUtf8(pText))
            .size();
    }
    static bool Shown(CMyMessageBox& box, int nId) { return !box.GetButton(nId)->isHidden(); }
    // Runs the box and does pAction once its loop runs; the result code.
    static int RunWith(CMyMessageBox& box, std::function<void()> action)
    {
        QTimer::singleShot(0, &box, std::move(action));
        return box.DoModal();
    }

    CTestHome m_home;
};

TEST_F(MessageBoxTest, OneLineBoxIsSizedToItsText)
{
    const char* pText = "The Station Was Pre-Set Successfully";
    CMyMessageBox box(pText, 0);
    const QSize text = TextSize(box, pText);
    EXPECT_EQ(box.windowTitle(), "Kestova");
    EXPECT_EQ(box.size(), Layout::ClientSizeForText(text, 18));
    EXPECT_EQ(box.width(), text.width() + 40 - Layout::kFrameWidth);
    EXPECT_EQ(box.GetMessageControl().geometry(), QRect(QPoint(20, 10), text));
    EXPECT_TRUE(Shown(box, 1));
    EXPECT_FALSE(Shown(box, 2) || Shown(box, 6) || Shown(box, 7));
    const QRect ok = box.GetButton(1)->geometry();
    EXPECT_EQ(ok.size(), QSize(75, 18));
    EXPECT_EQ(ok.bottom() + 1, box.height() - 10);
    EXPECT_EQ(ok.left(), (box.width() - 75) / 2);
}

TEST_F(MessageBoxTest, ShortQuestionWidensForYesAndNo)
{
    CMyMessageBox box("Sure?", 4);
    EXPECT_EQ(box.width(), 75 + 10 + 75 + 20);
    EXPECT_TRUE(Shown(box, 6) && Shown(box, 7));
    EXPECT_FALSE(Shown(box, 1) || Shown(box, 2));
    EXPECT_EQ(box.GetButton(6)->geometry().left(), 10);
    EXPECT_EQ(box.GetButton(7)->geometry().left(), 95);
}

TEST_F(MessageBoxTest, OkCancelSitsSideBySide)
{
    CMyMessageBox box("A rather longer notice that leaves room for both buttons", 1);
    const QRect ok = box.GetButton(1)->geometry();
    const QRect cancel = box.GetButton(2)->geometry();
    EXPECT_EQ(cancel.left(), ok.right() + 1 + 10);
    EXPECT_EQ(ok.top(), cancel.top());
    EXPECT_EQ(ok.left(), (box.width() - 160) / 2);
}

TEST_F(MessageBoxTest, EachLineBreakAddsALine)
{
    CMyMessageBox one("This Button Is Not Pre-Set Yet.", 0);
    CMyMessageBox four("This Button Is Not Pre-Set Yet.\nSelect A Station From The List\nAnd Then Click The "
                       "Upper Button.\nThanks",
                       0);
    const int nLine = TextSize(one, "X\nX").height() - TextSize(one, "X").height();
    EXPECT_NEAR(four.height() - one.height(), 3 * nLine, 1);
    const QRect ok = four.GetButton(1)->geometry();
    EXPECT_EQ(ok.bottom() + 1, four.height() - 10);
    EXPECT_GE(ok.top(), four.GetMessageControl().geometry().bottom());
}

TEST_F(MessageBoxTest, TextIsNeverMarkup)
{
    CMyMessageBox box("<b>bold</b> & <a href='x'>link</a>", 0);
    EXPECT_EQ(box.GetMessageControl().textFormat(), Qt::PlainText);
    EXPECT_EQ(box.GetMessageControl().text(), "<b>bold</b> & <a href='x'>link</a>");
}

struct ResultCase
{
    const char* pName;
    unsigned uType;
    std::function<void(CMyMessageBox&)> action;
    int nExpected;
};

std::ostream& operator<<(std::ostream& stream, const ResultCase& result)
{
    return stream << result.pName;
}

class MessageBoxResult : public MessageBoxTest, public ::testing::WithParamInterface<ResultCase>
{
};

TEST_P(MessageBoxResult, EndsWithTheButtonsCode)
{
    const ResultCase& result = GetParam();
    CMyMessageBox box("Question?", result.uType);
    EXPECT_EQ(RunWith(box, [&box, &result] { result.action(box); }), result.nExpected);
}

void Click(CMyMessageBox& box, int nId)
{
    CMyOwnButton* pButton = box.GetButton(nId);
    Press(*pButton, QPoint(5, 5));
    Release(*pButton, QPoint(5, 5));
}

void Key(CMyMessageBox& box, int nKey)
{
    QKeyEvent press(QEvent::KeyPress, nKey, Qt::NoModifier);
    QApplication::sendEvent(&box, &press);
}

INSTANTIATE_TEST_SUITE_P(
    Table, MessageBoxResult,
    ::testing::Values(ResultCase{"Ok", 0, [](CMyMessageBox& box) { Click(box, 1); }, 1},
                      ResultCase{"Cancel", 1, [](CMyMessageBox& box) { Click(box, 2); }, 2},
                      ResultCase{"Yes", 4, [](CMyMessageBox& box) { Click(box, 6); }, 6},
                      ResultCase{"No", 4, [](CMyMessageBox& box) { Click(box, 7); }, 7},
                      ResultCase{"ClosedYesNo", 4, [](CMyMessageBox& box) { box.close(); }, 2},
                      ResultCase{"ClosedOk", 0, [](CMyMessageBox& box) { box.close(); }, 2},
                      ResultCase{"Escape", 4, [](CMyMessageBox& box) { Key(box, Qt::Key_Escape); }, 2},
                      ResultCase{"ReturnIsOk", 1, [](CMyMessageBox& box) { Key(box, Qt::Key_Return); }, 1}),
    [](const ::testing::TestParamInfo<ResultCase>& info) { return std::string(info.param.pName); });

TEST_F(MessageBoxTest, ReturnDoesNotAnswerAQuestion)
{
    CMyMessageBox box("Replace it?", 4);
    const int nResult = RunWith(box, [&box] {
        Key(box, Qt::Key_Return);
        if (box.isVisible())
            Click(box, 7);
    });
    EXPECT_EQ(nResult, 7);
}

TEST_F(MessageBoxTest, BackgroundIsTheDialogGradient)
{
    CTestHome::WriteFile(m_home.Root() / "res" / "Skin" / "SkinInfo.xml",
                         "<SKIN_INFO><COLORS><T>255,0,0</T><B>0,0,255</B></COLORS><DIALOGS><GRADIENT_TOP>T"
                         "</GRADIENT_TOP><GRADIENT_BOTTOM>B</GRADIENT_BOTTOM></DIALOGS></SKIN_INFO>");
    CMyMessageBox box("Notice", 0);
    const QImage image = RenderWidget(box);
    EXPECT_GT(qRed(image.pixel(2, 1)), 240);
    EXPECT_GT(qBlue(image.pixel(2, box.height() - 2)), 240);
}

} // namespace
