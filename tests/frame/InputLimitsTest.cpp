// Limits that keep hostile input from exhausting memory or the stack: compressed input stops at
// the context's inflation limit, and objects are read from documents of bounded depth.
#include "TestObjects.h"
#include "TestSupport.h"

#include "OpenContent.h"
#include "SmartPtr.h"
#include "XmlDocument.h"

#include <filesystem>
#include <string>

using namespace NxXmlLib16;
using NxXmlTest::COrderProbe;
using NxXmlTest::Compress;
using NxXmlTest::ExpectThrows;
using NxXmlTest::TempPath;
using NxXmlTest::WriteFile;

namespace
{

std::string LimitMessage(std::uint64_t limit)
{
    return "The compressed input inflates to more than " + std::to_string(limit) +
           " bytes, the limit set by SetMaxInflatedSize of the serialization context.";
}

void LoadBytes(CXmlDocument & document, std::string const & bytes)
{
    document.LoadXmlStream(reinterpret_cast<unsigned char const *>(bytes.data()), bytes.size());
}

// A document of many lines, long enough to be inflated in several pieces.
std::string LongDocument(int items)
{
    std::string xml = "<order xmlns=\"urn:t\" id=\"7\">\n";
    for (int i = 0; i < items; ++i)
        xml += "\t<item>line " + std::to_string(i) + "</item>\n";
    return xml + "</order>\n";
}

std::string Nested(std::size_t depth)
{
    std::string xml;
    for (std::size_t i = 0; i < depth; ++i)
        xml += "<a>";
    for (std::size_t i = 0; i < depth; ++i)
        xml += "</a>";
    return xml;
}

std::size_t CountChildren(CXmlElement const * element)
{
    std::size_t count = 0;
    for (CXmlElement * child = element->GetFirstElement(); child != nullptr; child = child->GetNextSiblingElement())
        ++count;
    return count;
}

std::string DepthMessage(std::size_t depth)
{
    return "The document nests elements " + std::to_string(depth) + " levels deep; objects are read from at most 2000 levels.";
}

} // namespace

TEST(InputLimits, XmlStopsJustPastTheLimitInEveryWrapper)
{
    std::string const xml = LongDocument(200);
    for (int windowBits : {31, 15})
    {
        SCOPED_TRACE(windowBits);
        std::string const packed = Compress(xml, windowBits);
        CSerializationContext context;
        context.SetMaxInflatedSize(xml.size());
        std::string const path = TempPath("limited.xml.gz");
        WriteFile(path, packed);
        CXmlDocument exact(context), exactFile(context);
        LoadBytes(exact, packed);
        exactFile.Load(path.c_str());
        EXPECT_EQ(200u, CountChildren(exact.GetDocumentElement()));
        EXPECT_EQ(200u, CountChildren(exactFile.GetDocumentElement()));

        context.SetMaxInflatedSize(xml.size() - 1);
        CXmlDocument over(context);
        ExpectThrows<CNxException>([&] { LoadBytes(over, packed); }, LimitMessage(xml.size() - 1));
        ExpectThrows<CNxException>([&] { over.Load(path.c_str()); }, LimitMessage(xml.size() - 1));
    }
}

TEST(InputLimits, EntryPointsPassTheLimitToFastInfosetAndJson)
{
    CSmartPtr<COrderProbe> order(new COrderProbe);
    CSerializationContext context;
    context.SetMaxInflatedSize(40);
    CBinaryData const fastInfoset = order->ToFastInfosetStream(FInfoDecl_None, context, CompressionGZip);
    CSmartPtr<COrderProbe> reader(new COrderProbe);
    ExpectThrows<CNxException>([&] { reader->FromXmlStream(fastInfoset, context); }, LimitMessage(40));
    reader->FromXmlStream(fastInfoset); // the default limit takes it
    EXPECT_EQ(order->ToXml(), reader->ToXml());

    std::string const json = Compress("{\"order\":{\"item\":\"" + std::string(100, 'x') + "\"}}", 31);
    CXmlDocument document(context);
    ExpectThrows<CNxException>(
        [&] {
            document.LoadJsonStream(reinterpret_cast<unsigned char const *>(json.data()),
                                    static_cast<std::uint32_t>(json.size()));
        },
        LimitMessage(40));
}

TEST(InputLimits, AHugeTextStopsAtTheLimitWithoutHoldingMore)
{
    // The shape of a compression bomb: one element whose text inflates far beyond the input.
    std::string const bomb = Compress("<a>" + std::string(8 << 20, ' ') + "</a>", 31);
    ASSERT_LT(bomb.size() * 100, std::size_t(8) << 20);
    CSerializationContext context;
    context.SetMaxInflatedSize(1 << 20);
    CXmlDocument limited(context);
    ExpectThrows<CNxException>([&] { LoadBytes(limited, bomb); }, LimitMessage(1 << 20));
    CXmlDocument whole;
    LoadBytes(whole, bomb);
    EXPECT_EQ(std::size_t(8) << 20, whole.GetDocumentElement()->GetText().size());
}

