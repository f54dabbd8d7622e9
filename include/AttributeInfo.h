// CAttributeInfo and its kinds: how a generated class's attributes are written and read.
#pragma once

#include "ElementInfo.h"

#include <string>

namespace NxXmlLib16
{
class CXmlAttribute;
}

namespace NxXmlLib16Data
{

using NxXmlLib16::CXmlAttribute;

// The base of the attribute descriptors: name, namespace, property index, optionality, default.
class CAttributeInfo
{
public:
    CAttributeInfo(CAttributeInfo const &) = default;
    CAttributeInfo & operator=(CAttributeInfo const &) = default;
    virtual ~CAttributeInfo();

    // Writes the attribute while the owner's start tag is open.
    virtual void AttributeToXml(CSerializationContext const & context, CXmlGeneratedClass const * object,
                                CXmlWriter * writer) const = 0;
    // Stores the attribute when it is this one; true when taken.
    virtual bool AttributeFromXml(CSerializationContext const & context, CXmlGeneratedClass * object,
                                  CXmlAttribute * attribute) = 0;
    // Throws when a required attribute was not found.
    virtual void Validate(CSerializationContext const & context, bool found) const = 0;

    std::string const & GetAttributeName() const { return m_name; }
    std::string const & GetAttributeNamespace() const { return m_namespace; }
    int GetPropertyIndex() const { return m_propertyIndex; }
    bool IsOptional() const { return m_optional; }
    std::string const & GetDefaultValue() const { return m_defaultValue; }

protected:
    CAttributeInfo(char const * name, char const * ns, int propertyIndex, bool optional, char const * defaultValue);

    // Whether the attribute has this name (and namespace, unless namespaces are ignored).
    bool IsThisAttribute(CSerializationContext const & context, CXmlAttribute * attribute) const;
    void InvokePropertyGet(CXmlGeneratedClass * object, NxVariant & value) const;
    void ReadProperty(CXmlGeneratedClass const * object, NxVariant & value) const;
    // Stores the value; failures are wrapped and located at the source attribute.
    void InvokePropertySet(CXmlGeneratedClass * object, NxVariant & value, CXmlAttribute const & source) const;
    static void ToXml_Int(CXmlObjectBase const * target, CXmlWriter * writer, bool isRoot, char const * ns,
                          CSerializationContext const & context);
    static std::string GetTargetNamespace(CXmlObjectBase const * object);
    static bool IsNamespaceValid(std::string const & ns, std::string const & constraint,
                                 std::string const & targetNamespace);
    static void TestNamespace(std::string const & ns, std::string const & constraint,
                              std::string const & targetNamespace);
    // Throws when a required attribute was not found.
    void ValidateRequired(bool found) const;

private:
    std::string m_name;
    std::string m_namespace;
    int m_propertyIndex;
    bool m_optional;
    std::string m_defaultValue;
};

// An attribute of an XSD simple type.
class CAttributeInfoPrimitive : public CAttributeInfo
{
public:
    CAttributeInfoPrimitive(char const * name, char const * ns, int propertyIndex, bool optional, ItemType itemType,
                            char const * formatOverride, WhitespaceRule whitespace,
                            CPrimitiveRestrictions const & restrictions, char const * defaultValue);

    void AttributeToXml(CSerializationContext const & context, CXmlGeneratedClass const * object,
                        CXmlWriter * writer) const override;
    bool AttributeFromXml(CSerializationContext const & context, CXmlGeneratedClass * object,
                          CXmlAttribute * attribute) override;
    void Validate(CSerializationContext const & context, bool found) const override;
    // Throws unless the value meets the attribute's facets.
    void CheckRestriction(NxVariant value) const;
    // The same for text, which a string member checks as it stands.
    void CheckRestriction(std::string const & value) const;

private:
    CPrimitiveRestrictions m_restrictions;
    ItemType m_itemType;
    std::string m_formatOverride;
    WhitespaceRule m_whitespace;
};

// An attribute of a generated enumeration.
class CAttributeInfoEnum : public CAttributeInfo
{
public:
    CAttributeInfoEnum(char const * name, char const * ns, int propertyIndex, bool optional,
                       EnumToStringFn enumToString, StringToEnumFn stringToEnum, char const * defaultValue);

    void AttributeToXml(CSerializationContext const & context, CXmlGeneratedClass const * object,
                        CXmlWriter * writer) const override;
    bool AttributeFromXml(CSerializationContext const & context, CXmlGeneratedClass * object,
                          CXmlAttribute * attribute) override;
    void Validate(CSerializationContext const & context, bool found) const override;

private:
    StringToEnumFn m_stringToEnum;
    EnumToStringFn m_enumToString;
};

// An attribute wildcard: its attributes live in a CAttributeCol member.
class CAttributeInfoAny : public CAttributeInfo
{
public:
    CAttributeInfoAny(char const * name, char const * ns, int propertyIndex, bool optional, char const * nsConstraint,
                      char const * targetNamespace, char const * defaultValue);

    void AttributeToXml(CSerializationContext const & context, CXmlGeneratedClass const * object,
                        CXmlWriter * writer) const override;
    bool AttributeFromXml(CSerializationContext const & context, CXmlGeneratedClass * object,
                          CXmlAttribute * attribute) override;
    void Validate(CSerializationContext const & context, bool found) const override;

private:
    std::string m_nsConstraint;
    std::string m_targetNamespace;
};

} // namespace NxXmlLib16Data
