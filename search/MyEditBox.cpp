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

// Every key typed here stays here, also the ones the box has no use for (a lone
// Shift or Ctrl, Up, Down): the main frame hands the keys that reach it, and the
// keyboard, to the station tree, and typing would then go on in the tree.
void CMyEditBox::keyPressEvent(QKeyEvent* pEvent)
{
    QLineEdit::keyPressEvent(pEvent);
    pEvent->accept();
    if (pEvent->key() != Qt::Key_Return && pEvent->key() != Qt::Key_Enter)
        return;
    if (IsWindow(m_pNotifyWindow)) {
        static const unsigned s_uMessage = RegisterWindowMessage(kEditBoxReturnMessage);
        SendMessage(m_pNotifyWindow, s_uMessage, 0, 0);
    }
}
