#include "Station.h"

#include "MyOwnButton.h"
#include "QtText.h"
#include "RegClass.h"

#include <QWidget>
#include <string>

namespace {

constexpr int kPictureStyle = 12;
constexpr int kButtonWidth = 29;
constexpr int kStationHeight = 34;
constexpr int kPresetHeight = 30;

std::string SubKey(int nIndex)
{
    return std::to_string(nIndex);
}

} // namespace

CStation::CStation(QWidget* pFrame, int nIndex, bool bTooltips)
    : m_nIndex(nIndex), m_pFrame(pFrame), m_bTooltips(bTooltips)
{
}

CStation::~CStation()
{
    delete m_pStationButton.data();
    delete m_pPresetButton.data();
}

bool CStation::Create()
{
    if (m_pFrame == nullptr || m_nIndex < 0) {
        return false;
    }
    m_pStationButton = MakeButton(kStationButtonId + m_nIndex, kButtonWidth, kStationHeight);
    m_pStationButton->SetImages("res\\Skin\\Station.Gif", "res\\Skin\\StationHover.Gif",
                                "res\\Skin\\StationPressed.Gif");
    m_pPresetButton = MakeButton(kPresetButtonId + m_nIndex, kButtonWidth, kPresetHeight);
    Load();
    const bool bOn = !m_strName.IsEmpty() && !m_strAddress.IsEmpty();
    if (!bOn) {
        m_strName.Empty();
        m_strAddress.Empty();
    }
    SetPresetImages(bOn);
    if (m_bTooltips) {
        m_pPresetButton->setToolTip(kPresetTip);
        UpdateTooltip();
    }
    return true;
}

CMyOwnButton* CStation::MakeButton(int nId, int nWidth, int nHeight)
{
    auto* pButton = new CMyOwnButton(m_pFrame);
    pButton->Create("", QRect(0, 0, nWidth, nHeight), m_pFrame, nId);
    pButton->SetType(kPictureStyle);
    pButton->SetNotify(true);
    pButton->SetNotifyWindow(m_pFrame);
    pButton->SetBitmapBackground(true);
    return pButton;
}

void CStation::SetPresetImages(bool bOn)
{
    m_bOn = bOn;
    if (m_pPresetButton == nullptr) {
        return;
    }
    if (bOn) {
        m_pPresetButton->SetImages("res\\Skin\\PresetOn.Gif", "res\\Skin\\PresetOnHover.Gif",
                                   "res\\Skin\\PresetOnPressed.Gif");
    } else {
        m_pPresetButton->SetImages("res\\Skin\\PresetOff.Gif", "res\\Skin\\PresetOffHover.Gif",
                                   "res\\Skin\\PresetOffPressed.Gif");
    }
    m_pPresetButton->update();
}

void CStation::UpdateTooltip()
{
    if (!m_bTooltips || m_pStationButton == nullptr) {
        return;
    }
    const bool bNamed = m_bOn && !m_strName.IsEmpty();
    m_pStationButton->setToolTip(bNamed ? ToQString(m_strName) : QString(kEmptySlotTip));
}

int CStation::Place(int nX, int nY)
{
    if (m_pStationButton == nullptr || m_pPresetButton == nullptr) {
        return nX;
    }
    const QSize preset = m_pPresetButton->size();
    const QSize station = m_pStationButton->size();
    m_pPresetButton->setGeometry(nX + (preset.width() + 3) * m_nIndex, nY, preset.width(), preset.height());
    m_pStationButton->setGeometry(nX + (station.width() + 3) * m_nIndex, nY + preset.height(),
                                  station.width(), station.height());
    return m_pStationButton->geometry().right() + 1;
}

void CStation::Assign(const CMyString& strAddress, const CMyString& strName, int nWeb)
{
    m_strAddress = strAddress;
    m_strName = strName;
    m_nWeb = nWeb == 1 ? 1 : 0;
    Save();
    SetPresetImages(true);
    UpdateTooltip();
}

void CStation::Load()
{
    RegClass registry(kStationsKey);
    const std::string strSubKey = SubKey(m_nIndex);
    registry.GetString(strSubKey.c_str(), "Name", m_strName);
    registry.GetString(strSubKey.c_str(), "Url", m_strAddress);
    uint32_t uWeb = 0;
    registry.GetDword(strSubKey.c_str(), kWebValue, uWeb);
    m_nWeb = uWeb == 1 ? 1 : 0;
}

// "Name" first, then "Url", then the web flag, each a value of its own.
void CStation::Save()
{
    RegClass registry(kStationsKey);
    const std::string strSubKey = SubKey(m_nIndex);
    registry.SetString(strSubKey.c_str(), "Name", m_strName.GetText());
    registry.SetString(strSubKey.c_str(), "Url", m_strAddress.GetText());
    registry.SetDword(strSubKey.c_str(), kWebValue, static_cast<uint32_t>(m_nWeb));
}
