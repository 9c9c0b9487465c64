// The kestova program itself as a user drives it, on a virtual display of its
// own with the real media engine: start it on a prepared catalogue, click a
// station in the tree, press Play on a local stream, store the station in
// preset 2, close the window, start the program again and play the station
// from the preset. Clicks and keys go in through xdotool; what the window shows
// comes back through the program's "kestova.user" log lines.
#include "../catalogue/CatalogueFiles.h"
#include "../platform/MediaServer.h"
#include "../platform/MediaTestSupport.h"
#include "../support/CoreApp.h"
#include "../support/ListFiles.h"
#include "MainFrameLayout.h"
#include "Registry.h"
#include "SearchBarLayout.h"
#include "Settings.h"
#include "StationTreeModel.h"

#include <QDeadlineTimer>
#include <QImageReader>
#include <QProcess>
#include <QThread>
#include <gtest/gtest.h>
#include <optional>

namespace {

constexpr int kWaitMs = 30000;

// Runs xdotool; what it printed, or nothing when it failed or hung.
std::optional<std::string> Xdo(const QStringList& arguments)
{
    QProcess xdo;
    xdo.start("xdotool", arguments);
    if (!xdo.waitForFinished(10000)) {
        xdo.kill();
        xdo.waitForFinished();
        return std::nullopt;
    }
    if (xdo.exitStatus() != QProcess::NormalExit || xdo.exitCode() != 0)
        return std::nullopt;
    return xdo.readAllStandardOutput().toStdString();
}

// The first window shown whose title matches the pattern, or 0.
unsigned long FindWindow(const QString& strTitlePattern)
{
    const QDeadlineTimer giveUp(kWaitMs);
    while (!giveUp.hasExpired()) {
        const std::optional<std::string> ids = Xdo({"search", "--onlyvisible", "--name", strTitlePattern});
        if (ids && !ids->empty())
            return std::stoul(*ids);
        QThread::msleep(100);
    }
    return 0;
}

// Whether the window has been closed, waiting for it up to nWaitMs.
bool WindowGone(unsigned long uWindow, int nWaitMs = kWaitMs)
{
    const QDeadlineTimer giveUp(nWaitMs);
    while (Xdo({"getwindowname", QString::number(uWindow)}) && !giveUp.hasExpired())
        QThread::msleep(100);
    return !Xdo({"getwindowname", QString::number(uWindow)});
}

// The size of one of the shipped skin pictures.
QSize PictureSize(const char* pName)
{
    return QImageReader(QString(KESTOVA_PROGRAM_DIR "/res/Skin/") + pName).size();
}

// Where a user clicks, in window pixels, worked out from the window's layout
// and the sizes of the skin's pictures.
namespace target {

QPoint TreeRow(int nRow)
{
    const QRect splitter =
        CMainFrameLayout::SplitterRect({CMainFrameLayout::kWidth, CMainFrameLayout::kHeight});
    const int nRowHeight = CStationTreeModel::kRowHeight;
    return {splitter.left() + 100, splitter.top() + nRow * nRowHeight + nRowHeight / 2};
}

QRect PresetButton(int nSlot)
{
    const QSize size = PictureSize("PresetOff.Gif");
    return {CMainFrameLayout::PresetLeft(nSlot, size.width()),
            CMainFrameLayout::PresetTop(CMainFrameLayout::kHeight), size.width(), size.height()};
}

QPoint StationButton(int nSlot)
{
    const QRect preset = PresetButton(nSlot);
    return preset.center() + QPoint(0, preset.height() / 2 + PictureSize("Station.Gif").height() / 2);
}

// Stop and Play, the first two player controls, right of the five presets.
QPoint Control(int nIndex)
{
    const QSize station = PictureSize("Station.Gif");
    const int nLeft = CMainFrameLayout::FirstControlLeft(CMainFrameLayout::PresetLeft(4, station.width()) +
                                                         station.width()) +
                      nIndex * PictureSize("Stop.Gif").width();
    return {nLeft + PictureSize("Play.Gif").width() / 2,
            CMainFrameLayout::ControlTop(CMainFrameLayout::kHeight) + PictureSize("Play.Gif").height() / 2};
}

QPoint CloseButton()
{
    const QSize close = PictureSize("Close.Gif");
    return CSearchBarLayout::PlaceCaptionButtons(CMainFrameLayout::kWidth, close, close, close)
        .close.center();
}

} // namespace target

// One instance of the program: one this test starts, or one that the program
// started itself. Every instance writes its log lines into one file, so that
// the lines of an instance started by the program arrive as well.
class CProgram
{
public:
    explicit CProgram(std::filesystem::path log) : m_log(std::move(log)), m_nMark(LogText().size())
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("QT_LOGGING_RULES", "kestova.user.debug=true");
        m_process.setProcessEnvironment(environment);
        m_process.setProgram(KESTOVA_PROGRAM);
        m_process.setStandardErrorFile(QString::fromStdString(m_log.string()), QIODevice::Append);
    }
    ~CProgram()
    {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.kill();
            m_process.waitForFinished();
        } else if (m_uWindow != 0 && !WindowGone(m_uWindow, 0)) {
            Xdo({"windowkill", QString::number(m_uWindow)});
        }
    }

    // Starts the program and waits until its window shows the catalogue.
    bool Start() { return Launch() && WaitForWindow(); }
    bool Launch()
    {
        m_process.start();
        return m_process.waitForStarted();
    }
    // Waits until a window of the program shows the catalogue.
    bool WaitForWindow()
    {
        if (!WaitForLine("kestova.user: catalogue loaded"))
            return false;
        m_uWindow = FindWindow("^Kestova - ");
        return m_uWindow != 0 && ReadOrigin();
    }
    // Waits until the started program has ended by itself, and well.
    bool WaitForExit()
    {
        return m_process.waitForFinished(kWaitMs) && m_process.exitStatus() == QProcess::NormalExit &&
               m_process.exitCode() == 0;
    }
    // Where the window's top left corner is on the screen; false when that cannot be told.
    bool ReadOrigin()
    {
        const std::optional<std::string> geometry =
            Xdo({"getwindowgeometry", "--shell", QString::number(m_uWindow)});
        int nX = -1, nY = -1;
        if (!geometry || std::sscanf(geometry->c_str(), "WINDOW=%*u X=%d Y=%d", &nX, &nY) != 2)
            return false;
        m_origin = {nX, nY};
        return true;
    }
    QPoint Origin() const { return m_origin; }
    // Waits for a log line holding the text, among the lines since the last Mark().
    bool WaitForLine(const std::string& strText) const
    {
        const QDeadlineTimer giveUp(kWaitMs);
        while (LogText().find(strText, m_nMark) == std::string::npos && !giveUp.hasExpired())
            QThread::msleep(50);
        return LogText().find(strText, m_nMark) != std::string::npos;
    }
    void Mark() { m_nMark = LogText().size(); }
    void Click(QPoint point)
    {
        Mark();
        const QPoint screen = m_origin + point;
        Xdo({"mousemove", "--sync", QString::number(screen.x()), QString::number(screen.y()), "click", "1"});
    }
    // Presses the left button at one place, moves the mouse by the offset and lets go.
    void Drag(QPoint from, QPoint offset)
    {
        const QPoint start = m_origin + from;
        const QPoint end = start + offset;
        Xdo({"mousemove", "--sync", QString::number(start.x()), QString::number(start.y()), "mousedown", "1",
             "mousemove", "--sync", QString::number(end.x()), QString::number(end.y()), "mouseup", "1"});
    }
    // Types the text and presses Return, into whatever has the keyboard.
    void Type(const QString& strText)
    {
        Mark();
        Xdo({"type", "--delay", "20", strText});
        Xdo({"key", "Return"});
    }
    // Answers the open message box with Return.
    bool AnswerMessageBox()
    {
        const unsigned long uBox = FindWindow("^Kestova$");
        return uBox != 0 && Xdo({"windowfocus", "--sync", QString::number(uBox), "key", "Return"}) &&
               WindowGone(uBox);
    }
    // Clicks the window's close button; true when the program then ends well
    // (or, for an instance the program started, when its window has gone).
    bool Close()
    {
        Click(target::CloseButton());
        if (m_process.state() == QProcess::NotRunning)
            return WindowGone(m_uWindow);
        return WaitForExit();
    }
    std::string Log() const { return LogText(); }

