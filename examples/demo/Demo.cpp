// A tour of what the library offers today: shared binary data with its text forms, and text
// written to a file in UTF-16.
#include <NxXmlLib16.h>

#include <cstdio>
#include <string>

using namespace NxXmlLib16;

int main(int argc, char ** argv)
{
    char const * const fileName = argc > 1 ? argv[1] : "demo-utf16.txt";
    try
    {
        CBinaryData data("Purchase order 4711: 3 x \xE2\x80\x9C" "Widget\xE2\x80\x9D");
        CBinaryData copy = data; // shares the bytes until one of them changes
        copy.Append(" (copy)");

        std::string const base64 = data.GetAsBase64();
        std::string const hex = data.GetAsHexString();
        std::printf("bytes:   %u\nbase64:  %s\nhex:     %s\n", data.GetLength(), base64.c_str(), hex.c_str());

        CBinaryData decoded;
        decoded.SetAsBase64(base64.c_str());
        CBinaryData fromHex;
        fromHex.SetAsHexString(hex.c_str());
        std::printf("round trips: base64 %s, hex %s; the copy has %u bytes\n", decoded == data ? "ok" : "FAILED",
                    fromHex == data ? "ok" : "FAILED", copy.GetLength());

        CFileTextStream stream(fileName, XmlEncoding_UTF16);
        stream.Begin();
        stream.Append(std::string(reinterpret_cast<char const *>(data.GetData()), data.GetLength()));
        stream.Append('\n');
        stream.End();
        std::printf("wrote %s in UTF-16 with a byte-order mark\n", fileName);
    }
    catch (CNxException const & e)
    {
        std::fprintf(stderr, "error: %s\n", e.GetFullMessage().c_str());
        return 1;
    }

    try
    {
        CBinaryData bad;
        bad.SetAsHexString("0G");
    }
    catch (CNxException const & e)
    {
        std::printf("bad hex is refused: %s\n", e.GetMessage().c_str());
    }
    return 0;
}
