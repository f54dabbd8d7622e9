#include "Conversions.h"

#include "NxException.h"
#include "frame/Messages.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <strings.h>

namespace NxXmlLib16
{

namespace
{

bool IsBlank(char c) { return CWhitespaceUtils::IsWhiteSpace(c); }

bool IsControlBlank(char c) { return c == '\r' || c == '\t' || c == '\n'; }

// Whether collapsing changes the text: blanks at either end, a tab, CR or LF, or two spaces.
bool CollapseChanges(std::string const & text)
{
    if (text.empty())
        return false;
    if (IsBlank(text.front()) || IsBlank(text.back()))
        return true;
    char previous = 0;
    for (char const c : text)
    {
        if (IsControlBlank(c) || (c == ' ' && previous == ' '))
            return true;
        previous = c;
    }
    return false;
}

// Whether the rule would change the text: most values have nothing to change, and then the
// text is parsed as it stands, without a copy.
bool RuleChanges(WhitespaceRule rule, std::string const & text)
{
    switch (rule)
    {
    case CWhitespaceUtils::WhitespaceRule_None: return false;
    case CWhitespaceUtils::WhitespaceRule_Preserve: return text.find('\r') != std::string::npos;
    case CWhitespaceUtils::WhitespaceRule_Replace: return std::any_of(text.begin(), text.end(), &IsControlBlank);
    case CWhitespaceUtils::WhitespaceRule_Collapse: return CollapseChanges(text);
    default: return true; // ApplyRule reports the unknown rule
    }
}

// The text after a whitespace rule: the caller's text itself when the rule changes nothing.
class CRuledText
{
public:
    CRuledText(WhitespaceRule rule, std::string const & text) : m_original(text)
    {
        if (RuleChanges(rule, text))
        {
            m_copy = CWhitespaceUtils::ApplyRule(rule, text);
            m_changed = true;
        }
    }
    std::string const & Get() const { return m_changed ? m_copy : m_original; }
    char const * c_str() const { return Get().c_str(); }

private:
    std::string const & m_original;
    std::string m_copy;
    bool m_changed = false;
};

[[noreturn]] void Fail(char const * format, std::string const & text)
{
    throw CNxInvalidValueException(FormatString(format, text.c_str()));
}

// "The value [...] can not be converted to a <type>".
[[noreturn]] void FailNotConverted(std::string const & text, char const * type)
{
    Fail((std::string(Msg::ValueCannotConvertTo) + type).c_str(), text);
}

// "The value [...] is to large to fit in a <type>".
[[noreturn]] void FailTooLarge(std::string const & text, char const * type)
{
    Fail((std::string(Msg::ValueTooLargeFor) + type).c_str(), text);
}

// Parses a signed integer as strtoll does; fails unless all of the text is the number.
std::int64_t ParseSigned(std::string const & text, std::int64_t minimum, std::int64_t maximum, char const * type)
{
    if (text.empty())
        FailNotConverted(text, type);
    char const * const start = text.c_str();
    char * end = nullptr;
    errno = 0;
    long long const value = std::strtoll(start, &end, 10);
    if (end == start)
        FailNotConverted(text, type);
    if (errno == ERANGE || value < minimum || value > maximum)
        FailTooLarge(text, type);
    if (*end != '\0')
        FailNotConverted(text, type);
    return value;
}

// Parses an unsigned integer as strtoul does (a leading "-" negates modulo the type's range
// when allowed); fails unless all of the text is the number.
std::uint64_t ParseUnsigned(std::string const & text, std::uint64_t maximum, bool negationWraps, char const * type)
{
    if (text.empty())
        FailNotConverted(text, type);
    char const * digits = text.c_str();
    while (std::isspace(static_cast<unsigned char>(*digits)))
        ++digits;
    bool const negative = *digits == '-';
    if (*digits == '-' || *digits == '+')
        ++digits;
    if (*digits < '0' || *digits > '9')
        FailNotConverted(text, type);
    char * end = nullptr;
    errno = 0;
    unsigned long long const magnitude = std::strtoull(digits, &end, 10);
    if (errno == ERANGE || magnitude > maximum || (negative && !negationWraps && magnitude != 0))
        FailTooLarge(text, type);
    if (*end != '\0')
        FailNotConverted(text, type);
    return negative ? (0 - magnitude) & maximum : magnitude;
}

// Whether the text (after leading blanks) is a decimal floating-point number: sign, digits,
// point, digits, exponent; and no infinity, NaN or hexadecimal spelling of the C library.
bool IsFloatingPointText(char const * text)
{
    while (std::isspace(static_cast<unsigned char>(*text)))
        ++text;
    if (*text == '+' || *text == '-')
        ++text;
    std::size_t digits = 0;
    for (; *text >= '0' && *text <= '9'; ++text)
        ++digits;
    if (*text == '.')
    {
        for (++text; *text >= '0' && *text <= '9'; ++text)
            ++digits;
    }
    if (digits == 0)
        return false;
    if (*text == 'e' || *text == 'E')
    {
        ++text;
        if (*text == '+' || *text == '-')
            ++text;
        if (*text < '0' || *text > '9')
            return false;
        while (*text >= '0' && *text <= '9')
            ++text;
    }
    return *text == '\0';
}

double ParseFloatingPoint(std::string const & text, char const * type)
{
    if (text.empty())
        FailNotConverted(text, type);
    if (text == "NaN" || text == "1.#QNAN" || text == "-NAN")
        return std::numeric_limits<double>::quiet_NaN();
    if (text == "-INF")
        return -std::numeric_limits<double>::infinity();
    if (text == "INF")
        return std::numeric_limits<double>::infinity();
    if (!IsFloatingPointText(text.c_str()))
        FailNotConverted(text, type);
    return std::strtod(text.c_str(), nullptr); // beyond the range: an infinity, no error
}

// Whether the format holds exactly one conversion that takes a double (and maybe %%).
bool IsSingleDoubleFormat(std::string const & format)
{
    int conversions = 0;
    for (std::size_t i = 0; i < format.size(); ++i)
    {
        if (format[i] != '%')
            continue;
        if (++i < format.size() && format[i] == '%')
            continue;
        while (i < format.size() && std::strchr("-+ #0", format[i]) != nullptr)
            ++i;
        while (i < format.size() && std::isdigit(static_cast<unsigned char>(format[i])))
            ++i;
        if (i < format.size() && format[i] == '.')
        {
            ++i;
            while (i < format.size() && std::isdigit(static_cast<unsigned char>(format[i])))
                ++i;
        }
        if (i >= format.size() || std::strchr("eEfFgGaA", format[i]) == nullptr)
            return false;
        ++conversions;
    }
    return conversions == 1;
}

template <std::size_t BufferSize>
std::string FloatingPointToString(double value, std::string const & format, char const * defaultFormat)
{
    if (std::isnan(value))
        return "NaN";
    if (std::isinf(value))
        return value < 0 ? "-INF" : "INF";
    char const * const used = format.empty() ? defaultFormat : format.c_str();
    if (!format.empty() && !IsSingleDoubleFormat(format))
        throw CNxInvalidParamException(FormatString(Msg::FormatNeedsOneFloatConversion, format.c_str()));
    char buffer[BufferSize];
    std::snprintf(buffer, BufferSize, used, value);
    return buffer;
}

CDateTime ParseDate(std::string const & text, WhitespaceRule rule, CDateTime::DTType kind)
{
    CRuledText const ruled(rule, text);
    CDateTime value(kind);
    if (kind == CDateTime::dt_dateTime)
        value.ParseXSDDateTime(ruled.c_str());
    else if (kind == CDateTime::dt_time)
        value.ParseXSDTime(ruled.c_str());
    else
        value.ParseXSDDate(ruled.c_str());
    if (value.GetType() != kind)
        Fail(Msg::InvalidXsdDateExpected, ruled.Get());
    return value;
}

} // namespace

bool CWhitespaceUtils::LeavesUnchanged(WhitespaceRule rule, std::string const & text)
{
    return !RuleChanges(rule, text);
}

std::string CWhitespaceUtils::Preserve(std::string const & text)
{
    if (text.find('\r') == std::string::npos)
        return text;
    return Preserve(text.data(), static_cast<int>(text.size()));
}

std::string CWhitespaceUtils::Preserve(char const * text, int length)
{
    std::string out;
    out.reserve(length > 0 ? static_cast<std::size_t>(length) : 0);
    for (int i = 0; i < length; ++i)
    {
        if (text[i] == '\r')
        {
            out += '\n';
            if (i + 1 < length && text[i + 1] == '\n')
                ++i;
        }
        else
            out += text[i];
    }
    return out;
}

std::string CWhitespaceUtils::Replace(std::string const & text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i)
    {
        char const c = text[i];
        if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
        {
            out += ' ';
            ++i;
        }
        else
            out += c == '\r' || c == '\t' || c == '\n' ? ' ' : c;
    }
    return out;
}

