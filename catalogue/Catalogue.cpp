#include "Catalogue.h"

#include "CatalogueSource.h"
#include "FileHandler.h"
#include "IconFetch.h"
#include "MyDownload.h"
#include "MyXmlDom.h"
#include "ServerList.h"
#include "Settings.h"
#include "VersionRecorder.h"
#include "WorkingFolder.h"

namespace {

constexpr char kIconSuffix[] = ".gif";
constexpr uint32_t kIconSuffixLength = sizeof(kIconSuffix) - 1;

bool IsNamed(const CXmlNode* pNode, const char* pName)
{
    return pNode->GetName().EqualsNoCase(pName);
}

CMyString LowerCase(const CMyString& strText)
{
    CMyString strLower = strText;
    strLower.MakeLower();
    return strLower;
}

CMyString JoinPath(const CMyString& strPath, const CMyString& strComponent)
{
    CMyString strJoined = strPath;
    strJoined.AppendPath(strComponent.GetText());
    return strJoined;
}

// A caption or name as shown and searched: cut to kMaxCaptionLength bytes
// (at a character boundary), so that a hostile list cannot make every row and
// record carry megabytes.
CMyString CaptionOf(const CXmlNode* pElement, const char* pName)
{
    return pElement->GetChildText(pName).LeftUtf8(CCatalogue::kMaxCaptionLength);
}

} // namespace

CCatalogue::CCatalogue(CStationTreeModel& tree) : m_tree(tree) {}

CCatalogue::~CCatalogue()
{
    for (uint32_t i = m_records.GetCount(); i > 0; --i) {
        delete static_cast<CCatalogItem*>(m_records.GetAt(i - 1));
    }
}

void CCatalogue::SetNotifyWindow(QObject* pWindow, unsigned uMessage)
{
    m_notifyWindow = pWindow;
    m_uNotifyMessage = uMessage;
}

void CCatalogue::ChooseServer()
{
    if (m_strServerBase.IsEmpty()) {
        m_strServerBase = FindAnsweringServer(kProbeFile);
    }
}

bool CCatalogue::LoadCatalog()
{
    return Build(*CCatalogueSource::Read(kIndexFile));
}

bool CCatalogue::Build(const CCatalogueSource& source)
{
    const CXmlNode* pRoot = source.GetIndex();
    if (pRoot == nullptr) {
        return false;
    }
    m_pSource = &source;
    // A fresh look at the stored versions for this load.
    m_pVersions.reset();
    if (const CXmlNode* pVersion = pRoot->FindChild("VERSION")) {
        Versions().SetMoviesSettings(pVersion->GetText());
    }
    const CXmlNode* pMovies = pRoot->FindChild("MOVIES");
    m_tree.BeginLoad();
    for (int i = 0; pMovies != nullptr && i < pMovies->GetChildCount(); ++i) {
        LoadMoviesChild(pMovies->GetChild(i));
    }
    m_tree.EndLoad();
    m_pVersions.reset();
    m_pSource = nullptr;
    return true;
}

void CCatalogue::LoadMoviesChild(const CXmlNode* pChild)
{
    if (IsNamed(pChild, "ICON")) {
        RequestDefaultIcon(ServerAddress(pChild->GetText()), false);
    } else if (IsNamed(pChild, "FOLDER_ICON")) {
        RequestDefaultIcon(ServerAddress(pChild->GetText()), true);
    } else if (IsNamed(pChild, "CATEGORY") && pChild->FindChild("NAME") != nullptr) {
        AddCategory(pChild);
    }
}

void CCatalogue::AddCategory(const CXmlNode* pCategory)
{
    const CMyString strName = CaptionOf(pCategory, "NAME");
    const Handle hItem = m_tree.InsertItem(CStationTreeModel::kRoot, strName);
    auto* pRecord = new CCatalogItem;
    pRecord->m_strAddress = m_strFolder;
    pRecord->m_strCaption = strName;
    pRecord->m_strSearchName = LowerCase(strName);
    AddRecord(hItem, pRecord);
    if (const CXmlNode* pIcon = pCategory->FindChild("ICON")) {
        RequestItemIcon(ServerAddress(pIcon->GetText()), pRecord->m_strIconFile, hItem);
    }
    if (const CXmlNode* pFile = pCategory->FindChild("FILE_NAME")) {
        AddCategoryFile(pFile->GetText(), m_pSource->GetCategory(pFile->GetText()), hItem);
        m_expanded.push_back(hItem);
    }
}

