#include "Assert.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace kestova {

void AssertionFailed(const char* pExpression, const char* pFile, int nLine)
{
    // Report the file by its base name: the build folder is of no use to the reader.
    const char* pSlash = std::strrchr(pFile, '/');
    const char* pName = pSlash ? pSlash + 1 : pFile;
    std::fprintf(stderr, "Assertion failed: %s, file %s, line %d\n", pExpression, pName, nLine);
    std::fflush(stderr);
    std::abort();
}

} // namespace kestova
