#include "MyOwnButton.h"

#include "ButtonGeometry.h"
#include "ColourConvert.h"
#include "Messages.h"
#include "Picture.h"
#include "QtText.h"
#include "SkinDraw.h"
#include "SkinFont.h"
#include "SkinMessages.h"
#include "SystemColour.h"

#include <QFontMetrics>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <utility>

namespace {

constexpr COLORREF kWhite = Rgb(255, 255, 255);
constexpr COLORREF kOrange = Rgb(255, 160, 0);
constexpr int kPictureMargin = 2;
constexpr int kArrowPartWidth = 14;

unsigned TwoStateClickedMessage()
{
    static const unsigned s_uMessage = RegisterWindowMessage(kButtonTwoStateClickedMessage);
    return s_uMessage;
}

bool IsDark(COLORREF cr)
{
    return GetRValue(cr) * 299 + GetGValue(cr) * 587 + GetBValue(cr) * 114 < 128000;
}

} // namespace

CMyOwnButton::CMyOwnButton(QWidget* pParent)
    : QAbstractButton(pParent), m_crText(GetSysColor(COLOR_BTNTEXT)), m_crNormalTop(kWhite),
      m_crHoverTop(kWhite), m_crNormalBottom(kOrange), m_crHoverBottom(kOrange)
{
    setFocusPolicy(Qt::NoFocus);
    setMouseTracking(true);
    setCursor(Qt::ArrowCursor);
    setFont(MakeSkinFont("Arial", -12, 400));
}

CMyOwnButton::~CMyOwnButton() = default;

bool CMyOwnButton::Create(const CMyString& strText, const QRect& rect, QWidget* pParent, int nId)
{
    if (pParent == nullptr)
        return false;
    setParent(pParent);
    setGeometry(rect);
    SetWindowText(strText);
    m_nId = nId;
    show();
    return true;
}

void CMyOwnButton::SetWindowText(const CMyString& strText)
{
    setText(ToQString(strText));
}

CMyString CMyOwnButton::GetWindowText() const
{
    return FromQString(text());
}

void CMyOwnButton::SetImages(CMyString strNormal, CMyString strHover, CMyString strPressed)
{
    m_pictures.Set(strNormal, strHover, strPressed);
}

void CMyOwnButton::SetType(int nStyle)
{
    if (m_style.SetType(nStyle))
        update();
}

void CMyOwnButton::SetColors(const CButtonColours& colours)
{
    m_crNormalTop = colours.crNormalTop;
    m_crNormalBottom = colours.crNormalBottom;
    m_crHoverTop = colours.crHoverTop;
    m_crHoverBottom = colours.crHoverBottom;
    m_bDoubleText = colours.uDoubleText != 0;
    m_crText = colours.crText;
    m_crText2 = colours.crText2;
}

void CMyOwnButton::ResetArrowState()
{
    if (!m_style.IsSplit())
        return;
    m_bArrowPressed = false;
    update();
}

void CMyOwnButton::mousePressEvent(QMouseEvent* pEvent)
{
    const bool bLeft = pEvent->button() == Qt::LeftButton;
    if (bLeft)
        m_bArrowPressed = m_style.IsSplit() && InArrowPart(width(), pEvent->position().toPoint().x());
    QAbstractButton::mousePressEvent(pEvent);
    if (bLeft)
        NotifyPress(); // last: the receiver may run a modal loop or even delete this button
}

void CMyOwnButton::NotifyPress()
{
    if (!m_bNotify || !IsWindow(m_pNotifyWindow))
        return;
    if (m_bArrowPressed || m_style.GetType() == 12)
        SendMessage(m_pNotifyWindow, TwoStateClickedMessage(), reinterpret_cast<uintptr_t>(this), 0);
}

void CMyOwnButton::mouseReleaseEvent(QMouseEvent* pEvent)
{
    const bool bInside = rect().contains(pEvent->position().toPoint());
    if (pEvent->button() == Qt::LeftButton && isDown() && bInside && m_style.KeepsChecked())
        m_style.SetChecked(m_style.IsRadio() || !m_style.IsChecked());
    QAbstractButton::mouseReleaseEvent(pEvent);
    m_bArrowPressed = false;
    update();
}

void CMyOwnButton::mouseMoveEvent(QMouseEvent* pEvent)
{
    if (m_style.IsPictureStyle() && !m_bHovered) {
        m_bHovered = true;
        update();
    }
    // A modal window opened by the press handling took the release: the
    // button must not stay pressed once the mouse moves over it again.
    if (isDown() && !(pEvent->buttons() & Qt::LeftButton)) {
        setDown(false);
        m_bArrowPressed = false;
        update();
    }
    QAbstractButton::mouseMoveEvent(pEvent);
}

void CMyOwnButton::leaveEvent(QEvent* pEvent)
{
    m_bHovered = false;
    update();
    QAbstractButton::leaveEvent(pEvent);
}

