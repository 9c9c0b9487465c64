#include "MainFrame.h"

#include "ColourConvert.h"
#include "DesktopControls.h"
#include "FirstRun.h"
#include "FolderTreeView.h"
#include "FrameSkin.h"
#include "Logging.h"
#include "MainFrameLayout.h"
#include "Messages.h"
#include "MyMessageBox.h"
#include "MyOwnButton.h"
#include "MySlider.h"
#include "RavelinView.h"
#include "Registry.h"
#include "SearchMessages.h"
#include "Settings.h"
#include "SkinInfo.h"
#include "SkinMessages.h"
#include "SplashDlg.h"
#include "Station.h"
#include "UpdateDlg.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QRegion>
#include <QScreen>
#include <QSplitter>
#include <QToolTip>
#include <algorithm>

namespace {

constexpr int kPictureStyle = 12;
constexpr int kControlHeight = 63;

struct ControlDescription
{
    int nId;
    int nWidth;
    const char* pNormal;
    const char* pHover;
    const char* pPressed;
    const char* pTip;
};

// In slot order; the volume slider and Mute get their pictures elsewhere.
const ControlDescription kControlDescriptions[CMainFrame::kControlCount] = {
    {CMainFrame::kStopId, 55, "res\\Skin\\Stop.Gif", "res\\Skin\\StopHover.Gif", "res\\Skin\\StopPressed.Gif",
     "Stop"},
    {CMainFrame::kPlayId, 52, "res\\Skin\\Play.Gif", "res\\Skin\\PlayHover.Gif", "res\\Skin\\PlayPressed.Gif",
     "Play"},
    {CMainFrame::kPreviousId, 52, "res\\Skin\\Prev.Gif", "res\\Skin\\PrevHover.Gif",
     "res\\Skin\\PrevPressed.Gif", "Previous"},
    {CMainFrame::kNextId, 52, "res\\Skin\\Next.Gif", "res\\Skin\\NextHover.Gif", "res\\Skin\\NextPressed.Gif",
     "Next"},
    {CMainFrame::kFullScreenId, 55, "res\\Skin\\FullScreen.Gif", "res\\Skin\\FullScreenHover.Gif",
     "res\\Skin\\FullScreenPressed.Gif", "FullScreen"},
    {CMainFrame::kVolumeId, 19, "res\\Skin\\SliderBG.gif", "res\\Skin\\SliderButton.Gif", "", "Volume"},
    {CMainFrame::kMuteId, 32, "", "", "", "Mute"},
};

} // namespace

CMainFrame::CMainFrame(CRavelinDoc* pDocument, const CPlayerControls& controls, QWidget* pParent)
    : QWidget(pParent, Qt::Window | Qt::FramelessWindowHint), m_pDocument(pDocument),
      m_playerControls(controls), m_messageBox(CMyMessageBox::Show)
{
    RunFirstRunSteps();
    if (m_bCreationRefused) {
        return;
    }
    m_pSplash = new CSplashDlg();
    m_pSplash->ShowPainted();
}

// The presets and the splash window are not children of anything that would
// delete them; the other controls go with the widget tree.
CMainFrame::~CMainFrame()
{
    qApp->removeEventFilter(this);
    m_presets.clear();
    delete m_pSplash.data();
}

// An updater waiting to run takes over: this run makes no window. On a first
// run the shipped lists are copied and the update dialog fetches the current
// ones; once it has started the program again this run makes no window
// either. When it could not fetch them, the run goes on with the copies.
void CMainFrame::RunFirstRunSteps()
{
    if (StartPendingInstall()) {
        m_bCreationRefused = true;
        return;
    }
    if (Settings().GetCopySettings()) {
        m_bCreationRefused = true;
        CopyShippedData();
        CUpdateDlg dialog;
        dialog.SetFirstRun(true);
        dialog.DoModal();
        m_bCreationRefused = !dialog.IsFailed();
    }
}

