#include "Registry.h"
#include "../support/TestHome.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <set>

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

// One damaged line costs only itself (and the values under a damaged key
// line): every value that can be read is kept and written back, the damaged
// file is set aside under a name that never overwrites an earlier copy, the
// report comes once on stderr, and the program hears of it once.
TEST_F(RegistryFileTest, ADamagedFileKeepsWhatCanBeReadAndIsSetAsideUnderANewName)
{
    struct Case
    {
        std::string strText;
        const char* pVolume; // what "Volume" reads afterwards, or null when it is lost
    };
    const std::string strGood = "[SOFTWARE\\Kestova]\n\"Volume\"=\"50\"\n";
    const Case cases[] = {
        {strGood + std::string("\x89PNG\r\n\x1a\n\0\xff\xfe binary", 18), "50"},
        {"\"Volume\"=\"50\"\n", nullptr}, // a value before any key
        {strGood + "\"Mute\"=\"50\n", "50"},           // an open quote
        {strGood + "\"Mute\"=\"5\\q0\"\n", "50"},      // an unknown escape
        {strGood + "\"Index\"=dword:123456789\n", "50"},
        {"[SOFTWARE\\Kestova]\n\"Volume\"=\"50\" trailing\n", nullptr},
        {"[SOFTWARE\\Kestova\n\"Volume\"=\"50\"\n", nullptr}, // the values of a broken key line
        {"garbage\n" + strGood + "[]\nVolume=50\n", "50"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.strText);
        CTestHome::WriteFile(m_home.StoreFile(), c.strText);
        ::testing::internal::CaptureStderr();
        CRegistry::Value value;
        const int nRead = m_registry.GetValue("SOFTWARE\\Kestova", "Volume", value);
        ASSERT_EQ(m_registry.SetString("SOFTWARE\\Kestova", "Mute", "TRUE"), 0);
        const std::string strReport = ::testing::internal::GetCapturedStderr();
        if (c.pVolume != nullptr) {
            ASSERT_EQ(nRead, 0);
            EXPECT_EQ(value.strText, c.pVolume);
        } else {
            EXPECT_EQ(nRead, CRegistry::kNotFound);
        }
        EXPECT_EQ(std::count(strReport.begin(), strReport.end(), '\n'), 1) << strReport;
        const std::string strAside = CRegistry::TakeDamagedCopy().GetText();
        EXPECT_EQ(CTestHome::ReadFile(strAside), c.strText);
        EXPECT_TRUE(CRegistry::TakeDamagedCopy().IsEmpty()) << "told once";
        // The store is whole again, with what was kept and the new value.
        ASSERT_EQ(m_registry.GetValue("SOFTWARE\\Kestova", "Mute", value), 0);
        EXPECT_EQ(value.strText, "TRUE");
        EXPECT_EQ(m_registry.GetValue("SOFTWARE\\Kestova", "Volume", value) == 0, c.pVolume != nullptr);
    }
    // Every damaged file of the run is still there, each under its own name.
    std::set<std::string> copies;
    for (const auto& entry : std::filesystem::directory_iterator(m_home.StoreFile().parent_path()))
        if (entry.path().filename().string().find(".damaged") != std::string::npos)
            copies.insert(CTestHome::ReadFile(entry.path()));
    EXPECT_EQ(copies.size(), std::size(cases));
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
