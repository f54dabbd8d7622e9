// Purchase orders of the generator through their JSON forms: objects written as JSON and read
// back give the same XML, byte for byte, in the round-trip modes.
#include "TestSupport.h"
#include "examples/PurchaseOrderSupport.h"

using namespace NxXmlLib16;
using namespace PurchaseOrder;
using NxXmlTest::Written;

namespace
{

// How the generator writes documents, in a JSON round-trip mode.
CSerializationContext DocumentStyle(JsonRoundTrip mode = JsonRoundTrip_Full)
{
    CSerializationContext context = NxXmlTest::DocumentStyle();
    context.GetJsonContext().SetSupportRoundtrip(mode);
    return context;
}

CSmartPtr<CPurchaseOrderType> ReadOrder(std::string const & xml)
{
    CSmartPtr<CPurchaseOrderType> order(new CPurchaseOrderType);
    order->FromXml(xml.c_str());
    return order;
}

// Reads the JSON bytes into a fresh order and expects it to write the original XML.
void ExpectReadBack(CBinaryData const & json, CSerializationContext const & context, std::string const & original)
{
    CSmartPtr<CPurchaseOrderType> back(new CPurchaseOrderType);
    back->FromJsonStream(json, context);
    EXPECT_EQ(original, Written(*back));
}

} // namespace

TEST(JsonToXmlPurchaseOrderTest, OrdersRoundTripThroughJsonInBothRoundTripModes)
{
    for (char const * name : {"order-seed1.xml", "order-seed2.xml", "order-seed3.xml", "order-seed12.xml"})
    {
        std::string const original = NxXmlTest::ReadFileBytes(std::string(NXXML_TEST_DATA_DIR) + "/po/" + name);
        CSmartPtr<CPurchaseOrderType> const order = ReadOrder(original);
        ASSERT_EQ(original, Written(*order)) << name;
        for (JsonRoundTrip const mode : {JsonRoundTrip_Full, JsonRoundTrip_Attributes})
        {
            for (bool const pretty : {true, false})
            {
                SCOPED_TRACE(std::string(name) + " mode " + std::to_string(mode) + (pretty ? " pretty" : ""));
                ExpectReadBack(order->ToJsonStream(pretty, XmlEncoding_UTF8, EOLType_LF, DocumentStyle(mode)),
                               DocumentStyle(mode), original);
            }
        }
    }
}

TEST(JsonToXmlPurchaseOrderTest, CompressedAndUtf16JsonIsRead)
{
    std::string const original = NxXmlTest::ReadFileBytes(std::string(NXXML_TEST_DATA_DIR) + "/po/order-seed1.xml");
    CSmartPtr<CPurchaseOrderType> const order = ReadOrder(original);
    CSerializationContext const context = DocumentStyle();
    for (CompressionType const compression : {CompressionNone, CompressionGZip, CompressionZLib})
    {
        for (XmlEncoding const encoding : {XmlEncoding_UTF8, XmlEncoding_UTF16_NoDecl})
        {
            SCOPED_TRACE(std::to_string(compression) + " " + std::to_string(encoding));
            ExpectReadBack(order->ToJsonStream(false, encoding, EOLType_LF, context, compression), context, original);
        }
    }
    std::string const path = NxXmlTest::TempPath("order-utf16.json");
    order->ToJsonFile(path.c_str(), true, XmlEncoding_UTF16, EOLType_CRLF, context, CompressionGZip);
    CSmartPtr<CPurchaseOrderType> back(new CPurchaseOrderType);
    back->FromJsonFile(path.c_str(), context);
    EXPECT_EQ(original, Written(*back));
}
