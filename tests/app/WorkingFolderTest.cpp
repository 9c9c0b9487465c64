#include "WorkingFolder.h"

#include "../support/TestHome.h"
#include "FileHandler.h"
#include "Registry.h"
#include "Settings.h"

#include <gtest/gtest.h>
#include <unistd.h>
#include <vector>

namespace {

class WorkingFolderTest : public ::testing::Test
{
protected:
    // A program folder of its own with a scrambled res/InstallSettings.txt.
    std::filesystem::path MakeInstallFolder(const std::string& strSettings) const
    {
        const std::filesystem::path folder = m_home.Root() / "program";
        std::string bytes = strSettings;
        CFileHandler::Scramble(reinterpret_cast<unsigned char*>(bytes.data()), bytes.size(),
                               CFileHandler::kListFileKey);
        CTestHome::WriteFile(folder / "res" / kInstallSettingsFile, bytes);
        return folder;
    }

    CTestHome m_home;
};

TEST_F(WorkingFolderTest, TheWorkingFolderIsInTheUsersDataFolderAndIsCreated)
{
    const std::string strData = m_home.Data().string();
    EXPECT_EQ(GetMainFolder().GetText(), strData + "\\Kestova\\");
    EXPECT_EQ(GetResFolder().GetText(), strData + "\\Kestova\\res\\");
    EXPECT_TRUE(std::filesystem::is_directory(m_home.Data() / "Kestova" / "res"));
}

// A tree installed into the data folder's parent (~/.local) has its shipped
// data in "kestova" beside the working folder "Kestova"; the working copies and
// downloads must not go into the shipped data.
TEST_F(WorkingFolderTest, TheWorkingFolderIsNotAnInstalledTreesDataFolder)
{
    std::filesystem::create_directories(m_home.Data() / "kestova" / "res");
    CMyString strFile = GetResFolder();
    strFile += "Radio.txt";
    std::ofstream(CFileHandler::ToSystemPath(strFile)) << "list";
    EXPECT_TRUE(std::filesystem::is_regular_file(m_home.Data() / "Kestova" / "res" / "Radio.txt"));
    EXPECT_FALSE(std::filesystem::exists(m_home.Data() / "kestova" / "res" / "Radio.txt"));
}

TEST_F(WorkingFolderTest, WithoutXdgDataHomeTheFolderIsBelowHome)
{
    for (const char* pValue : {"", "relative/data"}) {
        SCOPED_TRACE(pValue);
        ::setenv("XDG_DATA_HOME", pValue, 1);
        EXPECT_EQ(GetMainFolder().GetText(), m_home.Root().string() + "/.local/share\\Kestova\\");
    }
    EXPECT_TRUE(std::filesystem::is_directory(m_home.Root() / ".local" / "share" / "Kestova"));
}

TEST_F(WorkingFolderTest, WithoutAnyDataFolderTheRelativeResFolderIsUsed)
{
    ::unsetenv("XDG_DATA_HOME");
    ::unsetenv("HOME");
    EXPECT_EQ(GetMainFolder(), "");
    EXPECT_EQ(GetResFolder(), "res\\");
}

TEST_F(WorkingFolderTest, IconFileNamesReplaceEveryPathAndMarkupCharacter)
{
    const std::pair<const char*, const char*> cases[] = {
        {"img/logo.gif?size=2", "img_logo_gif_size=2"},
        {"http://a.b\\c:d,e?f<g>h]i[j}k{l", "http___a_b_c_d_e_f_g_h_i_j_k_l"},
        {"A-b=c&d%e+f~g h", "A-b=c&d%e+f~g h"},
        {"../../etc/passwd", "______etc_passwd"},
        {"", ""},
    };
    for (const auto& [pAddress, pName] : cases)
        EXPECT_EQ(GetIconFileName(pAddress), pName) << pAddress;
}

TEST_F(WorkingFolderTest, AVeryLongAddressStillGetsAFileNameOfItsOwn)
{
    const std::string strBase = "http://icons.example/" + std::string(400, 'x');
    const CMyString strFirst = GetIconFileName((strBase + "1.gif").c_str());
    const CMyString strSecond = GetIconFileName((strBase + "2.gif").c_str());
    EXPECT_LE(strFirst.GetLength(), kMaxIconFileName);
    EXPECT_NE(strFirst, strSecond);
    EXPECT_EQ(strFirst, GetIconFileName((strBase + "1.gif").c_str()));
    // The file can really be made.
    Settings settings;
    std::ofstream(CFileHandler::ToSystemPath(settings.GetIconFilePath((strBase + "1.gif").c_str()))) << "gif";
    EXPECT_TRUE(CFileHandler::FileExists(settings.GetIconFilePath((strBase + "1.gif").c_str())));
}

TEST_F(WorkingFolderTest, IconPathsLieInTheResourceFolder)
{
    Settings settings;
    const std::string strRes = m_home.Data().string() + "\\Kestova\\res\\";
    EXPECT_EQ(settings.GetIconFilePath("img/logo.gif?size=2").GetText(), strRes + "img_logo_gif_size=2.gif");
    EXPECT_EQ(settings.GetCachedIconFilePath("img/logo.gif").GetText(),
              strRes + "CacheIcons\\img_logo_gif.gif");
    EXPECT_TRUE(std::filesystem::is_directory(m_home.Data() / "Kestova" / "res" / "CacheIcons"));
}

TEST_F(WorkingFolderTest, TheInstallPathIsTheExecutablesFolderAndIsStored)
{
    const std::string strFolder = std::filesystem::canonical(KESTOVA_TEST_BINARY).parent_path().string();
    CRegistry store;
    CRegistry::Value value;

    EXPECT_EQ(Settings().GetInstallPath().GetText(), strFolder);
    ASSERT_EQ(store.GetValue(Settings::kProgramKey, "Install Path", value), 0);
    EXPECT_EQ(value.strText.GetText(), strFolder);

    // A stored folder is used while it exists; a vanished one is found again.
    ASSERT_EQ(Settings().SetInstallPath(m_home.Root().c_str()), 0);
    EXPECT_EQ(Settings().GetInstallPath().GetText(), m_home.Root().string());
    ASSERT_EQ(Settings().SetInstallPath((m_home.Root() / "gone").c_str()), 0);
    EXPECT_EQ(Settings().GetInstallPath().GetText(), strFolder);
}

TEST_F(WorkingFolderTest, ShippedDataIsBesideTheProgramOrInItsInstalledTree)
{
    struct Case
    {
        std::vector<const char*> made; // folders made below the home
        const char* pProgram;
        const char* pExpected; // below the home; null for none
    };
    const Case cases[] = {
        {{"build/bin/res"}, "build/bin", "build/bin"},
        {{"usr/bin", "usr/share/kestova/res"}, "usr/bin", "usr/share/kestova"},
        {{"both/bin/res", "both/share/kestova/res"}, "both/bin", "both/bin"},
        {{"bare/bin", "bare/share/kestova"}, "bare/bin", nullptr},
        {{"other/bin", "other/share/other/res"}, "other/bin", nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pProgram);
        for (const char* pFolder : c.made)
            std::filesystem::create_directories(m_home.Root() / pFolder);
        const std::string strExpected = c.pExpected ? (m_home.Root() / c.pExpected).string() : "";
        EXPECT_EQ(FindShippedDataFolder((m_home.Root() / c.pProgram).c_str()).GetText(), strExpected);
    }
    // An unknown program folder is not the current one.
    std::filesystem::create_directories(m_home.Root() / "res");
    ASSERT_EQ(::chdir(m_home.Root().c_str()), 0);
    EXPECT_EQ(FindShippedDataFolder(""), "");
}

TEST_F(WorkingFolderTest, PageAddressesComeFromTheShippedInstallSettings)
{
    const std::filesystem::path folder =
        MakeInstallFolder("<INSTALL><OTHER>x</OTHER><install_url>http://server/Installed.htm</install_url>"
                          "<UNINSTALL_URL>http://server/Removed.htm</UNINSTALL_URL>"
                          "<INSTALL_URL>http://server/Second.htm</INSTALL_URL></INSTALL>");
    ASSERT_EQ(Settings().SetInstallPath(folder.c_str()), 0);

    // The first matching element wins; the folder the program runs in does not matter.
    ASSERT_EQ(::chdir(m_home.Root().c_str()), 0);
    EXPECT_EQ(GetInstallUrl(), "http://server/Installed.htm");
    EXPECT_EQ(Settings().GetUninstallUrl(), "http://server/Removed.htm");
}

TEST_F(WorkingFolderTest, MissingOrBrokenInstallSettingsGiveNoAddress)
{
    ASSERT_EQ(::chdir(m_home.Root().c_str()), 0);
    ASSERT_EQ(Settings().SetInstallPath(m_home.Root().c_str()), 0);
    EXPECT_EQ(GetInstallUrl(), "");
    EXPECT_EQ(Settings().GetUninstallUrl(), "");

    for (const char* pBroken : {"<INSTALL><INSTALL_URL>x</INSTALL", "<INSTALL><OTHER>x</OTHER></INSTALL>"}) {
        SCOPED_TRACE(pBroken);
        ASSERT_EQ(Settings().SetInstallPath(MakeInstallFolder(pBroken).c_str()), 0);
        EXPECT_EQ(GetInstallUrl(), "");
        EXPECT_EQ(Settings().GetUninstallUrl(), "");
    }
}

TEST_F(WorkingFolderTest, TheInstallPageIsLastSoughtBelowTheCurrentFolder)
{
    const std::filesystem::path folder = MakeInstallFolder("<I><INSTALL_URL>http://here/</INSTALL_URL></I>");
    ASSERT_EQ(Settings().SetInstallPath(m_home.Root().c_str()), 0);
    ASSERT_EQ(::chdir(folder.c_str()), 0);
    EXPECT_EQ(GetInstallUrl(), "http://here/");
}

} // namespace
