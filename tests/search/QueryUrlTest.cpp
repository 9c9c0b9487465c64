// What the search bar sends: the encoding of the typed text, the address rule,
// the site root and the query address of an engine.
#include "QueryUrl.h"

#include "SearchEngine.h"

#include <gtest/gtest.h>
#include <string>

namespace {

CSearchEngine WebEngine(const char* pPrefix, const char* pTerm, const char* pEmptyUrl = "")
{
    CSearchEngine engine;
    engine.m_nId = 1;
    engine.m_strCaption = "Web";
    engine.m_strPrefix = pPrefix;
    engine.m_strSearchTerm = pTerm;
    engine.m_strEmptySearchUrl = pEmptyUrl;
    return engine;
}

CSearchEngine BuiltInEngine()
{
    CSearchEngine engine;
    engine.m_nId = CSearchEngine::kBuiltInId;
    engine.m_strCaption = "Search";
    return engine;
}

TEST(UrlEncode, LettersAndDigitsStaySpaceIsPlusEveryOtherByteIsEscaped)
{
    struct Case
    {
        std::string strText;
        const char* pExpected;
    };
    const Case cases[] = {
        {"", ""},
        {"hello world", "hello+world"},
        {"a&b=c", "a%26b%3Dc"},
        {"x+y", "x%2By"},
        {"line\nbreak", "line%0Abreak"},
        {"AZaz09", "AZaz09"},
        {"-_.~*/", "%2D%5F%2E%7E%2A%2F"},
        {"caf\xC3\xA9", "caf%C3%A9"}, // UTF-8 bytes, each escaped
        {"\xE9\xFF", "%E9%FF"},
        {"  ", "++"},
    };
    for (const Case& c : cases)
        EXPECT_STREQ(UrlEncode(c.strText.c_str()).GetText(), c.pExpected) << c.strText;
}

TEST(IsAddress, SchemesAndWwwWithoutSpaces)
{
    struct Case
    {
        const char* pText;
        bool bAddress;
    };
    const Case cases[] = {
        {"", false},
        {"www.example.org", true},
        {"WWW.EXAMPLE.ORG", true},
        {"HTTP://EXAMPLE.ORG", true},
        {"https://example.org/a?b=c", true}, // https is today's normal address
        {"HtTpS://example.org", true},
        {"get-ftp://host/file", true}, // ftp:// counts anywhere
        {"www.example.org news", false},
        {"http://example.org now", false},
        {"example.org", false},
        {"xhttp://example.org", false}, // http:// only at the start
        {"awww.example.org", false},
        {"httpx://example.org", false},
        {"mailto:someone", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IsAddress(c.pText), c.bAddress) << c.pText;
}

TEST(CutToSiteRoot, CutsBeforeThePathElseTheQueryElseThePort)
{
    struct Case
    {
        const char* pUrl;
        const char* pExpected;
    };
    const Case cases[] = {
        {"http://host.example:8080/path/page?q=1", "http://host.example:8080"},
        {"http://host.example?q=1", "http://host.example"},
        {"http://host.example:8080", "http://host.example"},
        {"http://host.example", "http://host.example"},
        {"HTTP://Host.Example/Path", "HTTP://Host.Example"},
        {"www.example.org/a/b", "www.example.org"},
        {"www.example.org?x=1", "www.example.org"},
        {"", ""},
    };
    for (const Case& c : cases) {
        CMyString strUrl(c.pUrl);
        CutToSiteRoot(strUrl);
        EXPECT_STREQ(strUrl.GetText(), c.pExpected) << c.pUrl;
    }
}

struct QueryCase
{
    const char* pName;
    CSearchEngine engine;
    const char* pText;
    const char* pExpected;
};

std::ostream& operator<<(std::ostream& stream, const QueryCase& query)
{
    return stream << query.pName;
}

class MakeQueryUrlTable : public ::testing::TestWithParam<QueryCase>
{
};

TEST_P(MakeQueryUrlTable, BuildsTheAddressToOpen)
{
    const QueryCase& query = GetParam();
    EXPECT_STREQ(MakeQueryUrl(query.engine, query.pText).GetText(), query.pExpected);
}

const CSearchEngine kEngine =
    WebEngine("https://search.example/?q={q}&lang=en", "{q}", "https://search.example/");

INSTANTIATE_TEST_SUITE_P(
    Table, MakeQueryUrlTable,
    ::testing::Values(
        QueryCase{"WordsReplaceThePlaceholder", kEngine, "hello world",
                  "https://search.example/?q=hello+world&lang=en"},
        QueryCase{"SpecialBytesAreEscaped", kEngine, "a&b=c", "https://search.example/?q=a%26b%3Dc&lang=en"},
        QueryCase{"EveryPlaceholderIsReplaced", WebEngine("https://s.example/{q}/?q={q}", "{q}"), "x y",
                  "https://s.example/x+y/?q=x+y"},
        QueryCase{"PlaceholderIsCaseSensitive", WebEngine("https://s.example/?q={Q}", "{q}"), "x",
                  "https://s.example/?q={Q}"},
        QueryCase{"PrefixWithoutPlaceholderIsSentAsItIs", WebEngine("https://s.example/", "{q}"), "x",
                  "https://s.example/"},
        QueryCase{"EmptySearchTermReplacesNothing", WebEngine("https://s.example/?q=", ""), "x",
                  "https://s.example/?q="},
        QueryCase{"EmptyPrefixSendsTheEncodedText", WebEngine("", "{q}"), "a b&c", "a+b%26c"},
        QueryCase{"WwwAddressIsSentUnchanged", kEngine, "WWW.Example.org/a?b=1", "WWW.Example.org/a?b=1"},
        QueryCase{"HttpAddressInCapitalsIsSentUnchanged", kEngine, "HTTP://EXAMPLE.ORG",
                  "HTTP://EXAMPLE.ORG"},
        QueryCase{"HttpsAddressIsSentUnchanged", kEngine, "https://example.org/x", "https://example.org/x"},
        QueryCase{"FtpAnywhereIsSentUnchanged", kEngine, "get-ftp://host/f", "get-ftp://host/f"},
        QueryCase{"AddressWithAWordIsASearch", kEngine, "www.example.org news",
                  "https://search.example/?q=www%2Eexample%2Eorg+news&lang=en"},
        QueryCase{"EmptyTextOpensTheEmptySearchAddress", kEngine, "", "https://search.example/"},
        QueryCase{"EmptyTextWithoutEmptySearchAddressSendsNothing",
                  WebEngine("https://s.example/?q={q}", "{q}"), "", ""},
        QueryCase{"BuiltInEngineTakesTheRawText", BuiltInEngine(), "two words&more", "two words&more"},
        QueryCase{"BuiltInEngineTakesAnAddressAsText", BuiltInEngine(), "www.example.org",
                  "www.example.org"}),
    [](const ::testing::TestParamInfo<QueryCase>& info) { return std::string(info.param.pName); });

TEST(IsWebAddress, OnlyHttpAndHttpsAddressesWithoutWhiteSpace)
{
    EXPECT_TRUE(IsWebAddress("https://example.org/new"));
    EXPECT_TRUE(IsWebAddress("HTTP://example.org"));
    EXPECT_FALSE(IsWebAddress(""));
    EXPECT_FALSE(IsWebAddress("https://"));
    EXPECT_FALSE(IsWebAddress("file:///etc/passwd"));
    EXPECT_FALSE(IsWebAddress("javascript:alert(1)"));
    EXPECT_FALSE(IsWebAddress("www.example.org"));
    EXPECT_FALSE(IsWebAddress("https://example.org/a b"));
    EXPECT_FALSE(IsWebAddress("https://example.org/\n--flag"));
}

} // namespace
