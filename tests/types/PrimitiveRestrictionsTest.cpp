#include "TestSupport.h"

#include "PrimitiveRestrictions.h"
#include "Variant.h"

#include <thread>
#include <vector>

using namespace NxXmlLib16;
using NxXmlTest::ExpectThrows;

namespace
{

// Facets built from named fields, so each test sets only what it checks.
struct CFacets
{
    char const * pattern = nullptr;
    std::int32_t minLength = -1;
    std::int32_t maxLength = -1;
    char const * minInclusive = nullptr;
    char const * maxInclusive = nullptr;
    char const * minExclusive = nullptr;
    char const * maxExclusive = nullptr;
    std::int32_t length = -1;
    std::int32_t totalDigits = -1;
    std::int32_t fractionDigits = -1;

    CPrimitiveRestrictions Build() const
    {
        return CPrimitiveRestrictions(pattern, minLength, maxLength, minInclusive, maxInclusive, minExclusive,
                                      maxExclusive, length, totalDigits, fractionDigits);
    }
};

NxVariant Parsed(char const * text, ItemType type)
{
    NxVariant value;
    value.FromString(text, type, CWhitespaceUtils::WhitespaceRule_Collapse);
    return value;
}

// Whether the value (as text of the type) passes the facets.
bool Passes(char const * text, ItemType type, CFacets const & facets)
{
    try
    {
        CFacetValidator::ValidateValue("value", Parsed(text, type), type, facets.Build());
        return true;
    }
    catch (CNxException const &)
    {
        return false;
    }
}

void ExpectFailure(char const * text, ItemType type, CFacets const & facets, std::string const & message)
{
    ExpectThrows<CNxException>(
        [&] { CFacetValidator::ValidateValue("value", Parsed(text, type), type, facets.Build()); }, message);
}

} // namespace

TEST(Facets, NothingSetChecksNothing)
{
    EXPECT_TRUE(CPrimitiveRestrictions().IsEmpty());
    EXPECT_TRUE((CFacets{"", -1, -1, "", "", "", ""}.Build().IsEmpty()));
    EXPECT_TRUE(Passes("-2147483648", ItemType_i4, CFacets{}));
    EXPECT_TRUE(Passes("anything", ItemType_string, CFacets{}));
    EXPECT_TRUE(Passes("true", ItemType_boolean, (CFacets{nullptr, -1, -1, "x", "y"}))); // booleans are not checked
}

TEST(Facets, IntegerBoundsOnBothSides)
{
    CFacets inclusive;
    inclusive.minInclusive = "-5";
    inclusive.maxInclusive = "100";
    EXPECT_TRUE(Passes("100", ItemType_i4, inclusive));
    EXPECT_TRUE(Passes("-5", ItemType_i4, inclusive));
    ExpectFailure("101", ItemType_i4, inclusive, "Invalid Value for value [101]");
    ExpectFailure("-6", ItemType_i4, inclusive, "Invalid Value for value [-6]");
    CFacets exclusive;
    exclusive.minExclusive = "0";
    exclusive.maxExclusive = "10";
    EXPECT_TRUE(Passes("1", ItemType_ui1, exclusive));
    EXPECT_FALSE(Passes("0", ItemType_ui1, exclusive));
    EXPECT_FALSE(Passes("10", ItemType_i2, exclusive));
    ExpectFailure("-1", ItemType_i1, exclusive, "Invalid Value for value [-1]");
    CFacets big;
    big.maxInclusive = "4000000000";
    ExpectFailure("4000000001", ItemType_ui4, big, "Invalid Value for value [4000000001]");
    CFacets wide;
    wide.maxExclusive = "9000000000";
    ExpectFailure("9000000000", ItemType_i8, wide, "Invalid Value for value [9000000000].");
    ExpectFailure("9000000001", ItemType_ui8, wide, "Invalid Value for value [9000000001].");
    CFacets years;
    years.minInclusive = "2000";
    ExpectFailure("1999", ItemType_year, years, "Invalid Value for value [1999]");
    CFacets months;
    months.maxInclusive = "--06";
    EXPECT_TRUE(Passes("--06", ItemType_month, months));
    ExpectFailure("--07", ItemType_month, months, "Invalid Value for value [7]");
}

TEST(Facets, IntegerBoundsReadOnceKeepTheParsersRules)
{
    CFacets low;
    low.minInclusive = "+7";
    EXPECT_TRUE(Passes("2147483647", ItemType_i4, low));
    ExpectFailure("6", ItemType_i4, low, "Invalid Value for value [6]");
    CFacets high;
    high.maxInclusive = " 7 "; // collapsed like any other bound
    EXPECT_TRUE(Passes("-2147483648", ItemType_i4, high));
    ExpectFailure("8", ItemType_ui2, high, "Invalid Value for value [8]");
    CFacets outside;
    outside.maxInclusive = "300";
    EXPECT_TRUE(Passes("300", ItemType_i2, outside));
    ExpectThrows<CNxInvalidValueException>(
        [&] { CFacetValidator::ValidateValue("value", Parsed("5", ItemType_i1), ItemType_i1, outside.Build()); },
        "The value [300] is to large to fit in a i1");
    EXPECT_TRUE(outside.Build().GetIntegerBounds().plain);
    EXPECT_EQ(300, outside.Build().GetIntegerBounds().high);
    EXPECT_FALSE(high.Build().GetIntegerBounds().plain);
}