std::string CWhitespaceUtils::Collapse(std::string const & text)
{
    std::string out;
    out.reserve(text.size());
    bool lastWasSpace = true;
    for (char const c : text)
    {
        if (IsWhiteSpace(c))
        {
            if (!lastWasSpace)
                out += ' ';
            lastWasSpace = true;
        }
        else
        {
            out += c;
            lastWasSpace = false;
        }
    }
    if (!out.empty() && out.back() == ' ')
        out.pop_back();
    return out;
}

std::string CWhitespaceUtils::ApplyRule(WhitespaceRule rule, std::string const & text)
{
    switch (rule)
    {
    case WhitespaceRule_None: return text;
    case WhitespaceRule_Preserve: return Preserve(text);
    case WhitespaceRule_Replace: return Replace(text);
    case WhitespaceRule_Collapse: return Collapse(text);
    default: throw CNxException(Msg::UnknownWhitespaceRule);
    }
}

std::string CConversions::i1ToString(char value)
{
    return std::to_string(static_cast<int>(static_cast<signed char>(value)));
}

std::string CConversions::i2ToString(short value) { return std::to_string(value); }

std::string CConversions::i4ToString(std::int32_t value) { return std::to_string(value); }

std::string CConversions::i8ToString(std::int64_t value) { return std::to_string(value); }

