// The media player against the mpv command line on the same loopback stream:
// the time from a play request to audio flowing (the engine's playback
// restart), taken in turns, and the memory of each while it plays audio for
// 10 s. Sound goes nowhere (ao=null). Prints one line per figure.
//
//   PlayerBench [rounds]        the comparison (default 9 rounds)
//   PlayerBench --rss <url>     plays the address for 10 s and prints its memory
#include "MediaControl.h"
#include "MediaPlayer.h"
#include "platform/MediaServer.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLocalSocket>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

constexpr int kPlaySeconds = 10;
// A stopped stream takes the engine a while to close; each round starts idle.
constexpr int kSettleMs = 500;

void PumpUntil(const std::function<bool()>& done, int nMs)
{
    const QDeadlineTimer giveUp(nMs);
    while (!done() && !giveUp.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
}

double Median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const size_t uMiddle = values.size() / 2;
    return values.size() % 2 == 1 ? values[uMiddle] : (values[uMiddle - 1] + values[uMiddle]) / 2;
}

// "VmRSS" or "VmHWM" of a process, in MiB.
double MemoryMiB(qint64 nPid, const char* pField)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(nPid));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith(pField))
            return line.mid(static_cast<int>(strlen(pField)) + 1).trimmed().split(' ').first().toDouble() /
                   1024;
    }
    return 0;
}

// Milliseconds from the play request to playing; -1 when it did not play.
double TimeOurs(CMediaPlayer& player, const QString& strUrl)
{
    QElapsedTimer timer;
    timer.start();
    player.put_URL(strUrl.toUtf8().constData());
    player.play();
    PumpUntil([&] { return player.get_playState() == CMediaControl::kPlaying; }, 10000);
    const double dMs = timer.nsecsElapsed() / 1e6;
    const bool bPlayed = player.get_playState() == CMediaControl::kPlaying;
    player.stop();
    PumpUntil([] { return false; }, kSettleMs);
    return bPlayed ? dMs : -1;
}

// The command line player, idle, driven through its JSON socket.
class CCommandLinePlayer
{
public:
    bool Start(const QString& strSocket)
    {
        m_process.setProgram(QStringLiteral("mpv"));
        m_process.setArguments({"--idle=yes", "--no-config", "--ao=null", "--vo=null", "--no-terminal",
                                "--ytdl=no", "--input-ipc-server=" + strSocket});
        m_process.start();
        if (!m_process.waitForStarted(5000))
            return false;
        PumpUntil(
            [&] {
                m_socket.connectToServer(strSocket);
                return m_socket.waitForConnected(50);
            },
            5000);
        return m_socket.state() == QLocalSocket::ConnectedState;
    }
    ~CCommandLinePlayer()
    {
        m_socket.abort();
        m_process.kill();
        m_process.waitForFinished(5000);
    }

    double Time(const QString& strUrl)
    {
        m_socket.readAll();
        QElapsedTimer timer;
        timer.start();
        Send("[\"loadfile\",\"" + strUrl + "\"]");
        bool bPlaying = false;
        QByteArray buffer;
        PumpUntil(
            [&] {
                m_socket.waitForReadyRead(1);
                buffer += m_socket.readAll();
                bPlaying = buffer.contains("\"playback-restart\"");
                return bPlaying;
            },
            10000);
        const double dMs = timer.nsecsElapsed() / 1e6;
        Send("[\"stop\"]");
        PumpUntil([] { return false; }, kSettleMs);
        return bPlaying ? dMs : -1;
    }

private:
    void Send(const QString& strCommand)
    {
        m_socket.write(("{\"command\":" + strCommand + "}\n").toUtf8());
        m_socket.flush();
    }

    QProcess m_process;
    QLocalSocket m_socket;
};

int PrintOwnMemory(const QString& strUrl)
{
    CMediaPlayer player;
    player.put_URL(strUrl.toUtf8().constData());
    PumpUntil([] { return false; }, kPlaySeconds * 1000);
    const bool bPlaying = player.get_playState() == CMediaControl::kPlaying;
    std::printf("%.1f %.1f %d\n", MemoryMiB(QCoreApplication::applicationPid(), "VmRSS:"),
                MemoryMiB(QCoreApplication::applicationPid(), "VmHWM:"), bPlaying ? 1 : 0);
    return bPlaying ? 0 : 1;
}

void CompareMemory(const QString& strUrl)
{
    QProcess ours;
    ours.start(QCoreApplication::applicationFilePath(), {"--rss", strUrl});
    PumpUntil([&] { return ours.state() == QProcess::NotRunning; }, (kPlaySeconds + 20) * 1000);
    const QList<QByteArray> figures = ours.readAllStandardOutput().trimmed().split(' ');
    if (figures.size() == 3 && figures[2] == "1")
        std::printf("player RSS after %d s of audio: %s MiB (peak %s MiB)\n", kPlaySeconds,
                    figures[0].constData(), figures[1].constData());
    else
        std::printf("player RSS: the player did not play\n");

    QProcess cli;
    cli.start(QStringLiteral("mpv"), {"--no-config", "--ao=null", "--vo=null", "--no-terminal", strUrl});
    if (!cli.waitForStarted(5000))
        return;
    PumpUntil([] { return false; }, kPlaySeconds * 1000);
    std::printf("mpv command line RSS after %d s of audio: %.1f MiB (peak %.1f MiB)\n", kPlaySeconds,
                MemoryMiB(cli.processId(), "VmRSS:"), MemoryMiB(cli.processId(), "VmHWM:"));
    cli.kill();
    cli.waitForFinished(5000);
}

int Compare(int nRounds)
{
    MediaServer server(std::filesystem::path(KESTOVA_SOURCE_DIR) / "tests" / "player" / "media");
    if (!server.IsRunning())
        return 1;
    const QString strUrl = QString::fromStdString(server.Url("/live.mp3"));
    CMediaPlayer player;
    QTemporaryDir folder;
    CCommandLinePlayer cli;
    const bool bCli =
        !QStandardPaths::findExecutable("mpv").isEmpty() && cli.Start(folder.filePath("mpv.sock"));
    if (!bCli)
        std::printf("the mpv command line is not at hand: the player alone\n");
    std::vector<double> ours, theirs, ratios;
    for (int i = 0; i < nRounds; ++i) {
        const double dOurs = TimeOurs(player, strUrl);
        const double dTheirs = bCli ? cli.Time(strUrl) : -1;
        std::printf("round %d: player %.1f ms, mpv command line %.1f ms\n", i + 1, dOurs, dTheirs);
        if (dOurs > 0)
            ours.push_back(dOurs);
        if (dOurs > 0 && dTheirs > 0) {
            theirs.push_back(dTheirs);
            ratios.push_back(dOurs / dTheirs);
        }
    }
    std::printf("play to audio, median: player %.1f ms, mpv command line %.1f ms, ratio %.2f\n", Median(ours),
                Median(theirs), Median(ratios));
    CompareMemory(strUrl);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    // A benchmark plays silently and needs no screen.
    ::setenv("KESTOVA_MPV_OPTIONS", "ao=null,vo=null", 0);
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() == 3 && arguments[1] == "--rss")
        return PrintOwnMemory(arguments[2]);
    const int nRounds = arguments.size() > 1 ? std::max(1, arguments[1].toInt()) : 9;
    return Compare(nRounds);
}
