// CFIVocabulary and CFastInfosetContext: the indexing tables and the options of Fast Infoset output and input.
#pragma once

#include "ItemType.h"

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

namespace NxXmlLib16
{

// The XML declaration written in front of a Fast Infoset document.
enum FInfoDecl : std::int32_t
{
    FInfoDecl_None = 0,
    FInfoDecl_Encoding = 1,              // <?xml encoding='finf'?>
    FInfoDecl_EncodingStandalone = 2,    // <?xml encoding='finf' standalone='yes'?>
    FInfoDecl_EncodingNotStandalone = 3, // <?xml encoding='finf' standalone='no'?>
    FInfoDecl_V10 = 4,                   // <?xml version='1.0' encoding='finf'?>
    FInfoDecl_V10Standalone = 5,
    FInfoDecl_V10NotStandalone = 6,
    FInfoDecl_V11 = 7, // <?xml version='1.1' encoding='finf'?>
    FInfoDecl_V11Standalone = 8,
    FInfoDecl_V11NotStandalone = 9
};

// The indexing tables of a Fast Infoset document, each indexed from 1 and holding at most 2^20 entries.
class CFIVocabulary
{
public:
    // The most entries a table holds; further additions are ignored.
    static constexpr std::uint32_t MaxEntries = 1u << 20;

    // A table of strings in index order, with the index of each string.
    class CFIStringTable
    {
    public:
        using const_iterator = std::vector<std::string>::const_iterator;

        CFIStringTable() = default;
        CFIStringTable(CFIStringTable const &) = default;
        CFIStringTable & operator=(CFIStringTable const &) = default;
        virtual ~CFIStringTable();

        const_iterator begin() const { return m_entries.begin(); }
        const_iterator end() const { return m_entries.end(); }
        // The number of entries.
        std::uint32_t GetCount() const { return static_cast<std::uint32_t>(m_entries.size()); }
        bool IsFull() const { return m_entries.size() >= MaxEntries; }
        // The entry at a 1-based index; the index must be between 1 and GetCount().
        std::string const & GetAt(std::uint32_t index) const { return m_entries[index - 1]; }
        // True and the index when the value is in the table.
        bool Find(std::string const & value, std::uint32_t & index) const;
        // Adds the value unless present or the table is full; true and its index when it is in the table.
        bool Add(std::string const & value, std::uint32_t & index);
        // Appends the value at the next index even when an equal entry exists (as literals that
        // arrive in a document are); nothing when the table is full.
        void Append(std::string const & value);

    private:
        std::vector<std::string> m_entries;
        std::unordered_map<std::string, std::uint32_t> m_indices;
    };

    // The table indices of a qualified name's parts; 0 marks an absent prefix or namespace.
    class CQNameParts
    {
    public:
        CQNameParts(std::uint32_t prefix, std::uint32_t namespaceName, std::uint32_t localName)
            : m_prefix(prefix), m_namespaceName(namespaceName), m_localName(localName)
        {
        }
        CQNameParts(CQNameParts const &) = default;
        CQNameParts & operator=(CQNameParts const &) = default;

        std::uint32_t GetPrefix() const { return m_prefix; }
        std::uint32_t GetNamespaceName() const { return m_namespaceName; }
        std::uint32_t GetLocalName() const { return m_localName; }
        // The three indices packed into one number, 21 bits each.
        std::uint64_t GetKey() const
        {
            return (std::uint64_t(m_prefix) << 42) | (std::uint64_t(m_namespaceName) << 21) | m_localName;
        }

    private:
        std::uint32_t m_prefix;
        std::uint32_t m_namespaceName;
        std::uint32_t m_localName;
    };

    // A table of qualified names in index order, with the index of each name.
    class CFIQNameTable
    {
    public:
        using const_iterator = std::vector<CQNameParts>::const_iterator;

        CFIQNameTable() = default;
        CFIQNameTable(CFIQNameTable const &) = default;
        CFIQNameTable & operator=(CFIQNameTable const &) = default;
        virtual ~CFIQNameTable();

        const_iterator begin() const { return m_entries.begin(); }
        const_iterator end() const { return m_entries.end(); }
        std::uint32_t GetCount() const { return static_cast<std::uint32_t>(m_entries.size()); }
        bool IsFull() const { return m_entries.size() >= MaxEntries; }
        // The name at a 1-based index between 1 and GetCount().
        CQNameParts const & GetAt(std::uint32_t index) const { return m_entries[index - 1]; }
        // True and the index when the name is in the table.
        bool Find(CQNameParts const & name, std::uint32_t & index) const;
        // Adds the name unless present or the table is full; true and its index when it is in the table.
        bool Add(CQNameParts const & name, std::uint32_t & index);
        // Appends the name at the next index even when it is present; nothing when the table is full.
        void Append(CQNameParts const & name);

    private:
        std::vector<CQNameParts> m_entries;
        std::unordered_map<std::uint64_t, std::uint32_t> m_indices;
    };

    // A vocabulary with the built-in entries: the two alphabets, prefix "xml" and the XML namespace.
    CFIVocabulary();
    // Copies every table.
    CFIVocabulary & operator=(CFIVocabulary const & other);
    virtual ~CFIVocabulary();

    void AddPrefixName(std::string const & value);
    void AddNamespaceName(std::string const & value);
    void AddLocalName(std::string const & value);
    void AddAttributeValue(std::string const & value);
    // Adds a character chunk.
    void AddElementValue(std::string const & value);
    // Adds an element name and, before it, each non-empty part to its table.
    void AddElement(std::string const & prefix, std::string const & namespaceName, std::string const & localName);
    // Adds an attribute name and, before it, each non-empty part to its table.
    void AddAttribute(std::string const & prefix, std::string const & namespaceName, std::string const & localName);

