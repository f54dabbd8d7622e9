// Loads bytes as XML text (compressed or not): a document that loads is written as XML text and
// as Fast Infoset, and each loads again to the same tree. The quick reader either gives the text
// up or builds the tree that Expat builds alone.
#include "FuzzSupport.h"
#include "xml/QuickReaderDifferential.h"

#include <cstdio>
#include <cstdlib>

using namespace NxXmlLib16;

extern "C" int LLVMFuzzerTestOneInput(std::uint8_t const * data, std::size_t size)
{
    // Fast Infoset has its own target, and may hold text that XML cannot.
    if (size > 0 && data[0] == 0xE0)
        return 0;
    bool quick = false;
    std::string const disagreement =
        NxXmlTest::QuickReaderDisagreement(std::string_view(reinterpret_cast<char const *>(data), size), quick);
    if (!disagreement.empty())
    {
        std::fprintf(stderr, "%s\n", disagreement.c_str());
        std::abort();
    }
    CXmlDocument document;
    if (!NxFuzz::Accepts([&] { document.LoadXmlStream(data, size); }))
        return 0;
    NxFuzz::CheckXmlTextRoundTrip(document);
    NxFuzz::CheckFastInfosetRoundTrip(document, NxFuzz::Canonical(document));
    return 0;
}
