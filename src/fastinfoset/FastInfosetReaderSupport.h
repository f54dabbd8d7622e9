// What the parts of the Fast Infoset reader share: table limits, the built-in alphabets, failures.
#pragma once

#include "NxException.h"
#include "fastinfoset/FIOctets.h"
#include "fastinfoset/FastInfosetReader.h"
#include "frame/Messages.h"
#include "xml/XmlCharacters.h"

#include <cstdint>
#include <string_view>
#include <vector>

namespace NxXmlLib16
{

namespace FIReaderSupport
{

inline constexpr std::uint32_t MaxTableSize = FIOctets::MaxIndex;
inline constexpr std::size_t ArenaBlockSize = 64 * 1024;
inline constexpr std::string_view XmlPrefix = "xml";

[[noreturn]] inline void Fail(char const * what) { throw CNxException(FormatString(Msg::FiParseFailed, what)); }

// Fails unless the UTF-8 text is text an XML document can hold, so that what is read can be
// written.
inline void CheckXmlText(std::string_view text)
{
    if (!IsXmlText(text))
        Fail(Msg::FiInvalidText);
}

// Fails when a UTF-16 surrogate stands alone, rather than reading some other character for it.
inline void CheckSurrogatePairs(std::vector<unsigned short> const & units)
{
    for (std::size_t i = 0; i < units.size(); ++i)
    {
        bool const high = units[i] >= 0xD800 && units[i] <= 0xDBFF;
        bool const low = units[i] >= 0xDC00 && units[i] <= 0xDFFF;
        if (low || (high && (i + 1 == units.size() || units[i + 1] < 0xDC00 || units[i + 1] > 0xDFFF)))
            Fail(Msg::FiInvalidText);
        i += high ? 1 : 0;
    }
}

[[noreturn]] inline void FailEndOfFile() { Fail(Msg::FiUnexpectedEnd); }

[[noreturn]] inline void FailElementType() { Fail(Msg::FiElementType); }

[[noreturn]] inline void FailIndex(char const * tableName, std::uint32_t index, std::size_t size)
{
    throw CNxException(FormatString(Msg::FiParseIndexBeyondTable, index, tableName, static_cast<unsigned>(size)));
}

[[noreturn]] inline void FailEncodedString(bool thirdBit)
{
    Fail(thirdBit ? Msg::FiCharacterStringThirdBit : Msg::FiCharacterStringFifthBit);
}

// The built-in alphabets. Numeric text is read with the capital exponent letter that other
// encoders pack at position 13; the writer never packs an exponent.
inline CFIRestrictedAlphabet const & BuiltInAlphabet(std::uint32_t index)
{
    static CFIRestrictedAlphabet const numeric("0123456789-+.E ");
    static CFIRestrictedAlphabet const dateTime(FIOctets::DateTimeAlphabet);
    return index == 1 ? numeric : dateTime;
}

// Whether a table has room for one more entry.
template <class Table>
bool HasRoom(Table const & table)
{
    return table.size() < MaxTableSize;
}

} // namespace FIReaderSupport

} // namespace NxXmlLib16
