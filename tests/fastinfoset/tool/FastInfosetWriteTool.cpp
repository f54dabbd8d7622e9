// Loads an XML file and writes its element tree as Fast Infoset, for the interoperability check.
// Usage: NxFastInfosetWriteTool IN.xml OUT.finf DECLARATION(0-9) default|suggested
#include "BinaryStream.h"
#include "FastInfosetWriter.h"
#include "NxException.h"
#include "SerializationContext.h"
#include "XmlDocument.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace
{

using namespace NxXmlLib16;

// Writes one element with its attributes, its text and its children.
void WriteElement(CXmlElement const & element, CFastInfosetWriter & writer)
{
    writer.WriteStartElement(element.GetLocalName(), element.GetNamespaceURI());
    for (CXmlAttribute const & attribute : element.GetAttributes())
        writer.WriteAttribute(attribute.GetLocalName(), attribute.GetNamespaceURI(), std::string(attribute.GetValue()),
                              ItemType_string);
    writer.WriteText(std::string(element.GetText()), ItemType_string);
    for (CXmlElement const * child = element.GetFirstElement(); child != nullptr; child = child->GetNextSiblingElement())
        WriteElement(*child, writer);
    writer.WriteEndElement();
}

} // namespace

int main(int argc, char ** argv)
{
    if (argc != 5)
    {
        std::fprintf(stderr, "usage: %s IN.xml OUT.finf DECLARATION(0-9) default|suggested\n", argv[0]);
        return 2;
    }
    try
    {
        CSerializationContext context;
        if (std::strcmp(argv[4], "suggested") == 0)
            context.GetFIContext().SetSuggestedValues();
        CXmlDocument document(context);
        document.Load(argv[1]);
        CXmlElement const * const root = document.GetDocumentElement();
        CBinaryStream stream;
        CFastInfosetWriter writer(&context.GetFIContext(), &stream);
        writer.WriteStartDocument();
        writer.WriteFIHeader(static_cast<FInfoDecl>(std::atoi(argv[3])));
        // The root's namespace becomes the default namespace; other namespaces get generated prefixes.
        if (!root->GetNamespaceURI().empty())
            writer.SetDefaultNamespace(root->GetNamespaceURI());
        WriteElement(*root, writer);
        writer.WriteFITrailer();
        writer.WriteEndDocument();
        CFileBinaryStream(argv[2], XmlEncoding_UTF8, stream.GetData()).SaveToFile();
    }
    catch (CNxException const & e)
    {
        std::fprintf(stderr, "%s: %s\n", argv[1], e.GetMessage().c_str());
        return 1;
    }
    return 0;
}
