// CMenuXPItem: the data that rides along with every entry of an owner-drawn
// menu (CMenuXP): the command id, what kind of entry it is, its text, icon and
// picture, and a size. Entries whose data does not carry the signature are
// measured and drawn the plain way. Items belong to their menu and are not
// copyable; CMenuXPText, CMenuXPSeparator and CMenuXPSideBar make the kinds.
#pragma once

#include "MyString.h"
#include "Picture.h"

#include <QIcon>
#include <cstdint>
#include <memory>

class CMenuXPItem
{
public:
    static constexpr uint32_t kSignature = 0x0505A0A0;
    // The default size: the picture square's margin of a text item.
    static constexpr int kDefaultSize = 16;

    CMenuXPItem() = default;
    virtual ~CMenuXPItem();
    CMenuXPItem(const CMenuXPItem&) = delete;
    CMenuXPItem& operator=(const CMenuXPItem&) = delete;

    bool CarriesSignature() const { return m_uSignature == kSignature; }
    // Whether a picture that decodes is set.
    bool HasPicture() const;

    uint32_t m_uSignature = kSignature;
    int m_nId = 0;
    uint8_t m_bSeparator = 0;
    uint8_t m_bSideBar = 0;
    // 1: no picture square is drawn in front of the text.
    uint8_t m_bButtonOnly = 0;
    CMyString m_strText;
    QIcon m_icon;
    std::unique_ptr<CPicture> m_pPicture; // null when none
    // Text items: the picture square's margin; side bar: its width.
    int m_nSize = kDefaultSize;
};
