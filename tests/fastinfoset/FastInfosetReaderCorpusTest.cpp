// Documents written by another Fast Infoset implementation read to their expected canonical forms;
// its truncated documents are rejected. Skipped when the corpus is not beside this checkout.
#include "FastInfosetTestSupport.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <sstream>

using namespace NxXmlLib16;

namespace
{

std::string const Corpus = NXXML_FI_CORPUS_DIR;
std::string const EndOfFile = "Failed to parse FastInfoset. Unexpected End of File.";

// The TAB-separated fields of each line of a manifest, without its heading line.
std::vector<std::vector<std::string>> ReadManifest(std::string const & path)
{
    std::vector<std::vector<std::string>> lines;
    std::ifstream in(path);
    for (std::string line; std::getline(in, line);)
    {
        std::vector<std::string> fields;
        std::istringstream split(line);
        for (std::string field; std::getline(split, field, '\t');)
            fields.push_back(field);
        if (!fields.empty() && !fields[0].empty() && fields[0] != "finf")
            lines.push_back(fields);
    }
    return lines;
}

std::string Lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

TEST(FastInfosetCorpus, EveryDocumentReadsToItsCanonicalForm)
{
    std::vector<std::vector<std::string>> const lines = ReadManifest(Corpus + "/MANIFEST.tsv");
    if (lines.empty())
        GTEST_SKIP() << "the Fast Infoset corpus is not beside this checkout";
    for (std::vector<std::string> const & line : lines)
    {
        if (line.size() != 5)
            continue;
        CXmlDocument document;
        document.Load((Corpus + "/" + line[0]).c_str());
        std::string const canonical = NxXmlTest::CanonicalForm(*document.GetDocumentElement());
        std::string const expected = NxXmlTest::ReadFileBytes(Corpus + "/" + line[3]);
        if (line[4] == "java-lexical-forms")
            EXPECT_EQ(Lower(expected), Lower(canonical)) << line[0]; // hex digits may differ in case
        else
            EXPECT_EQ(expected, canonical) << line[0];
    }
}

TEST(FastInfosetCorpus, TruncatedDocumentsAreRejected)
{
    std::vector<std::vector<std::string>> const lines = ReadManifest(Corpus + "/bad/MANIFEST.tsv");
    if (lines.empty())
        GTEST_SKIP() << "the Fast Infoset corpus is not beside this checkout";
    for (std::vector<std::string> const & line : lines)
    {
        CXmlDocument document;
        NxXmlTest::ExpectThrows<CNxException>([&] { document.Load((Corpus + "/bad/" + line[0]).c_str()); }, EndOfFile);
    }
    for (char const * name : {"05_xsi_type_nil.default.finf", "14_comments_pis.utf16.finf", "22_typed.typed.finf"})
    {
        std::string const bytes = NxXmlTest::ReadFileBytes(Corpus + "/" + name);
        ASSERT_FALSE(bytes.empty()) << name;
        for (std::size_t cut = 4; cut < bytes.size(); ++cut)
            ASSERT_EQ(EndOfFile, NxXmlTest::FailureOf(bytes.substr(0, cut))) << name << " cut at " << cut;
    }
}

} // namespace
