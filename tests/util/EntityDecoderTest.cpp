#include "EntityDecoder.h"

#include <cstdio>
#include <functional>
#include "../support/RandomText.h"

#include <gtest/gtest.h>
#include <random>
#include <string>
#include <vector>

namespace {

// The text with every byte outside printable ASCII written as \xNN.
std::string Printable(const std::string& strText)
{
    std::string strOut;
    for (const char chByte : strText) {
        const auto uByte = static_cast<unsigned char>(chByte);
        if (uByte >= 0x20 && uByte < 0x7F && uByte != '\\') {
            strOut += chByte;
        } else {
            char szEscape[8];
            std::snprintf(szEscape, sizeof(szEscape), "\\x%02X", uByte);
            strOut += szEscape;
        }
    }
    return strOut;
}

struct DecodeCase
{
    const char* pWhat;
    std::string strInput;
    std::string strExpected;
};

const std::vector<DecodeCase> kDecodeCases = {
    {"empty text", "", ""},
    {"no reference", "plain; text", "plain; text"},
    {"no ';' behind the '&#'", "a&#65 b", "a&#65 b"},
    {"';' only in front", "x;&#65", "x;&#65"},
    {"two digits", "it&#39;s", "it's"},
    {"three digits", "&#123;", "{"},
    {"only three bytes are read", "&#1234;", "{"},
    {"hexadecimal is not read: value 0 deletes", "a&#x41;b", "ab"},
    {"empty reference deletes", "a&#;b", "ab"},
    {"reference of exactly five bytes at the end", "&#65;", "A"},
    {"short reference at the end reads nothing", "x&#5;", "x"},
    {"short reference followed by text", "&#5;x", "\x05x"},
    {"the global replace takes the last one along", "&#5;&#5;", "\x05\x05"},
    {"every occurrence in one step", "&#65;x&#65;y&#65;", "AxAyA"},
    {"a later reference without ';' stays", "&#65;&#66", "A&#66"},
    {"negative value", "&#-1;x", "\xFFx"},
    {"negative value of two digits", "&#-65;", "\xBF"},
    {"value over 255 wraps", "&#321;", "A"},
    {"largest three digits", "&#999;", "\xE7"},
    {"the reference runs from the first '&#'", "&#1&#65;", "\x01"},
    {"a nested reference decodes first elsewhere", "&#65;&#1&#65;", "A&#1A"},
    {"leading space in the window", "&# 65;", "A"},
    {"tab and newline in the window", "&#\t\n7;", "\x07"},
    {"white space only", "&#  ;x", "x"},
    {"space before the sign", "&# -1;", "\xFF"},
    {"plus sign", "&#+65;", "A"},
    {"';' as the decoded byte", "a&#59;b&#59;", "a;b;"},
    {"a decoded ';' ends a new reference", "&#59;&#3&#59;", ";"},
    {"decoded '&' before '#'", "&#38;#65;", "A"},
    {"decoded '#' behind '&'", "&&#35;65;", "A"},
    {"deleting joins '&' and '#'", "&&#0;#65;", "A"},
    {"the global replace changes a later parse", "&#65;&#7&#65;;", "A\x07"},
    {"the start moves left step by step", "&&&#35;35;35;", "#"},
    {"two decoded bytes meet", "&#38;&#35;65;", "A"},
};

TEST(EntityDecoder, DecodesTheCaseTable)
{
    for (const DecodeCase& testCase : kDecodeCases) {
        SCOPED_TRACE(std::string(testCase.pWhat) + ": " + Printable(testCase.strInput));
        EXPECT_EQ(Printable(CEntityDecoder::Decode(testCase.strInput)), Printable(testCase.strExpected));
        EXPECT_EQ(Printable(CEntityDecoder::DecodeSlowly(testCase.strInput)),
                  Printable(testCase.strExpected));
    }
}

// Runs Decode against DecodeSlowly on every text; reports the first few
// mismatching inputs in full.
void ExpectSameAsSlow(const std::function<std::string(std::mt19937&)>& makeText, unsigned uSeed, int nCount)
{
    std::mt19937 random(uSeed);
    int nFailures = 0;
    for (int n = 0; n < nCount && nFailures < 5; ++n) {
        const std::string strText = makeText(random);
        const std::string strFast = CEntityDecoder::Decode(strText);
        const std::string strSlow = CEntityDecoder::DecodeSlowly(strText);
        if (strFast != strSlow) {
            ++nFailures;
            ADD_FAILURE() << "input \"" << Printable(strText) << "\"\n  Decode       \"" << Printable(strFast)
                          << "\"\n  DecodeSlowly \"" << Printable(strSlow) << "\"";
        }
    }
}

std::string RandomBytes(std::mt19937& random, const std::string& strAlphabet, std::size_t uMaxLength)
{
    std::string strText(random() % (uMaxLength + 1), ' ');
    for (char& chByte : strText) {
        chByte = strAlphabet[random() % strAlphabet.size()];
    }
    return strText;
}


// Pieces that make references often: "&#", ";", and numbers that decode to
// '&' (38), '#' (35) and ';' (59), which build new references.
const std::vector<std::string> kTokens = {"&#", "&#", "&#", ";",  ";",     "&",     "#",
                                          "38", "35", "59", "65", "0",     "3",     "5",
                                          "8",  " ",  "a",  "-",  "&#38;", "&#35;", "&#59;"};

TEST(EntityDecoder, MatchesTheSimpleProcedureOnRandomTexts)
{
    const auto smallAlphabet = [](std::mt19937& random) {
        return RandomBytes(random, "&#;0123456789358 a", 60);
    };
    const auto signsAndSpaces = [](std::mt19937& random) {
        return RandomBytes(random, "&#;&#;5-+ \t9a", 60);
    };
    const auto tokens = [](std::mt19937& random) { return RandomTokens(random, kTokens, 30); };
    for (unsigned uSeed = 1; uSeed <= 3; ++uSeed) {
        ExpectSameAsSlow(smallAlphabet, uSeed, 20000);
        ExpectSameAsSlow(signsAndSpaces, uSeed, 10000);
        ExpectSameAsSlow(tokens, uSeed, 20000);
    }
}

// Longer texts where a few references repeat many times, so that one step
// replaces many occurrences and joins long runs of segments.
TEST(EntityDecoder, MatchesTheSimpleProcedureOnRepetitiveTexts)
{
    const auto repetitive = [](std::mt19937& random) {
        std::vector<std::string> arrPool;
        for (int n = 0; n < 8; ++n) {
            arrPool.push_back(RandomTokens(random, kTokens, 5));
        }
        return RandomTokens(random, arrPool, 400);
    };
    ExpectSameAsSlow(repetitive, 7, 300);
}


struct BigCase
{
    const char* pWhat;
    std::string strInput;
    std::string strExpected;
};

// About 1 MB of words and well-formed references drawn from 30,000 distinct
// forms ("&#065qk;" and so on) whose values decode to letters and digits.
BigCase ManyDistinctReferences()
{
    const char* const kWords[] = {"radio ", "station ", "news ", "jazz ", "talk ", "x ", "stream "};
    std::mt19937 random(42);
    BigCase big{"1 MB, 30,000 distinct references", "", ""};
    while (big.strInput.size() < (1U << 20)) {
        const char* pWord = kWords[random() % 7];
        big.strInput += pWord;
        big.strExpected += pWord;
        const int nForm = static_cast<int>(random() % 30000);
        const int nByte = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"[nForm % 62];
        const int nValue = nByte + (nForm % 2 == 0 ? 0 : 256); // 256 more wraps to the same byte
        char szNumber[8];
        std::snprintf(szNumber, sizeof(szNumber), "%03d", nValue);
        big.strInput += std::string("&#") + szNumber + Letters(nForm / 62) + ";";
        big.strExpected += static_cast<char>(nByte);
    }
    return big;
}

std::string Repeat(const std::string& strPiece, int nCount)
{
    std::string strText;
    for (int n = 0; n < nCount; ++n) {
        strText += strPiece;
    }
    return strText;
}

TEST(EntityDecoder, DecodesLargeTexts)
{
    const std::vector<BigCase> arrCases = {
        ManyDistinctReferences(),
        {"100,000 consecutive references", Repeat("&#65;", 100000), std::string(100000, 'A')},
        {"one reference everywhere", Repeat("ab&#66;", 150000), Repeat("abB", 150000)},
        // Each step decodes a '#' behind the '&' in front of it: the start moves left 100,000 times.
        {"a chain that moves the start left", std::string(100000, '&') + "#35;" + Repeat("35;", 99999), "#"},
    };
    for (const BigCase& big : arrCases) {
        SCOPED_TRACE(big.pWhat);
        EXPECT_TRUE(CEntityDecoder::Decode(big.strInput) == big.strExpected);
    }
}

} // namespace
