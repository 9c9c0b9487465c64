#include "MyDlgBar.h"

#include "DialogUnits.h"
#include "Logging.h"
#include "MenuXP.h"
#include "MenuXPSideBar.h"
#include "MenuXPText.h"
#include "Messages.h"
#include "QtText.h"
#include "QueryUrl.h"
#include "SearchBarLayout.h"
#include "SearchMessages.h"
#include "SearchSettings.h"
#include "SkinFont.h"
#include "SkinInfo.h"
#include "SkinMessages.h"
#include "UpdateDlg.h"
#include "WorkingFolder.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QTimerEvent>
#include <chrono>

namespace {

// The template's size and its controls, in dialog units.
constexpr int kTemplateWidth = 659;
constexpr int kTemplateHeight = 17;
constexpr int kCaptionButtonSize = 17;
constexpr int kSideBarWidth = 16;
constexpr int kGradientInverted = 2;

QRect TemplateRect(int nX, int nY, int nWidth, int nHeight)
{
    return CDialogUnits::ToPixels(QRect(nX, nY, nWidth, nHeight));
}

int RightOf(const QWidget& widget)
{
    return widget.x() + widget.width();
}

void SetPictureTriple(CMyOwnButton& button, const char* pName)
{
    CMyString strNormal("res\\Skin\\");
    strNormal += pName;
    CMyString strHover(strNormal);
    CMyString strPressed(strNormal);
    strNormal += ".Gif";
    strHover += "Hover.Gif";
    strPressed += "Pressed.Gif";
    button.SetImages(strNormal, strHover, strPressed);
}

} // namespace

CMyDlgBar::CMyDlgBar(QWidget* pParent)
    : BaseDialogBar(pParent), m_edit(this), m_searchButton(this), m_listsNotice(this), m_versionNotice(this),
      m_title(this), m_close(this), m_minimize(this), m_maxRestore(this),
      m_crTitleText(GetSkinInfo().m_crTitleText), m_titleFont(MakeSkinFont("Arial", -13, 600)),
      m_smallFont(MakeSkinFont("Arial", -12, 400)), m_updateCheck(this)
{
    // Moves arrive without a button too, so that a drag whose release went
    // elsewhere ends at the next move.
    setMouseTracking(true);
    m_edit.SetNotifyWindow(this);
    m_builtIn.m_strCaption = "Search";
    m_builtIn.m_nId = CSearchEngine::kBuiltInId;
    m_builtIn.m_strImage = GetResFolder();
    m_builtIn.m_strImage += "MoviesSearch.gif";
    LoadSearchSettings(m_engines);
    AddMessageHandlers();
}

CMyDlgBar::~CMyDlgBar() = default;

void CMyDlgBar::AddMessageHandlers()
{
    m_messageMap.Add(RegisterWindowMessage(kEditBoxReturnMessage), [this](uintptr_t, intptr_t) {
        RunSearch();
        return 0;
    });
    m_messageMap.Add(RegisterWindowMessage(kButtonTwoStateClickedMessage), [this](uintptr_t, intptr_t) {
        ShowEngineMenu();
        return 0;
    });
    m_messageMap.Add(RegisterWindowMessage(kUpdateCheckDoneMessage), [this](uintptr_t, intptr_t) {
        OnUpdateCheckDone();
        return 0;
    });
}

bool CMyDlgBar::event(QEvent* pEvent)
{
    return m_messageMap.Dispatch(pEvent) || BaseDialogBar::event(pEvent);
}

bool CMyDlgBar::OnInitDialogBar()
{
    CreateTemplateControls();
    CreateCaptionButton(m_close, kCloseId, "Close");
    CreateCaptionButton(m_minimize, kMinimizeId, "Minimize");
    CreateCaptionButton(m_maxRestore, kMaximizeId, nullptr);
    SetMaxRestoreImages(kShowNormal);
    const QWidget* pFrame = GetMainFrame();
    const int nWidth =
        pFrame != nullptr && pFrame->width() > 0 ? pFrame->width() : CDialogUnits::ToPixelsX(kTemplateWidth);
    setGeometry(0, 0, nWidth, CDialogUnits::ToPixelsY(kTemplateHeight));
    RecalcLayout();
    if (m_bFirstCreation) {
        m_bFirstCreation = false;
        SetTimer(kStartupTimer, kStartupDelayMs);
    }
    return BaseDialogBar::OnInitDialogBar();
}

