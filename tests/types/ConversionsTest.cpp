#include "TypesTestSupport.h"

#include "Conversions.h"

#include <cmath>

using namespace NxXmlLib16;
using NxXmlTest::ExpectInvalid;
using NxXmlTest::ExpectThrows;
using C = CConversions;
using W = CWhitespaceUtils;

TEST(WhitespaceUtils, Rules)
{
    EXPECT_EQ("a b", W::Collapse("  a \t\r\n b  "));
    EXPECT_EQ("a b", W::Replace("a\r\nb"));
    EXPECT_EQ("a  b", W::Replace("a\n\rb"));
    EXPECT_EQ(" a b ", W::Replace("\ta\rb\n"));
    EXPECT_EQ("a\n\nb", W::Preserve("a\r\r\nb"));
    EXPECT_EQ("a\n", W::Preserve("a\rX", 2));
    EXPECT_EQ(" x\t", W::ApplyRule(W::WhitespaceRule_None, " x\t"));
    ExpectThrows<CNxException>([] { W::ApplyRule(static_cast<WhitespaceRule>(4), "x"); }, "Unknown WhitespaceRule");
    EXPECT_TRUE(W::IsWhiteSpace('\r'));
    EXPECT_FALSE(W::IsWhiteSpace('\v'));
}

TEST(Conversions, Integers)
{
    EXPECT_EQ(12, C::i4FromString(" 12", W::WhitespaceRule_None));
    EXPECT_EQ(12, C::i4FromString(" 12 ", W::WhitespaceRule_Collapse));
    EXPECT_EQ(-2147483647 - 1, C::i4FromString("-2147483648", W::WhitespaceRule_None));
    ExpectInvalid([] { C::i4FromString("12abc", W::WhitespaceRule_None); }, "The value [12abc] can not be converted to a i4");
    ExpectInvalid([] { C::i4FromString("2147483648", W::WhitespaceRule_None); }, "The value [2147483648] is to large to fit in a i4");
    ExpectInvalid([] { C::i4FromString(" 12 ", W::WhitespaceRule_None); }, "The value [ 12 ] can not be converted to a i4");
    EXPECT_EQ(-128, C::i1FromString("-128", W::WhitespaceRule_None));
    ExpectInvalid([] { C::i1FromString("128", W::WhitespaceRule_None); }, "The value [128] is to large to fit in a i1");
    ExpectInvalid([] { C::i1FromString(" 128\n", W::WhitespaceRule_Collapse); }, "The value [ 128\n] is to large to fit in a i1");
    ExpectInvalid([] { C::i1FromString("x", W::WhitespaceRule_None); }, "The value [x] can not be converted to a i4");
    ExpectInvalid([] { C::i2FromString("32768", W::WhitespaceRule_None); }, "The value [32768] is to large to fit in a i2");
    EXPECT_EQ(4294967295u, C::ui4FromString("-1", W::WhitespaceRule_None));
    ExpectInvalid([] { C::ui4FromString("4294967296", W::WhitespaceRule_None); }, "The value [4294967296] is to large to fit in a ui4");
    ExpectInvalid([] { C::ui1FromString("256", W::WhitespaceRule_None); }, "The value [256] is to large to fit in a ui1");
    ExpectInvalid([] { C::ui2FromString("65536", W::WhitespaceRule_None); }, "The value [65536] is to large to fit in a ui2");
    ExpectInvalid([] { C::ui1FromString("z", W::WhitespaceRule_None); }, "The value [z] can not be converted to a ui4");
    EXPECT_EQ(std::numeric_limits<std::int64_t>::min(), C::i8FromString("-9223372036854775808", W::WhitespaceRule_None));
    ExpectInvalid([] { C::i8FromString("9223372036854775808", W::WhitespaceRule_None); },
                  "The value [9223372036854775808] is to large to fit in a i8");
    ExpectInvalid([] { C::i8FromString("1.5", W::WhitespaceRule_None); }, "The value [1.5] can not be converted to a i8");
    EXPECT_EQ(18446744073709551615ULL, C::ui8FromString("18446744073709551615", W::WhitespaceRule_None));
    ExpectInvalid([] { C::ui8FromString("18446744073709551616", W::WhitespaceRule_None); },
                  "The value [18446744073709551616] is to large to fit in a ui8");
    ExpectInvalid([] { C::ui8FromString("-1", W::WhitespaceRule_None); }, "The value [-1] is to large to fit in a ui8");
    ExpectInvalid([] { C::ui8FromString("", W::WhitespaceRule_None); }, "The value [] can not be converted to a ui8");

    EXPECT_EQ("-5", C::i1ToString(static_cast<char>(-5)));
    EXPECT_EQ("-9223372036854775808", C::i8ToString(std::numeric_limits<std::int64_t>::min()));
    EXPECT_EQ("18446744073709551615", C::ui8ToString(18446744073709551615ULL));
}

