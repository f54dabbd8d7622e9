// The purchase-order bindings: documents of the generator read and written back byte for byte,
// and every facet of the schema on both sides of its bound.
#include "examples/PurchaseOrderSupport.h"
#include "TestSupport.h"
#include "nxconvert/DocumentWriter.h"
#include "xml/DemandXmlReader.h"

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

// The document of the XML text as Fast Infoset, whatever the bindings would say of it.
std::string AsFastInfoset(std::string const & xml)
{
    CXmlDocument document;
    document.LoadXml(xml.c_str());
    CBinaryStream stream;
    CFastInfosetWriter writer(&CSerializationContext::GetDefaultContext().GetFIContext(), &stream);
    writer.WriteStartDocument();
    writer.WriteFIHeader(FInfoDecl_None);
    NxConvert::WriteDocumentTree(document, writer, NxConvert::TextLayout::KeepAll);
    writer.WriteFITrailer();
    writer.WriteEndDocument();
    CBinaryData const octets = stream.GetData();
    return std::string(reinterpret_cast<char const *>(octets.GetData()), octets.GetLength());
}

CSmartPtr<CPurchaseOrderType> ReadOrderStream(std::string const & bytes)
{
    CSmartPtr<CPurchaseOrderType> order(new CPurchaseOrderType);
    order->FromXmlStream(reinterpret_cast<unsigned char const *>(bytes.data()),
                         static_cast<std::uint32_t>(bytes.size()));
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

// Objects are read while the text is parsed, and the passed items are given back; what goes
// wrong late in a long order is reported as if the whole text had been parsed first.
TEST(PurchaseOrder, FaultsLateInALongOrderAreFoundAsInTheWholeText)
{
    std::string const original = ReadFileBytes(Generate("--items 3000 --seed 5"));
    // The text with the count-th occurrence of `from`, counted from the end, replaced.
    auto const edited = [&](std::string const & from, int count, std::string const & replacement) {
        std::string xml = original;
        std::size_t at = std::string::npos;
        for (int i = 0; i < count; ++i)
            at = xml.rfind(from, at == std::string::npos ? at : at - 1);
        return xml.replace(at, from.size(), replacement);
    };
    std::string const zeroQuantity = edited("<quantity>", 100, "<quantity>0</quantity><quantity>");
    EXPECT_EQ("Failed to set the property value.\nPath: /purchaseOrder/items/item[2901]/quantity[1]\n"
              "Invalid Value for quantity [0]",
              Failure([&] { ReadOrder(zeroQuantity); }));
    // The text ends too early: that wins over the item, as it does when the text is parsed first.
    std::string const cut = zeroQuantity.substr(0, zeroQuantity.rfind("</purchaseOrder>"));
    EXPECT_EQ("no element found at line 21236", Failure([&] { ReadOrder(cut); }));
    // Compressed text is inflated into a block that stays while the order is read, or read again.
    EXPECT_EQ(original, Written(*ReadOrderStream(NxXmlTest::Compress(original, 31))));
    EXPECT_EQ("Failed to set the property value.\nPath: /purchaseOrder/items/item[2901]/quantity[1]\n"
              "Invalid Value for quantity [0]",
              Failure([&] { ReadOrderStream(NxXmlTest::Compress(zeroQuantity, 15)); }));
    EXPECT_EQ("no element found at line 21236", Failure([&] { ReadOrderStream(NxXmlTest::Compress(cut, 31)); }));
    // Compressed text cut short, or larger than allowed, is parsed as it is inflated: a fault in
    // its start is reported as when it is loaded.
    std::string const badStart = std::string(original).insert(original.find("<customer>"), "<<bad/>");
    std::string const shortStream = NxXmlTest::Compress(badStart, 15).substr(0, 20000);
    EXPECT_EQ("not well-formed (invalid token) at line 3", Failure([&] { ReadOrderStream(shortStream); }));
    CSerializationContext small;
    small.SetMaxInflatedSize(100000);
    EXPECT_EQ("not well-formed (invalid token) at line 3",
              Failure([&] {
                  std::string const packed = NxXmlTest::Compress(badStart, 31);
                  CSmartPtr<CPurchaseOrderType> order(new CPurchaseOrderType);
                  order->FromXmlStream(reinterpret_cast<unsigned char const *>(packed.data()),
                                       static_cast<std::uint32_t>(packed.size()), small);
              }));
    // So does an element nested too deep, even after the item.
    std::string deep;
    for (int i = 0; i < 2100; ++i)
        deep += "<n>";
    for (int i = 0; i < 2100; ++i)
        deep += "</n>";
    EXPECT_EQ("The document nests elements 2101 levels deep; objects are read from at most 2000 levels.",
              Failure([&] { ReadOrder(edited("<notes>", 1, deep + "<notes>")); }));
    EXPECT_EQ("The document nests elements 2102 levels deep; objects are read from at most 2000 levels.",
              Failure([&] { ReadOrder(edited("</items>", 1, deep + "</items>")); }));
    // A CDATA section near the end leaves the common form: the items read so far are read again.
    std::string const lateCData = edited("<notes>", 1, "<notes><![CDATA[<b>&</b>]]>");
    CSmartPtr<CPurchaseOrderType> const order = ReadOrder(lateCData);
    EXPECT_EQ(Written(*order), Written(*ReadOrderStream(NxXmlTest::Compress(lateCData, 31))));
    CSmartPtr<CPurchaseOrderType> const plain = ReadOrder(original);
    EXPECT_EQ("<b>&</b>" + plain->GetNotes(), order->GetNotes());
    order->SetNotes(plain->GetNotes());
    EXPECT_EQ(Written(*plain), Written(*order));
    EXPECT_EQ(original, Written(*plain));
}

// Fast Infoset is read on demand as XML text is: faults late in a long order come out as they
// do when the whole document is read first.
TEST(PurchaseOrder, FaultsLateInALongFastInfosetOrderAreFoundAsInTheWholeDocument)
{
    std::string const original = ReadFileBytes(Generate("--items 3000 --seed 6"));
    std::string const octets = AsFastInfoset(original);
    ASSERT_EQ(original, Written(*ReadOrderStream(octets)));
    std::string const zeroQuantity =
        AsFastInfoset(std::string(original).replace(original.rfind("<quantity>"), 10, "<quantity>0</quantity><quantity>"));
    std::string const quantityMessage = "Failed to set the property value.\nPath: /purchaseOrder/items/item[3000]/quantity[1]\n"
                                        "Invalid Value for quantity [0]";
    EXPECT_EQ(quantityMessage, Failure([&] { ReadOrderStream(zeroQuantity); }));
    // Compressed, it is read from the inflated block, which stays while the order is read again.
    EXPECT_EQ(original, Written(*ReadOrderStream(NxXmlTest::Compress(octets, 31))));
    EXPECT_EQ(quantityMessage, Failure([&] { ReadOrderStream(NxXmlTest::Compress(zeroQuantity, 31)); }));
    // Octets cut short, or a bad octet, win over the item.
    EXPECT_EQ("Failed to parse FastInfoset. Unexpected End of File.",
              Failure([&] { ReadOrderStream(zeroQuantity.substr(0, zeroQuantity.size() - 3)); }));
    std::string badOctet = zeroQuantity;
    badOctet[badOctet.size() - 3] = '\xE8';
    EXPECT_EQ(Failure([&] {
                  CXmlDocument document;
                  document.LoadXmlStream(reinterpret_cast<unsigned char const *>(badOctet.data()), badOctet.size());
              }),
              Failure([&] { ReadOrderStream(badOctet); }));
    // A fault met while a step reads on to the end of an item: each step reads one start tag,
    // then the rest of the item it opened.
    std::string brokenText = octets;
    std::size_t const descriptionEnd = original.rfind("</description>");
    std::size_t const descriptionStart = original.rfind('>', descriptionEnd - 1) + 1;
    std::string const description = original.substr(descriptionStart, descriptionEnd - descriptionStart);
    ASSERT_GT(description.size(), 2u);
    brokenText[brokenText.find(description) + 1] = '\x01';
    std::pair<std::size_t, std::size_t> const steps = SetDemandReadingSteps(1, 1000);
    EXPECT_EQ("Failed to parse FastInfoset. A character string is not UTF-8 text that XML can hold.",
              Failure([&] { ReadOrderStream(brokenText); }));
    SetDemandReadingSteps(steps.first, steps.second);
    // So does an element nested too deep after the items.
    std::string deep;
    for (int i = 0; i < 2100; ++i)
        deep += "<n>";
    for (int i = 0; i < 2100; ++i)
        deep += "</n>";
    std::string const deepItems =
        AsFastInfoset(std::string(original).replace(original.rfind("</items>"), 8, deep + "</items>"));
    EXPECT_EQ("The document nests elements 2102 levels deep; objects are read from at most 2000 levels.",
              Failure([&] { ReadOrderStream(deepItems); }));
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
