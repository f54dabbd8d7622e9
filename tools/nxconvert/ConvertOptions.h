// The command line of nxconvert.
#pragma once

#include "CharEncoding.h"
#include "XmlObjectBase.h"

#include <stdexcept>
#include <string>

namespace NxConvert
{

// The three document forms.
enum class Format
{
    Xml,
    FastInfoset,
    Json
};

// A command line that cannot be carried out; nxconvert then exits with status 2.
class CUsageError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// What the command line asks for.
struct ConvertOptions
{
    std::string input;         // a file, or "-" for standard input
    std::string output = "-";  // a file, or "-" for standard output
    Format to = Format::Xml;
    Format from = Format::Xml;
    bool fromGiven = false;    // otherwise the input's form is detected
    NxXmlLib16::CompressionType compression = NxXmlLib16::CompressionNone;
    bool indent = false;
    std::string indentChars;
    NxXmlLib16::XmlEncoding encoding = NxXmlLib16::XmlEncoding_UTF8;
    int jsonMode = 2;
    std::string jsonRoot;
    int fiDeclaration = 0;
    bool stats = false;
    bool help = false;
    bool version = false;
};

// Reads the arguments; throws CUsageError for anything it cannot take.
ConvertOptions ParseOptions(int argc, char ** argv);
// The text of --help.
char const * UsageText();
// The name of a form as the options write it.
char const * FormatName(Format format);

} // namespace NxConvert
