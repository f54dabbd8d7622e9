// Bound classes written as Fast Infoset by the library read back into equal objects, under every
// declaration, option set and compression.
#include "FastInfosetTestSupport.h"
#include "metadata/TestBindings.h"

using namespace TestBindings;

namespace
{

// Reads the XML text into a T, writes it as Fast Infoset in every way and reads that back.
template <class T>
void ExpectRoundTrips(std::string const & xml)
{
    SCOPED_TRACE(xml);
    CSmartPtr<T> const original(new T);
    original->FromXml(xml.c_str(), Compact());
    NxXmlTest::ExpectRoundTripsInEveryWay(*original, Compact(), Ns, {"widget", "name"},
                                          [](T const & object) { return Write(object); });
}

TEST(FastInfosetRoundTrip, EveryConstructOfTheBindings)
{
    ExpectRoundTrips<CWidget>(FullWidgetXml);
    ExpectRoundTrips<CWidget>("<widget xmlns=\"urn:t\" id=\"-3\"><name>a</name><color>red</color><part><code>c"
                              "\xC3\xA9\xF0\x9F\x98\x80 &lt;&gt;</code></part></widget>");
    for (std::string const body : {"<text>hi</text>", "<color>green</color>", "<number>1</number><number>2</number>"})
        ExpectRoundTrips<CChoiceBox>("<box xmlns=\"urn:t\">" + body + "</box>");
    ExpectRoundTrips<CAllBox>("<all xmlns=\"urn:t\"><color>blue</color><part><code>p</code></part><x>3</x></all>");
    ExpectRoundTrips<CDrawing>(
        "<drawing xmlns=\"urn:t\" flag=\"true\"><shape xmlns:AA=\"http://www.w3.org/2001/XMLSchema-instance\" "
        "AA:type=\"Circle\"><label>round</label><radius>4</radius></shape><first>f</first></drawing>");
}

} // namespace
