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

// With the suggested options, values named after a type in the corpus's typed namespace are
// written as that type, so that its encoding algorithm or alphabet is used. Lists stay text
// (one text is one value), and so does the exponent letter E that the numeric alphabet lacks.
bool g_typed = false;

ItemType TypeOf(std::string const & localName, std::string const & namespaceUri, std::string const & value)
{
    struct CTyped
    {
        char const * name;
        ItemType itemType;
        bool list; // whether a space-separated list is one value of the encoding
    };
    static CTyped const Types[] = {{"hex", ItemType_hexBinary, false},     {"base64", ItemType_base64Binary, false},
                                   {"short", ItemType_i2, false},          {"int", ItemType_i4, false},
                                   {"long", ItemType_i8, false},           {"boolean", ItemType_boolean, false},
                                   {"float", ItemType_r4, false},          {"double", ItemType_r8, false},
                                   {"uuid", ItemType_char, false},         {"numeric", ItemType_decimal, true},
                                   {"datetime", ItemType_datetime, true}};
    if (!g_typed || namespaceUri != "urn:fi-corpus:typed" || value.find('E') != std::string::npos)
        return ItemType_string;
    for (CTyped const & typed : Types)
    {
        if (localName == typed.name && (typed.list || value.find(' ') == std::string::npos))
            return typed.itemType;
    }
    return ItemType_string;
}

// Writes one element with its attributes, its text and its children.
void WriteElement(CXmlElement const & element, CFastInfosetWriter & writer)
{
    writer.WriteStartElement(element.GetLocalName(), element.GetNamespaceURI());
    for (CXmlAttribute const & attribute : element.GetAttributes())
    {
        std::string const value(attribute.GetValue());
        writer.WriteAttribute(attribute.GetLocalName(), attribute.GetNamespaceURI(), value,
                              TypeOf(attribute.GetLocalName(), attribute.GetNamespaceURI(), value));
    }
    std::string const text(element.GetText());
    writer.WriteText(text, TypeOf(element.GetLocalName(), element.GetNamespaceURI(), text));
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
        {
            context.GetFIContext().SetSuggestedValues();
            // UUIDs have no item type of their own: characters carry them here.
            context.GetFIContext().SetEncoding(ItemType_char, {CFastInfosetContext::EncodedCharacterString::Kind_EncodingAlgorithm, 9});
            g_typed = true;
        }
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