    // The restricted alphabets: 1 numeric, 2 date and time.
    std::vector<std::string> const & GetRestrictedAlphabets() const { return m_restrictedAlphabets; }
    CFIStringTable & GetPrefixNamesTable() { return m_prefixNames; }
    CFIStringTable const & GetPrefixNamesTable() const { return m_prefixNames; }
    CFIStringTable & GetNamespaceNamesTable() { return m_namespaceNames; }
    CFIStringTable const & GetNamespaceNamesTable() const { return m_namespaceNames; }
    CFIStringTable & GetLocalNamesTable() { return m_localNames; }
    CFIStringTable const & GetLocalNamesTable() const { return m_localNames; }
    CFIQNameTable & GetElementNamesTable() { return m_elementNames; }
    CFIQNameTable const & GetElementNamesTable() const { return m_elementNames; }
    CFIQNameTable & GetAttributeNamesTable() { return m_attributeNames; }
    CFIQNameTable const & GetAttributeNamesTable() const { return m_attributeNames; }
    CFIStringTable & GetAttributeValuesTable() { return m_attributeValues; }
    CFIStringTable const & GetAttributeValuesTable() const { return m_attributeValues; }
    CFIStringTable & GetCharacterChunksTable() { return m_characterChunks; }
    CFIStringTable const & GetCharacterChunksTable() const { return m_characterChunks; }

private:
    // Writers and readers clone the user's vocabulary into their working copy.
    friend class CFastInfosetWriter;
    friend class CFastInfosetReader;
    friend class CFastInfosetContext;
    CFIVocabulary(CFIVocabulary const & other);

    // Adds the parts of a qualified name, then the name, to the given name table.
    void AddQName(CFIQNameTable & table, std::string const & prefix, std::string const & namespaceName,
                  std::string const & localName);

    std::vector<std::string> m_restrictedAlphabets;
    CFIStringTable m_prefixNames;
    CFIStringTable m_namespaceNames;
    CFIStringTable m_localNames;
    CFIQNameTable m_elementNames;
    CFIQNameTable m_attributeNames;
    CFIStringTable m_attributeValues;
    CFIStringTable m_characterChunks;
};

// The options of a Fast Infoset serialisation: value encodings per item type, add limits and
// the user vocabulary announced through an external vocabulary URI.
class CFastInfosetContext
{
public:
    // How a text of one item type is encoded.
    struct EncodedCharacterString
    {
        enum Kind : std::int32_t
        {
            Kind_CharacterString = 0,    // text in the default string encoding
            Kind_RestrictedAlphabet = 1, // index 1 numeric, 2 date and time
            Kind_EncodingAlgorithm = 2   // index 1 to 10 of the built-in algorithms
        };

        Kind kind = Kind_CharacterString;
        std::uint32_t index = 0;
    };

    // The number of item types an encoding is kept for.
    static constexpr std::uint32_t ItemTypeCount = 29;

    CFastInfosetContext();
    CFastInfosetContext(CFastInfosetContext const & other);
    CFastInfosetContext & operator=(CFastInfosetContext const & other);
    virtual ~CFastInfosetContext();

    // The character encoding scheme of plain strings: 0 UTF-8, 1 UTF-16BE (refused by the writer).
    unsigned char GetDefaultStringEncoding() const { return m_defaultStringEncoding; }
    void SetDefaultStringEncoding(unsigned char value) { m_defaultStringEncoding = value; }
    // The encoding of an item type's text; item types beyond the table use a character string.
    EncodedCharacterString GetEncoding(std::uint32_t itemType) const;
    void SetEncoding(std::uint32_t itemType, EncodedCharacterString encoding);
    // Character chunks shorter than this enter the character-chunks table.
    std::uint32_t GetElementMaxAddLength() const { return m_elementMaxAddLength; }
    void SetElementMaxAddLength(std::uint32_t value) { m_elementMaxAddLength = value; }
    // Attribute values shorter than this enter the attribute-values table.
    std::uint32_t GetAttributeMaxAddLength() const { return m_attributeMaxAddLength; }
    void SetAttributeMaxAddLength(std::uint32_t value) { m_attributeMaxAddLength = value; }
    // Whether the user vocabulary is announced and used.
    bool GetUseGeneratedVocabulary() const { return m_useGeneratedVocabulary; }
    void SetUseGeneratedVocabulary(bool value) { m_useGeneratedVocabulary = value; }
    // The user vocabulary, for the user to fill.
    CFIVocabulary * GetVocabulary() { return &m_vocabulary; }
    CFIVocabulary const * GetVocabulary() const { return &m_vocabulary; }
    // The URI announced for the user vocabulary; empty means the library's own URI.
    std::string GetExternalVocabularyURI() const { return m_externalVocabularyUri; }
    void SetExternalVocabularyURI(std::string const & value) { m_externalVocabularyUri = value; }
    // Replaces the encodings with the recommended ones: algorithms for binary, numeric and boolean
    // types, restricted alphabets for dates, times and decimals, character strings for the rest.
    void SetSuggestedValues();

private:
    unsigned char m_defaultStringEncoding = 0;
    EncodedCharacterString m_encodings[ItemTypeCount];
    std::uint32_t m_elementMaxAddLength = 6;
    std::uint32_t m_attributeMaxAddLength = 6;
    bool m_useGeneratedVocabulary = false;
    CFIVocabulary m_vocabulary;
    std::string m_externalVocabularyUri;
};

} // namespace NxXmlLib16
