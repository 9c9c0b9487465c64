// The player view's arithmetic and rules that need no widget: the layout, the
// status line, the current station and the home page.
#include "../support/LocalHttpServer.h"
#include "CatalogItem.h"
#include "CurrentStation.h"
#include "HomePage.h"
#include "PlayerLayout.h"
#include "PlayerTestSupport.h"
#include "StatusLine.h"

#include <gtest/gtest.h>

namespace {

TEST(PlayerLayout, PlacesTheStatusLineAndTheControlsForAClientSize)
{
    const CPlayerLayout layout(770, 526, true);
    EXPECT_EQ(layout.GetStatusLabel(), QRect(-3, 504, 285, 25));
    EXPECT_EQ(layout.GetStationLabel(), QRect(279, 504, 494, 25));
    EXPECT_EQ(layout.GetPlayerArea(), QRect(0, 0, 771, 501));
    // The media player's control-bar strip lies 66 pixels below the area.
    EXPECT_EQ(layout.GetMediaPlayer(), QRect(0, 0, 771, 567));
    // The browser is 20 pixels wider, with a region that cuts them off, and 6 taller.
    EXPECT_EQ(layout.GetBrowser(), QRect(0, 0, 791, 507));
    EXPECT_EQ(layout.GetBrowserRegion(), QRect(0, 0, 771, 507));
}

TEST(PlayerLayout, OddWidthsHalveDownAndSmallSizesGiveNoNegativeSizes)
{
    const CPlayerLayout odd(181, 100, true);
    EXPECT_EQ(odd.GetStatusLabel(), QRect(-3, 78, 0, 25));
    EXPECT_EQ(odd.GetStationLabel(), QRect(-16, 78, 200, 25));
    const CPlayerLayout tiny(10, 10, true);
    EXPECT_EQ(tiny.GetPlayerArea(), QRect(0, 0, 11, 0));
    EXPECT_EQ(tiny.GetBrowserRegion(), QRect(0, 0, 11, 6));
    // Without the labels the area fills the client area.
    EXPECT_EQ(CPlayerLayout(400, 300, false).GetPlayerArea(), QRect(0, 0, 401, 300));
}

TEST(PlayerLayout, ANarrowPaneIsWidenedTo180Pixels)
{
    EXPECT_TRUE(CPlayerLayout::IsTooNarrow(179));
    EXPECT_FALSE(CPlayerLayout::IsTooNarrow(180));
    int nTree = -1;
    int nView = -1;
    CPlayerLayout::SnapColumns(965, nTree, nView);
    EXPECT_EQ(nTree, 785);
    EXPECT_EQ(nView, 180);
    CPlayerLayout::SnapColumns(100, nTree, nView);
    EXPECT_EQ(nTree, 0);
    EXPECT_EQ(nView, 180);
}

TEST(StatusLine, ShowsTheStationNameAndTheStatusOnlyWhenTheyChange)
{
    CMyString strText;
    EXPECT_TRUE(CStatusLine::NextStationText("", true, "Radio\\Jazz", strText));
    EXPECT_EQ(strText, " Radio\\Jazz");
    EXPECT_FALSE(CStatusLine::NextStationText(" Radio\\Jazz  ", true, "Radio\\Jazz", strText));
    // No station: the label is cleared once, then left alone.
    EXPECT_TRUE(CStatusLine::NextStationText(" Radio\\Jazz", false, "Radio\\Jazz", strText));
    EXPECT_EQ(strText, "");
    EXPECT_FALSE(CStatusLine::NextStationText("  ", false, "", strText));
    EXPECT_FALSE(CStatusLine::NextStationText(" Old", true, "", strText));

    CStatusLine line;
    EXPECT_TRUE(line.NextStatusText("", strText));
    EXPECT_EQ(strText, "  Ready");
    EXPECT_FALSE(line.NextStatusText("", strText));
    EXPECT_FALSE(line.NextStatusText("Ready", strText));
    EXPECT_TRUE(line.NextStatusText("Buffering (45%)", strText));
    EXPECT_EQ(strText, "  Buffering (45%)");
    EXPECT_TRUE(line.NextStatusText("Playing", strText));
    EXPECT_EQ(strText, "  Playing");
}

TEST(CurrentStation, IsSetFromACatalogueItemOrByHandAndKeepsItsAddressUpToTheFirstAmpersand)
{
    CCurrentStation station;
    EXPECT_FALSE(station.CanPlay());
    CCatalogItem item;
    item.m_nKind = CCatalogItem::kStation;
    item.m_nWeb = 1;
    item.m_strCaption = "News\\World";
    item.m_strAddress = "http://127.0.0.1/watch?id=7&autoplay=1&x=2";
    station.Assign(&item);
    EXPECT_TRUE(station.CanPlay());
    EXPECT_TRUE(station.IsWeb());
    EXPECT_EQ(station.m_strName, "News\\World");
    EXPECT_EQ(station.GetPlayAddress(), "http://127.0.0.1/watch?id=7");
    station.Assign(nullptr);
    EXPECT_TRUE(station.CanPlay());
    // A folder clears the station.
    CCatalogItem folder;
    folder.m_strAddress = CCatalogItem::kFolderAddress;
    station.Assign(&folder);
    EXPECT_FALSE(station.CanPlay());

    EXPECT_TRUE(station.Set("http://127.0.0.1/radio.mp3", "Radio", false));
    EXPECT_EQ(station.GetPlayAddress(), "http://127.0.0.1/radio.mp3");
    EXPECT_FALSE(station.Set("", "Other", true));
    EXPECT_FALSE(station.Set("http://127.0.0.1/other", "", true));
    EXPECT_EQ(station.m_strName, "Radio");
    EXPECT_FALSE(station.IsWeb());
    EXPECT_TRUE(station.Set("&only", "Odd", false));
    EXPECT_EQ(station.GetPlayAddress(), "");
}

TEST(HomePage, AnAddressStandsAsItIsAndAPathIsJoinedToTheServer)
{
    const CMyString strServer = "http://127.0.0.1:8080/kestova/";
    const struct
    {
        const char* pFirstUrl;
        const char* pHomePage;
    } cases[] = {
        {"http://127.0.0.1:9/home.html", "http://127.0.0.1:9/home.html"},
        {"HTTP://127.0.0.1:9/Home.html", "HTTP://127.0.0.1:9/Home.html"},
        {"https://127.0.0.1:9/home.html", "https://127.0.0.1:9/home.html"},
        {"/home.html", "http://127.0.0.1:8080/kestova/home.html"},
        {"\\pages\\home.html", "http://127.0.0.1:8080/kestova/pages\\home.html"},
        {"home.html", "http://127.0.0.1:8080/kestova/home.html"},
    };
    for (const auto& page : cases)
        EXPECT_EQ(MakeHomePage(strServer, page.pFirstUrl), page.pHomePage) << page.pFirstUrl;
}

TEST(HomePage, ComesFromTheChosenServerAndTheCatalogueIndex)
{
    CTestHome home;
    const CMyString strServer("http://127.0.0.1:8080/");
    EXPECT_EQ(FindHomePage(strServer), "");
    WriteCatalogueIndex(home, "start.html");
    EXPECT_EQ(FindHomePage(strServer), "http://127.0.0.1:8080/start.html");
    WriteCatalogueIndex(home, "", false);
    EXPECT_EQ(FindHomePage(strServer), "");
    // No server answered: no home page, even for an address that stands alone.
    WriteCatalogueIndex(home, "http://127.0.0.1:1/home.html");
    EXPECT_EQ(FindHomePage(""), "");
    EXPECT_EQ(ReadFirstUrl((ResFolder(home) / "MoviesSettings.txt").string().c_str()),
              "http://127.0.0.1:1/home.html");
    EXPECT_EQ(ReadFirstUrl((ResFolder(home) / "missing.txt").string().c_str()), "");
}

} // namespace
