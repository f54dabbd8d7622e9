// Compression of output bytes and inflation of compressed input, shared by every output and input form.
#pragma once

#include "BinaryData.h"
#include "XmlObjectBase.h"
#include "frame/Portable.h"

#include <zlib.h>

#include <cstddef>
#include <cstdint>

namespace NxXmlLib16
{

// Compresses the bytes in place with deflate at level 1, in a gzip or zlib wrapper; nothing for
// CompressionNone or no bytes.
void Compress(CBinaryData & data, CompressionType compression);

// Whether the bytes start like a gzip member or a zlib stream.
bool LooksCompressed(unsigned char const * data, std::size_t length);

// Inflates a gzip or zlib stream piece by piece, so that a reader takes it in without holding it
// all, and stops with an exception once the inflated bytes pass a limit.
class CInflater
{
public:
    CInflater(unsigned char const * data, std::size_t length, std::uint64_t limit);
    CInflater(CInflater const &) = delete;
    CInflater & operator=(CInflater const &) = delete;
    ~CInflater();

    // Inflates up to capacity bytes into buffer and returns how many it wrote: fewer only at the
    // end of the stream or when the stream is broken.
    std::size_t Read(unsigned char * buffer, std::size_t capacity);
    // Whether the stream ended properly.
    bool Finished() const { return m_state == State::Finished; }
    // Whether the input is not a whole compressed stream (corrupt or truncated).
    bool Failed() const { return m_state == State::Failed; }

private:
    enum class State
    {
        Inflating,
        Finished,
        Failed
    };

    z_stream m_stream{};
    std::size_t m_remaining; // input not yet handed to zlib (zlib takes at most 4 GiB at once)
    std::uint64_t m_limit;
    State m_state = State::Inflating;
};

// The whole inflated stream in one block, for readers that need all of their input at once;
// false when the input is not a whole compressed stream.
class CInflatedBytes
{
public:
    // Reads the rest of the inflater's stream after the bytes already inflated into head.
    bool ReadAll(CInflater & inflater, unsigned char const * head, std::size_t headLength);
    unsigned char const * GetData() const { return reinterpret_cast<unsigned char const *>(m_block.Data()); }
    std::size_t GetLength() const { return m_length; }

private:
    CLargeBlock m_block; // grows without copying once it is large
    std::size_t m_length = 0;
};

} // namespace NxXmlLib16
