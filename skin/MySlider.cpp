#include "MySlider.h"

#include "Messages.h"
#include "Picture.h"
#include "PicturePath.h"
#include "Settings.h"
#include "SkinMessages.h"

#include <QImage>
#include <QMouseEvent>
#include <QPainter>

CMySlider::CMySlider(QWidget* pParent) : CMyOwnButton(pParent) {}

bool CMySlider::Create(const CMyString& strText, const QRect& rect, QWidget* pParent, int nId)
{
    if (!CMyOwnButton::Create(strText, rect, pParent, nId))
        return false;
    m_scale.SetHeight(rect.height());
    m_pParent = pParent;
    return true;
}

void CMySlider::SetImages(CMyString strBackground, CMyString strKnob, CMyString)
{
    CMyOwnButton::SetImages(strBackground, strBackground, strBackground);
    m_strKnob = ResolvePicturePath(strKnob);
}

void CMySlider::SetValue(int nValue)
{
    m_nKnobPosition = m_scale.PositionOf(nValue);
}

int CMySlider::GetValue() const
{
    return m_scale.ValueAt(m_nKnobPosition);
}

int CMySlider::SaveValue()
{
    return Settings().SetVolume(GetValue());
}

void CMySlider::mousePressEvent(QMouseEvent* pEvent)
{
    if (pEvent->button() != Qt::LeftButton || m_bDragging)
        return;
    m_bDragging = true;
    update();
}

void CMySlider::mouseMoveEvent(QMouseEvent* pEvent)
{
    if (m_bDragging) {
        if (pEvent->buttons() == Qt::NoButton && pEvent->modifiers() == Qt::NoModifier)
            EndDrag();
        else
            MoveKnob(m_scale.PositionForCursor(static_cast<int>(pEvent->position().y())));
    }
    CMyOwnButton::mouseMoveEvent(pEvent);
}

void CMySlider::mouseReleaseEvent(QMouseEvent* pEvent)
{
    if (pEvent->button() == Qt::LeftButton)
        EndDrag();
}

void CMySlider::mouseDoubleClickEvent(QMouseEvent* pEvent)
{
    pEvent->accept();
}

void CMySlider::EndDrag()
{
    if (!m_bDragging)
        return;
    m_bDragging = false;
    SaveValue();
    update();
}

void CMySlider::MoveKnob(int nPosition)
{
    if (nPosition == m_nKnobPosition)
        return;
    m_nKnobPosition = nPosition;
    update();
    static const unsigned s_uMessage = RegisterWindowMessage(kMainFrameMessage);
    if (m_pParent)
        PostMessage(m_pParent, s_uMessage, kVolumeChangedCode, GetValue());
}

bool CMySlider::DrawPictureComposed(QPainter& painter, const QRect& item, const CDrawState& state,
                                    int& nRight)
{
    // Track and knob are composed off screen over a transparent start, so the
    // parent's painting shows through both, and land in one step.
    const qreal dRatio = devicePixelRatioF();
    QImage buffer(item.size() * dRatio, QImage::Format_ARGB32_Premultiplied);
    buffer.setDevicePixelRatio(dRatio);
    buffer.fill(Qt::transparent);
    QPainter bufferPainter(&buffer);
    const QRect local(QPoint(0, 0), item.size());
    RenderPictureFile(bufferPainter, SelectedPicture(state), local, 0, nRight);
    if (!m_strKnob.IsEmpty()) {
        CPicture knob;
        knob.Load(m_strKnob);
        int nWidth = 0;
        int nHeight = 0;
        if (knob.GetSize(nWidth, nHeight)) {
            const QRect knobRect(local.width() - nWidth, m_nKnobPosition - nHeight, nWidth, nHeight);
            knob.Render(bufferPainter, knobRect, true);
        }
    }
    bufferPainter.end();
    painter.drawImage(item.topLeft(), buffer);
    nRight = item.left() + item.width();
    return true;
}
