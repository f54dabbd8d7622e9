// Arithmetic on magnitudes held as decimal digits, one per byte (0 to 9), least significant first.
#pragma once

#include <cstdint>
#include <string>

namespace NxXmlLib16::Digits
{

using CDigits = std::string;

// Whether the magnitude is zero (a single 0 digit).
inline bool IsZero(CDigits const & a) { return a.size() == 1 && a[0] == 0; }
// Drops high-order zero digits, keeping at least one digit.
void Clean(CDigits & a);
// The digits of an unsigned value.
CDigits FromUnsigned(std::uint64_t value);
// -1, 0 or 1 as a is less than, equal to or greater than b.
int Compare(CDigits const & a, CDigits const & b);
CDigits Add(CDigits const & a, CDigits const & b);
// a - b, which requires a >= b.
CDigits Subtract(CDigits const & a, CDigits const & b);
CDigits Multiply(CDigits const & a, CDigits const & b);
// Multiplies by 10^n (n zero digits at the low end).
void ShiftLeft(CDigits & a, std::size_t n);
// Long division: quotient and remainder of a / b, b not zero.
void Divide(CDigits const & a, CDigits const & b, CDigits & quotient, CDigits & remainder);
// The digits of 10^n.
CDigits Pow10(std::size_t n);
// The digits most significant first, as text.
std::string ToText(CDigits const & a);

} // namespace NxXmlLib16::Digits
