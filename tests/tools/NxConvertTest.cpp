// nxconvert run as a user runs it: arguments, standard streams, files, exit status and messages.
#include "TestSupport.h"
#include "fastinfoset/FastInfosetCanonical.h"

#include "XmlDocument.h"


#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <fstream>
#include <string>
#include <vector>

namespace
{

using NxXmlTest::Compress;
using NxXmlTest::Inflate;
using NxXmlTest::ReadFileBytes;
using NxXmlTest::TempPath;
using NxXmlTest::WriteFile;

// What one run of the program left behind.
struct CRun
{
    int status;
    std::string out;
    std::string err;
};

bool Exists(std::string const & path) { return std::ifstream(path).good(); }

// Runs nxconvert with the arguments (each quoted), standard input from a file when given.
CRun RunConvert(std::vector<std::string> const & arguments, std::string const & input = std::string())
{
    std::string command = "'" + std::string(NXCONVERT_PATH) + "'";
    for (std::string const & argument : arguments)
        command += " '" + argument + "'";
    std::string const out = TempPath("nxconvert.out");
    std::string const err = TempPath("nxconvert.err");
    command += " >'" + out + "' 2>'" + err + "'";
    if (!input.empty())
        command += " <'" + input + "'";
    int const raw = std::system(command.c_str());
    return CRun{WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, ReadFileBytes(out), ReadFileBytes(err)};
}

std::string const Order = "<?xml version=\"1.0\"?>\n"
                          "<o:order xmlns:o=\"urn:o\" id=\"7\">\n"
                          "  <o:item>fish &amp; chips</o:item>\n"
                          "  <o:item>tea</o:item>\n"
                          "  <note xml:lang=\"en\">x</note>\n"
                          "</o:order>\n";
// The text beside child elements follows them: every form can carry it there.
std::string const OrderXml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                             "<o:order xmlns:o=\"urn:o\" id=\"7\"><o:item>fish &amp; chips</o:item>"
                             "<o:item>tea</o:item><note xml:lang=\"en\">x</note>\n  \n  \n  \n</o:order>";

std::string OrderFile()
{
    std::string const path = TempPath("order.xml");
    WriteFile(path, Order);
    return path;
}

} // namespace

TEST(NxConvert, HelpVersionAndUsageErrors)
{
    CRun run = RunConvert({"--help"});
    EXPECT_EQ(0, run.status);
    EXPECT_EQ(0u, run.out.find("usage: nxconvert [options] INPUT [-o OUTPUT]"));
    run = RunConvert({"--version"});
    EXPECT_EQ(0, run.status);
    EXPECT_EQ("nxconvert 16.1.0\n", run.out);

    struct CCase
    {
        std::vector<std::string> arguments;
        std::string message;
    } const cases[] = {
        {{}, "nxconvert: no input given\n"},
        {{"--bogus", "a.xml"}, "nxconvert: unknown option --bogus\n"},
        {{"a.xml", "b.xml"}, "nxconvert: more than one input: a.xml and b.xml\n"},
        {{"--to", "yaml", "a.xml"}, "nxconvert: unknown format 'yaml' (xml, fi or json)\n"},
        {{"--json-mode", "3", "a.xml"}, "nxconvert: --json-mode takes a number from 0 to 2, not '3'\n"},
        {{"--fi-decl", "10", "a.xml"}, "nxconvert: --fi-decl takes a number from 0 to 9, not '10'\n"},
        {{"--gzip", "--zlib", "a.xml"}, "nxconvert: --gzip and --zlib exclude each other\n"},
        {{"--indent", "x", "a.xml"}, "nxconvert: --indent takes spaces and tabs only\n"},
        {{"--encoding", "latin-1", "a.xml"}, "nxconvert: unknown encoding 'latin-1' (utf-8 or utf-16)\n"},
        {{"--to", "fi", "--encoding", "utf-16", "a.xml"}, "nxconvert: --encoding applies to XML and JSON output only\n"},
        {{"a.xml", "-o"}, "nxconvert: -o needs a value\n"},
    };
    for (CCase const & c : cases)
    {
        run = RunConvert(c.arguments);
        EXPECT_EQ(2, run.status) << c.message;
        EXPECT_EQ(0u, run.err.find(c.message)) << run.err;
        EXPECT_NE(std::string::npos, run.err.find("usage: nxconvert")) << c.message;
    }
}

TEST(NxConvert, XmlThroughStandardStreamsKeepsEverythingUnlessIndented)
{
    CRun run = RunConvert({"-", "--to", "xml"}, OrderFile());
    EXPECT_EQ(0, run.status) << run.err;
    EXPECT_EQ(OrderXml, run.out);
    EXPECT_EQ("", run.err);
    run = RunConvert({OrderFile(), "--indent", "  "}); // indentation replaces the document's layout
    EXPECT_EQ(0, run.status) << run.err;
    EXPECT_EQ("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
              "<o:order xmlns:o=\"urn:o\" id=\"7\">\n"
              "  <o:item>fish &amp; chips</o:item>\n"
              "  <o:item>tea</o:item>\n"
              "  <note xml:lang=\"en\">x</note>\n"
              "</o:order>\n",
              run.out);
}

TEST(NxConvert, EveryFormRoundTripsThroughFilesNamedByExtension)
{
    std::string const fi = TempPath("order.fi");
    std::string const json = TempPath("order.json.gz");
    std::string const back = TempPath("order-back.xml");
    ASSERT_EQ(0, RunConvert({OrderFile(), "-o", fi}).status);
    EXPECT_EQ(std::string("\xE0\x00\x00\x01", 4), ReadFileBytes(fi).substr(0, 4));
    CRun run = RunConvert({fi, "-o", json}); // detected as Fast Infoset, written as gzip-compressed JSON
    ASSERT_EQ(0, run.status) << run.err;
    std::string const text = Inflate(ReadFileBytes(json));
    EXPECT_EQ('{', text.at(0)) << text;
    run = RunConvert({json, "-o", back}); // detected as compressed JSON
    ASSERT_EQ(0, run.status) << run.err;
    EXPECT_EQ(OrderXml, ReadFileBytes(back));
}

