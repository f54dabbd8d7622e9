// The Fast Infoset reader on hand-built octets: each construct, each failure, recognition.
#include "CharEncoding.h"
#include "FastInfosetTestSupport.h"
#include "fastinfoset/FastInfosetReader.h"

#include <tuple>

using namespace NxXmlLib16;
using NxXmlTest::CanonicalOf;
using NxXmlTest::FailureOf;
using NxXmlTest::LoadBytes;
using NxXmlTest::Octets;
using NxXmlTest::Start;

namespace
{

std::string const Prefix = "Failed to parse FastInfoset. ";
std::string const EndOfFile = Prefix + "Unexpected End of File.";

// Documents the truncation and corruption sweeps start from: names, values and chunks added
// then indexed; and every optional component of the header with a document type.
std::string const Indexed = Start("78 CF 00 70 04 75 72 6E 3A 70 F0 3F 81 81 00 61 78 00 78 40 31 F0 "
                                  "3C 00 62 91 68 69 F0 01 A0 FF F0");
std::string const EveryComponent =
    Octets("E0 00 00 01 7F 00 00 'a' 01 'bc' 10 00 04 'urn:v' C3 00 'n' 00 's' 00 'p' F0 D1 00 'u' 81 00 'q' 80 F0 04 "
           "'UTF-8' 01 02 '1.0' C7 00 's' 00 'p' E1 00 't' FF F0 3C 00 72 C8 00 'e' E2 40 'c' FF");

struct CCase
{
    char const * name;
    std::string octets;
    std::string expected; // the canonical form, or the message
};

} // namespace

TEST(FastInfosetReader, ReadsEachConstructToItsCanonicalForm)
{
    CCase const cases[] = {
        {"root only", Start("3C 03 'root' FF"), "<root></root>"},
        {"namespaces, attributes and indices", Indexed, "<n1:a xmlns:n1=\"urn:p\" x=\"1\"><b>hi</b><b>hi</b></n1:a>"},
        {"date alphabet and int algorithm in chunks",
         Start("3C 00 72 3C 00 64 88 06 02 20 24 A0 1A 15 F0 3C 00 6E 8C 0E 01 00 01 E2 40 FF F0"),
         "<r><d>2024-01-15</d><n>123456</n></r>"},
        {"date alphabet and int algorithm in attributes",
         Start("7C 00 72 78 00 64 20 14 20 24 A0 1A 15 78 00 69 30 33 00 01 E2 40 FF F0"),
         "<r d=\"2024-01-15\" i=\"123456\"></r>"},
        {"text past eight bytes, with a delete and a tab", Start("3C 00 72 92 0D 'abcdefgh' 7F 09 'ijkl' C3 A9 FF"),
         "<r>abcdefgh\x7F\tijkl\xC3\xA9</r>"},
        {"numeric alphabet with padding", Start("3C 00 72 88 02 00 A1 2C 5F FF"), "<r>-12.5</r>"},
        {"utf16 chunk with surrogate pair", Start("3C 00 72 86 05 00 68 00 E9 D8 3D DE 00 FF"),
         "<r>h\xC3\xA9\xF0\x9F\x98\x80</r>"},
        {"utf16 attribute added then indexed", Start("7C 00 72 78 00 61 51 00 78 78 00 62 80 FF F0"),
         "<r a=\"x\" b=\"x\"></r>"},
        {"decoded values added and indexed by their text",
         Start("7C 00 72 78 00 61 70 33 00 00 00 2A 78 00 62 80 F0 9C 0E 01 00 00 00 2A A0 FF"),
         "<r a=\"42\" b=\"42\">4242</r>"},
        {"carriage returns left out of text", Start("3C 00 72 92 01 'a' 0D 0A 'b' FF"), "<r>a\nb</r>"},
        {"carriage returns kept in attributes", Start("7C 00 72 78 00 61 02 'a' 0D 'b' FF F0"), "<r a=\"a&#13;b\"></r>"},
        {"attribute name and value indices", Start("7C 00 72 78 00 78 40 31 F0 7C 00 63 00 80 FF FF"),
         "<r x=\"1\"><c x=\"1\"></c></r>"},
        {"cdata algorithm read as text", Start("7C 00 72 78 00 61 30 91 'ab' F0 8C 26 00 'c' 0D 'd' FF"),
         "<r a=\"ab\">cd</r>"},
        {"algorithms through binary data",
         Start("3C 00 72 8C 14 38 80 ' ' 8C 09 FF FE 80 ' ' 8C 06 00 'abc' 80 ' ' 8C 01 AB CD FF"),
         "<r>true -2 YWJj ABCD</r>"},
        {"xml namespace attribute", Start("7C 00 72 7B 80 80 03 'lang' 41 'en' FF F0"), "<r xml:lang=\"en\"></r>"},
        {"default namespace then element in it", Start("38 CD 04 'urn:d' F0 3D 81 00 'a' FF"),
         "<n1:a xmlns:n1=\"urn:d\"></n1:a>"},
        {"namespace attributes on inner element", Start("3C 00 'r' 38 CF 00 'p' 04 'urn:p' CC F0 3F 81 81 00 'a' FF F0"),
         "<r xmlns:n1=\"urn:p\"><n1:a></n1:a></r>"},
        {"comments and processing instructions skipped",
         Start("E1 00 74 40 78 3C 00 72 E2 FF E1 00 74 FF 91 68 69 E1 80 FF E2 40 63 E2 80 F0 E2 81 F0"), "<r>hi</r>"},
        {"document type and entity references skipped",
         Start("C7 00 's' 00 'p' E1 00 't' FF F0 3C 00 72 C8 00 'e' 92 00 'a b' CB 80 80 81 FF"), "<r>a b</r>"},
        {"attribute list then end, unpaired", Start("7C 00 65 78 00 61 40 76 F0 F0 F0"), "<e a=\"v\"></e>"},
        {"attribute list then end, paired", Start("7C 00 65 78 00 61 40 76 F0 FF"), "<e a=\"v\"></e>"},
        {"every optional component", EveryComponent, "<r></r>"},
        {"initial vocabulary tables skipped",
         Octets("E0 00 00 01 20 1F FF 04 'urn:v' 00 01 'ab' 00 00 'x' 00 00 'p' 00 00 'u' 00 00 'l' 00 00 'n' "
                "00 00 'o' 00 00 'v' 00 00 'c' 00 00 's' 00 03 00 00 00 00 00 00 3C 00 72 FF"),
         "<r></r>"}};
    for (CCase const & c : cases)
    {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.expected, CanonicalOf(c.octets));
    }
}

