#include "ReconnectPlan.h"

#include <array>
#include <cstddef>

namespace {

constexpr std::array<int64_t, 4> kFirstDelaysMs = {1000, 2000, 4000, 8000};
constexpr int64_t kLaterDelayMs = 15000;

} // namespace

int64_t CReconnectPlan::NextDelayMs(int64_t nElapsedMs)
{
    const auto uIndex = static_cast<std::size_t>(m_nAttempt);
    const int64_t nDelay = uIndex < kFirstDelaysMs.size() ? kFirstDelaysMs[uIndex] : kLaterDelayMs;
    if (nElapsedMs + nDelay > kGiveUpAfterMs)
        return -1;
    ++m_nAttempt;
    return nDelay;
}
