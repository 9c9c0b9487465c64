// The player view with the stand-in controls (no engine), on Qt's offscreen
// platform: what it tells its controls, its layout, its status line and what
// it tells the frame and the station tree.
#include "RavelinView.h"

#include "../platform/MediaTestSupport.h"
#include "../support/LocalHttpServer.h"
#include "CatalogItem.h"
#include "ColourConvert.h"
#include "MediaPlayerStandIn.h"
#include "MessageMap.h"
#include "Messages.h"
#include "PlayerTestSupport.h"
#include "RavelinDoc.h"
#include "SkinInfo.h"
#include "SkinMessages.h"
#include "WebViewStandIn.h"

#include <QAbstractEventDispatcher>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QSplitter>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace {

// The main frame's part: collects the codes posted to it.
class CFrame : public QObject
{
public:
    CFrame()
    {
        m_map.Add(RegisterWindowMessage(kMainFrameMessage), [this](uintptr_t wParam, intptr_t lParam) {
            m_codes.push_back({wParam, lParam});
            return 0;
        });
    }
    bool event(QEvent* pEvent) override { return m_map.Dispatch(pEvent) || QObject::event(pEvent); }

    std::vector<std::pair<uintptr_t, intptr_t>> m_codes;

private:
    CMessageMap m_map;
};

// The station tree's part: records the hints and takes the keys it is handed.
class CTree : public CDocumentView
{
public:
    void OnUpdate(CDocumentView*, intptr_t lHint, void* pHint) override
    {
        m_hints.push_back(lHint);
        if (lHint == CRavelinDoc::kHintKeyToTree) {
            std::unique_ptr<QKeyEvent> pKey(static_cast<QKeyEvent*>(pHint));
            m_keys.push_back(pKey->key());
        }
    }

    std::vector<intptr_t> m_hints;
    std::vector<int> m_keys;
};

// A widget that counts the mouse presses that reach it.
class CClickCounter : public QWidget
{
public:
    using QWidget::QWidget;
    int m_nPresses = 0;

protected:
    void mousePressEvent(QMouseEvent*) override { ++m_nPresses; }
};

class RavelinViewTest : public CQtTest
{
protected:
    static constexpr char kHome[] = "start.html";

    RavelinViewTest()
    {
        EXPECT_GT(m_server.Start(), 0);
        WriteServerList(m_home, {m_server.Url("/")});
        WriteCatalogueIndex(m_home, kHome);
        m_doc.AddView(&m_tree);
    }

    std::unique_ptr<CRavelinView> MakeView()
    {
        auto pView = std::make_unique<CRavelinView>(&m_doc, nullptr, CPlayerControls::StandIns());
        pView->SetHomeServer(m_server.Url("/").c_str());
        pView->SetFrame(&m_frame);
        pView->resize(770, 526);
        return pView;
    }

    static CMediaPlayerStandIn& Media(CRavelinView& view)
    {
        return *dynamic_cast<CMediaPlayerStandIn*>(view.GetMediaPlayer());
    }
    static CWebViewStandIn& Web(CRavelinView& view)
    {
        return *dynamic_cast<CWebViewStandIn*>(view.GetWebBrowser());
    }
    static std::string Text(QLabel* pLabel) { return pLabel->text().toStdString(); }
    CMyString HomePage() const { return (m_server.Url("/") + kHome).c_str(); }

    CTestHome m_home;
    LocalHttpServer m_server;
    CRavelinDoc m_doc;
    CTree m_tree;
    CFrame m_frame;
};

