#include "FileHandler.h"

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <string>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

// 0x7c4e2a9 in little-endian byte order, as the list files are scrambled.
constexpr unsigned char kKeyBytes[4] = {0xa9, 0xe2, 0xc4, 0x07};

std::string Scrambled(std::string bytes)
{
    CFileHandler::Scramble(reinterpret_cast<unsigned char*>(bytes.data()), bytes.size(),
                           CFileHandler::kListFileKey);
    return bytes;
}

// Printable text of the given length whose bytes differ from their neighbours.
std::string Letters(std::size_t uLength)
{
    std::string text;
    for (std::size_t i = 0; i < uLength; ++i)
        text += static_cast<char>('a' + i % 26);
    return text;
}

std::string Text(const CMyString& str)
{
    return std::string(str.GetText(), str.GetLength());
}

// Each test works in a folder of its own below the system's temporary folder.
class FileHandlerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        static std::atomic<int> s_nCount{0};
        m_root = fs::temp_directory_path() /
                 ("kestova-fh-" + std::to_string(getpid()) + "-" + std::to_string(++s_nCount));
        fs::remove_all(m_root);
        fs::create_directories(m_root);
    }

    void TearDown() override
    {
        std::error_code error;
        fs::current_path(m_previous, error);
        fs::remove_all(m_root, error);
    }

    // The path as the program writes it: the root, then "\" and the rest.
    CMyString ProgramPath(const std::string& strRest) const
    {
        return CMyString((m_root.string() + "\\" + strRest).c_str());
    }

    fs::path SystemPath(const std::string& strRest) const { return m_root / strRest; }

    void Put(const std::string& strRest, const std::string& bytes) const
    {
        fs::create_directories(SystemPath(strRest).parent_path());
        std::ofstream(SystemPath(strRest), std::ios::binary) << bytes;
    }

    std::string Get(const std::string& strRest) const
    {
        std::ifstream in(SystemPath(strRest), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    void EnterRoot() const { fs::current_path(m_root); }

    fs::path m_root;
    fs::path m_previous = fs::current_path();
};

TEST_F(FileHandlerTest, ScrambleRoundTripOf1030Bytes)
{
    const std::string plain = Letters(1030);
    const std::string scrambled = Scrambled(plain);
    // Words are little-endian and aligned to each 1024-byte block, so the last
    // six bytes start a word of their own.
    for (std::size_t i : {0u, 1u, 2u, 3u, 1020u, 1023u, 1024u, 1025u, 1026u, 1027u, 1028u, 1029u})
        EXPECT_EQ(static_cast<unsigned char>(scrambled[i]),
                  static_cast<unsigned char>(plain[i]) ^ kKeyBytes[i % 4])
            << "byte " << i;
    EXPECT_EQ(Scrambled(scrambled), plain);

    Put("list.txt", scrambled);
    CMyString strText;
    ASSERT_TRUE(
        CFileHandler::ReadScrambledFile(ProgramPath("list.txt"), strText, CFileHandler::kListFileKey));
    EXPECT_EQ(Text(strText), plain);
}

// The bytes that text mode used to rewrite or stop at come back as they are.
TEST_F(FileHandlerTest, ScrambledFileReadsBackEveryByte)
{
    std::string plain = Letters(1020) + "\r\n\x1A\n\r<L>\r\n</L>\x1A";
    plain += Letters(2000) + "\x1A";
    Put("list.txt", Scrambled(plain));
    CMyString strText;
    ASSERT_TRUE(
        CFileHandler::ReadScrambledFile(ProgramPath("list.txt"), strText, CFileHandler::kListFileKey));
    EXPECT_EQ(Text(strText), plain);
}

TEST_F(FileHandlerTest, ReadTextFileJoinsLineEndsAndAppends)
{
    struct Case
    {
        std::string content;
        std::string expected;
    };
    const Case cases[] = {
        {"a\r\nb", "a\nb"}, {"\r\n\r\n", "\n\n"}, {"lone\rcr\r", "lone\rcr\r"}, {"x\x1Ay\nz", "x\x1Ay\nz"},
        {"", ""},
    };
    for (const Case& c : cases) {
        Put("skin.xml", c.content);
        CMyString strText("before:");
        EXPECT_TRUE(CFileHandler::ReadTextFile(ProgramPath("skin.xml"), strText));
        EXPECT_EQ(Text(strText), "before:" + c.expected) << "content " << testing::PrintToString(c.content);
    }
}

TEST_F(FileHandlerTest, ZeroByteEndsTheTextOfItsBlock)
{
    struct Case
    {
        bool bScrambled;
        std::size_t uZeroAt;
        std::size_t uBlockEnd; // where the text resumes
    };
    const Case cases[] = {
        {false, 0, 1023},   {false, 1022, 1023}, {false, 1023, 2046},
        {true, 1023, 1024}, {true, 1024, 2048},  {true, 2999, 3000},
    };
    for (const Case& c : cases) {
        std::string plain = Letters(3000);
        plain[c.uZeroAt] = '\0';
        Put("file.txt", c.bScrambled ? Scrambled(plain) : plain);
        CMyString strText;
        const bool bRead = c.bScrambled ? CFileHandler::ReadScrambledFile(ProgramPath("file.txt"), strText,
                                                                          CFileHandler::kListFileKey)
                                        : CFileHandler::ReadTextFile(ProgramPath("file.txt"), strText);
        EXPECT_TRUE(bRead);
        EXPECT_EQ(Text(strText), plain.substr(0, c.uZeroAt) + plain.substr(c.uBlockEnd))
            << (c.bScrambled ? "scrambled" : "text") << ", zero at " << c.uZeroAt;
    }
}

TEST_F(FileHandlerTest, MissingFilesAndFoldersAreNotRead)
{
    fs::create_directories(SystemPath("folder"));
    for (const char* pName : {"missing.txt", "missing\\list.txt", "folder"}) {
        CMyString strText("kept");
        EXPECT_FALSE(CFileHandler::ReadTextFile(ProgramPath(pName), strText)) << pName;
        EXPECT_FALSE(CFileHandler::ReadScrambledFile(ProgramPath(pName), strText, CFileHandler::kListFileKey))
            << pName;
        EXPECT_EQ(Text(strText), "kept");
    }
}

TEST_F(FileHandlerTest, WrittenFileReadsBackAsScrambledList)
{
    const std::string plain = "<ROOT>\n<VERSION>1.2</VERSION>\r\n</ROOT>";
    const std::string scrambled = Scrambled(plain);
    CMyBuffer buffer;
    buffer.Append(scrambled.data(), static_cast<uint32_t>(scrambled.size()));

    ASSERT_TRUE(CFileHandler::WriteFile(ProgramPath("list.txt"), buffer));
    EXPECT_EQ(Get("list.txt"), scrambled + '\0') << "bytes as given, no line-end rewriting, one zero";
    CMyString strText;
    ASSERT_TRUE(
        CFileHandler::ReadScrambledFile(ProgramPath("list.txt"), strText, CFileHandler::kListFileKey));
    // The stored zero reads back as a scrambled byte behind the document.
    EXPECT_EQ(Text(strText), plain + static_cast<char>(kKeyBytes[plain.size() % 4]));
}

TEST_F(FileHandlerTest, WriteFileFailures)
{
    Put("old.txt", "old content");
    EXPECT_FALSE(CFileHandler::WriteFile(ProgramPath("old.txt"), CMyBuffer()));
    EXPECT_TRUE(fs::exists(SystemPath("old.txt")));
    EXPECT_EQ(Get("old.txt"), "") << "an empty buffer leaves an empty file";

    CMyBuffer buffer;
    buffer.Append("x", 1);
    EXPECT_FALSE(CFileHandler::WriteFile(ProgramPath("no\\such\\folder\\f.txt"), buffer));
}

TEST_F(FileHandlerTest, PathsResolveWithoutRegardToCase)
{
    Put("res/skin/x.gif", "GIF");
    fs::create_directories(SystemPath("res/Other"));
    EnterRoot();
    const std::string strAbsolute = m_root.string() + "\\";
    for (const std::string& strPrefix : {std::string(), strAbsolute}) {
        const CMyString strPath((strPrefix + "res\\Skin\\X.Gif").c_str());
        EXPECT_TRUE(CFileHandler::FileExists(strPath)) << strPrefix;
        CMyString strText;
        EXPECT_TRUE(CFileHandler::ReadTextFile(strPath, strText));
        EXPECT_EQ(Text(strText), "GIF");
    }
    struct Case
    {
        const char* pProgram;
        const char* pSystem;
    };
    const Case cases[] = {
        {"RES\\SKIN\\", "res/skin/"},
        {"Res/other\\new\\File.txt", "res/Other/new/File.txt"},
        {"RES\\Missing\\SKIN\\x.gif", "res/Missing/SKIN/x.gif"},
        {".\\RES\\..\\res\\Skin", "./res/../res/skin"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CFileHandler::ToSystemPath(c.pProgram), fs::path(c.pSystem)) << c.pProgram;

    CMyBuffer buffer;
    buffer.Append("new", 3);
    EXPECT_TRUE(CFileHandler::WriteFile("RES\\OTHER\\New.txt", buffer));
    EXPECT_EQ(Get("res/Other/New.txt"), std::string("new") + '\0');
}

// Lookups without regard to case may reuse what they learnt of a folder; a file
// added since must still be found.
TEST_F(FileHandlerTest, CaseInsensitiveLookupSeesFilesAddedLater)
{
    fs::create_directories(SystemPath("cache"));
    fs::last_write_time(SystemPath("cache"), fs::file_time_type::clock::now() - std::chrono::hours(1));
    EXPECT_FALSE(CFileHandler::FileExists(ProgramPath("Cache\\ICON.GIF")));
    Put("cache/icon.gif", "GIF");
    EXPECT_TRUE(CFileHandler::FileExists(ProgramPath("Cache\\ICON.GIF")));
}

TEST_F(FileHandlerTest, CreateDirectoriesMakesEachMissingFolder)
{
    struct Case
    {
        const char* pPath;
        const char* pCreated;
    };
    const Case cases[] = {
        {"x\\y\\z\\", "x/y/z"},
        {"x/a\\b/c", "x/a/b/c"},
        {"X\\Y\\", "x/Y"},
    };
    for (const Case& c : cases) {
        fs::remove_all(SystemPath("x"));
        fs::create_directories(SystemPath("x"));
        EXPECT_TRUE(CFileHandler::CreateDirectories(ProgramPath(c.pPath))) << c.pPath;
        EXPECT_TRUE(fs::is_directory(SystemPath(c.pCreated))) << c.pPath;
    }
    EXPECT_TRUE(CFileHandler::CreateDirectories(ProgramPath("x\\")));

    Put("file", "");
    EXPECT_FALSE(CFileHandler::CreateDirectories(ProgramPath("file\\sub\\")));
    EXPECT_FALSE(CFileHandler::CreateDirectories(""));
}

TEST_F(FileHandlerTest, CreateDirectoriesAsWrittenKeepsTheCaseOfEachName)
{
    fs::create_directories(SystemPath("x/kestova"));
    EXPECT_TRUE(CFileHandler::CreateDirectoriesAsWritten(ProgramPath("x\\Kestova\\res\\")));
    EXPECT_TRUE(fs::is_directory(SystemPath("x/Kestova/res")));
    EXPECT_FALSE(fs::exists(SystemPath("x/kestova/res")));

    Put("file", "");
    EXPECT_FALSE(CFileHandler::CreateDirectoriesAsWritten(ProgramPath("file\\sub\\")));
    EXPECT_FALSE(CFileHandler::CreateDirectoriesAsWritten(""));
}

TEST_F(FileHandlerTest, CopyFolderKeepsExistingFilesAndRecurses)
{
    Put("src/a.txt", "new a");
    Put("src/sub/b.txt", "b");
    Put("src/sub/deeper/c.txt", "c");
    Put("dst/A.TXT", "kept a");

    EXPECT_TRUE(CFileHandler::CopyFolder(ProgramPath("src"), ProgramPath("DST\\")));
    EXPECT_EQ(Get("dst/A.TXT"), "kept a");
    EXPECT_FALSE(fs::exists(SystemPath("dst/a.txt")));
    EXPECT_EQ(Get("dst/sub/b.txt"), "b");
    EXPECT_EQ(Get("dst/sub/deeper/c.txt"), "c");

    EXPECT_TRUE(CFileHandler::CopyFolder(ProgramPath("missing"), ProgramPath("made\\here\\")));
    EXPECT_TRUE(fs::is_directory(SystemPath("made/here")));
    EXPECT_TRUE(fs::is_empty(SystemPath("made/here")));
}

// Without care, each of these copies would run until the stack or the disk is full.
TEST_F(FileHandlerTest, CopyFolderEndsOnLoops)
{
    Put("src/a.txt", "a");
    fs::create_directory_symlink(SystemPath("src"), SystemPath("src/loop"));

    EXPECT_TRUE(CFileHandler::CopyFolder(ProgramPath("src"), ProgramPath("dst")));
    EXPECT_EQ(Get("dst/a.txt"), "a");
    EXPECT_FALSE(fs::exists(SystemPath("dst/loop")));

    EXPECT_TRUE(CFileHandler::CopyFolder(ProgramPath("src"), ProgramPath("src\\backup")));
    EXPECT_EQ(Get("src/backup/a.txt"), "a");
    EXPECT_FALSE(fs::exists(SystemPath("src/backup/backup")));
}

TEST_F(FileHandlerTest, CopyFileOverwritesOnlyWhenAsked)
{
    struct Case
    {
        bool bDestinationExists;
        bool bOverwrite;
        bool bResult;
        const char* pContent;
    };
    const Case cases[] = {
        {false, false, true, "source"},
        {true, false, false, "old"},
        {true, true, true, "source"},
    };
    Put("source.txt", "source");
    for (const Case& c : cases) {
        fs::remove(SystemPath("dest.txt"));
        if (c.bDestinationExists)
            Put("dest.txt", "old");
        EXPECT_EQ(CFileHandler::CopyFile(ProgramPath("Source.TXT"), ProgramPath("dest.txt"), c.bOverwrite),
                  c.bResult);
        EXPECT_EQ(Get("dest.txt"), c.pContent);
    }
    EXPECT_FALSE(CFileHandler::CopyFile(ProgramPath("missing.txt"), ProgramPath("other.txt"), true));
    EXPECT_FALSE(fs::exists(SystemPath("other.txt")));
}

TEST_F(FileHandlerTest, FileExistsForFilesAndFolders)
{
    Put("folder/file.txt", "x");
    EXPECT_TRUE(CFileHandler::FileExists(ProgramPath("folder\\file.txt")));
    EXPECT_TRUE(CFileHandler::FileExists(ProgramPath("folder")));
    EXPECT_TRUE(CFileHandler::FileExists(ProgramPath("Folder\\")));
    EXPECT_FALSE(CFileHandler::FileExists(ProgramPath("folder\\other.txt")));
    EXPECT_FALSE(CFileHandler::FileExists(""));
}

TEST(MyBufferTest, GrowsInWholeStepsAndKeepsAZeroBehindTheData)
{
    constexpr uint32_t kStep = 1048576;
    struct Case
    {
        std::vector<uint32_t> appends;
        uint32_t uCapacity;
    };
    const Case cases[] = {
        {{0}, kStep},
        {{kStep - 1}, kStep},
        {{kStep - 11, 10}, kStep},
        {{kStep - 10, 10}, 2 * kStep},
        {{10239, kStep}, 2 * kStep},
        {{3 * kStep}, 4 * kStep},
    };
    for (const Case& c : cases) {
        CMyBuffer buffer;
        std::string expected;
        for (uint32_t uBytes : c.appends) {
            const std::string bytes = Letters(uBytes);
            buffer.Append(bytes.data(), uBytes);
            expected += bytes;
        }
        EXPECT_EQ(buffer.GetCapacity(), c.uCapacity) << "after " << testing::PrintToString(c.appends);
        ASSERT_EQ(buffer.GetSize(), expected.size());
        EXPECT_EQ(std::string(buffer.GetData(), buffer.GetSize()), expected);
        EXPECT_EQ(buffer.GetData()[buffer.GetSize()], '\0');
    }

    CMyBuffer fresh;
    fresh.EnsureRoom(10);
    EXPECT_EQ(fresh.GetCapacity(), kStep);
    EXPECT_EQ(fresh.GetSize(), 0u);
}

TEST(MyBufferTest, CopiesAreDeepAndEmptyStaysEmpty)
{
    CMyBuffer empty;
    empty.EnsureRoom(1);
    const CMyBuffer emptyCopy(empty);
    EXPECT_EQ(emptyCopy.GetData(), nullptr);
    EXPECT_EQ(emptyCopy.GetCapacity(), 0u);

    CMyBuffer source;
    source.Append("abc", 3);
    CMyBuffer copy(source);
    CMyBuffer assigned;
    assigned.Append("old", 3);
    assigned = source;
    source.Append("d", 1);
    for (const CMyBuffer* pBuffer : {&copy, &assigned}) {
        EXPECT_NE(pBuffer->GetData(), source.GetData());
        EXPECT_STREQ(pBuffer->GetData(), "abc");
        EXPECT_EQ(pBuffer->GetSize(), 3u);
        EXPECT_EQ(pBuffer->GetCapacity(), source.GetCapacity());
    }
}

TEST(MyBufferDeathTest, SizeBeyond32BitsFailsTheAssertion)
{
    EXPECT_DEATH(CMyBuffer().EnsureRoom(UINT32_MAX), "Assertion failed");
    CMyBuffer buffer;
    buffer.Append("x", 1);
    // 1 + 0xffffffff wraps to 0: a wrong check would see room and overrun the block.
    EXPECT_DEATH(buffer.Append("y", UINT32_MAX), "Assertion failed");
}

} // namespace
