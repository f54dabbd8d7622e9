#include "XsdRegex.h"

#include "XsdRegexTables.h"
#include "frame/Messages.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <iterator>
#include <vector>

namespace NxXmlLib16
{

namespace
{

constexpr std::uint32_t LastCodePoint = 0x10FFFF;
constexpr std::uint32_t FirstSurrogate = 0xD800;
constexpr std::uint32_t LastSurrogate = 0xDFFF;
constexpr std::uint32_t LargestCount = 65535; // the largest count PCRE2 takes in {n,m}
constexpr int DeepestNesting = 200;           // groups and subtractions, within PCRE2's limit of 250

// The general categories that \p{..} names: those of XML Schema 1.0, which leaves out Cs.
constexpr char const * Categories[] = {"C",  "Cc", "Cf", "Cn", "Co", "L",  "Ll", "Lm", "Lo", "Lt", "Lu", "M",
                                       "Mc", "Me", "Mn", "N",  "Nd", "Nl", "No", "P",  "Pc", "Pd", "Pe", "Pf",
                                       "Pi", "Po", "Ps", "S",  "Sc", "Sk", "Sm", "So", "Z",  "Zl", "Zp", "Zs"};

constexpr CCodePointRange SpaceRanges[] = {{0x09, 0x0A}, {0x0D, 0x0D}, {0x20, 0x20}};

// Thrown inside the translator when the pattern leaves the language; Translate reports it.
struct CRegexError
{
    std::string reason;
};

[[noreturn]] void Fail(std::string reason) { throw CRegexError{std::move(reason)}; }

// Characters as code point ranges plus PCRE2 property items ("\p{Lu}", "\P{Nd}").
struct CCharSet
{
    std::vector<CCodePointRange> ranges;
    std::string properties;
};

// What an escape stands for: one character, or a set (whose complement is meant when negated).
struct CEscape
{
    bool single = false;
    std::uint32_t codePoint = 0;
    CCharSet set;
    bool negated = false;
};

// The ranges sorted, joined where they touch, without surrogates (which UTF-8 text cannot hold).
std::vector<CCodePointRange> Normalised(std::vector<CCodePointRange> ranges)
{
    std::sort(ranges.begin(), ranges.end(),
              [](CCodePointRange const & a, CCodePointRange const & b) { return a.first < b.first; });
    std::vector<CCodePointRange> joined;
    for (CCodePointRange const & range : ranges)
    {
        if (!joined.empty() && range.first <= joined.back().last + 1)
            joined.back().last = std::max(joined.back().last, range.last);
        else
            joined.push_back(range);
    }
    std::vector<CCodePointRange> result;
    for (CCodePointRange const & range : joined)
    {
        if (range.first < FirstSurrogate)
            result.push_back({range.first, std::min(range.last, FirstSurrogate - 1)});
        if (range.last > LastSurrogate)
            result.push_back({std::max(range.first, LastSurrogate + 1), range.last});
    }
    return result;
}

// Every character that the ranges leave out.
std::vector<CCodePointRange> Complement(std::vector<CCodePointRange> const & ranges)
{
    std::vector<CCodePointRange> result;
    std::uint32_t next = 0;
    for (CCodePointRange const & range : Normalised(ranges))
    {
        if (range.first > next)
            result.push_back({next, range.first - 1});
        next = range.last + 1;
    }
    if (next <= LastCodePoint)
        result.push_back({next, LastCodePoint});
    return Normalised(std::move(result));
}

// One character as PCRE2's \x{..} escape, which reads the same inside and outside classes.
void AppendCodePoint(std::string & out, std::uint32_t codePoint)
{
    char text[16];
    std::snprintf(text, sizeof text, "\\x{%X}", static_cast<unsigned>(codePoint));
    out += text;
}

// One literal character in PCRE2 syntax: letters and digits as they are, the rest by number.
void AppendLiteral(std::string & out, std::uint32_t codePoint)
{
    bool const plain = (codePoint >= '0' && codePoint <= '9') || (codePoint >= 'A' && codePoint <= 'Z') ||
                       (codePoint >= 'a' && codePoint <= 'z');
    if (plain)
        out += static_cast<char>(codePoint);
    else
        AppendCodePoint(out, codePoint);
}

// A PCRE2 item that matches one character of the set, or of its complement.
std::string SetExpression(CCharSet const & set, bool negated)
{
    std::string body;
    for (CCodePointRange const & range : Normalised(set.ranges))
    {
        AppendCodePoint(body, range.first);
        if (range.last != range.first)
        {
            body += '-';
            AppendCodePoint(body, range.last);
        }
    }
    body += set.properties;
    if (body.empty())
        return negated ? "(?s:.)" : "(?!)"; // PCRE2 has no empty class
    return (negated ? "[^" : "[") + body + "]";
}

template <std::size_t N>
void AppendRanges(std::vector<CCodePointRange> & to, CCodePointRange const (&ranges)[N])
{
    to.insert(to.end(), std::begin(ranges), std::end(ranges));
}

// Whether the byte may start a quantifier.
bool IsQuantifierStart(char c) { return c == '?' || c == '*' || c == '+' || c == '{'; }

// Reads one pattern and writes its PCRE2 form.
class CTranslator
{
public:
    explicit CTranslator(std::string const & pattern) : m_text(pattern) {}

