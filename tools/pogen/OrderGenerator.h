// WriteOrder: purchase-order documents of the example schema, for tests and benchmarks.
#pragma once

#include <cstdint>
#include <cstdio>

namespace NxPoGen
{

// What to generate: exactly `items` items when it is not 0, else items until the document is
// about `sizeBytes` long.
struct COrderOptions
{
    std::uint64_t items = 0;
    std::uint64_t sizeBytes = 0;
    std::uint64_t seed = 1;
    // Every item, and each part of the document chosen by the seed, takes values at the bounds
    // of the schema's facets and types.
    bool boundaries = false;
};

// Writes one document, valid against examples/po/po.xsd, to the output and returns the number
// of items; throws std::runtime_error when the output cannot be written.
std::uint64_t WriteOrder(COrderOptions const & options, std::FILE * output);

} // namespace NxPoGen
