#include "xml/XmlDocumentStore.h"

#include "NxException.h"
#include "frame/Messages.h"

#include <algorithm>
#include <cstring>

namespace NxXmlLib16
{

void CXmlTreeBuffer::Grow(std::size_t minimum)
{
    if (minimum > LargestSize)
        throw CNxException(Msg::DocumentTreeTooLarge);
    std::size_t size = m_block.Size() < FirstSize ? FirstSize : m_block.Size();
    while (size < minimum)
        size *= 2;
    m_block.Resize(size < LargestSize ? size : LargestSize);
}

std::size_t CXmlTreeBuffer::Allocate(std::size_t size)
{
    std::size_t const offset = m_used;
    std::size_t const end = offset + ((size + Unit - 1) & ~(Unit - 1));
    if (end > m_block.Size())
        Grow(end);
    m_used = end;
    return offset;
}

std::size_t CXmlTreeBuffer::CopyText(std::string_view text)
{
    std::size_t const offset = Allocate(text.size() + 1);
    char * const copy = At(offset);
    std::memcpy(copy, text.data(), text.size());
    copy[text.size()] = '\0';
    return offset;
}

bool CXmlTreeBuffer::KeepInPlace()
{
    // The largest tree's worth of address space; pages are backed only as the tree reaches them.
    if (!m_block.ReserveInPlace(LargestSize))
        return false;
    m_used = 0;
    return true;
}

void CXmlTreeBuffer::Clear()
{
    m_block.Reset();
    m_used = 0;
}

CXmlStoredName const * CXmlNameTable::Find(std::string_view key) const
{
    auto const found = m_index.find(key);
    return found == m_index.end() ? nullptr : found->second;
}

CXmlStoredName const & CXmlNameTable::Add(std::string_view key, std::string_view namespaceUri,
                                          std::string_view localName)
{
    CXmlStoredName & stored = m_names.emplace_back();
    stored.key = std::string(key);
    stored.namespaceUri = std::string(namespaceUri);
    stored.localName = std::string(localName);
    m_index.emplace(std::string_view(stored.key), &stored);
    return stored;
}

void CXmlNameTable::AddSlot(CXmlStoredName const & name, std::size_t slot)
{
    name.slot = slot;
    m_slotted.push_back(&name);
}

void CXmlNameTable::ForgetSlotsFrom(std::size_t offset)
{
    while (!m_slotted.empty() && m_slotted.back()->slot >= offset)
    {
        m_slotted.back()->slot = 0;
        m_slotted.pop_back();
    }
}

void CXmlNameTable::Clear()
{
    m_index.clear();
    m_names.clear();
    m_slotted.clear();
}

void CXmlTextBuilder::Append(char const * data, std::size_t length)
{
    if (length == 0)
        return;
    std::size_t const needed = m_length + length;
    if (needed > m_block.Size())
        m_block.Resize(std::max<std::size_t>({needed, 2 * m_block.Size(), 64}));
    std::memcpy(m_block.Data() + m_length, data, length);
    m_length = needed;
}

bool CXmlLayoutTexts::IsShareable(std::string_view text)
{
    if (text.empty() || text.size() > LongestShared)
        return false;
    for (char const c : text)
    {
        if (c != ' ' && c != '\n' && c != '\t' && c != '\r')
            return false;
    }
    return true;
}

std::size_t CXmlLayoutTexts::Find(std::string_view text) const
{
    m_key.assign(text);
    auto const found = m_offsets.find(m_key);
    return found == m_offsets.end() ? 0 : found->second;
}

void CXmlLayoutTexts::Add(std::string_view text, std::size_t offset)
{
    auto const added = m_offsets.emplace(std::string(text), offset).first;
    m_added.push_back(&added->first);
}

void CXmlLayoutTexts::ForgetFrom(std::size_t offset)
{
    while (!m_added.empty())
    {
        auto const found = m_offsets.find(*m_added.back());
        if (found->second < offset)
            break;
        m_offsets.erase(found);
        m_added.pop_back();
    }
}

void CXmlLayoutTexts::Clear()
{
    m_offsets.clear();
    m_added.clear();
}

} // namespace NxXmlLib16
