// CTextStream and CFileTextStream: where the text writers put their output, in memory or in a file.
#pragma once

#include "CharEncoding.h"
#include "InstanceMonitor.h"

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

namespace NxXmlLib16
{

class CPortableFile;

// A growable text buffer made of blocks, so growing never moves what was written.
class CStringBuffer : public CInstanceMonitor
{
public:
    CStringBuffer();

    void Append(char const * text, std::size_t length);
    void Append(char c);
    // The bytes held.
    std::size_t GetLength() const { return m_text.size(); }
    // The whole text.
    std::string const & GetString() const { return m_text; }
    // Moves the whole text out and leaves the buffer empty.
    std::string Detach();
    // Empties the buffer, keeping a modest capacity for the next text.
    void Clear();

private:
    // Makes room for `more` bytes, doubling the capacity so that growth copies each byte about once.
    void Reserve(std::size_t more);

    std::string m_text;
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

    void Append(char const * text);
    void Append(std::string const & text);
    void Append(char const * text, std::size_t length);
    void Append(char c);
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
