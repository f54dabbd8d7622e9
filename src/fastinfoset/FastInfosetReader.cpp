#include "fastinfoset/FastInfosetReader.h"

#include "CharEncoding.h"
#include "FastInfosetBinaryData.h"
#include "FastInfosetContext.h"
#include "NxException.h"
#include "fastinfoset/FIOctets.h"
#include "fastinfoset/FastInfosetReaderSupport.h"
#include "frame/Messages.h"
#include "frame/Namespaces.h"
#include "xml/XmlDocumentStore.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace NxXmlLib16
{

using namespace FIReaderSupport;

std::string_view CFastInfosetReader::CArena::Keep(std::string_view text)
{
    if (text.empty())
        return std::string_view("", 0);
    if (text.size() > m_left)
    {
        std::size_t const size = std::max(text.size(), ArenaBlockSize);
        m_blocks.push_back(std::make_unique<char[]>(size));
        m_free = m_blocks.back().get();
        m_left = size;
    }
    std::memcpy(m_free, text.data(), text.size());
    std::string_view const kept(m_free, text.size());
    m_free += text.size();
    m_left -= text.size();
    return kept;
}

CFastInfosetReader::CFastInfosetReader(CFastInfosetContext const * options, CXmlDocument * document)
    : CInstanceMonitor("CFastInfosetReader"), m_options(options), m_document(*document),
      m_localIsUtf8(IsLocalTextUtf8())
{
    m_decoded.reserve(1024);
}

CFastInfosetReader::~CFastInfosetReader() = default;

std::size_t CFastInfosetReader::RecogniseHeader(unsigned char const * data, std::size_t length)
{
    std::string_view const input(reinterpret_cast<char const *>(data), length);
    std::string_view const identification(reinterpret_cast<char const *>(FIOctets::Header), sizeof FIOctets::Header);
    if (input.substr(0, identification.size()) == identification)
        return identification.size();
    for (std::size_t i = 1; i < FIOctets::DeclarationCount; ++i)
    {
        std::string_view const declaration(FIOctets::Declarations[i]);
        if (input.substr(0, declaration.size()) == declaration)
            return input.substr(declaration.size(), identification.size()) == identification
                       ? declaration.size() + identification.size()
                       : 0;
    }
    return 0;
}

bool CFastInfosetReader::Parse(unsigned char const * data, std::size_t length)
{
    Progress const progress = Begin(reinterpret_cast<char const *>(data), length);
    if (progress == Progress::GaveUp)
        return false;
    if (progress == Progress::Paused)
        ReadOn(0, std::numeric_limits<std::size_t>::max());
    return true;
}

CSteppedReader::Progress CFastInfosetReader::Begin(char const * data, std::size_t length)
{
    unsigned char const * const octets = reinterpret_cast<unsigned char const *>(data);
    std::size_t const header = RecogniseHeader(octets, length);
    if (header == 0)
        return Progress::GaveUp;
    m_position = octets + header;
    m_end = octets + length;
    SeedTables();
    ParseHeader();
    return ReadOn(0, 1);
}

void CFastInfosetReader::SeedTables()
{
    CFIVocabulary const * const vocabulary =
        m_options != nullptr && m_options->GetUseGeneratedVocabulary() ? m_options->GetVocabulary() : nullptr;
    if (vocabulary == nullptr)
    {
        m_prefixes.push_back(XmlPrefix);
        m_namespaceNames.push_back(Namespaces::Xml);
        return;
    }
    // The vocabulary holds local text; names in the tables are kept as the input has them, in UTF-8.
    auto const names = [this](CFIVocabulary::CFIStringTable const & from, CStringTable & to)
    {
        for (std::string const & entry : from)
        {
            if (m_localIsUtf8)
            {
                to.push_back(entry);
                continue;
            }
            m_convert.clear();
            AppendLocalAsUtf8(entry.data(), entry.size(), m_convert);
            to.push_back(m_arena.Keep(m_convert));
        }
    };
    names(vocabulary->GetPrefixNamesTable(), m_prefixes);
    names(vocabulary->GetNamespaceNamesTable(), m_namespaceNames);
    names(vocabulary->GetLocalNamesTable(), m_localNames);
    for (std::string const & entry : vocabulary->GetAttributeValuesTable())
        m_attributeValues.push_back(entry);
    for (std::string const & entry : vocabulary->GetCharacterChunksTable())
        m_characterChunks.push_back(entry);
    auto const qnames = [this](CFIVocabulary::CFIQNameTable const & from, std::vector<CQName> & to)
    {
        for (CFIVocabulary::CQNameParts const & parts : from)
        {
            CQName name{};
            if (parts.GetPrefix() > m_prefixes.size() || parts.GetNamespaceName() > m_namespaceNames.size() ||
                parts.GetLocalName() == 0 || parts.GetLocalName() > m_localNames.size())
                Fail(Msg::FiVocabularyNameParts);
            if (parts.GetPrefix() != 0)
                name.prefix = m_prefixes[parts.GetPrefix() - 1];
            if (parts.GetNamespaceName() != 0)
                name.namespaceName = m_namespaceNames[parts.GetNamespaceName() - 1];
            name.localName = m_localNames[parts.GetLocalName() - 1];
            to.push_back(name);
        }
    };
    qnames(vocabulary->GetElementNamesTable(), m_elementNames);
    qnames(vocabulary->GetAttributeNamesTable(), m_attributeNames);
}

std::string_view CFastInfosetReader::ReadIdentifying(CStringTable & table, char const * tableName)
{
    unsigned char const octet = Next();
    if ((octet & 0x80) == 0)
    {
        std::string_view const literal = Take(ReadLengthOnSecondBit(octet));
        if (HasRoom(table))
            table.push_back(literal);
        return literal;
    }
    std::uint32_t const index = ReadIntegerOnSecondBit(octet);
    if (index > table.size())
        FailIndex(tableName, index, table.size());
    return table[index - 1];
}

std::string_view CFastInfosetReader::Utf8AsLocal(char const * data, std::size_t length, std::string & scratch)
{
    CheckXmlText(std::string_view(data, length));
    if (m_localIsUtf8)
        return std::string_view(data, length);
    scratch.clear();
    AppendUtf8AsLocal(data, length, scratch);
    return scratch;
}

std::string_view CFastInfosetReader::Decode(unsigned int discriminant, std::uint32_t index, unsigned char const * data,
                                            std::size_t length, bool thirdBit)
{
    char const * const text = reinterpret_cast<char const *>(data);
    m_decoded.clear();
    switch (discriminant)
    {
    case 0: return Utf8AsLocal(text, length, m_decoded);
    case 1:
    {
        // Big-endian code units; surrogate pairs become one character.
        if (length % 2 != 0)
            FailEncodedString(thirdBit);
        m_units.resize(length / 2);
        for (std::size_t i = 0; i < m_units.size(); ++i)
            m_units[i] = static_cast<unsigned short>((data[2 * i] << 8) | data[2 * i + 1]);
        CheckSurrogatePairs(m_units);
        m_convert.clear();
        AppendUtf16AsUtf8(m_units.data(), m_units.size(), m_convert);
        CheckXmlText(m_convert);
        if (m_localIsUtf8)
            m_decoded.swap(m_convert);
        else
            AppendUtf8AsLocal(m_convert.data(), m_convert.size(), m_decoded);
        return m_decoded;
    }
    case 2:
        if (index != 1 && index != 2)
            throw CNxException(FormatString(Msg::FiParseUnknownAlphabet, index));
        BuiltInAlphabet(index).Unpack(data, length, m_decoded, thirdBit);
        return m_decoded;
    default:
        if (index == 10)
        {
            // Character data that was a CDATA section: its UTF-8 text.
            return Utf8AsLocal(text, length, m_decoded);
        }
        if (index < 1 || index > 9)
            throw CNxException(FormatString(Msg::FiParseUnknownAlgorithm, index));
        {
            CFastInfosetBinaryData const octets(const_cast<unsigned char *>(data), static_cast<std::uint32_t>(length),
                                                false);
            m_decoded = octets.GetAsString(index);
        }
        return m_decoded;
    }
}

void CFastInfosetReader::ParseHeader()
{
    unsigned char const components = Next();
    if ((components & 0x80) != 0)
        Fail(Msg::FiOptionalComponents);
    if ((components & 0x40) != 0)
    {
        // Additional data: pairs of an identifier and data.
        SkipOctetStringItems(2 * ReadItemCount());
    }
    if ((components & 0x20) != 0)
        SkipInitialVocabulary();
    if ((components & 0x10) != 0)
    {
        while (!TakeTerminator())
        {
            unsigned char const octet = Next();
            if ((octet & 0xFC) != 0xC0)
                Fail(Msg::FiNotation);
            SkipIdentifying(m_otherNCNames);
            if ((octet & 0x02) != 0)
                SkipIdentifying(m_otherURIs);
            if ((octet & 0x01) != 0)
                SkipIdentifying(m_otherURIs);
        }
    }
    if ((components & 0x08) != 0)
    {
        while (!TakeTerminator())
        {
            unsigned char const octet = Next();
            if ((octet & 0xFE) != 0xD0)
                Fail(Msg::FiUnparsedEntity);
            SkipIdentifying(m_otherNCNames);
            SkipIdentifying(m_otherURIs);
            if ((octet & 0x01) != 0)
                SkipIdentifying(m_otherURIs);
            SkipIdentifying(m_otherNCNames);
        }
    }
    if ((components & 0x04) != 0)
        SkipOctetStringItems(1);
    if ((components & 0x02) != 0)
        Next();
    if ((components & 0x01) != 0)
        SkipNonIdentifying(m_otherStrings);
    if (m_halfTerminator)
        FailElementType();
}

void CFastInfosetReader::SkipInitialVocabulary()
{
    unsigned char const first = Next();
    unsigned char const second = Next();
    if ((first & 0xE0) != 0)
        Fail(Msg::FiInitialVocabulary);
    if ((first & 0x10) != 0)
        SkipOctetStringItems(1); // the external vocabulary's URI
    // Restricted alphabets, encoding algorithms, prefixes, namespace names, local names, other
    // NCNames and other URIs are lists of octet strings.
    unsigned int const stringTables = ((first & 0x0F) << 3) | (second >> 5);
    for (unsigned int bit = 0x40; bit != 0; bit >>= 1)
    {
        if ((stringTables & bit) != 0)
            SkipOctetStringItems(ReadItemCount());
    }
    // Attribute values, character chunks and other strings are encoded character strings.
    for (unsigned int bit = 0x10; bit >= 0x04; bit >>= 1)
    {
        if ((second & bit) == 0)
            continue;
        for (std::uint32_t count = ReadItemCount(); count > 0; --count)
        {
            unsigned char const octet = Next();
            if ((octet & 0xC0) != 0)
                FailEncodedString(true);
            SkipEncodedOnThirdBit(octet);
        }
    }
    // Element and attribute name surrogates.
    for (unsigned int bit = 0x02; bit != 0; bit >>= 1)
    {
        if ((second & bit) == 0)
            continue;
        for (std::uint32_t count = ReadItemCount(); count > 0; --count)
        {
            unsigned char const parts = Next();
            if ((parts & 0xFC) != 0)
                Fail(Msg::FiInitialVocabulary);
            if (parts == 0x02)
                Fail(Msg::FiPrefixWithoutNamespace);
            for (int k = ((parts & 0x02) != 0) + ((parts & 0x01) != 0) + 1; k > 0; --k)
            {
                unsigned char const octet = Next();
                if ((octet & 0x80) != 0)
                    Fail(Msg::FiInteger1SecondBit);
                ReadIntegerOnSecondBit(octet);
            }
        }
    }
}

CSteppedReader::Progress CFastInfosetReader::ReadOn(std::size_t stopDepth, std::size_t budget)
{
    // Elements are opened and closed with a depth count, not by recursion, so nesting is
    // limited by memory only.
    bool pause = false;
    for (;;)
    {
        if (AtTerminator())
        {
            if (m_depth == 0)
                break;
            if (pause)
                return Progress::Paused;
            TakeTerminator();
            m_document.EndElement();
            --m_depth;
            // The element that ended was one level below the open ones.
            pause = m_depth != 0 && m_depth < stopDepth;
            continue;
        }
        unsigned char const octet = *m_position;
        if (octet < 0x80)
        {
            if (pause)
                return Progress::Paused;
            StartElement(m_depth == 0);
            pause = --budget == 0 || m_depth < stopDepth;
            continue;
        }
        ++m_position;
        if (octet == 0xE1)
            SkipProcessingInstruction();
        else if (octet == 0xE2)
            SkipNonIdentifying(m_otherStrings);
        else if (m_depth > 0 && (octet & 0xC0) == 0x80)
            ReadCharacterChunk(octet);
        else if (m_depth > 0 && (octet & 0xFC) == 0xC8)
            SkipUnexpandedEntityReference(octet);
        else if (m_depth == 0 && !m_rootSeen && (octet & 0xFC) == 0xC4)
            SkipDocumentTypeDeclaration();
        else
            FailElementType();
    }
    TakeTerminator();
    if (!m_rootSeen)
        Fail(Msg::FiNoElement);
    if (m_position != m_end)
        Fail(Msg::FiDataAfterEnd);
    return Progress::Finished;
}

void CFastInfosetReader::SkipProcessingInstruction()
{
    SkipIdentifying(m_otherNCNames);
    SkipNonIdentifying(m_otherStrings);
}

void CFastInfosetReader::SkipDocumentTypeDeclaration()
{
    unsigned char const octet = m_position[-1];
    if ((octet & 0x02) != 0)
        SkipIdentifying(m_otherURIs);
    if ((octet & 0x01) != 0)
        SkipIdentifying(m_otherURIs);
    while (!TakeTerminator())
    {
        if (Next() != 0xE1)
            FailElementType();
        SkipProcessingInstruction();
    }
}

void CFastInfosetReader::SkipUnexpandedEntityReference(unsigned char octet)
{
    SkipIdentifying(m_otherNCNames);
    if ((octet & 0x02) != 0)
        SkipIdentifying(m_otherURIs);
    if ((octet & 0x01) != 0)
        SkipIdentifying(m_otherURIs);
}

void CFastInfosetReader::StartElement(bool atRoot)
{
    if (atRoot && m_rootSeen)
        Fail(Msg::FiMoreThanOneElement);
    unsigned char octet = Next();
    bool const hasAttributes = (octet & 0x40) != 0;
    if ((octet & 0x3F) == 0x38)
    {
        ReadNamespaceAttributes();
        octet = Next();
        if ((octet & 0xC0) != 0)
            FailElementType();
    }
    CXmlStoredName const * const name = ReadElementName(octet).stored;

    m_attributeRecords.clear();
    m_attributeText.clear();
    if (hasAttributes)
    {
        while (!TakeTerminator())
        {
            unsigned char const first = Next();
            if ((first & 0x80) != 0)
                Fail(Msg::FiAttributeType);
            ReadAttributeValue(ReadAttributeName(first).stored);
        }
    }
    m_attributes.clear();
    for (CAttributeRecord const & record : m_attributeRecords)
    {
        char const * const data = record.data != nullptr ? record.data : m_attributeText.data() + record.offset;
        m_attributes.push_back(CXmlDocument::CPendingAttribute{record.name, std::string_view(data, record.length)});
    }
    m_document.AddElement(*name, m_attributes);
    m_rootSeen = true;
    ++m_depth;
}

void CFastInfosetReader::ReadNamespaceAttributes()
{
    for (;;)
    {
        unsigned char const octet = Next();
        if (octet == 0xF0)
            return;
        if ((octet & 0xFC) != 0xCC)
            Fail(Msg::FiNamespaceAttribute);
        std::string_view const prefix =
            (octet & 0x02) != 0 ? ReadIdentifying(m_prefixes, "prefix") : std::string_view();
        std::string_view const namespaceName =
            (octet & 0x01) != 0 ? ReadIdentifying(m_namespaceNames, "namespace name") : std::string_view();
        std::string const localPrefix(Utf8AsLocal(prefix));
        m_document.AddNamespaceDeclaration(localPrefix, std::string(Utf8AsLocal(namespaceName)));
    }
}

CFastInfosetReader::CQName const & CFastInfosetReader::ReadElementName(unsigned char octet)
{
    if ((octet & 0x3C) == 0x3C)
        return ReadLiteralQName((octet & 0x02) != 0, (octet & 0x01) != 0, m_elementNames);
    if ((octet & 0x3F) == 0x38)
        Fail(Msg::FiInteger1ThirdBit);
    return Entry(m_elementNames, ReadIntegerOnThirdBit(octet), "element name");
}

CFastInfosetReader::CQName const & CFastInfosetReader::ReadAttributeName(unsigned char octet)
{
    if ((octet & 0x7C) == 0x78)
        return ReadLiteralQName((octet & 0x02) != 0, (octet & 0x01) != 0, m_attributeNames);
    return Entry(m_attributeNames, ReadIntegerOnSecondBit(octet), "attribute name");
}

CFastInfosetReader::CQName const & CFastInfosetReader::ReadLiteralQName(bool hasPrefix, bool hasNamespace,
                                                                        std::vector<CQName> & table)
{
    if (hasPrefix && !hasNamespace)
        Fail(Msg::FiPrefixWithoutNamespace);
    CQName name{};
    if (hasPrefix)
        name.prefix = ReadIdentifying(m_prefixes, "prefix");
    if (hasNamespace)
        name.namespaceName = ReadIdentifying(m_namespaceNames, "namespace name");
    name.localName = ReadIdentifying(m_localNames, "local name");
    if (hasPrefix)
    {
        // A prefix that no namespace attribute declared still names its namespace in paths. The
        // declarations are looked at directly: a lookup of the document's would be taken for one
        // of the objects read while the document is.
        std::string const localPrefix(Utf8AsLocal(name.prefix));
        auto const declared = m_document.m_namespaceAliases.find(localPrefix);
        if (declared == m_document.m_namespaceAliases.end() || declared->second.empty())
            m_document.AddNamespaceDeclaration(localPrefix, std::string(Utf8AsLocal(name.namespaceName)));
    }
    Resolve(name);
    if (!HasRoom(table))
    {
        // A full table takes no more names: this one is kept aside for the current use.
        m_unlistedName = name;
        return m_unlistedName;
    }
    table.push_back(name);
    return table.back();
}

CFastInfosetReader::CQName const & CFastInfosetReader::Entry(std::vector<CQName> & table, std::uint32_t index,
                                                             char const * tableName)
{
    if (index > table.size())
        FailIndex(tableName, index, table.size());
    CQName & name = table[index - 1];
    if (name.stored == nullptr)
        Resolve(name);
    return name;
}

CXmlStoredName const * CFastInfosetReader::Resolve(CQName & name)
{
    m_key.assign(name.namespaceName);
    if (!m_key.empty())
        m_key += '|';
    m_key.append(name.localName);
    name.stored = m_document.FindName(m_key);
    if (name.stored == nullptr)
    {
        std::string const namespaceUri(Utf8AsLocal(name.namespaceName));
        name.stored = &m_document.AddName(m_key, namespaceUri, Utf8AsLocal(name.localName));
    }
    return name.stored;
}

void CFastInfosetReader::ReadAttributeValue(CXmlStoredName const * name)
{
    unsigned char const octet = Next();
    CAttributeRecord record{name, nullptr, 0, 0};
    if ((octet & 0x80) != 0)
    {
        std::uint32_t const index = ReadIntegerZeroOnSecondBit(octet);
        if (index > m_attributeValues.size())
            FailIndex("attribute value", index, m_attributeValues.size());
        std::string_view const value = index == 0 ? std::string_view("", 0) : m_attributeValues[index - 1];
        record.data = value.data();
        record.length = value.size();
        m_attributeRecords.push_back(record);
        return;
    }
    unsigned int const discriminant = (octet >> 4) & 0x03;
    std::uint32_t index = 0;
    std::uint64_t length = 0;
    if (discriminant < 2)
        length = ReadLengthOnFifthBit(octet);
    else
    {
        unsigned char const second = Next();
        index = (((octet & 0x0Fu) << 4) | (second >> 4)) + 1;
        length = ReadLengthOnFifthBit(second);
    }
    std::string_view const data = Take(length);
    std::string_view value =
        Decode(discriminant, index, reinterpret_cast<unsigned char const *>(data.data()), data.size(), true);
    // A view into the input stays valid; decoded text lives in scratch unless the table keeps it.
    bool stable = value.data() == data.data();
    if ((octet & 0x40) != 0 && HasRoom(m_attributeValues))
    {
        if (!stable)
            value = m_arena.Keep(value);
        m_attributeValues.push_back(value);
        stable = true;
    }
    if (stable)
    {
        record.data = value.data();
        record.length = value.size();
    }
    else
    {
        // Decoded into scratch: kept with the element's other values until the element is built.
        record.offset = m_attributeText.size();
        record.length = value.size();
        m_attributeText.append(value);
    }
    m_attributeRecords.push_back(record);
}

void CFastInfosetReader::ReadCharacterChunk(unsigned char octet)
{
    if ((octet & 0x20) != 0)
    {
        std::uint32_t const index = ReadIntegerOnFourthBit(octet);
        if (index > m_characterChunks.size())
            FailIndex("character chunk", index, m_characterChunks.size());
        std::string_view const text = m_characterChunks[index - 1];
        m_document.AppendTextExcludingCR(text.data(), text.size());
        return;
    }
    unsigned int const discriminant = (octet >> 2) & 0x03;
    std::uint32_t index = 0;
    std::uint64_t length = 0;
    if (discriminant < 2)
        length = ReadLengthOnSeventhBit(octet);
    else
    {
        unsigned char const second = Next();
        index = (((octet & 0x03u) << 6) | (second >> 2)) + 1;
        length = ReadLengthOnSeventhBit(second);
    }
    std::string_view const data = Take(length);
    std::string_view const text =
        Decode(discriminant, index, reinterpret_cast<unsigned char const *>(data.data()), data.size(), false);
    if ((octet & 0x10) != 0 && HasRoom(m_characterChunks))
        m_characterChunks.push_back(text.data() == data.data() ? text : m_arena.Keep(text));
    m_document.AppendTextExcludingCR(text.data(), text.size());
}

} // namespace NxXmlLib16
