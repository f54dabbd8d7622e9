// The purchase-order bindings: documents of the generator read and written back byte for byte,
// and every facet of the schema on both sides of its bound.
#include "examples/PurchaseOrderSupport.h"
#include "TestSupport.h"

#include <zlib.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <set>
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

// The number of characters of UTF-8 text.
std::size_t CountCharacters(std::string const & text)
{
    return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
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

TEST(PurchaseOrder, TheGeneratorReachesEveryBoundOfTheSchema)
{
    std::set<std::string> reached;
    auto const reach = [&](bool condition, std::string const & what) {
        if (condition)
            reached.insert(what);
    };
    auto const date = [](CDateTime const & value) {
        return value.GetYear() == 1 ? "year 1" : value.GetYear() == 9999 ? "year 9999"
                                     : value.GetMonth() == 2 && value.GetDay() == 29 ? "29 February" : "";
    };
    for (int seed = 0; seed < 20; ++seed)
    {
        CSmartPtr<CPurchaseOrderType> order(new CPurchaseOrderType);
        order->FromXmlFile(Generate("--boundaries --items 10 --seed " + std::to_string(seed)).c_str());
        reach(order->GetId() == INT32_MIN, "id min");
        reach(order->GetId() == INT32_MAX, "id max");
        reach(!order->HasOrderDate(), "no orderDate");
        reach(order->HasOrderDate(), std::string("orderDate ") + date(order->GetOrderDate()));
        reach(!order->HasCurrency(), "no currency");
        char const * const currencies[] = {"EUR", "USD", "GBP"};
        reach(order->HasCurrency(), std::string("currency ") + currencies[static_cast<int>(order->GetCurrency())]);
        CSmartPtr<CCustomerType> const customer = order->GetCustomer();
        reach(customer->GetName().empty(), "empty name");
        reach(!customer->HasEmail(), "no email");
        reach(customer->HasEmail() && customer->GetEmail().size() == 6, "shortest email");
        std::string const postcode = customer->GetAddress()->GetPostcode();
        reach(postcode.size() == 3, "postcode of 3");
        reach(postcode.size() == 10, "postcode of 10");
        reach(postcode.back() == ' ' || postcode.back() == '-', "postcode ending in a blank or hyphen");
        reach(customer->GetAddress()->GetCountry().size() > 2, "country of 2 non-ASCII characters");
        CSmartPtr<CPaymentType> const payment = order->GetPayment();
        reach(true, "payment " + payment->GetChoiceSelectedElement());
        if (payment->GetCard() != nullptr)
        {
            reach(true, "card " + payment->GetCard()->GetNumber());
            reach(true, "expiry month " + std::to_string(payment->GetCard()->GetExpiry().GetMonth()));
        }
        reach(!order->HasNotes(), "no notes");
        reach(order->HasNotes() && order->GetNotes().empty(), "empty notes");
        for (CItemType & item : *order->GetItems()->GetItem())
        {
            std::string const description = item.GetDescription();
            std::size_t const characters = CountCharacters(description);
            reach(characters == 0, "empty description");
            reach(characters == 200 && description.size() == 200, "description of 200 bytes");
            reach(characters == 200 && description.size() > 600, "description of 200 characters up to 4 bytes");
            reach(item.GetSku() == "AAA-00000" || item.GetSku() == "ZZZ-99999", "sku " + item.GetSku());
            reach(item.GetQuantity() == 1, "quantity min");
            reach(item.GetQuantity() == INT32_MAX, "quantity max");
            reach(item.GetUnitPrice() == CDecimal("0.00"), "price 0.00");
            reach(item.GetUnitPrice() == CDecimal("0.01"), "price 0.01");
            reach(item.HasShipDate(), std::string("shipDate ") + date(item.GetShipDate()));
            reach(item.HasGift(), item.GetGift() ? "gift true" : "gift false");
            reach(!item.HasGift(), "no gift");
            reach(item.GetTag()->GetCount() == 0, "no tag");
            reach(item.GetTag()->GetCount() >= 10, "many tags");
            for (int i = 0; i < item.GetTag()->GetCount(); ++i)
                reach(item.GetTag()->Item(i).empty(), "empty tag");
        }
    }
    std::set<std::string> const expected = {
        "id min", "id max", "no orderDate", "orderDate year 1", "orderDate year 9999", "orderDate 29 February",
        "no currency", "currency EUR", "currency USD", "currency GBP", "empty name", "no email", "shortest email", "postcode of 3",
        "postcode of 10", "postcode ending in a blank or hyphen", "country of 2 non-ASCII characters", "payment card",
        "payment invoice", "payment cash", "card 0000 0000 0000 0000", "card 9999 9999 9999 9999", "expiry month 1",
        "expiry month 12", "no notes", "empty notes", "empty description", "description of 200 bytes",
        "description of 200 characters up to 4 bytes", "sku AAA-00000", "sku ZZZ-99999", "quantity min",
        "quantity max", "price 0.00", "price 0.01", "shipDate year 1", "shipDate year 9999", "shipDate 29 February",
        "gift true", "gift false", "no gift", "no tag", "many tags", "empty tag"};
    std::vector<std::string> missing;
    std::set_difference(expected.begin(), expected.end(), reached.begin(), reached.end(), std::back_inserter(missing));
    EXPECT_TRUE(missing.empty()) << "not reached: " << ::testing::PrintToString(missing);
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
    EXPECT_EQ(order->GetTotal(), SumOfLines(*order)); // the generator's total is the exact sum
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