TEST(FastInfosetReader, RejectsEachMalformedConstructWithItsMessage)
{
    std::pair<std::string, std::string> const cases[] = {
        {Start("3C 00"), "Unexpected End of File."},
        // Lengths claiming gigabytes end at the end of the input.
        {Start("3C 60 FF FF FF FF 'x'"), "Unexpected End of File."},
        {Start("3C 00 72 83 FF FF FF FF 'x'"), "Unexpected End of File."},
        {Start("7C 00 72 78 00 61 0C FF FF FF FF 'x'"), "Unexpected End of File."},
        {Start("3C 00 72 C0 FF"), "Invalid Encoding of Element type."},
        {Start("3C 00 61 F0 C4 F0"), "Invalid Encoding of Element type."},
        {Start("3E 00 70 00 72 FF"), "Invalid QName type Prefix without Namespace."},
        {Start("7C 00 72 78 00 61 10 'x' FF F0"), "Invalid EncodedCharacterString type  on the third bit of an octet."},
        {Start("3C 00 72 86 00 'abc' FF"), "Invalid EncodedCharacterString type  on the fifth bit of an octet."},
        {Start("3C 00 72 88 00 F1 FF"), "Invalid EncodedCharacterString type  on the fifth bit of an octet."},
        {Start("3C 41 00 'x' FF"), "Invalid NonEmptyOctetString type  on the second bit of an octet."},
        {Start("7C 00 72 78 00 61 09 00 FF F0"), "Invalid NonEmptyOctetString type  on the fifth bit of an octet."},
        {Start("7C 00 72 70 00 FF F0"), "Invalid Encoding of integers 1 To 2^20 type  on the second bit of an octet."},
        {Start("30 10 00 00 FF"), "Invalid Encoding of integers 1 To 2^20 type  on the third bit of an octet."},
        // Namespace attributes twice on one element.
        {Start("38 CD 00 'u' F0 38 FF"), "Invalid Encoding of integers 1 To 2^20 type  on the third bit of an octet."},
        {Start("3C 00 72 B8 10 00 00 FF"),
         "Invalid Encoding of integers 1 To 2^20 type  on the fourth bit of an octet."},
        {Start("7C 00 72 78 00 61 F5 FF F0"),
         "Invalid Encoding of integers 0 To 2^20 type  on the second bit of an octet."},
        {Start("3C 00 72 88 08 12 FF"), "Unknown Restricted Alphabet index [3]."},
        {Start("3C 00 72 8C 28 41 FF"), "Unknown Encoding Algorithm index [11]."},
        {Start("3C 00 61 F0 3C 00 62 FF"), "The document holds more than one element."},
        {Start("E2 FF F0"), "The document has no element."},
        {Start("3C 00 61 FF 00"), "Unexpected data after the end of the document."},
        {Octets("E0 00 00 01 80 3C 00 61 FF"), "Invalid optional components."},
        {Start("7C 00 72 85 FF"), "Invalid Encoding of Attribute type."},
        {Start("38 C0 F0 3C 00 72 FF"), "Invalid Encoding of Namespace Attribute."},
        {Octets("E0 00 00 01 40 90"), "Invalid item count."},
        {Octets("E0 00 00 01 10 C8 F0 3C 00 72 FF"), "Invalid notation."},
        {Octets("E0 00 00 01 08 D2 F0 3C 00 72 FF"), "Invalid unparsed entity."},
        {Octets("E0 00 00 01 20 80 00 3C 00 72 FF"), "Invalid initial vocabulary."},
        {Start("E2 40 'c' E2 81 3C 00 72 FF"), "Index [2] is beyond the other string table of 1 entries."},
        // Strings that XML text cannot carry: broken UTF-8, control characters, lone surrogates.
        {Start("3C 00 72 92 01 'a' C3 28 'b' FF"), "A character string is not UTF-8 text that XML can hold."},
        {Start("3C 00 72 92 01 'a' 01 'b' 'c' FF"), "A character string is not UTF-8 text that XML can hold."},
        // Past the first eight bytes, which are checked at once.
        {Start("3C 00 72 92 11 'abcdefghijk' 1F 'mnopqrst' FF"), "A character string is not UTF-8 text that XML can hold."},
        {Start("3C 00 72 92 0D 'abcdefgh' 85 'ijklmno' FF"), "A character string is not UTF-8 text that XML can hold."},
        {Start("3C 00 72 86 01 00 68 D8 3D FF"), "A character string is not UTF-8 text that XML can hold."},
        {Start("7C 00 72 78 00 61 02 'a' 0B 'b' FF F0"), "A character string is not UTF-8 text that XML can hold."},
        {Start("3C 00 01 FF"), "A character string is not UTF-8 text that XML can hold."}};
    for (auto const & [octets, message] : cases)
        EXPECT_EQ(Prefix + message, FailureOf(octets)) << NxXmlTest::HexOctets(octets);
    EXPECT_EQ("Invalid value for INT byte encoding.", FailureOf(Start("3C 00 72 8C 0E 00 01 02 03 FF")));
}

