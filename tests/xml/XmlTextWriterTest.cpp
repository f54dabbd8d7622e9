#include "TestSupport.h"

#include "TextStream.h"
#include "XmlTextWriter.h"

using namespace NxXmlLib16;
using NxXmlTest::ExpectThrows;

namespace
{

// A text writer over an in-memory stream.
struct CWriterFixture
{
    CTextStream stream{XmlEncoding_UTF8};
    CXmlTextWriter writer{&stream};

    CWriterFixture(bool indentation = false, EOLType eol = EOLType_LF)
    {
        writer.WriteStartDocument();
        writer.SetIndentation(indentation);
        writer.SetEOLType(eol);
    }

    std::string Finish()
    {
        writer.WriteEndDocument();
        return stream.GetString();
    }

    // An element with one text (of a string) in the namespace.
    void Simple(char const * name, std::string const & text, char const * namespaceUri = "")
    {
        writer.WriteStartElement(name, namespaceUri);
        writer.WriteText(text, ItemType_string);
        writer.WriteEndElement();
    }
};

} // namespace

TEST(XmlTextWriter, WorkedExample)
{
    CWriterFixture f(true, EOLType_LF);
    f.writer.WriteXmlDeclaration();
    f.writer.SetDefaultNamespace("urn:d");
    f.writer.AddNamespace("p", "urn:p");
    f.writer.WriteStartElement("root", "urn:d");
    f.writer.WriteAttribute("a", "", "1 & 2", ItemType_string);
    f.Simple("child", "x<y", "urn:d");
    f.writer.WriteStartElement("e", "urn:q");
    f.writer.WriteEndElement();
    f.writer.WriteEndElement();
    EXPECT_EQ("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
              "<root xmlns=\"urn:d\" xmlns:p=\"urn:p\" a=\"1 &amp; 2\">\n"
              "\t<child>x&lt;y</child>\n"
              "\t<AA:e xmlns:AA=\"urn:q\"/>\n"
              "</root>\n",
              f.Finish());
}

TEST(XmlTextWriter, DeclarationFollowsTheStreamEncoding)
{
    for (auto const & [encoding, expected] :
         {std::pair<XmlEncoding, char const *>{XmlEncoding_UTF8, "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"},
          {XmlEncoding_UTF16, "<?xml version=\"1.0\" encoding=\"UTF-16\"?>\r\n"},
          {XmlEncoding_UTF16_NoDecl, "<?xml version=\"1.0\"?>\r\n"},
          {static_cast<XmlEncoding>(0), "<?xml version=\"1.0\"?>\r\n"}})
    {
        CTextStream stream(encoding);
        CXmlTextWriter writer(&stream);
        writer.SetEOLType(EOLType_CRLF);
        writer.WriteXmlDeclaration();
        EXPECT_EQ(expected, stream.GetString());
    }
}

TEST(XmlTextWriter, EmptyElementsLineEndsAndCData)
{
    CWriterFixture f(false, EOLType_CRLF);
    f.writer.WriteStartElement("a", "");
    f.writer.WriteAttribute("v", "", "a\r\nb\t'\"", ItemType_string);
    f.writer.WriteStartElement("b", "");
    f.writer.WriteText("", ItemType_string); // empty text leaves the tag open
    f.writer.WriteEndElement();
    f.writer.WriteStartElement("c", "");
    f.writer.WriteAttribute("x", "", "", ItemType_string);
    f.writer.WriteEndElement();
    f.writer.WriteText("a\r\nb\"'>&", ItemType_string);
    f.Simple("d", "<![CDATA[x<y]]>"); // copied only when complete
    f.Simple("e", "<![CDATA");
    f.writer.WriteEndElement();
    EXPECT_EQ("<a v=\"a&#xA;b\t'&quot;\"><b/><c x=\"\"/>a\r\nb\"'&gt;&amp;<d><![CDATA[x<y]]></d><e>&lt;![CDATA</e></a>",
              f.Finish());

    CWriterFixture lf(false, EOLType_LF);
    lf.Simple("a", "a\r\nb\rc");
    EXPECT_EQ("<a>a\nbc</a>", lf.Finish());
}

TEST(XmlTextWriter, SiblingsInOneUndeclaredNamespaceEachDeclareIt)
{
    CWriterFixture f;
    f.writer.WriteStartElement("root", "");
    f.writer.WriteStartElement("x", "urn:n");
    f.writer.WriteStartElement("inner", "urn:n"); // declared by the parent: no second declaration
    f.writer.WriteEndElement();
    f.writer.WriteEndElement();
    f.writer.WriteStartElement("y", "urn:n");
    f.writer.WriteStartElement("z", "urn:m"); // AA is taken in this scope
    f.writer.WriteEndElement();
    f.writer.WriteEndElement();
    f.writer.WriteEndElement();
    EXPECT_EQ("<root><AA:x xmlns:AA=\"urn:n\"><AA:inner/></AA:x><AA:y xmlns:AA=\"urn:n\">"
              "<AB:z xmlns:AB=\"urn:m\"/></AA:y></root>",
              f.Finish());
}

