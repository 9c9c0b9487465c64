// The search bar on a stand-in main frame: what each action posts to the
// frame, the click rules, the engine menu, the layout, the caption behaviour
// and the update notice.
#include "ListFiles.h"
#include "LocalHttpServer.h"
#include "MenuXP.h"
#include "MenuXPWindow.h"
#include "MessageMap.h"
#include "Messages.h"
#include "MyDlgBar.h"
#include "QtText.h"
#include "SearchBarLayout.h"
#include "SearchMessages.h"
#include "Settings.h"
#include "SkinFont.h"
#include "SkinInfo.h"
#include "SkinTestSupport.h"
#include "TestHome.h"

#include <QElapsedTimer>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <thread>

namespace {

// One post of the bar: the code and the text it carried (none for lParam 0).
struct Post
{
    uintptr_t uCode;
    std::optional<std::string> text;
    bool operator==(const Post& other) const { return uCode == other.uCode && text == other.text; }
};

std::ostream& operator<<(std::ostream& stream, const Post& post)
{
    return stream << post.uCode << " " << (post.text ? *post.text : "(none)");
}

// The main frame's side: records what the bar posts and frees the texts, as
// the frame does.
class CStandInFrame : public QWidget
{
public:
    CStandInFrame()
    {
        m_map.Add(RegisterWindowMessage(kMessageFromDlg), [this](uintptr_t wParam, intptr_t lParam) {
            auto* pText = reinterpret_cast<CMyString*>(lParam);
            m_posts.push_back({wParam, pText ? std::optional<std::string>(pText->GetText()) : std::nullopt});
            delete pText;
            return 0;
        });
    }
    bool event(QEvent* pEvent) override { return m_map.Dispatch(pEvent) || QWidget::event(pEvent); }

    // The posts so far, after delivering whatever is queued; then forgets them.
    std::vector<Post> TakePosts()
    {
        QCoreApplication::sendPostedEvents();
        std::vector<Post> posts;
        posts.swap(m_posts);
        return posts;
    }

private:
    CMessageMap m_map;
    std::vector<Post> m_posts;
};

const char kAlphaQuery[] = "https://alpha.example/?q=";

std::string SettingsFile(const std::string& strAlphaCaption)
{
    return "<SEARCH_SETTINGS><VERSION>1.0</VERSION><LIST_OF_SEARCH_ENGINES>"
           "<SEARCH_ENGINE><CAPTION>" +
           strAlphaCaption +
           "</CAPTION><PREFIX>https://alpha.example/?q=TERM</PREFIX>"
           "<SEARCH_TERM_TO_REPLACE>TERM</SEARCH_TERM_TO_REPLACE></SEARCH_ENGINE>"
           "<SEPARATOR/>"
           "<SEARCH_ENGINE><CAPTION>Beta</CAPTION><PREFIX>https://beta.example/s/TERM</PREFIX>"
           "<SEARCH_TERM_TO_REPLACE>TERM</SEARCH_TERM_TO_REPLACE>"
           "<EMPTY_SEARCH_URL>https://beta.example/</EMPTY_SEARCH_URL></SEARCH_ENGINE>"
           "</LIST_OF_SEARCH_ENGINES></SEARCH_SETTINGS>";
}

class SearchBarTest : public CQtTest
{
protected:
    SearchBarTest()
    {
        g_strPath = PathText(SourceRoot());
        GetSkinInfo();
    }

    // Makes the bar on the frame, with the engines file written first.
    CMyDlgBar& MakeBar(const std::string& strAlphaCaption = "Alpha")
    {
        WriteScrambledFile(m_home.Data() / "Kestova" / "res" / "SearchSettings.txt",
                           SettingsFile(strAlphaCaption));
        m_frame.resize(1010, 640);
        m_pBar = std::make_unique<CMyDlgBar>();
        EXPECT_TRUE(m_pBar->Create(&m_frame, CMyDlgBar::kTemplateId, 0x50002834, 59393));
        m_pBar->resize(1010, m_pBar->height());
        m_pBar->SetTickSource([this] { return m_uTick; });
        m_frame.show();
        return *m_pBar;
    }

    void Type(const char* pText) { m_pBar->GetEditBox().setText(QString::fromUtf8(pText)); }

    void KeyOnEdit(QEvent::Type type)
    {
        QKeyEvent event(type, Qt::Key_Return, Qt::NoModifier, "\r");
        QApplication::sendEvent(&m_pBar->GetEditBox(), &event);
    }

    void Click(QWidget& widget, QPoint pos)
    {
        Press(widget, pos);
        Release(widget, pos);
    }

