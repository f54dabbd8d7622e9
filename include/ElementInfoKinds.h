// The 43 element descriptor kinds, built from three axes: the model group (All, Choice, Seq), the
// content (AbsCls, Cls, Enum, Prim, Untpd) and the cardinality (Col, Mnd, Opt).
#pragma once

#include "ElementInfo.h"

#include <string>

namespace NxXmlLib16Data
{

// The building blocks of the kinds: a content class holds what the member needs and reads it in
// each model group; CMemberKind and CCollectionKind add the group and the cardinality.
namespace Kinds
{

// The model groups and cardinalities, as tags that pick the behaviour.
struct AllGroup
{
};
struct ChoiceGroup
{
};
struct SeqGroup
{
};
struct Mandatory
{
};
struct Optional
{
};

// The arguments of one ElementFromXml call.
struct CReadStep
{
    CSerializationContext const & context;
    CXmlGeneratedClass * object;
    CXmlElement * parent;
    CXmlElement ** current; // advanced past what the member takes
    char const * targetNamespace;
    XmlElementType parentType;
};

// Primitive members: one element of simple text.
class CPrimitiveContent : public CElementInfo
{
public:
    CPrimitiveContent(char const * name, char const * ns, int propertyIndex, bool nillable, ItemType itemType,
                      char const * formatOverride, WhitespaceRule whitespace,
                      CPrimitiveRestrictions const & restrictions, char const * defaultValue)
        : CElementInfo(name, ns, propertyIndex, nillable, itemType, formatOverride, whitespace, restrictions,
                       defaultValue)
    {
    }

protected:
    // Writes the value; false when there is none.
    bool WriteContent(CSerializationContext const & c, CXmlGeneratedClass const * o, CXmlWriter * w, bool) const
    {
        return ElementToXmlPrim(c, o, w);
    }
    // Reads the matched element *current and advances.
    void ReadValue(CSerializationContext const & c, CXmlGeneratedClass * o, CXmlElement ** current) const
    {
        ElementFromXmlPrim(c, o, current);
    }
};

// Enumerated members: one element holding the text of an enumeration value.
class CEnumContent : public CElementInfo
{
public:
    CEnumContent(char const * name, char const * ns, int propertyIndex, bool nillable, EnumToStringFn enumToString,
                 StringToEnumFn stringToEnum, char const * defaultValue)
        : CElementInfo(name, ns, propertyIndex, nillable, enumToString, stringToEnum, defaultValue)
    {
    }

protected:
    // Writes the value; false when there is none.
    bool WriteContent(CSerializationContext const & c, CXmlGeneratedClass const * o, CXmlWriter * w, bool) const
    {
        return ElementToXmlEnum(c, o, w, EnumToString());
    }
    // Reads the matched element *current and advances.
    void ReadValue(CSerializationContext const & c, CXmlGeneratedClass * o, CXmlElement ** current) const
    {
        ElementFromXmlEnum(c, o, current);
    }
};

// Primitive and enumerated members read alike: the element is taken when it has the member's name.
template <class Content>
class CValueContent : public Content
{
public:
    using Content::Content;

protected:
    // The all and choice groups take the element when it matches.
    template <class Group, class Cardinality>
    bool Read(Group, Cardinality, CReadStep const & step);
    // A mandatory member of a sequence skips foreign elements when allowed.
    bool Read(SeqGroup, Mandatory, CReadStep const & step);
    // An optional member of a sequence reads what matches and lets the sequence go on.
    bool Read(SeqGroup, Optional, CReadStep const & step);
};

// Members of a generated class: read into the member's object or a new one from the factory.
class CClassContent : public CElementInfo
{
public:
    // Hoists the attributes of an inlined member onto the parent's start tag.
    void PseudoChildAttributeToXml(CSerializationContext const & context, CXmlGeneratedClass const * object,
                                   CXmlWriter * writer) const override;

protected:
    CClassContent(char const * name, char const * ns, int propertyIndex, XmlElementType elementType,
                  ClassFactoryFn factory, int classId, bool contentRequired);

