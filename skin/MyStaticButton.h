// The program's static text (the window title of the search bar): a label with
// a transparent background, "Arial" and white text unless its owner sets
// others. It adds no behaviour. Widgets are not copyable.
#pragma once

#include "Colour.h"
#include "MyString.h"

#include <QLabel>

class CMyStaticButton : public QLabel
{
public:
    explicit CMyStaticButton(QWidget* pParent = nullptr);

    void SetWindowText(const CMyString& strText);
    CMyString GetWindowText() const;
    void SetTextColour(COLORREF crText);
    COLORREF GetTextColour() const { return m_crText; }

private:
    COLORREF m_crText;
};
