// The namespace names the library treats specially: the xml prefix, namespace declarations, xsi.
#pragma once

namespace NxXmlLib16::Namespaces
{

// The namespace bound to the built-in prefix "xml".
constexpr char const Xml[] = "http://www.w3.org/XML/1998/namespace";
// The namespace of namespace declarations (xmlns and xmlns:prefix attributes).
constexpr char const Xmlns[] = "http://www.w3.org/2000/xmlns/";
// The schema-instance namespace of xsi:type, xsi:nil and the schema location attributes.
constexpr char const Xsi[] = "http://www.w3.org/2001/XMLSchema-instance";

} // namespace NxXmlLib16::Namespaces
