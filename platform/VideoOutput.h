// CVideoOutput: the widget that shows an engine's video, inside the player and
// on its own as the full-screen window. The engine's module makes it
// (CMediaEngine::CreateVideoOutput). Widgets are not copyable.
#pragma once

#include <QWidget>
#include <functional>

class CVideoOutput : public QWidget
{
public:
    using QWidget::QWidget;

    // True while the engine can draw here.
    virtual bool HasRenderContext() const = 0;
    // What to do on Esc or a double-click while the output is a full-screen
    // window of its own: leave full screen.
    void SetLeaveHandler(std::function<void()> handler) { m_leave = std::move(handler); }

protected:
    // Leaves full screen when the output is a window of its own; false otherwise.
    bool Leave()
    {
        if (!isWindow() || !m_leave)
            return false;
        m_leave();
        return true;
    }

private:
    std::function<void()> m_leave;
};
