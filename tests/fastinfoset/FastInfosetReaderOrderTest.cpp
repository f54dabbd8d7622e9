// Purchase orders written as Fast Infoset read back into orders that write the same XML text.
#include "FastInfosetTestSupport.h"
#include "examples/PurchaseOrderSupport.h"

using namespace NxXmlLib16;
using namespace PurchaseOrder;
using NxXmlTest::Written;

namespace
{

// Writes the order as Fast Infoset with the declaration, options and compression, and reads it back.
void ExpectRoundTrip(CPurchaseOrderType const & order, FInfoDecl declaration, CSerializationContext const & context,
                     CompressionType compression, std::string const & what)
{
    SCOPED_TRACE(what + ", declaration " + std::to_string(declaration) + ", compression " + std::to_string(compression));
    try
    {
        CSmartPtr<CPurchaseOrderType> const back(new CPurchaseOrderType);
        back->FromXmlStream(order.ToFastInfosetStream(declaration, context, compression), context);
        EXPECT_EQ(Written(order), Written(*back));
    }
    catch (CNxException const & e)
    {
        ADD_FAILURE() << e.GetFullMessage();
    }
}

TEST(FastInfosetOrders, EveryDeclarationOptionSetAndCompression)
{
    std::vector<std::pair<std::string, CSerializationContext>> const sets = NxXmlTest::OptionSets(
        NxXmlTest::DocumentStyle(), TargetNamespace, {"purchaseOrder", "items", "item", "sku", "quantity", "unitPrice"});
    CSmartPtr<CPurchaseOrderType> const order(new CPurchaseOrderType);
    order->FromXmlFile((std::string(NXXML_TEST_DATA_DIR) + "/po/order-seed12.xml").c_str());
    for (auto const & [name, context] : sets)
        for (int declaration = FInfoDecl_None; declaration <= FInfoDecl_V11NotStandalone; ++declaration)
            for (CompressionType compression : {CompressionNone, CompressionGZip, CompressionZLib})
                ExpectRoundTrip(*order, static_cast<FInfoDecl>(declaration), context, compression, name);
}

} // namespace
