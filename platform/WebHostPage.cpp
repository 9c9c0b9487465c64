#include "WebHostPage.h"

#include "Logging.h"
#include "MediaLogging.h"
#include "ModulePath.h"
#include "WebHostProtocol.h"

#include <QApplication>
#include <QFileInfo>
#include <QPainter>
#include <QProcess>
#include <QTimer>
#include <QUrl>

namespace {

// The web engine takes a second or two to start on a busy machine; a host
// that has shown nothing after this long will not.
constexpr int kShowTimeoutMs = 30000;
// How long a host that was told to end may take before it is killed.
constexpr int kEndTimeoutMs = 5000;

QString FindHost()
{
    for (const QString& strCandidate : ProgramFileCandidates(WebHost::kProgramName)) {
        if (QFileInfo(strCandidate).isExecutable())
            return strCandidate;
    }
    return {};
}

} // namespace

CWebHostPage::CWebHostPage(QWidget* pParent) : QWidget(pParent)
{
    setAttribute(Qt::WA_NativeWindow);
    setContextMenuPolicy(Qt::NoContextMenu);
    Start();
}

CWebHostPage::~CWebHostPage()
{
    if (m_pHost == nullptr)
        return;
    // The host quits when its input closes; it is left to do so on its own,
    // and waited for only when the program ends first.
    m_pHost->disconnect(this);
    m_pHost->setParent(qApp);
    m_pHost->closeWriteChannel();
    QProcess* pHost = m_pHost;
    QObject::connect(pHost, &QProcess::finished, pHost, &QObject::deleteLater);
    QTimer::singleShot(kEndTimeoutMs, pHost, [pHost] { pHost->kill(); });
    QObject::connect(qApp, &QObject::destroyed, pHost, [pHost] {
        if (!pHost->waitForFinished(kEndTimeoutMs))
            pHost->kill();
        pHost->waitForFinished();
    });
}

bool CWebHostPage::IsAvailable()
{
    return QApplication::platformName() == QLatin1String("xcb");
}

void CWebHostPage::Start()
{
    const QString strHost = FindHost();
    if (strHost.isEmpty()) {
        // After the maker has set the failure handler.
        QTimer::singleShot(0, this, [this] { Fail("the web host program is missing"); });
        return;
    }
    m_bShown = false;
    m_pHost = new QProcess(this);
    m_pHost->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    connect(m_pHost, &QProcess::readyReadStandardOutput, this, [this] { ReadMessages(); });
    connect(m_pHost, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            Fail("the web host did not start");
    });
    connect(m_pHost, &QProcess::finished, this, [this] { Fail("the web host ended"); });
    QTimer::singleShot(kShowTimeoutMs, this, [this, pHost = m_pHost] {
        if (m_pHost == pHost && !m_bShown)
            Fail("the web host showed no page in time");
    });
    m_pHost->start(strHost, {QString::number(winId()), QString::number(width()), QString::number(height())});
}

void CWebHostPage::Navigate(const QString& strUrl)
{
    m_bLoaded = false;
    // A host that failed is started again for a new address.
    if (m_pHost == nullptr)
        Start();
    Send(QByteArray(WebHost::kNavigate) + ' ' + QUrl::fromUserInput(strUrl).toEncoded());
}

void CWebHostPage::Send(const QByteArray& order)
{
    if (m_pHost != nullptr)
        m_pHost->write(order + '\n');
}

void CWebHostPage::ReadMessages()
{
    m_pending += m_pHost->readAllStandardOutput();
    for (qsizetype nEnd = m_pending.indexOf('\n'); nEnd >= 0; nEnd = m_pending.indexOf('\n')) {
        Hear(m_pending.left(nEnd));
        m_pending.remove(0, nEnd + 1);
    }
}

void CWebHostPage::Hear(const QByteArray& message)
{
    if (message == WebHost::kShown) {
        m_bShown = true;
    } else if (message == WebHost::kLoading) {
        m_bLoaded = false;
    } else if (message.startsWith(WebHost::kLoaded)) {
        m_bLoaded = message.endsWith(" 1");
        if (m_bLoaded)
            MarkTime("page loaded");
    } else if (message == WebHost::kCrashed && m_failed) {
        m_failed();
    }
}

void CWebHostPage::Fail(const char* pWhy)
{
    qCWarning(lcWeb) << pWhy;
    if (m_pHost != nullptr) {
        m_pHost->disconnect(this);
        m_pHost->kill();
        m_pHost->deleteLater();
        m_pHost = nullptr;
    }
    m_bShown = false;
    if (m_failed)
        m_failed();
}

void CWebHostPage::paintEvent(QPaintEvent*)
{
    QPainter(this).fillRect(rect(), Qt::white);
}

void CWebHostPage::resizeEvent(QResizeEvent* pEvent)
{
    QWidget::resizeEvent(pEvent);
    Send(QByteArray(WebHost::kResize) + ' ' + QByteArray::number(width()) + ' ' +
         QByteArray::number(height()));
}
