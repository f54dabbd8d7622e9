// The input and output of nxconvert: files or the standard streams, form detection, compression.
#pragma once

#include "BinaryData.h"
#include "ConvertOptions.h"

#include <string>

namespace NxConvert
{

// The whole input: a file, or standard input for "-". With progress set, inputs over 16 MB
// report bytes read, percentage and rate on standard error as they are read.
NxXmlLib16::CBinaryData ReadInput(std::string const & path, bool progress);
// The form of a document by its first bytes (inflated first when compressed): Fast Infoset by
// its header or declaration, JSON by its first character, otherwise XML text.
Format DetectFormat(NxXmlLib16::CBinaryData const & input);
// Compresses the bytes in place (gzip or zlib, as the library's entry points do).
void CompressData(NxXmlLib16::CBinaryData & bytes, NxXmlLib16::CompressionType compression);
// Writes the bytes to standard output for "-", or to a temporary file beside the target that
// is renamed to it once complete, so a failure leaves no partial file.
void WriteOutput(std::string const & path, NxXmlLib16::CBinaryData const & bytes);

} // namespace NxConvert
