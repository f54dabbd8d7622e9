// JSON to XML: the mapping of members, attributes, text and arrays, the refusal of what cannot
// become well-formed XML, the document's JSON loads and the FromJson entry points.
#include "JsonReaderHandler.h"
#include "TestSupport.h"
#include "metadata/TestBindings.h"

#include <string>
#include <tuple>

using namespace NxXmlLib16;
using namespace TestBindings;
using NxXmlTest::ExpectThrows;

namespace
{

std::string const Declaration = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";

CJsonContext Options(JsonRoundTrip mode, char const * rootName = nullptr)
{
    CJsonContext options;
    options.SetSupportRoundtrip(mode);
    options.SetRootElementName(rootName);
    return options;
}

// The XML text of the JSON, without the declaration (which is checked once).
std::string Converted(std::string const & json, JsonRoundTrip mode = JsonRoundTrip_Full, char const * rootName = nullptr)
{
    std::string const xml = NxXmlTest::Bytes(CJsonReaderToXmlHandler::ConvertToXml(json, Options(mode, rootName)));
    EXPECT_EQ(Declaration, xml.substr(0, Declaration.size()));
    return xml.substr(Declaration.size());
}

struct CCase
{
    char const * json;
    char const * xml;
};

} // namespace

TEST(JsonToXmlTest, MembersBecomeElementsAttributesTextAndRepeatedElements)
{
    CCase const cases[] = {
        {R"({"Order":{"@id":"7","Note":"hi"}})", R"(<Order id="7"><Note>hi</Note></Order>)"},
        {R"({"r":{"Line":[{"@n":"1"},{"@n":"2"}]}})", R"(<r><Line n="1"/><Line n="2"/></r>)"},
        {R"({"r":{"a":true,"b":1.5e3,"c":false,"d":-0}})", "<r><a>true</a><b>1.5e3</b><c>false</c><d>-0</d></r>"},
        {R"({"p":{"@a":"1","#text":"x","c":"y","#text":"z"}})", R"(<p a="1">x<c>y</c>z</p>)"},
        {R"({"r":{"@a":null,"#text":null,"b":{}}})", "<r><b/></r>"},
        {R"({"r":{"@q":"<\"&'>\n"}})", "<r q=\"&lt;&quot;&amp;'&gt;&#xA;\"/>"},
        {R"({"r":"\u00e9\u20ac\ud83d\ude00\udc00"})", "<r>\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80\xEF\xBF\xBD</r>"},
        // Text that looks like a CDATA section stays text.
        {R"({"r":"<![CDATA[x]]>"})", "<r>&lt;![CDATA[x]]&gt;</r>"},
        // Namespace declarations are attributes that the XML reader then takes as declarations.
        {R"({"AA:r":{"@xmlns:AA":"urn:a","@xmlns":"urn:d","AA:c":"1","d":"2"}})",
         R"(<AA:r xmlns:AA="urn:a" xmlns="urn:d"><AA:c>1</AA:c><d>2</d></AA:r>)"},
        {R"({"\u00e9l\u00e8ve":1})", "<\xC3\xA9l\xC3\xA8ve>1</\xC3\xA9l\xC3\xA8ve>"},
        {R"({"r":{"@xml:lang":"en","@xmlns":"","p:a":{"@xmlns:p":"urn:p","@p:b":"1","p:c":2}}})",
         R"(<r xml:lang="en" xmlns=""><p:a xmlns:p="urn:p" p:b="1"><p:c>2</p:c></p:a></r>)"},
        // Arrays become repeated elements, item by item.
        {R"({"r":{"tag":["a","b"]}})", "<r><tag>a</tag><tag>b</tag></r>"},
        {R"({"r":{"x":["a",{"@k":"1","#text":"b"},null,3,{"y":true}]}})",
         R"(<r><x>a</x><x k="1">b</x><x/><x>3</x><x><y>true</y></x></r>)"},
        {R"({"r":{"a":[],"b":1}})", "<r><b>1</b></r>"},
        {R"({"r":{"a":[{"b":["1","2"]},{"b":["3"]}]}})", "<r><a><b>1</b><b>2</b></a><a><b>3</b></a></r>"},
        {R"({"r":[{"@i":"1"}]})", R"(<r i="1"/>)"}};
    for (CCase const & c : cases)
        EXPECT_EQ(c.xml, Converted(c.json)) << c.json;
}

