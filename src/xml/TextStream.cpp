#include "TextStream.h"

#include "NxException.h"
#include "frame/Messages.h"
#include "frame/Portable.h"

#include <cerrno>
#include <cstring>

namespace NxXmlLib16
{

CStringBuffer::CStringBuffer() : CInstanceMonitor("CStringBuffer") {}

void CStringBuffer::Grow(std::size_t more)
{
    constexpr std::size_t FirstCapacity = 4096;
    constexpr std::size_t HugeCapacity = 4 * 1024 * 1024;
    std::size_t const needed = m_used + more;
    if (needed > m_text.capacity())
    {
        std::size_t capacity = m_text.capacity() < FirstCapacity ? FirstCapacity : 2 * m_text.capacity();
        if (capacity < needed)
            capacity = needed;
        // The text moves into a new block that is advised before anything touches it, so that
        // a large one is filled with few page faults.
        std::string larger;
        larger.reserve(capacity);
        if (capacity >= HugeCapacity)
            AdviseHugePages(&larger[0], larger.capacity());
        larger.append(m_text.data(), m_used);
        m_text.swap(larger);
    }
    m_text.resize(m_text.capacity());
}

std::string const & CStringBuffer::GetString() const
{
    m_text.resize(m_used);
    return m_text;
}

std::string CStringBuffer::Detach()
{
    m_text.resize(m_used);
    std::string text = std::move(m_text);
    m_text = std::string();
    m_used = 0;
    return text;
}

void CStringBuffer::Clear()
{
    constexpr std::size_t KeptCapacity = 64 * 1024;
    if (m_text.capacity() > KeptCapacity)
        m_text = std::string();
    m_used = 0;
}

CTextStream::CTextStream() : CTextStream(static_cast<XmlEncoding>(0)) {}

CTextStream::CTextStream(XmlEncoding encoding) : CInstanceMonitor("CTextStream"), m_encoding(encoding) {}

CTextStream::~CTextStream() = default;

void CTextStream::Begin() { m_buffer.Clear(); }

void CTextStream::End() {}

void CTextStream::Flush() {}

namespace
{

[[noreturn]] void ThrowUnknownEncoding() { throw CNxException(Msg::UnknownTextEncoding); }

// Appends the encoded form of local text; returns the bytes consumed (see AppendLocalAsUtf8).
std::size_t EncodeText(XmlEncoding encoding, char const * text, std::size_t length, std::string & out, bool final)
{
    switch (encoding)
    {
    case XmlEncoding_UTF8: return AppendLocalAsUtf8(text, length, out, final);
    case XmlEncoding_UTF16:
    case XmlEncoding_UTF16_NoDecl: return AppendLocalAsUtf16(text, length, out, final);
    default: ThrowUnknownEncoding();
    }
}

} // namespace

void CTextStream::GetBytes(CBinaryData & out)
{
    std::string const & text = m_buffer.GetString();
    if (m_encoding == XmlEncoding_UTF8 && IsLocalTextUtf8())
    {
        // The text is already what is wanted: one copy, no intermediate string.
        out.SetBuffer(reinterpret_cast<unsigned char const *>(text.data()), static_cast<std::uint32_t>(text.size()));
        return;
    }
    std::string bytes;
    EncodeText(m_encoding, text.data(), text.size(), bytes, true);
    out.SetBuffer(reinterpret_cast<unsigned char const *>(bytes.data()), static_cast<std::uint32_t>(bytes.size()));
}

CFileTextStream::CFileTextStream(char const * fileName, XmlEncoding encoding)
    : CTextStream(encoding), m_fileName(fileName != nullptr ? fileName : "")
{
}

CFileTextStream::~CFileTextStream() = default;

void CFileTextStream::Begin()
{
    m_buffer.Clear();
    if (m_encoding != XmlEncoding_UTF8 && m_encoding != XmlEncoding_UTF16 && m_encoding != XmlEncoding_UTF16_NoDecl)
        ThrowUnknownEncoding();
    auto file = std::make_unique<CPortableFile>();
    if (!file->CreateForWriting(m_fileName.c_str()))
        throw CNxException(FormatString(Msg::FailedWriteFile, m_fileName.c_str(), GetLastPlatformError()));
    if (m_encoding != XmlEncoding_UTF8 && !file->Write("\xFF\xFE", 2))
    {
        int const error = GetLastPlatformError();
        throw CNxException(FormatString(Msg::FailedWriteFile, m_fileName.c_str(), error));
    }
    m_file = std::move(file);
}

void CFileTextStream::Flush()
{
    if (m_buffer.GetLength() > 0)
        WritePiece(false);
}

void CFileTextStream::End()
{
    if (m_buffer.GetLength() > 0)
        WritePiece(true);
    if (m_file != nullptr && !m_file->Close())
        FailWrite();
    m_file.reset();
}

void CFileTextStream::WritePiece(bool final)
{
    if (m_file == nullptr)
        throw CNxException(FormatString(Msg::FailedWriteFile, m_fileName.c_str(), EBADF));
    std::string const & text = m_buffer.GetString();
    m_pending.clear();
    std::size_t const consumed = EncodeText(m_encoding, text.data(), text.size(), m_pending, final);
    if (!m_file->Write(m_pending.data(), m_pending.size()))
        FailWrite();
    // A character cut at the end of this piece is completed by the next one.
    std::string const rest = text.substr(consumed);
    m_buffer.Clear();
    m_buffer.Append(rest.data(), rest.size());
}

void CFileTextStream::FailWrite()
{
    int const error = GetLastPlatformError();
    m_file.reset();
    throw CNxException(FormatString(Msg::FailedWriteUnnamedFile, error));
}

} // namespace NxXmlLib16