    // The whole pattern, to be matched against the whole value.
    std::string Run()
    {
        ParseRegExp();
        if (!AtEnd()) // only a ')' stops the outermost expression early
            Fail(Msg::UnmatchedClosingParenthesis);
        return "(?:" + m_out + ")\\z";
    }

private:
    bool AtEnd() const { return m_at >= m_text.size(); }
    char Peek() const { return m_text[m_at]; }
    // The byte after the current one, or 0 at the end.
    char PeekNext() const { return m_at + 1 < m_text.size() ? m_text[m_at + 1] : '\0'; }

    // Levels deeper into PCRE2 groups (a subtraction opens two), which the stack and PCRE2 both bound.
    void Enter(int levels)
    {
        m_depth += levels;
        if (m_depth > DeepestNesting)
            Fail(Msg::ParenthesesAreTooDeeplyNested);
    }

    // The UTF-8 character at the reading position; moves past it.
    std::uint32_t NextCodePoint()
    {
        auto const byte = [this](std::size_t at) { return static_cast<unsigned char>(m_text[at]); };
        unsigned char const lead = byte(m_at);
        std::size_t const length = lead < 0x80                    ? 1
                                   : lead >= 0xC2 && lead <= 0xDF ? 2
                                   : lead >= 0xE0 && lead <= 0xEF ? 3
                                   : lead >= 0xF0 && lead <= 0xF4 ? 4
                                                                  : 0;
        if (length == 0 || m_at + length > m_text.size())
            Fail(Msg::InvalidUtf8InPattern);
        std::uint32_t codePoint = length == 1 ? lead : lead & (0x7F >> length);
        for (std::size_t i = 1; i < length; ++i)
        {
            if ((byte(m_at + i) & 0xC0) != 0x80)
                Fail(Msg::InvalidUtf8InPattern);
            codePoint = codePoint << 6 | (byte(m_at + i) & 0x3F);
        }
        std::uint32_t const shortest[] = {0, 0, 0x80, 0x800, 0x10000};
        if (codePoint < shortest[length] || codePoint > LastCodePoint ||
            (codePoint >= FirstSurrogate && codePoint <= LastSurrogate))
            Fail(Msg::InvalidUtf8InPattern);
        m_at += length;
        return codePoint;
    }

    // regExp ::= branch ('|' branch)*
    void ParseRegExp()
    {
        ParseBranch();
        while (!AtEnd() && Peek() == '|')
        {
            ++m_at;
            m_out += '|';
            ParseBranch();
        }
    }

    // branch ::= piece*
    void ParseBranch()
    {
        while (!AtEnd() && Peek() != '|' && Peek() != ')')
            ParsePiece();
    }

    // piece ::= atom quantifier?
    void ParsePiece()
    {
        ParseAtom();
        if (ParseQuantifier() && !AtEnd() && IsQuantifierStart(Peek()))
            Fail(Msg::QuantifierDoesNotFollowRepeatableItem);
    }

    // atom ::= Char | charClass | '(' regExp ')'
    void ParseAtom()
    {
        switch (Peek())
        {
        case '(':
            ++m_at;
            if (!AtEnd() && Peek() == '?')
                Fail(Msg::GroupsWithQuestionMarkNotAllowed);
            Enter(1);
            m_out += "(?:";
            ParseRegExp();
            if (AtEnd())
                Fail(Msg::MissingClosingParenthesis);
            ++m_at;
            m_out += ')';
            m_depth -= 1;
            return;
        case '[': m_out += ParseClassExpression(); return;
        case '.':
            ++m_at;
            m_out += "[^\\x{A}\\x{D}]";
            return;
        case '\\':
        {
            CEscape const escape = ParseEscape();
            if (escape.single)
                AppendLiteral(m_out, escape.codePoint);
            else
                m_out += SetExpression(escape.set, escape.negated);
            return;
        }
        case '?':
        case '*':
        case '+': Fail(Msg::QuantifierDoesNotFollowRepeatableItem);
        case ']': Fail(Msg::UnescapedBracketOutsideClass);
        default: AppendLiteral(m_out, NextCodePoint()); // '{', '}', '^' and '$' included
        }
    }

