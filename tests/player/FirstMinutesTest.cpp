// What a new user meets in the first minutes with the kestova program, read
// from the screen of the virtual display it runs on: the splash window while
// the catalogue loads, the window's top edge and the tree's icons without a
// home server, typing into the search box, video upright in the pane and in
// full screen under a window manager, and a web station with no home page,
// with the web engine started as the user who runs the program (root in CI).
#include "../catalogue/CatalogueFiles.h"
#include "../platform/MediaServer.h"
#include "../platform/MediaTestSupport.h"
#include "../support/Descendants.h"
#include "ColourConvert.h"
#include "FrameSkin.h"
#include "PlayerLayout.h"
#include "ProgramDriver.h"
#include "Settings.h"
#include "SkinInfo.h"
#include "SplashDlg.h"
#include "TreeLayout.h"

#include <QWidget>
#include <algorithm>
#include <csignal>
#include <gtest/gtest.h>
#include <unistd.h>
#include <vector>

namespace {

bool IsRed(QRgb rgb)
{
    return qRed(rgb) > 200 && qGreen(rgb) < 60 && qBlue(rgb) < 60;
}

bool IsBlue(QRgb rgb)
{
    return qBlue(rgb) > 200 && qRed(rgb) < 60 && qGreen(rgb) < 60;
}

QRgb SkinColour(COLORREF crColour)
{
    return ToQColor(crColour).rgb();
}

// The number of pixels of the image that differ from the colour by more than a little.
int CountOtherThan(const QImage& image, QRgb colour)
{
    int nCount = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            nCount += SameColour(image.pixel(x, y), colour, 24) ? 0 : 1;
    return nCount;
}

class FirstMinutesTest : public CQtTest
{
protected:
    FirstMinutesTest()
    {
        g_strPath = KESTOVA_PROGRAM_DIR;
        GetSkinInfo();
    }
    ~FirstMinutesTest() override { g_strPath.Empty(); }

    std::filesystem::path LogFile() const { return m_home.Root() / "kestova.log"; }
    // One category "Radio" with the given stations: row 0 is the category, row n its n-th station.
    static void WriteCatalogue(const std::string& strStations, const std::string& strIndexExtra = "")
    {
        WriteListFile("MoviesSettings.txt", IndexFile("1.0", strIndexExtra + Category("Radio", "r.txt")));
        WriteListFile("r.txt", CategoryFile("1.0", "Radio", strStations));
    }
    // The middle of the player area at a fraction of its height, in window pixels.
    static QPoint PlayerPoint(double dHeight)
    {
        const QRect splitter =
            CMainFrameLayout::SplitterRect({CMainFrameLayout::kWidth, CMainFrameLayout::kHeight});
        const int nViewLeft = splitter.left() + 220 + 6;
        const QRect area =
            CPlayerLayout(splitter.right() - nViewLeft, splitter.height(), true).GetPlayerArea();
        return {nViewLeft + area.center().x(), splitter.top() + static_cast<int>(area.height() * dHeight)};
    }
    // The top left corner of the player area, in window pixels.
    static QPoint PlayerTopLeft()
    {
        const QRect splitter =
            CMainFrameLayout::SplitterRect({CMainFrameLayout::kWidth, CMainFrameLayout::kHeight});
        const int nViewLeft = splitter.left() + 220 + 6;
        const QRect area =
            CPlayerLayout(splitter.right() - nViewLeft, splitter.height(), true).GetPlayerArea();
        return {nViewLeft + area.left(), splitter.top() + area.top()};
    }
    bool WaitForUprightVideo(const CProgram& program)
    {
        return WaitFor([&] {
            return IsRed(ScreenPixel(program.OnScreen(PlayerPoint(0.15)))) &&
                   IsBlue(ScreenPixel(program.OnScreen(PlayerPoint(0.85))));
        });
    }
    static bool WaitFor(const std::function<bool()>& condition, int nWaitMs = kWaitMs)
    {
        const QDeadlineTimer giveUp(nWaitMs);
        while (!condition() && !giveUp.hasExpired())
            QThread::msleep(50);
        return condition();
    }

