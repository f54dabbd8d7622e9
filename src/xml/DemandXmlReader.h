// CDemandXmlReader: reads a document only as far as the objects read from it ask.
#pragma once

#include "XmlDocument.h"
#include "xml/SteppedReader.h"

#include <cstddef>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace NxXmlLib16
{

struct CXmlDocumentStore;

// Thrown while objects are read from a document read on demand, when going on could give
// anything but what reading the whole text first gives: the objects are then read again from
// the whole document. It is not a CNxException, so that no handler of the walk takes it.
struct CReadWholeText
{
};

// Sets how many start tags reading on demand reads at least, and at most, before the walk goes
// on (256 and 4096), and returns the steps set before. Tests make the steps as small as they go
// (1 and 2), so that passed elements are given back as often as they can be.
std::pair<std::size_t, std::size_t> SetDemandReadingSteps(std::size_t atOnce, std::size_t atMost);

// Reads a document (XML text of the quick reader's form, or Fast Infoset) as the walk over it
// asks for elements, a step of a few hundred start tags at a time, and gives back the records
// of the siblings the walk has passed when it asks for more, so that a long run of siblings
// costs the records of one step. Elements come open (their end tag not read yet) or complete;
// one whose content was given back throws CReadWholeText when its content is asked for again.
class CDemandXmlReader
{
public:
    // Reads with the stepped reader, which builds the document.
    CDemandXmlReader(CXmlDocument & document, CXmlDocumentStore & store, std::unique_ptr<CSteppedReader> reader);
    CDemandXmlReader(CDemandXmlReader const &) = delete;
    CDemandXmlReader & operator=(CDemandXmlReader const &) = delete;

    // Reads as far as the document element's start tag; the input must stay alive while the
    // reader does. Paused, or Finished for a document element without content, or GaveUp when
    // the reader gave up or found a fault.
    CSteppedReader::Progress Start(char const * text, std::size_t length);
    // Whether the whole input is read.
    bool IsFinished() const { return m_finished; }
    // Whether the reader gave up on the input, or found a fault in it.
    bool GaveUp() const { return m_gaveUp; }
    char const * GetText() const { return m_text; }
    std::size_t GetLength() const { return m_length; }

    // The element's first child element, or null.
    CXmlElement * FirstChild(CXmlElement const & element);
    // The element's next sibling element, or null; the element's content is given back when
    // nothing can come back to it.
    CXmlElement * NextSibling(CXmlElement const & element);
    // Reads as far as the element's end tag.
    void AwaitEnd(CXmlElement const & element);
    // Reads the rest of the text, and checks the namespace lookups answered before.
    void Finish();

    // Remembers a namespace lookup answered before the whole text was read.
    void NoteLookup(bool byPrefix, std::string const & key, std::string const & answer);

private:
    // A namespace lookup and its answer.
    struct CLookup
    {
        bool byPrefix;
        std::string key;
        std::string answer;
    };

    // Reads a step on, to the end of an element at the level of the longest run of siblings, or
    // else no deeper than stopDepth; 0 reads the rest. Throws CReadWholeText when the reader
    // gives up or finds a fault, or the elements nest deeper than objects are read.
    void ReadOn(std::size_t stopDepth);
    // The level, one below an open element with a run of children, at which reading on stops
    // once it has read enough; the deepest such element counts, and without one, otherwise.
    std::size_t LevelOfRun(std::size_t otherwise) const;
    // The depth of an open element, from the stack of open elements.
    std::size_t DepthOf(CXmlElement const & element) const;
    std::size_t OffsetOf(CXmlElement const & element) const;
    // Gives back the records of the parent's children up to the element and of their content,
    // all passed; the element is the parent's last child so far and has ended. Returns the
    // child that new children are to follow (0: none), the element itself when only its content
    // could be given back or nothing was.
    std::size_t GiveBackPassed(CXmlElement const & element, std::size_t parentDepth);
    // Gives back everything stored at or after the offset.
    void Rewind(std::size_t offset);
    CXmlElement & ElementAt(std::size_t offset) const;

    CXmlDocument & m_document;
    CXmlDocumentStore & m_store;
    std::unique_ptr<CSteppedReader> m_reader;
    char const * m_text = nullptr;
    std::size_t m_length = 0;
    bool m_finished = false;
    bool m_gaveUp = false;
    std::vector<CLookup> m_lookups;
};

// What the walk on this thread holds on to while the text is read on: elements whose records
// must stay where they are, and steps during which nothing passed may be given back.
class CWalkHolds
{
public:
    // Whether passed elements keep their records and content.
    static bool KeepAll() { return t_holds.keepAll != 0; }
    // The elements held now, innermost last.
    static std::vector<CXmlElement const *> const & Elements() { return t_holds.elements; }

private:
    friend class CKeepPassedContent;
    friend class CHoldElement;
    struct CState
    {
        int keepAll; // zero, as every thread_local object starts
        std::vector<CXmlElement const *> elements;
    };
    static inline thread_local CState t_holds;
};

// Marks a step of the walk that may go back to elements it has passed (content inlined into
// its owner gives its elements back when it does not match): while one runs, passed elements
// keep their records and content. Steps nest.
class CKeepPassedContent
{
public:
    explicit CKeepPassedContent(bool keep) : m_keep(keep)
    {
        if (m_keep)
            ++CWalkHolds::t_holds.keepAll;
    }
    CKeepPassedContent(CKeepPassedContent const &) = delete;
    CKeepPassedContent & operator=(CKeepPassedContent const &) = delete;
    ~CKeepPassedContent()
    {
        if (m_keep)
            --CWalkHolds::t_holds.keepAll;
    }

private:
    bool const m_keep;
};

// Marks an element that a step of the walk starts from and compares with where it ends, or
// reads again: its records stay where they are, so that no element read later takes its place.
class CHoldElement
{
public:
    explicit CHoldElement(CXmlElement const * element) : m_held(element != nullptr)
    {
        if (m_held)
            CWalkHolds::t_holds.elements.push_back(element);
    }
    CHoldElement(CHoldElement const &) = delete;
    CHoldElement & operator=(CHoldElement const &) = delete;
    ~CHoldElement()
    {
        if (m_held)
            CWalkHolds::t_holds.elements.pop_back();
    }

private:
    bool const m_held;
};

} // namespace NxXmlLib16
