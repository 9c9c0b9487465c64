// The arithmetic of the vertical volume slider. The knob's bottom edge runs
// from 21 pixels below the control's top (value 100) to 17 pixels above its
// bottom (value 0), so the track is height - 38 pixels long and one pixel is
// 100 / (height - 38) value units. Positions and values are truncated toward
// zero, as the stored volumes were made with: for the 63-pixel control of the
// main window the value moves in steps of 4. A plain value.
#pragma once

class CSliderScale
{
public:
    static constexpr int kTop = 21;
    static constexpr int kBottomGap = 17;
    // The knob's bottom edge lies this far below the cursor while dragging.
    static constexpr int kCursorOffset = 5;

    // The control's height; a track shorter than one pixel has scale 0 and
    // keeps the knob at the top.
    void SetHeight(int nHeight);
    int GetHeight() const { return m_nHeight; }
    double GetScale() const { return m_dScale; }
    // The lowest knob position, never above the highest.
    int GetBottom() const;

    // truncate((100 - value) / scale) + 21, with the value taken as 0 to 100.
    int PositionOf(int nValue) const;
    // 100 - truncate((position - 21) * scale); the lowest position gives 0.
    int ValueAt(int nPosition) const;
    // The knob position for a cursor at y: y + 5, kept on the track.
    int PositionForCursor(int nY) const;

private:
    int m_nHeight = 0;
    double m_dScale = 0.0;
};
