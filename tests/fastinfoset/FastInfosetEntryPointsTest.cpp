// ToFastInfosetStream and ToFastInfosetFile on a bindable object: octets, compression and files.
#include "FastInfosetTestSupport.h"
#include "SmartPtr.h"
#include "TestObjects.h"

#include <cstdio>
#include <sys/stat.h>

namespace
{

using namespace NxXmlLib16;
using NxXmlTest::Bytes;
using NxXmlTest::ExpectThrows;
using NxXmlTest::HexOctets;
using NxXmlTest::Inflate;

// <order xmlns="urn:t" id="7"><item>a & b</item><item>c<d</item><note>café</note></order>
std::string const Order = "E0 00 00 01 00 78 CD 04 75 72 6E 3A 74 F0 3D 81 04 6F 72 64 65 72 78 01 69 64 40 37 F0 "
                          "3D 81 03 69 74 65 6D 92 02 61 20 26 20 62 F0 01 92 00 63 3C 64 F0 "
                          "3D 81 03 6E 6F 74 65 92 02 63 61 66 C3 A9 FF F0";

TEST(FastInfosetEntryPoints, StreamsWithDeclarationsOptionsAndCompression)
{
    CSmartPtr<NxXmlTest::COrderProbe> const order(new NxXmlTest::COrderProbe);
    CSerializationContext context;
    EXPECT_EQ(Order, HexOctets(order->ToFastInfosetStream()));
    std::string const declared = Bytes(order->ToFastInfosetStream(FInfoDecl_V10, context, CompressionNone));
    EXPECT_EQ(HexOctets("<?xml version='1.0' encoding='finf'?>") + " " + Order, HexOctets(declared));
    std::string const gzip = Bytes(order->ToFastInfosetStream(FInfoDecl_V10, context, CompressionGZip));
    EXPECT_EQ("\x1F\x8B", gzip.substr(0, 2));
    EXPECT_EQ(declared, Inflate(gzip, 31));
    EXPECT_EQ(declared, Inflate(Bytes(order->ToFastInfosetStream(FInfoDecl_V10, context, CompressionZLib)), 15));
    context.GetFIContext().SetSuggestedValues();
    std::string const octets = HexOctets(order->ToFastInfosetStream(FInfoDecl_None, context, CompressionNone));
    EXPECT_NE(std::string::npos, octets.find("78 01 69 64 70 33 00 00 00 07 F0")) << octets;
}

TEST(FastInfosetEntryPoints, FilesAndFailuresLeavingNoFile)
{
    CSmartPtr<NxXmlTest::COrderProbe> const order(new NxXmlTest::COrderProbe);
    CSerializationContext context;
    std::string const path = NxXmlTest::TempPath("order.finf");
    order->ToFastInfosetFile(path.c_str(), FInfoDecl_V11, context, CompressionGZip);
    EXPECT_EQ(Bytes(order->ToFastInfosetStream(FInfoDecl_V11, context, CompressionNone)),
              Inflate(NxXmlTest::ReadFileBytes(path), 31));
    struct stat status;
    std::remove(path.c_str());
    ExpectThrows<CNxException>([&] { order->ToFastInfosetFile(path.c_str(), FInfoDecl_None, context, CompressionZLib); },
                               "ZLIB Compression only available for To Stream methods.");
    EXPECT_NE(0, stat(path.c_str(), &status));
    context.GetFIContext().SetSuggestedValues();
    order->id = "x";
    ExpectThrows<CNxInvalidValueException>(
        [&] { order->ToFastInfosetFile(path.c_str(), FInfoDecl_None, context, CompressionNone); },
        "The value [x] can not be converted to a i4");
    EXPECT_NE(0, stat(path.c_str(), &status));
}

} // namespace
