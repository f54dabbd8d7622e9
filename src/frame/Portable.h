// The library's one contact with the operating system: files, memory, code-page conversion and the clock.
#pragma once

#include <cstddef>
#include <cstdint>
#include <ctime>
#include <string>

namespace NxXmlLib16
{

// The error code of the last failed system call (errno), as file messages print it.
int GetLastPlatformError();

// An open file descriptor, closed when the object goes.
class CPortableFile
{
public:
    CPortableFile() = default;
    CPortableFile(CPortableFile const &) = delete;
    CPortableFile & operator=(CPortableFile const &) = delete;
    ~CPortableFile();

    // Creates or truncates the file for writing; false with the error in GetLastPlatformError.
    bool CreateForWriting(char const * path);
    // Opens an existing file for reading; false with the error in GetLastPlatformError.
    bool OpenForReading(char const * path);
    // Writes all bytes in order, retrying short writes; false on failure.
    bool Write(void const * data, std::size_t length);
    // Reads up to length bytes; returns the count (0 at the end) or -1 on failure.
    long long Read(void * buffer, std::size_t length);
    // The size of the open file, or -1 on failure.
    long long GetSize();
    // Closes the file; false when closing reported an error.
    bool Close();
    bool IsOpen() const { return m_fd >= 0; }

private:
    int m_fd = -1;
};

// Memory for a large block that keeps its contents as it grows, freed with the object. Blocks
// of 2 MiB and more are mapped directly, grow without copying and are backed by huge pages where
// the system offers them, so filling them costs few page faults.
class CLargeBlock
{
public:
    CLargeBlock() = default;
    CLargeBlock(CLargeBlock const &) = delete;
    CLargeBlock & operator=(CLargeBlock const &) = delete;
    CLargeBlock(CLargeBlock && other) noexcept;
    ~CLargeBlock();

    char * Data() const { return m_data; }
    std::size_t Size() const { return m_size; }
    // Changes the size, keeping the contents up to the smaller size; the data may move.
    void Resize(std::size_t size);
    // Replaces the block with one of the given size that never moves: address space only, whose
    // pages are backed as they are first touched. False, with the block unchanged, when the
    // system refuses the address space. The last such block freed on a thread is kept for the
    // next, with its first 2 MiB still backed. It must not be resized.
    bool ReserveInPlace(std::size_t size);
    // Frees the memory.
    void Reset();

private:
    char * m_data = nullptr;
    std::size_t m_size = 0;
    bool m_mapped = false;
    bool m_reserved = false; // made by ReserveInPlace
};

// Asks for huge pages on the whole 2 MiB pages inside a large heap buffer before it is first
// written; a hint that changes nothing but the cost of touching the memory.
void AdviseHugePages(void * data, std::size_t size);

// Whether a code page number means UTF-8 here (0, 3 and 65001 do).
bool IsUtf8CodePage(std::uint32_t codePage);

// Converts between a code page and UTF-8 or UTF-16LE through iconv, one converter per
// direction and thread, opened on first use.
class CCodePageConverter
{
public:
    enum Direction
    {
        LocalToUtf8,
        LocalToUtf16,
        Utf8ToLocal,
        DirectionCount
    };

    // Appends the converted form of the input to out and returns the input bytes consumed: all
    // of them, except when final is false and the input ends inside a character. Bytes that
    // cannot be converted become '?' (U+FFFD towards Unicode).
    static std::size_t Convert(std::uint32_t codePage, Direction direction, char const * input, std::size_t length,
                               std::string & out, bool final);
};

// The UTC calendar fields of a time in seconds since 1970; false when the system cannot give them.
bool BreakDownUtc(std::time_t time, std::tm & fields);

// The local calendar fields of the current time, with the milliseconds into its second.
void GetLocalNow(std::tm & fields, int & milliseconds);

} // namespace NxXmlLib16
