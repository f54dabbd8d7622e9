#include "BigInteger.h"

#include "Decimal.h"
#include "NxException.h"
#include "frame/Messages.h"
#include "types/Digits.h"

#include <cmath>
#include <cstring>
#include <limits>

namespace NxXmlLib16
{

using namespace Digits;

CBigInteger const CBigInteger::MAX_LONG(CDecimal("2147483647"));
CBigInteger const CBigInteger::MIN_LONG(CDecimal("-2147483648"));
CBigInteger const CBigInteger::MAX_LONGLONG(CDecimal("9223372036854775807"));
CBigInteger const CBigInteger::MIN_LONGLONG(CDecimal("-9223372036854775808"));
CBigInteger const CBigInteger::MAX_DOUBLE(CDecimal("1.7E+308"));
CBigInteger const CBigInteger::MIN_DOUBLE(CDecimal("-1.7E+308"));

namespace
{

std::uint64_t Magnitude(long long value)
{
    // Unsigned negation handles the most negative value.
    return value < 0 ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
}

} // namespace

CBigInteger::CBigInteger() : m_sign(1), m_digits(1, 0) {}

CBigInteger::CBigInteger(int value) : CBigInteger(static_cast<long long>(value)) {}

CBigInteger::CBigInteger(unsigned int value) : CBigInteger(static_cast<unsigned long long>(value)) {}

CBigInteger::CBigInteger(long value) : CBigInteger(static_cast<long long>(value)) {}

CBigInteger::CBigInteger(unsigned long value) : CBigInteger(static_cast<unsigned long long>(value)) {}

CBigInteger::CBigInteger(long long value) : m_sign(value < 0 ? -1 : 1), m_digits(FromUnsigned(Magnitude(value))) {}

CBigInteger::CBigInteger(unsigned long long value) : m_sign(1), m_digits(FromUnsigned(value)) {}

CBigInteger::CBigInteger(double value) : m_sign(value < 0 ? -1 : 1)
{
    if (!std::isfinite(value))
        throw CNxInvalidValueException(Msg::BigIntegerOutOfDouble);
    double const rounded = std::round(std::fabs(value));
    if (rounded < 18446744073709551616.0)
    {
        m_digits = FromUnsigned(static_cast<std::uint64_t>(rounded));
    }
    else
    {
        // An integral double above 2^64: its 53-bit mantissa times a power of two, exactly.
        int exponent = 0;
        double const mantissa = std::frexp(rounded, &exponent);
        m_digits = FromUnsigned(static_cast<std::uint64_t>(std::ldexp(mantissa, 53)));
        for (int i = 53; i < exponent; ++i)
            m_digits = Add(m_digits, m_digits);
    }
    if (IsZero())
        m_sign = 1;
}

CBigInteger::CBigInteger(CDecimal const & value) { *this = value.ToBigInteger(); }

CBigInteger::CBigInteger(char const * text) : CBigInteger() { Parse(text); }

CBigInteger::CBigInteger(int sign, std::vector<char> const & digits)
    : m_sign(sign), m_digits(digits.begin(), digits.end())
{
}

void CBigInteger::Parse(char const * text)
{
    std::size_t length = text != nullptr ? std::strlen(text) : 0;
    std::size_t start = 0;
    while (start < length && text[start] == ' ')
        ++start;
    while (length > start && text[length - 1] == ' ')
        --length;
    int sign = 1;
    std::size_t first = start;
    if (first < length && (text[first] == '-' || text[first] == '+'))
        sign = text[first++] == '-' ? -1 : 1;
    bool plain = first < length || first == start;
    for (std::size_t i = first; i < length && plain; ++i)
        plain = text[i] >= '0' && text[i] <= '9';
    if (!plain)
    {
        // Anything but blanks, one sign and digits: read as a decimal and rounded.
        *this = CDecimal(text).ToBigInteger();
        return;
    }
    m_sign = sign;
    m_digits.clear();
    for (std::size_t i = length; i-- > first;)
        m_digits.push_back(static_cast<char>(text[i] - '0'));
    if (m_digits.empty())
    {
        m_sign = 1;
        m_digits.push_back(0);
    }
    Clean(m_digits);
}

std::string CBigInteger::ToString() const
{
    if (IsZero())
        return "0";
    std::string text;
    text.reserve(m_digits.size() + 1);
    if (m_sign < 0)
        text += '-';
    for (std::size_t i = m_digits.size(); i-- > 0;)
        text += static_cast<char>('0' + m_digits[i]);
    return text;
}

CBigInteger CBigInteger::GetAbs() const { return CBigInteger(1, m_digits); }

void CBigInteger::Abs() { m_sign = 1; }

CBigInteger CBigInteger::GetNegative() const { return CBigInteger(-m_sign, m_digits); }

void CBigInteger::Negate() { m_sign = -m_sign; }

CBigInteger & CBigInteger::operator-()
{
    Negate();
    return *this;
}

bool CBigInteger::operator==(CBigInteger const & other) const
{
    return m_digits == other.m_digits && (m_sign == other.m_sign || IsZero());
}

bool CBigInteger::operator<(CBigInteger const & other) const
{
    // Either zero counts as not negative.
    bool const negative = m_sign < 0 && !IsZero();
    bool const otherNegative = other.m_sign < 0 && !other.IsZero();
    if (negative != otherNegative)
        return negative;
    int const order = Compare(m_digits, other.m_digits);
    return negative ? order > 0 : order < 0;
}

CBigInteger CBigInteger::operator+(CBigInteger const & other) const
{
    if (m_sign == other.m_sign)
        return CBigInteger(m_sign, Add(m_digits, other.m_digits));
    int const order = Compare(m_digits, other.m_digits);
    if (order == 0)
        return CBigInteger();
    return order > 0 ? CBigInteger(m_sign, Subtract(m_digits, other.m_digits))
                     : CBigInteger(other.m_sign, Subtract(other.m_digits, m_digits));
}

CBigInteger CBigInteger::operator-(CBigInteger const & other) const { return *this + other.GetNegative(); }

CBigInteger CBigInteger::operator*(CBigInteger const & other) const
{
    CDigits product = Multiply(m_digits, other.m_digits);
    int const sign = Digits::IsZero(product) || m_sign == other.m_sign ? 1 : -1;
    return CBigInteger(sign, std::move(product));
}

CBigInteger CBigInteger::operator/(CBigInteger const & other) const
{
    CBigInteger result(*this);
    result.DivideBy(other, Msg::OverflowInDivide, false);
    return result;
}

CBigInteger CBigInteger::operator%(CBigInteger const & other) const
{
    CBigInteger result(*this);
    result.DivideBy(other, Msg::OverflowInModulo, true);
    return result;
}

CBigInteger & CBigInteger::operator+=(CBigInteger const & other) { return *this = *this + other; }

CBigInteger & CBigInteger::operator-=(CBigInteger const & other) { return *this = *this - other; }

CBigInteger & CBigInteger::operator*=(CBigInteger const & other) { return *this = *this * other; }

CBigInteger & CBigInteger::operator/=(CBigInteger const & other)
{
    DivideBy(other, Msg::OverflowInDivideAssign, false);
    return *this;
}

CBigInteger & CBigInteger::operator%=(CBigInteger const & other)
{
    DivideBy(other, Msg::OverflowInModuloAssign, true);
    return *this;
}

void CBigInteger::DivideBy(CBigInteger const & divisor, char const * message, bool keepRemainder)
{
    if (divisor.IsZero())
        throw CNxInvalidValueException(message);
    if (IsZero())
    {
        *this = CBigInteger();
        return;
    }
    CDigits quotient;
    CDigits remainder;
    Divide(m_digits, divisor.m_digits, quotient, remainder);
    if (keepRemainder)
    {
        // The remainder takes the sign of the dividend.
        m_digits = std::move(remainder);
    }
    else
    {
        m_digits = std::move(quotient);
        m_sign = m_sign == divisor.m_sign ? 1 : -1;
    }
    if (IsZero())
        m_sign = 1;
}

CBigInteger::operator int() const
{
    if (*this < MIN_LONG || *this > MAX_LONG)
        throw CNxInvalidValueException(Msg::BigIntegerOutOfInt);
    std::int64_t value = 0;
    for (std::size_t i = m_digits.size(); i-- > 0;)
        value = value * 10 + m_digits[i];
    return static_cast<int>(m_sign < 0 ? -value : value);
}

CBigInteger::operator long long() const
{
    if (*this < MIN_LONGLONG || *this > MAX_LONGLONG)
        throw CNxInvalidValueException(Msg::BigIntegerOutOfLongLong);
    // Accumulated towards the sign, so that the most negative value converts exactly.
    std::int64_t value = 0;
    for (std::size_t i = m_digits.size(); i-- > 0;)
        value = m_sign < 0 ? value * 10 - m_digits[i] : value * 10 + m_digits[i];
    return value;
}

CBigInteger CBigInteger::SquareRoot() const
{
    if (m_sign < 0 && !IsZero())
        throw CNxInvalidValueException(Msg::SquareRootOfNegative);
    if (IsZero())
        return CBigInteger();
    // Newton's iteration from above: 10^ceil(digits / 2) is at least the root, and the
    // estimates fall until they stop falling; the last one is the floor of the root.
    CBigInteger const value = GetAbs();
    CBigInteger estimate = Pow10(static_cast<unsigned int>((m_digits.size() + 1) / 2));
    for (;;)
    {
        CBigInteger next = (estimate + value / estimate) / CBigInteger(2);
        if (!(next < estimate))
            return estimate;
        estimate = std::move(next);
    }
}

CBigInteger CBigInteger::Pow10(unsigned int n) { return CBigInteger(1, Digits::Pow10(n)); }

} // namespace NxXmlLib16
