// The resident memory of this process, for tests and benchmarks that check
// what a load costs.
#pragma once

#include <cstddef>
#include <cstdio>
#include <unistd.h>

// The resident memory of the process in bytes; 0 when it cannot be read.
inline size_t ResidentBytes()
{
    long nPages = 0;
    long nResident = 0;
    std::FILE* pFile = std::fopen("/proc/self/statm", "r");
    if (pFile != nullptr) {
        if (std::fscanf(pFile, "%ld %ld", &nPages, &nResident) != 2)
            nResident = 0;
        std::fclose(pFile);
    }
    return static_cast<size_t>(nResident) * static_cast<size_t>(::sysconf(_SC_PAGESIZE));
}
