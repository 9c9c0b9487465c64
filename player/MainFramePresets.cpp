#include "FolderTreeView.h"
#include "MainFrame.h"
#include "MyOwnButton.h"
#include "RavelinView.h"
#include "Station.h"

#include <memory>

// The preset slots of the main frame: making them, and the two actions their
// buttons ask for.

namespace {

constexpr char kNoSelectionText[] = "No Station Is Selected.\nTo Pre-Set A Station,Please Select A Station\n"
                                    "From The List And Then\nClick The Pre-Set Button Again";
constexpr char kReplaceText[] =
    "This Button Already Contains a Pre-Set Station.\n Would You Like To Replace It?";
constexpr char kStoredText[] = "The Station Was Pre-Set Successfully";
constexpr char kNotPresetText[] = "This Button Is Not Pre-Set Yet.\nSelect A Station From The List\n"
                                  "And Then Click The Upper Button.";
constexpr int kYes = 6;

} // namespace

// A slot whose buttons cannot be made is dropped; the others keep their index.
void CMainFrame::CreatePresets()
{
    for (int nIndex = 0; nIndex < CStation::kCount; ++nIndex) {
        auto pStation = std::make_unique<CStation>(this, nIndex);
        if (pStation->Create()) {
            m_presets.push_back(std::move(pStation));
        }
    }
}

// Only the preset buttons notify the frame; the first slot holding the button acts.
intptr_t CMainFrame::OnButtonClicked(uintptr_t wParam)
{
    const auto* pButton = reinterpret_cast<const CMyOwnButton*>(wParam);
    for (const auto& pStation : m_presets) {
        if (pButton == pStation->GetStationButton()) {
            PlayPreset(*pStation);
            break;
        }
        if (pButton == pStation->GetPresetButton()) {
            AssignPreset(*pStation);
            break;
        }
    }
    return 0;
}

void CMainFrame::AssignPreset(CStation& station)
{
    if (m_pTree == nullptr) {
        return;
    }
    const CCatalogItem* pItem = m_pTree->GetSelectedItem();
    if (pItem == nullptr || pItem->m_strAddress.IsEmpty() || pItem->m_strAddress.EqualsNoCase("Folder")) {
        m_messageBox(kNoSelectionText, 0);
        return;
    }
    if (!station.GetAddress().IsEmpty() && m_messageBox(kReplaceText, 4) != kYes) {
        return;
    }
    station.Assign(pItem->m_strAddress, pItem->GetCaptionPath(), pItem->m_nWeb);
    m_messageBox(kStoredText, 0);
}

void CMainFrame::PlayPreset(CStation& station)
{
    if (station.GetName().IsEmpty() || station.GetAddress().IsEmpty()) {
        m_messageBox(kNotPresetText, 0);
        return;
    }
    if (m_pView != nullptr) {
        m_pView->SetStation(station.GetAddress(), station.GetName(), station.GetWeb() == 1);
        m_pView->Play();
    }
}
