// The built-in encoding algorithms in both directions, with every failure message.
#include "FastInfosetBinaryData.h"

#include "FastInfosetTestSupport.h"

#include <vector>

namespace
{

using namespace NxXmlLib16;
using NxXmlTest::ExpectThrows;
using NxXmlTest::HexOctets;

// Text to octets and, for the algorithms that read back, octets to the same text.
TEST(FastInfosetBinaryData, RoundTripsEveryAlgorithm)
{
    struct CCase
    {
        std::uint32_t algorithm;
        char const * text;
        char const * octets;
        char const * readBack; // null: the algorithm does not read back
    };
    std::vector<CCase> const cases = {
        {1, "0AFF10", "0A FF 10", "0AFF10"},
        {2, "SGVsbG8=", "48 65 6C 6C 6F", "SGVsbG8="},
        {3, "32767", "7F FF", "32767"},
        {4, "-2147483648", "80 00 00 00", "-2147483648"},
        {5, "-9223372036854775808", "80 00 00 00 00 00 00 00", "-9223372036854775808"},
        {6, "false", "30", "false"},
        {7, "-0.25", "BE 80 00 00", "-0.25"},
        {8, "1.5", "3F F8 00 00 00 00 00 00", "1.5"},
        {9, "123e4567e89b12d3a456426614174000", "12 3E 45 67 E8 9B 12 D3 A4 56 42 66 14 17 40 00",
         "123e4567-e89b-12d3-a456-426614174000"},
        {10, "<b>", "3C 62 3E", nullptr}};
    for (CCase const & c : cases)
    {
        CFastInfosetBinaryData data("stale");
        data.SetAsEncodedString(c.algorithm, c.text);
        EXPECT_EQ(c.octets, HexOctets(data)) << c.algorithm << " " << c.text;
        if (c.readBack != nullptr)
        {
            EXPECT_EQ(c.readBack, data.GetAsString(c.algorithm)) << c.algorithm << " " << c.text;
        }
    }
}

TEST(FastInfosetBinaryData, ReadsListsOfValues)
{
    unsigned char ints[] = {0x00, 0x00, 0x00, 0x01, 0xFF, 0xFF, 0xFF, 0xFE};
    EXPECT_EQ("1 -2", CFastInfosetBinaryData(ints, 8, false).GetAsString(FIEncodingAlgorithm_Int));
    unsigned char shorts[] = {0x00, 0x01, 0xFF, 0xFE};
    EXPECT_EQ("1 -2", CFastInfosetBinaryData(shorts, 4, false).GetAsString(FIEncodingAlgorithm_Short));
    unsigned char booleans[] = {0x7B, 0x00};
    EXPECT_EQ("true false true true false",
              CFastInfosetBinaryData(booleans, 2, false).GetAsString(FIEncodingAlgorithm_Boolean));
    unsigned char uuids[32] = {0x01};
    EXPECT_EQ("01000000-0000-0000-0000-000000000000 00000000-0000-0000-0000-000000000000",
              CFastInfosetBinaryData(uuids, 32, false).GetAsString(FIEncodingAlgorithm_Uuid));
    EXPECT_EQ("", CFastInfosetBinaryData().GetAsString(FIEncodingAlgorithm_Double));
}

TEST(FastInfosetBinaryData, BuffersThatAreNotWholeValuesAreRefused)
{
    struct CCase
    {
        std::uint32_t algorithm;
        std::uint32_t length;
        char const * message;
    };
    std::vector<CCase> const cases = {{3, 3, "Invalid value for SHORT byte encoding."},
                                      {4, 6, "Invalid value for INT byte encoding."},
                                      {5, 12, "Invalid value for LONG byte encoding."},
                                      {7, 5, "Invalid value for FLOAT byte encoding."},
                                      {8, 4, "Invalid value for DOUBLE byte encoding."},
                                      {9, 15, "Invalid value for UUID byte encoding."}};
    unsigned char octets[16] = {};
    for (CCase const & c : cases)
    {
        CFastInfosetBinaryData const data(octets, c.length, false);
        ExpectThrows<CNxException>([&] { data.GetAsString(c.algorithm); }, c.message);
    }
}

TEST(FastInfosetBinaryData, UnknownAlgorithmsAndUnreadableText)
{
    CFastInfosetBinaryData data("x");
    ExpectThrows<CNxException>([&] { data.SetAsEncodedString(11, "1"); }, "Unknown byte encoding.");
    ExpectThrows<CNxException>([&] { data.GetAsString(0); }, "Unknown byte encoding.");
    ExpectThrows<CNxException>([&] { data.GetAsString(FIEncodingAlgorithm_Cdata); }, "Unknown byte encoding.");
    ExpectThrows<CNxInvalidValueException>([&] { data.SetAsEncodedString(4, "x"); },
                                           "The value [x] can not be converted to a i4");
    ExpectThrows<CNxInvalidValueException>([&] { data.SetAsEncodedString(3, "40000"); },
                                           "The value [40000] is to large to fit in a i2");
    ExpectThrows<CNxException>([&] { data.SetAsEncodedString(1, "0G"); }, "Invalid char in hex string [G]");
    ExpectThrows<CNxException>([&] { data.SetAsEncodedString(9, "123e4567+e89b-12d3-a456-426614174000"); },
                               "Invalid value for UUID byte encoding.");
}

} // namespace
