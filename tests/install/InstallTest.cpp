// The installed program, made from this build as a user gets it: `cmake
// --install` into a temporary prefix lays out the tree (the program and tools in
// bin/, the web view module in lib/kestova/, the shipped data in
// share/kestova/res/, the desktop entry, icons and AppStream record), the
// program runs from that tree after it has been moved and reads no other copy's
// files, the desktop files pass their checkers, and cpack makes the Debian
// package of the same tree under /usr.
#include "../support/LocalHttpServer.h"
#include "../support/TestHome.h"

#include <QDeadlineTimer>
#include <QProcess>
#include <algorithm>
#include <chrono>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <set>
#include <string>
#include <thread>

namespace {

namespace fs = std::filesystem;

// The files of every installed tree, below the prefix.
const char* const kInstalledFiles[] = {
    "bin/kestova",
    "bin/kestova-lists",
    "bin/kestova-settings",
    "lib/kestova/libkestova_mpv.so",
    "lib/kestova/libkestova_webview.so",
    "lib/kestova/kestova-web",
    "share/kestova/res/MoviesSettings.txt",
    "share/kestova/res/Skin/SkinInfo.xml",
    "share/kestova/res/Icons/Station.ico",
    "share/applications/kestova.desktop",
    "share/icons/hicolor/scalable/apps/kestova.svg",
    "share/icons/hicolor/48x48/apps/kestova.png",
    "share/icons/hicolor/256x256/apps/kestova.png",
    "share/metainfo/kestova.metainfo.xml",
};

struct CRun
{
    int nExit = -1; // -1 when the program did not start, crashed or hung
    std::string strOutput;
};

// Runs a program to its end, its output and errors merged.
CRun RunToEnd(const fs::path& program, const QStringList& arguments, const fs::path& folder = {})
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    if (!folder.empty())
        process.setWorkingDirectory(QString::fromStdString(folder.string()));
    process.start(QString::fromStdString(program.string()), arguments);
    CRun run;
    if (!process.waitForFinished(180000)) {
        process.kill();
        process.waitForFinished();
    } else if (process.exitStatus() == QProcess::NormalExit) {
        run.nExit = process.exitCode();
    }
    run.strOutput = process.readAll().toStdString();
    return run;
}

QString Text(const fs::path& path)
{
    return QString::fromStdString(path.string());
}

// The paths of the files below a folder, relative to it.
std::set<std::string> FilesBelow(const fs::path& folder)
{
    std::set<std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(folder))
        if (entry.is_regular_file())
            files.insert(fs::relative(entry.path(), folder).string());
    return files;
}

// The width and height of a PNG file, from its header.
std::pair<int, int> PngSize(const fs::path& file)
{
    const std::string strBytes = CTestHome::ReadFile(file);
    if (strBytes.size() < 24 || strBytes.compare(1, 3, "PNG") != 0)
        return {0, 0};
    const auto number = [&](size_t uAt) {
        int nValue = 0;
        for (size_t i = uAt; i < uAt + 4; ++i)
            nValue = nValue * 256 + static_cast<unsigned char>(strBytes[i]);
        return nValue;
    };
    return {number(16), number(20)};
}

class InstallTest : public testing::Test
{
protected:
    // Installs this build below the prefix; false, with cmake's words in the
    // failure, when it could not.
    testing::AssertionResult Install(const fs::path& prefix) const
    {
        const CRun run = RunToEnd(KESTOVA_CMAKE, {"--install", KESTOVA_BUILD_DIR, "--prefix", Text(prefix)});
        if (run.nExit != 0)
            return testing::AssertionFailure() << run.strOutput;
        return testing::AssertionSuccess();
    }

    CTestHome m_home;
};

TEST_F(InstallTest, TheTreeHoldsTheProgramTheToolsTheModuleTheDataAndTheDesktopFiles)
{
    const fs::path prefix = m_home.Root() / "prefix";
    ASSERT_TRUE(Install(prefix));
    for (const char* pFile : kInstalledFiles)
        EXPECT_TRUE(fs::is_regular_file(prefix / pFile)) << pFile;
    for (const char* pProgram : {"kestova", "kestova-lists", "kestova-settings"})
        EXPECT_NE(fs::status(prefix / "bin" / pProgram).permissions() & fs::perms::others_exec,
                  fs::perms::none)
            << pProgram;
    EXPECT_EQ(FilesBelow(prefix / "share" / "kestova" / "res"),
              FilesBelow(fs::path(KESTOVA_SOURCE_DIR) / "res"))
        << "all of the shipped data, and nothing else";
    EXPECT_EQ(PngSize(prefix / "share/icons/hicolor/48x48/apps/kestova.png"), std::make_pair(48, 48));
    EXPECT_EQ(PngSize(prefix / "share/icons/hicolor/256x256/apps/kestova.png"), std::make_pair(256, 256));
}

