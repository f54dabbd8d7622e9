#include "ConvertOptions.h"

#include <cstring>

using namespace NxXmlLib16;

namespace NxConvert
{

namespace
{

Format ParseFormat(std::string const & name)
{
    if (name == "xml")
        return Format::Xml;
    if (name == "fi")
        return Format::FastInfoset;
    if (name == "json")
        return Format::Json;
    throw CUsageError("unknown format '" + name + "' (xml, fi or json)");
}

bool EndsWith(std::string const & text, std::string const & tail)
{
    return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

// The form an output file name asks for: .xml .fi .finf .json, each perhaps followed by .gz.
Format FormatOfName(std::string name, bool & gzip)
{
    gzip = EndsWith(name, ".gz");
    if (gzip)
        name.resize(name.size() - 3);
    if (EndsWith(name, ".fi") || EndsWith(name, ".finf"))
        return Format::FastInfoset;
    if (EndsWith(name, ".json"))
        return Format::Json;
    return Format::Xml;
}

int ParseNumber(std::string const & option, std::string const & text, int lowest, int highest)
{
    if (text.empty() || text.size() > 2 || text.find_first_not_of("0123456789") != std::string::npos ||
        std::stoi(text) < lowest || std::stoi(text) > highest)
        throw CUsageError(option + " takes a number from " + std::to_string(lowest) + " to " +
                          std::to_string(highest) + ", not '" + text + "'");
    return std::stoi(text);
}

} // namespace

char const * FormatName(Format format)
{
    switch (format)
    {
    case Format::FastInfoset: return "fi";
    case Format::Json: return "json";
    default: return "xml";
    }
}

char const * UsageText()
{
    return "usage: nxconvert [options] INPUT [-o OUTPUT]   (INPUT or OUTPUT \"-\": standard input / output)\n"
           "  --to xml|fi|json        output form; default from OUTPUT's extension (.xml .fi .finf .json,\n"
           "                          .gz after it), else xml\n"
           "  --from xml|fi|json      input form; default detected (gzip/zlib, Fast Infoset, JSON, else XML)\n"
           "  --gzip | --zlib         compress the output\n"
           "  --indent CHARS          lay out XML and JSON output with this indentation (spaces, tabs)\n"
           "  --compact               no layout added (the default): all text kept as read\n"
           "  --encoding utf-8|utf-16 XML and JSON text\n"
           "  --json-mode 0|1|2       JSON convention (default 2); --json-root NAME  JSON root element name\n"
           "  --fi-decl 0..9          XML declaration in front of Fast Infoset output (default 0: none)\n"
           "  --stats                 sizes, times and throughput on standard error\n"
           "  --help, --version\n"
           "Exit status: 0 converted, 1 the document could not be read or written, 2 wrong usage.\n";
}

ConvertOptions ParseOptions(int argc, char ** argv)
{
    ConvertOptions options;
    bool toGiven = false;
    bool compressionGiven = false;
    std::string positional;
    bool outputGiven = false;
    for (int i = 1; i < argc; ++i)
    {
        std::string const argument = argv[i];
        auto value = [&]() -> std::string {
            if (i + 1 >= argc)
                throw CUsageError(argument + " needs a value");
            return argv[++i];
        };
        if (argument == "--help" || argument == "-h")
            options.help = true;
        else if (argument == "--version")
            options.version = true;
        else if (argument == "-o" || argument == "--output")
        {
            options.output = value();
            outputGiven = true;
        }
        else if (argument == "--to")
        {
            options.to = ParseFormat(value());
            toGiven = true;
        }
        else if (argument == "--from")
        {
            options.from = ParseFormat(value());
            options.fromGiven = true;
        }
        else if (argument == "--gzip" || argument == "--zlib")
        {
            if (compressionGiven)
                throw CUsageError("--gzip and --zlib exclude each other");
            options.compression = argument == "--gzip" ? CompressionGZip : CompressionZLib;
            compressionGiven = true;
        }
        else if (argument == "--indent")
        {
            options.indentChars = value();
            if (options.indentChars.find_first_not_of(" \t") != std::string::npos)
                throw CUsageError("--indent takes spaces and tabs only");
            options.indent = true;
        }
        else if (argument == "--compact")
            options.indent = false;
        else if (argument == "--encoding")
        {
            std::string const name = value();
            if (name == "utf-8" || name == "UTF-8")
                options.encoding = XmlEncoding_UTF8;
            else if (name == "utf-16" || name == "UTF-16")
                options.encoding = XmlEncoding_UTF16;
            else
                throw CUsageError("unknown encoding '" + name + "' (utf-8 or utf-16)");
        }
        else if (argument == "--json-mode")
            options.jsonMode = ParseNumber(argument, value(), 0, 2);
        else if (argument == "--json-root")
            options.jsonRoot = value();
        else if (argument == "--fi-decl")
            options.fiDeclaration = ParseNumber(argument, value(), 0, 9);
        else if (argument == "--stats")
            options.stats = true;
        else if (argument.size() > 1 && argument[0] == '-')
            throw CUsageError("unknown option " + argument);
        else if (positional.empty())
            positional = argument;
        else
            throw CUsageError("more than one input: " + positional + " and " + argument);
    }
    if (options.help || options.version)
        return options;
    if (positional.empty())
        throw CUsageError("no input given");
    options.input = positional;
    if (!toGiven && outputGiven && options.output != "-")
    {
        bool gzip = false;
        options.to = FormatOfName(options.output, gzip);
        if (gzip && !compressionGiven)
            options.compression = CompressionGZip;
    }
    if (options.to == Format::FastInfoset && options.encoding != XmlEncoding_UTF8)
        throw CUsageError("--encoding applies to XML and JSON output only");
    return options;
}

} // namespace NxConvert
