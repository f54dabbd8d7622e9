// Application code written against the document model's documented interface: these forms must
// compile without casts and keep their meaning.
#include "TestSupport.h"

#include "SerializationContext.h"
#include "XmlDocument.h"

#include <cstring>
#include <memory>
#include <string>
#include <vector>

using namespace NxXmlLib16;

namespace
{

char const Order[] = "<order xmlns=\"urn:o\" id=\"42\" rev=\"3\">\n"
                     "  <item sku=\"a\">fish &amp; chips</item>\n"
                     "  <note/>\n"
                     "</order>";

} // namespace

TEST(XmlDocumentInterface, AttributesAreHandedOutAsPointers)
{
    CXmlDocument doc;
    doc.LoadXml(Order);
    CXmlElement const * const element = doc.GetDocumentElement();

    std::vector<std::string> names;
    for (CXmlAttribute const * a : element->GetAttributes())
        names.push_back(a->GetLocalName());
    for (auto * a : element->GetAttributes())
        names.push_back(std::string(a->GetValue()));
    EXPECT_EQ((std::vector<std::string>{"id", "rev", "42", "3"}), names);
    EXPECT_EQ(2u, element->GetAttributes().size());
    EXPECT_FALSE(element->GetAttributes().empty());
    EXPECT_TRUE(element->GetFirstElement()->GetNextSiblingElement()->GetAttributes().empty());

    CXmlAttribute const * first = element->GetAttributes()[0];
    EXPECT_EQ("id", first->GetLocalName());
    EXPECT_EQ(element, first->GetOwner());
    EXPECT_EQ("/order/@rev", element->GetAttributes()[1]->GetXPath());
}

TEST(XmlDocumentInterface, TextsReadAsStrings)
{
    CXmlDocument doc;
    doc.LoadXml(Order);
    CXmlElement const * const element = doc.GetDocumentElement()->GetFirstElement();

    std::string const & text = element->GetText();
    std::string t = element->GetText();
    EXPECT_EQ("fish & chips", text);
    EXPECT_EQ(text, t);
    EXPECT_EQ(0, std::strcmp("fish & chips", element->GetText().c_str()));

    CXmlAttribute const * const attribute = element->GetAttributes()[0];
    std::string const & value = attribute->GetValue();
    EXPECT_EQ("a", value);
    EXPECT_EQ(0, std::strcmp("a", attribute->GetValue().c_str()));
    EXPECT_EQ(1u, attribute->GetValue().size());
    EXPECT_TRUE(attribute->GetValue() == "a");
    EXPECT_TRUE(attribute->GetValue() == std::string("a"));
    EXPECT_FALSE(attribute->GetValue() == "ab");

    std::string const & id = doc.GetDocumentElement()->GetAttribute("id", "");
    std::string const & missing = doc.GetDocumentElement()->GetAttribute("missing", "");
    EXPECT_EQ("42", id);
    EXPECT_EQ("", missing);
    EXPECT_EQ(0, std::strcmp("", doc.GetDocumentElement()->GetAttribute("missing", "").c_str()));
    // An absent attribute and an empty text are the same shared empty text.
    EXPECT_EQ(doc.GetDocumentElement()->GetAttribute("missing", "").c_str(),
              element->GetNextSiblingElement()->GetText().c_str());
}

TEST(XmlDocumentInterface, StreamsTakeTheDocumentedArgumentTypes)
{
    std::string const bytes = Order;
    std::unique_ptr<unsigned char[]> const buffer(new unsigned char[bytes.size()]);
    std::memcpy(buffer.get(), bytes.data(), bytes.size());
    unsigned long length = bytes.size();
    CXmlDocument doc;
    doc.LoadXmlStream(buffer.get(), length);
    EXPECT_EQ("order", doc.GetDocumentElement()->GetLocalName());
    NxXmlTest::ExpectThrows<CNxException>([&] { doc.LoadXmlStream(buffer.get(), 0ul); }, "XML Stream is empty!");
}

TEST(XmlDocumentInterface, DocumentOutlivesItsContext)
{
    // The context is a temporary: the document keeps what it needs of it.
    std::unique_ptr<CXmlDocument> doc;
    {
        CSerializationContext context;
        context.SetSchemaType(SchemaType_DTD);
        context.SetStripCDATA(false);
        doc = std::make_unique<CXmlDocument>(context);
    }
    doc->LoadXml("<a xmlns=\"urn:x\"><![CDATA[<b>]]></a>");
    EXPECT_EQ("<![CDATA[<b>]]>", doc->GetDocumentElement()->GetText());
    EXPECT_EQ("", doc->GetDocumentElement()->GetNamespaceURI()); // no namespaces in this schema kind

    std::unique_ptr<CXmlDocument> copy;
    {
        CSerializationContext context;
        CXmlDocument original(context);
        copy = std::make_unique<CXmlDocument>(original);
    }
    copy->LoadXml("<a xmlns=\"urn:x\"><![CDATA[<b>]]></a>");
    EXPECT_EQ("<b>", copy->GetDocumentElement()->GetText());
    EXPECT_EQ("urn:x", copy->GetDocumentElement()->GetNamespaceURI());
}
