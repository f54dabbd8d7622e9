#include "OpenContent.h"

#include "SerializationContext.h"
#include "XmlDocument.h"
#include "XmlWriter.h"
#include "frame/Messages.h"
#include "frame/ReadLimits.h"

namespace NxXmlLib16
{

namespace
{
char const * const AnyNamespace = "##any";

std::string Text(char const * text) { return text != nullptr ? text : ""; }
} // namespace

CElement::CElement(char const * name) : CElement(name, "", AnyNamespace, "") {}

CElement::CElement(char const * name, char const * namespaceUri) : CElement(name, namespaceUri, AnyNamespace, "") {}

CElement::CElement(char const * name, char const * namespaceUri, char const * restriction, char const * targetNamespace)
    : CInstanceMonitor("CElement")
{
    Init(name, namespaceUri, restriction, targetNamespace);
}

CElement::CElement(CXmlObjectBase * object, char const * restriction) : CInstanceMonitor("CElement")
{
    std::string const target = object->GetNamespace();
    Init("", target.c_str(), restriction != nullptr ? restriction : AnyNamespace, target.c_str());
    std::string const text = object->ToXml(false, false, EOLType_LF, CSerializationContext::GetDefaultContext());
    CXmlDocument document;
    document.LoadXml(text.c_str());
    CopyXmlElement(document.GetDocumentElement(), CSerializationContext::GetDefaultContext());
}

CElement::CElement(CElement const & other)
    : CXmlObjectBase(other), CInstanceMonitor(other), m_namespace(other.m_namespace),
      m_restriction(other.m_restriction), m_targetNamespace(other.m_targetNamespace), m_text(other.m_text),
      m_attributes(other.m_attributes->Clone()), m_children(other.m_children->Clone())
{
}

CElement & CElement::operator=(CElement const & other)
{
    if (this != &other)
    {
        CXmlObjectBase::operator=(other);
        m_namespace = other.m_namespace;
        m_restriction = other.m_restriction;
        m_targetNamespace = other.m_targetNamespace;
        m_text = other.m_text;
        m_attributes = other.m_attributes->Clone();
        m_children = other.m_children->Clone();
    }
    return *this;
}

CElement::~CElement() = default;

void CElement::Init(char const * name, char const * namespaceUri, char const * restriction,
                    char const * targetNamespace)
{
    if (name == nullptr)
        throw CNxInvalidNamespaceException(Msg::ElementNameMustHaveValue, std::string());
    if (restriction == nullptr)
        throw CNxInvalidNamespaceException(Msg::NamespaceRestrictionMustHaveValue, std::string());
    if (targetNamespace == nullptr)
        throw CNxInvalidNamespaceException(Msg::TargetNamespaceMustHaveValue, std::string());
    std::string const ns = Text(namespaceUri);
    TestNamespace(ns.c_str(), restriction, targetNamespace);
    SetElementName(name);
    m_namespace = ns;
    m_restriction = restriction;
    m_targetNamespace = targetNamespace;
    m_attributes = new CAttributeCol("", AnyNamespace, targetNamespace);
    m_children = new CElementCol("", targetNamespace, AnyNamespace, 0, -1);
}

void CElement::SetName(char const * name) { SetElementName(name); }

void CElement::SetNamespace(char const * namespaceUri)
{
    std::string const ns = Text(namespaceUri);
    TestNamespace(ns.c_str(), m_restriction.c_str(), m_targetNamespace.c_str());
    m_namespace = ns;
}

void CElement::SetText(char const * text) { m_text = Text(text); }

CSmartPtr<CElement> CElement::Clone() const { return CSmartPtr<CElement>(new CElement(*this)); }

void CElement::SetNamespaceRestrictions(char const * restriction, char const * targetNamespace)
{
    TestNamespace(m_namespace.c_str(), restriction, targetNamespace);
    m_restriction = Text(restriction);
    m_targetNamespace = Text(targetNamespace);
    m_children->SetNamespaceRestrictions(restriction, targetNamespace);
}

void CElement::FromXml(char const * text, CSerializationContext const & context)
{
    CXmlDocument document(context);
    document.LoadXml(text);
    CheckReadDepth(*document.GetDocumentElement());
    CopyXmlElement(document.GetDocumentElement(), context);
}

void CElement::FromXml(unsigned short const * text, CSerializationContext const & context)
{
    CXmlDocument document(context);
    document.LoadXml(text);
    CheckReadDepth(*document.GetDocumentElement());
    CopyXmlElement(document.GetDocumentElement(), context);
}

void CElement::CopyXmlElement(CXmlElement * element, CSerializationContext const & context)
{
    m_attributes->Clear();
    m_children->Clear();
    CXmlObjectBase::FromXml_Int(m_attributes, element, nullptr, context);
    CXmlElement * const left = CXmlObjectBase::FromXml_Int(m_children, element, element->GetFirstElement(), context);
    if (left != nullptr)
        throw CNxValidationException(FormatString(Msg::InvalidElementFound, left->GetLocalName().c_str()),
                                     left->GetXPath());
    SetElementName(element->GetLocalName().c_str());
    m_namespace = element->GetNamespaceURI();
    m_text = std::string(element->GetText());
}

void CElement::ToXml_Int(CXmlWriter * writer, bool, char const *, CSerializationContext const & context, bool) const
{
    writer->WriteStartElement(GetElementNameRef(), m_namespace);
    CXmlObjectBase::ToXml_Int(m_attributes, writer, false, m_namespace.c_str(), context, false);
    WriteChildren(writer, context);
    writer->WriteText(m_text, ItemType_string);
    writer->WriteEndElement();
}

void CElement::WriteChildren(CXmlWriter * writer, CSerializationContext const & context) const
{
    // A run of children of one name is written as a collection, so that JSON keeps it as one array.
    bool inRun = false;
    for (CXmlCollection::CNode const * node = m_children->GetHead(); node != nullptr; node = node->next)
    {
        CElement const * const child = static_cast<CElement const *>(node->item.Get());
        CElement const * const next =
            node->next != nullptr ? static_cast<CElement const *>(node->next->item.Get()) : nullptr;
        bool const runGoesOn = next != nullptr && next->GetElementNameRef() == child->GetElementNameRef() &&
                               next->m_namespace == child->m_namespace;
        if (runGoesOn && !inRun)
            writer->SetArrayState(1);
        CXmlObjectBase::ToXml_Int(child, writer, false, m_namespace.c_str(), context, false);
        if (inRun && !runGoesOn)
            writer->SetArrayState(3);
        inRun = runGoesOn;
    }
}

CXmlElement * CElement::FromXml_Int(CXmlElement *, CXmlElement * child, CSerializationContext const & context, bool)
{
    if (child == nullptr ||
        !IsNamespaceValid(child->GetNamespaceURI().c_str(), m_restriction.c_str(), m_targetNamespace.c_str()))
        return child;
    CopyXmlElement(child, context);
    return child->GetNextSiblingElement();
}

CElementCol::CElementCol(char const * elementName, char const * namespaceUri, char const * restriction, int minOccurs,
                         int maxOccurs)
    : CXmlCollection(elementName, namespaceUri, minOccurs, maxOccurs), CInstanceMonitor("CElementCol"),
      m_restriction(restriction != nullptr ? restriction : AnyNamespace), m_targetNamespace(Text(namespaceUri))
{
}

CElementCol::CElementCol(CElementCol const & other)
    : CXmlCollection(other.GetElementNameRef().c_str(), other.GetNamespaceRef().c_str(), other.GetMinOccurs(),
                     other.GetMaxOccurs()),
      CInstanceMonitor(other), m_restriction(other.m_restriction), m_targetNamespace(other.m_targetNamespace)
{
    for (CNode const * node = other.GetHead(); node != nullptr; node = node->next)
        AppendItem(static_cast<CElement *>(node->item.Get())->Clone());
}

CElementCol::~CElementCol() = default;

CSmartPtr<CElement> CElementCol::Add(char const * name)
{
    if (GetNamespaceRef().empty())
        throw CNxInvalidStateException(Msg::CollectionNamespaceNotSet);
    return Add(name, GetNamespaceRef().c_str());
}

CSmartPtr<CElement> CElementCol::Add(char const * name, char const * namespaceUri)
{
    return Add(new CElement(name, namespaceUri, m_restriction.c_str(), m_targetNamespace.c_str()));
}

CSmartPtr<CElement> CElementCol::Add(CElement * element)
{
    CSmartPtr<CElement> const held(element);
    AppendItem(element);
    return held;
}

CSmartPtr<CElement> CElementCol::Item(int index) const
{
    return CSmartPtr<CElement>(static_cast<CElement *>(GetNodeAtIndex(index)->item.Get()));
}

void CElementCol::AddAfter(CElement const * existing, CElement * element) { AddAfterItem(existing, element); }

void CElementCol::AddBefore(CElement const * existing, CElement * element) { AddBeforeItem(existing, element); }

CSmartPtr<CElementCol> CElementCol::Clone() const { return CSmartPtr<CElementCol>(new CElementCol(*this)); }

void CElementCol::SetNamespaceRestrictions(char const * restriction, char const * targetNamespace)
{
    for (CNode const * node = GetHead(); node != nullptr; node = node->next)
        static_cast<CElement *>(node->item.Get())->SetNamespaceRestrictions(restriction, targetNamespace);
    m_restriction = Text(restriction);
    m_targetNamespace = Text(targetNamespace);
}

void CElementCol::ToXml_Int(CXmlWriter * writer, bool, char const * namespaceUri, CSerializationContext const & context,
                            bool) const
{
    for (CNode const * node = GetHead(); node != nullptr; node = node->next)
        CXmlObjectBase::ToXml_Int(node->item, writer, false, namespaceUri, context, false);
}

CXmlElement * CElementCol::FromXml_Int(CXmlElement * parent, CXmlElement * child, CSerializationContext const & context,
                                       bool)
{
    while (child != nullptr &&
           IsNamespaceValid(child->GetNamespaceURI().c_str(), m_restriction.c_str(), m_targetNamespace.c_str()))
    {
        CSmartPtr<CElement> const element(new CElement(child->GetLocalName().c_str(), child->GetNamespaceURI().c_str(),
                                                       m_restriction.c_str(), m_targetNamespace.c_str()));
        CXmlElement * const next = CXmlObjectBase::FromXml_Int(element, parent, child, context);
        if (next == child)
            break;
        AppendItem(element);
        child = next;
    }
    return child;
}

CXmlElement * CElementCol::FromXmlLockElementName_Int(std::string elementName, std::string namespaceUri,
                                                      CXmlElement * parent, CXmlElement * child,
                                                      CSerializationContext const & context)
{
    while (child != nullptr && child->GetLocalName() == elementName && child->GetNamespaceURI() == namespaceUri)
    {
        CSmartPtr<CElement> const element(new CElement(child->GetLocalName().c_str(), child->GetNamespaceURI().c_str(),
                                                       AnyNamespace, m_targetNamespace.c_str()));
        CXmlElement * const next = CXmlObjectBase::FromXml_Int(element, parent, child, context);
        if (next == child)
            break;
        AppendItem(element);
        child = next;
    }
    return child;
}

CAttribute::CAttribute(char const * name, char const * namespaceUri, char const * value)
    : CInstanceMonitor("CAttribute"), m_namespace(Text(namespaceUri)), m_value(Text(value))
{
    SetElementName(name);
}

CAttribute::~CAttribute() = default;

void CAttribute::SetValue(char const * value) { m_value = Text(value); }

CSmartPtr<CAttribute> CAttribute::Clone() const
{
    return CSmartPtr<CAttribute>(new CAttribute(GetElementNameRef().c_str(), m_namespace.c_str(), m_value.c_str()));
}

void CAttribute::ToXml_Int(CXmlWriter * writer, bool, char const *, CSerializationContext const &, bool) const
{
    writer->WriteAttribute(GetElementNameRef(), m_namespace, m_value, ItemType_string);
}

CXmlElement * CAttribute::FromXml_Int(CXmlElement *, CXmlElement *, CSerializationContext const &, bool)
{
    throw CNxException(Msg::DoneByCollection);
}

CAttributeCol::CAttributeCol(char const * elementName, char const * restriction, char const * targetNamespace)
    : CXmlCollection(elementName, "", 0, -1), CInstanceMonitor("CAttributeCol"),
      m_restriction(restriction != nullptr ? restriction : AnyNamespace), m_targetNamespace(Text(targetNamespace))
{
}

CAttributeCol::CAttributeCol(CAttributeCol const & other)
    : CXmlCollection(other.GetElementNameRef().c_str(), "", 0, -1), CInstanceMonitor(other),
      m_restriction(other.m_restriction), m_targetNamespace(other.m_targetNamespace)
{
    for (CNode const * node = other.GetHead(); node != nullptr; node = node->next)
        AppendItem(static_cast<CAttribute *>(node->item.Get())->Clone());
}

CAttributeCol::~CAttributeCol() = default;

CSmartPtr<CAttribute> CAttributeCol::Add(char const * name, char const * namespaceUri, char const * value)
{
    return Add(new CAttribute(name, namespaceUri, value));
}

CSmartPtr<CAttribute> CAttributeCol::Add(char const * name, char const * value) { return Add(name, "", value); }

CSmartPtr<CAttribute> CAttributeCol::Add(char const * name) { return Add(name, "", ""); }

CSmartPtr<CAttribute> CAttributeCol::Add(CAttribute * attribute)
{
    CSmartPtr<CAttribute> const held(attribute);
    AppendItem(attribute);
    return held;
}

CSmartPtr<CAttribute> CAttributeCol::Item(int index) const
{
    return CSmartPtr<CAttribute>(static_cast<CAttribute *>(GetNodeAtIndex(index)->item.Get()));
}

CSmartPtr<CAttributeCol> CAttributeCol::Clone() const { return CSmartPtr<CAttributeCol>(new CAttributeCol(*this)); }

void CAttributeCol::ToXml_Int(CXmlWriter * writer, bool, char const * namespaceUri,
                              CSerializationContext const & context, bool) const
{
    for (CNode const * node = GetHead(); node != nullptr; node = node->next)
        CXmlObjectBase::ToXml_Int(node->item, writer, false, namespaceUri, context, false);
}

CXmlElement * CAttributeCol::FromXml_Int(CXmlElement * element, CXmlElement * child, CSerializationContext const &,
                                         bool)
{
    for (CXmlAttribute const * attribute : element->GetAttributes())
    {
        if (!IsNamespaceValid(attribute->GetNamespaceURI().c_str(), m_restriction.c_str(), m_targetNamespace.c_str()))
            throw CNxInvalidNamespaceException(
                FormatString(Msg::AttributeNamespaceInappropriate, attribute->GetLocalName().c_str()),
                element->GetXPath());
        Add(attribute->GetLocalName().c_str(), attribute->GetNamespaceURI().c_str(),
            std::string(attribute->GetValue()).c_str());
    }
    return child;
}

} // namespace NxXmlLib16
