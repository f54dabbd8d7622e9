// Run with NXXML_TEST_READING_STEPS set, a test program reads XML text and Fast Infoset on
// demand in the smallest steps there are, so that every passed element the walk lets go is
// given back.
#include "xml/DemandXmlReader.h"

#include <cstdlib>

namespace
{
struct CReadingSteps
{
    CReadingSteps()
    {
        if (std::getenv("NXXML_TEST_READING_STEPS") != nullptr)
            NxXmlLib16::SetDemandReadingSteps(1, 2);
    }
} const g_readingSteps;
} // namespace
