// CDateTime: construction, conversions, fields, time zones and arithmetic.
#include "DateTime.h"

#include "NxException.h"
#include "frame/Messages.h"
#include "frame/Portable.h"
#include "types/Calendar.h"

#include <cstdlib>
#include <limits>

namespace NxXmlLib16
{

using namespace Calendar;

CDateTime::CDateTime() = default;

CDateTime::CDateTime(DTType kind) : m_kind(kind) {}

CDateTime::CDateTime(char const * text) { ParseXSDDateTime(text); }

CDateTime::CDateTime(std::time_t const & time) { *this = time; }

CDateTime::CDateTime(CSystemTime const & time) { *this = time; }

CDateTime::CDateTime(CFileTime const & time) { *this = time; }

CDateTime::CDateTime(short year, unsigned char month, unsigned char day) { SetDate(year, month, day); }

CDateTime::CDateTime(short year, unsigned char month, unsigned char day, unsigned char hour, unsigned char minute,
                     unsigned char second, unsigned short milliSecond, unsigned short microSecond,
                     unsigned short nanoSecond)
{
    SetDateTime(year, month, day, hour, minute, second, milliSecond, microSecond, nanoSecond);
}

CDateTime & CDateTime::operator=(std::time_t const & time)
{
    std::tm broken{};
    if (!BreakDownUtc(time, broken) || broken.tm_year + 1900 > std::numeric_limits<std::int16_t>::max() ||
        broken.tm_year + 1900 < 1)
        throw CNxInvalidValueException(
            FormatString(Msg::InvalidYearRangeLong, static_cast<long long>(broken.tm_year) + 1900, -9999, 9999));
    Clear();
    m_kind = dt_dateTime;
    m_year = static_cast<std::int16_t>(broken.tm_year + 1900);
    m_month = static_cast<std::uint8_t>(broken.tm_mon + 1);
    m_day = static_cast<std::uint8_t>(broken.tm_mday);
    m_hour = static_cast<std::uint8_t>(broken.tm_hour);
    m_minute = static_cast<std::uint8_t>(broken.tm_min);
    m_second = static_cast<std::uint8_t>(broken.tm_sec > 59 ? 59 : broken.tm_sec);
    return *this;
}

CDateTime & CDateTime::operator=(CSystemTime const & time)
{
    Clear();
    m_kind = dt_dateTime;
    m_year = static_cast<std::int16_t>(time.year);
    m_month = static_cast<std::uint8_t>(time.month);
    m_day = static_cast<std::uint8_t>(time.day);
    m_hour = static_cast<std::uint8_t>(time.hour);
    m_minute = static_cast<std::uint8_t>(time.minute);
    m_second = static_cast<std::uint8_t>(time.second);
    m_milliSecond = time.milliseconds;
    return *this;
}

CDateTime & CDateTime::operator=(CFileTime const & time)
{
    std::uint64_t const ticks = static_cast<std::uint64_t>(time.highDateTime) << 32 | time.lowDateTime;
    if (ticks > static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max()))
        throw CNxInvalidValueException(Msg::FailedFileTimeToSystemTime);
    std::int64_t const ticksPerDay = 864000000000LL;
    std::int64_t const days = static_cast<std::int64_t>(ticks) / ticksPerDay + DaysFromCivil(1601, 1, 1);
    std::int64_t const rest = static_cast<std::int64_t>(ticks) % ticksPerDay;
    std::int64_t year = 0;
    int month = 0;
    int day = 0;
    CivilFromDays(days, year, month, day);
    CSystemTime system{};
    system.year = static_cast<std::uint16_t>(year);
    system.month = static_cast<std::uint16_t>(month);
    system.day = static_cast<std::uint16_t>(day);
    system.hour = static_cast<std::uint16_t>(rest / 36000000000LL);
    system.minute = static_cast<std::uint16_t>(rest / 600000000 % 60);
    system.second = static_cast<std::uint16_t>(rest / 10000000 % 60);
    system.milliseconds = static_cast<std::uint16_t>(rest / 10000 % 1000);
    return *this = system;
}

