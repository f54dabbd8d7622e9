#include "TypesTestSupport.h"

#include "Decimal.h"

#include <cmath>
#include <random>
#include <tuple>

using namespace NxXmlLib16;
using NxXmlTest::Digits128;
using NxXmlTest::ExpectInvalid;
using NxXmlTest::ExpectThrows;
using NxXmlTest::ScaledText;

namespace
{

std::string Text(CDecimal const & value) { return value.ToString(); }

// Puts the process-wide maximum of fraction digits back after a test.
class DecimalPlaces : public testing::Test
{
protected:
    void TearDown() override { CDecimal::SetMaxDecimalPlaces(30); }
};

} // namespace

TEST_F(DecimalPlaces, ParsingAndWriting)
{
    std::pair<char const *, std::string> const texts[] = {
        {"3.000", "3"},     {"-.25", "-0.25"},    {"", "0"},         {".", "0"},
        {"-0.000", "0"},    {"- 5", "-5"},        {"5-", "-5"},      {"+0012.", "12"},
        {"  -1.50  ", "-1.5"}, {"-1250e-2", "-12.5"}, {"1.5E+2", "150"}, {"1.5E-2", "0.015"},
        {"1.7E+308", "17" + std::string(307, '0')},
        {"1e-40", "0"}, // below the kept places
        {"1e-30", "0." + std::string(29, '0') + "1"}};
    for (auto const & [text, written] : texts)
        EXPECT_EQ(written, Text(CDecimal(text))) << text;
    CDecimal const value(" -0001.50 ");
    EXPECT_EQ("-1", value.GetIntegerPart().ToString());
    EXPECT_EQ("-5", value.GetFractionPart().ToString());
    EXPECT_EQ(1, value.GetFractionDivider());
    EXPECT_EQ(3, CDecimal("-120.0500").GetIntegerDigitCount());
    EXPECT_EQ(2, CDecimal("-120.0500").GetFractionDigitCount());
    EXPECT_EQ(0, CDecimal("-0.0").GetIntegerDigitCount());
    for (auto const & [text, position] : {std::pair<char const *, int>{"1.2.3", 3}, {"12a", 2}, {"1e9999999", 7}})
        ExpectInvalid([text = text] { CDecimal{text}; },
                      FormatString("The string representing a Decimal, contained an invalid char at position %d [%s].",
                                   position, text));
}

TEST_F(DecimalPlaces, ArithmeticIsExact)
{
    EXPECT_EQ("0.3", Text(CDecimal("0.1") + CDecimal("0.2")));
    EXPECT_EQ("-1", Text(CDecimal("0.25") - CDecimal("1.25")));
    EXPECT_EQ("0.0625", Text(CDecimal("0.25") * CDecimal("0.25")));
    CDecimal counter("1.5");
    EXPECT_EQ("1.5", Text(counter++));
    EXPECT_EQ("3.5", Text(++counter));
    EXPECT_EQ("2.5", Text(--counter));
    EXPECT_EQ("0." + std::string(29, '6') + "7", Text(CDecimal(2) / CDecimal(3)));
    EXPECT_EQ("2.5", Text(CDecimal("0.5") / CDecimal("0.2")));
    ExpectInvalid([] { CDecimal(1) / CDecimal(0); }, "ERROR: Overflow in operator/.");
    EXPECT_TRUE(CDecimal("1.50") == CDecimal("1.5"));
    EXPECT_TRUE(CDecimal("-0") == CDecimal("0"));
    EXPECT_TRUE(CDecimal("-1.5") < CDecimal("-1.25"));
}

TEST_F(DecimalPlaces, MaximumOfFractionDigits)
{
    CDecimal::SetMaxDecimalPlaces(2);
    std::pair<char const *, char const *> const texts[] = {
        {"1.005", "1"}, {"1.006", "1.01"}, {"-1.005", "-1"}, {"0.995", "0.99"}, // an exact half goes towards zero
        {"0.999", "1"}, {"-0.996", "-1"}};                                       // the carry moves on
    for (auto const & [text, written] : texts)
        EXPECT_EQ(written, Text(CDecimal(text))) << text;
    EXPECT_EQ("0.33", Text(CDecimal(1) / CDecimal(3)));
}

