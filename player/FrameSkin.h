// CFrameSkin: the main window's painted border, from thirteen skin pictures.
//
// Where each picture goes depends only on the client size and the pictures'
// own sizes, so the placement (Pieces) is arithmetic that is tested without a
// display; Paint draws the pieces, composed off screen and copied in one step so
// that the border does not flicker. The pictures are read at every paint: a
// skin can be changed while the program runs.
#pragma once

#include <QRect>
#include <QSize>
#include <array>
#include <functional>

class QImage;
class QPainter;

class CFrameSkin
{
public:
    // The pictures in drawing order; later ones cover earlier ones.
    enum Picture
    {
        BarLeft,
        BarRight,
        BarTop,
        CornerLeft,
        CornerRight,
        Bottom,
        Left3,
        Right3,
        MidLeft,
        MidRight,
        MidTop,
        Left2,
        Right2,
        kPictureCount
    };

    struct Piece
    {
        Picture picture;
        QRect rect;
        bool bStretch; // scaled to rect; otherwise drawn at its own size at rect's top-left
    };

    // "res\skin\BarLeft.gif" and so on.
    static const char* FileName(Picture picture);
    // Where each picture goes on a client of the given size, in drawing order.
    // sizeOf gives a picture's size, (0, 0) when it cannot be loaded.
    static std::array<Piece, kPictureCount> Pieces(const QSize& client,
                                                   const std::function<QSize(Picture)>& sizeOf);
    // The bottom strip's middle, filled with the skin's main background colour.
    static QRect StripFill(const QSize& client, const std::function<QSize(Picture)>& sizeOf);

    // Paints the whole border of a client of the given size; the pictures are
    // decoded once, and the border composed again only for a new size.
    static void Paint(QPainter& painter, const QSize& client);

private:
    static QImage Compose(const QSize& client);
};
