// The octets the Fast Infoset writer produces for each construct, its failures and its full vocabulary table.
#include "FastInfosetWriter.h"

#include "BinaryStream.h"
#include "FastInfosetTestSupport.h"
#include "fastinfoset/FIEncoding.h"

#include <memory>
#include <tuple>

namespace
{

using namespace NxXmlLib16;
using NxXmlTest::ExpectThrows;
using NxXmlTest::HexOctets;
using Encoded = CFastInfosetContext::EncodedCharacterString;

std::string const Header = "E0 00 00 01 00 ";
std::string const Xsi = "http://www.w3.org/2001/XMLSchema-instance";
std::string const Failed = "Failed to write FastInfoset. ";

// A writer over a memory stream with options the test sets first.
class FastInfosetWriter : public testing::Test
{
protected:
    CFastInfosetWriter & Start(FInfoDecl declaration = FInfoDecl_None)
    {
        m_writer = std::make_unique<CFastInfosetWriter>(&m_options, &m_stream);
        m_writer->WriteStartDocument();
        m_writer->WriteFIHeader(declaration);
        return *m_writer;
    }

    // Ends the document and returns all octets.
    std::string Finish()
    {
        m_writer->WriteFITrailer();
        m_writer->WriteEndDocument();
        return HexOctets(m_stream.GetData());
    }

    // An element holding one text.
    void Leaf(std::string const & name, std::string const & text)
    {
        m_writer->WriteStartElement(name, "");
        m_writer->WriteText(text, ItemType_string);
        m_writer->WriteEndElement();
    }

    // The octets of a document whose root holds one text, or one attribute a, of the item type.
    std::string ValueDocument(std::string const & value, ItemType itemType, bool attribute = false)
    {
        m_stream = CBinaryStream();
        CFastInfosetWriter & writer = Start();
        writer.WriteStartElement("r", "");
        if (attribute)
            writer.WriteAttribute("a", "", value, itemType);
        else
            writer.WriteText(value, itemType);
        writer.WriteEndElement();
        return Finish();
    }

