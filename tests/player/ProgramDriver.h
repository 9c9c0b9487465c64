// Drives the kestova program as a user would, on the virtual display that the
// test runs on: starts it as a process of its own, finds its windows, clicks and
// types through xdotool, reads back what the window shows from the program's
// "kestova.user" log lines, and reads the screen's pixels. Every instance writes
// its log lines into one file, so that the lines of an instance the program
// started itself arrive as well.
#pragma once

#include "../support/CoreApp.h"
#include "../support/TestHome.h"
#include "MainFrameLayout.h"
#include "SearchBarLayout.h"
#include "StationTreeModel.h"

#include <QDeadlineTimer>
#include <QGuiApplication>
#include <QImage>
#include <QImageReader>
#include <QPixmap>
#include <QProcess>
#include <QScreen>
#include <QThread>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

inline constexpr int kWaitMs = 30000;

// Runs xdotool; what it printed, or nothing when it failed or hung.
inline std::optional<std::string> Xdo(const QStringList& arguments)
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
inline unsigned long FindWindow(const QString& strTitlePattern)
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
inline bool WindowGone(unsigned long uWindow, int nWaitMs = kWaitMs)
{
    const QDeadlineTimer giveUp(nWaitMs);
    while (Xdo({"getwindowname", QString::number(uWindow)}) && !giveUp.hasExpired())
        QThread::msleep(100);
    return !Xdo({"getwindowname", QString::number(uWindow)});
}

// Where the window is on the screen and how big it is; empty when that cannot be told.
inline QRect WindowGeometry(unsigned long uWindow)
{
    const std::optional<std::string> geometry =
        Xdo({"getwindowgeometry", "--shell", QString::number(uWindow)});
    int nX = 0, nY = 0, nWidth = 0, nHeight = 0;
    if (!geometry || std::sscanf(geometry->c_str(), "WINDOW=%*u X=%d Y=%d WIDTH=%d HEIGHT=%d", &nX, &nY,
                                 &nWidth, &nHeight) != 4)
        return {};
    return {nX, nY, nWidth, nHeight};
}

// What the screen shows in the rectangle (screen pixels), read back from the
// display; the test process needs a QGuiApplication on the same display.
inline QImage ScreenImage(const QRect& area)
{
    return QGuiApplication::primaryScreen()
        ->grabWindow(0, area.x(), area.y(), area.width(), area.height())
        .toImage()
        .convertToFormat(QImage::Format_RGB32);
}

inline QRgb ScreenPixel(QPoint at)
{
    return ScreenImage(QRect(at, QSize(1, 1))).pixel(0, 0);
}

// Whether two colours differ by at most nTolerance in each channel.
inline bool SameColour(QRgb a, QRgb b, int nTolerance = 12)
{
    return std::abs(qRed(a) - qRed(b)) <= nTolerance && std::abs(qGreen(a) - qGreen(b)) <= nTolerance &&
           std::abs(qBlue(a) - qBlue(b)) <= nTolerance;
}

// The xdotool words that move the mouse to a screen point and wait until it is
// there. A move with --sync to where the mouse already is waits for a motion
// that never comes, so the mouse first steps a pixel aside.
inline QStringList MoveTo(QPoint at)
{
    return {"mousemove", QString::number(at.x() + 1), QString::number(at.y()), "mousemove",
            "--sync",    QString::number(at.x()),     QString::number(at.y())};
}

// The size of one of the shipped skin pictures.
inline QSize PictureSize(const char* pName)
{
    return QImageReader(QString(KESTOVA_PROGRAM_DIR "/res/Skin/") + pName).size();
}

// Where a user clicks, in window pixels, worked out from the window's layout
// and the sizes of the skin's pictures.
namespace target {

inline QPoint TreeRow(int nRow)
{
    const QRect splitter =
        CMainFrameLayout::SplitterRect({CMainFrameLayout::kWidth, CMainFrameLayout::kHeight});
    const int nRowHeight = CStationTreeModel::kRowHeight;
    return {splitter.left() + 100, splitter.top() + nRow * nRowHeight + nRowHeight / 2};
}

inline QRect PresetButton(int nSlot)
{
    const QSize size = PictureSize("PresetOff.Gif");
    return {CMainFrameLayout::PresetLeft(nSlot, size.width()),
            CMainFrameLayout::PresetTop(CMainFrameLayout::kHeight), size.width(), size.height()};
}

inline QPoint StationButton(int nSlot)
{
    const QRect preset = PresetButton(nSlot);
    return preset.center() + QPoint(0, preset.height() / 2 + PictureSize("Station.Gif").height() / 2);
}

// The player controls, left to right from the five presets: Stop, Play,
// Previous, Next and FullScreen.
inline QPoint Control(int nIndex)
{
    const char* const kPictures[] = {"Stop.Gif", "Play.Gif", "Prev.Gif", "Next.Gif", "FullScreen.Gif"};
    const QSize station = PictureSize("Station.Gif");
    int nLeft = CMainFrameLayout::FirstControlLeft(CMainFrameLayout::PresetLeft(4, station.width()) +
                                                   station.width());
    for (int i = 0; i < nIndex; ++i)
        nLeft += PictureSize(kPictures[i]).width();
    const QSize size = PictureSize(kPictures[nIndex]);
    return {nLeft + size.width() / 2,
            CMainFrameLayout::ControlTop(CMainFrameLayout::kHeight) + size.height() / 2};
}

inline QPoint CloseButton()
{
    const QSize close = PictureSize("Close.Gif");
    return CSearchBarLayout::PlaceCaptionButtons(CMainFrameLayout::kWidth, close, close, close)
        .close.center();
}

} // namespace target

