#include "EmbeddedKeyboard.h"

#include <QGuiApplication>
#include <QWidget>
#include <QWindow>
#include <cstdlib>
#include <xcb/xcb.h>

namespace {

xcb_connection_t* X11Connection()
{
    auto* pX11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return pX11 != nullptr ? pX11->connection() : nullptr;
}

// A focus event sent only because the pointer is over the window says
// nothing about where the keys go.
bool MovesFocus(uint8_t uDetail)
{
    return uDetail != XCB_NOTIFY_DETAIL_POINTER && uDetail != XCB_NOTIFY_DETAIL_POINTER_ROOT &&
           uDetail != XCB_NOTIFY_DETAIL_NONE;
}

} // namespace

CEmbeddedKeyboard::CEmbeddedKeyboard(QWidget& widget) : QObject(&widget), m_widget(widget)
{
    if (X11Connection() == nullptr)
        return;
    Listen(false);
    qApp->installEventFilter(this);
    qApp->installNativeEventFilter(this);
}

CEmbeddedKeyboard::~CEmbeddedKeyboard()
{
    if (qApp != nullptr)
        qApp->removeNativeEventFilter(this);
}

bool CEmbeddedKeyboard::nativeEventFilter(const QByteArray& eventType, void* pMessage, qintptr*)
{
    if (eventType != "xcb_generic_event_t")
        return false;
    const auto* pEvent = static_cast<const xcb_generic_event_t*>(pMessage);
    const uint8_t uType = pEvent->response_type & 0x7f;
    if (uType != XCB_FOCUS_IN && uType != XCB_FOCUS_OUT)
        return false;
    const auto* pFocus = static_cast<const xcb_focus_in_event_t*>(pMessage);
    if (pFocus->event == static_cast<xcb_window_t>(m_widget.winId()) && MovesFocus(pFocus->detail))
        Listen(uType == XCB_FOCUS_IN);
    return false;
}

bool CEmbeddedKeyboard::eventFilter(QObject* pWatched, QEvent* pEvent)
{
    if (pEvent->type() == QEvent::MouseButtonPress && pWatched->isWindowType() && !m_bFocused)
        TakeFocus();
    return QObject::eventFilter(pWatched, pEvent);
}

void CEmbeddedKeyboard::Listen(bool bKeys)
{
    m_bFocused = bKeys;
    xcb_connection_t* pConnection = X11Connection();
    const auto window = static_cast<xcb_window_t>(m_widget.winId());
    xcb_get_window_attributes_reply_t* pReply =
        xcb_get_window_attributes_reply(pConnection, xcb_get_window_attributes(pConnection, window), nullptr);
    if (pReply == nullptr)
        return;
    const uint32_t keys = XCB_EVENT_MASK_KEY_PRESS | XCB_EVENT_MASK_KEY_RELEASE;
    const uint32_t mask = bKeys ? (pReply->your_event_mask | keys) : (pReply->your_event_mask & ~keys);
    std::free(pReply);
    xcb_change_window_attributes(pConnection, window, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(pConnection);
}

void CEmbeddedKeyboard::TakeFocus()
{
    xcb_connection_t* pConnection = X11Connection();
    Listen(true);
    xcb_set_input_focus(pConnection, XCB_INPUT_FOCUS_PARENT, static_cast<xcb_window_t>(m_widget.winId()),
                        XCB_CURRENT_TIME);
    xcb_flush(pConnection);
}
