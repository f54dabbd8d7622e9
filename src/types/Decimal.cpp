#include "Decimal.h"

#include "NxException.h"
#include "frame/Messages.h"
#include "types/Digits.h"

#include <cstdlib>
#include <cstring>

namespace NxXmlLib16
{

using namespace Digits;

struct CDecimal::CScaled
{
    int sign;
    CDigits magnitude;
    std::size_t scale;
};

namespace
{

int g_maxDivider = 30;

// Exponents beyond this would build numbers of more digits than any document can mean.
constexpr std::size_t MaxExponent = 100000;

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

[[noreturn]] void ThrowInvalidChar(std::size_t position, char const * text)
{
    throw CNxInvalidValueException(FormatString(Msg::DecimalInvalidChar, static_cast<int>(position), text));
}

// The number of fraction digits kept, never negative.
std::size_t MaxPlaces() { return g_maxDivider > 0 ? static_cast<std::size_t>(g_maxDivider) : 0; }

// Digits from the characters of a number written most significant first.
CDigits FromText(char const * first, char const * last)
{
    CDigits digits(static_cast<std::size_t>(last - first), '\0');
    for (std::size_t i = 0; first != last; ++i)
        digits[i] = static_cast<char>(*--last - '0');
    if (digits.empty())
        digits.push_back(0);
    Clean(digits);
    return digits;
}

CDigits FromText(std::string const & text) { return FromText(text.data(), text.data() + text.size()); }

// The end of the run of digits that starts at the text.
char const * SkipDigits(char const * text)
{
    while (IsDigit(*text))
        ++text;
    return text;
}

// Whether the low `count` digits of a magnitude are more than half of 10^count.
bool AboveHalf(CDigits const & a, std::size_t count)
{
    for (std::size_t i = count; i-- > 0;)
    {
        char const digit = i < a.size() ? a[i] : 0;
        char const half = i == count - 1 ? 5 : 0;
        if (digit != half)
            return digit > half;
    }
    return false; // exactly half
}

// The magnitude without its low `count` digits.
CDigits DropLow(CDigits const & a, std::size_t count)
{
    if (count >= a.size())
        return CDigits(1, 0);
    return CDigits(a.begin() + static_cast<std::ptrdiff_t>(count), a.end());
}

// Adds one unit at the lowest digit.
void Increment(CDigits & a)
{
    for (char & digit : a)
    {
        if (++digit < 10)
            return;
        digit = 0;
    }
    a.push_back(1);
}

std::size_t DividerOf(int divider) { return divider > 0 ? static_cast<std::size_t>(divider) : 0; }

} // namespace

CDecimal::CDecimal() : m_divider(1) {}

CDecimal::CDecimal(int value) : m_integer(value), m_divider(1) {}

CDecimal::CDecimal(long value) : m_integer(value), m_divider(1) {}

CDecimal::CDecimal(long long value) : m_integer(value), m_divider(1) {}

CDecimal::CDecimal(CBigInteger const & value) : m_integer(value), m_divider(1) {}

CDecimal::CDecimal(double value) : m_divider(1)
{
    char buffer[512];
    int const length = std::snprintf(buffer, sizeof buffer, "%.13f\n", value);
    if (length < 0 || static_cast<std::size_t>(length) >= sizeof buffer)
    {
        std::string const text = FormatString("%.13f\n", value);
        Parse(text.c_str());
        return;
    }
    Parse(buffer);
}

CDecimal::CDecimal(char const * text) : m_divider(1) { Parse(text); }

CDecimal::CDecimal(CBigInteger const & integerPart, CBigInteger const & fractionPart, int divider)
    : m_integer(integerPart), m_fraction(fractionPart), m_divider(divider)
{
}

int CDecimal::GetMaxDecimalPlaces() { return g_maxDivider; }

void CDecimal::SetMaxDecimalPlaces(int places) { g_maxDivider = places; }

int CDecimal::Sign() const
{
    if (m_integer.IsZero() && m_fraction.IsZero())
        return 1;
    return m_integer.IsNegative() || m_fraction.IsNegative() ? -1 : 1;
}

CDecimal::CScaled CDecimal::ToScaled(std::size_t scale) const
{
    std::size_t const divider = DividerOf(m_divider);
    CScaled scaled{Sign(), CDigits(), scale};
    CDigits & magnitude = scaled.magnitude;
    magnitude.reserve(scale + m_integer.m_digits.size());
    // The fraction padded to its divider, shifted to the scale, then the integer digits.
    magnitude.assign(scale - divider, 0);
    if (divider > 0)
    {
        std::size_t const fractionDigits = m_fraction.m_digits.size() < divider ? m_fraction.m_digits.size() : divider;
        magnitude.append(m_fraction.m_digits, 0, fractionDigits);
        magnitude.append(divider - fractionDigits, 0);
    }
    magnitude += m_integer.m_digits;
    Clean(magnitude);
    if (Digits::IsZero(magnitude))
        scaled.sign = 1;
    return scaled;
}

CDecimal CDecimal::FromScaled(CScaled const & scaled)
{
    CDigits const & magnitude = scaled.magnitude;
    std::size_t const scale = scaled.scale;
    int const sign = Digits::IsZero(magnitude) ? 1 : scaled.sign;
    CDigits fraction(magnitude, 0, scale < magnitude.size() ? scale : magnitude.size());
    if (fraction.empty())
        fraction.push_back(0);
    Clean(fraction);
    CDigits integer = DropLow(magnitude, scale);
    // A value between -1 and 0 keeps its sign on a zero integer part.
    CBigInteger integerPart(sign, std::move(integer));
    CBigInteger fractionPart(Digits::IsZero(fraction) ? 1 : sign, std::move(fraction));
    return CDecimal(integerPart, fractionPart, static_cast<int>(scale));
}

void CDecimal::Parse(char const * text)
{
    if (text == nullptr)
        text = "";
    std::size_t const length = std::strlen(text);
    {
        // The usual form, [-+]digits[.digits], is read without collecting the digits first.
        bool const signedText = text[0] == '-' || text[0] == '+';
        char const * const integerStart = text + (signedText ? 1 : 0);
        char const * const integerEnd = SkipDigits(integerStart);
        char const * const fractionStart = *integerEnd == '.' ? integerEnd + 1 : integerEnd;
        char const * const fractionEnd = SkipDigits(fractionStart);
        if (fractionEnd == text + length)
        {
            int const sign = text[0] == '-' ? -1 : 1;
            m_integer = CBigInteger(sign, FromText(integerStart, integerEnd));
            m_fraction = CBigInteger(sign, FromText(fractionStart, fractionEnd));
            m_divider = fractionEnd > fractionStart ? static_cast<int>(fractionEnd - fractionStart) : 1;
            Rationalise();
            LimitFraction();
            return;
        }
    }
    std::string integerDigits;
    std::string fractionDigits;
    bool negative = false;
    std::size_t i = 0;

    // The integer section: digits, signs anywhere (the last counts), blanks skipped.
    for (; i < length && text[i] != '.' && text[i] != 'e' && text[i] != 'E'; ++i)
    {
        char const c = text[i];
        if (IsDigit(c))
            integerDigits += c;
        else if (c == '-' || c == '+')
            negative = c == '-';
        else if (!IsBlank(c))
            ThrowInvalidChar(i, text);
    }
    // The fraction section: digits and blanks, until any other byte.
    if (i < length && text[i] == '.')
    {
        for (++i; i < length && (IsDigit(text[i]) || IsBlank(text[i])); ++i)
        {
            if (IsDigit(text[i]))
                fractionDigits += text[i];
        }
    }
    // The exponent section: signs and blanks, then digits and blanks.
    bool hasExponent = false;
    bool negativeExponent = false;
    std::size_t exponent = 0;
    if (i < length && (text[i] == 'e' || text[i] == 'E'))
    {
        for (++i; i < length && (text[i] == '+' || text[i] == '-' || IsBlank(text[i])); ++i)
        {
            if (!IsBlank(text[i]))
                negativeExponent = text[i] == '-';
        }
        for (; i < length && (IsDigit(text[i]) || IsBlank(text[i])); ++i)
        {
            if (!IsDigit(text[i]))
                continue;
            hasExponent = true;
            exponent = exponent * 10 + static_cast<std::size_t>(text[i] - '0');
            if (exponent > MaxExponent)
                ThrowInvalidChar(i, text);
        }
    }
    if (i < length)
        ThrowInvalidChar(i, text);

    int const sign = negative ? -1 : 1;
    m_integer = CBigInteger(sign, FromText(integerDigits));
    m_fraction = CBigInteger(sign, FromText(fractionDigits));
    m_divider = fractionDigits.empty() ? 1 : static_cast<int>(fractionDigits.size());

    if (hasExponent && exponent > 0)
    {
        // Moving the point is exact; a negative exponent keeps two guard digits beyond the
        // maximum, as a division would, before the final rounding.
        CScaled scaled = ToScaled(DividerOf(m_divider));
        if (!negativeExponent)
        {
            std::size_t const shift = exponent < scaled.scale ? 0 : exponent - scaled.scale;
            scaled.scale = exponent < scaled.scale ? scaled.scale - exponent : 0;
            ShiftLeft(scaled.magnitude, shift + (scaled.scale == 0 ? 1 : 0));
            scaled.scale = scaled.scale == 0 ? 1 : scaled.scale;
        }
        else
        {
            scaled.scale += exponent;
            std::size_t const guarded = MaxPlaces() + 2;
            if (scaled.scale > guarded)
            {
                scaled.magnitude = DropLow(scaled.magnitude, scaled.scale - guarded);
                scaled.scale = guarded;
            }
        }
        *this = FromScaled(scaled);
    }
    Rationalise();
    LimitFraction();
}

void CDecimal::Rationalise()
{
    if (m_divider <= 1)
        return;
    std::size_t const divider = DividerOf(m_divider);
    CDigits & fraction = m_fraction.m_digits;
    if (Digits::IsZero(fraction))
    {
        m_divider = 1;
        return;
    }
    // Trailing zeros of the fraction are its lowest digits.
    std::size_t zeros = 0;
    while (zeros < fraction.size() && zeros + 1 < divider && fraction[zeros] == 0)
        ++zeros;
    fraction.erase(0, zeros);
    m_divider -= static_cast<int>(zeros);
}

void CDecimal::LimitFraction()
{
    if (m_divider <= g_maxDivider)
        return;
    ChangeFractionalDivider(static_cast<int>(MaxPlaces()));
    // Rounding may leave zeros at the end ("0.0670" for 0.06704): the value is kept canonical.
    Rationalise();
    if (m_divider == 0)
        m_divider = 1;
}

void CDecimal::ChangeFractionalDivider(int n)
{
    std::size_t const target = n > 0 ? static_cast<std::size_t>(n) : 0;
    std::size_t const divider = DividerOf(m_divider);
    if (target >= divider)
    {
        *this = FromScaled(ToScaled(target));
        return;
    }
    // Round to the nearest multiple of 10^-n, an exact half going towards zero; a carry that
    // fills the fraction moves into the integer part.
    CScaled scaled = ToScaled(divider);
    std::size_t const cut = divider - target;
    bool const roundUp = AboveHalf(scaled.magnitude, cut);
    scaled.magnitude = DropLow(scaled.magnitude, cut);
    if (roundUp)
        Increment(scaled.magnitude);
    scaled.scale = target;
    *this = FromScaled(scaled);
}

std::string CDecimal::ToString() const
{
    if (m_fraction.IsZero())
        return m_integer.ToString();
    std::size_t const divider = DividerOf(m_divider);
    CDigits const & fraction = m_fraction.m_digits;
    CDigits const & integer = m_integer.m_digits;
    std::string text;
    text.reserve(integer.size() + divider + 2);
    if (Sign() < 0)
        text += '-';
    for (std::size_t i = integer.size(); i-- > 0;)
        text += static_cast<char>('0' + integer[i]);
    text += '.';
    text.append(divider > fraction.size() ? divider - fraction.size() : 0, '0');
    for (std::size_t i = fraction.size(); i-- > 0;)
        text += static_cast<char>('0' + fraction[i]);
    return text;
}

std::string CDecimal::ToString(int places) const
{
    std::size_t const kept = places > 0 ? static_cast<std::size_t>(places) : 0;
    std::size_t const divider = DividerOf(m_divider);
    if (divider <= kept)
    {
        // Nothing to round: the digits as they stand, the fraction padded with zeros.
        std::string text = ToString();
        if (kept > 0)
        {
            if (m_fraction.IsZero())
                text += '.';
            text.append(m_fraction.IsZero() ? kept : kept - divider, '0');
        }
        return text;
    }
    std::size_t const scale = divider > kept ? divider : kept + 1;
    CScaled scaled = ToScaled(scale);
    // Half a unit of the last kept place, added to the magnitude: halves go away from zero.
    CDigits half(scale - kept, 0);
    half.back() = 5;
    CDigits const rounded = DropLow(Add(scaled.magnitude, half), scale - kept);
    std::string text;
    if (scaled.sign < 0 && !Digits::IsZero(rounded))
        text += '-';
    CDigits const integer = DropLow(rounded, kept);
    text += ToText(integer);
    if (kept > 0)
    {
        text += '.';
        for (std::size_t i = kept; i-- > 0;)
            text += static_cast<char>('0' + (i < rounded.size() ? rounded[i] : 0));
    }
    return text;
}

long long CDecimal::ToLongLong() const
{
    CDecimal rounded(*this);
    rounded.ChangeFractionalDivider(1);
    if (rounded.m_integer > CBigInteger::MAX_LONGLONG || rounded.m_integer < CBigInteger::MIN_LONGLONG)
        throw CNxOverFlowException(Msg::DecimalTooLargeForLongLong);
    return static_cast<long long>(rounded.m_integer);
}

std::int32_t CDecimal::ToLong() const
{
    CDecimal rounded(*this);
    rounded.ChangeFractionalDivider(1);
    if (rounded.m_integer > CBigInteger::MAX_LONG || rounded.m_integer < CBigInteger::MIN_LONG)
        throw CNxOverFlowException(Msg::DecimalTooLargeForLong);
    return static_cast<int>(rounded.m_integer);
}

double CDecimal::ToDouble() const
{
    if (m_integer > CBigInteger::MAX_DOUBLE || m_integer < CBigInteger::MIN_DOUBLE)
        throw CNxOverFlowException(Msg::DecimalTooLargeForDouble);
    return std::strtod(ToString().c_str(), nullptr);
}

CBigInteger CDecimal::ToBigInteger() const
{
    CDecimal rounded(*this);
    rounded.ChangeFractionalDivider(0);
    return rounded.m_integer;
}

CDecimal CDecimal::GetNegative() const
{
    CDecimal negative(*this);
    negative.Negate();
    return negative;
}

void CDecimal::Negate()
{
    m_integer.Negate();
    m_fraction.Negate();
}

CDecimal CDecimal::operator+(CDecimal const & other) const
{
    std::size_t const scale = DividerOf(m_divider > other.m_divider ? m_divider : other.m_divider);
    CScaled const a = ToScaled(scale);
    CScaled const b = other.ToScaled(scale);
    CScaled sum{a.sign, CDigits(), scale};
    if (a.sign == b.sign)
    {
        sum.magnitude = Add(a.magnitude, b.magnitude);
    }
    else
    {
        int const order = Compare(a.magnitude, b.magnitude);
        sum.magnitude = order >= 0 ? Subtract(a.magnitude, b.magnitude) : Subtract(b.magnitude, a.magnitude);
        sum.sign = order >= 0 ? a.sign : b.sign;
    }
    CDecimal result = FromScaled(sum);
    result.Rationalise();
    return result;
}

CDecimal CDecimal::operator-(CDecimal const & other) const { return *this + other.GetNegative(); }

CDecimal CDecimal::operator*(CDecimal const & other) const
{
    CScaled const a = ToScaled(DividerOf(m_divider));
    CScaled const b = other.ToScaled(DividerOf(other.m_divider));
    CDecimal result = FromScaled(CScaled{a.sign * b.sign, Multiply(a.magnitude, b.magnitude), a.scale + b.scale});
    result.Rationalise();
    result.LimitFraction();
    return result;
}

CDecimal CDecimal::operator/(CDecimal const & other) const
{
    CScaled a = ToScaled(DividerOf(m_divider));
    CScaled b = other.ToScaled(DividerOf(other.m_divider));
    if (Digits::IsZero(b.magnitude))
        throw CNxInvalidValueException(Msg::OverflowInDivide);
    // The quotient to two guard digits beyond the maximum, truncated, then rounded.
    std::size_t const guarded = MaxPlaces() + 2;
    // value = (A / 10^da) / (B / 10^db); q = A * 10^(db - da + guarded) / B.
    std::size_t const up = b.scale + guarded;
    if (up >= a.scale)
        ShiftLeft(a.magnitude, up - a.scale);
    else
        ShiftLeft(b.magnitude, a.scale - up);
    CDigits quotient;
    CDigits remainder;
    Divide(a.magnitude, b.magnitude, quotient, remainder);
    CDecimal result = FromScaled(CScaled{a.sign * b.sign, std::move(quotient), guarded});
    if (result.m_divider == 0)
        result.ChangeFractionalDivider(1);
    result.Rationalise();
    result.LimitFraction();
    return result;
}

CDecimal & CDecimal::operator+=(CDecimal const & other) { return *this = *this + other; }

CDecimal & CDecimal::operator-=(CDecimal const & other) { return *this = *this - other; }

CDecimal & CDecimal::operator*=(CDecimal const & other) { return *this = *this * other; }

CDecimal & CDecimal::operator/=(CDecimal const & other) { return *this = *this / other; }

CDecimal & CDecimal::operator++() { return *this += CDecimal(1); }

CDecimal CDecimal::operator++(int)
{
    CDecimal const before(*this);
    *this += CDecimal(1);
    return before;
}

CDecimal & CDecimal::operator--() { return *this -= CDecimal(1); }

CDecimal CDecimal::operator--(int)
{
    CDecimal const before(*this);
    *this -= CDecimal(1);
    return before;
}

bool CDecimal::operator==(CDecimal const & other) const
{
    std::size_t const scale = DividerOf(m_divider > other.m_divider ? m_divider : other.m_divider);
    CScaled const a = ToScaled(scale);
    CScaled const b = other.ToScaled(scale);
    return a.sign == b.sign && a.magnitude == b.magnitude;
}

bool CDecimal::operator<(CDecimal const & other) const
{
    std::size_t const scale = DividerOf(m_divider > other.m_divider ? m_divider : other.m_divider);
    CScaled const a = ToScaled(scale);
    CScaled const b = other.ToScaled(scale);
    if (a.sign != b.sign)
        return a.sign < b.sign;
    int const order = Compare(a.magnitude, b.magnitude);
    return a.sign > 0 ? order < 0 : order > 0;
}

int CDecimal::GetIntegerDigitCount() const
{
    return m_integer.IsZero() ? 0 : static_cast<int>(m_integer.m_digits.size());
}

int CDecimal::GetFractionDigitCount() const
{
    if (m_fraction.IsZero())
        return 0;
    // The fraction's digits stand for `divider` places; its own low zeros do not count.
    CDigits const & digits = m_fraction.m_digits;
    std::size_t zeros = 0;
    while (zeros < digits.size() && digits[zeros] == 0)
        ++zeros;
    return m_divider - static_cast<int>(zeros);
}

} // namespace NxXmlLib16
