// Loading the station catalogue: document order and record indices, what is
// skipped, caption paths, the web flag, versions written, broken files, and
// the icons: the default icons fetched at once, item icons fetched once each.
#include "Catalogue.h"

#include "../skin/SkinTestSupport.h"
#include "../support/CoreApp.h"
#include "../support/ListFiles.h"
#include "../support/LocalHttpServer.h"
#include "../support/ResidentMemory.h"
#include "CatalogueFiles.h"
#include "IconFetch.h"
#include "MessageMap.h"
#include "Messages.h"
#include "MyDownload.h"
#include "Settings.h"

#include <gtest/gtest.h>
#include <algorithm>
#include <cstdio>
#include <unistd.h>

namespace {

using Handle = CStationTreeModel::Handle;

// The tree as text: each item with its item data in brackets, children in braces.
std::string Dump(const CStationTreeModel& model, Handle hParent = CStationTreeModel::kRoot)
{
    std::string strText;
    for (const Handle hItem : model.GetChildItems(hParent)) {
        if (!strText.empty()) {
            strText += ",";
        }
        strText += std::string(model.GetItemText(hItem).GetText()) + "[" +
                   std::to_string(model.GetItemData(hItem)) + "]";
        if (!model.GetChildItems(hItem).empty()) {
            strText += "{" + Dump(model, hItem) + "}";
        }
    }
    return strText;
}

// Stands in for the station tree: takes the completion messages of the icon downloads.
class CIconReceiver : public QObject
{
public:
    explicit CIconReceiver(CCatalogue& catalogue) : m_catalogue(catalogue)
    {
        m_map.Add(Message(), [this](uintptr_t wParam, intptr_t lParam) {
            m_catalogue.FinishIconDownload(static_cast<Handle>(lParam), wParam != 0);
            ++m_nCompleted;
            return intptr_t{0};
        });
    }
    bool event(QEvent* pEvent) override { return m_map.Dispatch(pEvent) || QObject::event(pEvent); }
    static unsigned Message() { return RegisterWindowMessage(kFileDownloadCompleteMessage); }

    int m_nCompleted = 0;

private:
    CCatalogue& m_catalogue;
    CMessageMap m_map;
};

class CatalogueTest : public ::testing::Test
{
protected:
    CatalogueTest() { EnsureCoreApplication(); }

    // A fresh model and catalogue, as at a new start of the program.
    void Restart()
    {
        m_pReceiver.reset();
        m_pCatalogue.reset();
        m_pModel = std::make_unique<CStationTreeModel>();
        m_pCatalogue = std::make_unique<CCatalogue>(*m_pModel);
        m_pReceiver = std::make_unique<CIconReceiver>(*m_pCatalogue);
        m_pCatalogue->SetNotifyWindow(m_pReceiver.get(), CIconReceiver::Message());
    }

    bool Load()
    {
        if (!m_pCatalogue) {
            Restart();
        }
        m_pCatalogue->ChooseServer();
        return m_pCatalogue->LoadCatalog();
    }

    const CCatalogItem& Record(intptr_t nIndex) const
    {
        const CCatalogItem* pRecord = m_pCatalogue->GetRecord(nIndex);
        EXPECT_NE(pRecord, nullptr) << "no record " << nIndex;
        static const CCatalogItem s_none;
        return pRecord != nullptr ? *pRecord : s_none;
    }

