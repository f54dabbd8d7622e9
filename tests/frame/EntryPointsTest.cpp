#include "TestObjects.h"
#include "TestSupport.h"

#include "ClassfactoryBase.h"
#include "SmartPtr.h"

#include <cerrno>
#include <cstdio>
#include <fstream>
#include <random>
#include <sys/stat.h>

using namespace NxXmlLib16;
using NxXmlTest::COrderProbe;
using NxXmlTest::Bytes;
using NxXmlTest::ExpectThrows;
using NxXmlTest::Inflate;
using NxXmlTest::Utf16;
using NxXmlTest::ReadFileBytes;
using NxXmlTest::TempPath;

namespace
{

bool FileExists(std::string const & path)
{
    struct stat status;
    return stat(path.c_str(), &status) == 0;
}

std::string const Compact =
    "<order xmlns=\"urn:t\" id=\"7\"><item>a &amp; b</item><item>c&lt;d</item><note>caf\xC3\xA9</note></order>";
std::string const Pretty = "<order xmlns=\"urn:t\" id=\"7\">\n\t<item>a &amp; b</item>\n\t<item>c&lt;d</item>\n"
                           "\t<note>caf\xC3\xA9</note>\n</order>\n";
std::string const ReadBack = "{urn:t}order id=7 item=a & b item=c<d note=caf\xC3\xA9";

class EntryPoints : public testing::Test
{
protected:
    void SetUp() override { NoBanner(); }
    void TearDown() override { AsyncToXmlFile(false); }

    CSmartPtr<COrderProbe> order{new COrderProbe};
    CSmartPtr<COrderProbe> reader{new COrderProbe};
};

} // namespace

TEST_F(EntryPoints, ToXmlHeaderPrettyPrintAndLineEnds)
{
    EXPECT_EQ(Compact, order->ToXml(false, false, EOLType_LF));
    EXPECT_EQ("<?xml version=\"1.0\"?>\n" + Compact, order->ToXml(true, false, EOLType_LF));
    EXPECT_EQ(Pretty, order->ToXml(false, true, EOLType_LF));
    std::string crlf = "<?xml version=\"1.0\"?>\r\n" + Pretty;
    for (std::size_t at = crlf.find("\n", 24); at != std::string::npos; at = crlf.find("\n", at + 2))
        crlf.replace(at, 1, "\r\n");
    EXPECT_EQ(crlf, order->ToXml(true, true, EOLType_CRLF));

    CSerializationContext context;
    context.SetIndentChars("  ");
    std::string const twoSpaces = "<order xmlns=\"urn:t\" id=\"7\">\n  <item>a &amp; b</item>\n";
    EXPECT_EQ(twoSpaces, order->ToXml(false, true, EOLType_LF, context).substr(0, twoSpaces.size()));
}

TEST_F(EntryPoints, ToXmlStreamEncodings)
{
    EXPECT_EQ("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n" + Compact,
              Bytes(order->ToXmlStream(true, false, XmlEncoding_UTF8, EOLType_LF)));
    order->note = "note";
    std::string const ascii = "<order xmlns=\"urn:t\" id=\"7\"><item>a &amp; b</item><item>c&lt;d</item><note>note</note></order>";
    EXPECT_EQ(Utf16("<?xml version=\"1.0\" encoding=\"UTF-16\"?>\n" + ascii),
              Bytes(order->ToXmlStream(true, false, XmlEncoding_UTF16, EOLType_LF)));
    EXPECT_EQ(Utf16("<?xml version=\"1.0\"?>\n" + ascii),
              Bytes(order->ToXmlStream(true, false, XmlEncoding_UTF16_NoDecl, EOLType_LF)));
    ExpectThrows<CNxException>([&] { order->ToXmlStream(true, false, static_cast<XmlEncoding>(0)); },
                               "Unknown Encoding, select UTF-8 (contact our support team)");
}

