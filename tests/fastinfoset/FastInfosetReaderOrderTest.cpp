// Purchase orders written as Fast Infoset read back into orders that write the same XML text.
#include "examples/PurchaseOrderSupport.h"
#include "TestSupport.h"

#include <cstdlib>
#include <fstream>

using namespace NxXmlLib16;
using namespace PurchaseOrder;
using NxXmlTest::DocumentStyle;
using NxXmlTest::Written;

namespace
{

// Writes the order as Fast Infoset with the declaration, options and compression, and reads it back.
void ExpectRoundTrip(CPurchaseOrderType const & order, FInfoDecl declaration, CSerializationContext const & context,
                     CompressionType compression, std::string const & what)
{
    try
    {
        CBinaryData const bytes = order.ToFastInfosetStream(declaration, context, compression);
        CSmartPtr<CPurchaseOrderType> const back(new CPurchaseOrderType);
        back->FromXmlStream(bytes, context);
        EXPECT_EQ(Written(order), Written(*back)) << what << ", declaration " << declaration << ", compression "
                                                  << compression;
    }
    catch (CNxException const & e)
    {
        ADD_FAILURE() << what << ", declaration " << declaration << ", compression " << compression << ": "
                      << e.GetFullMessage();
    }
}

// The default options, the suggested encodings, and a vocabulary of the order's names.
std::vector<std::pair<std::string, CSerializationContext>> OptionSets()
{
    std::vector<std::pair<std::string, CSerializationContext>> sets;
    sets.emplace_back("default", DocumentStyle());
    sets.emplace_back("suggested", DocumentStyle());
    sets.back().second.GetFIContext().SetSuggestedValues();
    sets.emplace_back("vocabulary", DocumentStyle());
    CFastInfosetContext & options = sets.back().second.GetFIContext();
    options.SetSuggestedValues();
    options.SetUseGeneratedVocabulary(true);
    for (char const * name : {"purchaseOrder", "items", "item", "sku", "quantity", "unitPrice"})
        options.GetVocabulary()->AddElement("", TargetNamespace, name);
    return sets;
}

CSmartPtr<CPurchaseOrderType> ReadOrderFile(std::string const & path)
{
    CSmartPtr<CPurchaseOrderType> order(new CPurchaseOrderType);
    order->FromXmlFile(path.c_str());
    return order;
}

TEST(FastInfosetOrders, EveryDeclarationOptionSetAndCompression)
{
    CSmartPtr<CPurchaseOrderType> const order = ReadOrderFile(std::string(NXXML_TEST_DATA_DIR) + "/po/order-seed12.xml");
    for (auto const & [name, context] : OptionSets())
        for (int declaration = FInfoDecl_None; declaration <= FInfoDecl_V11NotStandalone; ++declaration)
            for (CompressionType compression : {CompressionNone, CompressionGZip, CompressionZLib})
                ExpectRoundTrip(*order, static_cast<FInfoDecl>(declaration), context, compression, name);
}

TEST(FastInfosetOrders, GeneratedOrdersOfSeveralSeeds)
{
    for (std::string const run : {"--items 80 --seed 1", "--items 80 --seed 7", "--items 80 --seed 40"})
    {
        std::string const path = NxXmlTest::TempPath("fi-order.xml");
        std::string const command = "'" NXXML_PO_GENERATOR "' " + run + " > '" + path + "'";
        ASSERT_EQ(0, std::system(command.c_str()));
        CSmartPtr<CPurchaseOrderType> const order = ReadOrderFile(path);
        ASSERT_EQ(NxXmlTest::ReadFileBytes(path), Written(*order)) << run;
        for (auto const & [name, context] : OptionSets())
            ExpectRoundTrip(*order, FInfoDecl_V10, context, CompressionGZip, name + ", " + run);
        std::remove(path.c_str());
    }
}

TEST(FastInfosetOrders, BoundaryOrders)
{
    // Boundary values include dates with a positive time-zone offset, which the date alphabet of
    // the suggested options cannot carry: these orders go with the default options.
    for (int seed = 0; seed < 10; ++seed)
    {
        std::string const run = "--boundaries --items 10 --seed " + std::to_string(seed);
        std::string const path = NxXmlTest::TempPath("fi-boundary-order.xml");
        ASSERT_EQ(0, std::system(("'" NXXML_PO_GENERATOR "' " + run + " > '" + path + "'").c_str()));
        CSmartPtr<CPurchaseOrderType> const order = ReadOrderFile(path);
        ExpectRoundTrip(*order, FInfoDecl_None, DocumentStyle(), CompressionNone, run);
        std::remove(path.c_str());
    }
}

} // namespace
