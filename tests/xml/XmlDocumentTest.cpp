#include "TestSupport.h"

#include "CharEncoding.h"
#include "SerializationContext.h"
#include "XmlDocument.h"
#include "xml/ExpatReader.h"

#include <algorithm>
#include <cerrno>
#include <fstream>
#include <memory>

using namespace NxXmlLib16;
using NxXmlTest::Compress;
using NxXmlTest::ExpectThrows;
using NxXmlTest::TempPath;
using NxXmlTest::WriteFile;

namespace
{

void LoadBytes(CXmlDocument & document, std::string const & bytes)
{
    document.LoadXmlStream(reinterpret_cast<unsigned char const *>(bytes.data()), static_cast<std::uint32_t>(bytes.size()));
}

// A compact dump of the tree: {ns}name[@{ns}attr=value...]"text"(children).
std::string Dump(CXmlElement const * element)
{
    std::string out = "{" + element->GetNamespaceURI() + "}" + element->GetLocalName();
    for (CXmlAttribute const * attribute : element->GetAttributes())
        out += " @{" + attribute->GetNamespaceURI() + "}" + attribute->GetLocalName() + "=" +
               std::string(attribute->GetValue());
    if (!element->GetText().empty())
        out += " \"" + std::string(element->GetText()) + "\"";
    if (element->GetFirstElement() != nullptr)
    {
        out += " (";
        for (CXmlElement const * child = element->GetFirstElement(); child != nullptr;
             child = child->GetNextSiblingElement())
            out += Dump(child) + (child->GetNextSiblingElement() != nullptr ? " " : "");
        out += ")";
    }
    return out;
}

std::string const Sample = "<?xml version=\"1.0\"?>\n"
                           "<o:order xmlns:o=\"urn:o\" xmlns=\"urn:d\" id=\"7\" o:rev=\"2\">\n"
                           "  <item sku=\"a\">one</item>\n"
                           "  <item sku=\"b\">two &amp; more</item>\n"
                           "  <note>x<b/>y</note>\n"
                           "</o:order>";
std::string const SampleDump = "{urn:o}order @{}id=7 @{urn:o}rev=2 \"\n  \n  \n  \n\" ("
                               "{urn:d}item @{}sku=a \"one\" {urn:d}item @{}sku=b \"two & more\" "
                               "{urn:d}note \"xy\" ({urn:d}b))";

} // namespace

TEST(XmlDocument, BuildsTheTreeWithNamespacesAttributesAndText)
{
    CXmlDocument document;
    document.LoadXml(Sample.c_str());
    EXPECT_EQ(SampleDump, Dump(document.GetDocumentElement()));
    EXPECT_EQ("urn:o", document.LookupNamespaceFromAlias("o"));
    EXPECT_EQ("urn:d", document.LookupNamespaceFromAlias(""));
    EXPECT_EQ("", document.LookupNamespaceFromAlias("zz"));
    EXPECT_EQ("", document.LookupAliasFromNamespace("urn:d"));
    EXPECT_EQ("o", document.LookupAliasFromNamespace("urn:o"));
    // Attributes are found by name and namespace; a missing one is empty.
    CXmlElement const * const order = document.GetDocumentElement();
    EXPECT_EQ("2", order->GetAttribute("rev", "urn:o"));
    EXPECT_EQ("", order->GetAttribute("id", "urn:o"));
    EXPECT_EQ('\0', *order->GetAttribute("y", "").data());
}

