// A program built against the installed library: reads a small document and writes it back.
#include <NxXmlLib16.h>

#include <cstdio>

using namespace NxXmlLib16;

int main()
{
    try
    {
        CXmlDocument document;
        document.LoadXml("<order xmlns=\"urn:o\" id=\"7\"><item>fish &amp; chips</item></order>");
        CXmlElement const * const order = document.GetDocumentElement();
        CTextStream stream(XmlEncoding_UTF8);
        CXmlTextWriter writer(&stream);
        writer.WriteStartDocument();
        writer.SetDefaultNamespace(order->GetNamespaceURI());
        writer.WriteStartElement(order->GetLocalName(), order->GetNamespaceURI());
        writer.WriteAttribute("id", "", order->GetAttribute("id", ""), ItemType_i4);
        writer.WriteText(order->GetFirstElement()->GetText(), ItemType_string);
        writer.WriteEndElement();
        writer.WriteEndDocument();
        std::printf("%s %s\n", LibraryVersionText, stream.GetString().c_str());
        return 0;
    }
    catch (CNxException const & e)
    {
        std::printf("%s\n", e.GetFullMessage().c_str());
        return 1;
    }
}
