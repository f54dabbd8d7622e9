// Register and CClassfactoryBase: the version handshake with generated code and the base of its factories.
#pragma once

#include <string>

namespace NxXmlLib16
{

class CXmlElement;

// Records the version of the generator that produced the calling code and the party it was
// generated for (named in the banner of written documents). Every entry point refuses to work
// unless the version is this library's, 16.1. The last two arguments are not used.
void Register(int majorVersion, int minorVersion, char const * ownerName, char const * reserved1 = nullptr,
              char const * reserved2 = nullptr);

// The base of generated class factories, with the helpers that read an element's xsi:type.
class CClassfactoryBase
{
public:
    virtual ~CClassfactoryBase();

protected:
    // The local part of the element's xsi:type value (empty when it has none).
    static std::string GetElementType(CXmlElement * element);
    // The namespace of the element's xsi:type value: its prefix looked up in the document, or
    // the element's own namespace.
    static std::string GetElementTypeNamespaceUri(CXmlElement * element);
};

} // namespace NxXmlLib16
