#include "RegClass.h"

#include "Registry.h"
#include "../support/TestHome.h"

#include <gtest/gtest.h>

namespace {

constexpr char kKey[] = "SOFTWARE\\Kestova";

class RegClassTest : public ::testing::Test
{
protected:
    CTestHome m_home;
    RegClass m_reg{kKey};
    CRegistry m_store;
};

TEST_F(RegClassTest, StringNamesMatchInAnyCaseNumberNamesOnlyExactly)
{
    ASSERT_EQ(m_reg.SetString("", "Search Settings", "1.2"), 0);
    ASSERT_EQ(m_reg.SetDword("Stations\\2", "Index", 7), 0);

    CMyString strText;
    EXPECT_EQ(m_reg.GetString("", "SEARCH SETTINGS", strText), 0);
    EXPECT_EQ(strText, "1.2");
    uint32_t uNumber = 0;
    EXPECT_EQ(m_reg.GetDword("Stations\\2", "index", uNumber), RegClass::kNoMoreItems);
    EXPECT_EQ(m_reg.GetDword("Stations\\2", "Index", uNumber), 0);
    EXPECT_EQ(uNumber, 7u);
    // Each reading takes only its own type.
    EXPECT_EQ(m_reg.GetString("Stations\\2", "Index", strText), RegClass::kNoMoreItems);
    EXPECT_EQ(m_reg.GetDword("", "Search Settings", uNumber), RegClass::kNoMoreItems);
    EXPECT_TRUE(m_store.KeyExists("SOFTWARE\\Kestova\\Stations\\2"));
}

TEST_F(RegClassTest, AMissingValueIsNoMoreItemsAndTheReadCreatesTheKey)
{
    CMyString strText("untouched");
    EXPECT_EQ(m_reg.GetString("Stations", "Name", strText), RegClass::kNoMoreItems);
    EXPECT_EQ(strText, "untouched");
    EXPECT_TRUE(m_store.KeyExists("SOFTWARE\\Kestova\\Stations"));
}

TEST_F(RegClassTest, NullArgumentsDoNothing)
{
    CMyString strText("untouched");
    uint32_t uNumber = 5;
    EXPECT_EQ(m_reg.SetString(nullptr, "Name", "x"), 0);
    EXPECT_EQ(m_reg.SetString("", nullptr, "x"), 0);
    EXPECT_EQ(m_reg.SetString("", "Name", nullptr), 0);
    EXPECT_EQ(m_reg.SetDword("", nullptr, 1), 0);
    EXPECT_EQ(m_reg.GetString("", nullptr, strText), 0);
    EXPECT_EQ(m_reg.GetDword(nullptr, "Name", uNumber), 0);
    EXPECT_EQ(strText, "untouched");
    EXPECT_EQ(uNumber, 5u);
    EXPECT_FALSE(std::filesystem::exists(m_home.StoreFile()));
}

TEST_F(RegClassTest, AStoreThatCannotBeWrittenGivesAnotherErrorThanMissing)
{
    CTestHome::WriteFile(m_home.Root() / "not-a-folder", "x");
    ::setenv("XDG_CONFIG_HOME", (m_home.Root() / "not-a-folder").c_str(), 1);
    RegClass reg(kKey);
    CMyString strText;

    const int nWrite = reg.SetString("", "Volume", "75");
    const int nRead = reg.GetString("", "Volume", strText);
    EXPECT_NE(nWrite, 0);
    EXPECT_NE(nWrite, RegClass::kNoMoreItems);
    EXPECT_NE(nRead, 0);
    EXPECT_NE(nRead, RegClass::kNoMoreItems);
}

TEST_F(RegClassTest, ReadValueReadsAnExistingKeyWithoutCreatingAnything)
{
    ASSERT_EQ(m_store.SetString("Software\\Clients\\StartMenuInternet", "", "FIREFOX.EXE"), 0);
    ASSERT_EQ(m_store.SetDword("Software\\Clients\\StartMenuInternet", "Count", 4000000000u), 0);

    CMyString strText;
    EXPECT_TRUE(RegClass::ReadValue("Software\\Clients\\StartMenuInternet", "", strText));
    EXPECT_EQ(strText, "FIREFOX.EXE");
    EXPECT_TRUE(RegClass::ReadValue("software\\clients\\startmenuinternet", "count", strText));
    EXPECT_EQ(strText, "4000000000");
    EXPECT_FALSE(RegClass::ReadValue("Software\\Missing", "", strText));
    EXPECT_FALSE(RegClass::ReadValue("Software\\Clients\\StartMenuInternet", "Missing", strText));
    EXPECT_FALSE(m_store.KeyExists("Software\\Missing"));
}

} // namespace