TEST(Facets, TotalDigitsCountTheWrittenValue)
{
    CFacets digits;
    digits.totalDigits = 3;
    EXPECT_TRUE(Passes("999", ItemType_i4, digits));
    EXPECT_TRUE(Passes("-99", ItemType_i4, digits));
    EXPECT_FALSE(Passes("-999", ItemType_i4, digits));
    EXPECT_FALSE(Passes("1000", ItemType_i4, digits));
    EXPECT_FALSE(Passes("-100", ItemType_integer, digits));
    EXPECT_TRUE(Passes("123", ItemType_integer, digits));
    EXPECT_FALSE(Passes("1234", ItemType_ui8, digits));
}

TEST(Facets, DecimalDigitsAndBounds)
{
    CFacets digits;
    digits.totalDigits = 4;
    digits.fractionDigits = 2;
    EXPECT_TRUE(Passes("12.34", ItemType_decimal, digits));
    EXPECT_FALSE(Passes("1.234", ItemType_decimal, digits));
    ExpectFailure("123.45", ItemType_decimal, digits, "Invalid Value for value [123.45].");
    EXPECT_TRUE(Passes("0.12", ItemType_decimal, digits));
    EXPECT_TRUE(Passes("1.20", ItemType_decimal, digits));
    EXPECT_TRUE(Passes("-12.34", ItemType_decimal, digits));
    EXPECT_FALSE(Passes("-123.45", ItemType_decimal, digits));
    EXPECT_EQ(0, CFacetValidator::CountIntegerDigits(CDecimal("0.12")));
    EXPECT_EQ(2, CFacetValidator::CountFractionDigits(CDecimal("0.12")));
    EXPECT_EQ(1, CFacetValidator::CountFractionDigits(CDecimal("1.20")));
    EXPECT_EQ(3, CFacetValidator::CountFractionDigits(CDecimal("0.005")));
    EXPECT_EQ(0, CFacetValidator::CountFractionDigits(CDecimal("12")));
    CFacets positive;
    positive.minExclusive = "0";
    EXPECT_FALSE(Passes("0.0", ItemType_decimal, positive));
    EXPECT_TRUE(Passes("0.0001", ItemType_decimal, positive));
}

TEST(Facets, FloatingPointMessages)
{
    CFacets facets;
    facets.maxInclusive = "1.5";
    EXPECT_TRUE(Passes("1.5", ItemType_r8, facets));
    ExpectFailure("1.75", ItemType_r8, facets, "Invalid Value for value [1.750000]");
    ExpectFailure("2", ItemType_r4, facets, "Invalid Value for value [2.000000]");
}

TEST(Facets, DatesAndDurationsNeverFailWhenIndeterminate)
{
    CFacets facets;
    facets.maxInclusive = "2004-05-06T10:00:00Z";
    EXPECT_TRUE(Passes("2004-05-06T10:00:00", ItemType_datetime, facets)); // indeterminate
    EXPECT_TRUE(Passes("2004-05-06T09:00:00Z", ItemType_datetime, facets));
    ExpectFailure("2004-05-07T00:00:01", ItemType_datetime, facets, "Invalid Value for value [2004-05-07T00:00:01].");
    CFacets exclusive;
    exclusive.maxExclusive = "2004-05-06Z";
    EXPECT_TRUE(Passes("2004-05-06", ItemType_date, exclusive)); // indeterminate: not "equal"
    EXPECT_FALSE(Passes("2004-05-06Z", ItemType_date, exclusive));
    CFacets durations;
    durations.maxInclusive = "P30D";
    EXPECT_TRUE(Passes("P1M", ItemType_duration, durations)); // indeterminate
    ExpectFailure("P31D", ItemType_duration, durations, "Invalid Value for value [P31D].");
    CFacets times;
    times.minInclusive = "08:00:00";
    ExpectFailure("07:59:59", ItemType_time, times, "Invalid Value for value [07:59:59].");
}

