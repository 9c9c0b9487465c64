#include "OpenGLSharing.h"

#include <QCoreApplication>
#include <QOpenGLContext>

// Qt's own setter of the share context, exported by Qt GUI but declared only
// in its private headers.
Q_GUI_EXPORT void qt_gl_set_global_share_context(QOpenGLContext* pContext);

bool ShareOpenGLContexts()
{
    if (QOpenGLContext::globalShareContext() != nullptr)
        return true;
    auto* pContext = new QOpenGLContext(qApp);
    if (!pContext->create()) {
        delete pContext;
        return false;
    }
    qt_gl_set_global_share_context(pContext);
    return true;
}

bool AreOpenGLContextsShared()
{
    return QOpenGLContext::globalShareContext() != nullptr;
}
