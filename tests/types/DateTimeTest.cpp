#include "TypesTestSupport.h"

#include "DateTime.h"

#include <tuple>

using namespace NxXmlLib16;
using NxXmlTest::ExpectInvalid;
using NxXmlTest::ExpectThrows;

namespace
{

CDateTime Date(char const * text)
{
    CDateTime value;
    value.ParseXSDDate(text);
    return value;
}

CDateTime Time(char const * text)
{
    CDateTime value;
    value.ParseXSDTime(text);
    return value;
}

// The text read by the reading of its kind: date and time kinds, or a date with a time.
CDateTime Parsed(CDateTime::DTType kind, char const * text)
{
    return kind == CDateTime::dt_time ? Time(text) : kind == CDateTime::dt_dateTime ? CDateTime(text) : Date(text);
}

CDateTimeSpan Span(char const * text)
{
    CDateTimeSpan value;
    value.ParseXSDDuration(text);
    return value;
}

} // namespace

TEST(DateTime, LexicalFormsOfEveryKind)
{
    // The kind, the text and how it is written (null: as it was read).
    std::tuple<CDateTime::DTType, char const *, char const *> const cases[] = {{CDateTime::dt_gYear, "0001", nullptr},
                           {CDateTime::dt_gYearMonth, "-9999-12", nullptr},
                           {CDateTime::dt_date, "-0044-03-15", nullptr},
                           {CDateTime::dt_date, "2004-02-29", nullptr},
                           {CDateTime::dt_date, "2004-05-06-13:30", nullptr},
                           {CDateTime::dt_date, "2004-05-06+24:00", "2004-05-06+00:00"},
                           {CDateTime::dt_gMonth, "--05", nullptr},
                           {CDateTime::dt_gMonth, "--05--", "--05"},
                           {CDateTime::dt_gMonthDay, "--02-29", nullptr},
                           {CDateTime::dt_gMonthDay, "--12-31Z", nullptr},
                           {CDateTime::dt_gDay, "---31", nullptr},
                           {CDateTime::dt_time, "00:00:00Z", nullptr},
                           {CDateTime::dt_time, "23:59:59.999999999", nullptr},
                           {CDateTime::dt_time, "12:30:45.120", "12:30:45.12"},
                           {CDateTime::dt_time, "12:30:45.5+05:30", nullptr},
                           {CDateTime::dt_time, "12:30:45.1-00:30", nullptr},
                           {CDateTime::dt_dateTime, "2004-05-06T10:00:00.123Z", nullptr},
                           {CDateTime::dt_dateTime, "-0001-01-01T00:00:00+14:00", nullptr}};
    for (auto const & [kind, text, written] : cases)
    {
        CDateTime const value = Parsed(kind, text);
        EXPECT_EQ(kind, value.GetType()) << text;
        EXPECT_EQ(written != nullptr ? written : text, value.ToString()) << text;
    }
    EXPECT_EQ(-44, Date("-0044-03-15").GetYear());
    CDateTime const negativeHalfHour = Time("10:00:00-00:30");
    EXPECT_TRUE(negativeHalfHour.IsZoneNegative());
    EXPECT_EQ(0, negativeHalfHour.GetZoneHour());
    EXPECT_EQ(30, negativeHalfHour.GetZoneMinute());
    EXPECT_EQ("10:30:00+00:00", negativeHalfHour.GetNormalized().ToString());
}

