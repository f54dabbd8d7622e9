// Helpers of the value-type tests: the refusal of a value and the digits of a 128-bit integer.
#pragma once

#include "TestSupport.h"

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

} // namespace NxXmlTest