CDateTime CDateTime::GetTickCount()
{
    std::tm local{};
    int milliseconds = 0;
    GetLocalNow(local, milliseconds);
    CSystemTime system{};
    system.year = static_cast<std::uint16_t>(local.tm_year + 1900);
    system.month = static_cast<std::uint16_t>(local.tm_mon + 1);
    system.day = static_cast<std::uint16_t>(local.tm_mday);
    system.hour = static_cast<std::uint16_t>(local.tm_hour);
    system.minute = static_cast<std::uint16_t>(local.tm_min);
    system.second = static_cast<std::uint16_t>(local.tm_sec > 59 ? 59 : local.tm_sec);
    system.milliseconds = static_cast<std::uint16_t>(milliseconds);
    return CDateTime(system);
}

void CDateTime::Clear() { *this = CDateTime(); }

void CDateTime::Set(DTType kind, short year, unsigned char month, unsigned char day, unsigned char hour,
                    unsigned char minute, unsigned char second, unsigned short milli, unsigned short micro,
                    unsigned short nano)
{
    if (m_kind != dt_yearZero && m_kind != kind)
        throw CNxInvalidStateException(
            FormatString(Msg::FailedCopyDateTime, GetTypeAsString(kind).c_str(), GetTypeAsString().c_str()));
    Clear();
    m_kind = kind;
    m_year = year;
    m_month = month;
    m_day = day;
    m_hour = hour;
    m_minute = minute;
    m_second = second;
    m_milliSecond = milli;
    m_microSecond = micro;
    m_nanoSecond = nano;
}

void CDateTime::SetDateTime(short year, unsigned char month, unsigned char day, unsigned char hour,
                            unsigned char minute, unsigned char second)
{
    Set(dt_dateTime, year, month, day, hour, minute, second, 0, 0, 0);
}

void CDateTime::SetDateTime(short year, unsigned char month, unsigned char day, unsigned char hour,
                            unsigned char minute, unsigned char second, unsigned short milliSecond,
                            unsigned short microSecond, unsigned short nanoSecond)
{
    Set(dt_dateTime, year, month, day, hour, minute, second, milliSecond, microSecond, nanoSecond);
}

void CDateTime::SetDate(short year, unsigned char month, unsigned char day)
{
    Set(dt_date, year, month, day, 0, 0, 0, 0, 0, 0);
}

void CDateTime::SetTime(unsigned char hour, unsigned char minute, unsigned char second)
{
    Set(dt_time, 0, 0, 0, hour, minute, second, 0, 0, 0);
}

void CDateTime::SetTime(unsigned char hour, unsigned char minute, unsigned char second, unsigned short milliSecond,
                        unsigned short microSecond, unsigned short nanoSecond)
{
    Set(dt_time, 0, 0, 0, hour, minute, second, milliSecond, microSecond, nanoSecond);
}

void CDateTime::SetFracTime(unsigned short milliSecond, unsigned short microSecond, unsigned short nanoSecond)
{
    Set(dt_time, 0, 0, 0, 0, 0, 0, milliSecond, microSecond, nanoSecond);
}

void CDateTime::SetGYear(short year) { Set(dt_gYear, year, 0, 0, 0, 0, 0, 0, 0, 0); }

void CDateTime::SetGYearMonth(short year, unsigned char month) { Set(dt_gYearMonth, year, month, 0, 0, 0, 0, 0, 0, 0); }

void CDateTime::SetGMonth(unsigned char month) { Set(dt_gMonth, 0, month, 0, 0, 0, 0, 0, 0, 0); }

void CDateTime::SetGMonthDay(unsigned char month, unsigned char day)
{
    Set(dt_gMonthDay, 0, month, day, 0, 0, 0, 0, 0, 0);
}

void CDateTime::SetGDay(unsigned char day) { Set(dt_gDay, 0, 0, day, 0, 0, 0, 0, 0, 0); }

