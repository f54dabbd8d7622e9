// CPrimitiveRestrictions and CFacetValidator: the facets of a simple type, and checking values against them.
#pragma once

#include "Decimal.h"
#include "ItemType.h"

#include <cstdint>
#include <memory>
#include <string>

namespace NxXmlLib16
{

struct NxVariant;
struct CCompiledPattern;

// The inclusive integer range that the bounds of a restriction allow, when each bound set is a
// plain integer literal.
struct CIntegerBounds
{
    bool plain = false; // every bound set is a plain integer (or none is set)
    bool hasLow = false;
    bool hasHigh = false;
    std::int64_t low = 0;
    std::int64_t high = 0;
};

// The facets of one simple type; bounds are kept in the type's lexical form.
class CPrimitiveRestrictions
{
public:
    // No facet set.
    CPrimitiveRestrictions() = default;
    // A null or empty text, and -1 for a number, mean "not set".
    CPrimitiveRestrictions(char const * pattern, std::int32_t minLength, std::int32_t maxLength,
                           char const * minInclusive, char const * maxInclusive, char const * minExclusive,
                           char const * maxExclusive, std::int32_t length, std::int32_t totalDigits,
                           std::int32_t fractionDigits);
    CPrimitiveRestrictions(CPrimitiveRestrictions const &) = default;
    CPrimitiveRestrictions & operator=(CPrimitiveRestrictions const &) = default;
    virtual ~CPrimitiveRestrictions() = default;

    std::string const & GetPattern() const { return m_pattern; }
    std::int32_t GetMinLength() const { return m_minLength; }
    std::int32_t GetMaxLength() const { return m_maxLength; }
    std::string const & GetMinInclusive() const { return m_minInclusive; }
    std::string const & GetMaxInclusive() const { return m_maxInclusive; }
    std::string const & GetMinExclusive() const { return m_minExclusive; }
    std::string const & GetMaxExclusive() const { return m_maxExclusive; }
    std::int32_t GetLength() const { return m_length; }
    std::int32_t GetTotalDigits() const { return m_totalDigits; }
    std::int32_t GetFractionDigits() const { return m_fractionDigits; }
    // Whether no facet is set, so that checking can be skipped.
    bool IsEmpty() const;
    // The bounds read once as integers, for the integer types' checks.
    CIntegerBounds const & GetIntegerBounds() const { return m_integerBounds; }
    // Whether the whole value matches the pattern facet (true when none is set); throws when the
    // pattern does not compile.
    bool MatchesPattern(std::string const & value) const;

private:
    std::string m_pattern;
    std::int32_t m_minLength = -1;
    std::int32_t m_maxLength = -1;
    std::string m_minInclusive;
    std::string m_maxInclusive;
    std::string m_minExclusive;
    std::string m_maxExclusive;
    std::int32_t m_length = -1;
    std::int32_t m_totalDigits = -1;
    std::int32_t m_fractionDigits = -1;
    CIntegerBounds m_integerBounds;
    std::shared_ptr<CCompiledPattern const> m_compiledPattern; // set when the pattern is UTF-8 text
};

// Checks values against facets; patterns are compiled once per process and shared by threads.
class CFacetValidator
{
public:
    // Whether a value of the type must go through ValidateValue: it has facets to meet, or its
    // type has no checker (which fails whatever the facets).
    static bool NeedsValidation(ItemType type, CPrimitiveRestrictions const & restrictions);
    // Returns when the value (read as `type`) meets every facet; throws on the first that fails,
    // naming the element or attribute.
    static void ValidateValue(char const * name, NxVariant const & value, ItemType type,
                              CPrimitiveRestrictions const & restrictions);
    // The same for text: a string type checks it as it stands, another type reads it first.
    static void ValidateString(char const * name, std::string const & value, ItemType type,
                               CPrimitiveRestrictions const & restrictions);
    // Whether the whole value matches the XSD pattern; throws when the pattern does not compile.
    static bool MatchPattern(std::string const & pattern, std::string const & value);
    // Digits of the integer part (0 for a zero integer part).
    static int CountIntegerDigits(CDecimal const & value);
    // Digits of the fraction without trailing zeros (0 for a zero fraction).
    static int CountFractionDigits(CDecimal const & value);
};

} // namespace NxXmlLib16
