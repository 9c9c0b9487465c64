#include "MainFrameLayout.h"

#include <algorithm>

QRect CMainFrameLayout::WindowGeometry(const QRect& workArea)
{
    const int nWidth = std::min(kWidth, workArea.width());
    const int nHeight = std::min(kHeight, workArea.height());
    // Centred in the work area itself, which need not start at (0, 0).
    const int nX = workArea.left() + std::max(0, (workArea.width() - nWidth) / 2);
    const int nY = workArea.top() + std::max(0, (workArea.height() - nHeight) / 2);
    return QRect(nX, nY, nWidth, nHeight);
}

QRect CMainFrameLayout::SplitterRect(const QSize& client)
{
    return QRect(QPoint(kInsetLeft, kInsetTop),
                 QPoint(client.width() - kInsetRight - 1, client.height() - kInsetBottom - 1));
}

int CMainFrameLayout::FirstControlLeft(int nPresetRight)
{
    return std::max(nPresetRight, kMinimumPresetRight) + kControlGap;
}