TEST_F(EntryPoints, CompressedStreams)
{
    std::string const gzip = Bytes(order->ToXmlStream(true, true, XmlEncoding_UTF8, EOLType_LF,
                                                      CSerializationContext::GetDefaultContext(), CompressionGZip));
    ASSERT_GE(gzip.size(), 2u);
    EXPECT_EQ("\x1F\x8B", gzip.substr(0, 2));
    std::string const plain = Bytes(order->ToXmlStream(true, true, XmlEncoding_UTF8, EOLType_LF));
    EXPECT_EQ(plain, Inflate(gzip, 31));
    std::string const zlib = Bytes(order->ToXmlStream(true, true, XmlEncoding_UTF8, EOLType_LF,
                                                      CSerializationContext::GetDefaultContext(), CompressionZLib));
    EXPECT_EQ(plain, Inflate(zlib, 15));

    reader->FromXmlStream(CBinaryData(reinterpret_cast<unsigned char const *>(gzip.data()),
                                      static_cast<std::uint32_t>(gzip.size())));
    EXPECT_EQ(ReadBack, reader->read);
    reader->FromXmlStream(reinterpret_cast<unsigned char const *>(zlib.data()), static_cast<std::uint32_t>(zlib.size()));
    EXPECT_EQ(ReadBack, reader->read);
}

TEST_F(EntryPoints, IncompressibleDataStillCompresses)
{
    std::mt19937 random(3);
    std::string noise;
    for (int i = 0; i < 200000; ++i)
        noise += static_cast<char>('!' + random() % 90);
    order->items.assign(1, noise);
    CBinaryData const packed = order->ToXmlStream(false, false, XmlEncoding_UTF8, EOLType_LF,
                                                  CSerializationContext::GetDefaultContext(), CompressionGZip);
    reader->FromXmlStream(packed);
    EXPECT_NE(std::string::npos, reader->read.find("item=" + noise + " note="));
}

TEST_F(EntryPoints, FilesAreTheSameWithAndWithoutStreaming)
{
    for (XmlEncoding const encoding : {XmlEncoding_UTF8, XmlEncoding_UTF16, XmlEncoding_UTF16_NoDecl})
    {
        std::string const inMemory = TempPath("memory.xml");
        std::string const streamed = TempPath("streamed.xml");
        order->items.assign(3000, "item text that makes the file longer than one piece");
        order->ToXmlFile(inMemory.c_str(), true, true, encoding, EOLType_CRLF);
        AsyncToXmlFile(true);
        order->ToXmlFile(streamed.c_str(), true, true, encoding, EOLType_CRLF);
        AsyncToXmlFile(false);
        std::string const bytes = ReadFileBytes(inMemory);
        EXPECT_GT(bytes.size(), 100000u);
        EXPECT_EQ(bytes, ReadFileBytes(streamed));
        if (encoding != XmlEncoding_UTF8)
            EXPECT_EQ("\xFF\xFE<", bytes.substr(0, 3));
        else
            EXPECT_EQ("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n", bytes.substr(0, 40));

        reader->FromXmlFile(streamed.c_str());
        EXPECT_EQ("{urn:t}order id=7 item=item text", reader->read.substr(0, 32));
    }
}

