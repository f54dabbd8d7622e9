#include "TestSupport.h"

#include "BigInteger.h"
#include "Decimal.h"

#include <random>

using namespace NxXmlLib16;
using NxXmlTest::ExpectThrows;

namespace
{

std::string Text(CBigInteger const & value) { return value.ToString(); }

// The text of a 128-bit integer.
std::string Text128(__int128 value)
{
    if (value == 0)
        return "0";
    bool const negative = value < 0;
    unsigned __int128 magnitude = negative ? -static_cast<unsigned __int128>(value) : value;
    std::string digits;
    for (; magnitude != 0; magnitude /= 10)
        digits.insert(digits.begin(), static_cast<char>('0' + static_cast<int>(magnitude % 10)));
    return (negative ? "-" : "") + digits;
}

} // namespace

TEST(BigInteger, ParsingPlainIntegers)
{
    EXPECT_EQ("0", Text(CBigInteger("")));
    EXPECT_EQ("0", Text(CBigInteger("   ")));
    EXPECT_EQ("0", Text(CBigInteger("0")));
    EXPECT_EQ("0", Text(CBigInteger("-0")));
    EXPECT_EQ(CBigInteger(), CBigInteger("-0"));
    EXPECT_EQ("123", Text(CBigInteger("000123")));
    EXPECT_EQ("-42", Text(CBigInteger("-42")));
    EXPECT_EQ("42", Text(CBigInteger("+42")));
    EXPECT_EQ("42", Text(CBigInteger("  42  ")));
    EXPECT_EQ("123456789012345678901234567890", Text(CBigInteger("123456789012345678901234567890")));
}

TEST(BigInteger, ParsingDecimalTextsRounds)
{
    EXPECT_EQ("13", Text(CBigInteger("12.7")));
    EXPECT_EQ("-13", Text(CBigInteger("-12.7")));
    EXPECT_EQ("12", Text(CBigInteger("12.5")));
    EXPECT_EQ("-12", Text(CBigInteger("-12.5")));
    EXPECT_EQ("1000", Text(CBigInteger("1E3")));
    // Stray signs and blanks inside are read as the decimal reading reads them.
    EXPECT_EQ("-123", Text(CBigInteger("12-3")));
    EXPECT_EQ("12", Text(CBigInteger("1 2")));
    EXPECT_EQ("12", Text(CBigInteger("12\n")));
    EXPECT_EQ("0", Text(CBigInteger("-")));
    ExpectThrows<CNxInvalidValueException>(
        [] { CBigInteger("12x"); },
        "The string representing a Decimal, contained an invalid char at position 2 [12x].");
}

TEST(BigInteger, NativeConstruction)
{
    EXPECT_EQ("-2147483648", Text(CBigInteger(std::int32_t(-2147483647 - 1))));
    EXPECT_EQ("-9223372036854775808", Text(CBigInteger(std::numeric_limits<long long>::min())));
    EXPECT_EQ("18446744073709551615", Text(CBigInteger(std::numeric_limits<unsigned long long>::max())));
    EXPECT_EQ("4294967295", Text(CBigInteger(4294967295u)));
    EXPECT_EQ("3", Text(CBigInteger(2.5)));
    EXPECT_EQ("-3", Text(CBigInteger(-2.5)));
    EXPECT_EQ("0", Text(CBigInteger(0.4)));
    EXPECT_EQ("0", Text(CBigInteger(-0.4)));
    EXPECT_EQ("1267650600228229401496703205376", Text(CBigInteger(1267650600228229401496703205376.0))); // 2^100
    ExpectThrows<CNxInvalidValueException>([] { static_cast<void>(CBigInteger(std::numeric_limits<double>::infinity())); },
                                           "ERROR: Value out of bound of double.");
}

TEST(BigInteger, Constants)
{
    EXPECT_EQ("2147483647", Text(CBigInteger::MAX_LONG));
    EXPECT_EQ("-2147483648", Text(CBigInteger::MIN_LONG));
    EXPECT_EQ("9223372036854775807", Text(CBigInteger::MAX_LONGLONG));
    EXPECT_EQ("-9223372036854775808", Text(CBigInteger::MIN_LONGLONG));
    EXPECT_EQ("17" + std::string(307, '0'), Text(CBigInteger::MAX_DOUBLE));
    EXPECT_EQ("-17" + std::string(307, '0'), Text(CBigInteger::MIN_DOUBLE));
}

TEST(BigInteger, DivisionTruncatesAndRemainderFollowsTheDividend)
{
    EXPECT_EQ("-3", Text(CBigInteger(-7) / CBigInteger(2)));
    EXPECT_EQ("-1", Text(CBigInteger(-7) % CBigInteger(2)));
    EXPECT_EQ("1", Text(CBigInteger(7) % CBigInteger(-2)));
    EXPECT_EQ("0", Text(CBigInteger(0) / CBigInteger(5)));
    EXPECT_EQ("0", Text(CBigInteger(-4) % CBigInteger(2)));
    ExpectThrows<CNxInvalidValueException>([] { CBigInteger(5) / CBigInteger(0); }, "ERROR: Overflow in operator/.");
    ExpectThrows<CNxInvalidValueException>([] { CBigInteger(5) % CBigInteger(0); }, "ERROR: Overflow in operator%.");
    CBigInteger value(5);
    ExpectThrows<CNxInvalidValueException>([&] { value /= CBigInteger(0); }, "ERROR: Overflow in operator /=.");
    ExpectThrows<CNxInvalidValueException>([&] { value %= CBigInteger(0); }, "ERROR: Overflow in operator%=.");
    EXPECT_EQ("5", Text(value)); // a failing compound assignment changes nothing
}

