#include "JsonTextWriter.h"

#include "BinaryData.h"
#include "NxException.h"
#include "TextStream.h"
#include "frame/ByteWords.h"
#include "frame/Messages.h"

namespace NxXmlLib16
{

namespace
{

// Bytes that a JSON string cannot hold as they are: quote, backslash and the control bytes.
struct CEscapeTable
{
    bool marks[256];

    constexpr CEscapeTable() : marks()
    {
        for (int c = 0; c < 32; ++c)
            marks[c] = true;
        marks[static_cast<unsigned char>('"')] = true;
        marks[static_cast<unsigned char>('\\')] = true;
    }
};

constexpr CEscapeTable EscapeTable;

// Whether any of eight bytes needs escaping: one below 0x20, a quote or a backslash.
bool AnyToEscape(std::uint64_t word)
{
    return (BytesBelow(word, 0x20) | BytesEqual(word, '"') | BytesEqual(word, '\\')) != 0;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Whether the text is a number as JSON writes it: -?(0|[1-9][0-9]*)(.[0-9]+)?([eE][+-]?[0-9]+)?
bool IsJsonNumber(std::string const & text)
{
    char const * p = text.c_str();
    if (*p == '-')
        ++p;
    if (*p == '0')
        ++p;
    else if (IsDigit(*p))
        while (IsDigit(*p))
            ++p;
    else
        return false;
    if (*p == '.')
    {
        if (!IsDigit(*++p))
            return false;
        while (IsDigit(*p))
            ++p;
    }
    if (*p == 'e' || *p == 'E')
    {
        ++p;
        if (*p == '+' || *p == '-')
            ++p;
        if (!IsDigit(*p))
            return false;
        while (IsDigit(*p))
            ++p;
    }
    return p == text.c_str() + text.size();
}

// Whether values of the item type are written without quotes.
bool IsBareType(ItemType itemType)
{
    return (itemType >= ItemType_i1 && itemType <= ItemType_r8) || itemType == ItemType_boolean ||
           itemType == ItemType_decimal || itemType == ItemType_integer;
}

} // namespace

CJsonTextWriter::CJsonTextWriter(CTextStream * stream) : CXmlWriter("CJsonTextWriter"), m_stream(stream) {}

CJsonTextWriter::~CJsonTextWriter() = default;

void CJsonTextWriter::SetIndentChars(std::string const & indentChars)
{
    m_indent = indentChars;
    m_indentRun.clear();
}

void CJsonTextWriter::SetEOLType(EOLType type) { m_lineEnd = LineEndOf(type); }

void CJsonTextWriter::FlushIfFull()
{
    if (m_stream->GetLength() >= FlushThreshold)
        m_stream->Flush();
}

void CJsonTextWriter::WriteIndent(std::uint32_t depth)
{
    if (!m_indentation || m_indent.empty())
        return;
    std::size_t const length = m_indent.size() * depth;
    while (m_indentRun.size() < length)
        m_indentRun += m_indent;
    m_stream->Append(m_indentRun.data(), length);
}

void CJsonTextWriter::WriteLineEnd()
{
    if (m_indentation)
        m_stream->Append(m_lineEnd);
}

void CJsonTextWriter::EscapeAndWrite(std::string const & text)
{
    char const * const data = text.data();
    std::size_t const length = text.size();
    std::size_t run = 0; // start of the bytes not yet written
    for (std::size_t i = 0; i < length; ++i)
    {
        // Eight bytes at a time while none of them needs escaping.
        for (; i + sizeof(std::uint64_t) <= length; i += sizeof(std::uint64_t))
        {
            if (AnyToEscape(LoadWord(data + i)))
                break;
        }
        if (i == length)
            break;
        unsigned char const c = static_cast<unsigned char>(data[i]);
        if (!EscapeTable.marks[c])
            continue;
        m_stream->Append(data + run, i - run);
        run = i + 1;
        switch (c)
        {
        case '"': m_stream->Append("\\\"", 2); break;
        case '\\': m_stream->Append("\\\\", 2); break;
        case '\b': m_stream->Append("\\b", 2); break;
        case '\f': m_stream->Append("\\f", 2); break;
        case '\t': m_stream->Append("\\t", 2); break;
        case '\n': m_stream->Append("\\n", 2); break;
        case '\r': m_stream->Append("\\r", 2); break;
        default:
            m_stream->Append("\\u00", 4);
            m_stream->Append(CBinaryData::GetAsHexString(&c, 1));
            break;
        }
    }
    m_stream->Append(data + run, length - run);
}

void CJsonTextWriter::WriteString(std::string const & text)
{
    m_stream->Append('"');
    EscapeAndWrite(text);
    m_stream->Append('"');
}

void CJsonTextWriter::WriteValue(std::string const & value, ItemType itemType)
{
    // Texts that JSON cannot read as numbers (INF, NaN, formatted numbers) stay strings.
    if (IsBareType(itemType) &&
        (IsJsonNumber(value) || (itemType == ItemType_boolean && (value == "true" || value == "false"))))
        m_stream->Append(value);
    else
        WriteString(value);
}

void CJsonTextWriter::WriteStartDocument() { m_stream->Begin(); }

void CJsonTextWriter::WriteEndDocument()
{
    m_stream->End();
    CXmlWriter::WriteEndDocument();
}

void CJsonTextWriter::WriteDocumentStart()
{
    m_stream->Append('{');
    WriteLineEnd();
    FlushIfFull();
}

void CJsonTextWriter::WriteDocumentEnd()
{
    WriteLineEnd();
    m_stream->Append('}');
    FlushIfFull();
}

void CJsonTextWriter::WriteComment(std::string const & text)
{
    m_stream->Append("/* ", 3);
    EscapeAndWrite(text);
    m_stream->Append(" */", 3);
    m_stream->Append(m_lineEnd);
    FlushIfFull();
}

void CJsonTextWriter::WriteRawBlock(std::string const &) {}

void CJsonTextWriter::WriteRawLine(std::string const &) {}

void CJsonTextWriter::WriteXsiNil() {}

void CJsonTextWriter::WriteMemberSeparator()
{
    if (m_scalarWritten)
        throw CNxInvalidStateException(
            FormatString(Msg::JsonElementHasValue, GetCurrentContext()->GetLocalName().c_str()));
    if (m_valuePending)
    {
        m_stream->Append('{');
        m_valuePending = false;
    }
    else
    {
        m_stream->Append(',');
    }
    WriteLineEnd();
}

void CJsonTextWriter::CloseBracket(CJsonScope & scope)
{
    WriteLineEnd();
    WriteIndent(scope.depth);
    --scope.depth;
    scope.bracketOpen = false;
    m_stream->Append(']');
    if (GetCurrentContext()->GetArrayState() == 3)
        SetArrayState(0);
}

void CJsonTextWriter::BeginMember()
{
    CJsonScope & scope = CurrentScope();
    if (scope.bracketOpen)
        CloseBracket(scope);
    WriteMemberSeparator();
    WriteIndent(scope.depth + 1);
}

std::string const & CJsonTextWriter::RequirePrefix(std::string const & namespaceUri) const
{
    std::string const * const prefix = GetCurrentContext()->FindPrefix(namespaceUri);
    if (prefix == nullptr)
        throw CNxException(FormatString(Msg::UnknownNamespace, namespaceUri.c_str()));
    return *prefix;
}

std::string const * CJsonTextWriter::WriteElementName(CXmlWriterContext & context, std::string const & localName,
                                                      std::string const & namespaceUri, bool isRoot)
{
    std::string const * generated = nullptr;
    m_stream->Append('"');
    if (m_mode == JsonRoundTrip_Full && !namespaceUri.empty() && namespaceUri != context.GetDefaultNamespace())
    {
        // Only the root may declare a namespace of its own; below it the prefix must be known.
        std::string const * prefix = context.FindPrefix(namespaceUri);
        if (prefix == nullptr)
            prefix = isRoot ? (generated = &DeclareGeneratedPrefix(namespaceUri)) : &RequirePrefix(namespaceUri);
        EscapeAndWrite(*prefix);
        m_stream->Append(':');
    }
    EscapeAndWrite(localName);
    m_stream->Append("\": ", 3);
    return generated;
}

void CJsonTextWriter::WriteDeclarationMember(std::string const * prefix, std::string const & namespaceUri)
{
    BeginMember();
    m_stream->Append("\"@xmlns", 7);
    if (prefix != nullptr)
    {
        m_stream->Append(':');
        EscapeAndWrite(*prefix);
    }
    m_stream->Append("\": ", 3);
    WriteString(namespaceUri);
}

void CJsonTextWriter::WriteRootDeclarations(CXmlWriterContext & root, std::string const * generatedPrefix)
{
    if (generatedPrefix != nullptr)
        WriteDeclarationMember(generatedPrefix, root.GetNamespaceURI());
    if (!GetWriterDefaultNamespace().empty())
        WriteDeclarationMember(nullptr, GetWriterDefaultNamespace());
    for (auto const & entry : GetWriterNamespaces())
    {
        if (entry.first != XmlNamespaceUri)
            WriteDeclarationMember(&entry.second, entry.first);
    }
}

void CJsonTextWriter::WriteStartElement(std::string const & localName, std::string const & namespaceUri)
{
    CXmlWriterContext * const parentContext = GetCurrentContext();
    bool startArray = false;
    bool laterItem = false;
    std::uint32_t depth = 1;
    if (parentContext != nullptr)
    {
        // Items of a collection go into one array per run of items of the same name.
        CJsonScope & parent = CurrentScope();
        std::int32_t const state = parentContext->GetArrayState();
        laterItem =
            state == 2 && parent.bracketOpen && parent.itemName == localName && parent.itemNamespace == namespaceUri;
        if (parent.bracketOpen && !laterItem)
            CloseBracket(parent);
        startArray = (state == 1 || state == 2) && !laterItem;
        WriteMemberSeparator();
        if (startArray)
        {
            parent.itemName = localName;
            parent.itemNamespace = namespaceUri;
            SetArrayState(2);
        }
        depth = parent.depth + 1;
    }
    else if (m_hasRoot)
    {
        m_stream->Append(',');
        WriteLineEnd();
    }

    CXmlWriterContext & context = PushContext(localName, namespaceUri);
    if (m_level == m_scopes.size())
        m_scopes.emplace_back();
    CJsonScope & scope = m_scopes[m_level++];
    scope.bracketOpen = false;
    scope.depth = depth;
    m_scalarWritten = false;
    WriteIndent(depth);
    std::string const * generatedPrefix = nullptr;
    if (!laterItem)
        generatedPrefix = WriteElementName(context, localName, namespaceUri, parentContext == nullptr);
    if (startArray)
    {
        // The bracket takes a level of its own: the parent's later members and items move in.
        m_stream->Append('[');
        CJsonScope & parent = m_scopes[m_level - 2];
        parent.bracketOpen = true;
        ++parent.depth;
        ++scope.depth;
        WriteLineEnd();
        WriteIndent(scope.depth);
    }
    m_valuePending = true;
    if (parentContext == nullptr)
    {
        m_hasRoot = true;
        if (m_mode == JsonRoundTrip_Full)
            WriteRootDeclarations(context, generatedPrefix);
    }
    FlushIfFull();
}

void CJsonTextWriter::WriteAttribute(std::string const & localName, std::string const & namespaceUri,
                                     std::string const & value, ItemType itemType)
{
    if (GetCurrentContext() == nullptr)
        throw CNxException(Msg::AttributesBeforeElements);
    BeginMember();
    m_stream->Append('"');
    if (m_mode != JsonRoundTrip_Plain)
    {
        m_stream->Append('@');
        if (m_mode == JsonRoundTrip_Full && !namespaceUri.empty())
        {
            EscapeAndWrite(RequirePrefix(namespaceUri));
            m_stream->Append(':');
        }
    }
    EscapeAndWrite(localName);
    m_stream->Append("\": ", 3);
    WriteValue(value, itemType);
    FlushIfFull();
}

void CJsonTextWriter::WriteXsiType(std::string const & typeNamespace, std::string const & typeName, ItemType itemType)
{
    if (m_mode != JsonRoundTrip_Full)
        return;
    CXmlWriterContext const * const current = GetCurrentContext();
    if (current == nullptr)
        throw CNxException(Msg::AttributesBeforeElements);
    if (!typeNamespace.empty() && typeNamespace != current->GetDefaultNamespace())
        WriteAttribute("type", XsiNamespaceUri, RequirePrefix(typeNamespace) + ":" + typeName, itemType);
    else
        WriteAttribute("type", XsiNamespaceUri, typeName, itemType);
}

void CJsonTextWriter::WriteText(std::string const & value, ItemType itemType)
{
    if (GetCurrentContext() == nullptr)
        throw CNxException(Msg::ElementHasNotBeenOpened);
    if (m_valuePending)
    {
        m_valuePending = false;
        m_scalarWritten = true;
        if (value.empty())
            m_stream->Append("null", 4);
        else
            WriteValue(value, itemType);
        FlushIfFull();
        return;
    }
    // After attributes or children an empty text adds nothing.
    if (value.empty())
        return;
    BeginMember();
    if (m_mode == JsonRoundTrip_Plain)
        m_stream->Append("\"\": ", 4);
    else
        m_stream->Append("\"#text\": ", 9);
    WriteValue(value, itemType);
    FlushIfFull();
}

void CJsonTextWriter::WriteEndElement()
{
    if (GetCurrentContext() == nullptr)
        throw CNxException(Msg::ElementHasNotBeenOpened);
    CJsonScope & scope = CurrentScope();
    if (scope.bracketOpen)
        CloseBracket(scope);
    if (m_valuePending)
    {
        // Nothing was written for the element: no text, no attributes, no children.
        m_stream->Append("null", 4);
    }
    else if (!m_scalarWritten)
    {
        WriteLineEnd();
        WriteIndent(scope.depth);
        m_stream->Append('}');
    }
    m_valuePending = false;
    m_scalarWritten = false;
    --m_level;
    PopContext();
    FlushIfFull();
}

} // namespace NxXmlLib16
