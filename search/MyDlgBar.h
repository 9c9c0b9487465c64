// CMyDlgBar: the strip along the top of the main window. It carries the search
// edit box, the search button (the selected engine's picture and caption, with
// an arrow part that opens the engine menu), the update notice buttons, the
// window title and the window's close, minimise and maximise/restore buttons,
// and it is the window's caption: dragging it moves the main window and a
// double-click maximises or restores it. The bar never acts on the main
// window itself: each request is posted to its parent, the main frame, as
// "QV m_WM_MESSAGE_FROM_DLG" with a code (SearchMessages.h).
//
// The engine list is read when the bar is constructed; images of engines are
// fetched then, on the calling thread, when they are not cached yet. Once the
// bar has been created, a silent update check runs on a worker thread after
// two seconds; newer lists show a blinking notice whose click opens the update
// dialog, and a newer program one whose click opens the address the server
// gave. Widgets are not copyable.
#pragma once

#include "BaseDialogBar.h"
#include "CaptionDrag.h"
#include "EnterKeyWatch.h"
#include "MessageMap.h"
#include "MyEditBox.h"
#include "MyOwnButton.h"
#include "MyStaticButton.h"
#include "SearchEngine.h"
#include "SearchEngines.h"
#include "UpdateNoticeCheck.h"

#include <QFont>
#include <cstdint>
#include <functional>
#include <map>

class CMyDlgBar : public BaseDialogBar
{
public:
    // The bar's template and its controls.
    static constexpr int kTemplateId = 144;
    static constexpr int kEditId = 1002;
    static constexpr int kSearchButtonId = 1003;
    static constexpr int kListsNoticeId = 1004;
    static constexpr int kVersionNoticeId = 1005;
    static constexpr int kTitleId = 1008;
    static constexpr int kCloseId = 1036;
    static constexpr int kMinimizeId = 1037;
    static constexpr int kMaximizeId = 1038;
    // Notice flags of the update check.
    static constexpr unsigned kNoticeLists = 1;
    static constexpr unsigned kNoticeVersion = 2;
    // Timers.
    static constexpr int kStartupTimer = 100;
    static constexpr int kBlinkTimer = 101;
    static constexpr int kStartupDelayMs = 2000;
    static constexpr int kBlinkPeriodMs = 300;
    static constexpr int kBlinkTicks = 20;
    // Clicks on the search button closer together than this count as one.
    static constexpr int32_t kClickIntervalMs = 200;

    // Milliseconds from a fixed start, wrapping at 32 bits.
    using TickSource = std::function<uint32_t()>;
    // Runs the update dialog in its interactive mode.
    using UpdateDialogRunner = std::function<void()>;

    // Reads the engine list; the controls are made by Create.
    explicit CMyDlgBar(QWidget* pParent = nullptr);
    ~CMyDlgBar() override;

    // Sets up the controls (called once by Create).
    bool OnInitDialogBar() override;

    // The maximise/restore button's pictures for the show state the main
    // window is about to take: the restore pictures for a maximised window.
    void SetMaxRestoreImages(int nShowCommand);
    void SetTitleText(const CMyString& strText);
    // The address the first engine of the list makes of the typed text; empty
    // when the list is empty. Nothing is posted.
    CMyString GetQueryForFirstEngine() const;

    // Shows the notices of the update check (flag 1: newer lists, whose click
    // opens the update dialog; flag 2: a newer program, whose address is
    // strText) and makes them blink for kBlinkTicks ticks.
    void ShowUpdateNotice(unsigned uFlags, const CMyString& strText);
    // Sends the typed text with the selected engine to the main frame.
    void RunSearch();
    // Opens the engine menu below the search button and selects the choice.
    void ShowEngineMenu();
    // Selects the engine of a menu command (100 the built-in one, n the nth
    // entry of the list; 0 nothing) and searches again when text is typed.
    void SelectEngine(int nCommand);
    // The work of a timer of the bar, by its id.
    void OnTimer(int nTimerId);

