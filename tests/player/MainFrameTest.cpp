// The main window on the offscreen platform, with the stand-in media player:
// where it puts its parts, how it routes the codes and commands to the tree and
// the view, the mute round trip, the preset slots with their messages and their
// stored values, the swallowed right-click and the painted border.
#include "MainFrame.h"

#include "../catalogue/CatalogueFiles.h"
#include "../skin/SkinTestSupport.h"
#include "../support/CoreApp.h"
#include "../support/SilentServer.h"
#include "ColourConvert.h"
#include "FolderTreeView.h"
#include "FrameSkin.h"
#include "MainFrameLayout.h"
#include "MediaControl.h"
#include "Messages.h"
#include "MyOwnButton.h"
#include "MyPicture.h"
#include "MySlider.h"
#include "RavelinDoc.h"
#include "RavelinView.h"
#include "SearchMessages.h"
#include "Settings.h"
#include "SkinInfo.h"
#include "SkinMessages.h"
#include "SplashDlg.h"
#include "Station.h"

#include <QElapsedTimer>
#include <QKeyEvent>
#include <QTimer>
#include <QMouseEvent>
#include <QSplitter>
#include <gtest/gtest.h>

namespace {

// Records: Radio 0, Jazz FM 1, Rock 2, Classic ROCK 3, Talk 4.
void WriteCatalogue()
{
    WriteListFile("MoviesSettings.txt", IndexFile("1.0", Category("Radio", "r.txt")));
    WriteListFile("r.txt", CategoryFile("1.0", "Radio",
                                        Station("Jazz FM", "http://jazz/") +
                                            Menu("Rock", Station("Classic ROCK", "http://classic/")) +
                                            Station("Talk", "http://talk/")));
}

class MainFrameTest : public CQtTest
{
protected:
    MainFrameTest()
    {
        g_strPath = PathText(SourceRoot());
        WriteCatalogue();
    }
    ~MainFrameTest() override
    {
        m_pFrame.reset();
        g_strPath.Empty();
    }

    // Makes, shows and loads the frame at its full size.
    CMainFrame& Open()
    {
        m_pFrame = std::make_unique<CMainFrame>(&m_document, CPlayerControls::StandIns());
        m_pFrame->SetMessageBox([this](const CMyString& strText, unsigned uType) {
            m_messages.push_back(strText.GetText());
            return uType == 4 ? m_nAnswer : 1;
        });
        EXPECT_TRUE(m_pFrame->Create());
        m_pFrame->resize(1010, 640);
        m_pFrame->show();
        EXPECT_TRUE(ProcessEventsUntil([this] { return m_pFrame->GetSplash() == nullptr; }));
        return *m_pFrame;
    }
    void Select(intptr_t nRecord)
    {
        CFolderTreeView& tree = *m_pFrame->GetTree();
        tree.SelectItem(tree.GetCatalogue().GetRecord(nRecord)->m_hTreeItem);
        QCoreApplication::processEvents();
    }
    void Send(const char* pMessage, uintptr_t wParam, intptr_t lParam = 0)
    {
        SendMessage(m_pFrame.get(), RegisterWindowMessage(pMessage), wParam, lParam);
    }
    void PressPreset(int nSlot) { Send(kButtonTwoStateClickedMessage, Button(nSlot, true)); }
    void PressStation(int nSlot) { Send(kButtonTwoStateClickedMessage, Button(nSlot, false)); }
    uintptr_t Button(int nSlot, bool bPreset) const
    {
        const CStation& station = *m_pFrame->GetPresets()[static_cast<size_t>(nSlot)];
        return reinterpret_cast<uintptr_t>(bPreset ? station.GetPresetButton() : station.GetStationButton());
    }
    const CCurrentStation& Current() const { return m_pFrame->GetView()->GetStation(); }

