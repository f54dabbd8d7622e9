#include "TestSupport.h"

#include "PrimitiveRestrictions.h"
#include "Variant.h"

#include <thread>
#include <tuple>
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

CFacets Inclusive(char const * low, char const * high) { return {nullptr, -1, -1, low, high}; }
CFacets Exclusive(char const * low, char const * high) { return {nullptr, -1, -1, nullptr, nullptr, low, high}; }
CFacets Digits(std::int32_t total, std::int32_t fraction)
{
    return {nullptr, -1, -1, nullptr, nullptr, nullptr, nullptr, -1, total, fraction};
}
CFacets Lengths(std::int32_t min, std::int32_t max, std::int32_t length = -1)
{
    return {nullptr, min, max, nullptr, nullptr, nullptr, nullptr, length};
}

NxVariant Parsed(char const * text, ItemType type)
{
    NxVariant value;
    value.FromString(text, type, CWhitespaceUtils::WhitespaceRule_Collapse);
    return value;
}

void Validate(char const * text, ItemType type, CFacets const & facets)
{
    CFacetValidator::ValidateValue("value", Parsed(text, type), type, facets.Build());
}

} // namespace

TEST(Facets, BoundsDigitsAndLengthsOfEveryKind)
{
    char const * const Pass = nullptr;
    char const * const Fail = ""; // refused with the message the other rows check
    std::tuple<ItemType, CFacets, char const *, char const *> const cases[] = {
        {ItemType_i4, CFacets{}, "-2147483648", Pass},
        {ItemType_boolean, Inclusive("x", "y"), "true", Pass}, // booleans are not checked
        {ItemType_i4, Inclusive("-5", "100"), "100", Pass},
        {ItemType_i4, Inclusive("-5", "100"), "101", "Invalid Value for value [101]"},
        {ItemType_i4, Inclusive("-5", "100"), "-6", "Invalid Value for value [-6]"},
        {ItemType_ui1, Exclusive("0", "10"), "1", Pass},
        {ItemType_ui1, Exclusive("0", "10"), "0", Fail},
        {ItemType_i2, Exclusive("0", "10"), "10", Fail},
        {ItemType_i1, Exclusive("0", "10"), "-1", "Invalid Value for value [-1]"},
        {ItemType_ui4, Inclusive(nullptr, "4000000000"), "4000000001", "Invalid Value for value [4000000001]"},
        {ItemType_i8, Exclusive(nullptr, "9000000000"), "9000000000", "Invalid Value for value [9000000000]."},
        {ItemType_ui8, Exclusive(nullptr, "9000000000"), "9000000001", "Invalid Value for value [9000000001]."},
        {ItemType_year, Inclusive("2000", nullptr), "1999", "Invalid Value for value [1999]"},
        {ItemType_month, Inclusive(nullptr, "--06"), "--06", Pass},
        {ItemType_month, Inclusive(nullptr, "--06"), "--07", "Invalid Value for value [7]"},
        // Integer bounds are read once, by the parser's rules: a sign, blanks collapsed.
        {ItemType_i4, Inclusive("+7", nullptr), "2147483647", Pass},
        {ItemType_i4, Inclusive("+7", nullptr), "6", "Invalid Value for value [6]"},
        {ItemType_i4, Inclusive(nullptr, " 7 "), "-2147483648", Pass},
        {ItemType_ui2, Inclusive(nullptr, " 7 "), "8", "Invalid Value for value [8]"},
        {ItemType_i2, Inclusive(nullptr, "300"), "300", Pass},
        // Total digits count the written value.
        {ItemType_i4, Digits(3, -1), "-99", Pass},
        {ItemType_i4, Digits(3, -1), "-999", Fail},
        {ItemType_integer, Digits(3, -1), "-100", Fail},
        {ItemType_ui8, Digits(3, -1), "1234", Fail},
        {ItemType_decimal, Digits(4, 2), "12.34", Pass},
        {ItemType_decimal, Digits(4, 2), "1.234", Fail},
        {ItemType_decimal, Digits(4, 2), "123.45", "Invalid Value for value [123.45]."},
        {ItemType_decimal, Digits(4, 2), "1.20", Pass},
        {ItemType_decimal, Exclusive("0", nullptr), "0.0", Fail},
        {ItemType_decimal, Exclusive("0", nullptr), "0.0001", Pass},
        {ItemType_r8, Inclusive(nullptr, "1.5"), "1.75", "Invalid Value for value [1.750000]"},
        {ItemType_r4, Inclusive(nullptr, "1.5"), "2", "Invalid Value for value [2.000000]"},
        // Dates and durations whose order is indeterminate never fail.
        {ItemType_datetime, Inclusive(nullptr, "2004-05-06T10:00:00Z"), "2004-05-06T10:00:00", Pass},
        {ItemType_datetime, Inclusive(nullptr, "2004-05-06T10:00:00Z"), "2004-05-07T00:00:01",
         "Invalid Value for value [2004-05-07T00:00:01]."},
        {ItemType_date, Exclusive(nullptr, "2004-05-06Z"), "2004-05-06", Pass}, // indeterminate is not "equal"
        {ItemType_date, Exclusive(nullptr, "2004-05-06Z"), "2004-05-06Z", Fail},
        {ItemType_duration, Inclusive(nullptr, "P30D"), "P1M", Pass},
        {ItemType_duration, Inclusive(nullptr, "P30D"), "P31D", "Invalid Value for value [P31D]."},
        {ItemType_time, Inclusive("08:00:00", nullptr), "07:59:59", "Invalid Value for value [07:59:59]."},
        // Lengths of text count characters, of binary data octets.
        {ItemType_string, Lengths(2, 4), "abcd", Pass},
        {ItemType_string, Lengths(2, 4), "a", "Invalid Value for value [a]."},
        {ItemType_string, Lengths(2, 4), "\xC3\xA9\xC3\xA9\xC3\xA9", Pass},
        {ItemType_string, Lengths(2, 4), "\xC3\xA9\xE2\x82\xAC\xC3\xA9\xC3\xA9\xC3\xA9", Fail},
        {ItemType_hexBinary, Lengths(-1, -1, 2), "01AB", Pass},
        {ItemType_hexBinary, Lengths(-1, -1, 2), "01ABCD", "Invalid Value for value [01ABCD]."},
        {ItemType_base64Binary, Lengths(-1, -1, 2), "YWJj", "Invalid Value for value [YWJj]."}};
    for (auto const & [type, facets, value, message] : cases)
    {
        SCOPED_TRACE(value);
        if (message == Pass)
            EXPECT_NO_THROW(Validate(value, type, facets));
        else if (*message == '\0')
            EXPECT_THROW(Validate(value, type, facets), CNxException);
        else
            ExpectThrows<CNxException>(
                [&facets = facets, type = type, value = value] { Validate(value, type, facets); }, message);
    }
    EXPECT_TRUE((CFacets{"", -1, -1, "", "", "", ""}.Build().IsEmpty()));
    ExpectThrows<CNxInvalidValueException>([] { Validate("5", ItemType_i1, Inclusive(nullptr, "300")); },
                                           "The value [300] is to large to fit in a i1");
    EXPECT_TRUE(Inclusive(nullptr, "300").Build().GetIntegerBounds().plain);
    EXPECT_FALSE(Inclusive(nullptr, " 7 ").Build().GetIntegerBounds().plain);
}