    CTestHome m_home;
    std::unique_ptr<CStationTreeModel> m_pModel;
    std::unique_ptr<CCatalogue> m_pCatalogue;
    std::unique_ptr<CIconReceiver> m_pReceiver;
};

TEST_F(CatalogueTest, RecordsFollowTheDocumentAndMapToTheirItems)
{
    WriteListFile("MoviesSettings.txt",
                  IndexFile("2.1.0.0", Category("Genres", "g.txt") + Category("News", "n.txt")));
    WriteListFile("g.txt",
                  CategoryFile("1.2", "Radio",
                               Station("Alpha", "http://a/1") +
                                   Menu("Jazz", Station("Bebop Hour", "http://b/2") +
                                                    Menu("Late", Station("Night Owl", "http://c/3"))) +
                                   Station("Zulu", "http://z/4")));
    WriteListFile("n.txt", CategoryFile("1.3", "", Station("World", "mms://w/5")));

    ASSERT_TRUE(Load());

    EXPECT_EQ(Dump(*m_pModel),
              "Genres[0]{Alpha[1],Jazz[2]{Bebop Hour[3],Late[4]{Night Owl[5]}},Zulu[6]},News[7]{World[8]}");
    ASSERT_EQ(m_pCatalogue->GetRecordCount(), 9u);
    for (intptr_t i = 0; i < 9; ++i) {
        EXPECT_EQ(m_pModel->GetItemData(Record(i).m_hTreeItem), i);
    }
    struct Expected
    {
        intptr_t nIndex;
        int nKind;
        const char* pAddress;
        const char* pSearchName;
        const char* pCaptionPath;
    };
    for (const Expected& expected :
         {Expected{0, 0, "Folder", "genres", ""}, Expected{1, 1, "http://a/1", "alpha", "Radio\\Alpha"},
          Expected{2, 0, "Folder", "jazz", ""},
          Expected{3, 1, "http://b/2", "bebop hour", "Radio\\Jazz\\Bebop Hour"},
          Expected{5, 1, "http://c/3", "night owl", "Radio\\Jazz\\Late\\Night Owl"},
          Expected{8, 1, "mms://w/5", "world", "World"}}) {
        const CCatalogItem& record = Record(expected.nIndex);
        EXPECT_EQ(record.m_nKind, expected.nKind) << expected.nIndex;
        EXPECT_STREQ(record.m_strAddress.GetText(), expected.pAddress) << expected.nIndex;
        EXPECT_STREQ(record.m_strSearchName.GetText(), expected.pSearchName) << expected.nIndex;
        EXPECT_STREQ(record.GetCaptionPath().GetText(), expected.pCaptionPath) << expected.nIndex;
        EXPECT_EQ(record.IsFolder(), expected.nKind == 0);
    }
    // Only the categories open; the versions of all three files are recorded.
    EXPECT_EQ(m_pCatalogue->GetExpandedItems(),
              (std::vector<Handle>{Record(0).m_hTreeItem, Record(7).m_hTreeItem}));
    EXPECT_STREQ(Settings().GetMoviesSettings().GetText(), "2.1.0.0");
    EXPECT_STREQ(Settings().GetListVersion("g.txt").GetText(), "1.2");
    EXPECT_STREQ(Settings().GetListVersion("n.txt").GetText(), "1.3");
}

// A hostile list: a 64 KiB top caption above 40,000 stations (1.8 MB of file)
// must not cost memory for every station (it took gigabytes when each station
// kept its whole caption path); captions are cut to 1,024 bytes at a character
// boundary, and the caption path is still the captions joined.
TEST_F(CatalogueTest, LongCaptionsCostNoMemoryPerStationAndAreCut)
{
    const std::string strLong(64 * 1024, 'x');
    std::string strWide = "x"; // then 600 two-byte letters: byte 1,024 is inside a letter
    for (int i = 0; i < 600; ++i)
        strWide += "\xc3\xa9";
    std::string strStations;
    for (int i = 0; i < 40000; ++i)
        strStations += Station(std::to_string(i), "http://s/" + std::to_string(i));
    strStations += Menu(strLong, Station(strLong, "http://long/")) + Station(strWide, "http://wide/");
    WriteListFile("MoviesSettings.txt", IndexFile("1.0", Category(strLong, "l.txt")));
    WriteListFile("l.txt", CategoryFile("1.0", strLong, strStations));

    const size_t uBefore = ResidentBytes();
    ASSERT_TRUE(Load());
    EXPECT_LT(ResidentBytes() - std::min(uBefore, ResidentBytes()), size_t{200} << 20);

    const std::string strCut(CCatalogue::kMaxCaptionLength, 'x');
    EXPECT_EQ(m_pModel->GetItemText(Record(0).m_hTreeItem).GetText(), strCut);
    EXPECT_EQ(Record(1).GetCaptionPath().GetText(), strCut + "\\0");
    EXPECT_EQ(Record(40002).GetCaptionPath().GetText(), strCut + "\\" + strCut + "\\" + strCut);
    EXPECT_EQ(Record(40003).GetCaptionPath().GetText(), strCut + "\\" + strWide.substr(0, 1023));
}

// A category names its file: only a file of the "res" folder is read, never a
// path out of it (a device such as /dev/zero would never end).
TEST_F(CatalogueTest, CategoryFilesAreReadOnlyFromTheResFolder)
{
    WriteScrambledFile(ResFolder().parent_path() / "outside.txt",
                       CategoryFile("1.0", "Out", Station("Outside", "http://o/")));
    WriteListFile("in.txt", CategoryFile("1.0", "In", Station("Inside", "http://i/")));
    WriteListFile("MoviesSettings.txt",
                  IndexFile("1.0", Category("A", "../outside.txt") + Category("B", "..\\outside.txt") +
                                       Category("C", "/dev/zero") + Category("D", "in.txt")));
    ASSERT_TRUE(Load());
    EXPECT_EQ(Dump(*m_pModel), "A[0],B[1],C[2],D[3]{Inside[4]}");
}

TEST_F(CatalogueTest, NamelessCategoriesAndCaptionlessItemsAreSkippedWithoutAnIndex)
{
    WriteListFile("MoviesSettings.txt",
                  IndexFile("1.0", Element("CATEGORY", Element("FILE_NAME", "skipped.txt")) +
                                       Element("BANNER", "ignored") + Category("Kept", "k.txt")));
    WriteListFile("skipped.txt", CategoryFile("9.9", "Top", Station("Never", "http://n/")));
    WriteListFile("k.txt", CategoryFile("1.0", "Top",
                                        Station("", "http://empty/") +
                                            Element("MENU_ITEM", Element("URL", "http://nocaption/")) +
                                            Menu("", Station("Hidden", "http://hidden/")) +
                                            Element("SEPARATOR", "") + Station("First", "http://1/") +
                                            Menu("Sub", "") + Station("Second", "http://2/")));

    ASSERT_TRUE(Load());

    EXPECT_EQ(Dump(*m_pModel), "Kept[0]{First[1],Sub[2],Second[3]}");
    EXPECT_EQ(m_pCatalogue->GetRecordCount(), 4u);
    // The skipped category's file was never read.
    EXPECT_TRUE(Settings().GetListVersion("skipped.txt").IsEmpty());
}

TEST_F(CatalogueTest, ElementNamesAndTheWebFlagMatchInAnyCase)
{
    const std::vector<std::pair<std::string, int>> webTexts = {
        {"<WEB>TRUE</WEB>", 1}, {"<web>true</web>", 1},  {"<Web>True</Web>", 1}, {"<WEB>FALSE</WEB>", 0},
        {"<WEB>yes</WEB>", 0},  {"<WEB>TRUE </WEB>", 0}, {"<WEB></WEB>", 0},     {"", 0}};
    std::string strStations;
    for (size_t i = 0; i < webTexts.size(); ++i) {
        strStations += "<menu_item><Caption>S" + std::to_string(i) + "</Caption><url>http://s/</url>" +
                       webTexts[i].first + "</menu_item>";
    }
    WriteListFile("MoviesSettings.txt", "<root><version>3.0</version><movies><category><name>C</name>"
                                        "<file_name>c.txt</file_name></category></movies></root>");
    WriteListFile("c.txt", "<list><menu><caption>Top</caption>" + strStations + "</menu></list>");

    ASSERT_TRUE(Load());

    ASSERT_EQ(m_pCatalogue->GetRecordCount(), webTexts.size() + 1);
    for (size_t i = 0; i < webTexts.size(); ++i) {
        EXPECT_EQ(Record(static_cast<intptr_t>(i + 1)).m_nWeb, webTexts[i].second) << webTexts[i].first;
        EXPECT_STREQ(Record(static_cast<intptr_t>(i + 1)).m_strAddress.GetText(), "http://s/");
    }
    EXPECT_STREQ(Settings().GetMoviesSettings().GetText(), "3.0");
}

TEST_F(CatalogueTest, TwoCategoriesOnOneFileBothGetItsContents)
{
    WriteListFile("MoviesSettings.txt",
                  IndexFile("1.0", Category("A", "shared.txt") + Category("B", "shared.txt")));
    WriteListFile("shared.txt", CategoryFile("4.5", "Top", Station("S", "http://s/")));

    ASSERT_TRUE(Load());

    EXPECT_EQ(Dump(*m_pModel), "A[0]{S[1]},B[2]{S[3]}");
    EXPECT_NE(Record(1).m_hTreeItem, Record(3).m_hTreeItem);
    EXPECT_STREQ(Settings().GetListVersion("shared.txt").GetText(), "4.5");
}

TEST_F(CatalogueTest, StoredVersionsFollowTheFilesOfEachLoad)
{
    Settings().SetListVersion("c.txt", "0.9");
    Settings().SetListVersion("other.txt", "7.0");
    WriteListFile("MoviesSettings.txt", IndexFile("1.0", Category("C", "c.txt")));
    WriteListFile("c.txt", CategoryFile("1.1", "Top", Station("S", "http://s/")));
    ASSERT_TRUE(Load());
    EXPECT_STREQ(Settings().GetMoviesSettings().GetText(), "1.0");
    EXPECT_STREQ(Settings().GetListVersion("c.txt").GetText(), "1.1");

    WriteListFile("MoviesSettings.txt", IndexFile("2.0", Category("C", "c.txt")));
    WriteListFile("c.txt", CategoryFile("1.2", "Top", Station("S", "http://s/")));
    Restart();
    ASSERT_TRUE(Load());
    EXPECT_STREQ(Settings().GetMoviesSettings().GetText(), "2.0");
    EXPECT_STREQ(Settings().GetListVersion("c.txt").GetText(), "1.2");
    EXPECT_STREQ(Settings().GetListVersion("other.txt").GetText(), "7.0");
}

TEST_F(CatalogueTest, AnUnreadableIndexLoadsNothingAndWritesNoVersion)
{
    for (const char* pIndex : {static_cast<const char*>(nullptr), "no elements at all"}) {
        Restart();
        fs::remove(ResFolder() / "MoviesSettings.txt");
        if (pIndex != nullptr) {
            WriteListFile("MoviesSettings.txt", pIndex);
        }
        EXPECT_FALSE(Load()) << (pIndex ? pIndex : "missing");
        EXPECT_EQ(m_pModel->GetItemCount(), 0);
        EXPECT_EQ(m_pCatalogue->GetRecordCount(), 0u);
        EXPECT_TRUE(Settings().GetMoviesSettings().IsEmpty());
    }
}

TEST_F(CatalogueTest, ACategoryWhoseFileIsMissingOrBrokenStaysEmptyAndOpen)
{
    WriteListFile("MoviesSettings.txt",
                  IndexFile("1.0", Category("Missing", "missing.txt") + Category("Broken", "broken.txt") +
                                       Category("Fine", "fine.txt") +
                                       Element("CATEGORY", Element("NAME", "Bare"))));
    WriteListFile("broken.txt", "no elements at all");
    WriteListFile("fine.txt", CategoryFile("1.0", "Top", Station("S", "http://s/")));

    ASSERT_TRUE(Load());

    EXPECT_EQ(Dump(*m_pModel), "Missing[0],Broken[1],Fine[2]{S[3]},Bare[4]");
    // A category without a file is not opened; one whose file failed still is.
    EXPECT_EQ(m_pCatalogue->GetExpandedItems().size(), 3u);
}

// Icon routes of a local server; every picture is a small GIF.
class CatalogueIconTest : public CatalogueTest
{
protected:
    void SetUp() override
    {
        const std::string strGif = MakeGif(2, 2, {qRgb(0, 0, 0), qRgb(255, 0, 0)}, {{1, 1, 1, 1}}, -1);
        for (const char* pPath :
             {"/icons/station.gif", "/icons/folder.gif", "/icons/a.gif", "/icons/b.gif"}) {
            m_server.Serve(pPath, strGif, "image/gif");
        }
        // Promises more bytes than it sends, then drops the connection.
        m_server.Routes().Get(
            "/icons/cut.gif", [strGif](const httplib::Request&, httplib::Response& response) {
                response.set_content_provider(strGif.size() * 4, "image/gif",
                                              [strGif](size_t uOffset, size_t, httplib::DataSink& sink) {
                                                  if (uOffset > 0) {
                                                      return false;
                                                  }
                                                  sink.write(strGif.data(), strGif.size());
                                                  return true;
                                              });
            });
        ASSERT_GT(m_server.Start(), 0);
    }

