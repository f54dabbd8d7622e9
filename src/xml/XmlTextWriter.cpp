#include "XmlTextWriter.h"

#include "NxException.h"
#include "TextStream.h"
#include "frame/ByteWords.h"
#include "frame/Messages.h"

#include <cstdint>

namespace NxXmlLib16
{

namespace
{

// Bytes that the escaping routine must look at: 1 in text, 2 in attributes, 3 in both.
struct CEscapeTable
{
    unsigned char marks[256];

    constexpr CEscapeTable() : marks()
    {
        marks[static_cast<unsigned char>('&')] = 3;
        marks[static_cast<unsigned char>('<')] = 3;
        marks[static_cast<unsigned char>('>')] = 3;
        marks[static_cast<unsigned char>('\n')] = 3;
        marks[static_cast<unsigned char>('\r')] = 3;
        marks[static_cast<unsigned char>('"')] = 2;
    }
};

constexpr CEscapeTable EscapeTable;

// Whether any of eight bytes may need escaping: one below a space, an ampersand, a byte from
// '<' to '>' and, in attributes, a quotation mark. A few harmless bytes are caught too.
bool MayNeedEscaping(std::uint64_t word, bool attributeMode)
{
    std::uint64_t const found = BytesBelow(word, 0x20) | BytesEqual(word, '&') |
                                BytesBelow(word ^ (EachByteOne * '<'), 3) | (attributeMode ? BytesEqual(word, '"') : 0);
    return found != 0;
}

[[noreturn]] void ThrowInvalidEol() { throw CNxException(Msg::InvalidEolType); }

} // namespace

CXmlTextWriter::CXmlTextWriter(CTextStream * stream) : CXmlWriter("CXmlTextWriter"), m_stream(stream) {}

CXmlTextWriter::~CXmlTextWriter() = default;

void CXmlTextWriter::SetEOLType(EOLType type)
{
    m_lineEnd = LineEndOf(type);
    m_eolType = type;
}

void CXmlTextWriter::FlushIfFull()
{
    if (m_stream->GetLength() >= FlushThreshold)
        m_stream->Flush();
}

void CXmlTextWriter::WriteIndent(std::uint32_t depth)
{
    std::size_t const length = depth * m_indent.size();
    while (m_indents.size() < length)
        m_indents += m_indent;
    m_stream->Append(m_indents.data(), length);
}

void CXmlTextWriter::CheckStartTagOpen() const
{
    CXmlWriterContext const * const current = GetCurrentContext();
    if (current == nullptr || !current->IsStartTagOpen())
        throw CNxException(Msg::AttributesBeforeElements);
}

void CXmlTextWriter::WriteNamespaceDeclaration(std::string const & prefix, std::string const & namespaceUri)
{
    m_stream->Append(" xmlns:", 7);
    m_stream->Append(prefix);
    m_stream->Append("=\"", 2);
    EscapeAndWrite(namespaceUri, true);
    m_stream->Append('"');
}

void CXmlTextWriter::EscapeAndWrite(std::string const & text, bool attributeMode)
{
    unsigned char const mask = attributeMode ? 2 : 1;
    char const * const data = text.data();
    std::size_t const length = text.size();
    std::size_t run = 0; // start of the bytes not yet written
    std::size_t end = 0; // the end of the last eight bytes tested at once
    for (std::size_t i = 0; i < length; ++i)
    {
        // Plain bytes are passed over eight at a time.
        while (i >= end && length - i >= sizeof(std::uint64_t))
        {
            end = i + sizeof(std::uint64_t);
            if (MayNeedEscaping(LoadWord(data + i), attributeMode))
                break;
            i = end;
        }
        if (i >= length)
            break;
        char const c = data[i];
        if ((EscapeTable.marks[static_cast<unsigned char>(c)] & mask) == 0)
            continue;
        m_stream->Append(data + run, i - run);
        run = i + 1;
        switch (c)
        {
        case '&': m_stream->Append("&amp;", 5); break;
        case '<': m_stream->Append("&lt;", 4); break;
        case '>': m_stream->Append("&gt;", 4); break;
        case '"': m_stream->Append("&quot;", 6); break;
        case '\r': break; // dropped: line ends are written as the line-end kind says
        case '\n':
            if (attributeMode)
                m_stream->Append("&#xA;", 5);
            else if (m_eolType == EOLType_CRLF)
                m_stream->Append("\r\n", 2);
            else if (m_eolType == EOLType_LF)
                m_stream->Append('\n');
            else
                ThrowInvalidEol();
            break;
        }
    }
    m_stream->Append(data + run, length - run);
}

void CXmlTextWriter::WriteStartDocument() { m_stream->Begin(); }

void CXmlTextWriter::WriteEndDocument()
{
    m_stream->End();
    CXmlWriter::WriteEndDocument();
}

void CXmlTextWriter::WriteXmlDeclaration()
{
    m_stream->Append("<?xml version=\"1.0\"");
    if (m_stream->GetEncoding() == XmlEncoding_UTF8)
        m_stream->Append(" encoding=\"UTF-8\"");
    else if (m_stream->GetEncoding() == XmlEncoding_UTF16)
        m_stream->Append(" encoding=\"UTF-16\"");
    m_stream->Append("?>");
    m_stream->Append(m_lineEnd);
    FlushIfFull();
}

void CXmlTextWriter::WriteComment(std::string const & text)
{
    m_stream->Append("<!--", 4);
    EscapeAndWrite(text, false);
    m_stream->Append("-->", 3);
    m_stream->Append(m_lineEnd);
    FlushIfFull();
}

void CXmlTextWriter::WriteRawBlock(std::string const & text)
{
    m_stream->Append(text);
    m_stream->Append(m_lineEnd);
    m_stream->Append(m_lineEnd);
    FlushIfFull();
}

void CXmlTextWriter::WriteRawLine(std::string const & text)
{
    m_stream->Append(' ');
    m_stream->Append(m_lineEnd);
    m_stream->Append(text);
    m_stream->Append(m_lineEnd);
    FlushIfFull();
}

void CXmlTextWriter::WriteStartElement(std::string const & localName, std::string const & namespaceUri)
{
    CXmlWriterContext * const parent = GetCurrentContext();
    if (parent != nullptr && parent->IsStartTagOpen())
    {
        m_stream->Append('>');
        if (m_indentation)
            m_stream->Append(m_lineEnd);
    }
    CXmlWriterContext & context = PushContext(localName, namespaceUri);
    if (parent != nullptr)
        CloseStartTag(*parent);
    if (m_indentation)
        WriteIndent(context.GetDepth());
    m_stream->Append('<');

    if (!namespaceUri.empty() && namespaceUri != context.GetDefaultNamespace())
    {
        std::string & qualifiedName = QualifiedName(context);
        std::string const * prefix = context.FindPrefix(namespaceUri);
        bool const declare = prefix == nullptr;
        if (declare)
            prefix = &DeclareGeneratedPrefix(namespaceUri);
        qualifiedName.reserve(prefix->size() + 1 + localName.size());
        qualifiedName += *prefix;
        qualifiedName += ':';
        qualifiedName += localName;
        m_stream->Append(qualifiedName);
        if (declare)
            WriteNamespaceDeclaration(*prefix, namespaceUri);
    }
    else
    {
        m_stream->Append(localName); // the qualified name stays empty: the end tag uses this one
    }

    if (parent == nullptr)
    {
        if (!GetWriterDefaultNamespace().empty())
        {
            m_stream->Append(" xmlns=\"", 8);
            EscapeAndWrite(GetWriterDefaultNamespace(), true);
            m_stream->Append('"');
        }
        for (auto const & entry : GetWriterNamespaces())
        {
            if (entry.first != XmlNamespaceUri)
                WriteNamespaceDeclaration(entry.second, entry.first);
        }
    }
    FlushIfFull();
}

void CXmlTextWriter::WriteText(std::string const & value, ItemType)
{
    if (value.empty())
        return;
    CXmlWriterContext * const current = GetCurrentContext();
    if (current != nullptr && current->IsStartTagOpen())
    {
        m_stream->Append('>');
        CloseStartTag(*current);
    }
    if (value.size() >= 9 && value.compare(0, 9, "<![CDATA[") == 0)
        m_stream->Append(value);
    else
        EscapeAndWrite(value, false);
    FlushIfFull();
}

void CXmlTextWriter::WriteEndElement()
{
    CXmlWriterContext * const current = GetCurrentContext();
    if (current == nullptr)
        throw CNxException(Msg::ElementHasNotBeenOpened);
    if (current->IsStartTagOpen())
    {
        m_stream->Append("/>", 2);
    }
    else
    {
        if (m_indentation && current->GetChildCount() > 0)
            WriteIndent(current->GetDepth());
        m_stream->Append("</", 2);
        m_stream->Append(current->GetQualifiedName());
        m_stream->Append('>');
    }
    if (m_indentation)
        m_stream->Append(m_lineEnd);
    FlushIfFull();
    PopContext();
}

void CXmlTextWriter::WriteAttribute(std::string const & localName, std::string const & namespaceUri,
                                    std::string const & value, ItemType)
{
    CheckStartTagOpen();
    m_stream->Append(' ');
    if (!namespaceUri.empty())
    {
        // Attributes never take the default namespace: they always carry a prefix.
        std::string const * prefix = GetCurrentContext()->FindPrefix(namespaceUri);
        if (prefix == nullptr)
        {
            prefix = &DeclareGeneratedPrefix(namespaceUri);
            m_stream->Append("xmlns:", 6);
            m_stream->Append(*prefix);
            m_stream->Append("=\"", 2);
            EscapeAndWrite(namespaceUri, true);
            m_stream->Append("\" ", 2);
        }
        m_stream->Append(*prefix);
        m_stream->Append(':');
    }
    m_stream->Append(localName);
    m_stream->Append("=\"", 2);
    EscapeAndWrite(value, true);
    m_stream->Append('"');
    FlushIfFull();
}

void CXmlTextWriter::WriteXsiType(std::string const & typeNamespace, std::string const & typeName, ItemType itemType)
{
    CheckStartTagOpen();
    CXmlWriterContext * const current = GetCurrentContext();
    std::string value;
    if (!typeNamespace.empty() && typeNamespace != current->GetDefaultNamespace())
    {
        std::string const * prefix = current->FindPrefix(typeNamespace);
        if (prefix == nullptr)
        {
            prefix = &DeclareGeneratedPrefix(typeNamespace);
            WriteNamespaceDeclaration(*prefix, typeNamespace);
            m_stream->Append(' ');
        }
        value = *prefix + ":" + typeName;
    }
    else
    {
        value = typeName;
    }
    WriteAttribute("type", XsiNamespaceUri, value, itemType);
}

void CXmlTextWriter::WriteXsiNil()
{
    CheckStartTagOpen();
    WriteAttribute("nil", XsiNamespaceUri, "true", ItemType_boolean);
}

} // namespace NxXmlLib16
