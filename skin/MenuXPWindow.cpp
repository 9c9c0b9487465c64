#include "MenuXPWindow.h"

#include "ColourConvert.h"
#include "MenuXP.h"

#include <QEventLoop>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

namespace {

// Moves rect so that it lies inside area wherever it can.
QRect KeepInside(QRect rect, const QRect& area)
{
    if (area.isEmpty())
        return rect;
    if (rect.right() > area.right())
        rect.moveRight(area.right());
    if (rect.bottom() > area.bottom())
        rect.moveBottom(area.bottom());
    if (rect.left() < area.left())
        rect.moveLeft(area.left());
    if (rect.top() < area.top())
        rect.moveTop(area.top());
    return rect;
}

} // namespace

CMenuXPWindow::CMenuXPWindow(const CMenuXP& menu, QWidget* pOwner)
    : QWidget(pOwner, Qt::Popup | Qt::FramelessWindowHint), m_menu(menu), m_layout(menu.Arrange())
{
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    resize(m_layout.GetSize());
}

CMenuXPWindow::~CMenuXPWindow() = default;

int CMenuXPWindow::Track(QPoint screenPos)
{
    m_nResult = 0;
    QRect placed(screenPos, m_layout.GetSize());
    const QScreen* pScreen = QGuiApplication::screenAt(screenPos);
    if (pScreen == nullptr)
        pScreen = screen();
    if (pScreen != nullptr)
        placed = KeepInside(placed, pScreen->availableGeometry());
    move(placed.topLeft());
    QEventLoop loop;
    m_pLoop = &loop;
    show();
    setFocus(Qt::PopupFocusReason);
    if (isVisible())
        loop.exec();
    m_pLoop = nullptr;
    hide();
    return m_nResult;
}

QRect CMenuXPWindow::GetItemRect(int nIndex) const
{
    const std::vector<QRect>& rects = m_layout.GetItemRects();
    if (nIndex < 0 || nIndex >= static_cast<int>(rects.size()))
        return QRect();
    return rects[static_cast<size_t>(nIndex)];
}

int CMenuXPWindow::ItemAt(QPoint pos) const
{
    const std::vector<QRect>& rects = m_layout.GetItemRects();
    for (size_t i = 0; i < rects.size(); ++i) {
        if (rects[i].contains(pos))
            return static_cast<int>(i);
    }
    return -1;
}

bool CMenuXPWindow::IsSelectable(int nIndex) const
{
    if (nIndex < 0 || nIndex >= m_menu.GetMenuItemCount())
        return false;
    const CMenuXP::CEntry& entry = m_menu.GetEntry(nIndex);
    if (entry.uFlags & CMenuXP::kSeparator)
        return false;
    return !(entry.pItem && entry.pItem->CarriesSignature() &&
             (entry.pItem->m_bSeparator || entry.pItem->m_bSideBar));
}

void CMenuXPWindow::Select(int nIndex)
{
    if (!IsSelectable(nIndex))
        nIndex = -1;
    if (nIndex == m_nSelected)
        return;
    m_nSelected = nIndex;
    update();
}

void CMenuXPWindow::MoveSelection(int nStep)
{
    const int nCount = m_menu.GetMenuItemCount();
    int nIndex = m_nSelected;
    for (int nTried = 0; nTried < nCount; ++nTried) {
        nIndex = nIndex < 0 ? (nStep > 0 ? 0 : nCount - 1) : (nIndex + nStep + nCount) % nCount;
        if (IsSelectable(nIndex)) {
            Select(nIndex);
            return;
        }
    }
}

void CMenuXPWindow::Choose(int nIndex)
{
    if (!m_menu.IsChoosable(nIndex))
        return;
    m_nResult = m_menu.GetEntry(nIndex).nId;
    close();
}

void CMenuXPWindow::Dismiss()
{
    m_nResult = 0;
    close();
}

void CMenuXPWindow::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QColor background = ToQColor(m_menu.GetBackgroundColour());
    painter.fillRect(rect(), background);
    painter.setPen(background.lighter(220));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    const QRect client = m_layout.GetClientRect();
    for (int nX : m_layout.GetBarLines()) {
        painter.fillRect(nX, client.top(), 1, client.height(), background.darker(170));
        painter.fillRect(nX + 1, client.top(), 1, client.height(), background.lighter(170));
    }
    painter.setClipRect(client);
    for (int i = 0; i < m_menu.GetMenuItemCount(); ++i) {
        m_menu.DrawItem(painter, m_menu.GetEntry(i), GetItemRect(i), m_menu.StateOf(i, i == m_nSelected),
                        client);
    }
}

void CMenuXPWindow::mouseMoveEvent(QMouseEvent* pEvent)
{
    const QPoint pos = pEvent->position().toPoint();
    if (rect().contains(pos))
        Select(ItemAt(pos));
}

void CMenuXPWindow::mousePressEvent(QMouseEvent* pEvent)
{
    // A press outside the popup ends the menu without a choice.
    if (!rect().contains(pEvent->position().toPoint()))
        Dismiss();
}

void CMenuXPWindow::mouseReleaseEvent(QMouseEvent* pEvent)
{
    const QPoint pos = pEvent->position().toPoint();
    if (pEvent->button() == Qt::LeftButton && rect().contains(pos))
        Choose(ItemAt(pos));
}

void CMenuXPWindow::keyPressEvent(QKeyEvent* pEvent)
{
    switch (pEvent->key()) {
    case Qt::Key_Up:
        MoveSelection(-1);
        break;
    case Qt::Key_Down:
        MoveSelection(1);
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        Choose(m_nSelected);
        break;
    case Qt::Key_Escape:
        Dismiss();
        break;
    default:
        break;
    }
    pEvent->accept();
}

void CMenuXPWindow::leaveEvent(QEvent*)
{
    Select(-1);
}

void CMenuXPWindow::hideEvent(QHideEvent*)
{
    if (m_pLoop != nullptr)
        m_pLoop->quit();
}
