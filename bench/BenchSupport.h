// What the benchmark programs share: documents made by the purchase-order generator, timing,
// and the bare Expat parse that every throughput is compared with.
#pragma once

#include <expat.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <string>

namespace NxXmlBench
{

// The whole file, read into a buffer of exactly its size.
inline std::string ReadFile(std::string const & path)
{
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    if (!in)
    {
        std::fprintf(stderr, "cannot read %s\n", path.c_str());
        std::exit(2);
    }
    std::string bytes(static_cast<std::size_t>(in.tellg()), '\0');
    in.seekg(0);
    in.read(&bytes[0], static_cast<std::streamsize>(bytes.size()));
    return bytes;
}

// The path of a purchase order of about sizeMb megabytes made by the generator (nxpogen, or a
// script run with python3 when its name ends in .py), made once and kept.
inline std::string Generate(std::string const & generator, int sizeMb)
{
    std::string const name = generator.substr(generator.find_last_of('/') + 1);
    std::string const path = "/tmp/nxxml-bench-" + name + "-" + std::to_string(sizeMb) + ".xml";
    std::ifstream existing(path, std::ios::binary | std::ios::ate);
    if (existing && existing.tellg() > std::streamoff(sizeMb) * 990000)
        return path;
    bool const script = name.size() > 3 && name.compare(name.size() - 3, 3, ".py") == 0;
    std::string const command = std::string(script ? "python3 '" : "'") + generator + "' --size-mb " +
                                std::to_string(sizeMb) + " > '" + path + "'";
    std::fprintf(stderr, "generating %d MB ...\n", sizeMb);
    if (std::system(command.c_str()) != 0)
    {
        std::fprintf(stderr, "the generator failed: %s\n", command.c_str());
        std::exit(2);
    }
    return path;
}

// The time of one run, in seconds.
inline double TimeOnce(std::function<void()> const & action)
{
    auto const start = std::chrono::steady_clock::now();
    action();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// The best time of a few runs, in seconds.
inline double BestOf(int runs, std::function<void()> const & action)
{
    double best = 1e30;
    for (int i = 0; i < runs; ++i)
        best = std::min(best, TimeOnce(action));
    return best;
}

inline void XMLCALL NoStart(void *, XML_Char const *, XML_Char const **) {}
inline void XMLCALL NoEnd(void *, XML_Char const *) {}
inline void XMLCALL NoText(void *, XML_Char const *, int) {}

// The floor: Expat with namespace processing and handlers that do nothing.
inline void BareExpatParse(std::string const & xml)
{
    XML_Parser parser = XML_ParserCreateNS(nullptr, '|');
    XML_SetElementHandler(parser, &NoStart, &NoEnd);
    XML_SetCharacterDataHandler(parser, &NoText);
    if (XML_Parse(parser, xml.data(), static_cast<int>(xml.size()), XML_TRUE) != XML_STATUS_OK)
    {
        std::fprintf(stderr, "bare parse failed\n");
        std::exit(2);
    }
    XML_ParserFree(parser);
}

} // namespace NxXmlBench
