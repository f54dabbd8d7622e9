// CJsonTextWriter: writes the element tree as JSON text, indented or not, into a text stream.
#pragma once

#include "JsonContext.h"
#include "XmlWriter.h"

#include <string>
#include <vector>

namespace NxXmlLib16
{

class CTextStream;

// Turns the writer calls of a serialisation into one JSON object: elements become members,
// attributes "@" members (or plain members), element text "#text" (or the empty name), runs of
// collection items arrays; hands the text to its stream whenever 4096 bytes are buffered.
class CJsonTextWriter : public CXmlWriter
{
public:
    // The stream is not owned and must outlive the writer.
    explicit CJsonTextWriter(CTextStream * stream);
    ~CJsonTextWriter() override;

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

    // Indentation on: a line end after each member and the indent string once per level.
    void SetIndentation(bool indentation) { m_indentation = indentation; }
    bool GetIndentation() const { return m_indentation; }
    // The unit of indentation.
    void SetIndentChars(std::string const & indentChars);
    // 0: carriage return and line feed; 1: line feed; anything else throws.
    void SetEOLType(EOLType type);
    // What the member names keep of attributes, text and namespaces.
    void SetSupportRoundtrip(JsonRoundTrip mode) { m_mode = mode; }
    JsonRoundTrip GetSupportRoundtrip() const { return m_mode; }
    // Opens the document's object: "{" and, when indenting, a line end.
    void WriteDocumentStart();
    // Closes the document's object: a line end when indenting, then "}".
    void WriteDocumentEnd();

private:
    // What the writer keeps per open element besides the namespace scope.
    struct CJsonScope
    {
        std::uint32_t depth = 0;  // indentation level of the element's members, less one
        bool bracketOpen = false; // an array of this element's children is open
        std::string itemName;     // local name and namespace of the open array's items
        std::string itemNamespace;
    };

    // Opens the current element's object, or separates a member from the previous one.
    void WriteMemberSeparator();
    // Starts a member of the current element at its members' indentation.
    void BeginMember();
    // Writes the name of an element member, with its prefix in the full round-trip mode; returns
    // the prefix generated for a root element in an undeclared namespace, or null.
    std::string const * WriteElementName(CXmlWriterContext & context, std::string const & localName,
                                         std::string const & namespaceUri, bool isRoot);
    // Writes the "@xmlns" members of the root element in the full round-trip mode.
    void WriteRootDeclarations(CXmlWriterContext & root, std::string const * generatedPrefix);
    // Writes one "@xmlns..." member of the current element.
    void WriteDeclarationMember(std::string const * prefix, std::string const & namespaceUri);
    // The prefix of a namespace in scope; throws when none is declared.
    std::string const & RequirePrefix(std::string const & namespaceUri) const;
    // Closes the array that the current element's children left open.
    void CloseBracket(CJsonScope & scope);
    // Writes a value: numbers, booleans and decimals bare, everything else as a string.
    void WriteValue(std::string const & value, ItemType itemType);
    // Writes a quoted, escaped string.
    void WriteString(std::string const & text);
    // Writes text with quotes, backslashes and control bytes escaped.
    void EscapeAndWrite(std::string const & text);
    // Writes the indent string depth times.
    void WriteIndent(std::uint32_t depth);
    // Writes the line end when indenting.
    void WriteLineEnd();
    // Hands the buffered text to the stream once 4096 bytes or more are waiting.
    void FlushIfFull();
    // The record of the innermost open element.
    CJsonScope & CurrentScope() { return m_scopes[m_level - 1]; }

    std::string m_indent = "\t";
    std::string m_lineEnd = "\n";
    JsonRoundTrip m_mode = JsonRoundTrip_Full;
    bool m_indentation = true;
    CTextStream * m_stream;
    // The current element's member name is written but its value is not opened yet.
    bool m_valuePending = false;
    // The current element's value was written as a single value, not as an object.
    bool m_scalarWritten = false;
    // A root element was written into the document's object.
    bool m_hasRoot = false;
    // The indent string repeated, so that an indentation is one append.
    std::string m_indentRun;
    // One record per open element, kept for reuse by nesting level.
    std::vector<CJsonScope> m_scopes;
    std::size_t m_level = 0;
};

} // namespace NxXmlLib16
