#include "OpenGLSharing.h"

#include <QCoreApplication>

bool ShareOpenGLContexts()
{
    if (QCoreApplication::instance() == nullptr)
        QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    return true;
}

bool AreOpenGLContextsShared()
{
    return QCoreApplication::testAttribute(Qt::AA_ShareOpenGLContexts);
}
