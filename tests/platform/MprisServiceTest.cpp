#include "MprisService.h"

#include "../support/CoreApp.h"
#include "../support/TestHome.h"
#include "MprisHost.h"

#include <QProcess>
#include <QStringList>
#include <QThread>
#include <chrono>
#include <future>
#include <gtest/gtest.h>
#include <string>
#include <vector>

// Every case runs in a process of its own (ctest) under a private session bus
// (dbus-run-session), and drives the service with the clients a desktop uses.

namespace {

const QString kBusName = QString::fromLatin1(CMprisService::kBusName);
const QString kObjectPath = QString::fromLatin1(CMprisService::kObjectPath);
const QString kRoot = QStringLiteral("org.mpris.MediaPlayer2");
const QString kPlayer = QStringLiteral("org.mpris.MediaPlayer2.Player");
const QString kProperties = QStringLiteral("org.freedesktop.DBus.Properties");

// Records what the controls asked of the program, and on which thread.
class CRecordingHost : public CMprisHost
{
public:
    void Raise() override { Record("Raise"); }
    void Quit() override { Record("Quit"); }
    void Play() override { Record("Play"); }
    void Stop() override { Record("Stop"); }
    void PlayPause() override { Record("PlayPause"); }
    void Next() override { Record("Next"); }
    void Previous() override { Record("Previous"); }
    void SetVolume(double dVolume) override
    {
        Record("SetVolume");
        m_volumes.push_back(dVolume);
    }

    std::vector<std::string> m_calls;
    std::vector<double> m_volumes;
    bool m_bAllOnUserInterfaceThread = true;

private:
    void Record(const char* pCall)
    {
        m_bAllOnUserInterfaceThread =
            m_bAllOnUserInterfaceThread && QThread::currentThread() == QCoreApplication::instance()->thread();
        m_calls.emplace_back(pCall);
    }
};

struct CClientRun
{
    int nExitCode = -1;
    QString strOut;
    QString strError;
};

// Runs a client to its end while this thread's event loop serves its calls, as
// the program's user-interface thread would.
CClientRun RunClient(const QString& strProgram, const QStringList& arguments)
{
    QProcess process;
    process.start(strProgram, arguments);
    ProcessEventsUntil([&] { return process.state() == QProcess::NotRunning; }, 10000);
    if (process.state() != QProcess::NotRunning) {
        process.kill();
        process.waitForFinished(1000);
        return {-1, {}, QStringLiteral("timed out")};
    }
    const bool bExited = process.exitStatus() == QProcess::NormalExit;
    return {bExited ? process.exitCode() : -1, QString::fromUtf8(process.readAllStandardOutput()).trimmed(),
            QString::fromUtf8(process.readAllStandardError()).trimmed()};
}

CClientRun Gdbus(const QStringList& methodAndArguments)
{
    return RunClient(QStringLiteral("gdbus"),
                     QStringList{QStringLiteral("call"), QStringLiteral("--session"),
                                 QStringLiteral("--dest"), kBusName, QStringLiteral("--object-path"),
                                 kObjectPath, QStringLiteral("--timeout"), QStringLiteral("5"),
                                 QStringLiteral("--method")} +
                         methodAndArguments);
}

CClientRun GetProperty(const QString& strInterface, const QString& strName)
{
    return Gdbus({kProperties + QStringLiteral(".Get"), strInterface, strName});
}

CClientRun SetVolume(const QString& strValue)
{
    return Gdbus({kProperties + QStringLiteral(".Set"), kPlayer, QStringLiteral("Volume"), strValue});
}

CClientRun Playerctl(const QStringList& arguments)
{
    return RunClient(QStringLiteral("playerctl"),
                     QStringList{QStringLiteral("--player=kestova")} + arguments);
}

// gdbus prints a property as a one-value tuple of a variant.
QString Printed(const char* pValue)
{
    return QStringLiteral("(<%1>,)").arg(QString::fromUtf8(pValue));
}

// The metadata of a station, as gdbus prints it: it names the types that are not
// plain strings or doubles, so the text pins down the marshalled types.
constexpr char kStationMetadata[] =
    "{'mpris:artUrl': <'file:///usr/share/kestova/Station%20Icons/7.png'>, "
    "'mpris:trackid': <objectpath '/org/mpris/MediaPlayer2/kestova/station/7'>, "
    "'xesam:album': <'Radio Kestova'>, 'xesam:artist': <['Radio Kestova']>, "
    "'xesam:title': <'Morning Show - News'>}";

CMprisState PlayingStation()
{
    CMprisState state;
    state.m_bPlaying = true;
    state.m_strTitle = "Morning Show - News";
    state.m_strStation = "Radio Kestova";
    state.m_strArtFile = "/usr/share/kestova/Station Icons/7.png";
    state.m_nTrack = 7;
    state.m_dVolume = 0.25;
    state.m_bCanGoNext = true;
    state.m_bCanGoPrevious = true;
    state.m_bCanPlay = true;
    return state;
}

// RaiseRunningCopy waits for the answer; here the answer comes from this very
// thread's event loop, so the call goes out from a worker, as from a second copy.
bool RaiseFromWorker()
{
    std::future<bool> answered = std::async(std::launch::async, &CMprisService::RaiseRunningCopy);
    ProcessEventsUntil(
        [&] { return answered.wait_for(std::chrono::seconds(0)) == std::future_status::ready; }, 10000);
    return answered.get();
}

class MprisServiceTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { EnsureCoreApplication(); }

