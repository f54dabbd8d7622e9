// A purchase order written as JSON: strict JSON whose values keep their JSON types.
#include "JsonTestSupport.h"
#include "PurchaseOrder.h"
#include "TestSupport.h"

using namespace NxXmlLib16;
using namespace PurchaseOrder;

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
