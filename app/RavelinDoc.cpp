#include "RavelinDoc.h"

#include <algorithm>

void CRavelinDoc::AddView(CDocumentView* pView)
{
    if (pView != nullptr && std::find(m_views.begin(), m_views.end(), pView) == m_views.end()) {
        m_views.push_back(pView);
    }
}

void CRavelinDoc::RemoveView(CDocumentView* pView)
{
    m_views.erase(std::remove(m_views.begin(), m_views.end(), pView), m_views.end());
}

void CRavelinDoc::UpdateAllViews(CDocumentView* pSender, intptr_t lHint, void* pHint)
{
    // A copy: a view may add or remove views while it handles the hint.
    const std::vector<CDocumentView*> views = m_views;
    for (CDocumentView* pView : views) {
        if (pView != pSender) {
            pView->OnUpdate(pSender, lHint, pHint);
        }
    }
}
