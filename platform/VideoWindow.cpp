#include "VideoWindow.h"

#include "MediaLogging.h"
#include "MpvEngine.h"

#include <QKeyEvent>
#include <QOpenGLContext>
#include <mpv/render_gl.h>

CVideoWindow::CVideoWindow(CMpvEngine& engine)
    : QOpenGLWindow(QOpenGLWindow::NoPartialUpdate), m_engine(engine)
{
}

CVideoWindow::~CVideoWindow()
{
    // The engine must not draw into a context that is about to go.
    if (m_pRender != nullptr && context() != nullptr) {
        makeCurrent();
        FreeRenderContext();
        doneCurrent();
    }
    FreeRenderContext();
}

void* CVideoWindow::GetProcAddress(void*, const char* pName)
{
    QOpenGLContext* pContext = QOpenGLContext::currentContext();
    return pContext == nullptr ? nullptr : reinterpret_cast<void*>(pContext->getProcAddress(pName));
}

void CVideoWindow::OnUpdate(void* pContext)
{
    // Called on one of the engine's threads: only queue a repaint.
    auto* pWindow = static_cast<CVideoWindow*>(pContext);
    QMetaObject::invokeMethod(
        pWindow, [pWindow] { pWindow->update(); }, Qt::QueuedConnection);
}

void CVideoWindow::initializeGL()
{
    FreeRenderContext();
    if (m_engine.GetHandle() == nullptr)
        return;
    mpv_opengl_init_params glParams{&CVideoWindow::GetProcAddress, nullptr};
    mpv_render_param params[] = {
        {MPV_RENDER_PARAM_API_TYPE, const_cast<char*>(MPV_RENDER_API_TYPE_OPENGL)},
        {MPV_RENDER_PARAM_OPENGL_INIT_PARAMS, &glParams},
        {MPV_RENDER_PARAM_INVALID, nullptr},
    };
    if (mpv_render_context_create(&m_pRender, m_engine.GetHandle(), params) < 0) {
        qCWarning(lcMedia) << "video cannot be drawn in this window";
        m_pRender = nullptr;
    } else {
        mpv_render_context_set_update_callback(m_pRender, &CVideoWindow::OnUpdate, this);
    }
    // A load that waited for this surface goes on, with or without it.
    m_engine.ReloadVideo();
}

void CVideoWindow::paintGL()
{
    if (m_pRender == nullptr)
        return;
    const qreal dRatio = devicePixelRatio();
    mpv_opengl_fbo fbo{static_cast<int>(defaultFramebufferObject()), static_cast<int>(width() * dRatio),
                       static_cast<int>(height() * dRatio), 0};
    // The engine draws with the origin at the bottom left, as OpenGL counts;
    // the window reaches the screen with row 0 at the top.
    int nFlipY = 1;
    mpv_render_param params[] = {
        {MPV_RENDER_PARAM_OPENGL_FBO, &fbo},
        {MPV_RENDER_PARAM_FLIP_Y, &nFlipY},
        {MPV_RENDER_PARAM_INVALID, nullptr},
    };
    mpv_render_context_render(m_pRender, params);
}

void CVideoWindow::FreeRenderContext()
{
    if (m_pRender != nullptr) {
        mpv_render_context_free(m_pRender);
        m_pRender = nullptr;
    }
}

void CVideoWindow::keyPressEvent(QKeyEvent* pEvent)
{
    if (m_key)
        m_key(pEvent);
    else
        QOpenGLWindow::keyPressEvent(pEvent);
}

void CVideoWindow::mouseDoubleClickEvent(QMouseEvent* pEvent)
{
    if (m_doubleClick)
        m_doubleClick();
    QOpenGLWindow::mouseDoubleClickEvent(pEvent);
}
