// Helpers of the Fast Infoset reader tests: octets from a readable notation, and loading them.
#pragma once

#include "FastInfosetCanonical.h"
#include "NxException.h"
#include "SerializationContext.h"
#include "XmlDocument.h"

#include <gtest/gtest.h>

#include <cctype>
#include <stdexcept>
#include <string>

namespace NxXmlTest
{

// Octets written as two-digit hex numbers and 'quoted text', separated by spaces:
// "E0 00 00 01 00 3C 03 'root' FF".
inline std::string Octets(std::string const & notation)
{
    std::string out;
    for (std::size_t i = 0; i < notation.size();)
    {
        char const c = notation[i];
        if (c == ' ')
        {
            ++i;
            continue;
        }
        if (c == '\'')
        {
            std::size_t const close = notation.find('\'', i + 1);
            if (close == std::string::npos)
                throw std::invalid_argument("unclosed quote in " + notation);
            out += notation.substr(i + 1, close - i - 1);
            i = close + 1;
            continue;
        }
        if (i + 1 >= notation.size() || !std::isxdigit(static_cast<unsigned char>(c)) ||
            !std::isxdigit(static_cast<unsigned char>(notation[i + 1])))
            throw std::invalid_argument("bad octet in " + notation);
        out += static_cast<char>(std::stoi(notation.substr(i, 2), nullptr, 16));
        i += 2;
    }
    return out;
}

// The identification, version and an empty optional-component octet.
inline std::string const & Start()
{
    static std::string const start = Octets("E0 00 00 01 00");
    return start;
}

// Loads the bytes as a memory block into the document.
inline void LoadBytes(NxXmlLib16::CXmlDocument & document, std::string const & bytes)
{
    document.LoadXmlStream(reinterpret_cast<unsigned char const *>(bytes.data()),
                           static_cast<std::uint32_t>(bytes.size()));
}

// The canonical form of the tree read from the bytes.
inline std::string CanonicalOf(std::string const & bytes,
                               NxXmlLib16::CSerializationContext const & context = NxXmlLib16::CSerializationContext())
{
    NxXmlLib16::CXmlDocument document(context);
    LoadBytes(document, bytes);
    return CanonicalForm(*document.GetDocumentElement());
}

// The message that reading the bytes throws, or "no exception".
inline std::string FailureOf(std::string const & bytes,
                             NxXmlLib16::CSerializationContext const & context = NxXmlLib16::CSerializationContext())
{
    try
    {
        NxXmlLib16::CXmlDocument document(context);
        LoadBytes(document, bytes);
    }
    catch (NxXmlLib16::CNxException const & e)
    {
        return e.GetMessage();
    }
    return "no exception";
}

} // namespace NxXmlTest
