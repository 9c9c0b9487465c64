// Random and hostile input for the element reader and the entity decoding:
// nothing may crash, and a few rules must hold for every input.
#include "EntityDecoder.h"
#include "MyString.h"
#include "MyXmlDom.h"

#include <algorithm>
#include "../support/RandomText.h"

#include <gtest/gtest.h>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace {

CMyString ToMyString(const std::string& strText)
{
    return CMyString(strText.data(), static_cast<uint32_t>(strText.size()));
}

// Names, texts and nesting of the whole tree, walked without recursion; the
// deepest level goes to *pDepth.
std::string Dump(const CXmlNode* pRoot, int* pDepth = nullptr)
{
    std::string strDump;
    int nDeepest = 0;
    std::vector<std::pair<const CXmlNode*, int>> arrStack{{pRoot, 1}};
    while (!arrStack.empty()) {
        const auto [pNode, nDepth] = arrStack.back();
        arrStack.pop_back();
        nDeepest = std::max(nDeepest, nDepth);
        strDump += std::to_string(nDepth) + "<" + pNode->GetName().GetText() + ">" +
                   pNode->GetText().GetText() + "\n";
        for (int nChild = pNode->GetChildCount() - 1; nChild >= 0; --nChild) {
            arrStack.emplace_back(pNode->GetChild(nChild), nDepth + 1);
        }
    }
    if (pDepth != nullptr) {
        *pDepth = nDeepest;
    }
    return strDump;
}

// Loads the text over a loaded document and checks the rules every load keeps.
// Returns whether it loaded.
bool CheckLoad(const std::string& strInput)
{
    const CMyString strText = ToMyString(strInput);
    CMyXmlDom dom;
    EXPECT_TRUE(dom.Load("<Previous>kept</Previous>"));
    const CXmlNode* pPrevious = dom.GetRoot();
    const bool bLoaded = dom.Load(strText);
    int nDepth = 0;
    if (bLoaded) {
        EXPECT_NE(dom.GetRoot(), nullptr);
    } else {
        EXPECT_EQ(dom.GetRoot(), pPrevious) << "a failed load keeps the previous tree";
    }
    const std::string strDump = Dump(dom.GetRoot(), &nDepth);
    if (!bLoaded) {
        EXPECT_EQ(strDump, "1<Previous>kept\n");
    }
    EXPECT_LE(nDepth, CMyXmlDom::kMaxDepth);
    CMyXmlDom again;
    EXPECT_EQ(again.Load(strText), bLoaded) << "the same input loads the same way twice";
    if (bLoaded && again.GetRoot() != nullptr) {
        EXPECT_EQ(Dump(again.GetRoot()), strDump);
    }
    return bLoaded;
}


std::string Repeat(const std::string& strPiece, int nCount)
{
    std::string strText;
    strText.reserve(strPiece.size() * static_cast<std::size_t>(nCount));
    for (int n = 0; n < nCount; ++n) {
        strText += strPiece;
    }
    return strText;
}

const std::vector<std::string> kTagSoup = {
    "<A>",   "</a>",  "<B/>", "<>", "</>", "<",    ">",    " ",   "x",    "text", "\n",     "&amp;",
    "&#60;", "&#38;", "&#",   ";",  "<a>", "</A>", "</B>", "<B>", "&lt;", "&#0;", "<ROOT>", "</ROOT>"};

TEST(ReaderFuzz, RandomBytesNeverBreakTheReader)
{
    std::mt19937 random(11);
    for (int n = 0; n < 3000; ++n) {
        std::string strInput(random() % 300, ' ');
        for (char& chByte : strInput) {
            chByte = static_cast<char>(random() % 256);
        }
        SCOPED_TRACE(testing::PrintToString(strInput));
        CheckLoad(strInput);
    }
}

TEST(ReaderFuzz, TagSoupKeepsTheLoadRules)
{
    std::mt19937 random(12);
    int nLoaded = 0;
    for (int n = 0; n < 6000; ++n) {
        std::string strInput = RandomTokens(random, kTagSoup, 40);
        if (n % 2 == 0) {
            strInput = "<ROOT>" + strInput + "</ROOT>";
        }
        SCOPED_TRACE(strInput);
        nLoaded += CheckLoad(strInput) ? 1 : 0;
    }
    EXPECT_GT(nLoaded, 100) << "the soup must also exercise successful loads";
}

// A well-formed nest of random elements inside nBase open ones; *pDeepest gets
// the depth of the deepest element, empty-element tags included.
std::string BalancedSoup(std::mt19937& random, int nBase, int* pDeepest)
{
    std::string strText = Repeat("<A>", nBase);
    int nOpen = nBase;
    *pDeepest = nBase;
    for (int n = static_cast<int>(random() % 40); n > 0; --n) {
        const unsigned uChoice = random() % 4;
        if (uChoice == 0) {
            strText += "<b>";
            *pDeepest = std::max(*pDeepest, ++nOpen);
        } else if (uChoice == 1 && nOpen > nBase) {
            strText += "</B>";
            --nOpen;
        } else if (uChoice == 2) {
            strText += "<C/>";
            *pDeepest = std::max(*pDeepest, nOpen + 1);
        } else {
            strText += "x &amp; &#60;";
        }
    }
    return strText + Repeat("</B>", nOpen - nBase) + Repeat("</a>", nBase);
}