TEST(XmlTextWriter, AttributesAlwaysCarryAPrefixButXmlIsNeverDeclared)
{
    CWriterFixture f;
    f.writer.AddNamespace("xml", "http://www.w3.org/XML/1998/namespace");
    f.writer.SetDefaultNamespace("urn:d");
    f.writer.WriteStartElement("a", "urn:d");
    f.writer.WriteAttribute("lang", "http://www.w3.org/XML/1998/namespace", "en", ItemType_string);
    f.writer.WriteAttribute("x", "urn:d", "1", ItemType_string);
    f.writer.WriteAttribute("y", "urn:d", "2", ItemType_string);
    f.writer.WriteEndElement();
    EXPECT_EQ("<a xmlns=\"urn:d\" xml:lang=\"en\" xmlns:AA=\"urn:d\" AA:x=\"1\" AA:y=\"2\"/>", f.Finish());
}

TEST(XmlTextWriter, XsiTypeAndNil)
{
    CWriterFixture f;
    f.writer.AddNamespace("xsi", "http://www.w3.org/2001/XMLSchema-instance");
    f.writer.SetDefaultNamespace("urn:d");
    f.writer.WriteStartElement("a", "urn:d");
    f.writer.WriteXsiType("urn:d", "Derived", ItemType_XmlObject);
    f.writer.WriteStartElement("b", "urn:d");
    f.writer.WriteXsiType("urn:t", "Other", ItemType_XmlObject);
    f.writer.WriteXsiNil();
    f.writer.WriteEndElement();
    f.writer.WriteEndElement();
    EXPECT_EQ("<a xmlns=\"urn:d\" xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" xsi:type=\"Derived\">"
              "<b xmlns:AA=\"urn:t\"  xsi:type=\"AA:Other\" xsi:nil=\"true\"/></a>",
              f.Finish());

    CWriterFixture undeclared;
    undeclared.writer.WriteStartElement("a", "");
    undeclared.writer.WriteXsiNil();
    undeclared.writer.WriteEndElement();
    EXPECT_EQ("<a xmlns:AA=\"http://www.w3.org/2001/XMLSchema-instance\" AA:nil=\"true\"/>", undeclared.Finish());
}

TEST(XmlTextWriter, NestedDefaultNamespaceOnlyDropsPrefixes)
{
    CWriterFixture f;
    f.writer.WriteStartElement("a", "");
    f.writer.SetDefaultNamespace("urn:inner");
    f.writer.WriteStartElement("b", "urn:inner");
    f.writer.WriteEndElement();
    f.writer.WriteEndElement();
    f.writer.WriteStartElement("c", "urn:inner"); // a second root-level call sees the writer's scope again
    f.writer.WriteEndElement();
    EXPECT_EQ("<a><b/></a><AA:c xmlns:AA=\"urn:inner\"/>", f.Finish());
}

TEST(XmlTextWriter, CommentsRawBlocksAndRawLines)
{
    CWriterFixture f(true);
    f.writer.WriteComment("made by a & b");
    f.writer.WriteRawBlock("<?xml-stylesheet href=\"s.xsl\"?>");
    f.writer.WriteStartElement("a", "");
    f.writer.WriteRawLine("<xs:schema/>");
    f.writer.WriteText("t", ItemType_string);
    f.writer.WriteEndElement();
    EXPECT_EQ("<!--made by a &amp; b-->\n<?xml-stylesheet href=\"s.xsl\"?>\n\n<a \n<xs:schema/>\n>t</a>\n", f.Finish());
}

TEST(XmlTextWriter, IndentCharsAndCrLf)
{
    CWriterFixture f(true, EOLType_CRLF);
    f.writer.SetIndentChars("  ");
    f.writer.WriteStartElement("a", "");
    f.writer.WriteStartElement("b", "");
    f.Simple("c", "x");
    f.writer.WriteEndElement();
    f.writer.WriteEndElement();
    EXPECT_EQ("<a>\r\n  <b>\r\n    <c>x</c>\r\n  </b>\r\n</a>\r\n", f.Finish());
}

