// Purchase orders of the generator written as JSON: strict JSON with every item, in every mode.
#include "JsonWriterSupport.h"
#include "PurchaseOrder.h"
#include "TestSupport.h"

#include <cstdlib>
#include <fstream>
#include <vector>

using namespace NxXmlLib16;
using namespace PurchaseOrder;
using NxXmlTest::ReadFileBytes;

namespace
{

// The checked-in orders and fresh ones of the generator (when it is beside this checkout).
std::vector<std::string> OrderFiles()
{
    std::vector<std::string> files;
    for (char const * name : {"order-seed1.xml", "order-seed2.xml", "order-seed3.xml", "order-seed12.xml"})
        files.push_back(std::string(NXXML_TEST_DATA_DIR) + "/po/" + name);
    std::string const generator = NXXML_PO_GENERATOR;
    if (!std::ifstream(generator))
        return files;
    for (int seed = 40; seed < 44; ++seed)
    {
        std::string const path = NxXmlTest::TempPath("json-order-" + std::to_string(seed) + ".xml");
        std::string const command = "python3 '" + generator + "' --items " + std::to_string(20 + seed) + " --seed " +
                                    std::to_string(seed) + " > '" + path + "'";
        EXPECT_EQ(0, std::system(command.c_str()));
        files.push_back(path);
    }
    return files;
}

} // namespace

TEST(JsonWriterPurchaseOrder, OrdersAreValidJsonWithEveryItem)
{
    for (std::string const & path : OrderFiles())
    {
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
