#include "TestSupport.h"

#include "TestObjects.h"
#include "TypedCollections.h"
#include "Variant.h"

#include <tuple>

using namespace NxXmlLib16;
using NxXmlTest::ExpectThrows;

TEST(Variant, NilKeepsTheType)
{
    NxVariant value;
    EXPECT_FALSE(value.IsValid());
    value.SetString("text");
    value.SetNil();
    EXPECT_TRUE(value.IsValid());
    EXPECT_TRUE(value.IsNil());
    EXPECT_EQ(ItemType_string, value.GetTypeAsEnum());
    EXPECT_EQ("", value.GetString());
    value.Clear();
    EXPECT_FALSE(value.IsValid() || value.IsNil());
}

TEST(Variant, CopiesOwnTheirValues)
{
    NxVariant binary;
    binary.SetHexBinary(CBinaryData("abc"));
    NxVariant copy(binary);
    EXPECT_EQ(binary.GetHexBinary().GetData(), copy.GetHexBinary().GetData()); // the buffer is shared
    binary.SetI1('x');
    EXPECT_EQ(CBinaryData("abc"), copy.GetHexBinary());

    NxVariant other;
    other = copy;
    auto & sameOther = other;
    other = sameOther;
    EXPECT_EQ(CBinaryData("abc"), other.GetHexBinary());
}

TEST(Variant, HeldValuesWithoutCopies)
{
    NxVariant text;
    std::string const longText(100, 'x');
    text.SetString(longText);
    char const * const held = text.GetStringRef().data();
    std::string const taken = text.TakeString();
    EXPECT_EQ(longText, taken);
    EXPECT_EQ(held, taken.data()); // moved out, not copied
    EXPECT_EQ("", text.GetStringRef());
    NxVariant number;
    number.SetI4(5);
    EXPECT_EQ("", number.TakeString());

    EXPECT_EQ("0", number.GetDecimalRef().ToString());
    NxVariant integer;
    integer.SetInteger(CBigInteger("123456789012345678901234567890"));
    EXPECT_EQ("123456789012345678901234567890", integer.GetIntegerRef().ToString());
    integer.SetNil();
    EXPECT_EQ("0", integer.GetIntegerRef().ToString());
}

TEST(Variant, ObjectsAreCounted)
{
    NxXmlTest::COrderProbe * const order = new NxXmlTest::COrderProbe;
    CSmartPtr<NxXmlTest::COrderProbe> holder(order);
    {
        NxVariant value;
        value.SetXmlObject(order);
        NxVariant const copy = value;
        EXPECT_EQ(order, copy.GetXmlObject().Get());
        EXPECT_EQ(4, order->AddRef()); // the holder and the two variants hold it
        order->Release();
        EXPECT_EQ("Invalid Type 27", value.GetType());
    }
    EXPECT_EQ(2, order->AddRef());
    order->Release();

    CSmartPtr<Ci4Col> numbers(new Ci4Col("n", "", 0, -1, nullptr, -1, -1, nullptr, nullptr, nullptr, nullptr, -1, -1, -1,
                                         CWhitespaceUtils::WhitespaceRule_Collapse, nullptr));
    NxVariant collection;
    collection.SetXmlCollection(numbers);
    EXPECT_EQ(numbers.Get(), collection.GetXmlCollection().Get());
    EXPECT_EQ("Invalid Type 28", collection.GetType());
}

TEST(Variant, TextForms)
{
    NxVariant value;
    value.FromString("1.50", ItemType_decimal, CWhitespaceUtils::WhitespaceRule_Collapse);
    EXPECT_EQ("1.5", value.ToString(""));
    EXPECT_EQ("1.500", value.ToString("3"));
    value.FromString(" true ", ItemType_boolean, CWhitespaceUtils::WhitespaceRule_Collapse);
    EXPECT_TRUE(value.GetBoolean());
    ExpectThrows<CNxInvalidValueException>(
        [&] { value.FromString(" true ", ItemType_boolean, CWhitespaceUtils::WhitespaceRule_None); },
        "A Boolean Value read from an XML document was invalid [ true ]. Valid values are 'true', 'false', '1', or "
        "'0'");
    EXPECT_EQ(ItemType_boolean, value.GetTypeAsEnum()); // kept when the parse fails
    value.FromString("0.5", ItemType_r8, CWhitespaceUtils::WhitespaceRule_None);
    EXPECT_EQ("0.50", value.ToString("%.2f"));
    ExpectThrows<CNxException>([] { NxVariant().ToString(""); }, "Invalid Type 0 to convert to string");
    ExpectThrows<CNxException>([] { NxVariant().FromString("x", ItemType_XmlObject, CWhitespaceUtils::WhitespaceRule_None); },
                               "Invalid Type 27 to convert to string");
    EXPECT_EQ("Invalid Type 0", NxVariant().GetType());
}

TEST(Variant, EveryItemTypeRoundTrips)
{
    std::tuple<ItemType, char const *, char const *> const cases[] = {{ItemType_hexBinary, "01AB", "hexBinary"},    {ItemType_base64Binary, "YWJj", "base64Binary"},
                           {ItemType_i1, "-5", "i1"},                    {ItemType_i2, "-300", "i2"},
                           {ItemType_i4, "-70000", "i4"},                {ItemType_i8, "-5000000000", "i8"},
                           {ItemType_ui1, "200", "ui1"},                 {ItemType_ui2, "60000", "ui2"},
                           {ItemType_ui4, "4000000000", "ui4"},          {ItemType_ui8, "18000000000000000000", "ui8"},
                           {ItemType_r4, "0.5", "r4"},                   {ItemType_r8, "0.25", "r8"},
                           {ItemType_duration, "P1DT2H", "duration"},    {ItemType_yearMonth, "2004-05", "yearMonth"},
                           {ItemType_monthDay, "--05-06", "monthDay"},   {ItemType_year, "2004", "year"},
                           {ItemType_month, "--05", "month"},            {ItemType_day, "---06", "day"},
                           {ItemType_date, "2004-05-06", "date"},        {ItemType_datetime, "2004-05-06T10:00:00Z", "datetime"},
                           {ItemType_time, "10:00:00.5", "time"},        {ItemType_char, "x", "char"},
                           {ItemType_string, "text", "string"},          {ItemType_boolean, "true", "boolean"},
                           {ItemType_decimal, "-12.5", "decimal"},       {ItemType_integer, "123456789012345678901", "integer"}};
    for (auto const & [type, text, name] : cases)
    {
        NxVariant value;
        value.FromString(text, type, CWhitespaceUtils::WhitespaceRule_Collapse);
        EXPECT_EQ(type, value.GetTypeAsEnum());
        EXPECT_EQ(name, value.GetType());
        EXPECT_EQ(text, NxVariant(value).ToString("")) << name;
    }
}
