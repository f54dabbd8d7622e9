// CFastInfosetBinaryData: the octets of the ten built-in Fast Infoset encoding algorithms and their text.
#pragma once

#include "BinaryData.h"

#include <cstdint>
#include <string>

namespace NxXmlLib16
{

// The built-in encoding algorithms by their index.
enum FIEncodingAlgorithm : std::uint32_t
{
    FIEncodingAlgorithm_Hexadecimal = 1,
    FIEncodingAlgorithm_Base64 = 2,
    FIEncodingAlgorithm_Short = 3,
    FIEncodingAlgorithm_Int = 4,
    FIEncodingAlgorithm_Long = 5,
    FIEncodingAlgorithm_Boolean = 6,
    FIEncodingAlgorithm_Float = 7,
    FIEncodingAlgorithm_Double = 8,
    FIEncodingAlgorithm_Uuid = 9,
    FIEncodingAlgorithm_Cdata = 10
};

// An octet buffer that converts between a value's text and the octets of an encoding algorithm.
class CFastInfosetBinaryData : public CBinaryData
{
public:
    CFastInfosetBinaryData() = default;
    CFastInfosetBinaryData(CBinaryData const & other) : CBinaryData(other) {}
    CFastInfosetBinaryData(unsigned char * const data, std::uint32_t length, bool adopt)
        : CBinaryData(data, length, adopt)
    {
    }
    explicit CFastInfosetBinaryData(char const * text) : CBinaryData(text) {}
    CFastInfosetBinaryData(CFastInfosetBinaryData const & other) = default;
    CFastInfosetBinaryData & operator=(CFastInfosetBinaryData const & other) = default;
    ~CFastInfosetBinaryData() override;

    // Replaces the buffer with the octets of the text under the algorithm.
    void SetAsEncodedString(std::uint32_t algorithm, char const * text);
    // The text of the buffer's octets under the algorithm; values are joined with single spaces.
    std::string GetAsString(std::uint32_t algorithm) const;

    // Appends the octets of the text under the algorithm to out (the writer's buffer).
    static void AppendEncoded(std::uint32_t algorithm, std::string const & text, std::string & out);
};

} // namespace NxXmlLib16
