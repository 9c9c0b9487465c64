// The start-up bench's floor for kestova's window: an empty Qt Widgets window
// of the same size, painted once, that reports its first paint and then idles
// until it is ended.
#include "FloorClock.h"
#include "MainFrameLayout.h"

#include <QApplication>
#include <QPainter>
#include <QWidget>

namespace {

class CEmptyWindow : public QWidget
{
protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter(this).fillRect(rect(), Qt::darkGray);
        m_markFirstPaint();
    }

private:
    CFirstPaintMark m_markFirstPaint;
};

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    CEmptyWindow window;
    window.resize(CMainFrameLayout::kWidth, CMainFrameLayout::kHeight);
    window.show();
    return app.exec();
}
