// The skin file's rules: what a file must hold to count, how palette entries
// are read, and which defaults stay.
#include "SkinInfo.h"

#include "../support/TestHome.h"
#include "MyXmlDom.h"
#include "SkinTestSupport.h"

#include <QGuiApplication>
#include <QPalette>
#include <functional>
#include <gtest/gtest.h>

namespace {

struct SkinCase
{
    const char* pName;
    const char* pXml;
    bool bLoads;
    std::function<COLORREF(const CSkinInfo&)> field;
    COLORREF crExpected;
};

std::ostream& operator<<(std::ostream& stream, const SkinCase& skinCase)
{
    return stream << skinCase.pName;
}

constexpr COLORREF kDefaultSlate = Rgb(127, 137, 144);

COLORREF MainBg(const CSkinInfo& skin)
{
    return skin.m_crMainBg;
}

class SkinFileRules : public ::testing::TestWithParam<SkinCase>
{
protected:
    void SetUp() override { EnsureApplication(); }
    CTestHome m_home;
};

TEST_P(SkinFileRules, LoadsOrKeepsTheDefault)
{
    const SkinCase& skinCase = GetParam();
    const auto file = m_home.Root() / "SkinInfo.xml";
    CTestHome::WriteFile(file, skinCase.pXml);
    CSkinInfo skin;
    EXPECT_EQ(skin.LoadFile(PathText(file)), skinCase.bLoads);
    EXPECT_EQ(skinCase.field(skin), skinCase.crExpected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, SkinFileRules,
    ::testing::Values(
        SkinCase{"LowerCaseRoot",
                 "<skin_info><colors><c>1,2,3</c></colors><main_bg_color>C</main_bg_color></skin_info>", true,
                 MainBg, Rgb(1, 2, 3)},
        SkinCase{"OtherRoot", "<SKIN><COLORS><C>1,2,3</C></COLORS><MAIN_BG_COLOR>C</MAIN_BG_COLOR></SKIN>",
                 false, MainBg, kDefaultSlate},
        SkinCase{"NoPaletteIgnoresSections",
                 "<SKIN_INFO><MAIN_BG_COLOR>C</MAIN_BG_COLOR><TREE><BG_COLOR>C</BG_COLOR></TREE></SKIN_INFO>",
                 false, [](const CSkinInfo& skin) { return skin.m_crTreeBg; }, kDefaultSlate},
        SkinCase{"SpacesAroundNumbers",
                 "<SKIN_INFO><COLORS><C>10, 20 ,30</C></COLORS><MAIN_BG_COLOR>C</MAIN_BG_COLOR></SKIN_INFO>",
                 true, MainBg, Rgb(10, 20, 30)},
        SkinCase{"OneCommaKeepsDefault",
                 "<SKIN_INFO><COLORS><C>10,20</C></COLORS><MAIN_BG_COLOR>C</MAIN_BG_COLOR></SKIN_INFO>", true,
                 MainBg, kDefaultSlate},
        SkinCase{"OutOfRangeWraps",
                 "<SKIN_INFO><COLORS><C>300,-1,256</C></COLORS><MAIN_BG_COLOR>C</MAIN_BG_COLOR></SKIN_INFO>",
                 true, MainBg, Rgb(44, 255, 0)},
        SkinCase{"NonNumericIsZero",
                 "<SKIN_INFO><COLORS><C>red,7,x</C></COLORS><MAIN_BG_COLOR>C</MAIN_BG_COLOR></SKIN_INFO>",
                 true, MainBg, Rgb(0, 7, 0)},
        SkinCase{
            "ValueInsteadOfNameKeepsDefault",
            "<SKIN_INFO><COLORS><C>1,2,3</C></COLORS><TREE><BG_COLOR>1,2,3</BG_COLOR></TREE></SKIN_INFO>",
            true, [](const CSkinInfo& skin) { return skin.m_crTreeBg; }, kDefaultSlate},
        SkinCase{"NamesIgnoreCaseAndLastEntryCounts",
                 "<SKIN_INFO><COLORS><Dark>1,1,1</Dark><DARK>9,9,9</DARK></COLORS>"
                 "<STATUS_AREA><BG_COLOR>dark</BG_COLOR></STATUS_AREA></SKIN_INFO>",
                 true, [](const CSkinInfo& skin) { return skin.m_crStatusBg; }, Rgb(9, 9, 9)},
        SkinCase{
            "DoubleTextInCapitalsReadsSecondColour",
            "<SKIN_INFO><COLORS><C>1,2,3</C></COLORS><TOOLBAR><BUTTONS><TEXT><DOUBLE_TEXT>TRUE</DOUBLE_TEXT>"
            "<TEXT_COLOR2>C</TEXT_COLOR2></TEXT></BUTTONS></TOOLBAR></SKIN_INFO>",
            true, [](const CSkinInfo& skin) { return skin.m_toolbarButtons.crText2; }, Rgb(1, 2, 3)},
        SkinCase{
            "OtherDoubleTextSkipsSecondColour",
            "<SKIN_INFO><COLORS><C>1,2,3</C></COLORS><TOOLBAR><BUTTONS><TEXT><DOUBLE_TEXT>yes</DOUBLE_TEXT>"
            "<TEXT_COLOR2>C</TEXT_COLOR2></TEXT></BUTTONS></TOOLBAR></SKIN_INFO>",
            true, [](const CSkinInfo& skin) { return skin.m_toolbarButtons.crText2; }, Rgb(255, 255, 255)},
        SkinCase{"NestedSectionsReachTheirSets",
                 "<SKIN_INFO><COLORS><C>5,6,7</C></COLORS><DIALOGS><BUTTONS><HOVER><GRADIENT_BOTTOM>C"
                 "</GRADIENT_BOTTOM></HOVER></BUTTONS></DIALOGS></SKIN_INFO>",
                 true, [](const CSkinInfo& skin) { return skin.m_dialogButtons.crHoverBottom; },
                 Rgb(5, 6, 7)},
        SkinCase{
            "SideBarOfTheMenu",
            "<SKIN_INFO><COLORS><C>5,6,7</C></COLORS><SEARCH_MENU><SIDE_BAR><GRADIENT_TOP>C</GRADIENT_TOP>"
            "</SIDE_BAR></SEARCH_MENU></SKIN_INFO>",
            true, [](const CSkinInfo& skin) { return skin.m_crSideBarTop; }, Rgb(5, 6, 7)},
        SkinCase{"Unparsable", "<SKIN_INFO><COLORS>", false, MainBg, kDefaultSlate}),
    [](const ::testing::TestParamInfo<SkinCase>& info) { return std::string(info.param.pName); });

TEST(SkinInfo, TwoSectionsNamingOneColourShareIt)
{
    EnsureApplication();
    CMyXmlDom dom;
    ASSERT_TRUE(dom.Load("<SKIN_INFO><COLORS><C>4,5,6</C></COLORS><TREE><BG_COLOR>C</BG_COLOR></TREE>"
                         "<TOOLTIP><BG_COLOR>C</BG_COLOR></TOOLTIP></SKIN_INFO>"));
    CSkinInfo skin;
    ASSERT_TRUE(skin.Load(dom.GetRoot()));
    EXPECT_EQ(skin.m_crTreeBg, Rgb(4, 5, 6));
    EXPECT_EQ(skin.m_crTooltipBg, Rgb(4, 5, 6));
    EXPECT_EQ(skin.m_crTooltipText, Rgb(0, 0, 0));
}

TEST(SkinInfo, MissingFileLeavesEveryDefault)
{
    EnsureApplication();
    CTestHome home;
    g_strPath = PathText(home.Root());
    const CSkinInfo& skin = GetSkinInfo();
    EXPECT_EQ(skin.m_crMainBg, kDefaultSlate);
    EXPECT_EQ(skin.m_crTitleText, Rgb(255, 255, 255));
    EXPECT_EQ(skin.m_crTooltipBg, Rgb(188, 219, 255));
    EXPECT_EQ(skin.m_toolbarButtons.crHoverTop, Rgb(240, 255, 255));
    EXPECT_EQ(skin.m_toolbarButtons.uDoubleText, 0u);
}

TEST(SkinInfo, GlobalSkinReadsTheProgramFoldersFile)
{
    EnsureApplication();
    CTestHome home;
    CTestHome::WriteFile(
        home.Root() / "res" / "skin" / "skininfo.xml",
        "<SKIN_INFO><COLORS><C>1,2,3</C></COLORS><TITLE_TEXT_COLOR>C</TITLE_TEXT_COLOR></SKIN_INFO>");
    g_strPath = PathText(home.Root());
    EXPECT_EQ(GetSkinInfo().m_crTitleText, Rgb(1, 2, 3));
}

TEST(SkinInfo, MenuDefaultsFollowTheDesktopPalette)
{
    EnsureApplication();
    QPalette palette = QGuiApplication::palette();
    palette.setColor(QPalette::Active, QPalette::Highlight, QColor(12, 34, 56));
    QGuiApplication::setPalette(palette);
    const CSkinInfo skin;
    EXPECT_EQ(skin.m_crMenuSelectedBg, Rgb(12, 34, 56));
}

TEST(SkinInfo, ShippedSkinFileSetsEverySection)
{
    EnsureApplication();
    CSkinInfo skin;
    ASSERT_TRUE(skin.LoadFile(PathText(SourceRoot() / "res" / "Skin" / "SkinInfo.xml")));
    const CSkinInfo defaults;
    EXPECT_NE(skin.m_crMainBg, defaults.m_crMainBg);
    EXPECT_NE(skin.m_crTreeBg, defaults.m_crTreeBg);
    EXPECT_NE(skin.m_crTooltipBg, defaults.m_crTooltipBg);
    EXPECT_NE(skin.m_crDialogGradientTop, defaults.m_crDialogGradientTop);
    EXPECT_NE(skin.m_crStatusBg, defaults.m_crStatusBg);
    EXPECT_NE(skin.m_crMenuBg, defaults.m_crMenuBg);
    EXPECT_NE(skin.m_crSideBarTop, defaults.m_crSideBarTop);
    EXPECT_NE(skin.m_toolbarButtons.crNormalTop, defaults.m_toolbarButtons.crNormalTop);
    EXPECT_NE(skin.m_toolbarButtons.crText, defaults.m_toolbarButtons.crText);
}

} // namespace
