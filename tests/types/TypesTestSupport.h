// Helpers of the value-type tests: the refusal of a value and reference texts of exact numbers.
#pragma once

#include "TestSupport.h"

#include <algorithm>
#include <functional>
#include <string>

namespace NxXmlTest
{

// Runs the action and checks that it refuses a value with exactly this message.
inline void ExpectInvalid(std::function<void()> const & action, std::string const & message)
{
    ExpectThrows<NxXmlLib16::CNxInvalidValueException>(action, message);
}

// The decimal digits of a 128-bit integer, behind a '-' when it is negative.
inline std::string Digits128(__int128 value)
{
    unsigned __int128 magnitude = value < 0 ? -static_cast<unsigned __int128>(value) : value;
    std::string digits;
    do
        digits.insert(digits.begin(), static_cast<char>('0' + static_cast<int>(magnitude % 10)));
    while ((magnitude /= 10) != 0);
    return (value < 0 ? "-" : "") + digits;
}

// Signed digits read as digits / 10^scale, written as the decimal writes them: no leading or
// trailing zeros, "0" for zero.
inline std::string ScaledText(std::string digits, std::size_t scale)
{
    bool const negative = !digits.empty() && digits[0] == '-';
    if (negative)
        digits.erase(0, 1);
    if (digits.size() <= scale)
        digits.insert(0, scale + 1 - digits.size(), '0');
    std::string fraction = digits.substr(digits.size() - scale);
    digits.resize(digits.size() - scale);
    digits.erase(0, std::min(digits.find_first_not_of('0'), digits.size() - 1));
    while (!fraction.empty() && fraction.back() == '0')
        fraction.pop_back();
    if (digits == "0" && fraction.empty())
        return "0";
    return (negative ? "-" : "") + digits + (fraction.empty() ? "" : "." + fraction);
}

} // namespace NxXmlTest
