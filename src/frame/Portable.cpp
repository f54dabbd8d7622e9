#include "Portable.h"

#include "NxException.h"
#include "frame/Messages.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <iconv.h>
#include <new>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace NxXmlLib16
{

int GetLastPlatformError() { return errno; }

CPortableFile::~CPortableFile() { Close(); }

bool CPortableFile::CreateForWriting(char const * path)
{
    Close();
    m_fd = ::open(path, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    return m_fd >= 0;
}

bool CPortableFile::OpenForReading(char const * path)
{
    Close();
    m_fd = ::open(path, O_RDONLY | O_CLOEXEC);
    if (m_fd < 0)
        return false;
    // A directory opens, but cannot be read as a document.
    struct stat status;
    if (::fstat(m_fd, &status) != 0 || S_ISDIR(status.st_mode))
    {
        int const error = S_ISDIR(status.st_mode) ? EISDIR : errno;
        Close();
        errno = error;
        return false;
    }
    return true;
}

bool CPortableFile::Write(void const * data, std::size_t length)
{
    char const * bytes = static_cast<char const *>(data);
    while (length > 0)
    {
        ssize_t const written = ::write(m_fd, bytes, length);
        if (written < 0)
        {
            if (errno == EINTR)
                continue;
            return false;
        }
        bytes += written;
        length -= static_cast<std::size_t>(written);
    }
    return true;
}

long long CPortableFile::Read(void * buffer, std::size_t length)
{
    for (;;)
    {
        ssize_t const count = ::read(m_fd, buffer, length);
        if (count >= 0 || errno != EINTR)
            return count;
    }
}

long long CPortableFile::GetSize()
{
    struct stat status;
    return ::fstat(m_fd, &status) == 0 ? static_cast<long long>(status.st_size) : -1;
}

bool CPortableFile::Close()
{
    if (m_fd < 0)
        return true;
    int const result = ::close(m_fd);
    m_fd = -1;
    return result == 0;
}

namespace
{
constexpr std::size_t HugePageSize = 2 * 1024 * 1024;
}

void AdviseHugePages(void * data, std::size_t size)
{
    std::uintptr_t const start = reinterpret_cast<std::uintptr_t>(data);
    std::uintptr_t const first = (start + HugePageSize - 1) & ~(HugePageSize - 1);
    std::uintptr_t const last = (start + size) & ~(HugePageSize - 1);
    if (last > first)
        ::madvise(reinterpret_cast<void *>(first), last - first, MADV_HUGEPAGE);
}

namespace
{

// A mapped, huge-page-advised region of the given size.
char * MapHugeRegion(std::size_t size)
{
    void * const mapped = ::mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mapped == MAP_FAILED)
        throw std::bad_alloc();
    ::madvise(mapped, size, MADV_HUGEPAGE); // a hint: without huge pages the block still works
    return static_cast<char *>(mapped);
}

// The reservation given back last on this thread, kept for the next one: faulting its pages in
// again would cost more than many small documents take to read.
class CKeptReservation
{
public:
    CKeptReservation() = default;
    CKeptReservation(CKeptReservation const &) = delete;
    CKeptReservation & operator=(CKeptReservation const &) = delete;
    ~CKeptReservation()
    {
        if (m_data != nullptr)
            ::munmap(m_data, m_size);
    }

    // The kept reservation of this size, or null.
    char * Take(std::size_t size)
    {
        if (m_data == nullptr || m_size != size)
            return nullptr;
        m_size = 0;
        return std::exchange(m_data, nullptr);
    }
    // Keeps the reservation with its first pages still backed, or unmaps it when one is kept.
    void Give(char * data, std::size_t size)
    {
        if (m_data != nullptr)
        {
            ::munmap(data, size);
            return;
        }
        ::madvise(data + HugePageSize, size - HugePageSize, MADV_DONTNEED);
        m_data = data;
        m_size = size;
    }

private:
    char * m_data = nullptr;
    std::size_t m_size = 0;
};

thread_local CKeptReservation t_keptReservation;

} // namespace

CLargeBlock::CLargeBlock(CLargeBlock && other) noexcept
    : m_data(std::exchange(other.m_data, nullptr)), m_size(std::exchange(other.m_size, 0)),
      m_mapped(std::exchange(other.m_mapped, false)), m_reserved(std::exchange(other.m_reserved, false))
{
}

CLargeBlock::~CLargeBlock() { Reset(); }

void CLargeBlock::Resize(std::size_t size)
{
    if (size == 0)
    {
        Reset();
        return;
    }
    if (m_mapped && size >= HugePageSize)
    {
        // The kernel moves the pages: nothing is copied and nothing is touched again.
        void * const moved = ::mremap(m_data, m_size, size, MREMAP_MAYMOVE);
        if (moved == MAP_FAILED)
            throw std::bad_alloc();
        m_data = static_cast<char *>(moved);
        m_size = size;
        ::madvise(m_data, m_size, MADV_HUGEPAGE);
        return;
    }
    bool const mapped = size >= HugePageSize;
    char * const data = mapped ? MapHugeRegion(size) : new char[size];
    if (m_data != nullptr)
        std::memcpy(data, m_data, m_size < size ? m_size : size);
    Reset();
    m_data = data;
    m_size = size;
    m_mapped = mapped;
}

bool CLargeBlock::ReserveInPlace(std::size_t size)
{
    char * data = t_keptReservation.Take(size);
    if (data == nullptr)
    {
        void * const mapped =
            ::mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
        if (mapped == MAP_FAILED)
            return false;
        data = static_cast<char *>(mapped);
        // Huge pages only past the first one, so that a small document costs small pages.
        if (size > HugePageSize)
            AdviseHugePages(data + HugePageSize, size - HugePageSize);
    }
    Reset();
    m_data = data;
    m_size = size;
    m_reserved = true;
    return true;
}

void CLargeBlock::Reset()
{
    if (m_data == nullptr)
        return;
    if (m_reserved)
        t_keptReservation.Give(m_data, m_size);
    else if (m_mapped)
        ::munmap(m_data, m_size);
    else
        delete[] m_data;
    m_data = nullptr;
    m_size = 0;
    m_mapped = false;
    m_reserved = false;
}

bool IsUtf8CodePage(std::uint32_t codePage) { return codePage == 0 || codePage == 3 || codePage == 65001; }

namespace
{

// The iconv name of a Windows code page number.
std::string CodePageName(std::uint32_t codePage)
{
    if (codePage >= 28591 && codePage <= 28599)
        return "ISO-8859-" + std::to_string(codePage - 28590);
    switch (codePage)
    {
    case 20127: return "ASCII";
    case 28603: return "ISO-8859-13";
    case 28605: return "ISO-8859-15";
    case 20866: return "KOI8-R";
    case 21866: return "KOI8-U";
    case 932: return "CP932";
    case 936: return "GBK";
    case 949: return "CP949";
    case 950: return "BIG5";
    case 51932: return "EUC-JP";
    case 51949: return "EUC-KR";
    case 54936: return "GB18030";
    case 50220: return "ISO-2022-JP";
    case 1200: return "UTF-16LE";
    case 1201: return "UTF-16BE";
    case 12000: return "UTF-32LE";
    case 12001: return "UTF-32BE";
    case 65000: return "UTF-7";
    default: return "CP" + std::to_string(codePage);
    }
}

// One thread's open iconv descriptors for the code page in use.
class CConverterCache
{
public:
    CConverterCache() = default;
    CConverterCache(CConverterCache const &) = delete;
    CConverterCache & operator=(CConverterCache const &) = delete;
    ~CConverterCache() { CloseAll(); }

    // The descriptor of the direction, opened on first use; throws for an unknown code page.
    iconv_t Get(std::uint32_t codePage, CCodePageConverter::Direction direction)
    {
        if (codePage != m_codePage)
        {
            CloseAll();
            m_codePage = codePage;
        }
        iconv_t & descriptor = m_descriptors[direction];
        if (descriptor == Closed)
        {
            std::string const local = CodePageName(codePage);
            descriptor = direction == CCodePageConverter::Utf8ToLocal   ? iconv_open(local.c_str(), "UTF-8")
                         : direction == CCodePageConverter::LocalToUtf8 ? iconv_open("UTF-8", local.c_str())
                                                                        : iconv_open("UTF-16LE", local.c_str());
            if (descriptor == Closed)
                throw CNxException(FormatString(Msg::CodePageNotSupported, codePage));
        }
        return descriptor;
    }

private:
    static inline iconv_t const Closed = reinterpret_cast<iconv_t>(-1);

    void CloseAll()
    {
        for (iconv_t & descriptor : m_descriptors)
        {
            if (descriptor != Closed)
                iconv_close(descriptor);
            descriptor = Closed;
        }
    }

    std::uint32_t m_codePage = 0;
    iconv_t m_descriptors[CCodePageConverter::DirectionCount] = {Closed, Closed, Closed};
};

// The length of the UTF-8 sequence that a lead byte starts (1 for a stray byte).
std::size_t Utf8SequenceLength(unsigned char lead) { return lead < 0xC0 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4; }

} // namespace

std::size_t CCodePageConverter::Convert(std::uint32_t codePage, Direction direction, char const * input,
                                        std::size_t length, std::string & out, bool final)
{
    thread_local CConverterCache cache;
    iconv_t const descriptor = cache.Get(codePage, direction);
    iconv(descriptor, nullptr, nullptr, nullptr, nullptr);

    char * in = const_cast<char *>(input);
    std::size_t inLeft = length;
    std::size_t written = out.size();
    out.resize(written + length * (direction == Utf8ToLocal ? 1 : 4) + 16);
    while (inLeft > 0)
    {
        char * o = &out[written];
        std::size_t outLeft = out.size() - written;
        std::size_t const result = iconv(descriptor, &in, &inLeft, &o, &outLeft);
        written = out.size() - outLeft;
        if (result != static_cast<std::size_t>(-1))
            break;
        if (errno == E2BIG)
        {
            out.resize(out.size() * 2 + 16);
            continue;
        }
        if (errno == EINVAL && !final)
            break; // the rest is the start of a character that the next piece completes
        // An invalid or unmappable character: replace it and go on after it.
        std::size_t skip = direction == Utf8ToLocal ? Utf8SequenceLength(static_cast<unsigned char>(*in)) : 1;
        skip = skip > inLeft ? inLeft : skip;
        in += skip;
        inLeft -= skip;
        char const * const replacement = direction == Utf8ToLocal   ? "?"
                                         : direction == LocalToUtf8 ? "\xEF\xBF\xBD"
                                                                    : "\xFD\xFF";
        std::size_t const replacementLength = direction == Utf8ToLocal ? 1 : direction == LocalToUtf8 ? 3 : 2;
        if (out.size() - written < replacementLength)
            out.resize(out.size() * 2 + 16);
        out.replace(written, replacementLength, replacement, replacementLength);
        written += replacementLength;
    }
    out.resize(written);
    return length - inLeft;
}

bool BreakDownUtc(std::time_t time, std::tm & fields) { return gmtime_r(&time, &fields) != nullptr; }

void GetLocalNow(std::tm & fields, int & milliseconds)
{
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    localtime_r(&now.tv_sec, &fields);
    milliseconds = static_cast<int>(now.tv_nsec / 1000000);
}

} // namespace NxXmlLib16
