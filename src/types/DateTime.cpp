#include "DateTime.h"

#include "NxException.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>

namespace NxXmlLib16
{

namespace
{

using DTType = CDateTime::DTType;

constexpr unsigned Bit(DTType kind) { return 1u << kind; }

constexpr unsigned YearKinds = Bit(CDateTime::dt_dateTime) | Bit(CDateTime::dt_date) |
                               Bit(CDateTime::dt_gYearMonth) | Bit(CDateTime::dt_gYear);
constexpr unsigned MonthKinds = Bit(CDateTime::dt_dateTime) | Bit(CDateTime::dt_date) |
                                Bit(CDateTime::dt_gYearMonth) | Bit(CDateTime::dt_gMonthDay) |
                                Bit(CDateTime::dt_gMonth);
constexpr unsigned DayKinds = Bit(CDateTime::dt_dateTime) | Bit(CDateTime::dt_date) | Bit(CDateTime::dt_gDay) |
                              Bit(CDateTime::dt_gMonthDay);
constexpr unsigned TimeKinds = Bit(CDateTime::dt_dateTime) | Bit(CDateTime::dt_time);
constexpr unsigned DateKinds = Bit(CDateTime::dt_dateTime) | Bit(CDateTime::dt_date);

constexpr std::int64_t NanosPerSecond = 1000000000;
constexpr std::int64_t NanosPerDay = 86400 * NanosPerSecond;

bool Has(unsigned kinds, DTType kind) { return kind >= 0 && kind <= 8 && (kinds & Bit(kind)) != 0; }

bool IsLeap(std::int64_t year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(std::int64_t year, int month)
{
    static int const days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12)
        return 31;
    return month == 2 && IsLeap(year) ? 29 : days[month - 1];
}

// Years as stored have no year 0: -1 is the year before 1. Arithmetic runs on astronomical
// years, where the year before 1 is 0.
std::int64_t ToAstronomical(std::int64_t year) { return year < 0 ? year + 1 : year; }
std::int64_t FromAstronomical(std::int64_t year) { return year <= 0 ? year - 1 : year; }

// Days since 1970-01-01 of a proleptic Gregorian date (astronomical year).
std::int64_t DaysFromCivil(std::int64_t year, int month, int day)
{
    year -= month <= 2;
    std::int64_t const era = (year >= 0 ? year : year - 399) / 400;
    std::int64_t const yearOfEra = year - era * 400;
    std::int64_t const dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    std::int64_t const dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

// The date (astronomical year) of a day count since 1970-01-01.
void CivilFromDays(std::int64_t days, std::int64_t & year, int & month, int & day)
{
    days += 719468;
    std::int64_t const era = (days >= 0 ? days : days - 146096) / 146097;
    std::int64_t const dayOfEra = days - era * 146097;
    std::int64_t const yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    std::int64_t const dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    std::int64_t const shifted = (5 * dayOfYear + 2) / 153;
    day = static_cast<int>(dayOfYear - (153 * shifted + 2) / 5 + 1);
    month = static_cast<int>(shifted < 10 ? shifted + 3 : shifted - 9);
    year = yearOfEra + era * 400 + (month <= 2);
}

template <class T>
T FloorMod(T value, T divisor)
{
    T const remainder = value % divisor;
    return remainder < 0 ? remainder + divisor : remainder;
}

template <class T>
T FloorDiv(T value, T divisor)
{
    return (value - FloorMod(value, divisor)) / divisor;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

int TwoDigits(char const * text) { return (text[0] - '0') * 10 + (text[1] - '0'); }

// Whether text[0, length) has digits at the positions marked 'd' in the pattern and the
// pattern's other bytes everywhere else.
bool Matches(char const * text, std::size_t length, char const * pattern)
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
std::size_t ReadFraction(char const * text, std::size_t length, std::uint16_t & milli, std::uint16_t & micro,
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
void AppendFraction(std::string & text, unsigned milli, unsigned micro, unsigned nano)
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

void AppendTwoDigits(std::string & text, unsigned value)
{
    text += static_cast<char>('0' + value / 10 % 10);
    text += static_cast<char>('0' + value % 10);
}

// A point in time as a day count and the nanoseconds into that day, for comparisons.
struct CInstant
{
    std::int64_t day;
    std::int64_t nanos;

    bool operator<(CInstant const & other) const
    {
        return day != other.day ? day < other.day : nanos < other.nanos;
    }
    bool operator==(CInstant const & other) const { return day == other.day && nanos == other.nanos; }
};

} // namespace

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
    if (gmtime_r(&time, &broken) == nullptr || broken.tm_year + 1900 > std::numeric_limits<std::int16_t>::max() ||
        broken.tm_year + 1900 < 1)
        throw CNxInvalidValueException(FormatString("Invalid Year [%lld] (%d <= year <= %d && year != 0)",
                                                    static_cast<long long>(broken.tm_year) + 1900, -9999, 9999));
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
        throw CNxInvalidValueException("Failed to convert FILETIME to SYSTEMTIME");
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
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    std::tm local{};
    localtime_r(&now.tv_sec, &local);
    CSystemTime system{};
    system.year = static_cast<std::uint16_t>(local.tm_year + 1900);
    system.month = static_cast<std::uint16_t>(local.tm_mon + 1);
    system.day = static_cast<std::uint16_t>(local.tm_mday);
    system.hour = static_cast<std::uint16_t>(local.tm_hour);
    system.minute = static_cast<std::uint16_t>(local.tm_min);
    system.second = static_cast<std::uint16_t>(local.tm_sec > 59 ? 59 : local.tm_sec);
    system.milliseconds = static_cast<std::uint16_t>(now.tv_nsec / 1000000);
    return CDateTime(system);
}

void CDateTime::Clear() { *this = CDateTime(); }

void CDateTime::Set(DTType kind, short year, unsigned char month, unsigned char day, unsigned char hour,
                    unsigned char minute, unsigned char second, unsigned short milli, unsigned short micro,
                    unsigned short nano)
{
    if (m_kind != dt_yearZero && m_kind != kind)
        throw CNxInvalidStateException(FormatString("Failed to copy CDateTime. Invalid Date Type: %s, expected: %s.",
                                                    GetTypeAsString(kind).c_str(), GetTypeAsString().c_str()));
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

void CDateTime::SetGMonthDay(unsigned char month, unsigned char day) { Set(dt_gMonthDay, 0, month, day, 0, 0, 0, 0, 0, 0); }

void CDateTime::SetGDay(unsigned char day) { Set(dt_gDay, 0, 0, day, 0, 0, 0, 0, 0, 0); }

void CDateTime::SetDateTime(CDateTime const & source, DTType kind)
{
    DTType const from = source.m_kind;
    if (from < 0 || from > 8)
        throw CNxInvalidValueException(FormatString("Unknown date type %d.", static_cast<int>(from)));
    static unsigned const allowed[9] = {
        0,                                                                               // yearZero
        0x1FF,                                                                           // dateTime: every kind
        Bit(dt_gYearMonth) | Bit(dt_gYear) | Bit(dt_gMonthDay) | Bit(dt_gMonth) | Bit(dt_gDay), // date
        Bit(dt_gYear) | Bit(dt_gMonth),                                                  // gYearMonth
        0, 0, 0, 0,                                                                      // gYear, time, gDay, gMonth
        Bit(dt_gMonth) | Bit(dt_gDay)};                                                  // gMonthDay
    bool const permitted = kind == from || kind == dt_yearZero || (kind >= 0 && kind <= 8 && (allowed[from] & Bit(kind)) != 0);
    if (!permitted)
        throw CNxInvalidValueException(FormatString(
            "Attempting to set a CDateTime of type %s using an XmlDateTime of type %s. The source CDateTime does not "
            "contian enough data to allow the conversion.",
            GetTypeAsString(kind).c_str(), source.GetTypeAsString().c_str()));
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
        throw CNxInvalidStateException(
            FormatString("Failed to %s. Invalid Date Type: %s.", name, GetTypeAsString().c_str()));
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
    return static_cast<unsigned char>(FloorMod<std::int64_t>(DaysFromCivil(ToAstronomical(m_year), m_month, m_day) + 4, 7));
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
        throw CNxInvalidStateException("TimeZone is not been used");
    return m_zoneHour;
}

unsigned char CDateTime::GetZoneMinute() const
{
    if (!m_hasZone)
        throw CNxInvalidStateException("TimeZone is not been used");
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
            FormatString("Invalid TimeZone [%d:%d]", negative ? -static_cast<int>(hour) : static_cast<int>(hour), minute));
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

namespace
{

// The instant of a value: missing date parts taken from 1972-12-31, the zone applied when it
// has one (or the given one, in minutes east of UTC, when `zoneMinutes` is set).
CInstant InstantOf(std::int64_t year, int month, int day, std::int64_t timeNanos, std::int64_t offsetMinutes)
{
    CInstant instant{DaysFromCivil(ToAstronomical(year), month, day), timeNanos - offsetMinutes * 60 * NanosPerSecond};
    instant.day += FloorDiv(instant.nanos, NanosPerDay);
    instant.nanos = FloorMod(instant.nanos, NanosPerDay);
    return instant;
}

} // namespace

std::time_t CDateTime::GetTime() const
{
    if (!Has(DateKinds, m_kind))
        throw CNxInvalidStateException(FormatString(
            "Failed to GetTime, Date Status must be dateTime or date. Invalid Date Type: %s.", GetTypeAsString().c_str()));
    std::int64_t const offset = m_hasZone ? (m_zoneNegative ? -1 : 1) * (std::abs(m_zoneHour) * 60 + m_zoneMinute) : 0;
    std::int64_t const timeNanos =
        ((m_hour * 60 + m_minute) * 60 + m_second) * NanosPerSecond;
    CInstant const instant = InstantOf(m_year, m_month, m_day, timeNanos, offset);
    return static_cast<std::time_t>(instant.day * 86400 + instant.nanos / NanosPerSecond);
}

CSystemTime CDateTime::GetAsSystemTime() const
{
    if (m_kind != dt_dateTime)
        throw CNxInvalidStateException(FormatString(
            "Failed to GetAsSystemTime, Date Status must be dateTime. Invalid Date Type: %s.", GetTypeAsString().c_str()));
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
    auto const step = [&](std::int64_t field, __int128 amount, std::int64_t range) {
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
    __int128 const days = DaysFromCivil(year, static_cast<int>(month), 1) + (day - 1) +
                          s * static_cast<__int128>(span.GetDays()) + carry;
    if (days > std::numeric_limits<std::int64_t>::max() / 2 || days < std::numeric_limits<std::int64_t>::min() / 2)
        throw CNxInvalidValueException(
            FormatString("Invalid Year [%d] (%d <= year <= %d && year != 0)", 0, -9999, 9999));
    int newMonth = 0;
    int newDay = 0;
    CivilFromDays(static_cast<std::int64_t>(days), year, newMonth, newDay);
    std::int64_t const stored = FromAstronomical(year);
    if (hasYear && (stored > std::numeric_limits<std::int16_t>::max() || stored < std::numeric_limits<std::int16_t>::min()))
        throw CNxInvalidValueException(FormatString("Invalid Year [%lld] (%d <= year <= %d && year != 0)",
                                                    static_cast<long long>(stored), -9999, 9999));
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
    auto const instant = [](CDateTime const & value, bool zoned, std::int64_t offsetMinutes) {
        std::int64_t const year = Has(YearKinds, value.m_kind) ? value.m_year : 1972;
        int const month = Has(MonthKinds, value.m_kind) ? value.m_month : 12;
        int const day = Has(DayKinds, value.m_kind) ? value.m_day : 31;
        std::int64_t const timeNanos =
            ((value.m_hour * 60 + value.m_minute) * 60 + value.m_second) * NanosPerSecond +
            value.m_milliSecond * 1000000LL + value.m_microSecond * 1000LL + value.m_nanoSecond;
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
    auto const nanos = [](CDateTime const & value) {
        std::int64_t const offset =
            value.m_hasZone ? (value.m_zoneNegative ? -1 : 1) * (std::abs(value.m_zoneHour) * 60 + value.m_zoneMinute) : 0;
        std::int64_t const year = Has(YearKinds, value.m_kind) ? value.m_year : 1972;
        int const month = Has(MonthKinds, value.m_kind) ? value.m_month : 12;
        int const day = Has(DayKinds, value.m_kind) ? value.m_day : 31;
        std::int64_t const timeNanos =
            ((value.m_hour * 60 + value.m_minute) * 60 + value.m_second) * NanosPerSecond +
            value.m_milliSecond * 1000000LL + value.m_microSecond * 1000LL + value.m_nanoSecond;
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
                       static_cast<std::uint16_t>(difference / 1000 % 1000), static_cast<std::uint16_t>(difference % 1000));
    if (negative)
        span.Negate();
    return span;
}

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
        throw CNxInvalidValueException("Invalid DateTime (Null String)");
    char const * const t = std::strchr(text, 'T');
    if (t == nullptr)
        throw CNxInvalidValueException(FormatString("Invalid XSD DateTime [%s].", text));
    Clear();
    std::string const datePart(text, static_cast<std::size_t>(t - text));
    SetXSDDate(datePart.c_str());
    if (m_kind != dt_date)
        throw CNxInvalidValueException(
            FormatString("Invalid XSD DateTime [%s] expected CCYY-MM-DDThh:mm:ss[.ff]", text));
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
        throw CNxInvalidValueException("Invalid Date (Null String)");
    std::size_t const length = std::strlen(text);
    if (length == 0)
        throw CNxInvalidValueException("Invalid Date (Empty String)");
    bool const utc = text[length - 1] == 'Z';
    bool const zone = std::strchr(text, ':') != nullptr;
    if (utc && zone)
        throw CNxInvalidValueException("Invalid Date (Bad Zone value)");
    if (std::strchr(text, 'T') != nullptr)
        throw CNxInvalidValueException("Invalid Date ('T' not allowed)");
    std::size_t const zoneLength = utc ? 1 : zone ? 6 : 0;
    auto const fail = [text] {
        throw CNxInvalidValueException(
            FormatString("Invalid XSD Date [%s] expected CCYY-MM-DD[Z|[+|-]hh:mm]", text));
    };
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
        throw CNxInvalidValueException("Invalid Time (Null String)");
    std::size_t const length = std::strlen(text);
    if (length == 0)
        throw CNxInvalidValueException("Invalid XSD Time (Empty String)");
    auto const fail = [text] {
        throw CNxInvalidValueException(FormatString("Invalid XSD Time [%s] expected hh:mm:ss[.ff]", text));
    };
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
            throw CNxInvalidValueException(FormatString("Invalid XSD Time [%s] Fraction part too long", text));
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
        throw CNxInvalidValueException(FormatString("Invalid XSD Time Zone [%s].", std::string(text, length).c_str()));
    int hour = TwoDigits(text + 1);
    if (hour == 24)
        hour = 0;
    SetTimeZone(text[0] == '-', static_cast<unsigned short>(hour), static_cast<unsigned char>(TwoDigits(text + 4)));
}

void CDateTime::Validate() const
{
    if (m_kind == dt_yearZero)
        throw CNxInvalidValueException("Invalid Year Zero");
    std::string const name = GetTypeAsString();
    auto const fail = [](std::string const & message) { throw CNxInvalidValueException(message); };
    if (Has(MonthKinds, m_kind))
    {
        if (m_month < 1 || m_month > 12)
            fail(FormatString("Invalid Month [%d] (1 <= month <= 12)", m_month));
    }
    else if (m_month != 0)
        fail(FormatString("Invalid Month [%d] for type %s", m_month, name.c_str()));
    if (Has(YearKinds, m_kind))
    {
        if (m_year < -9999 || m_year > 9999 || m_year == 0)
            fail(FormatString("Invalid Year [%d] (%d <= year <= %d && year != 0)", m_year, -9999, 9999));
    }
    else if (m_year != 0)
        fail(FormatString("Invalid Year [%d] for type %s", m_year, name.c_str()));
    if (Has(DateKinds, m_kind))
    {
        if (m_day < 1 || m_day > DaysInMonth(m_year, m_month))
            fail(FormatString("Invalid Day [%d] (1 <= day <= days in month", m_day));
    }
    else if (m_kind == dt_gMonthDay)
    {
        if (m_day < 1 || m_day > (m_month == 2 ? 29 : DaysInMonth(1, m_month)))
            fail(FormatString("Invalid Day [%d] (1 <= day <= days in month)", m_day));
    }
    else if (m_kind == dt_gDay)
    {
        if (m_day < 1 || m_day > 31)
            fail(FormatString("Invalid Day [%d] (1 <= day <= 31)", m_day));
    }
    else if (m_day != 0)
        fail(FormatString("Invalid Day [%d] for type %s", m_day, name.c_str()));
    struct CLimit
    {
        char const * inRange;
        char const * forType;
        int value;
        int maximum;
    };
    CLimit const limits[6] = {
        {"Invalid Hour [%d] (0 <= hour <= 23)", "Invalid Hour [%d] for type %s", m_hour, 23},
        {"Invalid Minute [%d] (0 <= minute <= 59)", "Invalid Minute [%d] for type %s", m_minute, 59},
        {"Invalid Second [%d] (0 <= second <= 59)", "Invalid Second [%d] for type %s", m_second, 59},
        {"Invalid Milli-Second [%d] (0 <= milli <= 999)", "Invalid Milli-Second [%d] for type %s", m_milliSecond, 999},
        {"Invalid Micro-Second [%d] (0 <= micro <= 999)", "Invalid Micro-Second [%d] for type %s", m_microSecond, 999},
        {"Invalid Nano-Second [%d] (0 <= nano <= 999)", "Invalid Nano-Second [%d] for type %s", m_nanoSecond, 999}};
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
    auto const appendYear = [&] {
        if (m_year < 0)
            text += '-';
        char digits[8];
        std::snprintf(digits, sizeof digits, "%04d", m_year < 0 ? -m_year : m_year);
        text += digits;
    };
    auto const appendTime = [&] {
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

void CDateTimeSpan::SetDateTimeSpan(std::uint16_t years, std::uint32_t months, std::uint32_t days,
                                    std::uint32_t hours, std::uint64_t minutes, std::uint64_t seconds,
                                    std::uint16_t milliSeconds, std::uint16_t microSeconds, std::uint16_t nanoSeconds)
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
        throw CNxInvalidValueException("Invalid XSD Duration (Null String)");
    std::size_t const length = std::strlen(text);
    if (length == 0)
        throw CNxInvalidValueException("Invalid XSD Duration (Empty String)");
    auto const fail = [text] {
        throw CNxInvalidValueException(
            FormatString("Invalid XSD Duration [%s] expected [-]P[nY][nM][nD][T[nH][nM][nS.ff]]", text));
    };
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
        auto const fits = [&](std::uint64_t maximum) {
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
                throw CNxInvalidValueException(FormatString("Invalid XSD Duration [%s] Fraction part too long", text));
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
    auto const append = [&text](std::uint64_t value, char designator) {
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
