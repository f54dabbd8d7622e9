#include "BinaryData.h"

#include "NxException.h"
#include "frame/Messages.h"
#include "frame/Portable.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <limits>
#include <new>

namespace NxXmlLib16
{

// One distinct buffer, shared by every handle that points to it.
struct Detail::CBinaryBuffer
{
    unsigned char * data;
    std::uint32_t length;
    std::uint32_t capacity;
    std::atomic<std::int32_t> refCount;
};

namespace
{

using CBuffer = Detail::CBinaryBuffer;

// A buffer that takes over bytes allocated with operator new.
CBuffer * AdoptBuffer(unsigned char * data, std::uint32_t length, std::uint32_t capacity)
{
    return new CBuffer{data, length, capacity, {1}};
}

// A buffer holding a copy of the bytes, with room for `capacity` bytes.
CBuffer * CopyBuffer(unsigned char const * data, std::uint32_t length, std::uint32_t capacity)
{
    unsigned char * const bytes = static_cast<unsigned char *>(::operator new(capacity));
    std::memcpy(bytes, data, length);
    try
    {
        return AdoptBuffer(bytes, length, capacity);
    }
    catch (...)
    {
        ::operator delete(bytes);
        throw;
    }
}

// Room for a buffer that is about to grow: twice what it needs, within the 32-bit length.
// Buffers from this size on are backed by huge pages where the system offers them.
constexpr std::uint32_t HugeCapacity = 4 * 1024 * 1024;

std::uint32_t GrowthCapacity(std::uint64_t needed)
{
    std::uint64_t const doubled = needed * 2 < 256 ? 256 : needed * 2;
    return static_cast<std::uint32_t>(std::min<std::uint64_t>(doubled, std::numeric_limits<std::uint32_t>::max()));
}

[[noreturn]] void ThrowTooLarge()
{
    throw CNxException(FormatString(Msg::BinaryDataLimit, std::numeric_limits<std::uint32_t>::max()));
}

void FreeBuffer(CBuffer * buffer)
{
    ::operator delete(buffer->data);
    delete buffer;
}

} // namespace

CBinaryData::CBinaryData(CBinaryData const & other) : m_buffer(other.m_buffer)
{
    if (m_buffer != nullptr)
        m_buffer->refCount.fetch_add(1, std::memory_order_relaxed);
}

CBinaryData::CBinaryData(CBinaryData && other) noexcept : m_buffer(other.m_buffer) { other.m_buffer = nullptr; }

CBinaryData::CBinaryData(unsigned char * const data, std::uint32_t length, bool adopt)
{
    if (length == 0)
    {
        if (adopt)
            ::operator delete(data);
        return;
    }
    m_buffer = adopt ? AdoptBuffer(data, length, length) : CopyBuffer(data, length, length);
}

CBinaryData::CBinaryData(unsigned char const * data, std::uint32_t length)
{
    if (length != 0)
        m_buffer = CopyBuffer(data, length, length);
}

CBinaryData::CBinaryData(char const * text) { SetBuffer(text); }

CBinaryData & CBinaryData::operator=(CBinaryData const & other)
{
    if (other.m_buffer != nullptr)
        other.m_buffer->refCount.fetch_add(1, std::memory_order_relaxed);
    ReleaseBuffer();
    m_buffer = other.m_buffer;
    return *this;
}

CBinaryData & CBinaryData::operator=(CBinaryData && other) noexcept
{
    if (this != &other)
    {
        ReleaseBuffer();
        m_buffer = other.m_buffer;
        other.m_buffer = nullptr;
    }
    return *this;
}

CBinaryData::~CBinaryData() { ReleaseBuffer(); }

void CBinaryData::ReleaseBuffer()
{
    CBuffer * const buffer = m_buffer;
    m_buffer = nullptr;
    if (buffer != nullptr && buffer->refCount.fetch_sub(1, std::memory_order_acq_rel) == 1)
        FreeBuffer(buffer);
}

void CBinaryData::MakePrivate()
{
    // A count of 1 cannot rise behind our back: only a copy of this very handle could raise it.
    if (m_buffer == nullptr || m_buffer->refCount.load(std::memory_order_acquire) == 1)
        return;
    CBuffer * const copy = CopyBuffer(m_buffer->data, m_buffer->length, m_buffer->capacity);
    ReleaseBuffer();
    m_buffer = copy;
}

unsigned char * CBinaryData::GetData() const { return m_buffer != nullptr ? m_buffer->data : nullptr; }

std::uint32_t CBinaryData::GetLength() const { return m_buffer != nullptr ? m_buffer->length : 0; }

void CBinaryData::Append(unsigned char const * data, std::uint32_t length)
{
    if (length == 0)
        return;
    if (m_buffer == nullptr)
    {
        m_buffer = CopyBuffer(data, length, GrowthCapacity(length));
        return;
    }
    std::uint64_t const needed = std::uint64_t(m_buffer->length) + length;
    if (needed > std::numeric_limits<std::uint32_t>::max())
        ThrowTooLarge();
    MakePrivate();
    if (m_buffer->refCount.load(std::memory_order_acquire) != 1)
        throw CNxException(FormatString(Msg::FailedAppendRefCount, int(m_buffer->refCount.load())));
    if (needed > m_buffer->capacity)
    {
        std::uint32_t const capacity = GrowthCapacity(needed);
        unsigned char * const bytes = static_cast<unsigned char *>(::operator new(capacity));
        // A large block is advised before it is first touched, so that it fills with few page faults.
        if (capacity >= HugeCapacity)
            AdviseHugePages(bytes, capacity);
        std::memcpy(bytes, m_buffer->data, m_buffer->length);
        ::operator delete(m_buffer->data);
        m_buffer->data = bytes;
        m_buffer->capacity = capacity;
    }
    // memmove: the appended bytes may be this very buffer's own.
    std::memmove(m_buffer->data + m_buffer->length, data, length);
    m_buffer->length = static_cast<std::uint32_t>(needed);
}

void CBinaryData::Append(char byte)
{
    unsigned char const value = static_cast<unsigned char>(byte);
    Append(&value, 1);
}

void CBinaryData::Append(char const * text)
{
    if (text != nullptr)
        Append(reinterpret_cast<unsigned char const *>(text), static_cast<std::uint32_t>(std::strlen(text)));
}

void CBinaryData::Append(std::string const & text)
{
    Append(reinterpret_cast<unsigned char const *>(text.data()), static_cast<std::uint32_t>(text.size()));
}

void CBinaryData::Append(CBinaryData const & other)
{
    if (other.m_buffer == nullptr)
        return;
    // Keep the other's bytes alive: appending to ourselves may replace our buffer.
    CBinaryData const keep(other);
    Append(keep.m_buffer->data, keep.m_buffer->length);
}

void CBinaryData::SetBuffer(unsigned char const * data, std::uint32_t length)
{
    ReleaseBuffer();
    if (length != 0)
        m_buffer = CopyBuffer(data, length, length);
}

void CBinaryData::SetBuffer(char const * text)
{
    SetBuffer(reinterpret_cast<unsigned char const *>(text),
              text != nullptr ? static_cast<std::uint32_t>(std::strlen(text)) : 0);
}

unsigned char * CBinaryData::ReleaseData()
{
    if (m_buffer == nullptr)
        return nullptr;
    MakePrivate();
    if (m_buffer->refCount.load(std::memory_order_acquire) != 1)
        throw CNxException(FormatString(Msg::FailedReleaseDataRefCount, int(m_buffer->refCount.load())));
    unsigned char * const data = m_buffer->data;
    delete m_buffer;
    m_buffer = nullptr;
    return data;
}

void CBinaryData::Clear() { ReleaseBuffer(); }

unsigned char const & CBinaryData::operator[](std::uint32_t index) const
{
    if (index >= GetLength())
        throw CNxException(FormatString(Msg::IndexOutOfRangeBracketed, int(index)));
    return m_buffer->data[index];
}

unsigned char & CBinaryData::operator[](std::uint32_t index)
{
    if (index >= GetLength())
        throw CNxException(FormatString(Msg::IndexOutOfRangeBracketed, int(index)));
    MakePrivate();
    return m_buffer->data[index];
}

bool CBinaryData::operator==(CBinaryData const & other) const
{
    if (m_buffer == other.m_buffer)
        return true;
    if (m_buffer == nullptr || other.m_buffer == nullptr || m_buffer->length != other.m_buffer->length)
        return false;
    return std::memcmp(m_buffer->data, other.m_buffer->data, m_buffer->length) == 0;
}

namespace
{

constexpr char Base64Alphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
char const HexDigits[] = "0123456789ABCDEF";

constexpr unsigned char Base64Skip = 0xFE;
constexpr unsigned char Base64Invalid = 0xFF;

// The 6-bit value of each base64 character, Base64Skip for '=' and blanks, Base64Invalid else.
struct CBase64Table
{
    unsigned char values[128];

