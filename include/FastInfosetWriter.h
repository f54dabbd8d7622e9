// CFastInfosetWriter: the writer that encodes a serialisation as a Fast Infoset (X.891) document.
#pragma once

#include "FastInfosetContext.h"
#include "XmlWriter.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace NxXmlLib16
{

class CBinaryStream;

// Turns the writer events into Fast Infoset octets: names and short values as table indices,
// values in the encodings the options choose, terminators packed two to an octet.
class CFastInfosetWriter : public CXmlWriter
{
public:
    // Writes into output with the options' encodings and, when announced, their vocabulary.
    CFastInfosetWriter(CFastInfosetContext const * options, CBinaryStream * output);
    ~CFastInfosetWriter() override;

    // Writes nothing: the header comes from WriteFIHeader.
    void WriteStartDocument() override;
    // Hands the buffered octets to the stream; throws when an element is still open.
    void WriteEndDocument() override;
    // Comments are not written.
    void WriteComment(std::string const & text) override;
    // Completes a pending element header; the text itself is not written.
    void WriteRawBlock(std::string const & text) override;
    // Raw text is not written.
    void WriteRawLine(std::string const & text) override;
    void WriteStartElement(std::string const & localName, std::string const & namespaceUri) override;
    // Writes a character chunk; an empty text writes nothing.
    void WriteText(std::string const & value, ItemType itemType) override;
    void WriteEndElement() override;
    void WriteAttribute(std::string const & localName, std::string const & namespaceUri, std::string const & value,
                        ItemType itemType) override;
    void WriteXsiType(std::string const & typeNamespace, std::string const & typeName, ItemType itemType) override;
    void WriteXsiNil() override;

    // Writes the optional XML declaration, the identification and the optional components.
    void WriteFIHeader(FInfoDecl declaration);
    // Ends the document with its terminator, packed with an owed one.
    void WriteFITrailer();

private:
    // An attribute of the element whose header is not written yet.
    struct CPendingAttribute
    {
        std::string localName;
        std::string namespaceUri;
        std::string const * prefix = nullptr; // in the scope's map; null without a namespace
        std::string value;
        ItemType itemType = ItemType_Invalid;
    };

    // A namespace attribute that the pending element carries.
    struct CNamespaceDeclaration
    {
        std::string prefix; // empty for the default namespace
        std::string namespaceUri;
    };

    // Recently written qualified names by the hash of their local name, so that a repeated name
    // costs one hash and three comparisons instead of a lookup in each part's table.
    class CNameCache
    {
    public:
        CNameCache();
        // The table index of the name, or 0 when it is not cached.
        std::uint32_t Find(std::size_t hash, std::string const * prefix, std::string const & namespaceUri,
                           std::string const & localName) const;
        void Store(std::size_t hash, std::string const * prefix, std::string const & namespaceUri,
                   std::string const & localName, std::uint32_t index);

    private:
        struct CEntry
        {
            std::string prefix;
            std::string namespaceUri;
            std::string localName;
            std::uint32_t index = 0;
        };
        static constexpr std::size_t Size = 256;
        std::vector<CEntry> m_entries;
    };

    // Table indices of recent values of up to seven octets, keyed by the octets themselves, so
    // that a repeated short value costs neither a string hash nor a string comparison.
    class CShortValueCache
    {
    public:
        CShortValueCache();
        // The value packed with its length into one number, or 0 when it is longer than 7 octets.
        static std::uint64_t Key(std::string const & value);
        // The table index of the value with this key, or 0 when it is not cached.
        std::uint32_t Find(std::uint64_t key) const;
        void Store(std::uint64_t key, std::uint32_t index);

    private:
        struct CEntry
        {
            std::uint64_t key = 0;
            std::uint32_t index = 0;
        };
        static constexpr std::size_t Size = 4096;
        // The slot of a key.
        static std::size_t Slot(std::uint64_t key) { return (key * 0x9E3779B97F4A7C15ull) >> 52; }
        std::vector<CEntry> m_entries;
    };

    // The index of a value in its table through the cache; 0 when it is not in the table.
    static std::uint32_t FindValue(CShortValueCache & cache, std::uint64_t key,
                                   CFIVocabulary::CFIStringTable const & table, std::string const & value);

    // The prefix of a namespace for an element or attribute name, declared on the pending
    // element when none is in scope; null for no prefix.
    std::string const * ResolvePrefix(std::string const & namespaceUri, bool isAttribute);
    // Records a namespace attribute for the pending element.
    void AddDeclaration(std::string const & prefix, std::string const & namespaceUri);
    // Writes the pending element's namespace attributes, name and attributes.
    void FlushPendingElement();
    // Closes the open attribute list or writes an owed terminator, before a child or a text.
    void CloseBeforeContent();
    // Writes the namespace attributes of the pending element; false when there are none.
    bool WriteNamespaceAttributes(bool hasAttributes);
    void WriteElementName(std::string const * prefix, std::string const & namespaceUri, std::string const & localName,
                          unsigned char leading);
    void WriteAttributeName(CPendingAttribute const & attribute);
    // The index of a name in its table, through the cache; 0 when the name is not in the table.
    std::uint32_t FindName(CNameCache & cache, std::size_t hash, CFIVocabulary::CFIQNameTable const & table,
                           std::string const * prefix, std::string const & namespaceUri,
                           std::string const & localName) const;
    // Writes a literal qualified name's parts and returns them as table indices (0 when not stored).
    CFIVocabulary::CQNameParts WriteQNameParts(std::string const * prefix, std::string const & namespaceUri,
                                               std::string const & localName);
    // Writes an identifying string: its index, or its literal added to the table.
    std::uint32_t WriteIdentifyingString(CFIVocabulary::CFIStringTable & table, std::string const & text);
    void WriteAttributeValue(std::string const & value, ItemType itemType);
    void WriteCharacterChunk(std::string const & value, ItemType itemType);
    // Encodes a literal value per the item type's encoding; returns the discriminant and sets the
    // alphabet or algorithm index and the octets to write.
    unsigned char EncodeLiteral(std::string const & value, ItemType itemType, bool isAttribute, std::uint32_t & index,
                                std::string const *& octets);
    // The UTF-8 octets of local text (the text itself when the local encoding is UTF-8).
    std::string const & ToUtf8(std::string const & text);
    // Hands the buffer to the stream once it holds 4096 octets or more.
    void FlushIfFull();
    // Hands the buffer to the stream.
    void FlushBuffer();

    CBinaryStream * m_output;
    CFastInfosetContext const * m_options;
    bool m_pendingElement = false;
    bool m_terminatorPending = false;
    bool m_attributeListOpen = false;
    std::unique_ptr<CFIVocabulary> m_vocabulary;
    // The pending element's name prefix, its attributes and namespace attributes (slots reused).
    std::string const * m_elementPrefix = nullptr;
    std::vector<CPendingAttribute> m_attributes;
    std::size_t m_attributeCount = 0;
    std::vector<CNamespaceDeclaration> m_declarations;
    CNameCache m_elementNames;
    CNameCache m_attributeNames;
    CShortValueCache m_attributeValues;
    CShortValueCache m_characterChunks;
    std::size_t m_declarationCount = 0;
    bool m_localIsUtf8;
    std::string m_buffer;
    std::string m_scratch;
    std::string m_utf8;
};

} // namespace NxXmlLib16
