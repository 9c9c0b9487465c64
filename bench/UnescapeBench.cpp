// Numeric reference decoding on large texts: the fast decoder on typical and
// on run-heavy text, and the simple procedure on a small text for contrast.
#include "EntityDecoder.h"

#include "../tests/support/RandomText.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <random>
#include <string>

namespace {


// Words with a reference about every 20 bytes, drawn from nForms distinct
// forms such as "&#072ab;".
std::string TypicalText(std::size_t uSize, int nForms)
{
    const char* const kWords[] = {"radio ", "station ", "news ", "jazz ", "talk ", "live ", "stream "};
    std::mt19937 random(1);
    std::string strText;
    while (strText.size() < uSize) {
        strText += kWords[random() % 7];
        strText += kWords[random() % 7];
        const int nForm = static_cast<int>(random() % static_cast<unsigned>(nForms));
        char szValue[8];
        std::snprintf(szValue, sizeof(szValue), "%03d", 65 + nForm % 26);
        strText += std::string("&#") + szValue + Letters(nForm / 26) + ";";
    }
    return strText;
}

std::string ConsecutiveReferences(int nCount)
{
    std::string strText;
    for (int n = 0; n < nCount; ++n) {
        strText += "&#65;";
    }
    return strText;
}

void Run(benchmark::State& state, const std::string& strText, std::string (*decode)(const std::string&))
{
    for (auto _ : state) {
        benchmark::DoNotOptimize(decode(strText));
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(strText.size()));
}

void DecodeTypicalMegabyte(benchmark::State& state)
{
    Run(state, TypicalText(1 << 20, 20000), &CEntityDecoder::Decode);
}

void DecodeConsecutiveReferences(benchmark::State& state)
{
    Run(state, ConsecutiveReferences(100000), &CEntityDecoder::Decode);
}

void DecodeTypical20K(benchmark::State& state)
{
    Run(state, TypicalText(20 << 10, 20000), &CEntityDecoder::Decode);
}

void DecodeSlowlyTypical20K(benchmark::State& state)
{
    Run(state, TypicalText(20 << 10, 20000), &CEntityDecoder::DecodeSlowly);
}

} // namespace

BENCHMARK(DecodeTypicalMegabyte)->Unit(benchmark::kMillisecond);
BENCHMARK(DecodeConsecutiveReferences)->Unit(benchmark::kMillisecond);
BENCHMARK(DecodeTypical20K)->Unit(benchmark::kMillisecond);
BENCHMARK(DecodeSlowlyTypical20K)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
