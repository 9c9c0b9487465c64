// The engine list: how SearchSettings.txt becomes entries, the engine images
// fetched once and kept, the menu entries, and the list that ships in res/.
#include "SearchEngines.h"

#include "EngineImage.h"
#include "FileHandler.h"
#include "ListFiles.h"
#include "LocalHttpServer.h"
#include "MenuXP.h"
#include "MenuXPItem.h"
#include "MyXmlDom.h"
#include "QueryUrl.h"
#include "SearchSettings.h"
#include "Settings.h"
#include "SkinInfo.h"
#include "SkinTestSupport.h"
#include "TestHome.h"
#include "WorkingFolder.h"

#include <QImageReader>
#include <functional>
#include <thread>
#include <chrono>
#include "DownloadPool.h"
#include <gtest/gtest.h>
#include <string>

namespace {

std::string Engine(const std::string& strCaption, const std::string& strMore = "")
{
    return "<SEARCH_ENGINE><CAPTION>" + strCaption + "</CAPTION>" + strMore + "</SEARCH_ENGINE>";
}

std::string SettingsFile(const std::string& strList, const std::string& strVersion = "<VERSION>1.0</VERSION>")
{
    return "<SEARCH_SETTINGS>" + strVersion + "<LIST_OF_SEARCH_ENGINES>" + strList +
           "</LIST_OF_SEARCH_ENGINES></SEARCH_SETTINGS>";
}

// "id:caption" for each entry, "id:-" for a separator, joined with ",".
std::string Describe(const CSearchEngines& engines)
{
    std::string strText;
    for (int i = 0; i < engines.GetCount(); ++i) {
        const CSearchEngine& engine = *engines.GetAt(i);
        strText += (i > 0 ? "," : "") + std::to_string(engine.m_nId) + ":" +
                   (engine.IsSeparator() ? "-" : engine.m_strCaption.GetText());
    }
    return strText;
}

class SearchEnginesTest : public ::testing::Test
{
protected:
    std::filesystem::path ResFolder() const { return m_home.Data() / "Kestova" / "res"; }
    void WriteSettings(const std::string& strText)
    {
        WriteScrambledFile(ResFolder() / "SearchSettings.txt", strText);
    }
    bool Load(CSearchEngines& engines) { return LoadSearchSettings(engines); }