    CFastInfosetContext m_options;
    CBinaryStream m_stream;
    std::unique_ptr<CFastInfosetWriter> m_writer;
};

TEST_F(FastInfosetWriter, EveryDeclarationPrecedesTheIdentification)
{
    // The root alone ends with both terminators in one octet.
    for (int decl = 0; decl < 10; ++decl)
    {
        m_stream = CBinaryStream();
        CFastInfosetWriter & writer = Start(static_cast<FInfoDecl>(decl));
        writer.WriteStartElement("root", "");
        writer.WriteEndElement();
        std::string const text = decl == 0 ? "" : HexOctets(NxXmlTest::Declaration(decl)) + " ";
        EXPECT_EQ(text + Header + "3C 03 72 6F 6F 74 FF", Finish()) << decl;
    }
    ExpectThrows<CNxException>([&] { Start(static_cast<FInfoDecl>(10)); },
                               "Failed to write FastInfoset. Invalid FInfoDecl value [10]");
}

TEST_F(FastInfosetWriter, RootNamespacesLiteralThenIndexedNamesAndValues)
{
    CFastInfosetWriter & writer = Start();
    writer.AddNamespace("p", "urn:p");
    writer.WriteStartElement("a", "urn:p");
    writer.WriteAttribute("x", "", "1", ItemType_string);
    Leaf("b", "hi");
    Leaf("b", "hi");
    writer.WriteEndElement();
    EXPECT_EQ(Header + "78 CF 00 70 04 75 72 6E 3A 70 F0 3F 81 81 00 61 78 00 78 40 31 F0 "
                       "3C 00 62 91 68 69 F0 01 A0 FF F0",
              Finish());
}

TEST_F(FastInfosetWriter, DefaultNamespaceOnTheRootAndUndeclaredBelow)
{
    CFastInfosetWriter & writer = Start();
    writer.SetDefaultNamespace("urn:d");
    writer.WriteStartElement("r", "urn:d");
    writer.WriteStartElement("c", "urn:d");
    writer.WriteEndElement();
    writer.WriteStartElement("n", "");
    writer.WriteEndElement();
    writer.WriteEndElement();
    // 38: namespace attributes without attributes; CD: default namespace; CC: xmlns="".
    EXPECT_EQ(Header + "38 CD 04 75 72 6E 3A 64 F0 3D 81 00 72 3D 81 00 63 F0 38 CC F0 3C 00 6E FF F0", Finish());
}

TEST_F(FastInfosetWriter, NamespacesFirstUsedBelowTheRootAreDeclaredThere)
{
    CFastInfosetWriter & writer = Start();
    writer.WriteStartElement("r", "");
    writer.WriteStartElement("c", "urn:c");
    writer.WriteAttribute("a", "urn:a", "v", ItemType_string);
    writer.WriteEndElement();
    writer.WriteStartElement("c", "urn:c");
    writer.WriteEndElement();
    writer.WriteEndElement();
    std::string const declarations = "CF 01 41 41 04 75 72 6E 3A 63 CF 01 41 42 04 75 72 6E 3A 61 F0";
    // The second c declares AA again: the first one's scope has ended.
    EXPECT_EQ(Header + "3C 00 72 78 " + declarations + " 3F 81 81 00 63 7B 82 82 00 61 40 76 F0 F0 " +
                  "38 CF 81 81 F0 01 FF F0",
              Finish());
}

TEST_F(FastInfosetWriter, XsiTypeAndNilDeclareTheirNamespaces)
{
    CFastInfosetWriter & writer = Start();
    writer.WriteStartElement("r", "");
    writer.WriteXsiType("urn:t", "T", ItemType_string);
    writer.WriteXsiNil();
    writer.WriteEndElement();
    // AA for the type's namespace, AB for the schema-instance namespace; then type="AA:T" and nil="true".
    EXPECT_EQ(Header + "78 CF 01 41 41 04 75 72 6E 3A 74 CF 01 41 42 " + "28 " + HexOctets(Xsi) + " F0 3C 00 72 " +
                  "7B 82 82 03 74 79 70 65 43 41 41 3A 54 7B 82 82 02 6E 69 6C 43 74 72 75 65 F0 FF",
              Finish());
}

TEST_F(FastInfosetWriter, EmptyValuesWithoutCommentsOrRawText)
{
    CFastInfosetWriter & writer = Start();
    writer.WriteComment("banner");
    writer.WriteRawBlock("<?pi?>");
    writer.WriteStartElement("r", "");
    writer.WriteRawLine("<xs:schema/>");
    writer.WriteAttribute("a", "", "", ItemType_string);
    writer.WriteText("", ItemType_string);
    Leaf("e", "");
    writer.WriteEndElement();
    EXPECT_EQ(Header + "7C 00 72 78 00 61 FF F0 3C 00 65 FF F0", Finish());
}

TEST_F(FastInfosetWriter, AddLimits)
{
    CFastInfosetWriter & writer = Start();
    writer.WriteStartElement("r", "");
    writer.WriteAttribute("a", "", "12345", ItemType_string);
    writer.WriteAttribute("b", "", "123456", ItemType_string);
    writer.WriteAttribute("c", "", "12345", ItemType_string);
    writer.WriteAttribute("d", "", "123456", ItemType_string);
    for (char const * text : {"12345", "123456", "12345", "123456"})
        Leaf("e", text);
    writer.WriteEndElement();
    std::string const five = HexOctets("12345");
    std::string const six = HexOctets("123456");
    EXPECT_EQ(Header + "7C 00 72 78 00 61 44 " + five + " 78 00 62 05 " + six + " 78 00 63 80 78 00 64 05 " + six +
                  " F0 3C 00 65 92 02 " + five + " F0 01 82 03 " + six + " F0 01 A0 F0 01 82 03 " + six + " FF F0",
              Finish());
}

TEST_F(FastInfosetWriter, AddLimitsComeFromTheOptions)
{
    m_options.SetElementMaxAddLength(0);
    m_options.SetAttributeMaxAddLength(100);
    CFastInfosetWriter & writer = Start();
    writer.WriteStartElement("r", "");
    writer.WriteAttribute("a", "", "123456", ItemType_string);
    writer.WriteAttribute("b", "", "123456", ItemType_string);
    writer.WriteText("x", ItemType_string);
    writer.WriteText("x", ItemType_string);
    writer.WriteEndElement();
    EXPECT_EQ(Header + "7C 00 72 78 00 61 45 " + HexOctets("123456") + " 78 00 62 80 F0 80 78 80 78 FF", Finish());
}

TEST_F(FastInfosetWriter, MultiOctetIndicesAndLengths)
{
    // 40 element names, 70 attribute values and 20 chunks, then the last of each again.
    CFastInfosetWriter & writer = Start();
    writer.WriteStartElement("r", "");
    for (int i = 0; i < 70; ++i)
        writer.WriteAttribute("a" + std::to_string(i), "", "v" + std::to_string(i), ItemType_string);
    writer.WriteAttribute("z", "", "v69", ItemType_string);
    for (int i = 0; i < 40; ++i)
    {
        writer.WriteStartElement("e" + std::to_string(i), "");
        if (i < 20)
            writer.WriteText("t" + std::to_string(i), ItemType_string);
        writer.WriteEndElement();
    }
    writer.WriteStartElement("e39", "");
    writer.WriteText("t19", ItemType_string);
    writer.WriteText(std::string(300, 'x'), ItemType_string);
    writer.WriteEndElement();
    writer.WriteEndElement();
    std::string const octets = Finish();
    // Attribute value 70 on the second bit: C0 05; element name 41 on the third bit: 20 08;
    // chunk 20 on the fourth bit: B0 03; a 300-octet chunk: 83 00 00 00 29.
    std::string const tail = "F0 20 08 B0 03 83 00 00 00 29 " + HexOctets(std::string(300, 'x')) + " FF F0";
    EXPECT_NE(std::string::npos, octets.find("78 00 7A C0 05 F0")) << octets;
    ASSERT_GE(octets.size(), tail.size());
    EXPECT_EQ(tail, octets.substr(octets.size() - tail.size()));
}

TEST_F(FastInfosetWriter, SuggestedEncodingsOfAttributes)
{
    m_options.SetSuggestedValues();
    CFastInfosetWriter & writer = Start();
    writer.WriteStartElement("r", "");
    writer.WriteAttribute("d", "", "2024-01-15", ItemType_date);
    writer.WriteAttribute("i", "", "123456", ItemType_i4);
    writer.WriteAttribute("s", "", "42", ItemType_i4);
    writer.WriteAttribute("t", "", "42", ItemType_i4);
    writer.WriteAttribute("m", "", "-12.5", ItemType_decimal);
    writer.WriteEndElement();
    EXPECT_EQ(Header + "7C 00 72 78 00 64 20 14 20 24 A0 1A 15 78 00 69 30 33 00 01 E2 40 78 00 73 70 33 00 00 00 2A "
                       "78 00 74 80 78 00 6D 60 02 A1 2C 5F F0 FF",
              Finish());
}

TEST_F(FastInfosetWriter, EveryAlgorithmAsACharacterChunk)
{
    std::tuple<ItemType, char const *, char const *> const cases[] = {
        {ItemType_hexBinary, "0AFF10", "8C 02 00 0A FF 10"},
        {ItemType_base64Binary, "SGVsbG8=", "8C 06 02 48 65 6C 6C 6F"},
        {ItemType_i2, "-2", "9C 09 FF FE"},
        {ItemType_i4, "123456", "8C 0E 01 00 01 E2 40"},
        {ItemType_i8, "1", "9C 12 05 00 00 00 00 00 00 00 01"},
        {ItemType_boolean, "true", "9C 14 38"},
        {ItemType_r4, "1.5", "9C 1A 01 3F C0 00 00"},
        {ItemType_r8, "1.5", "9C 1E 05 3F F8 00 00 00 00 00 00"},
        {ItemType_char, "123e4567-e89b-12d3-a456-426614174000",
         "8C 22 0D 12 3E 45 67 E8 9B 12 D3 A4 56 42 66 14 17 40 00"},
        {ItemType_string, "<b>", "9C 26 00 3C 62 3E"}};
    m_options.SetSuggestedValues();
    m_options.SetEncoding(ItemType_char, Encoded{Encoded::Kind_EncodingAlgorithm, 9});
    m_options.SetEncoding(ItemType_string, Encoded{Encoded::Kind_EncodingAlgorithm, 10});
    for (auto const & [itemType, text, chunk] : cases)
        EXPECT_EQ(Header + "3C 00 72 " + chunk + " FF", ValueDocument(text, itemType)) << text;
}

TEST_F(FastInfosetWriter, RestrictedAlphabetsPackFourBitsPerCharacter)
{
    m_options.SetSuggestedValues();
    // An odd count ends in the nibble F; 2024-02-29T13:45:00Z is 20 characters, 10 octets.
    EXPECT_EQ(Header + "3C 00 72 98 00 0F FF", ValueDocument("0", ItemType_integer));
    EXPECT_EQ(Header + "3C 00 72 88 06 07 20 24 A0 2A 29 C1 3B 45 B0 0D FF",
              ValueDocument("2024-02-29T13:45:00Z", ItemType_datetime));
    std::string packed;
    FIEncoding::AppendRestrictedAlphabetString(std::string(200, 'a').replace(0, 3, "xyz"), "zyxa", packed);
    EXPECT_EQ("02 01 00 03", HexOctets(packed));
}

TEST_F(FastInfosetWriter, GeneratedVocabularyIsAnnouncedAndUsed)
{
    m_options.SetUseGeneratedVocabulary(true);
    m_options.SetExternalVocabularyURI("urn:v");
    m_options.GetVocabulary()->AddElement("", "", "root");
    m_options.GetVocabulary()->AddElementValue("hi");
    Start();
    Leaf("root", "hi");
    EXPECT_EQ("E0 00 00 01 20 10 00 04 75 72 6E 3A 76 00 A0 FF", Finish());
    EXPECT_EQ(1u, m_options.GetVocabulary()->GetCharacterChunksTable().GetCount());

    // Without a URI the library's own is announced.
    m_stream = CBinaryStream();
    m_options.SetExternalVocabularyURI("");
    Start().WriteStartElement("root", "");
    m_writer->WriteEndElement();
    std::string const uri = "urn:nxxmllib16:fastinfoset:generated-vocabulary";
    EXPECT_EQ("E0 00 00 01 20 10 00 2E " + HexOctets(uri) + " 00 FF", Finish());
}

TEST_F(FastInfosetWriter, ValuesThatDoNotFitTheirEncoding)
{
    // The message of a chunk, and of an attribute when it differs (null: the same).
    std::tuple<Encoded, char const *, std::string, char const *> const cases[] = {
        {Encoded{Encoded::Kind_RestrictedAlphabet, 3}, "1", "Invalid Restricted Alphabet value [3]", nullptr},
        {Encoded{Encoded::Kind_RestrictedAlphabet, 0}, "1", "Invalid Restricted Alphabet value [0]", nullptr},
        {Encoded{Encoded::Kind_RestrictedAlphabet, 1}, "1x", "Invalid character not found for Restricted Alphabet.",
         nullptr},
        {Encoded{Encoded::Kind_EncodingAlgorithm, 11}, "1", "Invalid Encoding Algorithm value [11]", nullptr},
        {Encoded{Encoded::Kind_EncodingAlgorithm, 0}, "1", "Invalid Encoding Algorithm value [0]", nullptr},
        {Encoded{static_cast<Encoded::Kind>(3), 1}, "1", "Unknown encoding in EncodedCharacterStringBit7.",
         "Unknown encoding in EncodedCharacterStringBit5."}};
    for (auto const & [encoding, text, chunkMessage, attributeMessage] : cases)
    {
        m_options.SetEncoding(ItemType_string, encoding);
        ExpectThrows<CNxException>([&, text = text] { ValueDocument(text, ItemType_string); }, Failed + chunkMessage);
        ExpectThrows<CNxException>([&, text = text] { ValueDocument(text, ItemType_string, true); },
                                   Failed + (attributeMessage != nullptr ? attributeMessage : chunkMessage));
    }
    m_options.SetEncoding(ItemType_i4, Encoded{Encoded::Kind_EncodingAlgorithm, 4});
    ExpectThrows<CNxInvalidValueException>([&] { ValueDocument("abc", ItemType_i4); },
                                           "The value [abc] can not be converted to a i4");
    m_options.SetEncoding(ItemType_string, Encoded());
    m_options.SetDefaultStringEncoding(1);
    for (bool attribute : {false, true})
        ExpectThrows<CNxException>(
            [&] { ValueDocument("v", ItemType_string, attribute); },
            "Failed to write FastInfoset. Unsupported Feature UTF16BE in EncodedCharacterStringBit5.");
}

TEST_F(FastInfosetWriter, AlphabetsOfUnsupportedSizes)
{
    std::string out;
    ExpectThrows<CNxException>([&] { FIEncoding::AppendRestrictedAlphabetString("a", "a", out); },
                               "Failed to write FastInfoset. Invalid Restricted Alphabet. Alphabet must contain "
                               "between 2 and 2^20 characters.");
    ExpectThrows<CNxException>([&] { FIEncoding::AppendRestrictedAlphabetString(std::string(40, 'a'), "a", out); },
                               "Failed to write FastInfoset. Unsupported Feature in AppendRestrictedAlphabetString.");
}

TEST_F(FastInfosetWriter, AttributesAfterContentAndUnbalancedElements)
{
    CFastInfosetWriter & writer = Start();
    writer.WriteStartElement("r", "");
    writer.WriteText("t", ItemType_string);
    ExpectThrows<CNxException>([&] { writer.WriteAttribute("a", "", "v", ItemType_string); },
                               "Attributes must be added before elements");
    ExpectThrows<CNxException>([&] { writer.WriteXsiNil(); }, "Attributes must be added before elements");
    ExpectThrows<CNxException>([&] { writer.WriteXsiType("", "T", ItemType_string); },
                               "Attributes must be added before elements");
    ExpectThrows<CNxException>([&] { writer.WriteEndDocument(); }, "An Element has not been closed.");
    writer.WriteEndElement();
    ExpectThrows<CNxException>([&] { writer.WriteEndElement(); }, "An Element has not been opened.");
}

TEST(FIVocabulary, AFullTableIgnoresAdditions)
{
    CFIVocabulary vocabulary;
    auto & table = vocabulary.GetCharacterChunksTable();
    for (std::uint32_t i = 0; i < CFIVocabulary::MaxEntries; ++i)
        table.Append(std::to_string(i));
    vocabulary.AddElementValue("new");
    std::uint32_t index = 0;
    EXPECT_FALSE(table.Add("another", index));
    EXPECT_FALSE(table.Find("new", index));
    EXPECT_EQ(1048576u, table.GetCount());
    ASSERT_TRUE(table.Find("1048575", index));
    EXPECT_EQ(1048576u, index);
}

} // namespace