TEST(XmlDocument, TextsAttributesAndNamespacesOfSmallDocuments)
{
    CSerializationContext const plain;
    CSerializationContext noNamespaces;
    noNamespaces.SetSchemaType(SchemaType_DTD);
    CSerializationContext keepCData;
    keepCData.SetStripCDATA(false);
    struct CCase
    {
        CSerializationContext const & context;
        char const * xml;
        char const * tree;
    } const cases[] = {
        {plain, "<a v=\"1&#13;2\">a\r\nb&#13;c</a>", "{}a @{}v=1\r2 \"a\nbc\""}, // only attributes keep CR
        {plain, "<a> <b/> </a>", "{}a \"  \" ({}b)"},                             // whitespace beside children is kept
        {plain, "<a>\n  <b> </b>\n  <c>\n  </c> x <d/></a>", "{}a \"\n  \n   x \" ({}b \" \" {}c \"\n  \" {}d)"},
        {plain, "<a>\r\n  <b/>\r\n</a>", "{}a \"\n  \n\" ({}b)"},
        {plain, "<a>x<b>inner</b>y<c/>z</a>", "{}a \"xyz\" ({}b \"inner\" {}c)"},
        {plain, "<a><![CDATA[x<y]]></a>", "{}a \"x<y\""},
        {keepCData, "<a>1<![CDATA[x<y]]>2</a>", "{}a \"1<![CDATA[x<y]]>2\""},
        {plain, "<a xmlns=\"urn:x\"><b/></a>", "{urn:x}a ({urn:x}b)"},
        {noNamespaces, "<a xmlns=\"urn:x\"><b/></a>", "{}a @{}xmlns=urn:x ({}b)"},
    };
    for (CCase const & c : cases)
    {
        CXmlDocument document(c.context);
        document.LoadXml(c.xml);
        EXPECT_EQ(c.tree, Dump(document.GetDocumentElement())) << c.xml;
    }
}

TEST(XmlDocument, EqualLayoutTextsShareOneCopy)
{
    CXmlDocument document;
    document.LoadXml("<r>\n <i>\n  <v>1</v>\n </i>\n <i>\n  <v>2</v>\n </i>\n <i>\n  <w/>\n  <v>3</v>\n </i>\n</r>");
    CXmlElement const * const first = document.GetDocumentElement()->GetFirstElement();
    CXmlElement const * const second = first->GetNextSiblingElement();
    CXmlElement const * const third = second->GetNextSiblingElement();
    EXPECT_EQ("\n  \n ", first->GetText());
    EXPECT_EQ(first->GetText().data(), second->GetText().data());
    EXPECT_EQ("\n  \n  \n ", third->GetText());
    EXPECT_EQ("1", first->GetFirstElement()->GetText());
    EXPECT_EQ('\0', third->GetText().data()[third->GetText().size()]);
}

TEST(XmlDocument, LayoutTextsOfDroppedElementsAreNotReused)
{
    // The first row is dropped with the layout text stored inside it; the rows after it must
    // not refer to the space given back.
    CXmlDocument document([](CXmlElement * element) { return element->GetLocalName() == "row"; });
    document.LoadXml("<t>\n<row>\n <c/>\n</row>\n<keep>\n <c/>\n</keep><keep>\n <c/>\n</keep>\n</t>");
    CXmlElement const * const keep = document.GetDocumentElement()->GetFirstElement();
    ASSERT_NE(nullptr, keep);
    EXPECT_EQ("keep", keep->GetLocalName());
    EXPECT_EQ("\n \n", keep->GetText());
    EXPECT_EQ("\n \n", keep->GetNextSiblingElement()->GetText());
    EXPECT_EQ("c", keep->GetFirstElement()->GetLocalName());
}

TEST(XmlDocument, PathsCarryPrefixesAndPredicates)
{
    CXmlDocument document;
    document.LoadXml(Sample.c_str());
    CXmlElement const * const order = document.GetDocumentElement();
    CXmlElement const * const first = order->GetFirstElement();
    CXmlElement const * const second = first->GetNextSiblingElement();
    std::string paths = order->GetXPath();
    for (CXmlElement const * e = first; e != nullptr; e = e->GetNextSiblingElement() ? e->GetNextSiblingElement() : e->GetFirstElement())
        paths += " " + e->GetXPath();
    EXPECT_EQ("/o:order /o:order/item[1] /o:order/item[2] /o:order/note /o:order/note/b", paths);
    EXPECT_EQ("/o:order/@o:rev", order->GetAttributes()[1]->GetXPath());
    EXPECT_EQ("/o:order/item[2]/@sku", second->GetAttributes()[0]->GetXPath());
    EXPECT_EQ(order, first->GetParentElm());
    EXPECT_EQ(&document, first->GetDocument());
}