TEST(Facets, LengthsOfStringsAndBinaryData)
{
    CFacets lengths;
    lengths.minLength = 2;
    lengths.maxLength = 4;
    EXPECT_TRUE(Passes("ab", ItemType_string, lengths));
    EXPECT_TRUE(Passes("abcd", ItemType_string, lengths));
    ExpectFailure("a", ItemType_string, lengths, "Invalid Value for value [a].");
    EXPECT_FALSE(Passes("abcde", ItemType_string, lengths));
    EXPECT_TRUE(Passes("\xC3\xA9\xC3\xA9\xC3\xA9", ItemType_string, lengths)); // three characters, six bytes
    EXPECT_FALSE(Passes("\xC3\xA9\xE2\x82\xAC\xC3\xA9\xC3\xA9\xC3\xA9", ItemType_string, lengths));
    CFacets exact;
    exact.length = 2;
    EXPECT_TRUE(Passes("01AB", ItemType_hexBinary, exact));
    ExpectFailure("01ABCD", ItemType_hexBinary, exact, "Invalid Value for value [01ABCD].");
    ExpectFailure("YWJj", ItemType_base64Binary, exact, "Invalid Value for value [YWJj].");
}

TEST(Facets, Patterns)
{
    struct
    {
        char const * pattern;
        char const * value;
        bool matches;
    } const cases[] = {
        {"\\d{3}", "123", true},                  {"\\d{3}", "1234", false},
        {"\\d{3}", "12a", false},                 {"[a-z]+\\.\\i\\c*", "ab.x1", true},
        {"[a-z]+\\.\\i\\c*", "ab.:", true},        {"[a-z]+\\.\\i\\c*", "ab.1", false},
        {"\\I\\C", "1 ", true},                   {"\\p{IsBasicLatin}+", "plain", true},
        {"\\p{IsBasicLatin}+", "caf\xC3\xA9", false}, {"\\p{IsLatin-1Supplement}", "\xC3\xA9", true},
        {"\\p{IsLatinExtended-A}", "\xC5\x81", true}, // U+0141
        {"\\p{IsLatinExtended-B}", "\xC8\x98", true}, // U+0218
        {"\\p{IsLatinExtended-B}", "\xC5\x81", false},
        {"a\\\\i", "a\\i", true}, // an escaped backslash stays one
        {"a|b", "b", true},                      {"a|b", "ab", false}, // alternatives are anchored as a whole
        {".", "\xE2\x82\xAC", true},                 // one character, three bytes
        {"\\d{3}", "123\n", false},               // the end is the end of the value
        {"\\d{3}\\s", "123\n", true}};
    for (auto const & c : cases)
        EXPECT_EQ(c.matches, CFacetValidator::MatchPattern(c.pattern, c.value)) << c.pattern << " " << c.value;

    CFacets postcode;
    postcode.pattern = "[0-9]{4}";
    EXPECT_TRUE(Passes("8001", ItemType_string, postcode));
    ExpectFailure("800", ItemType_string, postcode, "Invalid Value for value [800].");
}

TEST(Facets, InvalidPatternsNameTheExpressionAndTheValue)
{
    ExpectThrows<CNxException>([] { CFacetValidator::MatchPattern("(", "x"); },
                               "Invalid Regular Expression: ^(()$ Error: 'missing closing parenthesis'");
    CFacets broken;
    broken.pattern = "(";
    ExpectThrows<CNxException>([&] { broken.Build().MatchesPattern("x"); },
                               "Invalid Regular Expression: ^(()$ Error: 'missing closing parenthesis'");
    EXPECT_TRUE(CPrimitiveRestrictions().MatchesPattern("anything"));
    ExpectFailure("x", ItemType_string, broken,
                  "Invalid Regular Expression: ^(()$ Error: 'missing closing parenthesis'\nInvalid Value for value [x].");
}

TEST(Facets, UnknownTypesAndBadBounds)
{
    NxVariant value;
    value.SetChar('x');
    ExpectThrows<CNxInvalidValueException>(
        [&] { CFacetValidator::ValidateValue("value", value, ItemType_char, CPrimitiveRestrictions()); },
        "Unknown type [char].");
    CFacets bad;
    bad.maxInclusive = "ten";
    ExpectThrows<CNxInvalidValueException>(
        [&] { CFacetValidator::ValidateValue("value", Parsed("5", ItemType_i4), ItemType_i4, bad.Build()); },
        "The value [ten] can not be converted to a i4");
}

TEST(Facets, PatternsAreSharedSafelyBetweenThreads)
{
    std::vector<std::thread> threads;
    std::vector<int> failures(4, 0);
    for (int t = 0; t < 4; ++t)
    {
        threads.emplace_back([t, &failures] {
            for (int i = 0; i < 2000; ++i)
            {
                std::string const pattern = "[a-z]{" + std::to_string(i % 7 + 1) + "}\\d";
                std::string const value = std::string(static_cast<std::size_t>(i % 7 + 1), 'q') + "5";
                if (!CFacetValidator::MatchPattern(pattern, value) || CFacetValidator::MatchPattern(pattern, value + "5"))
                    ++failures[static_cast<std::size_t>(t)];
            }
        });
    }
    for (std::thread & thread : threads)
        thread.join();
    EXPECT_EQ(std::vector<int>(4, 0), failures);
}
