#include "StationSearch.h"

#include "CatalogItem.h"

namespace {

const CCatalogItem* RecordAt(const CArrayPtr& records, intptr_t nIndex)
{
    return static_cast<const CCatalogItem*>(records.GetAt(static_cast<uint32_t>(nIndex)));
}

bool IsStation(const CArrayPtr& records, intptr_t nIndex)
{
    const CCatalogItem* pRecord = RecordAt(records, nIndex);
    return pRecord != nullptr && pRecord->m_nKind == CCatalogItem::kStation;
}

} // namespace

intptr_t CStationSearch::FindNextStation(const CArrayPtr& records, intptr_t nStart)
{
    const intptr_t nCount = records.GetCount();
    for (intptr_t i = nStart < 0 ? 0 : nStart + 1; i < nCount; ++i) {
        if (IsStation(records, i)) {
            return i;
        }
    }
    return -1;
}

intptr_t CStationSearch::FindPreviousStation(const CArrayPtr& records, intptr_t nStart)
{
    const intptr_t nCount = records.GetCount();
    for (intptr_t i = (nStart > nCount ? nCount : nStart) - 1; i >= 0; --i) {
        if (IsStation(records, i)) {
            return i;
        }
    }
    return -1;
}

intptr_t CStationSearch::FindMatch(const CArrayPtr& records, intptr_t nStart, const char* pQuery)
{
    const intptr_t nCount = records.GetCount();
    if (nCount == 0) {
        return -1;
    }
    const intptr_t nFrom = nStart < 0 || nStart >= nCount ? 0 : nStart;
    const bool bAny = pQuery == nullptr || pQuery[0] == '\0';
    for (intptr_t nStep = 1; nStep <= nCount; ++nStep) {
        const intptr_t i = (nFrom + nStep) % nCount;
        const CCatalogItem* pRecord = RecordAt(records, i);
        if (pRecord != nullptr && (bAny || pRecord->m_strSearchName.Find(pQuery) >= 0)) {
            return i;
        }
    }
    return -1;
}
