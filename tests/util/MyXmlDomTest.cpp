#include "MyXmlDom.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <future>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

std::string Text(const CMyString& str)
{
    return str.GetText();
}

// nOpen start tags followed by nClose end tags.
CMyString Nested(int nOpen, int nClose)
{
    std::string strOut;
    for (int i = 0; i < nOpen; ++i) {
        strOut += "<a>";
    }
    for (int i = 0; i < nClose; ++i) {
        strOut += "</a>";
    }
    return CMyString(strOut.c_str());
}

TEST(MyXmlDom, LoadsElementsTextsAndEmptyTags)
{
    CMyXmlDom dom;
    ASSERT_TRUE(dom.Load("<ROOT><ITEM/><ITEM>x</ITEM><Sub><A>1</A></Sub></ROOT>"));
    CXmlNode* pRoot = dom.GetRoot();
    ASSERT_NE(pRoot, nullptr);
    EXPECT_EQ(Text(pRoot->GetName()), "ROOT");
    ASSERT_EQ(pRoot->GetChildCount(), 3);
    EXPECT_EQ(Text(pRoot->GetChild(0)->GetName()), "ITEM");
    EXPECT_TRUE(pRoot->GetChild(0)->GetText().IsEmpty());
    EXPECT_EQ(pRoot->GetChild(0)->GetChildCount(), 0);
    EXPECT_EQ(pRoot->GetChild(0)->FindChild("x"), nullptr);
    EXPECT_EQ(Text(pRoot->GetChild(1)->GetText()), "x");
    EXPECT_EQ(pRoot->GetChild(3), nullptr);
    EXPECT_EQ(pRoot->GetChild(-1), nullptr);
    EXPECT_EQ(Text(pRoot->FindChild("sub")->GetChildText("a")), "1");
    EXPECT_TRUE(pRoot->GetChildText("missing").IsEmpty());
}

TEST(MyXmlDom, FindChildIgnoresCaseAndTakesTheLast)
{
    CMyXmlDom dom;
    ASSERT_TRUE(dom.Load("<ROOT><A>1</A><a>2</a></ROOT>"));
    EXPECT_EQ(dom.GetRoot()->GetChildCount(), 2);
    EXPECT_EQ(Text(dom.GetRoot()->GetChildText("A")), "2");
    EXPECT_EQ(Text(dom.GetRoot()->GetChild(0)->GetName()), "A") << "stored names keep their case";
}

// "0a" and "1@" hash alike ('0' * 33 + 'a' == '1' * 33 + '@'): each name still
// finds its own element, and a name that is absent finds none.
TEST(MyXmlDom, NamesWithTheSameHashFindTheirOwnElement)
{
    CMyXmlDom dom;
    ASSERT_TRUE(dom.Load("<r><0a>x</0a><1@>y</1@></r>"));
    EXPECT_EQ(Text(dom.GetRoot()->GetChildText("0A")), "x");
    EXPECT_EQ(Text(dom.GetRoot()->GetChildText("1@")), "y");
    ASSERT_TRUE(dom.Load("<r><1@>y</1@></r>"));
    EXPECT_EQ(dom.GetRoot()->FindChild("0a"), nullptr);
}

TEST(MyXmlDom, Texts)
{
    struct Case
    {
        const char* pDocument;
        const char* pRootText;
    };
    const Case cases[] = {
        {"<ROOT>  a &amp; b  </ROOT>", "a & b  "},
        {"<ROOT>one<A/>two<B/>  </ROOT>", "two"},
        {"\xef\xbb\xbf<ROOT></ROOT>", "\xef\xbb\xbf"},
        {"bom<ROOT>own</ROOT>", "own"},
        {"<ROOT>&lt;b&gt; &#65;</ROOT>", "<b> A"},
        {"<ROOT>\r\n  \t</ROOT>", ""},
    };
    for (const Case& c : cases) {
        CMyXmlDom dom;
        ASSERT_TRUE(dom.Load(c.pDocument)) << c.pDocument;
        EXPECT_EQ(Text(dom.GetRoot()->GetText()), c.pRootText) << c.pDocument;
    }
}

