#include "MenuXPItem.h"

CMenuXPItem::~CMenuXPItem() = default;

bool CMenuXPItem::HasPicture() const
{
    if (!m_pPicture || !m_pPicture->IsValid())
        return false;
    int nWidth = 0;
    int nHeight = 0;
    return m_pPicture->GetSize(nWidth, nHeight);
}
