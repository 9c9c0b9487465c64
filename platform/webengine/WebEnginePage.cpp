// The web engine module: a web page without a context menu, made for CWebView
// (WebPage.h) when the program first shows a page.
#include "../WebPage.h"

#include <QUrl>
#include <QWebEnginePage>
#include <QWebEngineView>

namespace {

class CWebEnginePage final : public QWebEngineView, public CWebPage
{
public:
    explicit CWebEnginePage(QWidget* pParent) : QWebEngineView(pParent)
    {
        setContextMenuPolicy(Qt::NoContextMenu);
        connect(this, &QWebEngineView::loadStarted, this, [this] { m_bLoaded = false; });
        connect(this, &QWebEngineView::loadFinished, this, [this](bool bOk) { m_bLoaded = bOk; });
        connect(page(), &QWebEnginePage::renderProcessTerminated, this,
                [this](QWebEnginePage::RenderProcessTerminationStatus status, int) {
                    if (status != QWebEnginePage::NormalTerminationStatus && m_failed)
                        m_failed();
                });
    }

    QWidget* GetWidget() override { return this; }
    void Navigate(const QString& strUrl) override
    {
        m_bLoaded = false;
        setUrl(QUrl::fromUserInput(strUrl));
    }
    bool IsLoaded() const override { return m_bLoaded; }
    void SetFailureHandler(std::function<void()> handler) override { m_failed = std::move(handler); }

private:
    bool m_bLoaded = false;
    std::function<void()> m_failed;
};

} // namespace

extern "C" Q_DECL_EXPORT CWebPage* KestovaCreateWebPage(QWidget* pParent)
{
    return new CWebEnginePage(pParent);
}
