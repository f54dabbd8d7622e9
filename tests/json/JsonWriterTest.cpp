#include "TestSupport.h"

#include "JsonTextWriter.h"
#include "TextStream.h"

#include <tuple>

using namespace NxXmlLib16;
using NxXmlTest::ExpectThrows;

namespace
{

// A JSON writer over an in-memory stream, with the document's object opened.
struct CWriterFixture
{
    CTextStream stream{XmlEncoding_UTF8};
    CJsonTextWriter writer{&stream};

    explicit CWriterFixture(bool indentation = false, JsonRoundTrip mode = JsonRoundTrip_Full,
                            EOLType eol = EOLType_LF)
    {
        writer.WriteStartDocument();
        writer.SetIndentation(indentation);
        writer.SetEOLType(eol);
        writer.SetSupportRoundtrip(mode);
        writer.WriteDocumentStart();
    }

    std::string Finish()
    {
        writer.WriteDocumentEnd();
        writer.WriteEndDocument();
        return stream.GetString();
    }

    // An element with one text value.
    void Simple(char const * name, std::string const & text, ItemType type = ItemType_string)
    {
        writer.WriteStartElement(name, "");
        writer.WriteText(text, type);
        writer.WriteEndElement();
    }
};

} // namespace

TEST(JsonWriter, ValuesAreQuotedByItemType)
{
    std::tuple<ItemType, char const *, char const *> const cases[] = {
        {ItemType_i1, "-5", "-5"},
        {ItemType_i8, "9223372036854775807", "9223372036854775807"},
        {ItemType_r8, "-2.5E-7", "-2.5E-7"},
        {ItemType_r8, "INF", "\"INF\""},
        {ItemType_r4, "NaN", "\"NaN\""},
        {ItemType_decimal, "1.50", "1.50"},
        {ItemType_integer, "-123456789012345678901234567890", "-123456789012345678901234567890"},
        {ItemType_boolean, "true", "true"},
        {ItemType_boolean, "1", "1"},
        // Number texts that JSON cannot read stay strings.
        {ItemType_i4, "007", "\"007\""},
        {ItemType_decimal, ".5", "\".5\""},
        {ItemType_i4, "+1", "\"+1\""},
        {ItemType_r8, "1E", "\"1E\""},
        {ItemType_boolean, "True", "\"True\""},
        {ItemType_date, "2024-01-31", "\"2024-01-31\""},
        {ItemType_base64Binary, "AQID", "\"AQID\""},
        {ItemType_char, "7", "\"7\""},
        {ItemType_string, "12", "\"12\""},
    };
    for (auto const & [type, text, written] : cases)
    {
        CWriterFixture f;
        f.writer.WriteStartElement("e", "");
        f.writer.WriteAttribute("a", "", text, type);
        f.Simple("v", text, type);
        f.writer.WriteEndElement();
        EXPECT_EQ(std::string("{\"e\": {\"@a\": ") + written + ",\"v\": " + written + "}}", f.Finish()) << text;
    }
}

TEST(JsonWriter, StringsAreEscaped)
{
    std::pair<std::string, char const *> const cases[] = {
        {"say \"hi\" \\ bye", "\"say \\\"hi\\\" \\\\ bye\""},
        {"a\nb", "\"a\\nb\""},
        {"a\r\nb", "\"a\\r\\nb\""},
        {"t\tb\bf\f", "\"t\\tb\\bf\\f\""},
        {"\x01", "\"\\u0001\""},
        {"\x1F|\x7F", "\"\\u001F|\x7F\""},
        {std::string("nul\0x", 5), "\"nul\\u0000x\""},
        {"caf\xC3\xA9 / </", "\"caf\xC3\xA9 / </\""},
    };
    for (auto const & [text, written] : cases)
    {
        CWriterFixture f(false, JsonRoundTrip_Full, EOLType_CRLF);
        f.Simple("s", text);
        EXPECT_EQ(std::string("{\"s\": ") + written + "}", f.Finish());
    }
}

TEST(JsonWriter, EmptyAndNilElementsAreNull)
{
    CWriterFixture f;
    f.writer.WriteStartElement("r", "");
    f.Simple("empty", "");
    f.writer.WriteStartElement("nil", "");
    f.writer.WriteXsiNil();
    f.writer.WriteEndElement();
    f.writer.WriteStartElement("bare", "");
    f.writer.WriteEndElement();
    f.writer.WriteStartElement("attributed", "");
    f.writer.WriteAttribute("a", "", "1", ItemType_string);
    f.writer.WriteText("", ItemType_string);
    f.writer.WriteEndElement();
    f.writer.WriteEndElement();
    EXPECT_EQ("{\"r\": {\"empty\": null,\"nil\": null,\"bare\": null,\"attributed\": {\"@a\": \"1\"}}}", f.Finish());
}

