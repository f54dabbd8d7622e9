// Helpers shared by the test programs.
#pragma once

#include "BinaryData.h"
#include "NxException.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <fstream>
#include <iterator>
#include <string>
#include <typeinfo>
#include <utility>

namespace NxXmlTest
{

// Runs the action and checks that it throws exactly the exception class E with this message and,
// unless fullMessage is empty, this full message (the inner messages after it).
template <class E, class Action>
void ExpectThrowsFull(Action && action, std::string const & message, std::string const & fullMessage)
{
    try
    {
        action();
        ADD_FAILURE() << "no exception; expected: " << message;
    }
    catch (NxXmlLib16::CNxException const & e)
    {
        EXPECT_EQ(typeid(E), typeid(e)) << "thrown class: " << typeid(e).name();
        EXPECT_EQ(message, e.GetMessage());
        if (!fullMessage.empty())
        {
            EXPECT_EQ(fullMessage, e.GetFullMessage());
        }
    }
}

// Runs the action and checks that it throws exactly the exception class E with this message.
template <class E, class Action>
void ExpectThrows(Action && action, std::string const & message)
{
    ExpectThrowsFull<E>(std::forward<Action>(action), message, std::string());
}

// The bytes a binary value holds.
inline std::string Bytes(NxXmlLib16::CBinaryData const & data)
{
    return std::string(reinterpret_cast<char const *>(data.GetData()), data.GetLength());
}

// The UTF-16LE form of ASCII text.
inline std::string Utf16(std::string const & ascii)
{
    std::string out;
    for (char const c : ascii)
        out += std::string{c, '\0'};
    return out;
}

// A file name in the test's temporary folder.
inline std::string TempPath(std::string const & name) { return testing::TempDir() + name; }

// The whole content of a file as bytes.
inline std::string ReadFileBytes(std::string const & path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Writes the bytes to a file, replacing it.
inline void WriteFile(std::string const & path, std::string const & bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

// The bytes deflated in a gzip (window bits 31) or zlib (15) wrapper.
inline std::string Compress(std::string const & bytes, int windowBits)
{
    z_stream stream{};
    EXPECT_EQ(Z_OK, deflateInit2(&stream, 1, Z_DEFLATED, windowBits, 8, Z_DEFAULT_STRATEGY));
    std::string out(deflateBound(&stream, static_cast<uLong>(bytes.size())), '\0');
    stream.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(bytes.data()));
    stream.avail_in = static_cast<uInt>(bytes.size());
    stream.next_out = reinterpret_cast<Bytef *>(&out[0]);
    stream.avail_out = static_cast<uInt>(out.size());
    EXPECT_EQ(Z_STREAM_END, deflate(&stream, Z_FINISH));
    out.resize(stream.total_out);
    deflateEnd(&stream);
    return out;
}

// The bytes of a whole stream in a gzip (window bits 31), zlib (15) or either (47) wrapper, inflated.
inline std::string Inflate(std::string const & compressed, int windowBits = 15 + 32)
{
    z_stream stream{};
    EXPECT_EQ(Z_OK, inflateInit2(&stream, windowBits));
    std::string out(1 << 20, '\0');
    stream.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(compressed.data()));
    stream.avail_in = static_cast<uInt>(compressed.size());
    stream.next_out = reinterpret_cast<Bytef *>(&out[0]);
    stream.avail_out = static_cast<uInt>(out.size());
    EXPECT_EQ(Z_STREAM_END, inflate(&stream, Z_FINISH));
    out.resize(stream.total_out);
    inflateEnd(&stream);
    return out;
}

} // namespace NxXmlTest
