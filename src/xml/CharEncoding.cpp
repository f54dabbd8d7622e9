#include "CharEncoding.h"

#include "frame/Portable.h"

#include <atomic>
#include <cstring>

namespace NxXmlLib16
{

namespace
{

// Set once at start-up; atomic only so that a late change is never a data race.
std::atomic<std::uint32_t> g_localCodePage{3};
std::atomic<bool> g_asciiOnly{false};

bool LocalIsUtf8() { return IsUtf8CodePage(g_localCodePage.load(std::memory_order_relaxed)); }

bool AsciiOnly() { return g_asciiOnly.load(std::memory_order_relaxed); }

CBinaryData ToBinary(std::string const & bytes)
{
    return CBinaryData(reinterpret_cast<unsigned char const *>(bytes.data()), static_cast<std::uint32_t>(bytes.size()));
}

void AppendUtf16Unit(std::string & out, std::uint32_t unit)
{
    out += static_cast<char>(unit & 0xFF);
    out += static_cast<char>(unit >> 8);
}

void AppendUtf8CodePoint(std::string & out, std::uint32_t cp)
{
    if (cp < 0x80)
        out += static_cast<char>(cp);
    else if (cp < 0x800)
    {
        out += static_cast<char>(0xC0 | cp >> 6);
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
    else if (cp < 0x10000)
    {
        out += static_cast<char>(0xE0 | cp >> 12);
        out += static_cast<char>(0x80 | (cp >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
    else
    {
        out += static_cast<char>(0xF0 | cp >> 18);
        out += static_cast<char>(0x80 | (cp >> 12 & 0x3F));
        out += static_cast<char>(0x80 | (cp >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

constexpr std::uint32_t ReplacementCharacter = 0xFFFD;

// Decodes one UTF-8 character at text[0..length). Returns the bytes it takes, 0 when the text
// ends inside a valid start of a character; malformed bytes decode as U+FFFD one at a time.
std::size_t DecodeUtf8(unsigned char const * text, std::size_t length, std::uint32_t & cp)
{
    unsigned char const lead = text[0];
    std::size_t need;
    std::uint32_t min;
    if (lead < 0x80)
    {
        cp = lead;
        return 1;
    }
    if (lead >= 0xC2 && lead < 0xE0)
        need = 2, min = 0x80, cp = lead & 0x1F;
    else if (lead >= 0xE0 && lead < 0xF0)
        need = 3, min = 0x800, cp = lead & 0x0F;
    else if (lead >= 0xF0 && lead < 0xF5)
        need = 4, min = 0x10000, cp = lead & 0x07;
    else
    {
        cp = ReplacementCharacter;
        return 1;
    }
    for (std::size_t i = 1; i < need; ++i)
    {
        if (i >= length)
            return 0;
        if ((text[i] & 0xC0) != 0x80)
        {
            cp = ReplacementCharacter;
            return 1;
        }
        cp = cp << 6 | (text[i] & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
    {
        cp = ReplacementCharacter;
        return 1;
    }
    return need;
}

// The UTF-16LE form of UTF-8 text; stops before a character that the next piece completes.
std::size_t AppendUtf8AsUtf16(char const * text, std::size_t length, std::string & out, bool final)
{
    unsigned char const * const bytes = reinterpret_cast<unsigned char const *>(text);
    out.reserve(out.size() + length * 2);
    std::size_t i = 0;
    while (i < length)
    {
        if (bytes[i] < 0x80)
        {
            AppendUtf16Unit(out, bytes[i++]);
            continue;
        }
        std::uint32_t cp;
        std::size_t taken = DecodeUtf8(bytes + i, length - i, cp);
        if (taken == 0)
        {
            if (!final)
                break;
            cp = ReplacementCharacter;
            taken = length - i;
        }
        i += taken;
        if (cp >= 0x10000)
        {
            cp -= 0x10000;
            AppendUtf16Unit(out, 0xD800 | cp >> 10);
            AppendUtf16Unit(out, 0xDC00 | (cp & 0x3FF));
        }
        else
            AppendUtf16Unit(out, cp);
    }
    return i;
}

std::size_t UnitCount(unsigned short const * text)
{
    std::size_t length = 0;
    while (text[length] != 0)
        ++length;
    return length;
}

} // namespace

void SetLocalCharEncoding(unsigned int codePage) { g_localCodePage.store(codePage, std::memory_order_relaxed); }

unsigned int GetLocalCharEncoding() { return g_localCodePage.load(std::memory_order_relaxed); }

void ASCIIOnly(bool asciiOnly) { g_asciiOnly.store(asciiOnly, std::memory_order_relaxed); }

bool IsLocalTextUtf8() { return AsciiOnly() || LocalIsUtf8(); }

std::size_t AppendLocalAsUtf8(char const * text, std::size_t length, std::string & out, bool final)
{
    if (IsLocalTextUtf8())
    {
        out.append(text, length);
        return length;
    }
    std::size_t ascii = 0;
    while (ascii < length && static_cast<unsigned char>(text[ascii]) < 0x80)
        ++ascii;
    out.append(text, ascii);
    if (ascii == length)
        return length;
    return ascii + CCodePageConverter::Convert(GetLocalCharEncoding(), CCodePageConverter::LocalToUtf8, text + ascii,
                                               length - ascii, out, final);
}

std::size_t AppendLocalAsUtf16(char const * text, std::size_t length, std::string & out, bool final)
{
    if (LocalIsUtf8())
        return AppendUtf8AsUtf16(text, length, out, final);
    return CCodePageConverter::Convert(GetLocalCharEncoding(), CCodePageConverter::LocalToUtf16, text, length, out,
                                       final);
}

void AppendUtf8AsLocal(char const * data, std::size_t length, std::string & out)
{
    if (IsLocalTextUtf8())
    {
        out.append(data, length);
        return;
    }
    std::size_t ascii = 0;
    while (ascii < length && static_cast<unsigned char>(data[ascii]) < 0x80)
        ++ascii;
    out.append(data, ascii);
    if (ascii < length)
        CCodePageConverter::Convert(GetLocalCharEncoding(), CCodePageConverter::Utf8ToLocal, data + ascii,
                                    length - ascii, out, true);
}

void AppendUtf16AsUtf8(unsigned short const * text, std::size_t length, std::string & out)
{
    out.reserve(out.size() + length);
    for (std::size_t i = 0; i < length; ++i)
    {
        std::uint32_t cp = text[i];
        if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < length && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF)
            cp = 0x10000 + ((cp - 0xD800) << 10) + (text[++i] - 0xDC00);
        else if (cp >= 0xD800 && cp <= 0xDFFF)
            cp = ReplacementCharacter; // a lone surrogate
        AppendUtf8CodePoint(out, cp);
    }
}

CBinaryData LocalToUtf8(char const * text)
{
    std::string out;
    AppendLocalAsUtf8(text, std::strlen(text), out);
    return ToBinary(out);
}

CBinaryData LocalToUtf16(char const * text)
{
    std::string out;
    AppendLocalAsUtf16(text, std::strlen(text), out);
    return ToBinary(out);
}

CBinaryData WideToUtf8(unsigned short const * text)
{
    std::string out;
    AppendUtf16AsUtf8(text, UnitCount(text), out);
    return ToBinary(out);
}

std::string Utf8ToLocal(char const * data, std::size_t length)
{
    std::string out;
    AppendUtf8AsLocal(data, length, out);
    return out;
}

} // namespace NxXmlLib16