void CDateTime::SetDateTime(CDateTime const & source, DTType kind)
{
    DTType const from = source.m_kind;
    if (from < 0 || from > 8)
        throw CNxInvalidValueException(FormatString(Msg::UnknownDateType, static_cast<int>(from)));
    static unsigned const allowed[9] = {0,     // yearZero
                                        0x1FF, // dateTime: every kind
                                        Bit(dt_gYearMonth) | Bit(dt_gYear) | Bit(dt_gMonthDay) | Bit(dt_gMonth) |
                                            Bit(dt_gDay),               // date
                                        Bit(dt_gYear) | Bit(dt_gMonth), // gYearMonth
                                        0,
                                        0,
                                        0,
                                        0,                              // gYear, time, gDay, gMonth
                                        Bit(dt_gMonth) | Bit(dt_gDay)}; // gMonthDay
    bool const permitted =
        kind == from || kind == dt_yearZero || (kind >= 0 && kind <= 8 && (allowed[from] & Bit(kind)) != 0);
    if (!permitted)
        throw CNxInvalidValueException(
            FormatString(Msg::DateTimeNotEnoughData, GetTypeAsString(kind).c_str(), source.GetTypeAsString().c_str()));
    CDateTime converted(kind);
    converted.m_year = Has(YearKinds, kind) ? source.m_year : 0;
    converted.m_month = Has(MonthKinds, kind) ? source.m_month : 0;
    converted.m_day = Has(DayKinds, kind) ? source.m_day : 0;
    if (Has(TimeKinds, kind))
    {
        converted.m_hour = source.m_hour;
        converted.m_minute = source.m_minute;
        converted.m_second = source.m_second;
        converted.m_milliSecond = source.m_milliSecond;
        converted.m_microSecond = source.m_microSecond;
        converted.m_nanoSecond = source.m_nanoSecond;
    }
    converted.m_utc = source.m_utc;
    converted.m_hasZone = source.m_hasZone;
    converted.m_zoneHour = source.m_zoneHour;
    converted.m_zoneMinute = source.m_zoneMinute;
    converted.m_zoneNegative = source.m_zoneNegative;
    *this = converted;
}

void CDateTime::CheckKind(char const * name, unsigned allowedKinds) const
{
    if (!Has(allowedKinds, m_kind))
        throw CNxInvalidStateException(FormatString(Msg::FailedInvalidDateType, name, GetTypeAsString().c_str()));
}

short CDateTime::GetYear() const
{
    CheckKind("GetYear", YearKinds);
    return m_year;
}

unsigned char CDateTime::GetMonth() const
{
    CheckKind("GetMonth", MonthKinds);
    return m_month;
}

unsigned char CDateTime::GetDay() const
{
    CheckKind("GetDay", DayKinds);
    return m_day;
}

unsigned char CDateTime::GetHour() const
{
    CheckKind("GetHour", TimeKinds);
    return m_hour;
}

unsigned char CDateTime::GetMinute() const
{
    CheckKind("GetMinute", TimeKinds);
    return m_minute;
}

unsigned char CDateTime::GetSecond() const
{
    CheckKind("GetSecond", TimeKinds);
    return m_second;
}

unsigned short CDateTime::GetMilliSecond() const
{
    CheckKind("GetMilliSecond", TimeKinds);
    return m_milliSecond;
}

unsigned short CDateTime::GetMicroSecond() const
{
    CheckKind("GetMicroSecond", TimeKinds);
    return m_microSecond;
}

unsigned short CDateTime::GetNanoSecond() const
{
    CheckKind("GetNanoSecond", TimeKinds);
    return m_nanoSecond;
}

double CDateTime::GetRealSecond() const
{
    CheckKind("GetRealSecond", TimeKinds);
    return m_second + m_milliSecond / 1e3 + m_microSecond / 1e6 + m_nanoSecond / 1e9;
}

unsigned char CDateTime::GetDayOfWeek() const
{
    CheckKind("GetDayOfWeek", DateKinds);
    // 1970-01-01 was a Thursday.
    return static_cast<unsigned char>(
        FloorMod<std::int64_t>(DaysFromCivil(ToAstronomical(m_year), m_month, m_day) + 4, 7));
}

unsigned short CDateTime::GetDayOfYear() const
{
    CheckKind("GetDayOfYear", DateKinds);
    static unsigned short const before[12] = {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334};
    unsigned short const month = m_month >= 1 && m_month <= 12 ? before[m_month - 1] : 0;
    return static_cast<unsigned short>(month + m_day + (m_month > 2 && IsLeap(m_year) ? 1 : 0));
}

void CDateTime::SetYear(short year)
{
    CheckKind("GetYear", YearKinds);
    m_year = year;
}

void CDateTime::SetMonth(unsigned char month)
{
    CheckKind("GetMonth", MonthKinds);
    m_month = month;
}

void CDateTime::SetDay(unsigned char day)
{
    CheckKind("GetDay", DayKinds);
    m_day = day;
}

