// CWebHostPage: a page of the web engine shown by the program's web host
// (kestova-web, webengine/WebHost.h), a small program of its own that draws
// into this widget's window. Ending the host ends every process of the web
// engine, which the engine's in-process module (WebPage.h) cannot do: that is
// what deleting this page does. Needs X11, where one program's window can
// hold another's. Until the host shows its page the widget is white. When the
// host cannot start, does not show its page in time, or dies, the failure
// handler is called. Widgets are not copyable.
#pragma once

#include "WebPage.h"

#include <QByteArray>
#include <QWidget>

class QProcess;

class CWebHostPage final : public QWidget, public CWebPage
{
public:
    // Starts the host at once.
    explicit CWebHostPage(QWidget* pParent);
    ~CWebHostPage() override;

    // True on X11.
    static bool IsAvailable();

    QWidget* GetWidget() override { return this; }
    void Navigate(const QString& strUrl) override;
    bool IsLoaded() const override { return m_bLoaded; }
    void SetFailureHandler(std::function<void()> handler) override { m_failed = std::move(handler); }

protected:
    void paintEvent(QPaintEvent* pEvent) override;
    void resizeEvent(QResizeEvent* pEvent) override;

private:
    void Start();
    void ReadMessages();
    void Hear(const QByteArray& message);
    void Fail(const char* pWhy);
    void Send(const QByteArray& order);

    QProcess* m_pHost = nullptr;
    QByteArray m_pending;
    std::function<void()> m_failed;
    bool m_bShown = false;
    bool m_bLoaded = false;
};