TEST(XmlTextWriter, IndentationFollowsANewIndentStringAtEveryDepth)
{
    CWriterFixture f(true);
    f.writer.SetIndentChars("  ");
    f.writer.WriteStartElement("a", "");
    f.writer.WriteStartElement("b", "");
    f.Simple("c", "x");
    f.writer.SetIndentChars("-");
    f.Simple("d", "y");
    f.writer.WriteEndElement();
    f.writer.WriteStartElement("e", "");
    f.writer.WriteStartElement("f", "");
    f.Simple("g", "z");
    f.writer.WriteEndElement();
    f.writer.WriteEndElement();
    f.writer.WriteEndElement();
    EXPECT_EQ("<a>\n  <b>\n    <c>x</c>\n--<d>y</d>\n-</b>\n-<e>\n--<f>\n---<g>z</g>\n--</f>\n-</e>\n</a>\n",
              f.Finish());
}

TEST(XmlTextWriter, EveryByteToEscapeIsFoundWhereverItStands)
{
    // Plain bytes are passed over eight at a time, so each byte to escape is tried at every
    // offset of a longer text, next to bytes that look alike but are written as they are.
    struct CCase
    {
        char const * raw;
        char const * text;      // as element text
        char const * attribute; // as an attribute value
    };
    CCase const cases[] = {
        {"&", "&amp;", "&amp;"},         {"<", "&lt;", "&lt;"},   {">", "&gt;", "&gt;"},
        {"\"", "\"", "&quot;"},          {"\n", "\n", "&#xA;"},   {"\r\n", "\n", "&#xA;"},
        {"\t=?'%", "\t=?'%", "\t=?'%"}, {"\xC3\xA9", "\xC3\xA9", "\xC3\xA9"},
    };
    for (CCase const & c : cases)
    {
        for (std::size_t offset = 0; offset < 20; ++offset)
        {
            std::string const before(offset, 'a');
            std::string const after(11, 'b');
            CWriterFixture f;
            f.writer.WriteStartElement("e", "");
            f.writer.WriteAttribute("v", "", before + c.raw + after, ItemType_string);
            f.writer.WriteText(before + c.raw + after, ItemType_string);
            f.writer.WriteEndElement();
            EXPECT_EQ("<e v=\"" + before + c.attribute + after + "\">" + before + c.text + after + "</e>", f.Finish())
                << c.raw << " at " << offset;
        }
    }
}

TEST(XmlTextWriter, MisuseIsReported)
{
    CWriterFixture f;
    ExpectThrows<CNxException>([&] { f.writer.WriteAttribute("x", "", "1", ItemType_string); },
                               "Attributes must be added before elements");
    f.writer.WriteStartElement("a", "");
    f.writer.WriteText("t", ItemType_string);
    ExpectThrows<CNxException>([&] { f.writer.WriteAttribute("x", "", "1", ItemType_string); },
                               "Attributes must be added before elements");
    ExpectThrows<CNxException>([&] { f.writer.WriteXsiNil(); }, "Attributes must be added before elements");
    ExpectThrows<CNxException>([&] { f.writer.WriteXsiType("", "T", ItemType_XmlObject); },
                               "Attributes must be added before elements");
    ExpectThrows<CNxException>([&] { f.writer.WriteEndDocument(); }, "An Element has not been closed.");
    ExpectThrows<CNxException>([&] { f.writer.SetEOLType(static_cast<EOLType>(2)); }, "Invalid EOL type.");
    f.writer.WriteEndElement();
    EXPECT_EQ("<a>t</a>", f.Finish());
}

TEST(XmlTextWriter, FileStreamGetsPiecesOfAtLeast4096Bytes)
{
    // A file stream that records the size of every flushed piece.
    struct CRecordingStream : CTextStream
    {
        using CTextStream::CTextStream;
        std::vector<std::size_t> pieces;
        std::string written;
        void Flush() override
        {
            pieces.push_back(GetLength());
            written += DetachString();
        }
    } stream(XmlEncoding_UTF8);
    CXmlTextWriter writer(&stream);
    writer.WriteStartDocument();
    writer.SetIndentation(false);
    writer.WriteStartElement("list", "");
    std::string expected = "<list>";
    for (int i = 0; i < 5000; ++i)
    {
        writer.WriteStartElement("v", "");
        writer.WriteText(std::to_string(i), ItemType_i4);
        writer.WriteEndElement();
        expected += "<v>" + std::to_string(i) + "</v>";
    }
    writer.WriteEndElement();
    expected += "</list>";
    stream.Flush();
    writer.WriteEndDocument();
    ASSERT_GT(stream.pieces.size(), 5u);
    for (std::size_t i = 0; i + 1 < stream.pieces.size(); ++i)
        EXPECT_GE(stream.pieces[i], 4096u);
    EXPECT_EQ(expected, stream.written);
}
