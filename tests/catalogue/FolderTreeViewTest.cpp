// The station tree on the offscreen platform: loading and the codes it posts
// to the main frame, the whole-row click, double-click, Enter and Left, the
// keys handed over by the player view, Next and Previous, the station search
// and its message box, the pane's minimum width, and what a row draws.
#include "FolderTreeView.h"

#include "../skin/SkinTestSupport.h"
#include "../support/CoreApp.h"
#include "../support/LocalHttpServer.h"
#include "CatalogueFiles.h"
#include "ColourConvert.h"
#include "MessageMap.h"
#include "Messages.h"
#include "MyMessageBox.h"
#include "RavelinDoc.h"
#include "Settings.h"
#include "SkinInfo.h"
#include "SkinMessages.h"
#include "TreeLayout.h"

#include <QKeyEvent>
#include <QSplitter>
#include <QTimer>
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace {

using Handle = CStationTreeModel::Handle;

// Stands in for the main frame: records the codes the tree posts to it.
class CStandInFrame : public QObject
{
public:
    CStandInFrame()
    {
        m_map.Add(RegisterWindowMessage(kMainFrameMessage), [this](uintptr_t wParam, intptr_t) {
            m_codes.push_back(wParam);
            return intptr_t{0};
        });
    }
    bool event(QEvent* pEvent) override { return m_map.Dispatch(pEvent) || QObject::event(pEvent); }
    // The codes that arrived since the last call.
    std::vector<uintptr_t> TakeCodes()
    {
        QCoreApplication::processEvents();
        return std::exchange(m_codes, {});
    }

private:
    CMessageMap m_map;
    std::vector<uintptr_t> m_codes;
};

// Stands in for the player view: records the hints it gets.
class CStandInView : public CDocumentView
{
public:
    void OnUpdate(CDocumentView* pSender, intptr_t lHint, void* pHint) override
    {
        m_hints.push_back({pSender, lHint, pHint});
    }
    struct Hint
    {
        CDocumentView* pSender;
        intptr_t lHint;
        void* pHint;
    };
    std::vector<Hint> m_hints;
};

// Records: Radio 0, Jazz FM 1, Rock 2, Classic ROCK 3, Indie 4, Talk 5,
// Television 6, News 24 7, Web 8, World News 9.
void WriteCatalogue()
{
    WriteListFile("MoviesSettings.txt",
                  IndexFile("1.0", Category("Radio", "r.txt") + Category("Television", "t.txt")));
    WriteListFile("r.txt", CategoryFile("1.0", "Radio",
                                        Station("Jazz FM", "http://jazz/") +
                                            Menu("Rock", Station("Classic ROCK", "http://classic/") +
                                                             Station("Indie", "http://indie/")) +
                                            Station("Talk", "http://talk/")));
    WriteListFile("t.txt", CategoryFile("1.0", "",
                                        Station("News 24", "http://news/") +
                                            Menu("Web", Station("World News", "http://world/",
                                                                Element("WEB", "TRUE")))));
}

class FolderTreeViewTest : public CQtTest
{
protected:
    FolderTreeViewTest()
    {
        g_strPath = PathText(SourceRoot());
        m_document.AddView(&m_player);
    }
    ~FolderTreeViewTest() override { g_strPath.Empty(); }

    // Makes, shows and loads the tree.
    CFolderTreeView& Open(QWidget* pParent = nullptr)
    {
        m_pTree = std::make_unique<CFolderTreeView>(pParent);
        m_pTree->SetFrame(&m_frame);
        m_pTree->SetDocument(&m_document);
        if (pParent == nullptr) {
            m_pTree->resize(300, 500);
            m_pTree->show();
        }
        m_pTree->OnInitialUpdate();
        m_frame.TakeCodes();
        return *m_pTree;
    }

    Handle Item(intptr_t nRecord) const { return m_pTree->GetCatalogue().GetRecord(nRecord)->m_hTreeItem; }
    QModelIndex IndexOf(intptr_t nRecord) const { return m_pTree->GetModel().IndexOf(Item(nRecord)); }
    QRect RowOf(intptr_t nRecord) const { return m_pTree->visualRect(IndexOf(nRecord)); }
    bool IsOpen(intptr_t nRecord) const { return m_pTree->isExpanded(IndexOf(nRecord)); }
    void Select(intptr_t nRecord)
    {
        m_pTree->SelectItem(Item(nRecord));
        m_frame.TakeCodes();
    }
    // The selected record's index, or -1.
    intptr_t Selected() const
    {
        const CCatalogItem* pItem = m_pTree->GetSelectedItem();
        return pItem == nullptr ? -1 : m_pTree->GetCatalogue().GetRecordIndex(pItem->m_hTreeItem);
    }
    void Click(QPoint point)
    {
        Press(*m_pTree->viewport(), point);
        Release(*m_pTree->viewport(), point);
    }
    void Key(int nKey)
    {
        QKeyEvent event(QEvent::KeyPress, nKey, Qt::NoModifier);
        QApplication::sendEvent(m_pTree.get(), &event);
    }
    std::string Find(const char* pQuery)
    {
        CMyString strQuery(pQuery);
        m_pTree->FindNext(&strQuery);
        return strQuery.GetText();
    }

    CTestHome m_home;
    CStandInFrame m_frame;
    CRavelinDoc m_document;
    CStandInView m_player;
    std::unique_ptr<CFolderTreeView> m_pTree;
};

TEST_F(FolderTreeViewTest, LoadingOpensTheCategoriesAndTellsTheFrameOnce)
{
    WriteCatalogue();
    m_pTree = std::make_unique<CFolderTreeView>();
    m_pTree->SetFrame(&m_frame);
    m_pTree->show();
    // The load waits for the event loop, so that the window paints first.
    EXPECT_EQ(m_pTree->GetCatalogue().GetRecordCount(), 0u);
    ASSERT_TRUE(ProcessEventsUntil([this] { return m_pTree->GetCatalogue().GetRecordCount() == 10; }));
    m_pTree->OnInitialUpdate();
    EXPECT_EQ(m_frame.TakeCodes(), std::vector<uintptr_t>{CFolderTreeView::kCatalogueLoadedCode});
    EXPECT_TRUE(IsOpen(0));
    EXPECT_TRUE(IsOpen(6));
    EXPECT_FALSE(IsOpen(2));
    EXPECT_EQ(m_pTree->GetSelectedItem(), nullptr);
}

TEST_F(FolderTreeViewTest, AMissingCatalogueStillTellsTheFrame)
{
    m_pTree = std::make_unique<CFolderTreeView>();
    m_pTree->SetFrame(&m_frame);
    m_pTree->OnInitialUpdate();
    EXPECT_EQ(m_frame.TakeCodes(), std::vector<uintptr_t>{CFolderTreeView::kCatalogueLoadedCode});
    EXPECT_EQ(m_pTree->GetModel().GetItemCount(), 0);
    EXPECT_FALSE(m_pTree->SelectNextStation());
    EXPECT_FALSE(m_pTree->SelectPreviousStation());
}

TEST_F(FolderTreeViewTest, AClickAnywhereOnARowSelectsAndTogglesIt)
{
    WriteCatalogue();
    Open();
    const QRect radio = RowOf(0);
    const QPoint rightOfText(m_pTree->viewport()->width() - 3, radio.center().y());
    EXPECT_EQ(m_pTree->HitTestRow(rightOfText), Item(0));
    EXPECT_EQ(m_pTree->HitTestRow(QPoint(0, RowOf(2).center().y())), Item(2)) << "left of a nested item";

    Click(rightOfText);
    EXPECT_EQ(Selected(), 0);
    EXPECT_FALSE(IsOpen(0));
    EXPECT_EQ(m_frame.TakeCodes(), std::vector<uintptr_t>{CFolderTreeView::kSelectionChangedCode});

    Click(rightOfText);
    EXPECT_TRUE(IsOpen(0));
    EXPECT_TRUE(m_frame.TakeCodes().empty()) << "the selection did not change";

    Click(RowOf(2).center());
    EXPECT_EQ(Selected(), 2);
    EXPECT_TRUE(IsOpen(2));
    EXPECT_EQ(m_frame.TakeCodes(), std::vector<uintptr_t>{CFolderTreeView::kSelectionChangedCode});

    // Below the last row there is nothing to hit.
    const QPoint below(10, m_pTree->viewport()->height() - 2);
    ASSERT_FALSE(RowOf(9).contains(below));
    EXPECT_EQ(m_pTree->HitTestRow(below), 0u);
    Click(below);
    EXPECT_EQ(Selected(), 2);
    EXPECT_TRUE(m_frame.TakeCodes().empty());
}

TEST_F(FolderTreeViewTest, DoubleClickAndEnterAskThePlayerToPlay)
{
    WriteCatalogue();
    Open();
    const QPoint row = RowOf(1).center();
    Click(row);
    SendMouse(*m_pTree->viewport(), QEvent::MouseButtonDblClick, row, Qt::LeftButton, Qt::LeftButton);
    Release(*m_pTree->viewport(), row);
    Key(Qt::Key_Return);
    // A folder goes to the player as well: it decides what a folder means.
    Select(2);
    Key(Qt::Key_Enter);

    ASSERT_EQ(m_player.m_hints.size(), 3u);
    for (const CStandInView::Hint& hint : m_player.m_hints) {
        EXPECT_EQ(hint.pSender, m_pTree.get());
        EXPECT_EQ(hint.lHint, CRavelinDoc::kHintPlaySelected);
        EXPECT_EQ(hint.pHint, nullptr);
    }
}

TEST_F(FolderTreeViewTest, LeftClosesTheSelectedFolderAndArrowsMoveTheSelection)
{
    WriteCatalogue();
    Open();
    Select(0);
    Key(Qt::Key_Left);
    EXPECT_FALSE(IsOpen(0));
    EXPECT_EQ(Selected(), 0);
    Key(Qt::Key_Down);
    EXPECT_EQ(Selected(), 6);
    EXPECT_EQ(m_frame.TakeCodes(), std::vector<uintptr_t>{CFolderTreeView::kSelectionChangedCode});

    // Closing a folder that holds the selection selects the folder.
    Select(3);
    m_pTree->collapse(IndexOf(2));
    EXPECT_EQ(Selected(), 2);
}

TEST_F(FolderTreeViewTest, KeysHandedOverByThePlayerActAsTheTreesOwn)
{
    WriteCatalogue();
    Open();
    Select(1);
    m_document.UpdateAllViews(&m_player, CRavelinDoc::kHintKeyToTree,
                              new QKeyEvent(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier));
    EXPECT_EQ(Selected(), 2);
    m_document.UpdateAllViews(&m_player, CRavelinDoc::kHintKeyToTree,
                              new QKeyEvent(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier));
    ASSERT_EQ(m_player.m_hints.size(), 1u);
    EXPECT_EQ(m_player.m_hints[0].lHint, CRavelinDoc::kHintPlaySelected);
    // Other hints are not the tree's business.
    m_document.UpdateAllViews(&m_player, CRavelinDoc::kHintPlaySelected, nullptr);
    m_document.UpdateAllViews(&m_player, CRavelinDoc::kHintKeyToTree, nullptr);
    EXPECT_EQ(Selected(), 2);
}

TEST_F(FolderTreeViewTest, NextAndPreviousStepOverFoldersWithoutWrapping)
{
    WriteCatalogue();
    Open();
    // With nothing selected, Next starts after the first record.
    EXPECT_TRUE(m_pTree->SelectNextStation());
    EXPECT_EQ(Selected(), 1);
    EXPECT_TRUE(m_pTree->SelectNextStation());
    EXPECT_EQ(Selected(), 3);
    EXPECT_TRUE(IsOpen(2)) << "the station's folder opens";
    EXPECT_EQ(m_frame.TakeCodes().size(), 2u);
    Select(9);
    EXPECT_FALSE(m_pTree->SelectNextStation());
    EXPECT_EQ(Selected(), 9);
    EXPECT_TRUE(m_pTree->SelectPreviousStation());
    EXPECT_EQ(Selected(), 7);
    EXPECT_TRUE(m_pTree->SelectPreviousStation());
    EXPECT_EQ(Selected(), 5);
    Select(1);
    EXPECT_FALSE(m_pTree->SelectPreviousStation());
    EXPECT_EQ(Selected(), 1);
    EXPECT_TRUE(m_frame.TakeCodes().empty());

    // With nothing selected, Previous starts before the last record.
    m_pTree->selectionModel()->clearCurrentIndex();
    EXPECT_TRUE(m_pTree->SelectPreviousStation());
    EXPECT_EQ(Selected(), 7);
}

TEST_F(FolderTreeViewTest, FindNextStepsThroughMatchesAndWrapsRound)
{
    WriteCatalogue();
    Open();
    m_pTree->collapse(IndexOf(2));
    // Any case, folders too, from the selection onwards.
    EXPECT_EQ(Find("ROCK"), "rock") << "the query is lower-cased in place";
    EXPECT_EQ(Selected(), 2);
    Find("ROCK");
    EXPECT_EQ(Selected(), 3);
    EXPECT_TRUE(IsOpen(2)) << "the match's folder opens";
    Find("ROCK");
    EXPECT_EQ(Selected(), 2);
    // A match in the middle of a caption; the search wraps round past the end.
    Find("ews");
    EXPECT_EQ(Selected(), 7);
    Find("ews");
    EXPECT_EQ(Selected(), 9);
    Find("ews");
    EXPECT_EQ(Selected(), 7);
    EXPECT_EQ(m_frame.TakeCodes().size(), 6u);
    // The only match is the selection itself: found again.
    Select(5);
    Find("talk");
    EXPECT_EQ(Selected(), 5);
    // No query takes the next record, whatever it is.
    Find("");
    EXPECT_EQ(Selected(), 6);
    m_pTree->FindNext(nullptr);
    EXPECT_EQ(Selected(), 7);
}

TEST_F(FolderTreeViewTest, ASearchWithoutAMatchOffersTheWeb)
{
    WriteCatalogue();
    Open();
    Select(1);
    struct Case
    {
        bool bAccept;
        std::vector<uintptr_t> codes;
    };
    for (const Case& check : {Case{true, {CFolderTreeView::kSearchWebCode}}, Case{false, {}}}) {
        QString strShown;
        QTimer::singleShot(0, [&] {
            auto* pBox = dynamic_cast<CMyMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(pBox, nullptr);
            strShown = pBox->GetMessageControl().text();
            if (check.bAccept) {
                Press(*pBox->GetButton(1), QPoint(5, 5));
                Release(*pBox->GetButton(1), QPoint(5, 5));
            } else {
                pBox->close();
            }
        });
        Find("no such station");
        EXPECT_EQ(strShown, QString(CFolderTreeView::kNoResultsText));
        EXPECT_EQ(Selected(), 1);
        EXPECT_EQ(m_frame.TakeCodes(), check.codes) << "accepted: " << check.bAccept;
    }
}

TEST_F(FolderTreeViewTest, ANarrowPaneSnapsBackToItsMinimumWidth)
{
    WriteCatalogue();
    QSplitter splitter;
    Open(&splitter);
    splitter.addWidget(m_pTree.get());
    splitter.addWidget(new QWidget);
    m_pTree->SetSplitter(&splitter);
    splitter.resize(800, 400);
    splitter.show();
    const int nTotal = splitter.sizes()[0] + splitter.sizes()[1];

    for (const int nWidth : {100, 0, 179}) {
        splitter.setSizes({nWidth, nTotal - nWidth});
        QCoreApplication::processEvents();
        EXPECT_EQ(splitter.sizes(),
                  QList<int>({CTreeLayout::kMinimumWidth, nTotal - CTreeLayout::kMinimumWidth}))
            << nWidth;
    }
    splitter.setSizes({250, nTotal - 250});
    QCoreApplication::processEvents();
    EXPECT_EQ(splitter.sizes()[0], 250);
    // The splitter must not delete the tree: the fixture does.
    m_pTree->setParent(nullptr);
}

// Rows and icons as they are painted.
class FolderTreeDrawingTest : public FolderTreeViewTest
{
protected:
    QImage Paint() const
    {
        return m_pTree->viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    }
    static QRgb Rgb(COLORREF cr) { return ToQColor(cr).rgb(); }
    // The icon box but for its last column, where the caption begins.
    QRect IconBox(intptr_t nRecord) const
    {
        const QRect row = RowOf(nRecord);
        const QRect text =
            CTreeLayout::TextRect(QRect(0, row.top(), m_pTree->viewport()->width(), row.height()),
                                  m_pTree->GetModel().GetItemDepth(Item(nRecord)));
        return CTreeLayout::IconRect(text, QSize(CTreeLayout::kIconBox - 1, CTreeLayout::kIconBox));
    }
    static int CountColour(const QImage& image, const QRect& area, QRgb colour)
    {
        int nCount = 0;
        for (int y = area.top(); y <= area.bottom(); ++y) {
            for (int x = area.left(); x <= area.right(); ++x) {
                nCount += image.pixel(x, y) == colour ? 1 : 0;
            }
        }
        return nCount;
    }
    static std::string SolidGif(QRgb colour)
    {
        return MakeGif(26, 26, {qRgb(0, 0, 0), colour}, {std::vector<uint8_t>(26 * 26, 1)}, -1);
    }
};

TEST_F(FolderTreeDrawingTest, TheSelectedRowIsFilledAcrossInTheSkinsColours)
{
    WriteCatalogue();
    Open();
    const CSkinInfo& skin = GetSkinInfo();
    ASSERT_NE(skin.m_crTreeSelectedBg, skin.m_crTreeBg);
    Select(1);
    const QImage image = Paint();
    const QRect selected = RowOf(1);
    const QRect plain = RowOf(5);

    EXPECT_EQ(image.pixel(0, selected.center().y()), Rgb(skin.m_crTreeSelectedBg));
    EXPECT_EQ(image.pixel(image.width() - 1, selected.top()), Rgb(skin.m_crTreeSelectedBg));
    EXPECT_EQ(image.pixel(0, plain.center().y()), Rgb(skin.m_crTreeBg));
    EXPECT_GT(CountColour(image, selected, Rgb(skin.m_crTreeSelectedText)), 10);
    EXPECT_GT(CountColour(image, plain, Rgb(skin.m_crTreeText)), 10);
}

TEST_F(FolderTreeDrawingTest, AnIconDrawsWhenItArrives)
{
    LocalHttpServer server;
    // Late on purpose, so that the first paints come before the icon.
    const std::string strLate = SolidGif(qRgb(0, 200, 0));
    server.Routes().Get("/late.gif", [strLate](const httplib::Request&, httplib::Response& response) {
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
        response.set_content(strLate, "image/gif");
    });
    ASSERT_GT(server.Start(), 0);
    // One icon is cached from an earlier run; the other is on its way.
    const CMyString strCachedUrl = "http://127.0.0.1:1/cached.gif";
    WriteBytes(CFileHandler::ToSystemPath(Settings().GetCachedIconFilePath(strCachedUrl)),
               SolidGif(qRgb(0, 0, 250)));
    WriteListFile("MoviesSettings.txt", IndexFile("1.0", Category("Radio", "r.txt")));
    WriteListFile(
        "r.txt",
        CategoryFile("1.0", "Top",
                     Station("Cached", "http://c/", Element("ICON_URL", strCachedUrl.GetText())) +
                         Station("Late", "http://l/", Element("ICON_URL", server.Url("/late.gif")))));
    Open();
    const QRect cached = IconBox(1);
    const QRect late = IconBox(2);
    EXPECT_EQ(CountColour(Paint(), cached, qRgb(0, 0, 250)), cached.width() * cached.height());
    EXPECT_EQ(CountColour(Paint(), late, qRgb(0, 200, 0)), 0);

    ASSERT_TRUE(ProcessEventsUntil(
        [&] { return CountColour(Paint(), late, qRgb(0, 200, 0)) == late.width() * late.height(); }));
    EXPECT_EQ(server.RequestCount("/late.gif"), 1);
}

} // namespace
