#include "ElementInfo.h"

#include "NxException.h"
#include "OpenContent.h"
#include "SerializationContext.h"
#include "Variant.h"
#include "XmlDocument.h"
#include "XmlGeneratedClass.h"
#include "XmlWriter.h"
#include "frame/Messages.h"
#include "xml/DemandXmlReader.h"

#include <cstring>

namespace NxXmlLib16Data
{

using namespace NxXmlLib16;

char const * const CElementInfo::AnyElementName = "AnyElement";

namespace
{
std::string Text(char const * text) { return text != nullptr ? text : ""; }
} // namespace

CElementInfo::CElementInfo(char const * name, char const * ns, int propertyIndex)
    : m_elementName(Text(name)), m_elementNamespace(Text(ns)), m_propertyIndex(propertyIndex)
{
}

CElementInfo::CElementInfo(char const * name, char const * ns, int propertyIndex, bool nillable,
                           EnumToStringFn enumToString, StringToEnumFn stringToEnum, char const * defaultValue)
    : m_elementName(Text(name)), m_elementNamespace(Text(ns)), m_propertyIndex(propertyIndex),
      m_defaultValue(Text(defaultValue)), m_nillable(nillable), m_enumToString(enumToString),
      m_stringToEnum(stringToEnum)
{
}

CElementInfo::CElementInfo(char const * name, char const * ns, int propertyIndex, bool nillable, ItemType itemType,
                           char const * formatOverride, WhitespaceRule whitespace,
                           CPrimitiveRestrictions const & restrictions, char const * defaultValue)
    : m_elementName(Text(name)), m_elementNamespace(Text(ns)), m_propertyIndex(propertyIndex),
      m_restrictions(restrictions), m_itemType(itemType), m_formatOverride(Text(formatOverride)),
      m_whitespace(whitespace), m_defaultValue(Text(defaultValue)), m_nillable(nillable), m_hasRestrictions(true)
{
}

CElementInfo::~CElementInfo() = default;

bool CElementInfo::Validate(CSerializationContext const &, CXmlGeneratedClass const *, bool, bool) const
{
    throw CNxException(Msg::NotImplemented);
}

void CElementInfo::PseudoChildAttributeToXml(CSerializationContext const &, CXmlGeneratedClass const *,
                                             CXmlWriter *) const
{
}

void CElementInfo::CheckRestriction(NxVariant const & value) const
{
    if (!m_hasRestrictions)
        throw CNxException(Msg::CannotCheckRestrictionFor + value.GetType());
    if (CFacetValidator::NeedsValidation(m_itemType, m_restrictions))
        CFacetValidator::ValidateValue(m_elementName.c_str(), value, m_itemType, m_restrictions);
}

void CElementInfo::CheckRestriction(std::string const & value) const
{
    if (!m_hasRestrictions)
        throw CNxException(Msg::CannotCheckRestrictionForString);
    if (CFacetValidator::NeedsValidation(m_itemType, m_restrictions))
        CFacetValidator::ValidateString(m_elementName.c_str(), value, m_itemType, m_restrictions);
}

bool CElementInfo::IsThisElement(CSerializationContext const & context, CXmlElement const * element) const
{
    if (element == nullptr || element->GetLocalName() != m_elementName)
        return false;
    return context.GetIgnoreNamespaces() || element->GetNamespaceURI() == m_elementNamespace;
}

std::string CElementInfo::GetAnyDefaultNamespace(char const * nsConstraint, char const * targetNamespace,
                                                 char const * declaredNamespace)
{
    std::string const constraint = Text(nsConstraint);
    if (constraint == "##any")
        return Text(targetNamespace);
    if (constraint == "##other")
        return Text(targetNamespace).empty() ? "DefaultNamespace" : "";
    if (constraint == "##local")
        return "";
    if (constraint == "##targetNamespace")
        return Text(declaredNamespace);
    std::size_t const space = constraint.find(' ');
    if (space != std::string::npos && constraint.size() > 2 && constraint.compare(0, 2, "##") == 0)
        return GetAnyDefaultNamespace(constraint.substr(0, space).c_str(), targetNamespace, declaredNamespace);
    return "";
}

void CElementInfo::InvokePropertyGet(CXmlGeneratedClass * object, NxVariant & value) const
{
    try
    {
        object->AccessProperty(m_propertyIndex, true, value);
    }
    catch (CNxException const & e)
    {
        throw CNxValidationException(FormatString(Msg::FailedGetPropertyValue, m_elementName.c_str()), std::string(),
                                     e);
    }
}

void CElementInfo::ReadProperty(CXmlGeneratedClass const * object, NxVariant & value) const
{
    InvokePropertyGet(const_cast<CXmlGeneratedClass *>(object), value);
}

void CElementInfo::InvokePropertySet(CXmlGeneratedClass * object, NxVariant & value, CXmlElement const & source) const
{
    try
    {
        object->AccessProperty(m_propertyIndex, false, value);
    }
    catch (CNxException const & e)
    {
        throw CNxValidationException(Msg::FailedSetPropertyValue, source.GetXPath(), e);
    }
}

CXmlElement * CElementInfo::FromXml_Int(CXmlObjectBase * target, CXmlElement * element, CXmlElement * firstChild,
                                        CSerializationContext const & context, bool emptyChoiceAllowed)
{
    // Callers tell whether anything was read by comparing the result with where they started.
    CHoldElement const hold(firstChild);
    return target->FromXml_Int(element, firstChild, context, emptyChoiceAllowed);
}

void CElementInfo::AttributesToXml_Int(CXmlObjectBase const * target, CXmlWriter * writer,
                                       CSerializationContext const & context) const
{
    target->AttributesToXml_Int(writer, context);
}

bool CElementInfo::ElementToXmlPrim(CSerializationContext const & context, CXmlGeneratedClass const * object,
                                    CXmlWriter * writer) const
{
    NxVariant value;
    ReadProperty(object, value);
    if (value.IsNil())
    {
        writer->WriteStartElement(m_elementName, m_elementNamespace);
        writer->WriteXsiNil();
        writer->WriteEndElement();
        return true;
    }
    if (!value.IsValid())
        return false;
    // Text values are written from the variant itself; other types are formatted first.
    std::string formatted;
    bool const isText = value.GetTypeAsEnum() == NxXmlLib16::ItemType_string;
    if (!isText)
        formatted = value.ToString(m_formatOverride.c_str());
    std::string const & text = isText ? value.GetStringRef() : formatted;
    if (!m_defaultValue.empty() && text == m_defaultValue)
    {
        writer->WriteStartElement(m_elementName, m_elementNamespace);
        if (context.GetWriteDefaultElementValues())
            writer->WriteText(text, value.GetTypeAsEnum());
        writer->WriteEndElement();
        return true;
    }
    CheckRestriction(value);
    writer->WriteStartElement(m_elementName, m_elementNamespace);
    writer->WriteText(text, value.GetTypeAsEnum());
    writer->WriteEndElement();
    return true;
}

bool CElementInfo::ElementToXmlEnum(CSerializationContext const & context, CXmlGeneratedClass const * object,
                                    CXmlWriter * writer, EnumToStringFn enumToString) const
{
    NxVariant value;
    ReadProperty(object, value);
    if (value.IsNil())
    {
        writer->WriteStartElement(m_elementName, m_elementNamespace);
        writer->WriteXsiNil();
        writer->WriteEndElement();
        return true;
    }
    if (!value.IsValid())
        return false;
    std::string const text = Text(enumToString(value.GetI4()));
    writer->WriteStartElement(m_elementName, m_elementNamespace);
    if (m_defaultValue.empty() || text != m_defaultValue || context.GetWriteDefaultElementValues())
        writer->WriteText(text, NxXmlLib16::ItemType_string);
    writer->WriteEndElement();
    return true;
}

bool CElementInfo::ElementToXmlCls(CSerializationContext const & context, CXmlGeneratedClass const * object,
                                   CXmlWriter * writer, bool emptyChoiceAllowed) const
{
    NxVariant value;
    ReadProperty(object, value);
    CSmartPtr<CXmlObjectBase> const member = value.GetXmlObject();
    if (member == nullptr)
        return false;
    member->ToXml_Int(writer, false, m_elementNamespace.c_str(), context, emptyChoiceAllowed);
    return true;
}

bool CElementInfo::ElementToXmlCol(CSerializationContext const & context, CXmlGeneratedClass const * object,
                                   CXmlWriter * writer) const
{
    NxVariant value;
    ReadProperty(object, value);
    CSmartPtr<CXmlCollectionBase> const collection = value.GetXmlCollection();
    if (collection == nullptr || collection->GetCount() <= 0)
        return false;
    writer->SetArrayState(1);
    static_cast<CXmlObjectBase const *>(collection.Get())
        ->ToXml_Int(writer, false, m_elementNamespace.c_str(), context, false);
    writer->SetArrayState(3);
    return true;
}

bool CElementInfo::ReadNil(CSerializationContext const & context, CXmlElement const & element) const
{
    bool nil = false;
    for (CXmlAttribute const * attribute : element.GetAttributes())
    {
        if (attribute->IsNilAttribute())
        {
            std::string_view const text = attribute->GetValue();
            if (text == "false" || text == "0")
                continue;
            if (!m_nillable)
                throw CNxValidationException(Msg::NilOnNonNillableElement, attribute->GetXPath());
            if (text != "true" && text != "1")
                throw CNxValidationException(FormatString(Msg::UnexpectedNilValue, std::string(text).c_str()),
                                             attribute->GetXPath());
            nil = true;
        }
        else if (!context.GetIgnoreUnknownAttributes() && !attribute->IsNamespaceAttribute())
        {
            throw CNxValidationException(Msg::UnexpectedAttributeFound, attribute->GetXPath());
        }
    }
    return nil;
}

void CElementInfo::ElementFromXmlPrim(CSerializationContext const & context, CXmlGeneratedClass * object,
                                      CXmlElement ** current) const
{
    CXmlElement & element = **current;
    NxVariant value;
    if (ReadNil(context, element))
    {
        value.SetString(std::string());
        value.SetNil();
    }
    else
    {
        std::string text(element.GetText());
        if (text.empty() && !m_defaultValue.empty())
            text = m_defaultValue;
        if (m_itemType == NxXmlLib16::ItemType_string && CWhitespaceUtils::LeavesUnchanged(m_whitespace, text))
            value.SetString(std::move(text)); // nothing to convert: the text itself is the value
        else
            value.FromString(text, m_itemType, m_whitespace);
    }
    InvokePropertySet(object, value, element);
    *current = element.GetNextSiblingElement();
}

void CElementInfo::ElementFromXmlEnum(CSerializationContext const & context, CXmlGeneratedClass * object,
                                      CXmlElement ** current) const
{
    CXmlElement & element = **current;
    NxVariant value;
    if (ReadNil(context, element))
    {
        value.SetI4(0);
        value.SetNil();
    }
    else
    {
        std::string text(element.GetText());
        if (text.empty() && !m_defaultValue.empty())
            text = m_defaultValue;
        value.SetI4(m_stringToEnum(text.c_str()));
    }
    InvokePropertySet(object, value, element);
    *current = element.GetNextSiblingElement();
}

bool CElementInfo::SkipToMandatory(CSerializationContext const & context, CXmlElement * parent,
                                   CXmlElement ** current) const
{
    while (!IsThisElement(context, *current))
    {
        if (context.GetIgnoreMissingMandatoryElements())
            return false;
        if (!context.GetIgnoreUnknownElements() || *current == nullptr)
            ThrowRequiredChildMissing(parent);
        *current = (*current)->GetNextSiblingElement();
    }
    return true;
}

CSmartPtr<CXmlObjectBase> CElementInfo::GetObject(CXmlGeneratedClass * object) const
{
    NxVariant value;
    InvokePropertyGet(object, value);
    if (value.GetTypeAsEnum() == NxXmlLib16::ItemType_XmlCollection)
        return CSmartPtr<CXmlObjectBase>(value.GetXmlCollection().Get());
    return value.GetXmlObject();
}

void CElementInfo::SetObject(CXmlGeneratedClass * object, CXmlObjectBase * member, CXmlElement const & source) const
{
    NxVariant value;
    value.SetXmlObject(member);
    InvokePropertySet(object, value, source);
}

void CElementInfo::ReadElementInto(CXmlObjectBase * target, CSerializationContext const & context,
                                   CXmlElement ** current, bool emptyChoiceAllowed) const
{
    CXmlElement * const element = *current;
    FromXml_Int(target, element, element->GetFirstElement(), context, emptyChoiceAllowed);
    *current = element->GetNextSiblingElement();
}

CXmlElement * CElementInfo::ReadInline(CXmlObjectBase * target, CSerializationContext const & context,
                                       CXmlElement * parent, CXmlElement * current)
{
    return FromXml_Int(target, parent, current, context, false);
}

CXmlElement * CElementInfo::ReadUntypedRun(CXmlObjectBase * collection, CSerializationContext const & context,
                                           CXmlElement * parent, CXmlElement * current) const
{
    if (m_elementName == AnyElementName)
        return ReadInline(collection, context, parent, current);
    std::string const ns = current != nullptr ? current->GetNamespaceURI() : std::string();
    return static_cast<CElementCol *>(collection)
        ->FromXmlLockElementName_Int(m_elementName, ns, parent, current, context);
}

void CElementInfo::HoistAttributes(CSerializationContext const & context, CXmlGeneratedClass const * object,
                                   CXmlWriter * writer, XmlElementType elementType) const
{
    if (elementType != XmlElementType_PseudoElement)
        return;
    CSmartPtr<CXmlObjectBase> const member = GetObject(const_cast<CXmlGeneratedClass *>(object));
    if (member != nullptr)
        AttributesToXml_Int(member, writer, context);
}

void CElementInfo::ThrowRequiredChildMissing(CXmlElement const * parent) const
{
    throw CNxValidationException(FormatString(Msg::FailedFindRequiredChildElement, m_elementName.c_str()),
                                 parent != nullptr ? parent->GetXPath() : std::string());
}

void CElementInfo::ThrowMandatoryNull() const
{
    throw NxXmlLib16::CNxInvalidParamException(FormatString(Msg::PropertyMandatoryMayNot, m_elementName.c_str()));
}

CParentElementInfo::CParentElementInfo(XmlElementGroupType groupType, XmlElementType elementType,
                                       char const * elementName, char const * ns, bool failIfAttributeUnknown,
                                       bool hasBaseClasses, int primitiveValuePropertyIndex, ItemType primitiveItemType,
                                       char const * primitiveFormatOverride, bool outputPrimitiveClassAsTextProperty)
    : m_groupType(groupType), m_elementType(elementType), m_elementName(Text(elementName)), m_namespace(Text(ns)),
      m_failIfAttributeUnknown(failIfAttributeUnknown), m_hasBaseClasses(hasBaseClasses),
      m_primitiveValuePropertyIndex(primitiveValuePropertyIndex), m_primitiveItemType(primitiveItemType),
      m_primitiveFormatOverride(Text(primitiveFormatOverride)),
      m_outputPrimitiveClassAsTextProperty(outputPrimitiveClassAsTextProperty)
{
}

CParentElementInfo::~CParentElementInfo() = default;

} // namespace NxXmlLib16Data
