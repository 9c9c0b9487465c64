#include "UpdateCheck.h"

#include "../support/ListFiles.h"
#include "../support/LocalHttpServer.h"
#include "../support/TestHome.h"
#include "Settings.h"

#include <gtest/gtest.h>
#include <string>

namespace {

// One manifest entry: <NAME><VERSION>v</VERSION><NAME>n</NAME></NAME>.
std::string Entry(const std::string& strElement, const std::string& strVersion,
                  const std::string& strName = "")
{
    std::string strEntry = "<" + strElement + "><VERSION>" + strVersion + "</VERSION>";
    if (!strName.empty()) {
        strEntry += "<NAME>" + strName + "</NAME>";
    }
    return strEntry + "</" + strElement + ">";
}

bool Compare(const std::string& strEntries, int& nFlags, CMyString& strName)
{
    return CUpdateCheck::CompareManifest(("<UPDATE>" + strEntries + "</UPDATE>").c_str(), nFlags, strName);
}

class UpdateCheckTest : public testing::Test
{
protected:
    CTestHome m_home;
    Settings m_settings;
};

TEST_F(UpdateCheckTest, NewerThanRule)
{
    struct Case
    {
        const char* pInstalled; // null: the value is missing
        const char* pServer;
        bool bNewer;
    };
    const Case cases[] = {
        {nullptr, "1.0", true}, {"", "1.0", true},           {"1.0", "1.0", false}, {"1.0", "1.0.0.1", true},
        {"3", "1.0", true},     {"1.0", "9", false},         {nullptr, "9", true},  {"2.0", "1.9", false},
        {"1.9", "1.10", true},  {"1.2.3", "1.2.3.0", false},
    };
    for (const Case& c : cases) {
        CTestHome home; // a fresh store for each case
        Settings settings;
        if (c.pInstalled != nullptr) {
            settings.SetMoviesSettings(c.pInstalled);
        }
        int nFlags = -1;
        CMyString strName;
        EXPECT_EQ(Compare(Entry("MOVIES_SETTINGS", c.pServer, "MoviesSettings.txt"), nFlags, strName),
                  c.bNewer)
            << (c.pInstalled ? c.pInstalled : "(missing)") << " vs " << c.pServer;
        EXPECT_EQ(nFlags, c.bNewer ? CUpdateCheck::kListsNewer : 0);
    }
}

TEST_F(UpdateCheckTest, EachKindComparesWithItsOwnValue)
{
    m_settings.SetSearchSettings("1.0");
    m_settings.SetMoviesSettings("1.0");
    m_settings.SetServerSettings("1.0");
    m_settings.SetListVersion("Radio.txt", "1.0");
    m_settings.SetVersion("2.0.2.1");
    const std::string strCurrent = Entry("SEARCH_SETTINGS", "1.0", "SearchSettings.txt") +
                                   Entry("movies_settings", "1.0", "MoviesSettings.txt") +
                                   Entry("Servers", "1.0", "ServerSettings.txt") +
                                   Entry("CATEGORY", "1.0", "Radio.txt") +
                                   Entry("EXE_UPDATE", "2.0.2.1", "get it");
    int nFlags = -1;
    CMyString strName;
    EXPECT_FALSE(Compare(strCurrent, nFlags, strName)) << "everything current";
    EXPECT_EQ(nFlags, 0);

    struct Case
    {
        std::string strEntry;
        bool bNewer;
        int nFlags;
    };
    const Case cases[] = {
        {Entry("SEARCH_SETTINGS", "1.1"), true, CUpdateCheck::kListsNewer},
        {Entry("SERVERS", "1.1"), true, CUpdateCheck::kListsNewer},
        {Entry("CATEGORY", "1.1", "Radio.txt"), true, CUpdateCheck::kListsNewer},
        {Entry("CATEGORY", "1.0", "New.txt"), true,
         CUpdateCheck::kListsNewer},                     // a category new on the server
        {Entry("CATEGORY", "9.0"), false, 0},            // without NAME: skipped
        {"<SERVERS><NAME>x</NAME></SERVERS>", false, 0}, // without VERSION: skipped
        {Entry("EXE_UPDATE", "2.0.3.0", "http://example.org/new"), true, CUpdateCheck::kProgramNewer},
        {Entry("EXE_UPDATE", "2.0.3.0"), false, 0}, // without NAME: ignored
        {Entry("OTHER", "9.0", "x"), false, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Compare(strCurrent + c.strEntry, nFlags, strName), c.bNewer) << c.strEntry;
        EXPECT_EQ(nFlags, c.nFlags) << c.strEntry;
    }
    EXPECT_STREQ(strName.GetText(), "http://example.org/new");
}

TEST_F(UpdateCheckTest, ManifestWithoutRootIsNoUpdate)
{
    int nFlags = -1;
    CMyString strName;
    EXPECT_FALSE(CUpdateCheck::CompareManifest("", nFlags, strName));
    EXPECT_FALSE(CUpdateCheck::CompareManifest("<UPDATE>", nFlags, strName));
    EXPECT_EQ(nFlags, 0);
}

TEST_F(UpdateCheckTest, FetchesTheManifestFromTheFirstAnsweringServer)
{
    LocalHttpServer server;
    server.Serve("/UpdateSettings.txt",
                 "<UPDATE>" + Entry("EXE_UPDATE", "3.0", "http://example.org/new") + "</UPDATE>");
    ASSERT_GT(server.Start(), 0);
    WriteScrambledFile(m_home.Data() / "Kestova" / "res" / "ServerSettings.txt",
                       "<SERVERS><VERSION>1.0</VERSION><URL>http://127.0.0.1:1/</URL><URL>" +
                           server.Url("/") + "</URL></SERVERS>");
    m_settings.SetVersion("2.0.2.1");

    CMyString strManifest;
    CMyString strServer;
    ASSERT_TRUE(CUpdateCheck::GetManifest(strManifest, strServer));
    EXPECT_EQ(std::string(strServer.GetText()), server.Url("/"));

    int nFlags = 0;
    CMyString strName;
    EXPECT_TRUE(CUpdateCheck::CheckForUpdates(nFlags, strName));
    EXPECT_EQ(nFlags, CUpdateCheck::kProgramNewer);
    EXPECT_STREQ(strName.GetText(), "http://example.org/new");
    EXPECT_EQ(server.RequestCount("/UpdateSettings.txt"), 2);
}

TEST_F(UpdateCheckTest, NoServerNoUpdate)
{
    int nFlags = -1;
    CMyString strName;
    EXPECT_FALSE(CUpdateCheck::CheckForUpdates(nFlags, strName));
    EXPECT_EQ(nFlags, 0);

    LocalHttpServer server;
    server.Serve("/UpdateSettings.txt", "");
    ASSERT_GT(server.Start(), 0);
    WriteScrambledFile(m_home.Data() / "Kestova" / "res" / "ServerSettings.txt",
                       "<S><URL>" + server.Url("/") + "</URL></S>");
    CMyString strManifest;
    CMyString strServer;
    EXPECT_FALSE(CUpdateCheck::GetManifest(strManifest, strServer)) << "an empty reply is no manifest";
}

} // namespace
