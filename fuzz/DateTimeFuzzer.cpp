// Parses text as every CDateTime kind (date and the g kinds, time, dateTime) and as CDateTimeSpan:
// a value that parses prints, and the printed text parses to an equal value that prints the same.
#include "FuzzSupport.h"

using namespace NxXmlLib16;

namespace
{

// Parses with the given member, prints, parses the print and compares.
template <class Value, class Parse>
void CheckValue(char const * what, std::string const & text, Parse parse)
{
    Value value;
    if (!NxFuzz::Accepts([&] { (value.*parse)(text.c_str()); }))
        return;
    std::string const printed = value.ToString();
    Value again;
    if (!NxFuzz::Accepts([&] { (again.*parse)(printed.c_str()); }))
        NxFuzz::Finding(what, text, printed);
    NxFuzz::ExpectEqual(what, printed, again.ToString());
    // Comparing goes through reference dates and may find them out of range: that throws.
    bool equal = true;
    if (NxFuzz::Accepts([&] { equal = again == value; }) && !equal)
        NxFuzz::Finding(what, text, printed);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(std::uint8_t const * data, std::size_t size)
{
    std::string const text(reinterpret_cast<char const *>(data), size);
    CheckValue<CDateTime>("date printed and parsed again", text, &CDateTime::ParseXSDDate);
    CheckValue<CDateTime>("time printed and parsed again", text, &CDateTime::ParseXSDTime);
    CheckValue<CDateTime>("dateTime printed and parsed again", text, &CDateTime::ParseXSDDateTime);
    CheckValue<CDateTimeSpan>("duration printed and parsed again", text, &CDateTimeSpan::ParseXSDDuration);
    return 0;
}
