// Converts bytes as JSON to XML text: that text must load; the document is written as JSON and
// as XML text, and each loads again to the same tree.
#include "FuzzSupport.h"

using namespace NxXmlLib16;

namespace
{

// Loads JSON through its conversion to XML text; XML that the conversion made must load.
std::string LoadJson(CXmlDocument & document, unsigned char const * data, std::size_t size)
{
    CXmlDocument converter;
    CBinaryData const xml = converter.LoadJsonStream(data, static_cast<std::uint32_t>(size));
    try
    {
        document.LoadXmlStream(xml.GetData(), xml.GetLength());
    }
    catch (CNxException const & e)
    {
        // Expat refuses namespace URIs that hold '|', the separator the reader gives it.
        if (std::string_view(reinterpret_cast<char const *>(xml.GetData()), xml.GetLength()).find('|') !=
            std::string_view::npos)
            throw;
        NxFuzz::Finding("XML converted from JSON does not load", e.GetFullMessage(),
                        std::string(reinterpret_cast<char const *>(xml.GetData()), xml.GetLength()));
    }
    return NxFuzz::Canonical(document);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(std::uint8_t const * data, std::size_t size)
{
    CXmlDocument document;
    std::string canonical;
    if (!NxFuzz::Accepts([&] { canonical = LoadJson(document, data, size); }))
        return 0;
    std::string const json = NxFuzz::WriteJson(document, JsonRoundTrip_Full);
    CXmlDocument again;
    std::string reloaded;
    if (!NxFuzz::Accepts(
            [&] { reloaded = LoadJson(again, reinterpret_cast<unsigned char const *>(json.data()), json.size()); }))
        NxFuzz::Finding("written JSON does not load", canonical, json);
    NxFuzz::ExpectEqual("JSON written and loaded again", NxFuzz::AsXmlTextKeepsIt(canonical),
                        NxFuzz::AsXmlTextKeepsIt(reloaded));
    NxFuzz::CheckXmlTextRoundTrip(document, canonical);
    return 0;
}