    // quantifier ::= [?*+] | '{' quantity '}'; false when none follows.
    bool ParseQuantifier()
    {
        if (AtEnd())
            return false;
        char const c = Peek();
        if (c == '?' || c == '*' || c == '+')
        {
            m_out += c;
            ++m_at;
            return true;
        }
        if (c != '{')
            return false;
        ++m_at;
        std::uint32_t low = 0;
        if (!ReadCount(low))
            Fail(Msg::QuantityMustStartWithNumber);
        std::string quantity = "{" + std::to_string(low);
        if (!AtEnd() && Peek() == ',')
        {
            ++m_at;
            quantity += ',';
            std::uint32_t high = 0;
            if (ReadCount(high))
            {
                if (high < low)
                    Fail(Msg::NumbersOutOfOrderInQuantifier);
                quantity += std::to_string(high);
            }
        }
        if (AtEnd() || Peek() != '}')
            Fail(Msg::MissingBraceAfterQuantity);
        ++m_at;
        m_out += quantity + "}";
        return true;
    }

    // QuantExact ::= [0-9]+; false when no digit follows.
    bool ReadCount(std::uint32_t & count)
    {
        std::size_t const start = m_at;
        count = 0;
        for (; !AtEnd() && Peek() >= '0' && Peek() <= '9'; ++m_at)
        {
            count = count * 10 + static_cast<std::uint32_t>(Peek() - '0');
            if (count > LargestCount)
                Fail(Msg::NumberTooBigInQuantifier);
        }
        return m_at > start;
    }

    // An escape, the reading position on its backslash.
    CEscape ParseEscape()
    {
        std::size_t const start = m_at++;
        if (AtEnd())
            Fail(Msg::BackslashAtEnd);
        char const c = Peek();
        CEscape escape;
        switch (c)
        {
        case 'n':
        case 'r':
        case 't':
        case '\\':
        case '|':
        case '.':
        case '?':
        case '*':
        case '+':
        case '(':
        case ')':
        case '{':
        case '}':
        case '-':
        case '[':
        case ']':
        case '^':
            escape.single = true;
            escape.codePoint = c == 'n' ? '\n' : c == 'r' ? '\r' : c == 't' ? '\t' : static_cast<unsigned char>(c);
            break;
        case 's':
        case 'S': AppendRanges(escape.set.ranges, SpaceRanges); break;
        case 'i':
        case 'I': AppendRanges(escape.set.ranges, NameStartRanges); break;
        case 'c':
        case 'C': AppendRanges(escape.set.ranges, NameRanges); break;
        case 'd': escape.set.properties = "\\p{Nd}"; break;
        case 'D': escape.set.properties = "\\P{Nd}"; break;
        case 'w': escape.set.properties = "\\p{L}\\p{M}\\p{N}\\p{S}"; break; // all but P, Z and C
        case 'W': escape.set.properties = "\\p{P}\\p{Z}\\p{C}"; break;
        case 'p':
        case 'P':
            ++m_at;
            ParseProperty(escape, c == 'P');
            return escape;
        default:
            if (c >= '0' && c <= '9')
                Fail(Msg::BackReferencesAreNotAllowed);
            NextCodePoint();
            Fail(Msg::InvalidEscapeOpen + m_text.substr(start, m_at - start));
        }
        ++m_at;
        escape.negated = c == 'S' || c == 'I' || c == 'C';
        return escape;
    }

    // catEsc ::= '\p{' charProp '}', complEsc ::= '\P{' charProp '}'; the position after the 'p'.
    void ParseProperty(CEscape & escape, bool complement)
    {
        std::size_t const close = m_text.find('}', m_at);
        if (AtEnd() || Peek() != '{' || close == std::string::npos)
            Fail(Msg::MalformedPropertyEscape);
        std::string const name = m_text.substr(m_at + 1, close - m_at - 1);
        m_at = close + 1;
        if (name.compare(0, 2, "Is") == 0)
        {
            auto const blocks = std::equal_range(
                std::begin(SchemaBlocks), std::end(SchemaBlocks), CNamedBlock{name.c_str() + 2, 0, 0},
                [](CNamedBlock const & a, CNamedBlock const & b) { return std::strcmp(a.name, b.name) < 0; });
            if (blocks.first == blocks.second)
                Fail(Msg::UnknownBlockNameOpen + name);
            for (auto block = blocks.first; block != blocks.second; ++block)
                escape.set.ranges.push_back({block->first, block->last});
            escape.negated = complement;
            return;
        }
        bool const known = std::any_of(std::begin(Categories), std::end(Categories),
                                       [&](char const * category) { return name == category; });
        if (!known)
            Fail(Msg::UnknownCategoryOpen + name);
        escape.set.properties = (complement ? "\\P{" : "\\p{") + name + "}";
    }

