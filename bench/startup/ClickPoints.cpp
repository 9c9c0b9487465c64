// Where the start-up bench clicks in kestova's window, in window pixels, worked
// out from the window's layout as the program tests do, so that the bench
// follows the layout when it changes. Prints one "<name> <x> <y>" line each.
#include "MainFrameLayout.h"
#include "SearchBarLayout.h"
#include "StationTreeModel.h"

#include <cstdio>

int main()
{
    const QRect splitter =
        CMainFrameLayout::SplitterRect({CMainFrameLayout::kWidth, CMainFrameLayout::kHeight});
    const int nRowHeight = CStationTreeModel::kRowHeight;
    for (int nRow = 0; nRow < 3; ++nRow)
        std::printf("tree-row-%d %d %d\n", nRow, splitter.left() + 100,
                    splitter.top() + nRow * nRowHeight + nRowHeight / 2);
    std::printf("search-box %d %d\n", CSearchBarLayout::kGroupLeft + 20,
                CSearchBarLayout::kGroupTop + CSearchBarLayout::kEditHeight / 2);
    return 0;
}
