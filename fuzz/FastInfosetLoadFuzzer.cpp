// Loads bytes as a document, seeded with Fast Infoset: a document that loads is written as Fast
// Infoset and loads again to the same tree. (Fast Infoset may hold names and characters that
// XML text cannot, so the tree is not written as XML text.)
#include "FuzzSupport.h"

using namespace NxXmlLib16;

extern "C" int LLVMFuzzerTestOneInput(std::uint8_t const * data, std::size_t size)
{
    CXmlDocument document;
    if (!NxFuzz::Accepts([&] { document.LoadXmlStream(data, size); }))
        return 0;
    NxFuzz::CheckFastInfosetRoundTrip(document, NxFuzz::Canonical(document));
    return 0;
}