TEST(MyXmlDom, WhichDocumentsLoad)
{
    struct Case
    {
        const char* pDocument;
        bool bLoads;
    };
    const Case cases[] = {
        {"<Root></ROOT>", true},
        {"<ROOT></ROOT><MORE>garbage \x01\xff", true},
        {"  \n<ROOT/>", false}, // the root needs an end tag
        {"<ROOT><A>1</B></ROOT>", false},
        {"<ROOT><A>1</A>", false},
        {"<?xml version=\"1.0\"?><ROOT></ROOT>", false},
        {"<!-- c --><ROOT></ROOT>", false},
        {"<ROOT x='1'></ROOT>", false},
        {"<ROOT ></ROOT>", false},
        {"<ROOT><></ROOT>", false},
        {"<ROOT></></ROOT>", false},
        {"<ROOT><A", false},
        {"<ROOT>text", false},
        {"</ROOT>", false},
        {"", false},
        {"<", false},
        {"<A/><ROOT></ROOT>", true},
    };
    for (const Case& c : cases) {
        CMyXmlDom dom;
        EXPECT_EQ(dom.Load(c.pDocument), c.bLoads) << c.pDocument;
        EXPECT_EQ(dom.GetRoot() != nullptr, c.bLoads) << c.pDocument;
    }
}

TEST(MyXmlDom, FailedLoadKeepsThePreviousTree)
{
    CMyXmlDom dom;
    ASSERT_TRUE(dom.Load("<OLD><A>1</A></OLD>"));
    EXPECT_FALSE(dom.Load("<NEW><A>2</A>"));
    EXPECT_EQ(Text(dom.GetRoot()->GetName()), "OLD");
    ASSERT_TRUE(dom.Load("<NEW/><NEW></NEW>"));
    EXPECT_EQ(Text(dom.GetRoot()->GetName()), "NEW");
    EXPECT_EQ(dom.GetRoot()->GetChildCount(), 1) << "an empty tag before the root is a child of it";
}

TEST(MyXmlDom, NestingDepthIsBounded)
{
    const int nMax = CMyXmlDom::kMaxDepth;
    CMyXmlDom dom;
    EXPECT_TRUE(dom.Load(Nested(nMax, nMax)));
    EXPECT_FALSE(dom.Load(Nested(nMax + 1, nMax + 1)));
    EXPECT_FALSE(dom.Load(Nested(300000, 0)));
    EXPECT_FALSE(dom.Load(Nested(300000, 300000)));
    EXPECT_EQ(dom.GetRoot()->GetChildCount(), 1) << "the last good tree stays";
}

// A hostile list with a million distinct sibling elements must not freeze
// the reader: it reads in linear time (about a second here; a reader whose
// child index does not grow takes minutes). The guard is twenty times that.
// While the index grows, every name still finds its last element.
TEST(MyXmlDom, AMillionDistinctSiblingsReadWithoutFreezing)
{
    constexpr int kSiblings = 1000000;
    std::string strText = "<ROOT>";
    for (int i = 0; i < kSiblings; ++i) {
        const std::string strName = "E" + std::to_string(i % (kSiblings / 2));
        strText += "<" + strName + ">" + std::to_string(i) + "</" + strName + ">";
    }
    strText += "</ROOT>";
    CMyXmlDom dom;
    std::future<bool> loaded = std::async(std::launch::async, [&] { return dom.Load(strText.c_str()); });
    ASSERT_EQ(loaded.wait_for(std::chrono::seconds(20)), std::future_status::ready) << "the reader froze";
    ASSERT_TRUE(loaded.get());
    ASSERT_EQ(dom.GetRoot()->GetChildCount(), kSiblings);
    for (const int i : {0, 1, 12345, kSiblings / 2 - 1})
        EXPECT_EQ(Text(dom.GetRoot()->GetChildText(("e" + std::to_string(i)).c_str())),
                  std::to_string(i + kSiblings / 2));
    EXPECT_EQ(dom.GetRoot()->FindChild("E500000"), nullptr);
}

TEST(MyXmlDom, LoadFileReadsPlainText)
{
    const auto path = std::filesystem::temp_directory_path() / "kestova-xmldom-test.xml";
    std::ofstream(path, std::ios::binary) << "<SKIN>\r\n<COLOR>1, 2, 3</COLOR>\r\n</SKIN>\r\n";
    CMyXmlDom dom;
    EXPECT_TRUE(dom.LoadFile(path.c_str()));
    ASSERT_NE(dom.GetRoot(), nullptr);
    EXPECT_EQ(Text(dom.GetRoot()->GetChildText("color")), "1, 2, 3");
    std::filesystem::remove(path);
    EXPECT_FALSE(dom.LoadFile(path.c_str()));
}

} // namespace
