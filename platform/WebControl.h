// CWebControl: what the player view asks of its web browser, the control that
// shows the web stations and the home page. CWebView shows pages with the web
// engine; CWebViewStandIn only records, for tests that need no engine. Widgets
// are not copyable.
#pragma once

#include "MyString.h"

#include <QWidget>

class CWebControl : public QWidget
{
public:
    using QWidget::QWidget;

    // Shows the page at the address.
    virtual void Navigate(const CMyString& strUrl) = 0;
    // The address last handed to Navigate.
    virtual CMyString get_LocationURL() const = 0;
    virtual void put_Visible(bool bVisible) = 0;
};
