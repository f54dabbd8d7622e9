// Bound objects written as JSON through the entry points: exact documents, validity in every
// mode, encodings, compression, files and failures.
#include "JsonWriterSupport.h"
#include "TestSupport.h"
#include "metadata/TestBindings.h"

#include <cstdio>
#include <fstream>
#include <functional>
#include <vector>

using namespace TestBindings;
using NxXmlTest::Bytes;
using NxXmlTest::ExpectThrows;
using NxXmlTest::ExpectThrowsFull;
using NxXmlTest::Inflate;
using NxXmlTest::ReadFileBytes;
using NxXmlTest::TempPath;

namespace
{

char const * const XsiNamespace = "http://www.w3.org/2001/XMLSchema-instance";

std::string GoldenFile(char const * name) { return std::string(NXXML_TEST_DATA_DIR) + "/json/" + name; }

// Options that declare every namespace the test documents use.
CSerializationContext Declared(JsonRoundTrip mode, bool defaultNamespace)
{
    CSerializationContext context;
    context.GetNamespaceAliases().Add("xsi", XsiNamespace);
    context.GetNamespaceAliases().Add("o", "urn:o");
    if (defaultNamespace)
        context.SetDefaultNamespaceURI(Ns);
    context.GetJsonContext().SetSupportRoundtrip(mode);
    return context;
}

template <class T>
CSmartPtr<CXmlObjectBase> Read(std::string const & xml)
{
    CSmartPtr<T> object(new T);
    object->FromXml(xml.c_str());
    return CSmartPtr<CXmlObjectBase>(object.Get());
}

std::string Widget(std::string const & rest)
{
    return "<widget xmlns=\"urn:t\" id=\"1\"><name>a</name><color>red</color><part><code>c</code></part>" + rest +
           "</widget>";
}

std::string const WideWidgetXml =
    "<widget xmlns=\"urn:t\" xmlns:o=\"urn:o\" id=\"7\" kind=\"blue\" o:more=\"1\"><name>gear</name><size>12</size>"
    "<color>blue</color><shade>green</shade><part weight=\"5\"><code>P-1</code></part><extra><code>X</code></extra>"
    "<count>1</count><count>2</count><count>3</count><part2><code>S</code></part2><part2><code>T</code></part2>"
    "<remark>fine &amp; \"dandy\"\nnext\tline \\ done</remark><note lang=\"en\">hello</note>"
    "<o:thing a=\"1\"><o:sub>t</o:sub><o:sub>u</o:sub><o:other b=\"2\">v</o:other><o:last/></o:thing></widget>";

// A drawing with a derived shape (xsi:type) and an inlined member.
CSmartPtr<CXmlObjectBase> Drawing()
{
    CSmartPtr<CDrawing> drawing(new CDrawing);
    CSmartPtr<CCircle> const circle(new CCircle);
    circle->label = "round";
    circle->radius = 4;
    drawing->shape = circle;
    static_cast<CInlined *>(drawing->inlined.Get())->first = "f";
    static_cast<CInlined *>(drawing->inlined.Get())->flag = true;
    return CSmartPtr<CXmlObjectBase>(drawing.Get());
}

// One of each construct the test bindings have.
std::vector<CSmartPtr<CXmlObjectBase>> TestDocuments()
{
    std::string const nil = std::string(" xmlns:xsi=\"") + XsiNamespace + "\" xsi:nil=\"true\"";
    return {
        Read<CWidget>(WideWidgetXml),
        Read<CWidget>(Widget("<part2><code>only</code></part2><remark" + nil + "/><note" + nil + "/>")),
        Read<CWidget>(Widget("<count>-4</count><note lang=\"fr\"></note><o:x xmlns:o=\"urn:o\"/>")),
        Read<CChoiceBox>("<box xmlns=\"urn:t\"/>"),
        Read<CChoiceBox>("<box xmlns=\"urn:t\"><text>hi</text></box>"),
        Read<CChoiceBox>("<box xmlns=\"urn:t\"><part><code>p</code></part></box>"),
        Read<CChoiceBox>("<box xmlns=\"urn:t\"><color>green</color></box>"),
        Read<CChoiceBox>("<box xmlns=\"urn:t\"><number>1</number><number>2</number></box>"),
        Read<CRunBox>("<run xmlns=\"urn:t\"><number>5</number></run>"),
        Read<CAllBox>("<all xmlns=\"urn:t\"><color>blue</color><y>why</y><part><code>p</code></part><x>3</x></all>"),
        Drawing(),
    };
}

std::string JsonOf(CXmlObjectBase const & object, JsonRoundTrip mode, bool defaultNamespace = true,
                   bool pretty = true)
{
    return Bytes(object.ToJsonStream(pretty, XmlEncoding_UTF8, EOLType_LF, Declared(mode, defaultNamespace)));
}

bool FileExists(std::string const & path) { return std::ifstream(path).good(); }

} // namespace

