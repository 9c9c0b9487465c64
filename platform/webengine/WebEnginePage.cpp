// The web engine module: a web page without a context menu, made for CWebView
// (WebPage.h) when the program first shows a page.
#include "../WebPage.h"

#include <QUrl>
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
    }

    QWidget* GetWidget() override { return this; }
    void Navigate(const QString& strUrl) override
    {
        m_bLoaded = false;
        setUrl(QUrl::fromUserInput(strUrl));
    }
    bool IsLoaded() const override { return m_bLoaded; }

private:
    bool m_bLoaded = false;
};

} // namespace

extern "C" Q_DECL_EXPORT CWebPage* KestovaCreateWebPage(QWidget* pParent)
{
    return new CWebEnginePage(pParent);
}
