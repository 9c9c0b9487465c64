// CStationTreeModel: the items of the station tree, as a Qt item model that the
// tree view shows. It plays the part of the tree control's own item store:
// items are added under a parent after its last child, carry a text, an image
// index and one item data value (the index of the item's catalogue record),
// and are named by a handle that stays valid for the life of the model. Items
// are never removed one by one, so the handle is simply the item's address,
// which also gives Qt's index hash well-spread keys. Widgets are not involved:
// the model can be filled and read without a display. Not copyable.
#pragma once

#include "MyString.h"

#include <QAbstractItemModel>
#include <cstdint>
#include <deque>
#include <vector>

class CStationTreeModel : public QAbstractItemModel
{
public:
    using Handle = uintptr_t;
    static constexpr Handle kRoot = 0;
    // The height of every row: the 26-pixel icon box and a pixel above and below.
    static constexpr int kRowHeight = 28;

    explicit CStationTreeModel(QObject* pParent = nullptr);
    ~CStationTreeModel() override;

    // Bracket a bulk load: the views learn of the new items once, at the end.
    void BeginLoad();
    void EndLoad();
    // Adds an item under hParent (kRoot for the top level) after its last
    // child; its image is 0 and its item data 0. Returns the new handle, or 0
    // when hParent names no item.
    Handle InsertItem(Handle hParent, const CMyString& strText);
    void SetItemData(Handle hItem, intptr_t nData);
    void SetItemImage(Handle hItem, int nImage, int nSelectedImage);

    // Readers; an unknown (0) handle reads as empty, 0 or -1.
    intptr_t GetItemData(Handle hItem) const;
    CMyString GetItemText(Handle hItem) const;
    int GetItemImage(Handle hItem) const;
    Handle GetParentItem(Handle hItem) const;
    // How many levels below the top: 0 for a top-level item.
    int GetItemDepth(Handle hItem) const;
    // The children of hParent in order (kRoot: the top-level items).
    std::vector<Handle> GetChildItems(Handle hParent) const;
    int GetItemCount() const { return static_cast<int>(m_items.size()); }

    QModelIndex IndexOf(Handle hItem) const;
    static Handle HandleOf(const QModelIndex& index);

    QModelIndex index(int nRow, int nColumn, const QModelIndex& parent = QModelIndex()) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    bool hasChildren(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int nRole = Qt::DisplayRole) const override;

private:
    struct Item
    {
        Item* pParent = nullptr;
        std::vector<Item*> children;
        int nRow = 0;
        int nDepth = -1;
        CMyString strText;
        int nImage = 0;
        int nSelectedImage = 0;
        intptr_t nData = 0;
    };

    static Item* ItemOf(Handle hItem) { return reinterpret_cast<Item*>(hItem); }
    const Item* ParentOf(const QModelIndex& parent) const;

    Item m_root;
    // A deque never moves its elements, so handles stay valid as items are added.
    std::deque<Item> m_items;
    bool m_bLoading = false;
};
