// The purchase-order bindings: documents of the generator read and written back byte for byte,
// and every facet of the schema on both sides of its bound.
#include "examples/PurchaseOrderSupport.h"
#include "TestSupport.h"

#include <zlib.h>

#include <functional>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <vector>

using namespace NxXmlLib16;
using namespace PurchaseOrder;
using NxXmlTest::DocumentStyle;
using NxXmlTest::Written;
using NxXmlTest::ExpectThrows;
using NxXmlTest::ReadFileBytes;

namespace
{

std::string DataFile(char const * name) { return std::string(NXXML_TEST_DATA_DIR) + "/po/" + name; }

CSmartPtr<CPurchaseOrderType> ReadOrder(std::string const & xml)
{
    CSmartPtr<CPurchaseOrderType> order(new CPurchaseOrderType);
    order->FromXml(xml.c_str());
    return order;
}

// The sum of quantity times unit price over the items of the order.
CDecimal SumOfLines(CPurchaseOrderType const & order)
{
    CDecimal total;
    for (CItemType & item : *order.GetItems()->GetItem())
        total += CDecimal(item.GetQuantity()) * item.GetUnitPrice();
    return total;
}

// The path of a document that nxpogen writes with the arguments.
std::string Generate(std::string const & arguments)
{
    static int count = 0;
    std::string const path = NxXmlTest::TempPath("generated-" + std::to_string(++count) + ".xml");
    std::string const command = "'" NXXML_PO_GENERATOR "' " + arguments + " > '" + path + "'";
    EXPECT_EQ(0, std::system(command.c_str())) << command;
    return path;
}

// The message of what the action throws (any class of the family).
template <class Action>
std::string Failure(Action && action)
{
    try
    {
        action();
    }
    catch (CNxException const & e)
    {
        return e.GetFullMessage();
    }
    return "no exception";
}

} // namespace

TEST(PurchaseOrder, GeneratedDocumentsRoundTripByteForByte)
{
    for (char const * name : {"order-seed1.xml", "order-seed2.xml", "order-seed3.xml", "order-seed12.xml"})
    {
        std::string const path = DataFile(name);
        std::string const original = ReadFileBytes(path);
        ASSERT_FALSE(original.empty()) << path;
        CSmartPtr<CPurchaseOrderType> order(new CPurchaseOrderType);
        order->FromXmlFile(path.c_str());
        EXPECT_EQ(original, Written(*order)) << name;
        EXPECT_EQ(25, order->GetItems()->GetItem()->GetCount());
    }
}

TEST(PurchaseOrder, FreshDocumentsOfTheGeneratorRoundTrip)
{
    std::vector<std::string> runs = {"--size-mb 2 --seed 77"}; // holds sums beyond 64 bits of cents
    for (int seed = 20; seed < 26; ++seed)
        runs.push_back("--items 60 --seed " + std::to_string(seed));
    for (int seed = 0; seed < 20; ++seed)
        runs.push_back("--boundaries --items 10 --seed " + std::to_string(seed));
    for (std::string const & run : runs)
    {
        std::string const path = Generate(run);
        CSmartPtr<CPurchaseOrderType> order(new CPurchaseOrderType);
        order->FromXmlFile(path.c_str());
        EXPECT_EQ(ReadFileBytes(path), Written(*order)) << run;
        EXPECT_EQ(order->GetTotal(), SumOfLines(*order)) << run; // the generator's total is the exact sum
    }
}

