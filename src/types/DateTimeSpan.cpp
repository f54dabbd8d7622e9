// CDateTimeSpan: durations, their lexical form and their order.
#include "DateTime.h"

#include "NxException.h"
#include "frame/Messages.h"
#include "types/DateTimeLexical.h"

#include <cstring>
#include <limits>

namespace NxXmlLib16
{

using namespace DateTimeLexical;

CDateTimeSpan::CDateTimeSpan(std::uint32_t hours, std::uint64_t minutes, std::uint64_t seconds)
    : m_hours(hours), m_minutes(minutes), m_seconds(seconds)
{
}

CDateTimeSpan::CDateTimeSpan(std::uint16_t years, std::uint32_t months, std::uint32_t days, std::uint32_t hours,
                             std::uint64_t minutes, std::uint64_t seconds, std::uint16_t milliSeconds,
                             std::uint16_t microSeconds, std::uint16_t nanoSeconds)
    : m_years(years), m_months(months), m_days(days), m_hours(hours), m_minutes(minutes), m_seconds(seconds),
      m_milliSeconds(milliSeconds), m_microSeconds(microSeconds), m_nanoSeconds(nanoSeconds)
{
}

void CDateTimeSpan::SetDateTimeSpan(std::uint32_t hours, std::uint64_t minutes, std::uint64_t seconds)
{
    *this = CDateTimeSpan(hours, minutes, seconds);
}

void CDateTimeSpan::SetDateTimeSpan(std::uint16_t years, std::uint32_t months, std::uint32_t days, std::uint32_t hours,
                                    std::uint64_t minutes, std::uint64_t seconds, std::uint16_t milliSeconds,
                                    std::uint16_t microSeconds, std::uint16_t nanoSeconds)
{
    *this = CDateTimeSpan(years, months, days, hours, minutes, seconds, milliSeconds, microSeconds, nanoSeconds);
}

CDateTimeSpan CDateTimeSpan::GetAsNegative() const
{
    CDateTimeSpan negative(*this);
    negative.m_negative = true;
    return negative;
}

void CDateTimeSpan::ParseXSDDuration(char const * text)
{
    *this = CDateTimeSpan();
    if (text == nullptr)
        throw CNxInvalidValueException(Msg::InvalidDurationNull);
    std::size_t const length = std::strlen(text);
    if (length == 0)
        throw CNxInvalidValueException(Msg::InvalidDurationEmpty);
    auto const fail = [text] { throw CNxInvalidValueException(FormatString(Msg::InvalidDurationExpected, text)); };
    std::size_t i = 0;
    if (text[i] == '-')
    {
        m_negative = true;
        ++i;
    }
    if (i >= length || text[i] != 'P')
        fail();
    ++i;
    // The designators in the order they may come: Y M D, then T, then H M S.
    enum Stage
    {
        Start,
        Years,
        Months,
        Days,
        Time,
        Hours,
        Minutes,
        Seconds
    } stage = Start;
    bool any = false;
    while (i < length)
    {
        if (text[i] == 'T')
        {
            if (stage >= Time)
                fail();
            stage = Time;
            ++i;
            continue;
        }
        std::uint64_t number = 0;
        std::size_t digits = 0;
        for (; i < length && IsDigit(text[i]); ++i, ++digits)
        {
            std::uint64_t const digit = static_cast<std::uint64_t>(text[i] - '0');
            if (number > (std::numeric_limits<std::uint64_t>::max() - digit) / 10)
                fail(); // longer than any field holds
            number = number * 10 + digit;
        }
        if (digits == 0 || i >= length)
            fail();
        char const designator = text[i++];
        auto const fits = [&](std::uint64_t maximum)
        {
            if (number > maximum)
                fail();
        };
        if (designator == '.')
        {
            if (stage < Time || stage >= Seconds)
                fail();
            std::size_t const fraction =
                ReadFraction(text + i, length - i, m_milliSeconds, m_microSeconds, m_nanoSeconds);
            if (fraction > 9)
                throw CNxInvalidValueException(FormatString(Msg::InvalidDurationFractionTooLong, text));
            i += fraction;
            if (fraction == 0 || i >= length || text[i] != 'S')
                fail();
            ++i;
            m_seconds = number;
            stage = Seconds;
        }
        else if (stage < Time)
        {
            if (designator == 'Y' && stage < Years)
            {
                fits(std::numeric_limits<std::uint16_t>::max());
                m_years = static_cast<std::uint16_t>(number);
                stage = Years;
            }
            else if (designator == 'M' && stage < Months)
            {
                fits(std::numeric_limits<std::uint32_t>::max());
                m_months = static_cast<std::uint32_t>(number);
                stage = Months;
            }
            else if (designator == 'D' && stage < Days)
            {
                fits(std::numeric_limits<std::uint32_t>::max());
                m_days = static_cast<std::uint32_t>(number);
                stage = Days;
            }
            else
                fail();
        }
        else if (designator == 'H' && stage == Time)
        {
            fits(std::numeric_limits<std::uint32_t>::max());
            m_hours = static_cast<std::uint32_t>(number);
            stage = Hours;
        }
        else if (designator == 'M' && stage < Minutes)
        {
            m_minutes = number;
            stage = Minutes;
        }
        else if (designator == 'S' && stage < Seconds)
        {
            m_seconds = number;
            stage = Seconds;
        }
        else
            fail();
        any = true;
    }
    if (!any || stage == Time)
        fail();
}

std::string CDateTimeSpan::ToString() const
{
    std::string text = m_negative ? "-P" : "P";
    auto const append = [&text](std::uint64_t value, char designator)
    {
        if (value != 0)
        {
            text += std::to_string(value);
            text += designator;
        }
    };
    append(m_years, 'Y');
    append(m_months, 'M');
    append(m_days, 'D');
    bool const fraction = m_milliSeconds != 0 || m_microSeconds != 0 || m_nanoSeconds != 0;
    if (m_hours != 0 || m_minutes != 0 || m_seconds != 0 || fraction)
    {
        text += 'T';
        append(m_hours, 'H');
        append(m_minutes, 'M');
        if (m_seconds != 0 || fraction)
        {
            text += std::to_string(m_seconds);
            AppendFraction(text, m_milliSeconds, m_microSeconds, m_nanoSeconds);
            text += 'S';
        }
    }
    // A zero duration is written in a form the parser reads back.
    if (text.size() <= 2)
        text += "T0S";
    return text;
}

CDateTime::DTCompareResult CDateTimeSpan::CompareTo(CDateTimeSpan const & other) const
{
    // Identical spans are equal, however far beyond the reference dates' years they reach.
    if (m_negative == other.m_negative && m_years == other.m_years && m_months == other.m_months &&
        m_days == other.m_days && m_hours == other.m_hours && m_minutes == other.m_minutes &&
        m_seconds == other.m_seconds && m_milliSeconds == other.m_milliSeconds &&
        m_microSeconds == other.m_microSeconds && m_nanoSeconds == other.m_nanoSeconds)
        return CDateTime::dtcr_Equal;
    static CDateTime const references[4] = {CDateTime("1696-09-01T00:00:00Z"), CDateTime("1697-02-01T00:00:00Z"),
                                            CDateTime("1903-03-01T00:00:00Z"), CDateTime("1903-07-01T00:00:00Z")};
    CDateTime::DTCompareResult first = CDateTime::dtcr_Indeterminate;
    for (std::size_t i = 0; i < 4; ++i)
    {
        CDateTime::DTCompareResult const result = (references[i] + *this).CompareTo(references[i] + other);
        if (result == CDateTime::dtcr_Indeterminate || (i > 0 && result != first))
            return CDateTime::dtcr_Indeterminate;
        first = result;
    }
    return first;
}

} // namespace NxXmlLib16
