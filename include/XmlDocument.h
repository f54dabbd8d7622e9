// CXmlDocument, CXmlElement, CXmlAttribute: the light read-only tree that every reader builds.
#pragma once

#include "BinaryData.h"
#include "InstanceMonitor.h"

#include <cstddef>
#include <cstdint>
#include <iterator>
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
class CFastInfosetReader;
class CQuickXmlReader;
struct CXmlDocumentStore;
struct CXmlStoredName;

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

// Text held by a document: a view of zero-terminated characters that reads like the string it
// stands for (c_str(), comparisons) and converts to std::string where one is wanted.
class CXmlText : public std::string_view
{
public:
    // The shared empty text: every absent value and empty text has this one address.
    constexpr CXmlText() noexcept : std::string_view(Empty, 0) {}
    // The text must be followed by a zero byte.
    constexpr CXmlText(char const * data, std::size_t length) noexcept : std::string_view(data, length) {}
    // The characters, zero-terminated.
    constexpr char const * c_str() const noexcept { return data(); }
    // A copy of the text.
    operator std::string() const { return std::string(data(), size()); }

private:
    static constexpr char Empty[1] = {'\0'};
};

// One attribute of an element. Names and values live as long as their document; a copy refers
// to the attribute in the document and reads the same.
class CXmlAttribute
{
public:
    CXmlAttribute(CXmlAttribute const & other) { Refer(other.Stored()); }
    CXmlAttribute & operator=(CXmlAttribute const & other);

    CXmlElement const * GetOwner() const
    {
        CXmlAttribute const & stored = Stored();
        return stored.At<CXmlElement const>(stored.m_owner);
    }
    CXmlName const & GetName() const
    {
        CXmlAttribute const & stored = Stored();
        return **stored.At<CXmlName const * const>(stored.m_name);
    }
    std::string const & GetLocalName() const { return GetName().localName; }
    // The value, zero-terminated.
    CXmlText GetValue() const
    {
        CXmlAttribute const & stored = Stored();
        if (stored.m_tail.value.length == 0)
            return CXmlText();
        return CXmlText(stored.At<char const>(stored.m_tail.value.distance), stored.m_tail.value.length);
    }
    std::string const & GetNamespaceURI() const { return GetName().namespaceUri; }
    // The owner's path, "/@" and the (prefixed) attribute name.
    std::string GetXPath() const;
    // An xmlns, xsi:type or schema-location attribute, which binding never reports as unknown.
    bool IsNamespaceAttribute() const;
    // An xsi:nil attribute.
    bool IsNilAttribute() const;

private:
    friend class CXmlDocument;
    CXmlAttribute() = default;

    // The attribute in the document: this one, or the one a copy refers to.
    CXmlAttribute const & Stored() const { return m_owner != 0 ? *this : *m_tail.original; }
    // Makes this a copy of the stored attribute.
    void Refer(CXmlAttribute const & stored);
    // The record at a distance from this one.
    template <class T>
    T * At(std::int32_t distance) const
    {
        return reinterpret_cast<T *>(reinterpret_cast<char const *>(this) + static_cast<std::ptrdiff_t>(distance) * 8);
    }

    // Kept small, 16 bytes: distances in units of 8 bytes to the owner, to the slot of the name
    // and to the value. The owner is never at distance 0, so 0 marks a copy. No member has an
    // initialiser, so that records written into the document's tree are objects of this class.
    std::int32_t m_owner;
    std::int32_t m_name;
    union CTail
    {
        struct CValue
        {
            std::int32_t distance;
            std::uint32_t length;
        } value;
        CXmlAttribute const * original;
    } m_tail;
};

// The attributes of one element, in document order, handed out as pointers.
class CXmlAttributeRange
{
public:
    // Walks the attribute records and yields the address of each.
    class const_iterator
    {
    public:
        using iterator_category = std::random_access_iterator_tag;
        using value_type = CXmlAttribute const *;
        using difference_type = std::ptrdiff_t;
        using pointer = CXmlAttribute const * const *;
        using reference = CXmlAttribute const *;

