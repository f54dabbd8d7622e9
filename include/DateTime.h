// CDateTime and CDateTimeSpan: the eight XSD date and time kinds, and durations.
#pragma once

#include <cstdint>
#include <ctime>
#include <string>

namespace NxXmlLib16
{

class CDateTimeSpan;

// A calendar date and time of day to the millisecond, as the platform clock reports it.
struct CSystemTime
{
    std::uint16_t year;
    std::uint16_t month;     // 1 to 12
    std::uint16_t dayOfWeek; // 0 Sunday to 6 Saturday
    std::uint16_t day;
    std::uint16_t hour;
    std::uint16_t minute;
    std::uint16_t second;
    std::uint16_t milliseconds;
};

// A count of 100-nanosecond intervals since 1601-01-01T00:00:00Z, in two halves.
struct CFileTime
{
    std::uint32_t lowDateTime;
    std::uint32_t highDateTime;
};

// One value of any XSD date or time kind, held broken down (year to nanosecond and time zone)
// so that every lexical form is written back exactly.
class CDateTime
{
public:
    // Which components the value has.
    enum DTType : std::int32_t
    {
        dt_yearZero = 0, // not set
        dt_dateTime = 1,
        dt_date = 2,
        dt_gYearMonth = 3,
        dt_gYear = 4,
        dt_time = 5,
        dt_gDay = 6,
        dt_gMonth = 7,
        dt_gMonthDay = 8
    };

    // The XSD partial order: zoned and unzoned values may be incomparable.
    enum DTCompareResult : std::int32_t
    {
        dtcr_Equal = 0,
        dtcr_LessThan = 1,
        dtcr_GreaterThan = 2,
        dtcr_Indeterminate = 3
    };

    CDateTime();
    explicit CDateTime(DTType kind);
    // Parses an xs:dateTime.
    explicit CDateTime(char const * text);
    // A C time, read as UTC, as a dateTime without zone.
    explicit CDateTime(std::time_t const & time);
    explicit CDateTime(CSystemTime const & time);
    explicit CDateTime(CFileTime const & time);
    // A date.
    CDateTime(short year, unsigned char month, unsigned char day);
    // A dateTime.
    CDateTime(short year, unsigned char month, unsigned char day, unsigned char hour, unsigned char minute,
              unsigned char second, unsigned short milliSecond = 0, unsigned short microSecond = 0,
              unsigned short nanoSecond = 0);
    CDateTime(CDateTime const &) = default;
    CDateTime & operator=(CDateTime const &) = default;
    CDateTime & operator=(std::time_t const & time);
    CDateTime & operator=(CSystemTime const & time);
    CDateTime & operator=(CFileTime const & time);
    virtual ~CDateTime() = default;

    // The local time now, as a dateTime without zone.
    static CDateTime GetTickCount();

    // Setters of a whole value; a value of another kind than the one set is refused.
    void SetDateTime(short year, unsigned char month, unsigned char day, unsigned char hour, unsigned char minute,
                     unsigned char second);
    void SetDateTime(short year, unsigned char month, unsigned char day, unsigned char hour, unsigned char minute,
                     unsigned char second, unsigned short milliSecond, unsigned short microSecond,
                     unsigned short nanoSecond);
    void SetDate(short year, unsigned char month, unsigned char day);
    void SetTime(unsigned char hour, unsigned char minute, unsigned char second);
    void SetTime(unsigned char hour, unsigned char minute, unsigned char second, unsigned short milliSecond,
                 unsigned short microSecond, unsigned short nanoSecond);
    void SetFracTime(unsigned short milliSecond, unsigned short microSecond, unsigned short nanoSecond);
    void SetGYear(short year);
    void SetGYearMonth(short year, unsigned char month);
    void SetGMonth(unsigned char month);
    void SetGMonthDay(unsigned char month, unsigned char day);
    void SetGDay(unsigned char day);
    // Copies the components of `source` that `kind` uses, when the source has them all.
    void SetDateTime(CDateTime const & source, DTType kind);