TEST(DateTime, InvalidForms)
{
    CDateTime::DTType const D = CDateTime::dt_date, T = CDateTime::dt_time, DT = CDateTime::dt_dateTime;
    std::tuple<CDateTime::DTType, char const *, char const *> const cases[] = {
        {D, "20040-01-01", "Invalid XSD Date [20040-01-01] expected CCYY-MM-DD[Z|[+|-]hh:mm]"},
        {D, "0000-01-01", "Invalid Year [0] (-9999 <= year <= 9999 && year != 0)"},
        {D, "2003-02-29", "Invalid Day [29] (1 <= day <= days in month"},
        {D, "--02-30", "Invalid Day [30] (1 <= day <= days in month)"},
        {D, "---32", "Invalid Day [32] (1 <= day <= 31)"},
        {D, "2004-13", "Invalid Month [13] (1 <= month <= 12)"},
        {D, "2004-05-06+01:00Z", "Invalid Date (Bad Zone value)"},
        {D, "2004-05-06T10:00:00", "Invalid Date ('T' not allowed)"},
        {D, "", "Invalid Date (Empty String)"},
        {D, nullptr, "Invalid Date (Null String)"},
        {D, "2004-05-06+1:00", "Invalid XSD Date [2004-05-06+1:00] expected CCYY-MM-DD[Z|[+|-]hh:mm]"},
        {D, "2004-05-06+1x:00", "Invalid XSD Time Zone [+1x:00]."},
        {D, "2004-05-06+01:60", "Invalid TimeZone [1:60]"},
        {T, "12:30:45.1234567890", "Invalid XSD Time [12:30:45.1234567890] Fraction part too long"},
        {T, "24:00:00", "Invalid XSD Time [24:00:00] expected hh:mm:ss[.ff]"},
        {T, "12:60:00", "Invalid XSD Time [12:60:00] expected hh:mm:ss[.ff]"},
        {T, "12:30", "Invalid XSD Time [12:30] expected hh:mm:ss[.ff]"},
        {T, "12:30:00junk", "Invalid XSD Time Zone [junk]."},
        {T, "", "Invalid XSD Time (Empty String)"},
        {T, nullptr, "Invalid Time (Null String)"},
        {DT, nullptr, "Invalid DateTime (Null String)"},
        {DT, "2004-05-06", "Invalid XSD DateTime [2004-05-06]."},
        {DT, "2004-05T10:00:00", "Invalid XSD DateTime [2004-05T10:00:00] expected CCYY-MM-DDThh:mm:ss[.ff]"}};
    for (auto const & [kind, text, message] : cases)
        ExpectInvalid([&, kind = kind, text = text] { Parsed(kind, text); }, message);
}

TEST(DateTime, ValidationAndKindChecks)
{
    ExpectInvalid([] { CDateTime().Validate(); }, "Invalid Year Zero");
    CDateTime time(CDateTime::dt_time);
    time.SetHour(25);
    ExpectInvalid([&] { time.Validate(); }, "Invalid Hour [25] (0 <= hour <= 23)");
    CDateTime broken(2004, 5, 6);
    broken.SetMonth(0);
    ExpectInvalid([&] { broken.Validate(); }, "Invalid Month [0] (1 <= month <= 12)");

    CDateTime const date = Date("2004-05-06");
    std::pair<std::function<void()>, char const *> const wrongKinds[] = {
        {[&] { date.GetHour(); }, "Failed to GetHour. Invalid Date Type: date."},
        {[] { Date("--05").GetYear(); }, "Failed to GetYear. Invalid Date Type: gMonth."},
        {[] { Time("10:00:00").GetDayOfWeek(); }, "Failed to GetDayOfWeek. Invalid Date Type: time."},
        {[&] { date.GetAsSystemTime(); },
         "Failed to GetAsSystemTime, Date Status must be dateTime. Invalid Date Type: date."},
        {[] { Time("10:00:00").GetTime(); },
         "Failed to GetTime, Date Status must be dateTime or date. Invalid Date Type: time."},
        {[&] { date.GetZoneHour(); }, "TimeZone is not been used"}};
    for (auto const & [action, message] : wrongKinds)
        ExpectThrows<CNxInvalidStateException>(action, message);
    CDateTime value = date;
    ExpectThrows<CNxInvalidStateException>([&] { value.SetTime(1, 2, 3); },
                                           "Failed to copy CDateTime. Invalid Date Type: time, expected: date.");
    EXPECT_EQ("2004-05-06", value.ToString()); // unchanged
    EXPECT_EQ("dateTime", CDateTime::GetTypeAsString(CDateTime::dt_dateTime));
    EXPECT_EQ("", CDateTime::GetTypeAsString(static_cast<CDateTime::DTType>(9)));
}

TEST(DateTime, ToStringFormats)
{
    EXPECT_EQ("Error: Date Not Set", CDateTime(CDateTime::dt_date).ToString());
    EXPECT_EQ("00:00:00", CDateTime(CDateTime::dt_time).ToString());
    CDateTime const date = Date("2004-05-06");
    EXPECT_EQ("Unknown Format: x", date.ToString("x"));
    EXPECT_EQ("", date.ToString("G"));
    EXPECT_EQ("", date.ToString(nullptr));
    CDateTime fractions(CDateTime::dt_time);
    fractions.SetTime(1, 2, 3, 10, 0, 0);
    EXPECT_EQ("01:02:03.01", fractions.ToString());
    fractions.SetTime(1, 2, 3, 0, 0, 7);
    EXPECT_EQ("01:02:03.000000007", fractions.ToString());
}

