// The lexical forms of dates and times: reading, validation and formatting.
#include "DateTime.h"

#include "NxException.h"
#include "frame/Messages.h"
#include "types/Calendar.h"
#include "types/DateTimeLexical.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace NxXmlLib16
{

using namespace Calendar;
using namespace DateTimeLexical;

void CDateTime::ParseXSDDate(char const * text)
{
    Clear();
    SetXSDDate(text);
    Validate();
}

void CDateTime::ParseXSDTime(char const * text)
{
    Clear();
    SetXSDTime(text);
    Validate();
}

void CDateTime::ParseXSDDateTime(char const * text)
{
    if (text == nullptr)
        throw CNxInvalidValueException(Msg::InvalidDateTimeNull);
    char const * const t = std::strchr(text, 'T');
    if (t == nullptr)
        throw CNxInvalidValueException(FormatString(Msg::InvalidXsdDateTime, text));
    Clear();
    std::string const datePart(text, static_cast<std::size_t>(t - text));
    SetXSDDate(datePart.c_str());
    if (m_kind != dt_date)
        throw CNxInvalidValueException(FormatString(Msg::InvalidXsdDateTimeExpected, text));
    CDateTime time;
    time.SetXSDTime(t + 1);
    m_hour = time.m_hour;
    m_minute = time.m_minute;
    m_second = time.m_second;
    m_milliSecond = time.m_milliSecond;
    m_microSecond = time.m_microSecond;
    m_nanoSecond = time.m_nanoSecond;
    m_utc = time.m_utc;
    m_hasZone = time.m_hasZone;
    m_zoneHour = time.m_zoneHour;
    m_zoneMinute = time.m_zoneMinute;
    m_zoneNegative = time.m_zoneNegative;
    m_kind = dt_dateTime;
    Validate();
}

void CDateTime::SetXSDDate(char const * text)
{
    if (text == nullptr)
        throw CNxInvalidValueException(Msg::InvalidDateNull);
    std::size_t const length = std::strlen(text);
    if (length == 0)
        throw CNxInvalidValueException(Msg::InvalidDateEmpty);
    bool const utc = text[length - 1] == 'Z';
    bool const zone = std::strchr(text, ':') != nullptr;
    if (utc && zone)
        throw CNxInvalidValueException(Msg::InvalidDateBadZone);
    if (std::strchr(text, 'T') != nullptr)
        throw CNxInvalidValueException(Msg::InvalidDateTNotAllowed);
    std::size_t const zoneLength = utc ? 1 : zone ? 6 : 0;
    auto const fail = [text] { throw CNxInvalidValueException(FormatString(Msg::InvalidXsdDateExpected, text)); };
    if (zoneLength > length)
        fail();
    std::size_t const shape = length - zoneLength;

    if (shape >= 2 && text[0] == '-' && text[1] == '-')
    {
        if (Matches(text, shape, "--dd") || Matches(text, shape, "--dd--"))
        {
            m_kind = dt_gMonth;
            m_month = static_cast<std::uint8_t>(TwoDigits(text + 2));
        }
        else if (Matches(text, shape, "---dd"))
        {
            m_kind = dt_gDay;
            m_day = static_cast<std::uint8_t>(TwoDigits(text + 3));
        }
        else if (Matches(text, shape, "--dd-dd"))
        {
            m_kind = dt_gMonthDay;
            m_month = static_cast<std::uint8_t>(TwoDigits(text + 2));
            m_day = static_cast<std::uint8_t>(TwoDigits(text + 5));
        }
        else
            fail();
    }
    else
    {
        bool const negative = shape > 0 && text[0] == '-';
        char const * const body = text + (negative ? 1 : 0);
        std::size_t const bodyLength = shape - (negative ? 1 : 0);
        if (Matches(body, bodyLength, "dddd"))
            m_kind = dt_gYear;
        else if (Matches(body, bodyLength, "dddd-dd"))
            m_kind = dt_gYearMonth;
        else if (Matches(body, bodyLength, "dddd-dd-dd"))
            m_kind = dt_date;
        else
            fail();
        int const year = TwoDigits(body) * 100 + TwoDigits(body + 2);
        m_year = static_cast<std::int16_t>(negative ? -year : year);
        if (bodyLength >= 7)
            m_month = static_cast<std::uint8_t>(TwoDigits(body + 5));
        if (bodyLength == 10)
            m_day = static_cast<std::uint8_t>(TwoDigits(body + 8));
    }
    if (zoneLength > 0)
        SetZone(text + shape, zoneLength);
}

void CDateTime::SetXSDTime(char const * text)
{
    if (text == nullptr)
        throw CNxInvalidValueException(Msg::InvalidTimeNull);
    std::size_t const length = std::strlen(text);
    if (length == 0)
        throw CNxInvalidValueException(Msg::InvalidTimeEmpty);
    auto const fail = [text] { throw CNxInvalidValueException(FormatString(Msg::InvalidXsdTimeExpected, text)); };
    if (length < 8 || !Matches(text, 8, "dd:dd:dd"))
        fail();
    int const hour = TwoDigits(text);
    int const minute = TwoDigits(text + 3);
    int const second = TwoDigits(text + 6);
    if (hour > 23 || minute > 59 || second > 59)
        fail();
    std::uint16_t milli = 0;
    std::uint16_t micro = 0;
    std::uint16_t nano = 0;
    std::size_t at = 8;
    if (at < length && text[at] == '.')
    {
        std::size_t const digits = ReadFraction(text + at + 1, length - at - 1, milli, micro, nano);
        if (digits > 9)
            throw CNxInvalidValueException(FormatString(Msg::InvalidTimeFractionTooLong, text));
        if (digits == 0)
            fail();
        at += 1 + digits;
    }
    m_kind = dt_time;
    m_hour = static_cast<std::uint8_t>(hour);
    m_minute = static_cast<std::uint8_t>(minute);
    m_second = static_cast<std::uint8_t>(second);
    m_milliSecond = milli;
    m_microSecond = micro;
    m_nanoSecond = nano;
    if (at < length)
        SetZone(text + at, length - at);
}

void CDateTime::SetZone(char const * text, std::size_t length)
{
    if (length == 1 && text[0] == 'Z')
    {
        SetUTC();
        return;
    }
    if (length != 6 || (text[0] != '+' && text[0] != '-') || !Matches(text + 1, 5, "dd:dd"))
        throw CNxInvalidValueException(FormatString(Msg::InvalidXsdTimeZone, std::string(text, length).c_str()));
    int hour = TwoDigits(text + 1);
    if (hour == 24)
        hour = 0;
    SetTimeZone(text[0] == '-', static_cast<unsigned short>(hour), static_cast<unsigned char>(TwoDigits(text + 4)));
}

void CDateTime::Validate() const
{
    if (m_kind == dt_yearZero)
        throw CNxInvalidValueException(Msg::InvalidYearZero);
    std::string const name = GetTypeAsString();
    auto const fail = [](std::string const & message) { throw CNxInvalidValueException(message); };
    if (Has(MonthKinds, m_kind))
    {
        if (m_month < 1 || m_month > 12)
            fail(FormatString(Msg::InvalidMonthRange, m_month));
    }
    else if (m_month != 0)
        fail(FormatString(Msg::InvalidMonthForType, m_month, name.c_str()));
    if (Has(YearKinds, m_kind))
    {
        if (m_year < -9999 || m_year > 9999 || m_year == 0)
            fail(FormatString(Msg::InvalidYearRange, m_year, -9999, 9999));
    }
    else if (m_year != 0)
        fail(FormatString(Msg::InvalidYearForType, m_year, name.c_str()));
    if (Has(DateKinds, m_kind))
    {
        if (m_day < 1 || m_day > DaysInMonth(m_year, m_month))
            fail(FormatString(Msg::InvalidDayInMonthUnclosed, m_day));
    }
    else if (m_kind == dt_gMonthDay)
    {
        if (m_day < 1 || m_day > (m_month == 2 ? 29 : DaysInMonth(1, m_month)))
            fail(FormatString(Msg::InvalidDayInMonth, m_day));
    }
    else if (m_kind == dt_gDay)
    {
        if (m_day < 1 || m_day > 31)
            fail(FormatString(Msg::InvalidDayRange, m_day));
    }
    else if (m_day != 0)
        fail(FormatString(Msg::InvalidDayForType, m_day, name.c_str()));
    struct CLimit
    {
        char const * inRange;
        char const * forType;
        int value;
        int maximum;
    };
    CLimit const limits[6] = {{Msg::InvalidHourRange, Msg::InvalidHourForType, m_hour, 23},
                              {Msg::InvalidMinuteRange, Msg::InvalidMinuteForType, m_minute, 59},
                              {Msg::InvalidSecondRange, Msg::InvalidSecondForType, m_second, 59},
                              {Msg::InvalidMilliSecondRange, Msg::InvalidMilliSecondForType, m_milliSecond, 999},
                              {Msg::InvalidMicroSecondRange, Msg::InvalidMicroSecondForType, m_microSecond, 999},
                              {Msg::InvalidNanoSecondRange, Msg::InvalidNanoSecondForType, m_nanoSecond, 999}};
    bool const hasTime = Has(TimeKinds, m_kind);
    for (CLimit const & limit : limits)
    {
        if (hasTime && limit.value > limit.maximum)
            fail(FormatString(limit.inRange, limit.value));
        if (!hasTime && limit.value != 0)
            fail(FormatString(limit.forType, limit.value, name.c_str()));
    }
}

std::string CDateTime::ToString(char const * format) const
{
    bool const empty = m_year == 0 && m_month == 0 && m_day == 0 && m_hour == 0 && m_minute == 0 && m_second == 0 &&
                       m_milliSecond == 0 && m_microSecond == 0 && m_nanoSecond == 0;
    if (m_kind == dt_yearZero || (m_kind != dt_time && empty))
        return "Error: Date Not Set";
    if (format == nullptr || *format == '\0' || std::strcmp(format, "G") == 0)
        return std::string();
    if (std::strcmp(format, "s") != 0)
        return std::string("Unknown Format: ") + format;

    std::string text;
    text.reserve(40);
    auto const appendYear = [&]
    {
        if (m_year < 0)
            text += '-';
        char digits[8];
        std::snprintf(digits, sizeof digits, "%04d", m_year < 0 ? -m_year : m_year);
        text += digits;
    };
    auto const appendTime = [&]
    {
        AppendTwoDigits(text, m_hour);
        text += ':';
        AppendTwoDigits(text, m_minute);
        text += ':';
        AppendTwoDigits(text, m_second);
        AppendFraction(text, m_milliSecond, m_microSecond, m_nanoSecond);
    };
    switch (m_kind)
    {
    case dt_dateTime:
    case dt_date:
        appendYear();
        text += '-';
        AppendTwoDigits(text, m_month);
        text += '-';
        AppendTwoDigits(text, m_day);
        if (m_kind == dt_dateTime)
        {
            text += 'T';
            appendTime();
        }
        break;
    case dt_time: appendTime(); break;
    case dt_gYear: appendYear(); break;
    case dt_gYearMonth:
        appendYear();
        text += '-';
        AppendTwoDigits(text, m_month);
        break;
    case dt_gMonth:
        text += "--";
        AppendTwoDigits(text, m_month);
        break;
    case dt_gMonthDay:
        text += "--";
        AppendTwoDigits(text, m_month);
        text += '-';
        AppendTwoDigits(text, m_day);
        break;
    case dt_gDay:
        text += "---";
        AppendTwoDigits(text, m_day);
        break;
    default: break;
    }
    if (m_hasZone)
    {
        text += m_zoneNegative || m_zoneHour < 0 ? '-' : '+';
        AppendTwoDigits(text, static_cast<unsigned>(std::abs(m_zoneHour)));
        text += ':';
        AppendTwoDigits(text, m_zoneMinute);
    }
    else if (m_utc)
    {
        text += 'Z';
    }
    return text;
}

} // namespace NxXmlLib16
