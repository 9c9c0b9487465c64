#include "Registry.h"
#include "../support/TestHome.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace {

class RegistryFileTest : public ::testing::Test
{
protected:
    CTestHome m_home;
    CRegistry m_registry;
};

TEST_F(RegistryFileTest, AFileEditedByHandIsRead)
{
    CTestHome::WriteFile(m_home.StoreFile(), "\xef\xbb\xbf; written by an installer\r\n"
                                             "\r\n"
                                             "  # another comment\n"
                                             "[SOFTWARE\\Kestova]\r\n"
                                             "  \"Install Needed\" = \"TRUE\"\r\n"
                                             "\"Volume\"=\"80\"\n"
                                             "[\\SOFTWARE\\Kestova\\Stations\\\\1\\]\n"
                                             "\"Index\"=DWORD:2A\n"
                                             "[software\\kestova]\n"
                                             "\"volume\"=\"90\"\n");
    CRegistry::Value value;
    ASSERT_EQ(m_registry.GetValue("SOFTWARE\\Kestova", "Install Needed", value), 0);
    EXPECT_EQ(value.strText, "TRUE");
    // A name given twice counts once; the later line wins.
    ASSERT_EQ(m_registry.GetValue("SOFTWARE\\Kestova", "Volume", value), 0);
    EXPECT_EQ(value.strText, "90");
    ASSERT_EQ(m_registry.GetValue("SOFTWARE\\Kestova\\Stations\\1", "Index", value), 0);
    EXPECT_TRUE(value.bNumber);
    EXPECT_EQ(value.uNumber, 42u);

    // The next write keeps everything and puts the file in its own spelling.
    ASSERT_EQ(m_registry.SetString("SOFTWARE\\Kestova", "Mute", "FALSE"), 0);
    const std::string strFile = CTestHome::ReadFile(m_home.StoreFile());
    EXPECT_NE(
        strFile.find(
            "[SOFTWARE\\Kestova]\n\"Install Needed\"=\"TRUE\"\n\"Volume\"=\"90\"\n\"Mute\"=\"FALSE\"\n"),
        std::string::npos);
    EXPECT_NE(strFile.find("[SOFTWARE\\Kestova\\Stations\\1]\n\"Index\"=dword:0000002a\n"),
              std::string::npos);
}

TEST_F(RegistryFileTest, ADamagedFileIsKeptAsideReportedOnceAndTheStoreStartsAfresh)
{
    const std::string cases[] = {
        std::string("[SOFTWARE\\Kestova]\n\"Volume\"=\"50\"\n") +
            std::string("\x89PNG\r\n\x1a\n\0\xff\xfe binary", 18),
        "\"Volume\"=\"50\"\n",                         // a value before any key
        "[SOFTWARE\\Kestova]\n\"Volume\"=\"50\n",      // an open quote
        "[SOFTWARE\\Kestova]\n\"Volume\"=\"5\\q0\"\n", // an unknown escape
        "[SOFTWARE\\Kestova]\n\"Index\"=dword:123456789\n",
        "[SOFTWARE\\Kestova]\n\"Index\"=dword:\n",
        "[SOFTWARE\\Kestova]\n\"Volume\"=\"50\" trailing\n",
        "[SOFTWARE\\Kestova\n",
        "[]\n",
        "Volume=50\n",
    };
    const std::filesystem::path aside = m_home.StoreFile().string() + ".damaged";
    for (const std::string& strDamaged : cases) {
        SCOPED_TRACE(strDamaged);
        CTestHome::WriteFile(m_home.StoreFile(), strDamaged);

        ::testing::internal::CaptureStderr();
        CRegistry::Value value;
        EXPECT_EQ(m_registry.GetValue("SOFTWARE\\Kestova", "Volume", value), CRegistry::kNotFound);
        EXPECT_FALSE(m_registry.KeyExists("SOFTWARE\\Kestova"));
        ASSERT_EQ(m_registry.SetString("SOFTWARE\\Kestova", "Mute", "TRUE"), 0);
        const std::string strReport = ::testing::internal::GetCapturedStderr();

        EXPECT_EQ(std::count(strReport.begin(), strReport.end(), '\n'), 1) << strReport;
        EXPECT_NE(strReport.find("damaged"), std::string::npos);
        EXPECT_EQ(CTestHome::ReadFile(aside), strDamaged);
        ASSERT_EQ(m_registry.GetValue("SOFTWARE\\Kestova", "Mute", value), 0);
        EXPECT_EQ(value.strText, "TRUE");
        std::filesystem::remove(aside);
    }
}

TEST_F(RegistryFileTest, AWriteOverADamagedFileKeepsItAsideToo)
{
    CTestHome::WriteFile(m_home.StoreFile(), "garbage\n");
    ::testing::internal::CaptureStderr();
    ASSERT_EQ(m_registry.SetString("SOFTWARE\\Kestova", "Volume", "75"), 0);
    const std::string strReport = ::testing::internal::GetCapturedStderr();

    EXPECT_EQ(std::count(strReport.begin(), strReport.end(), '\n'), 1) << strReport;
    EXPECT_EQ(CTestHome::ReadFile(m_home.StoreFile().string() + ".damaged"), "garbage\n");
    CRegistry::Value value;
    ASSERT_EQ(m_registry.GetValue("SOFTWARE\\Kestova", "Volume", value), 0);
    EXPECT_EQ(value.strText, "75");
}

TEST_F(RegistryFileTest, AnEmptyFileIsAnEmptyStoreNotADamagedOne)
{
    CTestHome::WriteFile(m_home.StoreFile(), "");
    ::testing::internal::CaptureStderr();
    CRegistry::Value value;
    EXPECT_EQ(m_registry.GetValue("SOFTWARE\\Kestova", "Volume", value), CRegistry::kNotFound);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
    EXPECT_FALSE(std::filesystem::exists(m_home.StoreFile().string() + ".damaged"));
}

} // namespace
