// Helpers of the Fast Infoset tests: octets from a readable notation and as hexadecimal text,
// loading them, and the option sets of the round trips.
#pragma once

#include "FastInfosetCanonical.h"
#include "TestSupport.h"

#include "BinaryData.h"
#include "FastInfosetContext.h"
#include "SerializationContext.h"
#include "SmartPtr.h"
#include "XmlDocument.h"
#include "XmlObjectBase.h"

#include <cctype>
#include <cstdio>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace NxXmlTest
{

// The XML declaration of the value 1 to 9 that may precede a Fast Infoset document.
inline std::string Declaration(int value)
{
    char const * const versions[] = {"", " version='1.0'", " version='1.1'"};
    char const * const standalone[] = {"", " standalone='yes'", " standalone='no'"};
    return std::string("<?xml") + versions[(value - 1) / 3] + " encoding='finf'" + standalone[(value - 1) % 3] + "?>";
}

// The octets as upper-case hexadecimal pairs separated by single spaces.
inline std::string HexOctets(std::string const & data)
{
    std::string text;
    char pair[4];
    for (std::size_t i = 0; i < data.size(); ++i)
    {
        std::snprintf(pair, sizeof pair, i == 0 ? "%02X" : " %02X", static_cast<unsigned char>(data[i]));
        text += pair;
    }
    return text;
}

inline std::string HexOctets(NxXmlLib16::CBinaryData const & data) { return HexOctets(Bytes(data)); }

// Octets written as two-digit hex numbers and 'quoted text', separated by spaces:
// "E0 00 00 01 00 3C 03 'root' FF".
inline std::string Octets(std::string const & notation)
{
    std::string out;
    for (std::size_t i = 0; i < notation.size(); ++i)
    {
        if (notation[i] == '\'')
        {
            std::size_t const close = notation.find('\'', i + 1);
            if (close == std::string::npos)
                throw std::invalid_argument("unclosed quote in " + notation);
            out += notation.substr(i + 1, close - i - 1);
            i = close;
        }
        else if (notation[i] != ' ')
        {
            if (i + 1 >= notation.size() || !std::isxdigit(static_cast<unsigned char>(notation[i])) ||
                !std::isxdigit(static_cast<unsigned char>(notation[i + 1])))
                throw std::invalid_argument("bad octet in " + notation);
            out += static_cast<char>(std::stoi(notation.substr(i++, 2), nullptr, 16));
        }
    }
    return out;
}

// The identification, version and an empty optional-component octet, then the octets.
inline std::string Start(std::string const & notation = std::string()) { return Octets("E0 00 00 01 00 " + notation); }

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

// Writes the object as Fast Infoset under each declaration and compression with three option sets
// (the base options, with the suggested encodings, with both and a generated vocabulary of the
// names given that both sides hold), reads it back into a fresh T and expects the same text.
template <class T, class Text>
void ExpectRoundTripsInEveryWay(T const & original, NxXmlLib16::CSerializationContext const & base,
                                std::string const & namespaceUri, std::vector<char const *> const & names,
                                Text const & text)
{
    using namespace NxXmlLib16;
    for (int set = 0; set < 3; ++set)
    {
        CSerializationContext context = base;
        CFastInfosetContext & options = context.GetFIContext();
        if (set > 0)
            options.SetSuggestedValues();
        if (set == 2)
        {
            options.SetUseGeneratedVocabulary(true);
            for (char const * name : names)
                options.GetVocabulary()->AddElement("", namespaceUri, name);
            options.GetVocabulary()->AddAttribute("", "", "id");
            options.GetVocabulary()->AddAttributeValue("7");
            options.GetVocabulary()->AddElementValue("blue");
        }
        for (int declaration = FInfoDecl_None; declaration <= FInfoDecl_V11NotStandalone; ++declaration)
            for (CompressionType compression : {CompressionNone, CompressionGZip, CompressionZLib})
            {
                SCOPED_TRACE(FormatString("option set %d, declaration %d, compression %d", set, declaration,
                                          static_cast<int>(compression)));
                CSmartPtr<T> const back(new T);
                back->FromXmlStream(
                    original.ToFastInfosetStream(static_cast<FInfoDecl>(declaration), context, compression), context);
                EXPECT_EQ(text(original), text(*back));
            }
    }
}

} // namespace NxXmlTest
