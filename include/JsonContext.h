// CJsonContext: the options of JSON writing and reading that a serialisation context carries.
#pragma once

#include <cstdint>
#include <string>

namespace NxXmlLib16
{

// How much of the XML document the JSON form keeps.
enum JsonRoundTrip : std::int32_t
{
    // Plain JSON: attributes are ordinary members, element text inside an object is the member
    // named by the empty string, namespaces are dropped.
    JsonRoundTrip_Plain = 0,
    // Attributes are members named "@name", element text inside an object is "#text"; namespaces
    // are dropped.
    JsonRoundTrip_Attributes = 1,
    // As JsonRoundTrip_Attributes, and member names keep their namespace prefixes, with the
    // declarations written as "@xmlns" members.
    JsonRoundTrip_Full = 2
};

// The JSON options: round-trip mode, the name given to the document's top-level value when
// reading, and whether the reader accepts comments.
class CJsonContext
{
public:
    // Mode JsonRoundTrip_Full, no root element name, comments allowed.
    CJsonContext();
    CJsonContext(CJsonContext const & other);
    CJsonContext & operator=(CJsonContext const & other);
    virtual ~CJsonContext();

    // How much of the XML document the JSON form keeps.
    JsonRoundTrip GetSupportRoundtrip() const { return m_supportRoundtrip; }
    void SetSupportRoundtrip(JsonRoundTrip mode) { m_supportRoundtrip = mode; }
    // When not empty, the reader treats the whole document as the value of a member of this name.
    std::string GetRootElementName() const { return m_rootElementName; }
    // A null name clears it.
    void SetRootElementName(char const * name);
    // Whether the reader skips // and /* */ comments between tokens.
    bool GetAllowComments() const { return m_allowComments; }
    // Sets whether comments are allowed; the setter shares the getter's name.
    void GetAllowComments(bool allow) { m_allowComments = allow; }

private:
    JsonRoundTrip m_supportRoundtrip = JsonRoundTrip_Full;
    std::string m_rootElementName;
    bool m_allowComments = true;
};

} // namespace NxXmlLib16
