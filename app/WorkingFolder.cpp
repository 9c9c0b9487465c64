#include "WorkingFolder.h"

#include "FileHandler.h"
#include "MyXmlDom.h"
#include "Settings.h"
#include "XdgFolders.h"

#include <cstdio>

namespace {

constexpr char kMainFolderTemplate[] = "\\MAIN_FOLDER\\";
constexpr char kProductFolder[] = "Kestova";
constexpr char kResFolder[] = "res\\";

// 64-bit FNV-1a: a stable hash that needs no library.
uint64_t HashText(const CMyString& strText)
{
    uint64_t uHash = 14695981039346656037ull;
    for (uint32_t i = 0; i < strText.GetLength(); ++i) {
        uHash ^= static_cast<unsigned char>(strText.GetAt(i));
        uHash *= 1099511628211ull;
    }
    return uHash;
}

// Cuts a long name and appends "_" and 16 hex digits of its hash.
CMyString Shortened(const CMyString& strName)
{
    const uint32_t uSuffix = 17;
    uint32_t uKeep = kMaxIconFileName - uSuffix;
    // Never cut a UTF-8 sequence in two.
    while (uKeep > 0 && (static_cast<unsigned char>(strName.GetAt(uKeep)) & 0xc0) == 0x80)
        --uKeep;
    char suffix[uSuffix + 1];
    std::snprintf(suffix, sizeof suffix, "_%016llx", static_cast<unsigned long long>(HashText(strName)));
    CMyString strShort = strName.Mid(0, static_cast<int>(uKeep));
    strShort += suffix;
    return strShort;
}

} // namespace

CMyString FolderOf(const CMyString& strPath)
{
    int nCut = strPath.ReverseFind('\\');
    if (nCut < 0)
        nCut = strPath.ReverseFind('/');
    return nCut < 0 ? CMyString() : strPath.Mid(0, nCut);
}

CMyString FindShippedDataFolder(const CMyString& strProgramFolder)
{
    if (strProgramFolder.IsEmpty())
        return {};
    CMyString strInstalled = FolderOf(strProgramFolder);
    strInstalled += "/";
    strInstalled += kInstalledDataFolder;
    for (const CMyString& strFolder : {strProgramFolder, strInstalled}) {
        CMyString strRes = strFolder;
        strRes.AppendPath("res");
        if (CFileHandler::FileExists(strRes))
            return strFolder;
    }
    return {};
}

CMyString GetMainFolder()
{
    CMyString strFolder = GetDataHome();
    if (strFolder.IsEmpty())
        return {};
    CMyString strName(kMainFolderTemplate);
    strName.Replace("MAIN_FOLDER", kProductFolder);
    strFolder += strName;
    // Under its own name: a tree installed with the data folder's parent as
    // its prefix (~/.local) has "share/kestova" there, which the case-blind
    // matching of names would otherwise take for the working folder.
    CFileHandler::CreateDirectoriesAsWritten(strFolder);
    return strFolder;
}

CMyString GetResFolder()
{
    CMyString strFolder = GetMainFolder();
    if (strFolder.IsEmpty())
        return CMyString(kResFolder);
    strFolder += kResFolder;
    CFileHandler::CreateDirectories(strFolder);
    return strFolder;
}

bool IsPlainFileName(const CMyString& strName)
{
    return !strName.IsEmpty() && strName.Find('/') < 0 && strName.Find('\\') < 0 && !(strName == ".") &&
           !(strName == "..");
}

CMyString GetInstallUrl()
{
    // The shipped file lies below the program folder; the folder the program
    // was started in is only the last resort.
    CMyString strInstallPath = Settings().GetInstallPath();
    if (!strInstallPath.IsEmpty()) {
        strInstallPath.AppendPath(kResFolder);
        strInstallPath += kInstallSettingsFile;
        const CMyString strUrl = ReadInstallSettingsUrl(strInstallPath, "INSTALL_URL");
        if (!strUrl.IsEmpty())
            return strUrl;
    }
    CMyString strRelative(kResFolder);
    strRelative += kInstallSettingsFile;
    return ReadInstallSettingsUrl(strRelative, "INSTALL_URL");
}

CMyString ReadInstallSettingsUrl(const CMyString& strFile, const char* pElement)
{
    CMyString strText;
    CMyXmlDom dom;
    if (!CFileHandler::ReadScrambledFile(strFile, strText, CFileHandler::kListFileKey) ||
        !dom.Load(strText) || dom.GetRoot() == nullptr)
        return {};
    const CXmlNode* pRoot = dom.GetRoot();
    for (int i = 0; i < pRoot->GetChildCount(); ++i) {
        const CXmlNode* pChild = pRoot->GetChild(i);
        if (pChild->GetName().EqualsNoCase(pElement))
            return pChild->GetText();
    }
    return {};
}

CMyString GetIconFileName(const CMyString& strAddress)
{
    static const char* const kReplaced[] = {"\\", "/", ":", ".", ",", "?", "<", ">", "]", "[", "}", "{"};
    CMyString strName(strAddress);
    for (const char* pText : kReplaced)
        strName.Replace(pText, "_");
    return strName.GetLength() > kMaxIconFileName ? Shortened(strName) : strName;
}