void CCatalogue::LoadCategoryFile(const CMyString& strName, Handle hCategory)
{
    CMyXmlDom dom;
    if (CCatalogueSource::ReadListFile(strName, dom)) {
        AddCategoryFile(strName, dom.GetRoot(), hCategory);
    }
}

void CCatalogue::AddCategoryFile(const CMyString& strName, const CXmlNode* pRoot, Handle hCategory)
{
    if (pRoot == nullptr) {
        return;
    }
    if (const CXmlNode* pVersion = pRoot->FindChild("VERSION")) {
        Versions().SetListVersion(strName, pVersion->GetText());
    }
    if (const CXmlNode* pMenu = pRoot->FindChild("MENU")) {
        if (CCatalogItem* pCategory = GetRecordOf(hCategory)) {
            pCategory->m_strPathRoot = CaptionOf(pMenu, "CAPTION");
        }
        AddMenuItems(hCategory, pMenu);
    }
}

bool CCatalogue::AddMenuItems(Handle hParent, const CXmlNode* pMenu)
{
    if (pMenu->GetChildCount() == 0) {
        return false;
    }
    const CCatalogItem* pParent = GetRecordOf(hParent);
    for (int i = 0; i < pMenu->GetChildCount(); ++i) {
        const CXmlNode* pChild = pMenu->GetChild(i);
        if (IsNamed(pChild, "MENU_ITEM")) {
            AddStation(hParent, pParent, pChild);
        } else if (IsNamed(pChild, "MENU")) {
            AddMenu(hParent, pParent, pChild);
        }
    }
    return true;
}

void CCatalogue::AddStation(Handle hParent, const CCatalogItem* pParent, const CXmlNode* pItem)
{
    const CMyString strCaption = CaptionOf(pItem, "CAPTION");
    if (strCaption.IsEmpty()) {
        return;
    }
    const Handle hItem = m_tree.InsertItem(hParent, strCaption);
    auto* pRecord = new CCatalogItem;
    RequestItemIcon(pItem->GetChildText("ICON_URL"), pRecord->m_strIconFile, hItem);
    pRecord->m_nKind = CCatalogItem::kStation;
    pRecord->m_nWeb = pItem->GetChildText("WEB").EqualsNoCase("TRUE") ? 1 : 0;
    pRecord->m_strAddress = pItem->GetChildText("URL");
    pRecord->m_strCaption = strCaption;
    pRecord->m_pParent = pParent;
    pRecord->m_strSearchName = LowerCase(strCaption);
    AddRecord(hItem, pRecord);
}

void CCatalogue::AddMenu(Handle hParent, const CCatalogItem* pParent, const CXmlNode* pMenu)
{
    const CMyString strCaption = CaptionOf(pMenu, "CAPTION");
    if (strCaption.IsEmpty()) {
        return;
    }
    const Handle hItem = m_tree.InsertItem(hParent, strCaption);
    m_tree.SetItemImage(hItem, m_nFolderIcon, m_nFolderIcon);
    auto* pRecord = new CCatalogItem;
    RequestItemIcon(pMenu->GetChildText("ICON_URL"), pRecord->m_strIconFile, hItem);
    pRecord->m_strAddress = m_strFolder;
    pRecord->m_strCaption = strCaption;
    pRecord->m_pParent = pParent;
    pRecord->m_strSearchName = LowerCase(strCaption);
    AddRecord(hItem, pRecord);
    AddMenuItems(hItem, pMenu);
}

void CCatalogue::AddRecord(Handle hItem, CCatalogItem* pRecord)
{
    pRecord->m_hTreeItem = hItem;
    // Records are only ever appended: the next record index is the count.
    m_tree.SetItemData(hItem, static_cast<intptr_t>(m_records.Add(pRecord)));
}

int CCatalogue::LoadListIcon(const CMyString& strUrl)
{
    const CMyString strFile = Settings().GetIconFilePath(strUrl);
    return CFileHandler::FileExists(strFile) ? m_images.AddFile(strFile) : -1;
}

