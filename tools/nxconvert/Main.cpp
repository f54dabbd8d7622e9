// nxconvert: converts a document between XML text, Fast Infoset and JSON, compressed or not.
#include "ConvertOptions.h"
#include "DocumentWriter.h"
#include "ConvertFiles.h"

#include "NxXmlLib16.h"

#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>

#include <unistd.h>

using namespace NxXmlLib16;
using namespace NxConvert;

namespace
{

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point from, Clock::time_point to) { return std::chrono::duration<double>(to - from).count(); }

// Loads the input into the document: XML text and Fast Infoset directly (compressed or not),
// JSON through its conversion to XML text.
void Load(CXmlDocument & document, CBinaryData const & input, Format format, CSerializationContext const & context)
{
    unsigned char * const data = const_cast<unsigned char *>(input.GetData());
    if (format != Format::Json)
    {
        document.LoadXmlStream(data, input.GetLength());
        return;
    }
    CXmlDocument converter(context);
    CBinaryData const xml = converter.LoadJsonStream(data, input.GetLength());
    document.LoadXmlStream(xml.GetData(), xml.GetLength());
}

// A written document before it becomes bytes: text in a stream, or Fast Infoset octets.
struct CWritten
{
    std::unique_ptr<CTextStream> text;
    CBinaryData octets;
};

// Writes the document in the output form.
CWritten Serialise(CXmlDocument const & document, ConvertOptions const & options, CSerializationContext const & context)
{
    TextLayout const layout = options.indent ? TextLayout::DropIndentation : TextLayout::KeepAll;
    CWritten written;
    if (options.to == Format::FastInfoset)
    {
        CBinaryStream stream;
        CFastInfosetWriter writer(&context.GetFIContext(), &stream);
        writer.WriteStartDocument();
        writer.WriteFIHeader(static_cast<FInfoDecl>(options.fiDeclaration));
        WriteDocumentTree(document, writer, TextLayout::KeepAll);
        writer.WriteFITrailer();
        writer.WriteEndDocument();
        written.octets = stream.GetData();
        return written;
    }
    written.text = std::make_unique<CTextStream>(options.encoding);
    if (options.to == Format::Xml)
    {
        CXmlTextWriter writer(written.text.get());
        writer.WriteStartDocument();
        writer.SetIndentation(options.indent);
        writer.SetIndentChars(options.indentChars);
        writer.SetEOLType(EOLType_LF);
        writer.WriteXmlDeclaration();
        WriteDocumentTree(document, writer, layout);
        writer.WriteEndDocument();
        return written;
    }
    CJsonTextWriter writer(written.text.get());
    writer.WriteStartDocument();
    writer.SetIndentation(options.indent);
    writer.SetIndentChars(options.indentChars);
    writer.SetEOLType(EOLType_LF);
    writer.SetSupportRoundtrip(context.GetJsonContext().GetSupportRoundtrip());
    writer.WriteDocumentStart();
    WriteDocumentTree(document, writer, layout);
    writer.WriteDocumentEnd();
    writer.WriteEndDocument();
    return written;
}

// The written document as the bytes of the output: UTF-16 text behind its byte-order mark,
// compressed when asked.
CBinaryData ToBytes(CWritten & written, ConvertOptions const & options)
{
    CBinaryData bytes = std::move(written.octets);
    if (written.text != nullptr)
    {
        if (options.encoding != XmlEncoding_UTF8)
            bytes.Append("\xFF\xFE");
        CBinaryData text;
        written.text->GetBytes(text);
        written.text.reset();
        if (bytes.GetLength() == 0)
            bytes = std::move(text);
        else
            bytes.Append(text);
    }
    CompressData(bytes, options.compression);
    return bytes;
}

// The options that the library's contexts carry.
CSerializationContext MakeContext(ConvertOptions const & options)
{
    CSerializationContext context;
    context.SetStripCDATA(true);
    CJsonContext & json = context.GetJsonContext();
    json.SetSupportRoundtrip(static_cast<JsonRoundTrip>(options.jsonMode));
    if (!options.jsonRoot.empty())
        json.SetRootElementName(options.jsonRoot.c_str());
    return context;
}

int Convert(ConvertOptions const & options)
{
    Clock::time_point const begin = Clock::now();
    Format from = Format::Xml;
    std::uint32_t inputLength = 0;
    CSerializationContext const context = MakeContext(options);
    Clock::time_point read;
    Clock::time_point loaded;
    CWritten written;
    {
        // The input and the tree are let go before the output becomes bytes.
        CBinaryData input = ReadInput(options.input, isatty(STDERR_FILENO) != 0);
        read = Clock::now();
        inputLength = input.GetLength();
        from = options.fromGiven ? options.from : DetectFormat(input);
        CXmlDocument document(context);
        Load(document, input, from, context);
        input = CBinaryData();
        loaded = Clock::now();
        written = Serialise(document, options, context);
    }
    CBinaryData const output = ToBytes(written, options);
    Clock::time_point const serialised = Clock::now();
    WriteOutput(options.output, output);
    Clock::time_point const end = Clock::now();
    if (options.stats)
    {
        double const megabytes = static_cast<double>(inputLength) / 1e6;
        std::fprintf(stderr,
                     "input:  %s, %u bytes (%s)\noutput: %s, %u bytes (%s)\n"
                     "read %.3f s, load %.3f s (%.1f MB/s), write %.3f s (%.1f MB/s), save %.3f s, total %.3f s\n",
                     options.input.c_str(), inputLength, FormatName(from), options.output.c_str(),
                     output.GetLength(), FormatName(options.to), Seconds(begin, read), Seconds(read, loaded),
                     megabytes / Seconds(read, loaded), Seconds(loaded, serialised),
                     megabytes / Seconds(loaded, serialised), Seconds(serialised, end), Seconds(begin, end));
    }
    return 0;
}

} // namespace

int main(int argc, char ** argv)
{
    NoBanner();
    ConvertOptions options;
    try
    {
        options = ParseOptions(argc, argv);
    }
    catch (CUsageError const & e)
    {
        std::fprintf(stderr, "nxconvert: %s\n%s", e.what(), UsageText());
        return 2;
    }
    if (options.help)
    {
        std::fputs(UsageText(), stdout);
        return 0;
    }
    if (options.version)
    {
        std::printf("nxconvert %s\n", LibraryVersionText);
        return 0;
    }
    try
    {
        return Convert(options);
    }
    catch (CNxException const & e)
    {
        std::fprintf(stderr, "nxconvert: %s\n", e.GetFullMessage().c_str());
        return 1;
    }
    catch (std::exception const & e)
    {
        std::fprintf(stderr, "nxconvert: %s\n", e.what());
        return 1;
    }
}
