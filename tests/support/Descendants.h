// The processes below a process whose command line holds a text, read from
// /proc: for tests that check which helper processes a program keeps alive.
#pragma once

#include "TestHome.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <sys/types.h>
#include <vector>

namespace descendants {

// The parent of the process, or 0 when it is gone.
inline pid_t ParentOf(pid_t nPid)
{
    const std::string strStat = CTestHome::ReadFile("/proc/" + std::to_string(nPid) + "/stat");
    const size_t uEnd = strStat.rfind(')');
    pid_t nParent = 0;
    if (uEnd == std::string::npos || std::sscanf(strStat.c_str() + uEnd + 2, "%*c %d", &nParent) != 1)
        return 0;
    return nParent;
}

} // namespace descendants

// The command line of a process, its arguments joined by spaces.
inline std::string CommandLineOf(pid_t nPid)
{
    std::string strCommand = CTestHome::ReadFile("/proc/" + std::to_string(nPid) + "/cmdline");
    std::replace(strCommand.begin(), strCommand.end(), '\0', ' ');
    return strCommand;
}

// The live processes at least nMinGeneration generations below nAncestor (1:
// its children) whose command line holds the text.
inline std::vector<pid_t> DescendantsWith(pid_t nAncestor, const std::string& strText, int nMinGeneration = 1)
{
    std::vector<pid_t> found;
    for (const auto& entry : std::filesystem::directory_iterator("/proc")) {
        const std::string strName = entry.path().filename().string();
        if (strName.empty() || strName.find_first_not_of("0123456789") != std::string::npos)
            continue;
        const pid_t nPid = std::stoi(strName);
        if (CommandLineOf(nPid).find(strText) == std::string::npos)
            continue;
        int nGeneration = 1;
        for (pid_t nParent = descendants::ParentOf(nPid); nParent > 1;
             nParent = descendants::ParentOf(nParent)) {
            if (nParent == nAncestor) {
                if (nGeneration >= nMinGeneration)
                    found.push_back(nPid);
                break;
            }
            ++nGeneration;
        }
    }
    return found;
}
