// CVideoSurface: the widget the media engine draws video into, through the
// engine's render API on the widget's OpenGL context (so video stays inside
// the window on X11 and Wayland alike). With the program's contexts shared
// (OpenGLSharing.h) the context survives a move to the full-screen window and
// back; should it be made anew all the same, the engine is asked to start its
// video again on the new one. Not copyable.
#pragma once

#include <QOpenGLWidget>
#include <functional>

class CMpvEngine;
struct mpv_render_context;

class CVideoSurface : public QOpenGLWidget
{
public:
    CVideoSurface(CMpvEngine& engine, QWidget* pParent = nullptr);
    ~CVideoSurface() override;

    // True while the engine can draw here.
    bool HasRenderContext() const { return m_pRender != nullptr; }
    // What to do on Esc or a double-click while the surface is a full-screen
    // window of its own: leave full screen.
    void SetLeaveHandler(std::function<void()> handler) { m_leave = std::move(handler); }

protected:
    void initializeGL() override;
    void paintGL() override;
    void keyPressEvent(QKeyEvent* pEvent) override;
    void mouseDoubleClickEvent(QMouseEvent* pEvent) override;

private:
    static void* GetProcAddress(void* pContext, const char* pName);
    static void OnUpdate(void* pContext);
    void FreeRenderContext();

    CMpvEngine& m_engine;
    mpv_render_context* m_pRender = nullptr;
    std::function<void()> m_leave;
    QMetaObject::Connection m_contextGone;
};
