// CMenuXP: the program's popup menu. It keeps its entries and draws each one
// itself in the skin's menu colours: a picture square in front of every text,
// the default entry in bold, etched separators, accelerators right-aligned and
// a gradient side bar down the left edge. Entries are appended with their data
// (CMenuXPText, CMenuXPSeparator, CMenuXPSideBar), which the menu owns and
// deletes with itself. TrackPopupMenu shows the menu modally and returns the
// chosen command. The drawing steps are virtual so that a derived menu can
// change one of them. Not copyable: it owns its entries.
#pragma once

#include "Colour.h"
#include "KeyHelper.h"
#include "MenuXPItem.h"
#include "MenuXPLayout.h"
#include "MyString.h"

#include <QFont>
#include <QPoint>
#include <QRect>
#include <memory>
#include <vector>

class CMenuXPSideBar;
class QPainter;
class QWidget;

class CMenuXP
{
public:
    // Entry flags.
    static constexpr unsigned kGrayed = 0x0001;
    static constexpr unsigned kDisabled = 0x0002;
    static constexpr unsigned kChecked = 0x0008;
    static constexpr unsigned kMenuBarBreak = 0x0020;
    static constexpr unsigned kMenuBreak = 0x0040;
    static constexpr unsigned kOwnerDraw = 0x0100;
    static constexpr unsigned kSeparator = 0x0800;
    // Drawing states.
    static constexpr unsigned kStateSelected = 1;
    static constexpr unsigned kStateGrayed = 2;
    static constexpr unsigned kStateChecked = 8;
    static constexpr unsigned kStateDefault = 32;

    struct CEntry
    {
        unsigned uFlags = 0;
        int nId = 0;
        std::unique_ptr<CMenuXPItem> pItem; // the owner-drawn data; null for a plain entry
        CMyString strText;                  // a plain entry's text
    };

    CMenuXP();
    virtual ~CMenuXP();
    CMenuXP(const CMenuXP&) = delete;
    CMenuXP& operator=(const CMenuXP&) = delete;

    // Starts over with an empty popup menu.
    bool CreatePopupMenu();
    // Deletes every entry and its data.
    void DestroyMenu();

    // 0 frames checked squares and icons, 1 draws no frames, 2 also frames the
    // selection and every picture square.
    void SetMenuStyle(int nStyle) { m_nMenuStyle = nStyle; }
    int GetMenuStyle() const { return m_nMenuStyle; }

    // Appends the item, which the menu then owns, as an owner-drawn entry with
    // its command id. A pending break from AddSideBar starts a new column. With
    // an accelerator the text gets a tab and the accelerator's text. False for
    // a null item.
    bool AppendItem(unsigned uFlags, CMenuXPItem* pItem, const ACCEL* pAccel = nullptr);
    bool AppendSeparator();
    // Appends the side bar and makes the next entry start the column to its right.
    bool AddSideBar(CMenuXPSideBar* pSideBar);
    // A plain entry without owner-drawn data: measured and drawn the plain way.
    bool AppendMenu(unsigned uFlags, int nId, const CMyString& strText);

    // Makes the first entry with that command the default (bold); false, and no
    // default, when no entry has it.
    bool SetDefaultItem(int nId);
    // The default entry's command, or -1.
    int GetDefaultItem() const;

    int GetMenuItemCount() const { return static_cast<int>(m_entries.size()); }
    const CEntry& GetEntry(int nIndex) const { return m_entries[static_cast<size_t>(nIndex)]; }
    // The index of the first entry with that command, or -1.
    int FindCommand(int nId) const;
    // Whether choosing the entry gives its command: text entries that are not
    // grayed or disabled.
    bool IsChoosable(int nIndex) const;

    // The entry's size; the owner-drawn hook.
    virtual QSize MeasureItem(const CEntry& entry) const;
    // Draws the entry into rcItem; rcClip is the menu's whole client area,
    // which the side bar fills from top to bottom. The owner-drawn hook.
    virtual void DrawItem(QPainter& painter, const CEntry& entry, const QRect& rcItem, unsigned uState,
                          const QRect& rcClip) const;
    // The state an entry is drawn in when bSelected tells whether it is under
    // the mouse or the keyboard.
    unsigned StateOf(int nIndex, bool bSelected) const;
    // Every entry measured and stacked into columns.
    CMenuXPLayout Arrange() const;

    // Shows the menu with its top-left corner at the screen point and waits
    // until the user chooses an entry (its command) or dismisses the menu (0).
    int TrackPopupMenu(QPoint screenPos, QWidget* pOwner);

    COLORREF GetBackgroundColour() const { return m_crBackground; }
    const QFont& GetFont() const { return m_font; }

protected:
    virtual void DrawBackground(QPainter& painter, const QRect& rect, bool bSelected) const;
    virtual void DrawPictureFrame(QPainter& painter, const QRect& square, const CMenuXPItem& item,
                                  unsigned uState) const;
    // The icon, else the picture, stretched into the square less 2 pixels.
    virtual void DrawIcon(QPainter& painter, const QRect& square, const CMenuXPItem& item) const;
    virtual void DrawSideBar(QPainter& painter, const QRect& column, const CMenuXPItem& item) const;
    // One line of text, vertically centred, with the given alignment.
    virtual void DrawText(QPainter& painter, const QRect& rect, const CMyString& strText, COLORREF crText,
                          bool bBold, int nAlignment) const;
    virtual void DrawCheckMark(QPainter& painter, const QRect& square, COLORREF crMark) const;
    // The text before a tab on the left and the text after it right-aligned,
    // in the colours of the state.
    virtual void DrawTextParts(QPainter& painter, const QRect& rect, const CMyString& strText,
                               unsigned uState) const;
    virtual void DrawStyle2Extras(QPainter& painter, const QRect& rcItem, const QRect& square,
                                  unsigned uState) const;

private:
    bool AppendEntry(unsigned uFlags, int nId, CMenuXPItem* pItem, const CMyString& strText);
    QSize MeasurePlain(const CEntry& entry) const;
    void DrawPlain(QPainter& painter, const CEntry& entry, const QRect& rcItem, unsigned uState) const;
    void DrawSeparator(QPainter& painter, const QRect& rcItem) const;
    void DrawTextItem(QPainter& painter, const CMenuXPItem& item, const QRect& rcItem, unsigned uState) const;
    static bool CarriesSignature(const CEntry& entry);

    QFont m_font;
    QFont m_boldFont;
    COLORREF m_crBackground;
    COLORREF m_crSelectedBackground;
    COLORREF m_crText;
    COLORREF m_crSelectedText;
    COLORREF m_crDisabledText;
    COLORREF m_crSideBarTop;
    COLORREF m_crSideBarBottom;
    bool m_bBreak = false;
    bool m_bBarBreak = false;
    int m_nMenuStyle = 0;
    std::vector<CEntry> m_entries;
    int m_nDefaultIndex = -1;
};
