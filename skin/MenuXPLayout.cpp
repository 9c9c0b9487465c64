#include "MenuXPLayout.h"

#include <algorithm>

QSize CMenuXPLayout::TextItemSize(QSize textSize, int nSize)
{
    return QSize(2 * nSize + 12 + textSize.width(), std::max(textSize.height(), nSize + 4));
}

void CMenuXPLayout::Arrange(const std::vector<CEntry>& entries)
{
    m_itemRects.clear();
    m_barLines.clear();
    int nColumnLeft = kFrame;
    int nY = kFrame;
    int nBottom = kFrame;
    size_t uColumnStart = 0;
    int nColumnWidth = 0;
    auto closeColumn = [&](size_t uEnd) {
        for (size_t i = uColumnStart; i < uEnd; ++i)
            m_itemRects[i].setWidth(nColumnWidth);
    };
    for (size_t i = 0; i < entries.size(); ++i) {
        const CEntry& entry = entries[i];
        if (i > 0 && (entry.bBreak || entry.bBarBreak)) {
            closeColumn(i);
            nColumnLeft += nColumnWidth + kColumnGap;
            if (entry.bBarBreak)
                m_barLines.push_back(nColumnLeft - kColumnGap / 2 - 1);
            nY = kFrame;
            uColumnStart = i;
            nColumnWidth = 0;
        }
        m_itemRects.emplace_back(nColumnLeft, nY, entry.size.width(), entry.size.height());
        nColumnWidth = std::max(nColumnWidth, entry.size.width());
        nY += entry.size.height();
        nBottom = std::max(nBottom, nY);
    }
    closeColumn(entries.size());
    m_size = QSize(nColumnLeft + nColumnWidth + kFrame, nBottom + kFrame);
}

QRect CMenuXPLayout::GetClientRect() const
{
    return QRect(kFrame, kFrame, m_size.width() - 2 * kFrame, m_size.height() - 2 * kFrame);
}
