#include "BinaryStream.h"

#include "NxException.h"
#include "frame/Messages.h"
#include "frame/Portable.h"

namespace NxXmlLib16
{

CBinaryStream::CBinaryStream() : CInstanceMonitor("CBinaryStream") {}

void CBinaryStream::Append(unsigned char byte) { m_data.Append(&byte, 1); }

void CBinaryStream::Append(CBinaryData const & data) { m_data.Append(data); }

void CBinaryStream::Append(unsigned char const * data, std::uint32_t length) { m_data.Append(data, length); }

CFileBinaryStream::CFileBinaryStream(char const * fileName, XmlEncoding encoding, CBinaryData const & initialData)
    : m_fileName(fileName != nullptr ? fileName : ""), m_encoding(encoding)
{
    m_data = initialData;
}

void CFileBinaryStream::SaveToFile()
{
    bool const utf16 = m_encoding == XmlEncoding_UTF16 || m_encoding == XmlEncoding_UTF16_NoDecl;
    CPortableFile file;
    bool const written = file.CreateForWriting(m_fileName.c_str()) && (!utf16 || file.Write("\xFF\xFE", 2)) &&
                         file.Write(m_data.GetData(), m_data.GetLength()) && file.Close();
    if (!written)
        throw CNxException(FormatString(Msg::FailedWriteFile, m_fileName.c_str(), GetLastPlatformError()));
}

} // namespace NxXmlLib16