TEST(DateTime, ArithmeticAndComparison)
{
    // Months first, the day clamped to the month; then days and seconds, carried through leap days.
    std::tuple<char const *, char const *, char const *> const sums[] = {
        {"2004-05-06T23:59:59.999", "PT0.001S", "2004-05-07T00:00:00"},
        {"1900-01-31T00:00:00", "P1M", "1900-02-28T00:00:00"},
        {"2000-01-31T12:00:00", "P1M", "2000-02-29T12:00:00"},
        {"1900-02-28T23:00:00", "PT1H", "1900-03-01T00:00:00"},
        {"2099-12-31T23:59:59", "P1DT1S", "2100-01-02T00:00:00"},
        {"2000-03-01T00:00:00", "-P1D", "2000-02-29T00:00:00"},
        {"1601-01-01T00:00:00", "P29M999DT99H199999S", "1606-03-02T10:33:19"},
        {"2299-12-31T23:59:59", "-P29M999DT99H199999S", "2294-10-30T13:26:40"},
        {"2005-01-15T00:00:00", "-P13M", "2003-12-15T00:00:00"},
        {"2004-05-31T10:00:00", "-P3M", "2004-02-29T10:00:00"}};
    for (auto const & [start, span, sum] : sums)
        EXPECT_EQ(sum, (CDateTime(start) + Span(span)).ToString()) << start << " + " << span;
    EXPECT_EQ("2004-02-29", (Date("2004-01-31") + Span("P1M")).ToString());
    EXPECT_EQ("2004-02-29", (Date("2004-03-31") - Span("P1M")).ToString());
    EXPECT_EQ("00:30:00", (Time("23:30:00") + Span("PT1H")).ToString());   // a time of day wraps
    EXPECT_EQ("0001-01-01", (Date("-0001-12-31") + Span("P1D")).ToString()); // there is no year 0
    CDateTime value = Date("2004-05-06");
    value += Span("P1Y");
    value -= Span("P2D");
    EXPECT_EQ("2005-05-04", value.ToString());
    EXPECT_EQ("P1DT1H0.5S", (CDateTime("2004-03-01T01:00:00.5") - CDateTime("2004-02-29T00:00:00")).ToString());
    EXPECT_EQ("-PT1H", (CDateTime("2004-05-06T09:00:00Z") - CDateTime("2004-05-06T11:00:00+01:00")).ToString());
    EXPECT_EQ("PT0S", (Date("2004-05-06") - Date("2004-05-06")).ToString());
    EXPECT_EQ("2004-05-07T01:30:00+00:00", CDateTime("2004-05-06T20:00:00-05:30").GetNormalized().ToString());

    // Zoned values compare as instants; a zoned and an unzoned one only beyond 14 hours apart.
    std::tuple<char const *, char const *, CDateTime::DTCompareResult> const orders[] = {
        {"2004-05-06T10:00:00Z", "2004-05-06T10:00:00", CDateTime::dtcr_Indeterminate},
        {"2004-05-06T20:00:00Z", "2004-05-06T00:00:00", CDateTime::dtcr_GreaterThan},
        {"2004-05-06T00:00:00", "2004-05-06T20:00:00Z", CDateTime::dtcr_LessThan},
        {"2004-05-06T10:00:00+05:00", "2004-05-06T06:00:00Z", CDateTime::dtcr_LessThan},
        {"2004-05-06T10:00:00+02:00", "2004-05-06T08:00:00Z", CDateTime::dtcr_Equal},
        {"2004-05-07T01:00:00+13:00", "2004-05-06T11:45:00-00:45", CDateTime::dtcr_LessThan},
        {"2001-01-01T00:30:00+00:45", "2000-12-31T23:30:00-00:15", CDateTime::dtcr_Equal},
        {"2002-03-01T00:00:00-13:00", "2002-03-01T12:59:00Z", CDateTime::dtcr_GreaterThan}};
    for (auto const & [a, b, order] : orders)
        EXPECT_EQ(order, CDateTime(a).CompareTo(CDateTime(b))) << a << " vs " << b;
    CDateTime const zoned("2004-05-06T10:00:00Z");
    CDateTime const unzoned("2004-05-06T10:00:00");
    EXPECT_FALSE(zoned == unzoned || zoned < unzoned || zoned > unzoned);
    EXPECT_TRUE(zoned != unzoned);
    EXPECT_TRUE(Time("10:00:00") <= Time("10:00:00"));
}