// A window manager on the test's display for as long as the object lives.
class CWindowManager
{
public:
    explicit CWindowManager(const std::filesystem::path& ready)
    {
        m_process.start("openbox", {"--startup", "touch " + QString::fromStdString(ready.string())});
        m_process.waitForStarted();
        const QDeadlineTimer giveUp(kWaitMs);
        while (!std::filesystem::exists(ready) && !giveUp.hasExpired())
            QThread::msleep(20);
        m_bReady = std::filesystem::exists(ready);
    }
    ~CWindowManager()
    {
        m_process.terminate();
        if (!m_process.waitForFinished(5000))
            m_process.kill();
    }
    // Started, and ready before the wait ran out.
    bool IsReady() const { return m_process.state() == QProcess::Running && m_bReady; }

private:
    QProcess m_process;
    bool m_bReady = false;
};

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
    // Changes the program's environment; call before it starts.
    void SetEnvironment(const QString& strName, const QString& strValue)
    {
        QProcessEnvironment environment = m_process.processEnvironment();
        environment.insert(strName, strValue);
        m_process.setProcessEnvironment(environment);
    }
    void RemoveEnvironment(const QString& strName)
    {
        QProcessEnvironment environment = m_process.processEnvironment();
        environment.remove(strName);
        m_process.setProcessEnvironment(environment);
    }
    bool IsRunning() const { return m_process.state() != QProcess::NotRunning; }
    qint64 ProcessId() const { return m_process.processId(); }
    unsigned long Window() const { return m_uWindow; }
    // A point of the window in screen pixels.
    QPoint OnScreen(QPoint point) const { return m_origin + point; }
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
        return m_uWindow != 0 && ReadOrigin() && WaitForPaintedTree();
    }
    // Waits until the tree pane shows on the screen, which is black until the
    // window has painted: a window manager may map it well after the catalogue
    // has loaded, and a click before that goes nowhere.
    bool WaitForPaintedTree() const
    {
        const QRect splitter =
            CMainFrameLayout::SplitterRect({CMainFrameLayout::kWidth, CMainFrameLayout::kHeight});
        const QPoint inTree = OnScreen(splitter.bottomLeft() + QPoint(4, -4));
        const QDeadlineTimer giveUp(kWaitMs);
        while (ScreenPixel(inTree) == qRgb(0, 0, 0) && !giveUp.hasExpired())
            QThread::msleep(50);
        return ScreenPixel(inTree) != qRgb(0, 0, 0);
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
    bool WaitForLine(const std::string& strText, int nWaitMs = kWaitMs) const
    {
        const QDeadlineTimer giveUp(nWaitMs);
        while (LogText().find(strText, m_nMark) == std::string::npos && !giveUp.hasExpired())
            QThread::msleep(50);
        return LogText().find(strText, m_nMark) != std::string::npos;
    }
    void Mark() { m_nMark = LogText().size(); }
    void Click(QPoint point)
    {
        Mark();
        const QPoint screen = m_origin + point;
        Xdo(MoveTo(screen) + QStringList{"click", "1"});
    }
    // Clicks until the log shows the line: a click on a window just shown may
    // go nowhere, and a user clicks again.
    bool ClickUntil(QPoint point, const std::string& strLine)
    {
        for (int nTry = 0; nTry < 3; ++nTry) {
            Click(point);
            if (WaitForLine(strLine, 5000))
                return true;
        }
        return false;
    }
    // Presses the left button at one place, moves the mouse by the offset and lets go.
    void Drag(QPoint from, QPoint offset)
    {
        const QPoint start = m_origin + from;
        const QPoint end = start + offset;
        Xdo(MoveTo(start) + QStringList{"mousedown", "1"} + MoveTo(end) + QStringList{"mouseup", "1"});
    }
    // Types the text into whatever has the keyboard, capitals with Shift as a user does.
    void TypeText(const QString& strText)
    {
        Mark();
        Xdo({"type", "--delay", "20", strText});
    }
    // Presses keys one after the other ("ctrl+a", "BackSpace", "Return").
    void Keys(const QStringList& keys)
    {
        Mark();
        Xdo(QStringList{"key", "--delay", "40"} + keys);
    }
    void DoubleClick(QPoint point)
    {
        Mark();
        const QPoint screen = m_origin + point;
        Xdo(MoveTo(screen) + QStringList{"click", "--repeat", "2", "--delay", "80", "1"});
    }
    // Plays the station of a tree row by a double-click, as a user does: true
    // once the view has started it. A double-click that went nowhere, the
    // window just shown and not yet taking input, is tried again.
    bool PlayRow(QPoint point)
    {
        for (int nTry = 0; nTry < 3; ++nTry) {
            DoubleClick(point);
            if (WaitForLine("kestova.user: play ", 5000))
                return true;
        }
        return false;
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
