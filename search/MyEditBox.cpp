#include "MyEditBox.h"

#include "Messages.h"
#include "QtText.h"
#include "SearchMessages.h"

#include <QKeyEvent>

CMyEditBox::CMyEditBox(QWidget* pParent) : QLineEdit(pParent) {}

CMyString CMyEditBox::GetWindowText() const
{
    return FromQString(text());
}

void CMyEditBox::SetWindowText(const CMyString& strText)
{
    setText(ToQString(strText));
}

void CMyEditBox::keyPressEvent(QKeyEvent* pEvent)
{
    QLineEdit::keyPressEvent(pEvent);
    if (pEvent->key() != Qt::Key_Return && pEvent->key() != Qt::Key_Enter)
        return;
    pEvent->accept();
    if (IsWindow(m_pNotifyWindow)) {
        static const unsigned s_uMessage = RegisterWindowMessage(kEditBoxReturnMessage);
        SendMessage(m_pNotifyWindow, s_uMessage, 0, 0);
    }
}
