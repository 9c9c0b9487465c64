// CWebPage: a page of the web engine as CWebView sees it. The web engine is
// large and slow to start, so it lives in a module of its own
// (libkestova_webview.so, webengine/) that CWebView loads the first time a page
// is shown; this header is all that the two share. The page is a widget: it
// belongs to the parent it was made with. Not copyable.
#pragma once

#include <QString>
#include <functional>

class QWidget;

class CWebPage
{
public:
    virtual ~CWebPage() = default;

    virtual QWidget* GetWidget() = 0;
    virtual void Navigate(const QString& strUrl) = 0;
    // True once the last navigation has finished loading its page.
    virtual bool IsLoaded() const = 0;
    // Called when the engine's process that shows the page has died; a later
    // navigation starts it again.
    virtual void SetFailureHandler(std::function<void()> handler) = 0;
};

// The module's one entry point: makes a page as a child of pParent.
using CreateWebPageFunction = CWebPage* (*)(QWidget* pParent);
inline constexpr char kCreateWebPageSymbol[] = "KestovaCreateWebPage";
// The module's base name; the system's library naming is added to it.
inline constexpr char kWebPageModuleName[] = "kestova_webview";
