// The command line of kestova-settings, for installers and users: reads and
// changes values of the user's settings store (the one the program uses).
//
//   get KEY NAME               prints the value (a number in decimal)
//   set KEY NAME TEXT          writes a string value
//   set-dword KEY NAME NUMBER  writes a 32-bit number value (decimal or 0x hex)
//   list [KEY]                 prints the key and the keys below it, or all
//   delete KEY [NAME]          deletes the value, or the key with all below it
//
// KEY is written as the program writes it, e.g. 'SOFTWARE\Kestova'. Exit
// codes: 0 done, 1 no such key or value, 2 wrong usage, 3 the store cannot be
// written.
#pragma once

#include "Registry.h"

#include <cstdio>

class CSettingsTool
{
public:
    static constexpr int kDone = 0;
    static constexpr int kMissing = 1;
    static constexpr int kUsage = 2;
    static constexpr int kCannotWrite = 3;

    CSettingsTool(const CRegistry& registry, std::FILE* pOut, std::FILE* pErr);

    // Runs one command; arguments as main() receives them.
    int Run(int nArgs, const char* const* ppArgs);

private:
    int Get(const char* pKey, const char* pName);
    int Set(const char* pKey, const char* pName, const char* pText);
    int SetDword(const char* pKey, const char* pName, const char* pNumber);
    int List(const char* pKey);
    int Delete(const char* pKey, const char* pName);
    int Usage();
    int Result(int nStoreResult, const char* pKey);

    CRegistry m_registry;
    std::FILE* m_pOut;
    std::FILE* m_pErr;
};
