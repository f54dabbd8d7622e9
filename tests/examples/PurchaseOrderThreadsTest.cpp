// Purchase orders read and written from eight threads at once, each with its own objects: half of
// them with their own context, two sharing the default one and two sharing one that writes JSON
// with attributes only. The classes' metadata is built on first use by whichever thread comes
// first. Built with ThreadSanitizer in CI.
#include "examples/PurchaseOrderSupport.h"
#include "TestSupport.h"

#include <atomic>
#include <string>
#include <thread>
#include <vector>

using namespace NxXmlLib16;
using namespace PurchaseOrder;

namespace
{

constexpr int ThreadCount = 8;
constexpr int Rounds = 12;

// One thread's work: the order read from XML, written in the three forms and read back from
// Fast Infoset and JSON; returns the first difference or failure, empty when there was none, and
// leaves the XML written in text.
std::string ReadAndWrite(std::string const & xml, CSerializationContext const & context, std::string & text)
{
    try
    {
        for (int round = 0; round < Rounds; ++round)
        {
            CSmartPtr<CPurchaseOrderType> order(new CPurchaseOrderType);
            order->FromXml(xml.c_str(), context);
            text = order->ToXml(true, true, EOLType_LF, context);

            CSmartPtr<CPurchaseOrderType> fromFastInfoset(new CPurchaseOrderType);
            fromFastInfoset->FromXmlStream(order->ToFastInfosetStream(FInfoDecl_None, context, CompressionGZip), context);
            if (fromFastInfoset->ToXml(true, true, EOLType_LF, context) != text)
                return "the order read from Fast Infoset differs";

            CSmartPtr<CPurchaseOrderType> fromJson(new CPurchaseOrderType);
            fromJson->FromJson(order->ToJson(true, EOLType_LF, context).c_str(), context);
            if (fromJson->ToXml(true, true, EOLType_LF, context) != text)
                return "the order read from JSON differs";
        }
        return std::string();
    }
    catch (CNxException const & e)
    {
        return e.GetFullMessage();
    }
}

} // namespace

TEST(PurchaseOrderThreads, EightThreadsReadAndWriteEveryFormAtOnce)
{
    NoBanner();
    std::string const xml = NxXmlTest::ReadFileBytes(std::string(NXXML_TEST_DATA_DIR) + "/po/order-seed1.xml");
    std::vector<std::string> failures(ThreadCount);
    std::vector<std::string> texts(ThreadCount);
    CSerializationContext shared;
    shared.GetJsonContext().SetSupportRoundtrip(JsonRoundTrip_Attributes);
    std::atomic<int> waiting{ThreadCount};
    std::vector<std::thread> threads;
    for (int t = 0; t < ThreadCount; ++t)
    {
        threads.emplace_back([&, t] {
            // All start together, so that the first use of the classes happens on several threads.
            waiting.fetch_sub(1);
            while (waiting.load() > 0)
                std::this_thread::yield();
            CSerializationContext const own;
            CSerializationContext const & context =
                t % 2 == 0 ? own : t % 4 == 1 ? CSerializationContext::GetDefaultContext() : shared;
            failures[t] = ReadAndWrite(xml, context, texts[t]);
        });
    }
    for (std::thread & thread : threads)
        thread.join();
    std::string expected;
    EXPECT_EQ("", ReadAndWrite(xml, CSerializationContext::GetDefaultContext(), expected));
    EXPECT_NE(std::string::npos, expected.find("purchaseOrder"));
    for (int t = 0; t < ThreadCount; ++t)
    {
        EXPECT_EQ("", failures[t]) << "thread " << t;
        EXPECT_EQ(expected, texts[t]) << "thread " << t;
    }
}
