// A second writer for the concurrent-writer test: writes COUNT values named
// "PREFIX-i" (i from 0) into the key "SOFTWARE\Kestova" of the user's store,
// one call each. It first creates READY and waits for GO, so that the writers
// start together. Exit code 0 when every write succeeded.
#include "Registry.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

int main(int argc, char** argv)
{
    if (argc != 5)
        return 2;
    const std::string strPrefix = argv[1];
    const int nCount = std::atoi(argv[2]);
    std::ofstream(argv[3]).put('1');
    for (int nWait = 0; !std::filesystem::exists(argv[4]); ++nWait) {
        if (nWait > 60000)
            return 3;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    CRegistry registry;
    int nFailed = 0;
    for (int i = 0; i < nCount; ++i) {
        const std::string strName = strPrefix + "-" + std::to_string(i);
        if (registry.SetString("SOFTWARE\\Kestova", strName.c_str(), std::to_string(i).c_str()) != 0)
            ++nFailed;
    }
    if (nFailed != 0)
        std::fprintf(stderr, "%d writes failed\n", nFailed);
    return nFailed == 0 ? 0 : 1;
}
