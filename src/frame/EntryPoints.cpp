// The XML entry points of every bindable object: writing to text, bytes and files, and
// reading from text, bytes, files and parsed elements.
#include "XmlObjectBase.h"

#include "BinaryStream.h"
#include "FastInfosetWriter.h"
#include "NxException.h"
#include "OpenContent.h"
#include "TextStream.h"
#include "XmlDocument.h"
#include "XmlTextWriter.h"
#include "frame/Compression.h"
#include "frame/Registration.h"

#include <atomic>
#include <memory>

namespace NxXmlLib16
{

namespace
{

std::atomic<bool> g_streamToFile{false};
std::atomic<bool> g_noBanner{false};

char const * const BannerAddress = "https://nxxmllib16.example.org";

bool IsUtf16(XmlEncoding encoding) { return encoding == XmlEncoding_UTF16 || encoding == XmlEncoding_UTF16_NoDecl; }

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
        throw CNxException("ZLIB Compression only available for To Stream methods.");
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
    CBinaryData bytes;
    if (IsUtf16(encoding))
        bytes.Append("\xFF\xFE"); // the byte-order mark goes inside the compressed data
    CBinaryData text;
    stream.GetBytes(text);
    bytes.Append(text);
    Compress(bytes, compression);
    CFileBinaryStream(fileName, XmlEncoding_UTF8, bytes).SaveToFile();
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
        throw CNxException("ZLIB Compression only available for To Stream methods.");
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

void CXmlObjectBase::ReadRoot(CXmlDocument & document, CSerializationContext const & context)
{
    CXmlElement * const root = document.GetDocumentElement();
    FromXml_Int(root, root->GetFirstElement(), context, false);
}

void CXmlObjectBase::FromXmlFile(char const * fileName, CSerializationContext const & context)
{
    CheckVersion();
    CXmlDocument document(context);
    document.Load(fileName);
    ReadRoot(document, context);
}

void CXmlObjectBase::FromXml(unsigned short const * text, CSerializationContext const & context)
{
    CheckVersion();
    CXmlDocument document(context);
    document.LoadXml(text);
    ReadRoot(document, context);
}

void CXmlObjectBase::FromXml(char const * text, CSerializationContext const & context)
{
    CheckVersion();
    CXmlDocument document(context);
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
    FromXml_Int(target, target->GetFirstElement(), context, false);
}

} // namespace NxXmlLib16
