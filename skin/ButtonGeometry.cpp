#include "ButtonGeometry.h"

QRect PictureRect(const QRect& item, QSize picture, int nMargin)
{
    int nWidth = picture.width();
    int nHeight = picture.height();
    const int nRoom = item.height() - 2 * nMargin;
    if (nHeight > nRoom && nHeight > 0) {
        const int nNewHeight = nRoom > 0 ? nRoom : 0;
        nWidth = static_cast<int>(static_cast<long long>(nWidth) * nNewHeight / nHeight);
        nHeight = nNewHeight;
    }
    return QRect(item.left() + nMargin, item.top() + nMargin, nWidth, nHeight);
}

bool InArrowPart(int nButtonWidth, int nX)
{
    return nX >= nButtonWidth - kArrowHitWidth && nX < nButtonWidth;
}

QRect CaptionSpace(const QRect& client, int nPictureRight, bool bCentred, bool bDropDown, bool bSplit)
{
    const int nLeft = nPictureRight + (bCentred ? 0 : 5);
    int nRight = client.left() + client.width();
    if (bSplit)
        nRight -= 12;
    else if (bDropDown)
        nRight -= 6;
    if (nRight - nLeft <= 0)
        return QRect();
    return QRect(nLeft, client.top(), nRight - nLeft, client.height());
}