bool CMainFrame::Create()
{
    if (m_bCreationRefused) {
        return false;
    }
    if (g_strPath.IsEmpty()) {
        g_strPath = Settings().GetInstallPath();
        qCDebug(lcDebug, "g_strPath Was Empty %s", g_strPath.GetText());
    } else {
        qCDebug(lcDebug, "g_strPath Not Empty %s", g_strPath.GetText());
    }
    SetUpTooltips();
    m_searchBar.Create(this, CMyDlgBar::kTemplateId, kSearchBarStyle, kSearchBarId);
    m_searchBar.SetTitleText("Kestova");
    CreatePresets();
    CreateControls();
    RegisterMessages();
    if (!OnCreateClient()) {
        return false;
    }
    const QScreen* pScreen = screen() != nullptr ? screen() : QApplication::primaryScreen();
    if (pScreen != nullptr) {
        setGeometry(CMainFrameLayout::WindowGeometry(pScreen->availableGeometry()));
    }
    // No context menu anywhere in the window: right-clicks are caught before any child sees them.
    qApp->installEventFilter(this);
    return true;
}

// The tooltips of every control share the skin's tooltip colours.
void CMainFrame::SetUpTooltips()
{
    QPalette palette = QToolTip::palette();
    palette.setColor(QPalette::ToolTipBase, ToQColor(GetSkinInfo().m_crTooltipBg));
    palette.setColor(QPalette::ToolTipText, ToQColor(GetSkinInfo().m_crTooltipText));
    QToolTip::setPalette(palette);
}

void CMainFrame::CreateControls()
{
    for (int nSlot = 0; nSlot < kControlCount; ++nSlot) {
        const ControlDescription& control = kControlDescriptions[nSlot];
        CMyOwnButton* pButton = nSlot == VolumeControl ? new CMySlider(this) : new CMyOwnButton(this);
        m_controls[nSlot] = MakeControl(pButton, control.nId, control.nWidth);
        if (nSlot != MuteControl) {
            pButton->SetImages(control.pNormal, control.pHover, control.pPressed);
        }
        pButton->setToolTip(control.pTip);
    }
}

CMyOwnButton* CMainFrame::MakeControl(CMyOwnButton* pButton, int nId, int nWidth)
{
    pButton->Create("", QRect(0, 0, nWidth, kControlHeight), this, nId);
    pButton->SetType(kPictureStyle);
    pButton->SetBitmapBackground(true);
    pButton->SetNotifyWindow(this);
    if (nId != kVolumeId) {
        connect(pButton, &QAbstractButton::clicked, this, [this, nId] { OnCommand(nId); });
    }
    return pButton;
}

bool CMainFrame::OnCreateClient()
{
    m_pSplitter = new QSplitter(Qt::Horizontal, this);
    m_pSplitter->setObjectName(QString::number(kSplitterId));
    m_pSplitter->setChildrenCollapsible(false);
    m_pTree = new CFolderTreeView(m_pSplitter);
    m_pTree->SetDocument(m_pDocument);
    m_pView = new CRavelinView(m_pDocument, m_pSplitter, m_playerControls);
    m_pSplitter->addWidget(m_pTree);
    m_pSplitter->addWidget(m_pView);
    // The tree keeps its width when the window grows; the view takes the rest.
    m_pSplitter->setStretchFactor(0, 0);
    m_pSplitter->setStretchFactor(1, 1);
    m_bSplitterCreated = true;
    m_bMuted = Settings().GetMute();
    const int nVolume = Settings().GetVolume();
    m_nVolume = nVolume;
    m_pView->SetFrame(this);
    m_pView->SetShownHandler([this] { RefreshDesktopControls(); });
    m_pView->SetVolume(nVolume);
    m_pView->SetSplitter(m_pSplitter);
    m_pTree->SetFrame(this);
    m_pTree->SetSplitter(m_pSplitter);
    m_pTree->setFocus();
    if (auto* pSlider = static_cast<CMySlider*>(m_controls[VolumeControl].data())) {
        pSlider->SetValue(nVolume);
    }
    ApplyMute(m_bMuted);
    return true;
}

