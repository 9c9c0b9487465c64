#include "RavelinView.h"

#include "ColourConvert.h"
#include "HomePage.h"
#include "Logging.h"
#include "MediaControl.h"
#include "Messages.h"
#include "PlayerLayout.h"
#include "QtText.h"
#include "RavelinDoc.h"
#include "SkinFont.h"
#include "SkinInfo.h"
#include "SkinMessages.h"
#include "WebControl.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QSplitter>

CRavelinView::CRavelinView(CRavelinDoc* pDocument, QWidget* pParent, const CPlayerControls& controls)
    : QWidget(pParent), m_pDocument(pDocument)
{
    setFocusPolicy(Qt::ClickFocus);
    // The splitter stops a drag here; should the pane end up narrower all the
    // same, OnSize takes the width back.
    setMinimumWidth(CPlayerLayout::kMinimumPaneWidth);
    m_createWebBrowser = controls.m_createWebBrowser;
    CreateMediaPlayer(controls);
    m_pStatusLabel = CreateLabel();
    m_pStationLabel = CreateLabel();
    RefreshStatusLines();
    // Right-clicks reach the application before any control sees them.
    qApp->installEventFilter(this);
    if (m_pDocument != nullptr)
        m_pDocument->AddView(this);
}

CRavelinView::~CRavelinView()
{
    if (m_pDocument != nullptr)
        m_pDocument->RemoveView(this);
    if (m_pMediaPlayer != nullptr)
        m_pMediaPlayer->SetChangeHandler(nullptr);
}

void CRavelinView::CreateWebBrowser()
{
    if (!MakeWebBrowser())
        return;
    m_pWebBrowser->setGeometry(QRect());
    m_pWebBrowser->put_Visible(true);
    m_pWebBrowser->Navigate(m_strHomePage);
}

void CRavelinView::PreparePlayer()
{
    if (m_pMediaPlayer != nullptr)
        m_pMediaPlayer->Prepare();
}

// The home server is known once the catalogue has chosen it: the browser then
// shows the home page (and is made for it), unless a web station plays.
void CRavelinView::SetHomeServer(const CMyString& strServer)
{
    m_strHomePage = FindHomePage(strServer);
    if (m_strHomePage.IsEmpty())
        return;
    if (m_pWebBrowser == nullptr) {
        CreateWebBrowser();
        PlaceBrowser();
    } else if (!m_station.IsWeb() || m_pWebBrowser->isHidden()) {
        SendBrowserHome();
    }
}

// Without a home page the browser is made when the first web station plays.
bool CRavelinView::EnsureWebBrowser()
{
    if (m_pWebBrowser == nullptr && MakeWebBrowser())
        m_pWebBrowser->hide();
    return m_pWebBrowser != nullptr;
}

// The browser shows its notice, should the web engine fail, in the status line's colours.
bool CRavelinView::MakeWebBrowser()
{
    m_pWebBrowser = m_createWebBrowser ? m_createWebBrowser(this) : nullptr;
    if (m_pWebBrowser == nullptr)
        return false;
    // Made after the others, it still lies below the player and the status line.
    if (QWidget* pAbove = m_pMediaPlayer != nullptr ? static_cast<QWidget*>(m_pMediaPlayer) : m_pStatusLabel)
        m_pWebBrowser->stackUnder(pAbove);
    QPalette palette = m_pWebBrowser->palette();
    palette.setColor(QPalette::Window, ToQColor(GetSkinInfo().m_crStatusBg));
    palette.setColor(QPalette::WindowText, ToQColor(GetSkinInfo().m_crStatusText));
    m_pWebBrowser->setPalette(palette);
    return true;
}

// Where the browser rests between web stations: the home page, or, without
// one, out of sight on an empty page (so that a page's sound stops too).
void CRavelinView::SendBrowserHome()
{
    if (m_pWebBrowser == nullptr)
        return;
    m_pWebBrowser->Navigate(m_strHomePage.IsEmpty() ? CMyString(kEmptyPage) : m_strHomePage);
    if (m_strHomePage.IsEmpty())
        m_pWebBrowser->put_Visible(false);
}

