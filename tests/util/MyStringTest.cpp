#include "MyString.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

std::string Text(const CMyString& str)
{
    return str.GetText();
}

TEST(MyString, EmptyStringHasNoBuffer)
{
    for (const char* pSource : {static_cast<const char*>(nullptr), ""}) {
        const CMyString str(pSource);
        EXPECT_EQ(str.GetBuffer(), nullptr);
        EXPECT_TRUE(str.IsEmpty());
        EXPECT_EQ(str.GetLength(), 0u);
        EXPECT_EQ(str.ToInt(), 0);
    }
    CMyString str("abc");
    str.SetAt(0, '\0');
    EXPECT_TRUE(str.IsEmpty()) << "a zero first byte counts as empty";
    EXPECT_EQ(CMyString(str).GetBuffer(), nullptr);
}

TEST(MyString, CopiesAreDeepAndSelfAssignmentIsHarmless)
{
    CMyString original("station");
    CMyString copy(original);
    copy.SetAt(0, 'S');
    EXPECT_EQ(Text(original), "station");
    EXPECT_EQ(Text(copy), "Station");

    original = original;
    EXPECT_EQ(Text(original), "station");
    original = original.GetBuffer() + 3; // assigning a tail of itself
    EXPECT_EQ(Text(original), "tion");
    original += original.GetBuffer() + 2; // appending a tail of itself
    EXPECT_EQ(Text(original), "tionon");
}

TEST(MyString, Find)
{
    const CMyString str("abcabc");
    EXPECT_EQ(str.Find('c'), 2);
    EXPECT_EQ(str.Find("bc"), 1);
    EXPECT_EQ(str.Find("bc", 2), 4);
    EXPECT_EQ(str.Find('a', 1), 3);
    EXPECT_EQ(str.Find("x"), -1);
    EXPECT_EQ(str.Find('a', 6), -1) << "start at the length";
    EXPECT_EQ(str.Find("a", -1), -1) << "negative start";
    EXPECT_EQ(str.ReverseFind('b'), 4);
    EXPECT_EQ(CMyString("0123456789").Find("x", 10), -1);
    EXPECT_EQ(CMyString().Find("a"), -1);
    EXPECT_EQ(CMyString().Find(""), -1);
    EXPECT_EQ(CMyString().ReverseFind('a'), -1);
}

TEST(MyString, FindNoCase)
{
    EXPECT_EQ(CMyString("Radio PARADISE").FindNoCase("paradise"), 6);
    EXPECT_EQ(CMyString("Radio").FindNoCase("RADIO"), 0);
    EXPECT_EQ(CMyString("Radio").FindNoCase("tv"), -1);
    EXPECT_EQ(CMyString().FindNoCase("a"), -1);
    EXPECT_DEATH(CMyString("a").FindNoCase(nullptr), "pType != NULL.*MyString");
}

TEST(MyString, IndexOutOfRangeStopsTheProgram)
{
    CMyString str("ab");
    EXPECT_DEATH(str.GetAt(2), "uIndex < m_uCount.*MyString.*line");
    EXPECT_DEATH(str.SetAt(5, 'x'), "uIndex < m_uCount");
}

TEST(MyString, Compare)
{
    struct Case
    {
        const char* pLeft;
        const char* pRight;
        int nCompare;
        int nNoCaseSign;
    };
    const Case cases[] = {
        {"", "", 0, 0},          {"", "a", -1, -1},     {"a", "", 1, 1},
        {"abc", "abd", -1, -1},  {"b", "a", 1, 1},      {"ABC", "abc", -1, 0},
        {"\xe9", "z", 1, 1},     {"ab", "abc", -1, -1}, {"Station", "STATION", 1, 0},
    };
    for (const Case& c : cases) {
        const CMyString left(c.pLeft);
        const CMyString right(c.pRight);
        EXPECT_EQ(left.Compare(right), c.nCompare) << c.pLeft << " vs " << c.pRight;
        const int nNoCase = left.CompareNoCase(right);
        EXPECT_EQ((nNoCase > 0) - (nNoCase < 0), c.nNoCaseSign) << c.pLeft << " vs " << c.pRight;
        EXPECT_EQ(left == right, c.nCompare == 0);
        EXPECT_EQ(left.EqualsNoCase(right), c.nNoCaseSign == 0);
    }
    EXPECT_TRUE(CMyString() == "");
    EXPECT_TRUE(CMyString("x") == "x");
    EXPECT_FALSE(CMyString("x") == nullptr);
}