        explicit const_iterator(CXmlAttribute const * at = nullptr) : m_at(at) {}
        CXmlAttribute const * operator*() const { return m_at; }
        CXmlAttribute const * operator[](difference_type offset) const { return m_at + offset; }
        const_iterator & operator++()
        {
            ++m_at;
            return *this;
        }
        const_iterator operator++(int) { return const_iterator(m_at++); }
        const_iterator & operator--()
        {
            --m_at;
            return *this;
        }
        const_iterator operator--(int) { return const_iterator(m_at--); }
        const_iterator & operator+=(difference_type offset)
        {
            m_at += offset;
            return *this;
        }
        const_iterator & operator-=(difference_type offset)
        {
            m_at -= offset;
            return *this;
        }
        friend const_iterator operator+(const_iterator it, difference_type offset) { return it += offset; }
        friend const_iterator operator+(difference_type offset, const_iterator it) { return it += offset; }
        friend const_iterator operator-(const_iterator it, difference_type offset) { return it -= offset; }
        friend difference_type operator-(const_iterator a, const_iterator b) { return a.m_at - b.m_at; }
        friend bool operator==(const_iterator a, const_iterator b) { return a.m_at == b.m_at; }
        friend bool operator!=(const_iterator a, const_iterator b) { return a.m_at != b.m_at; }
        friend bool operator<(const_iterator a, const_iterator b) { return a.m_at < b.m_at; }
        friend bool operator>(const_iterator a, const_iterator b) { return a.m_at > b.m_at; }
        friend bool operator<=(const_iterator a, const_iterator b) { return a.m_at <= b.m_at; }
        friend bool operator>=(const_iterator a, const_iterator b) { return a.m_at >= b.m_at; }

    private:
        CXmlAttribute const * m_at;
    };
    using iterator = const_iterator;
    using value_type = CXmlAttribute const *;
    using size_type = std::size_t;

    CXmlAttributeRange(CXmlAttribute const * first, std::uint32_t count) : m_first(first), m_count(count) {}
    const_iterator begin() const { return const_iterator(m_first); }
    const_iterator end() const { return const_iterator(m_first + m_count); }
    std::size_t size() const { return m_count; }
    bool empty() const { return m_count == 0; }
    // The attribute at a position, which must be below size().
    CXmlAttribute const * operator[](std::size_t index) const { return m_first + index; }

private:
    CXmlAttribute const * m_first;
    std::uint32_t m_count;
};

// One element: its names, its attributes, its own character data and its child elements. A copy
// refers to the element in the document and reads the same.
class CXmlElement
{
public:
    CXmlElement(CXmlElement const & other) { Refer(other.Stored()); }
    CXmlElement & operator=(CXmlElement const & other);

    // The document that holds the element.
    CXmlDocument const * GetDocument() const;
    // The parent element, or null for the document element.
    CXmlElement const * GetParentElm() const
    {
        CXmlElement const & stored = Stored();
        return (stored.m_flags & IsRoot) != 0 ? nullptr : stored.At<CXmlElement const>(stored.m_head.links.parent);
    }
    // The first child element, or null.
    CXmlElement * GetFirstElement() const
    {
        CXmlElement const & stored = Stored();
        if (stored.m_firstChild == 0)
            return (stored.m_flags & (IsOpen | IsDropped)) != 0 ? stored.AwaitFirstChild() : nullptr;
        return stored.At<CXmlElement>(stored.m_firstChild);
    }
    // The next sibling element, or null.
    CXmlElement * GetNextSiblingElement() const
    {
        CXmlElement const & stored = Stored();
        std::int32_t const next = stored.m_head.links.nextSibling;
        if (next == 0)
            return (stored.m_flags & IsReadOnDemand) != 0 ? stored.AwaitNextSibling() : nullptr;
        return stored.At<CXmlElement>(next);
    }
    CXmlAttributeRange GetAttributes() const
    {
        CXmlElement const & stored = Stored();
        return CXmlAttributeRange(reinterpret_cast<CXmlAttribute const *>(&stored + 1), stored.m_attributeCount);
    }
    // All character data of the element itself, concatenated in document order, without
    // carriage returns, zero-terminated; whitespace between child elements included.
    CXmlText GetText() const
    {
        CXmlElement const & stored = Stored();
        if ((stored.m_flags & (IsOpen | IsDropped)) != 0)
            stored.AwaitEnd();
        if (stored.m_textLength == 0)
            return CXmlText();
        return CXmlText(stored.At<char const>(stored.m_text), stored.m_textLength);
    }
    CXmlName const & GetName() const
    {
        CXmlElement const & stored = Stored();
        return **stored.At<CXmlName const * const>(stored.m_name);
    }
    std::string const & GetLocalName() const { return GetName().localName; }
    // The namespace URI, empty for none.
    std::string const & GetNamespaceURI() const { return GetName().namespaceUri; }
    // The value of the attribute with this name and namespace, or the shared empty text.
    CXmlText GetAttribute(std::string_view localName, std::string_view namespaceUri) const;
    // The path from the document element, such as /order/item[2].
    std::string GetXPath() const;

private:
    friend class CXmlDocument;
    friend class CDemandXmlReader;
    CXmlElement() = default;

