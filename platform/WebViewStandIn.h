// CWebViewStandIn: a web browser control that shows nothing. It keeps the
// addresses it is sent to, in order, so that a host of the control can be
// tested without the web engine. Widgets are not copyable.
#pragma once

#include "WebControl.h"

#include <vector>

class CWebViewStandIn : public CWebControl
{
public:
    using CWebControl::CWebControl;

    void Navigate(const CMyString& strUrl) override { m_navigations.push_back(strUrl); }
    CMyString get_LocationURL() const override;
    void put_Visible(bool bVisible) override { setVisible(bVisible); }

    const std::vector<CMyString>& GetNavigations() const { return m_navigations; }
    void ClearNavigations() { m_navigations.clear(); }

private:
    std::vector<CMyString> m_navigations;
};
