#include "Manifest.h"

#include "MyXmlDom.h"

#include <filesystem>

namespace kestova {
namespace {

// The manifest's element for a list's root element; empty for lists that are
// not published.
std::string EntryKind(const CMyString& strRoot)
{
    if (strRoot.EqualsNoCase("MOVIES_SETTINGS"))
        return "MOVIES_SETTINGS";
    if (strRoot.EqualsNoCase("SEARCH_SETTINGS"))
        return "SEARCH_SETTINGS";
    if (strRoot.EqualsNoCase("SERVER_SETTINGS") || strRoot.EqualsNoCase("SERVERS"))
        return "SERVERS";
    if (strRoot.EqualsNoCase("CATEGORY_LIST"))
        return "CATEGORY";
    return {};
}

// The file name the program asks the server for: "RadioByGenre.txt.xml" gives "RadioByGenre.txt".
std::string PublishedName(const std::string& strSource)
{
    std::filesystem::path path(strSource);
    return path.extension() == ".xml" ? path.stem().string() : path.filename().string();
}

} // namespace

bool MakeManifest(const std::vector<std::string>& sources, std::string& strManifest, std::ostream& err)
{
    strManifest = "<UPDATE>\n";
    for (const std::string& strSource : sources) {
        CMyXmlDom dom;
        if (!dom.LoadFile(strSource.c_str()) || dom.GetRoot() == nullptr) {
            err << "kestova-lists: " << strSource << " is no list\n";
            return false;
        }
        const std::string strKind = EntryKind(dom.GetRoot()->GetName());
        if (strKind.empty())
            continue;
        const CMyString strVersion = dom.GetRoot()->GetChildText("VERSION");
        if (strVersion.IsEmpty()) {
            err << "kestova-lists: " << strSource << " has no VERSION\n";
            return false;
        }
        strManifest += "  <" + strKind + "><VERSION>" + strVersion.GetText() + "</VERSION><NAME>" +
                       PublishedName(strSource) + "</NAME></" + strKind + ">\n";
    }
    strManifest += "</UPDATE>\n";
    return true;
}

} // namespace kestova
