// The registration state of generated code and the version check of every entry point.
#pragma once

#include <string>

namespace NxXmlLib16
{

// Throws, after the alert, unless the registered generator version is this library's.
void CheckVersion();
// The alert of the first object constructed in the process, when the versions differ.
void CheckVersionOnFirstConstruction();
// The owner name given to Register.
std::string const & GetRegisteredOwner();

} // namespace NxXmlLib16
