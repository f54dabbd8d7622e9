#include "XmlWriter.h"

#include "NxException.h"
#include "frame/Messages.h"
#include "frame/Namespaces.h"

namespace NxXmlLib16
{

std::string const CXmlWriter::XmlNamespaceUri = Namespaces::Xml;
std::string const CXmlWriter::XsiNamespaceUri = Namespaces::Xsi;

CXmlWriter::CXmlWriterContext::CXmlWriterContext() : CInstanceMonitor("CXmlWriterContext") {}

CXmlWriter::CXmlWriterContext::~CXmlWriterContext() = default;

std::string const * CXmlWriter::CXmlWriterContext::FindPrefix(std::string const & namespaceUri) const
{
    CNamespaceMap const & map = *m_scope->m_namespaces;
    auto const found = map.find(namespaceUri);
    return found == map.end() ? nullptr : &found->second;
}

void CXmlWriter::CXmlWriterContext::OwnScope()
{
    if (m_scope == this)
        return;
    m_namespaces = std::make_unique<CNamespaceMap>(*m_scope->m_namespaces);
    m_defaultNamespace = m_scope->m_defaultNamespace;
    m_scope = this;
}

std::string CXmlWriter::CXmlWriterContext::GenerateNamespacePrefix() const
{
    CNamespaceMap const & map = *m_scope->m_namespaces;
    std::string candidate(2, 'A');
    for (int n = 0; n < 26 * 26; ++n)
    {
        candidate[0] = static_cast<char>('A' + n / 26);
        candidate[1] = static_cast<char>('A' + n % 26);
        bool used = false;
        for (auto const & entry : map)
        {
            if (entry.second == candidate)
            {
                used = true;
                break;
            }
        }
        if (!used)
            return candidate;
    }
    throw CNxException(Msg::NoNamespacePrefixLeft);
}

CXmlWriter::CXmlWriter(char const * className) : CInstanceMonitor(className) { m_namespaces[XmlNamespaceUri] = "xml"; }

CXmlWriter::~CXmlWriter() = default;

void CXmlWriter::WriteStartDocument() {}

void CXmlWriter::WriteEndDocument()
{
    if (m_current != nullptr)
        throw CNxException(Msg::ElementHasNotBeenClosed);
}

void CXmlWriter::SetDefaultNamespace(std::string const & namespaceUri)
{
    if (m_current == nullptr)
    {
        m_defaultNamespace = namespaceUri;
        return;
    }
    m_current->OwnScope();
    m_current->m_defaultNamespace = namespaceUri;
}

void CXmlWriter::AddNamespace(std::string const & prefix, std::string const & namespaceUri)
{
    if (m_current == nullptr)
    {
        m_namespaces[namespaceUri] = prefix;
        return;
    }
    m_current->OwnScope();
    (*m_current->m_namespaces)[namespaceUri] = prefix;
}

char const * CXmlWriter::LineEndOf(EOLType type)
{
    if (type == EOLType_CRLF)
        return "\r\n";
    if (type == EOLType_LF)
        return "\n";
    throw CNxException(Msg::InvalidEolType);
}

void CXmlWriter::SetArrayState(std::uint32_t state)
{
    if (m_current != nullptr)
        m_current->m_arrayState = static_cast<std::int32_t>(state);
}

CXmlWriter::CXmlWriterContext & CXmlWriter::PushContext(std::string const & localName, std::string const & namespaceUri)
{
    if (m_depth == m_contexts.size())
        m_contexts.push_back(std::make_unique<CXmlWriterContext>());
    CXmlWriterContext & context = *m_contexts[m_depth++];
    CXmlWriterContext * const parent = m_current;
    context.m_childCount = 0;
    context.m_startTagOpen = true;
    context.m_localName = localName;
    context.m_namespaceUri = namespaceUri;
    context.m_qualifiedName.clear();
    context.m_parent = parent;
    context.m_arrayState = 0;
    if (parent == nullptr)
    {
        context.m_depth = 0;
        context.m_namespaces = std::make_unique<CNamespaceMap>(m_namespaces);
        context.m_defaultNamespace = m_defaultNamespace;
        context.m_scope = &context;
    }
    else
    {
        ++parent->m_childCount;
        context.m_depth = parent->m_depth + 1;
        context.m_namespaces.reset();
        context.m_scope = parent->m_scope;
    }
    m_current = &context;
    return context;
}

void CXmlWriter::PopContext()
{
    CXmlWriterContext & context = *m_current;
    m_current = context.m_parent;
    context.m_namespaces.reset();
    context.m_scope = &context;
    --m_depth;
}

std::string const & CXmlWriter::DeclareGeneratedPrefix(std::string const & namespaceUri)
{
    std::string const prefix = m_current->GenerateNamespacePrefix();
    m_current->OwnScope();
    std::string & stored = (*m_current->m_namespaces)[namespaceUri];
    stored = prefix;
    return stored;
}

} // namespace NxXmlLib16
