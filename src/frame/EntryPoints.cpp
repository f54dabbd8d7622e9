// The XML entry points of every bindable object: writing to text, bytes and files, and
// reading from text, bytes, files and parsed elements.
#include "XmlObjectBase.h"

#include "BinaryStream.h"
#include "FastInfosetWriter.h"
#include "JsonTextWriter.h"
#include "NxException.h"
#include "OpenContent.h"
#include "TextStream.h"
#include "XmlDocument.h"
#include "XmlTextWriter.h"
#include "frame/Compression.h"
#include "frame/Messages.h"
#include "frame/ReadLimits.h"
#include "frame/Registration.h"
#include "xml/DemandXmlReader.h"

#include <atomic>
#include <cstdio>
#include <memory>
#include <optional>

namespace NxXmlLib16
{

namespace
{

std::atomic<bool> g_streamToFile{false};
std::atomic<bool> g_noBanner{false};

char const * const BannerAddress = "https://nxxmllib16.example.org";

bool IsUtf16(XmlEncoding encoding) { return encoding == XmlEncoding_UTF16 || encoding == XmlEncoding_UTF16_NoDecl; }

// The XML text of JSON input, converted by a document that is gone (with its copy of the input)
// before the text is read.
template <class Load>
CBinaryData ConvertJson(CSerializationContext const & context, Load && load)
{
    CXmlDocument document(context);
    return load(document);
}

// Saves a whole document: the UTF-16 byte-order mark, the text, compressed as asked.
void SaveTextFile(char const * fileName, CTextStream & stream, XmlEncoding encoding, CompressionType compression)
{
    CBinaryData bytes;
    if (IsUtf16(encoding))
        bytes.Append("\xFF\xFE"); // the byte-order mark goes inside the compressed data
    CBinaryData text;
    stream.GetBytes(text);
    bytes.Append(text);
    Compress(bytes, compression);
    CFileBinaryStream(fileName, XmlEncoding_UTF8, bytes).SaveToFile();
}

} // namespace

void AsyncToXmlFile(bool streamToFile) { g_streamToFile.store(streamToFile, std::memory_order_relaxed); }

void NoBanner() { g_noBanner.store(true, std::memory_order_relaxed); }

std::string CXmlObjectBase::ToXml(bool includeHeader, bool prettyPrint, EOLType eol,
                                  CSerializationContext const & context) const
{
    CheckVersion();
    CTextStream stream;
    CXmlTextWriter writer(&stream);
    WriteDocument(writer, includeHeader, prettyPrint, eol, context);
    return stream.DetachString();
}

CBinaryData CXmlObjectBase::ToXmlStream(bool includeHeader, bool prettyPrint, XmlEncoding encoding, EOLType eol,
                                        CSerializationContext const & context, CompressionType compression) const
{
    CheckVersion();
    CTextStream stream(encoding);
    CXmlTextWriter writer(&stream);
    WriteDocument(writer, includeHeader, prettyPrint, eol, context);
    CBinaryData bytes;
    stream.GetBytes(bytes);
    Compress(bytes, compression);
    return bytes;
}

void CXmlObjectBase::ToXmlFile(char const * fileName, bool includeHeader, bool prettyPrint, XmlEncoding encoding,
                               EOLType eol, CSerializationContext const & context, CompressionType compression) const
{
    CheckVersion();
    if (compression == CompressionZLib)
        throw CNxException(Msg::ZlibOnlyToStream);
    if (compression == CompressionNone && g_streamToFile.load(std::memory_order_relaxed))
    {
        CFileTextStream stream(fileName, encoding);
        CXmlTextWriter writer(&stream);
        WriteDocument(writer, includeHeader, prettyPrint, eol, context);
        return;
    }
    CTextStream stream(encoding);
    CXmlTextWriter writer(&stream);
    WriteDocument(writer, includeHeader, prettyPrint, eol, context);
    SaveTextFile(fileName, stream, encoding, compression);
}

std::string CXmlObjectBase::ToJson(bool prettyPrint, EOLType eol, CSerializationContext const & context) const
{
    CheckVersion();
    CTextStream stream;
    CJsonTextWriter writer(&stream);
    writer.WriteStartDocument();
    WriteJsonDocument(writer, prettyPrint, eol, context);
    return stream.DetachString();
}

CBinaryData CXmlObjectBase::ToJsonStream(bool prettyPrint, XmlEncoding encoding, EOLType eol,
                                         CSerializationContext const & context, CompressionType compression) const
{
    CheckVersion();
    CTextStream stream(encoding);
    CJsonTextWriter writer(&stream);
    writer.WriteStartDocument();
    WriteJsonDocument(writer, prettyPrint, eol, context);
    CBinaryData bytes;
    stream.GetBytes(bytes);
    Compress(bytes, compression);
    return bytes;
}

void CXmlObjectBase::ToJsonFile(char const * fileName, bool prettyPrint, XmlEncoding encoding, EOLType eol,
                                CSerializationContext const & context, CompressionType compression) const
{
    CheckVersion();
    if (compression == CompressionZLib)
        throw CNxException(Msg::ZlibOnlyToStream);
    if (compression == CompressionNone && g_streamToFile.load(std::memory_order_relaxed))
    {
        // The file is made as the document is written; a failure removes what was written of it.
        bool created = false;
        try
        {
            CFileTextStream stream(fileName, encoding);
            CJsonTextWriter writer(&stream);
            writer.WriteStartDocument();
            created = true;
            WriteJsonDocument(writer, prettyPrint, eol, context);
        }
        catch (...)
        {
            if (created)
                std::remove(fileName);
            throw;
        }
        return;
    }
    CTextStream stream(encoding);
    CJsonTextWriter writer(&stream);
    writer.WriteStartDocument();
    WriteJsonDocument(writer, prettyPrint, eol, context);
    SaveTextFile(fileName, stream, encoding, compression);
}

CBinaryData CXmlObjectBase::ToFastInfosetStream(FInfoDecl declaration, CSerializationContext const & context,
                                                CompressionType compression) const
{
    CheckVersion();
    CBinaryStream stream;
    CFastInfosetWriter writer(&context.GetFIContext(), &stream);
    writer.WriteStartDocument();
    writer.WriteFIHeader(declaration);
    ToXml_Int(&writer, true, GetTargetNamespace().c_str(), context, false);
    writer.WriteFITrailer();
    writer.WriteEndDocument();
    CBinaryData bytes = stream.GetData();
    Compress(bytes, compression);
    return bytes;
}

void CXmlObjectBase::ToFastInfosetFile(char const * fileName, FInfoDecl declaration,
                                       CSerializationContext const & context, CompressionType compression) const
{
    CheckVersion();
    if (compression == CompressionZLib)
        throw CNxException(Msg::ZlibOnlyToStream);
    CBinaryData const bytes = ToFastInfosetStream(declaration, context, compression);
    CFileBinaryStream(fileName, XmlEncoding_UTF8, bytes).SaveToFile();
}

void CXmlObjectBase::WriteDocument(CXmlTextWriter & writer, bool includeHeader, bool prettyPrint, EOLType eol,
                                   CSerializationContext const & context) const
{
    writer.WriteStartDocument();
    writer.SetIndentation(prettyPrint);
    writer.SetIndentChars(context.GetIndentChars());
    writer.SetEOLType(eol);
    if (includeHeader)
        writer.WriteXmlDeclaration();
    if (!g_noBanner.load(std::memory_order_relaxed))
        writer.WriteComment(std::string("Created by Corvid XML Data Binding Libraries (") + BannerAddress + ") for " +
                            GetRegisteredOwner());
    ToXml_Int(&writer, true, GetTargetNamespace().c_str(), context, false);
    writer.WriteEndDocument();
}

void CXmlObjectBase::WriteJsonDocument(CJsonTextWriter & writer, bool prettyPrint, EOLType eol,
                                       CSerializationContext const & context) const
{
    writer.SetIndentation(prettyPrint);
    writer.SetIndentChars(context.GetIndentChars());
    writer.SetEOLType(eol);
    writer.SetSupportRoundtrip(context.GetJsonContext().GetSupportRoundtrip());
    // JSON has no comments, so the banner is left out: every reader takes the document.
    writer.WriteDocumentStart();
    ToXml_Int(&writer, true, GetTargetNamespace().c_str(), context, false);
    writer.WriteDocumentEnd();
    writer.WriteEndDocument();
}

void CXmlObjectBase::ReadRoot(CXmlDocument & document, CSerializationContext const & context)
{
    if (document.IsReadingOnDemand())
    {
        // Objects are read as the text is. Whatever goes wrong is found again, and reported as
        // it is then, from the whole document: a fault in the text wins over what the objects
        // find wrong, and messages may name things anywhere in the text.
        try
        {
            CXmlElement * const root = document.GetDocumentElement();
            FromXml_Int(root, root->GetFirstElement(), context, false);
            document.FinishReadingOnDemand();
            return;
        }
        catch (CReadWholeText const &)
        {
        }
        catch (CNxException const &)
        {
        }
        document.ReadWholeText();
    }
    CXmlElement * const root = document.GetDocumentElement();
    CheckReadDepth(*root);
    FromXml_Int(root, root->GetFirstElement(), context, false);
}

void CXmlObjectBase::FromXmlFile(char const * fileName, CSerializationContext const & context)
{
    CheckVersion();
    CXmlDocument document(context);
    document.ReadOnDemand();
    document.Load(fileName);
    ReadRoot(document, context);
}

void CXmlObjectBase::FromXml(unsigned short const * text, CSerializationContext const & context)
{
    CheckVersion();
    CXmlDocument document(context);
    document.ReadOnDemand();
    document.LoadXml(text);
    ReadRoot(document, context);
}

void CXmlObjectBase::FromXml(char const * text, CSerializationContext const & context)
{
    CheckVersion();
    CXmlDocument document(context);
    document.ReadOnDemand();
    document.LoadXml(text);
    ReadRoot(document, context);
}

void CXmlObjectBase::FromXmlStream(CBinaryData const & data, CSerializationContext const & context)
{
    FromXmlStream(data.GetData(), data.GetLength(), context);
}

void CXmlObjectBase::FromXmlStream(unsigned char const * data, std::uint32_t length,
                                   CSerializationContext const & context)
{
    CheckVersion();
    CXmlDocument document(context);
    document.ReadOnDemand();
    document.LoadXmlStream(data, length);
    ReadRoot(document, context);
}

void CXmlObjectBase::FromXmlElement(CElement const * element, CSerializationContext const & context)
{
    CheckVersion();
    std::string const text = element->ToXml(false, false, EOLType_LF, CSerializationContext::GetDefaultContext());
    FromXml(text.c_str(), context);
}

void CXmlObjectBase::FromXmlElement(CXmlElement const * element, CSerializationContext const & context)
{
    CheckVersion();
    CXmlElement * const target = const_cast<CXmlElement *>(element);
    CheckReadDepth(*target);
    FromXml_Int(target, target->GetFirstElement(), context, false);
}

void CXmlObjectBase::FromJsonFile(char const * fileName, CSerializationContext const & context)
{
    CheckVersion();
    FromJson_Int(ConvertJson(context, [&](CXmlDocument & document) { return document.LoadJsonFile(fileName); }),
                 context);
}

void CXmlObjectBase::FromJson(unsigned short const * text, CSerializationContext const & context)
{
    CheckVersion();
    FromJson_Int(ConvertJson(context, [&](CXmlDocument & document) { return document.LoadJson(text); }), context);
}

void CXmlObjectBase::FromJson(char const * text, CSerializationContext const & context)
{
    CheckVersion();
    FromJson_Int(ConvertJson(context, [&](CXmlDocument & document) { return document.LoadJson(text); }), context);
}

void CXmlObjectBase::FromJsonStream(CBinaryData const & data, CSerializationContext const & context)
{
    FromJsonStream(data.GetData(), data.GetLength(), context);
}

void CXmlObjectBase::FromJsonStream(unsigned char const * data, std::uint32_t length,
                                    CSerializationContext const & context)
{
    CheckVersion();
    FromJson_Int(ConvertJson(context, [&](CXmlDocument & document) { return document.LoadJsonStream(data, length); }),
                 context);
}

void CXmlObjectBase::FromJson_Int(CBinaryData const & xml, CSerializationContext const & context)
{
    // JSON without namespaces is matched by local name: on a copy of the options, so that the
    // caller's stay untouched (other threads may be reading with them).
    std::optional<CSerializationContext> byLocalName;
    if (context.GetJsonContext().GetSupportRoundtrip() != JsonRoundTrip_Full && !context.GetIgnoreNamespaces())
    {
        byLocalName.emplace(context);
        byLocalName->SetIgnoreNamespaces(true);
    }
    try
    {
        FromXmlStream(xml, byLocalName ? *byLocalName : context);
    }
    catch (CNxException const & e)
    {
        std::string const text(reinterpret_cast<char const *>(xml.GetData()), xml.GetLength());
        throw CNxException(FormatString(Msg::ErrorConvertingJsonToXml, text.c_str()), e);
    }
}

} // namespace NxXmlLib16
