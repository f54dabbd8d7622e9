// The canonical form of a document tree that the Fast Infoset interoperability kit compares.
#pragma once

#include "XmlDocument.h"

#include <algorithm>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace NxXmlTest
{

namespace CanonicalDetail
{

constexpr std::string_view XmlNamespace = "http://www.w3.org/XML/1998/namespace";

// Escapes &, < and then, in text, > or, in attribute values and namespace URIs, ", TAB, LF and CR.
inline void Append(std::string & out, std::string_view text, bool value)
{
    for (char const c : text)
    {
        switch (c)
        {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += value ? ">" : "&gt;"; break;
        case '"': out += value ? "&quot;" : "\""; break;
        case '\t': out += value ? "&#9;" : "\t"; break;
        case '\n': out += value ? "&#10;" : "\n"; break;
        case '\r': out += value ? "&#13;" : "\r"; break;
        default: out += c;
        }
    }
}

} // namespace CanonicalDetail

// What a value becomes on its way through a writer and reader: namespace URIs and attribute
// values pass through it before they are sorted and printed.
using ValueFilter = std::string (*)(std::string_view value);

// Namespaces sorted and named n1, n2, ..., declared on the root; attributes sorted by namespace
// and local name; each element's own text before its children.
inline std::string CanonicalForm(NxXmlLib16::CXmlElement const & root, ValueFilter filter = nullptr)
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

    auto const filtered = [filter](std::string_view value)
    { return filter == nullptr ? std::string(value) : filter(value); };
    std::map<std::string, std::string> prefixes;
    auto const note = [&](CXmlName const & name)
    {
        if (!name.namespaceUri.empty() && name.namespaceUri != XmlNamespace)
            prefixes.emplace(filtered(name.namespaceUri), std::string());
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
    auto const qname = [&](CXmlName const & name)
    {
        if (name.namespaceUri.empty())
            return name.localName;
        if (name.namespaceUri == XmlNamespace)
            return "xml:" + name.localName;
        return prefixes[filtered(name.namespaceUri)] + ":" + name.localName;
    };

    std::string out;
    std::vector<CXmlElement const *> open;
    auto const close = [&]()
    {
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
                Append(out, entry.first, true);
                out += "\"";
            }
        }
        // Each attribute with its namespace as it is sorted.
        std::vector<std::pair<std::string, CXmlAttribute const *>> attributes;
        for (CXmlAttribute const * attribute : element->GetAttributes())
            attributes.emplace_back(filtered(attribute->GetNamespaceURI()), attribute);
        std::stable_sort(attributes.begin(), attributes.end(),
                         [](auto const & a, auto const & b)
                         {
                             if (a.first != b.first)
                                 return a.first < b.first;
                             return a.second->GetLocalName() < b.second->GetLocalName();
                         });
        for (auto const & entry : attributes)
        {
            out += " " + qname(entry.second->GetName()) + "=\"";
            Append(out, filtered(entry.second->GetValue()), true);
            out += "\"";
        }
        out += ">";
        Append(out, element->GetText(), false);
        open.push_back(element);
    }
    while (!open.empty())
        close();
    return out;
}

} // namespace NxXmlTest
