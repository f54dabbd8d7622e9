// CSerializationContext: the options every serialising and deserialising entry point takes.
#pragma once

#include "FastInfosetContext.h"
#include "JsonContext.h"
#include "NamespaceAliasMap.h"
#include "SmartPtr.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace NxXmlLib16
{

class CAttributeCol;

// The kind of schema the generated classes came from.
enum SchemaType : std::int32_t
{
    SchemaType_XSD = 0, // an XML Schema: names are matched with their namespaces
    SchemaType_XDR = 1, // an XDR schema: as XSD
    SchemaType_DTD = 2  // a schema without namespaces: names are matched by local name only
};

// The default limit of inflated input: 1 GiB.
constexpr std::uint64_t DefaultMaxInflatedSize = std::uint64_t(1) << 30;

// How lenient the readers are and what the writers add to the output.
class CSerializationContext
{
public:
    CSerializationContext();
    // Copies every option, the alias map and the processing instructions; shares the
    // additional root attributes.
    CSerializationContext(CSerializationContext const & other);
    CSerializationContext & operator=(CSerializationContext const & other);
    virtual ~CSerializationContext();

    // The process-wide default options, used when a caller passes none.
    static CSerializationContext & GetDefaultContext();

    // Collection counts outside minOccurs/maxOccurs are not reported.
    bool GetIgnoreInvalidCollectionCounts() const { return m_ignoreInvalidCollectionCounts; }
    void SetIgnoreInvalidCollectionCounts(bool value) { m_ignoreInvalidCollectionCounts = value; }
    // A choice group with no member present is accepted.
    bool GetIgnoreMissingChoice() const { return m_ignoreMissingChoice; }
    void SetIgnoreMissingChoice(bool value) { m_ignoreMissingChoice = value; }
    // An absent mandatory element is not reported; excludes IgnoreUnknownElements.
    bool GetIgnoreMissingMandatoryElements() const { return m_ignoreMissingMandatoryElements; }
    void SetIgnoreMissingMandatoryElements(bool value);
    // Elements that match nothing are skipped; excludes IgnoreMissingMandatoryElements.
    bool GetIgnoreUnknownElements() const { return m_ignoreUnknownElements; }
    void SetIgnoreUnknownElements(bool value);
    // Attributes that match nothing are skipped.
    bool GetIgnoreUnknownAttributes() const { return m_ignoreUnknownAttributes; }
    void SetIgnoreUnknownAttributes(bool value) { m_ignoreUnknownAttributes = value; }
    // Names are matched by local name only: the flag, or a schema without namespaces.
    bool GetIgnoreNamespaces() const { return m_ignoreNamespaces || m_schemaType == SchemaType_DTD; }
    void SetIgnoreNamespaces(bool value) { m_ignoreNamespaces = value; }
    // xsi:type is written where the runtime class differs from the declared type.
    bool GetWriteTypeAttribute() const { return m_writeTypeAttribute; }
    void SetWriteTypeAttribute(bool value) { m_writeTypeAttribute = value; }
    // An optional attribute whose text equals its default text is not written.
    bool GetNoOptionalAttributeDefaultOutput() const { return m_noOptionalAttributeDefaultOutput; }
    void SetNoOptionalAttributeDefaultOutput(bool value) { m_noOptionalAttributeDefaultOutput = value; }
    // An element whose value equals its default is written with its text, not empty.
    bool GetWriteDefaultElementValues() const { return m_writeDefaultElementValues; }
    void SetWriteDefaultElementValues(bool value) { m_writeDefaultElementValues = value; }
    // CDATA sections are read as ordinary text.
    bool GetStripCDATA() const { return m_stripCDATA; }
    void SetStripCDATA(bool value) { m_stripCDATA = value; }

    SchemaType GetSchemaType() const { return m_schemaType; }
    void SetSchemaType(SchemaType value) { m_schemaType = value; }
    // The namespace written as the default namespace on the root element.
    std::string GetDefaultNamespaceURI() const { return m_defaultNamespaceUri; }
    void SetDefaultNamespaceURI(char const * value);
    // Schema text written inside the root element.
    std::string GetInLineSchema() const { return m_inLineSchema; }
    void SetInLineSchema(char const * value);
    // The unit of indentation of formatted output: spaces and tabs only.
    std::string GetIndentChars() const { return m_indentChars; }
    void SetIndentChars(char const * value);

    // Prefixes declared on the root element.
    CNamespaceAliasMap & GetNamespaceAliases() { return m_namespaceAliases; }
    CNamespaceAliasMap const & GetNamespaceAliases() const { return m_namespaceAliases; }
    // Raw text blocks written before the root element.
    std::vector<std::string> & GetProcessingInstructions() { return m_processingInstructions; }
    std::vector<std::string> const & GetProcessingInstructions() const { return m_processingInstructions; }

    // Extra attributes written on the root element ("##any" wildcard attributes), created on
    // first use; copies of the context share them.
    CSmartPtr<CAttributeCol> GetAdditionalRootAttributes() const;

    // How many bytes compressed input may inflate to before reading stops with an exception.
    std::uint64_t GetMaxInflatedSize() const { return m_maxInflatedSize; }
    void SetMaxInflatedSize(std::uint64_t value) { m_maxInflatedSize = value; }

    // The Fast Infoset options (encodings, add limits, vocabulary), created on first use; a copy
    // of the context gets its own copy of them.
    CFastInfosetContext & GetFIContext() const;
    // The JSON options, created on first use; a copy of the context gets its own copy of them.
    CJsonContext & GetJsonContext() const;

private:
    // A sub-context made on first use and owned by one context: copying the context copies it.
    // Threads reading with one context may ask for it at once: only one of them makes it.
    template <class T>
    class COwnedSubContext
    {
    public:
        COwnedSubContext() = default;
        COwnedSubContext(COwnedSubContext const & other) : m_value(Copy(other)) {}
        COwnedSubContext & operator=(COwnedSubContext const & other)
        {
            if (this != &other)
                delete m_value.exchange(Copy(other), std::memory_order_acq_rel);
            return *this;
        }
        ~COwnedSubContext() { delete m_value.load(std::memory_order_relaxed); }
        // The sub-context, made with its defaults when first asked for.
        T & Get()
        {
            T * value = m_value.load(std::memory_order_acquire);
            if (value != nullptr)
                return *value;
            auto made = std::make_unique<T>();
            if (m_value.compare_exchange_strong(value, made.get(), std::memory_order_acq_rel))
                return *made.release();
            return *value; // another thread made it first
        }

    private:
        static T * Copy(COwnedSubContext const & other)
        {
            T const * const value = other.m_value.load(std::memory_order_acquire);
            return value != nullptr ? new T(*value) : nullptr;
        }

        std::atomic<T *> m_value{nullptr};
    };

    // The additional root attributes: made on first use and shared by copies of the context.
    // Threads writing with one context may ask for them at once: only one of them makes them.
    class CSharedRootAttributes
    {
    public:
        CSharedRootAttributes() = default;
        CSharedRootAttributes(CSharedRootAttributes const & other);
        CSharedRootAttributes & operator=(CSharedRootAttributes const & other);
        ~CSharedRootAttributes();
        // The attributes, made empty when first asked for.
        CAttributeCol * Get() const;

    private:
        mutable std::atomic<CAttributeCol *> m_value{nullptr};
    };

    std::string m_defaultNamespaceUri;
    bool m_writeTypeAttribute = true;
    CNamespaceAliasMap m_namespaceAliases;
    CSharedRootAttributes m_additionalRootAttributes;
    std::vector<std::string> m_processingInstructions;
    std::string m_inLineSchema;
    bool m_ignoreInvalidCollectionCounts = false;
    bool m_ignoreMissingChoice = false;
    bool m_ignoreMissingMandatoryElements = false;
    bool m_ignoreUnknownElements = false;
    bool m_ignoreUnknownAttributes = false;
    bool m_ignoreNamespaces = false;
    SchemaType m_schemaType = SchemaType_XSD;
    bool m_noOptionalAttributeDefaultOutput = false;
    bool m_writeDefaultElementValues = false;
    bool m_stripCDATA = true;
    std::string m_indentChars = "\t";
    std::uint64_t m_maxInflatedSize = DefaultMaxInflatedSize;
    mutable COwnedSubContext<CFastInfosetContext> m_fiContext;
    mutable COwnedSubContext<CJsonContext> m_jsonContext;
};

} // namespace NxXmlLib16
