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
// Packs the text's characters as their positions in the alphabet: 4 bits (two to an octet,
// padded with 1111) or 8 bits per character, by the alphabet's size.
void AppendRestrictedAlphabetString(std::string const & alphabet, std::string const & text, std::string & out);

} // namespace FIEncoding
} // namespace NxXmlLib16