    enum Flags : std::uint32_t
    {
        IsRoot = 1,         // the parent link leads to the document's record
        IsCopy = 2,         // the head holds the element this one is a copy of
        IsOpen = 4,         // its end tag is not read yet
        IsReadOnDemand = 8, // its document reads the text only as far as asked
        IsDropped = 16,     // its content was given back once reading had passed it
    };

    // The element in the document: this one, or the one a copy refers to.
    CXmlElement const & Stored() const { return (m_flags & IsCopy) == 0 ? *this : *m_head.original; }
    // Makes this a copy of the stored element.
    void Refer(CXmlElement const & stored);
    // Read the text on, as far as the element's first child, next sibling or end tag.
    CXmlElement * AwaitFirstChild() const;
    CXmlElement * AwaitNextSibling() const;
    void AwaitEnd() const;
    // The record at a distance from this one.
    template <class T>
    T * At(std::int32_t distance) const
    {
        return reinterpret_cast<T *>(const_cast<char *>(reinterpret_cast<char const *>(this)) +
                                     static_cast<std::ptrdiff_t>(distance) * 8);
    }
    // The prefixed name, when the document declared a prefix for the namespace.
    std::string GetQName() const;
    // The prefixed name with [n] when same-named siblings exist.
    std::string GetNameWithPredicate() const;
    // The same two names with the prefixes of a document already found.
    std::string QNameIn(CXmlDocument const & document) const;
    std::string NameWithPredicateIn(CXmlDocument const & document) const;

    // Kept small, 32 bytes, as a document holds one per element: links are distances in units
    // of 8 bytes from this record (0: none) into the document's tree, where the attributes
    // follow the element. No member has an initialiser, so that records written into the tree
    // are objects of this class.
    union CHead
    {
        struct CLinks
        {
            std::int32_t parent;
            std::int32_t nextSibling;
        } links;
        CXmlElement const * original;
    } m_head;
    std::int32_t m_firstChild;
    std::int32_t m_name; // to the slot that holds the name
    std::int32_t m_text;
    std::uint32_t m_textLength;
    std::uint32_t m_attributeCount;
    std::uint32_t m_flags;
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
    void LoadXmlStream(unsigned char const * data, std::size_t length);
    // Parses XML text.
    void LoadXml(char const * text);
    // Parses zero-terminated UTF-16 XML text.
    void LoadXml(unsigned short const * text);
    // Convert JSON (from a file, a memory block, or text) to XML text, returned as UTF-8 bytes;
    // the tree is not built. Files and blocks may be gzip- or zlib-compressed.
    CBinaryData LoadJsonFile(char const * fileName);
    CBinaryData LoadJsonStream(unsigned char const * data, std::uint32_t length);
    CBinaryData LoadJson(char const * text);
    // Zero-terminated UTF-16 JSON text.
    CBinaryData LoadJson(unsigned short const * text);

    // How deep the elements of the last load nest: 1 for a lone document element, 0 before a load.
    std::size_t GetMaxDepth() const;
    // The root element, or null before a load.
    CXmlElement * GetDocumentElement() const;
    // The namespace declared for a prefix anywhere in the document ("" for the default), or "".
    std::string LookupNamespaceFromAlias(char const * alias) const;
    // The first prefix, in prefix order, declared for the namespace, or "".
    std::string LookupAliasFromNamespace(char const * namespaceUri) const;

protected:
    // Discards the tree, the input and the declarations.
    virtual void Cleanup();

private:
    friend class CExpatReader;
    friend class CFastInfosetReader;
    friend class CQuickXmlReader;
    friend class CXmlElement;
    friend class CXmlObjectBase;

