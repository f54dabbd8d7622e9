// Converts bytes as JSON to XML text: that text must load; the document is written as JSON and
// as XML text, and each loads again to the same tree.
#include "FuzzSupport.h"

using namespace NxXmlLib16;

namespace
{

// Loads JSON through its conversion to XML text; XML that the conversion made must load.
void LoadJson(CXmlDocument & document, unsigned char const * data, std::size_t size)
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
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(std::uint8_t const * data, std::size_t size)
{
    CXmlDocument document;
    if (!NxFuzz::Accepts([&] { LoadJson(document, data, size); }))
        return 0;
    std::string const json = NxFuzz::WriteJson(document, JsonRoundTrip_Full);
    CXmlDocument again;
    if (!NxFuzz::Accepts([&] { LoadJson(again, reinterpret_cast<unsigned char const *>(json.data()), json.size()); }))
        NxFuzz::Finding("written JSON does not load", NxFuzz::Canonical(document), json);
    NxFuzz::ExpectEqual("JSON written and loaded again", NxFuzz::CanonicalAsXmlText(document),
                        NxFuzz::CanonicalAsXmlText(again));
    NxFuzz::CheckXmlTextRoundTrip(document);
    return 0;
}
