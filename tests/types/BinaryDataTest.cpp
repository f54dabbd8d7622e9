#include "TestSupport.h"

#include "BinaryData.h"

#include <cstring>
#include <new>
#include <random>
#include <vector>

using namespace NxXmlLib16;
using NxXmlTest::Bytes;
using NxXmlTest::ExpectThrows;

namespace
{

CBinaryData FromBase64(char const * text)
{
    CBinaryData data("junk that must go");
    data.SetAsBase64(text);
    return data;
}

} // namespace

TEST(BinaryData, EmptyValuesAndOwnership)
{
    EXPECT_EQ(nullptr, CBinaryData().GetData());
    EXPECT_TRUE(CBinaryData(static_cast<unsigned char const *>(nullptr), 0).IsEmpty());
    EXPECT_EQ(CBinaryData(), CBinaryData(""));
    EXPECT_NE(CBinaryData("a"), CBinaryData());
    EXPECT_EQ("", CBinaryData().GetAsBase64());

    unsigned char bytes[] = {1, 2, 3};
    CBinaryData copied(bytes, 3, false);
    bytes[0] = 9;
    EXPECT_EQ(1, copied[0]);
    unsigned char * const adopted = static_cast<unsigned char *>(::operator new(2));
    adopted[0] = 'h';
    adopted[1] = 'i';
    CBinaryData owner(adopted, 2, true);
    EXPECT_EQ(adopted, owner.GetData());
    EXPECT_EQ("hi", Bytes(owner));
}

TEST(BinaryData, CopiesShareUntilOneChanges)
{
    CBinaryData first("abc");
    CBinaryData second = first;
    EXPECT_EQ(first.GetData(), second.GetData());
    second.Append("def");
    EXPECT_EQ("abc", Bytes(first));
    EXPECT_EQ("abcdef", Bytes(second));

    CBinaryData third = first;
    third[1] = 'X';
    EXPECT_EQ("abc", Bytes(first));
    EXPECT_EQ("aXc", Bytes(third));

    CBinaryData const readOnly = first;
    EXPECT_EQ('b', readOnly[1]);
    EXPECT_EQ(first.GetData(), readOnly.GetData()); // reading never copies
    ExpectThrows<CNxException>([&] { third[3]; }, "Index Out of range [3]");
    ExpectThrows<CNxException>([&] { readOnly[3]; }, "Index Out of range [3]");
}

TEST(BinaryData, AppendsOfEveryKind)
{
    CBinaryData data;
    data.Append('x');
    data.Append("yz");
    data.Append(std::string("\0w", 2));
    data.Append(CBinaryData("!"));
    data.Append(static_cast<unsigned char const *>(nullptr), 0);
    EXPECT_EQ(std::string("xyz\0w!", 6), Bytes(data));
    data.Append(data); // appending itself doubles it
    EXPECT_EQ(std::string("xyz\0w!xyz\0w!", 12), Bytes(data));
}

TEST(BinaryData, SetBufferReleaseDataAndClear)
{
    CBinaryData data("old");
    CBinaryData const shared = data;
    data.SetBuffer("new text");
    EXPECT_EQ("new text", Bytes(data));
    EXPECT_EQ("old", Bytes(shared));

    CBinaryData alias = data;
    unsigned char * const released = data.ReleaseData();
    EXPECT_TRUE(data.IsEmpty());
    EXPECT_EQ(0, std::memcmp(released, "new text", 8));
    EXPECT_NE(released, alias.GetData()); // the shared buffer was copied first
    EXPECT_EQ("new text", Bytes(alias));
    ::operator delete(released);

    alias.Clear();
    EXPECT_TRUE(alias.IsEmpty());
    EXPECT_EQ(nullptr, CBinaryData().ReleaseData());
}

TEST(BinaryData, Base64Encoding)
{
    EXPECT_EQ("YWI=", CBinaryData("ab").GetAsBase64());
    EXPECT_EQ("YQ==", CBinaryData("a").GetAsBase64());
    unsigned char const all[] = {0x00, 0x10, 0x83, 0x10, 0x51, 0x87, 0x20, 0x92, 0x8B, 0x30, 0xD3, 0x8F,
                                 0x41, 0x14, 0x93, 0x51, 0x55, 0x97, 0x61, 0x96, 0x9B, 0x71, 0xD7, 0x9F,
                                 0x82, 0x18, 0xA3, 0x92, 0x59, 0xA7, 0xA2, 0x9A, 0xAB, 0xB2, 0xDB, 0xAF,
                                 0xC3, 0x1C, 0xB3, 0xD3, 0x5D, 0xB7, 0xE3, 0x9E, 0xBB, 0xF3, 0xDF, 0xBF};
    EXPECT_EQ("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/",
              CBinaryData(all, sizeof all).GetAsBase64());
}

TEST(BinaryData, Base64Decoding)
{
    std::pair<char const *, char const *> const cases[] = {
        {"YW Jj\r\n", "abc"}, {"YQ==", "a"}, {" = \t", ""},
        {"Y=W=I", "ab"},       // '=' is skipped wherever it stands
        {"\xD9W\xCAj", "abc"}, // the high bit is ignored
        {"YW*j", ""},          // any other character empties the value
        {"YQ", "a"}, {"Y", ""}}; // a short last group keeps its whole bytes
    for (auto const & [text, bytes] : cases)
        EXPECT_EQ(bytes, Bytes(FromBase64(text))) << text;
}

TEST(BinaryData, Base64RoundTripsRandomBytes)
{
    std::mt19937 random(7);
    for (std::uint32_t length = 0; length < 300; ++length)
    {
        std::vector<unsigned char> bytes(length);
        for (unsigned char & b : bytes)
            b = static_cast<unsigned char>(random());
        CBinaryData const data(bytes.data(), length);
        std::string const text = data.GetAsBase64();
        EXPECT_EQ((length + 2) / 3 * 4, text.size());
        CBinaryData back;
        back.SetAsBase64(text.c_str());
        ASSERT_EQ(data, back) << "length " << length;
        CBinaryData hex;
        hex.SetAsHexString(data.GetAsHexString().c_str());
        ASSERT_EQ(data, hex) << "length " << length;
    }
}

TEST(BinaryData, HexFormsAndBadHexLeavingTheValueEmpty)
{
    unsigned char const bytes[] = {0x01, 0xAB};
    EXPECT_EQ("01AB", CBinaryData::GetAsHexString(bytes, 2));
    CBinaryData data("keep?");
    data.SetAsHexString("01ab");
    EXPECT_EQ(CBinaryData(bytes, 2), data);
    ExpectThrows<CNxException>([&] { data.SetAsHexString("1AB"); }, "Invalid length in hex string");
    EXPECT_TRUE(data.IsEmpty());
    data.SetBuffer("x");
    ExpectThrows<CNxException>([&] { data.SetAsHexString("0G"); }, "Invalid char in hex string [G]");
    EXPECT_TRUE(data.IsEmpty());
    ExpectThrows<CNxException>([&] { data.SetAsHexString("0A 1"); }, "Invalid char in hex string [ ]");
    ExpectThrows<CNxException>([&] { data.SetAsHexString("g0"); }, "Invalid char in hex string [g]");
}
