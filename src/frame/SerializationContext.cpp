#include "SerializationContext.h"

#include "FastInfosetContext.h"
#include "NxException.h"
#include "OpenContent.h"
#include "frame/Messages.h"

namespace NxXmlLib16
{

CSerializationContext::CSerializationContext() = default;
CSerializationContext::CSerializationContext(CSerializationContext const & other) = default;
CSerializationContext & CSerializationContext::operator=(CSerializationContext const & other) = default;
CSerializationContext::~CSerializationContext() = default;

CSerializationContext & CSerializationContext::GetDefaultContext()
{
    // Built on first use, so static initialisers of generated code may already ask for it.
    static CSerializationContext defaultContext;
    return defaultContext;
}

CSmartPtr<CAttributeCol> CSerializationContext::GetAdditionalRootAttributes() const
{
    return CSmartPtr<CAttributeCol>(m_additionalRootAttributes.Get());
}

CSerializationContext::CSharedRootAttributes::CSharedRootAttributes(CSharedRootAttributes const & other)
    : m_value(other.m_value.load(std::memory_order_acquire))
{
    if (CAttributeCol * const value = m_value.load(std::memory_order_relaxed))
        value->AddRef();
}

CSerializationContext::CSharedRootAttributes & CSerializationContext::CSharedRootAttributes::operator=(
    CSharedRootAttributes const & other)
{
    CAttributeCol * const value = other.m_value.load(std::memory_order_acquire);
    if (value != nullptr)
        value->AddRef();
    if (CAttributeCol * const old = m_value.exchange(value, std::memory_order_acq_rel))
        old->Release();
    return *this;
}

CSerializationContext::CSharedRootAttributes::~CSharedRootAttributes()
{
    if (CAttributeCol * const value = m_value.load(std::memory_order_relaxed))
        value->Release();
}

CAttributeCol * CSerializationContext::CSharedRootAttributes::Get() const
{
    CAttributeCol * value = m_value.load(std::memory_order_acquire);
    if (value != nullptr)
        return value;
    CAttributeCol * const made = new CAttributeCol("", "##any", "");
    made->AddRef();
    if (m_value.compare_exchange_strong(value, made, std::memory_order_acq_rel))
        return made;
    made->Release(); // another thread made them first
    return value;
}

CFastInfosetContext & CSerializationContext::GetFIContext() const { return m_fiContext.Get(); }

CJsonContext & CSerializationContext::GetJsonContext() const { return m_jsonContext.Get(); }

void CSerializationContext::SetIgnoreMissingMandatoryElements(bool value)
{
    if (value && m_ignoreUnknownElements)
        throw CNxInvalidStateException(Msg::IgnoreBothUnsetUnknownFirst);
    m_ignoreMissingMandatoryElements = value;
}

void CSerializationContext::SetIgnoreUnknownElements(bool value)
{
    if (value && m_ignoreMissingMandatoryElements)
        throw CNxInvalidStateException(Msg::IgnoreBothUnsetMissingFirst);
    m_ignoreUnknownElements = value;
}

void CSerializationContext::SetDefaultNamespaceURI(char const * value)
{
    m_defaultNamespaceUri = value != nullptr ? value : "";
}

void CSerializationContext::SetInLineSchema(char const * value) { m_inLineSchema = value != nullptr ? value : ""; }

void CSerializationContext::SetIndentChars(char const * value)
{
    if (value == nullptr)
    {
        m_indentChars.clear();
        return;
    }
    for (char const * c = value; *c != '\0'; ++c)
    {
        if (*c != ' ' && *c != '\t')
            throw CNxInvalidParamException(Msg::IndentCharsNotWhitespace);
    }
    m_indentChars = value;
}

} // namespace NxXmlLib16
