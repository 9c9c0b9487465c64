#include "ButtonStyle.h"

bool CButtonStyle::SetType(int nStyle)
{
    if (nStyle < 0 || nStyle > kMaxStyle)
        return false;
    m_bDropDown = false;
    m_bSplit = false;
    m_bFrameless = false;
    m_bPictureStyle = false;
    m_bLinkLook = false;
    if (nStyle != 7 && nStyle != 8)
        m_bChecked = false;
    m_nStyle = nStyle;
    switch (nStyle) {
    case 0:
        m_bFrameless = true;
        break;
    case 2:
    case 8:
    case 12:
        m_bPictureStyle = true;
        break;
    case 3:
        m_bDropDown = true;
        break;
    case 4:
        m_bPictureStyle = true;
        m_bDropDown = true;
        break;
    case 5:
        m_bSplit = true;
        break;
    case 6:
        m_bPictureStyle = true;
        m_bSplit = true;
        break;
    case 11:
        m_bLinkLook = true;
        break;
    default:
        break;
    }
    return true;
}
