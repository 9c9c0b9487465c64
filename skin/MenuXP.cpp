#include "MenuXP.h"

#include "ColourConvert.h"
#include "MenuXPSeparator.h"
#include "MenuXPSideBar.h"
#include "MenuXPWindow.h"
#include "QtText.h"
#include "SkinDraw.h"
#include "SkinFont.h"
#include "SkinInfo.h"
#include "SystemColour.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>

namespace {

// The space between an entry's text and its accelerator.
constexpr int kAcceleratorGap = 12;
// The side bar covers the gap to the next column.
constexpr int kSideBarOverlap = CMenuXPLayout::kColumnGap;
// A plain entry's text starts this far in, where a check mark would go.
constexpr int kPlainMargin = 20;
constexpr COLORREF kWhite = Rgb(255, 255, 255);

// The text before the first tab, and the text after it.
void SplitAtTab(const CMyString& strText, CMyString& strLeft, CMyString& strRight)
{
    const int nTab = strText.Find('\t');
    if (nTab < 0) {
        strLeft = strText;
        strRight.Empty();
        return;
    }
    const int nLength = static_cast<int>(strText.GetLength());
    strLeft = strText.Mid(0, nTab);
    strRight = strText.Mid(nTab + 1, nLength - nTab - 1);
}

QSize MeasureText(const QFont& font, const CMyString& strText)
{
    CMyString strLeft;
    CMyString strRight;
    SplitAtTab(strText, strLeft, strRight);
    const QFontMetrics metrics(font);
    int nWidth = metrics.horizontalAdvance(ToQString(strLeft));
    if (!strRight.IsEmpty())
        nWidth += kAcceleratorGap + metrics.horizontalAdvance(ToQString(strRight));
    return QSize(nWidth, metrics.height());
}

} // namespace

CMenuXP::CMenuXP() : m_font(MakeSkinFont("Arial", -12, 400)), m_boldFont(MakeSkinFont("Arial", -12, 700))
{
    const CSkinInfo& skin = GetSkinInfo();
    m_crBackground = skin.m_crMenuBg;
    m_crSelectedBackground = skin.m_crMenuSelectedBg;
    m_crText = skin.m_crMenuText;
    m_crSelectedText = skin.m_crMenuSelectedText;
    m_crDisabledText = skin.m_crMenuDisabledText;
    m_crSideBarTop = skin.m_crSideBarTop;
    m_crSideBarBottom = skin.m_crSideBarBottom;
}

CMenuXP::~CMenuXP() = default;

bool CMenuXP::CreatePopupMenu()
{
    DestroyMenu();
    return true;
}

void CMenuXP::DestroyMenu()
{
    m_entries.clear();
    m_nDefaultIndex = -1;
    m_bBreak = false;
    m_bBarBreak = false;
}

bool CMenuXP::AppendEntry(unsigned uFlags, int nId, CMenuXPItem* pItem, const CMyString& strText)
{
    CEntry entry;
    entry.uFlags = uFlags;
    entry.nId = nId;
    entry.pItem.reset(pItem);
    entry.strText = strText;
    m_entries.push_back(std::move(entry));
    return true;
}

bool CMenuXP::AppendItem(unsigned uFlags, CMenuXPItem* pItem, const ACCEL* pAccel)
{
    if (pItem == nullptr)
        return false;
    if (m_bBreak)
        uFlags |= kMenuBreak;
    if (m_bBarBreak)
        uFlags |= kMenuBarBreak;
    m_bBreak = false;
    m_bBarBreak = false;
    if (pAccel != nullptr) {
        CMyString strAccelerator;
        CBCGKeyHelper::Format(*pAccel, strAccelerator);
        pItem->m_strText += "\t";
        pItem->m_strText += strAccelerator;
    }
    return AppendEntry(uFlags | kOwnerDraw, pItem->m_nId, pItem, CMyString());
}

bool CMenuXP::AppendSeparator()
{
    m_bBreak = false;
    m_bBarBreak = false;
    return AppendEntry(kOwnerDraw | kSeparator, 0, new CMenuXPSeparator, CMyString());
}