    // Components; each is allowed only for the kinds that have it.
    short GetYear() const;
    unsigned char GetMonth() const;
    unsigned char GetDay() const;
    unsigned char GetHour() const;
    unsigned char GetMinute() const;
    unsigned char GetSecond() const;
    unsigned short GetMilliSecond() const;
    unsigned short GetMicroSecond() const;
    unsigned short GetNanoSecond() const;
    // The second with its fraction.
    double GetRealSecond() const;
    // 0 Sunday to 6 Saturday.
    unsigned char GetDayOfWeek() const;
    // 1 to 366.
    unsigned short GetDayOfYear() const;
    void SetYear(short year);
    void SetMonth(unsigned char month);
    void SetDay(unsigned char day);
    void SetHour(unsigned char hour);
    void SetMinute(unsigned char minute);
    void SetSecond(unsigned char second);
    void SetMilliSecond(unsigned short milliSecond);
    void SetMicroSecond(unsigned short microSecond);
    void SetNanoSecond(unsigned short nanoSecond);

    // The zone: "Z" (UTC), an explicit offset, or none.
    bool IsUTC() const { return m_utc; }
    bool HasTimeZone() const { return m_hasZone; }
    // The offset's hours, with its sign; throws without an explicit zone.
    short GetZoneHour() const;
    unsigned char GetZoneMinute() const;
    // Whether the offset is negative (also for "-00:30", whose hour is 0).
    bool IsZoneNegative() const;
    void SetUTC();
    // An explicit offset; the sign of the hour is the sign of the offset.
    void SetTimeZone(short hour, unsigned char minute);
    // An explicit offset with its own sign, for offsets below one hour.
    void SetTimeZone(bool negative, unsigned short hour, unsigned char minute);
    void ClearTimeZone();

    DTType GetType() const { return m_kind; }
    std::string GetTypeAsString() const { return GetTypeAsString(m_kind); }
    static std::string GetTypeAsString(DTType kind);

    // A C time (UTC) of a dateTime or date.
    std::time_t GetTime() const;
    CSystemTime GetAsSystemTime() const;
    // A copy moved to UTC (zone +00:00); a value without zone is returned as it is.
    CDateTime GetNormalized() const;
    DTCompareResult CompareTo(CDateTime const & other) const;

    // Parses the kinds date, gYear, gYearMonth, gMonth, gMonthDay and gDay; the text decides.
    void ParseXSDDate(char const * text);
    // Parses an xs:time.
    void ParseXSDTime(char const * text);
    // Parses an xs:dateTime.
    void ParseXSDDateTime(char const * text);
    // Throws the first rule the value breaks.
    void Validate() const;
    // "s": the XSD form of the value's kind; "G" or empty: ""; otherwise "Unknown Format: ...".
    std::string ToString(char const * format = "s") const;

    bool operator==(CDateTime const & other) const { return CompareTo(other) == dtcr_Equal; }
    bool operator!=(CDateTime const & other) const { return CompareTo(other) != dtcr_Equal; }
    bool operator<(CDateTime const & other) const { return CompareTo(other) == dtcr_LessThan; }
    bool operator>(CDateTime const & other) const { return CompareTo(other) == dtcr_GreaterThan; }
    bool operator<=(CDateTime const & other) const;
    bool operator>=(CDateTime const & other) const;

    CDateTime operator+(CDateTimeSpan const & span) const;
    CDateTime & operator+=(CDateTimeSpan const & span);
    CDateTime operator-(CDateTimeSpan const & span) const;
    CDateTime & operator-=(CDateTimeSpan const & span);
    // The duration from other to this value, in days, hours, minutes, seconds and fractions
    // between the two instants (zoned values normalized first).
    CDateTimeSpan operator-(CDateTime const & other) const;

private:
    void Set(DTType kind, short year, unsigned char month, unsigned char day, unsigned char hour, unsigned char minute,
             unsigned char second, unsigned short milli, unsigned short micro, unsigned short nano);
    void Clear();
    // Throws "Failed to <name>. Invalid Date Type: ..." unless the kind is allowed.
    void CheckKind(char const * name, unsigned allowedKinds) const;
    void SetXSDDate(char const * text);
    void SetXSDTime(char const * text);
    void SetZone(char const * text, std::size_t length);
    // Adds a duration with the XSD carry rules.
    void Add(CDateTimeSpan const & span, bool subtract);

