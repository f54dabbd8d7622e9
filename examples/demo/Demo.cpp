// The library's main job, end to end: bind a purchase order, read it, check it, change it and
// write it back.
//
//   NxXmlDemo [order.xml[.gz]] [-o result.xml]
//
// Without a file the sample order shipped with the examples is read.
#include "PurchaseOrder.h"

#include <cstdio>
#include <cstring>
#include <string>

using namespace NxXmlLib16;
using namespace PurchaseOrder;

namespace
{

// The sum of quantity x unit price over the items.
CDecimal RecomputedTotal(CPurchaseOrderType const & order)
{
    CDecimal total;
    for (CItemType & item : *order.GetItems()->GetItem())
        total += CDecimal(item.GetQuantity()) * item.GetUnitPrice();
    return total;
}

void PrintSummary(CPurchaseOrderType const & order)
{
    CSmartPtr<CCustomerType> const customer = order.GetCustomer();
    std::fprintf(stderr, "order %d for %s (%s, %s)\n", order.GetId(), customer->GetName().c_str(),
                 customer->GetAddress()->GetCity().c_str(), customer->GetAddress()->GetCountry().c_str());
    std::fprintf(stderr, "items: %d, paid by %s\n", order.GetItems()->GetItem()->GetCount(),
                 order.GetPayment()->GetChoiceSelectedElement().c_str());
    std::fprintf(stderr, "declared total: %s, recomputed total: %s\n", order.GetTotal().ToString(2).c_str(),
                 RecomputedTotal(order).ToString(2).c_str());
}

} // namespace

int main(int argc, char ** argv)
{
    std::string input = NXXML_SAMPLE_ORDER;
    std::string output;
    for (int i = 1; i < argc; ++i)
    {
        if (std::strcmp(argv[i], "-o") == 0 && i + 1 < argc)
            output = argv[++i];
        else
            input = argv[i];
    }

    int status = 0;
    try
    {
        // Read: files may be gzip- or zlib-compressed; the library finds out.
        CSmartPtr<CPurchaseOrderType> order(new CPurchaseOrderType);
        order->FromXmlFile(input.c_str());
        PrintSummary(*order);

        // Change: one more line, and a total that adds up.
        CSmartPtr<CItemType> item(new CItemType);
        item->SetSku("NXL-00016");
        item->SetDescription("Data binding handbook & reference card");
        item->SetQuantity(2);
        item->SetUnitPrice(CDecimal("24.90"));
        item->GetTag()->Add("bestseller");
        order->GetItems()->GetItem()->Add(item);
        order->SetTotal(RecomputedTotal(*order));

        // A setter refuses what the schema forbids, naming the member and the value.
        try
        {
            item->SetSku("not a sku");
        }
        catch (CNxException const & e)
        {
            std::fprintf(stderr, "refused as the schema says: %s\n", e.GetMessage().c_str());
        }

        // Write: pretty-printed, in the document's own namespace, without prefixes.
        CSerializationContext context;
        context.SetDefaultNamespaceURI(TargetNamespace);
        context.SetIndentChars("  ");
        NoBanner();
        if (output.empty())
        {
            CBinaryData const bytes = order->ToXmlStream(true, true, XmlEncoding_UTF8, EOLType_LF, context);
            std::fwrite(bytes.GetData(), 1, bytes.GetLength(), stdout);
        }
        else
        {
            order->ToXmlFile(output.c_str(), true, true, XmlEncoding_UTF8, EOLType_LF, context);
            std::fprintf(stderr, "written to %s\n", output.c_str());
        }
    }
    catch (CNxException const & e)
    {
        // Reading errors name the problem and where in the document it is.
        std::fprintf(stderr, "%s\n", e.GetFullMessage().c_str());
        status = 1;
    }
    CleanAllMetaData();
    return status;
}
