#include "JsonTextReader.h"

#include "JsonReaderHandler.h"
#include "NxException.h"
#include "frame/ByteWords.h"
#include "frame/Messages.h"
#include "xml/XmlCharacters.h"

#include <climits>

namespace NxXmlLib16
{

namespace
{

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool IsWhitespace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

constexpr std::size_t EightBytes = sizeof(std::uint64_t);

// Whether the eight bytes from `text` on are all spaces.
bool AreEightSpaces(char const * text) { return LoadWord(text) == EachByteOne * ' '; }

// The index of the first quotation mark or backslash from `at` on, or `length` when none.
std::size_t FindQuoteOrEscape(char const * text, std::size_t at, std::size_t length)
{
    while (length - at >= EightBytes)
    {
        std::uint64_t const word = LoadWord(text + at);
        if ((BytesEqual(word, '"') | BytesEqual(word, '\\')) != 0)
            break;
        at += EightBytes;
    }
    while (at < length && text[at] != '"' && text[at] != '\\')
        ++at;
    return at;
}

// The value of a hexadecimal digit, or -1.
std::int32_t HexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// A counter as printed in messages; counts beyond the 32-bit range stay at its end.
int Printable(std::int64_t counter) { return counter > INT_MAX ? INT_MAX : static_cast<int>(counter); }

constexpr std::uint32_t ReplacementCharacter = 0xFFFD;

} // namespace

CJsonTextReader::CJsonTextReader(std::string_view text)
    : CInstanceMonitor("CJsonTextReader"), m_handler(std::make_unique<CJsonReaderDefaultHandler>()),
      m_input(text.data()), m_length(text.size())
{
}

CJsonTextReader::~CJsonTextReader() = default;

void CJsonTextReader::SetHandler(IJsonReaderHandler * handler) { m_handler->SetInnerHandler(handler); }

IErrorPathProvider * CJsonTextReader::GetErrorPathProvider() const { return m_handler.get(); }

CJsonTextReader::CWhere CJsonTextReader::Where() const
{
    // The line and position are counted only when a message needs them: the line is one more
    // than the line feeds read, the position the bytes read since the last of them.
    CWhere where{1, static_cast<std::int64_t>(m_index)};
    for (std::size_t i = 0; i < m_index; ++i)
    {
        if (m_input[i] == '\n')
        {
            ++where.line;
            where.position = static_cast<std::int64_t>(m_index - i - 1);
        }
    }
    return where;
}

void CJsonTextReader::Fail(char const * format) const
{
    CWhere const where = Where();
    throw CNxValidationException(FormatString(format, Printable(where.line), Printable(where.position)),
                                 m_handler->GetErrorPath());
}

void CJsonTextReader::FailFound(char const * format) const
{
    CWhere const where = Where();
    throw CNxValidationException(FormatString(format, m_current, Printable(where.line), Printable(where.position)),
                                 m_handler->GetErrorPath());
}

bool CJsonTextReader::SkipComment()
{
    if (m_index >= m_length)
        return false;
    char const next = m_input[m_index];
    if (next == '/')
    {
        Read();
        while (Read() && m_current != '\n')
        {
        }
        return true;
    }
    if (next == '*')
    {
        Read();
        while (Read())
        {
            if (m_current == '*' && m_index < m_length && m_input[m_index] == '/')
            {
                Read();
                return true;
            }
        }
        return true; // an unterminated comment ends the input
    }
    return false;
}

bool CJsonTextReader::ReadToken()
{
    for (;;)
    {
        while (m_index < m_length && IsWhitespace(m_input[m_index]))
        {
            // Indentation goes eight spaces at a time.
            if (m_length - m_index >= EightBytes && AreEightSpaces(m_input + m_index))
                m_index += EightBytes;
            else
                ++m_index;
        }
        if (!Read())
            return false;
        if (m_current != '/' || !m_allowComments || !SkipComment())
            return true;
    }
}

bool CJsonTextReader::Parse()
{
    m_index = 0;
    m_handler->StartDocument();
    bool const named = !m_rootElementName.empty();
    if (named)
    {
        m_handler->StartObject();
        m_handler->Name(m_rootElementName);
    }
    if (ReadToken())
        ParseValue(0);
    if (named)
        m_handler->EndObject();
    return m_handler->EndDocument();
}

void CJsonTextReader::ParseValue(std::int32_t depth)
{
    if (++depth > m_depthLimit)
        Fail(Msg::JsonDepthLimit);
    switch (m_current)
    {
    case '{':
        m_handler->StartObject();
        ParseObject(depth);
        m_handler->EndObject();
        break;
    case '[':
        m_handler->StartArray();
        ParseArray(depth);
        m_handler->EndArray();
        break;
    case '"':
        ParseString();
        m_handler->StringValue(m_text);
        break;
    case 't':
        ParseLiteral("true", Msg::JsonExpectedTrue, Msg::JsonEndExpectedTrue);
        m_handler->BooleanValue(true);
        break;
    case 'f':
        ParseLiteral("false", Msg::JsonExpectedFalse, Msg::JsonEndExpectedFalse);
        m_handler->BooleanValue(false);
        break;
    case 'n':
        ParseLiteral("null", Msg::JsonExpectedNull, Msg::JsonEndExpectedNull);
        m_handler->NullValue();
        break;
    default:
        if (m_current != '-' && !IsDigit(m_current))
            FailFound(Msg::JsonExpectedValue);
        ParseNumber();
        m_handler->NumberValue(m_text);
        break;
    }
}

void CJsonTextReader::ParseObject(std::int32_t depth)
{
    if (!ReadToken())
        Fail(Msg::JsonEndExpectedObjectEndDoubled);
    if (m_current == '}')
        return;
    for (;;)
    {
        if (m_current != '"')
            FailFound(Msg::JsonExpectedQuotationMark);
        ParseString();
        m_handler->Name(m_text);
        if (!ReadToken())
            Fail(Msg::JsonEndExpectedNameSeparator);
        if (m_current != ':')
            FailFound(Msg::JsonExpectedNameSeparator);
        if (!ReadToken())
            Fail(Msg::JsonEndExpectedObjectValue);
        ParseValue(depth);
        if (!ReadToken())
            Fail(Msg::JsonEndExpectedObjectEnd);
        if (m_current == '}')
            return;
        if (m_current != ',')
            FailFound(Msg::JsonExpectedObjectSeparator);
        if (!ReadToken())
            Fail(Msg::JsonEndExpectedObjectEnd);
    }
}

void CJsonTextReader::ParseArray(std::int32_t depth)
{
    char const * const endOfFile = Msg::JsonEndExpectedArrayEnd;
    if (!ReadToken())
        Fail(endOfFile);
    if (m_current == ']')
        return;
    for (;;)
    {
        ParseValue(depth);
        if (!ReadToken())
            Fail(endOfFile);
        if (m_current == ']')
            return;
        if (m_current != ',')
            FailFound(Msg::JsonExpectedArraySeparator);
        if (!ReadToken())
            Fail(endOfFile);
    }
}

void CJsonTextReader::ParseString()
{
    char const * const endOfFile = Msg::JsonEndExpectedString;
    m_text.clear();
    for (;;)
    {
        // Copy the run of plain bytes in one piece; only quotes and escapes stop it.
        std::size_t const start = m_index;
        std::size_t const at = FindQuoteOrEscape(m_input, start, m_length);
        m_text.append(m_input + start, at - start);
        m_index = at;
        if (!Read())
            Fail(endOfFile);
        if (m_current == '"')
            return;
        if (!Read())
            Fail(endOfFile);
        switch (m_current)
        {
        case '"':
        case '\\':
        case '/': m_text += m_current; break;
        case 'b': m_text += '\b'; break;
        case 'f': m_text += '\f'; break;
        case 'n': m_text += '\n'; break;
        case 'r': m_text += '\r'; break;
        case 't': m_text += '\t'; break;
        case 'u': ParseUnicodeEscape(); break;
        default: FailFound(Msg::JsonInvalidEscape);
        }
    }
}

std::int32_t CJsonTextReader::PeekHex4(std::size_t at) const
{
    if (at > m_length || m_length - at < 4)
        return -1;
    std::int32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i)
    {
        std::int32_t const digit = HexValue(m_input[at + i]);
        if (digit < 0)
            return -1;
        value = value * 16 + digit;
    }
    return value;
}

