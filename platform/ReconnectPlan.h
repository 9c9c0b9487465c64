// CReconnectPlan: when to try again a stream that stopped on its own. The
// attempts come 1, 2, 4 and 8 seconds apart, then every 15 seconds, for up to
// ten minutes after the stream dropped; a server that is back for good is
// heard again within the back-off, and a station gone for good is given up.
// It only counts: the player keeps the clock and the timer. Copying copies
// two numbers.
#pragma once

#include <cstdint>

class CReconnectPlan
{
public:
    static constexpr int64_t kGiveUpAfterMs = 10 * 60 * 1000;

    // The stream dropped: attempts count from one again.
    void Start() { m_nAttempt = 0; }
    // The wait before the next attempt, nElapsedMs after the drop, and that
    // attempt counted; -1 when it would come after the ten minutes.
    int64_t NextDelayMs(int64_t nElapsedMs);
    // The attempt under way or waited for; 0 before the first.
    int GetAttempt() const { return m_nAttempt; }

private:
    int m_nAttempt = 0;
};
