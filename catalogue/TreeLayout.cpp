#include "TreeLayout.h"

#include <algorithm>

QRect CTreeLayout::TextRect(const QRect& row, int nDepth)
{
    const int nLeft = row.left() + std::max(0, nDepth) * kIndent + kIconMargin + kIconBox + kTextGap;
    return QRect(QPoint(nLeft, row.top()), QPoint(row.right(), row.bottom()));
}

QRect CTreeLayout::IconRect(const QRect& text, QSize picture)
{
    int nLeft = text.left() - kIconBox;
    int nTop = text.top() + (text.height() - kIconBox) / 2;
    if (picture.width() < kIconBox) {
        nLeft += (kIconBox - picture.width()) / 2;
    }
    if (picture.height() < kIconBox) {
        nTop += (kIconBox - picture.height()) / 2;
    }
    return QRect(QPoint(nLeft, nTop), picture);
}

QRect CTreeLayout::CaptionRect(const QRect& text)
{
    return text.translated(-1, -6);
}

QRect CTreeLayout::SelectionRect(const QRect& row, const QRect& text)
{
    return QRect(QPoint(0, text.top()), QPoint(row.right(), text.bottom()));
}

bool CTreeLayout::SnapWidths(int nWidth, int nTotal, int& nTree, int& nOther)
{
    if (nWidth >= kMinimumWidth) {
        return false;
    }
    nTree = kMinimumWidth;
    nOther = std::max(0, nTotal - kMinimumWidth);
    return true;
}