TEST_F(DecimalPlaces, ToStringWithPlaces)
{
    EXPECT_EQ("1.01", CDecimal("1.005").ToString(2));
    EXPECT_EQ("-1.01", CDecimal("-1.005").ToString(2));
    EXPECT_EQ("2.00", CDecimal(2).ToString(2));
    EXPECT_EQ("3", CDecimal("2.5").ToString(0));
    EXPECT_EQ("0.00", CDecimal("-0.001").ToString(2));
    EXPECT_EQ("10.0", CDecimal("9.96").ToString(1));
    // No digit beyond the places kept: the digits as they stand, padded with zeros.
    std::pair<char const *, int> const exact[] = {{"297.6", 2},  {"-0.5", 3},    {"0", 2},      {"-5", 0},
                                                  {"5.00", 3},   {"0.001", 3},  {"-0.010", 2}, {"7.25", 2},
                                                  {"-0.0", 1},   {"123456789012345678901234567890.5", 1}};
    char const * const written[] = {"297.60", "-0.500", "0.00", "-5",   "5.000",
                                    "0.001",  "-0.01",  "7.25", "0.0", "123456789012345678901234567890.5"};
    for (std::size_t i = 0; i < std::size(exact); ++i)
        EXPECT_EQ(written[i], CDecimal(exact[i].first).ToString(exact[i].second)) << exact[i].first;
}

TEST_F(DecimalPlaces, NativeConversions)
{
    EXPECT_EQ(3, CDecimal("2.96").ToLongLong());
    EXPECT_EQ(-2, CDecimal("-2.94").ToLongLong());
    EXPECT_EQ(std::numeric_limits<long long>::max(), CDecimal("9223372036854775807").ToLongLong());
    ExpectThrows<CNxOverFlowException>([] { CDecimal("9223372036854775808").ToLongLong(); },
                                       "The Decimal value if to large to fit into a LONGLONG");
    EXPECT_EQ(-2147483647 - 1, CDecimal("-2147483648").ToLong());
    ExpectThrows<CNxOverFlowException>([] { CDecimal("2147483648").ToLong(); },
                                       "The Decimal value if to large to fit into a LONG");
    EXPECT_DOUBLE_EQ(1234.56, CDecimal("1234.56").ToDouble());
    ExpectThrows<CNxOverFlowException>([] { CDecimal("2E+308").ToDouble(); },
                                       "The Decimal value if to large to fit into a Double");
    EXPECT_EQ("12", CDecimal("12.5").ToBigInteger().ToString());
    EXPECT_EQ("-13", CDecimal("-12.51").ToBigInteger().ToString());
    EXPECT_EQ(CDecimal("0.1"), CDecimal(0.1));
    EXPECT_EQ("0.3333333333333", Text(CDecimal(1.0 / 3.0)));
    EXPECT_EQ("1" + std::string(20, '0'), Text(CDecimal(1e20)));
}

TEST_F(DecimalPlaces, AgreesWithScaledIntegerArithmetic)
{
    std::mt19937_64 random(17);
    for (int i = 0; i < 5000; ++i)
    {
        // Up to 18 digits, with 0 to 9 of them after the point.
        auto const draw = [&](std::size_t & scale) {
            scale = random() % 10;
            std::int64_t const magnitude = static_cast<std::int64_t>(random() % 1000000000000000000ULL) >> (random() % 60);
            return (random() % 2 != 0 ? -magnitude : magnitude);
        };
        std::size_t sa = 0;
        std::size_t sb = 0;
        std::int64_t const a = draw(sa);
        std::int64_t const b = draw(sb);
        CDecimal const x(ScaledText(Digits128(a), sa).c_str());
        CDecimal const y(ScaledText(Digits128(b), sb).c_str());
        ASSERT_EQ(ScaledText(Digits128(a), sa), Text(x));
        std::size_t const scale = std::max(sa, sb);
        __int128 const wa = static_cast<__int128>(a) * static_cast<__int128>(std::pow(10, scale - sa));
        __int128 const wb = static_cast<__int128>(b) * static_cast<__int128>(std::pow(10, scale - sb));
        ASSERT_EQ(ScaledText(Digits128(wa + wb), scale), Text(x + y));
        ASSERT_EQ(ScaledText(Digits128(wa - wb), scale), Text(x - y));
        ASSERT_EQ(ScaledText(Digits128(static_cast<__int128>(a) * b), sa + sb), Text(x * y));
        ASSERT_EQ(wa < wb, x < y);
    }
}

