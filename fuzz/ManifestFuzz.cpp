// Fuzzes the update check's comparison, CUpdateCheck::CompareManifest, on any
// text, with a fixed set of installed versions in the settings store. Checks
// against the rule of UpdateCheck.h applied by a plain walk: an entry with a
// VERSION is newer when its installed version is missing or older; the flags
// say which kinds are newer, the result is whether any is, and the name is the
// NAME of the last newer EXE_UPDATE or else stays as it was.
#include "FuzzSupport.h"
#include "MyXmlDom.h"
#include "Settings.h"
#include "UpdateCheck.h"

#include <QString>
#include <map>
#include <optional>
#include <string>

namespace {

// The installed versions: value name (in any case) -> version text. A
// category's version is stored under its file name, beside the other values.
const std::map<std::string, std::string>& Installed()
{
    static const std::map<std::string, std::string> s_installed = {
        {"version", "2.0.2.1"},         {"search settings", "1.0"},  {"movies settings", "1.0.0.0"},
        {"server settings", "1.0.0.0"}, {"radiobygenre.txt", "1.2"},
    };
    return s_installed;
}

void StoreInstalledVersions()
{
    Settings settings;
    settings.SetVersion("2.0.2.1");
    settings.SetSearchSettings("1.0");
    settings.SetMoviesSettings("1.0.0.0");
    settings.SetServerSettings("1.0.0.0");
    settings.SetListVersion("RadioByGenre.txt", "1.2");
}

// The installed version's value name for an entry; nothing for an entry that is not compared.
std::optional<std::string> ValueNameOf(const CXmlNode* pEntry)
{
    const CXmlNode* pName = LastChildNamed(pEntry, "NAME");
    if (NameIs(pEntry, "SEARCH_SETTINGS")) {
        return "Search Settings";
    }
    if (NameIs(pEntry, "MOVIES_SETTINGS")) {
        return "Movies Settings";
    }
    if (NameIs(pEntry, "SERVERS")) {
        return "Server Settings";
    }
    if (NameIs(pEntry, "CATEGORY") && pName != nullptr) {
        return pName->GetText().GetText();
    }
    if (NameIs(pEntry, "EXE_UPDATE") && pName != nullptr) {
        return "Version";
    }
    return std::nullopt;
}

// Value names of the store match without regard to case, Unicode's included.
const std::string* FindInstalled(const std::string& strValueName)
{
    for (const auto& [strName, strVersion] : Installed()) {
        if (QString::fromUtf8(strName).compare(QString::fromUtf8(strValueName), Qt::CaseInsensitive) == 0) {
            return &strVersion;
        }
    }
    return nullptr;
}

bool IsNewer(const CXmlNode* pEntry, const std::string& strValueName)
{
    const std::string* pInstalled = FindInstalled(strValueName);
    const CVersion server(LastChildNamed(pEntry, "VERSION")->GetText());
    return pInstalled == nullptr || CVersion(pInstalled->c_str()).Compare(server) == -1;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    CFuzzHome::Get();
    StoreInstalledVersions();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t uSize)
{
    const CMyString strManifest = AsText(pData, uSize);
    int nFlags = -1;
    CMyString strName("unchanged");
    const bool bNewer = CUpdateCheck::CompareManifest(strManifest, nFlags, strName);

    CMyXmlDom dom;
    const CXmlNode* pRoot = dom.Load(strManifest) ? dom.GetRoot() : nullptr;
    int nExpected = 0;
    std::string strExpectedName = "unchanged";
    for (int i = 0; pRoot != nullptr && i < pRoot->GetChildCount(); ++i) {
        const CXmlNode* pEntry = pRoot->GetChild(i);
        const std::optional<std::string> valueName = ValueNameOf(pEntry);
        if (!valueName || LastChildNamed(pEntry, "VERSION") == nullptr || !IsNewer(pEntry, *valueName)) {
            continue;
        }
        const bool bProgram = NameIs(pEntry, "EXE_UPDATE");
        nExpected |= bProgram ? CUpdateCheck::kProgramNewer : CUpdateCheck::kListsNewer;
        strExpectedName = bProgram ? LastChildNamed(pEntry, "NAME")->GetText().GetText() : strExpectedName;
    }
    Check(nFlags == nExpected, "the flags name the kinds of newer entries");
    Check(bNewer == (nExpected != 0), "the result is whether any entry is newer");
    Check(strExpectedName == strName.GetText(), "the name of the last newer program, else unchanged");
    return 0;
}
