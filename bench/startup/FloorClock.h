// The start-up bench's floor programs report moments the way kestova's
// "kestova.timing" lines do: "<what> <nanoseconds>" on the monotonic clock, so
// that the bench reads both kinds of program alike.
#pragma once

#include <cstdio>
#include <time.h>

inline void PrintTime(const char* pWhat)
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    std::fprintf(stderr, "floor: %s %lld\n", pWhat,
                 static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec);
    std::fflush(stderr);
}

// "first paint", the first time it is called; a floor's paintEvent calls it.
class CFirstPaintMark
{
public:
    void operator()()
    {
        if (!m_bDone) {
            m_bDone = true;
            PrintTime("first paint");
        }
    }

private:
    bool m_bDone = false;
};
