// What the fuzz targets share: the expected failure, findings that stop the run, and documents
// written out through the library's writers and compared in their canonical form.
#pragma once

#include "DocumentWriter.h"
#include "FastInfosetCanonical.h"
#include "NxXmlLib16.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace NxFuzz
{

// Reports a finding with the two texts that should have been equal, and stops the run.
[[noreturn]] inline void Finding(char const * what, std::string const & first, std::string const & second)
{
    std::fprintf(stderr, "finding: %s\nfirst:  %s\nsecond: %s\n", what, first.c_str(), second.c_str());
    std::abort();
}

// Stops the run unless both texts are equal.
inline void ExpectEqual(char const * what, std::string const & first, std::string const & second)
{
    if (first != second)
        Finding(what, first, second);
}

// Runs a step that bad input may fail with a CNxException; anything else thrown escapes to
// libFuzzer, which reports it. Returns whether the step succeeded.
template <class Step>
bool Accepts(Step && step)
{
    try
    {
        step();
        return true;
    }
    catch (NxXmlLib16::CNxException const &)
    {
        return false;
    }
}

// Parses the text into a value; when that succeeds, the printed value must parse to one that
// prints the same and compares equal (a comparison may throw, for values it cannot order).
template <class Value, class Parse>
void CheckPrintedValue(char const * what, std::string const & text, Parse && parse)
{
    Value value;
    if (!Accepts([&] { parse(value, text.c_str()); }))
        return;
    std::string const printed = value.ToString();
    Value again;
    if (!Accepts([&] { parse(again, printed.c_str()); }))
        Finding(what, text, printed);
    ExpectEqual(what, printed, again.ToString());
    bool equal = true;
    if (Accepts([&] { equal = again == value; }) && !equal)
        Finding(what, text, printed);
}

// The document's tree in canonical form, or "" when nothing was loaded.
inline std::string Canonical(NxXmlLib16::CXmlDocument const & document)
{
    NxXmlLib16::CXmlElement const * const root = document.GetDocumentElement();
    return root == nullptr ? std::string() : NxXmlTest::CanonicalForm(*root);
}

// The document as XML text: every character kept, no indentation.
inline std::string WriteXml(NxXmlLib16::CXmlDocument const & document)
{
    NxXmlLib16::CTextStream text;
    NxXmlLib16::CXmlTextWriter writer(&text);
    writer.WriteStartDocument();
    writer.SetIndentation(false);
    writer.SetEOLType(NxXmlLib16::EOLType_LF);
    writer.WriteXmlDeclaration();
    NxConvert::WriteDocumentTree(document, writer, NxConvert::TextLayout::KeepAll);
    writer.WriteEndDocument();
    return text.GetString();
}

// The document as Fast Infoset octets.
inline NxXmlLib16::CBinaryData WriteFastInfoset(NxXmlLib16::CXmlDocument const & document)
{
    NxXmlLib16::CSerializationContext const context;
    NxXmlLib16::CBinaryStream stream;
    NxXmlLib16::CFastInfosetWriter writer(&context.GetFIContext(), &stream);
    writer.WriteStartDocument();
    writer.WriteFIHeader(NxXmlLib16::FInfoDecl_None);
    NxConvert::WriteDocumentTree(document, writer, NxConvert::TextLayout::KeepAll);
    writer.WriteFITrailer();
    writer.WriteEndDocument();
    return stream.GetData();
}

// The document as JSON text in the given mode, not indented.
inline std::string WriteJson(NxXmlLib16::CXmlDocument const & document, NxXmlLib16::JsonRoundTrip mode)
{
    NxXmlLib16::CTextStream text;
    NxXmlLib16::CJsonTextWriter writer(&text);
    writer.WriteStartDocument();
    writer.SetIndentation(false);
    writer.SetEOLType(NxXmlLib16::EOLType_LF);
    writer.SetSupportRoundtrip(mode);
    writer.WriteDocumentStart();
    NxConvert::WriteDocumentTree(document, writer, NxConvert::TextLayout::KeepAll);
    writer.WriteDocumentEnd();
    writer.WriteEndDocument();
    return text.GetString();
}

// A namespace URI or attribute value as XML text keeps it: the writer drops carriage returns
// and writes tabs as they are, which reading turns into spaces.
inline std::string KeptByXmlText(std::string_view value)
{
    std::string kept;
    kept.reserve(value.size());
    for (char const c : value)
    {
        if (c != '\r')
            kept += c == '\t' ? ' ' : c;
    }
    return kept;
}

// The canonical form of what the document keeps when written as XML text, or "" when nothing
// was loaded.
inline std::string CanonicalAsXmlText(NxXmlLib16::CXmlDocument const & document)
{
    NxXmlLib16::CXmlElement const * const root = document.GetDocumentElement();
    return root == nullptr ? std::string() : NxXmlTest::CanonicalForm(*root, KeptByXmlText);
}

// Loads bytes that the library wrote itself: any failure is a finding.
inline std::string Reloaded(char const * what, unsigned char const * data, std::size_t length)
{
    NxXmlLib16::CXmlDocument document;
    try
    {
        document.LoadXmlStream(data, length);
    }
    catch (NxXmlLib16::CNxException const & e)
    {
        Finding(what, e.GetFullMessage(), std::string(reinterpret_cast<char const *>(data), length));
    }
    return Canonical(document);
}

// Writes the document as XML text and stops the run unless that loads to the same tree.
inline void CheckXmlTextRoundTrip(NxXmlLib16::CXmlDocument const & document)
{
    std::string const xml = WriteXml(document);
    ExpectEqual(
        "XML text written and loaded again", CanonicalAsXmlText(document),
        Reloaded("written XML text does not load", reinterpret_cast<unsigned char const *>(xml.data()), xml.size()));
}

// Writes the document as Fast Infoset and stops the run unless that loads to the same tree.
inline void CheckFastInfosetRoundTrip(NxXmlLib16::CXmlDocument const & document, std::string const & canonical)
{
    NxXmlLib16::CBinaryData const octets = WriteFastInfoset(document);
    ExpectEqual("Fast Infoset written and loaded again", canonical,
                Reloaded("written Fast Infoset does not load", octets.GetData(), octets.GetLength()));
}

} // namespace NxFuzz