TEST(XmlDocument, CopiesOfElementsAndAttributesReadTheDocument)
{
    CXmlDocument document;
    LoadBytes(document, Sample);
    CXmlElement const copy = *document.GetDocumentElement();
    EXPECT_EQ(SampleDump, Dump(&copy));
    EXPECT_EQ(nullptr, copy.GetParentElm());
    EXPECT_EQ(&document, copy.GetDocument());

    CXmlElement item = *copy.GetFirstElement();
    item = *item.GetNextSiblingElement();
    CXmlElement const again(item); // a copy of a copy reads the stored element too
    EXPECT_EQ("/o:order/item[2]", again.GetXPath());
    EXPECT_EQ(document.GetDocumentElement(), again.GetParentElm());
    CXmlAttribute attribute = *copy.GetAttributes()[0];
    attribute = CXmlAttribute(*again.GetAttributes()[0]);
    EXPECT_EQ("b", attribute.GetValue());
    EXPECT_EQ(document.GetDocumentElement()->GetFirstElement()->GetNextSiblingElement(), attribute.GetOwner());
    EXPECT_EQ("/o:order/item[2]/@sku", attribute.GetXPath());
}

TEST(XmlDocument, LargeTreesKeepEveryRecordAsTheyGrow)
{
    // Enough elements, attributes and names met late for the tree to move several times.
    int const count = 200000;
    std::string xml = "<list xmlns=\"urn:l\">";
    for (int i = 0; i < count; ++i)
    {
        std::string const name = "n" + std::to_string(i % 50 + i / 40000 * 50);
        xml += "<" + name + " v=\"" + std::to_string(i) + "\">" + std::to_string(i * 7) + "</" + name + ">";
    }
    xml += "</list>";
    CXmlDocument document;
    LoadBytes(document, xml);
    int i = 0;
    CXmlElement const * last = nullptr;
    for (CXmlElement const * e = document.GetDocumentElement()->GetFirstElement(); e != nullptr;
         e = e->GetNextSiblingElement(), ++i)
    {
        ASSERT_EQ("n" + std::to_string(i % 50 + i / 40000 * 50), e->GetLocalName());
        ASSERT_EQ("urn:l", e->GetNamespaceURI());
        ASSERT_EQ(std::to_string(i), e->GetAttribute("v", ""));
        ASSERT_EQ(std::to_string(i * 7), e->GetText());
        last = e;
    }
    EXPECT_EQ(count, i);
    EXPECT_EQ(&document, last->GetDocument());
    EXPECT_EQ("/list/n249[800]", last->GetXPath());
}

TEST(XmlDocument, NamespaceAndNilAttributes)
{
    CXmlDocument document;
    document.LoadXml("<a xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" xsi:type=\"T\" xsi:nil=\"true\" "
                     "xsi:schemaLocation=\"s\" xsi:other=\"o\" type=\"plain\"/>");
    std::string kinds; // n: a namespace attribute, 0: a nil attribute, -: neither
    for (CXmlAttribute const * attribute : document.GetDocumentElement()->GetAttributes())
        kinds += attribute->IsNamespaceAttribute() ? 'n' : attribute->IsNilAttribute() ? '0' : '-';
    EXPECT_EQ("n0n--", kinds);
}

TEST(XmlDocument, Utf16Input)
{
    std::u16string const text = u"<a n=\"\u00e9\">\u20ac</a>";
    CXmlDocument wide;
    wide.LoadXml(reinterpret_cast<unsigned short const *>(text.c_str()));
    EXPECT_EQ("\xE2\x82\xAC", wide.GetDocumentElement()->GetText());
    EXPECT_EQ("\xC3\xA9", wide.GetDocumentElement()->GetAttribute("n", ""));

    std::string bytes = "\xFF\xFE";
    for (char16_t c : text)
    {
        bytes += static_cast<char>(c & 0xFF);
        bytes += static_cast<char>(c >> 8);
    }
    CXmlDocument stream;
    LoadBytes(stream, bytes);
    EXPECT_EQ("\xE2\x82\xAC", stream.GetDocumentElement()->GetText());
}