TEST(JsonWriterDocuments, WidgetInEachModeMatchesItsGoldenFile)
{
    CSmartPtr<CXmlObjectBase> const widget = Read<CWidget>(WideWidgetXml);
    struct
    {
        JsonRoundTrip mode;
        char const * file;
    } const cases[] = {{JsonRoundTrip_Plain, "widget-mode0.json"},
                       {JsonRoundTrip_Attributes, "widget-mode1.json"},
                       {JsonRoundTrip_Full, "widget-mode2.json"}};
    for (auto const & c : cases)
        EXPECT_EQ(ReadFileBytes(GoldenFile(c.file)), JsonOf(*widget, c.mode, false)) << c.file;
}

TEST(JsonWriterDocuments, TestBindingsAreValidJsonWithEveryItem)
{
    std::vector<CSmartPtr<CXmlObjectBase>> documents;
    try
    {
        documents = TestDocuments();
    }
    catch (CNxException const & e)
    {
        FAIL() << e.GetFullMessage();
    }
    for (CSmartPtr<CXmlObjectBase> const & object : documents)
    {
        for (bool defaultNamespace : {false, true})
        {
            std::size_t const items =
                NxXmlTest::CountXmlItems(object->ToXml(true, false, EOLType_LF, Declared(JsonRoundTrip_Full, defaultNamespace)));
            for (JsonRoundTrip mode : {JsonRoundTrip_Plain, JsonRoundTrip_Attributes, JsonRoundTrip_Full})
            {
                for (bool pretty : {true, false})
                {
                    std::string const json = JsonOf(*object, mode, defaultNamespace, pretty);
                    EXPECT_EQ(items, NxXmlTest::CountJsonItems(NxXmlTest::ParseStrictly(json), mode)) << json;
                }
            }
        }
    }
}

TEST(JsonWriterDocuments, DerivedTypesCarryXsiTypeInTheFullModeOnly)
{
    CSmartPtr<CXmlObjectBase> const drawing = Drawing();
    EXPECT_EQ("{\"drawing\": {\"@xmlns\": \"urn:t\","
              "\"@xmlns:xsi\": \"http://www.w3.org/2001/XMLSchema-instance\",\"@xmlns:o\": \"urn:o\",\"@flag\": true,"
              "\"shape\": {\"@xsi:type\": \"Circle\",\"label\": \"round\",\"radius\": 4},\"first\": \"f\"}}",
              JsonOf(*drawing, JsonRoundTrip_Full, true, false));
    EXPECT_EQ("{\"drawing\": {\"@flag\": true,\"shape\": {\"label\": \"round\",\"radius\": 4},\"first\": \"f\"}}",
              JsonOf(*drawing, JsonRoundTrip_Attributes, true, false));
}

