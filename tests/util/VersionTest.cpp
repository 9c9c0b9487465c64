#include "MyString.h"

#include <gtest/gtest.h>

namespace {

TEST(Version, ParsesUpToFourFields)
{
    struct Case
    {
        const char* pText;
        int nFields[4];
        bool bIsVersion;
    };
    const Case cases[] = {
        {"2.0.2.1", {2, 0, 2, 1}, true}, {"2.0", {2, 0, 0, 0}, true},     {"1.x.3", {1, 0, 3, 0}, true},
        {"1.", {1, 0, 0, 0}, true},      {"1.2.3.4.5", {1, 2, 3, 4}, true}, {"7", {7, 0, 0, 0}, false},
        {"", {0, 0, 0, 0}, false},       {"-1.5", {-1, 5, 0, 0}, true},    {".9", {0, 9, 0, 0}, true},
    };
    for (const Case& c : cases) {
        const CVersion version{CMyString(c.pText)};
        for (int i = 0; i < 4; ++i) {
            EXPECT_EQ(version.GetField(i), c.nFields[i]) << c.pText << " field " << i;
        }
        EXPECT_EQ(version.IsVersion(), c.bIsVersion) << c.pText;
        EXPECT_STREQ(version.GetText().GetText(), c.pText);
    }
}

TEST(Version, SetClearsOldFields)
{
    CVersion version{CMyString("1.2.3.4")};
    version.Set("5.6");
    EXPECT_EQ(version.GetField(0), 5);
    EXPECT_EQ(version.GetField(2), 0);
    EXPECT_EQ(version.GetField(3), 0);
}

TEST(Version, Compare)
{
    struct Case
    {
        const char* pLeft;
        const char* pRight;
        int nExpected;
    };
    const Case cases[] = {
        {"1.2", "1.2.0.0", 0},   {"01.2", "1.2", 0},         {"1.10", "1.9", 1},
        {"1.2.3.4.5", "1.2.3.4", 0}, {"7", "1.0", -1},        {"7", "", 0},
        {"", "0.0", -1},         {"0.0", "", 1},             {"2.0.2.1", "2.0.2.2", -1},
        {"3.0", "2.9.9.9", 1},   {"1.2", "1.2.0.1", -1},
    };
    for (const Case& c : cases) {
        const CVersion left{CMyString(c.pLeft)};
        const CVersion right{CMyString(c.pRight)};
        EXPECT_EQ(left.Compare(right), c.nExpected) << c.pLeft << " vs " << c.pRight;
        EXPECT_EQ(right.Compare(left), -c.nExpected) << c.pRight << " vs " << c.pLeft;
        EXPECT_EQ(left < right, c.nExpected == -1);
    }
}

} // namespace