    constexpr CBase64Table() : values()
    {
        for (unsigned char & value : values)
            value = Base64Invalid;
        for (unsigned char i = 0; i < 64; ++i)
            values[static_cast<unsigned char>(Base64Alphabet[i])] = i;
        for (char const blank : {'=', ' ', '\t', '\r', '\n'})
            values[static_cast<unsigned char>(blank)] = Base64Skip;
    }
};

constexpr CBase64Table Base64Table;

// The value of a hex digit, or -1.
int HexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

} // namespace

std::string CBinaryData::GetAsBase64() const
{
    std::uint32_t const length = GetLength();
    if (length == 0)
        return std::string();
    unsigned char const * in = m_buffer->data;
    std::string out((std::size_t(length) + 2) / 3 * 4, '=');
    char * o = &out[0];
    std::uint32_t remaining = length;
    for (; remaining >= 3; remaining -= 3, in += 3)
    {
        std::uint32_t const group = std::uint32_t(in[0]) << 16 | std::uint32_t(in[1]) << 8 | in[2];
        *o++ = Base64Alphabet[group >> 18];
        *o++ = Base64Alphabet[group >> 12 & 63];
        *o++ = Base64Alphabet[group >> 6 & 63];
        *o++ = Base64Alphabet[group & 63];
    }
    if (remaining > 0)
    {
        std::uint32_t const group = std::uint32_t(in[0]) << 16 | (remaining == 2 ? std::uint32_t(in[1]) << 8 : 0);
        *o++ = Base64Alphabet[group >> 18];
        *o++ = Base64Alphabet[group >> 12 & 63];
        if (remaining == 2)
            *o = Base64Alphabet[group >> 6 & 63];
    }
    return out;
}

void CBinaryData::SetAsBase64(char const * text)
{
    Clear();
    if (text == nullptr || *text == '\0')
        return;
    std::size_t const textLength = std::strlen(text);
    if (textLength / 4 * 3 > std::numeric_limits<std::uint32_t>::max())
        ThrowTooLarge();
    unsigned char * const bytes = static_cast<unsigned char *>(::operator new(textLength / 4 * 3 + 3));
    std::uint32_t length = 0;
    std::uint32_t bits = 0;
    int bitCount = 0;
    for (char const * c = text; *c != '\0'; ++c)
    {
        // The high bit is ignored, as the decoder always has.
        unsigned char const value = Base64Table.values[static_cast<unsigned char>(*c) & 0x7F];
        if (value == Base64Skip)
            continue;
        if (value == Base64Invalid)
        {
            ::operator delete(bytes);
            return;
        }
        bits = (bits << 6 | value) & 0xFFFFFF;
        bitCount += 6;
        if (bitCount >= 8)
        {
            bitCount -= 8;
            bytes[length++] = static_cast<unsigned char>(bits >> bitCount);
        }
    }
    // A trailing partial byte is dropped.
    *this = CBinaryData(bytes, length, true);
}

std::string CBinaryData::GetAsHexString() const { return GetAsHexString(GetData(), GetLength()); }

std::string CBinaryData::GetAsHexString(unsigned char const * data, std::uint32_t length)
{
    std::string out(std::size_t(length) * 2, '\0');
    for (std::uint32_t i = 0; i < length; ++i)
    {
        out[2 * i] = HexDigits[data[i] >> 4];
        out[2 * i + 1] = HexDigits[data[i] & 15];
    }
    return out;
}

void CBinaryData::SetAsHexString(char const * text)
{
    Clear();
    unsigned char * bytes = nullptr;
    std::uint32_t const length = ConvertToHexData(text, &bytes);
    *this = CBinaryData(bytes, length, true);
}

std::uint32_t CBinaryData::ConvertToHexData(char const * text, unsigned char ** data)
{
    *data = nullptr;
    std::size_t const textLength = text != nullptr ? std::strlen(text) : 0;
    if (textLength % 2 != 0)
        throw CNxException(Msg::InvalidLengthHexString);
    if (textLength / 2 > std::numeric_limits<std::uint32_t>::max())
        ThrowTooLarge();
    if (textLength == 0)
        return 0;
    unsigned char * const bytes = static_cast<unsigned char *>(::operator new(textLength / 2));
    for (std::size_t i = 0; i < textLength; i += 2)
    {
        int const high = HexValue(text[i]);
        int const low = HexValue(text[i + 1]);
        if (high < 0 || low < 0)
        {
            ::operator delete(bytes);
            throw CNxException(FormatString(Msg::InvalidCharHexString, high < 0 ? text[i] : text[i + 1]));
        }
        bytes[i / 2] = static_cast<unsigned char>(high << 4 | low);
    }
    *data = bytes;
    return static_cast<std::uint32_t>(textLength / 2);
}

} // namespace NxXmlLib16
