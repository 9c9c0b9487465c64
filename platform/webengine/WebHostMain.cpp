// kestova-web: the program's web host (WebHost.h). It is started by the
// program, never by hand: kestova-web <window id> <width> <height>.
#include "WebHost.h"

#include <QApplication>
#include <QGuiApplication>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <sys/prctl.h>
#include <xcb/xcb.h>

namespace {

// A page given a window that is gone would show as a window of its own.
bool WindowExists(quintptr uWindow)
{
    auto* pX11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (pX11 == nullptr)
        return false;
    xcb_connection_t* pConnection = pX11->connection();
    xcb_get_geometry_reply_t* pReply = xcb_get_geometry_reply(
        pConnection, xcb_get_geometry(pConnection, static_cast<xcb_window_t>(uWindow)), nullptr);
    std::free(pReply);
    return pReply != nullptr;
}

} // namespace

int main(int argc, char* argv[])
{
    // Should the program die without closing our input, we go with it.
    ::prctl(PR_SET_PDEATHSIG, SIGTERM);
    std::signal(SIGPIPE, SIG_IGN);
    if (argc != 4) {
        std::fputs("kestova-web is started by kestova: kestova-web <window id> <width> <height>\n", stderr);
        return 2;
    }
    // The web engine draws with OpenGL contexts that share with this one.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    // The page's window is made for OpenGL from the start: otherwise Qt makes
    // it again when the engine's first page arrives, as a window of its own
    // outside the program's.
    qputenv("QT_WIDGETS_RHI", "1");
    qputenv("QT_WIDGETS_RHI_BACKEND", "opengl");
    QApplication app(argc, argv);
    bool bOk = false;
    const quintptr uWindow = QByteArray(argv[1]).toULongLong(&bOk);
    if (!bOk || !WindowExists(uWindow)) {
        std::fputs("kestova-web: no X11 window with that id\n", stderr);
        return 2;
    }
    CWebHost host(uWindow, QByteArray(argv[2]).toInt(), QByteArray(argv[3]).toInt());
    return app.exec();
}
