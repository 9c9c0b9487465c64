// The vertical volume slider of the main window: a picture button that draws a
// track picture with a knob picture over it. Dragging the knob posts each new
// value (0 at the bottom to 100 at the top) to the parent as
// "Kestova_MESSAGE_FOR_MAIN_FRAME" code 1068, and the end of a drag stores the
// value as the "Volume" setting. A press alone does not move the knob.
// Widgets are not copyable.
#pragma once

#include "MyOwnButton.h"
#include "SliderScale.h"

class CMySlider : public CMyOwnButton
{
public:
    explicit CMySlider(QWidget* pParent = nullptr);

    // As for a button; the height of rect fixes the track's scale.
    bool Create(const CMyString& strText, const QRect& rect, QWidget* pParent, int nId) override;
    // The track picture for all three states and the knob picture; the third
    // path is ignored.
    void SetImages(CMyString strBackground, CMyString strKnob, CMyString strUnused) override;

    // Puts the knob at the value (0 to 100); no repaint, no notification.
    void SetValue(int nValue);
    int GetValue() const;
    // Stores GetValue as the "Volume" setting; the store's result (0: stored).
    int SaveValue();

    int GetKnobPosition() const { return m_nKnobPosition; }
    bool IsDragging() const { return m_bDragging; }
    const CSliderScale& GetScale() const { return m_scale; }

protected:
    void mousePressEvent(QMouseEvent* pEvent) override;
    void mouseMoveEvent(QMouseEvent* pEvent) override;
    void mouseReleaseEvent(QMouseEvent* pEvent) override;
    void mouseDoubleClickEvent(QMouseEvent* pEvent) override;
    bool DrawPictureComposed(QPainter& painter, const QRect& item, const CDrawState& state,
                             int& nRight) override;

private:
    void EndDrag();
    void MoveKnob(int nPosition);

    CMyString m_strKnob;
    int m_nKnobPosition = CSliderScale::kTop;
    bool m_bDragging = false;
    CSliderScale m_scale;
    QPointer<QObject> m_pParent;
};