TEST(ReaderFuzz, WellFormedSoupLoadsWithinTheDepthLimitOnly)
{
    std::mt19937 random(13);
    for (int nBase = CMyXmlDom::kMaxDepth - 4; nBase <= CMyXmlDom::kMaxDepth + 1; ++nBase) {
        for (int n = 0; n < 30; ++n) {
            int nDeepest = 0;
            const std::string strInput = BalancedSoup(random, nBase, &nDeepest);
            SCOPED_TRACE("deepest element at depth " + std::to_string(nDeepest));
            EXPECT_EQ(CheckLoad(strInput), nDeepest <= CMyXmlDom::kMaxDepth);
        }
    }
}

TEST(ReaderFuzz, NestingLoadsUpToTheLimitOnly)
{
    const int nLimit = CMyXmlDom::kMaxDepth;
    EXPECT_TRUE(CheckLoad(Repeat("<A>", nLimit) + "x" + Repeat("</A>", nLimit)));
    EXPECT_FALSE(CheckLoad(Repeat("<A>", nLimit + 1) + "x" + Repeat("</A>", nLimit + 1)));
    // An empty-element tag is an element too: one inside the deepest element is one level too deep.
    EXPECT_TRUE(CheckLoad(Repeat("<A>", nLimit - 1) + "<B/>" + Repeat("</A>", nLimit - 1)));
    EXPECT_FALSE(CheckLoad(Repeat("<A>", nLimit) + "<B/>" + Repeat("</A>", nLimit)));
    EXPECT_FALSE(CheckLoad(Repeat("<A>", 300000) + "x" + Repeat("</A>", 300000)));
    EXPECT_FALSE(CheckLoad(Repeat("<A>", 300000)));
    EXPECT_FALSE(CheckLoad("<A>" + Repeat("<B/>", 300000)));
    EXPECT_TRUE(CheckLoad("<A>" + Repeat("<B/>", 300000) + "</A>"));
}

std::string ReplaceAll(const std::string& strText, const std::string& strOld, const std::string& strNew)
{
    std::string strResult;
    std::size_t uFrom = 0;
    for (std::size_t uHit = strText.find(strOld); uHit != std::string::npos;
         uHit = strText.find(strOld, uFrom)) {
        strResult.append(strText, uFrom, uHit - uFrom).append(strNew);
        uFrom = uHit + strOld.size();
    }
    return strResult.append(strText, uFrom, std::string::npos);
}

// The numeric references, then the five named entities in their order.
std::string ExpectedUnescape(const std::string& strText)
{
    std::string strResult = CEntityDecoder::Decode(strText);
    const std::pair<const char*, const char*> kNamed[] = {
        {"&apos;", "'"}, {"&amp;", "&"}, {"&quot;", "\""}, {"&lt;", "<"}, {"&gt;", ">"}};
    for (const auto& [pEntity, pByte] : kNamed) {
        strResult = ReplaceAll(strResult, pEntity, pByte);
    }
    return strResult;
}

void CheckUnescape(const std::string& strInput)
{
    CMyString str = ToMyString(strInput);
    const std::string strStored = str.GetText(); // stops at a zero byte, as the string does
    str.UnescapeXml();
    EXPECT_LE(str.GetLength(), strStored.size()) << "decoding never makes a text longer";
    EXPECT_EQ(testing::PrintToString(std::string(str.GetText())),
              testing::PrintToString(ExpectedUnescape(strStored)));
}

TEST(ReaderFuzz, UnescapeFollowsTheDecodingRules)
{
    const std::vector<std::string> arrTokens = {"&amp;", "&lt;",  "&gt;", "&quot;", "&apos;",   "&#60;",
                                                "&#38;", "&#35;", "&#0;", "&",      "#",        ";",
                                                "a",     "amp",   "lt",   "59",     "\xC3\xA9", "&#"};
    std::mt19937 random(14);
    for (int n = 0; n < 5000; ++n) {
        const std::string strInput = RandomTokens(random, arrTokens, 20);
        SCOPED_TRACE(testing::PrintToString(strInput));
        CheckUnescape(strInput);
    }
    for (int n = 0; n < 2000; ++n) {
        std::string strInput(random() % 80, ' ');
        for (char& chByte : strInput) {
            chByte = static_cast<char>(random() % 256);
        }
        SCOPED_TRACE(testing::PrintToString(strInput));
        CheckUnescape(strInput);
    }
    const std::string strLarge = RandomTokens(random, arrTokens, 200000);
    CheckUnescape(strLarge);
}

} // namespace
