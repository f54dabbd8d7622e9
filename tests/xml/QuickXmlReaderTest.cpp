// The quick reader: the common form of XML text is read without Expat into the very tree Expat
// builds; everything else, and every error, is left to Expat.
#include "TestSupport.h"
#include "xml/QuickReaderDifferential.h"

#include <fstream>
#include <sstream>

using NxXmlTest::QuickReaderDisagreement;
using NxXmlTest::ReadWithExpat;

namespace
{

// A document of the common form with every construct the quick reader takes.
std::string const Rich =
    "\xEF\xBB\xBF<?xml version='1.0' encoding=\"utf-8\" standalone=\"yes\" ?>\r\n"
    "<!-- before -->\n"
    "<po:order xmlns:po=\"urn:po\" xmlns=\"urn:d\" id=\"7\" xml:lang='en'>\r\n"
    "  <!-- inside -->\n"
    "  <item sku=\"A&amp;B &lt;&gt; &quot;&apos;\" note=\"tab\tlf\ncrlf\r\ncr\rx&#13;&#9;y&#10;z\">"
    "t&#233;xt &#x1F600; \xC3\xA9\xE2\x98\x85 ]] > ' \" a&#13;b\rc</item>\n"
    "  <po:empty/><second a='1'></second >\n"
    "  <inner xmlns=\"\"><leaf/></inner>\n"
    "  <p:x xmlns:p=\"urn:p\" p:a=\"1\" a=\"2\"><p:y xmlns:p=\"urn:q\" p:a=\"3\"/></p:x>\n"
    "  <po:order/><_a.b-c1 x-y.z_=\"\"/>\n"
    "</po:order>\n"
    "<!-- after -->\n";

// Reads the text both ways: the quick reader either gives up or builds Expat's tree.
bool ReadsLikeExpat(std::string const & text)
{
    bool quick = false;
    std::string const disagreement = QuickReaderDisagreement(text, quick);
    EXPECT_EQ("", disagreement) << text;
    return quick;
}

} // namespace

TEST(QuickXmlReader, ReadsTheCommonFormIntoExpatsTree)
{
    EXPECT_TRUE(ReadsLikeExpat(Rich));
    EXPECT_TRUE(ReadsLikeExpat("<a/>"));
    EXPECT_TRUE(ReadsLikeExpat("<?xml version=\"1.0\"?><a>x</a>"));
    // A thousand levels, each with its own default namespace.
    std::string deep;
    for (int i = 0; i < 1000; ++i)
        deep += "<e xmlns=\"urn:" + std::to_string(i % 3) + "\">";
    for (int i = 0; i < 1000; ++i)
        deep += "</e>";
    EXPECT_TRUE(ReadsLikeExpat(deep));
}

TEST(QuickXmlReader, OrdersOfTheTestDataAreReadQuickly)
{
    for (char const * name : {"order-seed1.xml", "order-seed2.xml", "order-seed3.xml", "order-seed12.xml"})
    {
        std::ifstream file(std::string(NXXML_TEST_DATA_DIR) + "/po/" + name, std::ios::binary);
        std::stringstream text;
        text << file.rdbuf();
        EXPECT_TRUE(ReadsLikeExpat(text.str())) << name;
    }
}

TEST(QuickXmlReader, LeavesOtherFormsToExpat)
{
    std::string manyAttributes = "<a";
    for (int i = 0; i < 65; ++i)
        manyAttributes += " a" + std::to_string(i) + "=\"\"";
    manyAttributes += "/>";
    char const * const texts[] = {
        "<!DOCTYPE a><a/>",
        "<?pi x?><a/>",
        "<a><?pi x?></a>",
        "<a><![CDATA[x]]></a>",
        "<\xC3\xA9/>",
        "<a \xC3\xA9=\"1\"/>",
        "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><a/>",
        "<?xml version=\"1.1\"?><a/>",
        "<a><xml:b/></a>",
        "\xFF\xFE<\0a\0/\0>\0",
    };
    for (char const * text : texts)
    {
        std::string const bytes(text, text == texts[9] ? 10 : std::char_traits<char>::length(text));
        EXPECT_TRUE(ReadWithExpat(bytes).read) << text;
        EXPECT_FALSE(ReadsLikeExpat(bytes)) << text;
    }
    EXPECT_TRUE(ReadWithExpat(manyAttributes).read);
    EXPECT_FALSE(ReadsLikeExpat(manyAttributes));
}

TEST(QuickXmlReader, GivesUpOnEveryErrorForExpatToReport)
{
    char const * const texts[] = {
        "",
        "   ",
        "<a",
        "<a></b>",
        "<a></a ",
        "<p:a/>",
        "<a p:x=\"1\"/>",
        "<a x=\"1\" x=\"2\"/>",
        "<a xmlns:p=\"u\" xmlns:q=\"u\" p:x=\"1\" q:x=\"2\"/>",
        "<a xmlns:p=\"u\" xmlns:p=\"v\"/>",
        "<a>]]></a>",
        "<a x=\"<\"/>",
        "<a>\xC3</a>",
        "<a>\xED\xA0\x80</a>",
        "<a>\xEF\xBF\xBE</a>",
        "<a>\x01</a>",
        "<a x=\"\x01\"/>",
        "<a>&#0;</a>",
        "<a>&#xD800;</a>",
        "<a>&#x110000;</a>",
        "<a>&#;</a>",
        "<a>&#X41;</a>",
        "<a>&bogus;</a>",
        "<a>&amp</a>",
        "<!-- a -- b --><a/>",
        "<!-- a ---><a/>",
        "<a/><b/>",
        "<a/>x",
        "x<a/>",
        "<a x=\"1\"y=\"2\"/>",
        "<a x=1/>",
        "<a xmlns:p=\"\"/>",
        "<a xmlns:xml=\"urn:x\"/>",
        "<a xmlns:xmlns=\"urn:x\"/>",
        "<a xmlns:p=\"http://www.w3.org/XML/1998/namespace\"/>",
        "<a xmlns=\"http://www.w3.org/2000/xmlns/\"/>",
        "<a:b:c xmlns:a=\"u\"/>",
        "<a: xmlns:a=\"u\"/>",
        "<:a/>",
        "<1a/>",
        " <?xml version=\"1.0\"?><a/>",
        "<?xml version=\"1.0\" encoding= ?><a/>",
        "<?xml version=\"1.0\" standalone=\"maybe\"?><a/>",
        "<?xml encoding=\"UTF-8\"?><a/>",
        "<a><!-- open",
        "<a>text",
    };
    for (char const * text : texts)
    {
        EXPECT_FALSE(ReadWithExpat(text).read) << text;
        EXPECT_FALSE(ReadsLikeExpat(text)) << text;
    }
}

TEST(QuickXmlReader, EveryTruncationAndDamagedByteGivesUpOrAgrees)
{
    // Each cut is a broken document, except where only layout or a comment is lost at the end.
    for (std::size_t length = 0; length < Rich.size(); ++length)
        ReadsLikeExpat(Rich.substr(0, length));
    for (std::size_t at = 0; at < Rich.size(); ++at)
    {
        for (char const replacement : {'<', '>', '&', ']', '"', ':', ' ', '\r', '\0', '\x80', 'x'})
        {
            std::string damaged = Rich;
            damaged[at] = replacement;
            ReadsLikeExpat(damaged);
        }
    }
}