void CDateTime::SetHour(unsigned char hour)
{
    CheckKind("GetHour", TimeKinds);
    m_hour = hour;
}

void CDateTime::SetMinute(unsigned char minute)
{
    CheckKind("GetMinute", TimeKinds);
    m_minute = minute;
}

void CDateTime::SetSecond(unsigned char second)
{
    CheckKind("GetSecond", TimeKinds);
    m_second = second;
}

void CDateTime::SetMilliSecond(unsigned short milliSecond)
{
    CheckKind("GetMilliSecond", TimeKinds);
    m_milliSecond = milliSecond;
}

void CDateTime::SetMicroSecond(unsigned short microSecond)
{
    CheckKind("GetMicroSecond", TimeKinds);
    m_microSecond = microSecond;
}

void CDateTime::SetNanoSecond(unsigned short nanoSecond)
{
    CheckKind("GetNanoSecond", TimeKinds);
    m_nanoSecond = nanoSecond;
}

short CDateTime::GetZoneHour() const
{
    if (!m_hasZone)
        throw CNxInvalidStateException(Msg::TimeZoneNotBeenUsed);
    return m_zoneHour;
}

unsigned char CDateTime::GetZoneMinute() const
{
    if (!m_hasZone)
        throw CNxInvalidStateException(Msg::TimeZoneNotBeenUsed);
    return m_zoneMinute;
}

bool CDateTime::IsZoneNegative() const { return m_hasZone && m_zoneNegative; }

void CDateTime::SetUTC()
{
    m_utc = true;
    m_hasZone = false;
    m_zoneHour = 0;
    m_zoneMinute = 0;
    m_zoneNegative = false;
}

void CDateTime::SetTimeZone(short hour, unsigned char minute)
{
    SetTimeZone(hour < 0, static_cast<unsigned short>(hour < 0 ? -hour : hour), minute);
}

void CDateTime::SetTimeZone(bool negative, unsigned short hour, unsigned char minute)
{
    if (hour > 23 || minute > 59)
        throw CNxInvalidValueException(
            FormatString(Msg::InvalidTimeZone, negative ? -static_cast<int>(hour) : static_cast<int>(hour), minute));
    m_utc = true;
    m_hasZone = true;
    m_zoneHour = static_cast<std::int16_t>(negative ? -static_cast<int>(hour) : static_cast<int>(hour));
    m_zoneMinute = minute;
    m_zoneNegative = negative && (hour != 0 || minute != 0);
}

void CDateTime::ClearTimeZone()
{
    m_utc = false;
    m_hasZone = false;
    m_zoneHour = 0;
    m_zoneMinute = 0;
    m_zoneNegative = false;
}

std::string CDateTime::GetTypeAsString(DTType kind)
{
    static char const * const names[9] = {"yearZero", "dateTime", "date",   "gYearMonth", "gYear",
                                          "time",     "gDay",     "gMonth", "gMonthDay"};
    return kind >= 0 && kind <= 8 ? names[kind] : "";
}

std::time_t CDateTime::GetTime() const
{
    if (!Has(DateKinds, m_kind))
        throw CNxInvalidStateException(FormatString(Msg::FailedGetTime, GetTypeAsString().c_str()));
    std::int64_t const offset = m_hasZone ? (m_zoneNegative ? -1 : 1) * (std::abs(m_zoneHour) * 60 + m_zoneMinute) : 0;
    std::int64_t const timeNanos = ((m_hour * 60 + m_minute) * 60 + m_second) * NanosPerSecond;
    CInstant const instant = InstantOf(m_year, m_month, m_day, timeNanos, offset);
    return static_cast<std::time_t>(instant.day * 86400 + instant.nanos / NanosPerSecond);
}

CSystemTime CDateTime::GetAsSystemTime() const
{
    if (m_kind != dt_dateTime)
        throw CNxInvalidStateException(FormatString(Msg::FailedGetAsSystemTime, GetTypeAsString().c_str()));
    CSystemTime system{};
    system.year = static_cast<std::uint16_t>(m_year);
    system.month = m_month;
    system.dayOfWeek = GetDayOfWeek();
    system.day = m_day;
    system.hour = m_hour;
    system.minute = m_minute;
    system.second = m_second;
    system.milliseconds = m_milliSecond;
    return system;
}