    void Start(const CMprisState& state)
    {
        ASSERT_TRUE(m_service.Register());
        EXPECT_TRUE(m_service.IsRegistered());
        m_service.Update(state);
    }

    CTestHome m_home;
    CRecordingHost m_host;
    CMprisService m_service{m_host};
};

TEST_F(MprisServiceTest, PropertiesCarryTheirInterfaceTypes)
{
    Start(PlayingStation());
    struct CCase
    {
        const QString& strInterface;
        const char* pName;
        const char* pPrinted;
    };
    const CCase cases[] = {
        {kRoot, "Identity", "'Kestova'"},
        {kRoot, "DesktopEntry", "'kestova'"},
        {kRoot, "CanRaise", "true"},
        {kRoot, "CanQuit", "true"},
        {kRoot, "HasTrackList", "false"},
        {kRoot, "CanSetFullscreen", "false"},
        {kRoot, "SupportedUriSchemes", "@as []"},
        {kPlayer, "PlaybackStatus", "'Playing'"},
        {kPlayer, "Metadata", kStationMetadata},
        {kPlayer, "Volume", "0.25"},
        {kPlayer, "Rate", "1.0"},
        {kPlayer, "MaximumRate", "1.0"},
        {kPlayer, "Position", "int64 0"},
        {kPlayer, "CanGoNext", "true"},
        {kPlayer, "CanPause", "false"},
        {kPlayer, "CanSeek", "false"},
        {kPlayer, "CanControl", "true"},
    };
    for (const CCase& test : cases) {
        const CClientRun run = GetProperty(test.strInterface, QString::fromLatin1(test.pName));
        EXPECT_EQ(run.strOut, Printed(test.pPrinted)) << test.pName << ": " << run.strError.toStdString();
    }

    const CClientRun all = Gdbus({kProperties + QStringLiteral(".GetAll"), kPlayer});
    EXPECT_TRUE(all.strOut.contains(QStringLiteral("'Metadata': <") + QString::fromLatin1(kStationMetadata)))
        << all.strOut.toStdString();
    EXPECT_TRUE(all.strOut.contains(QStringLiteral("'Position': <int64 0>")));

    // gdbus introspect reads every value with GetAll and prints it beside the
    // type the introspection data declares.
    const CClientRun introspection =
        RunClient(QStringLiteral("gdbus"),
                  {QStringLiteral("introspect"), QStringLiteral("--session"), QStringLiteral("--dest"),
                   kBusName, QStringLiteral("--object-path"), kObjectPath});
    for (const char* pLine :
         {"readwrite d Volume = 0.25;", "readonly x Position = 0;", "readonly as SupportedMimeTypes = [];",
          "readonly s Identity = 'Kestova';", "PlayPause();", "Seek(in  x Offset);"}) {
        EXPECT_TRUE(introspection.strOut.contains(QString::fromLatin1(pLine))) << pLine;
    }
}