void CMyDlgBar::CreateTemplateControls()
{
    const CButtonColours& toolbar = GetSkinInfo().m_toolbarButtons;
    m_edit.setGeometry(TemplateRect(4, 3, 160, 12));
    m_edit.setFont(MakeSkinFont("MS Sans Serif", -11, 400));
    m_edit.show();

    m_searchButton.Create("Search", TemplateRect(170, 3, 59, 12), this, kSearchButtonId);
    m_searchButton.SetNotifyWindow(this);
    m_searchButton.SetNotify(true);
    m_searchButton.SetType(6);
    m_searchButton.SetImages(m_builtIn.m_strImage, m_builtIn.m_strImage, m_builtIn.m_strImage);
    m_searchButton.SetGradient(true);
    m_searchButton.SetGradientInversion(0);
    m_searchButton.SetColors(toolbar);

    m_listsNotice.Create("Updated Lists Available", TemplateRect(286, 3, 106, 12), this, kListsNoticeId);
    m_listsNotice.SetType(2);
    m_listsNotice.SetGradient(true);
    m_listsNotice.SetGradientInversion(0);
    m_listsNotice.SetColors(toolbar);
    m_listsNotice.hide();

    m_versionNotice.Create("Newer Version Available", TemplateRect(394, 3, 106, 12), this, kVersionNoticeId);
    m_versionNotice.SetColors(toolbar);
    m_versionNotice.hide();

    m_title.setGeometry(TemplateRect(549, 4, 87, 9));
    m_title.SetWindowText("Static");
    m_title.setAlignment(Qt::AlignCenter);
    m_title.setFont(m_titleFont);
    m_title.SetTextColour(m_crTitleText);
    m_title.show();

    for (CMyOwnButton* pButton : {&m_searchButton, &m_listsNotice, &m_versionNotice}) {
        const int nId = pButton->GetDlgCtrlID();
        QObject::connect(pButton, &QAbstractButton::clicked, this, [this, nId] { OnCommand(nId); });
    }
}

void CMyDlgBar::CreateCaptionButton(CMyOwnButton& button, int nId, const char* pPicture)
{
    button.Create("", QRect(0, 0, kCaptionButtonSize, kCaptionButtonSize), this, nId);
    button.SetNotifyWindow(this);
    button.SetType(12);
    if (pPicture != nullptr)
        SetPictureTriple(button, pPicture);
    button.SetBitmapBackground(true);
    QObject::connect(&button, &QAbstractButton::clicked, this, [this, nId] { OnCommand(nId); });
}

void CMyDlgBar::SetMaxRestoreImages(int nShowCommand)
{
    SetPictureTriple(m_maxRestore, nShowCommand == kShowMaximized ? "Restore" : "Maximize");
    m_maxRestore.update();
}

void CMyDlgBar::SetTitleText(const CMyString& strText)
{
    m_title.SetWindowText(strText);
    PlaceTitle();
}

CMyString CMyDlgBar::GetQueryForFirstEngine() const
{
    const CSearchEngine* pFirst = m_engines.GetAt(0);
    return pFirst != nullptr ? MakeQueryUrl(*pFirst, m_edit.GetWindowText()) : CMyString();
}

void CMyDlgBar::resizeEvent(QResizeEvent* pEvent)
{
    BaseDialogBar::resizeEvent(pEvent);
    RecalcLayout();
}

