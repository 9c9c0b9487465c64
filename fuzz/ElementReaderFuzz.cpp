// Fuzzes the element reader, CMyXmlDom::Load, on arbitrary text and walks the
// tree it builds. Checks: a failed load keeps the previous tree; a loaded tree
// is no deeper than kMaxDepth and every name is non-empty; GetChild answers
// null outside its range; FindChild and GetChildText give the last child of
// the name in any ASCII case, and nothing for a name no child has.
#include "FuzzSupport.h"
#include "MyXmlDom.h"

#include <string>
#include <unordered_map>

namespace {

std::string AsciiUpper(std::string strText)
{
    for (char& chByte : strText) {
        if (chByte >= 'a' && chByte <= 'z') {
            chByte = static_cast<char>(chByte - 'a' + 'A');
        }
    }
    return strText;
}

void CheckLookups(const CXmlNode* pNode)
{
    Check(pNode->GetChild(-1) == nullptr, "GetChild(-1) is null");
    Check(pNode->GetChild(pNode->GetChildCount()) == nullptr, "GetChild(count) is null");
    // Lower-cased name -> the last child of that name.
    std::unordered_map<std::string, const CXmlNode*> last;
    for (int i = 0; i < pNode->GetChildCount(); ++i) {
        const CXmlNode* pChild = pNode->GetChild(i);
        Check(pChild != nullptr, "every child in range exists");
        last[AsciiLower(pChild->GetName().GetText())] = pChild;
    }
    for (const auto& [strLower, pChild] : last) {
        Check(pNode->FindChild(strLower.c_str()) == pChild, "FindChild gives the last child of the name");
        Check(pNode->FindChild(AsciiUpper(strLower).c_str()) == pChild, "FindChild ignores ASCII case");
        Check(pNode->GetChildText(strLower.c_str()) == pChild->GetText(), "GetChildText is the child's text");
        // A longer name that no child has is not found.
        const std::string strAbsent = strLower + "_";
        if (last.count(strAbsent) == 0) {
            Check(pNode->FindChild(strAbsent.c_str()) == nullptr, "a name no child has finds nothing");
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t uSize)
{
    CMyXmlDom dom;
    Check(dom.Load("<Previous>kept</Previous>"), "a plain document loads");
    const CXmlNode* pPrevious = dom.GetRoot();
    if (!dom.Load(AsText(pData, uSize))) {
        Check(dom.GetRoot() == pPrevious, "a failed load keeps the previous tree");
        return 0;
    }
    Check(dom.GetRoot() != nullptr && dom.GetRoot() != pPrevious, "a load gives a new root");
    ForEachNode(dom.GetRoot(), [](const CXmlNode* pNode, int nDepth) {
        Check(nDepth <= CMyXmlDom::kMaxDepth, "no element lies deeper than kMaxDepth");
        Check(!pNode->GetName().IsEmpty(), "every element has a name");
        CheckLookups(pNode);
    });
    return 0;
}