TEST(XmlDocument, TextArrivesInTheLocalEncoding)
{
    SetLocalCharEncoding(1252);
    CXmlDocument document;
    document.LoadXml("<caf\xC3\xA9 a=\"\xE2\x82\xAC\">na\xC3\xAFve</caf\xC3\xA9>");
    SetLocalCharEncoding(3);
    EXPECT_EQ("caf\xE9", document.GetDocumentElement()->GetLocalName());
    EXPECT_EQ("\x80", document.GetDocumentElement()->GetAttribute("a", ""));
    EXPECT_EQ("na\xEFve", document.GetDocumentElement()->GetText());
}

TEST(XmlDocument, BadInputIsRefusedWithTheParsersMessage)
{
    std::string truncated = Compress("<a><b>compressed</b></a>", 31);
    truncated.resize(truncated.size() / 2);
    std::pair<std::string, char const *> const cases[] = {
        {"<a>\n<b>\n</a>", "mismatched tag at line 3"},
        {"<a><b>", "no element found at line 1"},
        {"<a>&undefined;</a>", "undefined entity at line 1"},
        {"<a/><b/>", "junk after document element at line 1"},
        {"<p:a/>", "unbound prefix at line 1"},
        {std::string("\x78\x9C<a/>", 6), "not well-formed (invalid token) at line 1"}, // only looks like zlib
        {truncated, "not well-formed (invalid token) at line 1"},
    };
    CXmlDocument document;
    for (auto const & c : cases)
        ExpectThrows<CNxException>([&] { LoadBytes(document, c.first); }, c.second);
    document.LoadXml("<ok/>"); // a failed load leaves a document that loads again
    EXPECT_EQ("{}ok", Dump(document.GetDocumentElement()));

    ExpectThrows<CNxException>([&] { document.LoadXml(static_cast<char const *>(nullptr)); }, "XML String is empty!");
    unsigned short const empty[] = {0};
    ExpectThrows<CNxException>([&] { document.LoadXml(empty); }, "XML String is empty!");
    std::string const path = TempPath("empty.xml");
    WriteFile(path, "");
    ExpectThrows<CNxException>([&] { document.Load(path.c_str()); }, "no element found at line 1");
    std::string const missing = TempPath("does-not-exist.xml");
    std::string const folder = testing::TempDir();
    ExpectThrows<CNxException>([&] { document.Load(folder.c_str()); },
                               FormatString("Failed to open the file [%s] Error [0x%08x]", folder.c_str(), EISDIR));
    AsyncFromXmlFile(true);
    ExpectThrows<CNxException>([&] { document.Load(path.c_str()); }, "Invalid or empty XML document");
    ExpectThrows<CNxException>([&] { document.Load(missing.c_str()); },
                               FormatString("Failed to open the file [%s] Error [0x%08x]", missing.c_str(), ENOENT));
    AsyncFromXmlFile(false);
}

TEST(XmlDocument, DocumentOutlivesItsContext)
{
    std::unique_ptr<CXmlDocument> document;
    {
        CSerializationContext context;
        context.SetStripCDATA(false);
        document = std::make_unique<CXmlDocument>(context);
    }
    document->LoadXml("<a><![CDATA[<b>]]></a>");
    EXPECT_EQ("<![CDATA[<b>]]>", document->GetDocumentElement()->GetText());
}

namespace
{
int g_rowsSeen = 0;
bool DropRows(CXmlElement * element)
{
    if (element->GetLocalName() != "row")
        return false;
    ++g_rowsSeen;
    EXPECT_EQ(2u, element->GetAttributes().size()); // complete when the filter sees it
    EXPECT_NE(nullptr, element->GetFirstElement());
    return true;
}
} // namespace