void CMyDlgBar::RecalcLayout()
{
    const CSearchBarLayout::CCaptionButtons captions = CSearchBarLayout::PlaceCaptionButtons(
        width(), m_close.size(), m_maxRestore.size(), m_minimize.size());
    m_close.setGeometry(captions.close);
    m_maxRestore.setGeometry(captions.maximize);
    m_minimize.setGeometry(captions.minimize);
    auto sizeIfShown = [](const QWidget& widget) -> std::optional<QSize> {
        return widget.isHidden() ? std::nullopt : std::optional<QSize>(widget.size());
    };
    const CSearchBarLayout::CLeftGroup group = CSearchBarLayout::PlaceLeftGroup(
        m_edit.size(), m_searchButton.size(), sizeIfShown(m_listsNotice), sizeIfShown(m_versionNotice));
    m_edit.setGeometry(group.edit);
    m_searchButton.setGeometry(group.search);
    if (!group.lists.isEmpty())
        m_listsNotice.setGeometry(group.lists);
    if (!group.version.isEmpty())
        m_versionNotice.setGeometry(group.version);
    PlaceTitle();
}

void CMyDlgBar::PlaceTitle()
{
    int nGroupRight = RightOf(m_searchButton);
    if (!m_versionNotice.isHidden())
        nGroupRight = RightOf(m_versionNotice);
    else if (!m_listsNotice.isHidden())
        nGroupRight = RightOf(m_listsNotice);
    const int nTextHeight = QFontMetrics(m_title.font()).height();
    m_title.setGeometry(CSearchBarLayout::PlaceTitle(nGroupRight, m_minimize.x(), height(), nTextHeight));
}

void CMyDlgBar::PlaceNoticeButtons()
{
    QRect lists = m_listsNotice.geometry();
    QRect version = m_versionNotice.geometry();
    CSearchBarLayout::PlaceNotices(m_searchButton.geometry(), m_uNoticeFlags, lists, version);
    m_listsNotice.setGeometry(lists);
    m_versionNotice.setGeometry(version);
    PlaceTitle();
}

void CMyDlgBar::InvalidateInFrame()
{
    // The frame paints the skin beneath the bar, so the frame repaints here.
    if (QWidget* pFrame = GetMainFrame())
        pFrame->update(geometry());
    update();
}

void CMyDlgBar::OnCommand(int nId)
{
    switch (nId) {
    case kSearchButtonId:
        OnSearchButton();
        break;
    case kVersionNoticeId:
        OnVersionNotice();
        break;
    case kCloseId:
    case kMinimizeId:
    case kMaximizeId:
        PostToFrame(static_cast<uintptr_t>(nId));
        break;
    case kListsNoticeId:
        OnListsNotice();
        break;
    default:
        break;
    }
}

void CMyDlgBar::OnListsNotice()
{
    if (m_enterKey.IsEnterDown())
        return;
    if (m_updateDialogRunner) {
        m_updateDialogRunner();
        return;
    }
    CUpdateDlg dialog;
    dialog.SetFirstRun(false);
    dialog.DoModal();
}

void CMyDlgBar::OnSearchButton()
{
    // A press on the arrow part opened the menu; its click is no search.
    if (m_searchButton.IsArrowPressed())
        return;
    const uint32_t uTick = GetTickCount();
    if (static_cast<int32_t>(uTick - m_uLastClickTick) >= kClickIntervalMs && !m_enterKey.IsEnterDown())
        RunSearch();
    m_uLastClickTick = uTick;
}

void CMyDlgBar::OnVersionNotice()
{
    if (m_enterKey.IsEnterDown())
        return;
    // The text comes from the server: only a web address is opened.
    if (IsWebAddress(m_strNoticeText))
        PostToFrame(kOpenAddressCode, new CMyString(m_strNoticeText));
}

void CMyDlgBar::RunSearch()
{
    if (GetMainFrame() == nullptr)
        return;
    const CSearchEngine* pEngine = GetEngine(m_nSelectedEngine);
    if (pEngine == nullptr)
        return;
    const CMyString strText = m_edit.GetWindowText();
    qCDebug(lcUser, "search: \"%s\"", strText.GetText());
    const CMyString strUrl = MakeQueryUrl(*pEngine, strText);
    if (strUrl.IsEmpty())
        return;
    const bool bBuiltIn = m_nSelectedEngine == CSearchEngine::kBuiltInId;
    PostToFrame(bBuiltIn ? kStationSearchCode : kOpenAddressCode, new CMyString(strUrl));
}

