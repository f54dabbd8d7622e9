// What bytes XML names and text may hold: a byte table and a UTF-8 check shared by the readers
// that build XML from other forms.
#pragma once

#include "frame/ByteWords.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace NxXmlLib16
{

// What a byte may be in XML names and text: bit 1 starts a name, bit 2 continues one, bit 4 is
// a control character that XML text cannot hold, bit 8 is the start or part of a multi-byte
// character.
struct CXmlByteTable
{
    unsigned char classes[256];

    constexpr CXmlByteTable() : classes()
    {
        for (int c = 0; c < 32; ++c)
            classes[c] = 4;
        classes[static_cast<unsigned char>('\t')] = 0;
        classes[static_cast<unsigned char>('\n')] = 0;
        classes[static_cast<unsigned char>('\r')] = 0;
        for (int c = 'A'; c <= 'Z'; ++c)
            classes[c] = 3;
        for (int c = 'a'; c <= 'z'; ++c)
            classes[c] = 3;
        classes[static_cast<unsigned char>('_')] = 3;
        for (int c = '0'; c <= '9'; ++c)
            classes[c] = 2;
        classes[static_cast<unsigned char>('-')] = 2;
        classes[static_cast<unsigned char>('.')] = 2;
        for (int c = 128; c < 256; ++c)
            classes[c] = 8;
    }
};

inline constexpr CXmlByteTable XmlBytes;
inline constexpr unsigned char NameStart = 1;
inline constexpr unsigned char NamePart = 2;
inline constexpr unsigned char Control = 4;
inline constexpr unsigned char MultiByte = 8;

// The length of the well-formed UTF-8 character of an XML document at the start of the bytes,
// or 0: no overlong forms, surrogates, code points past U+10FFFF, U+FFFE or U+FFFF.
inline std::size_t Utf8CharLength(unsigned char const * bytes, std::size_t available)
{
    unsigned char const lead = bytes[0];
    std::size_t length;
    std::uint32_t code;
    if (lead >= 0xC2 && lead <= 0xDF)
    {
        length = 2;
        code = lead & 0x1F;
    }
    else if (lead >= 0xE0 && lead <= 0xEF)
    {
        length = 3;
        code = lead & 0x0F;
    }
    else if (lead >= 0xF0 && lead <= 0xF4)
    {
        length = 4;
        code = lead & 0x07;
    }
    else
    {
        return 0;
    }
    if (available < length)
        return 0;
    for (std::size_t i = 1; i < length; ++i)
    {
        if ((bytes[i] & 0xC0) != 0x80)
            return 0;
        code = (code << 6) | (bytes[i] & 0x3F);
    }
    static constexpr std::uint32_t Smallest[5] = {0, 0, 0x80, 0x800, 0x10000};
    if (code < Smallest[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF) || code == 0xFFFE ||
        code == 0xFFFF)
        return 0;
    return length;
}

// Appends the UTF-8 form of a code point.
inline void AppendUtf8(std::uint32_t code, std::string & out)
{
    if (code < 0x80)
    {
        out += static_cast<char>(code);
    }
    else if (code < 0x800)
    {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
    else if (code < 0x10000)
    {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
    else
    {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

// Whether the bytes are text that an XML document can hold.
inline bool IsXmlText(std::string_view text)
{
    unsigned char const * const bytes = reinterpret_cast<unsigned char const *>(text.data());
    std::size_t const length = text.size();
    for (std::size_t i = 0; i < length;)
    {
        if (length - i >= sizeof(std::uint64_t))
        {
            // Eight bytes at once while all are printable ASCII: a byte below a space borrows
            // into its top bit, a byte of 0x80 or more has it set.
            std::uint64_t const word = LoadWord(bytes + i);
            if ((((word - EachByteOne * 0x20) | word) & EachByteTop) == 0)
            {
                i += sizeof word;
                continue;
            }
        }
        unsigned char const c = XmlBytes.classes[bytes[i]];
        if ((c & (Control | MultiByte)) == 0)
        {
            ++i;
            continue;
        }
        if ((c & Control) != 0)
            return false;
        std::size_t const size = Utf8CharLength(bytes + i, length - i);
        if (size == 0)
            return false;
        i += size;
    }
    return true;
}

} // namespace NxXmlLib16
