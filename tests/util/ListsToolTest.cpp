#include "ListsTool.h"

#include "FileHandler.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <sstream>
#include <string>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

std::string Scrambled(std::string bytes)
{
    CFileHandler::Scramble(reinterpret_cast<unsigned char*>(bytes.data()), bytes.size(),
                           CFileHandler::kListFileKey);
    return bytes;
}

class ListsToolTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_root = fs::temp_directory_path() / ("kestova-lists-" + std::to_string(getpid()));
        fs::remove_all(m_root);
        fs::create_directories(m_root);
    }

    void TearDown() override { fs::remove_all(m_root); }

    std::string PathOf(const std::string& strName) const { return (m_root / strName).string(); }

    void Put(const std::string& strName, const std::string& bytes) const
    {
        std::ofstream(PathOf(strName), std::ios::binary) << bytes;
    }

    std::string Get(const std::string& strName) const
    {
        std::ifstream in(PathOf(strName), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    int Run(const std::vector<std::string>& arguments)
    {
        m_err.str("");
        return kestova::RunListsTool(arguments, m_err);
    }

    fs::path m_root;
    std::ostringstream m_err;
};

TEST_F(ListsToolTest, ScramblesEveryByteOfAnyLength)
{
    // Longer than one piece the tool reads at a time, and not a whole number of words.
    std::string bytes;
    for (std::size_t i = 0; i < 2 * 1048576 + 1030; ++i)
        bytes += static_cast<char>(i * 31 % 256);
    Put("plain.bin", bytes);

    ASSERT_EQ(Run({"scramble", PathOf("plain.bin"), PathOf("scrambled.bin")}), kestova::kListsToolOk)
        << m_err.str();
    EXPECT_TRUE(Get("scrambled.bin") == Scrambled(bytes));
    ASSERT_EQ(Run({"unscramble", PathOf("scrambled.bin"), PathOf("back.bin")}), kestova::kListsToolOk);
    EXPECT_TRUE(Get("back.bin") == bytes);
}

TEST_F(ListsToolTest, ScrambledListReadsBackInTheProgram)
{
    const std::string list = "<LIST>\r\n<VERSION>1.0.0.1</VERSION>\r\n</LIST>\r\n";
    Put("list.txt", list);
    ASSERT_EQ(Run({"scramble", PathOf("list.txt"), PathOf("list.txt")}), kestova::kListsToolOk)
        << m_err.str();
    EXPECT_EQ(Get("list.txt"), Scrambled(list)) << "scrambled in place";

    CMyString strText;
    ASSERT_TRUE(
        CFileHandler::ReadScrambledFile(PathOf("list.txt").c_str(), strText, CFileHandler::kListFileKey));
    EXPECT_STREQ(strText.GetText(), list.c_str());
    EXPECT_EQ(fs::directory_iterator(m_root)->path().filename(), "list.txt") << "no file left behind";
}

TEST_F(ListsToolTest, WrongArgumentsShowTheUsage)
{
    const std::vector<std::string> wrong[] = {
        {}, {"scramble"}, {"scramble", "a"}, {"shuffle", "a", "b"}, {"scramble", "a", "b", "c"},
    };
    for (const auto& arguments : wrong) {
        EXPECT_EQ(Run(arguments), kestova::kListsToolUsage) << testing::PrintToString(arguments);
        EXPECT_NE(m_err.str().find("usage: kestova-lists"), std::string::npos);
    }
}

TEST_F(ListsToolTest, FileErrorsAreReportedAndLeaveTheOutput)
{
    Put("in.txt", "plain");
    Put("out.txt", "previous");
    fs::create_directory(m_root / "folder");
    struct Case
    {
        std::string strIn;
        std::string strOut;
        std::string strMessage;
    };
    const Case cases[] = {
        {"missing.txt", "out.txt", "cannot read " + PathOf("missing.txt")},
        {"folder", "out.txt", "cannot read " + PathOf("folder")},
        {"in.txt", "no/such/out.txt", "cannot write " + PathOf("no/such/out.txt")},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Run({"scramble", PathOf(c.strIn), PathOf(c.strOut)}), kestova::kListsToolFileError);
        EXPECT_NE(m_err.str().find(c.strMessage), std::string::npos) << m_err.str();
        EXPECT_EQ(Get("out.txt"), "previous");
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(m_root), {}), 3) << "no file left behind";
}

TEST_F(ListsToolTest, ManifestNamesEachPublishedListWithItsVersion)
{
    Put("MoviesSettings.txt.xml", "<MOVIES_SETTINGS><VERSION>1.2</VERSION><MOVIES/></MOVIES_SETTINGS>");
    Put("Jazz.txt.xml", "<CATEGORY_LIST><VERSION>3.0</VERSION><MENU/></CATEGORY_LIST>");
    Put("ServerSettings.txt.xml", "<SERVER_SETTINGS><VERSION>1.0</VERSION></SERVER_SETTINGS>");
    Put("SearchSettings.txt.xml", "<search_settings><VERSION>2.1</VERSION></search_settings>");
    Put("InstallSettings.txt.xml", "<INSTALL_SETTINGS><VERSION>1.0</VERSION></INSTALL_SETTINGS>");
    std::vector<std::string> arguments{"manifest", PathOf("UpdateSettings.txt")};
    for (const char* pName : {"MoviesSettings.txt.xml", "Jazz.txt.xml", "ServerSettings.txt.xml",
                              "SearchSettings.txt.xml", "InstallSettings.txt.xml"})
        arguments.push_back(PathOf(pName));
    ASSERT_EQ(Run(arguments), kestova::kListsToolOk) << m_err.str();
    EXPECT_EQ(Get("UpdateSettings.txt"),
              "<UPDATE>\n"
              "  <MOVIES_SETTINGS><VERSION>1.2</VERSION><NAME>MoviesSettings.txt</NAME></MOVIES_SETTINGS>\n"
              "  <CATEGORY><VERSION>3.0</VERSION><NAME>Jazz.txt</NAME></CATEGORY>\n"
              "  <SERVERS><VERSION>1.0</VERSION><NAME>ServerSettings.txt</NAME></SERVERS>\n"
              "  <SEARCH_SETTINGS><VERSION>2.1</VERSION><NAME>SearchSettings.txt</NAME></SEARCH_SETTINGS>\n"
              "</UPDATE>\n");
}

TEST_F(ListsToolTest, ManifestRefusesSourcesThatAreNoLists)
{
    Put("UpdateSettings.txt", "previous");
    Put("broken.xml", "no markup here");
    Put("versionless.xml", "<CATEGORY_LIST><MENU/></CATEGORY_LIST>");
    for (const char* pName : {"broken.xml", "versionless.xml", "missing.xml"}) {
        EXPECT_EQ(Run({"manifest", PathOf("UpdateSettings.txt"), PathOf(pName)}),
                  kestova::kListsToolFileError);
        EXPECT_NE(m_err.str().find(PathOf(pName)), std::string::npos) << m_err.str();
        EXPECT_EQ(Get("UpdateSettings.txt"), "previous");
    }
    EXPECT_EQ(Run({"manifest"}), kestova::kListsToolUsage);
}

} // namespace
