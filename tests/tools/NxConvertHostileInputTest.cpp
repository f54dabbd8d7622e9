// nxconvert fed text that fuzzing found it to mangle: what it writes must read back the same.
#include "TestSupport.h"

#include "XmlDocument.h"

#include <cstdlib>
#include <string>

using NxXmlTest::ReadFileBytes;
using NxXmlTest::TempPath;
using NxXmlTest::WriteFile;

// Text that starts like a CDATA section is text: converted to XML text it stays escaped, so the
// output loads (an unterminated one) and keeps the characters (a complete one).
TEST(NxConvertHostileInput, TextLikeCDataStaysText)
{
    std::string const input = TempPath("cdata-like.xml");
    std::string const output = TempPath("cdata-like.out.xml");
    struct CCase
    {
        char const * escaped;
        std::string text;
    };
    for (CCase const & c : {CCase{"&lt;![CDATA[x", "<![CDATA[x"}, CCase{"&lt;![CDATA[]]&gt;&lt;b/>", "<![CDATA[]]><b/>"}})
    {
        std::string const & text = c.text;
        WriteFile(input, std::string("<a><c/>") + c.escaped + "</a>");
        std::string const command =
            "'" + std::string(NXCONVERT_PATH) + "' --to xml '" + input + "' -o '" + output + "'";
        ASSERT_EQ(0, std::system(command.c_str())) << text;
        NxXmlLib16::CXmlDocument document;
        document.LoadXml(ReadFileBytes(output).c_str());
        EXPECT_EQ(text, std::string(document.GetDocumentElement()->GetText())) << ReadFileBytes(output);
        EXPECT_EQ(nullptr, document.GetDocumentElement()->GetFirstElement()->GetNextSiblingElement());
    }
}