std::string CConversions::ui1ToString(unsigned char value) { return std::to_string(value); }

std::string CConversions::ui2ToString(unsigned short value) { return std::to_string(value); }

std::string CConversions::ui4ToString(std::uint32_t value) { return std::to_string(value); }

std::string CConversions::ui8ToString(std::uint64_t value) { return std::to_string(value); }

std::string CConversions::r4ToString(float value) { return r4ToString(value, std::string()); }

std::string CConversions::r4ToString(float value, std::string const & format)
{
    return FloatingPointToString<32>(static_cast<double>(value), format, "%.7g");
}

std::string CConversions::r8ToString(double value) { return r8ToString(value, std::string()); }

std::string CConversions::r8ToString(double value, std::string const & format)
{
    return FloatingPointToString<48>(value, format, "%.16g");
}

std::string CConversions::booleanToString(bool value) { return value ? "true" : "false"; }

std::string CConversions::charToString(char value) { return std::string(1, value); }

std::string CConversions::stringToString(std::string const & value) { return value; }

std::string CConversions::decimalToString(CDecimal const & value) { return value.ToString(); }

std::string CConversions::decimalToString(CDecimal const & value, std::string const & format)
{
    if (format.empty())
        return value.ToString();
    return value.ToString(std::atoi(format.c_str()));
}

std::string CConversions::integerToString(CBigInteger const & value) { return value.ToString(); }

std::string CConversions::durationToString(CDateTimeSpan const & value) { return value.ToString(); }

std::string CConversions::dateToString(CDateTime const & value) { return value.ToString("s"); }

std::string CConversions::yearToString(unsigned short value) { return FormatString("%u", value); }

std::string CConversions::monthToString(unsigned char value) { return FormatString("--%02u", value); }

std::string CConversions::dayToString(unsigned char value) { return FormatString("---%02u", value); }

std::string CConversions::hexBinaryToString(CBinaryData const & value) { return value.GetAsHexString(); }

std::string CConversions::base64BinaryToString(CBinaryData const & value) { return value.GetAsBase64(); }

char CConversions::i1FromString(std::string const & text, WhitespaceRule rule)
{
    std::int32_t const value = i4FromString(text, rule);
    if (value < -128 || value > 127)
        Fail(Msg::ValueTooLargeForI1, text);
    return static_cast<char>(value);
}

short CConversions::i2FromString(std::string const & text, WhitespaceRule rule)
{
    std::int32_t const value = i4FromString(text, rule);
    if (value < -32768 || value > 32767)
        Fail(Msg::ValueTooLargeForI2, text);
    return static_cast<short>(value);
}

std::int32_t CConversions::i4FromString(std::string const & text, WhitespaceRule rule)
{
    CRuledText const ruled(rule, text);
    return static_cast<std::int32_t>(ParseSigned(ruled.Get(), std::numeric_limits<std::int32_t>::min(),
                                                 std::numeric_limits<std::int32_t>::max(), "i4"));
}

std::int64_t CConversions::i8FromString(std::string const & text, WhitespaceRule rule)
{
    CRuledText const ruled(rule, text);
    return ParseSigned(ruled.Get(), std::numeric_limits<std::int64_t>::min(), std::numeric_limits<std::int64_t>::max(),
                       "i8");
}

unsigned char CConversions::ui1FromString(std::string const & text, WhitespaceRule rule)
{
    std::uint32_t const value = ui4FromString(text, rule);
    if (value > 255)
        Fail(Msg::ValueTooLargeForUi1, text);
    return static_cast<unsigned char>(value);
}