    DTType m_kind = dt_yearZero;
    std::int16_t m_year = 0;
    std::uint8_t m_month = 0;
    std::uint8_t m_day = 0;
    std::uint8_t m_hour = 0;
    std::uint8_t m_minute = 0;
    std::uint8_t m_second = 0;
    std::uint16_t m_milliSecond = 0;
    std::uint16_t m_microSecond = 0;
    std::uint16_t m_nanoSecond = 0;
    bool m_utc = false;
    bool m_hasZone = false;
    std::int16_t m_zoneHour = 0;
    std::uint8_t m_zoneMinute = 0;
    bool m_zoneNegative = false; // the sign of the offset, kept also when its hour is 0
};

// An XSD duration, one unsigned field per designator as written, and a sign.
class CDateTimeSpan
{
public:
    CDateTimeSpan() = default;
    CDateTimeSpan(std::uint32_t hours, std::uint64_t minutes, std::uint64_t seconds);
    CDateTimeSpan(std::uint16_t years, std::uint32_t months, std::uint32_t days, std::uint32_t hours,
                  std::uint64_t minutes, std::uint64_t seconds, std::uint16_t milliSeconds = 0,
                  std::uint16_t microSeconds = 0, std::uint16_t nanoSeconds = 0);
    CDateTimeSpan(CDateTimeSpan const &) = default;
    CDateTimeSpan & operator=(CDateTimeSpan const &) = default;
    virtual ~CDateTimeSpan() = default;

    // Clear every field, the sign included, and store the given ones.
    void SetDateTimeSpan(std::uint32_t hours, std::uint64_t minutes, std::uint64_t seconds);
    void SetDateTimeSpan(std::uint16_t years, std::uint32_t months, std::uint32_t days, std::uint32_t hours,
                         std::uint64_t minutes, std::uint64_t seconds, std::uint16_t milliSeconds = 0,
                         std::uint16_t microSeconds = 0, std::uint16_t nanoSeconds = 0);

    std::uint16_t GetYears() const { return m_years; }
    std::uint32_t GetMonths() const { return m_months; }
    std::uint32_t GetDays() const { return m_days; }
    std::uint32_t GetHours() const { return m_hours; }
    std::uint64_t GetMinutes() const { return m_minutes; }
    std::uint64_t GetSeconds() const { return m_seconds; }
    std::uint16_t GetMilliSeconds() const { return m_milliSeconds; }
    std::uint16_t GetMicroSeconds() const { return m_microSeconds; }
    std::uint16_t GetNanoSeconds() const { return m_nanoSeconds; }
    void SetYears(std::uint16_t years) { m_years = years; }
    void SetMonths(std::uint32_t months) { m_months = months; }
    void SetDays(std::uint32_t days) { m_days = days; }
    void SetHours(std::uint32_t hours) { m_hours = hours; }
    void SetMinutes(std::uint64_t minutes) { m_minutes = minutes; }
    void SetSeconds(std::uint64_t seconds) { m_seconds = seconds; }
    void SetMilliSeconds(std::uint16_t milliSeconds) { m_milliSeconds = milliSeconds; }
    void SetMicroSeconds(std::uint16_t microSeconds) { m_microSeconds = microSeconds; }
    void SetNanoSeconds(std::uint16_t nanoSeconds) { m_nanoSeconds = nanoSeconds; }

    bool IsNegative() const { return m_negative; }
    void Negate() { m_negative = !m_negative; }
    // A copy with the sign set.
    CDateTimeSpan GetAsNegative() const;

    // Parses [-]P[nY][nM][nD][T[nH][nM][n[.fffffffff]S]].
    void ParseXSDDuration(char const * text);
    // The XSD form; a zero duration is "PT0S".
    std::string ToString() const;

    // The XSD partial order, from four reference instants.
    CDateTime::DTCompareResult CompareTo(CDateTimeSpan const & other) const;
    bool operator==(CDateTimeSpan const & other) const { return CompareTo(other) == CDateTime::dtcr_Equal; }
    bool operator!=(CDateTimeSpan const & other) const { return CompareTo(other) != CDateTime::dtcr_Equal; }
    bool operator<(CDateTimeSpan const & other) const { return CompareTo(other) == CDateTime::dtcr_LessThan; }
    bool operator>(CDateTimeSpan const & other) const { return CompareTo(other) == CDateTime::dtcr_GreaterThan; }

private:
    std::uint16_t m_years = 0;
    std::uint32_t m_months = 0;
    std::uint32_t m_days = 0;
    std::uint32_t m_hours = 0;
    std::uint64_t m_minutes = 0;
    std::uint64_t m_seconds = 0;
    std::uint16_t m_milliSeconds = 0;
    std::uint16_t m_microSeconds = 0;
    std::uint16_t m_nanoSeconds = 0;
    bool m_negative = false;
};

} // namespace NxXmlLib16
