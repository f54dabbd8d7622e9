// Text that fuzzing found the XML text writer to mangle: what it writes must load back unchanged.
#include "TestSupport.h"

#include "TextStream.h"
#include "XmlDocument.h"
#include "XmlTextWriter.h"

using namespace NxXmlLib16;

// Namespace URIs holding markup characters are escaped wherever the writer declares them: as the
// default namespace, as a declared prefix, on an element and on an attribute.
TEST(XmlTextWriterHostileInput, NamespaceUrisAreEscaped)
{
    std::string const uri = "urn:a&b<c\"d";
    CTextStream stream(XmlEncoding_UTF8);
    CXmlTextWriter writer(&stream);
    writer.WriteStartDocument();
    writer.SetIndentation(false);
    writer.SetDefaultNamespace(uri + "0");
    writer.AddNamespace("p", uri + "1");
    writer.WriteStartElement("root", uri + "0");
    writer.WriteAttribute("a", uri + "2", "v", ItemType_string);
    writer.WriteStartElement("e", uri + "3");
    writer.WriteEndElement();
    writer.WriteEndElement();
    writer.WriteEndDocument();
    std::string const escaped = "urn:a&amp;b&lt;c&quot;d";
    EXPECT_EQ("<root xmlns=\"" + escaped + "0\" xmlns:p=\"" + escaped + "1\" xmlns:AA=\"" + escaped +
                  "2\" AA:a=\"v\">" + "<AB:e xmlns:AB=\"" + escaped + "3\"/></root>",
              stream.GetString());

    CXmlDocument document;
    document.LoadXml(stream.GetString().c_str());
    CXmlElement const * const root = document.GetDocumentElement();
    EXPECT_EQ(uri + "0", root->GetNamespaceURI());
    EXPECT_EQ(uri + "2", root->GetAttributes()[0]->GetNamespaceURI());
    EXPECT_EQ(uri + "3", root->GetFirstElement()->GetNamespaceURI());
    EXPECT_EQ(uri + "1", document.LookupNamespaceFromAlias("p"));
}
