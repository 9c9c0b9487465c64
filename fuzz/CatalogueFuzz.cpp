// Fuzzes the catalogue loader: the input up to its first zero byte is stored,
// scrambled, as the index file MoviesSettings.txt of a private working folder,
// and the bytes after it as the category file "Category.txt"; CCatalogue::Build
// then makes its records from what CCatalogueSource::Read gives. Checks: one
// record per tree item, each naming its item and back; a record's parent is
// the record of its item's parent and comes before it; captions are at most
// kMaxCaptionLength bytes and are the item texts, their lower case the search
// names; folders carry the folder address, stations a caption path that ends
// with their caption.
#include "CatalogItem.h"
#include "Catalogue.h"
#include "CatalogueSource.h"
#include "FuzzGuiApp.h"
#include "FuzzSupport.h"
#include "MyXmlDom.h"
#include "StationTreeModel.h"
#include "WorkingFolder.h"

#include <algorithm>
#include <memory>
#include <string>

namespace {

constexpr char kCategoryFile[] = "Category.txt";

std::filesystem::path ResFile(const char* pName)
{
    return CFileHandler::ToSystemPath(GetResFolder()) / pName;
}

// Whether a list file holds a web address anywhere but in a station's URL:
// loading fetches icons from such addresses, and a fuzzed list must never
// reach the network.
bool NamesFetchedAddress(const char* pFile)
{
    CMyString strText;
    CMyXmlDom dom;
    if (!CFileHandler::ReadScrambledFile(ResFile(pFile).c_str(), strText, CFileHandler::kListFileKey) ||
        !dom.Load(strText)) {
        return false;
    }
    bool bFetched = false;
    ForEachNode(dom.GetRoot(), [&bFetched](const CXmlNode* pNode, int) {
        bFetched = bFetched || (!NameIs(pNode, "URL") && pNode->GetText().FindNoCase("http") >= 0);
    });
    return bFetched;
}

bool EndsWith(const std::string& strText, const std::string& strEnd)
{
    return strText.size() >= strEnd.size() &&
           strText.compare(strText.size() - strEnd.size(), strEnd.size(), strEnd) == 0;
}

void CheckRecord(const CCatalogue& catalogue, const CStationTreeModel& model, uint32_t uIndex)
{
    const CCatalogItem* pRecord = catalogue.GetRecord(uIndex);
    Check(pRecord != nullptr, "every index below the count has a record");
    const auto hItem = pRecord->m_hTreeItem;
    Check(catalogue.GetRecordIndex(hItem) == static_cast<intptr_t>(uIndex),
          "a record's item names the record");
    Check(catalogue.GetRecordOf(hItem) == pRecord, "GetRecordOf finds the record of its item");
    const CCatalogItem* pParent = catalogue.GetRecordOf(model.GetParentItem(hItem));
    Check(pRecord->m_pParent == pParent, "the parent record is the record of the parent item");
    Check(pParent == nullptr ||
              catalogue.GetRecordIndex(pParent->m_hTreeItem) < static_cast<intptr_t>(uIndex),
          "records are in document order");
    const std::string strCaption = pRecord->m_strCaption.GetText();
    Check(strCaption.size() <= CCatalogue::kMaxCaptionLength, "captions are cut");
    Check(strCaption == model.GetItemText(hItem).GetText(), "the item shows the caption");
    Check(AsciiLower(strCaption) == pRecord->m_strSearchName.GetText(),
          "the search name is the lower case caption");
    if (pRecord->m_nKind != CCatalogItem::kStation) {
        Check(pRecord->IsFolder(), "a folder has the folder address");
        Check(pRecord->GetCaptionPath().IsEmpty(), "a folder has no caption path");
        return;
    }
    Check(pParent != nullptr && !strCaption.empty(), "a station has a parent and a caption");
    // Joining drops one separator where both sides have one.
    const std::string strPath = pRecord->GetCaptionPath().GetText();
    Check(EndsWith(strPath, strCaption) || EndsWith(strPath, strCaption.substr(1)),
          "a station's caption path ends with its caption");
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    CFuzzHome::Get();
    EnsureGuiApplication();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t uSize)
{
    const std::string strBytes(reinterpret_cast<const char*>(pData), uSize);
    const std::size_t uSplit = std::min(strBytes.find('\0'), strBytes.size());
    CFuzzHome::Get().ForgetSettings();
    CFuzzHome::WriteScrambled(ResFile(CCatalogue::kIndexFile), strBytes.substr(0, uSplit));
    CFuzzHome::WriteScrambled(ResFile(kCategoryFile), strBytes.substr(std::min(uSplit + 1, strBytes.size())));
    if (NamesFetchedAddress(CCatalogue::kIndexFile) || NamesFetchedAddress(kCategoryFile)) {
        return -1;
    }

    const std::unique_ptr<CCatalogueSource> pSource = CCatalogueSource::Read(CCatalogue::kIndexFile);
    CStationTreeModel model;
    CCatalogue catalogue(model);
    Check(catalogue.Build(*pSource) == (pSource->GetIndex() != nullptr),
          "Build is true when the index was read");
    Check(catalogue.GetRecordCount() == static_cast<uint32_t>(model.GetItemCount()), "one record per item");
    Check(catalogue.GetRecord(-1) == nullptr, "no record below 0");
    Check(catalogue.GetRecord(catalogue.GetRecordCount()) == nullptr, "no record past the count");
    for (uint32_t i = 0; i < catalogue.GetRecordCount(); ++i) {
        CheckRecord(catalogue, model, i);
    }
    return 0;
}
