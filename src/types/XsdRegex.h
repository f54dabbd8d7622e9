// CXsdRegex: XML Schema regular expressions rewritten in PCRE2's dialect.
#pragma once

#include <cstdint>
#include <string>

namespace NxXmlLib16
{

// A run of code points, both ends included.
struct CCodePointRange
{
    std::uint32_t first;
    std::uint32_t last;
};

// A Unicode block under the name that \p{IsName} gives it; a name may own several ranges.
struct CNamedBlock
{
    char const * name;
    std::uint32_t first;
    std::uint32_t last;
};

// Translates XML Schema 1.0 regular expressions for PCRE2 in UTF and UCP modes.
class CXsdRegex
{
public:
    // The PCRE2 expression that matches exactly the values the UTF-8 pattern matches as a whole,
    // to be compiled with PCRE2_UTF | PCRE2_UCP | PCRE2_ANCHORED. Returns false, with the reason,
    // when the pattern is not an XML Schema regular expression.
    static bool Translate(std::string const & pattern, std::string & expression, std::string & reason);
};

} // namespace NxXmlLib16
