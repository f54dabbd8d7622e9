// Measures the value types on their hot paths: text to value and back, values per second.
//
//   NxTypesBench [--seconds N]
#include <NxXmlLib16.h>

#include "types/XsdRegex.h"

#define PCRE2_CODE_UNIT_WIDTH 8
#include <pcre2.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

using namespace NxXmlLib16;

namespace
{

// Runs the action in batches for about the given time and returns the calls per second.
double PerSecond(double seconds, std::function<std::size_t()> const & batch)
{
    auto const start = std::chrono::steady_clock::now();
    std::size_t calls = 0;
    double elapsed = 0;
    do
    {
        calls += batch();
        elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    } while (elapsed < seconds);
    return static_cast<double>(calls) / elapsed;
}

// A collection whose writing the benchmark may call.
struct COpenI4Col : Ci4Col
{
    using Ci4Col::Ci4Col;
    using Ci4Col::ToXml_Int;
};

void Report(char const * what, double rate, double target)
{
    std::printf("%-44s %12.0f /s   %-14s %s\n", what, rate,
                target > 0 ? FormatString(">= %.0f", target).c_str() : "", target <= 0 || rate >= target ? "met" : "MISSED");
}

// The real-world patterns the translator is measured on, one a line.
std::vector<std::string> ReadPatterns(char const * path)
{
    std::ifstream in(path);
    std::vector<std::string> patterns;
    for (std::string line; std::getline(in, line);)
        patterns.push_back(line);
    return patterns;
}

// Translation of XML Schema patterns, their one-time compilation, and matching through the facets.
void PatternBenchmarks(double seconds, std::size_t & sink)
{
    std::vector<std::string> const patterns = ReadPatterns(NXXML_XSD_PATTERNS);
    std::size_t refused = 0;
    std::string expression;
    std::string reason;
    for (std::string const & pattern : patterns)
        refused += CXsdRegex::Translate(pattern, expression, reason) ? 0 : 1;
    std::printf("\n%-44s %12s\n", FormatString("%zu patterns (%zu refused) translated", patterns.size(), refused).c_str(),
                "us/pattern");
    double const translations = PerSecond(seconds, [&] {
        for (std::string const & pattern : patterns)
            sink += CXsdRegex::Translate(pattern, expression, reason) ? expression.size() : reason.size();
        return patterns.size();
    });
    std::printf("%-44s %12.2f\n", "CXsdRegex::Translate", 1e6 / translations);
    double const compilations = PerSecond(seconds, [&] {
        for (std::string const & pattern : patterns)
        {
            if (!CXsdRegex::Translate(pattern, expression, reason))
                continue;
            int errorCode = 0;
            PCRE2_SIZE errorOffset = 0;
            pcre2_code * const code = pcre2_compile(reinterpret_cast<PCRE2_SPTR>(expression.c_str()), expression.size(),
                                                    PCRE2_UTF | PCRE2_UCP | PCRE2_ANCHORED, &errorCode, &errorOffset,
                                                    nullptr);
            pcre2_jit_compile(code, PCRE2_JIT_COMPLETE);
            pcre2_code_free(code);
        }
        return patterns.size();
    });
    std::printf("%-44s %12.2f\n", "translated, compiled and JIT-compiled", 1e6 / compilations);

    std::printf("\n%-44s %12s\n", "CPrimitiveRestrictions::MatchesPattern", "ns/match");
    std::pair<char const *, char const *> const cases[] = {
        {"\\i\\c*", "purchaseOrderLine"},
        {"[\\i-[:]][\\c-[:]]*", "shipTo.address-2"},
        {"\\p{IsBasicLatin}*", "Plain ASCII text of forty characters...."},
        {"[\\p{L}\\p{M}\\p{N} '\\-]+", "Jos\xC3\xA9 O'Neil-Garc\xC3\xAD" "a 3"},
        {"[a-z-[aeiou]]+", "bcdfghjklmnp"},
        {"[^@\\s]+@[^@\\s]+\\.[A-Za-z]{2,}", "alice.smith@example.com"},
        {"\\d{4}-\\d{2}-\\d{2}T\\d{2}:\\d{2}:\\d{2}(\\.\\d+)?(Z|[+\\-]\\d{2}:\\d{2})?", "2024-05-06T10:20:30.5+01:00"},
        {"[A-Z]{2,2}[0-9]{2,2}[a-zA-Z0-9]{1,30}", "DE89370400440532013000"},
    };
    for (auto const & entry : cases)
    {
        CPrimitiveRestrictions const facets(entry.first, -1, -1, nullptr, nullptr, nullptr, nullptr, -1, -1, -1);
        std::string const value = entry.second;
        if (!facets.MatchesPattern(value))
            std::printf("%s does not match %s\n", entry.first, value.c_str());
        double const rate = PerSecond(seconds / 4, [&] {
            for (int i = 0; i < 1000; ++i)
                sink += facets.MatchesPattern(value) ? 1 : 0;
            return std::size_t(1000);
        });
        std::printf("%-44.44s %12.1f\n", FormatString("%s (%zu bytes)", entry.first, value.size()).c_str(), 1e9 / rate);
    }
}

} // namespace