// The desktop entry starts the program by its name and ties the window (whose
// class the program sets to "kestova") to the entry and its icon; the
// AppStream record launches the same entry.
TEST_F(InstallTest, TheDesktopEntryAndTheAppStreamRecordPassTheirCheckers)
{
    const fs::path prefix = m_home.Root() / "prefix";
    ASSERT_TRUE(Install(prefix));
    const fs::path desktop = prefix / "share/applications/kestova.desktop";
    const fs::path metainfo = prefix / "share/metainfo/kestova.metainfo.xml";

    const CRun entry = RunToEnd("desktop-file-validate", {Text(desktop)});
    EXPECT_EQ(entry.nExit, 0) << entry.strOutput;
    EXPECT_EQ(entry.strOutput.find("error"), std::string::npos) << entry.strOutput;
    // The component's id is the desktop file's name, which is not a reverse
    // domain name; that is the one finding allowed.
    const CRun record =
        RunToEnd("appstreamcli",
                 {"validate", "--no-net", "--override=cid-desktopapp-is-not-rdns=info", Text(metainfo)});
    EXPECT_EQ(record.nExit, 0) << record.strOutput;

    const std::string strEntry = CTestHome::ReadFile(desktop);
    for (const char* pLine :
         {"\nExec=kestova\n", "\nIcon=kestova\n", "\nStartupWMClass=kestova\n", "\nTerminal=false\n",
          "\nCategories=AudioVideo;Audio;Video;Player;TV;Network;\n"})
        EXPECT_NE(strEntry.find(pLine), std::string::npos) << pLine;
    const std::string strRecord = CTestHome::ReadFile(metainfo);
    EXPECT_NE(strRecord.find("<id>kestova</id>"), std::string::npos);
    EXPECT_NE(strRecord.find("<launchable type=\"desktop-id\">kestova.desktop</launchable>"),
              std::string::npos);
}

// The installed tree is moved elsewhere, the settings name another copy's
// folder, and the program is started in that folder by another name (a link, as
// a launcher may make one). On its first start it must still copy the lists of
// its own tree, draw its own skin, load the web view module of its tree for the
// home server's page, and give its window the desktop entry's class.
TEST_F(InstallTest, TheMovedProgramRunsOnItsOwnTreeAlone)
{
    const fs::path installed = m_home.Root() / "installed";
    ASSERT_TRUE(Install(installed));
    const fs::path prefix = m_home.Root() / "moved" / "usr";
    fs::create_directories(prefix.parent_path());
    fs::rename(installed, prefix);
    const fs::path shipped = prefix / "share" / "kestova";

    const fs::path other = m_home.Root() / "other";
    CTestHome::WriteFile(other / "res" / "MoviesSettings.txt", "another copy's catalogue");
    CTestHome::WriteFile(other / "res" / "Skin" / "SkinInfo.xml", "another copy's skin");
    const fs::path settingsTool = prefix / "bin" / "kestova-settings";
    ASSERT_EQ(RunToEnd(settingsTool, {"set", "SOFTWARE\\Kestova", "Install Path", Text(other)}).nExit, 0);

    // A home server without a readable manifest: the first start goes on with
    // the shipped lists, whose catalogue names the server's Home.html as the
    // page to show. The server list is made with the installed list tool.
    LocalHttpServer server;
    server.Serve("/UpdateSettings.txt", "no manifest here");
    server.Serve("/Home.html", "<html><body>Home</body></html>", "text/html");
    ASSERT_GT(server.Start(), 0);
    const fs::path working = m_home.Data() / "Kestova" / "res";
    CTestHome::WriteFile(m_home.Root() / "servers.xml",
                         "<SERVERS><VERSION>1.0</VERSION><URL>" + server.Url("/") + "</URL></SERVERS>");
    fs::create_directories(working);
    ASSERT_EQ(RunToEnd(prefix / "bin" / "kestova-lists", {"scramble", Text(m_home.Root() / "servers.xml"),
                                                          Text(working / "ServerSettings.txt")})
                  .nExit,
              0);

    const fs::path link = m_home.Root() / "links" / "tv";
    fs::create_directories(link.parent_path());
    fs::create_symlink(prefix / "bin" / "kestova", link);
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_LOGGING_RULES",
                       "kestova.user.debug=true;kestova.debug.debug=true;kestova.web.debug=true");
    program.setProcessEnvironment(environment);
    program.setProcessChannelMode(QProcess::MergedChannels);
    program.setWorkingDirectory(Text(other));
    program.start(Text(link), {});
    std::string strLog;
    const auto waitFor = [&](const std::function<bool()>& done) {
        const QDeadlineTimer giveUp(60000);
        while (!done() && !giveUp.hasExpired() && program.state() != QProcess::NotRunning) {
            program.waitForReadyRead(100);
            strLog += program.readAll().toStdString();
        }
        return done();
    };
    ASSERT_TRUE(waitFor([&] { return strLog.find("kestova.user: catalogue loaded") != std::string::npos; }))
        << strLog;

    EXPECT_NE(strLog.find("g_strPath Was Empty " + shipped.string() + "\n"), std::string::npos)
        << "the skin comes from the tree\n"
        << strLog;
    EXPECT_TRUE(CTestHome::ReadFile(working / "MoviesSettings.txt") ==
                CTestHome::ReadFile(shipped / "res" / "MoviesSettings.txt"))
        << "the catalogue is copied from the tree";
    EXPECT_EQ(RunToEnd(settingsTool, {"get", "SOFTWARE\\Kestova", "Install Path"}).strOutput,
              shipped.string() + "\n");
    waitFor([&] {
        return server.RequestCount("/Home.html") > 0 ||
               strLog.find("module cannot be loaded") != std::string::npos;
    });
    EXPECT_GT(server.RequestCount("/Home.html"), 0) << "the web view module of the tree shows the home page\n"
                                                    << strLog;

    // The window's class is the desktop entry's StartupWMClass, whatever the
    // name the program was started by (the instance name).
    std::string strWindow;
    const QDeadlineTimer giveUpWindow(30000);
    while (strWindow.empty() && !giveUpWindow.hasExpired()) {
        strWindow = RunToEnd("xdotool", {"search", "--onlyvisible", "--name", "^Kestova - "}).strOutput;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    ASSERT_FALSE(strWindow.empty());
    const CRun windowClass =
        RunToEnd("xprop", {"-id", QString::fromStdString(strWindow).section('\n', 0, 0), "WM_CLASS"});
    EXPECT_EQ(windowClass.strOutput, "WM_CLASS(STRING) = \"tv\", \"kestova\"\n");

    program.kill();
    program.waitForFinished();
}