void CJsonTextReader::ParseUnicodeEscape()
{
    std::uint32_t code = 0;
    for (int i = 0; i < 4; ++i)
    {
        if (!Read())
            Fail(Msg::JsonEndExpectedHexDigits);
        std::int32_t const digit = HexValue(m_current);
        if (digit < 0)
            FailFound(Msg::JsonExpectedHexDigits);
        code = code * 16 + static_cast<std::uint32_t>(digit);
    }
    if (code >= 0xD800 && code <= 0xDBFF)
    {
        // A high surrogate joins the low surrogate of an escape that follows at once.
        std::int32_t const low = m_length - m_index >= 2 && m_input[m_index] == '\\' && m_input[m_index + 1] == 'u'
                                     ? PeekHex4(m_index + 2)
                                     : -1;
        if (low >= 0xDC00 && low <= 0xDFFF)
        {
            m_index += 6;
            code = 0x10000 + ((code - 0xD800) << 10) + (static_cast<std::uint32_t>(low) - 0xDC00);
        }
        else
        {
            code = ReplacementCharacter;
        }
    }
    else if (code >= 0xDC00 && code <= 0xDFFF)
    {
        code = ReplacementCharacter;
    }
    AppendUtf8(code, m_text);
}

void CJsonTextReader::ReadDigits()
{
    while (m_index < m_length && IsDigit(m_input[m_index]))
        Read();
}

void CJsonTextReader::ParseNumber()
{
    std::size_t const start = m_index - 1;
    if (m_current == '-')
    {
        if (!Read())
            Fail(Msg::JsonEndExpectedNumber);
        if (!IsDigit(m_current))
            FailFound(Msg::JsonExpectedDigit);
    }
    ReadDigits();
    if (m_index < m_length && m_input[m_index] == '.')
    {
        Read();
        if (!Read())
            Fail(Msg::JsonEndExpectedDigit);
        if (!IsDigit(m_current))
            FailFound(Msg::JsonExpectedDigit);
        ReadDigits();
    }
    if (m_index < m_length && (m_input[m_index] == 'e' || m_input[m_index] == 'E'))
    {
        Read();
        if (!Read())
            Fail(Msg::JsonEndExpectedExponent);
        if (m_current == '+' || m_current == '-')
        {
            if (!Read())
                Fail(Msg::JsonEndExpectedDigit);
        }
        if (!IsDigit(m_current))
            FailFound(Msg::JsonExpectedDigit);
        ReadDigits();
    }
    m_text.assign(m_input + start, m_index - start);
}

void CJsonTextReader::ParseLiteral(char const * literal, char const * mismatch, char const * endOfFile)
{
    for (char const * expected = literal + 1; *expected != '\0'; ++expected)
    {
        if (!Read())
            Fail(endOfFile);
        if (m_current != *expected)
            Fail(mismatch);
    }
}

} // namespace NxXmlLib16
