#include "TypesTestSupport.h"

#include "BigInteger.h"
#include "Decimal.h"

#include <random>

using namespace NxXmlLib16;
using NxXmlTest::Digits128;
using NxXmlTest::ExpectInvalid;

namespace
{
std::string Text(CBigInteger const & value) { return value.ToString(); }
} // namespace

TEST(BigInteger, TextsNativesAndConstants)
{
    std::pair<CBigInteger, std::string> const cases[] = {
        {CBigInteger(""), "0"},
        {CBigInteger("-0"), "0"},
        {CBigInteger("  +000123 "), "123"},
        {CBigInteger("123456789012345678901234567890"), "123456789012345678901234567890"},
        // Decimal texts round to the nearest integer, an exact half towards zero.
        {CBigInteger("12.7"), "13"},
        {CBigInteger("-12.7"), "-13"},
        {CBigInteger("12.5"), "12"},
        {CBigInteger("-12.5"), "-12"},
        {CBigInteger("1E3"), "1000"},
        // Stray signs and blanks inside are read as the decimal reading reads them.
        {CBigInteger("12-3"), "-123"},
        {CBigInteger("1 2"), "12"},
        {CBigInteger("-"), "0"},
        {CBigInteger(std::numeric_limits<long long>::min()), "-9223372036854775808"},
        {CBigInteger(std::numeric_limits<unsigned long long>::max()), "18446744073709551615"},
        {CBigInteger(4294967295u), "4294967295"},
        // Doubles round an exact half away from zero.
        {CBigInteger(2.5), "3"},
        {CBigInteger(-2.5), "-3"},
        {CBigInteger(-0.4), "0"},
        {CBigInteger(1267650600228229401496703205376.0), "1267650600228229401496703205376"}, // 2^100
        {CBigInteger::MAX_LONG, "2147483647"},
        {CBigInteger::MIN_LONG, "-2147483648"},
        {CBigInteger::MAX_LONGLONG, "9223372036854775807"},
        {CBigInteger::MIN_LONGLONG, "-9223372036854775808"},
        {CBigInteger::MAX_DOUBLE, "17" + std::string(307, '0')},
        {CBigInteger::MIN_DOUBLE, "-17" + std::string(307, '0')}};
    for (auto const & [value, text] : cases)
        EXPECT_EQ(text, Text(value));
    EXPECT_EQ(CBigInteger(), CBigInteger("-0"));
    ExpectInvalid([] { CBigInteger("12x"); },
                  "The string representing a Decimal, contained an invalid char at position 2 [12x].");
    ExpectInvalid([] { static_cast<void>(CBigInteger(std::numeric_limits<double>::infinity())); },
                  "ERROR: Value out of bound of double.");
}

TEST(BigInteger, DivisionTruncatesAndRemainderFollowsTheDividend)
{
    EXPECT_EQ("-3", Text(CBigInteger(-7) / CBigInteger(2)));
    EXPECT_EQ("-1", Text(CBigInteger(-7) % CBigInteger(2)));
    EXPECT_EQ("1", Text(CBigInteger(7) % CBigInteger(-2)));
    EXPECT_EQ("0", Text(CBigInteger(-4) % CBigInteger(2)));
    ExpectInvalid([] { CBigInteger(5) / CBigInteger(0); }, "ERROR: Overflow in operator/.");
    ExpectInvalid([] { CBigInteger(5) % CBigInteger(0); }, "ERROR: Overflow in operator%.");
    CBigInteger value(5);
    ExpectInvalid([&] { value /= CBigInteger(0); }, "ERROR: Overflow in operator /=.");
    ExpectInvalid([&] { value %= CBigInteger(0); }, "ERROR: Overflow in operator%=.");
    EXPECT_EQ("5", Text(value)); // a failing compound assignment changes nothing
}

