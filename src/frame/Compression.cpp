#include "frame/Compression.h"

#include "NxException.h"
#include "frame/Messages.h"

#include <zlib.h>

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

} // namespace NxXmlLib16
