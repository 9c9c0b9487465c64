#include "SystemColour.h"

#include "ColourConvert.h"

#include <QGuiApplication>
#include <QPalette>

namespace {

bool RoleOf(int nIndex, QPalette::ColorGroup& group, QPalette::ColorRole& role)
{
    group = QPalette::Active;
    switch (nIndex) {
    case COLOR_MENU:
        role = QPalette::Window;
        return true;
    case COLOR_WINDOW:
        role = QPalette::Base;
        return true;
    case COLOR_MENUTEXT:
        role = QPalette::WindowText;
        return true;
    case COLOR_WINDOWTEXT:
        role = QPalette::Text;
        return true;
    case COLOR_HIGHLIGHT:
        role = QPalette::Highlight;
        return true;
    case COLOR_HIGHLIGHTTEXT:
        role = QPalette::HighlightedText;
        return true;
    case COLOR_BTNFACE:
        role = QPalette::Button;
        return true;
    case COLOR_BTNSHADOW:
        role = QPalette::Dark;
        return true;
    case COLOR_BTNTEXT:
        role = QPalette::ButtonText;
        return true;
    case COLOR_BTNHIGHLIGHT:
        role = QPalette::Light;
        return true;
    case COLOR_3DDKSHADOW:
        role = QPalette::Shadow;
        return true;
    case COLOR_3DLIGHT:
        role = QPalette::Midlight;
        return true;
    case COLOR_GRAYTEXT:
        group = QPalette::Disabled;
        role = QPalette::WindowText;
        return true;
    default:
        return false;
    }
}

} // namespace

COLORREF GetSysColor(int nIndex)
{
    QPalette::ColorGroup group;
    QPalette::ColorRole role;
    if (!RoleOf(nIndex, group, role))
        return 0;
    return FromQColor(QGuiApplication::palette().color(group, role));
}