TEST(BigInteger, SignsOfZeroAndUnaryMinusChangingItsOperand)
{
    EXPECT_FALSE((CBigInteger(5) + CBigInteger(-5)).IsNegative());
    EXPECT_FALSE(CBigInteger("-0") < CBigInteger(0));
    CBigInteger value(4);
    CBigInteger const negated = -value;
    EXPECT_EQ("-4", Text(value));
    EXPECT_EQ("-4", Text(negated));
    EXPECT_EQ("4", Text(value.GetAbs()));
}

TEST(BigInteger, NativeConversionsAreRangeChecked)
{
    EXPECT_EQ(-2147483647 - 1, static_cast<int>(CBigInteger("-2147483648")));
    EXPECT_EQ(2147483647, static_cast<int>(CBigInteger("2147483647")));
    for (char const * text : {"2147483648", "-2147483649"})
        ExpectInvalid([text] { static_cast<void>(static_cast<int>(CBigInteger(text))); },
                      "ERROR: Value out of bound of int.");
    EXPECT_EQ(std::numeric_limits<long long>::min(), static_cast<long long>(CBigInteger("-9223372036854775808")));
    ExpectInvalid([] { static_cast<void>(static_cast<long long>(CBigInteger("9223372036854775808"))); },
                  "ERROR: Value out of bound of LONGLONG.");
}

TEST(BigInteger, SquareRootAndPowers)
{
    EXPECT_EQ("0", Text(CBigInteger(0).SquareRoot()));
    EXPECT_EQ("1" + std::string(20, '0'), Text(CBigInteger::Pow10(40).SquareRoot()));
    ExpectInvalid([] { CBigInteger(-1).SquareRoot(); }, "ERROR: Negative Number in function SquareRoot().");
    std::mt19937_64 random(11);
    for (int i = 0; i < 300; ++i)
    {
        CBigInteger const n(random() >> (random() % 64));
        CBigInteger const root = n.SquareRoot();
        CBigInteger const next = root + CBigInteger(1);
        EXPECT_TRUE(root * root <= n && next * next > n) << Text(n);
    }
}

TEST(BigInteger, AgreesWithNative128BitArithmetic)
{
    std::mt19937_64 random(5);
    for (int i = 0; i < 20000; ++i)
    {
        // Values of every size, both signs, zero included.
        auto const draw = [&] {
            std::int64_t const value = static_cast<std::int64_t>(random()) >> (random() % 64);
            return random() % 50 == 0 ? 0 : value;
        };
        std::int64_t const a = draw();
        std::int64_t const b = draw();
        CBigInteger const x(static_cast<long long>(a));
        CBigInteger const y(static_cast<long long>(b));
        __int128 const wa = a;
        __int128 const wb = b;
        ASSERT_EQ(Digits128(wa + wb), Text(x + y)) << a << " + " << b;
        ASSERT_EQ(Digits128(wa - wb), Text(x - y)) << a << " - " << b;
        ASSERT_EQ(Digits128(wa * wb), Text(x * y)) << a << " * " << b;
        if (b != 0)
        {
            ASSERT_EQ(Digits128(wa / wb), Text(x / y)) << a << " / " << b;
            ASSERT_EQ(Digits128(wa % wb), Text(x % y)) << a << " % " << b;
        }
        ASSERT_EQ(wa < wb, x < y);
        ASSERT_EQ(wa == wb, x == y);
        ASSERT_EQ(Digits128(wa), Text(CBigInteger(Digits128(wa).c_str())));
    }
}

TEST(BigInteger, TenThousandDigitValues)
{
    std::mt19937 random(9);
    std::string digits(10000, '7');
    for (char & c : digits)
        c = static_cast<char>('1' + random() % 9);
    CBigInteger const big(digits.c_str());
    EXPECT_EQ(digits, Text(big));
    CBigInteger const divisor(digits.substr(0, 5000).c_str());
    CBigInteger const remainder = big % divisor;
    EXPECT_EQ(big, big / divisor * divisor + remainder);
    EXPECT_TRUE(remainder < divisor);
    EXPECT_EQ(digits, Text(CBigInteger((digits + ".4").c_str())));
}