TEST(BigInteger, SignsOfSumsAndComparisons)
{
    CBigInteger const zero = CBigInteger(5) + CBigInteger(-5);
    EXPECT_EQ("0", Text(zero));
    EXPECT_FALSE(zero.IsNegative());
    EXPECT_TRUE(CBigInteger(-1) < CBigInteger(0));
    EXPECT_TRUE(CBigInteger(-5) < CBigInteger(-3));
    EXPECT_FALSE(CBigInteger(3) < CBigInteger(-5));
    EXPECT_FALSE(CBigInteger("-0") < CBigInteger(0));
    EXPECT_TRUE(CBigInteger(2) >= CBigInteger(2));
}

TEST(BigInteger, UnaryMinusChangesItsOperand)
{
    CBigInteger value(4);
    CBigInteger const negated = -value;
    EXPECT_EQ("-4", Text(value));
    EXPECT_EQ("-4", Text(negated));
    EXPECT_EQ("4", Text(value.GetNegative()));
    EXPECT_EQ("4", Text(value.GetAbs()));
    value.Abs();
    EXPECT_EQ("4", Text(value));
}

TEST(BigInteger, NativeConversionsAreRangeChecked)
{
    EXPECT_EQ(-2147483647 - 1, static_cast<int>(CBigInteger("-2147483648")));
    EXPECT_EQ(2147483647, static_cast<int>(CBigInteger("2147483647")));
    ExpectThrows<CNxInvalidValueException>([] { static_cast<void>(static_cast<int>(CBigInteger("2147483648"))); },
                                           "ERROR: Value out of bound of int.");
    ExpectThrows<CNxInvalidValueException>([] { static_cast<void>(static_cast<int>(CBigInteger("-2147483649"))); },
                                           "ERROR: Value out of bound of int.");
    EXPECT_EQ(std::numeric_limits<long long>::min(), static_cast<long long>(CBigInteger("-9223372036854775808")));
    ExpectThrows<CNxInvalidValueException>([] { static_cast<void>(static_cast<long long>(CBigInteger("9223372036854775808"))); },
                                           "ERROR: Value out of bound of LONGLONG.");
}

TEST(BigInteger, SquareRootAndPowers)
{
    EXPECT_EQ("9", Text(CBigInteger(99).SquareRoot()));
    EXPECT_EQ("10", Text(CBigInteger(100).SquareRoot()));
    EXPECT_EQ("0", Text(CBigInteger(0).SquareRoot()));
    EXPECT_EQ("1", Text(CBigInteger(3).SquareRoot()));
    ExpectThrows<CNxInvalidValueException>([] { CBigInteger(-1).SquareRoot(); },
                                           "ERROR: Negative Number in function SquareRoot().");
    EXPECT_EQ("1" + std::string(40, '0'), Text(CBigInteger::Pow10(40)));
    EXPECT_EQ("1" + std::string(20, '0'), Text(CBigInteger::Pow10(40).SquareRoot()));
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
        ASSERT_EQ(Text128(wa + wb), Text(x + y)) << a << " + " << b;
        ASSERT_EQ(Text128(wa - wb), Text(x - y)) << a << " - " << b;
        ASSERT_EQ(Text128(wa * wb), Text(x * y)) << a << " * " << b;
        if (b != 0)
        {
            ASSERT_EQ(Text128(wa / wb), Text(x / y)) << a << " / " << b;
            ASSERT_EQ(Text128(wa % wb), Text(x % y)) << a << " % " << b;
        }
        ASSERT_EQ(wa < wb, x < y);
        ASSERT_EQ(wa == wb, x == y);
        ASSERT_EQ(wa >= wb, x >= y);
        ASSERT_EQ(Text128(wa), Text(CBigInteger(Text128(wa).c_str())));
    }
}

TEST(BigInteger, TenThousandDigitValues)
{
    std::mt19937 random(9);
    std::string digits(10000, '0');
    for (char & c : digits)
        c = static_cast<char>('0' + random() % 10);
    digits[0] = '7';
    CBigInteger const big(digits.c_str());
    EXPECT_EQ(digits, Text(big));
    CBigInteger const divisor(digits.substr(0, 5000).c_str());
    CBigInteger const quotient = big / divisor;
    CBigInteger const remainder = big % divisor;
    EXPECT_EQ(big, quotient * divisor + remainder);
    EXPECT_TRUE(remainder < divisor);
    EXPECT_EQ(digits, Text(CBigInteger((digits + ".4").c_str())));
}
