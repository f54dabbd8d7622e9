// nxpogen: writes a purchase order of the example schema to standard output.
#include "OrderGenerator.h"

#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <stdexcept>
#include <string>

namespace
{

char const * const Usage =
    "usage: nxpogen (--items N | --size-mb M) [--seed S] [--boundaries] > order.xml\n"
    "  --items N      exactly N <item> elements (at least 1)\n"
    "  --size-mb M    items until the document is about M megabytes (10^6 bytes) long\n"
    "  --seed S       seed of the generator's own pseudo-random numbers (default 1); the same\n"
    "                 seed and options give the same bytes on every platform\n"
    "  --boundaries   every item takes values at the bounds of the schema's facets and types,\n"
    "                 cycling through them; the seed picks those of the other parts (seeds 0 to\n"
    "                 19 reach all of them)\n";

// Prints the problem and the usage on standard error and ends with status 2.
[[noreturn]] void UsageError(std::string const & problem)
{
    std::fprintf(stderr, "nxpogen: %s\n%s", problem.c_str(), Usage);
    std::exit(2);
}

// The whole text as a signed 64-bit integer, or a usage error naming the option.
long long ParseInteger(char const * option, char const * text)
{
    char * end = nullptr;
    errno = 0;
    long long const value = std::strtoll(text, &end, 10);
    if (*text == '\0' || *end != '\0' || errno != 0)
        UsageError(std::string(option) + " needs an integer, not '" + text + "'");
    return value;
}

// The whole text as a seed: any integer from -2^63 to 2^64 - 1, negative ones taken modulo 2^64.
std::uint64_t ParseSeed(char const * text)
{
    if (*text == '-')
        return static_cast<std::uint64_t>(ParseInteger("--seed", text));
    char * end = nullptr;
    errno = 0;
    unsigned long long const value = std::strtoull(text, &end, 10);
    if (*text == '\0' || *text == '+' || *end != '\0' || errno != 0)
        UsageError(std::string("--seed needs an integer, not '") + text + "'");
    return value;
}

// The whole text as a finite number, or a usage error naming the option.
double ParseNumber(char const * option, char const * text)
{
    char * end = nullptr;
    double const value = std::strtod(text, &end);
    if (*text == '\0' || *end != '\0' || !std::isfinite(value))
        UsageError(std::string(option) + " needs a number, not '" + text + "'");
    return value;
}

} // namespace

int main(int argc, char ** argv)
{
    NxPoGen::COrderOptions options;
    bool haveItems = false;
    bool haveSize = false;
    for (int i = 1; i < argc; ++i)
    {
        std::string argument = argv[i];
        std::string inlineValue;
        bool hasInlineValue = false;
        std::size_t const equals = argument.find('=');
        if (argument.compare(0, 2, "--") == 0 && equals != std::string::npos)
        {
            inlineValue = argument.substr(equals + 1);
            argument.resize(equals);
            hasInlineValue = true;
        }
        // The value of the option: after '=' or the next argument.
        auto const value = [&]() -> char const * {
            if (hasInlineValue)
                return inlineValue.c_str();
            if (i + 1 >= argc)
                UsageError(argument + " needs a value");
            return argv[++i];
        };
        if (argument == "--help" || argument == "-h")
        {
            std::fputs(Usage, stdout);
            return 0;
        }
        if (argument == "--items")
        {
            long long const items = ParseInteger("--items", value());
            if (items < 1)
                UsageError("--items must be at least 1 (the schema requires an item)");
            options.items = static_cast<std::uint64_t>(items);
            haveItems = true;
        }
        else if (argument == "--size-mb")
        {
            double const megabytes = ParseNumber("--size-mb", value());
            if (megabytes <= 0 || megabytes > 1e6)
                UsageError("--size-mb must be positive and at most 1000000");
            options.sizeBytes = static_cast<std::uint64_t>(megabytes * 1e6);
            haveSize = true;
        }
        else if (argument == "--seed")
            options.seed = ParseSeed(value());
        else if (argument == "--boundaries" && !hasInlineValue)
            options.boundaries = true;
        else
            UsageError("unknown argument '" + std::string(argv[i]) + "'");
    }
    if (haveItems == haveSize)
        UsageError("give either --items or --size-mb");
    if (haveSize && options.sizeBytes == 0)
        options.sizeBytes = 1;
    try
    {
        NxPoGen::WriteOrder(options, stdout);
    }
    catch (std::exception const & e)
    {
        std::fprintf(stderr, "nxpogen: %s: %s\n", e.what(), std::strerror(errno));
        return 1;
    }
    return 0;
}