    // Writes the member's object; a choice inside an optional choice member's class may be empty.
    bool WriteContent(CSerializationContext const & c, CXmlGeneratedClass const * o, CXmlWriter * w,
                      bool inChoice) const;
    bool Read(AllGroup, Mandatory, CReadStep const & step);
    bool Read(AllGroup, Optional, CReadStep const & step);
    bool Read(ChoiceGroup, Optional, CReadStep const & step);
    bool Read(SeqGroup, Mandatory, CReadStep const & step);
    bool Read(SeqGroup, Optional, CReadStep const & step);
    // Whether a mandatory member of the all group must be found.
    bool MustBeFound() const;

private:
    // A new object of the member's class.
    CSmartPtr<CXmlObjectBase> Create() const;

    XmlElementType m_elementType;
    ClassFactoryFn m_factory;
    int m_classId;
    bool m_contentRequired;
};

// Mandatory class members: the member already holds its object.
class CClassMandatoryContent : public CClassContent
{
public:
    CClassMandatoryContent(char const * name, char const * ns, int propertyIndex, XmlElementType elementType,
                           ClassFactoryFn factory, int classId, bool contentRequired)
        : CClassContent(name, ns, propertyIndex, elementType, factory, classId, contentRequired)
    {
    }
};

// Optional class members: the factory makes the object that is read.
class CClassOptionalContent : public CClassContent
{
public:
    CClassOptionalContent(char const * name, char const * ns, int propertyIndex, XmlElementType elementType,
                          ClassFactoryFn factory, int classId)
        : CClassContent(name, ns, propertyIndex, elementType, factory, classId, false)
    {
    }
};

// Members of an abstract class: the substitution factory picks the class from the element.
class CAbstractContent : public CElementInfo
{
public:
    // Hoists the attributes of an inlined member onto the parent's start tag.
    void PseudoChildAttributeToXml(CSerializationContext const & context, CXmlGeneratedClass const * object,
                                   CXmlWriter * writer) const override;

protected:
    CAbstractContent(char const * name, char const * ns, int propertyIndex, XmlElementType elementType,
                     SubstitutionFactoryFn factory, int classId);

    // Writes the member's object.
    bool WriteContent(CSerializationContext const & c, CXmlGeneratedClass const * o, CXmlWriter * w, bool) const;
    // The all group: as the member's own element, or inline when the element type says so.
    template <class Cardinality>
    bool Read(AllGroup, Cardinality, CReadStep const & step);
    bool Read(ChoiceGroup, Optional, CReadStep const & step);
    bool Read(SeqGroup, Mandatory, CReadStep const & step);
    bool Read(SeqGroup, Optional, CReadStep const & step);

private:
    // Reads the element *current into the object the factory makes for it; false when it makes none.
    bool ReadSubstitute(CReadStep const & step) const;

    XmlElementType m_elementType;
    SubstitutionFactoryFn m_factory;
    int m_classId;
};

// Abstract members other than the mandatory one of the all group.
class CAbstractMemberContent : public CAbstractContent
{
public:
    CAbstractMemberContent(char const * name, char const * ns, int propertyIndex, XmlElementType elementType,
                           SubstitutionFactoryFn factory)
        : CAbstractContent(name, ns, propertyIndex, elementType, factory, 0)
    {
    }
};

// Mandatory abstract members of the all group also carry a class id.
class CAbstractAllMandatoryContent : public CAbstractContent
{
public:
    CAbstractAllMandatoryContent(char const * name, char const * ns, int propertyIndex, XmlElementType elementType,
                                 SubstitutionFactoryFn factory, int classId)
        : CAbstractContent(name, ns, propertyIndex, elementType, factory, classId)
    {
    }
};

// Untyped (wildcard) members: open content held in a CElement.
class CUntypedContent : public CElementInfo
{
public:
    CUntypedContent(char const * name, char const * ns, int propertyIndex, char const * nsConstraint,
                    char const * declaredNamespace);

protected:
    // Writes the open content.
    bool WriteContent(CSerializationContext const & c, CXmlGeneratedClass const * o, CXmlWriter * w, bool) const;
    bool Read(AllGroup, Mandatory, CReadStep const & step);
    bool Read(SeqGroup, Mandatory, CReadStep const & step);
    // Optional members read into a new CElement; the choice clears the member when it takes nothing.
    template <class Group>
    bool Read(Group, Optional, CReadStep const & step);

private:
    // Whether the member takes the element: any element for a wildcard, else its name.
    bool NameAllowsUntyped(CXmlElement const * element) const;

