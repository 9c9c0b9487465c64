// One preset slot on the offscreen platform: what it makes of the values in
// the settings store, what it writes back, and where it puts its buttons.
#include "Station.h"

#include "../skin/SkinTestSupport.h"
#include "../support/TestHome.h"
#include "MyOwnButton.h"
#include "RegClass.h"

#include <QWidget>
#include <gtest/gtest.h>

namespace {

class StationTest : public CQtTest
{
protected:
    void Store(const char* pSlot, const char* pName, const char* pUrl, uint32_t uWeb)
    {
        RegClass registry(CStation::kStationsKey);
        registry.SetString(pSlot, "Name", pName);
        registry.SetString(pSlot, "Url", pUrl);
        registry.SetDword(pSlot, CStation::kWebValue, uWeb);
    }

    CTestHome m_home;
    QWidget m_frame;
};

TEST_F(StationTest, WithoutAFrameOrWithANegativeIndexNothingIsMade)
{
    CStation orphan(nullptr, 0);
    EXPECT_FALSE(orphan.Create());
    CStation negative(&m_frame, -1);
    EXPECT_FALSE(negative.Create());
    EXPECT_EQ(negative.GetStationButton(), nullptr);
    EXPECT_TRUE(m_frame.findChildren<CMyOwnButton*>().isEmpty());
}

TEST_F(StationTest, StoredValuesDecideWhetherTheSlotIsOn)
{
    struct Case
    {
        const char* pName;
        const char* pUrl;
        uint32_t uWeb;
        bool bOn;
        int nWeb;
    } cases[] = {
        {"Radio > Jazz", "http://jazz/", 1, true, 1},
        {"Radio > Jazz", "http://jazz/", 2, true, 0}, // only exactly 1 is a web station
        {"Radio > Jazz", "", 0, false, 0},
        {"", "http://jazz/", 0, false, 0},
    };
    for (const Case& c : cases) {
        Store("1", c.pName, c.pUrl, c.uWeb);
        CStation station(&m_frame, 1);
        ASSERT_TRUE(station.Create());
        EXPECT_EQ(station.IsOn(), c.bOn) << c.pName << " " << c.pUrl;
        EXPECT_EQ(station.GetWeb(), c.nWeb);
        EXPECT_EQ(station.GetAddress().IsEmpty(), !c.bOn) << "an off slot holds nothing";
        const QString expectedTip = c.bOn ? QString(c.pName) : QString(CStation::kEmptySlotTip);
        EXPECT_EQ(station.GetStationButton()->toolTip(), expectedTip);
        EXPECT_EQ(station.GetPresetButton()->toolTip(), CStation::kPresetTip);
        EXPECT_EQ(station.GetPresetButton()->GetImages().GetNormal(),
                  CMyString(c.bOn ? "res\\Skin\\PresetOn.Gif" : "res\\Skin\\PresetOff.Gif"));
    }
}

TEST_F(StationTest, AssignWritesEachValueOfItsOwn)
{
    {
        CStation station(&m_frame, 4);
        ASSERT_TRUE(station.Create());
        station.Assign("http://world/", "Television > Web > World News", 1);
    }
    RegClass registry(CStation::kStationsKey);
    CMyString strName;
    CMyString strUrl;
    uint32_t uWeb = 0;
    registry.GetString("4", "Name", strName);
    registry.GetString("4", "Url", strUrl);
    registry.GetDword("4", CStation::kWebValue, uWeb);
    EXPECT_EQ(strName, CMyString("Television > Web > World News"));
    EXPECT_EQ(strUrl, CMyString("http://world/"));
    EXPECT_EQ(uWeb, 1u);
}

TEST_F(StationTest, SlotsSit32PixelsApartWithTheStationButtonBelow)
{
    CStation station(&m_frame, 3);
    ASSERT_TRUE(station.Create());
    EXPECT_EQ(station.Place(15, 570), 15 + 3 * 32 + 29);
    EXPECT_EQ(station.GetPresetButton()->geometry(), QRect(111, 570, 29, 30));
    EXPECT_EQ(station.GetStationButton()->geometry(), QRect(111, 600, 29, 34));
}

} // namespace
