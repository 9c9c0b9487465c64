// CStation: one of the five preset slots along the bottom of the main window.
//
// A slot is a pair of picture buttons, one above the other: the upper pre-set
// button stores the station selected in the tree into the slot, the lower
// station button plays it. The main frame routes the presses (both buttons
// notify it with "QV WM_BUTTON_TWO_STATE_CLICKED"). A slot survives restarts in
// the settings store under "SOFTWARE\Kestova\Stations\<index>": "Name" (the
// station's caption path), "Url" and the 32-bit number "Web". Not copyable: it
// owns its buttons.
#pragma once

#include "MyString.h"

#include <QPointer>

class CMyOwnButton;
class QWidget;

class CStation
{
public:
    static constexpr int kCount = 5;
    static constexpr int kStationButtonId = 1044; // + index
    static constexpr int kPresetButtonId = 1054;  // + index
    static constexpr const char* kStationsKey = "SOFTWARE\\Kestova\\Stations";
    static constexpr const char* kWebValue = "Web";
    static constexpr const char* kPresetTip = "Pre-Set A Station";
    static constexpr const char* kEmptySlotTip = "To Pre-Set A Station Click The Button Above";

    CStation(QWidget* pFrame, int nIndex, bool bTooltips = true);
    virtual ~CStation();
    CStation(const CStation&) = delete;
    CStation& operator=(const CStation&) = delete;

    // Creates both buttons and loads the slot from the settings store. False,
    // creating nothing, without a frame or with a negative index.
    bool Create();
    // Marks the slot on or off and gives the pre-set button the matching pictures.
    void SetPresetImages(bool bOn);
    // The station button's tip: the slot's name, or how to pre-set one.
    void UpdateTooltip();
    // Moves both buttons for slot positions starting at (nX, nY); returns the
    // station button's right edge.
    int Place(int nX, int nY);
    // Stores a station into the slot and the settings store.
    void Assign(const CMyString& strAddress, const CMyString& strName, int nWeb);

    bool IsOn() const { return m_bOn; }
    int GetIndex() const { return m_nIndex; }
    const CMyString& GetAddress() const { return m_strAddress; }
    const CMyString& GetName() const { return m_strName; }
    int GetWeb() const { return m_nWeb; }
    CMyOwnButton* GetStationButton() const { return m_pStationButton; }
    CMyOwnButton* GetPresetButton() const { return m_pPresetButton; }

private:
    CMyOwnButton* MakeButton(int nId, int nWidth, int nHeight);
    void Load();
    void Save();

    bool m_bOn = false;
    int m_nIndex;
    QPointer<QWidget> m_pFrame;
    CMyString m_strAddress;
    CMyString m_strName;
    int m_nWeb = 0;
    QPointer<CMyOwnButton> m_pStationButton;
    QPointer<CMyOwnButton> m_pPresetButton;
    bool m_bTooltips;
};
