// ToFastInfosetStream and ToFastInfosetFile on a bindable object: octets, compression and files.
#include "FastInfosetTestSupport.h"
#include "SmartPtr.h"
#include "TestObjects.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <sys/stat.h>

namespace
{

using namespace NxXmlLib16;
using NxXmlTest::COrderProbe;
using NxXmlTest::ExpectThrows;
using NxXmlTest::HexOctets;
using NxXmlTest::HexOf;
using NxXmlTest::InflateAll;
using NxXmlTest::ReadFileBytes;
using NxXmlTest::TempPath;

// <order xmlns="urn:t" id="7"><item>a & b</item><item>c<d</item><note>café</note></order>
std::string const Order = "E0 00 00 01 00 78 CD 04 75 72 6E 3A 74 F0 3D 81 04 6F 72 64 65 72 78 01 69 64 40 37 F0 "
                          "3D 81 03 69 74 65 6D 92 02 61 20 26 20 62 F0 01 92 00 63 3C 64 F0 "
                          "3D 81 03 6E 6F 74 65 92 02 63 61 66 C3 A9 FF F0";

bool FileExists(std::string const & path)
{
    struct stat status;
    return stat(path.c_str(), &status) == 0;
}

class FastInfosetEntryPoints : public testing::Test
{
protected:
    CSmartPtr<COrderProbe> order{new COrderProbe};
    CSerializationContext context;
};

TEST_F(FastInfosetEntryPoints, StreamWithAndWithoutDeclaration)
{
    EXPECT_EQ(Order, HexOctets(order->ToFastInfosetStream(FInfoDecl_None, context, CompressionNone)));
    EXPECT_EQ(HexOf("<?xml version='1.0' encoding='finf'?>") + " " + Order,
              HexOctets(order->ToFastInfosetStream(FInfoDecl_V10, context, CompressionNone)));
    EXPECT_EQ(Order, HexOctets(order->ToFastInfosetStream()));
}

TEST_F(FastInfosetEntryPoints, SuggestedValuesEncodeTheIntAttribute)
{
    context.GetFIContext().SetSuggestedValues();
    std::string const octets = HexOctets(order->ToFastInfosetStream(FInfoDecl_None, context, CompressionNone));
    EXPECT_NE(std::string::npos, octets.find("78 01 69 64 70 33 00 00 00 07 F0")) << octets;
}

TEST_F(FastInfosetEntryPoints, CompressedStreams)
{
    CBinaryData const plain = order->ToFastInfosetStream(FInfoDecl_None, context, CompressionNone);
    std::string const expected(reinterpret_cast<char const *>(plain.GetData()), plain.GetLength());
    CBinaryData const gzip = order->ToFastInfosetStream(FInfoDecl_None, context, CompressionGZip);
    ASSERT_GE(gzip.GetLength(), 2u);
    EXPECT_EQ(0x1F, gzip[0]);
    EXPECT_EQ(0x8B, gzip[1]);
    EXPECT_EQ(expected, InflateAll(gzip, 31));
    EXPECT_EQ(expected, InflateAll(order->ToFastInfosetStream(FInfoDecl_None, context, CompressionZLib), 15));
}

TEST_F(FastInfosetEntryPoints, Files)
{
    CBinaryData const plain = order->ToFastInfosetStream(FInfoDecl_V11, context, CompressionNone);
    std::string const expected(reinterpret_cast<char const *>(plain.GetData()), plain.GetLength());
    std::string const path = TempPath("order.finf");
    order->ToFastInfosetFile(path.c_str(), FInfoDecl_V11, context, CompressionNone);
    EXPECT_EQ(expected, ReadFileBytes(path));
    order->ToFastInfosetFile(path.c_str(), FInfoDecl_V11, context, CompressionGZip);
    std::string const packed = ReadFileBytes(path);
    EXPECT_EQ(expected, InflateAll(CBinaryData(reinterpret_cast<unsigned char const *>(packed.data()),
                                               static_cast<std::uint32_t>(packed.size())),
                                   31));
}

TEST_F(FastInfosetEntryPoints, ZlibFilesAndBadValuesLeaveNoFile)
{
    std::string const path = TempPath("refused.finf");
    std::remove(path.c_str());
    ExpectThrows<CNxException>([&] { order->ToFastInfosetFile(path.c_str(), FInfoDecl_None, context, CompressionZLib); },
                               "ZLIB Compression only available for To Stream methods.");
    EXPECT_FALSE(FileExists(path));
    context.GetFIContext().SetSuggestedValues();
    order->id = "x";
    ExpectThrows<CNxInvalidValueException>(
        [&] { order->ToFastInfosetFile(path.c_str(), FInfoDecl_None, context, CompressionNone); },
        "The value [x] can not be converted to a i4");
    EXPECT_FALSE(FileExists(path));
}

} // namespace
