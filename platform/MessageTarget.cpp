#include "MessageTarget.h"

#include <mutex>
#include <unordered_map>

struct CMessageTarget::CBox
{
    std::mutex mutex;
    QObject* pWindow = nullptr;
};

namespace {

// One box per living window, so that thousands of downloads to one window
// share one watch on its destruction.
struct Boxes
{
    std::mutex mutex;
    std::unordered_map<QObject*, std::weak_ptr<void>> byWindow;
};

Boxes& AllBoxes()
{
    static Boxes s_boxes;
    return s_boxes;
}

} // namespace

CMessageTarget::CMessageTarget(QObject* pWindow)
{
    if (pWindow == nullptr)
        return;
    Boxes& boxes = AllBoxes();
    std::lock_guard<std::mutex> lock(boxes.mutex);
    std::weak_ptr<void>& slot = boxes.byWindow[pWindow];
    m_pBox = std::static_pointer_cast<CBox>(slot.lock());
    if (m_pBox)
        return;
    m_pBox = std::make_shared<CBox>();
    m_pBox->pWindow = pWindow;
    slot = m_pBox;
    // Emitted on the window's thread as its destruction begins; from then on
    // nothing new reaches it, and a hand-over in progress finishes first.
    std::weak_ptr<CBox> weakBox = m_pBox;
    QObject::connect(
        pWindow, &QObject::destroyed, pWindow,
        [weakBox, pWindow] {
            if (const std::shared_ptr<CBox> pBox = weakBox.lock()) {
                std::lock_guard<std::mutex> boxLock(pBox->mutex);
                pBox->pWindow = nullptr;
            }
            Boxes& all = AllBoxes();
            std::lock_guard<std::mutex> allLock(all.mutex);
            all.byWindow.erase(pWindow);
        },
        Qt::DirectConnection);
}

bool CMessageTarget::IsGone() const
{
    if (!m_pBox)
        return true;
    std::lock_guard<std::mutex> lock(m_pBox->mutex);
    return m_pBox->pWindow == nullptr;
}

bool CMessageTarget::WithWindow(const std::function<void(QObject* pWindow)>& call) const
{
    if (!m_pBox)
        return false;
    std::lock_guard<std::mutex> lock(m_pBox->mutex);
    if (m_pBox->pWindow == nullptr)
        return false;
    call(m_pBox->pWindow);
    return true;
}
