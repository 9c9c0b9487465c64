// CRavelinDoc: the document that the program's views share. It holds no data of
// its own; views reach each other through it by broadcasting a hint number
// (UpdateAllViews) instead of calling each other directly. Lives on the
// user-interface thread.
#pragma once

#include "DocumentView.h"

#include <QObject>

#include <cstdint>
#include <vector>

class CRavelinDoc : public QObject
{
public:
    static constexpr intptr_t kHintPlaySelected = 2;
    static constexpr intptr_t kHintKeyToTree = 10;

    using QObject::QObject;

    // Views add themselves when created and remove themselves when destroyed.
    void AddView(CDocumentView* pView);
    void RemoveView(CDocumentView* pView);
    // Calls OnUpdate of every view but the sender, in the order they were added.
    void UpdateAllViews(CDocumentView* pSender, intptr_t lHint = 0, void* pHint = nullptr);

private:
    std::vector<CDocumentView*> m_views;
};
