#include "TestSupport.h"

#include "BinaryStream.h"
#include "TextStream.h"

#include <cerrno>

using namespace NxXmlLib16;
using NxXmlTest::Bytes;
using NxXmlTest::ExpectThrows;
using NxXmlTest::Utf16;
using NxXmlTest::ReadFileBytes;
using NxXmlTest::TempPath;

namespace
{

// Writes text through a file stream in pieces, flushing whenever 4096 bytes are buffered, as
// the writers do.
void WriteInPieces(CFileTextStream & stream, std::string const & text, std::size_t piece)
{
    stream.Begin();
    for (std::size_t at = 0; at < text.size(); at += piece)
    {
        stream.Append(text.substr(at, piece));
        if (stream.GetLength() >= 4096)
            stream.Flush();
    }
    stream.End();
}

} // namespace

TEST(StringBuffer, KeepsEveryAppendInOrder)
{
    CStringBuffer buffer;
    std::string expected;
    for (int i = 0; i < 3000; ++i) // past 4 MiB in all, where the buffer asks for huge pages
    {
        std::string const piece = std::to_string(i) + (i % 7 == 0 ? std::string(15000, 'x') : "");
        buffer.Append(piece.data(), piece.size());
        buffer.Append(',');
        expected += piece + ',';
    }
    EXPECT_EQ(expected.size(), buffer.GetLength());
    EXPECT_EQ(expected, buffer.GetString());
    buffer.Append("tail", 4);
    EXPECT_EQ(expected + "tail", buffer.GetString());
    EXPECT_EQ(expected + "tail", buffer.Detach());
    EXPECT_EQ(0u, buffer.GetLength());
    EXPECT_EQ("", buffer.GetString());
    buffer.Append("again", 5);
    buffer.Clear();
    EXPECT_EQ("", buffer.GetString());
}

TEST(TextStream, BytesInTheStreamsEncoding)
{
    CTextStream utf8(XmlEncoding_UTF8);
    utf8.Begin();
    utf8.Append("<a>\xC3\xBC</a>");
    CBinaryData bytes;
    utf8.GetBytes(bytes);
    EXPECT_EQ("<a>\xC3\xBC</a>", Bytes(bytes));

    for (XmlEncoding const encoding : {XmlEncoding_UTF16, XmlEncoding_UTF16_NoDecl})
    {
        CTextStream utf16(encoding);
        utf16.Append("<a/>");
        utf16.GetBytes(bytes);
        EXPECT_EQ(Utf16("<a/>"), Bytes(bytes)); // no byte-order mark in memory
    }

    utf8.Begin(); // starts afresh
    utf8.Append(std::string("new"));
    utf8.Append('!');
    EXPECT_EQ(4u, utf8.GetLength());
    EXPECT_EQ("new!", utf8.DetachString());
    EXPECT_EQ(0u, utf8.GetLength());

    CTextStream unknown;
    unknown.Append("x");
    ExpectThrows<CNxException>([&] { unknown.GetBytes(bytes); },
                               "Unknown Encoding, select UTF-8 (contact our support team)");
}

TEST(FileTextStream, OnlyUtf16FilesStartWithAByteOrderMark)
{
    std::string ascii;
    for (int i = 0; i < 5000; ++i)
        ascii += "<item n=\"" + std::to_string(i) + "\">@</item>\n";
    std::string utf8 = ascii; // pieces of 37 bytes cut the euro signs apart
    for (std::size_t at = utf8.find('@'); at != std::string::npos; at = utf8.find('@', at))
        utf8.replace(at, 1, "\xE2\x82\xAC");
    std::string const path = TempPath("pieces.xml");
    for (XmlEncoding const encoding : {XmlEncoding_UTF8, XmlEncoding_UTF16, XmlEncoding_UTF16_NoDecl})
    {
        CFileTextStream stream(path.c_str(), encoding);
        WriteInPieces(stream, encoding == XmlEncoding_UTF8 ? utf8 : ascii, 37);
        EXPECT_EQ(encoding == XmlEncoding_UTF8 ? utf8 : "\xFF\xFE" + Utf16(ascii), ReadFileBytes(path));
    }
}

