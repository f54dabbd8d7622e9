// nxpogen run as its users run it: documents valid against the schema, the same bytes for a
// seed, the requested number of items or size, and its usage errors.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <regex>
#include <set>
#include <string>
#include <vector>

namespace
{

struct CRun
{
    int status;
    std::string output; // standard output
};

// Runs the shell command and collects its standard output.
CRun RunCommand(std::string const & command)
{
    FILE * const pipe = popen(command.c_str(), "r");
    if (pipe == nullptr)
        return {-1, ""};
    CRun run{0, ""};
    char buffer[65536];
    for (std::size_t read; (read = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        run.output.append(buffer, read);
    int const status = pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

// Runs nxpogen with the arguments; its standard error goes to the test's log.
CRun RunGenerator(std::string const & arguments) { return RunCommand("'" NXXML_PO_GENERATOR "' " + arguments); }

// The document of a run that must succeed.
std::string Generated(std::string const & arguments)
{
    CRun const run = RunGenerator(arguments);
    EXPECT_EQ(0, run.status) << arguments;
    return run.output;
}

// The number of non-overlapping occurrences of the text in the document.
std::size_t Count(std::string const & document, std::string const & text)
{
    std::size_t count = 0;
    for (std::size_t at = document.find(text); at != std::string::npos; at = document.find(text, at + text.size()))
        ++count;
    return count;
}

} // namespace

TEST(PoGen, DocumentsAreValidAgainstTheSchema)
{
    if (std::system("command -v xmllint > /dev/null 2>&1") != 0)
        GTEST_SKIP() << "xmllint is not installed: the generated documents are not validated";
    std::string const path = testing::TempDir() + "pogen-valid.xml";
    std::string const arguments[] = {
        "--items 1 --seed 1",  "--items 25 --seed 2",   "--items 400 --seed 3", "--items 400 --seed -7",
        "--size-mb 0.3 --seed 4", "--size-mb 2 --seed 5", "--items 3 --seed 18446744073709551615",
    };
    std::set<std::string> runs(std::begin(arguments), std::end(arguments));
    for (int seed = 0; seed < 20; ++seed)
        runs.insert("--boundaries --items 12 --seed " + std::to_string(seed));
    for (std::string const & run : runs)
    {
        CRun const validation = RunCommand("'" NXXML_PO_GENERATOR "' " + run + " > '" + path + "' && xmllint --noout --schema '" +
                                    NXXML_PO_SCHEMA + "' '" + path + "' 2>&1");
        EXPECT_EQ(0, validation.status) << run << "\n" << validation.output;
        EXPECT_NE(std::string::npos, validation.output.find(" validates")) << run;
    }
}

TEST(PoGen, TheSameSeedGivesTheSameBytes)
{
    for (std::string const options : {"--items 300 --seed 42", "--size-mb 0.4 --seed 9", "--boundaries --items 20 --seed 3"})
    {
        std::string const first = Generated(options);
        EXPECT_GT(first.size(), 10000u) << options;
        EXPECT_EQ(first, Generated(options)) << options;
    }
    // The default seed is 1; negative seeds are taken modulo 2^64.
    EXPECT_EQ(Generated("--items 50 --seed 1"), Generated("--items 50"));
    EXPECT_EQ(Generated("--items 50 --seed -1"), Generated("--items 50 --seed 18446744073709551615"));
    EXPECT_NE(Generated("--items 50 --seed 2"), Generated("--items 50"));
}

TEST(PoGen, ItemsAreCountedExactly)
{
    for (int items : {1, 2, 17, 1000})
    {
        std::string const document = Generated("--items " + std::to_string(items) + " --seed " + std::to_string(items));
        EXPECT_EQ(static_cast<std::size_t>(items), Count(document, "<item sku=")) << items;
        EXPECT_EQ(0u, document.rfind("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<purchaseOrder xmlns=\"urn:example:po\" id=\"", 0));
        EXPECT_EQ(document.size() - 17, document.rfind("</purchaseOrder>\n"));
    }
}

TEST(PoGen, SizesAreMetWithinOneItemAndTheEndOfTheDocument)
{
    for (double const megabytes : {0.01, 0.25, 1.0, 3.5})
    {
        std::string const document = Generated("--size-mb " + std::to_string(megabytes) + " --seed 11");
        double const target = megabytes * 1e6;
        EXPECT_GE(static_cast<double>(document.size()), target - 400) << megabytes;
        EXPECT_LE(static_cast<double>(document.size()), target + 3000) << megabytes;
    }
    // A size too small for any item still gets the one item the schema requires.
    EXPECT_EQ(1u, Count(Generated("--size-mb 0.000001"), "<item sku="));
}

TEST(PoGen, BoundaryRunsReachEveryBoundOfTheSchema)
{
    std::vector<std::string> documents;
    std::vector<std::string> items;
    for (int seed = 0; seed < 20; ++seed)
    {
        documents.push_back(Generated("--boundaries --items 10 --seed " + std::to_string(seed)));
        std::string const & document = documents.back();
        for (std::size_t at = document.find("<item "); at != std::string::npos; at = document.find("<item ", at + 1))
            items.push_back(document.substr(at, document.find("</item>", at) - at));
    }
    // Each bound as a pattern some document matches; with '!', some document (or item) lacks it.
    struct CBound
    {
        char const * pattern;
        std::vector<std::string> const & texts;
    } const bounds[] = {
        {"id=\"-2147483648\"", documents}, {"id=\"2147483647\"", documents}, {"!orderDate=", documents},
        {"orderDate=\"0001-", documents}, {"orderDate=\"9999-", documents}, {"orderDate=\"\\d{4}-02-29", documents},
        {"!currency=", documents}, {"currency=\"EUR\"", documents}, {"currency=\"USD\"", documents},
        {"currency=\"GBP\"", documents}, {"<name/>", documents}, {"!<email>", documents},
        {"<email>[^<]{6}</email>", documents}, {"<postcode>[^<]{3}</postcode>", documents},
        {"<postcode>[^<]{10}</postcode>", documents}, {"<postcode>[^<]*[ -]</postcode>", documents},
        {"<country>[^<]{3,}</country>", documents}, {"<card>", documents}, {"<invoice>", documents},
        {"<cash", documents}, {"<number>0000 0000 0000 0000<", documents}, {"<number>9999 9999 9999 9999<", documents},
        {"<expiry>\\d{4}-01", documents}, {"<expiry>\\d{4}-12", documents}, {"!<notes", documents},
        {"<notes/>", documents}, {"<description/>", documents}, {"<description>[ -~]{200}</description>", items},
        {"<description>[^<]{601,}</description>", items}, {"sku=\"AAA-00000\"", items}, {"sku=\"ZZZ-99999\"", items},
        {"<quantity>1<", items}, {"<quantity>2147483647<", items}, {"<unitPrice>0.00<", items},
        {"<unitPrice>0.01<", items}, {"<shipDate>0001-", items}, {"<shipDate>9999-", items},
        {"<shipDate>\\d{4}-02-29", items}, {"<gift>true", items}, {"<gift>false", items}, {"!<gift>", items},
        {"!<tag", items}, {"(<tag>[^<]*</tag>\\s*){10}", items}, {"<tag/>", items},
    };
    for (CBound const & bound : bounds)
    {
        bool const absent = bound.pattern[0] == '!';
        std::regex const pattern(bound.pattern + (absent ? 1 : 0));
        bool reached = false;
        for (std::string const & text : bound.texts)
            reached = reached || std::regex_search(text, pattern) != absent;
        EXPECT_TRUE(reached) << "not reached: " << bound.pattern;
    }
}

TEST(PoGen, UsageErrorsEndWithStatus2)
{
    for (std::string const arguments :
         {"", "--items 0", "--items -3", "--items 5 --size-mb 1", "--size-mb 0", "--size-mb x", "--items 1x",
          "--items", "--seed 1", "--items 2 --seed abc", "--items 2 --seed 18446744073709551616", "--items 2 --bogus", "order.xml", "--boundaries=1 --items 2"})
    {
        CRun const run = RunGenerator(arguments + " 2>/dev/null");
        EXPECT_EQ(2, run.status) << arguments;
        EXPECT_EQ("", run.output) << arguments;
    }
    CRun const help = RunGenerator("--help");
    EXPECT_EQ(0, help.status);
    EXPECT_EQ(0u, help.output.rfind("usage: nxpogen (--items N | --size-mb M) [--seed S] [--boundaries]", 0));
    EXPECT_EQ(Generated("--items 4 --seed 8"), Generated("--items=4 --seed=8"));
}