    std::string m_nsConstraint;
    std::string m_declaredNamespace;
};

// A member of one content, model group and cardinality that is not a collection.
template <class Content, class Group, class Cardinality>
class CMemberKind : public Content
{
public:
    using Content::Content;

    // Mandatory members must hold a value; optional ones may not.
    bool ElementToXml(CSerializationContext const & context, CXmlGeneratedClass const * object,
                      CXmlWriter * writer) const override;
    bool ElementFromXml(CSerializationContext const & context, CXmlGeneratedClass * object, CXmlElement * parent,
                        CXmlElement ** current, char const * targetNamespace, XmlElementType parentType) override;
};

// Members of the all group also answer the check at the group's end.
template <class Content, class Cardinality>
class CAllMemberKind : public CMemberKind<Content, AllGroup, Cardinality>
{
public:
    using CMemberKind<Content, AllGroup, Cardinality>::CMemberKind;

    // Optional members are always fine; a missing mandatory member throws when it is checked.
    bool Validate(CSerializationContext const & context, CXmlGeneratedClass const * object, bool found,
                  bool checkMandatory) const override;
};

// Collection members of one model group: the collection reads and writes its run of items.
template <class Group>
class CCollectionKind : public CElementInfo
{
public:
    CCollectionKind(char const * name, char const * ns, int propertyIndex) : CElementInfo(name, ns, propertyIndex) {}

    bool ElementToXml(CSerializationContext const & context, CXmlGeneratedClass const * object,
                      CXmlWriter * writer) const override;
    bool ElementFromXml(CSerializationContext const & context, CXmlGeneratedClass * object, CXmlElement * parent,
                        CXmlElement ** current, char const * targetNamespace, XmlElementType parentType) override;

protected:
    // Reads the run of items into the collection; returns the first element not taken.
    virtual CXmlElement * ReadCollection(CSerializationContext const & context, CXmlGeneratedClass * object,
                                         CXmlElement * parent, CXmlElement * current);
};

// Collections of the all group never fail the check at the group's end.
class CAllCollectionKind : public CCollectionKind<AllGroup>
{
public:
    using CCollectionKind<AllGroup>::CCollectionKind;

    bool Validate(CSerializationContext const & context, CXmlGeneratedClass const * object, bool found,
                  bool checkMandatory) const override;
};

// Collections of class members hoist the attributes of inlined items.
template <class Collection>
class CClassCollectionKind : public Collection
{
public:
    CClassCollectionKind(char const * name, char const * ns, int propertyIndex, XmlElementType elementType)
        : Collection(name, ns, propertyIndex), m_elementType(elementType)
    {
    }
    // Hoists the attributes of an inlined collection onto the parent's start tag.
    void PseudoChildAttributeToXml(CSerializationContext const & context, CXmlGeneratedClass const * object,
                                   CXmlWriter * writer) const override
    {
        this->HoistAttributes(context, object, writer, m_elementType);
    }

private:
    XmlElementType m_elementType;
};

// Collections of untyped members read a run of open-content elements.
template <class Collection>
class CUntypedCollectionKind : public Collection
{
public:
    using Collection::Collection;

protected:
    // Any elements the collection accepts for a wildcard member, else the run with the member's name.
    CXmlElement * ReadCollection(CSerializationContext const & context, CXmlGeneratedClass * object,
                                 CXmlElement * parent, CXmlElement * current) override
    {
        return this->ReadUntypedRun(this->GetObject(object), context, parent, current);
    }
};

using CPrimitiveValue = CValueContent<CPrimitiveContent>;
using CEnumValue = CValueContent<CEnumContent>;

} // namespace Kinds

// ---- The collection bases -------------------------------------------------------------------

class CElementInfoAllCol : public Kinds::CAllCollectionKind
{
public:
    using CAllCollectionKind::CAllCollectionKind;
};

class CElementInfoChoiceCol : public Kinds::CCollectionKind<Kinds::ChoiceGroup>
{
public:
    using CCollectionKind::CCollectionKind;
};

class CElementInfoSeqCol : public Kinds::CCollectionKind<Kinds::SeqGroup>
{
public:
    using CCollectionKind::CCollectionKind;
};

// ---- The all group --------------------------------------------------------------------------

class CElementInfoAllAbsClsCol : public Kinds::CClassCollectionKind<CElementInfoAllCol>
{
public:
    using CClassCollectionKind::CClassCollectionKind;
};

class CElementInfoAllAbsClsMnd : public Kinds::CAllMemberKind<Kinds::CAbstractAllMandatoryContent, Kinds::Mandatory>
{
public:
    using CAllMemberKind::CAllMemberKind;
};

class CElementInfoAllAbsClsOpt : public Kinds::CAllMemberKind<Kinds::CAbstractMemberContent, Kinds::Optional>
{
public:
    using CAllMemberKind::CAllMemberKind;
};

class CElementInfoAllClsCol : public Kinds::CClassCollectionKind<CElementInfoAllCol>
{
public:
    using CClassCollectionKind::CClassCollectionKind;
};

class CElementInfoAllClsMnd : public Kinds::CAllMemberKind<Kinds::CClassMandatoryContent, Kinds::Mandatory>
{
public:
    using CAllMemberKind::CAllMemberKind;
};

class CElementInfoAllClsOpt : public Kinds::CAllMemberKind<Kinds::CClassOptionalContent, Kinds::Optional>
{
public:
    using CAllMemberKind::CAllMemberKind;
};

// Repeated members are not allowed in an all group: reading and writing throw.
class CElementInfoAllEnumCol : public CElementInfo
{
public:
    CElementInfoAllEnumCol(char const * name, char const * ns, int propertyIndex);

