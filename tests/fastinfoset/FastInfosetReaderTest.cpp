// The Fast Infoset reader on hand-built octets: each construct, each failure, recognition.
#include "CharEncoding.h"
#include "FastInfosetContext.h"
#include "FastInfosetReaderSupport.h"
#include "FastInfosetTestSupport.h"
#include "TestSupport.h"
#include "fastinfoset/FastInfosetReader.h"

#include <cstdio>
#include <cstring>

using namespace NxXmlLib16;
using NxXmlTest::CanonicalOf;
using NxXmlTest::FailureOf;
using NxXmlTest::LoadBytes;
using NxXmlTest::Octets;
using NxXmlTest::Start;

namespace
{

std::string const EndOfFile = "Failed to parse FastInfoset. Unexpected End of File.";

// Documents the truncation and corruption sweeps start from: names, values and chunks added
// then indexed; and every optional component of the header with a document type.
std::string const Indexed = Octets("E0 00 00 01 00 78 CF 00 70 04 75 72 6E 3A 70 F0 3F 81 81 00 61 78 00 78 40 31 F0 "
                                   "3C 00 62 91 68 69 F0 01 A0 FF F0");
std::string const EveryComponent =
    Octets("E0 00 00 01 7F 00 00 'a' 01 'bc' 10 00 04 'urn:v' C3 00 'n' 00 's' 00 'p' F0 D1 00 'u' 81 00 'q' 80 F0 04 "
           "'UTF-8' 01 02 '1.0' C7 00 's' 00 'p' E1 00 't' FF F0 3C 00 72 C8 00 'e' E2 40 'c' FF");

struct CCase
{
    char const * name;
    std::string octets;
    std::string expected; // canonical form, or the message
};

void PrintTo(CCase const & c, std::ostream * out) { *out << c.name; }

class ReadsConstruct : public testing::TestWithParam<CCase>
{
};

TEST_P(ReadsConstruct, ToItsCanonicalForm) { EXPECT_EQ(GetParam().expected, CanonicalOf(GetParam().octets)); }

INSTANTIATE_TEST_SUITE_P(
    Octets, ReadsConstruct,
    testing::Values(
        CCase{"root_only", Start() + Octets("3C 03 'root' FF"), "<root></root>"},
        CCase{"namespaces_attributes_and_indices",
              Octets("E0 00 00 01 00 78 CF 00 70 04 75 72 6E 3A 70 F0 3F 81 81 00 61 78 00 78 40 31 F0 3C 00 62 91 "
                     "68 69 F0 01 A0 FF F0"),
              "<n1:a xmlns:n1=\"urn:p\" x=\"1\"><b>hi</b><b>hi</b></n1:a>"},
        CCase{"date_alphabet_and_int_algorithm_in_chunks",
              Start() + Octets("3C 00 72 3C 00 64 88 06 02 20 24 A0 1A 15 F0 3C 00 6E 8C 0E 01 00 01 E2 40 FF F0"),
              "<r><d>2024-01-15</d><n>123456</n></r>"},
        CCase{"date_alphabet_and_int_algorithm_in_attributes",
              Start() + Octets("7C 00 72 78 00 64 20 14 20 24 A0 1A 15 78 00 69 30 33 00 01 E2 40 FF F0"),
              "<r d=\"2024-01-15\" i=\"123456\"></r>"},
        CCase{"numeric_alphabet_with_padding", Start() + Octets("3C 00 72 88 02 00 A1 2C 5F FF"), "<r>-12.5</r>"},
        CCase{"numeric_alphabet_exponent_letter", Start() + Octets("3C 00 72 88 02 01 6C 02 D2 3F FF"),
              "<r>6.02E23</r>"},
        CCase{"utf16_chunk_with_surrogate_pair", Start() + Octets("3C 00 72 86 05 00 68 00 E9 D8 3D DE 00 FF"),
              "<r>h\xC3\xA9\xF0\x9F\x98\x80</r>"},
        CCase{"utf16_attribute_added_then_indexed", Start() + Octets("7C 00 72 78 00 61 51 00 78 78 00 62 80 FF F0"),
              "<r a=\"x\" b=\"x\"></r>"},
        CCase{"carriage_returns_left_out_of_text", Start() + Octets("3C 00 72 92 01 'a' 0D 0A 'b' FF"),
              "<r>a\nb</r>"},
        CCase{"carriage_returns_kept_in_attributes", Start() + Octets("7C 00 72 78 00 61 02 'a' 0D 'b' FF F0"),
              "<r a=\"a&#13;b\"></r>"},
        CCase{"empty_attribute_value", Start() + Octets("7C 00 72 78 00 61 FF FF F0"), "<r a=\"\"></r>"},
        CCase{"attribute_name_and_value_indices", Start() + Octets("7C 00 72 78 00 78 40 31 F0 7C 00 63 00 80 FF FF"),
              "<r x=\"1\"><c x=\"1\"></c></r>"},
        CCase{"cdata_algorithm_read_as_text", Start() + Octets("7C 00 72 78 00 61 30 91 'ab' F0 8C 26 00 'c' 0D 'd' FF"),
              "<r a=\"ab\">cd</r>"},
        CCase{"algorithms_through_binary_data",
              Start() + Octets("3C 00 72 8C 14 38 80 ' ' 8C 09 FF FE 80 ' ' 8C 06 00 'abc' 80 ' ' 8C 01 AB CD FF"),
              "<r>true -2 YWJj ABCD</r>"},
        CCase{"xml_namespace_attribute", Start() + Octets("7C 00 72 7B 80 80 03 'lang' 41 'en' FF F0"),
              "<r xml:lang=\"en\"></r>"},
        CCase{"default_namespace_then_element_in_it", Start() + Octets("38 CD 04 'urn:d' F0 3D 81 00 'a' FF"),
              "<n1:a xmlns:n1=\"urn:d\"></n1:a>"},
        CCase{"namespace_attributes_on_inner_element",
              Start() + Octets("3C 00 'r' 38 CF 00 'p' 04 'urn:p' CC F0 3F 81 81 00 'a' FF F0"),
              "<r xmlns:n1=\"urn:p\"><n1:a></n1:a></r>"},
        CCase{"comments_and_processing_instructions_skipped",
              Start() + Octets("E1 00 74 40 78 3C 00 72 E2 FF E1 00 74 FF 91 68 69 E1 80 FF E2 40 63 E2 80 F0 E2 81 F0"),
              "<r>hi</r>"},
        CCase{"document_type_and_entity_references_skipped",
              Start() + Octets("C7 00 's' 00 'p' E1 00 't' FF F0 3C 00 72 C8 00 'e' 92 00 'a b' CB 80 80 81 FF"),
              "<r>a b</r>"},
        CCase{"attribute_list_then_end_unpaired", Start() + Octets("7C 00 65 78 00 61 40 76 F0 F0 F0"),
              "<e a=\"v\"></e>"},
        CCase{"attribute_list_then_end_paired", Start() + Octets("7C 00 65 78 00 61 40 76 F0 FF"), "<e a=\"v\"></e>"},
        CCase{"double_terminators_close_two_levels", Start() + Octets("3C 00 61 3C 00 62 3C 00 63 FF FF"),
              "<a><b><c></c></b></a>"},
        CCase{"every_optional_component",
              Octets("E0 00 00 01 7F 00 00 'a' 01 'bc' 10 00 04 'urn:v' C3 00 'n' 00 's' 00 'p' F0 D1 00 'u' 81 "
                     "00 'q' 80 F0 04 'UTF-8' 01 02 '1.0' 3C 00 72 FF"),
              "<r></r>"},
        CCase{"initial_vocabulary_tables_skipped",
              Octets("E0 00 00 01 20 1F FF 04 'urn:v' 00 01 'ab' 00 00 'x' 00 00 'p' 00 00 'u' 00 00 'l' 00 00 'n' "
                     "00 00 'o' 00 00 'v' 00 00 'c' 00 00 's' 00 03 00 00 00 00 00 00 3C 00 72 FF"),
              "<r></r>"}));

TEST(FastInfosetReader, AddedDecodedValuesAreIndexedByTheirText)
{
    CXmlDocument document;
    LoadBytes(document, Start() + Octets("7C 00 72 78 00 61 70 33 00 00 00 2A 78 00 62 80 F0 9C 0E 01 00 00 00 2A A0 FF"));
    CXmlElement const & root = *document.GetDocumentElement();
    EXPECT_EQ("42", root.GetAttribute("b", ""));
    EXPECT_EQ("4242", root.GetText());
}

TEST(FastInfosetReader, RecordsDeclaredPrefixes)
{
    CXmlDocument document;
    LoadBytes(document, Start() + Octets("38 CF 00 'p' 04 'urn:p' CD 04 'urn:d' F0 3F 81 81 00 'a' 3F 00 'q' 04 "
                                          "'urn:q' 00 'b' 40 78 00 'x' 00 'v' FF FF F0"));
    EXPECT_EQ("urn:p", document.LookupNamespaceFromAlias("p"));
    EXPECT_EQ("urn:d", document.LookupNamespaceFromAlias(""));
    // A prefix that only a literal name carries still names its namespace in paths.
    EXPECT_EQ("q", document.LookupAliasFromNamespace("urn:q"));
    EXPECT_EQ("/p:a/q:b/p:a", document.GetDocumentElement()->GetFirstElement()->GetFirstElement()->GetXPath());
}

TEST(FastInfosetReader, EveryDeclarationIsRecognised)
{
    std::string const body = Start() + Octets("3C 03 'root' FF");
    for (char const * declaration : NxXmlTest::Declarations)
    {
        std::string const bytes = declaration + body;
        EXPECT_EQ(std::strlen(declaration) + 4,
                  CFastInfosetReader::RecogniseHeader(reinterpret_cast<unsigned char const *>(bytes.data()), bytes.size()))
            << declaration;
        EXPECT_EQ("<root></root>", CanonicalOf(bytes)) << declaration;
    }
}

TEST(FastInfosetReader, AnythingElseGoesToTheXmlParser)
{
    auto const recognised = [](std::string const & bytes) {
        return CFastInfosetReader::RecogniseHeader(reinterpret_cast<unsigned char const *>(bytes.data()), bytes.size());
    };
    EXPECT_EQ(0u, recognised("<?xml version='1.1' encoding='finf'?><root/>"));
    EXPECT_EQ(0u, recognised(Octets("E0 00 00")));
    EXPECT_EQ(0u, recognised(Octets("E0 00 00 02 00 3C 00 72 FF")));
    EXPECT_EQ(0u, recognised("<?xml  encoding='finf'?>" + Start()));
    EXPECT_EQ("<root a=\"1\">t</root>", CanonicalOf("<root a='1'>t</root>"));
    // A declaration naming the finf encoding without the octets is the XML parser's to reject.
    EXPECT_EQ("unknown encoding at line 1", FailureOf("<?xml version='1.1' encoding='finf'?><root/>"));
}

TEST(FastInfosetReader, CompressedDocumentsAndFilesRead)
{
    std::string const bytes = std::string("<?xml encoding='finf'?>") + Start() + Octets("3C 00 72 91 'hi' FF");
    EXPECT_EQ("<r>hi</r>", CanonicalOf(NxXmlTest::Compress(bytes, 31)));
    EXPECT_EQ("<r>hi</r>", CanonicalOf(NxXmlTest::Compress(bytes, 15)));

    std::string const path = NxXmlTest::TempPath("reader.finf.gz");
    NxXmlTest::WriteFile(path, NxXmlTest::Compress(bytes, 31));
    CXmlDocument document;
    document.Load(path.c_str());
    EXPECT_EQ("hi", document.GetDocumentElement()->GetText());
    std::remove(path.c_str());
}

TEST(FastInfosetReader, GeneratedVocabularyIsUsedWhenTheContextHoldsIt)
{
    std::string const bytes = Octets("E0 00 00 01 20 10 00 04 'urn:v' 40 00 80 F0 A0 FF");
    CSerializationContext context;
    CFIVocabulary & vocabulary = *context.GetFIContext().GetVocabulary();
    vocabulary.AddElement("", "urn:v", "root");
    vocabulary.AddAttribute("", "", "id");
    vocabulary.AddAttributeValue("7");
    vocabulary.AddElementValue("hello");
    EXPECT_EQ("Failed to parse FastInfoset. Index [1] is beyond the element name table of 0 entries.",
              FailureOf(bytes, context));
    context.GetFIContext().SetUseGeneratedVocabulary(true);
    EXPECT_EQ("<n1:root xmlns:n1=\"urn:v\" id=\"7\">hello</n1:root>", CanonicalOf(bytes, context));
}

TEST(FastInfosetReader, TextReachesTheTreeInTheLocalEncoding)
{
    SetLocalCharEncoding(1252);
    struct CRestore
    {
        ~CRestore() { SetLocalCharEncoding(65001); }
    } const restore;

    CXmlDocument document;
    LoadBytes(document, Start() + Octets("78 CF 00 'p' 05 'urn:' C3 A9 F0 3F 81 81 04 'caf' C3 A9 78 00 'a' 41 C3 A9 78 "
                                          "00 'b' 80 F0 85 00 E9 91 C3 A9 A0 88 04 20 FF"));
    CXmlElement const & root = *document.GetDocumentElement();
    EXPECT_EQ("caf\xE9", root.GetLocalName());
    EXPECT_EQ("urn:\xE9", root.GetNamespaceURI());
    EXPECT_EQ("urn:\xE9", document.LookupNamespaceFromAlias("p"));
    EXPECT_EQ("\xE9", root.GetAttribute("a", ""));
    EXPECT_EQ("\xE9", root.GetAttribute("b", ""));
    EXPECT_EQ("\xE9\xE9\xE9" "20", root.GetText());

    // The vocabulary holds local text too.
    CSerializationContext context;
    CFastInfosetContext & options = context.GetFIContext();
    options.SetUseGeneratedVocabulary(true);
    options.GetVocabulary()->AddElement("", "urn:\xE9", "caf\xE9");
    options.GetVocabulary()->AddElementValue("\xE9t\xE9");
    CXmlDocument fromVocabulary(context);
    LoadBytes(fromVocabulary, Octets("E0 00 00 01 20 10 00 04 'urn:v' 00 A0 FF"));
    EXPECT_EQ("caf\xE9", fromVocabulary.GetDocumentElement()->GetLocalName());
    EXPECT_EQ("urn:\xE9", fromVocabulary.GetDocumentElement()->GetNamespaceURI());
    EXPECT_EQ("\xE9t\xE9", fromVocabulary.GetDocumentElement()->GetText());
}

TEST(FastInfosetReader, TablesGrowInTheOrderLiteralsArrive)
{
    // 2100 distinct element names, then the 2090th by its three-octet index.
    std::string names = Start() + Octets("3C 00 'r'");
    for (int i = 1; i <= 2100; ++i)
    {
        char name[8];
        std::snprintf(name, sizeof name, "e%04d", i);
        names += Octets("3C 04") + name + Octets("F0");
    }
    names += Octets("28 00 0A FF F0"); // the root's name is the first
    CXmlDocument document;
    LoadBytes(document, names);
    CXmlElement const * last = document.GetDocumentElement()->GetFirstElement();
    while (last->GetNextSiblingElement() != nullptr)
        last = last->GetNextSiblingElement();
    EXPECT_EQ("e2090", last->GetLocalName());

    // 1100 added character chunks, then the 1050th by its three-octet index on the fourth bit.
    std::string chunks = Start() + Octets("3C 00 'r'");
    for (int i = 1; i <= 1100; ++i)
    {
        char text[8];
        std::snprintf(text, sizeof text, "%04d", i);
        chunks += Octets("92 01") + text;
    }
    chunks += Octets("B4 00 09 FF");
    CXmlDocument chunked;
    LoadBytes(chunked, chunks);
    std::string_view const text = chunked.GetDocumentElement()->GetText();
    EXPECT_EQ("1050", text.substr(text.size() - 4));

    // 70 attribute names on as many elements, then the 70th by its two-octet index.
    std::string attributes = Start() + Octets("3C 00 'r'");
    for (int i = 1; i <= 70; ++i)
    {
        char name[8];
        std::snprintf(name, sizeof name, "a%02d", i);
        attributes += Octets("7C 00 'c' 78 02") + name + Octets("00 'v' FF");
    }
    attributes += Octets("41 40 05 00 'w' FF FF");
    CXmlDocument attributed;
    LoadBytes(attributed, attributes);
    last = attributed.GetDocumentElement()->GetFirstElement();
    while (last->GetNextSiblingElement() != nullptr)
        last = last->GetNextSiblingElement();
    EXPECT_EQ("w", last->GetAttribute("a70", ""));
}

TEST(FastInfosetReader, AFullTableTakesNoMoreValues)
{
    // 2^20 values fill the attribute-value table; two decoded values marked for adding then stay
    // out of it, and still reach their attributes.
    constexpr std::size_t Full = std::size_t(1) << 20;
    std::string bytes = Start() + Octets("7C 00 'r' 78 00 'a' 40 'x'");
    for (std::size_t i = 1; i < Full; ++i)
        bytes += Octets("00 40 'x'");
    std::string const tail = Octets("00 51 00 'y' 00 51 00 'z' 00 EF DF BF");
    CXmlDocument document;
    LoadBytes(document, bytes + tail + Octets("FF F0"));
    CXmlAttributeRange const attributes = document.GetDocumentElement()->GetAttributes();
    ASSERT_EQ(Full + 3, attributes.size());
    EXPECT_EQ("y", attributes[Full]->GetValue());
    EXPECT_EQ("z", attributes[Full + 1]->GetValue());
    EXPECT_EQ("x", attributes[Full + 2]->GetValue()); // index 2^20
    EXPECT_EQ("Failed to parse FastInfoset. Index [1048577] is beyond the attribute value table of 1048576 entries.",
              FailureOf(bytes + Octets("00 EF DF C0 FF F0")));
}

TEST(FastInfosetReader, NestingAMillionDeepReadsWithoutRecursion)
{
    constexpr std::size_t Depth = 1000000;
    std::string bytes = Start() + Octets("3C 00 61");
    bytes.append(Depth - 1, '\0'); // element name index 1
    bytes.append(Depth / 2, '\xFF');
    bytes += '\xF0';
    CXmlDocument document;
    LoadBytes(document, bytes);
    std::size_t depth = 1;
    for (CXmlElement const * element = document.GetDocumentElement(); element->GetFirstElement() != nullptr;
         element = element->GetFirstElement())
        ++depth;
    EXPECT_EQ(Depth, depth);
}

class RejectsOctets : public testing::TestWithParam<CCase>
{
};

TEST_P(RejectsOctets, WithItsMessage) { EXPECT_EQ(GetParam().expected, FailureOf(GetParam().octets)); }

std::string const Prefix = "Failed to parse FastInfoset. ";

INSTANTIATE_TEST_SUITE_P(
    Octets, RejectsOctets,
    testing::Values(
        CCase{"end_of_file", Start() + Octets("3C 00"), EndOfFile},
        CCase{"end_of_file_before_terminator", Start() + Octets("3C 00 72"), EndOfFile},
        CCase{"length_claiming_gigabytes", Start() + Octets("3C 60 FF FF FF FF 'x'"), EndOfFile},
        CCase{"chunk_claiming_gigabytes", Start() + Octets("3C 00 72 83 FF FF FF FF 'x'"), EndOfFile},
        CCase{"value_claiming_gigabytes", Start() + Octets("7C 00 72 78 00 61 0C FF FF FF FF 'x'"), EndOfFile},
        CCase{"child_octet_c0", Start() + Octets("3C 00 72 C0 FF"), Prefix + "Invalid Encoding of Element type."},
        CCase{"child_octet_f5", Start() + Octets("3C 00 72 F5"), Prefix + "Invalid Encoding of Element type."},
        CCase{"document_type_after_element", Start() + Octets("3C 00 61 F0 C4 F0"),
              Prefix + "Invalid Encoding of Element type."},
        CCase{"element_prefix_without_namespace", Start() + Octets("3E 00 70 00 72 FF"),
              Prefix + "Invalid QName type Prefix without Namespace."},
        CCase{"attribute_prefix_without_namespace", Start() + Octets("7C 00 72 7A 00 70 00 61 00 76 FF F0"),
              Prefix + "Invalid QName type Prefix without Namespace."},
        CCase{"odd_utf16_attribute", Start() + Octets("7C 00 72 78 00 61 10 'x' FF F0"),
              Prefix + "Invalid EncodedCharacterString type  on the third bit of an octet."},
        CCase{"odd_utf16_chunk", Start() + Octets("3C 00 72 86 00 'abc' FF"),
              Prefix + "Invalid EncodedCharacterString type  on the fifth bit of an octet."},
        CCase{"padding_before_a_character_in_attribute", Start() + Octets("7C 00 72 78 00 61 20 10 F1 FF F0"),
              Prefix + "Invalid EncodedCharacterString type  on the third bit of an octet."},
        CCase{"padding_before_a_character_in_chunk", Start() + Octets("3C 00 72 88 00 F1 FF"),
              Prefix + "Invalid EncodedCharacterString type  on the fifth bit of an octet."},
        CCase{"octet_string_on_second_bit", Start() + Octets("3C 41 00 'x' FF"),
              Prefix + "Invalid NonEmptyOctetString type  on the second bit of an octet."},
        CCase{"octet_string_on_fifth_bit", Start() + Octets("7C 00 72 78 00 61 09 00 FF F0"),
              Prefix + "Invalid NonEmptyOctetString type  on the fifth bit of an octet."},
        CCase{"integer_on_second_bit_attribute_name", Start() + Octets("7C 00 72 70 00 FF F0"),
              Prefix + "Invalid Encoding of integers 1 To 2^20 type  on the second bit of an octet."},
        CCase{"integer_on_second_bit_local_name", Start() + Octets("3C F0 FF"),
              Prefix + "Invalid Encoding of integers 1 To 2^20 type  on the second bit of an octet."},
        CCase{"integer_on_third_bit", Start() + Octets("3A FF"),
              Prefix + "Invalid Encoding of integers 1 To 2^20 type  on the third bit of an octet."},
        CCase{"integer_on_third_bit_too_large", Start() + Octets("30 10 00 00 FF"),
              Prefix + "Invalid Encoding of integers 1 To 2^20 type  on the third bit of an octet."},
        CCase{"namespace_attributes_twice", Start() + Octets("38 CD 00 'u' F0 38 FF"),
              Prefix + "Invalid Encoding of integers 1 To 2^20 type  on the third bit of an octet."},
        CCase{"integer_on_fourth_bit", Start() + Octets("3C 00 72 BC FF"),
              Prefix + "Invalid Encoding of integers 1 To 2^20 type  on the fourth bit of an octet."},
        CCase{"integer_on_fourth_bit_too_large", Start() + Octets("3C 00 72 B8 10 00 00 FF"),
              Prefix + "Invalid Encoding of integers 1 To 2^20 type  on the fourth bit of an octet."},
        CCase{"integer_zero_on_second_bit", Start() + Octets("7C 00 72 78 00 61 F5 FF F0"),
              Prefix + "Invalid Encoding of integers 0 To 2^20 type  on the second bit of an octet."},
        CCase{"unknown_alphabet", Start() + Octets("3C 00 72 88 08 12 FF"),
              Prefix + "Unknown Restricted Alphabet index [3]."},
        CCase{"unknown_algorithm", Start() + Octets("3C 00 72 8C 28 41 FF"),
              Prefix + "Unknown Encoding Algorithm index [11]."},
        CCase{"algorithm_data_of_wrong_size", Start() + Octets("3C 00 72 8C 0E 00 01 02 03 FF"),
              "Invalid value for INT byte encoding."},
        CCase{"more_than_one_element", Start() + Octets("3C 00 61 F0 3C 00 62 FF"),
              Prefix + "The document holds more than one element."},
        CCase{"no_element", Start() + Octets("E2 FF F0"), Prefix + "The document has no element."},
        CCase{"data_after_the_document", Start() + Octets("3C 00 61 FF 00"),
              Prefix + "Unexpected data after the end of the document."},
        CCase{"optional_components_first_bit", Octets("E0 00 00 01 80 3C 00 61 FF"),
              Prefix + "Invalid optional components."},
        CCase{"attribute_octet", Start() + Octets("7C 00 72 85 FF"), Prefix + "Invalid Encoding of Attribute type."},
        CCase{"namespace_attribute_octet", Start() + Octets("38 C0 F0 3C 00 72 FF"),
              Prefix + "Invalid Encoding of Namespace Attribute."},
        CCase{"item_count", Octets("E0 00 00 01 40 90"), Prefix + "Invalid item count."},
        CCase{"notation", Octets("E0 00 00 01 10 C8 F0 3C 00 72 FF"), Prefix + "Invalid notation."},
        CCase{"unparsed_entity", Octets("E0 00 00 01 08 D2 F0 3C 00 72 FF"), Prefix + "Invalid unparsed entity."},
        CCase{"initial_vocabulary_presence", Octets("E0 00 00 01 20 80 00 3C 00 72 FF"),
              Prefix + "Invalid initial vocabulary."},
        CCase{"other_string_index", Start() + Octets("E2 40 'c' E2 81 3C 00 72 FF"),
              Prefix + "Index [2] is beyond the other string table of 1 entries."}));

struct CIndexCase
{
    char const * name;
    std::string octets;
    char const * table;
    unsigned index;
};

void PrintTo(CIndexCase const & c, std::ostream * out) { *out << c.name; }

class DecodesIndex : public testing::TestWithParam<CIndexCase>
{
};

// Every integer form, read into empty tables: the message names the decoded index.
TEST_P(DecodesIndex, AndRejectsItBeyondTheTable)
{
    CIndexCase const & c = GetParam();
    std::string const size = std::string(c.table) == "prefix" || std::string(c.table) == "namespace name" ? "1" : "0";
    EXPECT_EQ(FormatString("Failed to parse FastInfoset. Index [%u] is beyond the %s table of %s entries.", c.index,
                           c.table, size.c_str()),
              FailureOf(c.octets));
}

INSTANTIATE_TEST_SUITE_P(
    Octets, DecodesIndex,
    testing::Values(CIndexCase{"element_1", Start() + Octets("00 FF"), "element name", 1},
                    CIndexCase{"element_32", Start() + Octets("1F FF"), "element name", 32},
                    CIndexCase{"element_33", Start() + Octets("20 00 FF"), "element name", 33},
                    CIndexCase{"element_40", Start() + Octets("20 07 FF"), "element name", 40},
                    CIndexCase{"element_2080", Start() + Octets("27 FF FF"), "element name", 2080},
                    CIndexCase{"element_2090", Start() + Octets("28 00 09 FF"), "element name", 2090},
                    CIndexCase{"element_526368", Start() + Octets("2F FF FF FF"), "element name", 526368},
                    CIndexCase{"element_526369", Start() + Octets("30 00 00 00 FF"), "element name", 526369},
                    CIndexCase{"element_1048576", Start() + Octets("30 07 F7 DF FF"), "element name", 1048576},
                    CIndexCase{"attribute_64", Start() + Octets("7C 00 72 3F"), "attribute name", 64},
                    CIndexCase{"attribute_70", Start() + Octets("7C 00 72 40 05"), "attribute name", 70},
                    CIndexCase{"attribute_8256", Start() + Octets("7C 00 72 5F FF"), "attribute name", 8256},
                    CIndexCase{"attribute_8257", Start() + Octets("7C 00 72 60 00 00"), "attribute name", 8257},
                    CIndexCase{"value_1", Start() + Octets("7C 00 72 78 00 61 80"), "attribute value", 1},
                    CIndexCase{"value_70", Start() + Octets("7C 00 72 78 00 61 C0 05"), "attribute value", 70},
                    CIndexCase{"value_8257", Start() + Octets("7C 00 72 78 00 61 E0 00 00"), "attribute value", 8257},
                    CIndexCase{"chunk_16", Start() + Octets("3C 00 72 AF"), "character chunk", 16},
                    CIndexCase{"chunk_20", Start() + Octets("3C 00 72 B0 03"), "character chunk", 20},
                    CIndexCase{"chunk_1050", Start() + Octets("3C 00 72 B4 00 09"), "character chunk", 1050},
                    CIndexCase{"chunk_263185", Start() + Octets("3C 00 72 B8 00 00 00"), "character chunk", 263185},
                    CIndexCase{"prefix_2", Start() + Octets("3F 81 80 00 61 FF"), "prefix", 2},
                    CIndexCase{"namespace_70", Start() + Octets("3D C0 05 00 61 FF"), "namespace name", 70},
                    CIndexCase{"local_name_8257", Start() + Octets("3C E0 00 00 FF"), "local name", 8257}));

TEST(FastInfosetReader, RestrictedAlphabetsNeedTwoCharactersAtLeast)
{
    std::string const message = "Failed to parse FastInfoset. Invalid Encoding of Restricted Alphabet. Alphabet must "
                                "contain between 2 and 2^20 character";
    NxXmlTest::ExpectThrows<CNxException>([] { CFIRestrictedAlphabet alphabet("a"); }, message);
    NxXmlTest::ExpectThrows<CNxException>([] { CFIRestrictedAlphabet alphabet(""); }, message);

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
                                          "Failed to parse FastInfoset. Invalid EncodedCharacterString type  on the "
                                          "third bit of an octet.");
}

