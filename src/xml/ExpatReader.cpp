#include "xml/ExpatReader.h"

#include "CharEncoding.h"
#include "NxException.h"
#include "frame/Messages.h"
#include "xml/XmlDocumentStore.h"

#include <cstring>
#include <limits>
#include <new>

namespace NxXmlLib16
{

namespace
{
constexpr char NamespaceSeparator = '|';
}

CExpatReader::CExpatReader(CXmlDocument & document, bool namespaces, bool keepCData)
    : CInstanceMonitor("CExpatReader"), m_document(document),
      m_parser(namespaces ? XML_ParserCreateNS(nullptr, NamespaceSeparator) : XML_ParserCreate(nullptr)),
      m_localIsUtf8(IsLocalTextUtf8())
{
    if (m_parser == nullptr)
        throw std::bad_alloc();
    XML_SetUserData(m_parser, this);
    XML_SetElementHandler(m_parser, &OnStartElement, &OnEndElement);
    XML_SetCharacterDataHandler(m_parser, &OnCharacterData);
    XML_SetStartNamespaceDeclHandler(m_parser, &OnStartNamespace);
    if (keepCData)
        XML_SetCdataSectionHandler(m_parser, &OnStartCData, &OnEndCData);
}

CExpatReader::~CExpatReader() { XML_ParserFree(m_parser); }

void CExpatReader::ParseChunk(char const * data, std::size_t length, bool isFinal)
{
    // Expat copies what it is given into a buffer of its own, so a large block goes in pieces
    // that keep that buffer small.
    constexpr std::size_t MaxPiece = 256 * 1024;
    do
    {
        std::size_t const piece = length < MaxPiece ? length : MaxPiece;
        bool const last = piece == length;
        if (XML_Parse(m_parser, data, static_cast<int>(piece), last && isFinal) != XML_STATUS_OK)
            ThrowParseError();
        data += piece;
        length -= piece;
    } while (length > 0);
}

void * CExpatReader::GetBuffer(std::size_t length)
{
    void * const buffer = XML_GetBuffer(m_parser, static_cast<int>(length));
    if (buffer == nullptr)
        ThrowParseError();
    return buffer;
}

void CExpatReader::ParseBuffer(std::size_t length, bool isFinal)
{
    if (XML_ParseBuffer(m_parser, static_cast<int>(length), isFinal) != XML_STATUS_OK)
        ThrowParseError();
}

void CExpatReader::ThrowParseError()
{
    if (m_error)
        std::rethrow_exception(m_error);
    XML_Error const code = XML_GetErrorCode(m_parser);
    if (code == XML_ERROR_NO_MEMORY)
        throw std::bad_alloc();
    throw CNxException(FormatString(Msg::ExpatErrorAtLine, XML_ErrorString(code),
                                    static_cast<int>(XML_GetCurrentLineNumber(m_parser))));
}

template <class Action>
void CExpatReader::Guard(Action && action)
{
    // Exceptions must not unwind through Expat's C frames: keep it and stop the parser.
    try
    {
        action();
    }
    catch (...)
    {
        m_error = std::current_exception();
        XML_StopParser(m_parser, XML_FALSE);
    }
}

std::string_view CExpatReader::ToLocal(char const * data, std::size_t length, std::string & scratch)
{
    if (m_localIsUtf8)
        return std::string_view(data, length);
    scratch.clear();
    AppendUtf8AsLocal(data, length, scratch);
    return scratch;
}

CXmlStoredName const & CExpatReader::SplitName(char const * name)
{
    // Documents repeat their names in the same order, so the name that followed the previous
    // one last time is tried first: a comparison instead of a lookup.
    CXmlStoredName const * found = m_lastName != nullptr ? m_lastName->follower : nullptr;
    if (found == nullptr || std::strncmp(name, found->key.c_str(), found->key.size() + 1) != 0)
        found = &FindOrAddName(name);
    if (m_lastName != nullptr)
        m_lastName->follower = found;
    m_lastName = found;
    return *found;
}

CXmlStoredName const & CExpatReader::FindOrAddName(char const * name)
{
    std::string_view const key(name);
    if (CXmlStoredName const * const known = m_document.FindName(key))
        return *known;
    // A name met for the first time: converted and split once, then found by its key.
    std::string_view const local = ToLocal(key.data(), key.size(), m_scratch);
    std::size_t const separator = local.find(NamespaceSeparator);
    if (separator == std::string_view::npos)
        return m_document.AddName(key, std::string_view(), local);
    return m_document.AddName(key, local.substr(0, separator), local.substr(separator + 1));
}

void XMLCALL CExpatReader::OnStartElement(void * user, XML_Char const * name, XML_Char const ** attributes)
{
    CExpatReader & reader = *static_cast<CExpatReader *>(user);
    reader.Guard(
        [&]
        {
            CXmlStoredName const & element = reader.SplitName(name);
            reader.m_attributes.clear();
            std::size_t count = 0;
            while (attributes[2 * count] != nullptr)
                ++count;
            // Sized before the loop: values may point into these buffers.
            if (reader.m_valueScratch.size() < count)
                reader.m_valueScratch.resize(count);
            for (std::size_t i = 0; i < count; ++i)
            {
                CXmlStoredName const & attribute = reader.SplitName(attributes[2 * i]);
                char const * const value = attributes[2 * i + 1];
                reader.m_attributes.push_back(CXmlDocument::CPendingAttribute{
                    &attribute, reader.ToLocal(value, std::strlen(value), reader.m_valueScratch[i])});
            }
            reader.m_document.AddElement(element, reader.m_attributes);
        });
}

void XMLCALL CExpatReader::OnEndElement(void * user, XML_Char const *)
{
    CExpatReader & reader = *static_cast<CExpatReader *>(user);
    reader.Guard([&] { reader.m_document.EndElement(); });
}

void XMLCALL CExpatReader::OnCharacterData(void * user, XML_Char const * data, int length)
{
    if (length <= 0)
        return;
    CExpatReader & reader = *static_cast<CExpatReader *>(user);
    reader.Guard(
        [&]
        {
            // The parser turns every line end into a line feed: a carriage return can only come
            // alone, from a character reference, and is left out.
            if (length == 1 && *data == '\r')
                return;
            std::string_view const text = reader.ToLocal(data, static_cast<std::size_t>(length), reader.m_scratch);
            reader.m_document.AppendText(text.data(), text.size());
        });
}

void XMLCALL CExpatReader::OnStartCData(void * user)
{
    CExpatReader & reader = *static_cast<CExpatReader *>(user);
    reader.Guard([&] { reader.m_document.AppendTextExcludingCR("<![CDATA[", 9); });
}

void XMLCALL CExpatReader::OnEndCData(void * user)
{
    CExpatReader & reader = *static_cast<CExpatReader *>(user);
    reader.Guard([&] { reader.m_document.AppendTextExcludingCR("]]>", 3); });
}

void XMLCALL CExpatReader::OnStartNamespace(void * user, XML_Char const * prefix, XML_Char const * uri)
{
    CExpatReader & reader = *static_cast<CExpatReader *>(user);
    reader.Guard(
        [&]
        {
            std::string localPrefix;
            if (prefix != nullptr)
                localPrefix = reader.ToLocal(prefix, std::strlen(prefix), reader.m_scratch);
            std::string const localUri =
                uri != nullptr ? std::string(reader.ToLocal(uri, std::strlen(uri), reader.m_scratch)) : std::string();
            reader.m_document.AddNamespaceDeclaration(localPrefix, localUri);
        });
}

} // namespace NxXmlLib16
