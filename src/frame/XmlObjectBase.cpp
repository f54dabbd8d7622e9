#include "XmlObjectBase.h"

#include "NxException.h"
#include "SerializationContext.h"
#include "XmlCollection.h"
#include "XmlDocument.h"
#include "frame/Messages.h"
#include "frame/Registration.h"
#include "xml/DemandXmlReader.h"

#include <cstring>

namespace NxXmlLib16
{

CXmlObjectBase::CXmlObjectBase() { CheckVersionOnFirstConstruction(); }

CXmlObjectBase::CXmlObjectBase(CXmlObjectBase const & other) : IEventSink(other), m_elementName(other.m_elementName)
{
    CheckVersionOnFirstConstruction();
}

CXmlObjectBase & CXmlObjectBase::operator=(CXmlObjectBase const & other)
{
    m_elementName = other.m_elementName;
    return *this;
}

CXmlObjectBase::~CXmlObjectBase() = default;

std::int32_t CXmlObjectBase::AddRef() { return m_refCount.fetch_add(1, std::memory_order_relaxed) + 1; }

std::int32_t CXmlObjectBase::Release()
{
    std::int32_t const count = m_refCount.fetch_sub(1, std::memory_order_acq_rel) - 1;
    if (count == 0)
        delete this;
    return count;
}

void CXmlObjectBase::OnEvent(CXmlObjectBase *, MsgType, void *) {}

void CXmlObjectBase::AttributesToXml_Int(CXmlWriter *, CSerializationContext const &) const {}

std::string CXmlObjectBase::GetElementName() const { return m_elementName; }

void CXmlObjectBase::SetElementName(char const * name) { m_elementName = name != nullptr ? name : ""; }

void CXmlObjectBase::SetElementName(CXmlObjectBase * object, char const * name) { object->SetElementName(name); }

void CXmlObjectBase::AttributesToXml_Int(CXmlObjectBase const * object, CXmlWriter * writer,
                                         CSerializationContext const & context)
{
    object->AttributesToXml_Int(writer, context);
}

void CXmlObjectBase::ToXml_Int(CXmlObjectBase const * object, CXmlWriter * writer, bool isRoot,
                               char const * namespaceUri, CSerializationContext const & context,
                               bool emptyChoiceAllowed)
{
    object->ToXml_Int(writer, isRoot, namespaceUri, context, emptyChoiceAllowed);
}

CXmlElement * CXmlObjectBase::FromXml_Int(CXmlObjectBase * object, CXmlElement * element, CXmlElement * child,
                                          CSerializationContext const & context)
{
    // Callers tell whether anything was read by comparing the result with where they started.
    CHoldElement const hold(child);
    return object->FromXml_Int(element, child, context, false);
}

void CXmlObjectBase::FireOnCollectionChangeEvent(IEventSink * sink, CXmlCollectionBase * collection)
{
    sink->OnEvent(collection->GetBase(), CollectionChange, nullptr);
}

void CXmlObjectBase::FireOnCollectionAddEvent(IEventSink * sink, CXmlCollectionBase * collection, void * item)
{
    sink->OnEvent(collection->GetBase(), CollectionAdd, item);
}

void CXmlObjectBase::FireOnCollectionAddCompleteEvent(IEventSink * sink, CXmlCollectionBase * collection, void * item)
{
    sink->OnEvent(collection->GetBase(), CollectionAddComplete, item);
}

void CXmlObjectBase::FireOnCollectionRemoveEvent(IEventSink * sink, CXmlCollectionBase * collection, int index)
{
    sink->OnEvent(collection->GetBase(), CollectionRemove, index == -1 ? nullptr : &index);
}

void CXmlObjectBase::FireOnCollectionRemoveCompleteEvent(IEventSink * sink, CXmlCollectionBase * collection, int index)
{
    sink->OnEvent(collection->GetBase(), CollectionRemoveComplete, index == -1 ? nullptr : &index);
}

void CXmlObjectBase::Choice_Read_Collection(CXmlCollectionBase * collection, CXmlElement * parent,
                                            CXmlElement *& current, std::int32_t & readCount,
                                            CSerializationContext const & context)
{
    if (readCount >= 1)
        return;
    CXmlElement * const next = FromXml_Int(collection, parent, current, context);
    if (next != current)
    {
        current = next;
        collection->ValidateCount(context);
        ++readCount;
    }
}

namespace
{

// The three cases shared by choice members of every kind: a member being set (present) or
// cleared, compared with the member that is selected now.
void SelectChoiceMember(char const * memberName, bool present, std::string & selection)
{
    if (selection == memberName)
    {
        if (!present)
            selection.clear();
    }
    else if (selection.empty())
    {
        if (present)
            selection = memberName;
    }
    else if (present)
    {
        throw CNxInvalidStateException(FormatString(Msg::ChoiceAlreadySetBracketed, selection.c_str()));
    }
}

} // namespace

void CXmlObjectBase::Choice_SetElementValid(bool valid, char const * memberName, std::string & selection)
{
    if (!valid)
    {
        selection.clear();
        return;
    }
    if (selection != memberName)
        throw CNxInvalidStateException(FormatString(Msg::ChoiceAlreadySetPlain, selection.c_str()));
}

void CXmlObjectBase::Choice_SelectElement(char const * memberName, CXmlObjectBase * value, std::string & selection)
{
    SelectChoiceMember(memberName, value != nullptr, selection);
}

void CXmlObjectBase::Choice_CollectionChanged(char const * memberName, std::int32_t count, std::string & selection)
{
    SelectChoiceMember(memberName, count != 0, selection);
}

void CXmlObjectBase::Throw_IfPropertyIsNull(CXmlObjectBase * value, char const * propertyName)
{
    if (value == nullptr)
        throw CNxInvalidParamException(FormatString(Msg::PropertyMandatoryMayNode, propertyName));
}

void CXmlObjectBase::Throw_IfElementNameDiffers(CXmlObjectBase * value, char const * requiredName)
{
    if (value != nullptr && value->m_elementName != requiredName)
        throw CNxInvalidParamException(
            FormatString(Msg::ElementNameMismatch, requiredName, value->m_elementName.c_str()));
}

namespace
{

// Whether one token of a namespace list accepts the namespace.
bool TokenAccepts(char const * token, std::size_t length, char const * namespaceUri, char const * targetNamespace)
{
    auto const is = [&](char const * keyword)
    { return std::strlen(keyword) == length && std::strncmp(token, keyword, length) == 0; };
    if (is("##any"))
        return true;
    if (is("##other"))
        return std::strcmp(namespaceUri, targetNamespace) != 0;
    if (is("##local"))
        return *namespaceUri == '\0';
    if (is("##targetNamespace"))
        return std::strcmp(namespaceUri, targetNamespace) == 0;
    return *namespaceUri == '\0' ||
           (std::strlen(namespaceUri) == length && std::strncmp(token, namespaceUri, length) == 0);
}

} // namespace

bool CXmlObjectBase::IsNamespaceValid(char const * namespaceUri, char const * allowed, char const * targetNamespace)
{
    char const * token = allowed;
    for (;;)
    {
        char const * const space = std::strchr(token, ' ');
        std::size_t const length = space != nullptr ? static_cast<std::size_t>(space - token) : std::strlen(token);
        if (TokenAccepts(token, length, namespaceUri, targetNamespace))
            return true;
        if (space == nullptr)
            return false;
        token = space + 1;
    }
}

void CXmlObjectBase::TestNamespace(char const * namespaceUri, char const * allowed, char const * targetNamespace)
{
    if (!IsNamespaceValid(namespaceUri, allowed, targetNamespace))
        throw CNxInvalidNamespaceException(
            FormatString(Msg::InvalidNamespaceNotAllowed, namespaceUri, allowed, targetNamespace), std::string());
}

bool CXmlObjectBase::DoesElementNameMatch(CSerializationContext const & context, CXmlElement const * element,
                                          char const * localName, char const * namespaceUri) const
{
    if (element->GetLocalName() != localName)
        return false;
    return context.GetIgnoreNamespaces() || element->GetNamespaceURI() == namespaceUri;
}

} // namespace NxXmlLib16