void CMyOwnButton::keyPressEvent(QKeyEvent* pEvent)
{
    pEvent->accept();
}

void CMyOwnButton::keyReleaseEvent(QKeyEvent* pEvent)
{
    pEvent->accept();
}

void CMyOwnButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (!m_bBitmapBackground)
        painter.fillRect(rect(), ToQColor(GetSysColor(COLOR_BTNFACE)));
    CDrawState state;
    state.bSelected = isDown();
    state.bDisabled = !isEnabled();
    DrawItem(painter, rect(), state);
}

void CMyOwnButton::DrawItem(QPainter& painter, const QRect& item, const CDrawState& state)
{
    const int nStyle = m_style.GetType();
    if (nStyle != 9 && nStyle != 10 && nStyle != 12)
        DrawBackgroundAndFrame(painter, item, state);
    int nRight = 0;
    if (!m_pictures.GetNormal().IsEmpty())
        DrawPictureComposed(painter, item, state, nRight);
    if (nStyle == 12)
        return;
    if (m_style.IsCheckBox() || m_style.IsRadio()) {
        DrawCheckMark(painter, item);
        nRight = std::max(nRight, item.left() + 17);
    }
    if (m_style.IsDropDown() || m_style.IsSplit())
        DrawArrow(painter, item);
    DrawCaption(painter, item, state, nRight);
}

void CMyOwnButton::DrawBackgroundAndFrame(QPainter& painter, const QRect& item, const CDrawState& state)
{
    if (m_style.IsFrameless() || m_style.IsLinkLook())
        return;
    if (m_style.IsPictureStyle() && !m_bHovered && !m_bGradient && !m_bBitmapBackground)
        return;
    if (m_bHovered && !m_bGradient) {
        painter.fillRect(item, ToQColor(GetSysColor(m_style.IsChecked() ? COLOR_3DLIGHT : COLOR_BTNFACE)));
        const COLORREF crLight = GetSysColor(COLOR_BTNHIGHLIGHT);
        const COLORREF crShadow = GetSysColor(COLOR_BTNSHADOW);
        if (state.bSelected)
            DrawFlatRect(painter, item, crShadow, crLight);
        else
            DrawFlatRect(painter, item, crLight, crShadow);
    } else {
        DrawGradientFace(painter, item, state);
    }
    if (m_style.IsSplit() && m_bArrowPressed) {
        const QRect part(item.right() + 1 - kArrowPartWidth, item.top(), kArrowPartWidth, item.height() - 1);
        painter.fillRect(part.adjusted(1, 1, -1, -1), QColor(0, 0, 0, 60));
        CFrameState frame;
        frame.bChecked = true;
        DrawPushFrame(painter, part, m_bGradient ? m_crNormalBottom : GetSysColor(COLOR_BTNFACE), frame);
    }
}

void CMyOwnButton::DrawGradientFace(QPainter& painter, const QRect& item, const CDrawState& state)
{
    COLORREF crTop = m_bHovered ? m_crHoverTop : m_crNormalTop;
    COLORREF crBottom = m_bHovered ? m_crHoverBottom : m_crNormalBottom;
    if (m_nGradientInversion != 0)
        std::swap(crTop, crBottom);
    if (m_bGradient)
        FillGradient(painter, item.adjusted(1, 1, -1, -1), crTop, crBottom);
    CFrameState frame;
    frame.bPushed = state.bSelected && !m_style.IsSplit();
    frame.bChecked = m_style.IsChecked();
    frame.bDisabled = state.bDisabled;
    DrawPushFrame(painter, item, m_bGradient ? crBottom : GetSysColor(COLOR_BTNFACE), frame);
}

void CMyOwnButton::DrawArrow(QPainter& painter, const QRect& item)
{
    // The arrow takes the caption's colour, with a shadow that contrasts with
    // it, so that it reads on light and dark faces alike.
    const QColor shadow = IsDark(m_crText) ? QColor(255, 255, 255) : QColor(0, 0, 0);
    const QColor arrow = ToQColor(m_crText);
    const int nX = item.right() + 1 - 10;
    const int nY = item.bottom() + 1 - 8;
    for (int nShift : {-1, 0}) {
        for (int nRow = 0; nRow < 3; ++nRow)
            painter.fillRect(nX + nShift + nRow, nY + nRow, 5 - 2 * nRow, 1, nShift != 0 ? shadow : arrow);
    }
    if (m_style.IsSplit() && !m_bArrowPressed)
        DrawSunkenLine(painter, item.right() + 1 - 15, item.top() + 3, item.bottom() + 1 - 3);
}

