// The window that shows a CMenuXP while it is tracked: a popup of the menu's
// own drawing that follows the mouse and the arrow keys, and ends its modal
// loop with the chosen command, or 0 when the user clicks elsewhere or presses
// Escape. A release over an entry chooses it, so that a press on the opening
// button can be dragged onto an entry. Widgets are not copyable.
#pragma once

#include "MenuXPLayout.h"

#include <QPointer>
#include <QWidget>

class CMenuXP;
class QEventLoop;

class CMenuXPWindow : public QWidget
{
public:
    CMenuXPWindow(const CMenuXP& menu, QWidget* pOwner);
    ~CMenuXPWindow() override;

    // Shows the menu with its top-left corner at the screen point (moved
    // inside the screen when it would not fit) and waits for the choice.
    int Track(QPoint screenPos);

    QRect GetItemRect(int nIndex) const;
    // The entry under the point (window coordinates), or -1.
    int ItemAt(QPoint pos) const;
    int GetSelectedIndex() const { return m_nSelected; }
    const CMenuXP& GetMenu() const { return m_menu; }

protected:
    void paintEvent(QPaintEvent* pEvent) override;
    void mouseMoveEvent(QMouseEvent* pEvent) override;
    void mousePressEvent(QMouseEvent* pEvent) override;
    void mouseReleaseEvent(QMouseEvent* pEvent) override;
    void keyPressEvent(QKeyEvent* pEvent) override;
    void leaveEvent(QEvent* pEvent) override;
    void hideEvent(QHideEvent* pEvent) override;

private:
    // Whether the entry can be highlighted: anything but separators and side bars.
    bool IsSelectable(int nIndex) const;
    void Select(int nIndex);
    void MoveSelection(int nStep);
    void Choose(int nIndex);
    void Dismiss();

    const CMenuXP& m_menu;
    CMenuXPLayout m_layout;
    int m_nSelected = -1;
    int m_nResult = 0;
    QEventLoop* m_pLoop = nullptr;
};
