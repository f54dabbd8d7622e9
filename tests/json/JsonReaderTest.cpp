// The JSON text reader: the events it reports, every syntax error with its line, position and
// path, comments, escapes, the depth limit, and truncated input.
#include "JsonReaderHandler.h"
#include "JsonTextReader.h"
#include "TestSupport.h"

#include <string>
#include <vector>

using namespace NxXmlLib16;
using NxXmlTest::ExpectThrows;

namespace
{

// Writes each event as a short token, so that a whole parse reads as one line.
class CRecorder : public IJsonReaderHandler
{
public:
    explicit CRecorder(std::string & trace) : m_trace(trace) {}
    void StartDocument() override { Add("SD"); }
    bool EndDocument() override
    {
        Add("ED");
        return true;
    }
    void Name(std::string const & name) override { Add("N(" + name + ")"); }
    void StringValue(std::string const & value) override { Add("S(" + value + ")"); }
    void NumberValue(std::string const & text) override { Add("#(" + text + ")"); }
    void StartObject() override { Add("{"); }
    void EndObject() override { Add("}"); }
    void StartArray() override { Add("["); }
    void EndArray() override { Add("]"); }
    void BooleanValue(bool value) override { Add(value ? "T" : "F"); }
    void NullValue() override { Add("null"); }

private:
    void Add(std::string const & token)
    {
        if (!m_trace.empty())
            m_trace += ' ';
        m_trace += token;
    }
    std::string & m_trace;
};

// The events of a whole parse.
std::string Events(std::string const & json, bool allowComments = true, std::string const & rootName = "")
{
    std::string trace;
    CJsonTextReader reader(json);
    reader.SetAllowComments(allowComments);
    reader.SetRootElementName(rootName);
    reader.SetHandler(new CRecorder(trace));
    EXPECT_TRUE(reader.Parse());
    return trace;
}

// Parses and expects a syntax error with this message (which ends with the path).
void ExpectSyntaxError(std::string const & json, std::string const & message, bool allowComments = true)
{
    SCOPED_TRACE(json);
    CJsonTextReader reader(json);
    reader.SetAllowComments(allowComments);
    ExpectThrows<CNxValidationException>([&] { reader.Parse(); }, message);
}

// The start of the message of a character where a value must begin.
std::string const ExpectedValue = "Expected Value '{', '[', '\"', '0-9', '-', 'true', 'false' or 'null', found ";

struct CEventCase
{
    char const * json;
    std::string events;
};

} // namespace

TEST(JsonReaderTest, ReportsEachEventInDocumentOrder)
{
    CEventCase const cases[] = {
        {"", "SD ED"},
        {"{\"a\":1}", "SD { N(a) #(1) } ED"},
        {"{\"a\":\"x\",\"b\":true,\"c\":false,\"d\":null}", "SD { N(a) S(x) N(b) T N(c) F N(d) null } ED"},
        {"[1,-2.5,3e7,4E+2,5e-1,-0]", "SD [ #(1) #(-2.5) #(3e7) #(4E+2) #(5e-1) #(-0) ] ED"},
        {"{\"o\":{\"p\":[{},[]]}}", "SD { N(o) { N(p) [ { } [ ] ] } } ED"},
        {" \"top\" ", "SD S(top) ED"},
        {"007", "SD #(007) ED"},
        // Bytes after the first complete value are not examined.
        {"{\"a\":1} x", "SD { N(a) #(1) } ED"},
        {"[] ]]] {", "SD [ ] ED"},
        // Raw control characters inside strings are kept.
        {"\"a\tb\x01\"", "SD S(a\tb\x01) ED"},
    };
    for (CEventCase const & c : cases)
        EXPECT_EQ(c.events, Events(c.json)) << c.json;
}

TEST(JsonReaderTest, StringEscapesAndUnicode)
{
    CEventCase const cases[] = {
        {R"("\"\\\/\b\f\n\r\t")", "SD S(\"\\/\b\f\n\r\t) ED"},
        {R"("\u0041\u00e9\u20AC")", "SD S(A\xC3\xA9\xE2\x82\xAC) ED"},
        // A surrogate pair is one character; a lone surrogate is U+FFFD.
        {R"("\ud83d\ude00")", "SD S(\xF0\x9F\x98\x80) ED"},
        {R"("\ud83dx")", "SD S(\xEF\xBF\xBDx) ED"},
        {R"("\ude00\ud83d")", "SD S(\xEF\xBF\xBD\xEF\xBF\xBD) ED"},
        {R"("\ud83d\u0041")", "SD S(\xEF\xBF\xBD" "A) ED"},
        {"\"\xC3\xA9\"", "SD S(\xC3\xA9) ED"},
    };
    for (CEventCase const & c : cases)
        EXPECT_EQ(c.events, Events(c.json)) << c.json;
    ExpectSyntaxError(R"("\ud83d\uZZZZ")",
                      "Expected 4 hexadecimal digits'\\uxxxx', found 'Z' at line 1, position 10.\nPath: $");
}

