// CPlayerControls: how the player view makes the two controls it hosts. The
// program uses the engines (the media engine and the web engine); tests of the
// view alone use the stand-ins, which play and show nothing. A maker returns
// null when its control cannot be made; the view then goes on without it.
// Copying copies two function objects.
#pragma once

#include <functional>

class CMediaControl;
class CWebControl;
class QWidget;

struct CPlayerControls
{
    std::function<CMediaControl*(QWidget* pParent)> m_createMediaPlayer;
    std::function<CWebControl*(QWidget* pParent)> m_createWebBrowser;

    static CPlayerControls Engines();
    static CPlayerControls StandIns();
};
