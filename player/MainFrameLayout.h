// CMainFrameLayout: where the main window and its parts go. Arithmetic only, no
// widget, so that every rule is tested without a display.
//
// The window is 1010 x 640, centred in the work area and clipped to it. Inside
// it the splitter leaves margins of 20, 30, 20 and 84 pixels; along the bottom,
// 40 pixels above the client bottom, sit the preset pairs (32 pixels apart from
// x = 15) and, 5 pixels right of the last one, the player controls side by side.
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

class CMainFrameLayout
{
public:
    static constexpr int kWidth = 1010;
    static constexpr int kHeight = 640;
    static constexpr int kInsetLeft = 20;
    static constexpr int kInsetTop = 30;
    static constexpr int kInsetRight = 20;
    static constexpr int kInsetBottom = 84;
    // Distance of the bottom strip from the client bottom.
    static constexpr int kBottomStrip = 40;
    static constexpr int kPresetLeft = 15;
    static constexpr int kPresetSpacing = 3;
    // The controls start at least here when there are no presets.
    static constexpr int kMinimumPresetRight = 30;
    static constexpr int kControlGap = 5;

    // The window on a work area: at most 1010 x 640, centred, never outside it.
    static QRect WindowGeometry(const QRect& workArea);
    // The splitter inside a client area of the given size.
    static QRect SplitterRect(const QSize& client);
    // Top of the pre-set buttons (the station buttons sit directly below them).
    static int PresetTop(int nClientHeight) { return nClientHeight - kBottomStrip - 30; }
    // Top of the player controls.
    static int ControlTop(int nClientHeight) { return nClientHeight - kBottomStrip - 25; }
    // Left of the pre-set (or station) button of slot nIndex, for buttons of width nWidth.
    static int PresetLeft(int nIndex, int nWidth) { return kPresetLeft + (nWidth + kPresetSpacing) * nIndex; }
    // Left of the first player control, given the largest right edge of the station buttons (or -1 without
    // presets).
    static int FirstControlLeft(int nPresetRight);
};