TEST(JsonReaderTest, QuotesAndEscapesEndPlainRunsAtEveryOffset)
{
    // Plain bytes are passed over eight at a time; the first quote or backslash must be found
    // wherever it stands in its group, also after bytes beyond ASCII.
    for (std::size_t offset = 0; offset < 20; ++offset)
    {
        std::string const plain(offset, 'a');
        EXPECT_EQ("SD S(" + plain + "\"z\\) ED", Events("\"" + plain + "\\\"z\\\\\"")) << offset;
        EXPECT_EQ("SD S(\xC3\xA9" + plain + ") ED", Events("\"\xC3\xA9" + plain + "\"")) << offset;
        EXPECT_EQ("SD [ S(" + plain + ") S() ] ED", Events("[\"" + plain + "\",\"\"]")) << offset;
        ExpectSyntaxError("\"" + plain, "Unexpected End of File. Expected string value at line 1, position " +
                                            std::to_string(offset + 1) + ".\nPath: $");
    }
}

TEST(JsonReaderTest, CommentsAreSkippedOnlyWhenAllowed)
{
    EXPECT_EQ("SD { N(a) #(1) N(b) #(2) } ED",
              Events("// lead\n{\"a\" /* between name and colon */ : 1, // tail\n\"b\":2 /* end */}"));
    EXPECT_EQ("SD ED", Events("/* only a comment */ // and another"));
    EXPECT_EQ("SD ED", Events("/* unterminated comment [1,2]"));
    EXPECT_EQ("SD [ #(1) ] ED", Events("[1/**/]"));
    ExpectSyntaxError("{\"a\" /* c */ :1}",
                      "Expected Object Name/Value separator character ':', found '/' at line 1, position 6.\nPath: $.a",
                      false);
    ExpectSyntaxError("/", ExpectedValue + "'/' at line 1, position 1.\nPath: $");
    ExpectSyntaxError("[1 / 2]", "Expected Array separator character ',', found '/' at line 1, position 4.\nPath: $[1]");
}

TEST(JsonReaderTest, RootElementNameWrapsTheDocument)
{
    EXPECT_EQ("SD { N(root) [ #(1) ] } ED", Events("[1]", true, "root"));
    EXPECT_EQ("SD { N(root) } ED", Events("", true, "root"));
}

TEST(JsonReaderTest, EverySyntaxErrorIsLocated)
{
    CEventCase const cases[] = {
        {"x", ExpectedValue + "'x' at line 1, position 1.\nPath: $"},
        {"{", "Unexpected End of File. Expected Object terminator character '}}' at line 1, position 1.\nPath: $"},
        {"{1", "Expected quotation mark character '\"' before Name, found '1' at line 1, position 2.\nPath: $"},
        {"{\"a\"", "Unexpected End of File. Expected Object Name/Value separator character ':' at line 1, position 4."
                   "\nPath: $.a"},
        {"{\"a\" 1", "Expected Object Name/Value separator character ':', found '1' at line 1, position 6.\nPath: $.a"},
        {"{\"a\":", "Unexpected End of File. Expected Object Value at line 1, position 5.\nPath: $.a"},
        {"{\"a\":1", "Unexpected End of File. Expected Object terminator character '}' at line 1, position 6."
                     "\nPath: $.a"},
        {"{\"a\":1;", "Expected Object separator character ',', found ';' at line 1, position 7.\nPath: $.a"},
        {"{\"a\":1,}", "Expected quotation mark character '\"' before Name, found '}' at line 1, position 8."
                       "\nPath: $.a"},
        {"[", "Unexpected End of File. Expected Array terminator character ']' at line 1, position 1.\nPath: $[0]"},
        {"[1,", "Unexpected End of File. Expected Array terminator character ']' at line 1, position 3.\nPath: $[1]"},
        {"[1 2", "Expected Array separator character ',', found '2' at line 1, position 4.\nPath: $[1]"},
        {"[1,]", ExpectedValue + "']' at line 1, position 4.\nPath: $[1]"},
        {"\"abc", "Unexpected End of File. Expected string value at line 1, position 4.\nPath: $"},
        {"\"\\u12", "Unexpected End of File. Expected 4 hexadecimal digits'\\uxxxx' at line 1, position 5.\nPath: $"},
        {"\"\\x\"", "Invalid Escape Character 'x' at line 1, position 3.\nPath: $"},
        {"-", "Unexpected End of File. Expected a number at line 1, position 1.\nPath: $"},
        {"-x", "Expected a digit '0' to '9', found 'x' at line 1, position 2.\nPath: $"},
        {"1.", "Unexpected End of File. Expected a digit '0' to '9' at line 1, position 2.\nPath: $"},
        {"1e", "Unexpected End of File. Expected '+', '-' or a number at line 1, position 2.\nPath: $"},
        {"1ex", "Expected a digit '0' to '9', found 'x' at line 1, position 3.\nPath: $"},
        {"tru", "Unexpected End of File. Expected value 'true' at line 1, position 3.\nPath: $"},
        {"trux", "Expected 'true' at line 1, position 4.\nPath: $"},
        {"fals", "Unexpected End of File. Expected value 'false' at line 1, position 4.\nPath: $"},
        {"falze", "Expected 'false' at line 1, position 4.\nPath: $"},
        {"nul", "Unexpected End of File. Expected value 'NULL' at line 1, position 3.\nPath: $"},
        {"nill", "Expected 'NULL' at line 1, position 2.\nPath: $"},
    };
    for (CEventCase const & c : cases)
        ExpectSyntaxError(c.json, c.events);
}

