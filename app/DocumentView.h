// CDocumentView: what a view of the document implements so that the document
// can tell every view about a change. Views are widgets that also derive from
// this class; the document holds them by pointer and never owns them.
#pragma once

#include <cstdint>

class CDocumentView
{
public:
    virtual ~CDocumentView() = default;

    // A change announced through CRavelinDoc::UpdateAllViews. Hints in use: 2,
    // play the selected station; 10, a key press handed to the station tree
    // (pHint is a QKeyEvent allocated with new by the sender; the station tree,
    // which receives it, deletes it).
    virtual void OnUpdate(CDocumentView* pSender, intptr_t lHint, void* pHint) = 0;
};
