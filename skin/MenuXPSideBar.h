// CMenuXPSideBar: the coloured column down the left edge of an owner-drawn
// menu, painted with the skin's side-bar gradient over the menu's full height,
// with an optional title written bottom-up. Its size is its width. Not
// copyable, like every item.
#pragma once

#include "MenuXPItem.h"

class CMenuXPSideBar : public CMenuXPItem
{
public:
    explicit CMenuXPSideBar(int nWidth = kDefaultSize, const CMyString& strTitle = CMyString(),
                            const QIcon& icon = QIcon(), int nId = 0)
    {
        m_bSideBar = 1;
        m_strText = strTitle;
        m_icon = icon;
        m_nSize = nWidth;
        m_nId = nId;
    }
};
