// Helpers of the Fast Infoset tests: octets as hexadecimal text and back.
#pragma once

#include "BinaryData.h"

#include <zlib.h>

#include <cstdio>
#include <string>

namespace NxXmlTest
{

// Every XML declaration that may precede a Fast Infoset document, in the order of their values.
inline char const * const Declarations[] = {"<?xml encoding='finf'?>",
                                            "<?xml encoding='finf' standalone='yes'?>",
                                            "<?xml encoding='finf' standalone='no'?>",
                                            "<?xml version='1.0' encoding='finf'?>",
                                            "<?xml version='1.0' encoding='finf' standalone='yes'?>",
                                            "<?xml version='1.0' encoding='finf' standalone='no'?>",
                                            "<?xml version='1.1' encoding='finf'?>",
                                            "<?xml version='1.1' encoding='finf' standalone='yes'?>",
                                            "<?xml version='1.1' encoding='finf' standalone='no'?>"};

// The octets as upper-case hexadecimal pairs separated by single spaces.
inline std::string HexOctets(unsigned char const * data, std::size_t length)
{
    std::string text;
    char pair[4];
    for (std::size_t i = 0; i < length; ++i)
    {
        std::snprintf(pair, sizeof pair, i == 0 ? "%02X" : " %02X", data[i]);
        text += pair;
    }
    return text;
}

inline std::string HexOctets(NxXmlLib16::CBinaryData const & data) { return HexOctets(data.GetData(), data.GetLength()); }

inline std::string HexOctets(std::string const & data)
{
    return HexOctets(reinterpret_cast<unsigned char const *>(data.data()), data.size());
}

// The hexadecimal text of a string's characters, for building expected octets of literals.
inline std::string HexOf(std::string const & text) { return HexOctets(text); }

// The bytes of a gzip (window bits 31) or zlib (15) stream, inflated piece by piece; empty
// when the stream is damaged.
inline std::string InflateAll(NxXmlLib16::CBinaryData const & packed, int windowBits)
{
    z_stream stream{};
    if (inflateInit2(&stream, windowBits) != Z_OK)
        return std::string();
    stream.next_in = packed.GetData();
    stream.avail_in = packed.GetLength();
    std::string plain;
    unsigned char piece[4096];
    int result = Z_OK;
    while (result == Z_OK)
    {
        stream.next_out = piece;
        stream.avail_out = sizeof piece;
        result = inflate(&stream, Z_NO_FLUSH);
        plain.append(reinterpret_cast<char const *>(piece), sizeof piece - stream.avail_out);
    }
    inflateEnd(&stream);
    return result == Z_STREAM_END ? plain : std::string();
}

} // namespace NxXmlTest