TEST(MyString, Building)
{
    CMyString str;
    str += "a";
    str += nullptr;
    str += CMyString();
    str.AppendChar('b');
    str.AppendInt(-12);
    str.AppendInt(0);
    EXPECT_EQ(Text(str), "ab-120");
    EXPECT_EQ(str.GetLength(), 6u);
}

TEST(MyString, AppendPath)
{
    struct Case
    {
        const char* pBase;
        const char* pComponent;
        const char* pExpected;
    };
    const Case cases[] = {
        {"C:\\dir", "file", "C:\\dir\\file"}, {"C:\\dir\\", "\\file", "C:\\dir\\file"},
        {"", "\\file", "file"},               {"dir/", "\\x", "dir/x"},
        {"dir", "/x", "dir/x"},               {"dir", "x", "dir\\x"},
        {"dir", "", "dir"},                   {"", "x", "x"},
        {"a/b\\", "c", "a/b\\c"},             {"a\\b/c", "d", "a\\b/c\\d"},
    };
    for (const Case& c : cases) {
        CMyString str(c.pBase);
        str.AppendPath(c.pComponent);
        EXPECT_EQ(Text(str), c.pExpected) << c.pBase << " + " << c.pComponent;
    }
}

TEST(MyString, MidNeverClips)
{
    const CMyString str("abcdef");
    EXPECT_EQ(Text(str.Mid(1, 3)), "bcd");
    EXPECT_EQ(Text(str.Mid(3, 3)), "def");
    EXPECT_TRUE(str.Mid(3, 5).IsEmpty());
    EXPECT_TRUE(str.Mid(-1, 2).IsEmpty());
    EXPECT_TRUE(str.Mid(2, 0).IsEmpty());
    EXPECT_TRUE(str.Mid(0x7fffffff, 0x7fffffff).IsEmpty());
}

TEST(MyString, Replace)
{
    struct Case
    {
        const char* pText;
        const char* pOld;
        const char* pNew;
        int nCount;
        const char* pExpected;
    };
    const Case cases[] = {
        {"ababab", "ab", "x", 3, "xxx"},
        {"aaa", "a", "aa", 3, "aaaaaa"},
        {"aaaa", "aa", "a", 2, "aa"},
        {"a.b.c", ".", nullptr, 2, "abc"},
        {"a.b.c", ".", "", 2, "abc"},
        {"abc", "x", "y", 0, "abc"},
        {"abc", "", "y", 0, "abc"},
        {"abc", nullptr, "y", 0, "abc"},
        {"", "a", "b", 0, ""},
        {"abc", "abc", "", 1, ""},
    };
    for (const Case& c : cases) {
        CMyString str(c.pText);
        EXPECT_EQ(str.Replace(c.pOld, c.pNew), c.nCount) << c.pText;
        EXPECT_EQ(Text(str), c.pExpected) << c.pText;
        EXPECT_EQ(str.GetLength(), std::string(c.pExpected).size());
    }
}

TEST(MyString, CaseAndTrim)
{
    CMyString str("  MiXeD \xc3\x89 \t\n");
    str.MakeLower();
    EXPECT_EQ(Text(str), "  mixed \xc3\x89 \t\n") << "only ASCII letters change";
    str.TrimLeft();
    EXPECT_EQ(Text(str), "mixed \xc3\x89 \t\n");
    str.TrimRight();
    EXPECT_EQ(Text(str), "mixed \xc3\x89");
    EXPECT_EQ(str.GetLength(), 8u);

    CMyString blank(" \t ");
    blank.Trim();
    EXPECT_TRUE(blank.IsEmpty());
}

