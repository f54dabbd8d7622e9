// The storage behind a CXmlDocument: an arena for elements, attributes and text, the table of
// distinct names, and the stack of elements being built.
#pragma once

#include <cstddef>
#include <deque>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "XmlDocument.h"
#include "frame/Portable.h"

namespace NxXmlLib16
{

// Hands out memory in large blocks; everything allocated after a mark can be given back at once.
class CXmlArena
{
public:
    struct CMark
    {
        std::size_t block;
        std::size_t used;
    };

    // Room for size bytes at the given alignment.
    void * Allocate(std::size_t size, std::size_t alignment);
    // A zero-terminated copy of the text.
    char const * CopyText(std::string_view text);
    CMark GetMark() const;
    // Gives back everything allocated since the mark.
    void Rewind(CMark mark);
    void Clear();

private:
    // Blocks grow from the first size to the largest, so small documents stay small and large
    // ones use few, huge-page-backed blocks.
    static constexpr std::size_t FirstBlockSize = 64 * 1024;
    static constexpr std::size_t LargestBlockSize = 4 * 1024 * 1024;

    void AddBlock(std::size_t minimum);

    std::vector<CLargeBlock> m_blocks;
    std::size_t m_current = 0;     // index of the block being filled
    std::size_t m_used = 0;        // bytes used in that block
    std::unique_ptr<CLargeBlock> m_spare; // a freed block kept to avoid churn at a block boundary
};

// Every distinct name of a document, stored once and found by the parser's form of it.
class CXmlNameTable
{
public:
    CXmlName const * Find(std::string_view key) const;
    CXmlName const & Add(std::string_view key, std::string_view namespaceUri, std::string_view localName);
    void Clear();

private:
    std::deque<CXmlName> m_names;
    std::unordered_map<std::string_view, CXmlName const *> m_index;
};

// One element being built.
struct CXmlOpenElement
{
    CXmlElement * element;
    CXmlElement * lastChild;       // the element's last child so far
    CXmlElement * previousSibling; // the parent's last child before this one
    CXmlArena::CMark mark;         // the arena before this element
    std::string text;              // character data collected so far
};

struct CXmlDocumentStore
{
    CXmlArena arena;
    CXmlNameTable names;
    // Open elements by depth; entries are reused so their text buffers keep their capacity.
    std::vector<CXmlOpenElement> open;
    std::size_t depth = 0;

    void Clear()
    {
        arena.Clear();
        names.Clear();
        depth = 0;
    }
};

} // namespace NxXmlLib16