// The default icon of a kind is taken from disk when it is there; otherwise
// it is fetched in the background (the window waits for no server) and takes
// its place in the image list when it arrives. Of several for one kind, the
// last named wins.
void CCatalogue::RequestDefaultIcon(const CMyString& strUrl, bool bFolder)
{
    const CMyString strFile = Settings().GetIconFilePath(strUrl);
    (bFolder ? m_strFolderIconFile : m_strStationIconFile) = strFile;
    int& nIndex = bFolder ? m_nFolderIcon : m_nStationIcon;
    nIndex = LoadListIcon(strUrl);
    if (nIndex >= 0 || !IsHttpAddress(strUrl)) {
        return;
    }
    const intptr_t nCookie = static_cast<intptr_t>(m_defaultIconRequests.size()) + 1;
    m_defaultIconRequests.push_back({strFile, bFolder});
    auto* pDownload = new CMyDownload;
    pDownload->DownloadFile(strUrl, PartialFileOf(strFile), m_notifyWindow, m_uNotifyMessage, nCookie);
}

CMyString CCatalogue::FinishDefaultIconDownload(intptr_t nCookie, bool bSuccess)
{
    const DefaultIconRequest& request = m_defaultIconRequests[static_cast<size_t>(nCookie - 1)];
    const bool bInPlace = FinishDownload(request.strFile, bSuccess);
    if (bInPlace && request.strFile == (request.bFolder ? m_strFolderIconFile : m_strStationIconFile)) {
        (request.bFolder ? m_nFolderIcon : m_nStationIcon) = m_images.AddFile(request.strFile);
    }
    return request.strFile;
}

void CCatalogue::RequestItemIcon(const CMyString& strUrl, CMyString& strIconFile, Handle hItem)
{
    if (strUrl.IsEmpty()) {
        return;
    }
    strIconFile = CachedIconFile(strUrl);
    // The pending set is asked first: it is in memory, the file system is not.
    if (m_pendingIcons.count(strIconFile.GetText()) != 0 || CFileHandler::FileExists(strIconFile) ||
        !IsHttpAddress(strUrl)) {
        return;
    }
    m_pendingIcons.insert(strIconFile.GetText());
    auto* pDownload = new CMyDownload;
    pDownload->DownloadFile(strUrl, PartialFileOf(strIconFile), m_notifyWindow, m_uNotifyMessage,
                            static_cast<intptr_t>(hItem));
}

CMyString CCatalogue::FinishIconDownload(Handle hItem, bool bSuccess)
{
    if (hItem > 0 && hItem <= m_defaultIconRequests.size()) {
        return FinishDefaultIconDownload(static_cast<intptr_t>(hItem), bSuccess);
    }
    const CCatalogItem* pRecord = GetRecordOf(hItem);
    if (pRecord == nullptr || pRecord->m_strIconFile.IsEmpty()) {
        return {};
    }
    FinishDownload(pRecord->m_strIconFile, bSuccess);
    return pRecord->m_strIconFile;
}

CCatalogItem* CCatalogue::GetRecord(intptr_t nIndex) const
{
    if (nIndex < 0 || static_cast<uint64_t>(nIndex) >= m_records.GetCount()) {
        return nullptr;
    }
    return static_cast<CCatalogItem*>(m_records.GetAt(static_cast<uint32_t>(nIndex)));
}

CCatalogItem* CCatalogue::GetRecordOf(Handle hItem) const
{
    return hItem == CStationTreeModel::kRoot ? nullptr : GetRecord(GetRecordIndex(hItem));
}

CMyString CCatalogue::CachedIconFile(const CMyString& strUrl)
{
    // The cache folder is looked up (and made) once: a catalogue names
    // thousands of icons, and each lookup of the folder costs a dozen system
    // calls. The file name follows Settings::GetCachedIconFilePath.
    if (m_strIconFolder.IsEmpty()) {
        const CMyString strSample = Settings().GetCachedIconFilePath("");
        m_strIconFolder = strSample.Mid(0, static_cast<int>(strSample.GetLength() - kIconSuffixLength));
    }
    CMyString strFile = m_strIconFolder;
    strFile += GetIconFileName(strUrl);
    strFile += kIconSuffix;
    return strFile;
}

CVersionRecorder& CCatalogue::Versions()
{
    if (!m_pVersions) {
        m_pVersions = std::make_unique<CVersionRecorder>();
    }
    return *m_pVersions;
}

CMyString CCatalogue::ServerAddress(const CMyString& strRelative) const
{
    return JoinPath(m_strServerBase, strRelative);
}