void CDateTime::Add(CDateTimeSpan const & span, bool subtract)
{
    std::int64_t const s = span.IsNegative() != subtract ? -1 : 1;
    bool const hasYear = Has(YearKinds, m_kind);
    bool const hasMonth = Has(MonthKinds, m_kind);
    bool const hasDay = Has(DayKinds, m_kind);
    // Kinds without a date are moved as if they were on 1972-12-31.
    std::int64_t year = ToAstronomical(hasYear ? m_year : 1972);
    std::int64_t month = hasMonth ? m_month : 12;
    std::int64_t day = hasDay ? m_day : 31;

    std::int64_t temp = month - 1 + s * static_cast<std::int64_t>(span.GetMonths());
    month = FloorMod<std::int64_t>(temp, 12) + 1;
    year += s * static_cast<std::int64_t>(span.GetYears()) + FloorDiv<std::int64_t>(temp, 12);

    // Nanoseconds up to hours, each keeping its range and carrying the floor quotient upwards.
    __int128 carry = 0;
    auto const step = [&](std::int64_t field, __int128 amount, std::int64_t range)
    {
        __int128 const total = field + s * amount + carry;
        __int128 remainder = total % range;
        if (remainder < 0)
            remainder += range;
        carry = (total - remainder) / range;
        return static_cast<std::int64_t>(remainder);
    };
    m_nanoSecond = static_cast<std::uint16_t>(step(m_nanoSecond, span.GetNanoSeconds(), 1000));
    m_microSecond = static_cast<std::uint16_t>(step(m_microSecond, span.GetMicroSeconds(), 1000));
    m_milliSecond = static_cast<std::uint16_t>(step(m_milliSecond, span.GetMilliSeconds(), 1000));
    m_second = static_cast<std::uint8_t>(step(m_second, span.GetSeconds(), 60));
    m_minute = static_cast<std::uint8_t>(step(m_minute, span.GetMinutes(), 60));
    m_hour = static_cast<std::uint8_t>(step(m_hour, span.GetHours(), 24));

    // The day is clamped to the new month, then the days are added through a day count.
    int const monthDays = DaysInMonth(FromAstronomical(year), static_cast<int>(month));
    if (day > monthDays)
        day = monthDays;
    __int128 const days =
        DaysFromCivil(year, static_cast<int>(month), 1) + (day - 1) + s * static_cast<__int128>(span.GetDays()) + carry;
    if (days > std::numeric_limits<std::int64_t>::max() / 2 || days < std::numeric_limits<std::int64_t>::min() / 2)
        throw CNxInvalidValueException(FormatString(Msg::InvalidYearRange, 0, -9999, 9999));
    int newMonth = 0;
    int newDay = 0;
    CivilFromDays(static_cast<std::int64_t>(days), year, newMonth, newDay);
    std::int64_t const stored = FromAstronomical(year);
    if (hasYear &&
        (stored > std::numeric_limits<std::int16_t>::max() || stored < std::numeric_limits<std::int16_t>::min()))
        throw CNxInvalidValueException(
            FormatString(Msg::InvalidYearRangeLong, static_cast<long long>(stored), -9999, 9999));
    m_year = hasYear ? static_cast<std::int16_t>(stored) : 0;
    m_month = hasMonth ? static_cast<std::uint8_t>(newMonth) : 0;
    m_day = hasDay ? static_cast<std::uint8_t>(newDay) : 0;
}

CDateTime CDateTime::GetNormalized() const
{
    if (!m_hasZone)
        return *this;
    CDateTime normalized(*this);
    CDateTimeSpan const offset(0, 0, 0, static_cast<std::uint32_t>(std::abs(m_zoneHour)), m_zoneMinute, 0);
    normalized.Add(offset, !m_zoneNegative);
    normalized.SetTimeZone(0, 0);
    return normalized;
}