private:
    std::string LogText() const { return CTestHome::ReadFile(m_log); }

    std::filesystem::path m_log;
    QProcess m_process;
    size_t m_nMark = 0;
    unsigned long m_uWindow = 0;
    QPoint m_origin;
};

class ProgramEndToEndTest : public ::testing::Test
{
protected:
    ProgramEndToEndTest()
    {
        EnsureCoreApplication();
        WriteListFile("MoviesSettings.txt", IndexFile("1.0", Category("Radio", "r.txt")));
        WriteListFile("r.txt", CategoryFile("1.0", "Radio", Station("Evening Radio", StreamUrl())));
    }
    std::string StreamUrl() const { return m_server.Url("/live.mp3"); }
    std::filesystem::path LogFile() const { return m_home.Root() / "kestova.log"; }

    CTestHome m_home;
    MediaServer m_server{MediaFolder()};
};

TEST_F(ProgramEndToEndTest, PickPlayPresetRestartAndPlayFromThePreset)
{
    ASSERT_TRUE(m_server.IsRunning());
    {
        CProgram program(LogFile());
        ASSERT_TRUE(program.Start()) << program.Log();
        // Row 0 is the category, row 1 its station.
        program.Click(target::TreeRow(1));
        ASSERT_TRUE(program.WaitForLine("station line: \" Radio\\Evening Radio\"")) << program.Log();
        program.Click(target::Control(1));
        ASSERT_TRUE(program.WaitForLine("status line: \"  Playing\"")) << program.Log();

        program.Click(target::PresetButton(2).center());
        ASSERT_TRUE(program.WaitForLine("message box: \"The Station Was Pre-Set Successfully\""))
            << program.Log();
        ASSERT_TRUE(program.AnswerMessageBox()) << program.Log();
        program.Click(target::Control(0));
        ASSERT_TRUE(program.WaitForLine("status line: \"  Stopped\"")) << program.Log();
        ASSERT_TRUE(program.Close()) << program.Log();
    }
    CRegistry::Value url;
    ASSERT_EQ(CRegistry().GetValue("SOFTWARE\\Kestova\\Stations\\2", "Url", url), CRegistry::kSuccess);
    EXPECT_EQ(std::string(url.strText.GetText()), StreamUrl());

    CProgram again(LogFile());
    ASSERT_TRUE(again.Start()) << again.Log();
    again.Click(target::StationButton(2));
    ASSERT_TRUE(again.WaitForLine("play " + StreamUrl())) << again.Log();
    ASSERT_TRUE(again.WaitForLine("status line: \"  Playing\"")) << again.Log();
    EXPECT_TRUE(again.Close()) << again.Log();
}

