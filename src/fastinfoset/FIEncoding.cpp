#include "fastinfoset/FIEncoding.h"

#include "NxException.h"
#include "fastinfoset/FIOctets.h"
#include "frame/Messages.h"

namespace NxXmlLib16
{
namespace FIEncoding
{

namespace
{

// Appends the low octets of value, most significant first.
void AppendOctets(std::string & out, std::uint32_t value, int octets)
{
    for (int shift = 8 * (octets - 1); shift >= 0; shift -= 8)
        out.push_back(static_cast<char>((value >> shift) & 0xFF));
}

void Push(std::string & out, unsigned value) { out.push_back(static_cast<char>(value)); }

} // namespace

void AppendIndexBit2(std::string & out, unsigned char leading, std::uint32_t value)
{
    if (value <= 64)
    {
        Push(out, leading | (value - 1));
    }
    else if (value <= 8256)
    {
        std::uint32_t const w = value - 65;
        Push(out, leading | 0x40 | (w >> 8));
        Push(out, w & 0xFF);
    }
    else
    {
        std::uint32_t const w = value - 8257;
        Push(out, leading | 0x60 | (w >> 16));
        AppendOctets(out, w, 2);
    }
}

void AppendIndexBit3(std::string & out, unsigned char leading, std::uint32_t value)
{
    if (value <= 32)
    {
        Push(out, leading | (value - 1));
    }
    else if (value <= 2080)
    {
        std::uint32_t const w = value - 33;
        Push(out, leading | 0x20 | (w >> 8));
        Push(out, w & 0xFF);
    }
    else if (value <= 526368)
    {
        std::uint32_t const w = value - 2081;
        Push(out, leading | 0x28 | (w >> 16));
        AppendOctets(out, w, 2);
    }
    else
    {
        std::uint32_t const w = value - 526369;
        Push(out, leading | 0x30);
        AppendOctets(out, w, 3);
    }
}

void AppendIndexBit4(std::string & out, unsigned char leading, std::uint32_t value)
{
    if (value <= 16)
    {
        Push(out, leading | (value - 1));
    }
    else if (value <= 1040)
    {
        std::uint32_t const w = value - 17;
        Push(out, leading | 0x10 | (w >> 8));
        Push(out, w & 0xFF);
    }
    else if (value <= 263184)
    {
        std::uint32_t const w = value - 1041;
        Push(out, leading | 0x14 | (w >> 16));
        AppendOctets(out, w, 2);
    }
    else
    {
        std::uint32_t const w = value - 263185;
        Push(out, leading | 0x18);
        AppendOctets(out, w, 3);
    }
}

void AppendLengthBit2(std::string & out, unsigned char leading, std::uint32_t length)
{
    if (length <= 64)
    {
        Push(out, leading | (length - 1));
    }
    else if (length <= 320)
    {
        Push(out, leading | 0x40);
        Push(out, length - 65);
    }
    else
    {
        Push(out, leading | 0x60);
        AppendOctets(out, length - 321, 4);
    }
}

void AppendLengthBit5(std::string & out, unsigned char leading, std::uint32_t length)
{
    if (length <= 8)
    {
        Push(out, leading | (length - 1));
    }
    else if (length <= 264)
    {
        Push(out, leading | 0x08);
        Push(out, length - 9);
    }
    else
    {
        Push(out, leading | 0x0C);
        AppendOctets(out, length - 265, 4);
    }
}

void AppendLengthBit7(std::string & out, unsigned char leading, std::uint32_t length)
{
    if (length <= 2)
    {
        Push(out, leading | (length - 1));
    }
    else if (length <= 258)
    {
        Push(out, leading | 0x02);
        Push(out, length - 3);
    }
    else
    {
        Push(out, leading | 0x03);
        AppendOctets(out, length - 259, 4);
    }
}

CRestrictedAlphabet::CRestrictedAlphabet(std::string const & characters)
{
    std::size_t const size = characters.size();
    if (size < 2 || size > FIOctets::MaxIndex)
        throw CNxException(Msg::FiWriteAlphabetSize);
    // The narrowest width whose all-ones value is not a character.
    m_bits = 2;
    while ((std::size_t(1) << m_bits) <= size)
        ++m_bits;
    if (m_bits != 4 && m_bits != 8)
        throw CNxException(Msg::FiWriteAlphabetUnsupported);
    for (unsigned char & position : m_positions)
        position = 0xFF;
    for (std::size_t i = size; i-- > 0;)
        m_positions[static_cast<unsigned char>(characters[i])] = static_cast<unsigned char>(i);
}

unsigned CRestrictedAlphabet::PositionOf(char c) const
{
    unsigned char const position = m_positions[static_cast<unsigned char>(c)];
    if (position == 0xFF)
        throw CNxException(Msg::FiWriteAlphabetCharacter);
    return position;
}

void CRestrictedAlphabet::AppendPacked(std::string const & text, std::string & out) const
{
    if (m_bits == 8)
    {
        for (char const c : text)
            Push(out, PositionOf(c));
        return;
    }
    std::size_t const length = text.size();
    for (std::size_t i = 0; i < length; i += 2)
    {
        unsigned const high = PositionOf(text[i]);
        unsigned const low = i + 1 < length ? PositionOf(text[i + 1]) : 0x0F;
        Push(out, (high << 4) | low);
    }
}

void AppendRestrictedAlphabetString(std::string const & alphabet, std::string const & text, std::string & out)
{
    CRestrictedAlphabet(alphabet).AppendPacked(text, out);
}

} // namespace FIEncoding
} // namespace NxXmlLib16
