// The arithmetic of the skinned message box: which buttons a type shows, how
// large the box grows for its text, and where the buttons sit. The box asks
// for an outer size (text + 40 wide, text + OK button + 70 high, a classic
// dialog frame included); the window manager draws its own frame, so the
// client area gets that size less kFrameAllowance. Sizes are in pixels.
#pragma once

#include <QRect>
#include <QSize>
#include <vector>

class CMessageBoxLayout
{
public:
    static constexpr int kIdOk = 1;
    static constexpr int kIdCancel = 2;
    static constexpr int kIdYes = 6;
    static constexpr int kIdNo = 7;
    // The border and caption of the dialog frame the outer sizes were made for.
    static constexpr int kFrameWidth = 6;
    static constexpr int kFrameHeight = 25;
    static constexpr int kButtonGap = 10;
    static constexpr int kButtonMargin = 10;
    // Where the message text sits in the client area.
    static constexpr int kTextLeft = 20;
    static constexpr int kTextTop = 10;

    // The buttons of a type, left to right: bit 4 gives Yes and No, else bit 1
    // gives OK and Cancel, else OK alone.
    static std::vector<int> ButtonsForType(unsigned uType);
    // The outer size the box asks for its text.
    static QSize WindowSizeForText(QSize text, int nOkHeight);
    static QSize ClientSizeForText(QSize text, int nOkHeight);
    // Places the buttons (their sizes in order) left to right, 10 pixels apart,
    // their bottoms 10 pixels above the client's bottom, centred as a group. A
    // client too narrow for the group and 10 pixels on each side is widened to
    // exactly that, and the group then starts at 10.
    static std::vector<QRect> PlaceButtons(QSize& client, const std::vector<QSize>& buttons);
};
