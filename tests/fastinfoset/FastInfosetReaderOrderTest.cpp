// Purchase orders written as Fast Infoset read back into orders that write the same XML text.
#include "FastInfosetTestSupport.h"
#include "examples/PurchaseOrderSupport.h"

#include <cstdlib>

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

// An order of the generator, read from its XML text.
CSmartPtr<CPurchaseOrderType> GeneratedOrder(std::string const & arguments)
{
    std::string const path = NxXmlTest::TempPath("fi-order.xml");
    EXPECT_EQ(0, std::system(("'" NXXML_PO_GENERATOR "' " + arguments + " > '" + path + "'").c_str()));
    CSmartPtr<CPurchaseOrderType> order(new CPurchaseOrderType);
    order->FromXmlFile(path.c_str());
    EXPECT_EQ(NxXmlTest::ReadFileBytes(path), Written(*order)) << arguments;
    return order;
}

TEST(FastInfosetOrders, EveryDeclarationOptionSetAndCompression)
{
    std::vector<std::pair<std::string, CSerializationContext>> const sets = NxXmlTest::OptionSets(
        NxXmlTest::DocumentStyle(), TargetNamespace, {"purchaseOrder", "items", "item", "sku", "quantity", "unitPrice"});
    CSmartPtr<CPurchaseOrderType> order(new CPurchaseOrderType);
    order->FromXmlFile((std::string(NXXML_TEST_DATA_DIR) + "/po/order-seed12.xml").c_str());
    for (auto const & [name, context] : sets)
        for (int declaration = FInfoDecl_None; declaration <= FInfoDecl_V11NotStandalone; ++declaration)
            for (CompressionType compression : {CompressionNone, CompressionGZip, CompressionZLib})
                ExpectRoundTrip(*order, static_cast<FInfoDecl>(declaration), context, compression, name);
    for (char const * seed : {"1", "40"})
    {
        order = GeneratedOrder(std::string("--items 80 --seed ") + seed);
        for (auto const & [name, context] : sets)
            ExpectRoundTrip(*order, FInfoDecl_V10, context, CompressionGZip, name + ", seed " + seed);
    }
}

TEST(FastInfosetOrders, BoundaryOrders)
{
    // Boundary values include dates with a positive time-zone offset, which the date alphabet of
    // the suggested options cannot carry: these orders go with the default options.
    for (int seed = 0; seed < 5; ++seed)
    {
        std::string const run = "--boundaries --items 10 --seed " + std::to_string(seed);
        ExpectRoundTrip(*GeneratedOrder(run), FInfoDecl_None, NxXmlTest::DocumentStyle(), CompressionNone, run);
    }
}

} // namespace
