#include "ConvertFiles.h"

#include "NxException.h"
#include "frame/Compression.h"

#include <zlib.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <limits>
#include <memory>
#include <algorithm>
#include <string>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace NxXmlLib16;

namespace NxConvert
{

namespace
{

constexpr std::size_t ReadPiece = 4 * 1024 * 1024;
constexpr std::size_t ProgressFrom = 16 * 1000 * 1000;
constexpr std::size_t DetectionBytes = 4096;

// Closes a file descriptor when it goes out of scope.
class CDescriptor
{
public:
    explicit CDescriptor(int descriptor) : m_descriptor(descriptor) {}
    CDescriptor(CDescriptor const &) = delete;
    CDescriptor & operator=(CDescriptor const &) = delete;
    ~CDescriptor()
    {
        if (m_descriptor > STDERR_FILENO)
            close(m_descriptor);
    }
    int Get() const { return m_descriptor; }

private:
    int m_descriptor;
};

// A block from operator new, as CBinaryData adopts it.
struct COperatorDelete
{
    void operator()(unsigned char * block) const { ::operator delete(block); }
};
using CBlock = std::unique_ptr<unsigned char, COperatorDelete>;

unsigned char * Allocate(std::size_t size) { return static_cast<unsigned char *>(::operator new(size)); }

[[noreturn]] void ThrowFileError(char const * what, std::string const & path)
{
    throw CNxException(FormatString("%s [%s] Error [0x%08x]", what, path.c_str(), errno));
}

// Reports how far reading has come, on one line that is rewritten.
class CProgress
{
public:
    CProgress(bool enabled, std::size_t total) : m_enabled(enabled), m_total(total) {}
    ~CProgress()
    {
        if (m_shown)
            std::fputc('\n', stderr);
    }
    void Update(std::size_t done)
    {
        if (!m_enabled || (m_total != 0 && m_total < ProgressFrom) || (m_total == 0 && done < ProgressFrom))
            return;
        double const seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - m_start).count();
        double const rate = seconds > 0 ? static_cast<double>(done) / 1e6 / seconds : 0.0;
        if (m_total != 0)
            std::fprintf(stderr, "\rread %.1f of %.1f MB (%3.0f %%), %.1f MB/s", static_cast<double>(done) / 1e6,
                         static_cast<double>(m_total) / 1e6, 100.0 * static_cast<double>(done) / static_cast<double>(m_total),
                         rate);
        else
            std::fprintf(stderr, "\rread %.1f MB, %.1f MB/s", static_cast<double>(done) / 1e6, rate);
        m_shown = true;
    }

private:
    bool m_enabled;
    std::size_t m_total;
    bool m_shown = false;
    std::chrono::steady_clock::time_point const m_start = std::chrono::steady_clock::now();
};

void CheckSize(std::size_t size, std::string const & path)
{
    if (size > std::numeric_limits<std::uint32_t>::max())
        throw CNxException(FormatString("The input [%s] is larger than 4 GiB", path.c_str()));
}

// The first bytes of the input, inflated when it is compressed.
std::string Head(CBinaryData const & input)
{
    unsigned char const * const data = input.GetData();
    std::size_t const length = input.GetLength();
    bool const gzip = length >= 2 && data[0] == 0x1F && data[1] == 0x8B;
    bool const zlib = length >= 2 && (data[0] & 0x0F) == Z_DEFLATED && (data[0] >> 4) <= 7 &&
                      ((data[0] << 8) | data[1]) % 31 == 0;
    if (gzip || zlib)
    {
        z_stream stream{};
        if (inflateInit2(&stream, 47) == Z_OK)
        {
            std::string head(DetectionBytes, '\0');
            stream.next_in = const_cast<unsigned char *>(data);
            stream.avail_in = static_cast<uInt>(length);
            stream.next_out = reinterpret_cast<unsigned char *>(&head[0]);
            stream.avail_out = static_cast<uInt>(head.size());
            int const result = inflate(&stream, Z_SYNC_FLUSH);
            head.resize(head.size() - stream.avail_out);
            inflateEnd(&stream);
            if ((result == Z_OK || result == Z_STREAM_END || result == Z_BUF_ERROR) && !head.empty())
                return head;
        }
    }
    return std::string(reinterpret_cast<char const *>(data), length < DetectionBytes ? length : DetectionBytes);
}

} // namespace