bool CMenuXP::AddSideBar(CMenuXPSideBar* pSideBar)
{
    if (pSideBar == nullptr)
        return false;
    AppendEntry(kOwnerDraw | kSeparator, pSideBar->m_nId, pSideBar, CMyString());
    m_bBreak = true;
    return true;
}

bool CMenuXP::AppendMenu(unsigned uFlags, int nId, const CMyString& strText)
{
    return AppendEntry(uFlags & ~kOwnerDraw, nId, nullptr, strText);
}

bool CMenuXP::SetDefaultItem(int nId)
{
    m_nDefaultIndex = FindCommand(nId);
    return m_nDefaultIndex >= 0;
}

int CMenuXP::GetDefaultItem() const
{
    return m_nDefaultIndex >= 0 ? m_entries[static_cast<size_t>(m_nDefaultIndex)].nId : -1;
}

int CMenuXP::FindCommand(int nId) const
{
    for (size_t i = 0; i < m_entries.size(); ++i) {
        if (m_entries[i].nId == nId && (m_entries[i].uFlags & kSeparator) == 0)
            return static_cast<int>(i);
    }
    return -1;
}

bool CMenuXP::IsChoosable(int nIndex) const
{
    if (nIndex < 0 || nIndex >= GetMenuItemCount())
        return false;
    const CEntry& entry = GetEntry(nIndex);
    if ((entry.uFlags & (kSeparator | kGrayed | kDisabled)) != 0)
        return false;
    return !(CarriesSignature(entry) && (entry.pItem->m_bSeparator || entry.pItem->m_bSideBar));
}

bool CMenuXP::CarriesSignature(const CEntry& entry)
{
    return entry.pItem && entry.pItem->CarriesSignature();
}

unsigned CMenuXP::StateOf(int nIndex, bool bSelected) const
{
    const CEntry& entry = GetEntry(nIndex);
    unsigned uState = bSelected ? kStateSelected : 0;
    if (entry.uFlags & (kGrayed | kDisabled))
        uState |= kStateGrayed;
    if (entry.uFlags & kChecked)
        uState |= kStateChecked;
    if (nIndex == m_nDefaultIndex)
        uState |= kStateDefault;
    return uState;
}

QSize CMenuXP::MeasureItem(const CEntry& entry) const
{
    // Measured widths are used as they stand: nothing is added to them later.
    if (!CarriesSignature(entry))
        return MeasurePlain(entry);
    const CMenuXPItem& item = *entry.pItem;
    if (item.m_bSideBar)
        return CMenuXPLayout::SideBarSize(item.m_nSize);
    if (item.m_bSeparator)
        return CMenuXPLayout::SeparatorSize();
    // Bold, so that the default entry, which is drawn bold, fits.
    return CMenuXPLayout::TextItemSize(MeasureText(m_boldFont, item.m_strText), item.m_nSize);
}

QSize CMenuXP::MeasurePlain(const CEntry& entry) const
{
    if (entry.uFlags & kSeparator)
        return CMenuXPLayout::SeparatorSize();
    const CMyString& strText = entry.pItem ? entry.pItem->m_strText : entry.strText;
    const QSize text = MeasureText(m_font, strText);
    return QSize(text.width() + 2 * kPlainMargin,
                 std::max(text.height() + 4, static_cast<int>(CMenuXPLayout::kMenuButtonHeight)));
}

CMenuXPLayout CMenuXP::Arrange() const
{
    std::vector<CMenuXPLayout::CEntry> sizes;
    sizes.reserve(m_entries.size());
    for (const CEntry& entry : m_entries) {
        CMenuXPLayout::CEntry sized;
        sized.size = MeasureItem(entry);
        sized.bBreak = (entry.uFlags & kMenuBreak) != 0;
        sized.bBarBreak = (entry.uFlags & kMenuBarBreak) != 0;
        sizes.push_back(sized);
    }
    CMenuXPLayout layout;
    layout.Arrange(sizes);
    return layout;
}

int CMenuXP::TrackPopupMenu(QPoint screenPos, QWidget* pOwner)
{
    CMenuXPWindow window(*this, pOwner);
    return window.Track(screenPos);
}