void CMyDlgBar::ShowEngineMenu()
{
    if (GetTickCount() - m_uLastClickTick > static_cast<uint32_t>(kClickIntervalMs)) {
        CMenuXP menu;
        menu.CreatePopupMenu();
        menu.SetMenuStyle(1);
        menu.AddSideBar(new CMenuXPSideBar(kSideBarWidth, CMyString(), QIcon(), 0));
        menu.AppendItem(0, new CMenuXPText(CSearchEngine::kBuiltInId, m_builtIn.m_strCaption, QIcon(),
                                           m_builtIn.m_strImage));
        m_engines.AppendToMenu(menu);
        // The selected engine's own command: list entries are numbered from 1.
        const bool bBuiltIn = m_nSelectedEngine == CSearchEngine::kBuiltInId;
        menu.SetDefaultItem(bBuiltIn ? CSearchEngine::kBuiltInId : m_nSelectedEngine + 1);
        const QPoint corner = m_searchButton.mapToGlobal(QPoint(0, m_searchButton.height()));
        SelectEngine(menu.TrackPopupMenu(corner, this));
        menu.DestroyMenu();
    }
    m_uLastClickTick = GetTickCount();
    m_searchButton.ResetArrowState();
}

void CMyDlgBar::SelectEngine(int nCommand)
{
    if (nCommand == 0)
        return;
    const int nNumber = nCommand == CSearchEngine::kBuiltInId ? CSearchEngine::kBuiltInId : nCommand - 1;
    const CSearchEngine* pEngine = GetEngine(nNumber);
    if (nNumber == m_nSelectedEngine || pEngine == nullptr || pEngine->IsSeparator())
        return;
    m_nSelectedEngine = nNumber;
    ShowEngine(*pEngine);
    if (!m_edit.GetWindowText().IsEmpty())
        RunSearch();
}

void CMyDlgBar::ShowEngine(const CSearchEngine& engine)
{
    m_searchButton.SetImages(engine.m_strImage, CMyString(), CMyString());
    m_searchButton.SetWindowText(engine.m_strCaption);
    const int nCaptionWidth = QFontMetrics(m_smallFont).horizontalAdvance(ToQString(engine.m_strCaption));
    const int nWidth = CSearchBarLayout::SearchButtonWidth(nCaptionWidth);
    if (nWidth != m_searchButton.width()) {
        const QRect old = m_searchButton.geometry();
        m_searchButton.setGeometry(old.left(), old.top(), nWidth, old.height());
        PlaceNoticeButtons();
        InvalidateInFrame();
    }
    m_searchButton.update();
}

const CSearchEngine* CMyDlgBar::GetEngine(int nNumber) const
{
    return nNumber == CSearchEngine::kBuiltInId ? &m_builtIn : m_engines.GetAt(nNumber);
}

void CMyDlgBar::ShowUpdateNotice(unsigned uFlags, const CMyString& strText)
{
    m_uNoticeFlags = uFlags;
    m_strNoticeText = strText;
    if (uFlags & kNoticeVersion) {
        m_versionNotice.SetGradient(true);
        m_versionNotice.SetGradientInversion(kGradientInverted);
        m_versionNotice.setAttribute(Qt::WA_ShowWithoutActivating);
        m_versionNotice.show();
    }
    if (uFlags & kNoticeLists) {
        m_listsNotice.setAttribute(Qt::WA_ShowWithoutActivating);
        m_listsNotice.show();
    }
    PlaceNoticeButtons();
    InvalidateInFrame();
    m_bBlinkOn = true;
    m_nBlinkCount = 0;
    SetTimer(kBlinkTimer, kBlinkPeriodMs);
}

void CMyDlgBar::OnBlinkTick()
{
    const std::pair<unsigned, CMyOwnButton*> notices[] = {{kNoticeLists, &m_listsNotice},
                                                          {kNoticeVersion, &m_versionNotice}};
    for (const auto& [uFlag, pButton] : notices) {
        if (m_uNoticeFlags & uFlag) {
            pButton->SetGradientInversion(m_bBlinkOn ? kGradientInverted : 0);
            pButton->update();
        }
    }
    m_bBlinkOn = !m_bBlinkOn;
    if (++m_nBlinkCount < kBlinkTicks)
        return;
    KillTimer(kBlinkTimer);
    m_nBlinkCount = 0;
    m_listsNotice.SetGradientInversion(0);
    m_versionNotice.SetGradientInversion(0);
    InvalidateInFrame();
}

