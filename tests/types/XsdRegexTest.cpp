#include "TestSupport.h"

#include "CharEncoding.h"
#include "PrimitiveRestrictions.h"

#include <nlohmann/json.hpp>

#include <fstream>

using namespace NxXmlLib16;
using NxXmlTest::ExpectThrows;

namespace
{

// The message of a pattern outside the language.
std::string PatternMessage(std::string const & pattern, std::string const & reason)
{
    return "Invalid Regular Expression: ^(" + pattern + ")$ Error: '" + reason + "'";
}

// MatchPattern for a pattern that must compile: a refusal fails the test with its message.
bool Matches(std::string const & pattern, std::string const & value)
{
    try
    {
        return CFacetValidator::MatchPattern(pattern, value);
    }
    catch (CNxException const & e)
    {
        ADD_FAILURE() << e.GetMessage();
        return false;
    }
}

} // namespace

// Every rule of the regular-expression grammar, each block and category, from the case file:
// values that must match, values that must not, and patterns that are refused with their reason.
TEST(XsdRegex, CaseFile)
{
    std::ifstream in(NXXML_TEST_DATA_DIR "/regex/xsd-regex-cases.json");
    ASSERT_TRUE(in.good());
    nlohmann::json const records = nlohmann::json::parse(in);
    std::size_t cases = 0;
    for (nlohmann::json const & record : records)
    {
        std::string const rule = record.at("rule").get<std::string>();
        std::string const pattern = record.at("pattern").get<std::string>();
        if (record.contains("error"))
        {
            SCOPED_TRACE(rule + ": " + pattern);
            ExpectThrows<CNxException>([&] { CFacetValidator::MatchPattern(pattern, "x"); },
                                       PatternMessage(pattern, record.at("error").get<std::string>()));
            ++cases;
            continue;
        }
        for (nlohmann::json const & value : record.at("match"))
        {
            EXPECT_TRUE(Matches(pattern, value.get<std::string>()))
                << rule << ": " << pattern << " should match \"" << value.get<std::string>() << "\"";
            ++cases;
        }
        for (nlohmann::json const & value : record.at("reject"))
        {
            EXPECT_FALSE(Matches(pattern, value.get<std::string>()))
                << rule << ": " << pattern << " should not match \"" << value.get<std::string>() << "\"";
            ++cases;
        }
    }
    RecordProperty("cases", static_cast<int>(cases));
    EXPECT_GE(cases, 3000u); // the whole file was read
}

TEST(XsdRegex, AMatchStoppedByTheBacktrackingLimitIsNoAnswer)
{
    // The value matches, but trying it takes more backtracking than the matcher allows.
    ExpectThrows<CNxException>([] { CFacetValidator::MatchPattern("(\\w?){100}\\w{100}", std::string(100, 'a')); },
                               "Failed to match the value against the pattern: the match needs more backtracking than "
                               "allowed (error -47).");
}

TEST(XsdRegex, PatternsThatAreNotUtf8AreRefused)
{
    for (char const * pattern : {"a\xC3", "\xC3\x28", "\xC0\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80", "[\xFF]"})
        ExpectThrows<CNxException>([&] { CFacetValidator::MatchPattern(pattern, "a"); },
                                   PatternMessage(pattern, "invalid UTF-8 in the pattern"));
}

TEST(XsdRegex, ValuesThatAreNotUtf8DoNotMatch)
{
    EXPECT_FALSE(CFacetValidator::MatchPattern(".", "\xC3"));
    EXPECT_FALSE(CFacetValidator::MatchPattern("\\C", "\xFF"));
    EXPECT_FALSE(CFacetValidator::MatchPattern("[^a]", "\xED\xA0\x80")); // an encoded surrogate
}

// Deep backtracking over a long value needs more than PCRE2's default JIT stack of 32 KiB.
TEST(XsdRegex, LongValuesMatch)
{
    std::string value(200000, 'a');
    EXPECT_TRUE(CFacetValidator::MatchPattern("(a|b)*", value));
    EXPECT_TRUE(CFacetValidator::MatchPattern("([a-z]+ ?)*", value));
    value += 'c';
    EXPECT_FALSE(CFacetValidator::MatchPattern("(a|b)*", value));
}

TEST(XsdRegex, LocalCodePageTextIsReadAsCharacters)
{
    SetLocalCharEncoding(1252);
    bool const latin = CFacetValidator::MatchPattern("\\p{IsLatin-1Supplement}\\i", "\xE9\xE8");   // é and è
    bool const euro = CFacetValidator::MatchPattern("\\p{Sc}\\P{IsBasicLatin}", "\x80\xE9");        // € in 1252
    bool const narrow = CFacetValidator::MatchPattern("[\xE0-\xEF]{2}", "\xE9\xF0");               // ð is beyond
    SetLocalCharEncoding(65001);
    EXPECT_TRUE(latin);
    EXPECT_TRUE(euro);
    EXPECT_FALSE(narrow);
}

TEST(XsdRegex, NestingIsBounded)
{
    auto const groups = [](int depth) { return std::string(depth, '(') + "a" + std::string(depth, ')'); };
    EXPECT_TRUE(CFacetValidator::MatchPattern(groups(200), "a"));
    ExpectThrows<CNxException>([&] { CFacetValidator::MatchPattern(groups(201), "a"); },
                               PatternMessage(groups(201), "parentheses are too deeply nested"));
    std::string const hostile(100000, '(');
    ExpectThrows<CNxException>([&] { CFacetValidator::MatchPattern(hostile, "a"); },
                               PatternMessage(hostile, "parentheses are too deeply nested"));
    // Each subtraction takes two levels: [b-z-[c-z-[d-z-...]]] alternately keeps and removes a letter.
    auto const subtractions = [](int depth) {
        std::string pattern;
        for (int i = 0; i < depth; ++i)
            pattern += std::string("[") + static_cast<char>('a' + i % 20) + "-z-";
        return pattern + "[z]" + std::string(depth, ']');
    };
    EXPECT_TRUE(CFacetValidator::MatchPattern(subtractions(100), "a"));
    EXPECT_FALSE(CFacetValidator::MatchPattern(subtractions(100), "b"));
    ExpectThrows<CNxException>([&] { CFacetValidator::MatchPattern(subtractions(101), "a"); },
                               PatternMessage(subtractions(101), "parentheses are too deeply nested"));
}