    CTestHome m_home;
    CRavelinDoc m_document;
    std::unique_ptr<CMainFrame> m_pFrame;
    std::vector<std::string> m_messages;
    int m_nAnswer = 6;
};

TEST_F(MainFrameTest, PartsSitAtTheirPlaces)
{
    CMainFrame& frame = Open();
    EXPECT_EQ(frame.GetSplitter()->geometry(), QRect(20, 30, 1010 - 40, 640 - 114));
    EXPECT_EQ(frame.GetSearchBar().width(), 1010);
    ASSERT_EQ(frame.GetPresets().size(), 5u);
    for (int nSlot = 0; nSlot < 5; ++nSlot) {
        const CStation& station = *frame.GetPresets()[static_cast<size_t>(nSlot)];
        EXPECT_EQ(station.GetPresetButton()->geometry(), QRect(15 + 32 * nSlot, 570, 29, 30));
        EXPECT_EQ(station.GetStationButton()->geometry(), QRect(15 + 32 * nSlot, 600, 29, 34));
    }
    const int kLefts[] = {177, 232, 284, 336, 388, 443, 462};
    for (int nSlot = 0; nSlot < CMainFrame::kControlCount; ++nSlot) {
        const auto control = static_cast<CMainFrame::Control>(nSlot);
        EXPECT_EQ(frame.GetControl(control)->pos(), QPoint(kLefts[nSlot], 575)) << nSlot;
    }
    EXPECT_EQ(frame.mask().boundingRect(), QRect(0, 0, 1010, 639));
}

TEST_F(MainFrameTest, WindowGoesToTheMiddleOfTheWorkArea)
{
    CMainFrame& frame = Open();
    const QRect work = frame.screen()->availableGeometry();
    const QRect expected = CMainFrameLayout::WindowGeometry(work);
    CMainFrame second(&m_document, CPlayerControls::StandIns());
    ASSERT_TRUE(second.Create());
    EXPECT_EQ(second.geometry(), expected);
}

TEST_F(MainFrameTest, SelectionNextAndPlayReachTheView)
{
    CMainFrame& frame = Open();
    Select(1);
    EXPECT_EQ(Current().m_strAddress, CMyString("http://jazz/"));
    frame.OnCommand(CMainFrame::kNextId);
    QCoreApplication::processEvents();
    EXPECT_EQ(Current().m_strAddress, CMyString("http://classic/"));
    frame.OnCommand(CMainFrame::kPreviousId);
    QCoreApplication::processEvents();
    EXPECT_EQ(Current().m_strAddress, CMyString("http://jazz/"));
    // A category gives the view a folder, which does not play.
    Select(0);
    EXPECT_FALSE(Current().CanPlay());
}

TEST_F(MainFrameTest, KeysOfTheFrameGoToTheTree)
{
    CMainFrame& frame = Open();
    Select(1);
    QKeyEvent down(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
    QApplication::sendEvent(&frame, &down);
    QCoreApplication::processEvents();
    ASSERT_NE(frame.GetTree()->GetSelectedItem(), nullptr);
    EXPECT_EQ(frame.GetTree()->GetSelectedItem(), frame.GetTree()->GetCatalogue().GetRecord(2));
}

// The splitter's handle dragged by the mouse, as a user does.
void DragSplitterHandle(QSplitter& splitter, int nBy)
{
    QSplitterHandle* pHandle = splitter.handle(1);
    // The handle moves with the drag: the mouse's screen positions are fixed at the start.
    const QPoint from = pHandle->mapToGlobal(QPoint(pHandle->width() / 2, pHandle->height() / 2));
    const auto send = [pHandle](QEvent::Type type, QPoint global, Qt::MouseButtons buttons) {
        QMouseEvent event(type, pHandle->mapFromGlobal(global), global, Qt::LeftButton, buttons,
                          Qt::NoModifier);
        QApplication::sendEvent(pHandle, &event);
    };
    send(QEvent::MouseButtonPress, from, Qt::LeftButton);
    for (int nStep = 1; nStep <= 10; ++nStep)
        send(QEvent::MouseMove, from + QPoint(nBy * nStep / 10, 0), Qt::LeftButton);
    send(QEvent::MouseButtonRelease, from + QPoint(nBy, 0), Qt::NoButton);
    QCoreApplication::processEvents();
}

TEST_F(MainFrameTest, TreeStartsAt220AndNeitherPaneIsDraggedNarrowerThan180)
{
    CMainFrame& frame = Open();
    EXPECT_EQ(frame.GetTree()->width(), CMainFrame::kTreeWidth);
    QSplitter& splitter = *frame.GetSplitter();
    for (const int nBy : {2000, -2000, 2000}) {
        DragSplitterHandle(splitter, nBy);
        EXPECT_GE(frame.GetTree()->width(), 180) << nBy;
        EXPECT_GE(frame.GetView()->width(), 180) << nBy;
    }
    // A drag within the limits moves the edge by exactly the drag.
    DragSplitterHandle(splitter, -2000);
    DragSplitterHandle(splitter, 100);
    EXPECT_EQ(frame.GetTree()->width(), 280);
}

TEST_F(MainFrameTest, MaximiseButtonTogglesAndSwapsItsPictures)
{
    CMainFrame& frame = Open();
    const CMyString strMaximizeImage = frame.GetSearchBar().GetMaxRestoreButton().GetImages().GetNormal();
    Send(kMessageFromDlg, kMaximizeRestoreCode);
    EXPECT_TRUE(frame.isMaximized());
    EXPECT_NE(frame.GetSearchBar().GetMaxRestoreButton().GetImages().GetNormal(), strMaximizeImage);
    frame.OnCommand(CMainFrame::kMaximizeId);
    EXPECT_FALSE(frame.isMaximized());
    EXPECT_EQ(frame.GetSearchBar().GetMaxRestoreButton().GetImages().GetNormal(), strMaximizeImage);
}

TEST_F(MainFrameTest, SplashStaysUntilTheCatalogueHasLoaded)
{
    CMainFrame frame(&m_document, CPlayerControls::StandIns());
    ASSERT_NE(frame.GetSplash(), nullptr);
    EXPECT_TRUE(frame.GetSplash()->isVisible());
    ASSERT_TRUE(frame.Create());
    const unsigned uMessage = RegisterWindowMessage(kMainFrameMessage);
    SendMessage(&frame, uMessage, CRavelinView::kStationStartedCode, 0); // leaves it open
    EXPECT_NE(frame.GetSplash(), nullptr);
    SendMessage(&frame, uMessage, CFolderTreeView::kCatalogueLoadedCode, 0);
    EXPECT_EQ(frame.GetSplash(), nullptr);
}

// A damaged settings file keeps what can be read (here the volume), and the
// user hears of it once, in the skinned message box, when the window is up.
TEST_F(MainFrameTest, ADamagedSettingsFileIsToldOnceAndKeepsWhatCanBeRead)
{
    CTestHome::WriteFile(m_home.StoreFile(), "[SOFTWARE\\Kestova]\n\"Volume\"=\"37\"\n\x01garbage\n");
    CMainFrame& frame = Open();
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0].rfind("Some settings could not be read.", 0), 0u) << m_messages[0];
    EXPECT_NE(m_messages[0].find(m_home.StoreFile().string() + ".damaged"), std::string::npos) << m_messages[0];
    EXPECT_EQ(Settings().GetVolume(), 37);
    EXPECT_EQ(frame.GetView()->GetMediaPlayer()->get_volume(), 37);
}