void CMainFrame::RegisterMessages()
{
    m_messageMap.Add(RegisterWindowMessage(kMessageFromDlg),
                     [this](uintptr_t wParam, intptr_t lParam) { return OnMessageFromDlg(wParam, lParam); });
    m_messageMap.Add(RegisterWindowMessage(kButtonTwoStateClickedMessage),
                     [this](uintptr_t wParam, intptr_t) { return OnButtonClicked(wParam); });
    m_messageMap.Add(RegisterWindowMessage(kMainFrameMessage), [this](uintptr_t wParam, intptr_t lParam) {
        return OnMainFrameMessage(wParam, lParam);
    });
}

bool CMainFrame::event(QEvent* pEvent)
{
    return m_messageMap.Dispatch(pEvent) || QWidget::event(pEvent);
}

void CMainFrame::OnCommand(int nId)
{
    switch (nId) {
    case kPlayId:
        if (m_pView != nullptr) {
            m_pView->Play();
        }
        break;
    case kStopId:
        if (m_pView != nullptr) {
            m_pView->Stop();
        }
        break;
    case kNextId:
        if (m_pTree != nullptr) {
            m_pTree->SelectNextStation();
        }
        break;
    case kPreviousId:
        if (m_pTree != nullptr) {
            m_pTree->SelectPreviousStation();
        }
        break;
    case kFullScreenId:
        if (m_pView != nullptr) {
            m_pView->SetFullScreen();
        }
        break;
    case kMuteId:
        ToggleMute();
        break;
    case kCloseId:
    case kMinimizeId:
    case kMaximizeId:
        OnMessageFromDlg(static_cast<uintptr_t>(nId), 0);
        break;
    default:
        break;
    }
}

intptr_t CMainFrame::OnMainFrameMessage(uintptr_t uCode, intptr_t lParam)
{
    if (uCode == CFolderTreeView::kCatalogueLoadedCode) {
        if (m_pTree != nullptr && m_pView != nullptr) {
            m_pView->SetHomeServer(m_pTree->GetCatalogue().GetServerBase());
        }
        CloseSplash();
        qCDebug(lcUser, "catalogue loaded");
        TellOfDamagedSettings();
        StartDesktopControls();
    } else if (uCode == CFolderTreeView::kSearchWebCode) {
        const CMyString strQuery = m_searchBar.GetQueryForFirstEngine();
        if (!strQuery.IsEmpty() && m_pView != nullptr) {
            m_pView->LaunchURL(strQuery);
        }
    } else if (uCode == CFolderTreeView::kSelectionChangedCode) {
        if (m_pTree != nullptr && m_pView != nullptr) {
            m_pView->AssignStation(m_pTree->GetSelectedItem());
        }
    } else if (uCode == kVolumeChangedCode) {
        m_nVolume = static_cast<int>(lParam);
        if (m_pView != nullptr) {
            m_pView->SetVolume(m_nVolume);
        }
        RefreshDesktopControls();
    }
    return 0;
}

// The texts of codes 1034 and 1035 are the frame's to delete, whatever happens to them.
intptr_t CMainFrame::OnMessageFromDlg(uintptr_t uCode, intptr_t lParam)
{
    const bool bOwnsText = uCode == kOpenAddressCode || uCode == kStationSearchCode;
    std::unique_ptr<CMyString> pText(bOwnsText ? reinterpret_cast<CMyString*>(lParam) : nullptr);
    if (uCode == kOpenAddressCode && pText != nullptr && m_pView != nullptr) {
        m_pView->LaunchURL(*pText);
    } else if (uCode == kStationSearchCode && pText != nullptr && m_pTree != nullptr) {
        m_pTree->FindNext(pText.get());
    } else if (uCode == kCloseCode) {
        close();
    } else if (uCode == kMinimizeCode) {
        showMinimized();
    } else if (uCode == kMaximizeRestoreCode) {
        ToggleMaximize();
    }
    return 0;
}