// cpack on this build: the package is named after the program and its version,
// holds the installed tree under /usr and nothing else, and depends on the
// libraries that dpkg-shlibdeps found (the media engine, the web engine's
// widgets for the module) and on what runs without being linked.
TEST_F(InstallTest, ThePackageHoldsTheTreeUnderUsrAndNamesItsDependencies)
{
    const fs::path output = m_home.Root() / "package";
    const CRun cpack = RunToEnd(
        KESTOVA_CPACK, {"-G", "DEB", "--config", KESTOVA_BUILD_DIR "/CPackConfig.cmake", "-B", Text(output)});
    ASSERT_EQ(cpack.nExit, 0) << cpack.strOutput;
    const std::string strArchitecture =
        QString::fromStdString(RunToEnd("dpkg", {"--print-architecture"}).strOutput).trimmed().toStdString();
    const fs::path package = output / ("kestova_" KESTOVA_VERSION "_" + strArchitecture + ".deb");
    ASSERT_TRUE(fs::is_regular_file(package)) << cpack.strOutput;

    const CRun contents = RunToEnd("dpkg-deb", {"-c", Text(package)});
    ASSERT_EQ(contents.nExit, 0) << contents.strOutput;
    for (const char* pFile : kInstalledFiles)
        EXPECT_NE(contents.strOutput.find(std::string(" ./usr/") + pFile + "\n"), std::string::npos) << pFile;
    // Nothing else: no test, benchmark or static library, nothing outside these folders.
    const std::set<QString> folders = {"./", "./usr/", "./usr/bin/", "./usr/lib/", "./usr/share/"};
    const QStringList trees = {"./usr/lib/kestova/", "./usr/share/kestova/", "./usr/share/applications/",
                               "./usr/share/icons/", "./usr/share/metainfo/"};
    for (const QString& strLine :
         QString::fromStdString(contents.strOutput).split('\n', Qt::SkipEmptyParts)) {
        const QString strPath = strLine.section(' ', -1);
        const bool bProgram = strPath.startsWith("./usr/bin/kestova");
        const bool bInTree = std::any_of(trees.begin(), trees.end(),
                                         [&](const QString& strTree) { return strPath.startsWith(strTree); });
        EXPECT_TRUE(folders.count(strPath) > 0 || bProgram || bInTree) << strPath.toStdString();
    }

    const CRun fields = RunToEnd("dpkg-deb", {"-f", Text(package), "Package", "Version", "Depends"});
    EXPECT_NE(fields.strOutput.find("Package: kestova\n"), std::string::npos) << fields.strOutput;
    EXPECT_NE(fields.strOutput.find("Version: " KESTOVA_VERSION "\n"), std::string::npos) << fields.strOutput;
    for (const char* pDependency : {"libmpv2", "libqt6webenginewidgets6", "libqt6webenginecore6-bin",
                                    "xdg-utils", "fonts-liberation", "fonts-dejavu-core", "libgl1-mesa-dri"})
        EXPECT_NE(fields.strOutput.find(pDependency), std::string::npos) << pDependency << "\n"
                                                                         << fields.strOutput;
}

} // namespace
