// CBigInteger: a signed integer of unbounded size, the native type of xs:integer.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace NxXmlLib16
{

class CDecimal;

// A signed integer of any size, held as decimal digits (one per byte, least significant
// first), so that text conversions are a walk over the digits.
class CBigInteger
{
public:
    static CBigInteger const MAX_LONG;     // 2147483647
    static CBigInteger const MIN_LONG;     // -2147483648
    static CBigInteger const MAX_LONGLONG; // 9223372036854775807
    static CBigInteger const MIN_LONGLONG; // -9223372036854775808
    static CBigInteger const MAX_DOUBLE;   // 1.7E+308
    static CBigInteger const MIN_DOUBLE;   // -1.7E+308

    CBigInteger();
    CBigInteger(int value);
    CBigInteger(unsigned int value);
    CBigInteger(long value);
    CBigInteger(unsigned long value);
    CBigInteger(long long value);
    CBigInteger(unsigned long long value);
    // The value rounded to the nearest integer, halves away from zero; throws for NaN and infinity.
    CBigInteger(double value);
    // The decimal rounded to the nearest integer, halves towards zero.
    CBigInteger(CDecimal const & value);
    // Parse of the text.
    CBigInteger(char const * text);
    CBigInteger(CBigInteger const &) = default;
    CBigInteger(CBigInteger &&) noexcept = default;
    CBigInteger & operator=(CBigInteger const &) = default;
    CBigInteger & operator=(CBigInteger &&) noexcept = default;
    virtual ~CBigInteger() = default;

    // Reads an integer: blanks and a sign around the digits; any other text is read as a
    // decimal (fraction, exponent) and rounded to the nearest integer, halves towards zero.
    void Parse(char const * text);
    // The digits with a leading "-" for negative values; "0" for zero.
    std::string ToString() const;

    CBigInteger GetAbs() const;
    void Abs();
    CBigInteger GetNegative() const;
    void Negate();
    // Flips the sign of this very object and returns it: unary minus changes its operand.
    CBigInteger & operator-();

    bool operator==(CBigInteger const & other) const;
    bool operator!=(CBigInteger const & other) const { return !(*this == other); }
    bool operator<(CBigInteger const & other) const;
    bool operator>(CBigInteger const & other) const { return other < *this; }
    bool operator<=(CBigInteger const & other) const { return !(other < *this); }
    bool operator>=(CBigInteger const & other) const { return !(*this < other); }

    CBigInteger operator+(CBigInteger const & other) const;
    CBigInteger operator-(CBigInteger const & other) const;
    CBigInteger operator*(CBigInteger const & other) const;
    // Truncates towards zero; throws for a zero divisor.
    CBigInteger operator/(CBigInteger const & other) const;
    // The remainder with the sign of the dividend; throws for a zero divisor.
    CBigInteger operator%(CBigInteger const & other) const;
    CBigInteger & operator+=(CBigInteger const & other);
    CBigInteger & operator-=(CBigInteger const & other);
    CBigInteger & operator*=(CBigInteger const & other);
    CBigInteger & operator/=(CBigInteger const & other);
    CBigInteger & operator%=(CBigInteger const & other);

    // Range-checked conversions to native integers.
    explicit operator int() const;
    explicit operator long long() const;

    // The largest integer whose square does not exceed the value; throws for negative values.
    CBigInteger SquareRoot() const;
    // 10 to the power n.
    static CBigInteger Pow10(unsigned int n);

    bool IsZero() const { return m_digits.size() == 1 && m_digits[0] == 0; }
    bool IsNegative() const { return m_sign < 0; }

protected:
    // Takes a sign (+1 or -1) and digits (0 to 9, least significant first) as they are.
    CBigInteger(int sign, std::vector<char> const & digits);

private:
    friend class CDecimal;

    CBigInteger(int sign, std::string digits) : m_sign(sign), m_digits(std::move(digits)) {}

    // Divides, keeping this object unchanged when the divisor is zero.
    void DivideBy(CBigInteger const & divisor, char const * message, bool keepRemainder);

    std::int32_t m_sign;
    std::string m_digits; // 0 to 9 per byte, least significant first; short values need no allocation
};

} // namespace NxXmlLib16