void CMyDlgBar::OnUpdateCheckDone()
{
    int nFlags = 0;
    CMyString strName;
    if (m_updateCheck.GetResult(nFlags, strName))
        ShowUpdateNotice(static_cast<unsigned>(nFlags), strName);
}

void CMyDlgBar::OnTimer(int nTimerId)
{
    if (nTimerId == kStartupTimer) {
        KillTimer(kStartupTimer);
        m_updateCheck.Start();
    } else if (nTimerId == kBlinkTimer) {
        OnBlinkTick();
    }
}

void CMyDlgBar::timerEvent(QTimerEvent* pEvent)
{
    for (const auto& [nTimerId, nQtId] : m_timers) {
        if (nQtId == pEvent->timerId()) {
            OnTimer(nTimerId);
            return;
        }
    }
    BaseDialogBar::timerEvent(pEvent);
}

void CMyDlgBar::SetTimer(int nTimerId, int nPeriodMs)
{
    KillTimer(nTimerId);
    const int nQtId = startTimer(nPeriodMs);
    if (nQtId != 0)
        m_timers[nTimerId] = nQtId;
}

void CMyDlgBar::KillTimer(int nTimerId)
{
    const auto it = m_timers.find(nTimerId);
    if (it == m_timers.end())
        return;
    killTimer(it->second);
    m_timers.erase(it);
}

uint32_t CMyDlgBar::GetTickCount() const
{
    if (m_tickSource)
        return m_tickSource();
    const auto elapsed = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count());
}

bool CMyDlgBar::PostToFrame(uintptr_t uCode, CMyString* pText)
{
    static const unsigned s_uMessage = RegisterWindowMessage(kMessageFromDlg);
    QWidget* pFrame = GetMainFrame();
    if (pFrame != nullptr &&
        PostMessage(QPointer<QObject>(pFrame), s_uMessage, uCode, reinterpret_cast<intptr_t>(pText)))
        return true;
    delete pText;
    return false;
}

QWidget* CMyDlgBar::GetMainFrame() const
{
    return parentWidget();
}

bool CMyDlgBar::IsFreeArea(QPoint pos) const
{
    for (const CMyOwnButton* pButton : {&m_close, &m_minimize, &m_maxRestore}) {
        if (!pButton->isHidden() && pButton->geometry().contains(pos))
            return false;
    }
    return true;
}

void CMyDlgBar::mousePressEvent(QMouseEvent* pEvent)
{
    const QPoint pos = pEvent->position().toPoint();
    if (pEvent->button() == Qt::LeftButton && GetMainFrame() != nullptr && IsFreeArea(pos)) {
        // The press grabs the mouse until it is released, so moves keep coming here.
        const QWidget* pFrame = GetMainFrame();
        m_drag.Start(pFrame->window(), pEvent->globalPosition().toPoint());
        pEvent->accept();
        return;
    }
    BaseDialogBar::mousePressEvent(pEvent);
}

void CMyDlgBar::mouseMoveEvent(QMouseEvent* pEvent)
{
    if (!m_drag.IsDragging()) {
        BaseDialogBar::mouseMoveEvent(pEvent);
        return;
    }
    QWidget* pFrame = GetMainFrame();
    m_drag.Move(pFrame != nullptr ? pFrame->window() : nullptr, pEvent->globalPosition().toPoint(),
                (pEvent->buttons() & Qt::LeftButton) != 0);
}

void CMyDlgBar::mouseReleaseEvent(QMouseEvent* pEvent)
{
    if (pEvent->button() == Qt::LeftButton)
        m_drag.End();
    BaseDialogBar::mouseReleaseEvent(pEvent);
}

void CMyDlgBar::mouseDoubleClickEvent(QMouseEvent* pEvent)
{
    if (pEvent->button() == Qt::LeftButton && IsFreeArea(pEvent->position().toPoint())) {
        PostToFrame(kMaximizeRestoreCode);
        return;
    }
    BaseDialogBar::mouseDoubleClickEvent(pEvent);
}
