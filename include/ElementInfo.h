// CElementInfo and CParentElementInfo: the metadata that tells the driver how a generated class's
// members are written and read.
#pragma once

#include "Conversions.h"
#include "ItemType.h"
#include "PrimitiveRestrictions.h"
#include "SmartPtr.h"

#include <cstdint>
#include <string>

namespace NxXmlLib16
{
class CSerializationContext;
class CXmlElement;
class CXmlObjectBase;
class CXmlGeneratedClass;
class CXmlWriter;
struct NxVariant;
} // namespace NxXmlLib16

namespace NxXmlLib16Data
{

using NxXmlLib16::CPrimitiveRestrictions;
using NxXmlLib16::CSerializationContext;
using NxXmlLib16::CSmartPtr;
using NxXmlLib16::CXmlElement;
using NxXmlLib16::CXmlGeneratedClass;
using NxXmlLib16::CXmlObjectBase;
using NxXmlLib16::CXmlWriter;
using NxXmlLib16::ItemType;
using NxXmlLib16::NxVariant;
using NxXmlLib16::WhitespaceRule;

// How a member or class appears in the document.
enum XmlElementType : std::int32_t
{
    XmlElementType_Element = 0,             // an element of its own, with start and end tags
    XmlElementType_PseudoElement = 1,       // content inlined into the parent, attributes hoisted onto it
    XmlElementType_PseudoElementContent = 2 // content inlined into the parent, nothing hoisted
};

// The model group of a class's members.
enum XmlElementGroupType : std::int32_t
{
    XmlElementGroupType_Sequence = 0,
    XmlElementGroupType_Choice = 1,
    XmlElementGroupType_All = 2
};

// Creates a new instance of a member's generated class.
using ClassFactoryFn = CSmartPtr<CXmlObjectBase> (*)(int classId, char const * elementName);
// Creates an instance of the concrete class an incoming element denotes, or null.
using SubstitutionFactoryFn = CSmartPtr<CXmlObjectBase> (*)(CXmlElement * element);
// The text of an enumeration value, and back (throwing for unknown text).
using EnumToStringFn = char const * (*)(int value);
using StringToEnumFn = int (*)(char const * text);

// The base of the element descriptors: a member's element name and namespace, its property
// index, and for primitive and enumerated members their type, facets, nillability and default.
class CElementInfo
{
public:
    CElementInfo(CElementInfo const &) = default;
    CElementInfo & operator=(CElementInfo const &) = default;
    virtual ~CElementInfo();

    // Writes the member; true when something was written.
    virtual bool ElementToXml(CSerializationContext const & context, CXmlGeneratedClass const * object,
                              CXmlWriter * writer) const = 0;
    // Reads the member from *current onwards and advances *current past what it consumed.
    virtual bool ElementFromXml(CSerializationContext const & context, CXmlGeneratedClass * object,
                                CXmlElement * parent, CXmlElement ** current, char const * targetNamespace,
                                XmlElementType parentType) = 0;
    // The end-of-group check of the all group.
    virtual bool Validate(CSerializationContext const & context, CXmlGeneratedClass const * object, bool found,
                          bool checkMandatory) const;
    // Writes the attributes of an inlined member on the parent's start tag.
    virtual void PseudoChildAttributeToXml(CSerializationContext const & context, CXmlGeneratedClass const * object,
                                           CXmlWriter * writer) const;

    // Throws unless the value meets the member's facets (primitive members only).
    void CheckRestriction(NxVariant const & value) const;
    // The same for text, which a string member checks as it stands.
    void CheckRestriction(std::string const & value) const;
    int GetPropertyIndex() const { return m_propertyIndex; }
    std::string GetElementName() const { return m_elementName; }
    std::string GetElementNamespace() const { return m_elementNamespace; }

    // Whether the element has the member's name (and namespace, unless namespaces are ignored).
    bool IsThisElement(CSerializationContext const & context, CXmlElement const * element) const;

    // The namespace for a new open-content element of a wildcard member.
    static std::string GetAnyDefaultNamespace(char const * nsConstraint, char const * targetNamespace,
                                              char const * declaredNamespace);

protected:
    // Class, abstract-class, untyped and collection members.
    CElementInfo(char const * name, char const * ns, int propertyIndex);
    // Enumerated members.
    CElementInfo(char const * name, char const * ns, int propertyIndex, bool nillable, EnumToStringFn enumToString,
                 StringToEnumFn stringToEnum, char const * defaultValue);
    // Primitive members.
    CElementInfo(char const * name, char const * ns, int propertyIndex, bool nillable, ItemType itemType,
                 char const * formatOverride, WhitespaceRule whitespace, CPrimitiveRestrictions const & restrictions,
                 char const * defaultValue);

    // The member's value through the generated accessor; failures are wrapped.
    void InvokePropertyGet(CXmlGeneratedClass * object, NxVariant & value) const;
    void ReadProperty(CXmlGeneratedClass const * object, NxVariant & value) const;
    // Stores the member's value; failures are wrapped and located at the source element.
    void InvokePropertySet(CXmlGeneratedClass * object, NxVariant & value, CXmlElement const & source) const;
    // Lets the target read from `element`'s children starting at firstChild; returns what it left.
    static CXmlElement * FromXml_Int(CXmlObjectBase * target, CXmlElement * element, CXmlElement * firstChild,
                                     CSerializationContext const & context, bool emptyChoiceAllowed);
    void AttributesToXml_Int(CXmlObjectBase const * target, CXmlWriter * writer,
                             CSerializationContext const & context) const;

