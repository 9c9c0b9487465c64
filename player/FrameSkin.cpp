#include "FrameSkin.h"

#include "ColourConvert.h"
#include "MyPicture.h"
#include "SkinInfo.h"

#include <QImage>
#include <QPainter>

namespace {

constexpr int kStripHeight = 40;

const char* const kFileNames[CFrameSkin::kPictureCount] = {
    "res\\skin\\BarLeft.gif",    "res\\skin\\BarRight.gif",    "res\\skin\\BarTop.gif",
    "res\\skin\\CornerLeft.gif", "res\\skin\\CornerRight.gif", "res\\skin\\Bottom.gif",
    "res\\skin\\Left3.gif",      "res\\skin\\Right3.gif",      "res\\skin\\MidLeft.gif",
    "res\\skin\\MidRight.gif",   "res\\skin\\MidTop.gif",      "res\\skin\\Left2.gif",
    "res\\skin\\Right2.gif",
};

// A rectangle from its edges, right and bottom exclusive.
QRect Span(int nLeft, int nTop, int nRight, int nBottom)
{
    return QRect(nLeft, nTop, nRight - nLeft, nBottom - nTop);
}

} // namespace

const char* CFrameSkin::FileName(Picture picture)
{
    return kFileNames[picture];
}

std::array<CFrameSkin::Piece, CFrameSkin::kPictureCount>
CFrameSkin::Pieces(const QSize& client, const std::function<QSize(Picture)>& sizeOf)
{
    const int W = client.width();
    const int H = client.height();
    const QSize barLeft = sizeOf(BarLeft);
    const QSize barRight = sizeOf(BarRight);
    const QSize cornerLeft = sizeOf(CornerLeft);
    const QSize cornerRight = sizeOf(CornerRight);
    const QSize midLeft = sizeOf(MidLeft);
    const QSize left2 = sizeOf(Left2);
    const int B = H - cornerLeft.height();             // bottom of the strip
    const int M = B - kStripHeight - midLeft.height(); // top of the middle bar
    // The right-hand pieces take some sizes from their left-hand sisters.
    return {{
        {BarLeft, QRect(QPoint(0, 0), barLeft), false},
        {BarRight, QRect(QPoint(W - barRight.width(), 0), barRight), false},
        {BarTop, Span(barLeft.width(), 0, W - barRight.width(), sizeOf(BarTop).height()), true},
        {CornerLeft, QRect(QPoint(0, B), cornerLeft), false},
        {CornerRight, QRect(QPoint(W - cornerRight.width(), B), cornerRight), false},
        {Bottom, Span(cornerLeft.width(), B, W - cornerRight.width(), H), true},
        {Left3, Span(0, B - kStripHeight, sizeOf(Left3).width(), B), true},
        {Right3, Span(W - sizeOf(Right3).width(), B - kStripHeight, W, B), true},
        {MidLeft, QRect(QPoint(0, M), midLeft), false},
        {MidRight, QRect(QPoint(W - midLeft.width(), M), sizeOf(MidRight)), false},
        {MidTop, Span(midLeft.width(), M, W - midLeft.width(), B - kStripHeight), true},
        {Left2, Span(0, barLeft.height(), left2.width(), M), true},
        {Right2, Span(W - left2.width(), barLeft.height(), W, M), true},
    }};
}

QRect CFrameSkin::StripFill(const QSize& client, const std::function<QSize(Picture)>& sizeOf)
{
    const int B = client.height() - sizeOf(CornerLeft).height();
    return Span(sizeOf(Left3).width(), B - kStripHeight, client.width() - sizeOf(Right3).width(), B);
}

// The border of one window size, composed from the skin's pictures. The
// pictures are read and decoded once; a repaint of the same size only copies.
QImage CFrameSkin::Compose(const QSize& client)
{
    static std::array<CMyPicture, kPictureCount> s_pictures;
    static bool s_bLoaded = false;
    if (!s_bLoaded) {
        for (int i = 0; i < kPictureCount; ++i)
            s_pictures[i].Load(kFileNames[i]);
        s_bLoaded = true;
    }
    const auto sizeOf = [](Picture picture) {
        int nWidth = 0;
        int nHeight = 0;
        return s_pictures[picture].GetSize(nWidth, nHeight) ? QSize(nWidth, nHeight) : QSize(0, 0);
    };
    const QColor background = ToQColor(GetSkinInfo().m_crMainBg);
    QImage image(client, QImage::Format_ARGB32_Premultiplied);
    image.fill(background);
    QPainter memory(&image);
    for (const Piece& piece : Pieces(client, sizeOf)) {
        if (piece.bStretch) {
            s_pictures[piece.picture].Render(memory, piece.rect, true);
        } else {
            s_pictures[piece.picture].DrawAt(memory, piece.rect.x(), piece.rect.y());
        }
    }
    memory.fillRect(StripFill(client, sizeOf), background);
    return image;
}

void CFrameSkin::Paint(QPainter& painter, const QSize& client)
{
    static QImage s_image;
    if (s_image.size() != client)
        s_image = Compose(client);
    // The composed border lands one pixel below the client origin; the row
    // above it repeats the border's top row, so that no unpainted line shows.
    painter.drawImage(QPoint(0, 1), s_image);
    painter.drawImage(QPoint(0, 0), s_image, QRect(0, 0, s_image.width(), 1));
}
