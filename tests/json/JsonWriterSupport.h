// Helpers of the JSON writer tests: strict parsing of written JSON and counting what it holds.
#pragma once

#include "NxXmlLib16.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <string>

namespace NxXmlTest
{

// The elements and attributes of an XML element and its descendants, without namespace
// declarations and schema-instance attributes (the JSON form leaves those out or renames them).
inline std::size_t CountXmlItems(NxXmlLib16::CXmlElement const & element)
{
    std::size_t count = 1;
    for (NxXmlLib16::CXmlAttribute const * attribute : element.GetAttributes())
    {
        if (!attribute->IsNamespaceAttribute() &&
            attribute->GetNamespaceURI() != "http://www.w3.org/2001/XMLSchema-instance")
            ++count;
    }
    for (NxXmlLib16::CXmlElement const * child = element.GetFirstElement(); child != nullptr;
         child = child->GetNextSiblingElement())
        count += CountXmlItems(*child);
    return count;
}

// The same count for the XML text of a document.
inline std::size_t CountXmlItems(std::string const & xml)
{
    NxXmlLib16::CXmlDocument document;
    document.LoadXml(xml.c_str());
    return CountXmlItems(*document.GetDocumentElement());
}

// The elements and attributes a JSON value stands for: every member and array entry except
// element text, namespace declarations and xsi:type.
inline std::size_t CountJsonItems(nlohmann::json const & value, NxXmlLib16::JsonRoundTrip mode)
{
    std::size_t count = 0;
    if (!value.is_object())
        return count;
    for (auto const & member : value.items())
    {
        std::string const & name = member.key();
        bool const skipped = mode == NxXmlLib16::JsonRoundTrip_Plain
                                 ? name.empty()
                                 : name == "#text" || name == "@xmlns" || name.compare(0, 7, "@xmlns:") == 0 ||
                                       name == "@xsi:type";
        if (skipped)
            continue;
        if (member.value().is_array())
        {
            for (nlohmann::json const & entry : member.value())
                count += 1 + CountJsonItems(entry, mode);
        }
        else
        {
            count += 1 + CountJsonItems(member.value(), mode);
        }
    }
    return count;
}

// Parses UTF-8 bytes strictly (no comments, no trailing commas, valid UTF-8 only); fails the
// test and returns null when they are not JSON.
inline nlohmann::json ParseStrictly(std::string const & bytes)
{
    try
    {
        return nlohmann::json::parse(bytes, nullptr, true, false);
    }
    catch (nlohmann::json::exception const & e)
    {
        ADD_FAILURE() << e.what() << "\n" << bytes.substr(0, 2000);
        return nlohmann::json();
    }
}


} // namespace NxXmlTest