TEST(JsonToXmlTest, ContextDecidesAtNamesRootNameAndComments)
{
    EXPECT_EQ(R"(<Order id="7"><Note>hi</Note></Order>)",
              Converted(R"({"Order":{"@id":"7","Note":"hi"}})", JsonRoundTrip_Attributes));
    EXPECT_EQ("<Order><id>7</id><Note>hi</Note></Order>",
              Converted(R"({"Order":{"id":"7","Note":"hi"}})", JsonRoundTrip_Plain));
    // In plain JSON "@id" is an element name, which XML cannot have.
    ExpectThrows<CNxInvalidStateException>([] { Converted(R"({"Order":{"@id":"7"}})", JsonRoundTrip_Plain); },
                                           "Failed to convert name '@id' to Element name in XML.");
    EXPECT_EQ("<items><a>1</a></items>", Converted(R"([{"a":1}])", JsonRoundTrip_Full, "items"));
    EXPECT_EQ("<r>text</r>", Converted(R"("text")", JsonRoundTrip_Full, "r"));
    EXPECT_EQ("<r/>", Converted("", JsonRoundTrip_Full, "r"));
    CJsonContext options = Options(JsonRoundTrip_Full);
    options.GetAllowComments(false);
    ExpectThrows<CNxValidationException>(
        [&] { CJsonReaderToXmlHandler::ConvertToXml("{\"a\": /* one */ 1}", options); },
        "Expected Value '{', '[', '\"', '0-9', '-', 'true', 'false' or 'null', found '/' at line 1, position 7."
        "\nPath: $.a");
}

