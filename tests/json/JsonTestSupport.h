// Helpers of the JSON tests: documents of the test bindings and strict parsing of written JSON.
#pragma once

#include "NxXmlLib16.h"
#include "metadata/TestBindings.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <functional>
#include <string>
#include <vector>

namespace NxXmlTest
{

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

// Options that declare every namespace the test documents use, in a JSON mode.
inline NxXmlLib16::CSerializationContext Declared(NxXmlLib16::JsonRoundTrip mode, bool defaultNamespace = true)
{
    NxXmlLib16::CSerializationContext context;
    context.GetNamespaceAliases().Add("xsi", "http://www.w3.org/2001/XMLSchema-instance");
    context.GetNamespaceAliases().Add("o", "urn:o");
    if (defaultNamespace)
        context.SetDefaultNamespaceURI(TestBindings::Ns);
    context.GetJsonContext().SetSupportRoundtrip(mode);
    return context;
}

// A widget with every member, a wildcard element of another namespace and text to escape.
inline std::string const WideWidgetXml =
    "<widget xmlns=\"urn:t\" xmlns:o=\"urn:o\" id=\"7\" kind=\"blue\" o:more=\"1\"><name>gear</name><size>12</size>"
    "<color>blue</color><shade>green</shade><part weight=\"5\"><code>P-1</code></part><extra><code>X</code></extra>"
    "<count>1</count><count>2</count><count>3</count><part2><code>S</code></part2><part2><code>T</code></part2>"
    "<remark>fine &amp; \"dandy\"\nnext\tline \\ done</remark><note lang=\"en\">hello</note>"
    "<o:thing a=\"1\"><o:sub>t</o:sub><o:sub>u</o:sub><o:other b=\"2\">v</o:other><o:last/></o:thing></widget>";

// A document of the test bindings: how to make an empty object of its class, and its XML.
struct CJsonDocument
{
    std::function<NxXmlLib16::CXmlObjectBase *()> make;
    std::string xml;
    bool foreignNamespaces; // carries elements or attributes of another namespace
};

// One of each construct the test bindings have.
inline std::vector<CJsonDocument> TestDocuments()
{
    using namespace TestBindings;
    std::string const widget =
        "<widget xmlns=\"urn:t\" id=\"3\"><name>abc</name><color>green</color><part weight=\"-5\"><code>c</code></part>";
    auto const box = [] { return new CChoiceBox; };
    return {{[] { return new CWidget; }, WideWidgetXml, true},
            {[] { return new CWidget; }, widget + "<part2><code>only</code></part2><note lang=\"fr\"/></widget>", false},
            {[] { return new CWidget; },
             widget + "<count>-4</count><remark>&lt;![CDATA[x]]&gt; \xC3\xA9\xE2\x82\xAC</remark></widget>", false},
            {box, "<box xmlns=\"urn:t\"/>", false},
            {box, "<box xmlns=\"urn:t\"><text>hi</text></box>", false},
            {box, "<box xmlns=\"urn:t\"><color>green</color></box>", false},
            {box, "<box xmlns=\"urn:t\"><number>1</number><number>2</number></box>", false},
            {[] { return new CRunBox; }, "<run xmlns=\"urn:t\"><number>5</number></run>", false},
            {[] { return new CAllBox; },
             "<all xmlns=\"urn:t\"><color>blue</color><y>why</y><part><code>p</code></part><x>3</x></all>", false}};
}

} // namespace NxXmlTest
