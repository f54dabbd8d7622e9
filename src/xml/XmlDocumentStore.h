// The storage behind a CXmlDocument: one growing block for elements, attributes and text, the
// table of distinct names, and the stack of elements being built.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "XmlDocument.h"
#include "frame/Compression.h"
#include "frame/Portable.h"
#include "xml/DemandXmlReader.h"

namespace NxXmlLib16
{

// The records of one document tree in one block. Records refer to each other by their distance
// in units of 8 bytes, so the block may move as it grows; offsets here are in bytes from its start.
class CXmlTreeBuffer
{
public:
    static constexpr std::size_t Unit = 8;

    // Room for a record of size bytes, aligned to the unit; returns its offset.
    std::size_t Allocate(std::size_t size);
    // A zero-terminated copy of the text; returns its offset.
    std::size_t CopyText(std::string_view text);
    char * At(std::size_t offset) const { return m_block.Data() + offset; }
    std::size_t GetUsed() const { return m_used; }
    // Gives back everything allocated after the offset.
    void Rewind(std::size_t used) { m_used = used; }
    // Empties the buffer and makes it one that never moves, so that records may be held by
    // address while more are added; false, with the buffer as it was, when that cannot be had.
    bool KeepInPlace();
    void Clear();

    // The distance from one record to another, as records store it.
    static std::int32_t Distance(std::size_t from, std::size_t to)
    {
        return static_cast<std::int32_t>((static_cast<std::int64_t>(to) - static_cast<std::int64_t>(from)) /
                                         static_cast<std::int64_t>(Unit));
    }

private:
    // Records refer to each other by 32-bit distances in units: the block stays below 16 GiB.
    static constexpr std::size_t LargestSize = std::size_t(1) << 34;
    static constexpr std::size_t FirstSize = 64 * 1024;

    void Grow(std::size_t minimum);

    CLargeBlock m_block;
    std::size_t m_used = 0;
};

// A distinct name with the offset of the slot in the tree buffer through which records find it.
struct CXmlStoredName : CXmlName
{
    mutable std::size_t slot = 0;                      // 0 until a record refers to the name
    mutable CXmlStoredName const * follower = nullptr; // the name the parser reported after this one, last time
};

// Every distinct name of a document, stored once and found by the parser's form of it.
class CXmlNameTable
{
public:
    CXmlStoredName const * Find(std::string_view key) const;
    CXmlStoredName const & Add(std::string_view key, std::string_view namespaceUri, std::string_view localName);
    // Records that the name got a slot.
    void AddSlot(CXmlStoredName const & name, std::size_t slot);
    // Forgets the slots at or after the offset, which the tree gave back.
    void ForgetSlotsFrom(std::size_t offset);
    void Clear();

private:
    std::deque<CXmlStoredName> m_names;
    std::unordered_map<std::string_view, CXmlStoredName const *> m_index;
    std::vector<CXmlStoredName const *> m_slotted; // in the order their slots were made
};

// Texts made only of whitespace (the layout between child elements), stored once each: an
// indented document repeats the same few of them for every element with children.
class CXmlLayoutTexts
{
public:
    // Longer whitespace is stored with its element like any other text.
    static constexpr std::size_t LongestShared = 1024;

    // Whether the text is whitespace only and short enough to be shared.
    static bool IsShareable(std::string_view text);
    // The offset of the stored copy of the text, or 0 when it was not stored yet.
    std::size_t Find(std::string_view text) const;
    // Records where the text was stored.
    void Add(std::string_view text, std::size_t offset);
    // Forgets the texts stored at or after the offset, which the tree gave back.
    void ForgetFrom(std::size_t offset);
    void Clear();

private:
    std::unordered_map<std::string, std::size_t> m_offsets;
    mutable std::string m_key;                // the text looked up, as the map's key type
    std::vector<std::string const *> m_added; // keys in the order their texts were stored
};

// Character data collected for an element being built. Its block grows without copying once it
// is large, so that a huge text costs its own size and no more.
class CXmlTextBuilder
{
public:
    void Append(char const * data, std::size_t length);
    void Clear() { m_length = 0; }
    bool Empty() const { return m_length == 0; }
    std::size_t Size() const { return m_length; }
    std::string_view View() const { return std::string_view(m_block.Data(), m_length); }

private:
    CLargeBlock m_block;
    std::size_t m_length = 0;
};

// One element being built, by offsets into the tree buffer (0: none).
struct CXmlOpenElement
{
    std::size_t element;
    std::size_t lastChild;       // the element's last child so far
    std::size_t previousSibling; // the parent's last child before this one
    std::size_t mark;            // the buffer before this element
    std::size_t content;         // the buffer after its own records, where its content starts
    // The first child whose records may be given back once reading has passed it, and the
    // child before that one.
    std::size_t givable;
    std::size_t kept;
    std::size_t children; // child elements so far
    CXmlTextBuilder text; // character data collected so far
};

// The element closed last, by offsets into the tree buffer: where it is, where its content
// started and where the buffer ended when it closed.
struct CXmlClosedElement
{
    std::size_t element = 0;
    std::size_t content = 0;
    std::size_t end = 0;
};

struct CXmlDocumentStore
{
    CXmlTreeBuffer tree;
    CXmlNameTable names;
    CXmlLayoutTexts layoutTexts;
    std::size_t root = 0; // offset of the document element, 0 before it starts
    // Open elements by depth; entries are reused so their text buffers keep their capacity.
    std::vector<CXmlOpenElement> open;
    std::size_t depth = 0;
    std::size_t maxDepth = 0; // the deepest nesting reached
    CXmlClosedElement lastClosed;
    // Inflated input that objects are read from as it is parsed; it outlives Clear(), since
    // reading it whole again starts with one, and the reader that views it.
    std::unique_ptr<CInflatedBytes> inflated;
    std::unique_ptr<CDemandXmlReader> demand; // set while the text is read as objects ask

    void Clear()
    {
        demand.reset();
        tree.Clear();
        names.Clear();
        layoutTexts.Clear();
        root = 0;
        depth = 0;
        maxDepth = 0;
        lastClosed = CXmlClosedElement{};
    }
};

} // namespace NxXmlLib16