TEST(DateTime, ConversionsBetweenKinds)
{
    CDateTime const source("2004-05-06T10:20:30+02:00");
    CDateTime target;
    target.SetDateTime(source, CDateTime::dt_gYearMonth);
    EXPECT_EQ("2004-05+02:00", target.ToString());
    target.SetDateTime(source, CDateTime::dt_time);
    EXPECT_EQ("10:20:30+02:00", target.ToString());
    CDateTime fromDate;
    ExpectInvalid([&] { fromDate.SetDateTime(Date("2004-05-06"), CDateTime::dt_time); },
                  "Attempting to set a CDateTime of type time using an XmlDateTime of type date. The source CDateTime "
                  "does not contian enough data to allow the conversion.");
    fromDate.SetDateTime(Date("--05-06"), CDateTime::dt_gDay);
    EXPECT_EQ("---06", fromDate.ToString());
    CDateTime unknown(static_cast<CDateTime::DTType>(12));
    ExpectInvalid([&] { fromDate.SetDateTime(unknown, CDateTime::dt_gDay); }, "Unknown date type 12.");
}

TEST(DateTime, PlatformTimes)
{
    std::time_t const epochPlus = 1083838830; // 2004-05-06T10:20:30Z
    CDateTime const fromTime(epochPlus);
    EXPECT_EQ("2004-05-06T10:20:30", fromTime.ToString());
    EXPECT_EQ(epochPlus, fromTime.GetTime());
    EXPECT_EQ(epochPlus - 7200, CDateTime("2004-05-06T10:20:30+02:00").GetTime());
    EXPECT_EQ(4, fromTime.GetDayOfWeek()); // a Thursday
    EXPECT_EQ(127, fromTime.GetDayOfYear());
    CFileTime const fileTime{0xD53E8000u, 0x019DB1DEu}; // 1970-01-01T00:00:00Z
    EXPECT_EQ("1970-01-01T00:00:00", CDateTime(fileTime).ToString());
    ExpectInvalid([] { CDateTime(CFileTime{0, 0x80000000u}); }, "Failed to convert FILETIME to SYSTEMTIME");
    CSystemTime const system = CDateTime("2004-05-06T10:20:30.250").GetAsSystemTime();
    EXPECT_EQ(2004, system.year);
    EXPECT_EQ(250, system.milliseconds);
    EXPECT_EQ(4, system.dayOfWeek);
}

TEST(DateTimeSpan, ParsingAndWriting)
{
    for (char const * text : {"P1Y2M3DT4H5M6.789S", "-P1D", "PT90M", "PT0.000000001S", "P3DT0.5S"})
        EXPECT_EQ(text, Span(text).ToString()) << text;
    CDateTimeSpan const oneAndAHalf = Span("PT1.5S");
    EXPECT_EQ(1u, oneAndAHalf.GetSeconds());
    EXPECT_EQ(500, oneAndAHalf.GetMilliSeconds());
    EXPECT_EQ(1, Span("PT0.000000001S").GetNanoSeconds());
    EXPECT_EQ("PT0S", Span("P0D").ToString());
    EXPECT_FALSE(Span("P0D").IsNegative());
    EXPECT_EQ(18446744073709551615ULL, Span("PT18446744073709551615S").GetSeconds());
    EXPECT_EQ("-PT1H2M3S", CDateTimeSpan(1, 2, 3).GetAsNegative().ToString());
}

TEST(DateTimeSpan, InvalidForms)
{
    for (char const * text : {"P", "PT", "P1DT", "1D", "P1D2", "PT1D", "P1H", "PT1S2M", "PT1.5", "PY", "P1Y1Y", "P-1D",
                              "PT1.S", "P1.5D", "P70000Y", "P4294967296D", "PT18446744073709551616S", "P1DT1HT"})
        ExpectInvalid([text] { Span(text); },
                      FormatString("Invalid XSD Duration [%s] expected [-]P[nY][nM][nD][T[nH][nM][nS.ff]]", text));
    ExpectInvalid([] { Span("PT1.1234567891S"); }, "Invalid XSD Duration [PT1.1234567891S] Fraction part too long");
    ExpectInvalid([] { Span(""); }, "Invalid XSD Duration (Empty String)");
    ExpectInvalid([] { Span(nullptr); }, "Invalid XSD Duration (Null String)");
}

TEST(DateTimeSpan, PartialOrder)
{
    EXPECT_EQ(CDateTime::dtcr_Indeterminate, Span("P1M").CompareTo(Span("P30D")));
    EXPECT_EQ(CDateTime::dtcr_LessThan, Span("P1D").CompareTo(Span("PT25H")));
    EXPECT_TRUE(Span("P1Y") == Span("P12M"));
    EXPECT_TRUE(Span("PT24H") == Span("P1D"));
    EXPECT_TRUE(Span("-P1D") < Span("PT1S"));
    EXPECT_TRUE(Span("P2D") > Span("P1DT23H"));
    // Identical spans beyond the years the comparison adds them to are still equal.
    EXPECT_TRUE(Span("-PT21474836470000S") == Span("-PT21474836470000S"));
}
