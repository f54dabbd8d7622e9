// CXmlWriter: the abstract output sink of every serialiser, with its namespace scopes.
#pragma once

#include "InstanceMonitor.h"
#include "ItemType.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace NxXmlLib16
{

// The line end of written text.
enum EOLType : std::int32_t
{
    EOLType_CRLF = 0, // carriage return and line feed
    EOLType_LF = 1    // line feed alone
};

// The sink that the generated-class driver and the metadata write through; the XML text,
// Fast Infoset and JSON writers implement it. It keeps one namespace scope per open element.
class CXmlWriter : public CInstanceMonitor
{
public:
    using CNamespaceMap = std::map<std::string, std::string>; // namespace URI -> prefix

    // The state of one open element: its name, its children so far and its namespace scope.
    class CXmlWriterContext : public CInstanceMonitor
    {
    public:
        CXmlWriterContext();
        ~CXmlWriterContext() override;

        std::uint32_t GetChildCount() const { return m_childCount; }
        bool IsStartTagOpen() const { return m_startTagOpen; }
        std::uint32_t GetDepth() const { return m_depth; }
        std::string const & GetNamespaceURI() const { return m_namespaceUri; }
        std::string const & GetLocalName() const { return m_localName; }
        // The name as written in the start tag, with its prefix.
        std::string const & GetQualifiedName() const { return m_qualifiedName.empty() ? m_localName : m_qualifiedName; }
        CXmlWriterContext * GetParent() const { return m_parent; }
        std::int32_t GetArrayState() const { return m_arrayState; }
        // The default namespace in scope.
        std::string const & GetDefaultNamespace() const { return m_scope->m_defaultNamespace; }
        // The prefix of a namespace in scope, or null when it has none.
        std::string const * FindPrefix(std::string const & namespaceUri) const;

    private:
        friend class CXmlWriter;

        // Makes this scope own a copy of the scope it inherits, before something is declared in it.
        void OwnScope();
        // A prefix AA, AB, ... that this scope does not use yet.
        std::string GenerateNamespacePrefix() const;

        std::uint32_t m_childCount = 0;
        bool m_startTagOpen = false;
        std::uint32_t m_depth = 0;
        std::string m_namespaceUri;
        std::string m_localName;
        std::string m_qualifiedName; // empty when the name has no prefix
        CXmlWriterContext * m_parent = nullptr;
        std::int32_t m_arrayState = 0;
        std::string m_defaultNamespace;
        std::unique_ptr<CNamespaceMap> m_namespaces;
        // The nearest scope that owns its map: this one, or one it inherits from.
        CXmlWriterContext * m_scope = this;
    };

    explicit CXmlWriter(char const * className);
    CXmlWriter(CXmlWriter const &) = delete;
    CXmlWriter & operator=(CXmlWriter const &) = delete;
    ~CXmlWriter() override;

    // Starts the output.
    virtual void WriteStartDocument();
    // Ends the output; throws when an element is still open.
    virtual void WriteEndDocument();
    // Sets the default namespace of the writer (before the root) or of the current scope.
    virtual void SetDefaultNamespace(std::string const & namespaceUri);
    // Declares a prefix on the writer (before the root) or in the current scope.
    virtual void AddNamespace(std::string const & prefix, std::string const & namespaceUri);
    virtual void WriteComment(std::string const & text) = 0;
    // Writes text unescaped, such as a processing instruction before the root.
    virtual void WriteRawBlock(std::string const & text) = 0;
    // Writes text unescaped into the open start tag, such as an in-line schema.
    virtual void WriteRawLine(std::string const & text) = 0;
    virtual void WriteStartElement(std::string const & localName, std::string const & namespaceUri) = 0;
    virtual void WriteText(std::string const & value, ItemType itemType) = 0;
    virtual void WriteEndElement() = 0;
    virtual void WriteAttribute(std::string const & localName, std::string const & namespaceUri,
                                std::string const & value, ItemType itemType) = 0;
    virtual void WriteXsiType(std::string const & typeNamespace, std::string const & typeName, ItemType itemType) = 0;
    virtual void WriteXsiNil() = 0;

    // Stores the array state of the current element (read by the JSON writer).
    void SetArrayState(std::uint32_t state);

protected:
    // The namespace of the xml prefix and that of the schema instance (xsi:type, xsi:nil).
    static std::string const XmlNamespaceUri;
    static std::string const XsiNamespaceUri;
    // Text writers hand their buffer to the stream once this many bytes are waiting.
    static constexpr std::size_t FlushThreshold = 4096;
    // The line-end text of a kind; throws for a kind other than 0 and 1.
    static char const * LineEndOf(EOLType type);

    // The innermost open element, or null.
    CXmlWriterContext * GetCurrentContext() const { return m_current; }
    // Opens a new element scope (the root scope is built from the writer's declarations).
    CXmlWriterContext & PushContext(std::string const & localName, std::string const & namespaceUri);
    // Closes the innermost element scope, discarding what was declared in it.
    void PopContext();
    // The writer's own default namespace and declarations, used for the root element.
    std::string const & GetWriterDefaultNamespace() const { return m_defaultNamespace; }
    CNamespaceMap const & GetWriterNamespaces() const { return m_namespaces; }
    // Declares a generated prefix for the namespace in the current scope and returns it.
    std::string const & DeclareGeneratedPrefix(std::string const & namespaceUri);
    // Marks the element's start tag as closed.
    static void CloseStartTag(CXmlWriterContext & context) { context.m_startTagOpen = false; }
    // The name the element was started with, for the writer to fill in.
    static std::string & QualifiedName(CXmlWriterContext & context) { return context.m_qualifiedName; }

private:
    std::string m_defaultNamespace;
    CXmlWriterContext * m_current = nullptr;
    CNamespaceMap m_namespaces;
    // Scopes are kept for reuse by depth, so opening an element does not allocate.
    std::vector<std::unique_ptr<CXmlWriterContext>> m_contexts;
    std::size_t m_depth = 0;
};

} // namespace NxXmlLib16
