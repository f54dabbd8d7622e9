// CXmlTextWriter: writes XML text, indented or not, into a text stream.
#pragma once

#include "XmlWriter.h"

#include <string>

namespace NxXmlLib16
{

class CTextStream;

// Writes XML text with escaping, indentation, line ends and namespace declarations with
// generated prefixes; hands the text to its stream whenever 4096 bytes are buffered.
class CXmlTextWriter : public CXmlWriter
{
public:
    // The stream is not owned and must outlive the writer.
    explicit CXmlTextWriter(CTextStream * stream);
    ~CXmlTextWriter() override;

    void WriteStartDocument() override;
    void WriteEndDocument() override;
    void WriteComment(std::string const & text) override;
    void WriteRawBlock(std::string const & text) override;
    void WriteRawLine(std::string const & text) override;
    void WriteStartElement(std::string const & localName, std::string const & namespaceUri) override;
    void WriteText(std::string const & value, ItemType itemType) override;
    void WriteEndElement() override;
    void WriteAttribute(std::string const & localName, std::string const & namespaceUri, std::string const & value,
                        ItemType itemType) override;
    void WriteXsiType(std::string const & typeNamespace, std::string const & typeName, ItemType itemType) override;
    void WriteXsiNil() override;

    // Indentation on: a line end after each tag and the indent string once per level.
    void SetIndentation(bool indentation) { m_indentation = indentation; }
    bool GetIndentation() const { return m_indentation; }
    // The unit of indentation.
    void SetIndentChars(std::string const & indentChars)
    {
        m_indent = indentChars;
        m_indents.clear();
    }
    // 0: carriage return and line feed; 1: line feed; anything else throws.
    void SetEOLType(EOLType type);
    // Writes <?xml version="1.0" ...?> with the encoding of the stream.
    void WriteXmlDeclaration();

private:
    // Writes text with &, <, > (and " in attributes) escaped and line ends translated.
    void EscapeAndWrite(std::string const & text, bool attributeMode);
    // Writes the indent string depth times.
    void WriteIndent(std::uint32_t depth);
    // Hands the buffered text to the stream once 4096 bytes or more are waiting.
    void FlushIfFull();
    // Throws unless the current element's start tag is still open.
    void CheckStartTagOpen() const;
    // Writes ' xmlns:prefix="uri"'.
    void WriteNamespaceDeclaration(std::string const & prefix, std::string const & namespaceUri);

    std::string m_indent = "\t";
    std::string m_indents; // the indent string repeated for the deepest level written so far
    std::string m_lineEnd = "\n";
    EOLType m_eolType = EOLType_LF;
    bool m_indentation = true;
    CTextStream * m_stream;
};

} // namespace NxXmlLib16