// Every integer form, read into empty tables: the message names the decoded index.
TEST(FastInfosetReader, DecodesEveryIndexFormAndRejectsItBeyondTheTable)
{
    std::tuple<char const *, std::string, unsigned> const cases[] = {
        {"1F FF", "element name", 32}, {"20 00 FF", "element name", 33}, {"27 FF FF", "element name", 2080},
        {"28 00 09 FF", "element name", 2090}, {"2F FF FF FF", "element name", 526368},
        {"30 00 00 00 FF", "element name", 526369}, {"30 07 F7 DF FF", "element name", 1048576},
        {"7C 00 72 3F", "attribute name", 64}, {"7C 00 72 5F FF", "attribute name", 8256},
        {"7C 00 72 60 00 00", "attribute name", 8257}, {"7C 00 72 78 00 61 C0 05", "attribute value", 70},
        {"7C 00 72 78 00 61 E0 00 00", "attribute value", 8257}, {"3C 00 72 AF", "character chunk", 16},
        {"3C 00 72 B0 03", "character chunk", 20}, {"3C 00 72 B4 00 09", "character chunk", 1050},
        {"3C 00 72 B8 00 00 00", "character chunk", 263185}, {"3F 81 80 00 61 FF", "prefix", 2},
        {"3D C0 05 00 61 FF", "namespace name", 70}, {"3C E0 00 00 FF", "local name", 8257}};
    for (auto const & [octets, table, index] : cases)
    {
        char const * const size = table == "prefix" || table == "namespace name" ? "1" : "0";
        EXPECT_EQ(FormatString("%sIndex [%u] is beyond the %s table of %s entries.", Prefix.c_str(), index,
                               table.c_str(), size),
                  FailureOf(Start(octets)))
            << octets;
    }
}

