// CCatalogue: the station catalogue behind the station tree. It reads the
// index file "MoviesSettings.txt" and the category files it names from the
// working folder's "res" folder, puts one item per category, menu and station
// into the tree model, and keeps one CCatalogItem record per item in a flat
// array, in document order: a category, then its menus and stations depth-first,
// then the next category. An item's data is the index of its record and a
// record names its item, so each finds the other. Loading also picks the
// server the icons come from, starts the background download of the two
// default icons and of every item icon not yet cached (each file once per
// run), and writes the versions of the files it read to the settings store.
// Everything runs on the user-interface thread; the downloads run on the
// worker pool and report to the notify window. Owns its records; not copyable.
#pragma once

#include "ArrayString.h"
#include "CatalogItem.h"
#include "ImageList.h"
#include "StationTreeModel.h"
#include "VersionRecorder.h"

#include <QObject>
#include <QPointer>
#include <memory>
#include <string>
#include <unordered_set>
#include <vector>

class CCatalogueSource;
class CXmlNode;

class CCatalogue
{
public:
    using Handle = CStationTreeModel::Handle;

    static constexpr uint32_t kRecordGrowBy = 500;
    // Longer captions and names are cut when loaded.
    static constexpr uint32_t kMaxCaptionLength = 1024;
    static constexpr char kIndexFile[] = "MoviesSettings.txt";
    // The file whose reachability picks the server.
    static constexpr char kProbeFile[] = "UpdateSettings.txt";

    explicit CCatalogue(CStationTreeModel& tree);
    ~CCatalogue();
    CCatalogue(const CCatalogue&) = delete;
    CCatalogue& operator=(const CCatalogue&) = delete;

    // Where item icon downloads report, with the item's handle as lParam.
    void SetNotifyWindow(QObject* pWindow, unsigned uMessage);
    // Takes the first server of the server list that answers, unless one was
    // chosen already; none answering leaves the base empty.
    void ChooseServer();
    // Loads the index file and every category it names; true when the index
    // file was read and has a root element.
    bool LoadCatalog();
    // The same from files read before (on any thread); the source is only
    // read during the call.
    bool Build(const CCatalogueSource& source);
    // Loads one category file (a name inside the "res" folder) under its item.
    void LoadCategoryFile(const CMyString& strName, Handle hCategory);
    // Adds the stations and menus of one MENU element under hParent (a
    // category or menu item). False when the menu has no children.
    bool AddMenuItems(Handle hParent, const CXmlNode* pMenu);
    // Adds the icon file of the address to the image list when it is on disk:
    // its index, or -1.
    int LoadListIcon(const CMyString& strUrl);
    // Sets strIconFile to the cached icon file of the address and, when that
    // file is missing and not yet requested in this run, starts its download.
    // An empty address leaves strIconFile as it is.
    void RequestItemIcon(const CMyString& strUrl, CMyString& strIconFile, Handle hItem);
    // A background icon download for hItem has ended: a complete one takes its
    // file's name (a default icon then joins the image list). Returns the
    // item's icon file (empty when it has none). Default icons report with
    // small cookies from 1 up, which no item handle can be.
    CMyString FinishIconDownload(Handle hItem, bool bSuccess);

    uint32_t GetRecordCount() const { return m_records.GetCount(); }
    // Null for an index outside the records.
    CCatalogItem* GetRecord(intptr_t nIndex) const;
    // The record of a tree item, or null.
    CCatalogItem* GetRecordOf(Handle hItem) const;
    // The record index of a tree item (its item data).
    intptr_t GetRecordIndex(Handle hItem) const { return m_tree.GetItemData(hItem); }
    const CArrayPtr& GetRecords() const { return m_records; }

    const CMyString& GetServerBase() const { return m_strServerBase; }
    void SetServerBase(const CMyString& strBase) { m_strServerBase = strBase; }
    int GetStationIconIndex() const { return m_nStationIcon; }
    int GetFolderIconIndex() const { return m_nFolderIcon; }
    const CImageList& GetImageList() const { return m_images; }
    // The icon files whose download was started in this run.
    size_t GetRequestedIconCount() const { return m_pendingIcons.size(); }
    // The categories that loading opened, in order.
    const std::vector<Handle>& GetExpandedItems() const { return m_expanded; }

private:
    void LoadMoviesChild(const CXmlNode* pChild);
    void AddCategory(const CXmlNode* pCategory);
    void RequestDefaultIcon(const CMyString& strUrl, bool bFolder);
    CMyString FinishDefaultIconDownload(intptr_t nCookie, bool bSuccess);
    // The items of a category file's document (null: not read) under its category.
    void AddCategoryFile(const CMyString& strName, const CXmlNode* pRoot, Handle hCategory);
    void AddStation(Handle hParent, const CCatalogItem* pParent, const CXmlNode* pItem);
    void AddMenu(Handle hParent, const CCatalogItem* pParent, const CXmlNode* pMenu);
    // Stores the record for hItem under the next record index.
    void AddRecord(Handle hItem, CCatalogItem* pRecord);
    CMyString ServerAddress(const CMyString& strRelative) const;
    // Settings::GetCachedIconFilePath of the address.
    CMyString CachedIconFile(const CMyString& strUrl);
    CVersionRecorder& Versions();

    CStationTreeModel& m_tree;
    // The files being built from, during Build only.
    const CCatalogueSource* m_pSource = nullptr;
    CArrayPtr m_records{kRecordGrowBy};
    const CMyString m_strFolder{CCatalogItem::kFolderAddress};
    CMyString m_strServerBase;
    int32_t m_nStationIcon = -1;
    int32_t m_nFolderIcon = -1;
    // The default icon files last named for each kind.
    CMyString m_strStationIconFile;
    CMyString m_strFolderIconFile;
    struct DefaultIconRequest
    {
        CMyString strFile;
        bool bFolder;
    };
    // By cookie - 1.
    std::vector<DefaultIconRequest> m_defaultIconRequests;
    // Keyed by the whole file path: a key made of a hash alone would let two
    // icons with colliding names share an entry, and one of them would never
    // be fetched.
    std::unordered_set<std::string> m_pendingIcons;
    CMyString m_strIconFolder;
    // The stored versions, read once per load.
    std::unique_ptr<CVersionRecorder> m_pVersions;
    CImageList m_images;
    std::vector<Handle> m_expanded;
    QPointer<QObject> m_notifyWindow;
    unsigned m_uNotifyMessage = 0;
};