// A home server that takes connections and never answers must not freeze the
// window: from the first start (its manifest) through the window, the
// catalogue with its default and item icons, the search engines' pictures and
// the silent update check, the window's thread is never held up waiting on it.
// A timer on that thread measures the longest gap between its ticks: a few
// tens of milliseconds in a plain build, and well under a second even in a
// sanitized build on a busy machine, where any wait on the silent server
// (whose shortest time-out is 1.5 s) would show.
TEST_F(MainFrameTest, ASilentServerNeverHoldsTheWindowUp)
{
    CSilentServer silent;
    ASSERT_TRUE(silent.IsListening());
    WriteServerList({silent.Url("/")});
    WriteListFile("MoviesSettings.txt",
                  IndexFile("1.0", Element("ICON", "icons/station.gif") + Element("FOLDER_ICON", "icons/folder.gif") +
                                       Category("Radio", "r.txt", Element("ICON", "icons/radio.gif"))));
    WriteListFile("r.txt", CategoryFile("1.0", "Radio",
                                        Station("Jazz FM", "http://jazz/",
                                                Element("ICON_URL", silent.Url("/icons/jazz.gif")))));
    WriteListFile("SearchSettings.txt",
                  "<SEARCH_SETTINGS><VERSION>1.0</VERSION><LIST_OF_SEARCH_ENGINES><SEARCH_ENGINE><CAPTION>A</CAPTION>"
                  "<PREFIX>https://a.example/?q=T</PREFIX><SEARCH_TERM_TO_REPLACE>T</SEARCH_TERM_TO_REPLACE>"
                  "<IMAGE_URL>" + silent.Url("/a.gif") + "</IMAGE_URL></SEARCH_ENGINE></LIST_OF_SEARCH_ENGINES>"
                  "</SEARCH_SETTINGS>");
    Settings().SetCopySettings(true);

    QElapsedTimer clock;
    clock.start();
    qint64 nLastTick = 0;
    qint64 nLongestGap = 0;
    QTimer ping;
    QObject::connect(&ping, &QTimer::timeout, [&] {
        nLongestGap = std::max(nLongestGap, clock.elapsed() - nLastTick);
        nLastTick = clock.elapsed();
    });
    ping.start(10);
    Open();
    // The silent update check starts two seconds after the window.
    ProcessEventsUntil([] { return false; }, 3000);
    RecordProperty("longest_gap_ms", static_cast<int>(nLongestGap));
    EXPECT_LT(nLongestGap, 1000);
    EXPECT_LT(clock.elapsed(), 15000) << "the first start gives up on the manifest within seconds";
}

