#include "PrimitiveRestrictions.h"

#include "CharEncoding.h"
#include "Conversions.h"
#include "NxException.h"
#include "Variant.h"
#include "XsdRegex.h"
#include "frame/Messages.h"

#define PCRE2_CODE_UNIT_WIDTH 8
#include <pcre2.h>

#include <limits>
#include <memory>
#include <mutex>
#include <new>
#include <shared_mutex>
#include <unordered_map>

namespace NxXmlLib16
{

// One XSD pattern, translated and compiled, or the message of why it does not compile.
struct CCompiledPattern
{
    pcre2_code * code = nullptr;
    std::uint32_t pairs = 1; // ovector pairs a match needs: the captures and the whole match
    std::string error;

    CCompiledPattern() = default;
    CCompiledPattern(CCompiledPattern const &) = delete;
    CCompiledPattern & operator=(CCompiledPattern const &) = delete;
    ~CCompiledPattern() { pcre2_code_free(code); }
};

namespace
{

std::string TextOrEmpty(char const * text) { return text != nullptr ? text : ""; }

// The message of a pattern that does not compile, naming it anchored as it is matched.
std::string PatternError(std::string const & pattern, char const * reason)
{
    return FormatString(Msg::InvalidRegularExpression, ("^(" + pattern + ")$").c_str(), reason);
}

// Compiled patterns by their UTF-8 text, for the life of the process.
class CPatternCache
{
public:
    static constexpr std::size_t MaxCachedPatterns = 4096;

    static CPatternCache & Instance()
    {
        static CPatternCache cache;
        return cache;
    }

    // The compiled form of the pattern, compiled on first use.
    std::shared_ptr<CCompiledPattern const> Get(std::string const & pattern)
    {
        {
            std::shared_lock<std::shared_mutex> const reading(m_mutex);
            auto const found = m_patterns.find(pattern);
            if (found != m_patterns.end())
                return found->second;
        }
        auto compiled = std::make_shared<CCompiledPattern>();
        std::string expression;
        std::string reason;
        if (!CXsdRegex::Translate(pattern, expression, reason))
            compiled->error = PatternError(pattern, reason.c_str());
        else
            Compile(expression, pattern, *compiled);
        std::unique_lock<std::shared_mutex> const writing(m_mutex);
        // Schemas bring a few hundred patterns at most; a caller with endless new ones starts
        // the cache afresh rather than growing it without end (patterns in use stay alive).
        if (m_patterns.size() >= MaxCachedPatterns)
            m_patterns.clear();
        return m_patterns.emplace(pattern, std::move(compiled)).first->second;
    }

private:
    // Compiles the translated expression (plain ASCII) into the slot, or sets its error.
    static void Compile(std::string const & expression, std::string const & pattern, CCompiledPattern & compiled)
    {
        int errorCode = 0;
        PCRE2_SIZE errorOffset = 0;
        compiled.code = pcre2_compile(reinterpret_cast<PCRE2_SPTR>(expression.c_str()), expression.size(),
                                      PCRE2_UTF | PCRE2_UCP | PCRE2_ANCHORED, &errorCode, &errorOffset, nullptr);
        if (compiled.code == nullptr)
        {
            PCRE2_UCHAR message[256];
            pcre2_get_error_message(errorCode, message, sizeof message);
            compiled.error = PatternError(pattern, reinterpret_cast<char const *>(message));
            return;
        }
        pcre2_jit_compile(compiled.code, PCRE2_JIT_COMPLETE); // without JIT, matching interprets
        std::uint32_t captures = 0;
        pcre2_pattern_info(compiled.code, PCRE2_INFO_CAPTURECOUNT, &captures);
        compiled.pairs = captures + 1;
    }

