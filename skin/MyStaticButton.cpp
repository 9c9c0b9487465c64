#include "MyStaticButton.h"

#include "ColourConvert.h"
#include "QtText.h"
#include "SkinFont.h"

CMyStaticButton::CMyStaticButton(QWidget* pParent) : QLabel(pParent), m_crText(Rgb(255, 255, 255))
{
    setTextFormat(Qt::PlainText);
    setAutoFillBackground(false);
    setAttribute(Qt::WA_TranslucentBackground);
    setFont(MakeSkinFont("Arial", -13, 400));
    SetTextColour(m_crText);
}

void CMyStaticButton::SetWindowText(const CMyString& strText)
{
    setText(ToQString(strText));
}

CMyString CMyStaticButton::GetWindowText() const
{
    return FromQString(text());
}

void CMyStaticButton::SetTextColour(COLORREF crText)
{
    m_crText = crText;
    QPalette palette = this->palette();
    palette.setColor(QPalette::WindowText, ToQColor(crText));
    setPalette(palette);
}
