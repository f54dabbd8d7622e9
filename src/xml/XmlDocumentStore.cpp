#include "xml/XmlDocumentStore.h"

#include <cstring>

namespace NxXmlLib16
{

void CXmlArena::AddBlock(std::size_t minimum)
{
    if (m_spare != nullptr && m_spare->Size() >= minimum)
    {
        m_blocks.push_back(std::move(*m_spare));
        m_spare.reset();
    }
    else
    {
        std::size_t size = m_blocks.empty() ? FirstBlockSize : m_blocks.back().Size() * 2;
        size = size > LargestBlockSize ? LargestBlockSize : size;
        m_blocks.emplace_back(minimum > size ? minimum : size);
    }
    m_current = m_blocks.size() - 1;
    m_used = 0;
}

void * CXmlArena::Allocate(std::size_t size, std::size_t alignment)
{
    if (!m_blocks.empty())
    {
        std::size_t const start = (m_used + alignment - 1) & ~(alignment - 1);
        if (start + size <= m_blocks[m_current].Size())
        {
            m_used = start + size;
            return m_blocks[m_current].Data() + start;
        }
    }
    AddBlock(size);
    m_used = size;
    return m_blocks[m_current].Data();
}

char const * CXmlArena::CopyText(std::string_view text)
{
    char * const copy = static_cast<char *>(Allocate(text.size() + 1, 1));
    std::memcpy(copy, text.data(), text.size());
    copy[text.size()] = '\0';
    return copy;
}

CXmlArena::CMark CXmlArena::GetMark() const { return CMark{m_current, m_used}; }

void CXmlArena::Rewind(CMark mark)
{
    if (m_blocks.empty())
        return;
    // One freed block is kept, so that a boundary crossed again and again costs no allocation.
    while (m_blocks.size() > mark.block + 1)
    {
        if (m_spare == nullptr || m_spare->Size() < m_blocks.back().Size())
            m_spare = std::make_unique<CLargeBlock>(std::move(m_blocks.back()));
        m_blocks.pop_back();
    }
    m_current = mark.block;
    m_used = mark.used;
}

void CXmlArena::Clear()
{
    m_blocks.clear();
    m_spare.reset();
    m_current = 0;
    m_used = 0;
}

CXmlName const * CXmlNameTable::Find(std::string_view key) const
{
    auto const found = m_index.find(key);
    return found == m_index.end() ? nullptr : found->second;
}

CXmlName const & CXmlNameTable::Add(std::string_view key, std::string_view namespaceUri, std::string_view localName)
{
    m_names.push_back(CXmlName{std::string(key), std::string(namespaceUri), std::string(localName)});
    CXmlName const & stored = m_names.back();
    m_index.emplace(std::string_view(stored.key), &stored);
    return stored;
}

void CXmlNameTable::Clear()
{
    m_index.clear();
    m_names.clear();
}

} // namespace NxXmlLib16