TEST(JsonWriterDocuments, UndeclaredNamespacesFailInTheFullMode)
{
    CSmartPtr<CXmlObjectBase> const widget = Read<CWidget>(WideWidgetXml);
    CSerializationContext context;
    ExpectThrowsFull<CNxValidationException>(
        [&] { widget->ToJson(true, EOLType_LF, context); }, "Failed to convert the element [widget] to XML",
        "Failed to convert the element [widget] to XML\nFailed to convert attributes to XML\nUnknown Namespace: urn:o.");
    CSmartPtr<CXmlObjectBase> const drawing = Drawing();
    ExpectThrowsFull<CNxValidationException>(
        [&] { drawing->ToJson(true, EOLType_LF, context); }, "Failed to convert the element [drawing] to XML",
        "Failed to convert the element [drawing] to XML\nFailed to convert the element [shape] to XML\nFailed to "
        "convert attributes to XML\nUnknown Namespace: http://www.w3.org/2001/XMLSchema-instance.");
    // The lower modes drop namespaces, so nothing needs declaring.
    context.GetJsonContext().SetSupportRoundtrip(JsonRoundTrip_Attributes);
    EXPECT_NO_THROW(widget->ToJson(true, EOLType_LF, context));
    EXPECT_NO_THROW(drawing->ToJson(true, EOLType_LF, context));
}

TEST(JsonWriterDocuments, TextEntryPointFollowsTheArgumentsAndTheContext)
{
    CSmartPtr<CXmlObjectBase> const box = Read<CChoiceBox>("<box xmlns=\"urn:t\"><part><code>p</code></part></box>");
    // Defaults: indented with tabs, line feeds, the full mode; the root gets a generated prefix.
    EXPECT_EQ("{\n\t\"AA:box\": {\n\t\t\"@xmlns:AA\": \"urn:t\",\n\t\t\"AA:part\": {\n\t\t\t\"AA:code\": \"p\"\n"
              "\t\t}\n\t}\n}",
              box->ToJson());
    CSerializationContext context;
    context.SetIndentChars(" ");
    context.GetJsonContext().SetSupportRoundtrip(JsonRoundTrip_Plain);
    EXPECT_EQ("{\r\n \"box\": {\r\n  \"part\": {\r\n   \"code\": \"p\"\r\n  }\r\n }\r\n}",
              box->ToJson(true, EOLType_CRLF, context));
    EXPECT_EQ("{\"box\": {\"part\": {\"code\": \"p\"}}}", box->ToJson(false, EOLType_CRLF, context));
    ExpectThrows<CNxException>([&] { box->ToJson(true, static_cast<EOLType>(2), context); }, "Invalid EOL type.");
}

TEST(JsonWriterDocuments, NoBannerCommentInJson)
{
    CSmartPtr<CXmlObjectBase> const box = Read<CChoiceBox>("<box xmlns=\"urn:t\"><text>hi</text></box>");
    EXPECT_NE(std::string::npos, box->ToXml().find("<!--Created by")); // the banner is on
    EXPECT_EQ("{\n\t\"AA:box\": {\n\t\t\"@xmlns:AA\": \"urn:t\",\n\t\t\"AA:text\": \"hi\"\n\t}\n}", box->ToJson());
}

TEST(JsonWriterDocuments, StreamEncodingsAndCompression)
{
    CSmartPtr<CXmlObjectBase> const box = Read<CChoiceBox>("<box xmlns=\"urn:t\"><text>caf\xC3\xA9</text></box>");
    CSerializationContext context;
    context.GetJsonContext().SetSupportRoundtrip(JsonRoundTrip_Attributes);
    std::string const utf8 = Bytes(box->ToJsonStream(false, XmlEncoding_UTF8, EOLType_LF, context));
    EXPECT_EQ("{\"box\": {\"text\": \"caf\xC3\xA9\"}}", utf8);
    std::string utf16;
    for (char c : std::string("{\"box\": {\"text\": \"caf\xE9\"}}"))
    {
        utf16 += c;
        utf16 += '\0';
    }
    for (XmlEncoding encoding : {XmlEncoding_UTF16, XmlEncoding_UTF16_NoDecl})
        EXPECT_EQ(utf16, Bytes(box->ToJsonStream(false, encoding, EOLType_LF, context))); // no byte-order mark

    std::string const gzip = Bytes(box->ToJsonStream(false, XmlEncoding_UTF8, EOLType_LF, context, CompressionGZip));
    ASSERT_GE(gzip.size(), 2u);
    EXPECT_EQ("\x1F\x8B", gzip.substr(0, 2));
    EXPECT_EQ(utf8, Inflate(gzip));
    std::string const zlib = Bytes(box->ToJsonStream(false, XmlEncoding_UTF8, EOLType_LF, context, CompressionZLib));
    EXPECT_EQ(0x78, static_cast<unsigned char>(zlib[0]));
    EXPECT_EQ(utf8, Inflate(zlib));
}

