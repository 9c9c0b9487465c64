// CPlayerLayout: where the player view puts its children for a client size.
// The status line of two labels runs along the bottom; the player area above
// it is where a station plays. The media player is made taller than the area,
// so that its control-bar strip lies out of sight below it, and the browser
// wider and taller, with a window region that cuts off the strip on the right
// where it draws its scroll bar. Pure arithmetic: copying copies a few
// rectangles.
#pragma once

#include <QRect>

class CPlayerLayout
{
public:
    static constexpr int kStatusLineHeight = 25;
    // The labels' top lies this far above the bottom of the client area.
    static constexpr int kStatusLineOffset = 22;
    static constexpr int kMediaExtraHeight = 66;
    static constexpr int kBrowserExtraWidth = 20;
    static constexpr int kBrowserExtraHeight = 6;
    static constexpr int kMinimumPaneWidth = 180;

    // The layout for a client area of cx x cy pixels; bLabels: the status
    // labels exist (without them the player area fills the client area).
    CPlayerLayout(int cx, int cy, bool bLabels);

    // Whether a pane this wide has to be widened to kMinimumPaneWidth.
    static bool IsTooNarrow(int cx) { return cx < kMinimumPaneWidth; }
    // The splitter's column widths that give the view kMinimumPaneWidth pixels,
    // for a splitter whose columns share nAvailable pixels.
    static void SnapColumns(int nAvailable, int& nTreeWidth, int& nViewWidth);

    QRect GetStatusLabel() const { return m_statusLabel; }
    QRect GetStationLabel() const { return m_stationLabel; }
    QRect GetPlayerArea() const { return m_playerArea; }
    QRect GetMediaPlayer() const;
    // The browser window, and its region in its own coordinates.
    QRect GetBrowser() const;
    QRect GetBrowserRegion() const;

private:
    QRect m_statusLabel;
    QRect m_stationLabel;
    QRect m_playerArea;
};
