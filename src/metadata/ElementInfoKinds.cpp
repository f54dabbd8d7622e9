#include "ElementInfoKinds.h"

#include "NxException.h"
#include "OpenContent.h"
#include "SerializationContext.h"
#include "Variant.h"
#include "XmlCollection.h"
#include "XmlDocument.h"
#include "XmlGeneratedClass.h"

namespace NxXmlLib16Data
{

using namespace NxXmlLib16;

namespace
{

CXmlCollectionBase * AsCollection(CXmlObjectBase * object)
{
    return static_cast<CXmlCollectionBase *>(object);
}

// The end of the all group for a mandatory member.
bool ValidateMandatory(CSerializationContext const & context, bool found, bool checkMandatory, std::string const & name)
{
    if (found)
        return true;
    if (!checkMandatory)
        return false;
    if (context.GetIgnoreMissingMandatoryElements())
        return true;
    throw CNxValidationException(FormatString("Failed to find the mandatory element [%s].", name.c_str()), std::string());
}

[[noreturn]] void ThrowNoSubstitution(std::string const & name, CXmlElement const * parent)
{
    throw CNxValidationException(FormatString("Failed to find a suitable substitution element for [%s].", name.c_str()),
                                 parent != nullptr ? parent->GetXPath() : std::string());
}

} // namespace

// ---- Collections ---------------------------------------------------------------------------

CElementInfoAllCol::CElementInfoAllCol(char const * name, char const * ns, int propertyIndex)
    : CElementInfo(name, ns, propertyIndex)
{
}
CElementInfoChoiceCol::CElementInfoChoiceCol(char const * name, char const * ns, int propertyIndex)
    : CElementInfo(name, ns, propertyIndex)
{
}
CElementInfoSeqCol::CElementInfoSeqCol(char const * name, char const * ns, int propertyIndex)
    : CElementInfo(name, ns, propertyIndex)
{
}

CXmlElement * CElementInfoAllCol::ReadCollection(CSerializationContext const & context, CXmlGeneratedClass * object,
                                                 CXmlElement * parent, CXmlElement * current)
{
    return ReadInline(GetObject(object), context, parent, current);
}
CXmlElement * CElementInfoChoiceCol::ReadCollection(CSerializationContext const & context, CXmlGeneratedClass * object,
                                                    CXmlElement * parent, CXmlElement * current)
{
    return ReadInline(GetObject(object), context, parent, current);
}
CXmlElement * CElementInfoSeqCol::ReadCollection(CSerializationContext const & context, CXmlGeneratedClass * object,
                                                 CXmlElement * parent, CXmlElement * current)
{
    return ReadInline(GetObject(object), context, parent, current);
}

bool CElementInfoAllCol::ElementToXml(CSerializationContext const & context, CXmlGeneratedClass const * object,
                                      CXmlWriter * writer) const
{
    if (!context.GetIgnoreInvalidCollectionCounts())
        AsCollection(GetObject(const_cast<CXmlGeneratedClass *>(object)))->ValidateCount(context);
    return ElementToXmlCol(context, object, writer);
}
bool CElementInfoSeqCol::ElementToXml(CSerializationContext const & context, CXmlGeneratedClass const * object,
                                      CXmlWriter * writer) const
{
    if (!context.GetIgnoreInvalidCollectionCounts())
        AsCollection(GetObject(const_cast<CXmlGeneratedClass *>(object)))->ValidateCount(context);
    return ElementToXmlCol(context, object, writer);
}
bool CElementInfoChoiceCol::ElementToXml(CSerializationContext const & context, CXmlGeneratedClass const * object,
                                         CXmlWriter * writer) const
{
    return ElementToXmlCol(context, object, writer);
}

bool CElementInfoAllCol::ElementFromXml(CSerializationContext const & context, CXmlGeneratedClass * object,
                                        CXmlElement * parent, CXmlElement ** current, char const *, XmlElementType)
{
    *current = ReadCollection(context, object, parent, *current);
    return false;
}

bool CElementInfoAllCol::Validate(CSerializationContext const &, CXmlGeneratedClass const *, bool, bool) const
{
    return true;
}

bool CElementInfoSeqCol::ElementFromXml(CSerializationContext const & context, CXmlGeneratedClass * object,
                                        CXmlElement * parent, CXmlElement ** current, char const *,
                                        XmlElementType parentType)
{
    *current = ReadCollection(context, object, parent, *current);
    CXmlCollectionBase * const collection = AsCollection(GetObject(object));
    if (parentType != XmlElementType_Element)
        return collection->IsValidCount(context);
    collection->ValidateCount(context);
    return true;
}

bool CElementInfoChoiceCol::ElementFromXml(CSerializationContext const & context, CXmlGeneratedClass * object,
                                           CXmlElement * parent, CXmlElement ** current, char const *,
                                           XmlElementType parentType)
{
    CXmlElement * const next = ReadCollection(context, object, parent, *current);
    if (next == *current)
        return false; // this branch of the choice is not taken
    CXmlCollectionBase * const collection = AsCollection(GetObject(object));
    if (parentType != XmlElementType_Element)
    {
        if (!collection->IsValidCount(context))
            return false;
        *current = next;
        return true;
    }
    *current = next;
    collection->ValidateCount(context);
    return true;
}

// ---- Collection kinds ----------------------------------------------------------------------

CElementInfoAllAbsClsCol::CElementInfoAllAbsClsCol(char const * name, char const * ns, int propertyIndex, XmlElementType elementType)
    : CElementInfoAllCol(name, ns, propertyIndex), m_elementType(elementType)
{
}

void CElementInfoAllAbsClsCol::PseudoChildAttributeToXml(CSerializationContext const & context, CXmlGeneratedClass const * object,
                                       CXmlWriter * writer) const
{
    HoistAttributes(context, object, writer, m_elementType);
}

CElementInfoAllClsCol::CElementInfoAllClsCol(char const * name, char const * ns, int propertyIndex, XmlElementType elementType)
    : CElementInfoAllCol(name, ns, propertyIndex), m_elementType(elementType)
{
}

void CElementInfoAllClsCol::PseudoChildAttributeToXml(CSerializationContext const & context, CXmlGeneratedClass const * object,
                                       CXmlWriter * writer) const
{
    HoistAttributes(context, object, writer, m_elementType);
}

CElementInfoAllPrimCol::CElementInfoAllPrimCol(char const * name, char const * ns, int propertyIndex)
    : CElementInfoAllCol(name, ns, propertyIndex)
{
}

CElementInfoAllUntpdCol::CElementInfoAllUntpdCol(char const * name, char const * ns, int propertyIndex)
    : CElementInfoAllCol(name, ns, propertyIndex)
{
}

CXmlElement * CElementInfoAllUntpdCol::ReadCollection(CSerializationContext const & context, CXmlGeneratedClass * object,
                                          CXmlElement * parent, CXmlElement * current)
{
    return ReadUntypedRun(GetObject(object), context, parent, current);
}

CElementInfoChoiceAbsClsCol::CElementInfoChoiceAbsClsCol(char const * name, char const * ns, int propertyIndex, XmlElementType elementType)
    : CElementInfoChoiceCol(name, ns, propertyIndex), m_elementType(elementType)
{
}

void CElementInfoChoiceAbsClsCol::PseudoChildAttributeToXml(CSerializationContext const & context, CXmlGeneratedClass const * object,
                                       CXmlWriter * writer) const
{
    HoistAttributes(context, object, writer, m_elementType);
}

CElementInfoChoiceClsCol::CElementInfoChoiceClsCol(char const * name, char const * ns, int propertyIndex, XmlElementType elementType)
    : CElementInfoChoiceCol(name, ns, propertyIndex), m_elementType(elementType)
{
}

void CElementInfoChoiceClsCol::PseudoChildAttributeToXml(CSerializationContext const & context, CXmlGeneratedClass const * object,
                                       CXmlWriter * writer) const
{
    HoistAttributes(context, object, writer, m_elementType);
}

CElementInfoChoiceEnumCol::CElementInfoChoiceEnumCol(char const * name, char const * ns, int propertyIndex)
    : CElementInfoChoiceCol(name, ns, propertyIndex)
{
}

CElementInfoChoicePrimCol::CElementInfoChoicePrimCol(char const * name, char const * ns, int propertyIndex)
    : CElementInfoChoiceCol(name, ns, propertyIndex)
{
}

CElementInfoChoiceUntpdCol::CElementInfoChoiceUntpdCol(char const * name, char const * ns, int propertyIndex)
    : CElementInfoChoiceCol(name, ns, propertyIndex)
{
}

CXmlElement * CElementInfoChoiceUntpdCol::ReadCollection(CSerializationContext const & context, CXmlGeneratedClass * object,
                                          CXmlElement * parent, CXmlElement * current)
{
    return ReadUntypedRun(GetObject(object), context, parent, current);
}

CElementInfoSeqAbsClsCol::CElementInfoSeqAbsClsCol(char const * name, char const * ns, int propertyIndex, XmlElementType elementType)
    : CElementInfoSeqCol(name, ns, propertyIndex), m_elementType(elementType)
{
}

void CElementInfoSeqAbsClsCol::PseudoChildAttributeToXml(CSerializationContext const & context, CXmlGeneratedClass const * object,
                                       CXmlWriter * writer) const
{
    HoistAttributes(context, object, writer, m_elementType);
}

CElementInfoSeqClsCol::CElementInfoSeqClsCol(char const * name, char const * ns, int propertyIndex, XmlElementType elementType)
    : CElementInfoSeqCol(name, ns, propertyIndex), m_elementType(elementType)
{
}

void CElementInfoSeqClsCol::PseudoChildAttributeToXml(CSerializationContext const & context, CXmlGeneratedClass const * object,
                                       CXmlWriter * writer) const
{
    HoistAttributes(context, object, writer, m_elementType);
}

CElementInfoSeqEnumCol::CElementInfoSeqEnumCol(char const * name, char const * ns, int propertyIndex)
    : CElementInfoSeqCol(name, ns, propertyIndex)
{
}

CElementInfoSeqPrimCol::CElementInfoSeqPrimCol(char const * name, char const * ns, int propertyIndex)
    : CElementInfoSeqCol(name, ns, propertyIndex)
{
}

CElementInfoSeqUntpdCol::CElementInfoSeqUntpdCol(char const * name, char const * ns, int propertyIndex)
    : CElementInfoSeqCol(name, ns, propertyIndex)
{
}

CXmlElement * CElementInfoSeqUntpdCol::ReadCollection(CSerializationContext const & context, CXmlGeneratedClass * object,
                                          CXmlElement * parent, CXmlElement * current)
{
    return ReadUntypedRun(GetObject(object), context, parent, current);
}

CElementInfoAllEnumCol::CElementInfoAllEnumCol(char const * name, char const * ns, int propertyIndex)
    : CElementInfo(name, ns, propertyIndex)
{
}

bool CElementInfoAllEnumCol::ElementToXml(CSerializationContext const &, CXmlGeneratedClass const *, CXmlWriter *) const
{
    throw CNxException("Not implemented, should never be called");
}

bool CElementInfoAllEnumCol::ElementFromXml(CSerializationContext const &, CXmlGeneratedClass *, CXmlElement *,
                                            CXmlElement **, char const *, XmlElementType)
{
    throw CNxException("Not implemented, should never be called");
}

// ---- Primitive and enumerated members ----------------------------------------------------------

CElementInfoAllPrimMnd::CElementInfoAllPrimMnd(char const * name, char const * ns, int propertyIndex, bool nillable,
                                               ItemType itemType, char const * formatOverride, WhitespaceRule whitespace,
                                               CPrimitiveRestrictions const & restrictions, char const * defaultValue)
    : CElementInfo(name, ns, propertyIndex, nillable, itemType, formatOverride, whitespace, restrictions, defaultValue)
{
}
CElementInfoAllPrimOpt::CElementInfoAllPrimOpt(char const * name, char const * ns, int propertyIndex, bool nillable,
                                               ItemType itemType, char const * formatOverride, WhitespaceRule whitespace,
                                               CPrimitiveRestrictions const & restrictions, char const * defaultValue)
    : CElementInfo(name, ns, propertyIndex, nillable, itemType, formatOverride, whitespace, restrictions, defaultValue)
{
}
CElementInfoChoicePrimOpt::CElementInfoChoicePrimOpt(char const * name, char const * ns, int propertyIndex,
                                                     bool nillable, ItemType itemType, char const * formatOverride,
                                                     WhitespaceRule whitespace,
                                                     CPrimitiveRestrictions const & restrictions,
                                                     char const * defaultValue)
    : CElementInfo(name, ns, propertyIndex, nillable, itemType, formatOverride, whitespace, restrictions, defaultValue)
{
}
CElementInfoSeqPrimMnd::CElementInfoSeqPrimMnd(char const * name, char const * ns, int propertyIndex, bool nillable,
                                               ItemType itemType, char const * formatOverride, WhitespaceRule whitespace,
                                               CPrimitiveRestrictions const & restrictions, char const * defaultValue)
    : CElementInfo(name, ns, propertyIndex, nillable, itemType, formatOverride, whitespace, restrictions, defaultValue)
{
}
CElementInfoSeqPrimOpt::CElementInfoSeqPrimOpt(char const * name, char const * ns, int propertyIndex, bool nillable,
                                               ItemType itemType, char const * formatOverride, WhitespaceRule whitespace,
                                               CPrimitiveRestrictions const & restrictions, char const * defaultValue)
    : CElementInfo(name, ns, propertyIndex, nillable, itemType, formatOverride, whitespace, restrictions, defaultValue)
{
}

CElementInfoAllEnumMnd::CElementInfoAllEnumMnd(char const * name, char const * ns, int propertyIndex, bool nillable,
                                               EnumToStringFn enumToString, StringToEnumFn stringToEnum,
                                               char const * defaultValue)
    : CElementInfo(name, ns, propertyIndex, nillable, enumToString, stringToEnum, defaultValue)
{
}
CElementInfoAllEnumOpt::CElementInfoAllEnumOpt(char const * name, char const * ns, int propertyIndex, bool nillable,
                                               EnumToStringFn enumToString, StringToEnumFn stringToEnum,
                                               char const * defaultValue)
    : CElementInfo(name, ns, propertyIndex, nillable, enumToString, stringToEnum, defaultValue)
{
}
CElementInfoChoiceEnumOpt::CElementInfoChoiceEnumOpt(char const * name, char const * ns, int propertyIndex,
                                                     bool nillable, EnumToStringFn enumToString,
                                                     StringToEnumFn stringToEnum, char const * defaultValue)
    : CElementInfo(name, ns, propertyIndex, nillable, enumToString, stringToEnum, defaultValue)
{
}
CElementInfoSeqEnumMnd::CElementInfoSeqEnumMnd(char const * name, char const * ns, int propertyIndex, bool nillable,
                                               EnumToStringFn enumToString, StringToEnumFn stringToEnum,
                                               char const * defaultValue)
    : CElementInfo(name, ns, propertyIndex, nillable, enumToString, stringToEnum, defaultValue)
{
}
CElementInfoSeqEnumOpt::CElementInfoSeqEnumOpt(char const * name, char const * ns, int propertyIndex, bool nillable,
                                               EnumToStringFn enumToString, StringToEnumFn stringToEnum,
                                               char const * defaultValue)
    : CElementInfo(name, ns, propertyIndex, nillable, enumToString, stringToEnum, defaultValue)
{
}

// Writing: mandatory members must hold a value, optional ones may not.
bool CElementInfoAllPrimMnd::ElementToXml(CSerializationContext const & c, CXmlGeneratedClass const * o, CXmlWriter * w) const
{
    if (!ElementToXmlPrim(c, o, w))
        ThrowMandatoryNull();
    return true;
}
bool CElementInfoSeqPrimMnd::ElementToXml(CSerializationContext const & c, CXmlGeneratedClass const * o, CXmlWriter * w) const
{
    if (!ElementToXmlPrim(c, o, w))
        ThrowMandatoryNull();
    return true;
}
bool CElementInfoAllPrimOpt::ElementToXml(CSerializationContext const & c, CXmlGeneratedClass const * o, CXmlWriter * w) const
{
    return ElementToXmlPrim(c, o, w);
}
bool CElementInfoChoicePrimOpt::ElementToXml(CSerializationContext const & c, CXmlGeneratedClass const * o,
                                             CXmlWriter * w) const
{
    return ElementToXmlPrim(c, o, w);
}
bool CElementInfoSeqPrimOpt::ElementToXml(CSerializationContext const & c, CXmlGeneratedClass const * o, CXmlWriter * w) const
{
    return ElementToXmlPrim(c, o, w);
}
bool CElementInfoAllEnumMnd::ElementToXml(CSerializationContext const & c, CXmlGeneratedClass const * o, CXmlWriter * w) const
{
    if (!ElementToXmlEnum(c, o, w, EnumToString()))
        ThrowMandatoryNull();
    return true;
}
bool CElementInfoSeqEnumMnd::ElementToXml(CSerializationContext const & c, CXmlGeneratedClass const * o, CXmlWriter * w) const
{
    if (!ElementToXmlEnum(c, o, w, EnumToString()))
        ThrowMandatoryNull();
    return true;
}
bool CElementInfoAllEnumOpt::ElementToXml(CSerializationContext const & c, CXmlGeneratedClass const * o, CXmlWriter * w) const
{
    return ElementToXmlEnum(c, o, w, EnumToString());
}
bool CElementInfoChoiceEnumOpt::ElementToXml(CSerializationContext const & c, CXmlGeneratedClass const * o,
                                             CXmlWriter * w) const
{
    return ElementToXmlEnum(c, o, w, EnumToString());
}
bool CElementInfoSeqEnumOpt::ElementToXml(CSerializationContext const & c, CXmlGeneratedClass const * o, CXmlWriter * w) const
{
    return ElementToXmlEnum(c, o, w, EnumToString());
}

// Reading: the all and choice groups take the element when it matches.
bool CElementInfoAllPrimMnd::ElementFromXml(CSerializationContext const & c, CXmlGeneratedClass * o, CXmlElement *,
                                            CXmlElement ** current, char const *, XmlElementType)
{
    if (!IsThisElement(c, *current))
        return false;
    ElementFromXmlPrim(c, o, current);
    return true;
}
bool CElementInfoAllPrimOpt::ElementFromXml(CSerializationContext const & c, CXmlGeneratedClass * o, CXmlElement *,
                                            CXmlElement ** current, char const *, XmlElementType)
{
    if (!IsThisElement(c, *current))
        return false;
    ElementFromXmlPrim(c, o, current);
    return true;
}
bool CElementInfoChoicePrimOpt::ElementFromXml(CSerializationContext const & c, CXmlGeneratedClass * o, CXmlElement *,
                                               CXmlElement ** current, char const *, XmlElementType)
{
    if (!IsThisElement(c, *current))
        return false;
    ElementFromXmlPrim(c, o, current);
    return true;
}
bool CElementInfoAllEnumMnd::ElementFromXml(CSerializationContext const & c, CXmlGeneratedClass * o, CXmlElement *,
                                            CXmlElement ** current, char const *, XmlElementType)
{
    if (!IsThisElement(c, *current))
        return false;
    ElementFromXmlEnum(c, o, current);
    return true;
}
bool CElementInfoAllEnumOpt::ElementFromXml(CSerializationContext const & c, CXmlGeneratedClass * o, CXmlElement *,
                                            CXmlElement ** current, char const *, XmlElementType)
{
    if (!IsThisElement(c, *current))
        return false;
    ElementFromXmlEnum(c, o, current);
    return true;
}
bool CElementInfoChoiceEnumOpt::ElementFromXml(CSerializationContext const & c, CXmlGeneratedClass * o, CXmlElement *,
                                               CXmlElement ** current, char const *, XmlElementType)
{
    if (!IsThisElement(c, *current))
        return false;
    ElementFromXmlEnum(c, o, current);
    return true;
}

// The sequence: a mandatory member skips foreign elements when allowed; an optional one reads
// what matches and always lets the sequence go on.
bool CElementInfoSeqPrimMnd::ElementFromXml(CSerializationContext const & c, CXmlGeneratedClass * o, CXmlElement * parent,
                                            CXmlElement ** current, char const *, XmlElementType parentType)
{
    if (parentType == XmlElementType_Element)
    {
        if (SkipToMandatory(c, parent, current))
            ElementFromXmlPrim(c, o, current);
        return true;
    }
    while (!IsThisElement(c, *current))
    {
        if (!c.GetIgnoreUnknownElements() || *current == nullptr)
            return false;
        *current = (*current)->GetNextSiblingElement();
    }
    ElementFromXmlPrim(c, o, current);
    return true;
}
bool CElementInfoSeqEnumMnd::ElementFromXml(CSerializationContext const & c, CXmlGeneratedClass * o, CXmlElement * parent,
                                            CXmlElement ** current, char const *, XmlElementType parentType)
{
    if (parentType == XmlElementType_Element)
    {
        if (SkipToMandatory(c, parent, current))
            ElementFromXmlEnum(c, o, current);
        return true;
    }
    while (!IsThisElement(c, *current))
    {
        if (!c.GetIgnoreUnknownElements() || *current == nullptr)
            return false;
        *current = (*current)->GetNextSiblingElement();
    }
    ElementFromXmlEnum(c, o, current);
    return true;
}
bool CElementInfoSeqPrimOpt::ElementFromXml(CSerializationContext const & c, CXmlGeneratedClass * o, CXmlElement *,
                                            CXmlElement ** current, char const *, XmlElementType)
{
    if (IsThisElement(c, *current))
        ElementFromXmlPrim(c, o, current);
    return true;
}
bool CElementInfoSeqEnumOpt::ElementFromXml(CSerializationContext const & c, CXmlGeneratedClass * o, CXmlElement *,
                                            CXmlElement ** current, char const *, XmlElementType)
{
    if (IsThisElement(c, *current))
        ElementFromXmlEnum(c, o, current);
    return true;
}

bool CElementInfoAllPrimMnd::Validate(CSerializationContext const & c, CXmlGeneratedClass const *, bool found,
                                      bool checkMandatory) const
{
    return ValidateMandatory(c, found, checkMandatory, ElementName());
}
bool CElementInfoAllEnumMnd::Validate(CSerializationContext const & c, CXmlGeneratedClass const *, bool found,
                                      bool checkMandatory) const
{
    return ValidateMandatory(c, found, checkMandatory, ElementName());
}
bool CElementInfoAllPrimOpt::Validate(CSerializationContext const &, CXmlGeneratedClass const *, bool, bool) const
{
    return true;
}
bool CElementInfoAllEnumOpt::Validate(CSerializationContext const &, CXmlGeneratedClass const *, bool, bool) const
{
    return true;
}

// ---- Class members -------------------------------------------------------------------------

CElementInfoAllClsMnd::CElementInfoAllClsMnd(char const * name, char const * ns, int propertyIndex,
                                             XmlElementType elementType, ClassFactoryFn factory, int classId,
                                             bool contentRequired)
    : CElementInfo(name, ns, propertyIndex), m_elementType(elementType), m_factory(factory), m_classId(classId),
      m_contentRequired(contentRequired)
{
}
CElementInfoSeqClsMnd::CElementInfoSeqClsMnd(char const * name, char const * ns, int propertyIndex,
                                             XmlElementType elementType, ClassFactoryFn factory, int classId,
                                             bool contentRequired)
    : CElementInfo(name, ns, propertyIndex), m_elementType(elementType), m_contentRequired(contentRequired),
      m_factory(factory), m_classId(classId)
{
}
CElementInfoAllClsOpt::CElementInfoAllClsOpt(char const * name, char const * ns, int propertyIndex,
                                             XmlElementType elementType, ClassFactoryFn factory, int classId)
    : CElementInfo(name, ns, propertyIndex), m_elementType(elementType), m_factory(factory), m_classId(classId)
{
}
CElementInfoChoiceClsOpt::CElementInfoChoiceClsOpt(char const * name, char const * ns, int propertyIndex,
                                                   XmlElementType elementType, ClassFactoryFn factory, int classId)
    : CElementInfo(name, ns, propertyIndex), m_elementType(elementType), m_factory(factory), m_classId(classId)
{
}
CElementInfoSeqClsOpt::CElementInfoSeqClsOpt(char const * name, char const * ns, int propertyIndex,
                                             XmlElementType elementType, ClassFactoryFn factory, int classId)
    : CElementInfo(name, ns, propertyIndex), m_elementType(elementType), m_factory(factory), m_classId(classId)
{
}
CElementInfoAllAbsClsMnd::CElementInfoAllAbsClsMnd(char const * name, char const * ns, int propertyIndex,
                                                   XmlElementType elementType, SubstitutionFactoryFn factory,
                                                   int classId)
    : CElementInfo(name, ns, propertyIndex), m_elementType(elementType), m_factory(factory), m_classId(classId)
{
}
CElementInfoSeqAbsClsMnd::CElementInfoSeqAbsClsMnd(char const * name, char const * ns, int propertyIndex,
                                                   XmlElementType elementType, SubstitutionFactoryFn factory)
    : CElementInfo(name, ns, propertyIndex), m_elementType(elementType), m_factory(factory)
{
}
CElementInfoAllAbsClsOpt::CElementInfoAllAbsClsOpt(char const * name, char const * ns, int propertyIndex,
                                                   XmlElementType elementType, SubstitutionFactoryFn factory)
    : CElementInfo(name, ns, propertyIndex), m_elementType(elementType), m_factory(factory)
{
}
CElementInfoChoiceAbsClsOpt::CElementInfoChoiceAbsClsOpt(char const * name, char const * ns, int propertyIndex,
                                                         XmlElementType elementType, SubstitutionFactoryFn factory)
    : CElementInfo(name, ns, propertyIndex), m_elementType(elementType), m_factory(factory)
{
}
CElementInfoSeqAbsClsOpt::CElementInfoSeqAbsClsOpt(char const * name, char const * ns, int propertyIndex,
                                                   XmlElementType elementType, SubstitutionFactoryFn factory)
    : CElementInfo(name, ns, propertyIndex), m_elementType(elementType), m_factory(factory)
{
}

// Writing: the member's object writes itself; mandatory members must hold one.
bool CElementInfoAllClsMnd::ElementToXml(CSerializationContext const & c, CXmlGeneratedClass const * o, CXmlWriter * w) const
{
    if (!ElementToXmlCls(c, o, w, false))
        ThrowMandatoryNull();
    return true;
}
bool CElementInfoSeqClsMnd::ElementToXml(CSerializationContext const & c, CXmlGeneratedClass const * o, CXmlWriter * w) const
{
    if (!ElementToXmlCls(c, o, w, false))
        ThrowMandatoryNull();
    return true;
}
bool CElementInfoAllAbsClsMnd::ElementToXml(CSerializationContext const & c, CXmlGeneratedClass const * o,
                                            CXmlWriter * w) const
{
    if (!ElementToXmlCls(c, o, w, false))
        ThrowMandatoryNull();
    return true;
}
bool CElementInfoSeqAbsClsMnd::ElementToXml(CSerializationContext const & c, CXmlGeneratedClass const * o,
                                            CXmlWriter * w) const
{
    if (!ElementToXmlCls(c, o, w, false))
        ThrowMandatoryNull();
    return true;
}
bool CElementInfoAllClsOpt::ElementToXml(CSerializationContext const & c, CXmlGeneratedClass const * o, CXmlWriter * w) const
{
    return ElementToXmlCls(c, o, w, false);
}
bool CElementInfoChoiceClsOpt::ElementToXml(CSerializationContext const & c, CXmlGeneratedClass const * o,
                                            CXmlWriter * w) const
{
    return ElementToXmlCls(c, o, w, true); // a choice inside the member's class may be empty
}
bool CElementInfoSeqClsOpt::ElementToXml(CSerializationContext const & c, CXmlGeneratedClass const * o, CXmlWriter * w) const
{
    return ElementToXmlCls(c, o, w, false);
}
bool CElementInfoAllAbsClsOpt::ElementToXml(CSerializationContext const & c, CXmlGeneratedClass const * o,
                                            CXmlWriter * w) const
{
    return ElementToXmlCls(c, o, w, false);
}
bool CElementInfoChoiceAbsClsOpt::ElementToXml(CSerializationContext const & c, CXmlGeneratedClass const * o,
                                               CXmlWriter * w) const
{
    return ElementToXmlCls(c, o, w, false);
}
bool CElementInfoSeqAbsClsOpt::ElementToXml(CSerializationContext const & c, CXmlGeneratedClass const * o,
                                            CXmlWriter * w) const
{
    return ElementToXmlCls(c, o, w, false);
}

void CElementInfoAllClsMnd::PseudoChildAttributeToXml(CSerializationContext const & c, CXmlGeneratedClass const * o,
                                                      CXmlWriter * w) const
{
    HoistAttributes(c, o, w, m_elementType);
}
void CElementInfoSeqClsMnd::PseudoChildAttributeToXml(CSerializationContext const & c, CXmlGeneratedClass const * o,
                                                      CXmlWriter * w) const
{
    HoistAttributes(c, o, w, m_elementType);
}
void CElementInfoAllClsOpt::PseudoChildAttributeToXml(CSerializationContext const & c, CXmlGeneratedClass const * o,
                                                      CXmlWriter * w) const
{
    HoistAttributes(c, o, w, m_elementType);
}
void CElementInfoChoiceClsOpt::PseudoChildAttributeToXml(CSerializationContext const & c,
                                                         CXmlGeneratedClass const * o, CXmlWriter * w) const
{
    HoistAttributes(c, o, w, m_elementType);
}
void CElementInfoSeqClsOpt::PseudoChildAttributeToXml(CSerializationContext const & c, CXmlGeneratedClass const * o,
                                                      CXmlWriter * w) const
{
    HoistAttributes(c, o, w, m_elementType);
}
void CElementInfoAllAbsClsMnd::PseudoChildAttributeToXml(CSerializationContext const & c,
                                                         CXmlGeneratedClass const * o, CXmlWriter * w) const
{
    HoistAttributes(c, o, w, m_elementType);
}
void CElementInfoSeqAbsClsMnd::PseudoChildAttributeToXml(CSerializationContext const & c,
                                                         CXmlGeneratedClass const * o, CXmlWriter * w) const
{
    HoistAttributes(c, o, w, m_elementType);
}
void CElementInfoAllAbsClsOpt::PseudoChildAttributeToXml(CSerializationContext const & c,
                                                         CXmlGeneratedClass const * o, CXmlWriter * w) const
{
    HoistAttributes(c, o, w, m_elementType);
}
void CElementInfoChoiceAbsClsOpt::PseudoChildAttributeToXml(CSerializationContext const & c,
                                                            CXmlGeneratedClass const * o, CXmlWriter * w) const
{
    HoistAttributes(c, o, w, m_elementType);
}
void CElementInfoSeqAbsClsOpt::PseudoChildAttributeToXml(CSerializationContext const & c,
                                                         CXmlGeneratedClass const * o, CXmlWriter * w) const
{
    HoistAttributes(c, o, w, m_elementType);
}

bool CElementInfoSeqClsMnd::ElementFromXml(CSerializationContext const & c, CXmlGeneratedClass * o, CXmlElement * parent,
                                           CXmlElement ** current, char const *, XmlElementType parentType)
{
    CSmartPtr<CXmlObjectBase> const member = GetObject(o);
    if (member == nullptr)
        ThrowMandatoryNull();
    if (m_elementType == XmlElementType_Element)
    {
        if (parentType == XmlElementType_Element)
        {
            if (SkipToMandatory(c, parent, current))
                ReadElementInto(member, c, current, false);
            return true;
        }
        if (!IsThisElement(c, *current))
            return false;
        ReadElementInto(member, c, current, false);
        return true;
    }
    if (!m_contentRequired)
    {
        CXmlElement * const next = ReadInline(member, c, parent, *current);
        if (*current != nullptr && next == *current && c.GetIgnoreUnknownElements() && parentType == XmlElementType_Element)
            return false;
        *current = next;
        return true;
    }
    if (parentType != XmlElementType_Element)
    {
        if (*current == nullptr)
            return false;
        CXmlElement * const next = ReadInline(member, c, parent, *current);
        if (next == *current)
            return false;
        *current = next;
        return true;
    }
    CXmlElement * const next = *current != nullptr ? ReadInline(member, c, parent, *current) : nullptr;
    if (*current == nullptr || next == *current)
        ThrowRequiredChildMissing(parent);
    *current = next;
    return true;
}

bool CElementInfoSeqClsOpt::ElementFromXml(CSerializationContext const & c, CXmlGeneratedClass * o, CXmlElement * parent,
                                           CXmlElement ** current, char const *, XmlElementType)
{
    if (m_elementType == XmlElementType_Element)
    {
        if (IsThisElement(c, *current))
        {
            CXmlElement const & source = **current;
            CSmartPtr<CXmlObjectBase> const member = m_factory(m_classId, ElementName().c_str());
            ReadElementInto(member, c, current, false);
            SetObject(o, member, source);
        }
        return true;
    }
    if (*current != nullptr)
    {
        CSmartPtr<CXmlObjectBase> const member = m_factory(m_classId, ElementName().c_str());
        CXmlElement * const next = ReadInline(member, c, parent, *current);
        if (next != *current)
        {
            SetObject(o, member, **current);
            *current = next;
        }
    }
    return true;
}

bool CElementInfoChoiceClsOpt::ElementFromXml(CSerializationContext const & c, CXmlGeneratedClass * o,
                                              CXmlElement * parent, CXmlElement ** current, char const *,
                                              XmlElementType)
{
    if (m_elementType == XmlElementType_Element)
    {
        if (!IsThisElement(c, *current))
            return false;
        CSmartPtr<CXmlObjectBase> const member = m_factory(m_classId, ElementName().c_str());
        SetObject(o, member, **current);
        ReadElementInto(member, c, current, true);
        return true;
    }
    if (*current == nullptr)
        return false;
    CXmlElement const & source = **current;
    CSmartPtr<CXmlObjectBase> const member = m_factory(m_classId, ElementName().c_str());
    SetObject(o, member, source);
    CXmlElement * const next = ReadInline(member, c, parent, *current);
    if (next == *current)
    {
        SetObject(o, nullptr, source);
        return false;
    }
    *current = next;
    return true;
}

bool CElementInfoAllClsMnd::ElementFromXml(CSerializationContext const & c, CXmlGeneratedClass * o, CXmlElement * parent,
                                           CXmlElement ** current, char const *, XmlElementType)
{
    CSmartPtr<CXmlObjectBase> const member = GetObject(o);
    if (member == nullptr)
        ThrowMandatoryNull();
    if (m_elementType == XmlElementType_Element)
    {
        if (!IsThisElement(c, *current))
            return false;
        ReadElementInto(member, c, current, false);
        return true;
    }
    if (*current == nullptr)
        return false;
    CXmlElement * const next = ReadInline(member, c, parent, *current);
    if (next == *current)
        return false;
    *current = next;
    return true;
}

bool CElementInfoAllClsOpt::ElementFromXml(CSerializationContext const & c, CXmlGeneratedClass * o, CXmlElement * parent,
                                           CXmlElement ** current, char const *, XmlElementType)
{
    if (m_elementType == XmlElementType_Element)
    {
        if (!IsThisElement(c, *current))
            return false;
        CXmlElement const & source = **current;
        CSmartPtr<CXmlObjectBase> const member = m_factory(m_classId, ElementName().c_str());
        ReadElementInto(member, c, current, false);
        SetObject(o, member, source);
        return true;
    }
    if (*current == nullptr)
        return false;
    CSmartPtr<CXmlObjectBase> const member = m_factory(m_classId, ElementName().c_str());
    CXmlElement * const next = ReadInline(member, c, parent, *current);
    if (next == *current)
        return false;
    SetObject(o, member, **current);
    *current = next;
    return true;
}

bool CElementInfoAllClsMnd::Validate(CSerializationContext const & c, CXmlGeneratedClass const *, bool found,
                                     bool checkMandatory) const
{
    if (!found && checkMandatory && m_elementType != XmlElementType_PseudoElement && !m_contentRequired)
        return true;
    return ValidateMandatory(c, found, checkMandatory, ElementName());
}
bool CElementInfoAllClsOpt::Validate(CSerializationContext const &, CXmlGeneratedClass const *, bool, bool) const
{
    return true;
}

// ---- Abstract-class members: the substitution factory picks the class ------------------------------

namespace
{

// Reads an object made by the substitution factory for the element *current (its own element),
// sets it into the member and advances; false when the factory made nothing.
template <class Info>
bool ReadSubstitute(Info const & info, SubstitutionFactoryFn factory, CSerializationContext const & c,
                    CXmlGeneratedClass * o, CXmlElement ** current)
{
    CXmlElement * const element = *current;
    CSmartPtr<CXmlObjectBase> const member = factory(element);
    if (member == nullptr)
        return false;
    info.ReadSubstituteInto(member, c, o, current, *element);
    return true;
}

} // namespace

void CElementInfo::ReadSubstituteInto(CXmlObjectBase * member, CSerializationContext const & c, CXmlGeneratedClass * o,
                                      CXmlElement ** current, CXmlElement const & source) const
{
    ReadElementInto(member, c, current, false);
    SetObject(o, member, source);
}

bool CElementInfoSeqAbsClsMnd::ElementFromXml(CSerializationContext const & c, CXmlGeneratedClass * o,
                                              CXmlElement * parent, CXmlElement ** current, char const *,
                                              XmlElementType parentType)
{
    if (parentType == XmlElementType_Element)
    {
        if (!SkipToMandatory(c, parent, current))
            return true;
        if (!ReadSubstitute(*this, m_factory, c, o, current))
            ThrowNoSubstitution(ElementName(), parent);
        return true;
    }
    return IsThisElement(c, *current) && ReadSubstitute(*this, m_factory, c, o, current);
}

bool CElementInfoSeqAbsClsOpt::ElementFromXml(CSerializationContext const & c, CXmlGeneratedClass * o, CXmlElement *,
                                              CXmlElement ** current, char const *, XmlElementType)
{
    if (IsThisElement(c, *current))
        ReadSubstitute(*this, m_factory, c, o, current);
    return true;
}

bool CElementInfoChoiceAbsClsOpt::ElementFromXml(CSerializationContext const & c, CXmlGeneratedClass * o,
                                                 CXmlElement *, CXmlElement ** current, char const *, XmlElementType)
{
    if (!IsThisElement(c, *current))
        return false;
    CXmlElement const & source = **current;
    CSmartPtr<CXmlObjectBase> const member = m_factory(*current);
    SetObject(o, member, source);
    if (member == nullptr)
        return false;
    ReadElementInto(member, c, current, false);
    return true;
}

namespace
{

// The all group's abstract members: as their own element, or inline when the element type says so.
template <class Info>
bool ReadAllSubstitute(Info const & info, SubstitutionFactoryFn factory, XmlElementType elementType,
                       CSerializationContext const & c, CXmlGeneratedClass * o, CXmlElement * parent,
                       CXmlElement ** current)
{
    if (elementType == XmlElementType_Element)
    {
        if (!info.IsThisElement(c, *current))
            return false;
        if (!ReadSubstitute(info, factory, c, o, current))
            ThrowNoSubstitution(info.GetElementName(), parent);
        return true;
    }
    if (*current == nullptr)
        return false;
    CSmartPtr<CXmlObjectBase> const member = factory(*current);
    return member != nullptr && info.ReadInlineInto(member, c, o, parent, current);
}

} // namespace

bool CElementInfo::ReadInlineInto(CXmlObjectBase * member, CSerializationContext const & c, CXmlGeneratedClass * o,
                                  CXmlElement * parent, CXmlElement ** current) const
{
    CXmlElement * const next = ReadInline(member, c, parent, *current);
    if (next == *current)
        return false;
    SetObject(o, member, **current);
    *current = next;
    return true;
}

bool CElementInfoAllAbsClsMnd::ElementFromXml(CSerializationContext const & c, CXmlGeneratedClass * o,
                                              CXmlElement * parent, CXmlElement ** current, char const *,
                                              XmlElementType)
{
    return ReadAllSubstitute(*this, m_factory, m_elementType, c, o, parent, current);
}
bool CElementInfoAllAbsClsOpt::ElementFromXml(CSerializationContext const & c, CXmlGeneratedClass * o,
                                              CXmlElement * parent, CXmlElement ** current, char const *,
                                              XmlElementType)
{
    return ReadAllSubstitute(*this, m_factory, m_elementType, c, o, parent, current);
}
bool CElementInfoAllAbsClsMnd::Validate(CSerializationContext const & c, CXmlGeneratedClass const *, bool found,
                                        bool checkMandatory) const
{
    return ValidateMandatory(c, found, checkMandatory, ElementName());
}
bool CElementInfoAllAbsClsOpt::Validate(CSerializationContext const &, CXmlGeneratedClass const *, bool, bool) const
{
    return true;
}

// ---- Untyped members: open content held in a CElement ----------------------------------------------

CElementInfoAllUntpdMnd::CElementInfoAllUntpdMnd(char const * name, char const * ns, int propertyIndex,
                                                 char const * nsConstraint, char const * declaredNamespace)
    : CElementInfo(name, ns, propertyIndex), m_nsConstraint(nsConstraint != nullptr ? nsConstraint : ""),
      m_declaredNamespace(declaredNamespace != nullptr ? declaredNamespace : "")
{
}
CElementInfoAllUntpdOpt::CElementInfoAllUntpdOpt(char const * name, char const * ns, int propertyIndex,
                                                 char const * nsConstraint, char const * declaredNamespace)
    : CElementInfo(name, ns, propertyIndex), m_nsConstraint(nsConstraint != nullptr ? nsConstraint : ""),
      m_declaredNamespace(declaredNamespace != nullptr ? declaredNamespace : "")
{
}
CElementInfoChoiceUntpdOpt::CElementInfoChoiceUntpdOpt(char const * name, char const * ns, int propertyIndex,
                                                       char const * nsConstraint, char const * declaredNamespace)
    : CElementInfo(name, ns, propertyIndex), m_nsConstraint(nsConstraint != nullptr ? nsConstraint : ""),
      m_declaredNamespace(declaredNamespace != nullptr ? declaredNamespace : "")
{
}
CElementInfoSeqUntpdMnd::CElementInfoSeqUntpdMnd(char const * name, char const * ns, int propertyIndex,
                                                 char const * nsConstraint, char const * declaredNamespace)
    : CElementInfo(name, ns, propertyIndex), m_nsConstraint(nsConstraint != nullptr ? nsConstraint : ""),
      m_declaredNamespace(declaredNamespace != nullptr ? declaredNamespace : "")
{
}
CElementInfoSeqUntpdOpt::CElementInfoSeqUntpdOpt(char const * name, char const * ns, int propertyIndex,
                                                 char const * nsConstraint, char const * declaredNamespace)
    : CElementInfo(name, ns, propertyIndex), m_nsConstraint(nsConstraint != nullptr ? nsConstraint : ""),
      m_declaredNamespace(declaredNamespace != nullptr ? declaredNamespace : "")
{
}

bool CElementInfoAllUntpdMnd::ElementToXml(CSerializationContext const & c, CXmlGeneratedClass const * o,
                                           CXmlWriter * w) const
{
    if (!ElementToXmlCls(c, o, w, false))
        ThrowMandatoryNull();
    return true;
}
bool CElementInfoSeqUntpdMnd::ElementToXml(CSerializationContext const & c, CXmlGeneratedClass const * o,
                                           CXmlWriter * w) const
{
    if (!ElementToXmlCls(c, o, w, false))
        ThrowMandatoryNull();
    return true;
}
bool CElementInfoAllUntpdOpt::ElementToXml(CSerializationContext const & c, CXmlGeneratedClass const * o,
                                           CXmlWriter * w) const
{
    return ElementToXmlCls(c, o, w, false);
}
bool CElementInfoChoiceUntpdOpt::ElementToXml(CSerializationContext const & c, CXmlGeneratedClass const * o,
                                              CXmlWriter * w) const
{
    return ElementToXmlCls(c, o, w, false);
}
bool CElementInfoSeqUntpdOpt::ElementToXml(CSerializationContext const & c, CXmlGeneratedClass const * o,
                                           CXmlWriter * w) const
{
    return ElementToXmlCls(c, o, w, false);
}

bool CElementInfo::NameAllowsUntyped(CXmlElement const * element) const
{
    return element != nullptr && (ElementName() == AnyElementName || element->GetLocalName() == ElementName());
}

bool CElementInfoSeqUntpdMnd::ElementFromXml(CSerializationContext const & c, CXmlGeneratedClass * o,
                                             CXmlElement * parent, CXmlElement ** current, char const *,
                                             XmlElementType parentType)
{
    if (*current == nullptr)
        ThrowRequiredChildMissing(parent);
    CXmlElement * next = *current;
    if (NameAllowsUntyped(*current))
    {
        CSmartPtr<CXmlObjectBase> const member = GetObject(o);
        if (member == nullptr)
            ThrowMandatoryNull();
        next = ReadInline(member, c, parent, *current);
    }
    if (next == *current)
    {
        if (parentType == XmlElementType_Element)
            throw CNxValidationException(
                FormatString("Failed to find the required element from namespace [%s].", ElementNamespace().c_str()),
                parent->GetXPath());
        return false;
    }
    *current = next;
    return true;
}

bool CElementInfoAllUntpdMnd::ElementFromXml(CSerializationContext const & c, CXmlGeneratedClass * o,
                                             CXmlElement * parent, CXmlElement ** current, char const *,
                                             XmlElementType)
{
    if (!NameAllowsUntyped(*current))
        return false;
    CSmartPtr<CXmlObjectBase> const member = GetObject(o);
    if (member == nullptr)
        ThrowMandatoryNull();
    CXmlElement * const next = ReadInline(member, c, parent, *current);
    if (next == *current)
        return false;
    *current = next;
    return true;
}

bool CElementInfoAllUntpdMnd::Validate(CSerializationContext const & c, CXmlGeneratedClass const *, bool found,
                                       bool checkMandatory) const
{
    return ValidateMandatory(c, found, checkMandatory, ElementName());
}
bool CElementInfoAllUntpdOpt::Validate(CSerializationContext const &, CXmlGeneratedClass const *, bool, bool) const
{
    return true;
}

bool CElementInfo::ReadNewUntyped(CSerializationContext const & c, CXmlGeneratedClass * o, CXmlElement * parent,
                                  CXmlElement ** current, char const * targetNamespace, std::string const & constraint,
                                  std::string const & declaredNamespace, bool clearWhenUntaken) const
{
    if (!NameAllowsUntyped(*current))
        return false;
    std::string const ns = GetAnyDefaultNamespace(constraint.c_str(), targetNamespace, declaredNamespace.c_str());
    CSmartPtr<CElement> const holder(
        new CElement(ElementName().c_str(), ns.c_str(), constraint.c_str(), declaredNamespace.c_str()));
    CXmlElement const & source = **current;
    CXmlElement * const next = ReadInline(holder.Get(), c, parent, *current);
    if (next == *current)
    {
        if (clearWhenUntaken)
            SetObject(o, nullptr, source);
        return false;
    }
    SetObject(o, holder.Get(), source);
    *current = next;
    return true;
}

bool CElementInfoSeqUntpdOpt::ElementFromXml(CSerializationContext const & c, CXmlGeneratedClass * o,
                                             CXmlElement * parent, CXmlElement ** current, char const * targetNamespace,
                                             XmlElementType)
{
    return ReadNewUntyped(c, o, parent, current, targetNamespace, m_nsConstraint, m_declaredNamespace, false);
}
bool CElementInfoAllUntpdOpt::ElementFromXml(CSerializationContext const & c, CXmlGeneratedClass * o,
                                             CXmlElement * parent, CXmlElement ** current, char const * targetNamespace,
                                             XmlElementType)
{
    return ReadNewUntyped(c, o, parent, current, targetNamespace, m_nsConstraint, m_declaredNamespace, false);
}
bool CElementInfoChoiceUntpdOpt::ElementFromXml(CSerializationContext const & c, CXmlGeneratedClass * o,
                                                CXmlElement * parent, CXmlElement ** current,
                                                char const * targetNamespace, XmlElementType)
{
    return ReadNewUntyped(c, o, parent, current, targetNamespace, m_nsConstraint, m_declaredNamespace, true);
}

} // namespace NxXmlLib16Data
