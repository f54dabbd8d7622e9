#include "FastInfosetContext.h"

#include "fastinfoset/FIOctets.h"
#include "frame/Namespaces.h"

namespace NxXmlLib16
{

CFIVocabulary::CFIStringTable::~CFIStringTable() = default;

bool CFIVocabulary::CFIStringTable::Find(std::string const & value, std::uint32_t & index) const
{
    auto const found = m_indices.find(value);
    if (found == m_indices.end())
        return false;
    index = found->second;
    return true;
}

bool CFIVocabulary::CFIStringTable::Add(std::string const & value, std::uint32_t & index)
{
    if (Find(value, index))
        return true;
    if (IsFull())
        return false;
    m_entries.push_back(value);
    index = GetCount();
    m_indices.emplace(value, index);
    return true;
}

void CFIVocabulary::CFIStringTable::Append(std::string const & value)
{
    if (IsFull())
        return;
    m_entries.push_back(value);
    m_indices.emplace(value, GetCount()); // keeps the first index of a repeated entry
}

CFIVocabulary::CFIQNameTable::~CFIQNameTable() = default;

bool CFIVocabulary::CFIQNameTable::Find(CQNameParts const & name, std::uint32_t & index) const
{
    auto const found = m_indices.find(name.GetKey());
    if (found == m_indices.end())
        return false;
    index = found->second;
    return true;
}

bool CFIVocabulary::CFIQNameTable::Add(CQNameParts const & name, std::uint32_t & index)
{
    if (Find(name, index))
        return true;
    if (IsFull())
        return false;
    m_entries.push_back(name);
    index = GetCount();
    m_indices.emplace(name.GetKey(), index);
    return true;
}

void CFIVocabulary::CFIQNameTable::Append(CQNameParts const & name)
{
    if (IsFull())
        return;
    m_entries.push_back(name);
    m_indices.emplace(name.GetKey(), GetCount());
}

CFIVocabulary::CFIVocabulary() : m_restrictedAlphabets{FIOctets::NumericAlphabet, FIOctets::DateTimeAlphabet}
{
    std::uint32_t index = 0;
    m_prefixNames.Add("xml", index);
    m_namespaceNames.Add(Namespaces::Xml, index);
}

CFIVocabulary::CFIVocabulary(CFIVocabulary const & other) = default;

CFIVocabulary & CFIVocabulary::operator=(CFIVocabulary const & other) = default;

CFIVocabulary::~CFIVocabulary() = default;

void CFIVocabulary::AddPrefixName(std::string const & value)
{
    std::uint32_t index = 0;
    m_prefixNames.Add(value, index);
}

void CFIVocabulary::AddNamespaceName(std::string const & value)
{
    std::uint32_t index = 0;
    m_namespaceNames.Add(value, index);
}

void CFIVocabulary::AddLocalName(std::string const & value)
{
    std::uint32_t index = 0;
    m_localNames.Add(value, index);
}

void CFIVocabulary::AddAttributeValue(std::string const & value)
{
    std::uint32_t index = 0;
    m_attributeValues.Add(value, index);
}

void CFIVocabulary::AddElementValue(std::string const & value)
{
    std::uint32_t index = 0;
    m_characterChunks.Add(value, index);
}

void CFIVocabulary::AddElement(std::string const & prefix, std::string const & namespaceName,
                               std::string const & localName)
{
    AddQName(m_elementNames, prefix, namespaceName, localName);
}

void CFIVocabulary::AddAttribute(std::string const & prefix, std::string const & namespaceName,
                                 std::string const & localName)
{
    AddQName(m_attributeNames, prefix, namespaceName, localName);
}

void CFIVocabulary::AddQName(CFIQNameTable & table, std::string const & prefix, std::string const & namespaceName,
                             std::string const & localName)
{
    std::uint32_t prefixIndex = 0;
    std::uint32_t namespaceIndex = 0;
    std::uint32_t localIndex = 0;
    // A part that does not fit its table leaves the name unrepresentable by indices.
    if (!prefix.empty() && !m_prefixNames.Add(prefix, prefixIndex))
        return;
    if (!namespaceName.empty() && !m_namespaceNames.Add(namespaceName, namespaceIndex))
        return;
    if (!m_localNames.Add(localName, localIndex))
        return;
    std::uint32_t index = 0;
    table.Add(CQNameParts(prefixIndex, namespaceIndex, localIndex), index);
}

CFastInfosetContext::CFastInfosetContext() = default;
CFastInfosetContext::CFastInfosetContext(CFastInfosetContext const & other) = default;
CFastInfosetContext & CFastInfosetContext::operator=(CFastInfosetContext const & other) = default;
CFastInfosetContext::~CFastInfosetContext() = default;

CFastInfosetContext::EncodedCharacterString CFastInfosetContext::GetEncoding(std::uint32_t itemType) const
{
    return itemType < ItemTypeCount ? m_encodings[itemType] : EncodedCharacterString();
}

void CFastInfosetContext::SetEncoding(std::uint32_t itemType, EncodedCharacterString encoding)
{
    if (itemType < ItemTypeCount)
        m_encodings[itemType] = encoding;
}

void CFastInfosetContext::SetSuggestedValues()
{
    using E = EncodedCharacterString;
    struct CSuggestion
    {
        ItemType itemType;
        E::Kind kind;
        std::uint32_t index;
    };
    static constexpr CSuggestion Suggestions[] = {
        {ItemType_hexBinary, E::Kind_EncodingAlgorithm, 1}, {ItemType_base64Binary, E::Kind_EncodingAlgorithm, 2},
        {ItemType_i1, E::Kind_EncodingAlgorithm, 3},        {ItemType_i2, E::Kind_EncodingAlgorithm, 3},
        {ItemType_ui1, E::Kind_EncodingAlgorithm, 3},       {ItemType_i4, E::Kind_EncodingAlgorithm, 4},
        {ItemType_ui2, E::Kind_EncodingAlgorithm, 4},       {ItemType_i8, E::Kind_EncodingAlgorithm, 5},
        {ItemType_ui4, E::Kind_EncodingAlgorithm, 5},       {ItemType_ui8, E::Kind_EncodingAlgorithm, 5},
        {ItemType_r4, E::Kind_EncodingAlgorithm, 7},        {ItemType_r8, E::Kind_EncodingAlgorithm, 8},
        {ItemType_boolean, E::Kind_EncodingAlgorithm, 6},   {ItemType_yearMonth, E::Kind_RestrictedAlphabet, 2},
        {ItemType_monthDay, E::Kind_RestrictedAlphabet, 2}, {ItemType_year, E::Kind_RestrictedAlphabet, 2},
        {ItemType_month, E::Kind_RestrictedAlphabet, 2},    {ItemType_day, E::Kind_RestrictedAlphabet, 2},
        {ItemType_date, E::Kind_RestrictedAlphabet, 2},     {ItemType_datetime, E::Kind_RestrictedAlphabet, 2},
        {ItemType_time, E::Kind_RestrictedAlphabet, 2},     {ItemType_decimal, E::Kind_RestrictedAlphabet, 1},
        {ItemType_integer, E::Kind_RestrictedAlphabet, 1}};
    for (E & encoding : m_encodings)
        encoding = E();
    for (CSuggestion const & suggestion : Suggestions)
        m_encodings[suggestion.itemType] = E{suggestion.kind, suggestion.index};
}

} // namespace NxXmlLib16
