// The skin's colours: one global object, filled once at start from
// "res\Skin\SkinInfo.xml" below the program folder, with built-in defaults for
// whatever the file does not give. Controls copy the colours they need when
// they are made, so the object is never reloaded. Every colour element of the
// file names an entry of its palette ("COLORS"), whose text is "red,green,blue".
// Copying a CSkinInfo copies a few dozen numbers.
#pragma once

#include "ButtonColours.h"
#include "Colour.h"
#include "MyString.h"

class CXmlNode;

// The program folder, without a trailing separator. Relative picture paths that
// do not exist as they stand are tried again below it. Empty until the skin or
// the main frame sets it.
extern CMyString g_strPath;

class CSkinInfo
{
public:
    // The defaults; nothing is read.
    CSkinInfo();
    virtual ~CSkinInfo() = default;

    void SetDefaults();
    // Reads a skin file over the current values. False, changing nothing, when
    // the file cannot be read or parsed, its root is not "SKIN_INFO" or it has
    // no palette.
    bool LoadFile(const CMyString& strFile);
    // The same for a parsed document's root.
    bool Load(const CXmlNode* pRoot);

    COLORREF m_crTooltipBg;
    COLORREF m_crTooltipText;
    COLORREF m_crTreeBg;
    COLORREF m_crTreeText;
    COLORREF m_crTreeSelectedText;
    COLORREF m_crTreeSelectedBg;
    CButtonColours m_buttons;        // "BUTTONS": kept, no control takes it
    CButtonColours m_dialogButtons;  // "DIALOGS" / "BUTTONS": kept, no control takes it
    CButtonColours m_toolbarButtons; // "TOOLBAR" / "BUTTONS": search bar, message box, update dialog
    COLORREF m_crDialogGradientTop;
    COLORREF m_crDialogGradientBottom;
    COLORREF m_crDialogText;
    COLORREF m_crMainBg;
    COLORREF m_crTitleText;
    COLORREF m_crStatusText;
    COLORREF m_crStatusBg;
    COLORREF m_crMenuBg;
    COLORREF m_crMenuSelectedBg;
    COLORREF m_crMenuText;
    COLORREF m_crMenuSelectedText;
    COLORREF m_crMenuDisabledText;
    COLORREF m_crSideBarTop;
    COLORREF m_crSideBarBottom;

private:
    void LoadButtons(const CXmlNode* pPalette, const CXmlNode* pButtons, CButtonColours& colours);
    void LoadTree(const CXmlNode* pPalette, const CXmlNode* pSection);
    void LoadTooltip(const CXmlNode* pPalette, const CXmlNode* pSection);
    void LoadDialogs(const CXmlNode* pPalette, const CXmlNode* pSection);
    void LoadStatusArea(const CXmlNode* pPalette, const CXmlNode* pSection);
    void LoadSearchMenu(const CXmlNode* pPalette, const CXmlNode* pSection);
};

// The program's skin. The first call fills it: the defaults, then g_strPath
// (set to the install path when empty), then g_strPath + "\res\Skin\SkinInfo.xml".
// Make the first call after the QApplication exists, so that the defaults
// taken from the desktop's colours are the desktop's.
CSkinInfo& GetSkinInfo();

// Sets *pColour to the palette entry named strName (ASCII case-insensitive).
// An entry is "red,green,blue": each number is read like atoi and wraps modulo
// 256. A missing palette, name, entry or comma leaves *pColour unchanged.
void ResolveColour(const CXmlNode* pPalette, const CMyString& strName, COLORREF* pColour);