    // charClassExpr ::= '[' charGroup ']', the position on the '['; one character's PCRE2 item.
    std::string ParseClassExpression()
    {
        ++m_at;
        bool const negative = !AtEnd() && Peek() == '^';
        if (negative)
            ++m_at;
        CCharSet set;
        bool any = false; // whether the group has an item yet
        for (;;)
        {
            if (AtEnd())
                Fail(Msg::MissingClassTerminator);
            char const c = Peek();
            if (c == ']')
            {
                if (!any)
                    Fail(Msg::EmptyClass);
                ++m_at;
                return SetExpression(set, negative);
            }
            if (c == '[')
                Fail(Msg::UnescapedBracketInClass);
            if (c == '-')
            {
                if (PeekNext() == '[')
                    return ParseSubtraction(set, negative, any);
                if (PeekNext() == '\0')
                    Fail(Msg::MissingClassTerminator);
                if (any && !EndsGroup())
                    Fail(Msg::UnescapedHyphenInClass);
                ++m_at;
                set.ranges.push_back({'-', '-'});
                any = true;
                continue;
            }
            any = true;
            std::uint32_t first = 0;
            if (c == '\\')
            {
                CEscape const escape = ParseEscape();
                if (!escape.single)
                {
                    AddEscape(set, escape);
                    if (StartsRange())
                        Fail(Msg::InvalidRangeInClass);
                    continue;
                }
                first = escape.codePoint;
            }
            else
                first = NextCodePoint();
            set.ranges.push_back({first, StartsRange() ? ParseRangeEnd(first) : first});
        }
    }

    // charClassSub ::= (posCharGroup | negCharGroup) '-' charClassExpr, the position on the '-'.
    std::string ParseSubtraction(CCharSet const & set, bool negative, bool any)
    {
        if (!any)
            Fail(Msg::NothingToSubtractInClass);
        ++m_at;
        Enter(2);
        std::string const subtracted = ParseClassExpression();
        if (AtEnd())
            Fail(Msg::MissingClassTerminator);
        if (Peek() != ']')
            Fail(Msg::SubtractionMustEndClass);
        ++m_at;
        m_depth -= 2;
        return "(?:(?!" + subtracted + ")" + SetExpression(set, negative) + ")";
    }

    // Whether the '-' at the position is the last character of its group: before ']' or a subtraction.
    bool EndsGroup() const
    {
        return PeekNext() == ']' || (PeekNext() == '-' && m_at + 2 < m_text.size() && m_text[m_at + 2] == '[');
    }

    // Whether a '-' at the position makes a range (and neither ends the group nor starts a subtraction).
    bool StartsRange() const
    {
        return !AtEnd() && Peek() == '-' && PeekNext() != '[' && PeekNext() != '\0' && !EndsGroup();
    }

    // seRange's end after '-', the position on the '-'.
    std::uint32_t ParseRangeEnd(std::uint32_t first)
    {
        ++m_at;
        std::uint32_t last = 0;
        if (Peek() == '\\')
        {
            CEscape const escape = ParseEscape();
            if (!escape.single)
                Fail(Msg::InvalidRangeInClass);
            last = escape.codePoint;
        }
        else if (Peek() == '-')
            Fail(Msg::UnescapedHyphenInClass);
        else
            last = NextCodePoint();
        if (last < first)
            Fail(Msg::RangeOutOfOrderInClass);
        return last;
    }

    // A class escape inside a group: complements become ranges, categories stay PCRE2 items.
    static void AddEscape(CCharSet & set, CEscape const & escape)
    {
        std::vector<CCodePointRange> const ranges = escape.negated ? Complement(escape.set.ranges) : escape.set.ranges;
        set.ranges.insert(set.ranges.end(), ranges.begin(), ranges.end());
        set.properties += escape.set.properties;
    }

    std::string const & m_text;
    std::size_t m_at = 0;
    std::string m_out;
    int m_depth = 0;
};

} // namespace

bool CXsdRegex::Translate(std::string const & pattern, std::string & expression, std::string & reason)
{
    try
    {
        expression = CTranslator(pattern).Run();
        return true;
    }
    catch (CRegexError const & error)
    {
        reason = error.reason;
        return false;
    }
}

} // namespace NxXmlLib16
