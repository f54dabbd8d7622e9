#include "AttributeInfo.h"

#include "NxException.h"
#include "OpenContent.h"
#include "SerializationContext.h"
#include "Variant.h"
#include "XmlDocument.h"
#include "XmlGeneratedClass.h"
#include "XmlWriter.h"
#include "frame/Messages.h"

namespace NxXmlLib16Data
{

using namespace NxXmlLib16;

namespace
{
std::string Text(char const * text) { return text != nullptr ? text : ""; }
} // namespace

CAttributeInfo::CAttributeInfo(char const * name, char const * ns, int propertyIndex, bool optional,
                               char const * defaultValue)
    : m_name(Text(name)), m_namespace(Text(ns)), m_propertyIndex(propertyIndex), m_optional(optional),
      m_defaultValue(Text(defaultValue))
{
}

CAttributeInfo::~CAttributeInfo() = default;

bool CAttributeInfo::IsThisAttribute(CSerializationContext const & context, CXmlAttribute * attribute) const
{
    if (attribute == nullptr || attribute->GetLocalName() != m_name)
        return false;
    return context.GetIgnoreNamespaces() || attribute->GetNamespaceURI() == m_namespace;
}

void CAttributeInfo::InvokePropertyGet(CXmlGeneratedClass * object, NxVariant & value) const
{
    try
    {
        object->AccessProperty(m_propertyIndex, true, value);
    }
    catch (CNxException const & e)
    {
        throw CNxValidationException(FormatString(Msg::FailedGetPropertyValue, m_name.c_str()), std::string(), e);
    }
}

void CAttributeInfo::ReadProperty(CXmlGeneratedClass const * object, NxVariant & value) const
{
    InvokePropertyGet(const_cast<CXmlGeneratedClass *>(object), value);
}

void CAttributeInfo::InvokePropertySet(CXmlGeneratedClass * object, NxVariant & value,
                                       CXmlAttribute const & source) const
{
    try
    {
        object->AccessProperty(m_propertyIndex, false, value);
    }
    catch (CNxException const & e)
    {
        throw CNxValidationException(
            FormatString(Msg::FailedSetPropertyValueNamed, std::string(source.GetValue()).c_str()), source.GetXPath(),
            e);
    }
}

void CAttributeInfo::ToXml_Int(CXmlObjectBase const * target, CXmlWriter * writer, bool isRoot, char const * ns,
                               CSerializationContext const & context)
{
    target->ToXml_Int(writer, isRoot, ns, context, false);
}

std::string CAttributeInfo::GetTargetNamespace(CXmlObjectBase const * object) { return object->GetTargetNamespace(); }

bool CAttributeInfo::IsNamespaceValid(std::string const & ns, std::string const & constraint,
                                      std::string const & targetNamespace)
{
    return CXmlObjectBase::IsNamespaceValid(ns.c_str(), constraint.c_str(), targetNamespace.c_str());
}

void CAttributeInfo::TestNamespace(std::string const & ns, std::string const & constraint,
                                   std::string const & targetNamespace)
{
    CXmlObjectBase::TestNamespace(ns.c_str(), constraint.c_str(), targetNamespace.c_str());
}

void CAttributeInfo::ValidateRequired(bool found) const
{
    if (!m_optional && !found)
        throw CNxValidationException(FormatString(Msg::FailedFindRequiredAttribute, m_name.c_str()), std::string());
}

CAttributeInfoPrimitive::CAttributeInfoPrimitive(char const * name, char const * ns, int propertyIndex, bool optional,
                                                 ItemType itemType, char const * formatOverride,
                                                 WhitespaceRule whitespace, CPrimitiveRestrictions const & restrictions,
                                                 char const * defaultValue)
    : CAttributeInfo(name, ns, propertyIndex, optional, defaultValue), m_restrictions(restrictions),
      m_itemType(itemType), m_formatOverride(Text(formatOverride)), m_whitespace(whitespace)
{
}

void CAttributeInfoPrimitive::CheckRestriction(NxVariant value) const
{
    if (CFacetValidator::NeedsValidation(m_itemType, m_restrictions))
        CFacetValidator::ValidateValue(GetAttributeName().c_str(), value, m_itemType, m_restrictions);
}

void CAttributeInfoPrimitive::CheckRestriction(std::string const & value) const
{
    if (CFacetValidator::NeedsValidation(m_itemType, m_restrictions))
        CFacetValidator::ValidateString(GetAttributeName().c_str(), value, m_itemType, m_restrictions);
}

void CAttributeInfoPrimitive::AttributeToXml(CSerializationContext const & context, CXmlGeneratedClass const * object,
                                             CXmlWriter * writer) const
{
    NxVariant value;
    ReadProperty(object, value);
    if (IsOptional() && (!value.IsValid() || value.IsNil()))
        return;
    std::string const text = value.ToString(m_formatOverride.c_str());
    if (IsOptional() && !GetDefaultValue().empty() && context.GetNoOptionalAttributeDefaultOutput() &&
        text == GetDefaultValue())
        return;
    CheckRestriction(value);
    writer->WriteAttribute(GetAttributeName(), GetAttributeNamespace(), text, value.GetTypeAsEnum());
}

bool CAttributeInfoPrimitive::AttributeFromXml(CSerializationContext const &, CXmlGeneratedClass * object,
                                               CXmlAttribute * attribute)
{
    // Primitive attributes match their namespace exactly, whatever the context says.
    if (attribute->GetLocalName() != GetAttributeName() || attribute->GetNamespaceURI() != GetAttributeNamespace())
        return false;
    NxVariant value;
    value.FromString(std::string(attribute->GetValue()), m_itemType, m_whitespace);
    InvokePropertySet(object, value, *attribute);
    return true;
}

void CAttributeInfoPrimitive::Validate(CSerializationContext const &, bool found) const { ValidateRequired(found); }

CAttributeInfoEnum::CAttributeInfoEnum(char const * name, char const * ns, int propertyIndex, bool optional,
                                       EnumToStringFn enumToString, StringToEnumFn stringToEnum,
                                       char const * defaultValue)
    : CAttributeInfo(name, ns, propertyIndex, optional, defaultValue), m_stringToEnum(stringToEnum),
      m_enumToString(enumToString)
{
}

void CAttributeInfoEnum::AttributeToXml(CSerializationContext const & context, CXmlGeneratedClass const * object,
                                        CXmlWriter * writer) const
{
    NxVariant value;
    ReadProperty(object, value);
    if (IsOptional() && (!value.IsValid() || value.IsNil()))
        return;
    std::string const text = Text(m_enumToString(value.GetI4()));
    if (IsOptional() && !GetDefaultValue().empty() && context.GetNoOptionalAttributeDefaultOutput() &&
        text == GetDefaultValue())
        return;
    writer->WriteAttribute(GetAttributeName(), GetAttributeNamespace(), text, NxXmlLib16::ItemType_string);
}

bool CAttributeInfoEnum::AttributeFromXml(CSerializationContext const & context, CXmlGeneratedClass * object,
                                          CXmlAttribute * attribute)
{
    if (!IsThisAttribute(context, attribute))
        return false;
    NxVariant value;
    value.SetI4(m_stringToEnum(std::string(attribute->GetValue()).c_str()));
    InvokePropertySet(object, value, *attribute);
    return true;
}

void CAttributeInfoEnum::Validate(CSerializationContext const &, bool found) const { ValidateRequired(found); }

CAttributeInfoAny::CAttributeInfoAny(char const * name, char const * ns, int propertyIndex, bool optional,
                                     char const * nsConstraint, char const * targetNamespace, char const * defaultValue)
    : CAttributeInfo(name, ns, propertyIndex, optional, defaultValue), m_nsConstraint(Text(nsConstraint)),
      m_targetNamespace(Text(targetNamespace))
{
}

void CAttributeInfoAny::AttributeToXml(CSerializationContext const & context, CXmlGeneratedClass const * object,
                                       CXmlWriter * writer) const
{
    NxVariant value;
    ReadProperty(object, value);
    CSmartPtr<CXmlCollectionBase> const collection = value.GetXmlCollection();
    if (collection != nullptr)
        ToXml_Int(collection, writer, false, GetTargetNamespace(object).c_str(), context);
}

bool CAttributeInfoAny::AttributeFromXml(CSerializationContext const &, CXmlGeneratedClass * object,
                                         CXmlAttribute * attribute)
{
    if (!IsNamespaceValid(attribute->GetNamespaceURI(), m_nsConstraint, m_targetNamespace))
        return false;
    NxVariant value;
    InvokePropertyGet(object, value);
    CAttributeCol * const collection = dynamic_cast<CAttributeCol *>(value.GetXmlCollection().Get());
    if (collection == nullptr)
        throw CNxException(Msg::NotAnAttributeCol);
    collection->Add(attribute->GetLocalName().c_str(), attribute->GetNamespaceURI().c_str(),
                    std::string(attribute->GetValue()).c_str());
    return true;
}

void CAttributeInfoAny::Validate(CSerializationContext const &, bool) const {}

} // namespace NxXmlLib16Data
