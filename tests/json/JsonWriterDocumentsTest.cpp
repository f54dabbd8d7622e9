// Bound objects written as JSON through the entry points: exact documents, validity in every
// mode, encodings, compression, files and failures.
#include "JsonTestSupport.h"
#include "TestSupport.h"

#include <cstdio>
#include <fstream>

using namespace TestBindings;
using NxXmlTest::Bytes;
using NxXmlTest::Declared;
using NxXmlTest::ExpectThrowsFull;
using NxXmlTest::ReadFileBytes;
using NxXmlTest::TempPath;

namespace
{

CSmartPtr<CXmlObjectBase> Read(std::string const & xml)
{
    CSmartPtr<CXmlObjectBase> object(xml.compare(0, 4, "<box") == 0 ? static_cast<CXmlObjectBase *>(new CChoiceBox)
                                                                      : new CWidget);
    object->FromXml(xml.c_str());
    return object;
}

std::string JsonOf(CXmlObjectBase const & object, JsonRoundTrip mode, bool defaultNamespace = true,
                   bool pretty = true)
{
    return Bytes(object.ToJsonStream(pretty, XmlEncoding_UTF8, EOLType_LF, Declared(mode, defaultNamespace)));
}

} // namespace

TEST(JsonWriterDocuments, WidgetInEachModeMatchesItsGoldenFile)
{
    CSmartPtr<CXmlObjectBase> const widget = Read(NxXmlTest::WideWidgetXml);
    for (JsonRoundTrip mode : {JsonRoundTrip_Plain, JsonRoundTrip_Attributes, JsonRoundTrip_Full})
    {
        std::string const file = std::string(NXXML_TEST_DATA_DIR) + "/json/widget-mode" + std::to_string(mode) + ".json";
        EXPECT_EQ(ReadFileBytes(file), JsonOf(*widget, mode, false)) << file;
    }
}

// Every document of the test bindings is strict JSON in every mode, indented or not.
TEST(JsonWriterDocuments, TestBindingsAreStrictJsonInEveryMode)
{
    std::vector<CSmartPtr<CXmlObjectBase>> objects{CSmartPtr<CXmlObjectBase>(TestBindings::SampleDrawing().Get())};
    for (NxXmlTest::CJsonDocument const & document : NxXmlTest::TestDocuments())
    {
        objects.emplace_back(document.make());
        objects.back()->FromXml(document.xml.c_str());
    }
    for (CSmartPtr<CXmlObjectBase> const & object : objects)
        for (JsonRoundTrip mode : {JsonRoundTrip_Plain, JsonRoundTrip_Attributes, JsonRoundTrip_Full})
            for (bool pretty : {true, false})
                EXPECT_TRUE(NxXmlTest::ParseStrictly(JsonOf(*object, mode, pretty, pretty)).is_object());
}

TEST(JsonWriterDocuments, DerivedTypesCarryXsiTypeInTheFullModeOnly)
{
    CSmartPtr<CDrawing> const drawing = TestBindings::SampleDrawing();
    EXPECT_EQ("{\"drawing\": {\"@xmlns\": \"urn:t\","
              "\"@xmlns:xsi\": \"http://www.w3.org/2001/XMLSchema-instance\",\"@xmlns:o\": \"urn:o\",\"@flag\": true,"
              "\"shape\": {\"@xsi:type\": \"Circle\",\"label\": \"round\",\"radius\": 4},\"first\": \"f\"}}",
              JsonOf(*drawing, JsonRoundTrip_Full, true, false));
    EXPECT_EQ("{\"drawing\": {\"@flag\": true,\"shape\": {\"label\": \"round\",\"radius\": 4},\"first\": \"f\"}}",
              JsonOf(*drawing, JsonRoundTrip_Attributes, true, false));
    // Undeclared namespaces fail in the full mode only: the lower modes drop namespaces.
    CSerializationContext context;
    ExpectThrowsFull<CNxValidationException>(
        [&] { drawing->ToJson(true, EOLType_LF, context); }, "Failed to convert the element [drawing] to XML",
        "Failed to convert the element [drawing] to XML\nFailed to convert the element [shape] to XML\nFailed to "
        "convert attributes to XML\nUnknown Namespace: http://www.w3.org/2001/XMLSchema-instance.");
    context.GetJsonContext().SetSupportRoundtrip(JsonRoundTrip_Attributes);
    EXPECT_NO_THROW(drawing->ToJson(true, EOLType_LF, context));
}

