#include "StationTreeModel.h"

#include "QtText.h"

#include <QSize>

CStationTreeModel::CStationTreeModel(QObject* pParent) : QAbstractItemModel(pParent) {}

CStationTreeModel::~CStationTreeModel() = default;

void CStationTreeModel::BeginLoad()
{
    if (!m_bLoading) {
        beginResetModel();
        m_bLoading = true;
    }
}

void CStationTreeModel::EndLoad()
{
    if (m_bLoading) {
        m_bLoading = false;
        endResetModel();
    }
}

CStationTreeModel::Handle CStationTreeModel::InsertItem(Handle hParent, const CMyString& strText)
{
    Item* pParent = hParent == kRoot ? &m_root : ItemOf(hParent);
    const int nRow = static_cast<int>(pParent->children.size());
    if (!m_bLoading) {
        beginInsertRows(pParent == &m_root ? QModelIndex() : createIndex(pParent->nRow, 0, pParent), nRow,
                        nRow);
    }
    Item& item = m_items.emplace_back();
    item.pParent = pParent;
    item.nRow = nRow;
    item.nDepth = pParent->nDepth + 1;
    item.strText = strText;
    pParent->children.push_back(&item);
    if (!m_bLoading) {
        endInsertRows();
    }
    return reinterpret_cast<Handle>(&item);
}

void CStationTreeModel::SetItemData(Handle hItem, intptr_t nData)
{
    if (hItem != kRoot) {
        ItemOf(hItem)->nData = nData;
    }
}

void CStationTreeModel::SetItemImage(Handle hItem, int nImage, int nSelectedImage)
{
    if (hItem != kRoot) {
        ItemOf(hItem)->nImage = nImage;
        ItemOf(hItem)->nSelectedImage = nSelectedImage;
    }
}

intptr_t CStationTreeModel::GetItemData(Handle hItem) const
{
    return hItem == kRoot ? 0 : ItemOf(hItem)->nData;
}

CMyString CStationTreeModel::GetItemText(Handle hItem) const
{
    return hItem == kRoot ? CMyString() : ItemOf(hItem)->strText;
}

int CStationTreeModel::GetItemImage(Handle hItem) const
{
    return hItem == kRoot ? -1 : ItemOf(hItem)->nImage;
}

CStationTreeModel::Handle CStationTreeModel::GetParentItem(Handle hItem) const
{
    if (hItem == kRoot || ItemOf(hItem)->pParent == &m_root) {
        return kRoot;
    }
    return reinterpret_cast<Handle>(ItemOf(hItem)->pParent);
}

int CStationTreeModel::GetItemDepth(Handle hItem) const
{
    return hItem == kRoot ? -1 : ItemOf(hItem)->nDepth;
}

std::vector<CStationTreeModel::Handle> CStationTreeModel::GetChildItems(Handle hParent) const
{
    const Item* pParent = hParent == kRoot ? &m_root : ItemOf(hParent);
    std::vector<Handle> handles;
    handles.reserve(pParent->children.size());
    for (const Item* pChild : pParent->children) {
        handles.push_back(reinterpret_cast<Handle>(pChild));
    }
    return handles;
}

QModelIndex CStationTreeModel::IndexOf(Handle hItem) const
{
    return hItem == kRoot ? QModelIndex() : createIndex(ItemOf(hItem)->nRow, 0, ItemOf(hItem));
}

CStationTreeModel::Handle CStationTreeModel::HandleOf(const QModelIndex& index)
{
    return index.isValid() ? reinterpret_cast<Handle>(index.internalPointer()) : kRoot;
}

const CStationTreeModel::Item* CStationTreeModel::ParentOf(const QModelIndex& parent) const
{
    return parent.isValid() ? static_cast<const Item*>(parent.internalPointer()) : &m_root;
}

QModelIndex CStationTreeModel::index(int nRow, int nColumn, const QModelIndex& parent) const
{
    const Item* pParent = ParentOf(parent);
    if (nColumn != 0 || nRow < 0 || nRow >= static_cast<int>(pParent->children.size())) {
        return {};
    }
    return createIndex(nRow, 0, pParent->children[static_cast<size_t>(nRow)]);
}

QModelIndex CStationTreeModel::parent(const QModelIndex& child) const
{
    if (!child.isValid()) {
        return {};
    }
    const Item* pParent = static_cast<const Item*>(child.internalPointer())->pParent;
    return pParent == &m_root ? QModelIndex() : createIndex(pParent->nRow, 0, pParent);
}

int CStationTreeModel::rowCount(const QModelIndex& parent) const
{
    if (parent.column() > 0) {
        return 0;
    }
    return static_cast<int>(ParentOf(parent)->children.size());
}

int CStationTreeModel::columnCount(const QModelIndex&) const
{
    return 1;
}

bool CStationTreeModel::hasChildren(const QModelIndex& parent) const
{
    return rowCount(parent) > 0;
}

QVariant CStationTreeModel::data(const QModelIndex& index, int nRole) const
{
    if (!index.isValid()) {
        return {};
    }
    const Item* pItem = static_cast<const Item*>(index.internalPointer());
    switch (nRole) {
    case Qt::DisplayRole:
        return ToQString(pItem->strText);
    case Qt::SizeHintRole:
        return QSize(0, kRowHeight);
    default:
        return {};
    }
}
