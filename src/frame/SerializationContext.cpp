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
    if (m_additionalRootAttributes == nullptr)
        m_additionalRootAttributes = new CAttributeCol("", "##any", "");
    return m_additionalRootAttributes;
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
