// Runs without the registration of the other test programs: the handshake starts at version 0.0.
#include "TestObjects.h"
#include "TestSupport.h"

#include "ClassfactoryBase.h"
#include "SmartPtr.h"

using namespace NxXmlLib16;
using NxXmlTest::COrderProbe;
using NxXmlTest::ExpectThrows;

TEST(VersionHandshake, EntryPointsRefuseOtherGeneratorVersionsThenAcceptTheirOwn)
{
    testing::internal::CaptureStderr();
    CSmartPtr<COrderProbe> order(new COrderProbe); // the first construction alerts, and does not throw
    CSmartPtr<COrderProbe> second(new COrderProbe);
    std::string const alerts = testing::internal::GetCapturedStderr();
    char const * const alert = "Version Mismatch Error: Please ensure your generated code is the same version as this "
                               "library (Corvid Runtime: v16.1, Generator: v0.0).\n";
    EXPECT_EQ(alert, alerts) << "one alert, for the first construction only";

    testing::internal::CaptureStderr();
    ExpectThrows<CNxException>([&] { order->ToXml(); }, "Wrong Version (Corvid Runtime: v16.1, Generator: v0.0)");
    ExpectThrows<CNxException>([&] { order->FromXml("<order xmlns=\"urn:t\"/>"); },
                               "Wrong Version (Corvid Runtime: v16.1, Generator: v0.0)");
    EXPECT_EQ(0, order->reads);
    ExpectThrows<CNxException>([&] { order->ToXmlFile("never-written.xml"); },
                               "Wrong Version (Corvid Runtime: v16.1, Generator: v0.0)");
    EXPECT_EQ(std::string(alert) + alert + alert, testing::internal::GetCapturedStderr()) << "an alert before each refusal";

    Register(16, 0, "ACME");
    testing::internal::CaptureStderr();
    ExpectThrows<CNxException>([&] { order->ToXmlStream(); }, "Wrong Version (Corvid Runtime: v16.1, Generator: v16.0)");
    testing::internal::GetCapturedStderr();

    Register(16, 1, "ACME Trading");
    EXPECT_EQ("<!--Created by Corvid XML Data Binding Libraries (https://nxxmllib16.example.org) for ACME Trading-->\n"
              "<order xmlns=\"urn:t\" id=\"7\"><item>a &amp; b</item><item>c&lt;d</item><note>caf\xC3\xA9</note></order>",
              order->ToXml(false, false));
    NoBanner();
    EXPECT_EQ("<order xmlns=\"urn:t\" id=\"7\"><item>a &amp; b</item><item>c&lt;d</item><note>caf\xC3\xA9</note></order>",
              order->ToXml(false, false));
}
