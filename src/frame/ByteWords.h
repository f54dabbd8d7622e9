// Tests on eight bytes at once, held in one 64-bit word: what text scanners use to pass over
// runs of plain bytes quickly.
#pragma once

#include <cstdint>
#include <cstring>

namespace NxXmlLib16
{

inline constexpr std::uint64_t EachByteOne = 0x0101010101010101ULL;
inline constexpr std::uint64_t EachByteTop = 0x8080808080808080ULL;

// The eight bytes from `bytes` on, as one word.
inline std::uint64_t LoadWord(void const * bytes)
{
    std::uint64_t word;
    std::memcpy(&word, bytes, sizeof word);
    return word;
}

// The top bit of the bytes below n (n at most 0x80), and perhaps of some bytes above them: a byte
// below n borrows into its top bit, which a byte of 0x80 or more has set already. Zero exactly
// when no byte is below n.
constexpr std::uint64_t BytesBelow(std::uint64_t word, std::uint64_t n)
{
    return (word - EachByteOne * n) & ~word & EachByteTop;
}

// The top bit of the bytes equal to the byte, and perhaps of some others; zero exactly when none is.
constexpr std::uint64_t BytesEqual(std::uint64_t word, unsigned char byte)
{
    return BytesBelow(word ^ (EachByteOne * byte), 1);
}

} // namespace NxXmlLib16
