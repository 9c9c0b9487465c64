#include "MessageBoxLayout.h"

std::vector<int> CMessageBoxLayout::ButtonsForType(unsigned uType)
{
    if ((uType & 4) != 0)
        return {kIdYes, kIdNo};
    if ((uType & 1) != 0)
        return {kIdOk, kIdCancel};
    return {kIdOk};
}

QSize CMessageBoxLayout::WindowSizeForText(QSize text, int nOkHeight)
{
    return QSize(text.width() + 40, text.height() + nOkHeight + 70);
}

QSize CMessageBoxLayout::ClientSizeForText(QSize text, int nOkHeight)
{
    return WindowSizeForText(text, nOkHeight) - QSize(kFrameWidth, kFrameHeight);
}

std::vector<QRect> CMessageBoxLayout::PlaceButtons(QSize& client, const std::vector<QSize>& buttons)
{
    std::vector<QRect> placed;
    if (buttons.empty())
        return placed;
    int nTotal = kButtonGap * static_cast<int>(buttons.size() - 1);
    for (const QSize& size : buttons)
        nTotal += size.width();
    int nLeft = kButtonMargin;
    if (nTotal + 2 * kButtonMargin <= client.width())
        nLeft = (client.width() - nTotal) / 2;
    else
        client.setWidth(nTotal + 2 * kButtonMargin);
    for (const QSize& size : buttons) {
        placed.emplace_back(QPoint(nLeft, client.height() - kButtonMargin - size.height()), size);
        nLeft += size.width() + kButtonGap;
    }
    return placed;
}