TEST(InputLimits, StreamedInflationKeepsLineNumbersAndFallsBackOnBrokenStreams)
{
    // An error far into the text is reported at the line the uncompressed text gives.
    std::string const broken = LongDocument(20000) + "<extra/>";
    CXmlDocument plain;
    std::string expected;
    try
    {
        LoadBytes(plain, broken);
    }
    catch (CNxException const & e)
    {
        expected = e.GetMessage();
    }
    ASSERT_EQ("junk after document element at line 20003", expected);
    CXmlDocument packed;
    ExpectThrows<CNxException>([&] { LoadBytes(packed, Compress(broken, 31)); }, expected);

    // A stream cut after several pieces were parsed: the input is read again as it stands.
    std::string truncated = Compress(LongDocument(20000), 15);
    truncated.resize(truncated.size() * 3 / 4);
    CXmlDocument cut;
    ExpectThrows<CNxException>([&] { LoadBytes(cut, truncated); }, "not well-formed (invalid token) at line 1");
    LoadBytes(cut, Compress(LongDocument(3), 15)); // and the document reads the next input
    EXPECT_EQ(3u, CountChildren(cut.GetDocumentElement()));
}

TEST(InputLimits, FilesReadInChunksMayBeCompressedOrFastInfoset)
{
    CSmartPtr<COrderProbe> order(new COrderProbe);
    std::string const packed = TempPath("chunked.xml.gz");
    std::string const fastInfoset = TempPath("chunked.fi");
    order->ToXmlFile(packed.c_str(), true, true, XmlEncoding_UTF8, EOLType_LF, CSerializationContext::GetDefaultContext(),
                     CompressionGZip);
    order->ToFastInfosetFile(fastInfoset.c_str());
    AsyncFromXmlFile(true);
    CSmartPtr<COrderProbe> fromPacked(new COrderProbe);
    CSmartPtr<COrderProbe> fromFastInfoset(new COrderProbe);
    fromPacked->FromXmlFile(packed.c_str());
    fromFastInfoset->FromXmlFile(fastInfoset.c_str());
    AsyncFromXmlFile(false);
    EXPECT_EQ(order->ToXml(), fromPacked->ToXml());
    EXPECT_EQ(order->ToXml(), fromFastInfoset->ToXml());
}

TEST(InputLimits, ObjectsAreReadFromAtMostTwoThousandLevels)
{
    CSmartPtr<CElement> element(new CElement("a"));
    element->FromXml(Nested(2000).c_str());
    EXPECT_EQ(1, element->GetChildElements()->GetCount());
    ExpectThrows<CNxException>([&] { element->FromXml(Nested(2001).c_str()); }, DepthMessage(2001));

    // The document itself reads any depth, a million levels here, without recursion; the walk
    // into objects refuses it before it starts. Its namespace makes each step of the path look
    // up a prefix.
    constexpr std::size_t Depth = 1000000;
    std::string const deep = "<order xmlns=\"urn:deep\" id=\"1\">" + Nested(Depth) + "</order>";
    CXmlDocument document;
    LoadBytes(document, deep);
    EXPECT_EQ(Depth + 1, document.GetMaxDepth());
    CXmlElement const * innermost = document.GetDocumentElement();
    while (innermost->GetFirstElement() != nullptr)
        innermost = innermost->GetFirstElement();
    EXPECT_EQ(std::string("/order").size() + 2 * Depth, innermost->GetXPath().size()); // "/a" per level
    CSmartPtr<COrderProbe> order(new COrderProbe);
    ExpectThrows<CNxException>([&] { order->FromXml(deep.c_str()); }, DepthMessage(Depth + 1));
    ExpectThrows<CNxException>([&] { order->FromXmlElement(document.GetDocumentElement()); }, DepthMessage(Depth + 1));
}

TEST(InputLimits, LengthsPastThirtyTwoBitsAreRefusedNeverWrapped)
{
    // A sparse file one byte past 4 GiB: refused before anything is read.
    std::string const path = TempPath("huge.xml");
    WriteFile(path, "");
    std::filesystem::resize_file(path, (std::uintmax_t(1) << 32) + 1);
    std::string const message = "Failed to read the contents of the file [" + path + "] Error [0x0000001b]";
    CXmlDocument document;
    ExpectThrows<CNxException>([&] { document.Load(path.c_str()); }, message);
    ExpectThrows<CNxException>([&] { document.LoadJsonFile(path.c_str()); }, message);
    std::filesystem::remove(path);

    CBinaryData data;
    data.Append("x");
    unsigned char const byte = 0;
    ExpectThrows<CNxException>([&] { data.Append(&byte, 0xFFFFFFFFu); },
                               "Failed to append. Binary data is limited to 4294967295 bytes");
    EXPECT_EQ(1u, data.GetLength());
}