TEST_F(MainFrameTest, StationSearchRunsOnTheTreeAndFreesTheText)
{
    CMainFrame& frame = Open();
    Send(kMessageFromDlg, kStationSearchCode, reinterpret_cast<intptr_t>(new CMyString("talk")));
    ASSERT_NE(frame.GetTree()->GetSelectedItem(), nullptr);
    EXPECT_EQ(frame.GetTree()->GetSelectedItem()->m_strAddress, CMyString("http://talk/"));
}

TEST_F(MainFrameTest, MuteTwiceReturnsToTheFirstState)
{
    CMainFrame& frame = Open();
    CMyOwnButton& mute = *frame.GetControl(CMainFrame::MuteControl);
    ASSERT_FALSE(frame.IsMuted());
    const CMyString strFirstImage = mute.GetImages().GetNormal();
    frame.OnCommand(CMainFrame::kMuteId);
    EXPECT_TRUE(frame.IsMuted());
    EXPECT_TRUE(frame.GetView()->GetMediaPlayer()->get_mute());
    EXPECT_TRUE(Settings().GetMute());
    EXPECT_EQ(mute.toolTip(), "Cancel Mute");
    EXPECT_NE(mute.GetImages().GetNormal(), strFirstImage);
    frame.OnCommand(CMainFrame::kMuteId);
    EXPECT_FALSE(Settings().GetMute());
    EXPECT_FALSE(frame.GetView()->GetMediaPlayer()->get_mute());
    EXPECT_EQ(mute.toolTip(), "Mute");
    EXPECT_EQ(mute.GetImages().GetNormal(), strFirstImage);
}

TEST_F(MainFrameTest, StoredMuteIsRestored)
{
    Settings().SetMute(true);
    CMainFrame& frame = Open();
    EXPECT_TRUE(frame.IsMuted());
    EXPECT_EQ(frame.GetControl(CMainFrame::MuteControl)->toolTip(), "Cancel Mute");
}

TEST_F(MainFrameTest, StoredVolumeIsRestoredAndTheSliderDrivesThePlayer)
{
    Settings().SetVolume(30);
    CMainFrame& frame = Open();
    // The knob moves in whole pixels, so the value it shows is the nearest its track allows.
    EXPECT_NEAR(static_cast<CMySlider*>(frame.GetControl(CMainFrame::VolumeControl))->GetValue(), 30, 3);
    EXPECT_EQ(frame.GetView()->GetMediaPlayer()->get_volume(), 30);
    Send(kMainFrameMessage, kVolumeChangedCode, 70);
    EXPECT_EQ(frame.GetView()->GetMediaPlayer()->get_volume(), 70);
}

