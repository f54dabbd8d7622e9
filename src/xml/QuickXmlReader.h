// CQuickXmlReader: reads XML text of the common form straight into a document; Expat reads the rest.
#pragma once

#include "XmlDocument.h"
#include "xml/SteppedReader.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace NxXmlLib16
{

// Reads UTF-8 XML text with namespaces into a document without Expat, building the tree that
// Expat's callbacks build. It takes one common form only: ASCII names, no document type,
// processing instruction or CDATA section, and no entity but the five predefined ones. Anything
// else, and every error, makes it give up: Expat then reads the whole text again and reports
// exactly what it finds, at its line.
class CQuickXmlReader final : public CSteppedReader
{
public:
    explicit CQuickXmlReader(CXmlDocument & document) : m_document(document) {}
    CQuickXmlReader(CQuickXmlReader const &) = delete;
    CQuickXmlReader & operator=(CQuickXmlReader const &) = delete;

    // Reads the text into the document; false, with the document part-built, when the text is
    // to be read by Expat.
    bool Read(char const * text, std::size_t length);
    // Reads the text as far as the document element's start tag; GaveUp leaves it to Expat.
    Progress Begin(char const * text, std::size_t length) override;
    Progress ReadOn(std::size_t stopDepth, std::size_t budget) override;

private:
    // A namespace prefix in scope and its URI.
    struct CBinding
    {
        std::string prefix;
        std::string uri;
    };
    // An element whose end tag is still to come.
    struct COpenElement
    {
        std::string_view name;      // as written, to match the end tag
        std::size_t bindingsBefore; // the bindings in scope before its declarations
    };
    // An attribute as written, with its value after normalisation.
    struct CRawAttribute
    {
        std::string_view name;
        std::string_view value;
    };
    // A name already resolved while the same bindings were in scope.
    struct CCachedName
    {
        std::string_view written;
        std::uint64_t generation = 0;
        bool attribute = false;
        CXmlStoredName const * name = nullptr;
    };

    // The optional XML declaration, in its plain forms only.
    bool XmlDeclaration();
    // Whitespace and comments before or after the document element.
    bool Misc();
    // What follows the document element's end tag.
    Progress Trailer();
    bool StartTag();
    bool EndTag();
    // A comment at "<!--", its text checked.
    bool Comment();
    // Character data up to the next '<', handed to the document.
    bool Text();
    // An attribute value after its opening quote, normalised like Expat's; views the text when
    // nothing changes, otherwise the scratch string.
    bool AttributeValue(char quote, std::string & scratch, std::string_view & value);
    // A reference after its '&': appends the character, UTF-8 encoded, to the target.
    bool Reference(std::string & target);
    // An ASCII name with at most one colon.
    bool Name(std::string_view & name);
    // Moves past the multi-byte character at the current byte; false when it is not well-formed
    // UTF-8 of a character XML can hold.
    bool SkipCharacter();
    // Skips '=' with the whitespace around it and the opening quote of a value.
    bool OpeningQuote(char & quote);
    // Skips whitespace; whether there was any.
    bool SkipSpace();
    // Whether the text continues with the literal.
    bool Follows(std::string_view literal) const;

    // The stored name of an element or attribute name as written, resolved against the
    // bindings in scope; null when a prefix is not bound.
    CXmlStoredName const * Resolve(std::string_view written, bool attribute);
    // The URI bound to the prefix, or null.
    std::string const * Lookup(std::string_view prefix) const;
    // Ends the scope of the innermost open element.
    void CloseElement();

    CXmlDocument & m_document;
    char const * m_at = nullptr;
    char const * m_end = nullptr;
    std::vector<COpenElement> m_open;
    std::vector<CBinding> m_bindings;
    std::uint64_t m_generation = 1; // changes whenever the bindings in scope change
    std::vector<CRawAttribute> m_attributes;
    std::vector<std::string> m_valueScratch;
    std::vector<CXmlDocument::CPendingAttribute> m_pending;
    std::string m_text; // character data being decoded
    std::string m_key;  // a name as Expat reports it, "uri|local"
    CCachedName m_cache[256];
};

} // namespace NxXmlLib16
