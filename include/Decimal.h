// CDecimal: an exact decimal number of unbounded size, the native type of xs:decimal.
#pragma once

#include "BigInteger.h"

#include <cstdint>
#include <string>

namespace NxXmlLib16
{

// An exact decimal: an integer part and the digits after the point, both carrying the sign.
// Products and quotients keep at most GetMaxDecimalPlaces() fraction digits.
class CDecimal
{
public:
    CDecimal();
    CDecimal(int value);
    CDecimal(long value);
    CDecimal(long long value);
    CDecimal(CBigInteger const & value);
    // The double as printf "%.13f" writes it.
    CDecimal(double value);
    // Parse of the text: blanks anywhere, the sign anywhere before the point, an exponent.
    CDecimal(char const * text);
    CDecimal(CDecimal const &) = default;
    CDecimal(CDecimal &&) noexcept = default;
    CDecimal & operator=(CDecimal const &) = default;
    CDecimal & operator=(CDecimal &&) noexcept = default;
    virtual ~CDecimal() = default;

    // The largest number of fraction digits kept by parsing, multiplication and division (30).
    static int GetMaxDecimalPlaces();
    static void SetMaxDecimalPlaces(int places);

    // The shortest exact text: no exponent, no "+", no trailing fraction zeros.
    std::string ToString() const;
    // Rounded half away from zero to exactly `places` fraction digits.
    std::string ToString(int places) const;

    // The value rounded to one fraction digit, then truncated; throws CNxOverFlowException
    // when it does not fit.
    long long ToLongLong() const;
    std::int32_t ToLong() const;
    double ToDouble() const;
    // Rounded to the nearest integer, halves towards zero.
    CBigInteger ToBigInteger() const;

    CBigInteger GetIntegerPart() const { return m_integer; }
    CBigInteger GetFractionPart() const { return m_fraction; }
    int GetFractionDivider() const { return m_divider; }
    // The digits before the point, 0 for a zero integer part (what totalDigits counts there).
    int GetIntegerDigitCount() const;
    // The digits after the point, trailing zeros left out (what fractionDigits counts).
    int GetFractionDigitCount() const;

    CDecimal GetNegative() const;
    void Negate();

    CDecimal operator+(CDecimal const & other) const;
    CDecimal operator-(CDecimal const & other) const;
    CDecimal operator*(CDecimal const & other) const;
    // Rounded to GetMaxDecimalPlaces() digits, halves towards zero; throws for a zero divisor.
    CDecimal operator/(CDecimal const & other) const;
    CDecimal & operator+=(CDecimal const & other);
    CDecimal & operator-=(CDecimal const & other);
    CDecimal & operator*=(CDecimal const & other);
    CDecimal & operator/=(CDecimal const & other);
    CDecimal & operator++();
    CDecimal operator++(int);
    CDecimal & operator--();
    CDecimal operator--(int);

    bool operator==(CDecimal const & other) const;
    bool operator!=(CDecimal const & other) const { return !(*this == other); }
    bool operator<(CDecimal const & other) const;
    bool operator>(CDecimal const & other) const { return other < *this; }
    bool operator<=(CDecimal const & other) const { return !(other < *this); }
    bool operator>=(CDecimal const & other) const { return !(*this < other); }

private:
    // The value as sign * magnitude / 10^scale (magnitude digits least significant first).
    struct CScaled;

    CDecimal(CBigInteger const & integerPart, CBigInteger const & fractionPart, int divider);

    // The value scaled to `scale` fraction digits, which must be at least the divider.
    CScaled ToScaled(std::size_t scale) const;
    // The decimal of a scaled value, with `scale` fraction digits.
    static CDecimal FromScaled(CScaled const & scaled);
    // The sign of the value: -1 or +1 (+1 for zero).
    int Sign() const;

    void Parse(char const * text);
    // Drops trailing zero digits of the fraction, keeping at least one.
    void Rationalise();
    // Rescales to n fraction digits, rounding to nearest with halves towards zero.
    void ChangeFractionalDivider(int n);
    // Cuts the fraction to the process-wide maximum of digits.
    void LimitFraction();

    CBigInteger m_integer;
    CBigInteger m_fraction;
    std::int32_t m_divider;
};

} // namespace NxXmlLib16
