// The program's push button: a widget that paints itself in one of the styles
// of CButtonStyle. A picture button (style 12) shows its normal, hover or
// pressed picture over whatever its parent painted beneath it; a framed button
// (styles 2 and 6) draws a vertical gradient in a frame, an optional picture
// and a centred caption, and style 6 adds a drop-down arrow part on its right.
// The mouse alone presses it: it takes no keyboard focus and ignores keys, and
// it never draws a focus rectangle. A press can be reported synchronously to a
// notify window with "QV WM_BUTTON_TWO_STATE_CLICKED" (wParam = the button);
// the click (QAbstractButton::clicked, with the button's id) still follows on
// release. Pictures are decoded from their files at every paint. Widgets are
// not copyable.
#pragma once

#include "ButtonColours.h"
#include "ButtonPictures.h"
#include "ButtonStyle.h"
#include "Colour.h"
#include "MyString.h"

#include <QAbstractButton>
#include <QPointer>

class CMyOwnButton : public QAbstractButton
{
public:
    explicit CMyOwnButton(QWidget* pParent = nullptr);
    ~CMyOwnButton() override;

    // Makes the button a visible child of pParent at rect, with its caption and
    // command id. False without a parent.
    virtual bool Create(const CMyString& strText, const QRect& rect, QWidget* pParent, int nId);
    int GetDlgCtrlID() const { return m_nId; }
    void SetDlgCtrlID(int nId) { m_nId = nId; }
    void SetWindowText(const CMyString& strText);
    CMyString GetWindowText() const;

    // The three pictures; an empty hover or pressed path takes the normal one.
    virtual void SetImages(CMyString strNormal, CMyString strHover, CMyString strPressed);
    const CButtonPictures& GetImages() const { return m_pictures; }
    // Sets the style (values above 12 are ignored) and repaints.
    void SetType(int nStyle);
    int GetType() const { return m_style.GetType(); }
    CButtonStyle& Style() { return m_style; }
    // Copies both gradients, the caption colour and the shadow text setting.
    void SetColors(const CButtonColours& colours);
    // For split buttons: forgets a press on the arrow part and repaints.
    void ResetArrowState();

    void SetNotify(bool bNotify) { m_bNotify = bNotify; }
    void SetNotifyWindow(QObject* pWindow) { m_pNotifyWindow = pWindow; }
    // On: nothing is painted beneath the button, so the parent shows through.
    void SetBitmapBackground(bool bOn) { m_bBitmapBackground = bOn; }
    void SetGradient(bool bOn) { m_bGradient = bOn; }
    // Non-zero draws the gradient upside down (the notice buttons blink so).
    void SetGradientInversion(int nInversion) { m_nGradientInversion = nInversion; }

    bool IsHovered() const { return m_bHovered; }
    bool IsArrowPressed() const { return m_bArrowPressed; }
    bool IsNotifying() const { return m_bNotify; }
    bool HasGradient() const { return m_bGradient; }
    int GetGradientInversion() const { return m_nGradientInversion; }

protected:
    struct CDrawState
    {
        bool bSelected = false;
        bool bDisabled = false;
    };

    void paintEvent(QPaintEvent* pEvent) override;
    void mousePressEvent(QMouseEvent* pEvent) override;
    void mouseReleaseEvent(QMouseEvent* pEvent) override;
    void mouseMoveEvent(QMouseEvent* pEvent) override;
    void leaveEvent(QEvent* pEvent) override;
    void keyPressEvent(QKeyEvent* pEvent) override;
    void keyReleaseEvent(QKeyEvent* pEvent) override;

    // The whole button: background and frame, picture, arrow and caption.
    virtual void DrawItem(QPainter& painter, const QRect& item, const CDrawState& state);
    // The picture of a picture button (style 12) composed off screen; other
    // styles draw it directly. nRight is the picture's right edge (0: none).
    virtual bool DrawPictureComposed(QPainter& painter, const QRect& item, const CDrawState& state,
                                     int& nRight);
    virtual bool DrawPicture(QPainter& painter, const QRect& item, const CDrawState& state, int& nRight);
    // Draws the file's picture at item's top-left plus nMargin, scaled down to
    // the item's height when taller; nRight is its right edge.
    static bool RenderPictureFile(QPainter& painter, const CMyString& strPath, const QRect& item, int nMargin,
                                  int& nRight);
    const CMyString& SelectedPicture(const CDrawState& state) const;

private:
    void DrawBackgroundAndFrame(QPainter& painter, const QRect& item, const CDrawState& state);
    void DrawGradientFace(QPainter& painter, const QRect& item, const CDrawState& state);
    void DrawArrow(QPainter& painter, const QRect& item);
    void DrawCaption(QPainter& painter, const QRect& item, const CDrawState& state, int nPictureRight);
    void DrawCheckMark(QPainter& painter, const QRect& item);
    void NotifyPress();

    int m_nId = 0;
    bool m_bNotify = false;
    bool m_bBitmapBackground = false;
    QPointer<QObject> m_pNotifyWindow;
    CButtonStyle m_style;
    CButtonPictures m_pictures;
    COLORREF m_crText;
    COLORREF m_crText2 = 0;
    COLORREF m_crNormalTop;
    COLORREF m_crHoverTop;
    COLORREF m_crNormalBottom;
    COLORREF m_crHoverBottom;
    bool m_bDoubleText = false;
    bool m_bHovered = false;
    bool m_bArrowPressed = false;
    bool m_bGradient = false;
    int m_nGradientInversion = 0;
};