// The desktop's controls come after the first paint and the catalogue: they
// only follow what the window already shows.
void CMainFrame::StartDesktopControls()
{
    if (m_pDesktopControls != nullptr)
        return;
    auto pControls = std::make_unique<CDesktopControls>(*this);
    if (pControls->Start())
        m_pDesktopControls = std::move(pControls);
}

void CMainFrame::RefreshDesktopControls()
{
    if (m_pDesktopControls != nullptr)
        m_pDesktopControls->Refresh();
}

int CMainFrame::GetVolume() const
{
    return m_nVolume;
}

void CMainFrame::SetVolume(int nVolume)
{
    nVolume = std::clamp(nVolume, 0, 100);
    m_nVolume = nVolume;
    if (auto* pSlider = static_cast<CMySlider*>(m_controls[VolumeControl].data())) {
        pSlider->SetValue(nVolume);
        pSlider->update();
    }
    Settings().SetVolume(nVolume);
    if (m_pView != nullptr)
        m_pView->SetVolume(nVolume);
    RefreshDesktopControls();
}

void CMainFrame::PlayAdjacentStation(bool bNext)
{
    if (m_pTree == nullptr || m_pView == nullptr)
        return;
    if (!(bNext ? m_pTree->SelectNextStation() : m_pTree->SelectPreviousStation()))
        return;
    m_pView->AssignStation(m_pTree->GetSelectedItem());
    m_pView->Play();
}

void CMainFrame::BringToFront()
{
    if (isMinimized())
        showNormal();
    show();
    raise();
    activateWindow();
}

void CMainFrame::ToggleMute()
{
    m_bMuted = !m_bMuted;
    ApplyMute(m_bMuted);
    Settings().SetMute(m_bMuted);
}

void CMainFrame::ApplyMute(bool bOn)
{
    if (CMyOwnButton* pMute = m_controls[MuteControl]) {
        if (bOn) {
            pMute->SetImages("res\\Skin\\MuteOff.Gif", "res\\Skin\\MuteOffHover.Gif",
                             "res\\Skin\\MuteOffPressed.Gif");
        } else {
            pMute->SetImages("res\\Skin\\MuteOn.Gif", "res\\Skin\\MuteOnHover.Gif",
                             "res\\Skin\\MuteOnPressed.Gif");
        }
        pMute->setToolTip(bOn ? "Cancel Mute" : "Mute");
        pMute->update();
    }
    if (m_pView != nullptr) {
        m_pView->SetMute(bOn);
    }
}

// A minimised window is left as it is.
void CMainFrame::ToggleMaximize()
{
    if (isMinimized()) {
        return;
    }
    if (isMaximized()) {
        m_searchBar.SetMaxRestoreImages(kShowNormal);
        showNormal();
    } else {
        m_searchBar.SetMaxRestoreImages(kShowMaximized);
        showMaximized();
    }
}

// A damaged settings file lost only what could not be read; the user is told
// once where the damaged file was kept.
void CMainFrame::TellOfDamagedSettings()
{
    const CMyString strCopy = CRegistry::TakeDamagedCopy();
    if (strCopy.IsEmpty()) {
        return;
    }
    CMyString strText(kDamagedSettingsText);
    strText.Replace("DAMAGED_COPY", strCopy.GetText());
    m_messageBox(strText, 0);
}

void CMainFrame::CloseSplash()
{
    if (m_pSplash != nullptr) {
        m_pSplash->close();
        delete m_pSplash.data();
    }
}

// The splash window stays above the main window until the catalogue has
// loaded, also where no window manager keeps it on top. It is raised in the
// same breath as the main window appears, before either paints again, so
// that the splash never shows anything but itself.
void CMainFrame::setVisible(bool bVisible)
{
    QWidget::setVisible(bVisible);
    if (bVisible && m_pSplash != nullptr) {
        m_pSplash->raise();
    }
}

