#include "XmlCollection.h"

#include "NxException.h"
#include "SerializationContext.h"
#include "XmlDocument.h"
#include "frame/Messages.h"

#include <algorithm>
#include <cstdlib>
#include <mutex>
#include <unordered_set>

namespace NxXmlLib16
{

namespace
{

// The namespaces of collections, each stored once for the life of the process: they come from
// generated code, a few per schema, and every collection of a member (one per item of an order)
// shares the one copy. The table is never destroyed, so collections outliving static
// destruction still read theirs.
std::string const & SharedNamespace(char const * uri)
{
    thread_local std::string const * t_last = nullptr;
    if (t_last != nullptr && *t_last == uri)
        return *t_last;
    static std::mutex guard;
    static auto * const table = new std::unordered_set<std::string>();
    std::lock_guard<std::mutex> const lock(guard);
    t_last = &*table->emplace(uri).first;
    return *t_last;
}

} // namespace

CXmlCollectionBase::CXmlCollectionBase() : m_namespace(&SharedNamespace("")) {}

CXmlCollectionBase::CXmlCollectionBase(char const * elementName, char const * namespaceUri, int minOccurs,
                                       int maxOccurs)
    : m_namespace(&SharedNamespace(namespaceUri != nullptr ? namespaceUri : "")), m_minOccurs(minOccurs),
      m_maxOccurs(maxOccurs)
{
    SetElementName(elementName);
}

CXmlCollectionBase::CXmlCollectionBase(CXmlCollectionBase const & other)
    : CXmlObjectBase(other), m_namespace(other.m_namespace),
      m_listeners(other.m_listeners != nullptr ? std::make_unique<std::vector<IEventSink *>>(*other.m_listeners)
                                               : nullptr),
      m_minOccurs(other.m_minOccurs), m_maxOccurs(other.m_maxOccurs)
{
}

CXmlCollectionBase & CXmlCollectionBase::operator=(CXmlCollectionBase const & other)
{
    CXmlObjectBase::operator=(other);
    m_namespace = other.m_namespace;
    m_listeners =
        other.m_listeners != nullptr ? std::make_unique<std::vector<IEventSink *>>(*other.m_listeners) : nullptr;
    m_minOccurs = other.m_minOccurs;
    m_maxOccurs = other.m_maxOccurs;
    return *this;
}

void CXmlCollectionBase::AddEventListener(IEventSink * listener)
{
    if (m_listeners == nullptr)
        m_listeners = std::make_unique<std::vector<IEventSink *>>();
    m_listeners->push_back(listener);
}

void CXmlCollectionBase::RemoveEventListener(IEventSink * listener)
{
    if (m_listeners != nullptr)
        m_listeners->erase(std::remove(m_listeners->begin(), m_listeners->end(), listener), m_listeners->end());
}

template <class Action>
void CXmlCollectionBase::ForEachListener(Action && action)
{
    // By index, so that a listener that adds or removes listeners while it is told leaves the
    // walk valid.
    for (std::size_t i = 0; m_listeners != nullptr && i < m_listeners->size(); ++i)
        action((*m_listeners)[i]);
}

std::string CXmlCollectionBase::GetTargetNamespace() const { throw CNxException(Msg::CollectionTargetNamespace); }

bool CXmlCollectionBase::IsValidCount(CSerializationContext const & context) const
{
    if (context.GetIgnoreInvalidCollectionCounts())
        return true;
    if (m_maxOccurs != -1 && GetCount() > m_maxOccurs)
        return false;
    return GetCount() >= m_minOccurs;
}

void CXmlCollectionBase::ValidateCount(CSerializationContext const & context) const
{
    if (context.GetIgnoreInvalidCollectionCounts())
        return;
    if (m_maxOccurs != -1 && GetCount() > m_maxOccurs)
        throw CNxValidationException(FormatString(Msg::CollectionMaximum, GetElementNameRef().c_str(), m_maxOccurs),
                                     std::string());
    if (GetCount() < m_minOccurs)
        throw CNxValidationException(FormatString(Msg::CollectionMinimum, GetElementNameRef().c_str(), m_minOccurs),
                                     std::string());
}

void CXmlCollectionBase::FireOnCollectionChange()
{
    ForEachListener([&](IEventSink * listener) { FireOnCollectionChangeEvent(listener, this); });
}

void CXmlCollectionBase::FireOnCollectionAdd(void * item)
{
    ForEachListener([&](IEventSink * listener) { FireOnCollectionAddEvent(listener, this, item); });
}

void CXmlCollectionBase::FireOnCollectionAddComplete(void * item)
{
    ForEachListener([&](IEventSink * listener) { FireOnCollectionAddCompleteEvent(listener, this, item); });
}

void CXmlCollectionBase::FireOnCollectionRemove(int index)
{
    ForEachListener([&](IEventSink * listener) { FireOnCollectionRemoveEvent(listener, this, index); });
}

void CXmlCollectionBase::FireOnCollectionRemoveComplete(int index)
{
    ForEachListener([&](IEventSink * listener) { FireOnCollectionRemoveCompleteEvent(listener, this, index); });
}

CXmlCollection::CXmlCollection() = default;

CXmlCollection::CXmlCollection(char const * elementName, char const * namespaceUri, int minOccurs, int maxOccurs)
    : CXmlCollectionBase(elementName, namespaceUri, minOccurs, maxOccurs)
{
}

CXmlCollection::CXmlCollection(CXmlCollection const & other) : CXmlCollectionBase(other)
{
    for (CNode const * node = other.m_head; node != nullptr; node = node->next)
        AppendItem(node->item);
}

CXmlCollection & CXmlCollection::operator=(CXmlCollection const & other)
{
    if (this != &other)
    {
        Clear();
        CXmlCollectionBase::operator=(other);
        for (CNode const * node = other.m_head; node != nullptr; node = node->next)
            AppendItem(node->item);
    }
    return *this;
}

CXmlCollection::~CXmlCollection() { Clear(); }

void CXmlCollection::AttributesToXml_Int(CXmlWriter * writer, CSerializationContext const & context) const
{
    for (CNode const * node = m_head; node != nullptr; node = node->next)
        CXmlObjectBase::AttributesToXml_Int(node->item, writer, context);
}

void CXmlCollection::InsertBefore(CNode * next, CXmlObjectBase * item)
{
    FireOnCollectionAdd(item);
    CNode * const node = new CNode{CSmartPtr<CXmlObjectBase>(item), next, next != nullptr ? next->previous : m_tail};
    if (node->previous != nullptr)
        node->previous->next = node;
    else
        m_head = node;
    if (next != nullptr)
        next->previous = node;
    else
        m_tail = node;
    ++m_count;
    if (next != nullptr)
        m_cursor = nullptr; // an append leaves every index as it was
    FireOnCollectionAddComplete(item);
    FireOnCollectionChange();
}

void CXmlCollection::AppendItem(CXmlObjectBase * item) { InsertBefore(nullptr, item); }

void CXmlCollection::PrependItem(CXmlObjectBase * item) { InsertBefore(m_head, item); }

void CXmlCollection::AddAfterItem(CXmlObjectBase const * existing, CXmlObjectBase * item)
{
    if (existing == nullptr)
        return PrependItem(item);
    InsertBefore(GetNodeForItem(existing)->next, item);
}

void CXmlCollection::AddBeforeItem(CXmlObjectBase const * existing, CXmlObjectBase * item)
{
    if (existing == nullptr)
        return AppendItem(item);
    InsertBefore(GetNodeForItem(existing), item);
}

void CXmlCollection::AddItemAt(int index, CXmlObjectBase * item)
{
    if (index < 0 || index > m_count)
        throw CNxInvalidParamException(Msg::IndexOutOfRange);
    InsertBefore(index == m_count ? nullptr : GetNodeAtIndex(index), item);
}

void CXmlCollection::RemoveNode(CNode * node)
{
    FireOnCollectionRemove(-1);
    if (node->previous != nullptr)
        node->previous->next = node->next;
    else
        m_head = node->next;
    if (node->next != nullptr)
        node->next->previous = node->previous;
    else
        m_tail = node->previous;
    --m_count;
    m_cursor = nullptr;
    delete node; // releases the item's reference
    FireOnCollectionRemoveComplete(-1);
    FireOnCollectionChange();
}

void CXmlCollection::Remove(int index) { RemoveNode(GetNodeAtIndex(index)); }

void CXmlCollection::Clear()
{
    while (m_count > 0)
        RemoveNode(m_head);
}

CXmlCollection::CNode * CXmlCollection::GetNodeAtIndex(int index) const
{
    if (index < 0 || index >= m_count)
        throw CNxInvalidParamException(FormatString(Msg::IndexOutOfRangeUse, index, m_count - 1));
    // Walk from whichever of the head, the tail and the last node found is nearest.
    CNode * node = m_head;
    int at = 0;
    if (m_count - 1 - index < index)
    {
        node = m_tail;
        at = m_count - 1;
    }
    if (m_cursor != nullptr && std::abs(m_cursorIndex - index) < std::abs(at - index))
    {
        node = m_cursor;
        at = m_cursorIndex;
    }
    for (; at < index; ++at)
        node = node->next;
    for (; at > index; --at)
        node = node->previous;
    m_cursor = node;
    m_cursorIndex = index;
    return node;
}

CXmlCollection::CNode * CXmlCollection::GetNodeForItem(CXmlObjectBase const * item) const
{
    CXmlObjectBase * const wanted = const_cast<CXmlObjectBase *>(item)->GetBase();
    for (CNode * node = m_head; node != nullptr; node = node->next)
    {
        if (node->item->GetBase() == wanted)
            return node;
    }
    throw CNxInvalidParamException(Msg::ObjectNotInCollection);
}

CXmlTypeCollection::CXmlTypeCollection(ItemType itemType, char const * elementName, char const * namespaceUri,
                                       int minOccurs, int maxOccurs, char const * pattern, std::int32_t minLength,
                                       std::int32_t maxLength, char const * minInclusive, char const * maxInclusive,
                                       char const * minExclusive, char const * maxExclusive, std::int32_t length,
                                       std::int32_t totalDigits, std::int32_t fractionDigits, WhitespaceRule whitespace,
                                       char const * format)
    : CXmlCollectionBase(elementName, namespaceUri, minOccurs, maxOccurs), m_itemType(itemType),
      m_whitespace(whitespace)
{
    bool const hasFacets = pattern != nullptr || minLength >= 0 || maxLength >= 0 || minInclusive != nullptr ||
                           maxInclusive != nullptr || minExclusive != nullptr || maxExclusive != nullptr ||
                           length >= 0 || totalDigits >= 0 || fractionDigits >= 0;
    bool const hasFormat = format != nullptr && *format != '\0';
    if (!hasFacets && !hasFormat)
        return; // most collections: nothing to keep
    CPrimitiveRestrictions restrictions(pattern, minLength, maxLength, minInclusive, maxInclusive, minExclusive,
                                        maxExclusive, length, totalDigits, fractionDigits);
    if (restrictions.IsEmpty() && !hasFormat)
        return;
    m_rules = std::make_shared<CValueRules const>(CValueRules{std::move(restrictions), hasFormat ? format : ""});
}

CPrimitiveRestrictions const & CXmlTypeCollection::GetRestrictions() const
{
    static CPrimitiveRestrictions const none;
    return m_rules != nullptr ? m_rules->restrictions : none;
}

std::string const & CXmlTypeCollection::GetFormat() const
{
    static std::string const none;
    return m_rules != nullptr ? m_rules->format : none;
}

CXmlElement * CXmlTypeCollection::FromXml_Int(CXmlElement *, CXmlElement * child, CSerializationContext const & context,
                                              bool)
{
    std::string const & name = GetElementNameRef();
    std::string const & namespaceUri = GetNamespaceRef();
    for (; child != nullptr; child = child->GetNextSiblingElement())
    {
        if (child->GetLocalName() != name ||
            (!context.GetIgnoreNamespaces() && child->GetNamespaceURI() != namespaceUri))
            break;
        AddFromString(std::string(child->GetText()));
    }
    return child;
}

} // namespace NxXmlLib16
