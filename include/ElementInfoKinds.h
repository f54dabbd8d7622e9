// The 43 element descriptor kinds, built from three axes: the model group (All, Choice, Seq), the
// content (AbsCls, Cls, Enum, Prim, Untpd) and the cardinality (Col, Mnd, Opt).
#pragma once

#include "ElementInfo.h"

#include <string>

namespace NxXmlLib16Data
{

// The building blocks of the kinds: a content class holds what the member needs and reads it in
// each model group; CKind and CCol add the group and the cardinality.
namespace Kinds
{

// The model groups and cardinalities, as tags that pick the behaviour.
struct All
{
};
struct Choice
{
};
struct Seq
{
};
struct Mnd
{
};
struct Opt
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
    // Reads the matched element *current and advances.
    void ReadValue(CSerializationContext const & context, CXmlGeneratedClass * object, CXmlElement ** current) const
    {
        ElementFromXmlPrim(context, object, current);
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
    // Reads the matched element *current and advances.
    void ReadValue(CSerializationContext const & context, CXmlGeneratedClass * object, CXmlElement ** current) const
    {
        ElementFromXmlEnum(context, object, current);
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
    bool Read(Seq, Mnd, CReadStep const & step);
    // An optional member of a sequence reads what matches and lets the sequence go on.
    bool Read(Seq, Opt, CReadStep const & step);
};

// Members held as objects of generated classes: as their own element, or inlined into the parent.
class CObjectContent : public CElementInfo
{
public:
    // Hoists the attributes of an inlined member onto the parent's start tag.
    void PseudoChildAttributeToXml(CSerializationContext const & context, CXmlGeneratedClass const * object,
                                   CXmlWriter * writer) const override;

protected:
    CObjectContent(char const * name, char const * ns, int propertyIndex, XmlElementType elementType)
        : CElementInfo(name, ns, propertyIndex), m_elementType(elementType)
    {
    }

    // Lets the member object read siblings inline; advances (and sets the member) when it took something.
    bool ReadInlineInto(CXmlObjectBase * member, CReadStep const & step, bool setMember) const;

    XmlElementType m_elementType;
};

// Optional class members: the factory makes the object that is read and set into the member.
class CClassContent : public CObjectContent
{
public:
    CClassContent(char const * name, char const * ns, int propertyIndex, XmlElementType elementType,
                  ClassFactoryFn factory, int classId);

protected:
    bool Read(All, Opt, CReadStep const & step) { return ReadNew(step); }
    // The member is set before it reads, and taken back when an inline read takes nothing.
    bool Read(Choice, Opt, CReadStep const & step);
    bool Read(Seq, Opt, CReadStep const & step);

private:
    // Reads into a new object when the member is there; false when it is not.
    bool ReadNew(CReadStep const & step) const;
    // A new object of the member's class.
    CSmartPtr<CXmlObjectBase> Create() const;

    ClassFactoryFn m_factory;
    int m_classId;
};

// Mandatory class members: the member already holds its object.
class CClassMandatoryContent : public CClassContent
{
public:
    CClassMandatoryContent(char const * name, char const * ns, int propertyIndex, XmlElementType elementType,
                           ClassFactoryFn factory, int classId, bool contentRequired)
        : CClassContent(name, ns, propertyIndex, elementType, factory, classId), m_contentRequired(contentRequired)
    {
    }

protected:
    bool Read(All, Mnd, CReadStep const & step);
    bool Read(Seq, Mnd, CReadStep const & step);
    // Whether the member must be found by the end of an all group.
    bool MustBeFound() const { return m_elementType == XmlElementType_PseudoElement || m_contentRequired; }

private:
    bool m_contentRequired;
};

// Members of an abstract class: the substitution factory picks the class from the element.
class CAbstractContent : public CObjectContent
{
public:
    CAbstractContent(char const * name, char const * ns, int propertyIndex, XmlElementType elementType,
                     SubstitutionFactoryFn factory);

protected:
    // The all group: as the member's own element, or inline when the element type says so.
    template <class Cardinality>
    bool Read(All, Cardinality, CReadStep const & step);
    bool Read(Choice, Opt, CReadStep const & step);
    bool Read(Seq, Mnd, CReadStep const & step);
    bool Read(Seq, Opt, CReadStep const & step);

private:
    // Reads the element *current into the object the factory makes for it; false when it makes none.
    bool ReadSubstitute(CReadStep const & step) const;

    SubstitutionFactoryFn m_factory;
};

// The mandatory abstract member of the all group also carries a class id.
class CAbstractAllMandatoryContent : public CAbstractContent
{
public:
    CAbstractAllMandatoryContent(char const * name, char const * ns, int propertyIndex, XmlElementType elementType,
                                 SubstitutionFactoryFn factory, int classId)
        : CAbstractContent(name, ns, propertyIndex, elementType, factory), m_classId(classId)
    {
    }

protected:
    int m_classId; // the generator's id of the member's class; the substitution factory does not need it
};

// Untyped (wildcard) members: open content held in a CElement.
class CUntypedContent : public CElementInfo
{
public:
    CUntypedContent(char const * name, char const * ns, int propertyIndex, char const * nsConstraint,
                    char const * declaredNamespace);

protected:
    bool Read(All, Mnd, CReadStep const & step);
    bool Read(Seq, Mnd, CReadStep const & step);
    // Optional members read into a new CElement; the choice clears the member when it takes nothing.
    template <class Group>
    bool Read(Group, Opt, CReadStep const & step);

private:
    // Whether the member takes the element: any element for a wildcard, else its name.
    bool NameAllowsUntyped(CXmlElement const * element) const;
    // Lets the member's own CElement read inline; returns the first element it did not take.
    CXmlElement * ReadHeld(CReadStep const & step) const;

    std::string m_nsConstraint;
    std::string m_declaredNamespace;
};

// A member of one content, model group and cardinality that is not a collection.
template <class Content, class Group, class Cardinality>
class CKind : public Content
{
public:
    using Content::Content;

    // Writes the member; mandatory members must hold a value, optional ones may not.
    bool ElementToXml(CSerializationContext const & context, CXmlGeneratedClass const * object,
                      CXmlWriter * writer) const override;
    bool ElementFromXml(CSerializationContext const & context, CXmlGeneratedClass * object, CXmlElement * parent,
                        CXmlElement ** current, char const * targetNamespace, XmlElementType parentType) override;
    // The all group's end: optional members are fine, a missing mandatory member throws when checked.
    bool Validate(CSerializationContext const & context, CXmlGeneratedClass const * object, bool found,
                  bool checkMandatory) const override;
};

// Collection members of one model group: the collection reads and writes its run of items.
template <class Group>
class CCol : public CElementInfo
{
public:
    CCol(char const * name, char const * ns, int propertyIndex) : CElementInfo(name, ns, propertyIndex) {}

    bool ElementToXml(CSerializationContext const & context, CXmlGeneratedClass const * object,
                      CXmlWriter * writer) const override;
    bool ElementFromXml(CSerializationContext const & context, CXmlGeneratedClass * object, CXmlElement * parent,
                        CXmlElement ** current, char const * targetNamespace, XmlElementType parentType) override;
    // Collections never fail the all group's end.
    bool Validate(CSerializationContext const & context, CXmlGeneratedClass const * object, bool found,
                  bool checkMandatory) const override;

protected:
    // Reads the run of items into the collection; returns the first element not taken.
    virtual CXmlElement * ReadCollection(CSerializationContext const & context, CXmlGeneratedClass * object,
                                         CXmlElement * parent, CXmlElement * current);
};

// Collections of class members hoist the attributes of inlined items.
template <class Collection>
class CClsCol : public Collection
{
public:
    CClsCol(char const * name, char const * ns, int propertyIndex, XmlElementType elementType)
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
class CUntpdCol : public Collection
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

// The contents as the kinds' names spell them.
template <class Group, class Cardinality>
using AbsCls = CKind<CAbstractContent, Group, Cardinality>;
template <class Group, class Cardinality>
using Cls = CKind<CClassContent, Group, Cardinality>;
template <class Group, class Cardinality>
using Enum = CKind<CValueContent<CEnumContent>, Group, Cardinality>;
template <class Group, class Cardinality>
using Prim = CKind<CValueContent<CPrimitiveContent>, Group, Cardinality>;
template <class Group, class Cardinality>
using Untpd = CKind<CUntypedContent, Group, Cardinality>;

} // namespace Kinds

// The 43 kinds. Each inherits its constructor (and its public access) from its building blocks.
class CElementInfoAllCol : public Kinds::CCol<Kinds::All>
{
public:
    using CCol::CCol;
};
class CElementInfoChoiceCol : public Kinds::CCol<Kinds::Choice>
{
public:
    using CCol::CCol;
};
class CElementInfoSeqCol : public Kinds::CCol<Kinds::Seq>
{
public:
    using CCol::CCol;
};

class CElementInfoAllAbsClsCol : public Kinds::CClsCol<CElementInfoAllCol>
{
public:
    using CClsCol::CClsCol;
};
class CElementInfoAllAbsClsMnd : public Kinds::CKind<Kinds::CAbstractAllMandatoryContent, Kinds::All, Kinds::Mnd>
{
public:
    using CKind::CKind;
};
class CElementInfoAllAbsClsOpt : public Kinds::AbsCls<Kinds::All, Kinds::Opt>
{
public:
    using CKind::CKind;
};
class CElementInfoAllClsCol : public Kinds::CClsCol<CElementInfoAllCol>
{
public:
    using CClsCol::CClsCol;
};
class CElementInfoAllClsMnd : public Kinds::CKind<Kinds::CClassMandatoryContent, Kinds::All, Kinds::Mnd>
{
public:
    using CKind::CKind;
};
class CElementInfoAllClsOpt : public Kinds::Cls<Kinds::All, Kinds::Opt>
{
public:
    using CKind::CKind;
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
class CElementInfoAllEnumMnd : public Kinds::Enum<Kinds::All, Kinds::Mnd>
{
public:
    using CKind::CKind;
};
class CElementInfoAllEnumOpt : public Kinds::Enum<Kinds::All, Kinds::Opt>
{
public:
    using CKind::CKind;
};
class CElementInfoAllPrimCol : public CElementInfoAllCol
{
public:
    using CElementInfoAllCol::CElementInfoAllCol;
};
class CElementInfoAllPrimMnd : public Kinds::Prim<Kinds::All, Kinds::Mnd>
{
public:
    using CKind::CKind;
};
class CElementInfoAllPrimOpt : public Kinds::Prim<Kinds::All, Kinds::Opt>
{
public:
    using CKind::CKind;
};
class CElementInfoAllUntpdCol : public Kinds::CUntpdCol<CElementInfoAllCol>
{
public:
    using CUntpdCol::CUntpdCol;
};
class CElementInfoAllUntpdMnd : public Kinds::Untpd<Kinds::All, Kinds::Mnd>
{
public:
    using CKind::CKind;
};
class CElementInfoAllUntpdOpt : public Kinds::Untpd<Kinds::All, Kinds::Opt>
{
public:
    using CKind::CKind;
};

// A choice member is optional by nature: the choice has no mandatory kinds.
class CElementInfoChoiceAbsClsCol : public Kinds::CClsCol<CElementInfoChoiceCol>
{
public:
    using CClsCol::CClsCol;
};
class CElementInfoChoiceAbsClsOpt : public Kinds::AbsCls<Kinds::Choice, Kinds::Opt>
{
public:
    using CKind::CKind;
};
class CElementInfoChoiceClsCol : public Kinds::CClsCol<CElementInfoChoiceCol>
{
public:
    using CClsCol::CClsCol;
};
class CElementInfoChoiceClsOpt : public Kinds::Cls<Kinds::Choice, Kinds::Opt>
{
public:
    using CKind::CKind;
};
class CElementInfoChoiceEnumCol : public CElementInfoChoiceCol
{
public:
    using CElementInfoChoiceCol::CElementInfoChoiceCol;
};
class CElementInfoChoiceEnumOpt : public Kinds::Enum<Kinds::Choice, Kinds::Opt>
{
public:
    using CKind::CKind;
};
class CElementInfoChoicePrimCol : public CElementInfoChoiceCol
{
public:
    using CElementInfoChoiceCol::CElementInfoChoiceCol;
};
class CElementInfoChoicePrimOpt : public Kinds::Prim<Kinds::Choice, Kinds::Opt>
{
public:
    using CKind::CKind;
};
class CElementInfoChoiceUntpdCol : public Kinds::CUntpdCol<CElementInfoChoiceCol>
{
public:
    using CUntpdCol::CUntpdCol;
};
class CElementInfoChoiceUntpdOpt : public Kinds::Untpd<Kinds::Choice, Kinds::Opt>
{
public:
    using CKind::CKind;
};

class CElementInfoSeqAbsClsCol : public Kinds::CClsCol<CElementInfoSeqCol>
{
public:
    using CClsCol::CClsCol;
};
class CElementInfoSeqAbsClsMnd : public Kinds::AbsCls<Kinds::Seq, Kinds::Mnd>
{
public:
    using CKind::CKind;
};
class CElementInfoSeqAbsClsOpt : public Kinds::AbsCls<Kinds::Seq, Kinds::Opt>
{
public:
    using CKind::CKind;
};
class CElementInfoSeqClsCol : public Kinds::CClsCol<CElementInfoSeqCol>
{
public:
    using CClsCol::CClsCol;
};
class CElementInfoSeqClsMnd : public Kinds::CKind<Kinds::CClassMandatoryContent, Kinds::Seq, Kinds::Mnd>
{
public:
    using CKind::CKind;
};
class CElementInfoSeqClsOpt : public Kinds::Cls<Kinds::Seq, Kinds::Opt>
{
public:
    using CKind::CKind;
};
class CElementInfoSeqEnumCol : public CElementInfoSeqCol
{
public:
    using CElementInfoSeqCol::CElementInfoSeqCol;
};
class CElementInfoSeqEnumMnd : public Kinds::Enum<Kinds::Seq, Kinds::Mnd>
{
public:
    using CKind::CKind;
};
class CElementInfoSeqEnumOpt : public Kinds::Enum<Kinds::Seq, Kinds::Opt>
{
public:
    using CKind::CKind;
};
class CElementInfoSeqPrimCol : public CElementInfoSeqCol
{
public:
    using CElementInfoSeqCol::CElementInfoSeqCol;
};
class CElementInfoSeqPrimMnd : public Kinds::Prim<Kinds::Seq, Kinds::Mnd>
{
public:
    using CKind::CKind;
};
class CElementInfoSeqPrimOpt : public Kinds::Prim<Kinds::Seq, Kinds::Opt>
{
public:
    using CKind::CKind;
};
class CElementInfoSeqUntpdCol : public Kinds::CUntpdCol<CElementInfoSeqCol>
{
public:
    using CUntpdCol::CUntpdCol;
};
class CElementInfoSeqUntpdMnd : public Kinds::Untpd<Kinds::Seq, Kinds::Mnd>
{
public:
    using CKind::CKind;
};
class CElementInfoSeqUntpdOpt : public Kinds::Untpd<Kinds::Seq, Kinds::Opt>
{
public:
    using CKind::CKind;
};

} // namespace NxXmlLib16Data