    // An attribute as a reader hands it over, before it is stored.
    struct CPendingAttribute
    {
        CXmlStoredName const * name;
        std::string_view value;
    };

    void Init();
    // Makes the next load of XML text or Fast Infoset held in memory read only as far as the
    // walk over the tree asks; what it has passed is given back (see CDemandXmlReader).
    void ReadOnDemand() { m_readOnDemand = true; }
    // Whether the last load reads its text as the walk asks; the walk then ends with
    // FinishReadingOnDemand.
    bool IsReadingOnDemand() const;
    // Reads the rest of a text read on demand; throws CReadWholeText when what the walk found
    // may differ from what the whole text gives, and the text is to be read by ReadWholeText.
    void FinishReadingOnDemand();
    // Reads a text that was read on demand again, whole, into a new tree.
    void ReadWholeText();
    // Stores the record that elements find the document by; the tree starts with it.
    void StartTree();
    // The element stored at an offset of the tree.
    CXmlElement & Element(std::size_t offset) const;
    // Opens a new element as the document element or as the last child of the open element.
    void AddElement(CXmlStoredName const & name, std::vector<CPendingAttribute> const & attributes);
    // Closes the open element, stores its text, and drops it when the filter says so.
    void EndElement();
    // Adds character data to the open element, leaving out carriage returns.
    void AppendTextExcludingCR(char const * text, std::size_t length);
    // Adds character data that holds no carriage return to the open element.
    void AppendText(char const * text, std::size_t length);
    // Records a namespace declaration (an empty prefix is the default namespace).
    void AddNamespaceDeclaration(std::string const & prefix, std::string const & namespaceUri);
    // The stored name for a parser's name, or null when it was not met before.
    CXmlStoredName const * FindName(std::string_view key) const;
    // The offset of the name's slot, made when the first record refers to the name.
    std::size_t SlotOf(CXmlStoredName const & name);
    // Stores a name met for the first time.
    CXmlStoredName const & AddName(std::string_view key, std::string_view namespaceUri, std::string_view localName);

    // Inflates compressed input, then reads it as Fast Infoset or parses it as XML text.
    void Parse(unsigned char const * data, std::size_t length);
    // Inflates gzip or zlib input into the reader it holds; false, with nothing read, when the
    // input is not a whole compressed stream.
    bool ParseCompressed(unsigned char const * data, std::size_t length);
    // Reads XML text held in memory: its common form directly, anything else with Expat.
    void ParseText(unsigned char const * data, std::size_t length);
    // Reads XML text held in memory with Expat.
    void ParseWithExpat(unsigned char const * data, std::size_t length);
    // Reads Fast Infoset held in memory, whole.
    void ParseFastInfoset(unsigned char const * data, std::size_t length);
    // Starts reading XML text or Fast Infoset on demand; false, with nothing read, when the
    // tree cannot be kept in place.
    bool StartReadingOnDemand(unsigned char const * data, std::size_t length, bool fastInfoset);
    // Reads a file in 128 KiB chunks and parses each as it arrives.
    void AsyncParse(char const * fileName);
    // Reads a whole file into the input buffer.
    void ReadFile(char const * fileName);
    // Inflates compressed JSON bytes, decodes UTF-16 ones, and converts them to XML text.
    CBinaryData ParseJson(unsigned char const * data, std::size_t length);
    // Decodes UTF-16 JSON bytes and converts the JSON to XML text.
    CBinaryData ParseJsonBytes(unsigned char const * data, std::size_t length);
    // Converts UTF-8 JSON text, after a byte-order mark if there is one, to XML text.
    CBinaryData ParseJsonText(char const * text, std::size_t length);

    std::map<std::string, std::string> m_namespaceAliases; // prefix -> namespace URI
    CBinaryData m_input;
    ElementFilter m_filter = nullptr;
    bool m_readOnDemand = false;
    // A copy of the options the document was made with, so it never outlives them.
    std::unique_ptr<CSerializationContext const> m_context;
    std::unique_ptr<CXmlDocumentStore> m_store;
};

} // namespace NxXmlLib16
