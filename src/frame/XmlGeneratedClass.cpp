#include "XmlGeneratedClass.h"

#include "AttributeInfo.h"
#include "ElementInfoKinds.h"
#include "NxException.h"
#include "OpenContent.h"
#include "SerializationContext.h"
#include "Variant.h"
#include "XmlCollection.h"
#include "XmlDocument.h"
#include "XmlWriter.h"
#include "frame/Messages.h"
#include "xml/DemandXmlReader.h"

#include <vector>

namespace NxXmlLib16
{

using namespace NxXmlLib16Data;

CNXCriticalSection CXmlGeneratedClass::m_csInit;

namespace
{

[[noreturn]] void ThrowUnexpectedAttribute(CXmlAttribute const & attribute)
{
    throw CNxValidationException(Msg::UnexpectedAttributeFound, attribute.GetXPath());
}

// Attributes that declare namespaces (also when a schema without namespaces reads them as
// plain attributes) are not data.
bool IsDeclaration(CXmlAttribute const & attribute)
{
    if (attribute.IsNamespaceAttribute())
        return true;
    std::string const & name = attribute.GetLocalName();
    return attribute.GetNamespaceURI().empty() && (name == "xmlns" || name.compare(0, 6, "xmlns:") == 0);
}

} // namespace

CXmlGeneratedClass::~CXmlGeneratedClass() = default;

void CXmlGeneratedClass::CleanMetaData(CParentElementInfo *& classInfo, CElementInfo **& elementInfo,
                                       CAttributeInfo **& attributeInfo)
{
    delete classInfo;
    classInfo = nullptr;
    if (elementInfo != nullptr)
    {
        for (CElementInfo ** info = elementInfo; *info != nullptr; ++info)
            delete *info;
        delete[] elementInfo;
        elementInfo = nullptr;
    }
    if (attributeInfo != nullptr)
    {
        for (CAttributeInfo ** info = attributeInfo; *info != nullptr; ++info)
            delete *info;
        delete[] attributeInfo;
        attributeInfo = nullptr;
    }
}

CParentElementInfo * CXmlGeneratedClass::ClassInfo() const
{
    return const_cast<CXmlGeneratedClass *>(this)->GetClassInfo();
}

CElementInfo ** CXmlGeneratedClass::ElementInfo() const
{
    return const_cast<CXmlGeneratedClass *>(this)->GetClassElementInfo();
}

CAttributeInfo ** CXmlGeneratedClass::AttributeInfo() const
{
    return const_cast<CXmlGeneratedClass *>(this)->GetClassAttributeInfo();
}

int CXmlGeneratedClass::GetClassElementInfoCount() const
{
    int count = 0;
    for (CElementInfo ** info = ElementInfo(); info != nullptr && *info != nullptr; ++info)
        ++count;
    return count;
}

void CXmlGeneratedClass::ReadProperty(int propertyIndex, NxVariant & value) const
{
    const_cast<CXmlGeneratedClass *>(this)->AccessProperty(propertyIndex, true, value);
}

bool CXmlGeneratedClass::IsElementInList(CSerializationContext const & context, CXmlElement * element) const
{
    for (CElementInfo ** info = ElementInfo(); info != nullptr && *info != nullptr; ++info)
    {
        if ((*info)->IsThisElement(context, element))
            return true;
    }
    return false;
}

bool CXmlGeneratedClass::DoesElementContainOptionalElements() const
{
    for (CElementInfo ** info = ElementInfo(); info != nullptr && *info != nullptr; ++info)
    {
        CElementInfo const * const member = *info;
        if (dynamic_cast<CElementInfoChoicePrimOpt const *>(member) != nullptr ||
            dynamic_cast<CElementInfoChoiceClsOpt const *>(member) != nullptr ||
            dynamic_cast<CElementInfoChoiceAbsClsOpt const *>(member) != nullptr ||
            dynamic_cast<CElementInfoChoiceEnumOpt const *>(member) != nullptr ||
            dynamic_cast<CElementInfoChoiceUntpdOpt const *>(member) != nullptr)
            return true;
        if (dynamic_cast<CElementInfoChoiceCol const *>(member) != nullptr)
        {
            NxVariant value;
            ReadProperty(member->GetPropertyIndex(), value);
            CSmartPtr<CXmlCollectionBase> const collection = value.GetXmlCollection();
            if (collection != nullptr && collection->GetMinOccurs() == 0)
                return true;
        }
    }
    return false;
}

void CXmlGeneratedClass::AttributesToXml_Int(CXmlWriter * writer, CSerializationContext const & context) const
{
    try
    {
        CParentElementInfo const * const info = ClassInfo();
        if (context.GetWriteTypeAttribute() && info->GetHasBaseClasses() &&
            info->GetElementNameRef() != GetElementNameRef())
            writer->WriteXsiType(info->GetNamespace(), info->GetElementNameRef(), ItemType_string);
        for (CAttributeInfo ** attribute = AttributeInfo(); attribute != nullptr && *attribute != nullptr; ++attribute)
            (*attribute)->AttributeToXml(context, this, writer);
        for (CElementInfo ** element = ElementInfo(); element != nullptr && *element != nullptr; ++element)
            (*element)->PseudoChildAttributeToXml(context, this, writer);
    }
    catch (CNxException const & e)
    {
        throw CNxException(Msg::FailedConvertAttributesToXml, e);
    }
}

void CXmlGeneratedClass::WriteContent(CXmlWriter * writer, CSerializationContext const & context,
                                      bool emptyChoiceAllowed) const
{
    CParentElementInfo const * const info = ClassInfo();
    switch (info->GetGroupType())
    {
    case XmlElementGroupType_Sequence:
    case XmlElementGroupType_All:
        for (CElementInfo ** element = ElementInfo(); element != nullptr && *element != nullptr; ++element)
            (*element)->ElementToXml(context, this, writer);
        break;
    case XmlElementGroupType_Choice:
    {
        bool written = false;
        for (CElementInfo ** element = ElementInfo(); element != nullptr && *element != nullptr && !written; ++element)
            written = (*element)->ElementToXml(context, this, writer);
        if (!written && !DoesElementContainOptionalElements() && !emptyChoiceAllowed &&
            !context.GetIgnoreMissingChoice())
            throw CNxValidationException(Msg::ChoiceHasNoItemSet, std::string());
        break;
    }
    default: throw CNxException(Msg::UnknownXmlGroupType);
    }
    if (info->HasSimpleContent())
    {
        NxVariant value;
        ReadProperty(info->GetPrimitiveValuePropertyIndex(), value);
        if (value.IsNil())
            writer->WriteXsiNil();
        else if (value.IsValid())
            writer->WriteText(value.ToString(info->GetPrimitiveFormatOverride().c_str()), value.GetTypeAsEnum());
    }
}

void CXmlGeneratedClass::ToXml_Int(CXmlWriter * writer, bool isRoot, char const * namespaceUri,
                                   CSerializationContext const & context, bool emptyChoiceAllowed) const
{
    CParentElementInfo const * const info = ClassInfo();
    try
    {
        bool const ownElement = info->GetElementType() == XmlElementType_Element;
        if (ownElement)
        {
            if (isRoot)
            {
                for (std::string const & instruction : context.GetProcessingInstructions())
                    writer->WriteRawBlock(instruction);
                CNamespaceAliasMap const & aliases = context.GetNamespaceAliases();
                for (int i = 0; i < aliases.GetNamespaceCount(); ++i)
                {
                    std::string const ns = aliases.GetNamespaceAt(i);
                    writer->AddNamespace(aliases.GetAliasFromNamespace(ns.c_str()), ns);
                }
                if (!context.GetDefaultNamespaceURI().empty())
                    writer->SetDefaultNamespace(context.GetDefaultNamespaceURI());
            }
            writer->WriteStartElement(GetElementNameRef(), namespaceUri != nullptr ? namespaceUri : "");
            if (isRoot)
            {
                CSmartPtr<CAttributeCol> const extra = context.GetAdditionalRootAttributes();
                CXmlObjectBase::ToXml_Int(extra, writer, isRoot, namespaceUri, context, emptyChoiceAllowed);
            }
            AttributesToXml_Int(writer, context);
            if (isRoot && !context.GetInLineSchema().empty())
                writer->WriteRawLine(context.GetInLineSchema());
        }
        INillable const * const nillable = dynamic_cast<INillable const *>(this);
        if (nillable != nullptr && nillable->IsNil())
            writer->WriteXsiNil();
        else
            WriteContent(writer, context, emptyChoiceAllowed);
        if (ownElement)
            writer->WriteEndElement();
    }
    catch (CNxException const & e)
    {
        throw CNxValidationException(FormatString(Msg::FailedConvertElementToXml, GetElementNameRef().c_str()),
                                     std::string(), e);
    }
}

CXmlElement * CXmlGeneratedClass::FromXml_Int(CXmlElement * element, CXmlElement * child,
                                              CSerializationContext const & context, bool emptyChoiceAllowed)
{
    Init();
    try
    {
        CParentElementInfo const * const info = GetClassInfo();
        int const elementType = info->GetElementType();
        if (elementType == XmlElementType_Element)
            SetElementName(element->GetLocalName().c_str());
        ProcessAttributesFromXml(context, element, info->GetFromXmlFailIfAttributeUnknown());
        INillable const * const nillable = dynamic_cast<INillable const *>(this);
        if (nillable != nullptr && nillable->IsNil())
            return child;
        CXmlElement * next = nullptr;
        switch (info->GetGroupType())
        {
        case XmlElementGroupType_Sequence: next = ProcessElementSeqFromXml(context, element, child, elementType); break;
        case XmlElementGroupType_Choice:
            next = ProcessElementChoiceFromXml(context, element, child, elementType, emptyChoiceAllowed);
            break;
        case XmlElementGroupType_All: next = ProcessElementAllFromXml(context, element, child, elementType); break;
        default: throw CNxException(Msg::UnknownGroupType);
        }
        if (info->HasSimpleContent())
        {
            NxVariant value;
            std::string const text(element->GetText());
            if (info->GetOutputPrimitiveClassAsTextProperty() || info->GetPrimitiveItemType() == ItemType_string)
                value.SetString(text);
            else
                value.FromString(text, info->GetPrimitiveItemType(), CWhitespaceUtils::WhitespaceRule_Collapse);
            AccessProperty(info->GetPrimitiveValuePropertyIndex(), false, value);
        }
        return next;
    }
    catch (CNxException const & e)
    {
        if (!e.GetPath().empty())
            throw;
        throw CNxValidationException(Msg::FailedProcessElement, element->GetXPath(), e);
    }
}

void CXmlGeneratedClass::ProcessAttributesFromXml(CSerializationContext const & context, CXmlElement * element,
                                                  bool failIfUnknown)
{
    CAttributeInfo ** const infos = GetClassAttributeInfo();
    std::size_t count = 0;
    while (infos != nullptr && infos[count] != nullptr)
        ++count;
    // Found flags, on the stack for the usual few attributes.
    char fewFound[16] = {};
    std::vector<char> manyFound(count > sizeof fewFound ? count : 0, 0);
    char * const found = count > sizeof fewFound ? manyFound.data() : fewFound;
    for (CXmlAttribute const * attribute : element->GetAttributes())
    {
        if (attribute->IsNilAttribute())
        {
            INillable * const nillable = dynamic_cast<INillable *>(this);
            if (nillable == nullptr)
                throw CNxValidationException(Msg::NilOnNonNillableElement, element->GetXPath());
            std::string_view const value = attribute->GetValue();
            if (value == "true" || value == "1")
                nillable->SetNil(true);
            else if (value == "false" || value == "0")
                nillable->SetNil(false);
            else
                throw CNxValidationException(FormatString(Msg::UnexpectedNilValue, std::string(value).c_str()),
                                             attribute->GetXPath());
            continue;
        }
        if (IsDeclaration(*attribute))
            continue;
        bool taken = false;
        for (std::size_t i = 0; i < count && !taken; ++i)
        {
            if (infos[i]->AttributeFromXml(context, this, const_cast<CXmlAttribute *>(attribute)))
            {
                found[i] = 1;
                taken = true;
            }
        }
        if (!taken && failIfUnknown && !context.GetIgnoreUnknownAttributes())
            ThrowUnexpectedAttribute(*attribute);
    }
    for (std::size_t i = 0; i < count; ++i)
        infos[i]->Validate(context, found[i] != 0);
}

void CXmlGeneratedClass::ThrowLeftOver(CXmlElement * parent, CXmlElement * child) const
{
    throw CNxValidationException(
        FormatString(Msg::ElementLeftUnprocessed, parent->GetLocalName().c_str(), child->GetLocalName().c_str()),
        parent->GetXPath());
}

CXmlElement * CXmlGeneratedClass::ProcessElementSeqFromXml(CSerializationContext const & context, CXmlElement * parent,
                                                           CXmlElement * child, int elementType)
{
    // Inlined content may give the elements it passed back to its owner, which reads them again.
    CKeepPassedContent const keepPassed(elementType != XmlElementType_Element);
    CXmlElement * const entry = child;
    std::string const & ns = GetClassInfo()->GetNamespace();
    XmlElementType const type = static_cast<XmlElementType>(elementType);
    CElementInfo * last = nullptr;
    for (CElementInfo ** info = GetClassElementInfo(); info != nullptr && *info != nullptr; ++info)
    {
        last = *info;
        while (!last->ElementFromXml(context, this, parent, &child, ns.c_str(), type))
        {
            if (context.GetIgnoreUnknownElements() && child != nullptr)
            {
                child = child->GetNextSiblingElement();
                continue;
            }
            // Inlined content gives the elements back to its owner; an element of its own
            // goes on with its next member, and what stays unread is reported below.
            if (elementType != XmlElementType_Element)
                return entry;
            break;
        }
    }
    if (elementType != XmlElementType_Element || child == nullptr)
        return child;
    if (!context.GetIgnoreUnknownElements())
        ThrowLeftOver(parent, child);
    // Unknown elements are skipped; the last member may still take what follows them.
    while (child != nullptr)
    {
        child = child->GetNextSiblingElement();
        if (child != nullptr && last != nullptr)
            last->ElementFromXml(context, this, parent, &child, ns.c_str(), type);
    }
    return child;
}

CXmlElement * CXmlGeneratedClass::ProcessElementChoiceFromXml(CSerializationContext const & context,
                                                              CXmlElement * parent, CXmlElement * child,
                                                              int elementType, bool emptyChoiceAllowed)
{
    CKeepPassedContent const keepPassed(elementType != XmlElementType_Element);
    std::string const & ns = GetClassInfo()->GetNamespace();
    XmlElementType const type = static_cast<XmlElementType>(elementType);
    bool accepted = false;
    for (;;)
    {
        for (CElementInfo ** info = GetClassElementInfo(); info != nullptr && *info != nullptr && !accepted; ++info)
            accepted = (*info)->ElementFromXml(context, this, parent, &child, ns.c_str(), type);
        if (accepted || !context.GetIgnoreUnknownElements() || child == nullptr ||
            elementType != XmlElementType_Element)
            break;
        child = child->GetNextSiblingElement();
    }
    if (!accepted && !emptyChoiceAllowed)
    {
        if (elementType != XmlElementType_Element)
            return child;
        if (!DoesElementContainOptionalElements() && !context.GetIgnoreMissingChoice())
            throw CNxValidationException(FormatString(Msg::ChoiceHasNoChildElement, parent->GetLocalName().c_str()),
                                         parent->GetXPath());
    }
    if (child != nullptr && elementType == XmlElementType_Element && !context.GetIgnoreUnknownElements())
        ThrowLeftOver(parent, child);
    return child;
}

CXmlElement * CXmlGeneratedClass::ProcessElementAllFromXml(CSerializationContext const & context, CXmlElement * parent,
                                                           CXmlElement * child, int elementType)
{
    CKeepPassedContent const keepPassed(elementType != XmlElementType_Element);
    std::string const & ns = GetClassInfo()->GetNamespace();
    XmlElementType const type = static_cast<XmlElementType>(elementType);
    CElementInfo ** const infos = GetClassElementInfo();
    std::size_t const count = static_cast<std::size_t>(GetClassElementInfoCount());
    std::vector<char> found(count, 0);
    bool moved = true;
    while (child != nullptr && moved)
    {
        CXmlElement * const before = child;
        CHoldElement const hold(before);
        for (std::size_t i = 0; i < count; ++i)
        {
            if (!found[i])
                found[i] = infos[i]->ElementFromXml(context, this, parent, &child, ns.c_str(), type) ? 1 : 0;
        }
        moved = child != before;
    }
    for (std::size_t i = 0; i < count; ++i)
    {
        if (!infos[i]->Validate(context, this, found[i] != 0, elementType == XmlElementType_Element))
            return child;
    }
    if (elementType != XmlElementType_Element || child == nullptr || context.GetIgnoreUnknownElements())
        return child;
    ThrowLeftOver(parent, child);
}

} // namespace NxXmlLib16
