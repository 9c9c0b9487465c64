// The small top-most window shown while the main window loads: the line
// "Please Wait While Loading Kestova..." centred on the skin's dialog gradient,
// in the skin's dialog text colour. Shown modelessly; the owner closes it.
// Widgets are not copyable.
#pragma once

#include "Colour.h"
#include "MyString.h"

#include <QDialog>
#include <QFont>

class CSplashDlg : public QDialog
{
public:
    explicit CSplashDlg(QWidget* pParent = nullptr);

    static CMyString GetLine();
    // Shows the window and paints it before returning (waiting at most a
    // moment for the display), so that the user never sees it unpainted
    // while the program goes on loading.
    void ShowPainted();
    bool IsPainted() const { return m_bPainted; }
    // Where the line is drawn in the client area.
    QRect GetTextRect() const;

protected:
    void paintEvent(QPaintEvent* pEvent) override;
    void showEvent(QShowEvent* pEvent) override;

private:
    COLORREF m_crGradientTop;
    COLORREF m_crGradientBottom;
    COLORREF m_crText;
    QFont m_font;
    bool m_bPainted = false;
};
