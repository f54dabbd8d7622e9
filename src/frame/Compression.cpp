#include "frame/Compression.h"

#include "NxException.h"
#include "frame/Messages.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <new>

namespace NxXmlLib16
{

void Compress(CBinaryData & data, CompressionType compression)
{
    if (compression == CompressionNone || data.GetLength() == 0)
        return;
    if (compression != CompressionGZip && compression != CompressionZLib)
        throw CNxException(FormatString(Msg::FailedToCompress, Z_STREAM_ERROR));
    z_stream stream{};
    int result = deflateInit2(&stream, 1, Z_DEFLATED, compression == CompressionGZip ? 31 : 15, 8, Z_DEFAULT_STRATEGY);
    if (result != Z_OK)
        throw CNxException(FormatString(Msg::FailedToCompress, result));
    struct CEnd
    {
        z_stream & stream;
        ~CEnd() { deflateEnd(&stream); }
    } const end{stream};

    // Room for the worst case, so that even incompressible data fits.
    uLong const bound = deflateBound(&stream, data.GetLength());
    unsigned char * const output = static_cast<unsigned char *>(::operator new(bound));
    CBinaryData compressed(output, static_cast<std::uint32_t>(bound), true);
    stream.next_in = data.GetData();
    stream.avail_in = data.GetLength();
    stream.next_out = output;
    stream.avail_out = static_cast<uInt>(bound);
    result = deflate(&stream, Z_NO_FLUSH);
    if (result == Z_OK)
        result = deflate(&stream, Z_FINISH);
    if (result != Z_STREAM_END)
        throw CNxException(FormatString(Msg::FailedToCompress, result));
    data.SetBuffer(output, static_cast<std::uint32_t>(stream.total_out));
}

bool LooksCompressed(unsigned char const * data, std::size_t length)
{
    if (length < 2)
        return false;
    if (data[0] == 0x1F && data[1] == 0x8B)
        return true;
    return (data[0] & 0x0F) == Z_DEFLATED && (data[0] >> 4) <= 7 && ((data[0] << 8) | data[1]) % 31 == 0;
}

CInflater::CInflater(unsigned char const * data, std::size_t length, std::uint64_t limit)
    : m_remaining(length), m_limit(limit)
{
    // Window bits 47: a gzip or a zlib header, whichever the stream has.
    if (inflateInit2(&m_stream, 47) != Z_OK)
        throw std::bad_alloc();
    m_stream.next_in = const_cast<unsigned char *>(data);
}

CInflater::~CInflater() { inflateEnd(&m_stream); }

std::size_t CInflater::Read(unsigned char * buffer, std::size_t capacity)
{
    std::size_t written = 0;
    while (m_state == State::Inflating && written < capacity)
    {
        if (m_stream.avail_in == 0 && m_remaining > 0)
        {
            uInt const feed = static_cast<uInt>(std::min<std::size_t>(m_remaining, std::numeric_limits<uInt>::max()));
            m_stream.avail_in = feed;
            m_remaining -= feed;
        }
        uInt const room =
            static_cast<uInt>(std::min<std::size_t>(capacity - written, std::numeric_limits<uInt>::max()));
        m_stream.next_out = buffer + written;
        m_stream.avail_out = room;
        int const result = inflate(&m_stream, Z_NO_FLUSH);
        written += room - m_stream.avail_out;
        if (m_stream.total_out > m_limit)
            throw CNxException(FormatString(Msg::InflatedSizeLimit, static_cast<unsigned long long>(m_limit)));
        if (result == Z_STREAM_END)
            m_state = State::Finished;
        else if (result != Z_OK)
            m_state = State::Failed; // corrupt, or the input ends before the stream does
    }
    return written;
}

bool CInflatedBytes::ReadAll(CInflater & inflater, unsigned char const * head, std::size_t headLength)
{
    constexpr std::size_t Piece = 256 * 1024;
    m_block.Resize(headLength + Piece);
    if (headLength > 0)
        std::memcpy(m_block.Data(), head, headLength);
    m_length = headLength;
    while (!inflater.Finished() && !inflater.Failed())
    {
        if (m_block.Size() - m_length < Piece)
            m_block.Resize(2 * m_block.Size());
        m_length +=
            inflater.Read(reinterpret_cast<unsigned char *>(m_block.Data()) + m_length, m_block.Size() - m_length);
    }
    return inflater.Finished();
}

} // namespace NxXmlLib16