CBinaryData ReadInput(std::string const & path, bool progress)
{
    bool const standardInput = path == "-";
    CDescriptor const file(standardInput ? STDIN_FILENO : open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (file.Get() < 0)
        ThrowFileError("Failed to open the file", path);
    struct stat status{};
    bool const regular = fstat(file.Get(), &status) == 0 && S_ISREG(status.st_mode);
    std::size_t const expected = regular ? static_cast<std::size_t>(status.st_size) : 0;
    CheckSize(expected, path);
    CProgress meter(progress, expected);
    // Read straight into the buffer the input is handed over in; standard input grows it.
    std::size_t capacity = expected != 0 ? expected : ReadPiece;
    CBlock bytes(Allocate(capacity));
    std::size_t used = 0;
    for (;;)
    {
        if (used == capacity)
        {
            std::size_t const larger = capacity * 2;
            CBlock grown(Allocate(larger));
            std::memcpy(grown.get(), bytes.get(), used);
            bytes = std::move(grown);
            capacity = larger;
        }
        std::size_t const want = std::min(ReadPiece, capacity - used);
        ssize_t const count = read(file.Get(), bytes.get() + used, want);
        if (count < 0)
        {
            if (errno == EINTR)
                continue;
            ThrowFileError("Failed to read the contents of the file", path);
        }
        if (count == 0)
            break;
        used += static_cast<std::size_t>(count);
        CheckSize(used, path);
        meter.Update(used);
    }
    if (used == 0)
        throw CNxException(FormatString("The input [%s] is empty", path.c_str()));
    return CBinaryData(bytes.release(), static_cast<std::uint32_t>(used), true);
}

Format DetectFormat(CBinaryData const & input)
{
    std::string const head = Head(input);
    static unsigned char const Header[] = {0xE0, 0x00, 0x00, 0x01};
    if (head.size() >= 4 && std::memcmp(head.data(), Header, 4) == 0)
        return Format::FastInfoset;
    if (head.compare(0, 5, "<?xml") == 0)
    {
        std::size_t const end = head.find("?>");
        std::string const declaration = head.substr(0, end);
        if (declaration.find("'finf'") != std::string::npos && end != std::string::npos &&
            head.compare(end + 2, 4, reinterpret_cast<char const *>(Header), 4) == 0)
            return Format::FastInfoset;
        return Format::Xml;
    }
    std::size_t position = head.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
    position = head.find_first_not_of(" \t\r\n", position);
    if (position != std::string::npos && (head[position] == '{' || head[position] == '['))
        return Format::Json;
    return Format::Xml;
}

void CompressData(CBinaryData & bytes, CompressionType compression) { Compress(bytes, compression); }

void WriteOutput(std::string const & path, CBinaryData const & bytes)
{
    bool const standardOutput = path == "-";
    std::string const temporary = standardOutput ? std::string() : path + ".nxconvert-XXXXXX";
    std::string name = temporary;
    CDescriptor const file(standardOutput ? STDOUT_FILENO : mkstemp(&name[0]));
    if (file.Get() < 0)
        ThrowFileError("Failed to create the file", path);
    unsigned char const * data = bytes.GetData();
    std::size_t left = bytes.GetLength();
    while (left > 0)
    {
        ssize_t const count = write(file.Get(), data, left);
        if (count < 0 && errno == EINTR)
            continue;
        if (count <= 0)
        {
            int const error = errno;
            if (!standardOutput)
                unlink(name.c_str());
            errno = error;
            ThrowFileError("Failed to write the file", path);
        }
        data += count;
        left -= static_cast<std::size_t>(count);
    }
    if (standardOutput)
        return;
    // A new file is made readable as an ordinary file would be.
    mode_t const mask = umask(0);
    umask(mask);
    fchmod(file.Get(), 0666 & ~mask);
    if (rename(name.c_str(), path.c_str()) != 0)
    {
        int const error = errno;
        unlink(name.c_str());
        errno = error;
        ThrowFileError("Failed to write the file", path);
    }
}

} // namespace NxConvert