void CMyOwnButton::DrawCheckMark(QPainter& painter, const QRect& item)
{
    const QRect box(item.left() + 2, item.top() + (item.height() - 13) / 2, 13, 13);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(ToQColor(GetSysColor(COLOR_BTNSHADOW)));
    painter.setBrush(ToQColor(GetSysColor(COLOR_WINDOW)));
    if (m_style.IsRadio())
        painter.drawEllipse(box.adjusted(0, 0, -1, -1));
    else
        painter.drawRect(box.adjusted(0, 0, -1, -1));
    if (m_style.IsChecked()) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(ToQColor(GetSysColor(COLOR_WINDOWTEXT)));
        if (m_style.IsRadio())
            painter.drawEllipse(box.adjusted(4, 4, -4, -4));
        else
            painter.drawRect(box.adjusted(3, 3, -3, -3));
    }
    painter.restore();
}

void CMyOwnButton::DrawCaption(QPainter& painter, const QRect& item, const CDrawState& state,
                               int nPictureRight)
{
    if (!m_style.m_bTextShown || text().isEmpty())
        return;
    QRect space =
        CaptionSpace(item, nPictureRight, m_style.m_bCentredText, m_style.IsDropDown(), m_style.IsSplit());
    if (space.isEmpty())
        return;
    painter.save();
    QFont captionFont = font();
    captionFont.setUnderline(m_style.IsLinkLook() && m_bHovered);
    painter.setFont(captionFont);
    const QFontMetrics metrics(captionFont);
    int nFlags = m_style.m_bCentredText ? Qt::AlignHCenter : Qt::AlignLeft;
    QString strText = text();
    if (m_style.m_bMultiLine) {
        nFlags |= Qt::AlignVCenter | Qt::TextWordWrap;
    } else {
        nFlags |= Qt::AlignVCenter | Qt::TextSingleLine;
        strText = metrics.elidedText(strText, Qt::ElideRight, space.width());
    }
    const QRect measured = metrics.boundingRect(space, nFlags, strText);
    if (m_style.m_bCentredText && space.width() > measured.width()) {
        const int nSpare = space.width() - measured.width();
        space.adjust(nSpare / 2, 0, -(nSpare - nSpare / 2), 0);
    }
    if (state.bSelected && (m_style.GetType() == 6 || !m_bNotify) && !m_bArrowPressed)
        space.translate(1, 1);
    const COLORREF crText = m_style.IsLinkLook() ? GetSysColor(COLOR_HIGHLIGHT) : m_crText;
    if (state.bDisabled) {
        // The engraved look needs a light face; on a dark gradient the light
        // copy would read as a second caption.
        if (!m_bGradient || !IsDark(m_crNormalBottom)) {
            painter.setPen(ToQColor(GetSysColor(COLOR_BTNHIGHLIGHT)));
            painter.drawText(space.translated(1, 1), nFlags, strText);
        }
        painter.setPen(ToQColor(GetSysColor(COLOR_GRAYTEXT)));
    } else if (m_bDoubleText) {
        painter.setPen(ToQColor(m_crText2));
        painter.drawText(space.translated(1, 1), nFlags, strText);
        painter.setPen(ToQColor(crText));
    } else {
        painter.setPen(ToQColor(crText));
    }
    painter.drawText(space, nFlags, strText);
    painter.restore();
}

const CMyString& CMyOwnButton::SelectedPicture(const CDrawState& state) const
{
    return m_pictures.Select(state.bSelected, m_bHovered);
}

bool CMyOwnButton::RenderPictureFile(QPainter& painter, const CMyString& strPath, const QRect& item,
                                     int nMargin, int& nRight)
{
    nRight = 0;
    CPicture picture;
    picture.Load(strPath);
    int nWidth = 0;
    int nHeight = 0;
    if (!picture.GetSize(nWidth, nHeight))
        return false;
    const QRect target = PictureRect(item, QSize(nWidth, nHeight), nMargin);
    picture.Render(painter, target, true);
    nRight = target.left() + target.width();
    return true;
}

bool CMyOwnButton::DrawPicture(QPainter& painter, const QRect& item, const CDrawState& state, int& nRight)
{
    return RenderPictureFile(painter, SelectedPicture(state), item, kPictureMargin, nRight);
}

bool CMyOwnButton::DrawPictureComposed(QPainter& painter, const QRect& item, const CDrawState& state,
                                       int& nRight)
{
    if (m_style.GetType() != 12)
        return DrawPicture(painter, item, state, nRight);
    // Composed in an off-screen image and drawn in one step over what the
    // parent painted beneath, so that transparent parts show the parent.
    const qreal dRatio = devicePixelRatioF();
    QImage buffer(item.size() * dRatio, QImage::Format_ARGB32_Premultiplied);
    buffer.setDevicePixelRatio(dRatio);
    buffer.fill(Qt::transparent);
    QPainter bufferPainter(&buffer);
    const bool bDrawn =
        RenderPictureFile(bufferPainter, SelectedPicture(state), QRect(QPoint(0, 0), item.size()), 0, nRight);
    bufferPainter.end();
    painter.drawImage(item.topLeft(), buffer);
    if (bDrawn)
        nRight += item.left();
    return bDrawn;
}
