// CVideoSurface: the media engine's video output (VideoOutput.h), inside the
// player and on its own as the full-screen window. It holds the native video
// window (VideoWindow.h) in a window container; the engine draws there on the
// window's own OpenGL context, which survives the move to full screen and back.
// Esc or a double-click leave full screen, whether they reach the picture or
// this widget. Not copyable.
#pragma once

#include "VideoOutput.h"

class CMpvEngine;
class CVideoWindow;

class CVideoSurface : public CVideoOutput
{
public:
    CVideoSurface(CMpvEngine& engine, QWidget* pParent = nullptr);
    ~CVideoSurface() override;

    bool HasRenderContext() const override;

protected:
    void resizeEvent(QResizeEvent* pEvent) override;
    void keyPressEvent(QKeyEvent* pEvent) override;
    void mouseDoubleClickEvent(QMouseEvent* pEvent) override;

private:
    CVideoWindow* m_pWindow;
    QWidget* m_pContainer;
};