TEST_F(RavelinViewTest, CreatesTheBrowserOnTheHomePageAndAHiddenPlayerSetUpInOrder)
{
    const auto pView = MakeView();
    EXPECT_EQ(pView->GetHomePage(), HomePage());
    ASSERT_NE(pView->GetWebBrowser(), nullptr);
    EXPECT_EQ(Web(*pView).get_LocationURL(), HomePage());
    EXPECT_FALSE(pView->GetWebBrowser()->isHidden());
    ASSERT_TRUE(pView->IsPlayerPresent());
    EXPECT_TRUE(pView->GetMediaPlayer()->isHidden());
    EXPECT_EQ(Media(*pView).GetCallText(),
              "enableContextMenu 0; autoStart 1; enableErrorDialogs 0; stretchToFit 1");
    // The labels lie above both controls.
    const QObjectList& children = pView->children();
    EXPECT_LT(children.indexOf(pView->GetWebBrowser()), children.indexOf(pView->GetMediaPlayer()));
    EXPECT_LT(children.indexOf(pView->GetMediaPlayer()), children.indexOf(pView->GetStatusLabel()));
}

TEST_F(RavelinViewTest, WithoutAHomePageThereIsNoBrowserAndStreamsStillPlay)
{
    WriteCatalogueIndex(m_home, "", false);
    const auto pView = MakeView();
    EXPECT_EQ(pView->GetWebBrowser(), nullptr);
    pView->SetStation("http://127.0.0.1/page", "Page", true);
    pView->Play();
    pView->SetStation("http://127.0.0.1/radio", "Radio", false);
    Media(*pView).ClearCalls();
    pView->Play();
    EXPECT_EQ(Media(*pView).GetCallText(), "URL http://127.0.0.1/radio; play");
}

TEST_F(RavelinViewTest, PlaysAStreamInThePlayerCutBeforeItsFirstAmpersand)
{
    const auto pView = MakeView();
    CMediaPlayerStandIn& media = Media(*pView);
    media.ClearCalls();
    pView->Play(); // no station yet
    EXPECT_EQ(media.GetCallText(), "");
    pView->SetStation("http://127.0.0.1/live.mp3?id=4&session=9", "Radio\\Jazz", false);
    pView->Play();
    EXPECT_EQ(media.GetCallText(), "URL http://127.0.0.1/live.mp3?id=4; play");
    EXPECT_FALSE(media.isHidden());
    EXPECT_EQ(media.geometry(), QRect(0, 0, 771, 567));
    // The page goes home and out of the way.
    EXPECT_EQ(Web(*pView).get_LocationURL(), HomePage());
    EXPECT_TRUE(pView->GetWebBrowser()->isHidden());
    ProcessEventsUntil([&] { return !m_frame.m_codes.empty(); }, 2000);
    ASSERT_EQ(m_frame.m_codes.size(), 1u);
    EXPECT_EQ(m_frame.m_codes[0], std::make_pair(uintptr_t{1039}, intptr_t{0}));
}

TEST_F(RavelinViewTest, SwitchingToAWebStationStopsAndHidesThePlayerAndBack)
{
    const auto pView = MakeView();
    CMediaPlayerStandIn& media = Media(*pView);
    pView->SetStation("http://127.0.0.1/live.mp3", "Radio", false);
    pView->Play();
    media.ClearCalls();
    CCatalogItem page;
    page.m_nKind = CCatalogItem::kStation;
    page.m_nWeb = 1;
    page.m_strCaption = "Web\\Page";
    page.m_strAddress = "http://127.0.0.1/page.html&frame=1";
    pView->AssignStation(&page);
    pView->Play();
    EXPECT_EQ(media.GetCallText(), "stop; close");
    EXPECT_TRUE(media.isHidden());
    EXPECT_FALSE(pView->GetWebBrowser()->isHidden());
    EXPECT_EQ(Web(*pView).get_LocationURL(), "http://127.0.0.1/page.html");
    EXPECT_EQ(pView->GetWebBrowser()->geometry(), QRect(0, 0, 791, 507));
    EXPECT_EQ(pView->GetWebBrowser()->mask(), QRegion(0, 0, 771, 507));
    // And back to the stream.
    pView->SetStation("http://127.0.0.1/live.mp3", "Radio", false);
    pView->Play();
    EXPECT_FALSE(media.isHidden());
    EXPECT_TRUE(pView->GetWebBrowser()->isHidden());
    EXPECT_EQ(Web(*pView).get_LocationURL(), HomePage());
}