    std::string Url(const std::string& strPath) const { return m_server.Url(strPath); }
    int Requests(const std::string& strPath) const { return m_server.RequestCount(strPath); }
    static bool OnDisk(const CMyString& strFile) { return CFileHandler::FileExists(strFile); }

    LocalHttpServer m_server;
};

TEST_F(CatalogueIconTest, EachIconIsFetchedOnceAndFailuresLeaveNoFile)
{
    const std::string strClosed = "http://127.0.0.1:" + std::to_string(LocalHttpServer::ClosedPort()) + "/";
    WriteServerList({strClosed, Url("/")});
    WriteListFile("MoviesSettings.txt",
                  IndexFile("1.0", Element("ICON", "icons/none.gif") + Element("ICON", "icons/station.gif") +
                                       Element("FOLDER_ICON", "icons/folder.gif") +
                                       Category("Cat", "c.txt", Element("ICON", "icons/a.gif"))));
    const auto icon = [this](const char* pName) {
        return Element("ICON_URL", Url(std::string("/icons/") + pName));
    };
    WriteListFile("c.txt", CategoryFile("1.0", "Top",
                                        Station("S1", "http://1/", icon("a.gif")) +
                                            Station("S2", "http://2/", icon("b.gif")) +
                                            Station("S3", "http://3/", icon("b.gif")) +
                                            Station("S4", "http://4/", icon("missing.gif")) +
                                            Station("S5", "http://5/", icon("cut.gif")) +
                                            Menu("M", icon("b.gif") + Station("S6", "http://6/"))));

    ASSERT_TRUE(Load());
    EXPECT_STREQ(m_pCatalogue->GetServerBase().GetText(), Url("/").c_str());

    // Nothing was waited for: the default icons come in the background like
    // the others. The category's icon and S1's are the same address: four
    // distinct item downloads, and three default ones.
    EXPECT_EQ(m_pCatalogue->GetStationIconIndex(), -1);
    EXPECT_EQ(m_pCatalogue->GetRequestedIconCount(), 4u);
    ASSERT_TRUE(ProcessEventsUntil([this] { return m_pReceiver->m_nCompleted == 7; }));
    // One the server refuses adds nothing and leaves no file.
    EXPECT_EQ(Requests("/icons/none.gif"), 1);
    EXPECT_FALSE(OnDisk(Settings().GetIconFilePath(Url("/icons/none.gif").c_str())));
    EXPECT_TRUE(OnDisk(Settings().GetIconFilePath(Url("/icons/station.gif").c_str())));
    EXPECT_EQ(m_pCatalogue->GetImageList().GetCount(), 2);
    EXPECT_FALSE(m_pCatalogue->GetImageList().GetImage(m_pCatalogue->GetStationIconIndex()).isNull());
    EXPECT_FALSE(m_pCatalogue->GetImageList().GetImage(m_pCatalogue->GetFolderIconIndex()).isNull());
    for (const char* pPath : {"/icons/station.gif", "/icons/folder.gif", "/icons/a.gif", "/icons/b.gif",
                              "/icons/missing.gif", "/icons/cut.gif"}) {
        EXPECT_EQ(Requests(pPath), 1) << pPath;
    }
    EXPECT_EQ(Record(0).m_strIconFile, Record(1).m_strIconFile);
    EXPECT_EQ(Record(2).m_strIconFile, Record(3).m_strIconFile);
    EXPECT_EQ(Record(2).m_strIconFile, Record(6).m_strIconFile);
    EXPECT_TRUE(Record(7).m_strIconFile.IsEmpty());
    EXPECT_EQ(Record(2).m_strIconFile, Settings().GetCachedIconFilePath(Url("/icons/b.gif").c_str()));
    EXPECT_TRUE(OnDisk(Record(1).m_strIconFile));
    EXPECT_TRUE(OnDisk(Record(2).m_strIconFile));
    // Neither a refused download nor a broken transfer leaves a file behind.
    for (const intptr_t nIndex : {4, 5}) {
        EXPECT_FALSE(OnDisk(Record(nIndex).m_strIconFile)) << nIndex;
        EXPECT_FALSE(OnDisk(PartialFileOf(Record(nIndex).m_strIconFile))) << nIndex;
    }

    // The next start fetches only what is still missing, and has the default icons at once.
    Restart();
    ASSERT_TRUE(Load());
    EXPECT_EQ(m_pCatalogue->GetStationIconIndex(), 0);
    EXPECT_EQ(m_pCatalogue->GetFolderIconIndex(), 1);
    EXPECT_EQ(m_pModel->GetItemImage(Record(6).m_hTreeItem), 1);
    ASSERT_TRUE(ProcessEventsUntil([this] { return m_pReceiver->m_nCompleted == 3; }));
    for (const char* pPath : {"/icons/station.gif", "/icons/folder.gif", "/icons/a.gif", "/icons/b.gif"}) {
        EXPECT_EQ(Requests(pPath), 1) << pPath;
    }
    EXPECT_EQ(Requests("/icons/missing.gif"), 2);
    EXPECT_EQ(Requests("/icons/cut.gif"), 2);
}

TEST_F(CatalogueIconTest, WithoutAServerRelativeIconsAreNotRequested)
{
    WriteServerList({"http://127.0.0.1:" + std::to_string(LocalHttpServer::ClosedPort()) + "/"});
    WriteListFile("MoviesSettings.txt",
                  IndexFile("1.0", Element("ICON", "icons/station.gif") +
                                       Category("Cat", "c.txt", Element("ICON", "icons/a.gif"))));
    WriteListFile("c.txt", CategoryFile("1.0", "Top", Station("S", "http://s/")));

    ASSERT_TRUE(Load());

    EXPECT_TRUE(m_pCatalogue->GetServerBase().IsEmpty());
    EXPECT_EQ(m_pCatalogue->GetStationIconIndex(), -1);
    EXPECT_EQ(m_pCatalogue->GetImageList().GetCount(), 0);
    EXPECT_EQ(m_pCatalogue->GetRequestedIconCount(), 0u);
    // The category still names its (absent) icon file, and the stations load.
    EXPECT_FALSE(Record(0).m_strIconFile.IsEmpty());
    EXPECT_EQ(Dump(*m_pModel), "Cat[0]{S[1]}");
}

TEST_F(CatalogueTest, TheShippedCatalogueLoads)
{
    for (const fs::directory_entry& entry : fs::directory_iterator(SourceRoot() / "res")) {
        if (entry.path().extension() == ".txt") {
            fs::copy_file(entry.path(), ResFolder() / entry.path().filename());
        }
    }

    ASSERT_TRUE(Load());

    int nStations = 0;
    int nWebStations = 0;
    for (intptr_t i = 0; i < static_cast<intptr_t>(m_pCatalogue->GetRecordCount()); ++i) {
        const CCatalogItem& record = Record(i);
        if (record.m_nKind == CCatalogItem::kStation) {
            ++nStations;
            nWebStations += record.m_nWeb;
            EXPECT_TRUE(IsHttpAddress(record.m_strAddress)) << record.GetCaptionPath().GetText();
        }
    }
    EXPECT_EQ(m_pModel->GetChildItems(CStationTreeModel::kRoot).size(), 3u);
    EXPECT_GE(nStations, 30);
    EXPECT_GE(nWebStations, 3);
    EXPECT_FALSE(Settings().GetMoviesSettings().IsEmpty());
    EXPECT_FALSE(Settings().GetListVersion("TvNews.txt").IsEmpty());
}

} // namespace
