#include "NamespaceAliasMap.h"

#include "NxException.h"
#include "frame/Messages.h"

#include <iterator>

namespace NxXmlLib16
{

void CNamespaceAliasMap::Add(char const * alias, char const * namespaceUri) { m_aliases[namespaceUri] = alias; }

void CNamespaceAliasMap::RemoveNamespace(char const * namespaceUri) { m_aliases.erase(namespaceUri); }

std::string CNamespaceAliasMap::GetNamespaceFromAlias(char const * alias) const
{
    for (auto const & entry : m_aliases)
    {
        if (entry.second == alias)
            return entry.first;
    }
    throw CNxException(FormatString(Msg::NamespaceAliasNotFound, alias));
}

std::string CNamespaceAliasMap::GetAliasFromNamespace(char const * namespaceUri) const
{
    auto const found = m_aliases.find(namespaceUri);
    return found == m_aliases.end() ? std::string() : found->second;
}

bool CNamespaceAliasMap::DoesNamespaceExist(char const * namespaceUri) const
{
    return m_aliases.find(namespaceUri) != m_aliases.end();
}

bool CNamespaceAliasMap::DoesAliasExist(char const * alias) const
{
    for (auto const & entry : m_aliases)
    {
        if (entry.second == alias)
            return true;
    }
    return false;
}

int CNamespaceAliasMap::GetNamespaceCount() const { return static_cast<int>(m_aliases.size()); }

std::string CNamespaceAliasMap::GetNamespaceAt(int index) const
{
    if (index < 0 || index >= GetNamespaceCount())
        throw CNxInvalidParamException(FormatString(Msg::IndexOutOfRangeBracketed, index));
    return std::next(m_aliases.begin(), index)->first;
}

} // namespace NxXmlLib16
