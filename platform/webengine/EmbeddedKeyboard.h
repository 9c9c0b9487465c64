// CEmbeddedKeyboard: keeps the keyboard where the user last clicked, for a
// window that another program's window holds. X sends a key to the window
// under the pointer whenever the focus is on one of its ancestors, so an
// embedded window that listened for keys all the time would take the keys
// typed into the program's search box while the pointer rests on the page.
// The window therefore listens for keys only while it has the X input focus,
// and takes that focus itself when clicked (a window manager does not give
// focus to a window it does not manage). Qt's own idea of the focused window
// does not tell: the web engine's offscreen window takes it. Does nothing off
// X11. Not copyable.
#pragma once

#include <QAbstractNativeEventFilter>
#include <QObject>

class QWidget;

class CEmbeddedKeyboard : public QObject, public QAbstractNativeEventFilter
{
public:
    // Watches the widget's native window, which must exist.
    explicit CEmbeddedKeyboard(QWidget& widget);
    ~CEmbeddedKeyboard() override;

    bool nativeEventFilter(const QByteArray& eventType, void* pMessage, qintptr* pResult) override;

protected:
    bool eventFilter(QObject* pWatched, QEvent* pEvent) override;

private:
    void Listen(bool bKeys);
    void TakeFocus();

    QWidget& m_widget;
    bool m_bFocused = false;
};