TEST(JsonToXmlTest, StructuresWithoutAnXmlFormAreRefused)
{
    CCase const cases[] = {
        {R"({"":1})", "JSON item has an empty Name.\nPath: $."},
        {"[1]", "JSON Array has no Name.\nPath: $[0]"},
        {R"({"r":[[1]]})", "JSON Array has no Name.\nPath: $.r[0][0]"},
        {R"("x")", "JSON Value has no Name.\nPath: $"},
        {"{}", "JSON Document has no root Element.\nPath: $"},
        {R"({"a":1,"b":2})", "JSON Document has more than one root Element: 'b'.\nPath: $.b"},
        {R"({"r":{"@a":"1","@a":"2"}})", "JSON item '@a' is repeated.\nPath: $.r.@a"},
        {R"({"r":{"@a":{"b":1}}})", "JSON item '@a' must have a simple value.\nPath: $.r.@a"},
        {R"({"r":{"#text":[1]}})", "JSON item '#text' must have a simple value.\nPath: $.r.#text[0]"},
    };
    for (CCase const & c : cases)
    {
        SCOPED_TRACE(c.json);
        ExpectThrows<CNxValidationException>([&] { Converted(c.json); }, c.xml);
    }
    ExpectThrows<CNxValidationException>([] { Converted("[1,2]", JsonRoundTrip_Full, "r"); },
                                         "JSON Document has more than one root Element: 'r'.\nPath: $.r[1]");
}

TEST(JsonToXmlTest, NamesAndValuesThatXmlCannotHoldAreRefused)
{
    char const * const ElementName = "name '%s' to Element name";
    char const * const AttributeName = "name '%s' to Attribute name";
    char const * const ElementValue = "value '%s' to Element string value";
    char const * const AttributeValue = "value '%s' to Attribute string value";
    std::tuple<char const *, char const *, char const *> const cases[] = {
        {R"({"a b":1})", ElementName, "a b"},
        {R"({"-a":1})", ElementName, "-a"},
        {R"({"a:b:c":1})", ElementName, "a:b:c"},
        {R"({"a:":1})", ElementName, "a:"},
        {R"({":a":1})", ElementName, ":a"},
        {R"({"a::b":1})", ElementName, "a::b"},
        {R"({"a:1b":1})", ElementName, "a:1b"},
        {R"({"#comment":1})", ElementName, "#comment"},
        {"{\"a\\u00d7\":1}", ElementName, "a\xC3\x97"},
        {"{\"\xFF\":1}", ElementName, "\xFF"},
        // A prefix must be declared on the element or an ancestor still open.
        {R"({"a:b":1})", ElementName, "a:b"},
        {R"({"r":{"a":{"@xmlns:p":"urn:p","p:b":1},"p:c":2}})", ElementName, "p:c"},
        {R"({"xmlns:r":1})", ElementName, "xmlns:r"},
        {R"({"r":{"@":"1"}})", AttributeName, "@"},
        {R"({"r":{"@1":"1"}})", AttributeName, "@1"},
        {R"({"p:r":{"@xmlns:p":"urn:p","p:c":{"@p:x":"1","@q:y":"2"}}})", AttributeName, "@q:y"},
        {R"({"r":"a\u0001"})", ElementValue, "a\x01"},
        {"{\"r\":\"\xC3\"}", ElementValue, "\xC3"},
        {"{\"r\":\"\xED\xA0\x80\"}", ElementValue, "\xED\xA0\x80"},
        {"{\"r\":\"\xEF\xBF\xBF\"}", ElementValue, "\xEF\xBF\xBF"},
        {R"({"#text":"x"})", ElementValue, "x"},
        {R"({"r":"a\u0000b"})", ElementValue, "a"},
        {R"({"r":{"@a":"\b"}})", AttributeValue, "\b"},
        {R"({"@a":"x"})", AttributeValue, "x"},
        // Attributes after a child element have no start tag left to go into.
        {R"({"r":{"c":1,"@a":"2"}})", AttributeValue, "2"},
        // Declarations the XML reader refuses: undeclaring a prefix, rebinding the reserved ones.
        {R"({"r":{"@xmlns:p":""}})", AttributeValue, ""},
        {R"({"r":{"@xmlns:xml":"urn:x"}})", AttributeValue, "urn:x"},
        {R"({"r":{"@xmlns:p":"http://www.w3.org/XML/1998/namespace"}})", AttributeValue,
         "http://www.w3.org/XML/1998/namespace"}};
    for (auto const & [json, what, refused] : cases)
    {
        SCOPED_TRACE(json);
        ExpectThrows<CNxInvalidStateException>([json = json] { Converted(json); },
                                               "Failed to convert " + FormatString(what, refused) + " in XML.");
    }
}

TEST(JsonToXmlTest, EveryTruncationOfAnInputThrows)
{
    std::string const json = R"({"r":{"@a":"1","#text":"t\u00e9","b":[1,{"c":null},true],"d":{"e":-1.5e+2}}})";
    EXPECT_EQ(R"(<r a="1">t)"
              "\xC3\xA9"
              R"(<b>1</b><b><c/></b><b>true</b><d><e>-1.5e+2</e></d></r>)",
              Converted(json));
    for (std::size_t length = 0; length < json.size(); ++length)
        EXPECT_THROW(Converted(json.substr(0, length)), CNxValidationException) << length;
}

TEST(JsonToXmlTest, DocumentLoadsDecodeEveryInputForm)
{
    std::string const json = R"({"a":"\u00e9"})";
    std::string const xml = Declaration + "<a>\xC3\xA9</a>";
    CXmlDocument document;
    auto const loaded = [&](std::string const & bytes) {
        return NxXmlTest::Bytes(document.LoadJsonStream(reinterpret_cast<unsigned char const *>(bytes.data()),
                                                        static_cast<std::uint32_t>(bytes.size())));
    };
    EXPECT_EQ(xml, NxXmlTest::Bytes(document.LoadJson(json.c_str())));
    std::u16string const wide = u"{\"a\":\"\u00e9\"}";
    EXPECT_EQ(xml, NxXmlTest::Bytes(document.LoadJson(reinterpret_cast<unsigned short const *>(wide.c_str()))));
    // A UTF-8 byte-order mark is skipped, in text and in bytes.
    std::string const marked = "\xEF\xBB\xBF" + json;
    EXPECT_EQ(xml, NxXmlTest::Bytes(document.LoadJson(marked.c_str())));
    EXPECT_EQ(xml, loaded(marked));
    // UTF-16 bytes, behind their byte-order mark or not.
    std::string const utf16 = "\xFF\xFE" + NxXmlTest::Utf16("{\"a\":\"") + "\xE9" + '\0' + NxXmlTest::Utf16("\"}");
    EXPECT_EQ(xml, loaded(utf16));
    EXPECT_EQ(xml, loaded(utf16.substr(2)));
    // gzip and zlib streams are inflated; a file is read whole.
    EXPECT_EQ(xml, loaded(NxXmlTest::Compress(marked, 15)));
    std::string const path = NxXmlTest::TempPath("compressed.json");
    NxXmlTest::WriteFile(path, NxXmlTest::Compress(marked, 31));
    EXPECT_EQ(xml, NxXmlTest::Bytes(document.LoadJsonFile(path.c_str())));
}

TEST(JsonToXmlTest, EmptyAndMissingInputs)
{
    CXmlDocument document;
    ExpectThrows<CNxException>([&] { document.LoadJson(""); }, "JSON String is empty!");
    ExpectThrows<CNxException>([&] { document.LoadJson(static_cast<char const *>(nullptr)); }, "JSON String is empty!");
    unsigned short const none[] = {0};
    ExpectThrows<CNxException>([&] { document.LoadJson(none); }, "JSON String is empty!");
    unsigned char const byte = '{';
    ExpectThrows<CNxException>([&] { document.LoadJsonStream(&byte, 0); }, "JSON Stream is empty!");
    std::string const empty = NxXmlTest::TempPath("empty.json");
    NxXmlTest::WriteFile(empty, "");
    ExpectThrows<CNxException>([&] { document.LoadJsonFile(empty.c_str()); }, "JSON Stream is empty!");
    std::string const missing = NxXmlTest::TempPath("missing.json");
    ExpectThrows<CNxException>([&] { document.LoadJsonFile(missing.c_str()); },
                               "Failed to open the file [" + missing + "] Error [0x00000002]");
}

TEST(JsonToXmlTest, WithoutNamespacesNamesAreMatchedByLocalNameForTheCall)
{
    std::string const json =
        R"({"widget":{"@id":"7","name":"gear","color":"red","part":{"code":"P"},"count":[4,5,6]}})";
    CSerializationContext context;
    context.GetJsonContext().SetSupportRoundtrip(JsonRoundTrip_Attributes);
    CSmartPtr<CWidget> widget(new CWidget);
    widget->FromJson(json.c_str(), context);
    EXPECT_EQ(7, widget->id);
    EXPECT_EQ("P", widget->part->code);
    EXPECT_EQ(3, widget->counts->GetCount());
    EXPECT_FALSE(context.GetIgnoreNamespaces());
    // Plain JSON makes attributes members: the id member is an unknown element for the bindings.
    context.GetJsonContext().SetSupportRoundtrip(JsonRoundTrip_Plain);
    EXPECT_THROW(widget->FromJson(R"({"widget":{"id":"7","name":"gear"}})", context), CNxException);
    // The round-trip form carries namespaces: without them the names do not match.
    CSerializationContext full;
    EXPECT_THROW(widget->FromJson(json.c_str(), full), CNxException);
    full.SetIgnoreNamespaces(true);
    widget->FromJson(json.c_str(), full);
    EXPECT_EQ("gear", widget->name);
}

TEST(JsonToXmlTest, ReadingFailuresCarryTheConvertedXml)
{
    std::string const json = R"({"widget":{"@xmlns":"urn:t","@id":"7","name":"gear","zzz":1}})";
    std::string const xml = Declaration + R"(<widget xmlns="urn:t" id="7"><name>gear</name><zzz>1</zzz></widget>)";
    CSmartPtr<CWidget> widget(new CWidget);
    try
    {
        widget->FromJson(json.c_str());
        ADD_FAILURE() << "no exception";
    }
    catch (CNxException const & e)
    {
        EXPECT_EQ(typeid(CNxException), typeid(e));
        EXPECT_EQ("Error converting JSON to XML:\n" + xml, e.GetMessage());
        ASSERT_NE(nullptr, e.GetInnerException());
        EXPECT_NE(nullptr, dynamic_cast<CNxValidationException const *>(e.GetInnerException()));
    }
    // Conversion failures are not wrapped.
    ExpectThrows<CNxValidationException>([&] { widget->FromJson("{\"widget\":"); },
                                         "Unexpected End of File. Expected Object Value at line 1, position 10."
                                         "\nPath: $.widget");
    ExpectThrows<CNxException>([&] { widget->FromJson(""); }, "JSON String is empty!");
    ExpectThrows<CNxException>([&] { widget->FromJsonStream(CBinaryData()); }, "JSON Stream is empty!");
}