void CRavelinView::CreateMediaPlayer(const CPlayerControls& controls)
{
    m_pMediaPlayer = controls.m_createMediaPlayer ? controls.m_createMediaPlayer(this) : nullptr;
    if (m_pMediaPlayer == nullptr)
        return;
    m_pMediaPlayer->hide();
    m_pMediaPlayer->setGeometry(QRect());
    m_bPlayerPresent = true;
    m_pMediaPlayer->put_enableContextMenu(false);
    m_pMediaPlayer->put_autoStart(true);
    m_pMediaPlayer->put_enableErrorDialogs(false);
    m_pMediaPlayer->put_stretchToFit(true);
    m_pMediaPlayer->SetChangeHandler([this] { RefreshStatusLines(); });
}

QLabel* CRavelinView::CreateLabel()
{
    const CSkinInfo& skin = GetSkinInfo();
    auto* pLabel = new QLabel(this);
    pLabel->setFrameStyle(QFrame::WinPanel | QFrame::Raised);
    pLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // Station names and titles come from lists and streams: never markup.
    pLabel->setTextFormat(Qt::PlainText);
    pLabel->setFont(MakeSkinFont("Tahoma", -13, 400));
    pLabel->setAutoFillBackground(true);
    QPalette palette = pLabel->palette();
    palette.setColor(QPalette::Window, ToQColor(skin.m_crStatusBg));
    palette.setColor(QPalette::WindowText, ToQColor(skin.m_crStatusText));
    pLabel->setPalette(palette);
    pLabel->show();
    return pLabel;
}

void CRavelinView::SetSplitter(QSplitter* pSplitter)
{
    m_pSplitter = pSplitter;
}

void CRavelinView::AssignStation(const CCatalogItem* pItem)
{
    m_station.Assign(pItem);
    RefreshStatusLines();
}

void CRavelinView::SetStation(const CMyString& strAddress, const CMyString& strName, bool bWeb)
{
    m_station.Set(strAddress, strName, bWeb);
    RefreshStatusLines();
}

void CRavelinView::Play()
{
    if (!m_station.CanPlay())
        return;
    if (m_station.IsWeb())
        PrepareForWeb();
    else
        PrepareForMedia();
    const CMyString strAddress = m_station.GetPlayAddress();
    qCDebug(lcUser, "play %s", strAddress.GetText());
    MarkTime("play");
    if (m_station.IsWeb()) {
        if (m_pWebBrowser != nullptr)
            m_pWebBrowser->Navigate(strAddress);
    } else if (m_pMediaPlayer != nullptr) {
        m_pMediaPlayer->put_URL(strAddress);
        m_pMediaPlayer->play();
    }
    if (IsWindow(m_pFrame))
        PostMessage(m_pFrame, RegisterWindowMessage(kMainFrameMessage), kStationStartedCode, 0);
}

void CRavelinView::PrepareForWeb()
{
    if (m_pMediaPlayer != nullptr) {
        m_pMediaPlayer->stop();
        m_pMediaPlayer->close();
        m_pMediaPlayer->hide();
    }
    if (EnsureWebBrowser()) {
        PlaceBrowser();
        m_pWebBrowser->put_Visible(true);
    }
}

void CRavelinView::PrepareForMedia()
{
    // The page would cover the player: it goes home, out of sight.
    if (m_pWebBrowser != nullptr) {
        SendBrowserHome();
        m_pWebBrowser->put_Visible(false);
    }
    if (m_pMediaPlayer != nullptr) {
        m_pMediaPlayer->setGeometry(
            CPlayerLayout(width(), height(), m_pStatusLabel != nullptr).GetMediaPlayer());
        m_pMediaPlayer->show();
    }
}

void CRavelinView::Stop()
{
    if (m_pMediaPlayer != nullptr) {
        m_pMediaPlayer->stop();
        m_pMediaPlayer->close();
    }
    SendBrowserHome();
}

void CRavelinView::SetFullScreen()
{
    if (m_pMediaPlayer != nullptr && !m_station.IsWeb() &&
        m_pMediaPlayer->get_playState() == CMediaControl::kPlaying) {
        m_pMediaPlayer->put_fullScreen(true);
    }
}

void CRavelinView::SetVolume(int nVolume)
{
    if (m_pMediaPlayer != nullptr)
        m_pMediaPlayer->put_volume(nVolume);
}

