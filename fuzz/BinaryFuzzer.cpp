// Decodes text as base64 and as hex: decoded data encodes to text that decodes to the same data.
#include "FuzzSupport.h"

using namespace NxXmlLib16;

namespace
{

std::string Bytes(CBinaryData const & data)
{
    return std::string(reinterpret_cast<char const *>(data.GetData()), data.GetLength());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(std::uint8_t const * data, std::size_t size)
{
    std::string const text(reinterpret_cast<char const *>(data), size);
    CBinaryData base64;
    base64.SetAsBase64(text.c_str());
    CBinaryData base64Again;
    base64Again.SetAsBase64(base64.GetAsBase64().c_str());
    NxFuzz::ExpectEqual("base64 encoded and decoded again", Bytes(base64), Bytes(base64Again));
    CBinaryData converted;
    if (NxFuzz::Accepts(
            [&] { converted = CConversions::base64BinaryFromString(text, CWhitespaceUtils::WhitespaceRule_Collapse); }))
        NxFuzz::ExpectEqual("base64 converted back", Bytes(converted),
                            Bytes(CConversions::base64BinaryFromString(CConversions::base64BinaryToString(converted),
                                                                       CWhitespaceUtils::WhitespaceRule_Collapse)));
    CBinaryData hex;
    if (NxFuzz::Accepts([&] { hex.SetAsHexString(text.c_str()); }))
    {
        CBinaryData hexAgain;
        hexAgain.SetAsHexString(hex.GetAsHexString().c_str());
        NxFuzz::ExpectEqual("hex encoded and decoded again", Bytes(hex), Bytes(hexAgain));
    }
    if (NxFuzz::Accepts(
            [&] { converted = CConversions::hexBinaryFromString(text, CWhitespaceUtils::WhitespaceRule_Collapse); }))
        NxFuzz::ExpectEqual("hex converted back", Bytes(converted),
                            Bytes(CConversions::hexBinaryFromString(CConversions::hexBinaryToString(converted),
                                                                    CWhitespaceUtils::WhitespaceRule_Collapse)));
    return 0;
}
