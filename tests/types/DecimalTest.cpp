#include "TestSupport.h"

#include "Decimal.h"

#include <random>

using namespace NxXmlLib16;
using NxXmlTest::ExpectThrows;

namespace
{

std::string Text(CDecimal const & value) { return value.ToString(); }

// Puts the process-wide maximum of fraction digits back after a test.
class DecimalPlaces : public testing::Test
{
protected:
    void TearDown() override { CDecimal::SetMaxDecimalPlaces(30); }
};

// The text of a scaled integer value / 10^scale, written as the decimal writes it.
std::string ScaledText(__int128 value, int scale)
{
    bool const negative = value < 0;
    unsigned __int128 magnitude = negative ? -static_cast<unsigned __int128>(value) : value;
    std::string digits;
    for (; magnitude != 0; magnitude /= 10)
        digits.insert(digits.begin(), static_cast<char>('0' + static_cast<int>(magnitude % 10)));
    if (digits.size() <= static_cast<std::size_t>(scale))
        digits.insert(0, static_cast<std::size_t>(scale) + 1 - digits.size(), '0');
    std::string integer = digits.substr(0, digits.size() - static_cast<std::size_t>(scale));
    std::string fraction = digits.substr(digits.size() - static_cast<std::size_t>(scale));
    while (!fraction.empty() && fraction.back() == '0')
        fraction.pop_back();
    if (integer == "0" && fraction.empty())
        return "0";
    return (negative ? "-" : "") + integer + (fraction.empty() ? "" : "." + fraction);
}

} // namespace

TEST_F(DecimalPlaces, ParsingAndWriting)
{
    CDecimal const value("  -1.50  ");
    EXPECT_EQ("-1", value.GetIntegerPart().ToString());
    EXPECT_EQ("-5", value.GetFractionPart().ToString());
    EXPECT_EQ(1, value.GetFractionDivider());
    EXPECT_EQ("-1.5", Text(value));
    std::pair<char const *, char const *> const texts[] = {
        {"3", "3"},  {"3.000", "3"},  {"-0.5", "-0.5"},   {"0.005", "0.005"},     {"-.25", "-0.25"},
        {"", "0"},   {".", "0"},      {"-0.000", "0"},    {"- 5", "-5"},          {"5-", "-5"},
        {"1234.56", "1234.56"},       {"+0012.", "12"}};
    for (auto const & [text, written] : texts)
        EXPECT_EQ(written, Text(CDecimal(text))) << text;
    // Plain text and text with blanks or an exponent give the same value and parts.
    for (char const * other : {" -012.50", "-1250e-2", "-12.5 ", "-000012.500"})
    {
        CDecimal const plain("-12.50");
        CDecimal const same(other);
        EXPECT_EQ(Text(plain), Text(same)) << other;
        EXPECT_EQ(plain.GetIntegerPart().ToString(), same.GetIntegerPart().ToString()) << other;
        EXPECT_EQ(plain.GetFractionPart().ToString(), same.GetFractionPart().ToString()) << other;
        EXPECT_EQ(plain.GetFractionDivider(), same.GetFractionDivider()) << other;
    }
    EXPECT_EQ(3, CDecimal("-120.0500").GetIntegerDigitCount());
    EXPECT_EQ(2, CDecimal("-120.0500").GetFractionDigitCount());
    EXPECT_EQ(0, CDecimal("-0.0").GetIntegerDigitCount());
}

TEST_F(DecimalPlaces, Exponents)
{
    std::pair<char const *, char const *> const texts[] = {
        {"1e3", "1000"}, {"1.5E-2", "0.015"}, {"1.5E+2", "150"}, {"1.25e1", "12.5"}};
    for (auto const & [text, written] : texts)
        EXPECT_EQ(written, Text(CDecimal(text))) << text;
    EXPECT_EQ("17" + std::string(307, '0'), Text(CDecimal("1.7E+308")));
    EXPECT_EQ("0", Text(CDecimal("1e-40"))); // below the kept places
    EXPECT_EQ("0." + std::string(29, '0') + "1", Text(CDecimal("1e-30")));
}

