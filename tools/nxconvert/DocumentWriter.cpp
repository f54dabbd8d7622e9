#include "DocumentWriter.h"

#include "XmlTextWriter.h"

#include <set>
#include <string>
#include <vector>

using namespace NxXmlLib16;

namespace NxConvert
{

namespace
{

constexpr char const XmlNamespace[] = "http://www.w3.org/XML/1998/namespace";
constexpr char const CDataStart[] = "<![CDATA[";
// Collection markers of the writers: a run of items starts and ends.
constexpr std::uint32_t CollectionStarted = 1;
constexpr std::uint32_t CollectionEnded = 3;

bool IsWhitespace(std::string_view text)
{
    for (char const c : text)
    {
        if (c != ' ' && c != '\t' && c != '\n' && c != '\r')
            return false;
    }
    return true;
}

// Every namespace URI that an element or attribute name of the document uses; notes whether an
// element is in no namespace.
std::set<std::string> UsedNamespaces(CXmlElement const * root, bool & unqualifiedElement)
{
    std::set<std::string> uris;
    unqualifiedElement = false;
    std::set<CXmlName const *> seen; // names are stored once per document
    auto note = [&](CXmlName const & name) {
        if (seen.insert(&name).second && !name.namespaceUri.empty() && name.namespaceUri != XmlNamespace)
            uris.insert(name.namespaceUri);
    };
    std::vector<CXmlElement const *> pending{root};
    while (!pending.empty())
    {
        CXmlElement const * const element = pending.back();
        pending.pop_back();
        note(element->GetName());
        unqualifiedElement = unqualifiedElement || element->GetNamespaceURI().empty();
        for (CXmlAttribute const * attribute : element->GetAttributes())
            note(attribute->GetName());
        for (CXmlElement const * child = element->GetFirstElement(); child != nullptr;
             child = child->GetNextSiblingElement())
            pending.push_back(child);
    }
    return uris;
}

// Declares the used namespaces before the root starts, with the document's prefixes.
void DeclareNamespaces(CXmlDocument const & document, CXmlWriter & writer)
{
    std::string const defaultNamespace = document.LookupNamespaceFromAlias("");
    int generated = 0;
    bool unqualifiedElement = false;
    for (std::string const & uri : UsedNamespaces(document.GetDocumentElement(), unqualifiedElement))
    {
        std::string prefix = document.LookupAliasFromNamespace(uri.c_str());
        // The writer never undeclares a default namespace, so that elements in no namespace keep
        // none only when no default namespace is declared.
        if (prefix.empty() && uri == defaultNamespace && !unqualifiedElement)
        {
            writer.SetDefaultNamespace(uri);
            continue;
        }
        // A namespace whose prefix was bound again to another URI gets a prefix of its own,
        // one that the document does not bind.
        while (prefix.empty())
        {
            std::string const candidate = "ns" + std::to_string(++generated);
            if (document.LookupNamespaceFromAlias(candidate.c_str()).empty())
                prefix = candidate;
        }
        writer.AddNamespace(prefix, uri);
    }
}

// One open element of the walk: the child to write next and the run of same-named children.
struct COpenElement
{
    CXmlElement const * element;
    CXmlElement const * next;
    CXmlName const * runName; // the name of the collection being written, or null
};

} // namespace

void WriteDocumentTree(CXmlDocument const & document, CXmlWriter & writer, TextLayout layout)
{
    CXmlElement const * const root = document.GetDocumentElement();
    DeclareNamespaces(document, writer);
    std::string value; // reused for every attribute value and text
    auto writeText = [&](CXmlElement const * element) {
        CXmlText const text = element->GetText();
        bool const layoutOnly = element->GetFirstElement() != nullptr && IsWhitespace(text);
        if (text.empty() || (layout == TextLayout::DropIndentation && layoutOnly))
            return;
        value.assign(text);
        // The XML text writer copies text that starts like a CDATA section unescaped; read text
        // is text all the same, so its first character goes on its own and is escaped.
        if (value.compare(0, sizeof CDataStart - 1, CDataStart) == 0 &&
            dynamic_cast<CXmlTextWriter *>(&writer) != nullptr)
        {
            writer.WriteText("<", ItemType_string);
            value.erase(0, 1);
        }
        writer.WriteText(value, ItemType_string);
    };
    std::vector<COpenElement> open;
    auto start = [&](CXmlElement const * element) {
        writer.WriteStartElement(element->GetLocalName(), element->GetNamespaceURI());
        for (CXmlAttribute const * attribute : element->GetAttributes())
        {
            value.assign(attribute->GetValue());
            writer.WriteAttribute(attribute->GetLocalName(), attribute->GetNamespaceURI(), value, ItemType_string);
        }
        // A leaf's text is its value; the text of an element with children follows them, where
        // every writer can still take it beside them.
        if (element->GetFirstElement() == nullptr)
            writeText(element);
        open.push_back(COpenElement{element, element->GetFirstElement(), nullptr});
    };
    start(root);
    while (!open.empty())
    {
        COpenElement & top = open.back();
        CXmlElement const * const child = top.next;
        if (top.runName != nullptr && (child == nullptr || &child->GetName() != top.runName))
        {
            writer.SetArrayState(CollectionEnded);
            top.runName = nullptr;
        }
        if (child == nullptr)
        {
            if (top.element->GetFirstElement() != nullptr)
                writeText(top.element);
            writer.WriteEndElement();
            open.pop_back();
            continue;
        }
        top.next = child->GetNextSiblingElement();
        if (top.runName == nullptr && top.next != nullptr && &top.next->GetName() == &child->GetName())
        {
            writer.SetArrayState(CollectionStarted);
            top.runName = &child->GetName();
        }
        start(child);
    }
}

} // namespace NxConvert
