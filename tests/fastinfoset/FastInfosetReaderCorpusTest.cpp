// Documents written by another Fast Infoset implementation read to their expected canonical forms;
// its truncated documents are rejected.
#include "FastInfosetReaderSupport.h"
#include "TestSupport.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <sstream>

using namespace NxXmlLib16;

namespace
{

std::string const Corpus = NXXML_FI_CORPUS_DIR;

struct CManifestLine
{
    std::string finf;
    std::string expected;
    std::string note;
};

std::vector<CManifestLine> ReadManifest(std::string const & path)
{
    std::vector<CManifestLine> lines;
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line))
    {
        std::vector<std::string> fields;
        std::istringstream split(line);
        for (std::string field; std::getline(split, field, '\t');)
            fields.push_back(field);
        if (fields.size() == 5 && fields[0] != "finf")
            lines.push_back(CManifestLine{fields[0], fields[3], fields[4]});
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
    std::vector<CManifestLine> const lines = ReadManifest(Corpus + "/MANIFEST.tsv");
    if (lines.empty())
        GTEST_SKIP() << "the Fast Infoset corpus is not beside this checkout";
    for (CManifestLine const & line : lines)
    {
        CXmlDocument document;
        document.Load((Corpus + "/" + line.finf).c_str());
        std::string const canonical = NxXmlTest::CanonicalForm(*document.GetDocumentElement());
        std::string const expected = NxXmlTest::ReadFileBytes(Corpus + "/" + line.expected);
        if (line.note == "java-lexical-forms")
            EXPECT_EQ(Lower(expected), Lower(canonical)) << line.finf; // hex digits may differ in case
        else
            EXPECT_EQ(expected, canonical) << line.finf;
    }
}

TEST(FastInfosetCorpus, TruncatedDocumentsAreRejected)
{
    std::size_t checked = 0;
    std::ifstream manifest(Corpus + "/bad/MANIFEST.tsv");
    std::string line;
    while (std::getline(manifest, line))
    {
        std::string const name = line.substr(0, line.find('\t'));
        if (name == "finf" || name.empty())
            continue;
        CXmlDocument document;
        NxXmlTest::ExpectThrows<CNxException>([&] { document.Load((Corpus + "/bad/" + name).c_str()); },
                                              "Failed to parse FastInfoset. Unexpected End of File.");
        ++checked;
    }
    if (checked == 0)
        GTEST_SKIP() << "the Fast Infoset corpus is not beside this checkout";
}

TEST(FastInfosetCorpus, TruncationAtEveryOctetOfForeignDocuments)
{
    for (char const * name : {"05_xsi_type_nil.default.finf", "14_comments_pis.utf16.finf", "22_typed.typed.finf"})
    {
        std::string const bytes = NxXmlTest::ReadFileBytes(Corpus + "/" + name);
        if (bytes.empty())
            GTEST_SKIP() << "the Fast Infoset corpus is not beside this checkout";
        for (std::size_t cut = 4; cut < bytes.size(); ++cut)
            ASSERT_EQ("Failed to parse FastInfoset. Unexpected End of File.", NxXmlTest::FailureOf(bytes.substr(0, cut)))
                << name << " cut at " << cut;
    }
}

} // namespace