void CRavelinView::SetMute(bool bMute)
{
    if (m_pMediaPlayer != nullptr)
        m_pMediaPlayer->put_mute(bMute);
}

void CRavelinView::LaunchURL(const CMyString& strUrl)
{
    if (m_pMediaPlayer != nullptr)
        m_pMediaPlayer->launchURL(strUrl);
}

void CRavelinView::OnUpdate(CDocumentView*, intptr_t lHint, void*)
{
    if (lHint == CRavelinDoc::kHintPlaySelected)
        Play();
}

void CRavelinView::resizeEvent(QResizeEvent* pEvent)
{
    QWidget::resizeEvent(pEvent);
    OnSize(width(), height());
}

void CRavelinView::OnSize(int cx, int cy)
{
    if (cx == 0 || cy == 0 || SnapSplitter(cx))
        return;
    const CPlayerLayout layout(cx, cy, m_pStatusLabel != nullptr);
    if (m_pStatusLabel != nullptr) {
        m_pStatusLabel->setGeometry(layout.GetStatusLabel());
        m_pStationLabel->setGeometry(layout.GetStationLabel());
    }
    m_playerArea = layout.GetPlayerArea();
    if (m_pMediaPlayer != nullptr)
        m_pMediaPlayer->setGeometry(layout.GetMediaPlayer());
    PlaceBrowser();
}

bool CRavelinView::SnapSplitter(int cx)
{
    // The splitter then lays the panes out again and resizes the view.
    if (m_pSplitter == nullptr || !CPlayerLayout::IsTooNarrow(cx))
        return false;
    int nTreeWidth = 0;
    int nViewWidth = 0;
    CPlayerLayout::SnapColumns(m_pSplitter->width() - m_pSplitter->handleWidth(), nTreeWidth, nViewWidth);
    m_pSplitter->setSizes({nTreeWidth, nViewWidth});
    return true;
}

void CRavelinView::PlaceBrowser()
{
    if (m_pWebBrowser == nullptr)
        return;
    const CPlayerLayout layout(width(), height(), m_pStatusLabel != nullptr);
    m_pWebBrowser->setMask(layout.GetBrowserRegion());
    m_pWebBrowser->setGeometry(layout.GetBrowser());
}

void CRavelinView::RefreshStatusLines()
{
    if (m_pStatusLabel == nullptr || m_pStationLabel == nullptr)
        return;
    CMyString strText;
    bool bChanged = false;
    if (CStatusLine::NextStationText(FromQString(m_pStationLabel->text()), m_station.m_nHasStation != 0,
                                     m_station.m_strName, strText)) {
        m_pStationLabel->setText(ToQString(strText));
        qCDebug(lcUser, "station line: \"%s\"", strText.GetText());
        bChanged = true;
    }
    const CMyString strStatus = m_pMediaPlayer != nullptr ? m_pMediaPlayer->get_status() : CMyString();
    if (m_statusLine.NextStatusText(strStatus, strText)) {
        m_pStatusLabel->setText(ToQString(strText));
        qCDebug(lcUser, "status line: \"%s\"", strText.GetText());
        bChanged = true;
    }
    if (bChanged && m_shown)
        m_shown();
}

void CRavelinView::keyPressEvent(QKeyEvent* pEvent)
{
    // The station tree takes the copy and deletes it.
    if (m_pDocument != nullptr)
        m_pDocument->UpdateAllViews(this, CRavelinDoc::kHintKeyToTree, pEvent->clone());
    pEvent->accept();
}

bool CRavelinView::IsRightClick(QEvent* pEvent)
{
    const QEvent::Type type = pEvent->type();
    if (type == QEvent::ContextMenu)
        return true;
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonDblClick)
        return false;
    return static_cast<QMouseEvent*>(pEvent)->button() == Qt::RightButton;
}

bool CRavelinView::eventFilter(QObject* pWatched, QEvent* pEvent)
{
    if (pWatched->isWidgetType() && IsRightClick(pEvent)) {
        auto* pWidget = static_cast<QWidget*>(pWatched);
        if (pWidget == this || isAncestorOf(pWidget))
            return true;
    }
    return QWidget::eventFilter(pWatched, pEvent);
}
