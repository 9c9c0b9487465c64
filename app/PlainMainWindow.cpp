#include "PlainMainWindow.h"

#include <QGuiApplication>
#include <QScreen>

CPlainMainWindow::CPlainMainWindow(QWidget* pParent) : QWidget(pParent, Qt::FramelessWindowHint)
{
    QRect area(0, 0, kWidth, kHeight);
    if (const QScreen* pScreen = QGuiApplication::primaryScreen()) {
        area = pScreen->availableGeometry();
    }
    const int nWidth = std::min(kWidth, area.width());
    const int nHeight = std::min(kHeight, area.height());
    setGeometry(area.x() + (area.width() - nWidth) / 2, area.y() + (area.height() - nHeight) / 2, nWidth, nHeight);
}
