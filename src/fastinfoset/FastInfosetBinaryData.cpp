#include "FastInfosetBinaryData.h"

#include "Conversions.h"
#include "NxException.h"
#include "frame/Messages.h"

#include <cctype>
#include <cstring>

namespace NxXmlLib16
{

namespace
{

constexpr std::size_t UuidSize = 16;

[[noreturn]] void ThrowUnknownEncoding() { throw CNxException(Msg::UnknownByteEncoding); }

// Appends the value's low octets, most significant first.
void AppendBigEndian(std::uint64_t value, std::size_t octets, std::string & out)
{
    for (std::size_t shift = octets * 8; shift != 0; shift -= 8)
        out.push_back(static_cast<char>((value >> (shift - 8)) & 0xFF));
}

// The big-endian number in the octets.
std::uint64_t ReadBigEndian(unsigned char const * data, std::size_t octets)
{
    std::uint64_t value = 0;
    for (std::size_t i = 0; i < octets; ++i)
        value = (value << 8) | data[i];
    return value;
}

// Appends the octets of hexadecimal text.
void AppendHex(char const * text, std::string & out)
{
    CBinaryData bytes;
    bytes.SetAsHexString(text);
    out.append(reinterpret_cast<char const *>(bytes.GetData()), bytes.GetLength());
}

// Appends the 16 octets of a UUID written as 32 hexadecimal digits, with or without the
// hyphens after the 8th, 12th, 16th and 20th digits.
void AppendUuid(char const * text, std::string & out)
{
    std::size_t const length = std::strlen(text);
    char digits[2 * UuidSize + 1];
    if (length == 2 * UuidSize)
    {
        std::memcpy(digits, text, length);
    }
    else if (length == 2 * UuidSize + 4 && text[8] == '-' && text[13] == '-' && text[18] == '-' && text[23] == '-')
    {
        std::size_t n = 0;
        for (std::size_t i = 0; i < length; ++i)
        {
            if (i != 8 && i != 13 && i != 18 && i != 23)
                digits[n++] = text[i];
        }
    }
    else
    {
        throw CNxException(Msg::InvalidUuidEncoding);
    }
    digits[2 * UuidSize] = '\0';
    AppendHex(digits, out);
}

// Checks that the buffer holds whole values of the given size.
void CheckValueSize(std::uint32_t length, std::uint32_t size, char const * message)
{
    if (length % size != 0)
        throw CNxException(message);
}

// The text of each fixed-size value, joined with single spaces.
template <typename Format>
std::string JoinValues(CBinaryData const & data, std::uint32_t size, char const * message, Format format)
{
    CheckValueSize(data.GetLength(), size, message);
    std::string text;
    for (std::uint32_t offset = 0; offset < data.GetLength(); offset += size)
    {
        if (offset != 0)
            text.push_back(' ');
        text += format(data.GetData() + offset);
    }
    return text;
}

// The UUID in its 8-4-4-4-12 hexadecimal form, in lower case as UUIDs are written.
std::string FormatUuid(unsigned char const * octets)
{
    std::string hex = CBinaryData::GetAsHexString(octets, UuidSize);
    for (char & digit : hex)
        digit = static_cast<char>(std::tolower(static_cast<unsigned char>(digit)));
    return hex.substr(0, 8) + '-' + hex.substr(8, 4) + '-' + hex.substr(12, 4) + '-' + hex.substr(16, 4) + '-' +
           hex.substr(20);
}

} // namespace

CFastInfosetBinaryData::~CFastInfosetBinaryData() = default;

void CFastInfosetBinaryData::AppendEncoded(std::uint32_t algorithm, std::string const & text, std::string & out)
{
    switch (algorithm)
    {
    case FIEncodingAlgorithm_Hexadecimal: AppendHex(text.c_str(), out); break;
    case FIEncodingAlgorithm_Base64:
    {
        CBinaryData bytes;
        bytes.SetAsBase64(text.c_str());
        out.append(reinterpret_cast<char const *>(bytes.GetData()), bytes.GetLength());
        break;
    }
    case FIEncodingAlgorithm_Short:
        AppendBigEndian(
            static_cast<std::uint16_t>(CConversions::i2FromString(text, CWhitespaceUtils::WhitespaceRule_None)), 2,
            out);
        break;
    case FIEncodingAlgorithm_Int:
        AppendBigEndian(
            static_cast<std::uint32_t>(CConversions::i4FromString(text, CWhitespaceUtils::WhitespaceRule_None)), 4,
            out);
        break;
    case FIEncodingAlgorithm_Long:
        AppendBigEndian(
            static_cast<std::uint64_t>(CConversions::i8FromString(text, CWhitespaceUtils::WhitespaceRule_None)), 8,
            out);
        break;
    case FIEncodingAlgorithm_Boolean:
        // One value: 3 unused bits in the upper nibble, the value bit, then the unused zeros.
        out.push_back(static_cast<char>(
            CConversions::booleanFromString(text, CWhitespaceUtils::WhitespaceRule_None) ? 0x38 : 0x30));
        break;
    case FIEncodingAlgorithm_Float:
    {
        float const value = CConversions::r4FromString(text, CWhitespaceUtils::WhitespaceRule_None);
        std::uint32_t bits = 0;
        std::memcpy(&bits, &value, sizeof bits);
        AppendBigEndian(bits, 4, out);
        break;
    }
    case FIEncodingAlgorithm_Double:
    {
        double const value = CConversions::r8FromString(text, CWhitespaceUtils::WhitespaceRule_None);
        std::uint64_t bits = 0;
        std::memcpy(&bits, &value, sizeof bits);
        AppendBigEndian(bits, 8, out);
        break;
    }
    case FIEncodingAlgorithm_Uuid: AppendUuid(text.c_str(), out); break;
    case FIEncodingAlgorithm_Cdata: out += text; break;
    default: ThrowUnknownEncoding();
    }
}

void CFastInfosetBinaryData::SetAsEncodedString(std::uint32_t algorithm, char const * text)
{
    Clear();
    std::string octets;
    AppendEncoded(algorithm, text != nullptr ? text : "", octets);
    SetBuffer(reinterpret_cast<unsigned char const *>(octets.data()), static_cast<std::uint32_t>(octets.size()));
}

std::string CFastInfosetBinaryData::GetAsString(std::uint32_t algorithm) const
{
    if (algorithm < FIEncodingAlgorithm_Hexadecimal || algorithm >= FIEncodingAlgorithm_Cdata)
        ThrowUnknownEncoding();
    if (GetLength() == 0)
        return std::string();
    switch (algorithm)
    {
    case FIEncodingAlgorithm_Hexadecimal: return GetAsHexString();
    case FIEncodingAlgorithm_Base64: return GetAsBase64();
    case FIEncodingAlgorithm_Short:
        return JoinValues(*this, 2, Msg::InvalidShortEncoding,
                          [](unsigned char const * p)
                          { return CConversions::i2ToString(static_cast<short>(ReadBigEndian(p, 2))); });
    case FIEncodingAlgorithm_Int:
        return JoinValues(*this, 4, Msg::InvalidIntEncoding,
                          [](unsigned char const * p)
                          { return CConversions::i4ToString(static_cast<std::int32_t>(ReadBigEndian(p, 4))); });
    case FIEncodingAlgorithm_Long:
        return JoinValues(*this, 8, Msg::InvalidLongEncoding,
                          [](unsigned char const * p)
                          { return CConversions::i8ToString(static_cast<std::int64_t>(ReadBigEndian(p, 8))); });
    case FIEncodingAlgorithm_Float:
        return JoinValues(*this, 4, Msg::InvalidFloatEncoding,
                          [](unsigned char const * p)
                          {
                              std::uint32_t const bits = static_cast<std::uint32_t>(ReadBigEndian(p, 4));
                              float value = 0;
                              std::memcpy(&value, &bits, sizeof value);
                              return CConversions::r4ToString(value);
                          });
    case FIEncodingAlgorithm_Double:
        return JoinValues(*this, 8, Msg::InvalidDoubleEncoding,
                          [](unsigned char const * p)
                          {
                              std::uint64_t const bits = ReadBigEndian(p, 8);
                              double value = 0;
                              std::memcpy(&value, &bits, sizeof value);
                              return CConversions::r8ToString(value);
                          });
    case FIEncodingAlgorithm_Uuid: return JoinValues(*this, UuidSize, Msg::InvalidUuidEncoding, FormatUuid);
    default: break; // boolean
    }
    // Booleans: the upper nibble of the first octet counts the unused bits at the end.
    unsigned char const * const data = GetData();
    std::uint32_t const unused = data[0] >> 4;
    std::uint64_t const totalBits = std::uint64_t(GetLength()) * 8;
    if (unused > 7 || totalBits < 4 + unused)
        ThrowUnknownEncoding();
    std::string text;
    for (std::uint64_t bit = 4; bit < totalBits - unused; ++bit)
    {
        if (bit != 4)
            text.push_back(' ');
        text += CConversions::booleanToString(((data[bit / 8] >> (7 - bit % 8)) & 1) != 0);
    }
    return text;
}

} // namespace NxXmlLib16