    bool ElementToXml(CSerializationContext const & context, CXmlGeneratedClass const * object,
                      CXmlWriter * writer) const override;
    bool ElementFromXml(CSerializationContext const & context, CXmlGeneratedClass * object, CXmlElement * parent,
                        CXmlElement ** current, char const * targetNamespace, XmlElementType parentType) override;
};

class CElementInfoAllEnumMnd : public Kinds::CAllMemberKind<Kinds::CEnumValue, Kinds::Mandatory>
{
public:
    using CAllMemberKind::CAllMemberKind;
};

class CElementInfoAllEnumOpt : public Kinds::CAllMemberKind<Kinds::CEnumValue, Kinds::Optional>
{
public:
    using CAllMemberKind::CAllMemberKind;
};

class CElementInfoAllPrimCol : public CElementInfoAllCol
{
public:
    using CElementInfoAllCol::CElementInfoAllCol;
};

class CElementInfoAllPrimMnd : public Kinds::CAllMemberKind<Kinds::CPrimitiveValue, Kinds::Mandatory>
{
public:
    using CAllMemberKind::CAllMemberKind;
};

class CElementInfoAllPrimOpt : public Kinds::CAllMemberKind<Kinds::CPrimitiveValue, Kinds::Optional>
{
public:
    using CAllMemberKind::CAllMemberKind;
};

class CElementInfoAllUntpdCol : public Kinds::CUntypedCollectionKind<CElementInfoAllCol>
{
public:
    using CUntypedCollectionKind::CUntypedCollectionKind;
};

class CElementInfoAllUntpdMnd : public Kinds::CAllMemberKind<Kinds::CUntypedContent, Kinds::Mandatory>
{
public:
    using CAllMemberKind::CAllMemberKind;
};

class CElementInfoAllUntpdOpt : public Kinds::CAllMemberKind<Kinds::CUntypedContent, Kinds::Optional>
{
public:
    using CAllMemberKind::CAllMemberKind;
};

// ---- The choice group: every member is optional ------------------------------------------------

class CElementInfoChoiceAbsClsCol : public Kinds::CClassCollectionKind<CElementInfoChoiceCol>
{
public:
    using CClassCollectionKind::CClassCollectionKind;
};

class CElementInfoChoiceAbsClsOpt
    : public Kinds::CMemberKind<Kinds::CAbstractMemberContent, Kinds::ChoiceGroup, Kinds::Optional>
{
public:
    using CMemberKind::CMemberKind;
};

class CElementInfoChoiceClsCol : public Kinds::CClassCollectionKind<CElementInfoChoiceCol>
{
public:
    using CClassCollectionKind::CClassCollectionKind;
};

class CElementInfoChoiceClsOpt
    : public Kinds::CMemberKind<Kinds::CClassOptionalContent, Kinds::ChoiceGroup, Kinds::Optional>
{
public:
    using CMemberKind::CMemberKind;
};

class CElementInfoChoiceEnumCol : public CElementInfoChoiceCol
{
public:
    using CElementInfoChoiceCol::CElementInfoChoiceCol;
};

class CElementInfoChoiceEnumOpt : public Kinds::CMemberKind<Kinds::CEnumValue, Kinds::ChoiceGroup, Kinds::Optional>
{
public:
    using CMemberKind::CMemberKind;
};

class CElementInfoChoicePrimCol : public CElementInfoChoiceCol
{
public:
    using CElementInfoChoiceCol::CElementInfoChoiceCol;
};

class CElementInfoChoicePrimOpt
    : public Kinds::CMemberKind<Kinds::CPrimitiveValue, Kinds::ChoiceGroup, Kinds::Optional>
{
public:
    using CMemberKind::CMemberKind;
};

class CElementInfoChoiceUntpdCol : public Kinds::CUntypedCollectionKind<CElementInfoChoiceCol>
{
public:
    using CUntypedCollectionKind::CUntypedCollectionKind;
};

class CElementInfoChoiceUntpdOpt
    : public Kinds::CMemberKind<Kinds::CUntypedContent, Kinds::ChoiceGroup, Kinds::Optional>
{
public:
    using CMemberKind::CMemberKind;
};

// ---- The sequence ----------------------------------------------------------------------------

class CElementInfoSeqAbsClsCol : public Kinds::CClassCollectionKind<CElementInfoSeqCol>
{
public:
    using CClassCollectionKind::CClassCollectionKind;
};

class CElementInfoSeqAbsClsMnd : public Kinds::CMemberKind<Kinds::CAbstractMemberContent, Kinds::SeqGroup, Kinds::Mandatory>
{
public:
    using CMemberKind::CMemberKind;
};

class CElementInfoSeqAbsClsOpt : public Kinds::CMemberKind<Kinds::CAbstractMemberContent, Kinds::SeqGroup, Kinds::Optional>
{
public:
    using CMemberKind::CMemberKind;
};

class CElementInfoSeqClsCol : public Kinds::CClassCollectionKind<CElementInfoSeqCol>
{
public:
    using CClassCollectionKind::CClassCollectionKind;
};

class CElementInfoSeqClsMnd
    : public Kinds::CMemberKind<Kinds::CClassMandatoryContent, Kinds::SeqGroup, Kinds::Mandatory>
{
public:
    using CMemberKind::CMemberKind;
};

class CElementInfoSeqClsOpt : public Kinds::CMemberKind<Kinds::CClassOptionalContent, Kinds::SeqGroup, Kinds::Optional>
{
public:
    using CMemberKind::CMemberKind;
};

class CElementInfoSeqEnumCol : public CElementInfoSeqCol
{
public:
    using CElementInfoSeqCol::CElementInfoSeqCol;
};

class CElementInfoSeqEnumMnd : public Kinds::CMemberKind<Kinds::CEnumValue, Kinds::SeqGroup, Kinds::Mandatory>
{
public:
    using CMemberKind::CMemberKind;
};

class CElementInfoSeqEnumOpt : public Kinds::CMemberKind<Kinds::CEnumValue, Kinds::SeqGroup, Kinds::Optional>
{
public:
    using CMemberKind::CMemberKind;
};

class CElementInfoSeqPrimCol : public CElementInfoSeqCol
{
public:
    using CElementInfoSeqCol::CElementInfoSeqCol;
};

class CElementInfoSeqPrimMnd : public Kinds::CMemberKind<Kinds::CPrimitiveValue, Kinds::SeqGroup, Kinds::Mandatory>
{
public:
    using CMemberKind::CMemberKind;
};

class CElementInfoSeqPrimOpt : public Kinds::CMemberKind<Kinds::CPrimitiveValue, Kinds::SeqGroup, Kinds::Optional>
{
public:
    using CMemberKind::CMemberKind;
};

class CElementInfoSeqUntpdCol : public Kinds::CUntypedCollectionKind<CElementInfoSeqCol>
{
public:
    using CUntypedCollectionKind::CUntypedCollectionKind;
};

class CElementInfoSeqUntpdMnd : public Kinds::CMemberKind<Kinds::CUntypedContent, Kinds::SeqGroup, Kinds::Mandatory>
{
public:
    using CMemberKind::CMemberKind;
};

class CElementInfoSeqUntpdOpt : public Kinds::CMemberKind<Kinds::CUntypedContent, Kinds::SeqGroup, Kinds::Optional>
{
public:
    using CMemberKind::CMemberKind;
};

} // namespace NxXmlLib16Data
