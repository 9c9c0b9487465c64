// KESTOVA_ASSERT: a precondition check that stays on in every build type.
// A failed check is a programming error: it prints the expression, the source
// file and the line on stderr and aborts the program.
#pragma once

namespace kestova {
[[noreturn]] void AssertionFailed(const char* pExpression, const char* pFile, int nLine);
}

#define KESTOVA_ASSERT(expr) \
    ((expr) ? static_cast<void>(0) : ::kestova::AssertionFailed(#expr, __FILE__, __LINE__))
