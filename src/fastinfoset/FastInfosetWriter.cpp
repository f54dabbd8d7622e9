#include "FastInfosetWriter.h"

#include "BinaryStream.h"
#include "CharEncoding.h"
#include "FastInfosetBinaryData.h"
#include "NxException.h"
#include "fastinfoset/FIEncoding.h"
#include "fastinfoset/FIOctets.h"
#include "frame/Messages.h"
#include "frame/Namespaces.h"

#include <cstring>

namespace NxXmlLib16
{

namespace
{

std::string const XsiNamespace = Namespaces::Xsi;
std::string const XmlNamespace = Namespaces::Xml;

using EncodedCharacterString = CFastInfosetContext::EncodedCharacterString;

void Push(std::string & out, unsigned value) { out.push_back(static_cast<char>(value)); }

// The built-in alphabets, prepared once: numeric, then date and time.
FIEncoding::CRestrictedAlphabet const * BuiltInAlphabets()
{
    static FIEncoding::CRestrictedAlphabet const alphabets[] = {
        FIEncoding::CRestrictedAlphabet(FIOctets::NumericAlphabet),
        FIEncoding::CRestrictedAlphabet(FIOctets::DateTimeAlphabet)};
    return alphabets;
}

} // namespace

CFastInfosetWriter::CFastInfosetWriter(CFastInfosetContext const * options, CBinaryStream * output)
    : CXmlWriter("CFastInfosetWriter"), m_output(output), m_options(options),
      m_vocabulary(options->GetUseGeneratedVocabulary() ? new CFIVocabulary(*options->GetVocabulary())
                                                        : new CFIVocabulary()),
      m_localIsUtf8(IsLocalTextUtf8())
{
    m_buffer.reserve(2 * FlushThreshold);
}

CFastInfosetWriter::~CFastInfosetWriter() = default;

void CFastInfosetWriter::WriteStartDocument() {}

void CFastInfosetWriter::WriteEndDocument()
{
    CXmlWriter::WriteEndDocument();
    FlushBuffer();
}

void CFastInfosetWriter::WriteComment(std::string const &) {}

void CFastInfosetWriter::WriteRawBlock(std::string const &) { FlushPendingElement(); }

void CFastInfosetWriter::WriteRawLine(std::string const &) {}

void CFastInfosetWriter::WriteFIHeader(FInfoDecl declaration)
{
    if (declaration < 0 || static_cast<std::size_t>(declaration) >= FIOctets::DeclarationCount)
        throw CNxException(FormatString(Msg::FiWriteInvalidDeclaration, int(declaration)));
    m_buffer += FIOctets::Declarations[declaration];
    m_buffer.append(reinterpret_cast<char const *>(FIOctets::Header), sizeof FIOctets::Header);
    if (!m_options->GetUseGeneratedVocabulary())
    {
        Push(m_buffer, 0x00);
        return;
    }
    Push(m_buffer, FIOctets::InitialVocabularyFlag);
    Push(m_buffer, FIOctets::ExternalVocabularyFlag);
    Push(m_buffer, 0x00);
    std::string uri = m_options->GetExternalVocabularyURI();
    if (uri.empty())
        uri = FIOctets::DefaultExternalVocabularyURI;
    std::string const & octets = ToUtf8(uri);
    FIEncoding::AppendLengthBit2(m_buffer, 0x00, static_cast<std::uint32_t>(octets.size()));
    m_buffer += octets;
}

void CFastInfosetWriter::WriteFITrailer()
{
    FlushPendingElement();
    Push(m_buffer, m_terminatorPending ? FIOctets::DoubleTerminator : FIOctets::Terminator);
    m_terminatorPending = false;
    FlushBuffer();
}

std::string const * CFastInfosetWriter::ResolvePrefix(std::string const & namespaceUri, bool isAttribute)
{
    CXmlWriterContext const & context = *GetCurrentContext();
    if (namespaceUri.empty())
    {
        // An element without namespace below a default namespace undeclares it (xmlns=""); on the
        // root it is simply not declared.
        if (!isAttribute && !context.GetDefaultNamespace().empty())
        {
            SetDefaultNamespace(namespaceUri);
            if (context.GetParent() != nullptr)
                AddDeclaration(namespaceUri, namespaceUri);
        }
        return nullptr;
    }
    // Element names in the default namespace go without a prefix; attributes always take one.
    if (!isAttribute && namespaceUri == context.GetDefaultNamespace())
        return nullptr;
    if (std::string const * const prefix = context.FindPrefix(namespaceUri))
        return prefix;
    std::string const & prefix = DeclareGeneratedPrefix(namespaceUri);
    AddDeclaration(prefix, namespaceUri);
    return &prefix;
}

void CFastInfosetWriter::AddDeclaration(std::string const & prefix, std::string const & namespaceUri)
{
    if (m_declarationCount == m_declarations.size())
        m_declarations.emplace_back();
    CNamespaceDeclaration & declaration = m_declarations[m_declarationCount++];
    declaration.prefix = prefix;
    declaration.namespaceUri = namespaceUri;
}

void CFastInfosetWriter::WriteStartElement(std::string const & localName, std::string const & namespaceUri)
{
    FlushPendingElement();
    CloseBeforeContent();
    CXmlWriterContext * const parent = GetCurrentContext();
    if (parent != nullptr)
        CloseStartTag(*parent);
    PushContext(localName, namespaceUri);
    m_pendingElement = true;
    m_elementPrefix = ResolvePrefix(namespaceUri, false);
}

void CFastInfosetWriter::CloseBeforeContent()
{
    if (m_attributeListOpen || m_terminatorPending)
        Push(m_buffer, FIOctets::Terminator);
    m_attributeListOpen = false;
    m_terminatorPending = false;
}

void CFastInfosetWriter::FlushPendingElement()
{
    if (!m_pendingElement)
        return;
    m_pendingElement = false;
    CXmlWriterContext & context = *GetCurrentContext();
    bool const hasAttributes = m_attributeCount != 0;
    bool const declared = WriteNamespaceAttributes(hasAttributes);
    unsigned char const leading = !declared && hasAttributes ? FIOctets::ElementAttributesFlag : 0x00;
    WriteElementName(m_elementPrefix, context.GetNamespaceURI(), context.GetLocalName(), leading);
    for (std::size_t i = 0; i < m_attributeCount; ++i)
    {
        CPendingAttribute const & attribute = m_attributes[i];
        WriteAttributeName(attribute);
        WriteAttributeValue(attribute.value, attribute.itemType);
    }
    m_attributeListOpen = hasAttributes;
    m_attributeCount = 0;
    m_declarationCount = 0;
    CloseStartTag(context);
}

bool CFastInfosetWriter::WriteNamespaceAttributes(bool hasAttributes)
{
    CXmlWriterContext const & context = *GetCurrentContext();
    bool const isRoot = context.GetParent() == nullptr;
    std::string const & defaultNamespace = context.GetDefaultNamespace();
    bool rootDeclares = false;
    if (isRoot)
    {
        rootDeclares = !defaultNamespace.empty();
        for (auto const & entry : GetWriterNamespaces())
            rootDeclares = rootDeclares || entry.first != XmlNamespace;
    }
    if (!rootDeclares && m_declarationCount == 0)
        return false;
    Push(m_buffer, FIOctets::NamespaceAttributes | (hasAttributes ? FIOctets::ElementAttributesFlag : 0x00));
    CFIVocabulary & vocabulary = *m_vocabulary;
    auto const declare = [this, &vocabulary](std::string const & prefix, std::string const & namespaceUri)
    {
        Push(m_buffer,
             FIOctets::NamespaceAttribute | (prefix.empty() ? 0x00 : 0x02) | (namespaceUri.empty() ? 0x00 : 0x01));
        if (!prefix.empty())
            WriteIdentifyingString(vocabulary.GetPrefixNamesTable(), prefix);
        if (!namespaceUri.empty())
            WriteIdentifyingString(vocabulary.GetNamespaceNamesTable(), namespaceUri);
    };
    if (rootDeclares)
    {
        if (!defaultNamespace.empty())
            declare(std::string(), defaultNamespace);
        for (auto const & entry : GetWriterNamespaces())
        {
            if (entry.first != XmlNamespace)
                declare(entry.second, entry.first);
        }
    }
    for (std::size_t i = 0; i < m_declarationCount; ++i)
        declare(m_declarations[i].prefix, m_declarations[i].namespaceUri);
    Push(m_buffer, FIOctets::Terminator);
    return true;
}

std::uint32_t CFastInfosetWriter::WriteIdentifyingString(CFIVocabulary::CFIStringTable & table,
                                                         std::string const & text)
{
    std::uint32_t index = 0;
    if (table.Find(text, index))
    {
        FIEncoding::AppendIndexBit2(m_buffer, 0x80, index);
        return index;
    }
    std::string const & octets = ToUtf8(text);
    FIEncoding::AppendLengthBit2(m_buffer, 0x00, static_cast<std::uint32_t>(octets.size()));
    m_buffer += octets;
    return table.Add(text, index) ? index : 0;
}

CFIVocabulary::CQNameParts CFastInfosetWriter::WriteQNameParts(std::string const * prefix,
                                                               std::string const & namespaceUri,
                                                               std::string const & localName)
{
    CFIVocabulary & vocabulary = *m_vocabulary;
    std::uint32_t const prefixIndex =
        prefix != nullptr ? WriteIdentifyingString(vocabulary.GetPrefixNamesTable(), *prefix) : 0;
    std::uint32_t const namespaceIndex =
        namespaceUri.empty() ? 0 : WriteIdentifyingString(vocabulary.GetNamespaceNamesTable(), namespaceUri);
    std::uint32_t const localIndex = WriteIdentifyingString(vocabulary.GetLocalNamesTable(), localName);
    return CFIVocabulary::CQNameParts(prefixIndex, namespaceIndex, localIndex);
}

namespace
{

// The indices of a qualified name's parts when each is in its table.
bool FindQName(CFIVocabulary const & vocabulary, std::string const * prefix, std::string const & namespaceUri,
               std::string const & localName, CFIVocabulary::CFIQNameTable const & table, std::uint32_t & index)
{
    std::uint32_t prefixIndex = 0;
    std::uint32_t namespaceIndex = 0;
    std::uint32_t localIndex = 0;
    return (prefix == nullptr || vocabulary.GetPrefixNamesTable().Find(*prefix, prefixIndex)) &&
           (namespaceUri.empty() || vocabulary.GetNamespaceNamesTable().Find(namespaceUri, namespaceIndex)) &&
           vocabulary.GetLocalNamesTable().Find(localName, localIndex) &&
           table.Find(CFIVocabulary::CQNameParts(prefixIndex, namespaceIndex, localIndex), index);
}

// Whether every part present in the name has an index, so the name can enter its table.
bool IsStorable(CFIVocabulary::CQNameParts const & parts, std::string const * prefix, std::string const & namespaceUri)
{
    return parts.GetLocalName() != 0 && (prefix == nullptr || parts.GetPrefix() != 0) &&
           (namespaceUri.empty() || parts.GetNamespaceName() != 0);
}

std::string const NoPrefix;

// A cheap hash of a name for the name caches: its length and three of its characters.
std::size_t NameHash(std::string const & name)
{
    std::size_t const length = name.size();
    if (length == 0)
        return 0;
    auto const at = [&name](std::size_t i) { return std::size_t(static_cast<unsigned char>(name[i])); };
    std::size_t const mixed = length ^ (at(0) << 4) ^ (at(length / 2) << 10) ^ (at(length - 1) << 16);
    return (mixed * 0x9E3779B97F4A7C15ull) >> 40;
}

} // namespace

CFastInfosetWriter::CNameCache::CNameCache() : m_entries(Size) {}

std::uint32_t CFastInfosetWriter::CNameCache::Find(std::size_t hash, std::string const * prefix,
                                                   std::string const & namespaceUri,
                                                   std::string const & localName) const
{
    CEntry const & entry = m_entries[hash % Size];
    bool const same = entry.index != 0 && entry.localName == localName && entry.namespaceUri == namespaceUri &&
                      entry.prefix == (prefix != nullptr ? *prefix : NoPrefix);
    return same ? entry.index : 0;
}

void CFastInfosetWriter::CNameCache::Store(std::size_t hash, std::string const * prefix,
                                           std::string const & namespaceUri, std::string const & localName,
                                           std::uint32_t index)
{
    CEntry & entry = m_entries[hash % Size];
    entry.prefix = prefix != nullptr ? *prefix : NoPrefix;
    entry.namespaceUri = namespaceUri;
    entry.localName = localName;
    entry.index = index;
}

std::uint32_t CFastInfosetWriter::FindName(CNameCache & cache, std::size_t hash,
                                           CFIVocabulary::CFIQNameTable const & table, std::string const * prefix,
                                           std::string const & namespaceUri, std::string const & localName) const
{
    std::uint32_t index = cache.Find(hash, prefix, namespaceUri, localName);
    if (index == 0 && FindQName(*m_vocabulary, prefix, namespaceUri, localName, table, index))
        cache.Store(hash, prefix, namespaceUri, localName, index);
    return index;
}

CFastInfosetWriter::CShortValueCache::CShortValueCache() : m_entries(Size) {}

std::uint64_t CFastInfosetWriter::CShortValueCache::Key(std::string const & value)
{
    std::size_t const length = value.size();
    if (length > 7)
        return 0;
    std::uint64_t key = std::uint64_t(length + 1) << 56;
    for (std::size_t i = 0; i < length; ++i)
        key |= std::uint64_t(static_cast<unsigned char>(value[i])) << (8 * i);
    return key;
}

std::uint32_t CFastInfosetWriter::CShortValueCache::Find(std::uint64_t key) const
{
    CEntry const & entry = m_entries[Slot(key)];
    return entry.key == key ? entry.index : 0;
}

void CFastInfosetWriter::CShortValueCache::Store(std::uint64_t key, std::uint32_t index)
{
    CEntry & entry = m_entries[Slot(key)];
    entry.key = key;
    entry.index = index;
}

std::uint32_t CFastInfosetWriter::FindValue(CShortValueCache & cache, std::uint64_t key,
                                            CFIVocabulary::CFIStringTable const & table, std::string const & value)
{
    std::uint32_t index = key != 0 ? cache.Find(key) : 0;
    if (index == 0 && table.Find(value, index) && key != 0)
        cache.Store(key, index);
    return index;
}

void CFastInfosetWriter::WriteElementName(std::string const * prefix, std::string const & namespaceUri,
                                          std::string const & localName, unsigned char leading)
{
    CFIVocabulary::CFIQNameTable & table = m_vocabulary->GetElementNamesTable();
    std::size_t const hash = NameHash(localName);
    std::uint32_t index = FindName(m_elementNames, hash, table, prefix, namespaceUri, localName);
    if (index != 0)
    {
        FIEncoding::AppendIndexBit3(m_buffer, leading, index);
        return;
    }
    Push(m_buffer, leading | FIOctets::ElementLiteralQName | (prefix != nullptr ? 0x02 : 0x00) |
                       (namespaceUri.empty() ? 0x00 : 0x01));
    CFIVocabulary::CQNameParts const parts = WriteQNameParts(prefix, namespaceUri, localName);
    if (IsStorable(parts, prefix, namespaceUri) && table.Add(parts, index))
        m_elementNames.Store(hash, prefix, namespaceUri, localName, index);
}

void CFastInfosetWriter::WriteAttributeName(CPendingAttribute const & attribute)
{
    CFIVocabulary::CFIQNameTable & table = m_vocabulary->GetAttributeNamesTable();
    std::size_t const hash = NameHash(attribute.localName);
    std::uint32_t index =
        FindName(m_attributeNames, hash, table, attribute.prefix, attribute.namespaceUri, attribute.localName);
    if (index != 0)
    {
        FIEncoding::AppendIndexBit2(m_buffer, 0x00, index);
        return;
    }
    Push(m_buffer, FIOctets::AttributeLiteralQName | (attribute.prefix != nullptr ? 0x02 : 0x00) |
                       (attribute.namespaceUri.empty() ? 0x00 : 0x01));
    CFIVocabulary::CQNameParts const parts =
        WriteQNameParts(attribute.prefix, attribute.namespaceUri, attribute.localName);
    if (IsStorable(parts, attribute.prefix, attribute.namespaceUri) && table.Add(parts, index))
        m_attributeNames.Store(hash, attribute.prefix, attribute.namespaceUri, attribute.localName, index);
}

void CFastInfosetWriter::WriteText(std::string const & value, ItemType itemType)
{
    if (value.empty() || GetCurrentContext() == nullptr)
        return;
    FlushPendingElement();
    CloseBeforeContent();
    WriteCharacterChunk(value, itemType);
    FlushIfFull();
}

void CFastInfosetWriter::WriteEndElement()
{
    if (GetCurrentContext() == nullptr)
        throw CNxException(Msg::ElementHasNotBeenOpened);
    FlushPendingElement();
    if (m_attributeListOpen)
        Push(m_buffer, FIOctets::Terminator);
    m_attributeListOpen = false;
    if (m_terminatorPending)
        Push(m_buffer, FIOctets::DoubleTerminator);
    m_terminatorPending = !m_terminatorPending;
    PopContext();
    FlushIfFull();
}

void CFastInfosetWriter::WriteAttribute(std::string const & localName, std::string const & namespaceUri,
                                        std::string const & value, ItemType itemType)
{
    CXmlWriterContext const * const current = GetCurrentContext();
    if (!m_pendingElement || current == nullptr || !current->IsStartTagOpen())
        throw CNxException(Msg::AttributesBeforeElements);
    if (m_attributeCount == m_attributes.size())
        m_attributes.emplace_back();
    CPendingAttribute & attribute = m_attributes[m_attributeCount];
    attribute.prefix = ResolvePrefix(namespaceUri, true);
    attribute.localName = localName;
    attribute.namespaceUri = namespaceUri;
    attribute.value = value;
    attribute.itemType = itemType;
    ++m_attributeCount;
}

void CFastInfosetWriter::WriteXsiType(std::string const & typeNamespace, std::string const & typeName,
                                      ItemType itemType)
{
    CXmlWriterContext const * const current = GetCurrentContext();
    if (!m_pendingElement || current == nullptr || !current->IsStartTagOpen())
        throw CNxException(Msg::AttributesBeforeElements);
    std::string const * const prefix =
        typeNamespace == current->GetDefaultNamespace() ? nullptr : ResolvePrefix(typeNamespace, true);
    WriteAttribute("type", XsiNamespace, prefix != nullptr ? *prefix + ":" + typeName : typeName, itemType);
}

void CFastInfosetWriter::WriteXsiNil() { WriteAttribute("nil", XsiNamespace, "true", ItemType_boolean); }

unsigned char CFastInfosetWriter::EncodeLiteral(std::string const & value, ItemType itemType, bool isAttribute,
                                                std::uint32_t & index, std::string const *& octets)
{
    EncodedCharacterString const encoding = m_options->GetEncoding(itemType);
    m_scratch.clear();
    octets = &m_scratch;
    index = encoding.index;
    switch (encoding.kind)
    {
    case EncodedCharacterString::Kind_CharacterString: break;
    case EncodedCharacterString::Kind_RestrictedAlphabet:
        if (index < 1 || index > FIOctets::BuiltInAlphabetCount)
            throw CNxException(FormatString(Msg::FiWriteInvalidAlphabet, int(index)));
        BuiltInAlphabets()[index - 1].AppendPacked(value, m_scratch);
        return FIOctets::DiscriminantRestrictedAlphabet;
    case EncodedCharacterString::Kind_EncodingAlgorithm:
        if (index < 1 || index > FIOctets::BuiltInAlgorithmCount)
            throw CNxException(FormatString(Msg::FiWriteInvalidAlgorithm, int(index)));
        CFastInfosetBinaryData::AppendEncoded(index, value, m_scratch);
        // A value without octets (blank binary text) goes as a character string.
        if (!m_scratch.empty())
            return FIOctets::DiscriminantEncodingAlgorithm;
        break;
    default: throw CNxException(isAttribute ? Msg::FiWriteUnknownEncodingBit5 : Msg::FiWriteUnknownEncodingBit7);
    }
    if (m_options->GetDefaultStringEncoding() != 0)
        throw CNxException(Msg::FiWriteUtf16Unsupported);
    octets = &ToUtf8(value);
    return FIOctets::DiscriminantUtf8;
}

void CFastInfosetWriter::WriteAttributeValue(std::string const & value, ItemType itemType)
{
    if (value.empty())
    {
        Push(m_buffer, FIOctets::EmptyValue);
        return;
    }
    CFIVocabulary::CFIStringTable & table = m_vocabulary->GetAttributeValuesTable();
    bool const shortValue = value.size() < m_options->GetAttributeMaxAddLength();
    std::uint64_t const key = shortValue ? CShortValueCache::Key(value) : 0;
    std::uint32_t index = shortValue ? FindValue(m_attributeValues, key, table, value) : 0;
    if (index != 0)
    {
        FIEncoding::AppendIndexBit2(m_buffer, 0x80, index);
        return;
    }
    std::uint32_t encodingIndex = 0;
    std::string const * octets = nullptr;
    unsigned char const discriminant = EncodeLiteral(value, itemType, true, encodingIndex, octets);
    bool const add = shortValue && table.Add(value, index);
    if (add && key != 0)
        m_attributeValues.Store(key, index);
    // '0', the add-to-table bit, the discriminant, then the rest on the fifth bit.
    unsigned char const leading = static_cast<unsigned char>((add ? 0x40 : 0x00) | (discriminant << 4));
    std::uint32_t const length = static_cast<std::uint32_t>(octets->size());
    if (discriminant == FIOctets::DiscriminantUtf8)
    {
        FIEncoding::AppendLengthBit5(m_buffer, leading, length);
    }
    else
    {
        Push(m_buffer, leading | ((encodingIndex - 1) >> 4));
        FIEncoding::AppendLengthBit5(m_buffer, static_cast<unsigned char>(((encodingIndex - 1) & 0x0F) << 4), length);
    }
    m_buffer += *octets;
}

void CFastInfosetWriter::WriteCharacterChunk(std::string const & value, ItemType itemType)
{
    CFIVocabulary::CFIStringTable & table = m_vocabulary->GetCharacterChunksTable();
    bool const shortValue = value.size() < m_options->GetElementMaxAddLength();
    std::uint64_t const key = shortValue ? CShortValueCache::Key(value) : 0;
    std::uint32_t index = shortValue ? FindValue(m_characterChunks, key, table, value) : 0;
    if (index != 0)
    {
        FIEncoding::AppendIndexBit4(m_buffer, FIOctets::CharacterChunk | 0x20, index);
        return;
    }
    std::uint32_t encodingIndex = 0;
    std::string const * octets = nullptr;
    unsigned char const discriminant = EncodeLiteral(value, itemType, false, encodingIndex, octets);
    bool const add = shortValue && table.Add(value, index);
    if (add && key != 0)
        m_characterChunks.Store(key, index);
    // '10', '0', the add-to-table bit, the discriminant, then the rest on the seventh bit.
    unsigned char const leading =
        static_cast<unsigned char>(FIOctets::CharacterChunk | (add ? 0x10 : 0x00) | (discriminant << 2));
    std::uint32_t const length = static_cast<std::uint32_t>(octets->size());
    if (discriminant == FIOctets::DiscriminantUtf8)
    {
        FIEncoding::AppendLengthBit7(m_buffer, leading, length);
    }
    else
    {
        Push(m_buffer, leading | ((encodingIndex - 1) >> 6));
        FIEncoding::AppendLengthBit7(m_buffer, static_cast<unsigned char>(((encodingIndex - 1) & 0x3F) << 2), length);
    }
    m_buffer += *octets;
}

std::string const & CFastInfosetWriter::ToUtf8(std::string const & text)
{
    if (m_localIsUtf8)
        return text;
    m_utf8.clear();
    AppendLocalAsUtf8(text.data(), text.size(), m_utf8);
    return m_utf8;
}

void CFastInfosetWriter::FlushIfFull()
{
    if (m_buffer.size() >= FlushThreshold)
        FlushBuffer();
}

void CFastInfosetWriter::FlushBuffer()
{
    if (m_buffer.empty())
        return;
    m_output->Append(reinterpret_cast<unsigned char const *>(m_buffer.data()),
                     static_cast<std::uint32_t>(m_buffer.size()));
    m_buffer.clear();
}

} // namespace NxXmlLib16
