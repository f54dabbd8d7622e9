// CJsonReaderDefaultHandler and CJsonReaderToXmlHandler: the handlers of the JSON reader, and the
// conversion of JSON text to XML text built on them.
#pragma once

#include "BinaryData.h"
#include "JsonContext.h"
#include "JsonTextReader.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace NxXmlLib16
{

class CXmlTextWriter;

// The handler every JSON reader holds: it keeps the path to the member being read, for
// messages, and forwards each event to an inner handler.
class CJsonReaderDefaultHandler final : public IJsonReaderHandler, public IErrorPathProvider
{
public:
    CJsonReaderDefaultHandler();
    ~CJsonReaderDefaultHandler() override;

    // Installs the handler that events are forwarded to, taking ownership of it.
    void SetInnerHandler(IJsonReaderHandler * handler) { m_inner.reset(handler); }

    // "$", then ".name" for each member and "[n]" for each array item (from 0) on the way.
    std::string GetErrorPath() const override;

    void StartDocument() override;
    bool EndDocument() override;
    void Name(std::string const & name) override;
    void StringValue(std::string const & value) override;
    void NumberValue(std::string const & text) override;
    void StartObject() override;
    void EndObject() override;
    void StartArray() override;
    void EndArray() override;
    void BooleanValue(bool value) override;
    void NullValue() override;

private:
    // One step of the path.
    struct CPathStep
    {
        std::string name;
        std::int32_t index; // of an array: the item being read, from 0
        std::int32_t kind;  // StepKind
    };
    enum StepKind : std::int32_t
    {
        StepObject = 0,
        StepName = 1,
        StepArray = 2
    };

    // Pushes a step, reusing the storage of a step popped earlier.
    CPathStep & Push(StepKind kind);
    // Moves the innermost array, when a value of it has ended, on to its next item.
    void ValueDone();
    // The step on top, or null.
    CPathStep * Top() { return m_depth == 0 ? nullptr : &m_path[m_depth - 1]; }

    // Steps stay allocated when popped: only the first m_depth are the path.
    std::vector<CPathStep> m_path;
    std::size_t m_depth = 0;
    std::unique_ptr<IJsonReaderHandler> m_inner;
};

// Writes the XML equivalent of the JSON events: a member becomes an element, with "@name"
// members as attributes and "#text" as the element's text in the round-trip modes; an array
// becomes repeated elements with the array's name. Names and values that cannot be written as
// well-formed XML are refused with an exception.
class CJsonReaderToXmlHandler : public IJsonReaderHandler
{
public:
    // Neither the writer nor the path provider is owned.
    CJsonReaderToXmlHandler(CXmlTextWriter * writer, JsonRoundTrip mode, IErrorPathProvider * errorPath);
    ~CJsonReaderToXmlHandler() override;

    // Converts JSON text (UTF-8) to UTF-8 XML text with the context's settings.
    static CBinaryData ConvertToXml(std::string_view json, CJsonContext const & context);

    void StartDocument() override;
    bool EndDocument() override;
    void Name(std::string const & name) override;
    void StringValue(std::string const & value) override;
    void NumberValue(std::string const & text) override;
    void StartObject() override;
    void EndObject() override;
    void StartArray() override;
    void EndArray() override;
    void BooleanValue(bool value) override;
    void NullValue() override;

private:
    // What the member name waiting for its value stands for.
    enum Pending : std::int32_t
    {
        PendingNone = 0,
        PendingElement = 1,
        PendingAttribute = 2,
        PendingText = 3
    };
    // The containers being read: an object that is an element's content, the object that holds
    // the document element, or an array.
    enum Container : char
    {
        ElementObject = 'e',
        DocumentObject = 'd',
        Array = 'a'
    };

    // Writes a simple value (null: none) for the pending member or as an array item.
    void Value(std::string const * value);
    // Starts the element of the pending member or of an array item; false when none is due.
    bool StartDueElement();
    // Whether the name can be an element or attribute name in a document read with namespaces:
    // a name, or a prefix and a name joined by one colon.
    bool IsXmlQName(std::string_view name);
    // Starts an element after checking that its name is an XML name.
    void StartElement(std::string const & name);
    // Ends the innermost element.
    void EndElement();
    // Writes an attribute of the open start tag.
    void WriteAttribute(std::string const & value);
    // Writes text into the innermost element.
    void WriteText(std::string const & value);
    // Once the attributes of the innermost element are written: records the prefixes it declares
    // and checks that the prefixes of its name and attributes are declared.
    void CloseStartTag();
    // Whether an open element declares the prefix (xml always is).
    bool IsPrefixDeclared(std::string_view prefix) const;
    // Refuses a member that stands for an attribute or text when an object or array follows.
    void CheckNotSimpleMember() const;
    // Throws CNxValidationException with the message and the path being read.
    [[noreturn]] void FailStructure(std::string message) const;
    // Whether the innermost container is an array.
    bool InArray() const { return !m_containers.empty() && m_containers.back() == Array; }

    CXmlTextWriter * m_writer;
    JsonRoundTrip m_mode;
    IErrorPathProvider * m_errorPath;
    std::size_t m_openElements = 0;
    // Array names stay allocated when popped: only the first m_arrayDepth are in use.
    std::vector<std::string> m_arrayNames;
    std::size_t m_arrayDepth = 0;
    std::string m_containers;
    std::string m_pendingName; // the member name as read
    Pending m_pending = PendingNone;
    bool m_rootWritten = false;
    // The name and attribute names of the open start tag, to refuse a repeated attribute and
    // undeclared prefixes.
    bool m_startTagOpen = false;
    std::string m_tagName; // empty when the name has no prefix
    std::vector<std::string> m_tagAttributes;
    std::size_t m_tagAttributeCount = 0;
    // The prefixes declared on the open elements, each with the depth of its element; they stay
    // allocated when popped: only the first m_prefixCount are in use.
    std::vector<std::pair<std::string, std::size_t>> m_prefixes;
    std::size_t m_prefixCount = 0;
    // Names beyond ASCII that the XML parser accepted.
    std::vector<std::string> m_acceptedNames;
    std::string const m_noNamespace;
};

} // namespace NxXmlLib16