TEST_F(EntryPoints, GzipFileIsReadableByGzip)
{
    std::string const path = TempPath("order.xml.gz");
    order->ToXmlFile(path.c_str(), true, true, XmlEncoding_UTF8, EOLType_LF, CSerializationContext::GetDefaultContext(),
                     CompressionGZip);
    std::string const expected = Bytes(order->ToXmlStream(true, true, XmlEncoding_UTF8, EOLType_LF));
    FILE * const pipe = popen(("gzip -dc '" + path + "'").c_str(), "r");
    ASSERT_NE(nullptr, pipe);
    std::string unpacked;
    char buffer[4096];
    for (std::size_t count; (count = fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        unpacked.append(buffer, count);
    EXPECT_EQ(0, pclose(pipe));
    EXPECT_EQ(expected, unpacked);

    std::string const utf16 = TempPath("order16.xml.gz");
    order->ToXmlFile(utf16.c_str(), true, false, XmlEncoding_UTF16, EOLType_LF, CSerializationContext::GetDefaultContext(),
                     CompressionGZip);
    for (std::string const & file : {path, utf16})
    {
        reader->FromXmlFile(file.c_str());
        EXPECT_EQ(ReadBack, reader->read);
    }
}

TEST_F(EntryPoints, ZlibFilesAreRefused)
{
    std::string const path = TempPath("refused.xml");
    std::remove(path.c_str());
    ExpectThrows<CNxException>(
        [&] {
            order->ToXmlFile(path.c_str(), true, true, XmlEncoding_UTF8, EOLType_LF,
                             CSerializationContext::GetDefaultContext(), CompressionZLib);
        },
        "ZLIB Compression only available for To Stream methods.");
    EXPECT_FALSE(FileExists(path));
}

TEST_F(EntryPoints, RoundTripsThroughEveryPair)
{
    reader->FromXml(order->ToXml().c_str());
    EXPECT_EQ(ReadBack, reader->read);
    for (XmlEncoding const encoding : {XmlEncoding_UTF16, XmlEncoding_UTF16_NoDecl})
    {
        reader->FromXmlStream(order->ToXmlStream(true, true, encoding));
        EXPECT_EQ(ReadBack, reader->read);
    }
    std::u16string const wide = u"<order xmlns=\"urn:t\" id=\"7\"><item>a &amp; b</item><item>c&lt;d</item>"
                                u"<note>caf\u00e9</note></order>";
    reader->FromXml(reinterpret_cast<unsigned short const *>(wide.c_str()));
    EXPECT_EQ(ReadBack, reader->read);
    reader->read.clear();
    CXmlDocument document; // an element of a loaded document
    document.LoadXml(("<wrapper>" + Compact + "</wrapper>").c_str());
    reader->FromXmlElement(document.GetDocumentElement()->GetFirstElement());
    EXPECT_EQ(ReadBack, reader->read);
}

TEST_F(EntryPoints, BadInputLeavesTheObjectUnread)
{
    ExpectThrows<CNxException>([&] { reader->FromXml(""); }, "XML String is empty!");
    ExpectThrows<CNxException>([&] { reader->FromXmlStream(CBinaryData()); }, "XML Stream is empty!");
    std::string const missing = TempPath("missing.xml");
    ExpectThrows<CNxException>([&] { reader->FromXmlFile(missing.c_str()); },
                               FormatString("Failed to open the file [%s] Error [0x%08x]", missing.c_str(), ENOENT));
    ExpectThrows<CNxException>([&] { reader->FromXml("<order><item></order>"); }, "mismatched tag at line 1");
    EXPECT_EQ(0, reader->reads);
}

namespace
{
// Opens the xsi:type helpers of the factory base to the tests.
struct CFactoryProbe : CClassfactoryBase
{
    using CClassfactoryBase::GetElementType;
    using CClassfactoryBase::GetElementTypeNamespaceUri;
};
} // namespace

TEST(ClassfactoryBase, XsiTypeHelpers)
{
    CXmlDocument document;
    document.LoadXml("<r xmlns=\"urn:own\" xmlns:p=\"urn:d\" xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\">"
                     "<a xsi:type=\"p:Derived\"/><b xsi:type=\"Derived\"/><c/><d xsi:type=\"q:Derived\"/></r>");
    std::string types;
    for (CXmlElement * e = document.GetDocumentElement()->GetFirstElement(); e != nullptr; e = e->GetNextSiblingElement())
        types += "{" + CFactoryProbe::GetElementTypeNamespaceUri(e) + "}" + CFactoryProbe::GetElementType(e) + " ";
    EXPECT_EQ("{urn:d}Derived {urn:own}Derived {urn:own} {urn:own}Derived ", types); // an unknown prefix falls back
}