TEST(FastInfosetReader, EveryDeclarationIsRecognisedAndAnythingElseGoesToTheXmlParser)
{
    auto const recognised = [](std::string const & bytes) {
        return CFastInfosetReader::RecogniseHeader(reinterpret_cast<unsigned char const *>(bytes.data()), bytes.size());
    };
    std::string const body = Start("3C 03 'root' FF");
    for (int value = 1; value <= 9; ++value)
    {
        std::string const declaration = NxXmlTest::Declaration(value);
        EXPECT_EQ(declaration.size() + 4, recognised(declaration + body)) << declaration;
        EXPECT_EQ("<root></root>", CanonicalOf(declaration + body)) << declaration;
    }
    EXPECT_EQ(0u, recognised(Octets("E0 00 00")));
    EXPECT_EQ(0u, recognised(Octets("E0 00 00 02 00 3C 00 72 FF")));
    EXPECT_EQ(0u, recognised("<?xml  encoding='finf'?>" + body));
    EXPECT_EQ("<root a=\"1\">t</root>", CanonicalOf("<root a='1'>t</root>"));
    // A declaration naming the finf encoding without the octets is the XML parser's to reject.
    EXPECT_EQ("unknown encoding at line 1", FailureOf("<?xml version='1.1' encoding='finf'?><root/>"));
}

TEST(FastInfosetReader, TextReachesTheTreeInTheLocalEncoding)
{
    SetLocalCharEncoding(1252);
    struct CRestore
    {
        ~CRestore() { SetLocalCharEncoding(65001); }
    } const restore;
    CXmlDocument document;
    LoadBytes(document, Start("78 CF 00 'p' 05 'urn:' C3 A9 F0 3F 81 81 04 'caf' C3 A9 78 00 'a' 41 C3 A9 78 "
                              "00 'b' 80 F0 85 00 E9 91 C3 A9 A0 88 04 20 FF"));
    CXmlElement const & root = *document.GetDocumentElement();
    EXPECT_EQ("caf\xE9", root.GetLocalName());
    EXPECT_EQ("urn:\xE9", root.GetNamespaceURI());
    EXPECT_EQ("\xE9", root.GetAttribute("a", ""));
    EXPECT_EQ("\xE9", root.GetAttribute("b", ""));
    EXPECT_EQ("\xE9\xE9\xE9" "20", root.GetText());
}

TEST(FastInfosetReader, TablesGrowInTheOrderLiteralsArrive)
{
    // 2100 distinct element names, then the 2090th by its three-octet index.
    std::string names = Start("3C 00 'r'");
    for (int i = 1; i <= 2100; ++i)
        names += Octets("3C 04") + FormatString("e%04d", i) + Octets("F0");
    CXmlDocument document;
    LoadBytes(document, names + Octets("28 00 0A FF F0")); // the root's name is the first
    CXmlElement const * last = document.GetDocumentElement()->GetFirstElement();
    while (last->GetNextSiblingElement() != nullptr)
        last = last->GetNextSiblingElement();
    EXPECT_EQ("e2090", last->GetLocalName());
    // 1100 added character chunks, then the 1050th by its three-octet index on the fourth bit.
    std::string chunks = Start("3C 00 'r'");
    for (int i = 1; i <= 1100; ++i)
        chunks += Octets("92 01") + FormatString("%04d", i);
    LoadBytes(document, chunks + Octets("B4 00 09 FF"));
    std::string_view const text = document.GetDocumentElement()->GetText();
    EXPECT_EQ("1050", text.substr(text.size() - 4));
}

