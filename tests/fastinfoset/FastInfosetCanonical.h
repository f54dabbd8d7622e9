// The canonical form of a document tree that the Fast Infoset interoperability kit compares.
#pragma once

#include "XmlDocument.h"

#include <algorithm>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace NxXmlTest
{

namespace CanonicalDetail
{

constexpr std::string_view XmlNamespace = "http://www.w3.org/XML/1998/namespace";

// Escapes text content: &, < and >.
inline void AppendText(std::string & out, std::string_view text)
{
    for (char const c : text)
    {
        if (c == '&')
            out += "&amp;";
        else if (c == '<')
            out += "&lt;";
        else if (c == '>')
            out += "&gt;";
        else
            out += c;
    }
}

// Escapes an attribute value or namespace URI: &, <, ", TAB, LF and CR.
inline void AppendValue(std::string & out, std::string_view text)
{
    for (char const c : text)
    {
        switch (c)
        {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '"': out += "&quot;"; break;
        case '\t': out += "&#9;"; break;
        case '\n': out += "&#10;"; break;
        case '\r': out += "&#13;"; break;
        default: out += c;
        }
    }
}

} // namespace CanonicalDetail

// Namespaces sorted and named n1, n2, ..., declared on the root; attributes sorted by namespace
// and local name; each element's own text before its children.
inline std::string CanonicalForm(NxXmlLib16::CXmlElement const & root)
{
    using namespace CanonicalDetail;
    using NxXmlLib16::CXmlAttribute;
    using NxXmlLib16::CXmlElement;
    using NxXmlLib16::CXmlName;

    // Elements in document order, without recursion.
    std::vector<CXmlElement const *> order;
    for (CXmlElement const * element = &root; element != nullptr;)
    {
        order.push_back(element);
        if (element->GetFirstElement() != nullptr)
        {
            element = element->GetFirstElement();
            continue;
        }
        while (element != &root && element->GetNextSiblingElement() == nullptr)
            element = element->GetParentElm();
        element = element == &root ? nullptr : element->GetNextSiblingElement();
    }

    std::map<std::string, std::string> prefixes;
    auto const note = [&](CXmlName const & name) {
        if (!name.namespaceUri.empty() && name.namespaceUri != XmlNamespace)
            prefixes.emplace(name.namespaceUri, std::string());
    };
    for (CXmlElement const * element : order)
    {
        note(element->GetName());
        for (CXmlAttribute const * attribute : element->GetAttributes())
            note(attribute->GetName());
    }
    std::size_t number = 0;
    for (auto & entry : prefixes)
        entry.second = "n" + std::to_string(++number);
    auto const qname = [&](CXmlName const & name) {
        if (name.namespaceUri.empty())
            return name.localName;
        if (name.namespaceUri == XmlNamespace)
            return "xml:" + name.localName;
        return prefixes[name.namespaceUri] + ":" + name.localName;
    };

    std::string out;
    std::vector<CXmlElement const *> open;
    auto const close = [&]() {
        out += "</" + qname(open.back()->GetName()) + ">";
        open.pop_back();
    };
    for (CXmlElement const * element : order)
    {
        while (!open.empty() && element->GetParentElm() != open.back())
            close();
        out += "<" + qname(element->GetName());
        if (element == &root)
        {
            for (auto const & entry : prefixes)
            {
                out += " xmlns:" + entry.second + "=\"";
                AppendValue(out, entry.first);
                out += "\"";
            }
        }
        std::vector<CXmlAttribute const *> attributes;
        for (CXmlAttribute const * attribute : element->GetAttributes())
            attributes.push_back(attribute);
        std::stable_sort(attributes.begin(), attributes.end(), [](CXmlAttribute const * a, CXmlAttribute const * b) {
            if (a->GetNamespaceURI() != b->GetNamespaceURI())
                return a->GetNamespaceURI() < b->GetNamespaceURI();
            return a->GetLocalName() < b->GetLocalName();
        });
        for (CXmlAttribute const * attribute : attributes)
        {
            out += " " + qname(attribute->GetName()) + "=\"";
            AppendValue(out, attribute->GetValue());
            out += "\"";
        }
        out += ">";
        AppendText(out, element->GetText());
        open.push_back(element);
    }
    while (!open.empty())
        close();
    return out;
}

} // namespace NxXmlTest
