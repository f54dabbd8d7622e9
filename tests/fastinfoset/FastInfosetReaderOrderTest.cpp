// Purchase orders written as Fast Infoset read back into orders that write the same XML text.
#include "FastInfosetTestSupport.h"
#include "examples/PurchaseOrderSupport.h"

using namespace NxXmlLib16;
using namespace PurchaseOrder;

TEST(FastInfosetOrders, EveryDeclarationOptionSetAndCompression)
{
    CSmartPtr<CPurchaseOrderType> const order(new CPurchaseOrderType);
    order->FromXmlFile((std::string(NXXML_TEST_DATA_DIR) + "/po/order-seed12.xml").c_str());
    NxXmlTest::ExpectRoundTripsInEveryWay(*order, NxXmlTest::DocumentStyle(), TargetNamespace,
                                          {"purchaseOrder", "items", "item", "sku", "quantity", "unitPrice"},
                                          NxXmlTest::Written);
}
