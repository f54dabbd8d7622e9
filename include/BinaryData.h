// CBinaryData: a shared, copy-on-write byte buffer with base64 and hex text forms.
#pragma once

#include <cstdint>
#include <string>

namespace NxXmlLib16
{

namespace Detail
{
struct CBinaryBuffer;
}

// A handle to a reference-counted byte buffer: copies share it, the first change through a
// handle that shares its buffer makes a private copy. Handles of one buffer may live on
// different threads.
class CBinaryData
{
public:
    CBinaryData() = default;
    CBinaryData(CBinaryData const & other);
    CBinaryData(CBinaryData && other) noexcept;
    // Copies the bytes, or with adopt takes the buffer (allocated with operator new) as it is.
    CBinaryData(unsigned char * const data, std::uint32_t length, bool adopt);
    // Copies the bytes.
    CBinaryData(unsigned char const * data, std::uint32_t length);
    // The bytes of the C string, without its terminating zero.
    explicit CBinaryData(char const * text);
    CBinaryData & operator=(CBinaryData const & other);
    CBinaryData & operator=(CBinaryData && other) noexcept;
    virtual ~CBinaryData();

    // The bytes, or null when empty.
    unsigned char * GetData() const;
    // The number of bytes.
    std::uint32_t GetLength() const;
    bool IsEmpty() const { return m_buffer == nullptr; }

    void Append(unsigned char const * data, std::uint32_t length);
    void Append(char byte);
    void Append(char const * text);
    void Append(std::string const & text);
    void Append(CBinaryData const & other);
    // Replaces the content with a copy of the given bytes.
    void SetBuffer(unsigned char const * data, std::uint32_t length);
    void SetBuffer(char const * text);
    // Hands the bytes to the caller (free with operator delete) and leaves the handle empty.
    unsigned char * ReleaseData();
    // Leaves the handle empty.
    void Clear();

    // Bounds-checked access; the writable form first makes the buffer private.
    unsigned char const & operator[](std::uint32_t index) const;
    unsigned char & operator[](std::uint32_t index);

    bool operator==(CBinaryData const & other) const;
    bool operator!=(CBinaryData const & other) const { return !(*this == other); }

    // Base64 (RFC 4648, padded, no line breaks).
    std::string GetAsBase64() const;
    // Decodes base64, skipping blanks and '='; an invalid character gives empty data.
    void SetAsBase64(char const * text);
    // Upper-case hex, two characters per byte.
    std::string GetAsHexString() const;
    static std::string GetAsHexString(unsigned char const * data, std::uint32_t length);
    // Decodes hex digits of either case; throws on an odd length or a non-hex character.
    void SetAsHexString(char const * text);

protected:
    // Decodes hex text into a new buffer (operator new) and returns its length.
    static std::uint32_t ConvertToHexData(char const * text, unsigned char ** data);

private:
    // Gives this handle a buffer of its own before a change.
    void MakePrivate();
    // Drops this handle's reference.
    void ReleaseBuffer();

    Detail::CBinaryBuffer * m_buffer = nullptr;
};

} // namespace NxXmlLib16