TEST_F(DecimalPlaces, InvalidCharacters)
{
    std::pair<char const *, char const *> const cases[] = {
        {"1.2.3", "The string representing a Decimal, contained an invalid char at position 3 [1.2.3]."},
        {"12a", "The string representing a Decimal, contained an invalid char at position 2 [12a]."},
        {"1e5x", "The string representing a Decimal, contained an invalid char at position 3 [1e5x]."},
        {"1e9999999", "The string representing a Decimal, contained an invalid char at position 7 [1e9999999]."}};
    for (auto const & [text, message] : cases)
        ExpectThrows<CNxInvalidValueException>([text = text] { CDecimal{text}; }, message);
}

TEST_F(DecimalPlaces, DivisionKeepsThirtyPlaces)
{
    EXPECT_EQ("0." + std::string(30, '3'), Text(CDecimal(1) / CDecimal(3)));
    EXPECT_EQ("0." + std::string(29, '6') + "7", Text(CDecimal(2) / CDecimal(3)));
    EXPECT_EQ("-0.5", Text(CDecimal(-1) / CDecimal(2)));
    EXPECT_EQ("2.5", Text(CDecimal("0.5") / CDecimal("0.2")));
    ExpectThrows<CNxInvalidValueException>([] { CDecimal(1) / CDecimal(0); }, "ERROR: Overflow in operator/.");
}

TEST_F(DecimalPlaces, SumsAreExact)
{
    EXPECT_EQ("0.3", Text(CDecimal("0.1") + CDecimal("0.2")));
    EXPECT_EQ("-0.75", Text(CDecimal("1.5") + CDecimal("-2.25")));
    EXPECT_EQ("0", Text(CDecimal("1.5") - CDecimal("1.50")));
    EXPECT_EQ("-1", Text(CDecimal("0.25") - CDecimal("1.25")));
    CDecimal counter("1.5");
    EXPECT_EQ("1.5", Text(counter++));
    EXPECT_EQ("3.5", Text(++counter));
    EXPECT_EQ("2.5", Text(--counter));
    EXPECT_EQ("0.0625", Text(CDecimal("0.25") * CDecimal("0.25")));
}

TEST_F(DecimalPlaces, MaximumOfFractionDigits)
{
    CDecimal::SetMaxDecimalPlaces(2);
    EXPECT_EQ(2, CDecimal::GetMaxDecimalPlaces());
    EXPECT_EQ("1", Text(CDecimal("1.005")));
    EXPECT_EQ("1.01", Text(CDecimal("1.006")));
    EXPECT_EQ("-1", Text(CDecimal("-1.005")));
    EXPECT_EQ("0.99", Text(CDecimal("0.995"))); // an exact half goes towards zero
    EXPECT_EQ("1", Text(CDecimal("0.99") + CDecimal("0.01")));
    EXPECT_EQ("0.33", Text(CDecimal(1) / CDecimal(3)));
    EXPECT_EQ("1", Text(CDecimal("0.999"))); // the carry fills the fraction and moves on
    EXPECT_EQ("-1", Text(CDecimal("-0.996")));
}

TEST_F(DecimalPlaces, ToStringWithPlaces)
{
    EXPECT_EQ("1.01", CDecimal("1.005").ToString(2));
    EXPECT_EQ("-1.01", CDecimal("-1.005").ToString(2));
    EXPECT_EQ("2.00", CDecimal(2).ToString(2));
    EXPECT_EQ("3", CDecimal("2.5").ToString(0));
    EXPECT_EQ("1.2000", CDecimal("1.2").ToString(4));
    EXPECT_EQ("0.00", CDecimal("-0.001").ToString(2));
    EXPECT_EQ("10.0", CDecimal("9.96").ToString(1));
}

TEST_F(DecimalPlaces, NativeConversions)
{
    EXPECT_EQ(3, CDecimal("2.96").ToLongLong());
    EXPECT_EQ(2, CDecimal("2.94").ToLongLong());
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
}

TEST_F(DecimalPlaces, FromDouble)
{
    EXPECT_EQ(CDecimal("0.1"), CDecimal(0.1));
    EXPECT_EQ("-2.5", Text(CDecimal(-2.5)));
    EXPECT_EQ("0.3333333333333", Text(CDecimal(1.0 / 3.0)));
    EXPECT_EQ("1" + std::string(20, '0'), Text(CDecimal(1e20)));
}

TEST_F(DecimalPlaces, Comparisons)
{
    EXPECT_TRUE(CDecimal("1.50") == CDecimal("1.5"));
    EXPECT_TRUE(CDecimal("-0.5") < CDecimal("0"));
    EXPECT_TRUE(CDecimal("-1.5") < CDecimal("-1.25"));
    EXPECT_TRUE(CDecimal("0.1") > CDecimal("0.09"));
    EXPECT_TRUE(CDecimal("-0") == CDecimal("0"));
}

