#include "WebView.h"

#include "MediaLogging.h"
#include "ModulePath.h"
#include "OpenGLSharing.h"
#include "QtText.h"
#include "WebHostPage.h"
#include "WebPage.h"

#include <QPainter>
#include <QTimer>
#include <unistd.h>

namespace {

constexpr char kNoSandboxVariable[] = "QTWEBENGINE_DISABLE_SANDBOX";

// The web engine will not start as root with its sandbox on, and ends the
// whole program instead. Containers and kiosks run as root: there the sandbox
// is turned off, which is the only way the engine runs at all.
void AllowRootWithoutSandbox()
{
    if (::geteuid() != 0 || qEnvironmentVariableIsSet(kNoSandboxVariable))
        return;
    qputenv(kNoSandboxVariable, "1");
    qCInfo(lcWeb) << "running as root: the web engine's sandbox is off";
}

CreateWebPageFunction LoadModule()
{
    if (!ShareOpenGLContexts()) {
        qCWarning(lcWeb) << "the web engine needs shared OpenGL contexts; no page is shown";
        return nullptr;
    }
    auto create = reinterpret_cast<CreateWebPageFunction>(
        ResolveModuleEntry(kWebPageModuleName, kCreateWebPageSymbol, lcWeb()));
    if (create == nullptr)
        qCWarning(lcWeb) << "the web engine module cannot be loaded; no page is shown";
    return create;
}

CWebPage* MakePage(QWidget* pParent)
{
    AllowRootWithoutSandbox();
    if (CWebHostPage::IsAvailable())
        return new CWebHostPage(pParent);
    static const CreateWebPageFunction s_create = LoadModule();
    return s_create != nullptr ? s_create(pParent) : nullptr;
}

} // namespace

CWebView::CWebView(QWidget* pParent) : CWebControl(pParent)
{
    setContextMenuPolicy(Qt::NoContextMenu);
    m_retireTimer.setSingleShot(true);
    m_retireTimer.setInterval(kRetireAfterMs);
    m_retireTimer.callOnTimeout(this, [this] { RetirePage(); });
}

bool CWebView::CreatePage()
{
    if (m_bTried)
        return HasPage();
    m_bTried = true;
    m_pPage = MakePage(this);
    if (m_pPage == nullptr) {
        ShowFailure();
        return false;
    }
    m_pPage->SetFailureHandler([this] { ShowFailure(); });
    m_pWidget = m_pPage->GetWidget();
    m_pWidget->setGeometry(rect());
    m_pWidget->show();
    if (!m_strUrl.IsEmpty())
        m_pPage->Navigate(ToQString(m_strUrl));
    return true;
}

void CWebView::Navigate(const CMyString& strUrl)
{
    m_strUrl = strUrl;
    if (m_pWidget == nullptr)
        return;
    // The engine starts its page process again for a new address.
    m_bFailed = false;
    m_pWidget->show();
    m_pPage->Navigate(ToQString(strUrl));
}

void CWebView::ShowFailure()
{
    qCWarning(lcWeb) << "the web engine could not show the page";
    m_bFailed = true;
    if (m_pWidget != nullptr)
        m_pWidget->hide();
    update();
}

bool CWebView::IsPageLoaded() const
{
    return m_pWidget != nullptr && m_pPage->IsLoaded();
}

void CWebView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (m_bFailed) {
        painter.fillRect(rect(), palette().window());
        painter.setPen(palette().windowText().color());
        painter.drawText(rect().adjusted(10, 10, -10, -10), Qt::AlignCenter | Qt::TextWordWrap,
                         QString::fromUtf8(kFailedText));
        return;
    }
    painter.fillRect(rect(), Qt::white);
    // After this first paint has reached the screen, not before it.
    if (!m_bTried && !m_bScheduled) {
        m_bScheduled = true;
        QTimer::singleShot(0, this, [this] { CreatePage(); });
    }
}

void CWebView::resizeEvent(QResizeEvent* pEvent)
{
    CWebControl::resizeEvent(pEvent);
    if (m_pWidget != nullptr)
        m_pWidget->setGeometry(rect());
}

void CWebView::showEvent(QShowEvent* pEvent)
{
    CWebControl::showEvent(pEvent);
    m_retireTimer.stop();
}

void CWebView::hideEvent(QHideEvent* pEvent)
{
    CWebControl::hideEvent(pEvent);
    // Only a view that was put away itself: a minimised window still plays its page.
    if (m_bTried && isHidden())
        m_retireTimer.start();
}

// The page is made again, and shows the last address, at the next paint.
void CWebView::RetirePage()
{
    qCInfo(lcWeb) << "no page was seen for a while: the web engine ends";
    delete m_pWidget;
    m_pPage = nullptr;
    m_bTried = false;
    m_bScheduled = false;
    m_bFailed = false;
}
