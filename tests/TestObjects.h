// Small hand-written bindable objects for testing the entry points before the metadata exists.
#pragma once

#include "XmlDocument.h"
#include "XmlObjectBase.h"
#include "XmlWriter.h"

#include <string>

namespace NxXmlTest
{

// Writes <order xmlns="urn:t" id="..."><item>...</item>...<note>...</note></order> and records
// what it reads as a compact dump.
class COrderProbe : public NxXmlLib16::CXmlObjectBase
{
public:
    std::string id = "7";
    std::vector<std::string> items{"a & b", "c<d"};
    std::string note = "caf\xC3\xA9";
    std::string read; // what FromXml_Int saw
    int reads = 0;

    NxXmlLib16::CXmlObjectBase * GetBase() override { return this; }
    std::string GetNamespace() const override { return "urn:t"; }

protected:
    std::string GetTargetNamespace() const override { return "urn:t"; }

    void ToXml_Int(NxXmlLib16::CXmlWriter * writer, bool, char const * namespaceUri,
                   NxXmlLib16::CSerializationContext const &, bool) const override
    {
        using namespace NxXmlLib16;
        writer->SetDefaultNamespace(namespaceUri);
        writer->WriteStartElement("order", namespaceUri);
        writer->WriteAttribute("id", "", id, ItemType_i4);
        for (std::string const & item : items)
        {
            writer->WriteStartElement("item", namespaceUri);
            writer->WriteText(item, ItemType_string);
            writer->WriteEndElement();
        }
        writer->WriteStartElement("note", namespaceUri);
        writer->WriteText(note, ItemType_string);
        writer->WriteEndElement();
        writer->WriteEndElement();
    }

    NxXmlLib16::CXmlElement * FromXml_Int(NxXmlLib16::CXmlElement * element, NxXmlLib16::CXmlElement * child,
                                          NxXmlLib16::CSerializationContext const &, bool) override
    {
        ++reads;
        read = "{" + element->GetNamespaceURI() + "}" + element->GetLocalName() + " id=" +
               std::string(element->GetAttribute("id", ""));
        for (; child != nullptr; child = child->GetNextSiblingElement())
            read += " " + child->GetLocalName() + "=" + std::string(child->GetText());
        return nullptr;
    }
};

} // namespace NxXmlTest