TEST(JsonWriterDocuments, FilesWholeAndStreamedAreTheSame)
{
    CSmartPtr<CXmlObjectBase> const widget = Read<CWidget>(WideWidgetXml);
    CSerializationContext const context = Declared(JsonRoundTrip_Full, true);
    for (XmlEncoding encoding : {XmlEncoding_UTF8, XmlEncoding_UTF16})
    {
        std::string const whole = TempPath("whole.json");
        std::string const streamed = TempPath("streamed.json");
        AsyncToXmlFile(false);
        widget->ToJsonFile(whole.c_str(), true, encoding, EOLType_CRLF, context);
        AsyncToXmlFile(true);
        widget->ToJsonFile(streamed.c_str(), true, encoding, EOLType_CRLF, context);
        AsyncToXmlFile(false);
        std::string const bytes = ReadFileBytes(whole);
        EXPECT_EQ(bytes, ReadFileBytes(streamed));
        std::string const text = Bytes(widget->ToJsonStream(true, encoding, EOLType_CRLF, context));
        EXPECT_EQ(encoding == XmlEncoding_UTF8 ? text : "\xFF\xFE" + text, bytes);
    }
    std::string const gzipped = TempPath("gzipped.json.gz");
    widget->ToJsonFile(gzipped.c_str(), false, XmlEncoding_UTF16, EOLType_LF, context, CompressionGZip);
    EXPECT_EQ("\xFF\xFE" + Bytes(widget->ToJsonStream(false, XmlEncoding_UTF16, EOLType_LF, context)),
              Inflate(ReadFileBytes(gzipped)));
}

TEST(JsonWriterDocuments, FailedFilesAreNotLeftBehind)
{
    CSmartPtr<CXmlObjectBase> const widget = Read<CWidget>(WideWidgetXml);
    std::string const zlib = TempPath("refused.json");
    std::remove(zlib.c_str());
    ExpectThrows<CNxException>(
        [&] { widget->ToJsonFile(zlib.c_str(), true, XmlEncoding_UTF8, EOLType_LF, Declared(JsonRoundTrip_Full, true), CompressionZLib); },
        "ZLIB Compression only available for To Stream methods.");
    EXPECT_FALSE(FileExists(zlib));

    // The wildcard element's namespace is not declared: the document fails after a long remark
    // has been handed to the file.
    CSmartPtr<CXmlObjectBase> const late =
        Read<CWidget>(Widget("<remark>" + std::string(10000, 'r') + "</remark><o:x xmlns:o=\"urn:o\"/>"));
    CSerializationContext const undeclared;
    for (bool streamed : {false, true})
    {
        std::string const path = TempPath(streamed ? "failed-streamed.json" : "failed-whole.json");
        std::remove(path.c_str());
        AsyncToXmlFile(streamed);
        ExpectThrowsFull<CNxValidationException>(
            [&] { late->ToJsonFile(path.c_str(), true, XmlEncoding_UTF8, EOLType_LF, undeclared); },
            "Failed to convert the element [widget] to XML", "Failed to convert the element [widget] to XML\nUnknown Namespace: urn:o.");
        AsyncToXmlFile(false);
        EXPECT_FALSE(FileExists(path)) << streamed;
    }
}
