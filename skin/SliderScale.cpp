#include "SliderScale.h"

#include <algorithm>

void CSliderScale::SetHeight(int nHeight)
{
    m_nHeight = nHeight;
    const int nTrack = nHeight - kTop - kBottomGap;
    m_dScale = nTrack >= 1 ? 100.0 / nTrack : 0.0;
}

int CSliderScale::GetBottom() const
{
    return std::max(kTop, m_nHeight - kBottomGap);
}

int CSliderScale::PositionOf(int nValue) const
{
    if (m_dScale <= 0.0)
        return kTop;
    const int nClamped = std::clamp(nValue, 0, 100);
    return std::min(static_cast<int>((100 - nClamped) / m_dScale) + kTop, GetBottom());
}

int CSliderScale::ValueAt(int nPosition) const
{
    // The product can fall a hair short of 100 at the bottom of tracks whose
    // length does not divide 100; the bottom end is silence all the same.
    if (m_dScale > 0.0 && nPosition >= GetBottom())
        return 0;
    return 100 - static_cast<int>((nPosition - kTop) * m_dScale);
}

int CSliderScale::PositionForCursor(int nY) const
{
    return std::clamp(nY + kCursorOffset, kTop, GetBottom());
}
