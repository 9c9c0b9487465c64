#include "SkinInfo.h"

#include "Logging.h"
#include "MyXmlDom.h"
#include "Settings.h"
#include "SystemColour.h"

CMyString g_strPath;

namespace {

constexpr COLORREF kLightBlue = Rgb(188, 219, 255);
constexpr COLORREF kSlate = Rgb(127, 137, 144);
constexpr COLORREF kBlack = Rgb(0, 0, 0);
constexpr COLORREF kWhite = Rgb(255, 255, 255);

// The text after the first comma of strText, or false when there is none.
bool AfterComma(const CMyString& strText, CMyString& strRest)
{
    const int nComma = strText.Find(',');
    if (nComma < 0)
        return false;
    const int nStart = nComma + 1;
    strRest = strText.Mid(nStart, static_cast<int>(strText.GetLength()) - nStart);
    return true;
}

void ResolveChild(const CXmlNode* pPalette, const CXmlNode* pSection, const char* pElement, COLORREF* pColour)
{
    ResolveColour(pPalette, pSection->GetChildText(pElement), pColour);
}

} // namespace

void ResolveColour(const CXmlNode* pPalette, const CMyString& strName, COLORREF* pColour)
{
    if (pPalette == nullptr || pColour == nullptr || strName.IsEmpty())
        return;
    const CMyString strValue = pPalette->GetChildText(strName);
    CMyString strGreen;
    CMyString strBlue;
    if (strValue.IsEmpty() || !AfterComma(strValue, strGreen) || !AfterComma(strGreen, strBlue))
        return;
    *pColour = Rgb(strValue.ToInt(), strGreen.ToInt(), strBlue.ToInt());
}

CSkinInfo::CSkinInfo()
{
    SetDefaults();
}

void CSkinInfo::SetDefaults()
{
    m_crTooltipBg = kLightBlue;
    m_crTooltipText = kBlack;
    m_crTreeBg = kSlate;
    m_crTreeText = kBlack;
    m_crTreeSelectedText = kBlack;
    m_crTreeSelectedBg = kLightBlue;
    m_buttons = CButtonColours();
    m_dialogButtons = CButtonColours();
    m_toolbarButtons = CButtonColours();
    m_crDialogGradientTop = kLightBlue;
    m_crDialogGradientBottom = kSlate;
    m_crDialogText = kBlack;
    m_crMainBg = kSlate;
    m_crTitleText = kWhite;
    m_crStatusText = kLightBlue;
    m_crStatusBg = kBlack;
    m_crMenuBg = GetSysColor(COLOR_MENU);
    m_crMenuSelectedBg = GetSysColor(COLOR_HIGHLIGHT);
    m_crMenuText = GetSysColor(COLOR_MENUTEXT);
    m_crMenuSelectedText = GetSysColor(COLOR_HIGHLIGHTTEXT);
    m_crMenuDisabledText = GetSysColor(COLOR_GRAYTEXT);
    m_crSideBarTop = kLightBlue;
    m_crSideBarBottom = kSlate;
}

bool CSkinInfo::LoadFile(const CMyString& strFile)
{
    CMyXmlDom dom;
    return dom.LoadFile(strFile) && Load(dom.GetRoot());
}

bool CSkinInfo::Load(const CXmlNode* pRoot)
{
    if (pRoot == nullptr || !pRoot->GetName().EqualsNoCase("SKIN_INFO"))
        return false;
    const CXmlNode* pPalette = pRoot->FindChild("COLORS");
    if (pPalette == nullptr)
        return false;
    ResolveChild(pPalette, pRoot, "MAIN_BG_COLOR", &m_crMainBg);
    ResolveChild(pPalette, pRoot, "TITLE_TEXT_COLOR", &m_crTitleText);
    LoadButtons(pPalette, pRoot->FindChild("BUTTONS"), m_buttons);
    LoadTree(pPalette, pRoot->FindChild("TREE"));
    LoadTooltip(pPalette, pRoot->FindChild("TOOLTIP"));
    LoadDialogs(pPalette, pRoot->FindChild("DIALOGS"));
    LoadStatusArea(pPalette, pRoot->FindChild("STATUS_AREA"));
    LoadSearchMenu(pPalette, pRoot->FindChild("SEARCH_MENU"));
    if (const CXmlNode* pToolbar = pRoot->FindChild("TOOLBAR"))
        LoadButtons(pPalette, pToolbar->FindChild("BUTTONS"), m_toolbarButtons);
    return true;
}