    // Replaces the clock of the click rules.
    void SetTickSource(TickSource source) { m_tickSource = std::move(source); }
    // Replaces the update dialog of the lists notice.
    void SetUpdateDialogRunner(UpdateDialogRunner runner) { m_updateDialogRunner = std::move(runner); }

    CMyEditBox& GetEditBox() { return m_edit; }
    CMyOwnButton& GetSearchButton() { return m_searchButton; }
    CMyOwnButton& GetListsNotice() { return m_listsNotice; }
    CMyOwnButton& GetVersionNotice() { return m_versionNotice; }
    CMyStaticButton& GetTitle() { return m_title; }
    CMyOwnButton& GetCloseButton() { return m_close; }
    CMyOwnButton& GetMinimizeButton() { return m_minimize; }
    CMyOwnButton& GetMaxRestoreButton() { return m_maxRestore; }
    const CSearchEngines& GetEngines() const { return m_engines; }
    const CSearchEngine& GetBuiltInEngine() const { return m_builtIn; }
    // 100 for the built-in engine, else the index into the list.
    int GetSelectedEngine() const { return m_nSelectedEngine; }
    unsigned GetNoticeFlags() const { return m_uNoticeFlags; }
    const CMyString& GetNoticeText() const { return m_strNoticeText; }
    bool IsDragging() const { return m_drag.IsDragging(); }
    bool IsTimerRunning(int nTimerId) const { return m_timers.count(nTimerId) != 0; }

protected:
    bool event(QEvent* pEvent) override;
    void resizeEvent(QResizeEvent* pEvent) override;
    void timerEvent(QTimerEvent* pEvent) override;
    void mousePressEvent(QMouseEvent* pEvent) override;
    void mouseMoveEvent(QMouseEvent* pEvent) override;
    void mouseReleaseEvent(QMouseEvent* pEvent) override;
    void mouseDoubleClickEvent(QMouseEvent* pEvent) override;

private:
    void AddMessageHandlers();
    void CreateTemplateControls();
    void CreateCaptionButton(CMyOwnButton& button, int nId, const char* pPicture);
    void RecalcLayout();
    void PlaceTitle();
    void PlaceNoticeButtons();
    void InvalidateInFrame();
    void ShowEngine(const CSearchEngine& engine);

    void OnCommand(int nId);
    void OnSearchButton();
    void OnVersionNotice();
    void OnListsNotice();
    void OnUpdateCheckDone();
    void OnBlinkTick();
    // Posts the code to the main frame; the frame owns pText from then on.
    bool PostToFrame(uintptr_t uCode, CMyString* pText = nullptr);
    const CSearchEngine* GetEngine(int nNumber) const;
    bool IsFreeArea(QPoint pos) const;
    QWidget* GetMainFrame() const;

    void SetTimer(int nTimerId, int nPeriodMs);
    void KillTimer(int nTimerId);
    uint32_t GetTickCount() const;

    CMyEditBox m_edit;
    CMyOwnButton m_searchButton;
    CMyOwnButton m_listsNotice;
    CMyOwnButton m_versionNotice;
    CMyStaticButton m_title;
    CMyOwnButton m_close;
    CMyOwnButton m_minimize;
    CMyOwnButton m_maxRestore;
    unsigned m_uNoticeFlags = 0;
    bool m_bFirstCreation = true;
    uint32_t m_uLastClickTick = 0;
    bool m_bBlinkOn = false;
    int m_nBlinkCount = 0;
    COLORREF m_crTitleText;
    CCaptionDrag m_drag;
    CMyString m_strNoticeText;
    QFont m_titleFont;
    QFont m_smallFont;
    CSearchEngine m_builtIn;
    CSearchEngines m_engines;
    int m_nSelectedEngine = CSearchEngine::kBuiltInId;

    CMessageMap m_messageMap;
    std::map<int, int> m_timers; // the bar's timer id -> Qt's timer id
    TickSource m_tickSource;
    UpdateDialogRunner m_updateDialogRunner;
    CEnterKeyWatch m_enterKey;
    CUpdateNoticeCheck m_updateCheck;
};
