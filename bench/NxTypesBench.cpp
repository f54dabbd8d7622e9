// Measures the value types on their hot paths: text to value and back, values per second.
//
//   NxTypesBench [--seconds N]
#include <NxXmlLib16.h>

#define PCRE2_CODE_UNIT_WIDTH 8
#include <pcre2.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>

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
