// The octet-level part of the Fast Infoset reader: integers, lengths, terminators, skipped items
// and the restricted alphabets.
#include "fastinfoset/FastInfosetReader.h"

#include "fastinfoset/FastInfosetReaderSupport.h"

#include <cstring>

namespace NxXmlLib16
{

using namespace FIReaderSupport;

CFIRestrictedAlphabet::CFIRestrictedAlphabet(std::string_view characters)
{
    std::size_t i = 0;
    while (i < characters.size())
    {
        // A UTF-8 character: the lead byte and its continuation bytes.
        std::size_t next = i + 1;
        while (next < characters.size() && (static_cast<unsigned char>(characters[next]) & 0xC0) == 0x80)
            ++next;
        if (m_characters.size() == MaxTableSize)
        {
            m_characters.clear();
            break;
        }
        m_characters.emplace_back(characters.substr(i, next - i));
        i = next;
    }
    if (m_characters.size() < 2)
        Fail(Msg::FiAlphabetSize);
    m_width = 1;
    while ((std::size_t(1) << m_width) <= m_characters.size())
        ++m_width;
}

void CFIRestrictedAlphabet::Unpack(unsigned char const * data, std::size_t length, std::string & out,
                                   bool thirdBit) const
{
    std::uint32_t const allOnes = (std::uint32_t(1) << m_width) - 1;
    std::uint64_t const totalBits = static_cast<std::uint64_t>(length) * 8;
    auto const bitAt = [data](std::uint64_t bit) { return (data[bit >> 3] >> (7 - (bit & 7))) & 1u; };
    std::uint64_t bit = 0;
    while (bit < totalBits)
    {
        // What is left of the last octet after the last character is padding of one bits.
        std::uint64_t const left = totalBits - bit;
        if (left < m_width)
            break;
        std::uint32_t value = 0;
        for (unsigned int k = 0; k < m_width; ++k)
            value = (value << 1) | bitAt(bit + k);
        if (value == allOnes && left < 8)
            break;
        if (value >= m_characters.size())
            FailEncodedString(thirdBit);
        out.append(m_characters[value]);
        bit += m_width;
    }
    for (; bit < totalBits; ++bit)
    {
        if (bitAt(bit) == 0)
            FailEncodedString(thirdBit);
    }
}

unsigned char CFastInfosetReader::Next()
{
    if (m_position == m_end)
        FailEndOfFile();
    return *m_position++;
}

std::string_view CFastInfosetReader::Take(std::uint64_t length)
{
    if (length > static_cast<std::uint64_t>(m_end - m_position))
        FailEndOfFile();
    std::string_view const taken(reinterpret_cast<char const *>(m_position), static_cast<std::size_t>(length));
    m_position += length;
    return taken;
}

bool CFastInfosetReader::AtTerminator() const
{
    if (m_halfTerminator)
        return true;
    if (m_position == m_end)
        FailEndOfFile();
    return *m_position == 0xF0 || *m_position == 0xFF;
}

bool CFastInfosetReader::TakeTerminator()
{
    if (m_halfTerminator)
    {
        m_halfTerminator = false;
        return true;
    }
    if (m_position == m_end)
        FailEndOfFile();
    if (*m_position == 0xF0)
    {
        ++m_position;
        return true;
    }
    if (*m_position == 0xFF)
    {
        ++m_position;
        m_halfTerminator = true;
        return true;
    }
    return false;
}

std::uint32_t CFastInfosetReader::ReadWithTwoOctets(unsigned char first)
{
    std::uint32_t const second = Next();
    return (static_cast<std::uint32_t>(first) << 16) | (second << 8) | Next();
}

std::uint32_t CFastInfosetReader::ReadItemCount()
{
    unsigned char const octet = Next();
    if ((octet & 0x80) == 0)
        return octet + 1u;
    if ((octet & 0xF0) == 0x80)
        return ReadWithTwoOctets(octet & 0x0F) + 129;
    Fail(Msg::FiItemCount);
}

std::uint64_t CFastInfosetReader::ReadLengthOnSecondBit(unsigned char octet)
{
    if ((octet & 0x40) == 0)
        return (octet & 0x3Fu) + 1;
    if ((octet & 0x7F) == 0x40)
        return Next() + 65u;
    if ((octet & 0x7F) == 0x60)
    {
        std::uint64_t const high = ReadWithTwoOctets(Next()) << 8;
        return (high | Next()) + 321;
    }
    Fail(Msg::FiOctetStringSecondBit);
}

std::uint64_t CFastInfosetReader::ReadLengthOnFifthBit(unsigned char octet)
{
    if ((octet & 0x08) == 0)
        return (octet & 0x07u) + 1;
    if ((octet & 0x0F) == 0x08)
        return Next() + 9u;
    if ((octet & 0x0F) == 0x0C)
    {
        std::uint64_t const high = ReadWithTwoOctets(Next()) << 8;
        return (high | Next()) + 265;
    }
    Fail(Msg::FiOctetStringFifthBit);
}

std::uint64_t CFastInfosetReader::ReadLengthOnSeventhBit(unsigned char octet)
{
    // Every pattern of the two bits has a meaning.
    if ((octet & 0x02) == 0)
        return (octet & 0x01u) + 1;
    if ((octet & 0x03) == 0x02)
        return Next() + 3u;
    std::uint64_t const high = ReadWithTwoOctets(Next()) << 8;
    return (high | Next()) + 259;
}

std::uint32_t CFastInfosetReader::ReadIntegerOnSecondBit(unsigned char octet)
{
    if ((octet & 0x40) == 0)
        return (octet & 0x3Fu) + 1;
    if ((octet & 0x60) == 0x40)
        return (((octet & 0x1Fu) << 8) | Next()) + 65;
    if ((octet & 0x70) == 0x60)
        return ReadWithTwoOctets(octet & 0x0F) + 8257;
    Fail(Msg::FiInteger1SecondBit);
}

std::uint32_t CFastInfosetReader::ReadIntegerZeroOnSecondBit(unsigned char octet)
{
    if ((octet & 0x7F) == 0x7F)
        return 0;
    if ((octet & 0x70) == 0x70)
        Fail(Msg::FiInteger0SecondBit);
    return ReadIntegerOnSecondBit(octet);
}

std::uint32_t CFastInfosetReader::ReadIntegerOnThirdBit(unsigned char octet)
{
    if ((octet & 0x20) == 0)
        return (octet & 0x1Fu) + 1;
    if ((octet & 0x38) == 0x20)
        return (((octet & 0x07u) << 8) | Next()) + 33;
    if ((octet & 0x38) == 0x28)
        return ReadWithTwoOctets(octet & 0x07) + 2081;
    if ((octet & 0x3F) == 0x30)
    {
        unsigned char const high = Next();
        if (high <= 0x0F)
            return ReadWithTwoOctets(high) + 526369;
    }
    Fail(Msg::FiInteger1ThirdBit);
}

std::uint32_t CFastInfosetReader::ReadIntegerOnFourthBit(unsigned char octet)
{
    if ((octet & 0x10) == 0)
        return (octet & 0x0Fu) + 1;
    if ((octet & 0x1C) == 0x10)
        return (((octet & 0x03u) << 8) | Next()) + 17;
    if ((octet & 0x1C) == 0x14)
        return ReadWithTwoOctets(octet & 0x03) + 1041;
    if ((octet & 0x1F) == 0x18)
    {
        unsigned char const high = Next();
        if (high <= 0x0F)
            return ReadWithTwoOctets(high) + 263185;
    }
    Fail(Msg::FiInteger1FourthBit);
}

void CFastInfosetReader::SkipIdentifying(std::uint32_t & count)
{
    unsigned char const octet = Next();
    if ((octet & 0x80) == 0)
    {
        Take(ReadLengthOnSecondBit(octet));
        if (count < MaxTableSize)
            ++count;
        return;
    }
    std::uint32_t const index = ReadIntegerOnSecondBit(octet);
    if (index > count)
        FailIndex("identifier", index, count);
}

void CFastInfosetReader::SkipNonIdentifying(std::uint32_t & count)
{
    unsigned char const octet = Next();
    if ((octet & 0x80) != 0)
    {
        std::uint32_t const index = ReadIntegerZeroOnSecondBit(octet);
        if (index > count)
            FailIndex("other string", index, count);
        return;
    }
    SkipEncodedOnThirdBit(octet);
    if ((octet & 0x40) != 0 && count < MaxTableSize)
        ++count;
}

void CFastInfosetReader::SkipEncodedOnThirdBit(unsigned char octet)
{
    if ((octet & 0x20) == 0)
    {
        Take(ReadLengthOnFifthBit(octet));
        return;
    }
    Take(ReadLengthOnFifthBit(Next()));
}

void CFastInfosetReader::SkipOctetStringItems(std::uint32_t count)
{
    for (std::uint32_t i = 0; i < count; ++i)
    {
        unsigned char const octet = Next();
        if ((octet & 0x80) != 0)
            Fail(Msg::FiOctetStringSecondBit);
        Take(ReadLengthOnSecondBit(octet));
    }
}

} // namespace NxXmlLib16