TEST_F(DecimalPlaces, DivisionAgreesWithLongDivision)
{
    // Reference: 32 places by integer division, rounded to 30 on the two guard digits, so that
    // an exact half (50) goes towards zero.
    std::mt19937_64 random(23);
    for (int i = 0; i < 2000; ++i)
    {
        long long const a = static_cast<long long>(random() % 1000000000000ULL) - 500000000000LL;
        long long const b = static_cast<long long>(random() % 100000ULL) - 50000;
        if (b == 0)
            continue;
        CBigInteger const places = CBigInteger(a < 0 ? -a : a) * CBigInteger::Pow10(32) / CBigInteger(b < 0 ? -b : b);
        CBigInteger rounded = places / CBigInteger(100);
        if (places % CBigInteger(100) > CBigInteger(50))
            rounded += CBigInteger(1);
        std::string const expected = ScaledText(((a < 0) != (b < 0) ? "-" : "") + rounded.ToString(), 30);
        ASSERT_EQ(expected, Text(CDecimal(a) / CDecimal(b))) << a << " / " << b;
    }
}

TEST_F(DecimalPlaces, ExactResultsAcrossScalesSignsAndCarries)
{
    // a, b, a + b, a - b, a * b, a < b
    std::tuple<char const *, char const *, char const *, char const *, char const *, bool> const cases[] = {
        {"99999999999999999.999999999", "0.000000001", "100000000000000000", "99999999999999999.999999998",
         "99999999.999999999999999999", false},
        {"-123456789.123", "987654321.98765", "864197532.86465", "-1111111111.11065", "-121932631356048848.26033095",
         true},
        {"0.5", "-0.5", "0", "1", "-0.25", false},
        {"-1000000000000000000", "-0.000000001", "-1000000000000000000.000000001", "-999999999999999999.999999999",
         "1000000000", true},
        {"-0.000000007", "-0.000000003", "-0.00000001", "-0.000000004", "0.000000000000000021", true},
        {"18446744073709551615", "-18446744073709551616.5", "-1.5", "36893488147419103231.5",
         "-340282366920938463454151235394913435647.5", false}};
    for (auto const & [a, b, sum, difference, product, less] : cases)
    {
        SCOPED_TRACE(std::string(a) + " and " + b);
        CDecimal const x(a);
        CDecimal const y(b);
        EXPECT_EQ(a, Text(x));
        EXPECT_EQ(sum, Text(x + y));
        EXPECT_EQ(difference, Text(x - y));
        EXPECT_EQ(product, Text(x * y));
        EXPECT_EQ(less, x < y);
    }
    // Quotients keep 30 places, rounded on the next two digits: an exact half goes towards zero.
    std::tuple<long long, long long, char const *> const quotients[] = {
        {1, 2147483648, "0.000000000465661287307739257812"},
        {-3, 2147483648, "-0.000000001396983861923217773437"},
        {-500000000000, 7, "-71428571428.571428571428571428571428571429"},
        {1, -49999, "-0.000020000400008000160003200064"},
        {123456789012, -3, "-41152263004"}};
    for (auto const & [a, b, quotient] : quotients)
        EXPECT_EQ(quotient, Text(CDecimal(a) / CDecimal(b))) << a << " / " << b;
}
