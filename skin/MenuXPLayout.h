// The arithmetic of an owner-drawn menu, without any widget: the size of each
// kind of entry, and how the entries stack into columns inside the menu's
// frame. An entry with a break starts a new column to the right of the
// previous one; a bar break also draws a line in the gap. A plain value;
// copying copies the rectangles.
#pragma once

#include <QRect>
#include <QSize>
#include <vector>

class CMenuXPLayout
{
public:
    // The height of a button of a menu bar; a separator is half of it.
    static constexpr int kMenuButtonHeight = 19;
    // The frame around the entries: a line and a pixel of background.
    static constexpr int kFrame = 2;
    // The space between two columns (a side bar paints over it).
    static constexpr int kColumnGap = 3;

    struct CEntry
    {
        QSize size;
        bool bBreak = false;
        bool bBarBreak = false;
    };

    // A text entry whose text measures textSize, with the picture-square
    // margin nSize: 2 x nSize + 12 wider than the text, and at least nSize + 4
    // high, so that the bold default entry and its picture square fit.
    static QSize TextItemSize(QSize textSize, int nSize);
    static QSize SeparatorSize() { return QSize(0, kMenuButtonHeight / 2); }
    static QSize SideBarSize(int nWidth) { return QSize(nWidth, 0); }

    // Stacks the entries into columns. Every entry of a column gets the
    // column's width.
    void Arrange(const std::vector<CEntry>& entries);

    // Entry rectangles in menu coordinates, in entry order.
    const std::vector<QRect>& GetItemRects() const { return m_itemRects; }
    // The whole menu, frame included.
    QSize GetSize() const { return m_size; }
    // The area inside the frame that the entries fill.
    QRect GetClientRect() const;
    // The x of each bar-break line, in the gap before its column.
    const std::vector<int>& GetBarLines() const { return m_barLines; }

private:
    std::vector<QRect> m_itemRects;
    std::vector<int> m_barLines;
    QSize m_size;
};
