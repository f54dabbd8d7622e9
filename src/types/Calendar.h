// Calendar arithmetic of the date and time values: the kinds that carry each field, leap years,
// day counts of the proleptic Gregorian calendar and instants for comparisons.
#pragma once

#include "DateTime.h"

#include <cstdint>

namespace NxXmlLib16::Calendar
{

using DTType = CDateTime::DTType;

constexpr unsigned Bit(DTType kind) { return 1u << kind; }

constexpr unsigned YearKinds =
    Bit(CDateTime::dt_dateTime) | Bit(CDateTime::dt_date) | Bit(CDateTime::dt_gYearMonth) | Bit(CDateTime::dt_gYear);
constexpr unsigned MonthKinds = Bit(CDateTime::dt_dateTime) | Bit(CDateTime::dt_date) | Bit(CDateTime::dt_gYearMonth) |
                                Bit(CDateTime::dt_gMonthDay) | Bit(CDateTime::dt_gMonth);
constexpr unsigned DayKinds =
    Bit(CDateTime::dt_dateTime) | Bit(CDateTime::dt_date) | Bit(CDateTime::dt_gDay) | Bit(CDateTime::dt_gMonthDay);
constexpr unsigned TimeKinds = Bit(CDateTime::dt_dateTime) | Bit(CDateTime::dt_time);
constexpr unsigned DateKinds = Bit(CDateTime::dt_dateTime) | Bit(CDateTime::dt_date);

constexpr std::int64_t NanosPerSecond = 1000000000;
constexpr std::int64_t NanosPerDay = 86400 * NanosPerSecond;

inline bool Has(unsigned kinds, DTType kind) { return kind >= 0 && kind <= 8 && (kinds & Bit(kind)) != 0; }

inline bool IsLeap(std::int64_t year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

inline int DaysInMonth(std::int64_t year, int month)
{
    static int const days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12)
        return 31;
    return month == 2 && IsLeap(year) ? 29 : days[month - 1];
}

// Years as stored have no year 0: -1 is the year before 1. Arithmetic runs on astronomical
// years, where the year before 1 is 0.
inline std::int64_t ToAstronomical(std::int64_t year) { return year < 0 ? year + 1 : year; }
inline std::int64_t FromAstronomical(std::int64_t year) { return year <= 0 ? year - 1 : year; }

// Days since 1970-01-01 of a proleptic Gregorian date (astronomical year).
inline std::int64_t DaysFromCivil(std::int64_t year, int month, int day)
{
    year -= month <= 2;
    std::int64_t const era = (year >= 0 ? year : year - 399) / 400;
    std::int64_t const yearOfEra = year - era * 400;
    std::int64_t const dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    std::int64_t const dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

// The date (astronomical year) of a day count since 1970-01-01.
inline void CivilFromDays(std::int64_t days, std::int64_t & year, int & month, int & day)
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
inline T FloorMod(T value, T divisor)
{
    T const remainder = value % divisor;
    return remainder < 0 ? remainder + divisor : remainder;
}

template <class T>
inline T FloorDiv(T value, T divisor)
{
    return (value - FloorMod(value, divisor)) / divisor;
}

// A point in time as a day count and the nanoseconds into that day, for comparisons.
struct CInstant
{
    std::int64_t day;
    std::int64_t nanos;

    bool operator<(CInstant const & other) const { return day != other.day ? day < other.day : nanos < other.nanos; }
    bool operator==(CInstant const & other) const { return day == other.day && nanos == other.nanos; }
};

// The instant of a value: missing date parts taken from 1972-12-31, the zone applied when it
// has one (or the given one, in minutes east of UTC, when `zoneMinutes` is set).
// The instant of a value: missing date parts taken from 1972-12-31, the zone applied when it
// has one (or the given one, in minutes east of UTC, when `zoneMinutes` is set).
inline CInstant InstantOf(std::int64_t year, int month, int day, std::int64_t timeNanos, std::int64_t offsetMinutes)
{
    CInstant instant{DaysFromCivil(ToAstronomical(year), month, day), timeNanos - offsetMinutes * 60 * NanosPerSecond};
    instant.day += FloorDiv(instant.nanos, NanosPerDay);
    instant.nanos = FloorMod(instant.nanos, NanosPerDay);
    return instant;
}

} // namespace NxXmlLib16::Calendar