TEST_F(MprisServiceTest, MetadataFollowsTheStation)
{
    CMprisState noStation;
    CMprisState captionOnly = PlayingStation();
    captionOnly.m_strTitle.Empty();
    captionOnly.m_strArtFile.Empty();
    captionOnly.m_nTrack = -2;
    struct CCase
    {
        CMprisState state;
        const char* pMetadata;
    };
    const CCase cases[] = {
        {PlayingStation(), kStationMetadata},
        {noStation, "{'mpris:trackid': <objectpath '/org/mpris/MediaPlayer2/TrackList/NoTrack'>}"},
        // Without a title the caption stands in; an object path takes no sign.
        {captionOnly, "{'mpris:trackid': <objectpath '/org/mpris/MediaPlayer2/kestova/station/4294967294'>, "
                      "'xesam:album': <'Radio Kestova'>, 'xesam:artist': <['Radio Kestova']>, "
                      "'xesam:title': <'Radio Kestova'>}"},
    };
    ASSERT_TRUE(m_service.Register());
    for (const CCase& test : cases) {
        m_service.Update(test.state);
        EXPECT_EQ(GetProperty(kPlayer, QStringLiteral("Metadata")).strOut, Printed(test.pMetadata));
    }

    m_service.Update(PlayingStation());
    const CClientRun metadata =
        Playerctl({QStringLiteral("metadata"), QStringLiteral("--format"),
                   QStringLiteral("{{mpris:trackid}}|{{title}}|{{album}}|{{artist}}|{{mpris:artUrl}}")});
    EXPECT_EQ(metadata.strOut.toStdString(),
              "'/org/mpris/MediaPlayer2/kestova/station/7'|Morning Show - News|"
              "Radio Kestova|Radio Kestova|"
              "file:///usr/share/kestova/Station%20Icons/7.png");
    EXPECT_EQ(Playerctl({QStringLiteral("status")}).strOut, QStringLiteral("Playing"));
    CMprisState stopped = PlayingStation();
    stopped.m_bPlaying = false;
    m_service.Update(stopped);
    EXPECT_EQ(Playerctl({QStringLiteral("status")}).strOut, QStringLiteral("Stopped"));
}

TEST_F(MprisServiceTest, ControlsReachTheHostOnTheUserInterfaceThread)
{
    Start(PlayingStation());
    struct CCase
    {
        QString strProgram;
        QStringList arguments;
        const char* pCall; // null: accepted, and nothing for the host to do
    };
    const QString strPlayerctl = QStringLiteral("playerctl");
    const QString strGdbus = QStringLiteral("gdbus");
    const CCase cases[] = {
        {strPlayerctl, {QStringLiteral("next")}, "Next"},
        {strPlayerctl, {QStringLiteral("previous")}, "Previous"},
        {strPlayerctl, {QStringLiteral("play")}, "Play"},
        {strPlayerctl, {QStringLiteral("stop")}, "Stop"},
        {strPlayerctl, {QStringLiteral("play-pause")}, "PlayPause"},
        {strGdbus, {kPlayer + QStringLiteral(".Pause")}, nullptr},
        {strGdbus, {kPlayer + QStringLiteral(".Seek"), QStringLiteral("5000000")}, nullptr},
        {strGdbus, {kRoot + QStringLiteral(".Raise")}, "Raise"},
        {strGdbus, {kRoot + QStringLiteral(".Quit")}, "Quit"},
    };
    std::vector<std::string> expected;
    for (const CCase& test : cases) {
        const CClientRun run =
            test.strProgram == strGdbus ? Gdbus(test.arguments) : Playerctl(test.arguments);
        EXPECT_EQ(run.nExitCode, 0) << test.arguments.join(u' ').toStdString() << ": "
                                    << run.strError.toStdString();
        if (test.pCall != nullptr)
            expected.emplace_back(test.pCall);
        ProcessEventsUntil([&] { return m_host.m_calls.size() == expected.size(); }, 5000);
    }
    EXPECT_EQ(m_host.m_calls, expected);
    EXPECT_TRUE(m_host.m_bAllOnUserInterfaceThread);
}

TEST_F(MprisServiceTest, VolumeReachesTheHostClampedAndShowsOnlyWhatTheProgramHandsBack)
{
    Start(PlayingStation());
    EXPECT_EQ(Playerctl({QStringLiteral("volume"), QStringLiteral("0.5")}).nExitCode, 0);
    EXPECT_EQ(SetVolume(QStringLiteral("<1.7>")).nExitCode, 0);
    EXPECT_EQ(SetVolume(QStringLiteral("<-0.2>")).nExitCode, 0);
    ProcessEventsUntil([&] { return m_host.m_volumes.size() == 3; }, 5000);
    EXPECT_EQ(m_host.m_volumes, (std::vector<double>{0.5, 1.0, 0.0}));

    EXPECT_EQ(GetProperty(kPlayer, QStringLiteral("Volume")).strOut, Printed("0.25"));
    CMprisState louder = PlayingStation();
    louder.m_dVolume = 0.75;
    m_service.Update(louder);
    EXPECT_EQ(GetProperty(kPlayer, QStringLiteral("Volume")).strOut, Printed("0.75"));
}

