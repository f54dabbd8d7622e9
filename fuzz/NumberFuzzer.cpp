// Parses text as CDecimal and as CBigInteger: a value that parses prints, and the printed text
// parses to an equal value that prints the same.
#include "FuzzSupport.h"

using namespace NxXmlLib16;

namespace
{

// Parses, prints, parses the print and compares.
template <class Number>
void CheckNumber(char const * what, std::string const & text)
{
    Number value;
    if (!NxFuzz::Accepts([&] { value = Number(text.c_str()); }))
        return;
    std::string const printed = value.ToString();
    Number again;
    if (!NxFuzz::Accepts([&] { again = Number(printed.c_str()); }))
        NxFuzz::Finding(what, text, printed);
    NxFuzz::ExpectEqual(what, printed, again.ToString());
    if (!(again == value))
        NxFuzz::Finding(what, text, printed);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(std::uint8_t const * data, std::size_t size)
{
    std::string const text(reinterpret_cast<char const *>(data), size);
    CheckNumber<CDecimal>("CDecimal printed and parsed again", text);
    CheckNumber<CBigInteger>("CBigInteger printed and parsed again", text);
    return 0;
}