    std::shared_mutex m_mutex;
    std::unordered_map<std::string, std::shared_ptr<CCompiledPattern const>> m_patterns;
};

// What matching needs on one thread, made once and reused by every match: match data sized for the
// largest pattern run so far, and a JIT stack for values that backtrack deeply.
struct CMatchState
{
    pcre2_match_data * data = nullptr;
    std::uint32_t pairs = 0;
    pcre2_jit_stack * stack = nullptr;
    pcre2_match_context * context = nullptr;

    ~CMatchState()
    {
        pcre2_match_data_free(data);
        pcre2_match_context_free(context);
        pcre2_jit_stack_free(stack);
    }
};

constexpr PCRE2_SIZE JitStackStart = 32 * 1024;
constexpr PCRE2_SIZE JitStackLimit = 8 * 1024 * 1024; // reserved, and used as deep backtracking needs it

// This thread's match state, with match data for at least the given ovector pairs.
CMatchState & MatchState(std::uint32_t pairs)
{
    thread_local CMatchState state;
    if (state.context == nullptr)
    {
        state.stack = pcre2_jit_stack_create(JitStackStart, JitStackLimit, nullptr);
        state.context = pcre2_match_context_create(nullptr);
        if (state.stack == nullptr || state.context == nullptr)
            throw std::bad_alloc();
        pcre2_jit_stack_assign(state.context, nullptr, state.stack);
    }
    if (state.pairs < pairs)
    {
        pcre2_match_data * const data = pcre2_match_data_create(pairs, nullptr);
        if (data == nullptr)
            throw std::bad_alloc();
        pcre2_match_data_free(state.data);
        state.data = data;
        state.pairs = pairs;
    }
    return state;
}

// Whether the whole UTF-8 subject matches the compiled pattern; throws when it did not compile.
bool MatchCompiled(CCompiledPattern const & compiled, std::string const & subject)
{
    if (compiled.code == nullptr)
        throw CNxException(compiled.error);
    CMatchState & state = MatchState(compiled.pairs);
    auto const match = [&](std::uint32_t options)
    {
        return pcre2_match(compiled.code, reinterpret_cast<PCRE2_SPTR>(subject.data()), subject.size(), 0, options,
                           state.data, state.context);
    };
    int result = match(0);
    if (result == PCRE2_ERROR_JIT_STACKLIMIT) // values beyond the JIT stack go to the interpreter's heap frames
        result = match(PCRE2_NO_JIT);
    // A match stopped by the matcher's limits is no answer: it is not reported as a mismatch.
    if (result == PCRE2_ERROR_MATCHLIMIT || result == PCRE2_ERROR_DEPTHLIMIT || result == PCRE2_ERROR_HEAPLIMIT ||
        result == PCRE2_ERROR_NOMEMORY || result == PCRE2_ERROR_JIT_STACKLIMIT)
        throw CNxException(FormatString(Msg::PatternMatchLimit, result));
    return result >= 1;
}

// The value of a plain integer literal ([+-]?digits, at most 18 digits); false for other text.
bool ReadPlainInteger(std::string const & text, std::int64_t & value)
{
    std::size_t at = text.size() > 0 && (text[0] == '-' || text[0] == '+') ? 1 : 0;
    if (at == text.size() || text.size() - at > 18)
        return false;
    std::int64_t magnitude = 0;
    for (; at < text.size(); ++at)
    {
        if (text[at] < '0' || text[at] > '9')
            return false;
        magnitude = magnitude * 10 + (text[at] - '0');
    }
    value = text[0] == '-' ? -magnitude : magnitude;
    return true;
}

// The integer range of the inclusive bounds when each one set is a plain integer and no
// exclusive bound is set (those keep to the type's own parser, which also checks their range).
CIntegerBounds ReadIntegerBounds(std::string const & minInclusive, std::string const & maxInclusive,
                                 std::string const & minExclusive, std::string const & maxExclusive)
{
    CIntegerBounds bounds;
    bounds.hasLow = !minInclusive.empty();
    bounds.hasHigh = !maxInclusive.empty();
    bounds.plain = minExclusive.empty() && maxExclusive.empty() &&
                   (!bounds.hasLow || ReadPlainInteger(minInclusive, bounds.low)) &&
                   (!bounds.hasHigh || ReadPlainInteger(maxInclusive, bounds.high));
    return bounds;
}

// ---- Checks ------------------------------------------------------------------------------

using WS = CWhitespaceUtils;

[[noreturn]] void FailText(char const * name, std::string const & value)
{
    throw CNxException(FormatString(Msg::InvalidValueText, name, value.c_str()));
}

// The four bound facets with a comparison that answers -1, 0, 1, or 2 for "indeterminate".
template <class T, class Parse, class Compare>
bool BoundsHold(CPrimitiveRestrictions const & r, T const & value, Parse parse, Compare compare)
{
    if (!r.GetMinInclusive().empty())
    {
        int const order = compare(value, parse(r.GetMinInclusive()));
        if (order == -1)
            return false;
    }
    if (!r.GetMaxInclusive().empty())
    {
        int const order = compare(value, parse(r.GetMaxInclusive()));
        if (order == 1)
            return false;
    }
    if (!r.GetMinExclusive().empty())
    {
        int const order = compare(value, parse(r.GetMinExclusive()));
        if (order == -1 || order == 0)
            return false;
    }
    if (!r.GetMaxExclusive().empty())
    {
        int const order = compare(value, parse(r.GetMaxExclusive()));
        if (order == 1 || order == 0)
            return false;
    }
    return true;
}

template <class T>
int Order(T const & a, T const & b)
{
    return a < b ? -1 : b < a ? 1 : 0;
}

int DateOrder(CDateTime::DTCompareResult result)
{
    switch (result)
    {
    case CDateTime::dtcr_Equal: return 0;
    case CDateTime::dtcr_LessThan: return -1;
    case CDateTime::dtcr_GreaterThan: return 1;
    default: return 2; // indeterminate never fails a facet
    }
}

bool TotalDigitsHold(CPrimitiveRestrictions const & r, std::string const & written)
{
    return r.GetTotalDigits() < 0 || written.size() <= static_cast<std::size_t>(r.GetTotalDigits()); // "-" counts
}

bool LengthsHold(CPrimitiveRestrictions const & r, std::size_t length)
{
    return (r.GetMinLength() < 0 || length >= static_cast<std::size_t>(r.GetMinLength())) &&
           (r.GetMaxLength() < 0 || length <= static_cast<std::size_t>(r.GetMaxLength())) &&
           (r.GetLength() < 0 || length == static_cast<std::size_t>(r.GetLength()));
}

// 8-, 16- and 32-bit integers and the year, month and day types.
template <class T, class Parse>
void CheckSmallInteger(char const * name, T value, CPrimitiveRestrictions const & r, Parse parse, bool digits)
{
    // Bounds read once as integers serve while they lie in the type's range; others go through the
    // type's parser, which reports them.
    CIntegerBounds const & bounds = r.GetIntegerBounds();
    std::int64_t const v = static_cast<std::int64_t>(value);
    bool const inRange = bounds.plain &&
                         (!bounds.hasLow || bounds.low >= static_cast<std::int64_t>(std::numeric_limits<T>::min())) &&
                         (!bounds.hasHigh || bounds.high <= static_cast<std::int64_t>(std::numeric_limits<T>::max()));
    bool const boundsHold = inRange ? (!bounds.hasLow || bounds.low <= v) && (!bounds.hasHigh || v <= bounds.high)
                                    : BoundsHold(r, value, parse, &Order<T>);
    bool const holds = boundsHold && (!digits || r.GetTotalDigits() < 0 || TotalDigitsHold(r, std::to_string(value)));
    if (!holds)
    {
        if (std::is_signed<T>::value)
            throw CNxException(FormatString(Msg::InvalidValueSigned, name, static_cast<int>(value)));
        throw CNxException(FormatString(Msg::InvalidValueUnsigned, name, static_cast<unsigned>(value)));
    }
}

// The number of characters of local text, as XSD length facets count them.
std::size_t CharacterCount(std::string const & value)
{
    if (!IsLocalTextUtf8())
    {
        std::string utf8;
        AppendLocalAsUtf8(value.data(), value.size(), utf8);
        return CharacterCount(utf8);
    }
    std::size_t count = 0;
    for (char const c : value)
        count += (static_cast<unsigned char>(c) & 0xC0) != 0x80; // continuation bytes do not start characters
    return count;
}

void CheckString(char const * name, std::string const & value, CPrimitiveRestrictions const & r)
{
    bool const hasLengths = r.GetMinLength() >= 0 || r.GetMaxLength() >= 0 || r.GetLength() >= 0;
    if (hasLengths && !LengthsHold(r, CharacterCount(value)))
        FailText(name, value);
    if (r.GetPattern().empty())
        return;
    bool matches = false;
    try
    {
        matches = r.MatchesPattern(value);
    }
    catch (CNxException const & e)
    {
        throw CNxException(
            FormatString(Msg::InvalidValueAfterPatternError, e.GetFullMessage().c_str(), name, value.c_str()));
    }
    if (!matches)
        FailText(name, value);
}

} // namespace

CPrimitiveRestrictions::CPrimitiveRestrictions(char const * pattern, std::int32_t minLength, std::int32_t maxLength,
                                               char const * minInclusive, char const * maxInclusive,
                                               char const * minExclusive, char const * maxExclusive,
                                               std::int32_t length, std::int32_t totalDigits,
                                               std::int32_t fractionDigits)
    : m_pattern(TextOrEmpty(pattern)), m_minLength(minLength), m_maxLength(maxLength),
      m_minInclusive(TextOrEmpty(minInclusive)), m_maxInclusive(TextOrEmpty(maxInclusive)),
      m_minExclusive(TextOrEmpty(minExclusive)), m_maxExclusive(TextOrEmpty(maxExclusive)), m_length(length),
      m_totalDigits(totalDigits), m_fractionDigits(fractionDigits),
      m_integerBounds(ReadIntegerBounds(m_minInclusive, m_maxInclusive, m_minExclusive, m_maxExclusive))
{
    if (!m_pattern.empty() && IsLocalTextUtf8())
        m_compiledPattern = CPatternCache::Instance().Get(m_pattern);
}

bool CPrimitiveRestrictions::MatchesPattern(std::string const & value) const
{
    if (m_pattern.empty())
        return true;
    if (m_compiledPattern != nullptr && IsLocalTextUtf8())
        return MatchCompiled(*m_compiledPattern, value);
    return CFacetValidator::MatchPattern(m_pattern, value);
}

bool CPrimitiveRestrictions::IsEmpty() const
{
    return m_pattern.empty() && m_minLength < 0 && m_maxLength < 0 && m_minInclusive.empty() &&
           m_maxInclusive.empty() && m_minExclusive.empty() && m_maxExclusive.empty() && m_length < 0 &&
           m_totalDigits < 0 && m_fractionDigits < 0;
}

bool CFacetValidator::NeedsValidation(ItemType type, CPrimitiveRestrictions const & restrictions)
{
    switch (type)
    {
    case ItemType_hexBinary:
    case ItemType_base64Binary:
    case ItemType_i1:
    case ItemType_i2:
    case ItemType_i4:
    case ItemType_i8:
    case ItemType_ui1:
    case ItemType_ui2:
    case ItemType_ui4:
    case ItemType_ui8:
    case ItemType_r4:
    case ItemType_r8:
    case ItemType_duration:
    case ItemType_yearMonth:
    case ItemType_monthDay:
    case ItemType_year:
    case ItemType_month:
    case ItemType_day:
    case ItemType_date:
    case ItemType_datetime:
    case ItemType_time:
    case ItemType_string:
    case ItemType_boolean:
    case ItemType_decimal:
    case ItemType_integer: return !restrictions.IsEmpty();
    default: return true;
    }
}

bool CFacetValidator::MatchPattern(std::string const & pattern, std::string const & value)
{
    bool const utf8 = IsLocalTextUtf8();
    std::string patternUtf8;
    std::string valueUtf8;
    if (!utf8)
    {
        AppendLocalAsUtf8(pattern.data(), pattern.size(), patternUtf8);
        AppendLocalAsUtf8(value.data(), value.size(), valueUtf8);
    }
    std::shared_ptr<CCompiledPattern const> const compiled =
        CPatternCache::Instance().Get(utf8 ? pattern : patternUtf8);
    return MatchCompiled(*compiled, utf8 ? value : valueUtf8);
}

int CFacetValidator::CountIntegerDigits(CDecimal const & value) { return value.GetIntegerDigitCount(); }

int CFacetValidator::CountFractionDigits(CDecimal const & value) { return value.GetFractionDigitCount(); }

void CFacetValidator::ValidateString(char const * name, std::string const & value, ItemType type,
                                     CPrimitiveRestrictions const & r)
{
    if (type == ItemType_string)
    {
        CheckString(name, value, r);
        return;
    }
    // Text for another type is read as that type first.
    NxVariant typed;
    typed.FromString(value, type, WS::WhitespaceRule_Collapse);
    ValidateValue(name, typed, type, r);
}

void CFacetValidator::ValidateValue(char const * name, NxVariant const & value, ItemType type,
                                    CPrimitiveRestrictions const & r)
{
    using C = CConversions;
    WS::WhitespaceRule const collapse = WS::WhitespaceRule_Collapse;
    switch (type)
    {
    case ItemType_hexBinary:
    case ItemType_base64Binary:
    {
        CBinaryData const data = value.GetHexBinary();
        if (!LengthsHold(r, data.GetLength()))
            FailText(name, type == ItemType_hexBinary ? data.GetAsHexString() : data.GetAsBase64());
        return;
    }
    case ItemType_i1:
        return CheckSmallInteger(
            name, static_cast<signed char>(value.GetI1()), r,
            [](std::string const & t)
            { return static_cast<signed char>(C::i1FromString(t, WS::WhitespaceRule_Collapse)); },
            true);
    case ItemType_i2:
        return CheckSmallInteger(
            name, value.GetI2(), r,
            [](std::string const & t) { return C::i2FromString(t, WS::WhitespaceRule_Collapse); }, true);
    case ItemType_i4:
        return CheckSmallInteger(
            name, value.GetI4(), r,
            [](std::string const & t) { return C::i4FromString(t, WS::WhitespaceRule_Collapse); }, true);
    case ItemType_ui1:
        return CheckSmallInteger(
            name, value.GetUI1(), r,
            [](std::string const & t) { return C::ui1FromString(t, WS::WhitespaceRule_Collapse); }, true);
    case ItemType_ui2:
        return CheckSmallInteger(
            name, value.GetUI2(), r,
            [](std::string const & t) { return C::ui2FromString(t, WS::WhitespaceRule_Collapse); }, true);
    case ItemType_ui4:
        return CheckSmallInteger(
            name, value.GetUI4(), r,
            [](std::string const & t) { return C::ui4FromString(t, WS::WhitespaceRule_Collapse); }, true);
    case ItemType_year:
        return CheckSmallInteger(
            name, value.GetYear(), r,
            [](std::string const & t) { return C::yearFromString(t, WS::WhitespaceRule_Collapse); }, false);
    case ItemType_month:
        return CheckSmallInteger(
            name, value.GetMonth(), r,
            [](std::string const & t) { return C::monthFromString(t, WS::WhitespaceRule_Collapse); }, false);
    case ItemType_day:
        return CheckSmallInteger(
            name, value.GetDay(), r,
            [](std::string const & t) { return C::dayFromString(t, WS::WhitespaceRule_Collapse); }, false);
    case ItemType_i8:
    {
        std::int64_t const v = value.GetI8();
        if (!BoundsHold(
                r, v, [&](std::string const & t) { return C::i8FromString(t, collapse); }, &Order<std::int64_t>) ||
            !TotalDigitsHold(r, C::i8ToString(v)))
            FailText(name, C::i8ToString(v));
        return;
    }
    case ItemType_ui8:
    {
        std::uint64_t const v = value.GetUI8();
        if (!BoundsHold(
                r, v, [&](std::string const & t) { return C::ui8FromString(t, collapse); }, &Order<std::uint64_t>) ||
            !TotalDigitsHold(r, C::ui8ToString(v)))
            FailText(name, C::ui8ToString(v));
        return;
    }
    case ItemType_r4:
    case ItemType_r8:
    {
        double const v = type == ItemType_r4 ? static_cast<double>(value.GetR4()) : value.GetR8();
        if (!BoundsHold(
                r, v, [&](std::string const & t) { return C::r8FromString(t, collapse); }, &Order<double>))
            throw CNxException(FormatString(Msg::InvalidValueFloating, name, v));
        return;
    }
    case ItemType_duration:
    {
        CDateTimeSpan const v = value.GetDuration();
        auto const compare = [](CDateTimeSpan const & a, CDateTimeSpan const & b) { return DateOrder(a.CompareTo(b)); };
        if (!BoundsHold(
                r, v, [&](std::string const & t) { return C::durationFromString(t, collapse); }, compare))
            FailText(name, C::durationToString(v));
        return;
    }
    case ItemType_date:
    case ItemType_datetime:
    case ItemType_time:
    case ItemType_yearMonth:
    case ItemType_monthDay:
    {
        CDateTime const v = value.GetDate();
        auto const parse = [type](std::string const & t)
        {
            switch (type)
            {
            case ItemType_date: return C::dateFromString(t, collapse);
            case ItemType_datetime: return C::datetimeFromString(t, collapse);
            case ItemType_time: return C::timeFromString(t, collapse);
            case ItemType_yearMonth: return C::yearMonthFromString(t, collapse);
            default: return C::monthDayFromString(t, collapse);
            }
        };
        auto const compare = [](CDateTime const & a, CDateTime const & b) { return DateOrder(a.CompareTo(b)); };
        if (!BoundsHold(r, v, parse, compare))
            FailText(name, C::dateToString(v));
        return;
    }
    case ItemType_string: return CheckString(name, value.GetStringRef(), r);
    case ItemType_decimal:
    {
        CDecimal const & v = value.GetDecimalRef();
        auto const compare = [](CDecimal const & a, CDecimal const & b) { return Order(a, b); };
        bool holds = BoundsHold(
            r, v, [&](std::string const & t) { return C::decimalFromString(t, collapse); }, compare);
        if (holds && (r.GetTotalDigits() >= 0 || r.GetFractionDigits() >= 0))
        {
            int const fraction = CountFractionDigits(v);
            int const total = CountIntegerDigits(v) + fraction;
            holds = (r.GetTotalDigits() < 0 || total <= r.GetTotalDigits()) &&
                    (r.GetFractionDigits() < 0 || fraction <= r.GetFractionDigits());
        }
        if (!holds)
            FailText(name, v.ToString());
        return;
    }
    case ItemType_integer:
    {
        CBigInteger const & v = value.GetIntegerRef();
        auto const compare = [](CBigInteger const & a, CBigInteger const & b) { return Order(a, b); };
        if (!BoundsHold(
                r, v, [&](std::string const & t) { return C::integerFromString(t, collapse); }, compare) ||
            !TotalDigitsHold(r, v.ToString()))
            FailText(name, v.ToString());
        return;
    }
    case ItemType_boolean: return;
    default: throw CNxInvalidValueException(FormatString(Msg::UnknownType, value.GetType().c_str()));
    }
}

} // namespace NxXmlLib16
