// CWebView: the web browser control on the web engine (Qt WebEngine). The
// engine starts only once the view has been painted for the first time, so
// that a program whose window never shows a page never pays for it, and one
// that does shows its window first. Addresses given before then are shown
// when the page exists. On X11 the engine runs in the program's web host
// (WebHostPage.h); elsewhere it is loaded from its own module (WebPage.h),
// with the program-wide OpenGL share context that it needs made just before
// (OpenGLSharing.h). A view that stays hidden for a while lets its page go,
// which ends the web host and all of the engine's processes with it; the page
// comes back, at the last address, when the view is painted again. When the
// engine cannot be had, or its process dies, the view shows a short notice in
// its palette's colours instead, and the rest of the program goes on. As root
// the engine's sandbox is turned off before the engine starts: the engine
// refuses to run as root otherwise. Widgets are not copyable.
#pragma once

#include "WebControl.h"

#include <QPointer>
#include <QTimer>

class CWebPage;

class CWebView : public CWebControl
{
public:
    explicit CWebView(QWidget* pParent = nullptr);

    void Navigate(const CMyString& strUrl) override;
    CMyString get_LocationURL() const override { return m_strUrl; }
    void put_Visible(bool bVisible) override { setVisible(bVisible); }

    // Loads the engine and makes the page now, if that was not done yet;
    // false when the engine cannot be had.
    bool CreatePage();
    bool HasPage() const { return m_pWidget != nullptr; }
    // True while the notice shows instead of a page.
    bool IsFailed() const { return m_bFailed; }
    static constexpr char kFailedText[] = "This page cannot be shown: the web engine did not start.";
    // True once the last address has finished loading.
    bool IsPageLoaded() const;
    // The engine's page widget, or null.
    QWidget* GetPageWidget() const { return m_pWidget; }
    // How long the view stays hidden before it lets its page go.
    static constexpr int kRetireAfterMs = 10000;
    void SetRetireDelay(int nMs) { m_retireTimer.setInterval(nMs); }

protected:
    void paintEvent(QPaintEvent* pEvent) override;
    void resizeEvent(QResizeEvent* pEvent) override;
    void showEvent(QShowEvent* pEvent) override;
    void hideEvent(QHideEvent* pEvent) override;

private:
    void ShowFailure();
    void RetirePage();

    CWebPage* m_pPage = nullptr;
    QPointer<QWidget> m_pWidget;
    CMyString m_strUrl;
    QTimer m_retireTimer;
    bool m_bTried = false;
    bool m_bScheduled = false;
    bool m_bFailed = false;
};