    CTestHome m_home;
    MediaServer m_server{MediaFolder()};
};

// The splash window is watched on the screen from the moment it appears until
// the catalogue (30,000 stations) has loaded: it shows its gradient and its
// line in every frame but perhaps the first, and the main window never covers it.
TEST_F(FirstMinutesTest, SplashIsPaintedFromItsFirstFrameUntilTheCatalogueHasLoaded)
{
    std::string strStations;
    for (int i = 0; i < 30000; ++i)
        strStations += Station("Station " + std::to_string(i), m_server.Url("/tone.mp3"));
    WriteCatalogue(strStations);
    const CSkinInfo& skin = GetSkinInfo();
    QRect area(QPoint(), CSplashDlg().size());
    area.moveCenter(QGuiApplication::primaryScreen()->availableGeometry().center());
    const QRect text = CSplashDlg().GetTextRect().translated(area.topLeft());

    CProgram program(LogFile());
    ASSERT_TRUE(program.Launch());
    int nPainted = 0;
    int nUnpaintedInARow = 0;
    int nMostUnpaintedInARow = 0;
    bool bLoaded = false;
    const QDeadlineTimer giveUp(kWaitMs);
    while (!bLoaded && !giveUp.hasExpired()) {
        const QImage image = ScreenImage(area);
        const std::optional<std::string> splash = Xdo({"search", "--onlyvisible", "--name", "^Kestova$"});
        bLoaded = program.Log().find("catalogue loaded") != std::string::npos;
        if (!splash || splash->empty() || bLoaded)
            continue;
        const bool bGradient =
            SameColour(image.pixel(area.width() / 2, 1), SkinColour(skin.m_crDialogGradientTop), 16) &&
            SameColour(image.pixel(area.width() / 2, area.height() - 2),
                       SkinColour(skin.m_crDialogGradientBottom), 16);
        const QImage line = image.copy(text.translated(-area.topLeft()));
        const bool bLine = CountOtherThan(line, line.pixel(0, 0)) > 20;
        nPainted += bGradient && bLine ? 1 : 0;
        nUnpaintedInARow = bGradient && bLine ? 0 : nUnpaintedInARow + 1;
        nMostUnpaintedInARow = std::max(nMostUnpaintedInARow, nUnpaintedInARow);
    }
    ASSERT_TRUE(bLoaded) << program.Log();
    ASSERT_TRUE(program.WaitForWindow());
    EXPECT_GT(nPainted, 0);
    EXPECT_LE(nMostUnpaintedInARow, 1);
    EXPECT_TRUE(program.Close()) << program.Log();
}

// No home server: the window's top edge is the skin's, and the tree shows the
// shipped folder and station pictures.
TEST_F(FirstMinutesTest, TopEdgeIsTheSkinsAndTheTreeHasIconsOffline)
{
    WriteCatalogue(Station("Evening Radio", m_server.Url("/live.mp3")),
                   Element("ICON", "Icons/Station.ico") + Element("FOLDER_ICON", "Icons/Folder.ico"));
    CProgram program(LogFile());
    ASSERT_TRUE(program.Start()) << program.Log();

    const QImage top = ScreenImage(QRect(program.OnScreen({0, 0}), QSize(CMainFrameLayout::kWidth, 1)));
    const QImage barLeft(KESTOVA_PROGRAM_DIR "/res/Skin/BarLeft.gif");
    const QImage barTop(KESTOVA_PROGRAM_DIR "/res/Skin/BarTop.gif");
    const QImage barRight(KESTOVA_PROGRAM_DIR "/res/Skin/BarRight.gif");
    ASSERT_FALSE(barLeft.isNull() || barTop.isNull() || barRight.isNull());
    EXPECT_TRUE(SameColour(top.pixel(2, 0), barLeft.pixel(2, 0)));
    EXPECT_TRUE(SameColour(top.pixel(CMainFrameLayout::kWidth / 2, 0), barTop.pixel(barTop.width() / 2, 0)));
    EXPECT_TRUE(
        SameColour(top.pixel(CMainFrameLayout::kWidth - 3, 0), barRight.pixel(barRight.width() - 3, 0)));

    // The icon boxes of the category (row 0) and of its station (row 1).
    const QRect splitter =
        CMainFrameLayout::SplitterRect({CMainFrameLayout::kWidth, CMainFrameLayout::kHeight});
    const QRgb background = SkinColour(GetSkinInfo().m_crTreeBg);
    for (int nRow : {0, 1}) {
        const QRect row(0, nRow * CStationTreeModel::kRowHeight, 200, CStationTreeModel::kRowHeight);
        const QRect text = CTreeLayout::TextRect(row, nRow);
        const QRect box(text.left() - CTreeLayout::kIconBox, row.top(), CTreeLayout::kIconBox, row.height());
        const QRect onScreen =
            QRect(program.OnScreen(splitter.topLeft() + QPoint(1, 1)), box.size()).translated(box.topLeft());
        EXPECT_TRUE(
            ProcessEventsUntil([&] { return CountOtherThan(ScreenImage(onScreen), background) > 30; }, 3000))
            << "row " << nRow;
    }
    EXPECT_TRUE(program.Close()) << program.Log();
}

// Typing into the search box: capitals with Shift, select all, copy, retype,
// paste, Home and End, Up and Down; Return then searches the stations with the
// text the box holds, and nothing plays.
TEST_F(FirstMinutesTest, SearchBoxKeepsEveryKeyTypedIntoIt)
{
    WriteCatalogue(Station("Jazz", m_server.Url("/live.mp3")) +
                   Station("AUDIO News", m_server.Url("/live.mp3")) +
                   Station("Talk", m_server.Url("/live.mp3")));
    CProgram program(LogFile());
    ASSERT_TRUE(program.Start()) << program.Log();
    program.Click(
        {CSearchBarLayout::kGroupLeft + 20, CSearchBarLayout::kGroupTop + CSearchBarLayout::kEditHeight / 2});
    program.TypeText("AUDIO News");
    program.Keys({"ctrl+a", "ctrl+c", "Down", "Up"});
    program.TypeText("Zz");
    program.Keys({"ctrl+a", "ctrl+v", "Home", "Left", "End", "Right"});
    program.Keys({"Return"});
    ASSERT_TRUE(program.WaitForLine("search: \"AUDIO News\"")) << program.Log();
    ASSERT_TRUE(program.WaitForLine("station line: \" Radio\\AUDIO News\"")) << program.Log();
    EXPECT_EQ(program.Log().find("play "), std::string::npos) << program.Log();
    EXPECT_TRUE(program.Close()) << program.Log();
}

// Under a window manager, as users run it: the video is upright in the pane,
// Full Screen fills the screen with it upright, and Esc and a double-click each
// bring it back to the pane.
TEST_F(FirstMinutesTest, VideoIsUprightInThePaneAndInFullScreenUnderAWindowManager)
{
    CWindowManager manager(m_home.Root() / "wm-ready");
    ASSERT_TRUE(manager.IsReady());
    WriteCatalogue(Station("Video", m_server.Url("/updown.mkv")));
    CProgram program(LogFile());
    ASSERT_TRUE(program.Start()) << program.Log();
    ASSERT_TRUE(program.PlayRow(target::TreeRow(1))) << program.Log();
    ASSERT_TRUE(program.WaitForLine("status line: \"  Playing\"")) << program.Log();
    ASSERT_TRUE(WaitForUprightVideo(program));

    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    const auto fullScreenShown = [&] {
        const std::optional<std::string> active = Xdo({"getactivewindow"});
        return active && WindowGeometry(std::stoul(*active)) == screen &&
               IsRed(ScreenPixel({screen.center().x(), screen.height() / 10})) &&
               IsBlue(ScreenPixel({screen.center().x(), screen.height() * 9 / 10}));
    };
    for (const bool bEsc : {true, false}) {
        program.Click(target::Control(4));
        ASSERT_TRUE(WaitFor(fullScreenShown)) << (bEsc ? "before Esc" : "before the double-click");
        if (bEsc)
            Xdo({"key", "Escape"});
        else
            Xdo(MoveTo(screen.center()) + QStringList{"click", "--repeat", "2", "--delay", "80", "1"});
        EXPECT_TRUE(WaitFor([&] {
            return Xdo({"getactivewindow"}) == std::to_string(program.Window()) + "\n";
        })) << (bEsc ? "after Esc" : "after the double-click");
        EXPECT_TRUE(WaitForUprightVideo(program));
    }
    EXPECT_TRUE(program.Close()) << program.Log();
}

// With a home server, under a window manager: the home page shows in the
// pane. Keys typed with the mouse resting on the page stay in the search box;
// a click on the page's text box gives the keys to the page, and a click on
// the search box takes them back. While a stream plays, no process of the web
// engine outlives a short while; Stop brings the home page back.
TEST_F(FirstMinutesTest, HomePageTakesKeysOnlyOnceClickedAndItsEngineEndsWhileAStreamPlays)
{
    CWindowManager manager(m_home.Root() / "wm-ready");
    ASSERT_TRUE(manager.IsReady());
    m_server.Server().Serve("/UpdateSettings.txt", "<UPDATE></UPDATE>", "text/plain");
    WriteServerList({m_server.Url("/")});
    WriteListFile("MoviesSettings.txt",
                  Element("MOVIES_SETTINGS", Element("VERSION", "1.0") + Element("FIRST_URL", "typing.html") +
                                                 Element("MOVIES", Category("Radio", "r.txt"))));
    WriteListFile("r.txt", CategoryFile("1.0", "Radio",
                                        Station("Evening Radio", m_server.Url("/live.mp3")) +
                                            Station("A web station", m_server.Url("/page.html"),
                                                    Element("WEB", "TRUE"))));
    // Not a first run, which would fetch the lists and start the program again.
    ASSERT_EQ(Settings().SetCopySettings(false), 0);
    CProgram program(LogFile());
    program.SetEnvironment("QT_LOGGING_RULES", "kestova.user.debug=true;kestova.web.info=true");
    ASSERT_TRUE(program.Start()) << program.Log();
    const QRgb page = qRgb(MediaServer::kPageRed, MediaServer::kPageGreen, MediaServer::kPageBlue);
    const auto pageShows = [&] { return SameColour(ScreenPixel(program.OnScreen(PlayerPoint(0.5))), page); };
    ASSERT_TRUE(WaitFor(pageShows)) << program.Log();
    const QPoint searchBox(CSearchBarLayout::kGroupLeft + 20,
                           CSearchBarLayout::kGroupTop + CSearchBarLayout::kEditHeight / 2);
    const QPoint pageBox =
        PlayerTopLeft() + QPoint(100, MediaServer::kTypingBoxTop + MediaServer::kTypingBoxHeight / 2);
    // The page's white text box has been drawn.
    ASSERT_TRUE(
        WaitFor([&] { return SameColour(ScreenPixel(program.OnScreen(pageBox)), qRgb(255, 255, 255)); }));

    program.Click(searchBox);
    Xdo(MoveTo(program.OnScreen(pageBox)));
    program.TypeText("Evening");
    program.Keys({"Return"});
    EXPECT_TRUE(program.WaitForLine("search: \"Evening\"")) << program.Log();

    // The web engine takes no click on a page the mouse was not seen moving over.
    Xdo(MoveTo(program.OnScreen(pageBox + QPoint(5, 5))) + MoveTo(program.OnScreen(pageBox)));
    program.Click(pageBox);
    program.TypeText("xyz");
    EXPECT_TRUE(WaitFor([&] { return m_server.RequestCount("/typed/xyz") == 1; })) << program.Log();

    program.Click(searchBox);
    Xdo(MoveTo(program.OnScreen(pageBox)));
    program.Keys({"ctrl+a"});
    program.TypeText("Radio");
    program.Keys({"Return"});
    EXPECT_TRUE(program.WaitForLine("search: \"Radio\"")) << program.Log();
    EXPECT_EQ(m_server.RequestCount("/typed/xyzR"), 0);

    const auto nProgram = static_cast<pid_t>(program.ProcessId());
    const auto webEngineProcesses = [&] {
        return DescendantsWith(nProgram, "kestova-web").size() +
               DescendantsWith(nProgram, "QtWebEngineProcess").size();
    };
    EXPECT_GT(webEngineProcesses(), 0U);
    ASSERT_TRUE(program.PlayRow(target::TreeRow(1))) << program.Log();
    ASSERT_TRUE(program.WaitForLine("status line: \"  Playing\"")) << program.Log();
    EXPECT_TRUE(WaitFor([&] { return webEngineProcesses() == 0; }, 30000));
    ASSERT_TRUE(program.IsRunning()) << program.Log();

    // Stop sends the hidden browser home, which starts no engine for a page no one sees.
    program.Click(target::Control(0));
    ASSERT_TRUE(program.WaitForLine("status line: \"  Stopped\"")) << program.Log();
    EXPECT_FALSE(WaitFor([&] { return webEngineProcesses() > 0; }, 2000));
    // A web station shows its page again.
    ASSERT_TRUE(program.PlayRow(target::TreeRow(2))) << program.Log();
    EXPECT_TRUE(WaitFor(pageShows)) << program.Log();
    EXPECT_EQ(m_server.RequestCount("/page.html"), 1);
    EXPECT_GT(webEngineProcesses(), 0U);
    EXPECT_TRUE(program.Close()) << program.Log();
}

// The shipped server list names no server, so there is no home page: a web
// station still opens in the window. The sandbox variable is not set, as for a
// user; as root the program turns the engine's sandbox off itself and says so.
// When the engine's page process dies, the pane says so in the skin's colours,
// streams go on playing, and the web station opens again afterwards.
TEST_F(FirstMinutesTest, WebStationOpensWithoutAHomePageAndWithoutTheSandboxVariable)
{
    WriteCatalogue(Station("A web station", m_server.Url("/page.html"), Element("WEB", "TRUE")) +
                   Station("Evening Radio", m_server.Url("/live.mp3")));
    CProgram program(LogFile());
    program.RemoveEnvironment("QTWEBENGINE_DISABLE_SANDBOX");
    program.SetEnvironment("QT_LOGGING_RULES", "kestova.user.debug=true;kestova.web.info=true");
    ASSERT_TRUE(program.Start()) << program.Log();
    ASSERT_TRUE(program.PlayRow(target::TreeRow(1))) << program.Log();
    const QRgb page = qRgb(MediaServer::kPageRed, MediaServer::kPageGreen, MediaServer::kPageBlue);
    EXPECT_TRUE(WaitFor([&] { return SameColour(ScreenPixel(program.OnScreen(PlayerPoint(0.5))), page); }))
        << program.Log();
    ASSERT_TRUE(program.IsRunning()) << program.Log();
    if (::geteuid() == 0) {
        EXPECT_NE(program.Log().find("sandbox"), std::string::npos) << program.Log();
    }

    // The page processes are the engine's processes that its zygotes forked.
    std::vector<pid_t> renderers =
        DescendantsWith(static_cast<pid_t>(program.ProcessId()), "QtWebEngineProcess");
    std::erase_if(renderers, [](pid_t nPid) {
        return CommandLineOf(descendants::ParentOf(nPid)).find("QtWebEngineProcess") == std::string::npos;
    });
    ASSERT_FALSE(renderers.empty());
    for (const pid_t nPid : renderers)
        ::kill(nPid, SIGKILL);
    const QRgb notice = SkinColour(GetSkinInfo().m_crStatusBg);
    EXPECT_TRUE(WaitFor([&] { return SameColour(ScreenPixel(program.OnScreen(PlayerPoint(0.2))), notice); }));
    const QPoint middle = program.OnScreen(PlayerPoint(0.5));
    EXPECT_GT(CountOtherThan(ScreenImage(QRect(middle - QPoint(150, 10), QSize(300, 20))), notice), 30);

    ASSERT_TRUE(program.PlayRow(target::TreeRow(2))) << program.Log();
    EXPECT_TRUE(program.WaitForLine("status line: \"  Playing\"")) << program.Log();
    ASSERT_TRUE(program.PlayRow(target::TreeRow(1))) << program.Log();
    EXPECT_TRUE(WaitFor([&] { return SameColour(ScreenPixel(program.OnScreen(PlayerPoint(0.5))), page); }));
    ASSERT_TRUE(program.IsRunning()) << program.Log();
    EXPECT_TRUE(program.Close()) << program.Log();
}

} // namespace