    // A click on the caption part of the search button.
    void ClickSearchButton() { Click(m_pBar->GetSearchButton(), QPoint(10, 10)); }

    // Opens the engine menu with a press on the search button's arrow part
    // and lets action choose in it.
    void UseEngineMenu(std::function<void(CMenuXPWindow&)> action)
    {
        QTimer::singleShot(0, [action] {
            for (QWidget* pWidget : QApplication::topLevelWidgets()) {
                auto* pWindow = dynamic_cast<CMenuXPWindow*>(pWidget);
                if (pWindow != nullptr && pWindow->isVisible()) {
                    action(*pWindow);
                    return;
                }
            }
            ADD_FAILURE() << "the engine menu did not open";
        });
        CMyOwnButton& button = m_pBar->GetSearchButton();
        Press(button, QPoint(button.width() - 5, button.height() / 2));
    }

    static void ChooseCommand(CMenuXPWindow& window, int nCommand)
    {
        const QPoint pos = window.GetItemRect(window.GetMenu().FindCommand(nCommand)).center();
        SendMouse(window, QEvent::MouseMove, pos, Qt::NoButton, Qt::NoButton);
        SendMouse(window, QEvent::MouseButtonRelease, pos, Qt::LeftButton, Qt::NoButton);
    }

    static void Dismiss(CMenuXPWindow& window)
    {
        QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QApplication::sendEvent(&window, &escape);
    }

    void ChooseEngine(int nCommand)
    {
        m_uTick += 1000;
        UseEngineMenu([nCommand](CMenuXPWindow& window) { ChooseCommand(window, nCommand); });
    }

    static int RightOf(const QWidget& widget) { return widget.x() + widget.width(); }