    bool ElementToXmlPrim(CSerializationContext const & context, CXmlGeneratedClass const * object,
                          CXmlWriter * writer) const;
    bool ElementToXmlEnum(CSerializationContext const & context, CXmlGeneratedClass const * object, CXmlWriter * writer,
                          EnumToStringFn enumToString) const;
    bool ElementToXmlCls(CSerializationContext const & context, CXmlGeneratedClass const * object, CXmlWriter * writer,
                         bool emptyChoiceAllowed) const;
    bool ElementToXmlCol(CSerializationContext const & context, CXmlGeneratedClass const * object,
                         CXmlWriter * writer) const;
    // Reads the primitive element *current (already matched) and advances.
    void ElementFromXmlPrim(CSerializationContext const & context, CXmlGeneratedClass * object,
                            CXmlElement ** current) const;
    void ElementFromXmlEnum(CSerializationContext const & context, CXmlGeneratedClass * object,
                            CXmlElement ** current) const;

    // Shared steps of the kinds.
    // Skips foreign elements before a mandatory member; false when a missing member is accepted.
    bool SkipToMandatory(CSerializationContext const & context, CXmlElement * parent, CXmlElement ** current) const;
    // The member's object, collection or open-content holder.
    CSmartPtr<CXmlObjectBase> GetObject(CXmlGeneratedClass * object) const;
    // Sets (or clears, for null) the member's object.
    void SetObject(CXmlGeneratedClass * object, CXmlObjectBase * value, CXmlElement const & source) const;
    // Reads *current into the object (its own element) and advances.
    void ReadElementInto(CXmlObjectBase * target, CSerializationContext const & context, CXmlElement ** current,
                         bool emptyChoiceAllowed) const;
    // Lets the object read siblings from *current onwards; returns the first it did not take.
    static CXmlElement * ReadInline(CXmlObjectBase * target, CSerializationContext const & context,
                                    CXmlElement * parent, CXmlElement * current);
    // Reads a run of untyped elements into an element collection: any elements the collection
    // accepts for a wildcard member, else the run with the member's name.
    CXmlElement * ReadUntypedRun(CXmlObjectBase * collection, CSerializationContext const & context,
                                 CXmlElement * parent, CXmlElement * current) const;
    // Writes the attributes of an inlined class or class collection member.
    void HoistAttributes(CSerializationContext const & context, CXmlGeneratedClass const * object, CXmlWriter * writer,
                         XmlElementType elementType) const;
    [[noreturn]] void ThrowRequiredChildMissing(CXmlElement const * parent) const;
    [[noreturn]] void ThrowMandatoryNull() const;

    // The element name of wildcard members.
    static char const * const AnyElementName;
    std::string const & ElementName() const { return m_elementName; }
    std::string const & ElementNamespace() const { return m_elementNamespace; }
    EnumToStringFn EnumToString() const { return m_enumToString; }

private:
    // Whether the element is marked nil; checks its attributes.
    bool ReadNil(CSerializationContext const & context, CXmlElement const & element) const;

    std::string m_elementName;
    std::string m_elementNamespace;
    int m_propertyIndex;
    CPrimitiveRestrictions m_restrictions;
    ItemType m_itemType = NxXmlLib16::ItemType_Invalid;
    std::string m_formatOverride;
    WhitespaceRule m_whitespace = NxXmlLib16::CWhitespaceUtils::WhitespaceRule_None;
    std::string m_defaultValue;
    bool m_nillable = false;
    EnumToStringFn m_enumToString = nullptr;
    StringToEnumFn m_stringToEnum = nullptr;
    bool m_hasRestrictions = false;
};

// The descriptor of a generated class itself: its model group, how it appears, its type name
// and namespace, and its simple content.
class CParentElementInfo
{
public:
    CParentElementInfo(XmlElementGroupType groupType, XmlElementType elementType, char const * elementName,
                       char const * ns, bool failIfAttributeUnknown, bool hasBaseClasses,
                       int primitiveValuePropertyIndex, ItemType primitiveItemType,
                       char const * primitiveFormatOverride, bool outputPrimitiveClassAsTextProperty);
    CParentElementInfo(CParentElementInfo const &) = default;
    CParentElementInfo & operator=(CParentElementInfo const &) = default;
    virtual ~CParentElementInfo();

    XmlElementGroupType GetGroupType() const { return m_groupType; }
    XmlElementType GetElementType() const { return m_elementType; }
    std::string GetElementName() const { return m_elementName; }
    std::string const & GetElementNameRef() const { return m_elementName; }
    std::string const & GetNamespace() const { return m_namespace; }
    bool GetFromXmlFailIfAttributeUnknown() const { return m_failIfAttributeUnknown; }
    bool GetHasBaseClasses() const { return m_hasBaseClasses; }
    int GetPrimitiveValuePropertyIndex() const { return m_primitiveValuePropertyIndex; }
    ItemType GetPrimitiveItemType() const { return m_primitiveItemType; }
    std::string GetPrimitiveFormatOverride() const { return m_primitiveFormatOverride; }
    bool GetOutputPrimitiveClassAsTextProperty() const { return m_outputPrimitiveClassAsTextProperty; }
    // Whether the class has simple content.
    bool HasSimpleContent() const
    {
        return m_primitiveValuePropertyIndex != -1 && m_primitiveItemType != NxXmlLib16::ItemType_Invalid;
    }

private:
    XmlElementGroupType m_groupType;
    XmlElementType m_elementType;
    std::string m_elementName;
    std::string m_namespace;
    bool m_failIfAttributeUnknown;
    bool m_hasBaseClasses;
    int m_primitiveValuePropertyIndex;
    ItemType m_primitiveItemType;
    std::string m_primitiveFormatOverride;
    bool m_outputPrimitiveClassAsTextProperty;
};

} // namespace NxXmlLib16Data