TEST(PurchaseOrder, FacetsThroughTheSetters)
{
    CSmartPtr<CItemType> const item(new CItemType);
    CSmartPtr<CCustomerType> const customer(new CCustomerType);
    CSmartPtr<CAddressType> const address(new CAddressType);
    CSmartPtr<CCardType> const card(new CCardType);
    // Values on both sides of each bound: the message, or none when the value is taken.
    std::pair<std::function<void()>, std::string> const cases[] = {
        {[&] { item->SetSku("ABC-12345"); }, ""},
        {[&] { item->SetSku("ABC-1234"); }, "Invalid Value for sku [ABC-1234]."},
        {[&] { item->SetSku("abc-12345"); }, "Invalid Value for sku [abc-12345]."},
        {[&] { item->SetDescription(std::string(200, 'x')); }, ""},
        {[&] { item->SetDescription(std::string(199, 'x') + "\xC3\xA9"); }, ""}, // 200 characters, 201 bytes
        {[&] { item->SetDescription(std::string(201, 'x')); },
         "Invalid Value for description [" + std::string(201, 'x') + "]."},
        {[&] { item->SetQuantity(1); }, ""},
        {[&] { item->SetQuantity(0); }, "Invalid Value for quantity [0]"},
        {[&] { item->SetUnitPrice(CDecimal("0.01")); }, ""},
        {[&] { item->SetUnitPrice(CDecimal("0.001")); }, "Invalid Value for unitPrice [0.001]."},
        {[&] { customer->SetEmail("a@b.ch"); }, ""},
        {[&] { customer->SetEmail("a@b.c"); }, "Invalid Value for email [a@b.c]."},
        {[&] { customer->SetEmail("a b@c.ch"); }, "Invalid Value for email [a b@c.ch]."},
        {[&] { address->SetPostcode("NW1 6XE"); }, ""},
        {[&] { address->SetPostcode("123"); }, ""},
        {[&] { address->SetPostcode("12"); }, "Invalid Value for postcode [12]."},
        {[&] { address->SetPostcode("-1234"); }, "Invalid Value for postcode [-1234]."},
        {[&] { address->SetCountry("CH"); }, ""},
        {[&] { address->SetCountry("CHE"); }, "Invalid Value for country [CHE]."},
        {[&] { address->SetCountry("C"); }, "Invalid Value for country [C]."},
        {[&] { card->SetNumber("1234 5678 9012 3456"); }, ""},
        {[&] { card->SetNumber("1234 5678 9012 345"); }, "Invalid Value for number [1234 5678 9012 345]."},
    };
    for (auto const & [set, message] : cases)
        EXPECT_EQ(message.empty() ? "no exception" : message, Failure(set));
}

TEST(PurchaseOrder, DocumentsThatBreakTheSchemaAreLocated)
{
    std::string const original = ReadFileBytes(DataFile("order-seed3.xml"));
    // The failure of reading the document with the text between the first `from` and the
    // following `to` replaced.
    auto const readEdited = [&](std::string const & from, std::string const & to, std::string const & replacement) {
        std::string xml = original;
        std::size_t const start = xml.find(from) + from.size();
        xml.replace(start, xml.find(to, start) - start, replacement);
        return Failure([&] { ReadOrder(xml); });
    };
    EXPECT_EQ("Failed to set the property value [XX-1].\nPath: /purchaseOrder/items/item[1]/@sku\n"
              "Invalid Value for sku [XX-1].",
              readEdited("sku=\"", "\"", "XX-1"));
    EXPECT_EQ("Failed to set the property value.\nPath: /purchaseOrder/items/item[1]/quantity\n"
              "Invalid Value for quantity [0]",
              readEdited("<quantity>", "</quantity>", "0"));
    EXPECT_EQ("Failed to find the required child element [total].\nPath: /purchaseOrder",
              readEdited("</payment>", "</purchaseOrder>", "\n"));
    EXPECT_EQ("Failed read all the elements held within the element [payment]. The unexpected element [card] "
              "remains un processed\nPath: /purchaseOrder/payment",
              readEdited("<payment>", "<card>", "<cash/>"));
    // A value that does not convert is located at the element whose member it is.
    EXPECT_EQ("Failed to process the element.\nPath: /purchaseOrder/items/item[1]\n"
              "Invalid Day [31] (1 <= day <= days in month",
              readEdited("<shipDate>", "</shipDate>", "2023-02-31"));
}

TEST(PurchaseOrder, TheChoiceOfPaymentTakesOneMember)
{
    CSmartPtr<CPaymentType> const payment(new CPaymentType);
    payment->SetCash(new CCashType);
    EXPECT_EQ("The Property [cash] is already set. Only one element within this class bay be set at a time",
              Failure([&] { payment->SetCard(new CCardType); }));
    payment->SetCash(nullptr);
    payment->SetCard(new CCardType);
    EXPECT_EQ("card", payment->GetChoiceSelectedElement());
}