void CSkinInfo::LoadButtons(const CXmlNode* pPalette, const CXmlNode* pButtons, CButtonColours& colours)
{
    if (pButtons == nullptr)
        return;
    if (const CXmlNode* pNormal = pButtons->FindChild("NORMAL")) {
        ResolveChild(pPalette, pNormal, "GRADIENT_TOP", &colours.crNormalTop);
        ResolveChild(pPalette, pNormal, "GRADIENT_BOTTOM", &colours.crNormalBottom);
    }
    if (const CXmlNode* pHover = pButtons->FindChild("HOVER")) {
        ResolveChild(pPalette, pHover, "GRADIENT_TOP", &colours.crHoverTop);
        ResolveChild(pPalette, pHover, "GRADIENT_BOTTOM", &colours.crHoverBottom);
    }
    const CXmlNode* pText = pButtons->FindChild("TEXT");
    if (pText == nullptr)
        return;
    ResolveChild(pPalette, pText, "TEXT_COLOR", &colours.crText);
    if (pText->GetChildText("DOUBLE_TEXT").EqualsNoCase("true"))
        colours.uDoubleText = 1;
    if (colours.uDoubleText == 1)
        ResolveChild(pPalette, pText, "TEXT_COLOR2", &colours.crText2);
}

void CSkinInfo::LoadTree(const CXmlNode* pPalette, const CXmlNode* pSection)
{
    if (pSection == nullptr)
        return;
    ResolveChild(pPalette, pSection, "BG_COLOR", &m_crTreeBg);
    ResolveChild(pPalette, pSection, "TEXT_COLOR", &m_crTreeText);
    ResolveChild(pPalette, pSection, "SELECTED_BG_COLOR", &m_crTreeSelectedBg);
    ResolveChild(pPalette, pSection, "TEXT_SELECTED_COLOR", &m_crTreeSelectedText);
}

void CSkinInfo::LoadTooltip(const CXmlNode* pPalette, const CXmlNode* pSection)
{
    if (pSection == nullptr)
        return;
    ResolveChild(pPalette, pSection, "BG_COLOR", &m_crTooltipBg);
    ResolveChild(pPalette, pSection, "TEXT_COLOR", &m_crTooltipText);
}

void CSkinInfo::LoadDialogs(const CXmlNode* pPalette, const CXmlNode* pSection)
{
    if (pSection == nullptr)
        return;
    ResolveChild(pPalette, pSection, "GRADIENT_TOP", &m_crDialogGradientTop);
    ResolveChild(pPalette, pSection, "GRADIENT_BOTTOM", &m_crDialogGradientBottom);
    ResolveChild(pPalette, pSection, "TEXT_COLOR", &m_crDialogText);
    LoadButtons(pPalette, pSection->FindChild("BUTTONS"), m_dialogButtons);
}

void CSkinInfo::LoadStatusArea(const CXmlNode* pPalette, const CXmlNode* pSection)
{
    if (pSection == nullptr)
        return;
    ResolveChild(pPalette, pSection, "BG_COLOR", &m_crStatusBg);
    ResolveChild(pPalette, pSection, "TEXT_COLOR", &m_crStatusText);
}

void CSkinInfo::LoadSearchMenu(const CXmlNode* pPalette, const CXmlNode* pSection)
{
    if (pSection == nullptr)
        return;
    ResolveChild(pPalette, pSection, "BG_COLOR", &m_crMenuBg);
    ResolveChild(pPalette, pSection, "SELECTED_BG_COLOR", &m_crMenuSelectedBg);
    ResolveChild(pPalette, pSection, "TEXT_COLOR", &m_crMenuText);
    ResolveChild(pPalette, pSection, "TEXT_SELECTED_COLOR", &m_crMenuSelectedText);
    ResolveChild(pPalette, pSection, "TEXT_DISABLED_COLOR", &m_crMenuDisabledText);
    if (const CXmlNode* pSideBar = pSection->FindChild("SIDE_BAR")) {
        ResolveChild(pPalette, pSideBar, "GRADIENT_TOP", &m_crSideBarTop);
        ResolveChild(pPalette, pSideBar, "GRADIENT_BOTTOM", &m_crSideBarBottom);
    }
}

CSkinInfo& GetSkinInfo()
{
    static CSkinInfo s_skin = [] {
        CSkinInfo skin;
        CMyString strLine;
        if (g_strPath.IsEmpty()) {
            g_strPath = Settings().GetInstallPath();
            strLine = "g_strPath Was Empty ";
        } else {
            strLine = "g_strPath Not Empty ";
        }
        strLine += g_strPath;
        OutputDebugString(strLine.GetText());
        CMyString strFile(g_strPath);
        strFile += "\\res\\Skin\\SkinInfo.xml";
        skin.LoadFile(strFile);
        return skin;
    }();
    return s_skin;
}