void CMenuXP::DrawItem(QPainter& painter, const CEntry& entry, const QRect& rcItem, unsigned uState,
                       const QRect& rcClip) const
{
    if (!CarriesSignature(entry)) {
        DrawPlain(painter, entry, rcItem, uState);
        return;
    }
    const CMenuXPItem& item = *entry.pItem;
    if (item.m_bSideBar) {
        const QRect column(rcItem.left(), rcClip.top(), rcItem.width() + kSideBarOverlap, rcClip.height());
        DrawSideBar(painter, column, item);
    } else if (item.m_bSeparator) {
        DrawSeparator(painter, rcItem);
    } else {
        DrawTextItem(painter, item, rcItem, uState);
    }
}

void CMenuXP::DrawTextItem(QPainter& painter, const CMenuXPItem& item, const QRect& rcItem,
                           unsigned uState) const
{
    const bool bSelected = (uState & kStateSelected) != 0;
    DrawBackground(painter, rcItem, bSelected);
    const int nSide = item.m_bButtonOnly ? 0 : rcItem.height();
    const QRect square(rcItem.left(), rcItem.top(), nSide, nSide);
    if (nSide > 0) {
        DrawPictureFrame(painter, square, item, uState);
        DrawIcon(painter, square, item);
        if ((uState & kStateChecked) && item.m_icon.isNull() && !item.HasPicture())
            DrawCheckMark(painter, square, bSelected ? m_crSelectedText : m_crText);
    }
    const int nTextLeft = rcItem.left() + nSide + 2;
    const QRect textRect(nTextLeft, rcItem.top(), rcItem.left() + rcItem.width() - item.m_nSize - nTextLeft,
                         rcItem.height());
    DrawTextParts(painter, textRect, item.m_strText, uState);
    if (m_nMenuStyle == 2)
        DrawStyle2Extras(painter, rcItem, square, uState);
}

void CMenuXP::DrawBackground(QPainter& painter, const QRect& rect, bool bSelected) const
{
    painter.fillRect(rect, ToQColor(bSelected ? m_crSelectedBackground : m_crBackground));
}

void CMenuXP::DrawPictureFrame(QPainter& painter, const QRect& square, const CMenuXPItem& item,
                               unsigned uState) const
{
    const bool bFramed =
        m_nMenuStyle == 2 || (m_nMenuStyle == 0 && ((uState & kStateChecked) != 0 || !item.m_icon.isNull()));
    if (!bFramed || square.width() < 3)
        return;
    const QColor background = ToQColor(m_crBackground);
    DrawFlatRect(painter, square.adjusted(0, 0, -1, -1), FromQColor(background.darker(170)),
                 FromQColor(background.lighter(170)));
}

void CMenuXP::DrawIcon(QPainter& painter, const QRect& square, const CMenuXPItem& item) const
{
    const QRect inner = square.adjusted(2, 2, -2, -2);
    if (inner.isEmpty())
        return;
    if (!item.m_icon.isNull()) {
        item.m_icon.paint(&painter, inner);
        return;
    }
    if (item.m_pPicture)
        item.m_pPicture->Render(painter, inner, true);
}

void CMenuXP::DrawSideBar(QPainter& painter, const QRect& column, const CMenuXPItem& item) const
{
    FillGradient(painter, column, m_crSideBarTop, m_crSideBarBottom);
    if (item.m_strText.IsEmpty())
        return;
    painter.save();
    painter.setFont(MakeSkinFont("Arial", -16, 700));
    painter.setPen(ToQColor(kWhite));
    // Written bottom-up: turned a quarter to the left about the bottom-left corner.
    painter.translate(column.left(), column.top() + column.height());
    painter.rotate(-90);
    painter.drawText(QRect(4, 0, column.height() - 8, column.width()), Qt::AlignLeft | Qt::AlignVCenter,
                     ToQString(item.m_strText));
    painter.restore();
}

void CMenuXP::DrawSeparator(QPainter& painter, const QRect& rcItem) const
{
    DrawBackground(painter, rcItem, false);
    const QColor background = ToQColor(m_crBackground);
    const int nY = rcItem.top() + rcItem.height() / 2 - 1;
    painter.fillRect(rcItem.left() + 1, nY, rcItem.width() - 2, 1, background.darker(170));
    painter.fillRect(rcItem.left() + 1, nY + 1, rcItem.width() - 2, 1, background.lighter(170));
}