TEST_F(DecimalPlaces, AgreesWithScaledIntegerArithmetic)
{
    std::mt19937_64 random(17);
    for (int i = 0; i < 5000; ++i)
    {
        // Up to 18 digits, with 0 to 9 of them after the point.
        auto const draw = [&](int & scale) {
            scale = static_cast<int>(random() % 10);
            std::int64_t const magnitude = static_cast<std::int64_t>(random() % 1000000000000000000ULL) >> (random() % 60);
            return (random() % 2 != 0 ? -magnitude : magnitude);
        };
        int sa = 0;
        int sb = 0;
        std::int64_t const a = draw(sa);
        std::int64_t const b = draw(sb);
        CDecimal const x(ScaledText(a, sa).c_str());
        CDecimal const y(ScaledText(b, sb).c_str());
        ASSERT_EQ(ScaledText(a, sa), Text(x));
        int const scale = sa > sb ? sa : sb;
        __int128 const wa = static_cast<__int128>(a) * static_cast<__int128>(std::pow(10, scale - sa));
        __int128 const wb = static_cast<__int128>(b) * static_cast<__int128>(std::pow(10, scale - sb));
        ASSERT_EQ(ScaledText(wa + wb, scale), Text(x + y));
        ASSERT_EQ(ScaledText(wa - wb, scale), Text(x - y));
        ASSERT_EQ(ScaledText(static_cast<__int128>(a) * b, sa + sb), Text(x * y));
        ASSERT_EQ(wa < wb, x < y);
    }
}

TEST_F(DecimalPlaces, DivisionAgreesWithLongDivision)
{
    std::mt19937_64 random(23);
    for (int i = 0; i < 2000; ++i)
    {
        std::int64_t const a = static_cast<std::int64_t>(random() % 1000000000000ULL) - 500000000000LL;
        std::int64_t b = static_cast<std::int64_t>(random() % 100000ULL) - 50000;
        if (b == 0)
            b = 7;
        // Reference: |a| / |b| by long division to 32 places, then rounded to 30 with an exact
        // half going towards zero.
        std::uint64_t remainder = static_cast<std::uint64_t>(a < 0 ? -a : a);
        std::uint64_t const divisor = static_cast<std::uint64_t>(b < 0 ? -b : b);
        std::string digits = std::to_string(remainder / divisor);
        std::size_t const integerDigits = digits.size();
        remainder %= divisor;
        for (int place = 0; place < 32; ++place)
        {
            remainder *= 10;
            digits += static_cast<char>('0' + remainder / divisor);
            remainder %= divisor;
        }
        std::string const guards = digits.substr(digits.size() - 2);
        digits.resize(digits.size() - 2);
        if (guards > "50")
        {
            for (std::size_t k = digits.size(); k-- > 0;)
            {
                if (digits[k] != '9')
                {
                    ++digits[k];
                    break;
                }
                digits[k] = '0';
                if (k == 0)
                    digits.insert(digits.begin(), '1');
            }
        }
        std::size_t const pointAt = digits.size() - 30;
        (void)integerDigits;
        std::string integer = digits.substr(0, pointAt);
        integer.erase(0, std::min(integer.find_first_not_of('0'), integer.size() - 1));
        std::string fraction = digits.substr(pointAt);
        while (!fraction.empty() && fraction.back() == '0')
            fraction.pop_back();
        std::string expected = integer + (fraction.empty() ? "" : "." + fraction);
        if (expected != "0" && (a < 0) != (b < 0))
            expected = "-" + expected;
        ASSERT_EQ(expected, Text(CDecimal(static_cast<long long>(a)) / CDecimal(static_cast<long long>(b))))
            << a << " / " << b;
    }
}

TEST_F(DecimalPlaces, TenThousandDigitValues)
{
    std::string digits(10000, '7');
    std::string const text = digits + "." + std::string(25, '3');
    CDecimal const big(text.c_str());
    EXPECT_EQ(text, Text(big));
    CDecimal const third = big / CDecimal(3);
    EXPECT_EQ("25925925925925925925", Text(third).substr(0, 20));
    EXPECT_EQ(10000u, Text(third).find('.'));
}
