// The process-wide local character encoding and the conversions to and from UTF-8 and UTF-16.
#pragma once

#include "BinaryData.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace NxXmlLib16
{

// The encoding of produced output bytes.
enum XmlEncoding : std::int32_t
{
    XmlEncoding_UTF8 = 1,        // UTF-8, no byte-order mark
    XmlEncoding_UTF16 = 2,       // UTF-16 little-endian, declared as "UTF-16"
    XmlEncoding_UTF16_NoDecl = 3 // UTF-16 little-endian without an encoding declaration
};

// Sets the code page of the library's byte strings; 0, 3 and 65001 mean UTF-8 (the default).
void SetLocalCharEncoding(unsigned int codePage);
// The code page of the library's byte strings.
unsigned int GetLocalCharEncoding();
// When true, conversions between the local encoding and UTF-8 copy the bytes unchanged.
void ASCIIOnly(bool asciiOnly);
// Whether local text and UTF-8 convert by plain copies (a UTF-8 code page, or ASCII only).
bool IsLocalTextUtf8();

// The UTF-8 form of local text.
CBinaryData LocalToUtf8(char const * text);
// The UTF-16 little-endian code units of local text, without a terminator.
CBinaryData LocalToUtf16(char const * text);
// The UTF-8 form of zero-terminated UTF-16 text.
CBinaryData WideToUtf8(unsigned short const * text);
// The local form of UTF-8 bytes.
std::string Utf8ToLocal(char const * data, std::size_t length);
// Appends the local form of UTF-8 bytes to out, reusing its storage.
void AppendUtf8AsLocal(char const * data, std::size_t length, std::string & out);
// Appends the UTF-8 form of local text to out; returns the bytes consumed, fewer than length
// only when final is false and the text ends inside a character.
std::size_t AppendLocalAsUtf8(char const * text, std::size_t length, std::string & out, bool final = true);
// Appends the UTF-16LE form of local text to out, with the same rule for a split character.
std::size_t AppendLocalAsUtf16(char const * text, std::size_t length, std::string & out, bool final = true);
// Appends the UTF-8 form of UTF-16 code units to out.
void AppendUtf16AsUtf8(unsigned short const * text, std::size_t length, std::string & out);

} // namespace NxXmlLib16