TEST(NxConvert, InputFormsAreDetected)
{
    std::string const plain = OrderFile();
    std::string const gzip = TempPath("order.xml.gz");
    std::string const zlib = TempPath("order.xml.z");
    WriteFile(gzip, Compress(Order, 31));
    WriteFile(zlib, Compress(Order, 15));
    std::string const fiWithDeclaration = TempPath("order-decl.finf");
    ASSERT_EQ(0, RunConvert({plain, "--to", "fi", "--fi-decl", "4", "-o", fiWithDeclaration}).status);
    EXPECT_EQ(0u, ReadFileBytes(fiWithDeclaration).find("<?xml version='1.0' encoding='finf'?>"));
    std::string const json = TempPath("order-bom.json");
    ASSERT_EQ(0, RunConvert({plain, "--to", "json", "-o", json}).status);
    WriteFile(json, "\xEF\xBB\xBF" + ReadFileBytes(json));
    for (std::string const & input : {plain, gzip, zlib, fiWithDeclaration, json})
    {
        CRun const run = RunConvert({input, "--stats"});
        EXPECT_EQ(0, run.status) << input << ": " << run.err;
        EXPECT_EQ(OrderXml, run.out) << input;
        EXPECT_NE(std::string::npos, run.err.find("input:  " + input)) << run.err;
        EXPECT_NE(std::string::npos, run.err.find("output: -")) << run.err;
    }
    CRun const forced = RunConvert({json, "--from", "xml"}); // JSON read as XML text fails as XML
    EXPECT_EQ(1, forced.status);
    EXPECT_EQ("nxconvert: not well-formed (invalid token) at line 1\n", forced.err);
}

TEST(NxConvert, OutputOptions)
{
    std::string const plain = OrderFile();
    CRun run = RunConvert({plain, "--gzip"});
    EXPECT_EQ(0, run.status);
    EXPECT_EQ(std::string("\x1F\x8B", 2), run.out.substr(0, 2));
    EXPECT_EQ(OrderXml, Inflate(run.out));
    run = RunConvert({plain, "--zlib", "--to", "json"});
    EXPECT_EQ(0, run.status);
    EXPECT_EQ(0x78, static_cast<unsigned char>(run.out.at(0)));
    EXPECT_EQ('{', Inflate(run.out).at(0));
    run = RunConvert({plain, "--encoding", "utf-16"});
    EXPECT_EQ(0, run.status);
    EXPECT_EQ(std::string("\xFF\xFE<\0?\0x\0m\0l\0", 12), run.out.substr(0, 12));
    run = RunConvert({plain, "--to", "json", "--json-mode", "0", "--compact"});
    EXPECT_EQ(0, run.status);
    EXPECT_EQ(std::string::npos, run.out.find("xmlns")) << run.out; // mode 0 keeps no namespaces
}

TEST(NxConvert, DocumentErrorsLeaveNoFile)
{
    std::string const bad = TempPath("bad.xml");
    WriteFile(bad, "<a><b></a>");
    std::string const target = TempPath("never.fi");
    std::remove(target.c_str());
    CRun run = RunConvert({bad, "-o", target});
    EXPECT_EQ(1, run.status);
    EXPECT_EQ("nxconvert: mismatched tag at line 1\n", run.err);
    EXPECT_FALSE(Exists(target));
    std::string const empty = TempPath("empty.xml");
    WriteFile(empty, "");
    run = RunConvert({empty});
    EXPECT_EQ(1, run.status);
    EXPECT_EQ("nxconvert: The input [" + empty + "] is empty\n", run.err);
}

TEST(NxConvert, CorpusDocumentsKeepTheirTreeThroughEveryForm)
{
    // XML text to Fast Infoset to JSON (full round-trip mode) and back to XML text: the tree of
    // the last is the tree of the first, whitespace and namespaces included.
    std::string const corpus = NXXML_FI_CORPUS_DIR;
    DIR * const directory = opendir(corpus.c_str());
    if (directory == nullptr)
        GTEST_SKIP() << "the Fast Infoset corpus is not beside this checkout";
    std::vector<std::string> sources;
    while (dirent const * const entry = readdir(directory))
    {
        std::string const name = entry->d_name;
        if (name.size() > 4 && name.compare(name.size() - 4, 4, ".xml") == 0 && name.find(".expected") == std::string::npos)
            sources.push_back(name);
    }
    closedir(directory);
    ASSERT_FALSE(sources.empty());
    std::string const fi = TempPath("corpus.fi"), json = TempPath("corpus.json"), back = TempPath("corpus-back.xml");
    for (std::string const & name : sources)
    {
        std::string const source = corpus + "/" + name;
        ASSERT_EQ(0, RunConvert({source, "-o", fi}).status) << name;
        CRun const run = RunConvert({fi, "-o", json, "--json-mode", "2"});
        ASSERT_EQ(0, run.status) << name << ": " << run.err;
        ASSERT_EQ(0, RunConvert({json, "-o", back}).status) << name;
        NxXmlLib16::CXmlDocument original;
        original.Load(source.c_str());
        NxXmlLib16::CXmlDocument converted;
        converted.Load(back.c_str());
        EXPECT_EQ(NxXmlTest::CanonicalForm(*original.GetDocumentElement()),
                  NxXmlTest::CanonicalForm(*converted.GetDocumentElement()))
            << name;
    }
}
