// Matches a value against an XSD pattern, both hostile: the input is the pattern, a line feed and
// the value. Neither may crash or hang the matcher; a pattern that does not compile throws.
#include "FuzzSupport.h"

using namespace NxXmlLib16;

extern "C" int LLVMFuzzerTestOneInput(std::uint8_t const * data, std::size_t size)
{
    std::string const input(reinterpret_cast<char const *>(data), size);
    std::size_t const split = input.find('\n');
    std::string const pattern = input.substr(0, split);
    std::string const value = split == std::string::npos ? std::string() : input.substr(split + 1);
    bool matched = false;
    if (!NxFuzz::Accepts([&] { matched = CFacetValidator::MatchPattern(pattern, value); }))
        return 0;
    // The same pattern, now cached, gives the same answer.
    if (CFacetValidator::MatchPattern(pattern, value) != matched)
        NxFuzz::Finding("a cached pattern answers differently", pattern, value);
    return 0;
}