TEST_F(MainFrameTest, PresetIsStoredAndReadBack)
{
    Open();
    EXPECT_EQ(m_pFrame->GetPresets()[2]->GetStationButton()->toolTip(), CStation::kEmptySlotTip);
    Select(1);
    PressPreset(2);
    EXPECT_EQ(m_messages, std::vector<std::string>{"The Station Was Pre-Set Successfully"});
    m_pFrame.reset();
    Open();
    const CStation& slot = *m_pFrame->GetPresets()[2];
    EXPECT_TRUE(slot.IsOn());
    EXPECT_EQ(slot.GetAddress(), CMyString("http://jazz/"));
    EXPECT_EQ(slot.GetStationButton()->toolTip().toStdString(), slot.GetName().GetText());
    EXPECT_FALSE(m_pFrame->GetPresets()[1]->IsOn());
    Select(4);
    PressStation(2);
    EXPECT_EQ(Current().m_strAddress, CMyString("http://jazz/"));
}

TEST_F(MainFrameTest, PresetMessagesGuardTheSlots)
{
    Open();
    PressPreset(0); // nothing selected
    Select(0);      // a category
    PressPreset(0);
    PressStation(0); // an empty slot
    const std::string strNoSelection =
        "No Station Is Selected.\nTo Pre-Set A Station,Please Select A Station\n"
        "From The List And Then\nClick The Pre-Set Button Again";
    EXPECT_EQ(m_messages,
              (std::vector<std::string>{strNoSelection, strNoSelection,
                                        "This Button Is Not Pre-Set Yet.\nSelect A Station From The "
                                        "List\nAnd Then Click The Upper Button."}));
    EXPECT_FALSE(m_pFrame->GetPresets()[0]->IsOn());
}

TEST_F(MainFrameTest, ReplacingNeedsYes)
{
    Open();
    Select(1);
    PressPreset(3);
    Select(4);
    m_nAnswer = 7;
    m_messages.clear();
    PressPreset(3);
    EXPECT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_pFrame->GetPresets()[3]->GetAddress(), CMyString("http://jazz/"));
    m_nAnswer = 6;
    PressPreset(3);
    EXPECT_EQ(m_pFrame->GetPresets()[3]->GetAddress(), CMyString("http://talk/"));
}

// Counts the mouse presses that reach the widgets it watches.
class CPressCounter : public QObject
{
public:
    bool eventFilter(QObject*, QEvent* pEvent) override
    {
        m_nPresses += pEvent->type() == QEvent::MouseButtonPress ? 1 : 0;
        return false;
    }
    int m_nPresses = 0;
};

TEST_F(MainFrameTest, RightClicksAreSwallowedEverywhere)
{
    CMainFrame& frame = Open();
    CPressCounter counter;
    QWidget* pTargets[] = {&frame, frame.GetTree()->viewport(), frame.GetView(), &frame.GetSearchBar(),
                           frame.GetControl(CMainFrame::PlayControl)};
    for (QWidget* pTarget : pTargets) {
        pTarget->installEventFilter(&counter);
        SendMouse(*pTarget, QEvent::MouseButtonPress, QPoint(5, 5), Qt::RightButton, Qt::RightButton);
    }
    EXPECT_EQ(counter.m_nPresses, 0);
    // A left press still arrives.
    SendMouse(*frame.GetView(), QEvent::MouseButtonPress, QPoint(5, 5), Qt::LeftButton, Qt::LeftButton);
    EXPECT_GT(counter.m_nPresses, 0);
}

TEST_F(MainFrameTest, BottomStripIsPaintedInTheMainBackgroundColour)
{
    CMainFrame& frame = Open();
    const QImage image = RenderWidget(frame);
    const QColor background = ToQColor(GetSkinInfo().m_crMainBg);
    const auto sizeOf = [](CFrameSkin::Picture picture) {
        CMyPicture file;
        int nWidth = 0;
        int nHeight = 0;
        file.Load(CFrameSkin::FileName(picture));
        return file.GetSize(nWidth, nHeight) ? QSize(nWidth, nHeight) : QSize(0, 0);
    };
    // Right of the controls, in the strip; the border lands one pixel lower than composed.
    const QRect strip = CFrameSkin::StripFill(frame.size(), sizeOf);
    ASSERT_GT(strip.width(), 10);
    EXPECT_EQ(image.pixelColor(strip.right() - 5, strip.center().y() + 1), background);
}

} // namespace
