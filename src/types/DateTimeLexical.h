// The digit-level pieces of the lexical forms of dates, times and durations.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

namespace NxXmlLib16::DateTimeLexical
{

inline bool IsDigit(char c) { return c >= '0' && c <= '9'; }

inline int TwoDigits(char const * text) { return (text[0] - '0') * 10 + (text[1] - '0'); }

// Whether text[0, length) has digits at the positions marked 'd' in the pattern and the
// pattern's other bytes everywhere else.
inline bool Matches(char const * text, std::size_t length, char const * pattern)
{
    if (std::strlen(pattern) != length)
        return false;
    for (std::size_t i = 0; i < length; ++i)
    {
        if (pattern[i] == 'd' ? !IsDigit(text[i]) : text[i] != pattern[i])
            return false;
    }
    return true;
}

// Reads up to nine fraction digits into milli-, micro- and nanoseconds; returns the digits read,
// or 10 when a tenth digit follows.
inline std::size_t ReadFraction(char const * text, std::size_t length, std::uint16_t & milli, std::uint16_t & micro,
                                std::uint16_t & nano)
{
    std::uint16_t * const fields[3] = {&milli, &micro, &nano};
    static std::uint16_t const weights[3] = {100, 10, 1};
    std::size_t count = 0;
    while (count < length && IsDigit(text[count]))
    {
        if (count == 9)
            return 10;
        *fields[count / 3] = static_cast<std::uint16_t>(*fields[count / 3] + (text[count] - '0') * weights[count % 3]);
        ++count;
    }
    return count;
}

// Writes "." and up to nine fraction digits without trailing zeros; nothing for no fraction.
inline void AppendFraction(std::string & text, unsigned milli, unsigned micro, unsigned nano)
{
    if (milli == 0 && micro == 0 && nano == 0)
        return;
    char digits[10];
    std::snprintf(digits, sizeof digits, "%03u%03u%03u", milli % 1000, micro % 1000, nano % 1000);
    std::size_t length = 9;
    while (length > 1 && digits[length - 1] == '0')
        --length;
    text += '.';
    text.append(digits, length);
}

inline void AppendTwoDigits(std::string & text, unsigned value)
{
    text += static_cast<char>('0' + value / 10 % 10);
    text += static_cast<char>('0' + value % 10);
}

} // namespace NxXmlLib16::DateTimeLexical
