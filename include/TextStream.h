// CTextStream and CFileTextStream: where the text writers put their output, in memory or in a file.
#pragma once

#include "CharEncoding.h"
#include "InstanceMonitor.h"

#include <cstddef>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace NxXmlLib16
{

class CPortableFile;

// A growable text buffer: appending is a bounds check and a copy, growing doubles the capacity.
class CStringBuffer : public CInstanceMonitor
{
public:
    CStringBuffer();
    void Append(char const * text, std::size_t length)
    {
        if (length > m_text.size() - m_used)
            Grow(length);
        std::memcpy(&m_text[m_used], text, length);
        m_used += length;
    }
    void Append(char c)
    {
        if (m_used == m_text.size())
            Grow(1);
        m_text[m_used++] = c;
    }
    // The bytes held.
    std::size_t GetLength() const { return m_used; }
    // The whole text.
    std::string const & GetString() const;
    // Moves the whole text out and leaves the buffer empty.
    std::string Detach();
    // Empties the buffer, keeping a modest capacity for the next text.
    void Clear();

private:
    // Makes room for `more` bytes, doubling the capacity so that growth copies each byte about once.
    void Grow(std::size_t more);

    // Sized to its capacity while text is appended; the first m_used bytes are the text.
    mutable std::string m_text;
    std::size_t m_used = 0;
};

// Text produced by a writer, held in memory and converted to UTF-8 or UTF-16 on request.
class CTextStream : public CInstanceMonitor
{
public:
    CTextStream();
    explicit CTextStream(XmlEncoding encoding);
    ~CTextStream() override;

    // Starts a new output: the buffer is emptied.
    virtual void Begin();
    // Ends the output; nothing to do in memory.
    virtual void End();
    // Hands buffered text on; nothing to do in memory.
    virtual void Flush();

    void Append(char const * text) { m_buffer.Append(text, std::strlen(text)); }
    void Append(std::string const & text) { m_buffer.Append(text.data(), text.size()); }
    void Append(char const * text, std::size_t length) { m_buffer.Append(text, length); }
    void Append(char c) { m_buffer.Append(c); }
    // The bytes buffered.
    std::size_t GetLength() const { return m_buffer.GetLength(); }
    // The text buffered, in the local encoding.
    std::string const & GetString() { return m_buffer.GetString(); }
    // Moves the buffered text out and leaves the stream empty.
    std::string DetachString() { return m_buffer.Detach(); }
    XmlEncoding GetEncoding() const { return m_encoding; }
    // The buffered text in the stream's encoding, without a byte-order mark.
    void GetBytes(CBinaryData & out);

protected:
    CStringBuffer m_buffer;
    XmlEncoding m_encoding;
};

// A text stream that writes each flushed piece to a file, in order, in the stream's encoding.
class CFileTextStream : public CTextStream
{
public:
    CFileTextStream(char const * fileName, XmlEncoding encoding);
    ~CFileTextStream() override;

    // Creates (or replaces) the file and writes the byte-order mark of UTF-16.
    void Begin() override;
    // Writes the buffered text and closes the file.
    void End() override;
    // Converts and writes the buffered text.
    void Flush() override;

private:
    // Converts the buffered text; keeps a character split at the end for the next piece.
    void WritePiece(bool final);
    [[noreturn]] void FailWrite();

    std::string m_fileName;
    std::string m_pending;
    std::unique_ptr<CPortableFile> m_file;
};

} // namespace NxXmlLib16