TEST(FileTextStream, CharactersSplitBetweenFlushesStayWhole)
{
    // Each flush cuts the euro sign apart; the UTF-16 file must still hold it whole.
    std::string const path = TempPath("split.xml");
    CFileTextStream stream(path.c_str(), XmlEncoding_UTF16);
    stream.Begin();
    std::string expected = "\xFF\xFE";
    for (int i = 0; i < 100; ++i)
    {
        stream.Append(std::string(4095, 'a') + "\xE2");
        stream.Flush();
        stream.Append("\x82\xAC");
        expected += Utf16(std::string(4095, 'a')) + "\xAC\x20";
    }
    stream.End();
    EXPECT_EQ(expected, ReadFileBytes(path));
}

TEST(FileTextStream, Latin1TextIsWrittenAsUtf8UnlessAsciiOnly)
{
    std::string const path = TempPath("latin1.xml");
    SetLocalCharEncoding(1252);
    for (bool const asciiOnly : {false, true})
    {
        ASCIIOnly(asciiOnly);
        CFileTextStream stream(path.c_str(), XmlEncoding_UTF8);
        stream.Begin();
        stream.Append("caf\xE9");
        stream.End();
        EXPECT_EQ(asciiOnly ? "caf\xE9" : "caf\xC3\xA9", ReadFileBytes(path));
    }
    ASCIIOnly(false);
    SetLocalCharEncoding(3);
}

TEST(FileTextStream, FailuresOfTheFileAndOfTheEncoding)
{
    std::string const path = TempPath("no/such/folder/out.xml");
    CFileTextStream noFolder(path.c_str(), XmlEncoding_UTF8);
    ExpectThrows<CNxException>([&] { noFolder.Begin(); },
                               FormatString("Failed to write data to the file [%s] error [0x%08X]", path.c_str(), ENOENT));
    CFileTextStream unknown(TempPath("unknown-encoding.xml").c_str(), static_cast<XmlEncoding>(7));
    ExpectThrows<CNxException>([&] { unknown.Begin(); }, "Unknown Encoding, select UTF-8 (contact our support team)");
    CFileTextStream full("/dev/full", XmlEncoding_UTF8);
    full.Begin();
    full.Append(std::string(5000, 'x'));
    ExpectThrows<CNxException>([&] { full.Flush(); },
                               FormatString("Failed to write data to the file. Error [0x%08X]", ENOSPC));
}

TEST(BinaryStream, CollectsBytes)
{
    CBinaryStream stream;
    stream.Append(static_cast<unsigned char>(0xE0));
    stream.Append(CBinaryData("ab"));
    unsigned char const tail[] = {0, 1};
    stream.Append(tail, 2);
    EXPECT_EQ(std::string("\xE0" "ab\0\1", 5), Bytes(stream.GetData()));
}

TEST(FileBinaryStream, SavesWithTheByteOrderMarkRule)
{
    std::string const path = TempPath("binary.bin");
    CFileBinaryStream plain(path.c_str(), XmlEncoding_UTF8, CBinaryData("\xE0\x00"));
    plain.Append(static_cast<unsigned char>('!'));
    plain.SaveToFile();
    EXPECT_EQ("\xE0!", ReadFileBytes(path));

    CFileBinaryStream utf16(path.c_str(), XmlEncoding_UTF16, CBinaryData("x"));
    utf16.SaveToFile();
    EXPECT_EQ("\xFF\xFEx", ReadFileBytes(path));

    std::string const bad = TempPath("missing/binary.bin");
    CFileBinaryStream failing(bad.c_str(), XmlEncoding_UTF8, CBinaryData("x"));
    ExpectThrows<CNxException>([&] { failing.SaveToFile(); },
                               FormatString("Failed to write data to the file [%s] error [0x%08X]", bad.c_str(), ENOENT));
}