    CTestHome m_home;
    CStandInFrame m_frame;
    std::unique_ptr<CMyDlgBar> m_pBar;
    uint32_t m_uTick = 100000;
};

TEST_F(SearchBarTest, EachActionPostsItsCode)
{
    CMyDlgBar& bar = MakeBar();
    Type("www.example.org");
    KeyOnEdit(QEvent::KeyPress);
    KeyOnEdit(QEvent::KeyRelease);
    // The built-in engine searches the catalogue with the raw text, address or not.
    EXPECT_EQ(m_frame.TakePosts(), (std::vector<Post>{{kStationSearchCode, "www.example.org"}}));

    Click(bar.GetCloseButton(), QPoint(5, 5));
    Click(bar.GetMinimizeButton(), QPoint(5, 5));
    Click(bar.GetMaxRestoreButton(), QPoint(5, 5));
    EXPECT_EQ(m_frame.TakePosts(), (std::vector<Post>{{kCloseCode, std::nullopt},
                                                      {kMinimizeCode, std::nullopt},
                                                      {kMaximizeRestoreCode, std::nullopt}}));

    const QPoint freeArea(bar.GetMinimizeButton().x() - 40, 4);
    SendMouse(bar, QEvent::MouseButtonDblClick, freeArea, Qt::LeftButton, Qt::LeftButton);
    SendMouse(bar, QEvent::MouseButtonDblClick, bar.GetCloseButton().geometry().center(), Qt::LeftButton,
              Qt::LeftButton);
    EXPECT_EQ(m_frame.TakePosts(), (std::vector<Post>{{kMaximizeRestoreCode, std::nullopt}}));
}

TEST_F(SearchBarTest, WebEngineSendsTheQueryAndTypedAddressesAsTheyAre)
{
    MakeBar();
    ChooseEngine(1);
    ASSERT_EQ(m_pBar->GetSelectedEngine(), 0);
    struct Case
    {
        const char* pText;
        std::vector<Post> posts;
    };
    const Case cases[] = {
        {"hello world", {{kOpenAddressCode, std::string(kAlphaQuery) + "hello+world"}}},
        {"https://example.org/a b",
         {{kOpenAddressCode, std::string(kAlphaQuery) + "https%3A%2F%2Fexample%2Eorg%2Fa+b"}}},
        {"https://example.org/a", {{kOpenAddressCode, "https://example.org/a"}}},
        {"", {}}, // no empty-search address: nothing is sent
    };
    for (const Case& c : cases) {
        Type(c.pText);
        KeyOnEdit(QEvent::KeyPress);
        KeyOnEdit(QEvent::KeyRelease);
        EXPECT_EQ(m_frame.TakePosts(), c.posts) << c.pText;
    }
    Type("x y");
    EXPECT_STREQ(m_pBar->GetQueryForFirstEngine().GetText(), (std::string(kAlphaQuery) + "x+y").c_str());
    EXPECT_TRUE(m_frame.TakePosts().empty());
}

TEST_F(SearchBarTest, EnterRunsOneSearchEvenWhenItClicksTheButtonToo)
{
    MakeBar();
    Type("news");
    KeyOnEdit(QEvent::KeyPress);
    m_uTick += 1000;
    ClickSearchButton(); // arrives while Enter is held
    EXPECT_EQ(m_frame.TakePosts().size(), 1u);
    KeyOnEdit(QEvent::KeyRelease);
    m_uTick += 1000;
    ClickSearchButton();
    EXPECT_EQ(m_frame.TakePosts(), (std::vector<Post>{{kStationSearchCode, "news"}}));
}

TEST_F(SearchBarTest, ClicksWithin200MillisecondsRunOneSearch)
{
    MakeBar();
    Type("news");
    const std::pair<uint32_t, size_t> clicks[] = {
        {0, 1}, {199, 0}, {398, 0}, {598, 1}, {600, 0}, {800, 1},
    };
    const uint32_t uStart = m_uTick;
    for (const auto& [uAt, uSearches] : clicks) {
        m_uTick = uStart + uAt;
        ClickSearchButton();
        EXPECT_EQ(m_frame.TakePosts().size(), uSearches) << "click at " << uAt;
    }
}

TEST_F(SearchBarTest, ChoosingAnEngineShowsItAndSearchesWhenTextIsTyped)
{
    CMyDlgBar& bar = MakeBar();
    ChooseEngine(3); // Beta, with the edit box empty: only the button changes
    EXPECT_EQ(bar.GetSelectedEngine(), 2);
    EXPECT_STREQ(bar.GetSearchButton().GetWindowText().GetText(), "Beta");
    EXPECT_TRUE(m_frame.TakePosts().empty());
    EXPECT_FALSE(bar.GetSearchButton().IsArrowPressed());

    Type("a&b");
    ChooseEngine(1);
    EXPECT_EQ(m_frame.TakePosts(),
              (std::vector<Post>{{kOpenAddressCode, std::string(kAlphaQuery) + "a%26b"}}));

    ChooseEngine(1); // the selected engine again: nothing happens
    m_uTick += 1000;
    UseEngineMenu(Dismiss);
    EXPECT_TRUE(m_frame.TakePosts().empty());
    EXPECT_EQ(bar.GetSelectedEngine(), 0);

    ChooseEngine(CSearchEngine::kBuiltInId);
    EXPECT_EQ(m_frame.TakePosts(), (std::vector<Post>{{kStationSearchCode, "a&b"}}));
    EXPECT_STREQ(bar.GetSearchButton().GetWindowText().GetText(), "Search");
}

TEST_F(SearchBarTest, MenuHoldsTheBuiltInEngineAndTheListWithTheSelectedOneInBold)
{
    MakeBar();
    ChooseEngine(3);
    m_uTick += 1000;
    std::vector<int> commands;
    int nDefault = 0;
    UseEngineMenu([&](CMenuXPWindow& window) {
        const CMenuXP& menu = window.GetMenu();
        for (int i = 0; i < menu.GetMenuItemCount(); ++i)
            commands.push_back(menu.GetEntry(i).nId);
        nDefault = menu.GetDefaultItem();
        EXPECT_TRUE(menu.GetEntry(0).pItem->m_bSideBar);
        EXPECT_TRUE(menu.GetEntry(3).pItem->m_bSeparator);
        Dismiss(window);
    });
    EXPECT_EQ(commands, (std::vector<int>{0, CSearchEngine::kBuiltInId, 1, 0, 3}));
    EXPECT_EQ(nDefault, 3);
}

TEST_F(SearchBarTest, MenuDoesNotReopenRightAfterItClosed)
{
    MakeBar();
    m_uTick += 1000;
    UseEngineMenu(Dismiss);
    // The click that closed the menu lands on the arrow again at once.
    bool bOpened = false;
    QTimer::singleShot(0, [&bOpened] {
        for (QWidget* pWidget : QApplication::topLevelWidgets()) {
            if (auto* pWindow = dynamic_cast<CMenuXPWindow*>(pWidget); pWindow && pWindow->isVisible()) {
                bOpened = true;
                Dismiss(*pWindow);
            }
        }
    });
    CMyOwnButton& button = m_pBar->GetSearchButton();
    m_uTick += 150;
    Press(button, QPoint(button.width() - 5, 10));
    QCoreApplication::processEvents();
    EXPECT_FALSE(bOpened);
}

TEST_F(SearchBarTest, LayoutPlacesTheGroupsAndALongerCaptionWidensTheButton)
{
    const char kLongCaption[] = "An Engine With A Rather Long Caption";
    CMyDlgBar& bar = MakeBar(kLongCaption);
    const int nWidth = bar.width();
    EXPECT_EQ(bar.GetCloseButton().geometry(), QRect(nWidth - 17 - 17, 8, 17, 17));
    EXPECT_EQ(bar.GetMaxRestoreButton().geometry(), QRect(nWidth - 17 - 17 - 3 - 17, 8, 17, 17));
    EXPECT_EQ(bar.GetMinimizeButton().x(), nWidth - 17 - 3 * 17 - 2 * 3);
    EXPECT_EQ(bar.GetEditBox().geometry(), QRect(17, 6, 240, 19));
    EXPECT_EQ(bar.GetSearchButton().geometry(), QRect(17 + 240 + 4, 6, 89, 20));
    EXPECT_EQ(bar.GetTitle().x(), RightOf(bar.GetSearchButton()) + 10);
    EXPECT_EQ(RightOf(bar.GetTitle()), bar.GetMinimizeButton().x() - 10);

    ChooseEngine(1);
    const int nCaption = QFontMetrics(MakeSkinFont("Arial", -12, 400)).horizontalAdvance(kLongCaption);
    EXPECT_EQ(bar.GetSearchButton().geometry(), QRect(17 + 240 + 4, 6, nCaption + 52, 20));
    EXPECT_EQ(bar.GetTitle().x(), RightOf(bar.GetSearchButton()) + 10);

    bar.ShowUpdateNotice(CMyDlgBar::kNoticeVersion, "https://example.org/new");
    EXPECT_FALSE(bar.GetVersionNotice().isHidden());
    EXPECT_EQ(bar.GetVersionNotice().pos(), QPoint(RightOf(bar.GetSearchButton()) + 5, 6));
    EXPECT_EQ(bar.GetTitle().x(), RightOf(bar.GetVersionNotice()) + 10);

    bar.resize(800, bar.height()); // the frame follows its own width
    EXPECT_EQ(bar.GetCloseButton().x(), 800 - 17 - 17);
    EXPECT_EQ(RightOf(bar.GetTitle()), bar.GetMinimizeButton().x() - 10);
}

TEST_F(SearchBarTest, DraggingTheFreeAreaMovesTheMainWindow)
{
    CMyDlgBar& bar = MakeBar();
    m_frame.move(100, 100);
    const QPoint start(bar.GetMinimizeButton().x() - 40, 4);
    Press(bar, start);
    EXPECT_TRUE(bar.IsDragging());
    SendMouse(bar, QEvent::MouseMove, start + QPoint(30, 12), Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(m_frame.pos(), QPoint(130, 112));
    SendMouse(bar, QEvent::MouseMove, start + QPoint(30, 12), Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(m_frame.pos(), QPoint(160, 124)) << "the drag start stays where the press was";
    Release(bar, start);
    EXPECT_FALSE(bar.IsDragging());
    SendMouse(bar, QEvent::MouseMove, start + QPoint(50, 0), Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(m_frame.pos(), QPoint(160, 124));

    // A press on the title text reaches the bar and drags too.
    CMyStaticButton& title = bar.GetTitle();
    Press(title, QPoint(5, 5));
    EXPECT_TRUE(bar.IsDragging());
    SendMouse(bar, QEvent::MouseMove, title.pos() + QPoint(5, 5), Qt::NoButton, Qt::NoButton);
    EXPECT_FALSE(bar.IsDragging()) << "a move without the button ends the drag";
}

TEST_F(SearchBarTest, CaptionButtonsAreNoPlaceToStartADrag)
{
    CMyDlgBar& bar = MakeBar();
    m_frame.move(100, 100);
    for (CMyOwnButton* pButton :
         {&bar.GetCloseButton(), &bar.GetMinimizeButton(), &bar.GetMaxRestoreButton()}) {
        Press(*pButton, QPoint(5, 5));
        EXPECT_FALSE(bar.IsDragging());
        Press(bar, pButton->geometry().center()); // even when the press reaches the bar
        EXPECT_FALSE(bar.IsDragging());
        SendMouse(bar, QEvent::MouseMove, pButton->geometry().center() + QPoint(20, 5), Qt::NoButton,
                  Qt::LeftButton);
        Release(*pButton, QPoint(50, 50)); // released away: no click
    }
    EXPECT_EQ(m_frame.pos(), QPoint(100, 100));
}

TEST_F(SearchBarTest, NoticeBlinksTwentyTicksAndOpensOnlyAWebAddress)
{
    CMyDlgBar& bar = MakeBar();
    CMyOwnButton& notice = bar.GetVersionNotice();
    bar.ShowUpdateNotice(CMyDlgBar::kNoticeVersion, "https://example.org/new");
    EXPECT_TRUE(bar.IsTimerRunning(CMyDlgBar::kBlinkTimer));
    EXPECT_TRUE(notice.HasGradient());
    for (int nTick = 1; nTick < CMyDlgBar::kBlinkTicks; ++nTick) {
        bar.OnTimer(CMyDlgBar::kBlinkTimer);
        EXPECT_EQ(notice.GetGradientInversion(), nTick % 2 == 1 ? 2 : 0) << "tick " << nTick;
    }
    EXPECT_TRUE(bar.IsTimerRunning(CMyDlgBar::kBlinkTimer));
    bar.OnTimer(CMyDlgBar::kBlinkTimer);
    EXPECT_FALSE(bar.IsTimerRunning(CMyDlgBar::kBlinkTimer));
    EXPECT_EQ(notice.GetGradientInversion(), 0);
    EXPECT_FALSE(notice.isHidden()) << "the notice stays";

    m_uTick += 1000;
    Click(notice, QPoint(5, 5));
    EXPECT_EQ(m_frame.TakePosts(), (std::vector<Post>{{kOpenAddressCode, "https://example.org/new"}}));
    for (const char* pText : {"file:///etc/passwd", "javascript:alert(1)", "--help", ""}) {
        bar.ShowUpdateNotice(CMyDlgBar::kNoticeVersion, pText);
        Click(notice, QPoint(5, 5));
        EXPECT_TRUE(m_frame.TakePosts().empty()) << pText;
    }
}

TEST_F(SearchBarTest, ListsNoticeOpensTheUpdateDialogUnlessEnterIsHeld)
{
    CMyDlgBar& bar = MakeBar();
    int nOpened = 0;
    bar.SetUpdateDialogRunner([&nOpened] { ++nOpened; });
    bar.ShowUpdateNotice(CMyDlgBar::kNoticeLists | CMyDlgBar::kNoticeVersion, "https://example.org/new");
    CMyOwnButton& lists = bar.GetListsNotice();
    ASSERT_FALSE(lists.isHidden());
    EXPECT_EQ(lists.pos(), QPoint(RightOf(bar.GetSearchButton()) + 5, 6));
    EXPECT_EQ(bar.GetVersionNotice().x(), RightOf(lists) + 5);

    KeyOnEdit(QEvent::KeyPress);
    Click(lists, QPoint(5, 5));
    EXPECT_EQ(nOpened, 0) << "the Return that searched is no click on the notice";
    KeyOnEdit(QEvent::KeyRelease);
    Click(lists, QPoint(5, 5));
    EXPECT_EQ(nOpened, 1);
    EXPECT_TRUE(m_frame.TakePosts().empty());
}

TEST_F(SearchBarTest, ManifestWithANewerProgramShowsTheNotice)
{
    LocalHttpServer server;
    server.Serve("/UpdateSettings.txt", "<UPDATE><EXE_UPDATE><VERSION>9.0</VERSION>"
                                        "<NAME>https://example.org/get</NAME></EXE_UPDATE></UPDATE>");
    ASSERT_GT(server.Start(), 0);
    WriteScrambledFile(m_home.Data() / "Kestova" / "res" / "ServerSettings.txt",
                       "<SERVERS><VERSION>1.0</VERSION><URL>" + server.Url("/") + "</URL></SERVERS>");
    Settings().SetVersion("2.0.2.1");
    CMyDlgBar& bar = MakeBar();
    EXPECT_TRUE(bar.IsTimerRunning(CMyDlgBar::kStartupTimer));
    EXPECT_TRUE(bar.GetVersionNotice().isHidden());

    // The check starts two seconds after creation and answers on its own time.
    QElapsedTimer waited;
    waited.start();
    while (bar.GetVersionNotice().isHidden() && waited.elapsed() < 30000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    ASSERT_FALSE(bar.GetVersionNotice().isHidden()) << "no notice";
    EXPECT_EQ(bar.GetNoticeFlags(), CMyDlgBar::kNoticeVersion);
    EXPECT_STREQ(bar.GetNoticeText().GetText(), "https://example.org/get");
    EXPECT_TRUE(bar.IsTimerRunning(CMyDlgBar::kBlinkTimer));
    EXPECT_FALSE(bar.IsTimerRunning(CMyDlgBar::kStartupTimer));
    EXPECT_TRUE(bar.GetListsNotice().isHidden());
    EXPECT_EQ(server.RequestCount("/UpdateSettings.txt"), 1);
}

} // namespace