TEST(Conversions, FloatingPoint)
{
    EXPECT_TRUE(std::isinf(C::r8FromString("INF", W::WhitespaceRule_None)));
    EXPECT_TRUE(std::isnan(C::r8FromString("1.#QNAN", W::WhitespaceRule_None)));
    EXPECT_TRUE(std::isnan(C::r4FromString("-NAN", W::WhitespaceRule_None)));
    EXPECT_TRUE(std::isinf(C::r8FromString("1e400", W::WhitespaceRule_None)));
    EXPECT_TRUE(std::isinf(C::r4FromString("1e39", W::WhitespaceRule_None)));
    EXPECT_DOUBLE_EQ(-0.015, C::r8FromString("-1.5E-2", W::WhitespaceRule_None));
    for (char const * bad : {"inf", "nan", "0x10", "1e", "", "1.5x", "infinity", "."})
        ExpectInvalid([bad] { C::r8FromString(bad, W::WhitespaceRule_None); },
                      FormatString("The value [%s] can not be converted to a r8", bad));
    ExpectInvalid([] { C::r4FromString("abc", W::WhitespaceRule_None); }, "The value [abc] can not be converted to a r4");

    EXPECT_EQ("NaN", C::r4ToString(std::nanf(""), "%.2f"));
    EXPECT_EQ("INF", C::r8ToString(HUGE_VAL));
    EXPECT_EQ("-INF", C::r8ToString(-HUGE_VAL));
    EXPECT_EQ("0.3333333", C::r4ToString(1.0f / 3.0f));
    EXPECT_EQ("0.3333333333333333", C::r8ToString(1.0 / 3.0));
    EXPECT_EQ("1.50", C::r8ToString(1.5, "%.2f"));
    EXPECT_EQ(31u, C::r4ToString(1e20f, "%.30f").size()); // cut at the buffer
    ExpectThrows<CNxInvalidParamException>([] { C::r8ToString(1.5, "%s"); },
                                           "The format [%s] must hold exactly one floating-point conversion");
}

TEST(Conversions, BooleansCharsAndStrings)
{
    EXPECT_TRUE(C::booleanFromString("TRUE", W::WhitespaceRule_None));
    EXPECT_FALSE(C::booleanFromString("False", W::WhitespaceRule_None));
    EXPECT_TRUE(C::booleanFromString("1", W::WhitespaceRule_None));
    EXPECT_TRUE(C::booleanFromString(" true ", W::WhitespaceRule_Collapse));
    ExpectInvalid([] { C::booleanFromString("yes", W::WhitespaceRule_None); },
                  "A Boolean Value read from an XML document was invalid [yes]. Valid values are 'true', 'false', '1', "
                  "or '0'");
    ExpectInvalid([] { C::booleanFromString(" true", W::WhitespaceRule_None); },
                  "A Boolean Value read from an XML document was invalid [ true]. Valid values are 'true', 'false', "
                  "'1', or '0'");
    EXPECT_EQ('a', C::charFromString(" a ", W::WhitespaceRule_Collapse));
    ExpectInvalid([] { C::charFromString("ab", W::WhitespaceRule_None); },
                  "The value [ab] can not be a char as it is either empty of greater than 1 char long");
    ExpectInvalid([] { C::charFromString("", W::WhitespaceRule_None); },
                  "The value [] can not be a char as it is either empty of greater than 1 char long");
    EXPECT_EQ("a b", C::stringFromString(" a\tb ", W::WhitespaceRule_Collapse));
    EXPECT_EQ(" a\tb ", C::stringToString(" a\tb "));
}

TEST(Conversions, ValueTypes)
{
    EXPECT_EQ("1.5", C::decimalToString(C::decimalFromString(" 1.50 ", W::WhitespaceRule_Collapse)));
    EXPECT_EQ("1.01", C::decimalToString(CDecimal("1.005"), "2"));
    EXPECT_EQ("1", C::decimalToString(CDecimal("1.005"), "x"));
    EXPECT_EQ("-42", C::integerToString(C::integerFromString("-42", W::WhitespaceRule_None)));
    EXPECT_EQ("2004-05-06", C::dateToString(C::dateFromString("2004-05-06", W::WhitespaceRule_None)));
    EXPECT_EQ("10:20:30Z", C::dateToString(C::timeFromString("10:20:30Z", W::WhitespaceRule_None)));
    EXPECT_EQ("2004-05-06T10:20:30", C::dateToString(C::datetimeFromString("\n2004-05-06T10:20:30 ", W::WhitespaceRule_Collapse)));
    ExpectInvalid([] { C::dateFromString("2004", W::WhitespaceRule_None); },
                  "Invalid XSD Date [2004] expected CCYY-MM-DD[Z|[+|-]hh:mm]");
    EXPECT_EQ(2004, C::yearFromString("2004Z", W::WhitespaceRule_None));
    EXPECT_EQ(3, C::monthFromString("--03", W::WhitespaceRule_None));
    EXPECT_EQ(7, C::dayFromString("---07+01:00", W::WhitespaceRule_None));
    ExpectInvalid([] { C::monthFromString("2004-03", W::WhitespaceRule_None); },
                  "Invalid XSD Date [2004-03] expected CCYY-MM-DD[Z|[+|-]hh:mm]");
    EXPECT_EQ("--03", C::monthToString(3));
    EXPECT_EQ("---07", C::dayToString(7));
    EXPECT_EQ("999", C::yearToString(999));
    EXPECT_EQ("01AB", C::hexBinaryToString(C::hexBinaryFromString(" 01ab ", W::WhitespaceRule_Collapse)));
    EXPECT_EQ("YWJj", C::base64BinaryToString(C::base64BinaryFromString("YW Jj", W::WhitespaceRule_None)));
    ExpectThrows<CNxException>([] { C::hexBinaryFromString("0G", W::WhitespaceRule_None); },
                               "Invalid char in hex string [G]");
}
