// Random texts for fuzz-style tests: reproducible from the generator's seed.
#pragma once

#include <cstddef>
#include <random>
#include <string>
#include <vector>

// Up to uMaxCount tokens drawn from arrTokens, joined.
inline std::string RandomTokens(std::mt19937& random, const std::vector<std::string>& arrTokens,
                                std::size_t uMaxCount)
{
    std::string strText;
    for (std::size_t uCount = random() % (uMaxCount + 1); uCount > 0; --uCount) {
        strText += arrTokens[random() % arrTokens.size()];
    }
    return strText;
}

// Base-26 letters: a suffix that makes reference forms distinct without
// changing their value.
inline std::string Letters(int nNumber)
{
    std::string strLetters;
    do {
        strLetters += static_cast<char>('a' + nNumber % 26);
        nNumber /= 26;
    } while (nNumber != 0);
    return strLetters;
}
