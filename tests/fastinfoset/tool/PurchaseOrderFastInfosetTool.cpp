// Reads a purchase order (XML text or Fast Infoset) into its bindings and writes it back both as
// XML text and as Fast Infoset, for the interoperability check of bound objects.
// Usage: NxPurchaseOrderFastInfosetTool IN OUT_BASE DECLARATION(0-9) default|suggested
//        (writes OUT_BASE.xml and OUT_BASE.finf)
#include "PurchaseOrder.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

int main(int argc, char ** argv)
{
    using namespace NxXmlLib16;
    if (argc != 5)
    {
        std::fprintf(stderr, "usage: %s IN OUT_BASE DECLARATION(0-9) default|suggested\n", argv[0]);
        return 2;
    }
    try
    {
        NoBanner();
        CSerializationContext context;
        context.SetDefaultNamespaceURI(PurchaseOrder::TargetNamespace);
        if (std::strcmp(argv[4], "suggested") == 0)
            context.GetFIContext().SetSuggestedValues();
        CSmartPtr<PurchaseOrder::CPurchaseOrderType> order(new PurchaseOrder::CPurchaseOrderType);
        order->FromXmlFile(argv[1], context);
        std::string const base = argv[2];
        order->ToXmlFile((base + ".xml").c_str(), true, false, XmlEncoding_UTF8, EOLType_LF, context);
        order->ToFastInfosetFile((base + ".finf").c_str(), static_cast<FInfoDecl>(std::atoi(argv[3])), context);
    }
    catch (CNxException const & e)
    {
        std::fprintf(stderr, "%s: %s\n", argv[1], e.GetMessage().c_str());
        return 1;
    }
    return 0;
}
