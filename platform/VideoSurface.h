// CVideoSurface: the widget that shows video inside the player, and on its own
// as the full-screen window. It holds the native video window (VideoWindow.h)
// in a window container; the engine draws there on the window's own OpenGL
// context, which survives the move to full screen and back. Esc or a
// double-click leave full screen, whether they reach the picture or this
// widget. Not copyable.
#pragma once

#include <QWidget>
#include <functional>

class CMpvEngine;
class CVideoWindow;

class CVideoSurface : public QWidget
{
public:
    CVideoSurface(CMpvEngine& engine, QWidget* pParent = nullptr);
    ~CVideoSurface() override;

    // True while the engine can draw here.
    bool HasRenderContext() const;
    // What to do on Esc or a double-click while the surface is a full-screen
    // window of its own: leave full screen.
    void SetLeaveHandler(std::function<void()> handler) { m_leave = std::move(handler); }

protected:
    void resizeEvent(QResizeEvent* pEvent) override;
    void keyPressEvent(QKeyEvent* pEvent) override;
    void mouseDoubleClickEvent(QMouseEvent* pEvent) override;

private:
    bool Leave();

    CVideoWindow* m_pWindow;
    QWidget* m_pContainer;
    std::function<void()> m_leave;
};
