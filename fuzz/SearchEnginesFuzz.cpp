// Fuzzes the search engine list, CSearchEngines::Load, on the
// LIST_OF_SEARCH_ENGINES element of any text (or its root when it has none).
// Checks against a plain walk of the element: one entry per SEPARATOR and per
// SEARCH_ENGINE with children, in order, at most kMaxEntries, numbered from 1;
// an engine holds the text of its last child of each name, and its image is
// the local file of its last IMAGE_URL; Load is true exactly when the list is
// not empty.
#include "FuzzGuiApp.h"
#include "FuzzSupport.h"
#include "MyXmlDom.h"
#include "SearchEngines.h"
#include "Settings.h"

#include <string>
#include <vector>

namespace {

bool IsEntry(const CXmlNode* pNode)
{
    return NameIs(pNode, "SEPARATOR") || (NameIs(pNode, "SEARCH_ENGINE") && pNode->GetChildCount() > 0);
}

std::string TextOfLast(const CXmlNode* pEngine, const char* pName)
{
    const CXmlNode* pChild = LastChildNamed(pEngine, pName);
    return pChild != nullptr ? pChild->GetText().GetText() : "";
}

// An engine with an image address fetches it unless its file is there: the
// files are made first, so that nothing is fetched.
std::vector<std::filesystem::path> MakeImageFiles(const std::vector<const CXmlNode*>& entries)
{
    std::vector<std::filesystem::path> files;
    for (const CXmlNode* pEntry : entries) {
        for (int i = 0; i < pEntry->GetChildCount(); ++i) {
            const CXmlNode* pChild = pEntry->GetChild(i);
            if (NameIs(pChild, "IMAGE_URL") && !pChild->GetText().IsEmpty()) {
                files.push_back(CFileHandler::ToSystemPath(Settings().GetIconFilePath(pChild->GetText())));
                CFuzzHome::WriteBytes(files.back(), "GIF89a");
            }
        }
    }
    return files;
}

void CheckEngine(const CSearchEngine& engine, const CXmlNode* pElement)
{
    Check(engine.IsSeparator() == NameIs(pElement, "SEPARATOR"), "a SEPARATOR is a separator entry");
    if (engine.IsSeparator()) {
        return;
    }
    Check(TextOfLast(pElement, "CAPTION") == engine.m_strCaption.GetText(), "the last CAPTION");
    Check(TextOfLast(pElement, "PREFIX") == engine.m_strPrefix.GetText(), "the last PREFIX");
    Check(TextOfLast(pElement, "SEARCH_TERM_TO_REPLACE") == engine.m_strSearchTerm.GetText(),
          "the last SEARCH_TERM_TO_REPLACE");
    Check(TextOfLast(pElement, "INPUT_CHARSET") == engine.m_strInputCharset.GetText(),
          "the last INPUT_CHARSET");
    Check(TextOfLast(pElement, "EMPTY_SEARCH_URL") == engine.m_strEmptySearchUrl.GetText(),
          "the last EMPTY_SEARCH_URL");
    const CMyString strImageUrl = TextOfLast(pElement, "IMAGE_URL").c_str();
    const CMyString strImage = strImageUrl.IsEmpty() ? CMyString() : Settings().GetIconFilePath(strImageUrl);
    Check(engine.m_strImage == strImage, "the image is the local file of the last IMAGE_URL");
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
    CMyXmlDom dom;
    if (!dom.Load(AsText(pData, uSize))) {
        return 0;
    }
    const CXmlNode* pList = LastChildNamed(dom.GetRoot(), "LIST_OF_SEARCH_ENGINES");
    pList = pList != nullptr ? pList : dom.GetRoot();
    std::vector<const CXmlNode*> entries;
    for (int i = 0; i < pList->GetChildCount() && entries.size() < CSearchEngines::kMaxEntries; ++i) {
        if (IsEntry(pList->GetChild(i))) {
            entries.push_back(pList->GetChild(i));
        }
    }
    const std::vector<std::filesystem::path> files = MakeImageFiles(entries);

    CSearchEngines engines;
    const bool bLoaded = engines.Load(pList);
    Check(bLoaded == !entries.empty(), "Load is true exactly when an entry loaded");
    Check(engines.GetCount() == static_cast<int>(entries.size()),
          "one entry per entry element, at most kMaxEntries");
    Check(engines.GetAt(-1) == nullptr && engines.GetAt(engines.GetCount()) == nullptr,
          "GetAt outside is null");
    for (int i = 0; i < engines.GetCount(); ++i) {
        Check(engines.GetAt(i)->m_nId == i + 1, "entries are numbered from 1 in order");
        CheckEngine(*engines.GetAt(i), entries[static_cast<std::size_t>(i)]);
    }
    for (const std::filesystem::path& file : files) {
        std::filesystem::remove(file);
    }
    return 0;
}
