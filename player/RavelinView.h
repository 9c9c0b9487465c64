// CRavelinView: the player pane, right of the station tree in the main
// window's splitter. It hosts the media player, for stations that are streams,
// and the web browser, for stations that are pages (and for the home page
// while no web station plays); only one of them is in front at a time. A
// status line below shows the player's status and the current station's name,
// refreshed as the player reports a change and as the station changes (no
// timer: a view at rest wakes nothing up). The view holds one current station, which other parts
// set and then ask it to play; it never picks a station by itself.
//
// It swallows right-clicks on itself and its controls (no context menu shows)
// and hands its own key presses to the station tree through the document
// (hint 10, with a heap copy of the key event that the tree deletes). Widgets are not copyable.
#pragma once

#include "CurrentStation.h"
#include "DocumentView.h"
#include "MyString.h"
#include "PlayerControls.h"
#include "StatusLine.h"

#include <QPointer>
#include <QWidget>
#include <functional>

struct CCatalogItem;
class CMediaControl;
class CRavelinDoc;
class CWebControl;
class QLabel;
class QSplitter;

class CRavelinView : public QWidget, public CDocumentView
{
public:
    // Posted to the frame with "Kestova_MESSAGE_FOR_MAIN_FRAME" after a play.
    static constexpr uintptr_t kStationStartedCode = 1039;
    // What the browser shows between web stations when there is no home page.
    static constexpr char kEmptyPage[] = "about:blank";

    // Creates the media player and the status line; the browser comes with the home page (SetHomeServer) or
    // when the first web station plays. Joins the document's views.
    explicit CRavelinView(CRavelinDoc* pDocument, QWidget* pParent = nullptr,
                          const CPlayerControls& controls = CPlayerControls::Engines());
    ~CRavelinView() override;

    // Set by the frame once the panes exist.
    void SetFrame(QObject* pFrame) { m_pFrame = pFrame; }
    // The home server the catalogue chose (empty: none answered); a home page
    // on it shows in the browser.
    void SetHomeServer(const CMyString& strServer);
    // The window has painted: the media player may load what its first play needs.
    void PreparePlayer();
    void SetSplitter(QSplitter* pSplitter);

    void AssignStation(const CCatalogItem* pItem);
    void SetStation(const CMyString& strAddress, const CMyString& strName, bool bWeb);
    void Play();
    // Stops the media player and sends the browser back to the home page.
    void Stop();
    // Full screen, only while a stream plays.
    void SetFullScreen();
    void SetVolume(int nVolume);
    void SetMute(bool bMute);
    // Opens the address in the user's web browser.
    void LaunchURL(const CMyString& strUrl);

    // Hint 2 plays the current station.
    void OnUpdate(CDocumentView* pSender, intptr_t lHint, void* pHint) override;
    // Brings both labels of the status line up to date; each is written
    // only when its text changes.
    void RefreshStatusLines();
    // Whom to tell when a label of the status line changed (the desktop's
    // media controls follow what the view shows).
    void SetShownHandler(std::function<void()> handler) { m_shown = std::move(handler); }

    const CCurrentStation& GetStation() const { return m_station; }
    const CMyString& GetHomePage() const { return m_strHomePage; }
    QRect GetPlayerArea() const { return m_playerArea; }
    bool IsPlayerPresent() const { return m_bPlayerPresent; }
    // Null when the control could not be made.
    CMediaControl* GetMediaPlayer() const { return m_pMediaPlayer; }
    CWebControl* GetWebBrowser() const { return m_pWebBrowser; }
    QLabel* GetStatusLabel() const { return m_pStatusLabel; }
    QLabel* GetStationLabel() const { return m_pStationLabel; }

protected:
    void resizeEvent(QResizeEvent* pEvent) override;
    void keyPressEvent(QKeyEvent* pEvent) override;
    bool eventFilter(QObject* pWatched, QEvent* pEvent) override;

private:
    void CreateWebBrowser();
    bool EnsureWebBrowser();
    bool MakeWebBrowser();
    void SendBrowserHome();
    void CreateMediaPlayer(const CPlayerControls& controls);
    QLabel* CreateLabel();
    void OnSize(int cx, int cy);
    bool SnapSplitter(int cx);
    void PlaceBrowser();
    void PrepareForWeb();
    void PrepareForMedia();
    static bool IsRightClick(QEvent* pEvent);

    CRavelinDoc* m_pDocument;
    QPointer<QSplitter> m_pSplitter;
    QRect m_playerArea;
    QPointer<QObject> m_pFrame;
    QLabel* m_pStatusLabel = nullptr;
    QLabel* m_pStationLabel = nullptr;
    CMediaControl* m_pMediaPlayer = nullptr;
    bool m_bPlayerPresent = false;
    CWebControl* m_pWebBrowser = nullptr;
    std::function<CWebControl*(QWidget*)> m_createWebBrowser;
    CCurrentStation m_station;
    CStatusLine m_statusLine;
    CMyString m_strHomePage;
    std::function<void()> m_shown;
};
