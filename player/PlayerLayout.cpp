#include "PlayerLayout.h"

#include <algorithm>

namespace {

// A rectangle whose sizes never go below zero, however small the client area.
QRect Box(int nX, int nY, int nWidth, int nHeight)
{
    return QRect(nX, nY, std::max(0, nWidth), std::max(0, nHeight));
}

} // namespace

CPlayerLayout::CPlayerLayout(int cx, int cy, bool bLabels)
{
    if (!bLabels) {
        m_playerArea = Box(0, 0, cx + 1, cy);
        return;
    }
    const int nHalf = cx / 2;
    const int nTop = cy - kStatusLineOffset;
    m_statusLabel = Box(-3, nTop, nHalf - 100, kStatusLineHeight);
    m_stationLabel = Box(nHalf - 106, nTop, cx - (nHalf - 106) + 3, kStatusLineHeight);
    m_playerArea = Box(0, 0, cx + 1, cy - kStatusLineHeight);
}

void CPlayerLayout::SnapColumns(int nAvailable, int& nTreeWidth, int& nViewWidth)
{
    nViewWidth = kMinimumPaneWidth;
    nTreeWidth = std::max(0, nAvailable - kMinimumPaneWidth);
}

QRect CPlayerLayout::GetMediaPlayer() const
{
    return Box(m_playerArea.x(), m_playerArea.y(), m_playerArea.width(),
               m_playerArea.height() + kMediaExtraHeight);
}

QRect CPlayerLayout::GetBrowser() const
{
    const QRect region = GetBrowserRegion();
    return Box(m_playerArea.x(), m_playerArea.y(), region.width() + kBrowserExtraWidth, region.height());
}

QRect CPlayerLayout::GetBrowserRegion() const
{
    return Box(0, 0, m_playerArea.width(), m_playerArea.height() + kBrowserExtraHeight);
}
