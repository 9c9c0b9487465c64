// CEnterKeyWatch: whether the Enter key is held down right now, wherever the
// keyboard focus is. It watches every key event of the application; a key
// held while the program loses the keyboard counts as released. The search bar
// uses it to ignore a click command that Enter produced. Not copyable.
#pragma once

#include <QObject>

class CEnterKeyWatch : public QObject
{
public:
    // Starts watching; the application object must exist.
    CEnterKeyWatch();
    ~CEnterKeyWatch() override;

    bool IsEnterDown() const { return m_bDown; }

protected:
    bool eventFilter(QObject* pWatched, QEvent* pEvent) override;

private:
    bool m_bDown = false;
};
