// CExpatReader: parses XML text with Expat into a CXmlDocument.
#pragma once

#include "InstanceMonitor.h"
#include "XmlDocument.h"

#include <expat.h>

#include <cstddef>
#include <exception>
#include <string>
#include <string_view>
#include <vector>

namespace NxXmlLib16
{

// Feeds text to Expat, chunk by chunk, and builds the document from its callbacks.
class CExpatReader : public CInstanceMonitor
{
public:
    // Creates the parser: with namespace processing unless the schema has no namespaces.
    CExpatReader(CXmlDocument & document, bool namespaces, bool keepCData);
    CExpatReader(CExpatReader const &) = delete;
    CExpatReader & operator=(CExpatReader const &) = delete;
    ~CExpatReader() override;

    // Parses the next piece of text; the final piece ends the document.
    void ParseChunk(char const * data, std::size_t length, bool isFinal);
    // Parses text that Expat placed in its own buffer (see GetBuffer).
    void ParseBuffer(std::size_t length, bool isFinal);
    // Expat's buffer for the next piece, of at least length bytes.
    void * GetBuffer(std::size_t length);

private:
    static void XMLCALL OnStartElement(void * user, XML_Char const * name, XML_Char const ** attributes);
    static void XMLCALL OnEndElement(void * user, XML_Char const * name);
    static void XMLCALL OnCharacterData(void * user, XML_Char const * data, int length);
    static void XMLCALL OnStartCData(void * user);
    static void XMLCALL OnEndCData(void * user);
    static void XMLCALL OnStartNamespace(void * user, XML_Char const * prefix, XML_Char const * uri);

    // The stored name of an Expat name ("uri|local" or "local").
    CXmlStoredName const & SplitName(char const * name);
    // The stored name of an Expat name, found by its key or added.
    CXmlStoredName const & FindOrAddName(char const * name);
    // The local form of UTF-8 text, in a scratch buffer when a conversion is needed.
    std::string_view ToLocal(char const * data, std::size_t length, std::string & scratch);
    // Runs a callback body, keeping an exception for after Expat returns.
    template <class Action>
    void Guard(Action && action);
    // Throws the kept exception, or Expat's error as "<text> at line <n>".
    void ThrowParseError();

    CXmlDocument & m_document;
    XML_Parser m_parser;
    bool m_localIsUtf8;
    std::vector<CXmlDocument::CPendingAttribute> m_attributes;
    std::vector<std::string> m_valueScratch;
    std::string m_scratch;
    std::exception_ptr m_error;
    CXmlStoredName const * m_lastName = nullptr; // the name reported last
};

} // namespace NxXmlLib16
