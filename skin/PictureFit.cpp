#include "PictureFit.h"

#include <algorithm>

QSize FitPicture(QSize& box, QSize picture)
{
    if (box.width() < 1 && box.height() < 1) {
        box = QSize(0, 0);
        return picture;
    }
    if (box.height() > picture.height() && box.width() > picture.width())
        return picture;
    if (picture.width() < 1 || picture.height() < 1)
        return picture;
    const float fScale = std::min(static_cast<float>(box.width()) / static_cast<float>(picture.width()),
                                  static_cast<float>(box.height()) / static_cast<float>(picture.height()));
    if (!(fScale > 0.0f))
        return picture;
    return QSize(static_cast<int>(static_cast<float>(picture.width()) * fScale),
                 static_cast<int>(static_cast<float>(picture.height()) * fScale));
}

QRect PlaceFitted(const QRect& rect, QSize box, QSize picture)
{
    const QSize fitted = FitPicture(box, picture);
    int nLeft = rect.left();
    int nTop = rect.top();
    if (box.height() > fitted.height())
        nTop += (box.height() - fitted.height()) / 2;
    if (box.width() > fitted.width())
        nLeft += (box.width() - fitted.width()) / 2;
    return QRect(QPoint(nLeft, nTop), fitted);
}
