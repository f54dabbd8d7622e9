#include "xml/DemandXmlReader.h"

#include "NxException.h"
#include "frame/ReadLimits.h"
#include "xml/XmlDocumentStore.h"

#include <atomic>
#include <cstdint>
#include <limits>

namespace NxXmlLib16
{

namespace
{
// Reading on goes this many start tags at a time, and then on to the end of an element at the
// level of the longest run of siblings: switching between reading and the walk for every
// element costs more than holding a few more elements, and the walk gives back passed siblings
// when it reaches the end of what was read among them.
std::atomic<std::size_t> g_startTagsAtOnce{256};
// An element larger than this many start tags is handed over before its end tag, so that the
// walk reads, and gives back, a long run of its children as they are read.
std::atomic<std::size_t> g_startTagsAtMost{4096};
// An open element with this many children is taken to hold a run of siblings.
constexpr std::size_t ChildrenOfARun = 8;
} // namespace

std::pair<std::size_t, std::size_t> SetDemandReadingSteps(std::size_t atOnce, std::size_t atMost)
{
    return {g_startTagsAtOnce.exchange(atOnce, std::memory_order_relaxed),
            g_startTagsAtMost.exchange(atMost, std::memory_order_relaxed)};
}

CDemandXmlReader::CDemandXmlReader(CXmlDocument & document, CXmlDocumentStore & store,
                                   std::unique_ptr<CSteppedReader> reader)
    : m_document(document), m_store(store), m_reader(std::move(reader))
{
}

CSteppedReader::Progress CDemandXmlReader::Start(char const * text, std::size_t length)
{
    m_text = text;
    m_length = length;
    CSteppedReader::Progress progress = CSteppedReader::Progress::GaveUp;
    try
    {
        progress = m_reader->Begin(text, length);
    }
    catch (CNxException const &)
    {
        // Reading the whole input finds the fault again and reports it.
    }
    m_finished = progress != CSteppedReader::Progress::Paused;
    m_gaveUp = progress == CSteppedReader::Progress::GaveUp;
    return progress;
}

CXmlElement * CDemandXmlReader::FirstChild(CXmlElement const & element)
{
    if ((element.m_flags & CXmlElement::IsDropped) != 0)
        throw CReadWholeText();
    if ((element.m_flags & CXmlElement::IsOpen) != 0)
    {
        std::size_t const depth = DepthOf(element);
        while (element.m_firstChild == 0 && (element.m_flags & CXmlElement::IsOpen) != 0)
            ReadOn(depth + 1);
    }
    return element.m_firstChild == 0 ? nullptr : element.At<CXmlElement>(element.m_firstChild);
}

CXmlElement * CDemandXmlReader::NextSibling(CXmlElement const & element)
{
    if ((element.m_flags & CXmlElement::IsRoot) != 0)
        return nullptr;
    // An element whose content was given back has ended: its siblings are still there.
    if ((element.m_flags & CXmlElement::IsOpen) != 0)
        AwaitEnd(element);
    CXmlElement const & parent = *element.GetParentElm();
    std::int32_t const next = element.m_head.links.nextSibling;
    if (next != 0 || (parent.m_flags & CXmlElement::IsOpen) == 0)
        return next == 0 ? nullptr : element.At<CXmlElement>(next);
    // The element is the last child read so far: what the walk has passed goes before more is read.
    std::size_t const depth = DepthOf(parent);
    std::size_t const anchor = GiveBackPassed(element, depth);
    CXmlElement const * const kept = anchor == 0 ? nullptr : &ElementAt(anchor);
    auto const following = [&parent, kept]() -> CXmlElement *
    {
        std::int32_t const distance = kept == nullptr ? parent.m_firstChild : kept->m_head.links.nextSibling;
        return distance == 0 ? nullptr : (kept == nullptr ? parent : *kept).At<CXmlElement>(distance);
    };
    CXmlElement * found = following();
    while (found == nullptr && (parent.m_flags & CXmlElement::IsOpen) != 0)
    {
        ReadOn(depth + 1);
        found = following();
    }
    return found;
}

void CDemandXmlReader::AwaitEnd(CXmlElement const & element)
{
    if ((element.m_flags & CXmlElement::IsDropped) != 0)
        throw CReadWholeText();
    if ((element.m_flags & CXmlElement::IsOpen) == 0)
        return;
    std::size_t const depth = DepthOf(element);
    while ((element.m_flags & CXmlElement::IsOpen) != 0)
        ReadOn(depth);
}

void CDemandXmlReader::Finish()
{
    if (!m_finished)
        ReadOn(0);
    // Declarations read since a lookup may have changed its answer.
    for (CLookup const & lookup : m_lookups)
    {
        std::string const answer = lookup.byPrefix ? m_document.LookupNamespaceFromAlias(lookup.key.c_str())
                                                   : m_document.LookupAliasFromNamespace(lookup.key.c_str());
        if (answer != lookup.answer)
            throw CReadWholeText();
    }
}

void CDemandXmlReader::NoteLookup(bool byPrefix, std::string const & key, std::string const & answer)
{
    m_lookups.push_back(CLookup{byPrefix, key, answer});
}

void CDemandXmlReader::ReadOn(std::size_t stopDepth)
{
    if (m_finished)
        throw CReadWholeText(); // the reader gave up or failed, and the walk asks again
    CSteppedReader::Progress progress = CSteppedReader::Progress::GaveUp;
    try
    {
        if (stopDepth == 0)
        {
            progress = m_reader->ReadOn(0, std::numeric_limits<std::size_t>::max());
        }
        else
        {
            std::size_t const atOnce = g_startTagsAtOnce.load(std::memory_order_relaxed);
            std::size_t const atMost = g_startTagsAtMost.load(std::memory_order_relaxed);
            progress = m_reader->ReadOn(0, atOnce);
            if (progress == CSteppedReader::Progress::Paused)
                progress = m_reader->ReadOn(LevelOfRun(stopDepth), atMost - atOnce);
        }
    }
    catch (CNxException const &)
    {
        // A fault found while the walk runs must not reach the walk's own handlers: reading the
        // whole input finds it again and reports it.
        progress = CSteppedReader::Progress::GaveUp;
    }
    if (progress != CSteppedReader::Progress::Paused)
        m_finished = true;
    if (progress == CSteppedReader::Progress::GaveUp)
    {
        m_gaveUp = true;
        throw CReadWholeText();
    }
    // The walk recurses once per level: it never meets an element nested too deep.
    if (m_store.maxDepth > MaxReadDepth)
        throw CReadWholeText();
}

std::size_t CDemandXmlReader::LevelOfRun(std::size_t otherwise) const
{
    for (std::size_t depth = m_store.depth; depth > 0; --depth)
    {
        if (m_store.open[depth - 1].children >= ChildrenOfARun)
            return depth + 1;
    }
    return otherwise;
}

std::size_t CDemandXmlReader::DepthOf(CXmlElement const & element) const
{
    std::size_t const offset = OffsetOf(element);
    for (std::size_t depth = m_store.depth; depth > 0; --depth)
    {
        if (m_store.open[depth - 1].element == offset)
            return depth;
    }
    throw CReadWholeText(); // not open: nothing the walk may ask of
}

std::size_t CDemandXmlReader::OffsetOf(CXmlElement const & element) const
{
    return static_cast<std::size_t>(reinterpret_cast<char const *>(&element) - m_store.tree.At(0));
}

std::size_t CDemandXmlReader::GiveBackPassed(CXmlElement const & element, std::size_t parentDepth)
{
    std::size_t const offset = OffsetOf(element);
    if (CWalkHolds::KeepAll())
        return offset;
    CXmlOpenElement & open = m_store.open[parentDepth - 1];
    std::size_t from = open.givable;
    std::size_t kept = open.kept;
    std::uintptr_t const start = reinterpret_cast<std::uintptr_t>(m_store.tree.At(0));
    std::uintptr_t const end = start + m_store.tree.GetUsed();
    // Elements the walk holds keep their place, and so do the children before them.
    for (CXmlElement const * held : CWalkHolds::Elements())
    {
        CXmlElement const & stored = held->Stored();
        std::uintptr_t const address = reinterpret_cast<std::uintptr_t>(&stored);
        if (from == 0 || address < start + from || address >= end)
            continue;
        if (stored.GetParentElm() != element.GetParentElm() || stored.m_head.links.nextSibling == 0)
        {
            from = offset; // held deeper, or the element itself: only its content may go
            break;
        }
        kept = address - start;
        from = kept + static_cast<std::size_t>(stored.m_head.links.nextSibling) * CXmlTreeBuffer::Unit;
    }
    if (from != 0 && from < offset)
    {
        // The records of the passed children from the first givable one on, with their content,
        // are the tail of the tree; the next child takes their place, never the element's own.
        if (kept == 0)
            ElementAt(open.element).m_firstChild = 0;
        else
            ElementAt(kept).m_head.links.nextSibling = 0;
        open.lastChild = kept;
        open.givable = 0;
        open.kept = 0;
        Rewind(from);
        return kept;
    }
    // Only the element's own content can go, when it is the tail of the tree.
    CXmlClosedElement const & closed = m_store.lastClosed;
    if (closed.element == offset && closed.end == m_store.tree.GetUsed() && closed.content < closed.end)
    {
        CXmlElement & passed = ElementAt(offset);
        passed.m_firstChild = 0;
        passed.m_text = 0;
        passed.m_textLength = 0;
        passed.m_flags |= CXmlElement::IsDropped;
        Rewind(closed.content);
    }
    return offset;
}

void CDemandXmlReader::Rewind(std::size_t offset)
{
    m_store.tree.Rewind(offset);
    m_store.names.ForgetSlotsFrom(offset);
    m_store.layoutTexts.ForgetFrom(offset);
    m_store.lastClosed = CXmlClosedElement{};
}

CXmlElement & CDemandXmlReader::ElementAt(std::size_t offset) const
{
    return *reinterpret_cast<CXmlElement *>(m_store.tree.At(offset));
}

} // namespace NxXmlLib16