TEST_F(MprisServiceTest, BadCallsGetTheirErrors)
{
    Start(PlayingStation());
    struct CCase
    {
        QStringList call;
        const char* pError;
    };
    const QString strGet = kProperties + QStringLiteral(".Get");
    const QString strSet = kProperties + QStringLiteral(".Set");
    const CCase cases[] = {
        {{strGet, kPlayer, QStringLiteral("Shuffle")}, "org.freedesktop.DBus.Error.UnknownProperty"},
        {{strGet, QStringLiteral("org.example.Nothing"), QStringLiteral("Volume")},
         "org.freedesktop.DBus.Error.UnknownInterface"},
        {{strSet, kRoot, QStringLiteral("Identity"), QStringLiteral("<'Other'>")},
         "org.freedesktop.DBus.Error.PropertyReadOnly"},
        {{strSet, kPlayer, QStringLiteral("PlaybackStatus"), QStringLiteral("<'Playing'>")},
         "org.freedesktop.DBus.Error.PropertyReadOnly"},
        {{strSet, kPlayer, QStringLiteral("Volume"), QStringLiteral("<'loud'>")},
         "org.freedesktop.DBus.Error.InvalidArgs"},
        {{strSet, kPlayer, QStringLiteral("Volume"), QStringLiteral("<nan>")},
         "org.freedesktop.DBus.Error.InvalidArgs"},
        {{strSet, kPlayer, QStringLiteral("Volume"), QStringLiteral("<1>")},
         "org.freedesktop.DBus.Error.InvalidArgs"},
        {{kPlayer + QStringLiteral(".Rewind")}, "org.freedesktop.DBus.Error.UnknownMethod"},
        {{kPlayer + QStringLiteral(".OpenUri"), QStringLiteral("http://example.org/stream")},
         "org.freedesktop.DBus.Error.NotSupported"},
    };
    for (const CCase& test : cases) {
        const CClientRun run = Gdbus(test.call);
        EXPECT_NE(run.nExitCode, 0) << test.call.join(u' ').toStdString();
        EXPECT_TRUE(run.strError.contains(QString::fromLatin1(test.pError)))
            << test.call.join(u' ').toStdString() << ": " << run.strError.toStdString();
    }

    // Arguments of the wrong number, which gdbus would refuse to send.
    const CClientRun dbusSend =
        RunClient(QStringLiteral("dbus-send"), {QStringLiteral("--session"), QStringLiteral("--print-reply"),
                                                QStringLiteral("--dest=") + kBusName, kObjectPath, strGet,
                                                QStringLiteral("string:") + kPlayer});
    EXPECT_TRUE(dbusSend.strError.contains(QStringLiteral("org.freedesktop.DBus.Error.InvalidArgs")))
        << dbusSend.strError.toStdString();

    QCoreApplication::processEvents();
    EXPECT_TRUE(m_host.m_calls.empty());
}

// gdbus monitor prints each signal on a line of its own, with the types of its values.
class CSignalMonitor
{
public:
    CSignalMonitor()
    {
        m_process.start(QStringLiteral("gdbus"),
                        {QStringLiteral("monitor"), QStringLiteral("--session"), QStringLiteral("--dest"),
                         kBusName, QStringLiteral("--object-path"), kObjectPath});
    }
    ~CSignalMonitor()
    {
        m_process.kill();
        m_process.waitForFinished(1000);
    }
    CSignalMonitor(const CSignalMonitor&) = delete;
    CSignalMonitor& operator=(const CSignalMonitor&) = delete;

    // The changes announced since the last call, each as its argument tuple.
    std::vector<std::string> TakeChanges()
    {
        m_strPending += QString::fromUtf8(m_process.readAllStandardOutput());
        std::vector<std::string> changes;
        const QString strMarker = QStringLiteral(": org.freedesktop.DBus.Properties.PropertiesChanged ");
        while (m_strPending.contains(u'\n')) {
            const QString strLine = m_strPending.section(u'\n', 0, 0);
            m_strPending = m_strPending.section(u'\n', 1);
            const qsizetype nAt = strLine.indexOf(strMarker);
            if (nAt >= 0)
                changes.push_back(strLine.mid(nAt + strMarker.size()).toStdString());
        }
        return changes;
    }

private:
    QProcess m_process;
    QString m_strPending;
};

