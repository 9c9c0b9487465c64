// CMainFrame: the program's only top-level window, frameless and skinned. It
// owns and places everything the user sees: the search bar along the top (also
// the window's caption), the splitter with the station tree and the player
// view, the five preset slots and the seven player controls along the bottom,
// and it paints its own border.
//
// It is also the switchboard: the tree, the view, the search bar, the slider
// and the buttons never call each other; they post registered messages or
// commands to the frame, which calls the one object that has to act. It runs
// the first-run steps when constructed, shows the splash window until the
// catalogue has loaded and keeps the volume and mute settings. After its first
// paint it has the player load its engine in the background. Once the
// catalogue has loaded it also appears on the desktop's media controls
// (CDesktopControls), whose requests come back to it as its own commands.
// Widgets are not copyable.
#pragma once

#include "MessageMap.h"
#include "MyDlgBar.h"
#include "MyString.h"
#include "PlayerControls.h"

#include <QPointer>
#include <QWidget>
#include <array>
#include <functional>
#include <memory>
#include <vector>

class CDesktopControls;
class CFolderTreeView;
class CMyOwnButton;
class CRavelinDoc;
class CRavelinView;
class CSplashDlg;
class CStation;
class QSplitter;

class CMainFrame : public QWidget
{
public:
    // Command ids of the player controls and the caption buttons.
    static constexpr int kPlayId = 1026;
    static constexpr int kStopId = 1027;
    static constexpr int kNextId = 1030;
    static constexpr int kPreviousId = 1031;
    static constexpr int kCloseId = 1036;
    static constexpr int kMinimizeId = 1037;
    static constexpr int kMaximizeId = 1038;
    static constexpr int kFullScreenId = 1065;
    static constexpr int kMuteId = 1066;
    static constexpr int kVolumeId = 1067;
    static constexpr int kSplitterId = 59648;
    static constexpr int kSearchBarId = 59393;
    static constexpr unsigned kSearchBarStyle = 0x50002834;
    static constexpr int kTreeWidth = 220;
    static constexpr int kControlCount = 7;
    static constexpr char kDamagedSettingsText[] =
        "Some settings could not be read.\nThe damaged settings file was kept as\nDAMAGED_COPY\nThe other "
        "settings are kept.";
    // Slots of the player controls, left to right.
    enum Control
    {
        StopControl,
        PlayControl,
        PreviousControl,
        NextControl,
        FullScreenControl,
        VolumeControl,
        MuteControl
    };

    // Shows a message box of the given type and returns the button pressed
    // (1 OK, 6 Yes, 7 No); tests put an answer of their own in its place.
    using MessageBoxFunction = std::function<int(const CMyString& strText, unsigned uType)>;

    // Runs the first-run steps and shows the splash window, unless the steps
    // refuse the window (an updater was started: the program ends).
    explicit CMainFrame(CRavelinDoc* pDocument, const CPlayerControls& controls = CPlayerControls::Engines(),
                        QWidget* pParent = nullptr);
    ~CMainFrame() override;

    // Builds the bars, presets, controls and panes and places the window on
    // the screen's work area; false when the window is refused or a pane fails.
    bool Create();
    bool IsCreationRefused() const { return m_bCreationRefused; }

    void ApplyMute(bool bOn);
    // The volume, 0 to 100, as last set with the slider or from the desktop
    // (the slider shows it to the nearest step of its scale).
    int GetVolume() const;
    // Sets the volume as a move of the slider would, and keeps it in the settings.
    void SetVolume(int nVolume);
    // Selects the next (or previous) station of the tree and plays it.
    void PlayAdjacentStation(bool bNext);
    // Shows the window in front of the others, restored when it was minimised.
    void BringToFront();
    void AssignPreset(CStation& station);
    void PlayPreset(CStation& station);
    void OnCommand(int nId);
    // The cut-away window: the client area, one pixel shorter at the bottom.
    bool UpdateWindowRegion();
    void SetMessageBox(MessageBoxFunction function) { m_messageBox = std::move(function); }

    void setVisible(bool bVisible) override;

    CFolderTreeView* GetTree() const;
    CRavelinView* GetView() const;
    CMyDlgBar& GetSearchBar() { return m_searchBar; }
    QSplitter* GetSplitter() const;
    CSplashDlg* GetSplash() const;
    const std::vector<std::unique_ptr<CStation>>& GetPresets() const { return m_presets; }
    CMyOwnButton* GetControl(Control control) const;
    // Null until the catalogue has loaded, and without a session bus.
    CDesktopControls* GetDesktopControls() const { return m_pDesktopControls.get(); }
    bool IsMuted() const { return m_bMuted; }

protected:
    bool event(QEvent* pEvent) override;
    bool eventFilter(QObject* pWatched, QEvent* pEvent) override;
    void paintEvent(QPaintEvent* pEvent) override;
    void resizeEvent(QResizeEvent* pEvent) override;
    void keyPressEvent(QKeyEvent* pEvent) override;

private:
    void RunFirstRunSteps();
    void SetUpTooltips();
    void CreatePresets();
    void CreateControls();
    CMyOwnButton* MakeControl(CMyOwnButton* pButton, int nId, int nWidth);
    bool OnCreateClient();
    void RegisterMessages();
    void SetInitialPaneWidths();
    void PlaceControls(int cx, int cy);
    void ToggleMute();
    void ToggleMaximize();
    intptr_t OnMainFrameMessage(uintptr_t uCode, intptr_t lParam);
    intptr_t OnMessageFromDlg(uintptr_t uCode, intptr_t lParam);
    intptr_t OnButtonClicked(uintptr_t wParam);
    void CloseSplash();
    void TellOfDamagedSettings();
    void StartDesktopControls();
    void RefreshDesktopControls();
    bool IsInsideFrame(QObject* pObject) const;

    CRavelinDoc* m_pDocument;
    CPlayerControls m_playerControls;
    QPointer<CSplashDlg> m_pSplash;
    QPointer<QSplitter> m_pSplitter;
    QPointer<CFolderTreeView> m_pTree;
    QPointer<CRavelinView> m_pView;
    CMyDlgBar m_searchBar;
    bool m_bCreationRefused = false;
    bool m_bSplitterCreated = false;
    bool m_bPaneWidthsSet = false;
    bool m_bPaintedOnce = false;
    std::vector<std::unique_ptr<CStation>> m_presets;
    std::array<QPointer<CMyOwnButton>, kControlCount> m_controls;
    bool m_bMuted = false;
    int m_nVolume = 0;
    CMessageMap m_messageMap;
    MessageBoxFunction m_messageBox;
    std::unique_ptr<CDesktopControls> m_pDesktopControls;
};