void CMainFrame::resizeEvent(QResizeEvent* pEvent)
{
    QWidget::resizeEvent(pEvent);
    const int cx = width();
    const int cy = height();
    if (m_searchBar.parentWidget() == this) {
        m_searchBar.setGeometry(m_searchBar.x(), m_searchBar.y(), cx, m_searchBar.height());
    }
    if (m_pTree != nullptr && m_pView != nullptr) {
        m_pSplitter->setGeometry(CMainFrameLayout::SplitterRect(size()));
        SetInitialPaneWidths();
        PlaceControls(cx, cy);
    }
    UpdateWindowRegion();
}

// Widths given before the splitter has a size of its own are scaled by it, so
// the tree's first width is set once the splitter has its place.
void CMainFrame::SetInitialPaneWidths()
{
    if (m_bPaneWidthsSet || m_pSplitter->width() <= kTreeWidth) {
        return;
    }
    m_bPaneWidthsSet = true;
    m_pSplitter->setSizes({kTreeWidth, m_pSplitter->width() - m_pSplitter->handleWidth() - kTreeWidth});
}

void CMainFrame::PlaceControls(int, int cy)
{
    int nPresetRight = -1;
    for (const auto& pStation : m_presets) {
        nPresetRight = std::max(
            nPresetRight, pStation->Place(CMainFrameLayout::kPresetLeft, CMainFrameLayout::PresetTop(cy)));
    }
    int nX = CMainFrameLayout::FirstControlLeft(nPresetRight);
    for (const auto& pControl : m_controls) {
        if (pControl != nullptr) {
            pControl->move(nX, CMainFrameLayout::ControlTop(cy));
            nX += pControl->width();
        }
    }
}

bool CMainFrame::UpdateWindowRegion()
{
    setMask(QRegion(0, 0, width(), height() - 1));
    return true;
}

void CMainFrame::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    CFrameSkin::Paint(painter, size());
    if (!m_bPaintedOnce) {
        m_bPaintedOnce = true;
        MarkTime("first paint");
        // What the first play needs loads while the user looks for a station.
        if (m_pView != nullptr)
            m_pView->PreparePlayer();
    }
}

// Arrow keys and Enter work on the station list wherever the focus was.
void CMainFrame::keyPressEvent(QKeyEvent* pEvent)
{
    if (m_pTree == nullptr) {
        QWidget::keyPressEvent(pEvent);
        return;
    }
    m_pTree->setFocus();
    m_pTree->OnKeyDown(*pEvent);
}

bool CMainFrame::eventFilter(QObject* pWatched, QEvent* pEvent)
{
    const QEvent::Type type = pEvent->type();
    const bool bMouse = type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick ||
                        type == QEvent::MouseButtonRelease;
    const bool bRightClick = bMouse && static_cast<QMouseEvent*>(pEvent)->button() == Qt::RightButton;
    if ((bRightClick || type == QEvent::ContextMenu) && IsInsideFrame(pWatched)) {
        return true;
    }
    return QWidget::eventFilter(pWatched, pEvent);
}

bool CMainFrame::IsInsideFrame(QObject* pObject) const
{
    auto* pWidget = qobject_cast<QWidget*>(pObject);
    return pWidget != nullptr && (pWidget == this || isAncestorOf(pWidget));
}

CFolderTreeView* CMainFrame::GetTree() const
{
    return m_pTree;
}

CRavelinView* CMainFrame::GetView() const
{
    return m_pView;
}

QSplitter* CMainFrame::GetSplitter() const
{
    return m_pSplitter;
}

CSplashDlg* CMainFrame::GetSplash() const
{
    return m_pSplash;
}

CMyOwnButton* CMainFrame::GetControl(Control control) const
{
    return m_controls[control];
}
