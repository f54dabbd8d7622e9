// Purchase orders of the generator through their JSON forms: objects written as JSON and read
// back give the same XML, byte for byte, in the round-trip modes.
#include "PurchaseOrder.h"
#include "TestSupport.h"

#include <cstdlib>
#include <fstream>

using namespace NxXmlLib16;
using namespace PurchaseOrder;
using NxXmlTest::ReadFileBytes;

namespace
{

// How the generator writes documents: default namespace, two spaces, line feeds.
CSerializationContext DocumentStyle(JsonRoundTrip mode = JsonRoundTrip_Full)
{
    CSerializationContext context;
    context.SetDefaultNamespaceURI(TargetNamespace);
    context.SetIndentChars("  ");
    context.GetJsonContext().SetSupportRoundtrip(mode);
    return context;
}

std::string Written(CPurchaseOrderType const & order)
{
    NoBanner();
    CBinaryData const bytes = order.ToXmlStream(true, true, XmlEncoding_UTF8, EOLType_LF, DocumentStyle());
    return std::string(reinterpret_cast<char const *>(bytes.GetData()), bytes.GetLength());
}

// Orders of the generator, as XML text: the checked-in seeds and two made fresh, once.
std::vector<std::string> const & GeneratedOrders()
{
    static std::vector<std::string> const orders = [] {
        std::vector<std::string> texts;
        for (char const * name : {"order-seed1.xml", "order-seed2.xml", "order-seed3.xml", "order-seed12.xml"})
            texts.push_back(ReadFileBytes(std::string(NXXML_TEST_DATA_DIR) + "/po/" + name));
        std::string const generator = NXXML_PO_GENERATOR;
        for (int seed : {7, 31})
        {
            std::string const path = NxXmlTest::TempPath("json-order-" + std::to_string(seed) + ".xml");
            std::string const command =
                "'" + generator + "' --items 40 --seed " + std::to_string(seed) + " > '" + path + "'";
            EXPECT_EQ(0, std::system(command.c_str()));
            texts.push_back(ReadFileBytes(path));
        }
        return texts;
    }();
    return orders;
}

CSmartPtr<CPurchaseOrderType> ReadOrder(std::string const & xml)
{
    CSmartPtr<CPurchaseOrderType> order(new CPurchaseOrderType);
    order->FromXml(xml.c_str());
    return order;
}

} // namespace

TEST(JsonToXmlPurchaseOrderTest, OrdersRoundTripThroughJsonInBothRoundTripModes)
{
    std::vector<std::string> const & orders = GeneratedOrders();
    for (JsonRoundTrip const mode : {JsonRoundTrip_Full, JsonRoundTrip_Attributes})
    {
        CSerializationContext const context = DocumentStyle(mode);
        for (std::string const & original : orders)
        {
            ASSERT_FALSE(original.empty());
            CSmartPtr<CPurchaseOrderType> const order = ReadOrder(original);
            ASSERT_EQ(original, Written(*order));
            for (bool const pretty : {true, false})
            {
                std::string const json = order->ToJson(pretty, EOLType_LF, context);
                CSmartPtr<CPurchaseOrderType> back(new CPurchaseOrderType);
                back->FromJson(json.c_str(), context);
                EXPECT_EQ(original, Written(*back)) << "mode " << mode << (pretty ? " pretty" : "");
            }
        }
    }
}

TEST(JsonToXmlPurchaseOrderTest, CompressedAndUtf16JsonIsRead)
{
    std::vector<std::string> const & orders = GeneratedOrders();
    CSerializationContext const context = DocumentStyle();
    CSmartPtr<CPurchaseOrderType> const order = ReadOrder(orders[0]);
    for (CompressionType const compression : {CompressionNone, CompressionGZip, CompressionZLib})
    {
        for (XmlEncoding const encoding : {XmlEncoding_UTF8, XmlEncoding_UTF16_NoDecl})
        {
            CSmartPtr<CPurchaseOrderType> back(new CPurchaseOrderType);
            back->FromJsonStream(order->ToJsonStream(false, encoding, EOLType_LF, context, compression), context);
            EXPECT_EQ(orders[0], Written(*back)) << compression << " " << encoding;
        }
    }
    for (CompressionType const compression : {CompressionNone, CompressionGZip})
    {
        std::string const path = NxXmlTest::TempPath("order-utf16.json");
        order->ToJsonFile(path.c_str(), true, XmlEncoding_UTF16, EOLType_CRLF, context, compression);
        CSmartPtr<CPurchaseOrderType> back(new CPurchaseOrderType);
        back->FromJsonFile(path.c_str(), context);
        EXPECT_EQ(orders[0], Written(*back)) << compression;
    }
}
