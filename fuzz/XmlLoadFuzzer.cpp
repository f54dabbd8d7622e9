// Loads bytes as XML text (compressed or not): a document that loads is written as XML text and
// as Fast Infoset, and each loads again to the same tree.
#include "FuzzSupport.h"

using namespace NxXmlLib16;

extern "C" int LLVMFuzzerTestOneInput(std::uint8_t const * data, std::size_t size)
{
    // Fast Infoset has its own target, and may hold text that XML cannot.
    if (size > 0 && data[0] == 0xE0)
        return 0;
    CXmlDocument document;
    if (!NxFuzz::Accepts([&] { document.LoadXmlStream(data, size); }))
        return 0;
    NxFuzz::CheckXmlTextRoundTrip(document);
    NxFuzz::CheckFastInfosetRoundTrip(document, NxFuzz::Canonical(document));
    return 0;
}
