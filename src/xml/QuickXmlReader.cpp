#include "xml/QuickXmlReader.h"

#include "frame/Namespaces.h"
#include "xml/XmlCharacters.h"
#include "xml/XmlDocumentStore.h"

#include <cstring>
#include <limits>

namespace NxXmlLib16
{

namespace
{

// What a byte means to the scan of character data or an attribute value.
enum ByteRole : unsigned char
{
    Plain,
    Markup,    // '<'
    Ampersand, // '&'
    LineEnd,   // '\r', '\n' or '\t': line ends are normalised, attribute values change all three
    Bracket,   // ']', which may start "]]>"
    Quote,     // '"' or '\''
    Refused,   // a control character
    Lead,      // the first byte of a multi-byte character
    Invalid,   // never starts a character
};

struct CByteRoles
{
    ByteRole roles[256];

    constexpr CByteRoles() : roles()
    {
        for (int c = 0; c < 256; ++c)
        {
            unsigned char const byteClass = XmlBytes.classes[c];
            roles[c] = (byteClass & Control) != 0 ? Refused : (byteClass & MultiByte) != 0 ? Lead : Plain;
        }
        roles[static_cast<unsigned char>('<')] = Markup;
        roles[static_cast<unsigned char>('&')] = Ampersand;
        roles[static_cast<unsigned char>('\r')] = LineEnd;
        roles[static_cast<unsigned char>('\n')] = LineEnd;
        roles[static_cast<unsigned char>('\t')] = LineEnd;
        roles[static_cast<unsigned char>(']')] = Bracket;
        roles[static_cast<unsigned char>('"')] = Quote;
        roles[static_cast<unsigned char>('\'')] = Quote;
    }
};

constexpr CByteRoles ByteRoles;

ByteRole RoleOf(char c) { return ByteRoles.roles[static_cast<unsigned char>(c)]; }

bool IsSpace(char c) { return c == ' ' || c == '\n' || c == '\t' || c == '\r'; }

// Whether the code point is a character an XML document may hold.
bool IsXmlChar(std::uint32_t code)
{
    return code == 0x9 || code == 0xA || code == 0xD || (code >= 0x20 && code <= 0xD7FF) ||
           (code >= 0xE000 && code <= 0xFFFD) || (code >= 0x10000 && code <= 0x10FFFF);
}

// Beyond this many attributes on one element the duplicate check is left to Expat's hashing.
constexpr std::size_t MostAttributes = 64;

constexpr std::string_view XmlPrefix = "xml";
constexpr std::string_view XmlnsPrefix = "xmlns";

} // namespace

bool CQuickXmlReader::Read(char const * text, std::size_t length)
{
    Progress const begun = Begin(text, length);
    if (begun != Progress::Paused)
        return begun == Progress::Finished;
    return ReadOn(0, std::numeric_limits<std::size_t>::max()) == Progress::Finished;
}

CQuickXmlReader::Progress CQuickXmlReader::Begin(char const * text, std::size_t length)
{
    m_at = text;
    m_end = text + length;
    // Values may be views into these strings, so they are never moved.
    m_valueScratch.resize(MostAttributes);
    if (Follows("\xEF\xBB\xBF"))
        m_at += 3;
    if (Follows("<?xml") && !XmlDeclaration())
        return Progress::GaveUp;
    if (!Misc() || m_at == m_end || *m_at != '<')
        return Progress::GaveUp;
    return ReadOn(0, 1);
}

bool CQuickXmlReader::XmlDeclaration()
{
    // <?xml version="1.0" [encoding="UTF-8"] [standalone="yes"|"no"] ?>
    m_at += 5;
    enum Found
    {
        Absent,
        Present,
        Malformed
    };
    auto const pseudoAttribute = [this](std::string_view name, std::string_view & value)
    {
        char const * const start = m_at;
        if (!SkipSpace() || !Follows(name))
        {
            m_at = start;
            return Absent;
        }
        m_at += name.size();
        char quote;
        if (!OpeningQuote(quote))
            return Malformed;
        char const * const valueStart = m_at;
        while (m_at < m_end && *m_at != quote && *m_at != '<')
            ++m_at;
        if (m_at == m_end || *m_at != quote)
            return Malformed;
        value = std::string_view(valueStart, static_cast<std::size_t>(m_at - valueStart));
        ++m_at;
        return Present;
    };
    std::string_view value;
    if (pseudoAttribute("version", value) != Present || value != "1.0")
        return false;
    Found found = pseudoAttribute("encoding", value);
    if (found == Malformed ||
        (found == Present &&
         (value.size() != 5 || (value[0] != 'U' && value[0] != 'u') || (value[1] != 'T' && value[1] != 't') ||
          (value[2] != 'F' && value[2] != 'f') || value[3] != '-' || value[4] != '8')))
        return false;
    found = pseudoAttribute("standalone", value);
    if (found == Malformed || (found == Present && value != "yes" && value != "no"))
        return false;
    SkipSpace();
    if (!Follows("?>"))
        return false;
    m_at += 2;
    return true;
}

bool CQuickXmlReader::Misc()
{
    for (;;)
    {
        SkipSpace();
        if (!Follows("<!--"))
            return true;
        if (!Comment())
            return false;
    }
}

bool CQuickXmlReader::Comment()
{
    char const * const start = m_at + 4;
    char const * end = start;
    for (;;)
    {
        end = static_cast<char const *>(std::memchr(end, '-', static_cast<std::size_t>(m_end - end)));
        if (end == nullptr || m_end - end < 2)
            return false;
        if (end[1] == '-')
            break;
        ++end;
    }
    // "--" ends the comment and must be followed by '>'.
    if (m_end - end < 3 || end[2] != '>' || !IsXmlText(std::string_view(start, static_cast<std::size_t>(end - start))))
        return false;
    m_at = end + 3;
    return true;
}

CQuickXmlReader::Progress CQuickXmlReader::ReadOn(std::size_t stopDepth, std::size_t budget)
{
    for (;;)
    {
        // At a '<'.
        if (m_end - m_at < 2)
            return Progress::GaveUp;
        char const next = m_at[1];
        bool pause = false;
        if (next == '/')
        {
            if (!EndTag())
                return Progress::GaveUp;
            if (m_open.empty())
                return Trailer();
            // The element that ended was one level below the open ones.
            pause = m_open.size() < stopDepth;
        }
        else if (next == '!')
        {
            if (!Follows("<!--") || !Comment())
                return Progress::GaveUp;
        }
        else if (next == '?' || !StartTag())
        {
            return Progress::GaveUp;
        }
        else if (m_open.empty())
        {
            return Trailer(); // the document element was empty
        }
        else
        {
            // An empty element has ended already, one level below the open ones.
            pause = --budget == 0 || m_open.size() < stopDepth;
        }
        if (!Text() || m_at == m_end)
            return Progress::GaveUp;
        if (pause)
            return Progress::Paused;
    }
}

CQuickXmlReader::Progress CQuickXmlReader::Trailer()
{
    return Misc() && m_at == m_end ? Progress::Finished : Progress::GaveUp;
}

bool CQuickXmlReader::StartTag()
{
    ++m_at;
    std::string_view elementName;
    if (!Name(elementName))
        return false;
    m_attributes.clear();
    bool empty = false;
    for (;;)
    {
        bool const spaced = SkipSpace();
        if (m_at == m_end)
            return false;
        if (*m_at == '>')
        {
            ++m_at;
            break;
        }
        if (*m_at == '/')
        {
            if (m_end - m_at < 2 || m_at[1] != '>')
                return false;
            m_at += 2;
            empty = true;
            break;
        }
        std::string_view name;
        char quote;
        if (!spaced || m_attributes.size() == MostAttributes || !Name(name) || !OpeningQuote(quote))
            return false;
        std::string_view value;
        if (!AttributeValue(quote, m_valueScratch[m_attributes.size()], value))
            return false;
        for (CRawAttribute const & other : m_attributes)
        {
            if (other.name == name)
                return false;
        }
        m_attributes.push_back(CRawAttribute{name, value});
    }

    // Declarations first, as Expat reports them before the element.
    std::size_t const bindingsBefore = m_bindings.size();
    for (CRawAttribute const & attribute : m_attributes)
    {
        std::string_view prefix;
        if (attribute.name == XmlnsPrefix)
            prefix = std::string_view();
        else if (attribute.name.size() > 6 && attribute.name.substr(0, 6) == "xmlns:")
            prefix = attribute.name.substr(6);
        else
            continue;
        // Reserved prefixes and namespaces, and undeclaring a prefix, are Expat's to judge.
        if (prefix == XmlPrefix || prefix == XmlnsPrefix || attribute.value == Namespaces::Xml ||
            attribute.value == Namespaces::Xmlns || (!prefix.empty() && attribute.value.empty()) ||
            attribute.value.find('|') != std::string_view::npos)
            return false;
        m_bindings.push_back(CBinding{std::string(prefix), std::string(attribute.value)});
        m_document.AddNamespaceDeclaration(m_bindings.back().prefix, m_bindings.back().uri);
    }
    if (m_bindings.size() != bindingsBefore)
        ++m_generation;

    CXmlStoredName const * const element = Resolve(elementName, false);
    if (element == nullptr)
        return false;
    m_pending.clear();
    for (CRawAttribute const & attribute : m_attributes)
    {
        if (attribute.name == XmlnsPrefix || (attribute.name.size() > 6 && attribute.name.substr(0, 6) == "xmlns:"))
            continue;
        CXmlStoredName const * const name = Resolve(attribute.name, true);
        if (name == nullptr)
            return false;
        // Two prefixes for one namespace make the same attribute twice.
        for (CXmlDocument::CPendingAttribute const & other : m_pending)
        {
            if (other.name == name)
                return false;
        }
        m_pending.push_back(CXmlDocument::CPendingAttribute{name, attribute.value});
    }
    m_document.AddElement(*element, m_pending);
    m_open.push_back(COpenElement{elementName, bindingsBefore});
    if (empty)
        CloseElement();
    return true;
}

bool CQuickXmlReader::EndTag()
{
    m_at += 2;
    std::string_view name;
    if (m_open.empty() || !Name(name) || name != m_open.back().name)
        return false;
    SkipSpace();
    if (m_at == m_end || *m_at != '>')
        return false;
    ++m_at;
    CloseElement();
    return true;
}

void CQuickXmlReader::CloseElement()
{
    m_document.EndElement();
    std::size_t const bindingsBefore = m_open.back().bindingsBefore;
    m_open.pop_back();
    if (m_bindings.size() != bindingsBefore)
    {
        m_bindings.resize(bindingsBefore);
        ++m_generation;
    }
}

bool CQuickXmlReader::Text()
{
    char const * run = m_at;
    auto const flush = [&]
    {
        if (m_at > run)
            m_document.AppendText(run, static_cast<std::size_t>(m_at - run));
    };
    while (m_at < m_end)
    {
        while (m_at < m_end && RoleOf(*m_at) == Plain)
            ++m_at;
        if (m_at == m_end)
            break;
        switch (RoleOf(*m_at))
        {
        case Markup: flush(); return true;
        case Ampersand:
        {
            flush();
            ++m_at;
            m_text.clear();
            if (!Reference(m_text))
                return false;
            // A carriage return can only come from a reference; it is left out, as with Expat.
            if (m_text != "\r")
                m_document.AppendText(m_text.data(), m_text.size());
            run = m_at;
            break;
        }
        case LineEnd:
            if (*m_at == '\r')
            {
                // A line end of carriage return and line feed is one line feed, a lone carriage
                // return another.
                flush();
                ++m_at;
                if (m_at == m_end || *m_at != '\n')
                    m_document.AppendText("\n", 1);
                run = m_at;
            }
            else
            {
                ++m_at;
            }
            break;
        case Bracket:
            if (m_end - m_at >= 3 && m_at[1] == ']' && m_at[2] == '>')
                return false;
            ++m_at;
            break;
        case Quote: ++m_at; break;
        case Lead:
            if (!SkipCharacter())
                return false;
            break;
        case Plain: break;
        case Refused:
        case Invalid: return false;
        }
    }
    flush();
    return true;
}

bool CQuickXmlReader::AttributeValue(char quote, std::string & scratch, std::string_view & value)
{
    char const * const start = m_at;
    bool changed = false;
    scratch.clear();
    char const * run = m_at;
    auto const keep = [&]
    {
        if (changed)
            scratch.append(run, static_cast<std::size_t>(m_at - run));
    };
    auto const change = [&]
    {
        if (!changed)
        {
            scratch.assign(start, static_cast<std::size_t>(m_at - start));
            changed = true;
        }
        else
        {
            keep();
        }
    };
    while (m_at < m_end)
    {
        while (m_at < m_end && RoleOf(*m_at) == Plain)
            ++m_at;
        if (m_at == m_end)
            return false;
        switch (RoleOf(*m_at))
        {
        case Quote:
            if (*m_at == quote)
            {
                keep();
                value = changed ? std::string_view(scratch)
                                : std::string_view(start, static_cast<std::size_t>(m_at - start));
                ++m_at;
                return true;
            }
            ++m_at;
            break;
        case Markup: return false;
        case Ampersand:
            change();
            ++m_at;
            if (!Reference(scratch))
                return false;
            run = m_at;
            break;
        case LineEnd:
        {
            // Every line end, tab and line feed becomes a space; a carriage return and line
            // feed make one space.
            change();
            bool const pair = *m_at == '\r' && m_end - m_at >= 2 && m_at[1] == '\n';
            m_at += pair ? 2 : 1;
            scratch += ' ';
            run = m_at;
            break;
        }
        case Lead:
            if (!SkipCharacter())
                return false;
            break;
        case Bracket:
        case Plain: ++m_at; break;
        case Refused:
        case Invalid: return false;
        }
    }
    return false;
}

bool CQuickXmlReader::Reference(std::string & target)
{
    struct CEntity
    {
        std::string_view name;
        char character;
    };
    static constexpr CEntity Entities[] = {{"lt;", '<'}, {"gt;", '>'}, {"amp;", '&'}, {"quot;", '"'}, {"apos;", '\''}};
    for (CEntity const & entity : Entities)
    {
        if (Follows(entity.name))
        {
            m_at += entity.name.size();
            target += entity.character;
            return true;
        }
    }
    if (m_at == m_end || *m_at != '#')
        return false;
    ++m_at;
    bool const hex = m_at < m_end && *m_at == 'x';
    if (hex)
        ++m_at;
    std::uint32_t code = 0;
    char const * const digits = m_at;
    for (; m_at < m_end && *m_at != ';'; ++m_at)
    {
        char const c = *m_at;
        std::uint32_t digit;
        if (c >= '0' && c <= '9')
            digit = static_cast<std::uint32_t>(c - '0');
        else if (hex && c >= 'a' && c <= 'f')
            digit = static_cast<std::uint32_t>(c - 'a' + 10);
        else if (hex && c >= 'A' && c <= 'F')
            digit = static_cast<std::uint32_t>(c - 'A' + 10);
        else
            return false;
        code = code * (hex ? 16 : 10) + digit;
        if (code > 0x10FFFF)
            return false;
    }
    if (m_at == m_end || m_at == digits || !IsXmlChar(code))
        return false;
    ++m_at;
    AppendUtf8(code, target);
    return true;
}

bool CQuickXmlReader::Name(std::string_view & name)
{
    char const * const start = m_at;
    bool colon = false;
    for (;;)
    {
        // Each part starts with a letter or '_' and goes on with letters, digits, '.', '-', '_'.
        if (m_at == m_end || (XmlBytes.classes[static_cast<unsigned char>(*m_at)] & NameStart) == 0)
            return false;
        ++m_at;
        while (m_at < m_end && (XmlBytes.classes[static_cast<unsigned char>(*m_at)] & NamePart) != 0)
            ++m_at;
        if (m_at == m_end)
            return false;
        unsigned char const next = static_cast<unsigned char>(*m_at);
        if (next >= 0x80)
            return false; // a name with other characters is Expat's to judge
        if (next != ':')
            break;
        if (colon)
            return false;
        colon = true;
        ++m_at;
    }
    name = std::string_view(start, static_cast<std::size_t>(m_at - start));
    return true;
}

bool CQuickXmlReader::SkipCharacter()
{
    std::size_t const size =
        Utf8CharLength(reinterpret_cast<unsigned char const *>(m_at), static_cast<std::size_t>(m_end - m_at));
    m_at += size;
    return size != 0;
}

bool CQuickXmlReader::OpeningQuote(char & quote)
{
    SkipSpace();
    if (m_at == m_end || *m_at != '=')
        return false;
    ++m_at;
    SkipSpace();
    if (m_at == m_end || (*m_at != '"' && *m_at != '\''))
        return false;
    quote = *m_at++;
    return true;
}

bool CQuickXmlReader::SkipSpace()
{
    char const * const start = m_at;
    while (m_at < m_end && IsSpace(*m_at))
        ++m_at;
    return m_at != start;
}

bool CQuickXmlReader::Follows(std::string_view literal) const
{
    return static_cast<std::size_t>(m_end - m_at) >= literal.size() &&
           std::memcmp(m_at, literal.data(), literal.size()) == 0;
}

std::string const * CQuickXmlReader::Lookup(std::string_view prefix) const
{
    for (auto binding = m_bindings.rbegin(); binding != m_bindings.rend(); ++binding)
    {
        if (binding->prefix == prefix)
            return &binding->uri;
    }
    return nullptr;
}

CXmlStoredName const * CQuickXmlReader::Resolve(std::string_view written, bool attribute)
{
    std::size_t hash = attribute ? 1 : 0;
    for (char const c : written)
        hash = hash * 31 + static_cast<unsigned char>(c);
    CCachedName & cached = m_cache[hash & 255];
    if (cached.name != nullptr && cached.generation == m_generation && cached.attribute == attribute &&
        cached.written == written)
        return cached.name;

    std::size_t const colon = written.find(':');
    std::string_view const prefix = colon == std::string_view::npos ? std::string_view() : written.substr(0, colon);
    std::string_view const local = colon == std::string_view::npos ? written : written.substr(colon + 1);
    std::string_view uri;
    if (colon == std::string_view::npos)
    {
        // An unprefixed attribute is in no namespace; an unprefixed element in the default one.
        std::string const * const bound = attribute ? nullptr : Lookup(std::string_view());
        if (bound != nullptr)
            uri = *bound;
    }
    else if (prefix == XmlPrefix && attribute)
    {
        uri = Namespaces::Xml;
    }
    else
    {
        std::string const * const bound = prefix == XmlPrefix || prefix == XmlnsPrefix ? nullptr : Lookup(prefix);
        if (bound == nullptr)
            return nullptr;
        uri = *bound;
    }
    // The name as Expat reports it: "uri|local", or the local name alone.
    m_key.clear();
    if (!uri.empty())
    {
        m_key.append(uri);
        m_key += '|';
    }
    m_key.append(local);
    CXmlStoredName const * name = m_document.FindName(m_key);
    if (name == nullptr)
        name = &m_document.AddName(m_key, uri, local);
    cached.written = written;
    cached.generation = m_generation;
    cached.attribute = attribute;
    cached.name = name;
    return name;
}

} // namespace NxXmlLib16