TEST(Facets, PatternsUnknownTypesAndBadBounds)
{
    CFacets const postcode{"[0-9]{4}"};
    EXPECT_NO_THROW(Validate("8001", ItemType_string, postcode));
    ExpectThrows<CNxException>([&] { Validate("800", ItemType_string, postcode); }, "Invalid Value for value [800].");
    std::string const invalid = "Invalid Regular Expression: ^(()$ Error: 'missing closing parenthesis'";
    ExpectThrows<CNxException>([] { CFacetValidator::MatchPattern("(", "x"); }, invalid);
    CFacets const broken{"("};
    ExpectThrows<CNxException>([&] { broken.Build().MatchesPattern("x"); }, invalid);
    ExpectThrows<CNxException>([&] { Validate("x", ItemType_string, broken); },
                               invalid + "\nInvalid Value for value [x].");
    NxVariant value;
    value.SetChar('x');
    ExpectThrows<CNxInvalidValueException>(
        [&] { CFacetValidator::ValidateValue("value", value, ItemType_char, CPrimitiveRestrictions()); },
        "Unknown type [char].");
    ExpectThrows<CNxInvalidValueException>([&] { Validate("5", ItemType_i4, Inclusive(nullptr, "ten")); },
                                           "The value [ten] can not be converted to a i4");
}

TEST(Facets, PatternsAreSharedSafelyBetweenThreads)
{
    std::vector<std::thread> threads;
    std::vector<int> failures(4, 0);
    for (std::size_t t = 0; t < failures.size(); ++t)
    {
        threads.emplace_back([t, &failures] {
            for (std::size_t i = 0; i < 2000; ++i)
            {
                std::string const value = std::string(i % 7 + 1, 'q') + "5";
                std::string const pattern = "[a-z]{" + std::to_string(i % 7 + 1) + "}\\d";
                failures[t] += !CFacetValidator::MatchPattern(pattern, value) || CFacetValidator::MatchPattern(pattern, value + "5");
            }
        });
    }
    for (std::thread & thread : threads)
        thread.join();
    EXPECT_EQ(std::vector<int>(4, 0), failures);
}
