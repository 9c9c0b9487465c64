#include "WebViewStandIn.h"

CMyString CWebViewStandIn::get_LocationURL() const
{
    return m_navigations.empty() ? CMyString() : m_navigations.back();
}
