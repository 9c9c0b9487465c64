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
#include "MainFrameLayout.h"
#include "Registry.h"
#include "SearchBarLayout.h"
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

// Whether the window has been closed, waiting for it a while.
bool WindowGone(unsigned long uWindow)
{
    const QDeadlineTimer giveUp(kWaitMs);
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

// One run of the program, with its log.
class CProgram
{
public:
    CProgram()
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("QT_LOGGING_RULES", "kestova.user.debug=true");
        m_process.setProcessEnvironment(environment);
        m_process.setProgram(KESTOVA_PROGRAM);
    }
    ~CProgram()
    {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.kill();
            m_process.waitForFinished();
        }
    }

    // Starts the program and waits until its window shows the catalogue.
    bool Start()
    {
        m_process.start();
        if (!m_process.waitForStarted() || !WaitForLine("kestova.user: catalogue loaded"))
            return false;
        m_uWindow = FindWindow("^Kestova - ");
        return m_uWindow != 0 && ReadOrigin();
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
    bool WaitForLine(const std::string& strText)
    {
        const QDeadlineTimer giveUp(kWaitMs);
        while (m_strLog.find(strText, m_nMark) == std::string::npos && !giveUp.hasExpired()) {
            if (m_process.state() == QProcess::NotRunning)
                break;
            m_process.waitForReadyRead(100);
            m_strLog += m_process.readAllStandardError().toStdString();
        }
        return m_strLog.find(strText, m_nMark) != std::string::npos;
    }
    void Mark() { m_nMark = m_strLog.size(); }
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
    // Clicks the window's close button; true when the program then ends well.
    bool Close()
    {
        Click(target::CloseButton());
        return m_process.waitForFinished(kWaitMs) && m_process.exitStatus() == QProcess::NormalExit &&
               m_process.exitCode() == 0;
    }
    const std::string& Log() const { return m_strLog; }

private:
    QProcess m_process;
    std::string m_strLog;
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

    CTestHome m_home;
    MediaServer m_server{MediaFolder()};
};

TEST_F(ProgramEndToEndTest, PickPlayPresetRestartAndPlayFromThePreset)
{
    ASSERT_TRUE(m_server.IsRunning());
    {
        CProgram program;
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

    CProgram again;
    ASSERT_TRUE(again.Start()) << again.Log();
    again.Click(target::StationButton(2));
    ASSERT_TRUE(again.WaitForLine("play " + StreamUrl())) << again.Log();
    ASSERT_TRUE(again.WaitForLine("status line: \"  Playing\"")) << again.Log();
    EXPECT_TRUE(again.Close()) << again.Log();
}

TEST_F(ProgramEndToEndTest, SearchTheStationsAndMoveTheWindow)
{
    CProgram program;
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

} // namespace
