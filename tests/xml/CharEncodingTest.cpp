#include "TestSupport.h"

#include "CharEncoding.h"

using namespace NxXmlLib16;
using NxXmlTest::Bytes;
using NxXmlTest::ExpectThrows;

namespace
{

// Sets a local code page for one test and puts UTF-8 back afterwards.
class LocalEncoding : public testing::Test
{
protected:
    void TearDown() override
    {
        SetLocalCharEncoding(3);
        ASCIIOnly(false);
    }
};

} // namespace

TEST_F(LocalEncoding, DefaultIsUtf8AndConversionsCopy)
{
    EXPECT_EQ(3u, GetLocalCharEncoding());
    std::string const text = "Gr\xC3\xBC\xC3\x9F" "e \xE2\x82\xAC \xF0\x9F\x98\x80";
    EXPECT_EQ(text, Bytes(LocalToUtf8(text.c_str())));
    EXPECT_EQ(text, Utf8ToLocal(text.data(), text.size()));
    for (unsigned int utf8 : {0u, 65001u})
    {
        SetLocalCharEncoding(utf8);
        EXPECT_EQ(text, Bytes(LocalToUtf8(text.c_str())));
    }
}

TEST_F(LocalEncoding, Utf16FormsOfUtf8Text)
{
    EXPECT_EQ(std::string("A\0\xFC\0\xAC\x20=\xD8\0\xDE", 10), Bytes(LocalToUtf16("A\xC3\xBC\xE2\x82\xAC\xF0\x9F\x98\x80")));
    EXPECT_TRUE(LocalToUtf16("").IsEmpty());
    // Malformed bytes become U+FFFD, one per byte, and the text goes on.
    EXPECT_EQ(std::string("\xFD\xFF" "a\0\xFD\xFF", 6), Bytes(LocalToUtf16("\xC3" "a\xFF")));
    // Overlong forms and encoded surrogates are malformed too.
    EXPECT_EQ(std::string("\xFD\xFF\xFD\xFF", 4), Bytes(LocalToUtf16("\xC0\xAF")));
    EXPECT_EQ(std::string("\xFD\xFF\xFD\xFF\xFD\xFF", 6), Bytes(LocalToUtf16("\xED\xA0\x80")));
}

TEST_F(LocalEncoding, SplitCharactersWaitForTheNextPiece)
{
    std::string out;
    char const euro[] = "a\xE2\x82\xAC";
    EXPECT_EQ(1u, AppendLocalAsUtf16(euro, 3, out, false));
    EXPECT_EQ(std::string("a\0", 2), out);
    EXPECT_EQ(3u, AppendLocalAsUtf16(euro + 1, 3, out, false));
    EXPECT_EQ(std::string("a\0\xAC\x20", 4), out);
    out.clear();
    EXPECT_EQ(2u, AppendLocalAsUtf16(euro + 1, 2, out, true)); // a final piece replaces the stub
    EXPECT_EQ("\xFD\xFF", out);
}

TEST_F(LocalEncoding, WideToUtf8)
{
    unsigned short const text[] = {'A', 0xFC, 0x20AC, 0xD83D, 0xDE00, 0};
    EXPECT_EQ("A\xC3\xBC\xE2\x82\xAC\xF0\x9F\x98\x80", Bytes(WideToUtf8(text)));
    unsigned short const lone[] = {0xD800, 'x', 0xDC00, 0};
    EXPECT_EQ("\xEF\xBF\xBDx\xEF\xBF\xBD", Bytes(WideToUtf8(lone)));
    unsigned short const empty[] = {0};
    EXPECT_TRUE(WideToUtf8(empty).IsEmpty());
}

TEST_F(LocalEncoding, Latin1CodePageConvertsBothWays)
{
    SetLocalCharEncoding(1252);
    EXPECT_EQ("caf\xC3\xA9 \xE2\x82\xAC", Bytes(LocalToUtf8("caf\xE9 \x80")));
    EXPECT_EQ("caf\xE9 \x80", Utf8ToLocal("caf\xC3\xA9 \xE2\x82\xAC", 9));
    EXPECT_EQ(std::string("\xE9\0\xAC\x20", 4), Bytes(LocalToUtf16("\xE9\x80")));
    EXPECT_EQ("a?b", Utf8ToLocal("a\xE4\xB8\xAD" "b", 5)); // no such character in 1252

    SetLocalCharEncoding(28591);
    EXPECT_EQ("\xC3\xA9", Bytes(LocalToUtf8("\xE9")));
}

TEST_F(LocalEncoding, AsciiOnlyCopiesBytesUnchanged)
{
    SetLocalCharEncoding(1252);
    ASCIIOnly(true);
    EXPECT_EQ("caf\xE9", Bytes(LocalToUtf8("caf\xE9")));
    EXPECT_EQ("caf\xC3\xA9", Utf8ToLocal("caf\xC3\xA9", 5));
}

TEST_F(LocalEncoding, UnknownCodePageIsRefusedWhenUsed)
{
    SetLocalCharEncoding(4242);
    EXPECT_EQ("plain", Bytes(LocalToUtf8("plain"))); // ASCII text needs no converter
    ExpectThrows<CNxException>([] { LocalToUtf8("\xE9"); }, "The code page [4242] is not supported on this platform");
}
