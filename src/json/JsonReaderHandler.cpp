#include "JsonReaderHandler.h"

#include "NxException.h"
#include "TextStream.h"
#include "XmlTextWriter.h"
#include "frame/Messages.h"
#include "frame/Namespaces.h"
#include "xml/XmlCharacters.h"

#include <expat.h>

#include <cstring>
#include <limits>
#include <utility>

namespace NxXmlLib16
{

namespace
{

// Whether the parser accepts the name as the name of an empty element, which decides names
// with characters beyond ASCII.
bool ParserAcceptsName(std::string_view name)
{
    XML_Parser const parser = XML_ParserCreate("UTF-8");
    if (parser == nullptr)
        throw std::bad_alloc();
    std::string document;
    document.reserve(name.size() + 3);
    document += '<';
    document += name;
    document += "/>";
    bool const accepted = XML_Parse(parser, document.data(), static_cast<int>(document.size()), 1) == XML_STATUS_OK;
    XML_ParserFree(parser);
    return accepted;
}

// The ASCII bytes of a name without colons checked by position; `ascii` tells whether the
// other bytes, beyond ASCII, are left for the parser to decide.
bool IsNcNameSoFar(std::string_view name, bool & ascii)
{
    if (name.empty())
        return false;
    for (std::size_t i = 0; i < name.size(); ++i)
    {
        unsigned char const c = XmlBytes.classes[static_cast<unsigned char>(name[i])];
        if ((c & MultiByte) != 0)
            ascii = false;
        else if ((c & (i == 0 ? NameStart : NamePart)) == 0)
            return false;
    }
    return true;
}

constexpr std::size_t MaxCheckedNameLength = 1024;
constexpr std::size_t MaxRememberedNames = 256;

// A text stream that gathers the UTF-8 text of a writer in one block sized for the expected
// output, so that the whole text is never held twice.
class CXmlBytesStream final : public CTextStream
{
public:
    explicit CXmlBytesStream(std::size_t expectedLength) : CTextStream(XmlEncoding_UTF8), m_capacity(expectedLength) {}
    ~CXmlBytesStream() override { ::operator delete(m_bytes); }

    void Flush() override { Gather(); }
    void End() override { Gather(); }

    // Hands the gathered text over as bytes.
    CBinaryData TakeBytes()
    {
        Gather();
        if (m_length == 0)
            return CBinaryData();
        unsigned char * const bytes = m_bytes;
        m_bytes = nullptr;
        return CBinaryData(bytes, static_cast<std::uint32_t>(m_length), true);
    }

private:
    // Moves the buffered text to the end of the block.
    void Gather()
    {
        std::string const & text = m_buffer.GetString();
        std::size_t const needed = m_length + text.size();
        if (needed > std::numeric_limits<std::uint32_t>::max())
            throw CNxException(FormatString(Msg::BinaryDataLimit, std::numeric_limits<std::uint32_t>::max()));
        if (m_bytes == nullptr || needed > m_capacity)
        {
            std::size_t capacity = m_bytes == nullptr ? m_capacity : 2 * m_capacity;
            if (capacity < needed)
                capacity = needed;
            unsigned char * const larger = static_cast<unsigned char *>(::operator new(capacity));
            if (m_length > 0)
                std::memcpy(larger, m_bytes, m_length);
            ::operator delete(m_bytes);
            m_bytes = larger;
            m_capacity = capacity;
        }
        if (!text.empty())
            std::memcpy(m_bytes + m_length, text.data(), text.size());
        m_length = needed;
        m_buffer.Clear();
    }

