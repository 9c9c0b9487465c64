// Polynomial hashing of byte runs for CEntityDecoder: the modular arithmetic,
// the Hash of a run (value, kBase^length and length, so that runs combine in
// O(1)) and the table of all byte values that decoded bytes point into. Hash is
// three integers: copying it is trivial and cheap.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace entity_decoder {

using Index = std::size_t;
inline constexpr Index kNone = static_cast<Index>(-1);

// ---- polynomial hashing modulo the prime 2^61 - 1 ----

inline constexpr std::uint64_t kModulus = (std::uint64_t{1} << 61) - 1;
inline constexpr std::uint64_t kBase = 0x1B873593A3F5ULL;

constexpr std::uint64_t Reduce(std::uint64_t uValue)
{
    uValue = (uValue & kModulus) + (uValue >> 61);
    return uValue >= kModulus ? uValue - kModulus : uValue;
}

// Both factors below 2^61; the 128-bit product is folded with 2^61 = 1.
constexpr std::uint64_t MulMod(std::uint64_t uLeft, std::uint64_t uRight)
{
    const std::uint64_t uLeftHigh = uLeft >> 32, uLeftLow = uLeft & 0xFFFFFFFFU;
    const std::uint64_t uRightHigh = uRight >> 32, uRightLow = uRight & 0xFFFFFFFFU;
    const std::uint64_t uMiddle = uLeftHigh * uRightLow + uLeftLow * uRightHigh;
    const std::uint64_t uSum = ((uLeftHigh * uRightHigh) << 3) + (uMiddle >> 29) +
                               ((uMiddle & ((std::uint64_t{1} << 29) - 1)) << 32) +
                               Reduce(uLeftLow * uRightLow);
    return Reduce(uSum);
}

constexpr std::uint64_t PowMod(std::uint64_t uBase, std::uint64_t uExponent)
{
    std::uint64_t uResult = 1;
    for (; uExponent != 0; uExponent >>= 1) {
        if ((uExponent & 1) != 0) {
            uResult = MulMod(uResult, uBase);
        }
        uBase = MulMod(uBase, uBase);
    }
    return uResult;
}

inline constexpr std::uint64_t kBaseInverse = PowMod(kBase, kModulus - 2);

// Byte values count from 1 so that zero bytes still move the hash.
inline std::uint64_t ByteValue(char chByte)
{
    return static_cast<unsigned char>(chByte) + std::uint64_t{1};
}

// The hash of a byte run together with its length and kBase^length, so that two
// runs combine in O(1).
struct Hash
{
    std::uint64_t uValue = 0;
    std::uint64_t uPower = 1;
    Index uLength = 0;
};

inline Hash Concat(const Hash& left, const Hash& right)
{
    return {Reduce(MulMod(left.uValue, right.uPower) + right.uValue), MulMod(left.uPower, right.uPower),
            left.uLength + right.uLength};
}

inline Hash DropLastByte(const Hash& hash, char chByte)
{
    const std::uint64_t uWithout = Reduce(hash.uValue + kModulus - ByteValue(chByte));
    return {MulMod(uWithout, kBaseInverse), MulMod(hash.uPower, kBaseInverse), hash.uLength - 1};
}

constexpr std::array<char, 256> MakeAllBytes()
{
    std::array<char, 256> arrBytes{};
    for (int nByte = 0; nByte < 256; ++nByte) {
        arrBytes[static_cast<std::size_t>(nByte)] = static_cast<char>(nByte);
    }
    return arrBytes;
}

// Decoded bytes are pieces that point in here.
inline constexpr std::array<char, 256> kAllBytes = MakeAllBytes();

} // namespace entity_decoder
