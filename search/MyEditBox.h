// CMyEditBox: the search bar's edit box. It keeps every key typed into it from
// travelling on to the windows behind it (where the main frame would hand it,
// and the keyboard, to the station tree). When Enter goes down in it, after the
// box has handled the key, it sends "QV m_WM_EDIT_BOX_VK_RETURN" to its notify
// window. Widgets are not copyable.
#pragma once

#include "MyString.h"

#include <QLineEdit>
#include <QPointer>

class CMyEditBox : public QLineEdit
{
public:
    explicit CMyEditBox(QWidget* pParent = nullptr);

    void SetNotifyWindow(QObject* pWindow) { m_pNotifyWindow = pWindow; }
    QObject* GetNotifyWindow() const { return m_pNotifyWindow.data(); }
    CMyString GetWindowText() const;
    void SetWindowText(const CMyString& strText);

protected:
    void keyPressEvent(QKeyEvent* pEvent) override;

private:
    QPointer<QObject> m_pNotifyWindow;
};