TEST(JsonWriterDocuments, TextEntryPointFollowsTheArgumentsAndTheContext)
{
    CSmartPtr<CXmlObjectBase> const box = Read("<box xmlns=\"urn:t\"><part><code>p</code></part></box>");
    // Defaults: indented with tabs, line feeds, the full mode, no banner comment although XML
    // text gets one; the root gets a generated prefix.
    EXPECT_NE(std::string::npos, box->ToXml().find("<!--Created by"));
    EXPECT_EQ("{\n\t\"AA:box\": {\n\t\t\"@xmlns:AA\": \"urn:t\",\n\t\t\"AA:part\": {\n\t\t\t\"AA:code\": \"p\"\n"
              "\t\t}\n\t}\n}",
              box->ToJson());
    CSerializationContext context;
    context.SetIndentChars(" ");
    context.GetJsonContext().SetSupportRoundtrip(JsonRoundTrip_Plain);
    EXPECT_EQ("{\r\n \"box\": {\r\n  \"part\": {\r\n   \"code\": \"p\"\r\n  }\r\n }\r\n}",
              box->ToJson(true, EOLType_CRLF, context));
    EXPECT_EQ("{\"box\": {\"part\": {\"code\": \"p\"}}}", box->ToJson(false, EOLType_CRLF, context));
}

TEST(JsonWriterDocuments, StreamEncodings)
{
    CSmartPtr<CXmlObjectBase> const box = Read("<box xmlns=\"urn:t\"><text>caf\xC3\xA9</text></box>");
    CSerializationContext context;
    context.GetJsonContext().SetSupportRoundtrip(JsonRoundTrip_Attributes);
    std::string const utf8 = Bytes(box->ToJsonStream(false, XmlEncoding_UTF8, EOLType_LF, context));
    EXPECT_EQ("{\"box\": {\"text\": \"caf\xC3\xA9\"}}", utf8);
    std::string const utf16 = NxXmlTest::Utf16("{\"box\": {\"text\": \"caf\xE9\"}}");
    for (XmlEncoding encoding : {XmlEncoding_UTF16, XmlEncoding_UTF16_NoDecl})
        EXPECT_EQ(utf16, Bytes(box->ToJsonStream(false, encoding, EOLType_LF, context))); // no byte-order mark
}

TEST(JsonWriterDocuments, FailedFilesAreNotLeftBehind)
{
    // The wildcard element's namespace is not declared: the document fails after a long remark
    // has been handed to the file.
    CSmartPtr<CXmlObjectBase> const late =
        Read("<widget xmlns=\"urn:t\" id=\"1\"><name>a</name><color>red</color><part><code>c</code></part><remark>" +
             std::string(10000, 'r') + "</remark><o:x xmlns:o=\"urn:o\"/></widget>");
    for (bool streamed : {false, true})
    {
        std::string const path = TempPath(streamed ? "failed-streamed.json" : "failed-whole.json");
        std::remove(path.c_str());
        AsyncToXmlFile(streamed);
        ExpectThrowsFull<CNxValidationException>(
            [&] { late->ToJsonFile(path.c_str(), true, XmlEncoding_UTF8, EOLType_LF, CSerializationContext()); },
            "Failed to convert the element [widget] to XML",
            "Failed to convert the element [widget] to XML\nUnknown Namespace: urn:o.");
        AsyncToXmlFile(false);
        EXPECT_FALSE(std::ifstream(path).good()) << streamed; // no file left
    }
}
