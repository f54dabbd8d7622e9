// CElement, CElementCol, CAttribute, CAttributeCol and CNxIterator: holders of wildcard content.
#pragma once

#include "InstanceMonitor.h"
#include "NxException.h"
#include "XmlCollection.h"

#include <string>

namespace NxXmlLib16Data
{
class CElementInfo;
}

namespace NxXmlLib16
{

class CElementCol;
class CAttributeCol;

// A forward iterator over the items of a collection of objects.
template <class T>
class CNxIterator
{
public:
    explicit CNxIterator(CXmlCollection::CNode * node = nullptr) : m_node(node) {}

    T & operator*() const { return *Checked(); }
    T * operator->() const { return Checked(); }
    CNxIterator & operator++()
    {
        Checked();
        m_node = m_node->next;
        return *this;
    }
    bool operator==(CNxIterator const & other) const { return m_node == other.m_node; }
    bool operator!=(CNxIterator const & other) const { return m_node != other.m_node; }

private:
    T * Checked() const
    {
        if (m_node == nullptr)
            throw CNxException("No More Elements in the Collection");
        return static_cast<T *>(m_node->item.Get());
    }

    CXmlCollection::CNode * m_node;
};

// One wildcard element: name, namespace, text, attributes and child elements, with the
// namespace restriction of the wildcard that holds it.
class CElement : public CXmlObjectBase, public CInstanceMonitor
{
public:
    explicit CElement(char const * name);
    CElement(char const * name, char const * namespaceUri);
    // Throws when the namespace breaks the restriction (judged against the target namespace).
    CElement(char const * name, char const * namespaceUri, char const * restriction, char const * targetNamespace);
    // The object as it would be written, with the given namespace restriction ("##any" for null).
    CElement(CXmlObjectBase * object, char const * restriction);
    // A deep copy.
    CElement(CElement const & other);
    CElement & operator=(CElement const & other);

    CXmlObjectBase * GetBase() override { return this; }
    std::string GetNamespace() const override { return m_namespace; }

    std::string GetName() const { return GetElementName(); }
    void SetName(char const * name);
    void SetNamespace(char const * namespaceUri);
    std::string GetText() const { return m_text; }
    void SetText(char const * text);
    CSmartPtr<CAttributeCol> GetAttributes() const { return m_attributes; }
    CSmartPtr<CElementCol> GetChildElements() const { return m_children; }
    std::string GetNamespaceRestriction() const { return m_restriction; }
    std::string GetTargetNamespaceOfRestriction() const { return m_targetNamespace; }
    // A deep copy.
    CSmartPtr<CElement> Clone() const;
    // Tests this element and its descendants against a new restriction, then keeps it.
    void SetNamespaceRestrictions(char const * restriction, char const * targetNamespace);
    // The other reading entry points of every object.
    using CXmlObjectBase::FromXml;
    // Replaces this element's content with the document element of the XML text.
    void FromXml(char const * text,
                 CSerializationContext const & context = CSerializationContext::GetDefaultContext()) override;
    // Replaces this element's content with the document element of the UTF-16 XML text.
    void FromXml(unsigned short const * text,
                 CSerializationContext const & context = CSerializationContext::GetDefaultContext()) override;

protected:
    ~CElement() override;
    std::string GetTargetNamespace() const override { return m_namespace; }
    void ToXml_Int(CXmlWriter * writer, bool isRoot, char const * namespaceUri, CSerializationContext const & context,
                   bool emptyChoiceAllowed) const override;
    // Reads the current child (not the parent) when its namespace is allowed; returns its next
    // sibling, or the child itself when it was not taken.
    CXmlElement * FromXml_Int(CXmlElement * parent, CXmlElement * child, CSerializationContext const & context,
                              bool emptyChoiceAllowed) override;

    void Init(char const * name, char const * namespaceUri, char const * restriction, char const * targetNamespace);
    // Copies name, namespace, text, attributes and child elements of a document element.
    void CopyXmlElement(CXmlElement * element, CSerializationContext const & context);

private:
    // Writes the child elements, marking each run of one name as a collection.
    void WriteChildren(CXmlWriter * writer, CSerializationContext const & context) const;

    std::string m_namespace;
    std::string m_restriction;
    std::string m_targetNamespace;
    std::string m_text;
    CSmartPtr<CAttributeCol> m_attributes;
    CSmartPtr<CElementCol> m_children;
};

// A collection of wildcard elements.
class CElementCol : public CXmlCollection, public CInstanceMonitor
{
public:
    // The namespace is given to elements added by name; it is also the target namespace of the
    // restriction.
    CElementCol(char const * elementName, char const * namespaceUri, char const * restriction, int minOccurs,
                int maxOccurs);
    CElementCol(CElementCol const & other);
    CElementCol & operator=(CElementCol const &) = delete;

