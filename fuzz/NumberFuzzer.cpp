// Parses text as CDecimal and as CBigInteger: a value that parses prints, and the printed text
// parses to an equal value that prints the same.
#include "FuzzSupport.h"

using namespace NxXmlLib16;

namespace
{

// Parses with the class's text constructor.
template <class Number>
void ParseNumber(Number & value, char const * text)
{
    value = Number(text);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(std::uint8_t const * data, std::size_t size)
{
    std::string const text(reinterpret_cast<char const *>(data), size);
    NxFuzz::CheckPrintedValue<CDecimal>("CDecimal printed and parsed again", text, ParseNumber<CDecimal>);
    NxFuzz::CheckPrintedValue<CBigInteger>("CBigInteger printed and parsed again", text, ParseNumber<CBigInteger>);
    return 0;
}