    unsigned char * m_bytes = nullptr;
    std::size_t m_length = 0;
    std::size_t m_capacity;
};

constexpr char TextMember[] = "#text";
constexpr std::string_view XmlNamespace = Namespaces::Xml;
constexpr std::string_view XmlnsNamespace = Namespaces::Xmlns;

// The prefix of a qualified name, empty for none.
std::string_view PrefixOf(std::string_view name)
{
    std::size_t const colon = name.find(':');
    return colon == std::string_view::npos ? std::string_view() : name.substr(0, colon);
}

// Whether an attribute declares a namespace: xmlns or xmlns:prefix.
bool IsDeclaration(std::string_view name) { return name == "xmlns" || PrefixOf(name) == "xmlns"; }

// Whether the XML reader accepts the declaration: a prefix is not undeclared, the reserved
// prefixes and namespaces keep their bindings.
bool IsValidDeclaration(std::string_view name, std::string_view uri)
{
    std::string_view const prefix = name == "xmlns" ? std::string_view() : name.substr(6);
    if (uri == XmlnsNamespace || prefix == "xmlns")
        return false;
    if (prefix == "xml" || uri == XmlNamespace)
        return prefix == "xml" && uri == XmlNamespace;
    return prefix.empty() || !uri.empty();
}
constexpr char CDataStart[] = "<![CDATA[";

} // namespace

// ---------------------------------------------------------------------------------------------
// CJsonReaderDefaultHandler

CJsonReaderDefaultHandler::CJsonReaderDefaultHandler() = default;

CJsonReaderDefaultHandler::~CJsonReaderDefaultHandler() = default;

CJsonReaderDefaultHandler::CPathStep & CJsonReaderDefaultHandler::Push(StepKind kind)
{
    if (m_depth == m_path.size())
        m_path.push_back(CPathStep{std::string(), 0, kind});
    CPathStep & step = m_path[m_depth++];
    step.index = kind == StepArray ? 0 : -1;
    step.kind = kind;
    return step;
}

void CJsonReaderDefaultHandler::ValueDone()
{
    CPathStep * const top = Top();
    if (top != nullptr && top->kind == StepArray)
        ++top->index;
}

std::string CJsonReaderDefaultHandler::GetErrorPath() const
{
    std::string path = "$";
    for (std::size_t i = 0; i < m_depth; ++i)
    {
        CPathStep const & step = m_path[i];
        if (step.kind == StepName)
        {
            path += '.';
            path += step.name;
        }
        else if (step.kind == StepArray)
        {
            path += '[';
            path += std::to_string(step.index);
            path += ']';
        }
    }
    return path;
}

void CJsonReaderDefaultHandler::StartDocument()
{
    m_depth = 0;
    if (m_inner)
        m_inner->StartDocument();
}

bool CJsonReaderDefaultHandler::EndDocument() { return m_inner ? m_inner->EndDocument() : true; }

void CJsonReaderDefaultHandler::Name(std::string const & name)
{
    CPathStep * top = Top();
    if (top == nullptr || top->kind != StepName)
        top = &Push(StepName);
    top->name = name;
    if (m_inner)
        m_inner->Name(name);
}

void CJsonReaderDefaultHandler::StringValue(std::string const & value)
{
    if (m_inner)
        m_inner->StringValue(value);
    ValueDone();
}

void CJsonReaderDefaultHandler::NumberValue(std::string const & text)
{
    if (m_inner)
        m_inner->NumberValue(text);
    ValueDone();
}

void CJsonReaderDefaultHandler::StartObject()
{
    Push(StepObject);
    if (m_inner)
        m_inner->StartObject();
}

void CJsonReaderDefaultHandler::EndObject()
{
    if (m_inner)
        m_inner->EndObject();
    // The step of the last member name, then the object's own.
    if (m_depth > 0 && m_path[m_depth - 1].kind == StepName)
        --m_depth;
    if (m_depth > 0)
        --m_depth;
    ValueDone();
}

void CJsonReaderDefaultHandler::StartArray()
{
    Push(StepArray);
    if (m_inner)
        m_inner->StartArray();
}

void CJsonReaderDefaultHandler::EndArray()
{
    if (m_inner)
        m_inner->EndArray();
    if (m_depth > 0)
        --m_depth;
    ValueDone();
}

void CJsonReaderDefaultHandler::BooleanValue(bool value)
{
    if (m_inner)
        m_inner->BooleanValue(value);
    ValueDone();
}

void CJsonReaderDefaultHandler::NullValue()
{
    if (m_inner)
        m_inner->NullValue();
    ValueDone();
}

// ---------------------------------------------------------------------------------------------
// CJsonReaderToXmlHandler

CJsonReaderToXmlHandler::CJsonReaderToXmlHandler(CXmlTextWriter * writer, JsonRoundTrip mode,
                                                 IErrorPathProvider * errorPath)
    : m_writer(writer), m_mode(mode), m_errorPath(errorPath)
{
}

CJsonReaderToXmlHandler::~CJsonReaderToXmlHandler() = default;

CBinaryData CJsonReaderToXmlHandler::ConvertToXml(std::string_view json, CJsonContext const & context)
{
    // XML text is seldom more than twice as long as its JSON; room never touched costs nothing.
    CXmlBytesStream stream(2 * json.size() + 4096);
    CXmlTextWriter writer(&stream);
    writer.WriteStartDocument();
    writer.SetIndentation(false);
    CJsonTextReader reader(json);
    reader.SetAllowComments(context.GetAllowComments());
    reader.SetRootElementName(context.GetRootElementName());
    auto handler = std::make_unique<CJsonReaderToXmlHandler>(&writer, context.GetSupportRoundtrip(),
                                                             reader.GetErrorPathProvider());
    reader.SetHandler(handler.release());
    reader.Parse();
    writer.WriteEndDocument();
    return stream.TakeBytes();
}

void CJsonReaderToXmlHandler::FailStructure(std::string message) const
{
    throw CNxValidationException(std::move(message), m_errorPath != nullptr ? m_errorPath->GetErrorPath() : "");
}

void CJsonReaderToXmlHandler::StartDocument()
{
    m_openElements = 0;
    m_startTagOpen = false;
    m_prefixCount = 0;
    m_arrayDepth = 0;
    m_containers.clear();
    m_pending = PendingNone;
    m_rootWritten = false;
    m_writer->WriteXmlDeclaration();
}

bool CJsonReaderToXmlHandler::EndDocument()
{
    if (!m_rootWritten)
        FailStructure(Msg::JsonNoRootElement);
    return true;
}

void CJsonReaderToXmlHandler::Name(std::string const & name)
{
    if (name.empty())
        FailStructure(Msg::JsonItemEmptyName);
    m_pendingName = name;
    m_pending = PendingElement;
    if (m_mode == JsonRoundTrip_Plain)
        return;
    if (name == TextMember)
        m_pending = PendingText;
    else if (name[0] == '@')
        m_pending = PendingAttribute;
}

bool CJsonReaderToXmlHandler::IsXmlQName(std::string_view name)
{
    bool ascii = true;
    std::size_t const colon = name.find(':');
    bool const valid = colon == std::string_view::npos ? IsNcNameSoFar(name, ascii)
                                                       : IsNcNameSoFar(name.substr(0, colon), ascii) &&
                                                             IsNcNameSoFar(name.substr(colon + 1), ascii);
    if (!valid || ascii)
        return valid;
    // Names beyond ASCII are few in a document: each is put to the parser once.
    for (std::string const & accepted : m_acceptedNames)
    {
        if (accepted == name)
            return true;
    }
    if (name.size() > MaxCheckedNameLength || !ParserAcceptsName(name))
        return false;
    if (m_acceptedNames.size() < MaxRememberedNames)
        m_acceptedNames.emplace_back(name);
    return true;
}

void CJsonReaderToXmlHandler::StartElement(std::string const & name)
{
    CloseStartTag();
    if (!IsXmlQName(name))
        throw CNxInvalidStateException(FormatString(Msg::JsonNameToElementName, name.c_str()));
    if (m_openElements == 0)
    {
        if (m_rootWritten)
            FailStructure(FormatString(Msg::JsonMoreThanOneRoot, name.c_str()));
        m_rootWritten = true;
    }
    try
    {
        m_writer->WriteStartElement(name, m_noNamespace);
    }
    catch (CNxException const & e)
    {
        throw CNxInvalidStateException(FormatString(Msg::JsonNameToElementName, name.c_str()), e);
    }
    ++m_openElements;
    m_startTagOpen = true;
    // Only a prefixed name is checked when the start tag closes.
    if (name.find(':') == std::string::npos)
        m_tagName.clear();
    else
        m_tagName = name;
    m_tagAttributeCount = 0;
}

void CJsonReaderToXmlHandler::EndElement()
{
    CloseStartTag();
    while (m_prefixCount > 0 && m_prefixes[m_prefixCount - 1].second == m_openElements)
        --m_prefixCount;
    --m_openElements;
    m_writer->WriteEndElement();
}

bool CJsonReaderToXmlHandler::IsPrefixDeclared(std::string_view prefix) const
{
    if (prefix == "xml")
        return true;
    for (std::size_t i = m_prefixCount; i > 0; --i)
    {
        if (m_prefixes[i - 1].first == prefix)
            return true;
    }
    return false;
}

void CJsonReaderToXmlHandler::CloseStartTag()
{
    if (!m_startTagOpen)
        return;
    m_startTagOpen = false;
    for (std::size_t i = 0; i < m_tagAttributeCount; ++i)
    {
        std::string_view const name = m_tagAttributes[i];
        if (PrefixOf(name) != "xmlns")
            continue;
        if (m_prefixCount == m_prefixes.size())
            m_prefixes.emplace_back();
        m_prefixes[m_prefixCount].first.assign(name.substr(6));
        m_prefixes[m_prefixCount++].second = m_openElements;
    }
    std::string_view const prefix = PrefixOf(m_tagName);
    if (!prefix.empty() && !IsPrefixDeclared(prefix))
        throw CNxInvalidStateException(FormatString(Msg::JsonNameToElementName, m_tagName.c_str()));
    for (std::size_t i = 0; i < m_tagAttributeCount; ++i)
    {
        std::string const & name = m_tagAttributes[i];
        std::string_view const attributePrefix = PrefixOf(name);
        if (!attributePrefix.empty() && attributePrefix != "xmlns" && !IsPrefixDeclared(attributePrefix))
            throw CNxInvalidStateException(FormatString(Msg::JsonAtNameToAttributeName, name.c_str()));
    }
}

bool CJsonReaderToXmlHandler::StartDueElement()
{
    if (m_pending == PendingElement)
    {
        StartElement(m_pendingName);
        return true;
    }
    if (m_pending == PendingNone && InArray())
    {
        StartElement(m_arrayNames[m_arrayDepth - 1]);
        return true;
    }
    return false;
}

void CJsonReaderToXmlHandler::CheckNotSimpleMember() const
{
    if (m_pending == PendingAttribute || m_pending == PendingText)
        FailStructure(FormatString(Msg::JsonItemNotSimple, m_pendingName.c_str()));
}

void CJsonReaderToXmlHandler::WriteAttribute(std::string const & value)
{
    std::string_view const name = std::string_view(m_pendingName).substr(1);
    if (!IsXmlQName(name))
        throw CNxInvalidStateException(FormatString(Msg::JsonNameToAttributeName, m_pendingName.c_str()));
    for (std::size_t i = 0; i < m_tagAttributeCount; ++i)
    {
        if (m_tagAttributes[i] == name)
            FailStructure(FormatString(Msg::JsonItemRepeated, m_pendingName.c_str()));
    }
    if (!IsXmlText(value) || (IsDeclaration(name) && !IsValidDeclaration(name, value)))
        throw CNxInvalidStateException(FormatString(Msg::JsonValueToAttributeValue, value.c_str()));
    std::string const localName(name);
    try
    {
        m_writer->WriteAttribute(localName, m_noNamespace, value, ItemType_string);
    }
    catch (CNxException const & e)
    {
        throw CNxInvalidStateException(FormatString(Msg::JsonValueToAttributeValue, value.c_str()), e);
    }
    if (m_tagAttributeCount == m_tagAttributes.size())
        m_tagAttributes.emplace_back();
    m_tagAttributes[m_tagAttributeCount++] = localName;
}

void CJsonReaderToXmlHandler::WriteText(std::string const & value)
{
    if (m_openElements == 0 || !IsXmlText(value))
        throw CNxInvalidStateException(FormatString(Msg::JsonValueToElementValue, value.c_str()));
    CloseStartTag();
    try
    {
        if (value.compare(0, sizeof CDataStart - 1, CDataStart) == 0)
        {
            // Text that looks like a CDATA section is text all the same: the writer would pass
            // it through unescaped, so its first character goes on its own and is escaped.
            m_writer->WriteText("<", ItemType_string);
            m_writer->WriteText(value.substr(1), ItemType_string);
        }
        else
        {
            m_writer->WriteText(value, ItemType_string);
        }
    }
    catch (CNxException const & e)
    {
        throw CNxInvalidStateException(FormatString(Msg::JsonValueToElementValue, value.c_str()), e);
    }
}

void CJsonReaderToXmlHandler::Value(std::string const * value)
{
    if (StartDueElement())
    {
        if (value != nullptr)
            WriteText(*value);
        EndElement();
    }
    else if (m_pending == PendingAttribute)
    {
        if (value != nullptr)
            WriteAttribute(*value);
    }
    else if (m_pending == PendingText)
    {
        if (value != nullptr)
            WriteText(*value);
    }
    else
    {
        FailStructure(Msg::JsonValueHasNoName);
    }
    m_pending = PendingNone;
}

void CJsonReaderToXmlHandler::StringValue(std::string const & value) { Value(&value); }

void CJsonReaderToXmlHandler::NumberValue(std::string const & text) { Value(&text); }

void CJsonReaderToXmlHandler::BooleanValue(bool value)
{
    static std::string const True = "true";
    static std::string const False = "false";
    Value(value ? &True : &False);
}

void CJsonReaderToXmlHandler::NullValue() { Value(nullptr); }

void CJsonReaderToXmlHandler::StartObject()
{
    CheckNotSimpleMember();
    m_containers += StartDueElement() ? ElementObject : DocumentObject;
    m_pending = PendingNone;
}

void CJsonReaderToXmlHandler::EndObject()
{
    // A member without a value (the root element name over empty input) is an empty element.
    if (m_pending == PendingElement)
        Value(nullptr);
    char const container = m_containers.back();
    m_containers.pop_back();
    if (container == ElementObject)
        EndElement();
    m_pending = PendingNone;
}

void CJsonReaderToXmlHandler::StartArray()
{
    CheckNotSimpleMember();
    if (m_pending != PendingElement)
        FailStructure(Msg::JsonArrayHasNoName);
    if (m_arrayDepth == m_arrayNames.size())
        m_arrayNames.emplace_back();
    m_arrayNames[m_arrayDepth++] = m_pendingName;
    m_containers += Array;
    m_pending = PendingNone;
}

void CJsonReaderToXmlHandler::EndArray()
{
    --m_arrayDepth;
    m_containers.pop_back();
    m_pending = PendingNone;
}

} // namespace NxXmlLib16
