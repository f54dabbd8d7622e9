// CJsonTextReader: reads JSON text and reports what it reads to an IJsonReaderHandler.
#pragma once

#include "InstanceMonitor.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace NxXmlLib16
{

class CJsonReaderDefaultHandler;

// Receives the events of a JSON reader, in document order.
class IJsonReaderHandler : public CInstanceMonitor
{
public:
    IJsonReaderHandler() : CInstanceMonitor("IJsonReaderHandler") {}

    virtual void StartDocument() = 0;
    // The end of the input; its result is what the reader's Parse returns.
    virtual bool EndDocument() = 0;
    // The name of an object member; its value follows.
    virtual void Name(std::string const & name) = 0;
    virtual void StringValue(std::string const & value) = 0;
    // A number, with its text as written.
    virtual void NumberValue(std::string const & text) = 0;
    virtual void StartObject() = 0;
    virtual void EndObject() = 0;
    virtual void StartArray() = 0;
    virtual void EndArray() = 0;
    virtual void BooleanValue(bool value) = 0;
    virtual void NullValue() = 0;
};

// Tells where in a JSON document a reader is, for messages.
class IErrorPathProvider
{
public:
    // The path of the member being read, such as $.order.items[2].sku.
    virtual std::string GetErrorPath() const = 0;

protected:
    ~IErrorPathProvider() = default;
};

// A recursive-descent JSON parser over text in memory. Member names and strings are handed to
// the handler in one reused buffer, so reading allocates nothing per value once it has warmed up.
// Syntax errors throw CNxValidationException with the line and position of the offending byte
// and the path of the member being read.
class CJsonTextReader : public CInstanceMonitor
{
public:
    // The text is not copied and must outlive the reader.
    explicit CJsonTextReader(std::string_view text);
    ~CJsonTextReader() override;
    CJsonTextReader(CJsonTextReader const &) = delete;
    CJsonTextReader & operator=(CJsonTextReader const &) = delete;

    // Installs the handler that receives the events; the reader takes ownership of it.
    void SetHandler(IJsonReaderHandler * handler);
    // Where the reader is, for the handler's own messages.
    IErrorPathProvider * GetErrorPathProvider() const;
    // Whether // and /* */ comments are skipped between tokens (the default) or are errors.
    void SetAllowComments(bool allowComments) { m_allowComments = allowComments; }
    bool GetAllowComments() const { return m_allowComments; }
    // When not empty, the document is read as the value of a member of this name.
    void SetRootElementName(std::string const & name) { m_rootElementName = name; }
    std::string const & GetRootElementName() const { return m_rootElementName; }

    // Reads the first value of the text; returns what the handler's EndDocument returns.
    bool Parse();

private:
    // The line of a byte, from 1, and its position in that line, for messages.
    struct CWhere
    {
        std::int64_t line;
        std::int64_t position;
    };

    // Reads the next byte; false at the end of the input.
    bool Read()
    {
        if (m_index >= m_length)
            return false;
        m_current = m_input[m_index++];
        return true;
    }
    // Reads the next byte that is neither whitespace nor part of a comment; false at the end.
    bool ReadToken();
    // Skips a comment whose introducing slash is the current byte, when one starts here.
    bool SkipComment();
    // Parses the value that starts with the current byte, one level below the given depth.
    void ParseValue(std::int32_t depth);
    void ParseObject(std::int32_t depth);
    void ParseArray(std::int32_t depth);
    // Reads a string after its opening quotation mark into the text buffer.
    void ParseString();
    // Appends the character of a \u escape (the u is the current byte) to the text buffer.
    void ParseUnicodeEscape();
    // Reads four hexadecimal digits; -1 when the next bytes are not four digits (nothing read).
    std::int32_t PeekHex4(std::size_t at) const;
    // Reads a number that starts with the current byte into the text buffer.
    void ParseNumber();
    // Reads the rest of true, false or null, whose first letter is the current byte.
    void ParseLiteral(char const * literal, char const * mismatch, char const * endOfFile);
    // Reads digits after the current byte, which must itself be a digit.
    void ReadDigits();
    // Where the byte read last is; at the start, line 1 and position 0.
    CWhere Where() const;
    // Throws CNxValidationException with the message filled with line and position.
    [[noreturn]] void Fail(char const * format) const;
    // Throws with the current byte, then line and position.
    [[noreturn]] void FailFound(char const * format) const;

    std::unique_ptr<CJsonReaderDefaultHandler> m_handler;
    std::int32_t m_depthLimit = 100;
    bool m_allowComments = true;
    std::string m_rootElementName;
    char const * m_input;
    std::size_t m_length;
    std::size_t m_index = 0;
    char m_current = 0;
    std::string m_text; // the name, string or number being read
};

} // namespace NxXmlLib16
