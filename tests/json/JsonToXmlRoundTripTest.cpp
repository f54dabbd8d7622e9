// Bound objects of the test bindings written as JSON and read back: the objects read give the
// same XML as the originals, byte for byte.
#include "JsonTestSupport.h"
#include "TestSupport.h"

using namespace TestBindings;
using NxXmlTest::Declared;

namespace
{

// The XML of an object in the document style of the options.
std::string XmlOf(CXmlObjectBase const & object, CSerializationContext const & options)
{
    return object.ToXml(false, false, EOLType_LF, options);
}

// Writes the object as JSON and reads it into a fresh object of its class.
void ExpectRoundTrip(CXmlObjectBase const & original, std::function<CXmlObjectBase *()> const & make,
                     CSerializationContext const & options)
{
    for (bool const pretty : {true, false})
    {
        std::string const json = original.ToJson(pretty, EOLType_LF, options);
        CSmartPtr<CXmlObjectBase> const back(make());
        try
        {
            back->FromJson(json.c_str(), options);
        }
        catch (CNxException const & e)
        {
            ADD_FAILURE() << e.GetFullMessage() << "\n" << json;
            continue;
        }
        EXPECT_EQ(XmlOf(original, options), XmlOf(*back, options)) << json;
    }
}

} // namespace

TEST(JsonToXmlRoundTripTest, TestBindingsRoundTripInTheRoundTripModes)
{
    NoBanner();
    for (JsonRoundTrip const mode : {JsonRoundTrip_Full, JsonRoundTrip_Attributes})
    {
        SCOPED_TRACE(mode);
        for (NxXmlTest::CJsonDocument const & document : NxXmlTest::TestDocuments())
        {
            if (mode != JsonRoundTrip_Full && document.foreignNamespaces)
                continue;
            CSmartPtr<CXmlObjectBase> const original(document.make());
            original->FromXml(document.xml.c_str());
            ExpectRoundTrip(*original, document.make, Declared(mode));
        }
    }
    // A derived type comes back as itself through its xsi:type.
    CSmartPtr<CDrawing> const drawing = TestBindings::SampleDrawing();
    ExpectRoundTrip(*drawing, [] { return new CDrawing; }, Declared(JsonRoundTrip_Full));
    CSmartPtr<CDrawing> back(new CDrawing);
    back->FromJson(drawing->ToJson(true, EOLType_LF, Declared(JsonRoundTrip_Full)).c_str(), Declared(JsonRoundTrip_Full));
    EXPECT_NE(nullptr, dynamic_cast<CCircle *>(back->shape.Get()));
}
