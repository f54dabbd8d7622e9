// Parses text as every CDateTime kind (date and the g kinds, time, dateTime) and as CDateTimeSpan:
// a value that parses prints, and the printed text parses to an equal value that prints the same.
#include "FuzzSupport.h"

using namespace NxXmlLib16;

namespace
{

// The parser of a kind, as a callable that CheckPrintedValue takes.
template <class Value>
auto Parser(void (Value::*parse)(char const *))
{
    return [parse](Value & value, char const * text) { (value.*parse)(text); };
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(std::uint8_t const * data, std::size_t size)
{
    std::string const text(reinterpret_cast<char const *>(data), size);
    NxFuzz::CheckPrintedValue<CDateTime>("date printed and parsed again", text, Parser(&CDateTime::ParseXSDDate));
    NxFuzz::CheckPrintedValue<CDateTime>("time printed and parsed again", text, Parser(&CDateTime::ParseXSDTime));
    NxFuzz::CheckPrintedValue<CDateTime>("dateTime printed and parsed again", text,
                                         Parser(&CDateTime::ParseXSDDateTime));
    NxFuzz::CheckPrintedValue<CDateTimeSpan>("duration printed and parsed again", text,
                                             Parser(&CDateTimeSpan::ParseXSDDuration));
    return 0;
}