TEST_F(RavelinViewTest, StopSendsTheBrowserHomeAndKeepsTheStation)
{
    const auto pView = MakeView();
    pView->SetStation("http://127.0.0.1/live.mp3", "Radio", false);
    pView->Play();
    Media(*pView).ClearCalls();
    Web(*pView).ClearNavigations();
    pView->Stop();
    EXPECT_EQ(Media(*pView).GetCallText(), "stop; close");
    EXPECT_EQ(Web(*pView).get_LocationURL(), HomePage());
    EXPECT_TRUE(pView->GetStation().CanPlay());
    // A later hint 2 from the tree plays it again.
    Media(*pView).ClearCalls();
    m_doc.UpdateAllViews(&m_tree, CRavelinDoc::kHintPlaySelected, nullptr);
    EXPECT_EQ(Media(*pView).GetCallText(), "URL http://127.0.0.1/live.mp3; play");
}

TEST_F(RavelinViewTest, FullScreenOnlyWhileAStreamPlays)
{
    const auto pView = MakeView();
    CMediaPlayerStandIn& media = Media(*pView);
    pView->SetStation("http://127.0.0.1/live.mp3", "Radio", false);
    pView->Play();
    for (int nState : {CMediaControl::kConnecting, CMediaControl::kBuffering, CMediaControl::kPaused,
                       CMediaControl::kStopped, CMediaControl::kError}) {
        media.SetPlayState(nState);
        pView->SetFullScreen();
        EXPECT_FALSE(media.get_fullScreen()) << nState;
    }
    media.SetPlayState(CMediaControl::kPlaying);
    pView->SetStation("http://127.0.0.1/page", "Page", true);
    pView->SetFullScreen();
    EXPECT_FALSE(media.get_fullScreen());
    pView->SetStation("http://127.0.0.1/live.mp3", "Radio", false);
    pView->SetFullScreen();
    EXPECT_TRUE(media.get_fullScreen());
}

TEST_F(RavelinViewTest, VolumeMuteAndLaunchUrlGoToThePlayer)
{
    const auto pView = MakeView();
    Media(*pView).ClearCalls();
    pView->SetVolume(35);
    pView->SetMute(true);
    pView->LaunchURL("http://127.0.0.1/search?q=jazz");
    EXPECT_EQ(Media(*pView).GetCallText(), "volume 35; mute 1; launchURL http://127.0.0.1/search?q=jazz");
}

TEST_F(RavelinViewTest, ResizingPlacesTheLabelsAndControlsAndANarrowPaneSnapsTo180)
{
    QSplitter splitter;
    splitter.resize(1000, 526);
    auto* pTree = new QWidget(&splitter);
    auto* pView = new CRavelinView(&m_doc, &splitter, CPlayerControls::StandIns());
    pView->SetHomeServer(m_server.Url("/").c_str());
    pView->SetSplitter(&splitter);
    splitter.show();
    ASSERT_TRUE(ProcessEventsUntil([&] { return pView->width() > 400; }, 3000));
    const int cx = pView->width();
    EXPECT_EQ(pView->GetStatusLabel()->geometry(), QRect(-3, 504, cx / 2 - 100, 25));
    EXPECT_EQ(pView->GetStationLabel()->geometry(), QRect(cx / 2 - 106, 504, cx - (cx / 2 - 106) + 3, 25));
    EXPECT_EQ(pView->GetPlayerArea(), QRect(0, 0, cx + 1, 501));
    EXPECT_EQ(pView->GetMediaPlayer()->geometry(), QRect(0, 0, cx + 1, 567));
    ASSERT_NE(pView->GetWebBrowser(), nullptr);
    EXPECT_EQ(pView->GetWebBrowser()->geometry(), QRect(0, 0, cx + 21, 507));
    splitter.setSizes({splitter.width() - 100, 100});
    EXPECT_TRUE(ProcessEventsUntil([&] { return pView->width() == 180; }, 3000)) << pView->width();
    EXPECT_EQ(pTree->width() + splitter.handleWidth() + 180, splitter.width());
}