void CMenuXP::DrawText(QPainter& painter, const QRect& rect, const CMyString& strText, COLORREF crText,
                       bool bBold, int nAlignment) const
{
    if (strText.IsEmpty() || rect.width() <= 0)
        return;
    painter.save();
    painter.setFont(bBold ? m_boldFont : m_font);
    painter.setPen(ToQColor(crText));
    painter.drawText(rect, nAlignment | Qt::AlignVCenter | Qt::TextSingleLine, ToQString(strText));
    painter.restore();
}

void CMenuXP::DrawTextParts(QPainter& painter, const QRect& rect, const CMyString& strText,
                            unsigned uState) const
{
    CMyString strLeft;
    CMyString strRight;
    SplitAtTab(strText, strLeft, strRight);
    const bool bSelected = (uState & kStateSelected) != 0;
    const bool bBold = (uState & kStateDefault) != 0;
    auto drawBoth = [&](const QRect& where, COLORREF crText) {
        DrawText(painter, where, strLeft, crText, bBold, Qt::AlignLeft);
        DrawText(painter, where, strRight, crText, bBold, Qt::AlignRight);
    };
    if ((uState & kStateGrayed) == 0) {
        drawBoth(rect, bSelected ? m_crSelectedText : m_crText);
        return;
    }
    // Grayed: an engraved look, a light copy one pixel down and right first.
    if (!bSelected)
        drawBoth(rect.translated(1, 1), m_crSelectedText);
    drawBoth(rect, m_crDisabledText);
}

void CMenuXP::DrawCheckMark(QPainter& painter, const QRect& square, COLORREF crMark) const
{
    // Three parallel strokes of a tick, one pixel apart, make it bold.
    const QColor mark = ToQColor(crMark);
    const int nLeft = square.left() + square.width() / 2 - 4;
    const int nTop = square.top() + square.height() / 2 - 2;
    painter.save();
    painter.setPen(mark);
    for (int nStroke = 0; nStroke < 3; ++nStroke) {
        painter.drawLine(nLeft, nTop + nStroke, nLeft + 2, nTop + 2 + nStroke);
        painter.drawLine(nLeft + 2, nTop + 2 + nStroke, nLeft + 7, nTop - 3 + nStroke);
    }
    painter.restore();
}

void CMenuXP::DrawStyle2Extras(QPainter& painter, const QRect& rcItem, const QRect&, unsigned uState) const
{
    if ((uState & kStateSelected) == 0)
        return;
    painter.save();
    painter.setPen(ToQColor(m_crSelectedText));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rcItem.adjusted(0, 0, -1, -1));
    painter.restore();
}

void CMenuXP::DrawPlain(QPainter& painter, const CEntry& entry, const QRect& rcItem, unsigned uState) const
{
    const bool bSelected = (uState & kStateSelected) != 0;
    painter.fillRect(rcItem, ToQColor(GetSysColor(bSelected ? COLOR_HIGHLIGHT : COLOR_MENU)));
    if (entry.uFlags & kSeparator) {
        const int nY = rcItem.top() + rcItem.height() / 2;
        painter.fillRect(rcItem.left() + 1, nY, rcItem.width() - 2, 1,
                         ToQColor(GetSysColor(COLOR_BTNSHADOW)));
        return;
    }
    COLORREF crText = GetSysColor(bSelected ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT);
    if (uState & kStateGrayed)
        crText = GetSysColor(COLOR_GRAYTEXT);
    const CMyString& strText = entry.pItem ? entry.pItem->m_strText : entry.strText;
    CMyString strLeft;
    CMyString strRight;
    SplitAtTab(strText, strLeft, strRight);
    const QRect textRect = rcItem.adjusted(kPlainMargin, 0, -kPlainMargin / 2, 0);
    DrawText(painter, textRect, strLeft, crText, (uState & kStateDefault) != 0, Qt::AlignLeft);
    DrawText(painter, textRect, strRight, crText, (uState & kStateDefault) != 0, Qt::AlignRight);
}