TEST(XmlDocument, FilteredElementsAreDroppedWhenComplete)
{
    std::string xml = "<table><head>h</head>";
    for (int i = 0; i < 100000; ++i)
        xml += "<row a=\"" + std::to_string(i) + "\" b=\"x\"><cell>" + std::to_string(i) + "</cell></row>";
    xml += "<tail>t</tail></table>";
    g_rowsSeen = 0;
    CXmlDocument document(&DropRows);
    LoadBytes(document, xml);
    EXPECT_EQ(100000, g_rowsSeen);
    EXPECT_EQ("{}table ({}head \"h\" {}tail \"t\")", Dump(document.GetDocumentElement()));

    CXmlDocument copy(document); // keeps the filter
    g_rowsSeen = 0;
    copy.LoadXml("<t><row a=\"1\" b=\"2\"><c/></row></t>");
    EXPECT_EQ(1, g_rowsSeen);
    EXPECT_EQ("{}t", Dump(copy.GetDocumentElement()));
}

namespace
{
bool DropSecrets(CXmlElement * element) { return element->GetLocalName() == "secret"; }
} // namespace

TEST(XmlDocument, NamesFirstMetInADroppedElementStayUsable)
{
    CXmlDocument document(&DropSecrets);
    document.LoadXml("<r><secret><inner x=\"1\">a</inner></secret><inner x=\"2\">b</inner><secret/><last/></r>");
    EXPECT_EQ("{}r ({}inner @{}x=2 \"b\" {}last)", Dump(document.GetDocumentElement()));
}

TEST(XmlDocument, HostileEntityExpansionIsRefused)
{
    std::string bomb = "<!DOCTYPE a [<!ENTITY e0 \"xxxxxxxxxxxxxxxx\">";
    for (int i = 1; i < 12; ++i)
    {
        bomb += "<!ENTITY e" + std::to_string(i) + " \"";
        for (int j = 0; j < 10; ++j)
            bomb += "&e" + std::to_string(i - 1) + ";";
        bomb += "\">";
    }
    CXmlDocument document;
    ExpectThrows<CNxException>([&] { document.LoadXml((bomb + "]><a>&e11;</a>").c_str()); },
                               "limit on input amplification factor (from DTD and entities) breached at line 1");
}

TEST(ExpatReader, SameTreeWhateverTheChunkSizes)
{
    std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<r xmlns=\"urn:r\" xmlns:p=\"urn:p\">";
    for (int i = 0; i < 3000; ++i) // past one piece of a file read as it arrives
        xml += "<p:i n=\"" + std::to_string(i) + "\" t=\"\xE2\x82\xAC&amp;\">caf\xC3\xA9 &lt;" + std::to_string(i) +
               "&gt;<![CDATA[a]]>\r\n<e/></p:i>";
    xml += "</r>";
    CXmlDocument whole;
    LoadBytes(whole, xml);
    std::string const expected = Dump(whole.GetDocumentElement());

    for (std::size_t piece : {std::size_t(1), std::size_t(3), std::size_t(7), std::size_t(4093)})
    {
        CXmlDocument document;
        {
            CExpatReader reader(document, true, false);
            for (std::size_t at = 0; at < xml.size(); at += piece)
                reader.ParseChunk(xml.data() + at, std::min(piece, xml.size() - at), false);
            reader.ParseChunk(nullptr, 0, true);
        }
        EXPECT_EQ(expected, Dump(document.GetDocumentElement())) << "pieces of " << piece;
    }
    // Files are read whole or in pieces as they arrive.
    std::string const path = TempPath("chunks.xml");
    WriteFile(path, xml);
    for (bool const async : {false, true})
    {
        AsyncFromXmlFile(async);
        CXmlDocument fromFile;
        fromFile.Load(path.c_str());
        EXPECT_EQ(expected, Dump(fromFile.GetDocumentElement())) << async;
    }
    AsyncFromXmlFile(false);
}
