#include "Settings.h"

#include "Registry.h"
#include "../support/TestHome.h"

#include <functional>
#include <gtest/gtest.h>

namespace {

constexpr char kKey[] = "SOFTWARE\\Kestova";

class SettingsTest : public ::testing::Test
{
protected:
    // The stored value as the store holds it: its text, or "dword:N".
    std::string Stored(const char* pName) const
    {
        CRegistry::Value value;
        if (m_store.GetValue(kKey, pName, value) != 0)
            return "(missing)";
        return value.bNumber ? "dword:" + std::to_string(value.uNumber) : value.strText.GetText();
    }

    CTestHome m_home;
    CRegistry m_store;
    Settings m_settings;
};

TEST_F(SettingsTest, AFreshUserGetsTheDefaults)
{
    CVersion version;
    EXPECT_EQ(m_settings.GetVolume(), 50);
    EXPECT_FALSE(m_settings.GetMute());
    EXPECT_TRUE(m_settings.GetCopySettings());
    EXPECT_FALSE(m_settings.IsInstallNeeded());
    EXPECT_TRUE(m_settings.GetVersion().IsEmpty());
    EXPECT_FALSE(m_settings.GetVersionNumber(version));
    EXPECT_FALSE(m_settings.GetSearchSettingsVersion(version));
    EXPECT_FALSE(m_settings.GetMoviesSettingsVersion(version));
    EXPECT_FALSE(m_settings.GetServerSettingsVersion(version));
    EXPECT_FALSE(m_settings.GetListVersionNumber("Sports.txt", version));
}

TEST_F(SettingsTest, StoredTextsReadByTheRulesOfEachValue)
{
    struct Case
    {
        const char* pName;
        const char* pStored;
        std::function<int(Settings&)> read;
        int nExpected;
    };
    const auto mute = [](Settings& settings) { return int(settings.GetMute()); };
    const auto copy = [](Settings& settings) { return int(settings.GetCopySettings()); };
    const auto install = [](Settings& settings) { return int(settings.IsInstallNeeded()); };
    const auto volume = [](Settings& settings) { return settings.GetVolume(); };
    const Case cases[] = {
        {"Mute", "TRUE", mute, 1},
        {"Mute", "true", mute, 0},
        {"Mute", "FALSE", mute, 0},
        {"Mute", "", mute, 0},
        {"Copy Settings", "FALSE", copy, 0},
        {"Copy Settings", "false", copy, 1},
        {"Copy Settings", "FALSE ", copy, 1},
        {"Copy Settings", "", copy, 1},
        {"Copy Settings", "TRUE", copy, 1},
        {"Install Needed", "TRUE", install, 1},
        {"Install Needed", "True", install, 0},
        {"Install Needed", " TRUE", install, 0},
        {"Volume", "75", volume, 75},
        {"Volume", "abc", volume, 0},
        {"Volume", "", volume, 0},
        {"Volume", " 42x", volume, 42},
        {"volume", "30", volume, 30},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(std::string(test.pName) + " = \"" + test.pStored + "\"");
        ASSERT_EQ(m_store.SetString(kKey, test.pName, test.pStored), 0);
        EXPECT_EQ(test.read(m_settings), test.nExpected);
        ASSERT_EQ(m_store.DeleteValue(kKey, test.pName), 0);
    }
}

TEST_F(SettingsTest, ANumberValueUnderASettingsNameIsNotItsText)
{
    ASSERT_EQ(m_store.SetDword(kKey, "Volume", 75), 0);
    EXPECT_EQ(m_settings.GetVolume(), 50);
}

TEST_F(SettingsTest, WritersStoreTheirTextsAsStrings)
{
    ASSERT_EQ(m_settings.SetVolume(75), 0);
    ASSERT_EQ(m_settings.SetMute(true), 0);
    ASSERT_EQ(m_settings.SetCopySettings(false), 0);
    ASSERT_EQ(m_settings.SetVersion("2.0.2.1"), 0);
    ASSERT_EQ(m_settings.SetListVersion("Sports.txt", "1.0.0.3"), 0);
    EXPECT_EQ(Stored("Volume"), "75");
    EXPECT_EQ(Stored("Mute"), "TRUE");
    EXPECT_EQ(Stored("Copy Settings"), "FALSE");
    EXPECT_EQ(Stored("Version"), "2.0.2.1");
    EXPECT_EQ(Stored("Sports.txt"), "1.0.0.3");

    ASSERT_EQ(m_settings.SetMute(false), 0);
    ASSERT_EQ(m_settings.SetCopySettings(true), 0);
    EXPECT_EQ(Stored("Mute"), "FALSE");
    EXPECT_EQ(Stored("Copy Settings"), "TRUE");
    EXPECT_FALSE(m_settings.GetMute());
    EXPECT_TRUE(m_settings.GetCopySettings());
}

TEST_F(SettingsTest, ListVersionsAreFoundInAnyCaseAndParsed)
{
    ASSERT_EQ(m_store.SetString(kKey, "search settings", "1.2.3.4"), 0);
    ASSERT_EQ(m_settings.SetMoviesSettings("2.5"), 0);
    ASSERT_EQ(m_settings.SetServerSettings("3.0.1"), 0);

    CVersion version;
    EXPECT_EQ(m_settings.GetSearchSettings(), "1.2.3.4");
    ASSERT_TRUE(m_settings.GetSearchSettingsVersion(version));
    EXPECT_EQ(version.GetField(3), 4);
    ASSERT_TRUE(m_settings.GetMoviesSettingsVersion(version));
    EXPECT_EQ(version.GetText(), "2.5");
    ASSERT_TRUE(m_settings.GetServerSettingsVersion(version));
    EXPECT_EQ(version.GetField(2), 1);
    EXPECT_EQ(m_settings.GetMoviesSettings(), "2.5");
    EXPECT_EQ(m_settings.GetServerSettings(), "3.0.1");
    ASSERT_TRUE(m_settings.GetListVersionNumber("SEARCH SETTINGS", version));
    EXPECT_EQ(version.GetText(), "1.2.3.4");
}

TEST_F(SettingsTest, AnEmptyVersionIsNoListVersionButTheProgramVersionExists)
{
    ASSERT_EQ(m_settings.SetSearchSettings(""), 0);
    ASSERT_EQ(m_settings.SetVersion(""), 0);

    CVersion version("9.9");
    EXPECT_FALSE(m_settings.GetSearchSettingsVersion(version));
    EXPECT_TRUE(m_settings.GetVersionNumber(version));
    EXPECT_FALSE(version.IsVersion());
}

TEST_F(SettingsTest, AFailedWriteIsReportedAndLeavesTheDefaults)
{
    CTestHome::WriteFile(m_home.Root() / "not-a-folder", "x");
    ::setenv("XDG_CONFIG_HOME", (m_home.Root() / "not-a-folder").c_str(), 1);
    EXPECT_NE(m_settings.SetVolume(75), 0);
    EXPECT_NE(m_settings.SetMute(true), 0);
    EXPECT_EQ(m_settings.GetVolume(), 50);
    EXPECT_FALSE(m_settings.GetMute());
}

} // namespace