TEST(MyString, ToIntReadsLikeAtoi)
{
    EXPECT_EQ(CMyString("  42abc").ToInt(), 42);
    EXPECT_EQ(CMyString("-7").ToInt(), -7);
    EXPECT_EQ(CMyString("+3").ToInt(), 3);
    EXPECT_EQ(CMyString("abc").ToInt(), 0);
}

TEST(MyString, UnescapeXml)
{
    struct Case
    {
        const char* pText;
        const char* pExpected;
    };
    const Case cases[] = {
        {"a&#39;b &lt;c&gt; &amp;amp;", "a'b <c> &amp;"},
        {"&#65;&#65;", "AA"},
        {"&amp;lt;", "<"},
        {"&quot;x&quot; &apos;y&apos;", "\"x\" 'y'"},
        {"caf&#195;&#169;", "caf\xc3\xa9"},
        {"&#1234;", "{"},
        {"no entities", "no entities"},
        {"&#0;gone", "gone"},
    };
    for (const Case& c : cases) {
        CMyString str(c.pText);
        str.UnescapeXml();
        EXPECT_EQ(Text(str), c.pExpected) << c.pText;
    }
}

TEST(MyStringWide, RoundTripsUtf8)
{
    const char* pTexts[] = {"plain", "caf\xc3\xa9", "\xe2\x82\xac 5", "\xf0\x9f\x8e\xb5 music"};
    for (const char* pText : pTexts) {
        const CMyString str(pText);
        std::unique_ptr<char16_t[]> pWide(str.ToWide(CP_UTF8_CODE_PAGE));
        ASSERT_NE(pWide, nullptr);
        CMyString back;
        EXPECT_TRUE(back.FromWide(pWide.get(), CP_UTF8_CODE_PAGE));
        EXPECT_EQ(Text(back), pText);
    }
    std::unique_ptr<char16_t[]> pWide(CMyString("\xf0\x9f\x8e\xb5").ToWide(CP_UTF8_CODE_PAGE));
    EXPECT_EQ(pWide[0], 0xD83C);
    EXPECT_EQ(pWide[1], 0xDFB5);
    EXPECT_EQ(pWide[2], 0);
}

TEST(MyStringWide, FailuresAndMalformedInput)
{
    EXPECT_EQ(CMyString().ToWide(CP_UTF8_CODE_PAGE), nullptr);
    EXPECT_EQ(CMyString("x").ToWide(1252), nullptr) << "only UTF-8 is converted";

    CMyString str("keep");
    EXPECT_FALSE(str.FromWide(nullptr, CP_UTF8_CODE_PAGE));
    EXPECT_TRUE(str.IsEmpty());
    EXPECT_FALSE(str.FromWide(u"x", 1252));
    EXPECT_TRUE(str.FromWide(u"", CP_UTF8_CODE_PAGE));
    EXPECT_TRUE(str.IsEmpty());

    // A truncated sequence and a lone surrogate become U+FFFD.
    std::unique_ptr<char16_t[]> pWide(CMyString("a\xc3").ToWide(CP_UTF8_CODE_PAGE));
    EXPECT_EQ(std::u16string(pWide.get()), u"a\uFFFD");
    const char16_t lone[] = {u'x', 0xD800, 0};
    EXPECT_TRUE(str.FromWide(lone, CP_UTF8_CODE_PAGE));
    EXPECT_EQ(Text(str), "x\xef\xbf\xbd");
}

TEST(MyStringWide, ConstructionCopyAndAssign)
{
    const CMyStringW empty{CMyString()};
    EXPECT_TRUE(empty.IsEmpty());
    EXPECT_EQ(empty.GetBuffer(), nullptr);

    CMyStringW wide{CMyString("caf\xc3\xa9")};
    EXPECT_EQ(wide.GetLength(), 4u);
    CMyStringW copy(wide);
    EXPECT_NE(copy.GetBuffer(), wide.GetBuffer());
    EXPECT_EQ(std::u16string(copy.GetBuffer()), u"caf\u00e9");
    EXPECT_FALSE(copy.Assign(CMyString("x"), 1252));
    EXPECT_TRUE(copy.IsEmpty());
    copy = wide;
    EXPECT_EQ(copy.GetLength(), 4u);
}

} // namespace