TEST(FastInfosetReader, AFullTableTakesNoMoreValues)
{
    // 2^20 values fill the attribute-value table; two decoded values marked for adding then stay
    // out of it, and still reach their attributes.
    constexpr std::size_t Full = std::size_t(1) << 20;
    std::string bytes = Start("7C 00 'r' 78 00 'a' 40 'x'");
    for (std::size_t i = 1; i < Full; ++i)
        bytes += Octets("00 40 'x'");
    CXmlDocument document;
    LoadBytes(document, bytes + Octets("00 51 00 'y' 00 51 00 'z' 00 EF DF BF FF F0"));
    CXmlAttributeRange const attributes = document.GetDocumentElement()->GetAttributes();
    ASSERT_EQ(Full + 3, attributes.size());
    EXPECT_EQ("y", attributes[Full]->GetValue());
    EXPECT_EQ("z", attributes[Full + 1]->GetValue());
    EXPECT_EQ("x", attributes[Full + 2]->GetValue()); // index 2^20
    EXPECT_EQ(Prefix + "Index [1048577] is beyond the attribute value table of 1048576 entries.",
              FailureOf(bytes + Octets("00 EF DF C0 FF F0")));
}

TEST(FastInfosetReader, NestingAMillionDeepReadsWithoutRecursion)
{
    constexpr std::size_t Depth = 1000000;
    std::string bytes = Start("3C 00 61");
    bytes.append(Depth - 1, '\0'); // element name index 1
    bytes.append(Depth / 2, '\xFF');
    CXmlDocument document;
    LoadBytes(document, bytes + '\xF0');
    std::size_t depth = 1;
    for (CXmlElement const * element = document.GetDocumentElement(); element->GetFirstElement() != nullptr;
         element = element->GetFirstElement())
        ++depth;
    EXPECT_EQ(Depth, depth);
}

TEST(FastInfosetReader, RestrictedAlphabetsNeedTwoCharactersAtLeast)
{
    std::string const message = Prefix + "Invalid Encoding of Restricted Alphabet. Alphabet must contain between 2 and "
                                         "2^20 character";
    NxXmlTest::ExpectThrows<CNxException>([] { CFIRestrictedAlphabet alphabet("a"); }, message);
    // Two characters take two bits each (all ones is never a character); seventeen take five,
    // here with a character of two octets.
    std::string text;
    CFIRestrictedAlphabet("ab").Unpack(reinterpret_cast<unsigned char const *>("\x07"), 1, text, false);
    EXPECT_EQ("aab", text);
    text.clear();
    CFIRestrictedAlphabet const wide("0123456789abcdef\xC3\xA9");
    unsigned char const packed[] = {0x80, 0x3F}; // 16 (é), 0 (0), then six padding ones
    wide.Unpack(packed, sizeof packed, text, false);
    EXPECT_EQ("\xC3\xA9" "0", text);
    unsigned char const zeroPadded[] = {0x80, 0x3E};
    NxXmlTest::ExpectThrows<CNxException>([&] { wide.Unpack(zeroPadded, sizeof zeroPadded, text, true); },
                                          Prefix + "Invalid EncodedCharacterString type  on the third bit of an octet.");
}

TEST(FastInfosetReader, TruncationAtEveryOctetFails)
{
    std::string const documents[] = {
        Indexed, EveryComponent,
        std::string("<?xml version='1.0' encoding='finf'?>") +
            Start("7C 00 72 78 00 64 20 14 20 24 A0 1A 15 78 00 69 30 33 00 01 E2 40 F0 86 05 00 68 00 E9 D8 3D DE 00 "
                  "8C 14 38 FF")};
    for (std::string const & document : documents)
    {
        ASSERT_EQ("no exception", FailureOf(document)); // the whole document reads
        std::size_t const header = CFastInfosetReader::RecogniseHeader(
            reinterpret_cast<unsigned char const *>(document.data()), document.size());
        for (std::size_t cut = 1; cut < document.size(); ++cut)
        {
            std::string const message = FailureOf(document.substr(0, cut));
            if (cut > header)
                EXPECT_EQ(EndOfFile, message) << "cut at " << cut;
            else
                EXPECT_NE("no exception", message) << "cut at " << cut;
        }
    }
}
