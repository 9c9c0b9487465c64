// CWebHost: the web host's one page. The web engine starts processes of its
// own that live as long as it does, so the program keeps it in this separate
// small program, which it ends when no page has been seen for a while: the
// page draws into a window of the program's (given by its X11 id) and takes
// its orders from standard input (WebHostProtocol.h). The page has no
// context menu and, as everywhere in the program's player, the right mouse
// button does nothing on it. When standard input closes, the host quits. Not
// copyable.
#pragma once

#include <QByteArray>
#include <QObject>

class QSocketNotifier;
class QWebEngineView;

class CWebHost : public QObject
{
public:
    // Shows an empty page of the given size inside the window with the id.
    CWebHost(quintptr uWindowId, int nWidth, int nHeight);
    ~CWebHost() override;

protected:
    bool eventFilter(QObject* pWatched, QEvent* pEvent) override;

private:
    void ReadOrders();
    void Obey(const QByteArray& order);
    static void Tell(const QByteArray& message);

    QWebEngineView* m_pView = nullptr;
    QSocketNotifier* m_pInput = nullptr;
    QByteArray m_pending;
};
