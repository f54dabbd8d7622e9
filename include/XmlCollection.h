// CXmlCollectionBase, CXmlCollection and CXmlTypeCollection: the bases of repeated members.
#pragma once

#include "Conversions.h"
#include "PrimitiveRestrictions.h"
#include "SmartPtr.h"
#include "XmlObjectBase.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace NxXmlLib16
{

// What every collection shares: the item element's name and namespace, occurrence bounds and
// change listeners. A collection is written and read as a run of sibling elements.
class CXmlCollectionBase : public CXmlObjectBase
{
public:
    int GetMinOccurs() const { return m_minOccurs; }
    // -1 for unbounded.
    int GetMaxOccurs() const { return m_maxOccurs; }
    // Adds a listener of changes (a listener added twice is told twice).
    void AddEventListener(IEventSink * listener);
    // Removes every registration of the listener.
    void RemoveEventListener(IEventSink * listener);

    CXmlObjectBase * GetBase() override { return this; }
    // The namespace of the item elements.
    std::string GetNamespace() const override { return *m_namespace; }

    virtual int GetCount() const = 0;
    virtual void Clear() = 0;
    virtual void Remove(int index) = 0;
    // Throws when the count is outside the occurrence bounds, unless the context ignores counts.
    virtual void ValidateCount(CSerializationContext const & context) const;
    virtual bool IsValidCount(CSerializationContext const & context) const;

protected:
    CXmlCollectionBase();
    CXmlCollectionBase(char const * elementName, char const * namespaceUri, int minOccurs, int maxOccurs);
    CXmlCollectionBase(CXmlCollectionBase const & other);
    CXmlCollectionBase & operator=(CXmlCollectionBase const & other);

    // Collections have no type of their own: this throws.
    std::string GetTargetNamespace() const override;

    // Tell every listener, in the order they were added.
    void FireOnCollectionChange();
    void FireOnCollectionAdd(void * item);
    void FireOnCollectionAddComplete(void * item);
    void FireOnCollectionRemove(int index);
    void FireOnCollectionRemoveComplete(int index);
    bool HasListeners() const { return m_listeners != nullptr && !m_listeners->empty(); }
    std::string const & GetNamespaceRef() const { return *m_namespace; }

private:
    // Calls the action for every listener, in the order they were added.
    template <class Action>
    void ForEachListener(Action && action);

    std::string const * m_namespace; // shared by every collection of the same namespace
    // Created with the first listener: most collections never have one.
    std::unique_ptr<std::vector<IEventSink *>> m_listeners;
    int m_minOccurs = 0;
    int m_maxOccurs = -1;
};

// A doubly linked list of reference-counted objects: the base of collections of generated
// classes and of open content.
class CXmlCollection : public CXmlCollectionBase
{
public:
    // One entry of the list; it holds one reference to its item.
    struct CNode
    {
        CSmartPtr<CXmlObjectBase> item;
        CNode * next;
        CNode * previous;
    };

    int GetCount() const override { return m_count; }
    // Removes every item, firing the removal events for each.
    void Clear() override;
    void Remove(int index) override;

protected:
    CXmlCollection();
    CXmlCollection(char const * elementName, char const * namespaceUri, int minOccurs, int maxOccurs);
    CXmlCollection(CXmlCollection const & other);
    CXmlCollection & operator=(CXmlCollection const & other);
    ~CXmlCollection() override;

    // Every item's attributes, for items written inline into their parent.
    void AttributesToXml_Int(CXmlWriter * writer, CSerializationContext const & context) const override;

    void AppendItem(CXmlObjectBase * item);
    void PrependItem(CXmlObjectBase * item);
    // After the existing item (a null existing item prepends).
    void AddAfterItem(CXmlObjectBase const * existing, CXmlObjectBase * item);
    // Before the existing item (a null existing item appends).
    void AddBeforeItem(CXmlObjectBase const * existing, CXmlObjectBase * item);
    // Before the item at the index; the count appends.
    void AddItemAt(int index, CXmlObjectBase * item);
    void RemoveNode(CNode * node);
    // The node at the index; sequential access costs one step per call.
    CNode * GetNodeAtIndex(int index) const;
    CNode * GetNodeForItem(CXmlObjectBase const * item) const;
    CNode * GetHead() const { return m_head; }

private:
    // Links a new node for the item before `next` (null: at the end), with the add events.
    void InsertBefore(CNode * next, CXmlObjectBase * item);

    CNode * m_head = nullptr;
    CNode * m_tail = nullptr;
    int m_count = 0;
    // The last node found by index, so that walking by index is linear.
    mutable CNode * m_cursor = nullptr;
    mutable int m_cursorIndex = -1;
};

// The base of the typed value collections: item type, facets, whitespace rule and format, and
// reading a run of matching elements.
class CXmlTypeCollection : public CXmlCollectionBase
{
public:
    ItemType GetItemType() const { return m_itemType; }
    CPrimitiveRestrictions const & GetRestrictions() const;
    WhitespaceRule GetWhitespaceRule() const { return m_whitespace; }
    std::string const & GetFormat() const;

protected:
    CXmlTypeCollection(ItemType itemType, char const * elementName, char const * namespaceUri, int minOccurs,
                       int maxOccurs, char const * pattern, std::int32_t minLength, std::int32_t maxLength,
                       char const * minInclusive, char const * maxInclusive, char const * minExclusive,
                       char const * maxExclusive, std::int32_t length, std::int32_t totalDigits,
                       std::int32_t fractionDigits, WhitespaceRule whitespace, char const * format);
    CXmlTypeCollection(CXmlTypeCollection const &) = default;
    CXmlTypeCollection & operator=(CXmlTypeCollection const &) = default;

    // Reads the run of sibling elements with the item name: each element's text is added.
    CXmlElement * FromXml_Int(CXmlElement * parent, CXmlElement * child, CSerializationContext const & context,
                              bool emptyChoiceAllowed) override;
    // Converts, validates and appends one item's text.
    virtual void AddFromString(std::string text) = 0;

private:
    // The facets and the format, kept only when some are set.
    struct CValueRules
    {
        CPrimitiveRestrictions restrictions;
        std::string format;
    };

    // Shared by copies: a collection of a simple type without facets or format costs little.
    std::shared_ptr<CValueRules const> m_rules;
    ItemType m_itemType;
    WhitespaceRule m_whitespace;
};

} // namespace NxXmlLib16