    // A new element in the collection's namespace; throws when the collection has none.
    CSmartPtr<CElement> Add(char const * name);
    CSmartPtr<CElement> Add(char const * name, char const * namespaceUri);
    CSmartPtr<CElement> Add(CElement * element);
    CSmartPtr<CElement> Item(int index) const;
    void AddAfter(CElement const * existing, CElement * element);
    void AddBefore(CElement const * existing, CElement * element);
    CNxIterator<CElement> begin() const { return CNxIterator<CElement>(GetHead()); }
    CNxIterator<CElement> end() const { return CNxIterator<CElement>(); }
    // A deep copy of the collection and its elements.
    CSmartPtr<CElementCol> Clone() const;
    void SetNamespaceRestrictions(char const * restriction, char const * targetNamespace);

protected:
    ~CElementCol() override;
    void ToXml_Int(CXmlWriter * writer, bool isRoot, char const * namespaceUri, CSerializationContext const & context,
                   bool emptyChoiceAllowed) const override;
    // Reads the run of siblings whose namespaces the restriction allows.
    CXmlElement * FromXml_Int(CXmlElement * parent, CXmlElement * child, CSerializationContext const & context,
                              bool emptyChoiceAllowed) override;
    // Reads the run of siblings with this local name and namespace, whatever the restriction.
    virtual CXmlElement * FromXmlLockElementName_Int(std::string elementName, std::string namespaceUri,
                                                     CXmlElement * parent, CXmlElement * child,
                                                     CSerializationContext const & context);

private:
    friend class CElement;
    friend class NxXmlLib16Data::CElementInfo;

    std::string m_restriction;
    std::string m_targetNamespace;
};

// One wildcard attribute: local name, namespace and value.
class CAttribute : public CXmlObjectBase, public CInstanceMonitor
{
public:
    CXmlObjectBase * GetBase() override { return this; }
    std::string GetNamespace() const override { return m_namespace; }
    std::string GetName() const { return GetElementName(); }
    std::string GetValue() const { return m_value; }
    void SetValue(char const * value);
    CSmartPtr<CAttribute> Clone() const;

protected:
    friend class CAttributeCol;
    CAttribute(char const * name, char const * namespaceUri, char const * value);
    ~CAttribute() override;
    std::string GetTargetNamespace() const override { return m_namespace; }
    void ToXml_Int(CXmlWriter * writer, bool isRoot, char const * namespaceUri, CSerializationContext const & context,
                   bool emptyChoiceAllowed) const override;
    // Attributes are read by their collection: this throws.
    CXmlElement * FromXml_Int(CXmlElement * parent, CXmlElement * child, CSerializationContext const & context,
                              bool emptyChoiceAllowed) override;

private:
    std::string m_namespace;
    std::string m_value;
};

// A collection of wildcard attributes with the restriction of their wildcard.
class CAttributeCol : public CXmlCollection, public CInstanceMonitor
{
public:
    CAttributeCol(char const * elementName, char const * restriction, char const * targetNamespace);
    CAttributeCol(CAttributeCol const & other);
    CAttributeCol & operator=(CAttributeCol const &) = delete;

    // Adds an attribute (name, namespace, value).
    CSmartPtr<CAttribute> Add(char const * name, char const * namespaceUri, char const * value);
    // Adds an attribute without namespace (name, value).
    CSmartPtr<CAttribute> Add(char const * name, char const * value);
    // Adds an attribute without namespace and with an empty value.
    CSmartPtr<CAttribute> Add(char const * name);
    CSmartPtr<CAttribute> Add(CAttribute * attribute);
    CSmartPtr<CAttribute> Item(int index) const;
    CNxIterator<CAttribute> begin() const { return CNxIterator<CAttribute>(GetHead()); }
    CNxIterator<CAttribute> end() const { return CNxIterator<CAttribute>(); }
    // A copy of the collection and its attributes.
    CSmartPtr<CAttributeCol> Clone() const;

protected:
    ~CAttributeCol() override;
    void ToXml_Int(CXmlWriter * writer, bool isRoot, char const * namespaceUri, CSerializationContext const & context,
                   bool emptyChoiceAllowed) const override;
    // Takes every attribute of the element; one whose namespace is not allowed throws.
    CXmlElement * FromXml_Int(CXmlElement * element, CXmlElement * child, CSerializationContext const & context,
                              bool emptyChoiceAllowed) override;

private:
    std::string m_restriction;
    std::string m_targetNamespace;
};

} // namespace NxXmlLib16
