#include "VideoSurface.h"

#include "MediaLogging.h"
#include "MpvEngine.h"
#include "OpenGLSharing.h"

#include <QKeyEvent>
#include <QOpenGLContext>
#include <mpv/render_gl.h>

namespace {

// So that moving to the full-screen window and back keeps the context.
const bool s_bContextsShared = ShareOpenGLContexts();

} // namespace

CVideoSurface::CVideoSurface(CMpvEngine& engine, QWidget* pParent) : QOpenGLWidget(pParent), m_engine(engine)
{
    Q_UNUSED(s_bContextsShared);
    setContextMenuPolicy(Qt::NoContextMenu);
}

CVideoSurface::~CVideoSurface()
{
    // The base class destroys the context after this object is gone: its
    // handler must not run on what is left of it.
    disconnect(m_contextGone);
    // The engine must not draw into a context that is about to go.
    makeCurrent();
    FreeRenderContext();
    doneCurrent();
}

void* CVideoSurface::GetProcAddress(void*, const char* pName)
{
    QOpenGLContext* pContext = QOpenGLContext::currentContext();
    return pContext == nullptr ? nullptr : reinterpret_cast<void*>(pContext->getProcAddress(pName));
}

void CVideoSurface::OnUpdate(void* pContext)
{
    // Called on one of the engine's threads: only queue a repaint.
    auto* pSurface = static_cast<CVideoSurface*>(pContext);
    QMetaObject::invokeMethod(
        pSurface, [pSurface] { pSurface->update(); }, Qt::QueuedConnection);
}

void CVideoSurface::initializeGL()
{
    FreeRenderContext();
    if (m_engine.GetHandle() == nullptr)
        return;
    mpv_opengl_init_params glParams{&CVideoSurface::GetProcAddress, nullptr};
    mpv_render_param params[] = {
        {MPV_RENDER_PARAM_API_TYPE, const_cast<char*>(MPV_RENDER_API_TYPE_OPENGL)},
        {MPV_RENDER_PARAM_OPENGL_INIT_PARAMS, &glParams},
        {MPV_RENDER_PARAM_INVALID, nullptr},
    };
    if (mpv_render_context_create(&m_pRender, m_engine.GetHandle(), params) < 0) {
        qCWarning(lcMedia) << "video cannot be drawn in this window";
        m_pRender = nullptr;
        return;
    }
    mpv_render_context_set_update_callback(m_pRender, &CVideoSurface::OnUpdate, this);
    // Should the context go while the surface lives, the engine lets go of
    // it first, and starts its video again on the next one.
    disconnect(m_contextGone);
    m_contextGone = connect(context(), &QOpenGLContext::aboutToBeDestroyed, this, [this] {
        makeCurrent();
        FreeRenderContext();
        doneCurrent();
    });
    m_engine.ReloadVideo();
}

void CVideoSurface::paintGL()
{
    if (m_pRender == nullptr)
        return;
    const qreal dRatio = devicePixelRatioF();
    mpv_opengl_fbo fbo{static_cast<int>(defaultFramebufferObject()), static_cast<int>(width() * dRatio),
                       static_cast<int>(height() * dRatio), 0};
    // The engine draws with the origin at the bottom left, as OpenGL counts;
    // the widget's framebuffer reaches the screen with row 0 at the top.
    int nFlipY = 1;
    mpv_render_param params[] = {
        {MPV_RENDER_PARAM_OPENGL_FBO, &fbo},
        {MPV_RENDER_PARAM_FLIP_Y, &nFlipY},
        {MPV_RENDER_PARAM_INVALID, nullptr},
    };
    mpv_render_context_render(m_pRender, params);
}

void CVideoSurface::FreeRenderContext()
{
    if (m_pRender != nullptr) {
        mpv_render_context_free(m_pRender);
        m_pRender = nullptr;
    }
}

void CVideoSurface::keyPressEvent(QKeyEvent* pEvent)
{
    // Only the full-screen window, which is the surface itself, leaves on Esc.
    if (pEvent->key() == Qt::Key_Escape && isWindow() && m_leave) {
        m_leave();
        return;
    }
    QOpenGLWidget::keyPressEvent(pEvent);
}

void CVideoSurface::mouseDoubleClickEvent(QMouseEvent* pEvent)
{
    if (isWindow() && m_leave) {
        m_leave();
        return;
    }
    QOpenGLWidget::mouseDoubleClickEvent(pEvent);
}
