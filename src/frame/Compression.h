// Compression of output bytes, shared by the entry points of every output form.
#pragma once

#include "BinaryData.h"
#include "XmlObjectBase.h"

namespace NxXmlLib16
{

// Compresses the bytes in place with deflate at level 1, in a gzip or zlib wrapper; nothing for
// CompressionNone or no bytes.
void Compress(CBinaryData & data, CompressionType compression);

} // namespace NxXmlLib16