// The labels follow the station and the player's reports as they happen,
// with no timer running: nothing but a change writes them.
TEST_F(RavelinViewTest, TheStatusLineFollowsTheStationAndThePlayerWithoutATimer)
{
    const auto pView = MakeView();
    CMediaPlayerStandIn& media = Media(*pView);
    EXPECT_EQ(Text(pView->GetStatusLabel()), "  Ready");
    EXPECT_EQ(Text(pView->GetStationLabel()), "");
    pView->SetStation("http://127.0.0.1/live.mp3", "Radio\\Jazz", false);
    EXPECT_EQ(Text(pView->GetStationLabel()), " Radio\\Jazz");
    media.SetStatus("Buffering (45%)");
    EXPECT_EQ(Text(pView->GetStatusLabel()), "  Buffering (45%)");
    // A folder clears the station label.
    CCatalogItem folder;
    folder.m_strAddress = CCatalogItem::kFolderAddress;
    pView->AssignStation(&folder);
    EXPECT_EQ(Text(pView->GetStationLabel()), "");
    media.SetStatus("Playing: Evening Tones");
    EXPECT_EQ(Text(pView->GetStatusLabel()), "  Playing: Evening Tones");
    // At rest the view has no timer that would wake the program up.
    EXPECT_TRUE(QAbstractEventDispatcher::instance()->registeredTimers(pView.get()).isEmpty());
}

// A stream's title or a station's name that looks like markup shows as the
// characters it is: the label is as wide as the whole text, tags included.
TEST_F(RavelinViewTest, TitlesAndNamesAreNeverMarkup)
{
    const auto pView = MakeView();
    Media(*pView).SetStatus("Playing: <b>Big</b> <img src=x> &amp;");
    pView->SetStation("http://127.0.0.1/live.mp3", "<h1>Radio</h1>", false);
    for (QLabel* pLabel : {pView->GetStatusLabel(), pView->GetStationLabel()}) {
        const int nTextWidth = QFontMetrics(pLabel->font()).horizontalAdvance(pLabel->text());
        EXPECT_GE(pLabel->sizeHint().width(), nTextWidth) << Text(pLabel);
    }
}

TEST_F(RavelinViewTest, LabelsTakeTheSkinsStatusColoursAndFont)
{
    const auto pView = MakeView();
    const CSkinInfo& skin = GetSkinInfo();
    for (QLabel* pLabel : {pView->GetStatusLabel(), pView->GetStationLabel()}) {
        EXPECT_EQ(pLabel->palette().color(QPalette::Window), ToQColor(skin.m_crStatusBg));
        EXPECT_EQ(pLabel->palette().color(QPalette::WindowText), ToQColor(skin.m_crStatusText));
        EXPECT_TRUE(pLabel->autoFillBackground());
        EXPECT_EQ(pLabel->font().pixelSize(), 13);
        EXPECT_EQ(pLabel->font().weight(), QFont::Normal);
    }
}

TEST_F(RavelinViewTest, RightClicksAreSwallowedAndKeysGoToTheTree)
{
    const auto pView = MakeView();
    auto* pChild = new CClickCounter(pView->GetMediaPlayer());
    CClickCounter outside;
    for (QWidget* pTarget : {static_cast<QWidget*>(pChild), static_cast<QWidget*>(&outside)}) {
        for (Qt::MouseButton button : {Qt::RightButton, Qt::LeftButton}) {
            QMouseEvent press(QEvent::MouseButtonPress, QPointF(2, 2), QPointF(2, 2), button, button,
                              Qt::NoModifier);
            QApplication::sendEvent(pTarget, &press);
        }
    }
    EXPECT_EQ(pChild->m_nPresses, 1);
    EXPECT_EQ(outside.m_nPresses, 2);

    QKeyEvent key(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
    QApplication::sendEvent(pView.get(), &key);
    EXPECT_EQ(m_tree.m_hints, std::vector<intptr_t>{CRavelinDoc::kHintKeyToTree});
    EXPECT_EQ(m_tree.m_keys, std::vector<int>{Qt::Key_Down});
}

} // namespace