int main(int argc, char ** argv)
{
    Register(16, 1, "NxTypesBench");
    double seconds = 1.0;
    for (int i = 1; i + 1 < argc; i += 2)
    {
        if (std::strcmp(argv[i], "--seconds") == 0)
            seconds = std::atof(argv[i + 1]);
    }
    std::size_t sink = 0;
    auto const roundTrips = [&](auto make, char const * text) {
        return [&sink, make, text] {
            for (int i = 0; i < 1000; ++i)
                sink += make(text).ToString().size();
            return std::size_t(1000);
        };
    };
    auto const decimal = [](char const * text) { return CDecimal(text); };
    auto const integer = [](char const * text) { return CBigInteger(text); };

    std::printf("%-44s %12s      %-14s\n", "parse and print round trips", "rate", "target");
    Report("CDecimal \"1234.56\"", PerSecond(seconds, roundTrips(decimal, "1234.56")), 2e6);
    Report("CDecimal \"-0.000125\"", PerSecond(seconds, roundTrips(decimal, "-0.000125")), 0);
    Report("CDecimal \"12345678901234567890.123456789\"",
           PerSecond(seconds, roundTrips(decimal, "12345678901234567890.123456789")), 0);
    Report("CBigInteger \"-42\"", PerSecond(seconds, roundTrips(integer, "-42")), 0);
    Report("CBigInteger \"12345678901234567890\"", PerSecond(seconds, roundTrips(integer, "12345678901234567890")), 0);

    // One conversion each way per call, as the readers and writers make them.
    auto const conversion = [&](auto parse, auto print, char const * text) {
        std::string const input = text;
        return [&sink, parse, print, input] {
            for (int i = 0; i < 1000; ++i)
                sink += print(parse(input)).size();
            return std::size_t(1000);
        };
    };
    using C = CConversions;
    WhitespaceRule const collapse = CWhitespaceUtils::WhitespaceRule_Collapse;
    std::printf("\n%-44s %12s      %-14s\n", "CConversions text -> value -> text", "rate", "");
    Report("i4 \"-1234567\"",
           PerSecond(seconds, conversion([&](std::string const & t) { return C::i4FromString(t, collapse); },
                                         [](std::int32_t v) { return C::i4ToString(v); }, "-1234567")),
           0);
    Report("r8 \"1234.5678\"",
           PerSecond(seconds, conversion([&](std::string const & t) { return C::r8FromString(t, collapse); },
                                         [](double v) { return C::r8ToString(v); }, "1234.5678")),
           0);
    Report("decimal \"1234.56\"",
           PerSecond(seconds, conversion([&](std::string const & t) { return C::decimalFromString(t, collapse); },
                                         [](CDecimal const & v) { return C::decimalToString(v); }, "1234.56")),
           0);
    Report("dateTime \"2024-05-06T10:20:30.5+01:00\"",
           PerSecond(seconds, conversion([&](std::string const & t) { return C::datetimeFromString(t, collapse); },
                                         [](CDateTime const & v) { return C::dateToString(v); },
                                         "2024-05-06T10:20:30.5+01:00")),
           0);

    // Pattern facets: a validation against a cached pattern next to the bare match it runs.
    std::printf("\n%-44s %12s      %-14s\n", "pattern facet \"[A-Z]{3}-\\d{5}\" on \"MNT-99913\"", "time", "target");
    int const rounds = 100000;
    std::string const value = "MNT-99913";
    char const * const expression = "^([A-Z]{3}-\\d{5})$";
    int errorCode = 0;
    PCRE2_SIZE errorOffset = 0;
    pcre2_code * const code = pcre2_compile(reinterpret_cast<PCRE2_SPTR>(expression), PCRE2_ZERO_TERMINATED, PCRE2_UTF,
                                            &errorCode, &errorOffset, nullptr);
    pcre2_match_data * const data = pcre2_match_data_create_from_pattern(code, nullptr);
    auto const timeOf = [](auto action) {
        auto const start = std::chrono::steady_clock::now();
        action();
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    };
    double const bare = timeOf([&] {
        for (int i = 0; i < rounds; ++i)
            sink += static_cast<std::size_t>(pcre2_match(code, reinterpret_cast<PCRE2_SPTR>(value.data()), value.size(), 0,
                                                         PCRE2_ANCHORED, data, nullptr));
    });
    CPrimitiveRestrictions const facets("[A-Z]{3}-\\d{5}", -1, -1, nullptr, nullptr, nullptr, nullptr, -1, -1, -1);
    NxVariant variant;
    variant.SetString(value);
    CFacetValidator::ValidateValue("sku", variant, ItemType_string, facets); // compiles once
    double const validated = timeOf([&] {
        for (int i = 0; i < rounds; ++i)
            CFacetValidator::ValidateValue("sku", variant, ItemType_string, facets);
    });
    pcre2_match_data_free(data);
    pcre2_code_free(code);
    std::printf("%-44s %10.1f ms\n", "100,000 bare pcre2_match calls", bare * 1e3);
    std::printf("%-44s %10.1f ms   %-14s %s\n", "100,000 ValidateValue calls", validated * 1e3, "<= 3 x bare",
                validated <= 3 * bare ? "met" : "MISSED");

    PatternBenchmarks(seconds, sink);

    // A typed collection written through the text writer: time per item stays flat.
    std::printf("\n%-44s %12s\n", "Ci4Col written through CXmlTextWriter", "ns per item");
    for (int count : {100000, 1000000})
    {
        CSmartPtr<COpenI4Col> numbers(new COpenI4Col("v", "urn:t", 0, -1, nullptr, -1, -1, nullptr, nullptr, nullptr,
                                                     nullptr, -1, -1, -1, CWhitespaceUtils::WhitespaceRule_Collapse,
                                                     nullptr));
        for (int i = 0; i < count; ++i)
            numbers->Add(i);
        CTextStream stream(XmlEncoding_UTF8);
        CXmlTextWriter writer(&stream);
        double const seconds = timeOf([&] {
            writer.WriteStartDocument();
            writer.SetIndentation(false);
            writer.WriteStartElement("list", "urn:t");
            numbers->ToXml_Int(&writer, false, "urn:t", CSerializationContext::GetDefaultContext(), false);
            writer.WriteEndElement();
            writer.WriteEndDocument();
        });
        sink += stream.GetLength();
        std::printf("%-44s %12.1f\n", FormatString("%d items", count).c_str(), seconds * 1e9 / count);
    }
    return sink == 42 ? 1 : 0;
}