TEST_F(ProgramEndToEndTest, SearchTheStationsAndMoveTheWindow)
{
    CProgram program(LogFile());
    ASSERT_TRUE(program.Start()) << program.Log();
    // The edit box is the first control of the search bar.
    program.Click(
        {CSearchBarLayout::kGroupLeft + 20, CSearchBarLayout::kGroupTop + CSearchBarLayout::kEditHeight / 2});
    program.Type("evening");
    ASSERT_TRUE(program.WaitForLine("station line: \" Radio\\Evening Radio\"")) << program.Log();

    // The search bar is the title bar: dragging its empty middle moves the window.
    const QPoint before = program.Origin();
    program.Drag({CMainFrameLayout::kWidth / 2, CSearchBarLayout::kGroupTop + 4}, {-100, -40});
    ASSERT_TRUE(program.ReadOrigin());
    EXPECT_EQ(program.Origin() - before, QPoint(-100, -40));
    EXPECT_TRUE(program.Close()) << program.Log();
}

// A first start copies the shipped lists, fetches the newer ones from the home
// server, and starts the program again, which then shows the fetched lists.
TEST_F(ProgramEndToEndTest, FirstRunFetchesTheListsFromTheHomeServerAndStartsAgain)
{
    LocalHttpServer& server = m_server.Server();
    server.Serve("/UpdateSettings.txt",
                 "<UPDATE>"
                 "<MOVIES_SETTINGS><VERSION>2.0</VERSION><NAME>MoviesSettings.txt</NAME>"
                 "</MOVIES_SETTINGS>"
                 "<CATEGORY><VERSION>2.0</VERSION><NAME>r.txt</NAME></CATEGORY>"
                 "</UPDATE>");
    server.Serve("/MoviesSettings.txt", Scrambled(IndexFile("2.0", Category("Radio", "r.txt"))));
    server.Serve("/r.txt", Scrambled(CategoryFile("2.0", "Radio", Station("Night Radio", StreamUrl()))));
    WriteScrambledFile(ResFolder() / "ServerSettings.txt",
                       "<SERVERS><VERSION>1.0</VERSION><URL>" + m_server.Url("/") + "</URL></SERVERS>");
    ASSERT_TRUE(Settings().GetCopySettings());

    CProgram first(LogFile());
    CProgram restarted(LogFile());
    ASSERT_TRUE(first.Launch());
    ASSERT_TRUE(first.WaitForExit()) << "the first run ends once it has started the program again\n"
                                     << first.Log();
    EXPECT_EQ(m_server.RequestCount("/r.txt"), 1);
    EXPECT_FALSE(Settings().GetCopySettings());

    ASSERT_TRUE(restarted.WaitForWindow()) << restarted.Log();
    restarted.Click(target::TreeRow(1));
    ASSERT_TRUE(restarted.WaitForLine("station line: \" Radio\\Night Radio\"")) << restarted.Log();
    restarted.Click(target::Control(1));
    ASSERT_TRUE(restarted.WaitForLine("status line: \"  Playing\"")) << restarted.Log();
    EXPECT_TRUE(restarted.Close()) << restarted.Log();
}

} // namespace
