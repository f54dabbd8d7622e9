// CFastInfosetReader: reads a Fast Infoset document held in memory into a CXmlDocument.
#pragma once

#include "InstanceMonitor.h"
#include "XmlDocument.h"
#include "xml/SteppedReader.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace NxXmlLib16
{

class CFastInfosetContext;

// The characters of a restricted alphabet and the unpacking of text written with it.
class CFIRestrictedAlphabet
{
public:
    // Splits UTF-8 text into the alphabet's characters; throws unless it has 2 to 2^20 of them.
    explicit CFIRestrictedAlphabet(std::string_view characters);
    // Appends the text packed in the octets; thirdBit names where the string started, for the message.
    void Unpack(unsigned char const * data, std::size_t length, std::string & out, bool thirdBit) const;

private:
    std::vector<std::string> m_characters;
    unsigned int m_width; // bits per character
};

// Parses one Fast Infoset document and builds the document's tree through its building
// operations, whole or a step at a time.
class CFastInfosetReader final : public CInstanceMonitor, public CSteppedReader
{
public:
    // Reads with the tables of the options' vocabulary when they ask for the generated vocabulary.
    CFastInfosetReader(CFastInfosetContext const * options, CXmlDocument * document);
    CFastInfosetReader(CFastInfosetReader const &) = delete;
    CFastInfosetReader & operator=(CFastInfosetReader const &) = delete;
    ~CFastInfosetReader() override;

    // The number of octets before the optional-component octet (declaration and identification),
    // or 0 when the bytes do not start a Fast Infoset document.
    static std::size_t RecogniseHeader(unsigned char const * data, std::size_t length);
    // False, having read nothing, when the bytes are not Fast Infoset; true after a complete parse.
    bool Parse(unsigned char const * data, std::size_t length);
    // Reads the header and the document element's start; GaveUp when the bytes are not Fast Infoset.
    Progress Begin(char const * data, std::size_t length) override;
    // Pauses before the element or end of element that follows what it was asked to read, so
    // that the character data after a tag comes with it.
    Progress ReadOn(std::size_t stopDepth, std::size_t budget) override;

private:
    // An element or attribute name of the names tables, with the document's name once resolved.
    struct CQName
    {
        std::string_view prefix;
        std::string_view namespaceName;
        std::string_view localName;
        CXmlStoredName const * stored;
    };
    // An attribute read before its element is created; the value is in m_attributeText when data is null.
    struct CAttributeRecord
    {
        CXmlStoredName const * name;
        char const * data;
        std::size_t offset;
        std::size_t length;
    };
    // Stable storage for decoded strings that enter a table.
    class CArena
    {
    public:
        // A copy of the text that lives as long as the arena.
        std::string_view Keep(std::string_view text);

    private:
        std::vector<std::unique_ptr<char[]>> m_blocks;
        char * m_free = nullptr;
        std::size_t m_left = 0;
    };
    using CStringTable = std::vector<std::string_view>;

    // Starts the tables from the generated vocabulary, or with their built-in entries.
    void SeedTables();
    // Reads the optional components after the identification; keeps none of them.
    void ParseHeader();
    // Reads an element's namespace attributes, name and attributes, and opens it in the tree.
    void StartElement(bool atRoot);
    // Reads namespace attributes up to their terminator and records the declarations.
    void ReadNamespaceAttributes();
    // The element name that starts in the octet: an index or a literal.
    CQName const & ReadElementName(unsigned char octet);
    // The attribute name that starts in the octet: an index or a literal.
    CQName const & ReadAttributeName(unsigned char octet);
    // A literal qualified name after its p and n bits; added to the table when there is room.
    CQName const & ReadLiteralQName(bool hasPrefix, bool hasNamespace, std::vector<CQName> & table);
    // The name at an index of a names table, resolved to the document's name.
    CQName const & Entry(std::vector<CQName> & table, std::uint32_t index, char const * tableName);
    // Finds or adds the document's name for the qualified name.
    CXmlStoredName const * Resolve(CQName & name);
    // Reads an attribute value and keeps the attribute for its element.
    void ReadAttributeValue(CXmlStoredName const * name);
    // Reads a character chunk that starts in the octet and adds its text to the open element.
    void ReadCharacterChunk(unsigned char octet);

    // An identifying string (literal, always added, or index) of a table.
    std::string_view ReadIdentifying(CStringTable & table, char const * tableName);
    // Skips an identifying string of a table whose content is not kept.
    void SkipIdentifying(std::uint32_t & count);
    // Skips a non-identifying string on the first bit of a table whose content is not kept.
    void SkipNonIdentifying(std::uint32_t & count);
    // Skips an encoded character string on the third bit (after its first octet).
    void SkipEncodedOnThirdBit(unsigned char octet);
    // Skips the target and content of a processing instruction.
    void SkipProcessingInstruction();
    // Skips a document type declaration with its processing instructions.
    void SkipDocumentTypeDeclaration();
    // Skips an unexpanded entity reference whose first octet was read.
    void SkipUnexpandedEntityReference(unsigned char octet);
    // Skips an initial vocabulary: its URI and every table it lists.
    void SkipInitialVocabulary();
    // Skips non-empty octet strings that start on the second bit of their own octets.
    void SkipOctetStringItems(std::uint32_t count);

    // The decoded text of an encoded character string: a view into the input or into m_decoded.
    std::string_view Decode(unsigned int discriminant, std::uint32_t index, unsigned char const * data,
                            std::size_t length, bool thirdBit);
    // UTF-8 text in the local encoding: the same bytes, or converted in scratch; fails unless
    // it is text an XML document can hold.
    std::string_view Utf8AsLocal(char const * data, std::size_t length, std::string & scratch);
    std::string_view Utf8AsLocal(std::string_view text) { return Utf8AsLocal(text.data(), text.size(), m_convert); }

    // The next octet; fails at the end of the input.
    unsigned char Next();
    // The next octets; fails when fewer are left.
    std::string_view Take(std::uint64_t length);
    // Consumes a terminator (four bits) when one comes next.
    bool TakeTerminator();
    // Whether a terminator comes next; fails at the end of the input.
    bool AtTerminator() const;
    // The number of items of a list in the header.
    std::uint32_t ReadItemCount();
    // Lengths of non-empty octet strings and integers whose field starts at that bit of the
    // octet already read.
    std::uint64_t ReadLengthOnSecondBit(unsigned char octet);
    std::uint64_t ReadLengthOnFifthBit(unsigned char octet);
    std::uint64_t ReadLengthOnSeventhBit(unsigned char octet);
    std::uint32_t ReadIntegerOnSecondBit(unsigned char octet);
    std::uint32_t ReadIntegerOnThirdBit(unsigned char octet);
    std::uint32_t ReadIntegerOnFourthBit(unsigned char octet);
    std::uint32_t ReadIntegerZeroOnSecondBit(unsigned char octet);
    // The value of first followed by the next two octets, most significant first.
    std::uint32_t ReadWithTwoOctets(unsigned char first);

    CFastInfosetContext const * m_options;
    CXmlDocument & m_document;
    unsigned char const * m_position = nullptr;
    unsigned char const * m_end = nullptr;
    bool m_halfTerminator = false; // the low four bits of the last octet are a terminator still to be read
    bool m_localIsUtf8;

    CStringTable m_prefixes;
    CStringTable m_namespaceNames;
    CStringTable m_localNames;
    CStringTable m_attributeValues;
    CStringTable m_characterChunks;
    std::vector<CQName> m_elementNames;
    std::vector<CQName> m_attributeNames;
    CQName m_unlistedName{};          // a literal name read while its table was full
    std::uint32_t m_otherNCNames = 0; // tables whose content is not kept: only their sizes
    std::uint32_t m_otherURIs = 0;
    std::uint32_t m_otherStrings = 0;
    CArena m_arena;

    std::vector<CAttributeRecord> m_attributeRecords;
    std::vector<CXmlDocument::CPendingAttribute> m_attributes;
    std::string m_attributeText;
    std::string m_decoded; // scratch for decoded strings
    std::string m_key;     // scratch for name keys
    std::string m_convert; // scratch for conversions
    std::vector<unsigned short> m_units;
    std::size_t m_depth = 0;
    bool m_rootSeen = false;
};

} // namespace NxXmlLib16
