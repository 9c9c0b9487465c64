// CVideoWindow: the native window the media engine draws video into, through
// the engine's render API on the window's own OpenGL context. It sits inside
// the player through a window container, so that the rest of the program's
// window stays plain raster (a QOpenGLWidget would make the whole window
// composed through OpenGL, and adding one to a shown window recreates it).
// The context lives as long as this window, also while its container moves to
// the full-screen window and back. Not copyable.
#pragma once

#include <QOpenGLWindow>
#include <functional>

class CMpvEngine;
struct mpv_render_context;

class CVideoWindow : public QOpenGLWindow
{
public:
    explicit CVideoWindow(CMpvEngine& engine);
    ~CVideoWindow() override;

    // True while the engine can draw here.
    bool HasRenderContext() const { return m_pRender != nullptr; }
    // Esc and double-clicks on the picture go here: the window itself has no
    // say on full screen.
    void SetKeyHandler(std::function<void(QKeyEvent*)> handler) { m_key = std::move(handler); }
    void SetDoubleClickHandler(std::function<void()> handler) { m_doubleClick = std::move(handler); }

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
    std::function<void(QKeyEvent*)> m_key;
    std::function<void()> m_doubleClick;
};
