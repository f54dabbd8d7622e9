// CBinaryStream and CFileBinaryStream: where binary writers collect their output.
#pragma once

#include "BinaryData.h"
#include "CharEncoding.h"
#include "InstanceMonitor.h"

#include <cstdint>
#include <string>

namespace NxXmlLib16
{

// Collects bytes in a shared buffer.
class CBinaryStream : public CInstanceMonitor
{
public:
    CBinaryStream();

    void Append(unsigned char byte);
    void Append(CBinaryData const & data);
    void Append(unsigned char const * data, std::uint32_t length);
    // A handle to the bytes collected (shared, copy-on-write).
    CBinaryData GetData() const { return m_data; }

protected:
    CBinaryData m_data;
};

// A binary stream that saves what it collected to a file in one write.
class CFileBinaryStream : public CBinaryStream
{
public:
    CFileBinaryStream(char const * fileName, XmlEncoding encoding, CBinaryData const & initialData);

    // Creates (or replaces) the file, writes the UTF-16 byte-order mark for those encodings,
    // then the bytes.
    void SaveToFile();

private:
    std::string m_fileName;
    XmlEncoding m_encoding;
};

} // namespace NxXmlLib16
