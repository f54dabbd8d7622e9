// CXmlDocument, CXmlElement, CXmlAttribute: the light read-only tree that every reader builds.
#pragma once

#include "BinaryData.h"
#include "InstanceMonitor.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace NxXmlLib16
{

class CSerializationContext;
class CXmlDocument;
class CXmlElement;
class CExpatReader;
struct CXmlDocumentStore;

// Switches file loading to reading and parsing in 128 KiB chunks (XML text only).
void AsyncFromXmlFile(bool async);
// Whether files are loaded in chunks.
bool IsAsyncFromXmlFile();

// A namespace URI and local name, stored once per document: equal names share one object.
struct CXmlName
{
    std::string key; // the name as the parser reported it
    std::string namespaceUri;
    std::string localName;
};

// One attribute of an element. Names and values live as long as their document.
class CXmlAttribute
{
public:
    CXmlElement const * GetOwner() const { return m_owner; }
    CXmlName const & GetName() const { return *m_name; }
    std::string const & GetLocalName() const { return m_name->localName; }
    // The value; its data() is zero-terminated.
    std::string_view GetValue() const { return std::string_view(m_value, m_valueLength); }
    std::string const & GetNamespaceURI() const { return m_name->namespaceUri; }
    // The owner's path, "/@" and the (prefixed) attribute name.
    std::string GetXPath() const;
    // An xmlns, xsi:type or schema-location attribute, which binding never reports as unknown.
    bool IsNamespaceAttribute() const;
    // An xsi:nil attribute.
    bool IsNilAttribute() const;

private:
    friend class CXmlDocument;
    CXmlAttribute() = default;

    CXmlElement const * m_owner = nullptr;
    CXmlName const * m_name = nullptr;
    char const * m_value = nullptr;
    std::uint32_t m_valueLength = 0;
};

// The attributes of one element, in document order.
class CXmlAttributeRange
{
public:
    CXmlAttributeRange(CXmlAttribute const * first, std::uint32_t count) : m_first(first), m_count(count) {}
    CXmlAttribute const * begin() const { return m_first; }
    CXmlAttribute const * end() const { return m_first + m_count; }
    std::size_t size() const { return m_count; }
    bool empty() const { return m_count == 0; }
    CXmlAttribute const & operator[](std::size_t index) const { return m_first[index]; }

private:
    CXmlAttribute const * m_first;
    std::uint32_t m_count;
};

// One element: its names, its attributes, its own character data and its child elements.
class CXmlElement
{
public:
    // The document that holds the element.
    CXmlDocument const * GetDocument() const;
    // The parent element, or null for the document element.
    CXmlElement const * GetParentElm() const
    {
        return (m_parentOrDocument & 1) != 0 ? nullptr : reinterpret_cast<CXmlElement const *>(m_parentOrDocument);
    }
    // The first child element, or null.
    CXmlElement * GetFirstElement() const { return m_firstChild; }
    // The next sibling element, or null.
    CXmlElement * GetNextSiblingElement() const { return m_nextSibling; }
    CXmlAttributeRange GetAttributes() const { return CXmlAttributeRange(m_attributes, m_attributeCount); }
    // All character data of the element itself, concatenated, without carriage returns; its
    // data() is zero-terminated. Whitespace alone between child elements is not kept.
    std::string_view GetText() const { return std::string_view(m_text, m_textLength); }
    CXmlName const & GetName() const { return *m_name; }
    std::string const & GetLocalName() const { return m_name->localName; }
    // The namespace URI, empty for none.
    std::string const & GetNamespaceURI() const { return m_name->namespaceUri; }
    // The value of the attribute with this name and namespace, or an empty value.
    std::string_view GetAttribute(std::string_view localName, std::string_view namespaceUri) const;
    // The path from the document element, such as /order/item[2].
    std::string GetXPath() const;

private:
    friend class CXmlDocument;
    friend class CXmlAttribute;
    CXmlElement() = default;

    // The prefixed name, when the document declared a prefix for the namespace.
    std::string GetQName() const;
    // The prefixed name with [n] when same-named siblings exist.
    std::string GetNameWithPredicate() const;

    // Kept small: a document holds one of these per element. The parent field of the document
    // element holds the document's address with its lowest bit set.
    std::uintptr_t m_parentOrDocument = 0;
    CXmlElement * m_nextSibling = nullptr;
    CXmlElement * m_firstChild = nullptr;
    CXmlAttribute const * m_attributes = nullptr;
    CXmlName const * m_name = nullptr;
    char const * m_text = "";
    std::uint32_t m_attributeCount = 0;
    std::uint32_t m_textLength = 0;
};

// Loads XML text (from a file, a string or a memory block, gzip- or zlib-compressed or not)
// into a read-only tree of elements that lives as long as the document.
class CXmlDocument : public CInstanceMonitor
{
public:
    // Decides, once an element is complete, whether it is dropped from the tree.
    using ElementFilter = bool (*)(CXmlElement *);

    CXmlDocument();
    explicit CXmlDocument(CSerializationContext const & context);
    explicit CXmlDocument(ElementFilter filter);
    CXmlDocument(ElementFilter filter, CSerializationContext const & context);
    // Takes the other's filter and context; the tree is not copied.
    CXmlDocument(CXmlDocument const & other);
    CXmlDocument & operator=(CXmlDocument const &) = delete;
    ~CXmlDocument() override;

    // Reads and parses a file.
    void Load(char const * fileName);
    // Parses a memory block; the block must stay alive during the call only.
    void LoadXmlStream(unsigned char const * data, std::uint32_t length);
    // Parses XML text.
    void LoadXml(char const * text);
    // Parses zero-terminated UTF-16 XML text.
    void LoadXml(unsigned short const * text);

    // The root element, or null before a load.
    CXmlElement * GetDocumentElement() const { return m_documentElement; }
    // The namespace declared for a prefix anywhere in the document ("" for the default), or "".
    std::string LookupNamespaceFromAlias(char const * alias) const;
    // The first prefix, in prefix order, declared for the namespace, or "".
    std::string LookupAliasFromNamespace(char const * namespaceUri) const;

protected:
    // Discards the tree, the input and the declarations.
    virtual void Cleanup();

private:
    friend class CExpatReader;

    // An attribute as a reader hands it over, before it is stored.
    struct CPendingAttribute
    {
        CXmlName const * name;
        std::string_view value;
    };

    void Init();
    // Opens a new element as the document element or as the last child of the open element.
    CXmlElement * AddElement(CXmlName const & name, std::vector<CPendingAttribute> const & attributes);
    // Closes the open element, stores its text, and drops it when the filter says so.
    void EndElement();
    // Adds character data to the open element, leaving out carriage returns.
    void AppendTextExcludingCR(char const * text, std::size_t length);
    // Adds character data that holds no carriage return to the open element.
    void AppendText(char const * text, std::size_t length);
    // Records a namespace declaration (an empty prefix is the default namespace).
    void AddNamespaceDeclaration(std::string const & prefix, std::string const & namespaceUri);
    // The stored name for a parser's name, or null when it was not met before.
    CXmlName const * FindName(std::string_view key) const;
    // Stores a name met for the first time.
    CXmlName const & AddName(std::string_view key, std::string_view namespaceUri, std::string_view localName);

    // Inflates compressed input, then parses it as XML text.
    void Parse(unsigned char const * data, std::size_t length);
    // Parses XML text held in memory as one final chunk.
    void ParseText(unsigned char const * data, std::size_t length);
    // Reads a file in 128 KiB chunks and parses each as it arrives.
    void AsyncParse(char const * fileName);

    CXmlElement * m_documentElement = nullptr;
    std::map<std::string, std::string> m_namespaceAliases; // prefix -> namespace URI
    CBinaryData m_input;
    ElementFilter m_filter = nullptr;
    CSerializationContext const * m_context;
    std::unique_ptr<CXmlDocumentStore> m_store;
};

} // namespace NxXmlLib16
