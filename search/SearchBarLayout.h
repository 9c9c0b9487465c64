// Where the search bar's controls go, in bar client pixels: the caption
// buttons at the right edge, the edit box, the search button and the notice
// buttons from the left, and the title between the two groups. Pure
// arithmetic without state; rectangles are QRects whose right edge is
// left + width.
#pragma once

#include <QRect>
#include <QSize>
#include <optional>

class CSearchBarLayout
{
public:
    static constexpr int kCaptionTop = 8;
    static constexpr int kCaptionRightMargin = 17;
    static constexpr int kCaptionGap = 3;
    static constexpr int kGroupLeft = 17;
    static constexpr int kGroupTop = 6;
    static constexpr int kEditHeight = 19;
    static constexpr int kGroupGap = 4;
    // The gap in front of each notice button when a notice appears.
    static constexpr int kNoticeGap = 5;
    static constexpr int kTitleMargin = 10;
    // The search button is this much wider than its caption.
    static constexpr int kSearchButtonPadding = 52;

    struct CCaptionButtons
    {
        QRect close;
        QRect maximize;
        QRect minimize;
    };
    // Close at the right, then maximise/restore and minimise to its left.
    static CCaptionButtons PlaceCaptionButtons(int nBarWidth, QSize close, QSize maximize, QSize minimize);

    struct CLeftGroup
    {
        QRect edit;
        QRect search;
        QRect lists;   // empty when the button is hidden
        QRect version; // empty when the button is hidden
    };
    // The edit box keeps its width at the edit height; the buttons keep their
    // sizes; a hidden notice button (no size) takes no room.
    static CLeftGroup PlaceLeftGroup(QSize edit, QSize search, std::optional<QSize> lists,
                                     std::optional<QSize> version);

    // The notice buttons after a notice: right of the search button at its
    // top, each notice whose flag is set (1 lists, 2 version) kNoticeGap right
    // of the previous button. Rectangles of notices without their flag are
    // returned unchanged.
    static void PlaceNotices(const QRect& search, unsigned uFlags, QRect& lists, QRect& version);

    // The title between nGroupRight (the right edge of the rightmost visible
    // button of the left group) and nMinimizeLeft, vertically centred.
    static QRect PlaceTitle(int nGroupRight, int nMinimizeLeft, int nBarHeight, int nTextHeight);

    static int SearchButtonWidth(int nCaptionWidth) { return nCaptionWidth + kSearchButtonPadding; }
};
