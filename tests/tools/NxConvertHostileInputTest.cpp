// nxconvert fed text that fuzzing found it to mangle: what it writes must read back the same.
#include "TestSupport.h"

#include "XmlDocument.h"

#include <cstdlib>
#include <string>

using NxXmlTest::ReadFileBytes;
using NxXmlTest::TempPath;
using NxXmlTest::WriteFile;

namespace
{

// Converts the XML text to XML text with nxconvert and returns the output.
std::string ConvertedToXml(std::string const & xml)
{
    std::string const input = TempPath("hostile.xml");
    std::string const output = TempPath("hostile.out.xml");
    WriteFile(input, xml);
    std::string const command = "'" + std::string(NXCONVERT_PATH) + "' --to xml '" + input + "' -o '" + output + "'";
    EXPECT_EQ(0, std::system(command.c_str())) << xml;
    return ReadFileBytes(output);
}

} // namespace

// Text that starts like a CDATA section is text: converted to XML text it stays escaped, so the
// output loads (an unterminated one) and keeps the characters (a complete one).
TEST(NxConvertHostileInput, TextLikeCDataStaysText)
{
    struct CCase
    {
        char const * escaped;
        std::string text;
    };
    for (CCase const & c :
         {CCase{"&lt;![CDATA[x", "<![CDATA[x"}, CCase{"&lt;![CDATA[]]&gt;&lt;b/>", "<![CDATA[]]><b/>"}})
    {
        std::string const output = ConvertedToXml(std::string("<a><c/>") + c.escaped + "</a>");
        NxXmlLib16::CXmlDocument document;
        document.LoadXml(output.c_str());
        EXPECT_EQ(c.text, std::string(document.GetDocumentElement()->GetText())) << output;
        EXPECT_EQ(nullptr, document.GetDocumentElement()->GetFirstElement()->GetNextSiblingElement());
    }
}

// A default namespace declared below the root is not declared on the root when elements in no
// namespace surround it: they stay in no namespace.
TEST(NxConvertHostileInput, DefaultNamespaceBelowTheRootStaysThere)
{
    std::string const output = ConvertedToXml("<r><c xmlns=\"urn:x\"><d/></c><e/></r>");
    EXPECT_EQ("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<r xmlns:ns1=\"urn:x\"><ns1:c><ns1:d/></ns1:c><e/></r>",
              output);
}