    CTestHome m_home;
};

struct ListCase
{
    const char* pName;
    std::string strFile;
    const char* pExpected;
};

std::ostream& operator<<(std::ostream& stream, const ListCase& list)
{
    return stream << list.pName;
}

class SearchListTable : public SearchEnginesTest, public ::testing::WithParamInterface<ListCase>
{
};

TEST_P(SearchListTable, LoadsTheEntries)
{
    const ListCase& list = GetParam();
    WriteSettings(list.strFile);
    CSearchEngines engines;
    const bool bLoaded = Load(engines);
    EXPECT_EQ(bLoaded, engines.GetCount() > 0);
    EXPECT_EQ(Describe(engines), list.pExpected);
    EXPECT_EQ(engines.GetAt(engines.GetCount()), nullptr);
    EXPECT_EQ(engines.GetAt(-1), nullptr);
}

INSTANTIATE_TEST_SUITE_P(
    Table, SearchListTable,
    ::testing::Values(
        ListCase{"SeparatorsCountInTheIds", SettingsFile(Engine("Alpha") + "<SEPARATOR/>" + Engine("Beta")),
                 "1:Alpha,2:-,3:Beta"},
        ListCase{"NamesInAnyCase",
                 "<settings><list_of_Search_Engines><Search_Engine><caption>Alpha</caption></Search_Engine>"
                 "<separator></separator></list_of_Search_Engines></settings>",
                 "1:Alpha,2:-"},
        ListCase{"EngineWithoutChildrenIsSkippedWithoutAGap",
                 SettingsFile(Engine("Alpha") +
                              "<SEARCH_ENGINE></SEARCH_ENGINE><SEARCH_ENGINE>loose text"
                              "</SEARCH_ENGINE>" +
                              Engine("Beta")),
                 "1:Alpha,2:Beta"},
        ListCase{"LastOfARepeatedChildWins", SettingsFile(Engine("First", "<CAPTION>Second</CAPTION>")),
                 "1:Second"},
        ListCase{"OtherChildrenOfTheListAreIgnored", SettingsFile("<OTHER>x</OTHER>" + Engine("Alpha")),
                 "1:Alpha"},
        ListCase{"NoListIsAnEmptyList", "<SEARCH_SETTINGS><VERSION>1.0</VERSION></SEARCH_SETTINGS>", ""},
        ListCase{"ListWithoutEntriesIsEmpty", SettingsFile("<OTHER>x</OTHER>"), ""},
        ListCase{"ListWhoseEnginesAllFailIsEmpty", SettingsFile("<SEARCH_ENGINE></SEARCH_ENGINE>"), ""},
        ListCase{"TextWithoutRootIsEmpty", "just text", ""},
        ListCase{"LastOfTwoListsWins",
                 "<S><LIST_OF_SEARCH_ENGINES>" + Engine("Old") +
                     "</LIST_OF_SEARCH_ENGINES><LIST_OF_SEARCH_ENGINES>" + Engine("New") +
                     "</LIST_OF_SEARCH_ENGINES></S>",
                 "1:New"}),
    [](const ::testing::TestParamInfo<ListCase>& info) { return std::string(info.param.pName); });

TEST_F(SearchEnginesTest, EngineFieldsComeFromTheirElements)
{
    WriteSettings(SettingsFile(Engine("Web", "<PREFIX>https://s.example/?q=TERM</PREFIX>"
                                             "<search_term_to_replace>TERM</search_term_to_replace>"
                                             "<EMPTY_SEARCH_URL>https://s.example/</EMPTY_SEARCH_URL>"
                                             "<INPUT_CHARSET>UTF-8</INPUT_CHARSET><UNKNOWN>x</UNKNOWN>")));
    CSearchEngines engines;
    ASSERT_TRUE(Load(engines));
    const CSearchEngine& engine = *engines.GetAt(0);
    EXPECT_STREQ(engine.m_strPrefix.GetText(), "https://s.example/?q=TERM");
    EXPECT_STREQ(engine.m_strSearchTerm.GetText(), "TERM");
    EXPECT_STREQ(engine.m_strEmptySearchUrl.GetText(), "https://s.example/");
    EXPECT_STREQ(engine.m_strInputCharset.GetText(), "UTF-8");
    EXPECT_TRUE(engine.m_strImage.IsEmpty());
    EXPECT_EQ(engine.m_nSeparator, 0);
}

TEST_F(SearchEnginesTest, VersionIsStoredForTheUpdateCheck)
{
    WriteSettings(SettingsFile(Engine("Alpha"), "<VERSION>1.0</VERSION><VERSION>2.5</VERSION>"));
    CSearchEngines engines;
    ASSERT_TRUE(Load(engines));
    EXPECT_STREQ(Settings().GetSearchSettings().GetText(), "2.5");
}

TEST_F(SearchEnginesTest, MissingFileLeavesTheListEmpty)
{
    CSearchEngines engines;
    EXPECT_FALSE(Load(engines));
    EXPECT_EQ(engines.GetCount(), 0);
    EXPECT_TRUE(Settings().GetSearchSettings().IsEmpty());
}

TEST_F(SearchEnginesTest, NoEntryCanTakeTheBuiltInEnginesId)
{
    std::string strList;
    for (int i = 0; i < 120; ++i)
        strList += i % 10 == 9 ? "<SEPARATOR/>" : Engine("E" + std::to_string(i + 1));
    WriteSettings(SettingsFile(strList));
    CSearchEngines engines;
    ASSERT_TRUE(Load(engines));
    ASSERT_EQ(engines.GetCount(), CSearchEngines::kMaxEntries);
    EXPECT_EQ(engines.GetAt(engines.GetCount() - 1)->m_nId, CSearchEngine::kBuiltInId - 1);
}

// Waits up to ten seconds for a background download's effect.
bool WaitUntil(const std::function<bool()>& condition)
{
    for (int i = 0; i < 1000 && !condition(); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    return condition();
}

TEST_F(SearchEnginesTest, ImageIsFetchedOnceAndThenTakenFromTheCache)
{
    LocalHttpServer server;
    const std::string strGif = MakeGif(2, 2, {qRgb(0, 0, 0), qRgb(255, 0, 0)}, {{1, 1, 1, 1}}, -1);
    server.Serve("/images/alpha.gif", strGif, "image/gif");
    ASSERT_GT(server.Start(), 0);
    const std::string strUrl = server.Url("/images/alpha.gif");
    WriteSettings(SettingsFile(Engine("Alpha", "<IMAGE_URL>" + strUrl + "</IMAGE_URL>")));

    // The image comes in the background: loading waits for no server.
    CSearchEngines first;
    ASSERT_TRUE(Load(first));
    const CMyString strExpected = Settings().GetIconFilePath(strUrl.c_str());
    EXPECT_STREQ(first.GetAt(0)->m_strImage.GetText(), strExpected.GetText());
    const std::filesystem::path file = CFileHandler::ToSystemPath(strExpected);
    ASSERT_TRUE(WaitUntil([&] { return std::filesystem::exists(file); }));
    EXPECT_EQ(CTestHome::ReadFile(file), strGif);
    EXPECT_EQ(server.RequestCount("/images/alpha.gif"), 1);

    CSearchEngines second; // the next start
    ASSERT_TRUE(Load(second));
    EXPECT_STREQ(second.GetAt(0)->m_strImage.GetText(), strExpected.GetText());
    EXPECT_EQ(server.RequestCount("/images/alpha.gif"), 1);
}

TEST_F(SearchEnginesTest, FailedImageFetchLeavesNoFile)
{
    LocalHttpServer server;
    server.Serve("/empty.gif", "");
    ASSERT_GT(server.Start(), 0);
    for (const std::string strPath : {"/missing.gif", "/empty.gif"}) {
        const std::string strUrl = server.Url(strPath);
        const CMyString strFile = Settings().GetIconFilePath(strUrl.c_str());
        EXPECT_EQ(FetchEngineImage(strUrl.c_str()), strFile) << strPath;
        ASSERT_TRUE(WaitUntil([&] { return server.RequestCount(strPath) == 1; })) << strPath;
        ASSERT_TRUE(WaitUntil([] { return CDownloadPool::Instance().GetBusyCount() == 0; }));
        EXPECT_FALSE(CFileHandler::FileExists(strFile)) << strPath;
    }
    EXPECT_TRUE(FetchEngineImage("").IsEmpty());
    // Nothing half-written is left behind to be taken for a cached picture.
    for (const auto& entry : std::filesystem::directory_iterator(ResFolder()))
        EXPECT_EQ(entry.path().extension(), ".gif") << entry.path();
}

TEST_F(SearchEnginesTest, MenuGetsOneEntryPerEngine)
{
    EnsureApplication();
    WriteSettings(SettingsFile(Engine("Alpha") + "<SEPARATOR/>" + Engine("Beta")));
    CSearchEngines engines;
    ASSERT_TRUE(Load(engines));
    CMenuXP menu;
    ASSERT_TRUE(engines.AppendToMenu(menu));
    ASSERT_EQ(menu.GetMenuItemCount(), 3);
    EXPECT_EQ(menu.GetEntry(0).nId, 1);
    EXPECT_STREQ(menu.GetEntry(0).pItem->m_strText.GetText(), "Alpha");
    EXPECT_TRUE(menu.GetEntry(1).pItem->m_bSeparator);
    EXPECT_EQ(menu.GetEntry(2).nId, 3);
    EXPECT_FALSE(CSearchEngines().AppendToMenu(menu));
    EXPECT_EQ(menu.GetMenuItemCount(), 3);
}

// The shipped list and its pictures, as the first run copies them.
class ShippedSearchList : public SearchEnginesTest
{
protected:
    static std::filesystem::path ShippedRes() { return SourceRoot() / "res"; }
    static std::filesystem::path PlainSource()
    {
        return SourceRoot() / "tools/lists/data/SearchSettings.txt.xml";
    }
};

TEST_F(ShippedSearchList, ScrambledFileMatchesItsPlainSource)
{
    CMyString strShipped;
    ASSERT_TRUE(CFileHandler::ReadScrambledFile(PathText(ShippedRes() / "SearchSettings.txt"), strShipped,
                                                CFileHandler::kListFileKey));
    EXPECT_EQ(std::string(strShipped.GetText()), CTestHome::ReadFile(PlainSource()))
        << "run tools/lists/make-lists after editing the source";
}

TEST_F(ShippedSearchList, EveryEngineSearchesOverHttpsAndShowsItsShippedPicture)
{
    // Every picture must be in res/ before the list is loaded: a missing one
    // would be fetched from the internet.
    CMyXmlDom dom;
    ASSERT_TRUE(dom.LoadFile(PathText(PlainSource())));
    const CXmlNode* pList = dom.GetRoot()->FindChild("LIST_OF_SEARCH_ENGINES");
    ASSERT_NE(pList, nullptr);
    for (int i = 0; i < pList->GetChildCount(); ++i) {
        const CMyString strUrl = pList->GetChild(i)->GetChildText("IMAGE_URL");
        if (pList->GetChild(i)->GetName().EqualsNoCase("SEARCH_ENGINE")) {
            ASSERT_FALSE(strUrl.IsEmpty()) << "engine " << i << " has no picture";
        }
        if (!strUrl.IsEmpty()) {
            const CMyString strName = GetIconFileName(strUrl);
            ASSERT_TRUE(std::filesystem::exists(ShippedRes() / (std::string(strName.GetText()) + ".gif")))
                << strName.GetText() << ".gif is not shipped";
        }
    }
    ASSERT_TRUE(CFileHandler::CopyFolder(PathText(ShippedRes()), GetResFolder()));

    CSearchEngines engines;
    ASSERT_TRUE(Load(engines));
    EXPECT_FALSE(Settings().GetSearchSettings().IsEmpty());
    int nEngines = 0;
    int nSeparators = 0;
    for (int i = 0; i < engines.GetCount(); ++i) {
        const CSearchEngine& engine = *engines.GetAt(i);
        if (engine.IsSeparator()) {
            ++nSeparators;
            continue;
        }
        ++nEngines;
        SCOPED_TRACE(engine.m_strCaption.GetText());
        EXPECT_FALSE(engine.m_strCaption.IsEmpty());
        EXPECT_TRUE(IsWebAddress(engine.m_strEmptySearchUrl));
        const CMyString strQuery = MakeQueryUrl(engine, "two words");
        EXPECT_TRUE(IsWebAddress(strQuery)) << strQuery.GetText();
        EXPECT_GE(strQuery.Find("two+words"), 0) << strQuery.GetText();
        QImageReader reader(CFileHandler::ToSystemPath(engine.m_strImage).c_str());
        EXPECT_EQ(reader.size(), QSize(16, 16)) << engine.m_strImage.GetText();
    }
    EXPECT_GE(nEngines, 3);
    EXPECT_GE(nSeparators, 1);
}

} // namespace
