// Fuzzes the skin file reader, CSkinInfo::Load, on the tree of any text, and
// ResolveColour on every entry of its palette. Checks: a refused document
// changes no colour; a loaded one gives the same colours when loaded a second
// time; every colour keeps its high byte zero; an entry "red,green,blue" gives
// each number modulo 256, and an entry without two commas changes nothing.
#include "FuzzGuiApp.h"
#include "FuzzSupport.h"
#include "MyXmlDom.h"
#include "SkinInfo.h"

#include <string>
#include <vector>

namespace {

std::vector<uint32_t> Values(const CButtonColours& colours)
{
    return {colours.crNormalTop, colours.crNormalBottom, colours.crHoverTop, colours.crHoverBottom,
            colours.uDoubleText, colours.crText,         colours.crText2};
}

// Every value the skin holds, buttons included.
std::vector<uint32_t> Values(const CSkinInfo& skin)
{
    std::vector<uint32_t> values = {skin.m_crTooltipBg,
                                    skin.m_crTooltipText,
                                    skin.m_crTreeBg,
                                    skin.m_crTreeText,
                                    skin.m_crTreeSelectedText,
                                    skin.m_crTreeSelectedBg,
                                    skin.m_crDialogGradientTop,
                                    skin.m_crDialogGradientBottom,
                                    skin.m_crDialogText,
                                    skin.m_crMainBg,
                                    skin.m_crTitleText,
                                    skin.m_crStatusText,
                                    skin.m_crStatusBg,
                                    skin.m_crMenuBg,
                                    skin.m_crMenuSelectedBg,
                                    skin.m_crMenuText,
                                    skin.m_crMenuSelectedText,
                                    skin.m_crMenuDisabledText,
                                    skin.m_crSideBarTop,
                                    skin.m_crSideBarBottom};
    for (const CButtonColours* pColours : {&skin.m_buttons, &skin.m_dialogButtons, &skin.m_toolbarButtons}) {
        const std::vector<uint32_t> buttons = Values(*pColours);
        values.insert(values.end(), buttons.begin(), buttons.end());
    }
    return values;
}

int Wrap(int nValue)
{
    return ((nValue % 256) + 256) % 256;
}

// Applies the palette entry of that name to crColour by the rule of
// SkinInfo.h; false when a number has no value that atoi defines.
bool ColourByTheRule(const CXmlNode* pPalette, const CMyString& strName, COLORREF& crColour)
{
    const CXmlNode* pEntry = LastChildNamed(pPalette, strName.GetText());
    const std::string strRed = pEntry != nullptr ? pEntry->GetText().GetText() : "";
    const std::size_t uFirst = strRed.find(',');
    const std::string strGreen = uFirst == std::string::npos ? "" : strRed.substr(uFirst + 1);
    const std::size_t uSecond = strGreen.find(',');
    if (uSecond == std::string::npos) {
        return true;
    }
    int nRed = 0;
    int nGreen = 0;
    int nBlue = 0;
    if (!ReadAtoi(strRed, nRed) || !ReadAtoi(strGreen, nGreen) ||
        !ReadAtoi(strGreen.substr(uSecond + 1), nBlue)) {
        return false;
    }
    crColour = static_cast<COLORREF>(Wrap(nRed) | Wrap(nGreen) << 8 | Wrap(nBlue) << 16);
    return true;
}

void CheckPalette(const CXmlNode* pPalette)
{
    for (int i = 0; i < pPalette->GetChildCount(); ++i) {
        const CMyString strName = pPalette->GetChild(i)->GetName();
        // Not a colour: shows whether ResolveColour wrote.
        constexpr COLORREF kUntouched = 0xFF000000;
        COLORREF crExpected = kUntouched;
        if (!ColourByTheRule(pPalette, strName, crExpected)) {
            continue;
        }
        COLORREF crColour = kUntouched;
        ResolveColour(pPalette, strName, &crColour);
        Check(crColour == crExpected, "an entry is red,green,blue each modulo 256, or changes nothing");
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    EnsureGuiApplication();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t uSize)
{
    CMyXmlDom dom;
    dom.Load(AsText(pData, uSize));
    if (const CXmlNode* pPalette = dom.GetRoot() ? LastChildNamed(dom.GetRoot(), "COLORS") : nullptr) {
        CheckPalette(pPalette);
    }
    const CSkinInfo defaults;
    CSkinInfo skin;
    if (!skin.Load(dom.GetRoot())) {
        Check(Values(skin) == Values(defaults), "a refused document changes nothing");
        return 0;
    }
    for (const uint32_t uValue : Values(skin)) {
        Check(uValue <= 0xFFFFFF, "a colour's high byte stays zero");
    }
    CSkinInfo again = skin;
    Check(again.Load(dom.GetRoot()), "a document that loaded loads again");
    Check(Values(again) == Values(skin), "loading the same document twice changes nothing more");
    return 0;
}
