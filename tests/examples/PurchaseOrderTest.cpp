// The purchase-order bindings: documents of the generator read and written back byte for byte,
// and every facet of the schema on both sides of its bound.
#include "examples/PurchaseOrderSupport.h"
#include "TestSupport.h"

#include <zlib.h>

#include <cstdlib>
#include <fstream>

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
    std::string const generator = NXXML_PO_GENERATOR;
    if (!std::ifstream(generator))
        GTEST_SKIP() << "the purchase-order generator is not beside this checkout";
    for (int seed = 20; seed < 26; ++seed)
    {
        std::string const path = NxXmlTest::TempPath("generated-" + std::to_string(seed) + ".xml");
        std::string const command = "python3 '" + generator + "' --items 60 --seed " + std::to_string(seed) + " > '" + path + "'";
        ASSERT_EQ(0, std::system(command.c_str()));
        CSmartPtr<CPurchaseOrderType> order(new CPurchaseOrderType);
        order->FromXmlFile(path.c_str());
        EXPECT_EQ(ReadFileBytes(path), Written(*order)) << "seed " << seed;
    }
}

TEST(PurchaseOrder, CompressedOrdersAreRead)
{
    std::string const original = ReadFileBytes(DataFile("order-seed2.xml"));
    CSmartPtr<CPurchaseOrderType> order = ReadOrder(original);
    std::string const path = NxXmlTest::TempPath("order.xml.gz");
    NoBanner();
    order->ToXmlFile(path.c_str(), true, true, XmlEncoding_UTF8, EOLType_LF, DocumentStyle(), CompressionGZip);
    CSmartPtr<CPurchaseOrderType> back(new CPurchaseOrderType);
    back->FromXmlFile(path.c_str());
    EXPECT_EQ(original, Written(*back));
}

TEST(PurchaseOrder, TypedMembers)
{
    CSmartPtr<CPurchaseOrderType> const order = ReadOrder(ReadFileBytes(DataFile("order-seed12.xml")));
    EXPECT_TRUE(order->GetPayment()->GetInvoice() != nullptr);
    EXPECT_EQ("invoice", order->GetPayment()->GetChoiceSelectedElement());
    CSmartPtr<CItemType> const first = order->GetItems()->GetItem()->Item(0);
    EXPECT_EQ(9u, first->GetSku().size());
    EXPECT_GE(first->GetQuantity(), 1);
    CDecimal total;
    for (CItemType & item : *order->GetItems()->GetItem())
        total += CDecimal(item.GetQuantity()) * item.GetUnitPrice();
    EXPECT_EQ(order->GetTotal(), total); // the generator's total is the exact sum
}

TEST(PurchaseOrder, FacetsThroughTheSetters)
{
    CSmartPtr<CItemType> const item(new CItemType);
    item->SetSku("ABC-12345");
    EXPECT_EQ("Invalid Value for sku [ABC-1234].", Failure([&] { item->SetSku("ABC-1234"); }));
    EXPECT_EQ("Invalid Value for sku [abc-12345].", Failure([&] { item->SetSku("abc-12345"); }));
    item->SetDescription(std::string(200, 'x'));
    item->SetDescription(std::string(199, 'x') + "\xC3\xA9"); // 200 characters, 201 bytes
    EXPECT_EQ("Invalid Value for description [" + std::string(201, 'x') + "].",
              Failure([&] { item->SetDescription(std::string(201, 'x')); }));
    item->SetQuantity(1);
    EXPECT_EQ("Invalid Value for quantity [0]", Failure([&] { item->SetQuantity(0); }));
    item->SetUnitPrice(CDecimal("0.01"));
    item->SetUnitPrice(CDecimal("12.30"));
    EXPECT_EQ("Invalid Value for unitPrice [0.001].", Failure([&] { item->SetUnitPrice(CDecimal("0.001")); }));

    CSmartPtr<CCustomerType> const customer(new CCustomerType);
    customer->SetEmail("a@b.ch");
    EXPECT_EQ("Invalid Value for email [a@b.c].", Failure([&] { customer->SetEmail("a@b.c"); }));
    EXPECT_EQ("Invalid Value for email [a b@c.ch].", Failure([&] { customer->SetEmail("a b@c.ch"); }));
    CSmartPtr<CAddressType> const address(new CAddressType);
    address->SetPostcode("NW1 6XE");
    address->SetPostcode("123");
    EXPECT_EQ("Invalid Value for postcode [12].", Failure([&] { address->SetPostcode("12"); }));
    EXPECT_EQ("Invalid Value for postcode [-1234].", Failure([&] { address->SetPostcode("-1234"); }));
    address->SetCountry("CH");
    EXPECT_EQ("Invalid Value for country [CHE].", Failure([&] { address->SetCountry("CHE"); }));
    EXPECT_EQ("Invalid Value for country [C].", Failure([&] { address->SetCountry("C"); }));
    CSmartPtr<CCardType> const card(new CCardType);
    card->SetNumber("1234 5678 9012 3456");
    EXPECT_EQ("Invalid Value for number [1234 5678 9012 345].", Failure([&] { card->SetNumber("1234 5678 9012 345"); }));
}

TEST(PurchaseOrder, ValuesAtTheBoundsAreWritten)
{
    CSmartPtr<CPurchaseOrderType> const order = ReadOrder(ReadFileBytes(DataFile("order-seed1.xml")));
    CSmartPtr<CItemType> const item = order->GetItems()->GetItem()->Item(0);
    item->SetQuantity(1);
    item->SetUnitPrice(CDecimal("0.01"));
    item->SetDescription(std::string(200, 'd'));
    std::string const xml = Written(*order);
    EXPECT_NE(std::string::npos, xml.find("<quantity>1</quantity>\n      <unitPrice>0.01</unitPrice>"));
    EXPECT_NE(std::string::npos, xml.find("<description>" + std::string(200, 'd') + "</description>"));
    EXPECT_EQ(xml, Written(*ReadOrder(xml)));
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
