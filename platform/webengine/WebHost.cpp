#include "WebHost.h"

#include "../WebHostProtocol.h"
#include "EmbeddedKeyboard.h"

#include <QApplication>
#include <QMouseEvent>
#include <QSocketNotifier>
#include <QUrl>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <QWindow>
#include <unistd.h>

CWebHost::CWebHost(quintptr uWindowId, int nWidth, int nHeight) : m_pView(new QWebEngineView)
{
    m_pView->setContextMenuPolicy(Qt::NoContextMenu);
    // The keyboard stays with the program until the page is clicked.
    m_pView->setAttribute(Qt::WA_ShowWithoutActivating);
    m_pView->setGeometry(0, 0, nWidth, nHeight);
    m_pView->winId();
    m_pView->windowHandle()->setParent(QWindow::fromWinId(uWindowId));
    new CEmbeddedKeyboard(*m_pView);
    qApp->installEventFilter(this);
    QObject::connect(m_pView, &QWebEngineView::loadStarted, this, [] { Tell(WebHost::kLoading); });
    QObject::connect(m_pView, &QWebEngineView::loadFinished, this,
                     [](bool bOk) { Tell(QByteArray(WebHost::kLoaded) + (bOk ? " 1" : " 0")); });
    QObject::connect(m_pView->page(), &QWebEnginePage::renderProcessTerminated, this,
                     [](QWebEnginePage::RenderProcessTerminationStatus status, int) {
                         if (status != QWebEnginePage::NormalTerminationStatus)
                             Tell(WebHost::kCrashed);
                     });
    m_pView->show();
    Tell(WebHost::kShown);
    m_pInput = new QSocketNotifier(STDIN_FILENO, QSocketNotifier::Read, this);
    QObject::connect(m_pInput, &QSocketNotifier::activated, this, [this] { ReadOrders(); });
}

CWebHost::~CWebHost()
{
    delete m_pView;
}

bool CWebHost::eventFilter(QObject* pWatched, QEvent* pEvent)
{
    const QEvent::Type type = pEvent->type();
    const bool bRightPress = (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick) &&
                             static_cast<QMouseEvent*>(pEvent)->button() == Qt::RightButton;
    if (pWatched->isWidgetType() && (bRightPress || type == QEvent::ContextMenu))
        return true;
    return QObject::eventFilter(pWatched, pEvent);
}

void CWebHost::ReadOrders()
{
    char buffer[4096];
    const ssize_t nRead = ::read(STDIN_FILENO, buffer, sizeof buffer);
    if (nRead <= 0) {
        // The program has gone, or is done with its pages. (quit() would first
        // ask the page window, which a page can refuse.)
        m_pInput->setEnabled(false);
        QCoreApplication::exit(0);
        return;
    }
    m_pending.append(buffer, nRead);
    for (qsizetype nEnd = m_pending.indexOf('\n'); nEnd >= 0; nEnd = m_pending.indexOf('\n')) {
        Obey(m_pending.left(nEnd));
        m_pending.remove(0, nEnd + 1);
    }
}

void CWebHost::Obey(const QByteArray& order)
{
    const QList<QByteArray> words = order.split(' ');
    if (words.size() == 2 && words[0] == WebHost::kNavigate) {
        m_pView->setUrl(QUrl::fromEncoded(words[1]));
    } else if (words.size() == 3 && words[0] == WebHost::kResize) {
        m_pView->resize(words[1].toInt(), words[2].toInt());
    }
}

void CWebHost::Tell(const QByteArray& message)
{
    const QByteArray line = message + '\n';
    // A program that has stopped reading is going away; the host follows when its input closes.
    [[maybe_unused]] const ssize_t nWritten = ::write(STDOUT_FILENO, line.constData(), line.size());
}
