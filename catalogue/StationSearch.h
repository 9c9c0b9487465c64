// CStationSearch: the walks over the catalogue records behind the tree's Next,
// Previous and station search. Records are CCatalogItem pointers in document
// order; the walks return a record index, or -1 when none qualifies. No state.
#pragma once

#include "ArrayString.h"

#include <cstdint>

class CStationSearch
{
public:
    // The first station after nStart (nStart + 1 up to the last record); no
    // wrap-around.
    static intptr_t FindNextStation(const CArrayPtr& records, intptr_t nStart);
    // The first station before nStart (nStart - 1 down to 0); no wrap-around.
    static intptr_t FindPreviousStation(const CArrayPtr& records, intptr_t nStart);
    // The first record after nStart, wrapping round to 0 and ending with nStart
    // itself, whose search name contains pQuery (folders too). A null or empty
    // query takes the next record. pQuery must already be lower case, as the
    // search names are. A start outside the records counts as 0.
    static intptr_t FindMatch(const CArrayPtr& records, intptr_t nStart, const char* pQuery);
};
