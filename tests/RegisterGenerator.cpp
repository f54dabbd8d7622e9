// Registers the generator version for a test program, as generated code does at start-up.
#include "ClassfactoryBase.h"

namespace
{
struct CRegistration
{
    CRegistration() { NxXmlLib16::Register(16, 1, "NxXmlLib16 tests"); }
} const g_registration;
} // namespace