unsigned short CConversions::ui2FromString(std::string const & text, WhitespaceRule rule)
{
    std::uint32_t const value = ui4FromString(text, rule);
    if (value > 65535)
        Fail(Msg::ValueTooLargeForUi2, text);
    return static_cast<unsigned short>(value);
}

std::uint32_t CConversions::ui4FromString(std::string const & text, WhitespaceRule rule)
{
    CRuledText const ruled(rule, text);
    return static_cast<std::uint32_t>(
        ParseUnsigned(ruled.Get(), std::numeric_limits<std::uint32_t>::max(), true, "ui4"));
}

std::uint64_t CConversions::ui8FromString(std::string const & text, WhitespaceRule rule)
{
    CRuledText const ruled(rule, text);
    return ParseUnsigned(ruled.Get(), std::numeric_limits<std::uint64_t>::max(), false, "ui8");
}

float CConversions::r4FromString(std::string const & text, WhitespaceRule rule)
{
    CRuledText const ruled(rule, text);
    return static_cast<float>(ParseFloatingPoint(ruled.Get(), "r4"));
}

double CConversions::r8FromString(std::string const & text, WhitespaceRule rule)
{
    CRuledText const ruled(rule, text);
    return ParseFloatingPoint(ruled.Get(), "r8");
}

bool CConversions::booleanFromString(std::string const & text, WhitespaceRule rule)
{
    CRuledText const ruled(rule, text);
    std::string const & value = ruled.Get();
    if (strcasecmp(value.c_str(), "true") == 0 || value == "1")
        return true;
    if (strcasecmp(value.c_str(), "false") == 0 || value == "0")
        return false;
    Fail(Msg::InvalidBooleanValue, value);
}

char CConversions::charFromString(std::string const & text, WhitespaceRule rule)
{
    CRuledText const ruled(rule, text);
    if (ruled.Get().size() != 1)
        Fail(Msg::InvalidCharValue, ruled.Get());
    return ruled.Get()[0];
}

std::string CConversions::stringFromString(std::string const & text, WhitespaceRule rule)
{
    return CWhitespaceUtils::ApplyRule(rule, text);
}

CDecimal CConversions::decimalFromString(std::string const & text, WhitespaceRule rule)
{
    CRuledText const ruled(rule, text);
    return CDecimal(ruled.c_str());
}

CBigInteger CConversions::integerFromString(std::string const & text, WhitespaceRule rule)
{
    CRuledText const ruled(rule, text);
    return CBigInteger(ruled.c_str());
}

CDateTimeSpan CConversions::durationFromString(std::string const & text, WhitespaceRule rule)
{
    CRuledText const ruled(rule, text);
    CDateTimeSpan value;
    value.ParseXSDDuration(ruled.c_str());
    return value;
}

CDateTime CConversions::dateFromString(std::string const & text, WhitespaceRule rule)
{
    return ParseDate(text, rule, CDateTime::dt_date);
}

CDateTime CConversions::timeFromString(std::string const & text, WhitespaceRule rule)
{
    return ParseDate(text, rule, CDateTime::dt_time);
}

CDateTime CConversions::datetimeFromString(std::string const & text, WhitespaceRule rule)
{
    return ParseDate(text, rule, CDateTime::dt_dateTime);
}

CDateTime CConversions::yearMonthFromString(std::string const & text, WhitespaceRule rule)
{
    return ParseDate(text, rule, CDateTime::dt_gYearMonth);
}

CDateTime CConversions::monthDayFromString(std::string const & text, WhitespaceRule rule)
{
    return ParseDate(text, rule, CDateTime::dt_gMonthDay);
}

unsigned short CConversions::yearFromString(std::string const & text, WhitespaceRule rule)
{
    return static_cast<unsigned short>(ParseDate(text, rule, CDateTime::dt_gYear).GetYear());
}

unsigned char CConversions::monthFromString(std::string const & text, WhitespaceRule rule)
{
    return ParseDate(text, rule, CDateTime::dt_gMonth).GetMonth();
}

unsigned char CConversions::dayFromString(std::string const & text, WhitespaceRule rule)
{
    return ParseDate(text, rule, CDateTime::dt_gDay).GetDay();
}

CBinaryData CConversions::hexBinaryFromString(std::string const & text, WhitespaceRule rule)
{
    CRuledText const ruled(rule, text);
    CBinaryData value;
    value.SetAsHexString(ruled.c_str());
    return value;
}

CBinaryData CConversions::base64BinaryFromString(std::string const & text, WhitespaceRule rule)
{
    CRuledText const ruled(rule, text);
    CBinaryData value;
    value.SetAsBase64(ruled.c_str());
    return value;
}

} // namespace NxXmlLib16
