// Bound objects of the test bindings written as JSON and read back: the objects read give the
// same XML as the originals, byte for byte.
#include "TestSupport.h"
#include "metadata/TestBindings.h"

#include <functional>
#include <vector>

using namespace TestBindings;

namespace
{

// Options that declare the namespaces the documents use, in a round-trip mode.
CSerializationContext Options(JsonRoundTrip mode)
{
    CSerializationContext context;
    context.GetNamespaceAliases().Add("xsi", "http://www.w3.org/2001/XMLSchema-instance");
    context.GetNamespaceAliases().Add("o", "urn:o");
    context.SetDefaultNamespaceURI(Ns);
    context.GetJsonContext().SetSupportRoundtrip(mode);
    return context;
}

// A document of the bindings: how to make an empty object of its class, and its XML.
struct CDocument
{
    std::function<CXmlObjectBase *()> make;
    std::string xml;
    bool foreignNamespaces; // carries elements or attributes of another namespace
};

template <class T>
std::function<CXmlObjectBase *()> Maker()
{
    return [] { return new T; };
}

std::string Widget(std::string const & rest)
{
    return "<widget xmlns=\"urn:t\" id=\"3\"><name>abc</name><color>green</color><part><code>c</code></part>" + rest +
           "</widget>";
}

std::vector<CDocument> Documents()
{
    return {
        {Maker<CWidget>(),
         "<widget xmlns=\"urn:t\" xmlns:o=\"urn:o\" id=\"9\" kind=\"red\" label=\"L &amp; &quot;q&quot;\" o:more=\"x\">"
         "<name>gear</name><size>12</size><color>blue</color><shade>green</shade><part weight=\"-5\"><code>P&lt;1&gt;"
         "</code></part><extra><code>X</code></extra><count>1</count><count>2</count><count>3</count><part2><code>S"
         "</code></part2><part2><code>T</code></part2><remark>tab\there \\ \"quoted\"\nline \xC3\xA9\xE2\x82\xAC"
         "</remark><note lang=\"en\">hello</note><o:thing a=\"1\"><o:sub>t</o:sub><o:sub>u</o:sub><o:last/></o:thing>"
         "</widget>",
         true},
        {Maker<CWidget>(), Widget("<part2><code>only</code></part2><note lang=\"fr\"/>"), false},
        {Maker<CWidget>(), Widget("<count>-4</count><remark>&lt;![CDATA[not a section]]&gt;</remark>"), false},
        {Maker<CChoiceBox>(), "<box xmlns=\"urn:t\"><text>hi</text></box>", false},
        {Maker<CChoiceBox>(), "<box xmlns=\"urn:t\"><part weight=\"1\"><code>p</code></part></box>", false},
        {Maker<CChoiceBox>(), "<box xmlns=\"urn:t\"><color>green</color></box>", false},
        {Maker<CChoiceBox>(), "<box xmlns=\"urn:t\"><number>1</number><number>2</number><number>3</number></box>",
         false},
        {Maker<CRunBox>(), "<run xmlns=\"urn:t\"><number>5</number></run>", false},
        {Maker<CAllBox>(), "<all xmlns=\"urn:t\"><color>blue</color><y>why</y><part><code>p</code></part><x>3</x></all>",
         false},
    };
}

// The XML of an object in the document style of the options.
std::string XmlOf(CXmlObjectBase const & object, CSerializationContext const & options)
{
    return object.ToXml(false, false, EOLType_LF, options);
}

} // namespace

TEST(JsonToXmlRoundTripTest, TestBindingsRoundTripInTheRoundTripModes)
{
    NoBanner();
    for (JsonRoundTrip const mode : {JsonRoundTrip_Full, JsonRoundTrip_Attributes})
    {
        CSerializationContext const options = Options(mode);
        for (CDocument const & document : Documents())
        {
            if (mode != JsonRoundTrip_Full && document.foreignNamespaces)
                continue;
            CSmartPtr<CXmlObjectBase> const original(document.make());
            original->FromXml(document.xml.c_str());
            std::string const xml = XmlOf(*original, options);
            for (bool const pretty : {true, false})
            {
                std::string const json = original->ToJson(pretty, EOLType_LF, options);
                CSmartPtr<CXmlObjectBase> const back(document.make());
                try
                {
                    back->FromJson(json.c_str(), options);
                }
                catch (CNxException const & e)
                {
                    ADD_FAILURE() << e.GetFullMessage() << "\n" << json;
                    continue;
                }
                EXPECT_EQ(xml, XmlOf(*back, options)) << "mode " << mode << "\n" << json;
            }
        }
    }
}

TEST(JsonToXmlRoundTripTest, DerivedTypesRoundTripWithTheirXsiType)
{
    NoBanner();
    CSerializationContext const options = Options(JsonRoundTrip_Full);
    CSmartPtr<CDrawing> drawing(new CDrawing);
    CSmartPtr<CCircle> const circle(new CCircle);
    circle->label = "round";
    circle->radius = 4;
    drawing->shape = circle;
    static_cast<CInlined *>(drawing->inlined.Get())->first = "f";
    static_cast<CInlined *>(drawing->inlined.Get())->flag = true;
    std::string const json = drawing->ToJson(true, EOLType_LF, options);
    CSmartPtr<CDrawing> back(new CDrawing);
    back->FromJson(json.c_str(), options);
    EXPECT_EQ(XmlOf(*drawing, options), XmlOf(*back, options)) << json;
    EXPECT_NE(nullptr, dynamic_cast<CCircle *>(back->shape.Get()));
}
