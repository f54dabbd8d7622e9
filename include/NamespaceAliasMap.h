// CNamespaceAliasMap: the namespace prefixes declared on the root element of every output.
#pragma once

#include <map>
#include <string>

namespace NxXmlLib16
{

// Maps namespace URIs to the alias (prefix) they are written with, in byte order of the URIs.
class CNamespaceAliasMap
{
public:
    CNamespaceAliasMap() = default;
    CNamespaceAliasMap(CNamespaceAliasMap const &) = default;
    CNamespaceAliasMap & operator=(CNamespaceAliasMap const &) = default;
    virtual ~CNamespaceAliasMap() = default;

    // Sets the alias of the namespace, replacing an earlier one.
    void Add(char const * alias, char const * namespaceUri);
    // Removes the namespace's entry; an absent namespace is ignored.
    void RemoveNamespace(char const * namespaceUri);
    // The namespace of the first entry (in URI order) with this alias; throws when there is none.
    std::string GetNamespaceFromAlias(char const * alias) const;
    // The alias of the namespace, or the empty string when the namespace has none.
    std::string GetAliasFromNamespace(char const * namespaceUri) const;
    // Whether the namespace has an entry.
    bool DoesNamespaceExist(char const * namespaceUri) const;
    // Whether any entry uses this alias.
    bool DoesAliasExist(char const * alias) const;
    // The number of entries.
    int GetNamespaceCount() const;
    // The namespace URI of the index-th entry in URI order, counting from 0.
    std::string GetNamespaceAt(int index) const;

private:
    std::map<std::string, std::string> m_aliases;
};

} // namespace NxXmlLib16