TEST(JsonReaderTest, LinesAndPositionsFollowLineFeedsInsideAndOutsideStrings)
{
    ExpectSyntaxError("{\n  \"a\": \"x\ny\",\n  \"b\" ?",
                      "Expected Object Name/Value separator character ':', found '?' at line 4, position 7.\nPath: $.b");
    ExpectSyntaxError("// note\n[\r\n1,\n x]", ExpectedValue + "'x' at line 4, position 2.\nPath: $[1]");
    // Runs of eight spaces are passed over at once; tabs and single spaces one by one.
    ExpectSyntaxError("[\n        1,\n            x]", ExpectedValue + "'x' at line 3, position 13.\nPath: $[1]");
    ExpectSyntaxError("[\n\t        \t 1 x]",
                      "Expected Array separator character ',', found 'x' at line 2, position 14.\nPath: $[1]");
    // A surrogate pair's second escape is read ahead and counted all the same.
    ExpectSyntaxError("[\"\\ud83d\\ude00\" x]",
                      "Expected Array separator character ',', found 'x' at line 1, position 17.\nPath: $[1]");
}

TEST(JsonReaderTest, ErrorPathNamesMembersAndArrayItems)
{
    ExpectSyntaxError("{\"order\":{\"items\":[{\"sku\":1},{\"sku\":2,\"qty\":?}]}}",
                      ExpectedValue + "'?' at line 1, position 45.\nPath: $.order.items[1].qty");
    ExpectSyntaxError("[[1,2],[3,[4,x]]]", ExpectedValue + "'x' at line 1, position 14.\nPath: $[1][1][1]");
    // A closed object leaves the path; the next member replaces the last name.
    ExpectSyntaxError("{\"a\":{\"b\":1},\"c\":[true,false,nul]}",
                      "Expected 'NULL' at line 1, position 33.\nPath: $.c[2]");
}

TEST(JsonReaderTest, HundredLevelsAreReadAndTheHundredAndFirstFails)
{
    std::string expected = "SD";
    std::string objects;
    std::string path = "$";
    for (int i = 0; i < 100; ++i)
    {
        expected.insert(2, " [");
        expected += " ]";
        objects += i < 99 ? "{\"a\":" : "{}" + std::string(99, '}');
        path += "[0]";
    }
    EXPECT_EQ(expected + " ED", Events(std::string(100, '[') + std::string(100, ']')));
    EXPECT_NO_THROW(Events(objects));
    ExpectSyntaxError(std::string(101, '[') + std::string(101, ']'),
                      "JSON exceeded depth limit at line 1, position 101.\nPath: " + path);
    // A simple value counts as a level too.
    ExpectSyntaxError(std::string(100, '[') + "1" + std::string(100, ']'),
                      "JSON exceeded depth limit at line 1, position 101.\nPath: " + path);
    // Deep input far beyond the limit fails the same way, without exhausting the stack.
    std::string const brackets(1000000, '[');
    CJsonTextReader deep(brackets);
    EXPECT_THROW(deep.Parse(), CNxValidationException);
}

TEST(JsonReaderTest, EveryTruncationOfADocumentFailsCleanly)
{
    std::string const documents[] = {
        R"({"order":{"@id":"7","note":"a\"b\\c\u00e9\ud83d\ude00","lines":[{"n":1.5e-3},{"n":-2}],"ok":true,"no":false,"x":null}})",
        "{ // comment\n \"a\" : [ 1 , /* c */ 2 ] }",
        R"([[],{},"",0,-0.0E+0,[true,[false,[null]]]])",
    };
    for (std::string const & document : documents)
    {
        EXPECT_NO_THROW(Events(document)) << document;
        for (std::size_t length = 1; length < document.size(); ++length)
        {
            std::string const prefix = document.substr(0, length);
            CJsonTextReader reader(prefix);
            EXPECT_THROW(reader.Parse(), CNxValidationException) << prefix;
        }
    }
}
