// CSteppedReader: a reader that builds a document a step at a time, for reading on demand.
#pragma once

#include <cstddef>

namespace NxXmlLib16
{

// Builds a document from bytes held in memory through the document's building operations, and
// can stop between elements and go on later where it stopped.
class CSteppedReader
{
public:
    // How far reading on went.
    enum class Progress
    {
        Paused,   // stopped where it was asked to; more follows
        Finished, // the whole input is read
        GaveUp,   // the input is to be read whole by another reader
    };

    virtual ~CSteppedReader() = default;

    // Reads as far as the document element's start tag; the input must stay alive while the
    // reader does.
    virtual Progress Begin(char const * data, std::size_t length) = 0;
    // Reads on until an element no deeper than stopDepth ends (the document element is at
    // depth 1), or the budget of start tags is spent.
    virtual Progress ReadOn(std::size_t stopDepth, std::size_t budget) = 0;

protected:
    CSteppedReader() = default;
    CSteppedReader(CSteppedReader const &) = default;
    CSteppedReader & operator=(CSteppedReader const &) = default;
};

} // namespace NxXmlLib16
