// Purchase orders written as JSON: strict JSON with every item, in every mode.
#include "JsonTestSupport.h"
#include "PurchaseOrder.h"
#include "TestSupport.h"

using namespace NxXmlLib16;
using namespace PurchaseOrder;
using NxXmlTest::ReadFileBytes;

TEST(JsonWriterPurchaseOrder, OrdersAreValidJsonWithEveryItem)
{
    for (char const * name : {"order-seed1.xml", "order-seed2.xml", "order-seed3.xml", "order-seed12.xml"})
    {
        std::string const path = std::string(NXXML_TEST_DATA_DIR) + "/po/" + name;
        CSmartPtr<CPurchaseOrderType> order(new CPurchaseOrderType);
        order->FromXmlFile(path.c_str());
        std::size_t const items = NxXmlTest::CountXmlItems(ReadFileBytes(path));
        std::size_t const lines = static_cast<std::size_t>(order->GetItems()->GetItem()->GetCount());
        for (JsonRoundTrip mode : {JsonRoundTrip_Plain, JsonRoundTrip_Attributes, JsonRoundTrip_Full})
        {
            CSerializationContext context;
            context.GetJsonContext().SetSupportRoundtrip(mode);
            std::string const prefix = mode == JsonRoundTrip_Full ? "AA:" : "";
            for (bool pretty : {true, false})
            {
                nlohmann::json const json = NxXmlTest::ParseStrictly(
                    NxXmlTest::Bytes(order->ToJsonStream(pretty, XmlEncoding_UTF8, EOLType_CRLF, context)));
                EXPECT_EQ(items, NxXmlTest::CountJsonItems(json, mode)) << path << " mode " << mode;
                nlohmann::json const & item = json[prefix + "purchaseOrder"][prefix + "items"][prefix + "item"];
                ASSERT_TRUE(item.is_array()) << path;
                EXPECT_EQ(lines, item.size()) << path;
            }
        }
    }
}

TEST(JsonWriterPurchaseOrder, ValuesKeepTheirJsonTypes)
{
    CSmartPtr<CPurchaseOrderType> order(new CPurchaseOrderType);
    order->FromXmlFile((std::string(NXXML_TEST_DATA_DIR) + "/po/order-seed1.xml").c_str());
    CSerializationContext context;
    context.SetDefaultNamespaceURI(TargetNamespace);
    nlohmann::json const json = NxXmlTest::ParseStrictly(
        NxXmlTest::Bytes(order->ToJsonStream(false, XmlEncoding_UTF8, EOLType_LF, context)));
    nlohmann::json const & root = json["purchaseOrder"];
    EXPECT_EQ("urn:example:po", root["@xmlns"]);
    EXPECT_EQ(288545019, root["@id"]);
    EXPECT_EQ("2023-05-04", root["@orderDate"]);
    EXPECT_EQ("Olivia \xC3\x85" "berg", root["customer"]["name"]);
    nlohmann::json const & first = root["items"]["item"][0];
    EXPECT_EQ("MNT-99913", first["@sku"]);
    EXPECT_EQ(4, first["quantity"]);
    EXPECT_DOUBLE_EQ(2363.04, first["unitPrice"].get<double>());
    EXPECT_EQ("<b2b>", first["tag"][0]);
    EXPECT_EQ(nlohmann::json::array({"<b2b>", "fragile"}), root["items"]["item"][1]["tag"]);
}
