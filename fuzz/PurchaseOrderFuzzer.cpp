// Reads bytes into the purchase-order bindings, as XML text or Fast Infoset and as JSON: an order
// that reads is written as XML text, Fast Infoset and JSON, and each reads back to the same order.
#include "FuzzSupport.h"
#include "PurchaseOrder.h"
#include "xml/DemandXmlReader.h"

#include <algorithm>

using namespace NxXmlLib16;
using PurchaseOrder::CPurchaseOrderType;

namespace
{

// Reads the order back from what it wrote, which must succeed, and returns its XML text.
template <class Read>
std::string ReadBack(char const * what, std::string const & expected, Read && read)
{
    CSmartPtr<CPurchaseOrderType> const order(new CPurchaseOrderType);
    try
    {
        read(*order);
    }
    catch (CNxException const & e)
    {
        NxFuzz::Finding(what, e.GetFullMessage(), expected);
    }
    return order->ToXml();
}

// Whether the document element of the written text has a name XML text can hold, judged on
// ASCII names only.
bool HasAsciiXmlName(std::string const & xml)
{
    std::size_t const start = xml.find('<', xml.find("?>"));
    std::size_t const end = xml.find_first_of(" />", start);
    if (start == std::string::npos || end == std::string::npos)
        return false;
    std::string name = xml.substr(start + 1, end - start - 1);
    name.erase(0, name.find(':') + 1); // the prefix the writer chose
    auto const isStart = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; };
    auto const isPart = [&](char c) { return isStart(c) || (c >= '0' && c <= '9') || c == '.' || c == '-'; };
    return !name.empty() && isStart(name[0]) && std::all_of(name.begin() + 1, name.end(), isPart);
}

// Writes a read order in every form and reads each back.
void CheckRoundTrips(CPurchaseOrderType const & order)
{
    std::string const xml = order.ToXml();
    CBinaryData const octets = order.ToFastInfosetStream();
    NxFuzz::ExpectEqual("order written as Fast Infoset and read again", xml,
                        ReadBack("written Fast Infoset does not read", xml,
                                 [&](CPurchaseOrderType & again) { again.FromXmlStream(octets); }));
    // Fast Infoset may name the document element with what is no XML name; XML text, and JSON
    // read through it, cannot hold such an order.
    if (!HasAsciiXmlName(xml))
        return;
    // A string value that starts like a CDATA section is written unescaped, as the caller's own
    // section: text read from elsewhere that looks like one cannot come back from XML text.
    if (xml.find("<![CDATA[") == std::string::npos)
        NxFuzz::ExpectEqual("order written as XML text and read again", xml,
                            ReadBack("written XML text does not read", xml,
                                     [&](CPurchaseOrderType & again) { again.FromXml(xml.c_str()); }));
    std::string const json = order.ToJson();
    NxFuzz::ExpectEqual("order written as JSON and read again", xml,
                        ReadBack("written JSON does not read", json,
                                 [&](CPurchaseOrderType & again) { again.FromJson(json.c_str()); }));
}

// What reading the bytes gives: the order as XML text, or the message of the failure.
template <class Read>
std::string Outcome(Read && read)
{
    CSmartPtr<CPurchaseOrderType> const order(new CPurchaseOrderType);
    try
    {
        read(*order);
    }
    catch (CNxException const & e)
    {
        return "failed: " + e.GetFullMessage();
    }
    return order->ToXml();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    NoBanner();
    // Text is read on demand in the smallest steps, so that every passed element that can be
    // given back is.
    SetDemandReadingSteps(1, 2);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(std::uint8_t const * data, std::size_t size)
{
    std::uint32_t const length = static_cast<std::uint32_t>(size);
    CSmartPtr<CPurchaseOrderType> const fromXml(new CPurchaseOrderType);
    if (NxFuzz::Accepts([&] { fromXml->FromXmlStream(data, length); }))
        CheckRoundTrips(*fromXml);
    // Objects read while the text is parsed are the ones read from the whole document.
    NxFuzz::ExpectEqual("order read on demand and from the whole document",
                        Outcome([&](CPurchaseOrderType & order) { order.FromXmlStream(data, length); }),
                        Outcome([&](CPurchaseOrderType & order) {
                            CXmlDocument document;
                            document.LoadXmlStream(data, length);
                            order.FromXmlElement(document.GetDocumentElement());
                        }));
    CSmartPtr<CPurchaseOrderType> const fromJson(new CPurchaseOrderType);
    if (NxFuzz::Accepts([&] { fromJson->FromJsonStream(data, length); }))
        CheckRoundTrips(*fromJson);
    return 0;
}
