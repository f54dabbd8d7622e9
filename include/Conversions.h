// CConversions and CWhitespaceUtils: the text forms of every XSD item type, and whitespace rules.
#pragma once

#include "BigInteger.h"
#include "BinaryData.h"
#include "DateTime.h"
#include "Decimal.h"

#include <cstdint>
#include <string>

namespace NxXmlLib16
{

// The XSD whitespace facet applied to document text before it is parsed.
class CWhitespaceUtils
{
public:
    enum WhitespaceRule : std::int32_t
    {
        WhitespaceRule_None = 0,     // the text as it stands
        WhitespaceRule_Preserve = 1, // line ends become line feeds
        WhitespaceRule_Replace = 2,  // line ends, tabs and line feeds become spaces
        WhitespaceRule_Collapse = 3  // runs of whitespace become one space, none at the ends
    };

    CWhitespaceUtils & operator=(CWhitespaceUtils const &) = default;

    static std::string Preserve(std::string const & text);
    static std::string Preserve(char const * text, int length);
    static std::string Replace(std::string const & text);
    static std::string Collapse(std::string const & text);
    // Applies a rule; an unknown rule throws.
    static std::string ApplyRule(WhitespaceRule rule, std::string const & text);
    // Whether applying the rule would leave the text as it is.
    static bool LeavesUnchanged(WhitespaceRule rule, std::string const & text);
    // Space, tab, carriage return and line feed.
    static bool IsWhiteSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
};

using WhitespaceRule = CWhitespaceUtils::WhitespaceRule;

// Turns every XSD item type into its lexical form and back; parsing applies a whitespace rule
// first and throws CNxInvalidValueException for text that is not a value of the type.
class CConversions
{
public:
    static std::string i1ToString(char value);
    static std::string i2ToString(short value);
    static std::string i4ToString(std::int32_t value);
    static std::string i8ToString(std::int64_t value);
    static std::string ui1ToString(unsigned char value);
    static std::string ui2ToString(unsigned short value);
    static std::string ui4ToString(std::uint32_t value);
    static std::string ui8ToString(std::uint64_t value);
    // "NaN", "INF", "-INF", or the value with the format ("%.7g" when empty).
    static std::string r4ToString(float value);
    static std::string r4ToString(float value, std::string const & format);
    // "NaN", "INF", "-INF", or the value with the format ("%.16g" when empty).
    static std::string r8ToString(double value);
    static std::string r8ToString(double value, std::string const & format);
    static std::string booleanToString(bool value);
    static std::string charToString(char value);
    static std::string stringToString(std::string const & value);
    static std::string decimalToString(CDecimal const & value);
    // The format is the number of fraction digits.
    static std::string decimalToString(CDecimal const & value, std::string const & format);
    static std::string integerToString(CBigInteger const & value);
    static std::string durationToString(CDateTimeSpan const & value);
    // The XSD form of the value's own date or time kind.
    static std::string dateToString(CDateTime const & value);
    static std::string yearToString(unsigned short value);
    static std::string monthToString(unsigned char value);
    static std::string dayToString(unsigned char value);
    static std::string hexBinaryToString(CBinaryData const & value);
    static std::string base64BinaryToString(CBinaryData const & value);

    static char i1FromString(std::string const & text, WhitespaceRule rule);
    static short i2FromString(std::string const & text, WhitespaceRule rule);
    static std::int32_t i4FromString(std::string const & text, WhitespaceRule rule);
    static std::int64_t i8FromString(std::string const & text, WhitespaceRule rule);
    static unsigned char ui1FromString(std::string const & text, WhitespaceRule rule);
    static unsigned short ui2FromString(std::string const & text, WhitespaceRule rule);
    static std::uint32_t ui4FromString(std::string const & text, WhitespaceRule rule);
    static std::uint64_t ui8FromString(std::string const & text, WhitespaceRule rule);
    static float r4FromString(std::string const & text, WhitespaceRule rule);
    static double r8FromString(std::string const & text, WhitespaceRule rule);
    static bool booleanFromString(std::string const & text, WhitespaceRule rule);
    static char charFromString(std::string const & text, WhitespaceRule rule);
    static std::string stringFromString(std::string const & text, WhitespaceRule rule);
    static CDecimal decimalFromString(std::string const & text, WhitespaceRule rule);
    static CBigInteger integerFromString(std::string const & text, WhitespaceRule rule);
    static CDateTimeSpan durationFromString(std::string const & text, WhitespaceRule rule);
    static CDateTime dateFromString(std::string const & text, WhitespaceRule rule);
    static CDateTime timeFromString(std::string const & text, WhitespaceRule rule);
    static CDateTime datetimeFromString(std::string const & text, WhitespaceRule rule);
    static CDateTime yearMonthFromString(std::string const & text, WhitespaceRule rule);
    static CDateTime monthDayFromString(std::string const & text, WhitespaceRule rule);
    // The gYear, gMonth and gDay forms; a zone is read and dropped.
    static unsigned short yearFromString(std::string const & text, WhitespaceRule rule);
    static unsigned char monthFromString(std::string const & text, WhitespaceRule rule);
    static unsigned char dayFromString(std::string const & text, WhitespaceRule rule);
    static CBinaryData hexBinaryFromString(std::string const & text, WhitespaceRule rule);
    static CBinaryData base64BinaryFromString(std::string const & text, WhitespaceRule rule);
};

} // namespace NxXmlLib16
