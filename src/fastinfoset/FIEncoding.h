// Bit-level building blocks of Fast Infoset output: indices, lengths and packed alphabets.
#pragma once

#include <cstdint>
#include <string>

namespace NxXmlLib16
{
namespace FIEncoding
{

// Integer 1 to 2^20 starting on the second bit; leading holds bit 1.
void AppendIndexBit2(std::string & out, unsigned char leading, std::uint32_t value);
// Integer 1 to 2^20 starting on the third bit; leading holds bits 1 and 2.
void AppendIndexBit3(std::string & out, unsigned char leading, std::uint32_t value);
// Integer 1 to 2^20 starting on the fourth bit; leading holds bits 1 to 3.
void AppendIndexBit4(std::string & out, unsigned char leading, std::uint32_t value);
// Length of a non-empty octet string starting on the second, fifth or seventh bit; leading
// holds the bits before it.
void AppendLengthBit2(std::string & out, unsigned char leading, std::uint32_t length);
void AppendLengthBit5(std::string & out, unsigned char leading, std::uint32_t length);
void AppendLengthBit7(std::string & out, unsigned char leading, std::uint32_t length);
// A restricted alphabet ready for packing: each character's position and the width in bits.
class CRestrictedAlphabet
{
public:
    // Throws when the alphabet's size is outside 2 to 2^20 or needs a width other than 4 or 8.
    explicit CRestrictedAlphabet(std::string const & characters);
    // Packs the text's characters as their positions: 4 bits (two to an octet, padded with
    // 1111) or 8 bits per character.
    void AppendPacked(std::string const & text, std::string & out) const;

private:
    // The position of a character, throwing when the alphabet lacks it.
    unsigned PositionOf(char c) const;

    unsigned m_bits = 0;
    unsigned char m_positions[256]; // 0xFF: not in the alphabet
};

// Packs the text with an alphabet given by its characters.
void AppendRestrictedAlphabetString(std::string const & alphabet, std::string const & text, std::string & out);

} // namespace FIEncoding
} // namespace NxXmlLib16