CDateTime::DTCompareResult CDateTime::CompareTo(CDateTime const & other) const
{
    auto const instant = [](CDateTime const & value, bool zoned, std::int64_t offsetMinutes)
    {
        std::int64_t const year = Has(YearKinds, value.m_kind) ? value.m_year : 1972;
        int const month = Has(MonthKinds, value.m_kind) ? value.m_month : 12;
        int const day = Has(DayKinds, value.m_kind) ? value.m_day : 31;
        std::int64_t const timeNanos = ((value.m_hour * 60 + value.m_minute) * 60 + value.m_second) * NanosPerSecond +
                                       value.m_milliSecond * 1000000LL + value.m_microSecond * 1000LL +
                                       value.m_nanoSecond;
        if (zoned)
            offsetMinutes = (value.m_zoneNegative ? -1 : 1) * (std::abs(value.m_zoneHour) * 60 + value.m_zoneMinute);
        return InstantOf(year, month, day, timeNanos, offsetMinutes);
    };
    auto const order = [](CInstant const & a, CInstant const & b) {
        return a == b ? dtcr_Equal : a < b ? dtcr_LessThan : dtcr_GreaterThan;
    };
    // "Z" is a zone as well as an explicit offset.
    bool const zoned = m_utc || m_hasZone;
    bool const otherZoned = other.m_utc || other.m_hasZone;
    if (zoned == otherZoned)
        return order(instant(*this, zoned, 0), instant(other, otherZoned, 0));
    constexpr std::int64_t Fourteen = 14 * 60;
    if (zoned)
    {
        CInstant const self = instant(*this, true, 0);
        if (self < instant(other, false, Fourteen))
            return dtcr_LessThan;
        if (instant(other, false, -Fourteen) < self)
            return dtcr_GreaterThan;
        return dtcr_Indeterminate;
    }
    CInstant const theirs = instant(other, true, 0);
    if (instant(*this, false, -Fourteen) < theirs)
        return dtcr_LessThan;
    if (theirs < instant(*this, false, Fourteen))
        return dtcr_GreaterThan;
    return dtcr_Indeterminate;
}

bool CDateTime::operator<=(CDateTime const & other) const
{
    DTCompareResult const result = CompareTo(other);
    return result == dtcr_Equal || result == dtcr_LessThan;
}

bool CDateTime::operator>=(CDateTime const & other) const
{
    DTCompareResult const result = CompareTo(other);
    return result == dtcr_Equal || result == dtcr_GreaterThan;
}

CDateTime CDateTime::operator+(CDateTimeSpan const & span) const
{
    CDateTime result(*this);
    result.Add(span, false);
    return result;
}

CDateTime & CDateTime::operator+=(CDateTimeSpan const & span)
{
    Add(span, false);
    return *this;
}

CDateTime CDateTime::operator-(CDateTimeSpan const & span) const
{
    CDateTime result(*this);
    result.Add(span, true);
    return result;
}

CDateTime & CDateTime::operator-=(CDateTimeSpan const & span)
{
    Add(span, true);
    return *this;
}

CDateTimeSpan CDateTime::operator-(CDateTime const & other) const
{
    auto const nanos = [](CDateTime const & value)
    {
        std::int64_t const offset =
            value.m_hasZone ? (value.m_zoneNegative ? -1 : 1) * (std::abs(value.m_zoneHour) * 60 + value.m_zoneMinute)
                            : 0;
        std::int64_t const year = Has(YearKinds, value.m_kind) ? value.m_year : 1972;
        int const month = Has(MonthKinds, value.m_kind) ? value.m_month : 12;
        int const day = Has(DayKinds, value.m_kind) ? value.m_day : 31;
        std::int64_t const timeNanos = ((value.m_hour * 60 + value.m_minute) * 60 + value.m_second) * NanosPerSecond +
                                       value.m_milliSecond * 1000000LL + value.m_microSecond * 1000LL +
                                       value.m_nanoSecond;
        CInstant const instant = InstantOf(year, month, day, timeNanos, offset);
        return static_cast<__int128>(instant.day) * NanosPerDay + instant.nanos;
    };
    __int128 difference = nanos(*this) - nanos(other);
    bool const negative = difference < 0;
    if (negative)
        difference = -difference;
    CDateTimeSpan span(0, 0, static_cast<std::uint32_t>(difference / NanosPerDay),
                       static_cast<std::uint32_t>(difference / (3600 * NanosPerSecond) % 24),
                       static_cast<std::uint64_t>(difference / (60 * NanosPerSecond) % 60),
                       static_cast<std::uint64_t>(difference / NanosPerSecond % 60),
                       static_cast<std::uint16_t>(difference / 1000000 % 1000),
                       static_cast<std::uint16_t>(difference / 1000 % 1000),
                       static_cast<std::uint16_t>(difference % 1000));
    if (negative)
        span.Negate();
    return span;
}

} // namespace NxXmlLib16