TEST(FastInfosetReader, TruncationAtEveryOctetFails)
{
    std::string const documents[] = {
        Indexed,
        std::string("<?xml version='1.0' encoding='finf'?>") + Start() +
            Octets("7C 00 72 78 00 64 20 14 20 24 A0 1A 15 78 00 69 30 33 00 01 E2 40 F0 86 05 00 68 00 E9 D8 3D DE 00 "
                   "8C 14 38 FF"),
        EveryComponent,
    };
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

TEST(FastInfosetReader, CorruptedOctetsFailCleanly)
{
    // Octets changed at random places: each document either reads or fails with a library
    // exception (the sanitizer build checks that nothing is read outside the input).
    std::string const documents[] = {
        Indexed,
        Start() + Octets("7C 00 72 78 00 64 20 14 20 24 A0 1A 15 78 00 69 30 33 00 01 E2 40 F0 86 05 00 68 00 E9 D8 3D "
                         "DE 00 8C 14 38 9C 0E 01 00 00 00 2A A0 88 02 00 A1 2C 5F FF"),
        EveryComponent,
    };
    std::uint32_t state = 12345;
    auto const random = [&state](std::uint32_t bound) {
        state = state * 1103515245u + 12345u;
        return (state >> 8) % bound;
    };
    int read = 0;
    for (int round = 0; round < 3000; ++round)
    {
        std::string bytes = documents[round % 3];
        for (std::uint32_t changes = 1 + random(3); changes > 0; --changes)
            bytes[4 + random(static_cast<std::uint32_t>(bytes.size() - 4))] = static_cast<char>(random(256));
        try
        {
            CXmlDocument document;
            LoadBytes(document, bytes);
            ++read;
        }
        catch (CNxException const &)
        {
        }
    }
    EXPECT_LT(read, 3000); // most changes are caught
}

} // namespace
