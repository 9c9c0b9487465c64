#include "SearchBarLayout.h"

#include <algorithm>

namespace {

int RightOf(const QRect& rect)
{
    return rect.left() + rect.width();
}

} // namespace

CSearchBarLayout::CCaptionButtons CSearchBarLayout::PlaceCaptionButtons(int nBarWidth, QSize close,
                                                                        QSize maximize, QSize minimize)
{
    CCaptionButtons buttons;
    buttons.close = QRect(QPoint(nBarWidth - close.width() - kCaptionRightMargin, kCaptionTop), close);
    buttons.maximize =
        QRect(QPoint(buttons.close.left() - maximize.width() - kCaptionGap, kCaptionTop), maximize);
    buttons.minimize =
        QRect(QPoint(buttons.maximize.left() - minimize.width() - kCaptionGap, kCaptionTop), minimize);
    return buttons;
}

CSearchBarLayout::CLeftGroup CSearchBarLayout::PlaceLeftGroup(QSize edit, QSize search,
                                                              std::optional<QSize> lists,
                                                              std::optional<QSize> version)
{
    CLeftGroup group;
    int nX = kGroupLeft;
    group.edit = QRect(nX, kGroupTop, edit.width(), kEditHeight);
    nX = RightOf(group.edit) + kGroupGap;
    group.search = QRect(QPoint(nX, kGroupTop), search);
    nX += search.width() + kGroupGap;
    if (lists) {
        group.lists = QRect(QPoint(nX, kGroupTop), *lists);
        nX += lists->width() + kGroupGap;
    }
    if (version)
        group.version = QRect(QPoint(nX, kGroupTop), *version);
    return group;
}

void CSearchBarLayout::PlaceNotices(const QRect& search, unsigned uFlags, QRect& lists, QRect& version)
{
    int nX = RightOf(search);
    if (uFlags & 1) {
        lists.moveTopLeft(QPoint(nX + kNoticeGap, search.top()));
        nX = RightOf(lists);
    }
    if (uFlags & 2)
        version.moveTopLeft(QPoint(nX + kNoticeGap, search.top()));
}

QRect CSearchBarLayout::PlaceTitle(int nGroupRight, int nMinimizeLeft, int nBarHeight, int nTextHeight)
{
    const int nLeft = nGroupRight + kTitleMargin;
    const int nWidth = std::max(0, (nMinimizeLeft - kTitleMargin) - nLeft);
    return QRect(nLeft, (nBarHeight - nTextHeight) / 2, nWidth, nTextHeight);
}
