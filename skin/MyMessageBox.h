// The program's message box: a modal dialog captioned "Kestova" on the skin's
// dialog gradient, sized to its text, with owner-drawn buttons by type (0: OK;
// 1: OK and Cancel; 4: Yes and No). DoModal returns the button pressed: 1 OK,
// 2 Cancel, 6 Yes, 7 No; closing the box any other way (the window manager's
// close, Escape) gives 2. Return presses OK when OK is shown. The text is
// shown as plain text, never as markup. Widgets are not copyable.
#pragma once

#include "Colour.h"
#include "MyOwnButton.h"
#include "MyString.h"

#include <QDialog>
#include <QLabel>

class CMyMessageBox : public QDialog
{
public:
    static constexpr int kMessageControlId = 1006;

    CMyMessageBox(const CMyString& strText, unsigned uType, QWidget* pParent = nullptr);
    ~CMyMessageBox() override;

    // Runs the box modally; the id of the button that ended it.
    int DoModal();
    // Shows a box of the type with the text, without a parent; the button pressed.
    static int Show(const CMyString& strText, unsigned uType);
    // The button with that id (1, 2, 6 or 7), or null.
    CMyOwnButton* GetButton(int nId);
    const QLabel& GetMessageControl() const { return m_message; }

    void reject() override;

protected:
    void paintEvent(QPaintEvent* pEvent) override;
    void keyPressEvent(QKeyEvent* pEvent) override;
    void showEvent(QShowEvent* pEvent) override;

private:
    void SetUpButton(CMyOwnButton& button, const char* pCaption, int nId, const QRect& templateRect);
    void InitDialog();
    QSize MeasureText() const;

    CMyString m_strText;
    unsigned m_uType;
    COLORREF m_crGradientTop;
    COLORREF m_crGradientBottom;
    COLORREF m_crText;
    CMyOwnButton m_btnCancel;
    CMyOwnButton m_btnOk;
    CMyOwnButton m_btnYes;
    CMyOwnButton m_btnNo;
    QLabel m_message;
};
