// Reads XML text with the quick reader and with Expat alone and prints both trees, so that the
// tests and the fuzzer can check that the quick reader builds Expat's tree or gives up.
#pragma once

#include "NxException.h"
#include "XmlDocument.h"
#include "xml/ExpatReader.h"
#include "xml/QuickXmlReader.h"

#include <string>
#include <string_view>
#include <vector>

namespace NxXmlTest
{

// Every name, attribute, text and nesting of the tree, each string with its length, then the
// depth and the namespace of every prefix the text declares.
inline std::string DumpTree(NxXmlLib16::CXmlDocument const & document, std::string_view text)
{
    using NxXmlLib16::CXmlElement;
    std::string out;
    auto const add = [&out](char tag, std::string_view value)
    {
        out += tag;
        out += std::to_string(value.size());
        out += ':';
        out += value;
    };
    // The path of open elements, each with the child to visit next.
    std::vector<CXmlElement const *> path;
    CXmlElement const * element = document.GetDocumentElement();
    while (element != nullptr)
    {
        add('<', element->GetName().key);
        add('n', element->GetNamespaceURI());
        add('l', element->GetLocalName());
        for (NxXmlLib16::CXmlAttribute const * attribute : element->GetAttributes())
        {
            add('@', attribute->GetName().key);
            add('=', attribute->GetValue());
        }
        add('t', element->GetText());
        CXmlElement const * next = element->GetFirstElement();
        if (next != nullptr)
        {
            path.push_back(element);
            element = next;
            continue;
        }
        out += '>';
        for (next = element->GetNextSiblingElement(); next == nullptr && !path.empty(); path.pop_back())
        {
            out += '>';
            next = path.back()->GetNextSiblingElement();
        }
        element = next;
    }
    out += "depth " + std::to_string(document.GetMaxDepth());
    add('x', document.LookupNamespaceFromAlias(""));
    for (std::size_t at = text.find("xmlns:"); at != std::string_view::npos; at = text.find("xmlns:", at + 1))
    {
        std::size_t const end = text.find_first_of("= \t\r\n", at + 6);
        std::string const prefix(
            text.substr(at + 6, end == std::string_view::npos ? std::string_view::npos : end - at - 6));
        add('p', prefix);
        add('x', document.LookupNamespaceFromAlias(prefix.c_str()));
    }
    return out;
}

// What one reader made of a text: whether it read it, and the tree it built.
struct CReadOutcome
{
    bool read = false;
    std::string tree;
};

inline CReadOutcome ReadQuickly(std::string_view text)
{
    NxXmlLib16::CXmlDocument document;
    CReadOutcome outcome;
    outcome.read = NxXmlLib16::CQuickXmlReader(document).Read(text.data(), text.size());
    if (outcome.read)
        outcome.tree = DumpTree(document, text);
    return outcome;
}

inline CReadOutcome ReadWithExpat(std::string_view text)
{
    NxXmlLib16::CXmlDocument document;
    CReadOutcome outcome;
    try
    {
        NxXmlLib16::CExpatReader reader(document, true, true);
        reader.ParseChunk(text.data(), text.size(), true);
        outcome.read = true;
        outcome.tree = DumpTree(document, text);
    }
    catch (NxXmlLib16::CNxException const &)
    {
    }
    return outcome;
}

// Empty when the quick reader gave up or built the tree Expat builds; otherwise what differs.
// Sets quick to whether the quick reader read the text.
inline std::string QuickReaderDisagreement(std::string_view text, bool & quick)
{
    CReadOutcome const fast = ReadQuickly(text);
    quick = fast.read;
    if (!fast.read)
        return std::string();
    CReadOutcome const expat = ReadWithExpat(text);
    if (!expat.read)
        return "the quick reader read a text that Expat refuses";
    if (fast.tree != expat.tree)
        return "quick: " + fast.tree + "\nexpat: " + expat.tree;
    return std::string();
}

} // namespace NxXmlTest