TEST_F(MprisServiceTest, PropertiesChangedAnnouncesExactlyWhatChanged)
{
    CMprisState state = PlayingStation();
    Start(state);
    CSignalMonitor monitor;
    // The monitor's subscription takes effect at a moment no client tells: nudge
    // the state until an announcement comes through.
    bool bHeard = false;
    ProcessEventsUntil(
        [&] {
            if (!bHeard) {
                state.m_bCanPlay = !state.m_bCanPlay;
                m_service.Update(state);
                QThread::msleep(20);
                bHeard = !monitor.TakeChanges().empty();
            }
            return bHeard;
        },
        10000);
    ASSERT_TRUE(bHeard);
    ProcessEventsUntil([] { return false; }, 300);
    monitor.TakeChanges();

    struct CCase
    {
        void (*pChange)(CMprisState& state);
        const char* pAnnounced; // null: nothing to announce
    };
    const CCase cases[] = {
        {[](CMprisState& s) { s.m_strTitle = "Afternoon Jazz"; },
         "{'Metadata': <{'mpris:artUrl': <'file:///usr/share/kestova/Station%20Icons/7.png'>, "
         "'mpris:trackid': <objectpath '/org/mpris/MediaPlayer2/kestova/station/7'>, "
         "'xesam:album': <'Radio Kestova'>, 'xesam:artist': <['Radio Kestova']>, "
         "'xesam:title': <'Afternoon Jazz'>}>}"},
        {[](CMprisState&) {}, nullptr},
        {[](CMprisState& s) { s.m_dVolume = 0.75; }, "{'Volume': <0.75>}"},
        {[](CMprisState& s) { s.m_bPlaying = false; }, "{'PlaybackStatus': <'Stopped'>}"},
        {[](CMprisState& s) {
             s.m_bCanGoNext = false;
             s.m_bCanGoPrevious = false;
         },
         "{'CanGoNext': <false>, 'CanGoPrevious': <false>}"},
        // Without a station the title has nothing to show either.
        {[](CMprisState& s) { s.m_strStation.Empty(); },
         "{'Metadata': <{'mpris:trackid': <objectpath '/org/mpris/MediaPlayer2/TrackList/NoTrack'>}>}"},
        {[](CMprisState& s) { s.m_strTitle = "Unseen"; }, nullptr},
    };
    std::vector<std::string> expected;
    for (const CCase& test : cases) {
        test.pChange(state);
        m_service.Update(state);
        if (test.pAnnounced != nullptr)
            expected.push_back("('org.mpris.MediaPlayer2.Player', " + std::string(test.pAnnounced) +
                               ", @as [])");
    }
    // A last change that surely shows, so that every earlier one has arrived by then.
    state.m_bCanPlay = !state.m_bCanPlay;
    m_service.Update(state);
    expected.push_back(std::string("('org.mpris.MediaPlayer2.Player', {'CanPlay': <") +
                       (state.m_bCanPlay ? "true" : "false") + ">}, @as [])");

    std::vector<std::string> announced;
    ProcessEventsUntil(
        [&] {
            for (std::string& change : monitor.TakeChanges())
                announced.push_back(std::move(change));
            return announced.size() >= expected.size();
        },
        10000);
    EXPECT_EQ(announced, expected);
}

TEST_F(MprisServiceTest, RaiseRunningCopyReachesTheCopyThatOwnsTheName)
{
    EXPECT_FALSE(RaiseFromWorker());
    {
        CMprisService service(m_host);
        ASSERT_TRUE(service.Register());
        EXPECT_TRUE(RaiseFromWorker());
        ProcessEventsUntil([&] { return !m_host.m_calls.empty(); }, 5000);
        EXPECT_EQ(m_host.m_calls, std::vector<std::string>{"Raise"});
        EXPECT_FALSE(m_service.Register());
        EXPECT_FALSE(m_service.IsRegistered());
    }
    EXPECT_FALSE(RaiseFromWorker());
    // The name went with the service that held it.
    EXPECT_TRUE(m_service.Register());
    EXPECT_TRUE(RaiseFromWorker());
}

// Without any session bus the service stays unregistered, takes its state all the
// same and reaches nobody. The bus must be gone before the process's first
// connection, which this case, running in a process of its own, is.
TEST(MprisServiceWithoutBusTest, RegisterFailsAndTheServiceStaysUsable)
{
    CTestHome home;
    qunsetenv("DBUS_SESSION_BUS_ADDRESS");
    qunsetenv("DISPLAY");
    EnsureCoreApplication();
    CRecordingHost host;
    CMprisService service(host);
    EXPECT_FALSE(service.Register());
    EXPECT_FALSE(service.IsRegistered());
    service.Update(PlayingStation());
    EXPECT_FALSE(CMprisService::RaiseRunningCopy());
}

} // namespace