TEST(JsonWriter, CollectionsAreArraysClosedInOrder)
{
    CWriterFixture f;
    f.writer.WriteStartElement("r", "");
    f.writer.SetArrayState(1);
    f.Simple("n", "1", ItemType_i4);
    f.Simple("n", "", ItemType_i4);
    f.writer.SetArrayState(3);
    // A second collection right after the first one closes its array first.
    f.writer.SetArrayState(1);
    f.Simple("b", "2");
    // Items of another name (substitutes, wildcard items) start an array of their own.
    f.Simple("c", "3");
    f.writer.SetArrayState(3);
    f.writer.SetArrayState(1);
    for (int i = 0; i < 2; ++i)
    {
        f.writer.WriteStartElement("row", "");
        f.writer.SetArrayState(1);
        f.Simple("c", "1", ItemType_i4);
        f.Simple("c", "2", ItemType_i4);
        f.writer.SetArrayState(3);
        f.writer.WriteEndElement();
    }
    f.writer.SetArrayState(3);
    f.writer.WriteText("t", ItemType_string);
    f.writer.WriteEndElement();
    EXPECT_EQ("{\"r\": {\"n\": [1,null],\"b\": [\"2\"],\"c\": [\"3\"],\"row\": [{\"c\": [1,2]},{\"c\": [1,2]}],"
              "\"#text\": \"t\"}}",
              f.Finish());
}

TEST(JsonWriter, RootNamespacesInTheFullMode)
{
    CWriterFixture f;
    f.writer.SetDefaultNamespace("urn:d");
    f.writer.AddNamespace("p", "urn:p");
    f.writer.AddNamespace("b", "urn:b");
    f.writer.AddNamespace("xsi", "http://www.w3.org/2001/XMLSchema-instance");
    f.writer.WriteStartElement("root", "urn:r");
    f.writer.WriteStartElement("c", "urn:d");
    f.writer.WriteEndElement();
    f.writer.WriteStartElement("d", "urn:p");
    f.writer.WriteXsiType("urn:p", "T", ItemType_string);
    f.writer.WriteEndElement();
    f.writer.WriteStartElement("e", "urn:r");
    f.writer.WriteEndElement();
    f.writer.WriteEndElement();
    EXPECT_EQ("{\"AA:root\": {\"@xmlns:AA\": \"urn:r\",\"@xmlns\": \"urn:d\","
              "\"@xmlns:xsi\": \"http://www.w3.org/2001/XMLSchema-instance\",\"@xmlns:b\": \"urn:b\",\"@xmlns:p\": \"urn:p\","
              "\"c\": null,\"p:d\": {\"@xsi:type\": \"p:T\"},\"AA:e\": null}}",
              f.Finish());
}

TEST(JsonWriter, UnknownNamespacesThrow)
{
    CWriterFixture f;
    f.writer.WriteStartElement("root", "");
    ExpectThrows<CNxException>([&] { f.writer.WriteAttribute("a", "urn:q", "1", ItemType_string); },
                               "Unknown Namespace: urn:q.");
    ExpectThrows<CNxException>([&] { f.writer.WriteXsiType("", "T", ItemType_string); },
                               "Unknown Namespace: http://www.w3.org/2001/XMLSchema-instance.");
    ExpectThrows<CNxException>([&] { f.writer.WriteStartElement("e", "urn:q"); }, "Unknown Namespace: urn:q.");
}

TEST(JsonWriter, StateErrors)
{
    CTextStream stream;
    CJsonTextWriter writer(&stream);
    ExpectThrows<CNxException>([&] { writer.SetEOLType(static_cast<EOLType>(2)); }, "Invalid EOL type.");
    ExpectThrows<CNxException>([&] { writer.WriteEndElement(); }, "An Element has not been opened.");
    ExpectThrows<CNxException>([&] { writer.WriteAttribute("a", "", "1", ItemType_string); },
                               "Attributes must be added before elements");
    writer.WriteStartDocument();
    writer.WriteStartElement("e", "");
    writer.WriteText("v", ItemType_string);
    ExpectThrows<CNxInvalidStateException>([&] { writer.WriteAttribute("a", "", "1", ItemType_string); },
                                           "The element [e] already has its value and can take no member.");
    ExpectThrows<CNxException>([&] { writer.WriteEndDocument(); }, "An Element has not been closed.");
}

TEST(JsonWriter, CommentsAndIgnoredCalls)
{
    CWriterFixture f(true);
    f.writer.WriteComment("a \"b\"\nc");
    f.writer.WriteRawBlock("<?pi x?>");
    f.writer.WriteStartElement("e", "");
    f.writer.WriteRawLine("<schema/>");
    f.writer.WriteEndElement();
    EXPECT_EQ("{\n/* a \\\"b\\\"\\nc */\n\t\"e\": null\n}", f.Finish());
}

TEST(JsonWriter, OutputIsHandedOnInPieces)
{
    // Over a file stream, text reaches the file before the document ends.
    std::string const path = NxXmlTest::TempPath("json-pieces.json");
    CFileTextStream stream(path.c_str(), XmlEncoding_UTF8);
    CJsonTextWriter writer(&stream);
    writer.WriteStartDocument();
    writer.WriteDocumentStart();
    writer.WriteStartElement("r", "");
    std::string const value(10000, 'v');
    writer.WriteText(value, ItemType_string);
    EXPECT_GE(NxXmlTest::ReadFileBytes(path).size(), 4096u);
    EXPECT_LT(stream.GetLength(), 4096u + 200u);
    writer.WriteEndElement();
    writer.WriteDocumentEnd();
    writer.WriteEndDocument();
    EXPECT_EQ("{\n\t\"r\": \"" + value + "\"\n}", NxXmlTest::ReadFileBytes(path));
}
