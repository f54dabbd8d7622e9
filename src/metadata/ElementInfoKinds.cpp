#include "ElementInfoKinds.h"

#include "NxException.h"
#include "OpenContent.h"
#include "SerializationContext.h"
#include "XmlCollection.h"
#include "XmlDocument.h"
#include "frame/Messages.h"

#include <type_traits>

namespace NxXmlLib16Data
{

using namespace NxXmlLib16;

namespace Kinds
{

namespace
{

CXmlCollectionBase * AsCollection(CSmartPtr<CXmlObjectBase> const & object)
{
    return static_cast<CXmlCollectionBase *>(object.Get());
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
    throw CNxValidationException(FormatString(Msg::FailedFindMandatoryElement, name.c_str()), std::string());
}

[[noreturn]] void ThrowNoSubstitution(std::string const & name, CXmlElement const * parent)
{
    throw CNxValidationException(FormatString(Msg::FailedFindSubstitutionElement, name.c_str()),
                                 parent != nullptr ? parent->GetXPath() : std::string());
}

} // namespace

// ---- The kinds: cardinality on writing, the group's check ------------------------------------

template <class Content, class Group, class Cardinality>
bool CKind<Content, Group, Cardinality>::ElementToXml(CSerializationContext const & context,
                                                      CXmlGeneratedClass const * object, CXmlWriter * writer) const
{
    // An optional class member of a choice lets a choice inside its class be empty.
    bool constexpr emptyChoiceAllowed =
        std::is_same<Group, Choice>::value && std::is_same<Content, CClassContent>::value;
    bool written = false;
    if constexpr (std::is_base_of<CPrimitiveContent, Content>::value)
        written = this->ElementToXmlPrim(context, object, writer);
    else if constexpr (std::is_base_of<CEnumContent, Content>::value)
        written = this->ElementToXmlEnum(context, object, writer, this->EnumToString());
    else
        written = this->ElementToXmlCls(context, object, writer, emptyChoiceAllowed);
    if (std::is_same<Cardinality, Mnd>::value && !written)
        this->ThrowMandatoryNull();
    return written;
}

template <class Content, class Group, class Cardinality>
bool CKind<Content, Group, Cardinality>::ElementFromXml(CSerializationContext const & context,
                                                        CXmlGeneratedClass * object, CXmlElement * parent,
                                                        CXmlElement ** current, char const * targetNamespace,
                                                        XmlElementType parentType)
{
    return this->Read(Group(), Cardinality(), CReadStep{context, object, parent, current, targetNamespace, parentType});
}

template <class Content, class Group, class Cardinality>
bool CKind<Content, Group, Cardinality>::Validate(CSerializationContext const & context,
                                                  CXmlGeneratedClass const * object, bool found,
                                                  bool checkMandatory) const
{
    if (!std::is_same<Group, All>::value)
        return CElementInfo::Validate(context, object, found, checkMandatory);
    if (std::is_same<Cardinality, Opt>::value)
        return true;
    if constexpr (std::is_base_of<CClassMandatoryContent, Content>::value)
    {
        if (!found && checkMandatory && !this->MustBeFound())
            return true;
    }
    return ValidateMandatory(context, found, checkMandatory, this->GetElementName());
}

// ---- Collections -------------------------------------------------------------------------------

template <class Group>
CXmlElement * CCol<Group>::ReadCollection(CSerializationContext const & context, CXmlGeneratedClass * object,
                                          CXmlElement * parent, CXmlElement * current)
{
    return ReadInline(GetObject(object), context, parent, current);
}

// The all and sequence groups check the count before writing; the choice leaves it to the driver.
template <class Group>
bool CCol<Group>::ElementToXml(CSerializationContext const & context, CXmlGeneratedClass const * object,
                               CXmlWriter * writer) const
{
    if (!std::is_same<Group, Choice>::value && !context.GetIgnoreInvalidCollectionCounts())
        AsCollection(GetObject(const_cast<CXmlGeneratedClass *>(object)))->ValidateCount(context);
    return ElementToXmlCol(context, object, writer);
}

template <class Group>
bool CCol<Group>::ElementFromXml(CSerializationContext const & context, CXmlGeneratedClass * object,
                                 CXmlElement * parent, CXmlElement ** current, char const *, XmlElementType parentType)
{
    CXmlElement * const next = ReadCollection(context, object, parent, *current);
    if (std::is_same<Group, All>::value)
    {
        *current = next;
        return false;
    }
    if (std::is_same<Group, Choice>::value && next == *current)
        return false; // this branch of the choice is not taken
    CXmlCollectionBase * const collection = AsCollection(GetObject(object));
    if (parentType != XmlElementType_Element)
    {
        if (std::is_same<Group, Seq>::value)
        {
            *current = next;
            return collection->IsValidCount(context);
        }
        if (!collection->IsValidCount(context))
            return false;
        *current = next;
        return true;
    }
    *current = next;
    collection->ValidateCount(context);
    return true;
}

template <class Group>
bool CCol<Group>::Validate(CSerializationContext const & context, CXmlGeneratedClass const * object, bool found,
                           bool checkMandatory) const
{
    return std::is_same<Group, All>::value || CElementInfo::Validate(context, object, found, checkMandatory);
}

// ---- Primitive and enumerated members ------------------------------------------------------------

template <class Content>
template <class Group, class Cardinality>
bool CValueContent<Content>::Read(Group, Cardinality, CReadStep const & step)
{
    if (!this->IsThisElement(step.context, *step.current))
        return false;
    this->ReadValue(step.context, step.object, step.current);
    return true;
}

template <class Content>
bool CValueContent<Content>::Read(Seq, Mnd, CReadStep const & step)
{
    if (step.parentType == XmlElementType_Element)
    {
        if (this->SkipToMandatory(step.context, step.parent, step.current))
            this->ReadValue(step.context, step.object, step.current);
        return true;
    }
    while (!this->IsThisElement(step.context, *step.current))
    {
        if (!step.context.GetIgnoreUnknownElements() || *step.current == nullptr)
            return false;
        *step.current = (*step.current)->GetNextSiblingElement();
    }
    this->ReadValue(step.context, step.object, step.current);
    return true;
}

template <class Content>
bool CValueContent<Content>::Read(Seq, Opt, CReadStep const & step)
{
    if (this->IsThisElement(step.context, *step.current))
        this->ReadValue(step.context, step.object, step.current);
    return true;
}

// ---- Class members ---------------------------------------------------------------------------------

CClassContent::CClassContent(char const * name, char const * ns, int propertyIndex, XmlElementType elementType,
                             ClassFactoryFn factory, int classId)
    : CObjectContent(name, ns, propertyIndex, elementType), m_factory(factory), m_classId(classId)
{
}

CSmartPtr<CXmlObjectBase> CClassContent::Create() const { return m_factory(m_classId, ElementName().c_str()); }

// An optional member reads into a new object from the factory, set when something was read.
bool CClassContent::ReadNew(CReadStep const & step) const
{
    if (m_elementType == XmlElementType_Element)
    {
        if (!IsThisElement(step.context, *step.current))
            return false;
        CXmlElement const & source = **step.current;
        CSmartPtr<CXmlObjectBase> const member = Create();
        ReadElementInto(member, step.context, step.current, false);
        SetObject(step.object, member, source);
        return true;
    }
    return *step.current != nullptr && ReadInlineInto(Create(), step, true);
}

bool CClassContent::Read(Seq, Opt, CReadStep const & step)
{
    ReadNew(step);
    return true;
}

// The member is set before it reads, and taken back when the inline read takes nothing.
bool CClassContent::Read(Choice, Opt, CReadStep const & step)
{
    if (m_elementType == XmlElementType_Element)
    {
        if (!IsThisElement(step.context, *step.current))
            return false;
        CSmartPtr<CXmlObjectBase> const member = Create();
        SetObject(step.object, member, **step.current);
        ReadElementInto(member, step.context, step.current, true);
        return true;
    }
    if (*step.current == nullptr)
        return false;
    CXmlElement const & source = **step.current;
    CSmartPtr<CXmlObjectBase> const member = Create();
    SetObject(step.object, member, source);
    CXmlElement * const next = ReadInline(member, step.context, step.parent, *step.current);
    if (next == *step.current)
    {
        SetObject(step.object, nullptr, source);
        return false;
    }
    *step.current = next;
    return true;
}

bool CClassMandatoryContent::Read(All, Mnd, CReadStep const & step)
{
    CSmartPtr<CXmlObjectBase> const member = GetObject(step.object);
    if (member == nullptr)
        ThrowMandatoryNull();
    if (m_elementType == XmlElementType_Element)
    {
        if (!IsThisElement(step.context, *step.current))
            return false;
        ReadElementInto(member, step.context, step.current, false);
        return true;
    }
    return *step.current != nullptr && ReadInlineInto(member, step, false);
}

bool CClassMandatoryContent::Read(Seq, Mnd, CReadStep const & step)
{
    CSerializationContext const & c = step.context;
    CXmlElement ** const current = step.current;
    bool const topLevel = step.parentType == XmlElementType_Element;
    CSmartPtr<CXmlObjectBase> const member = GetObject(step.object);
    if (member == nullptr)
        ThrowMandatoryNull();
    if (m_elementType == XmlElementType_Element)
    {
        if (topLevel)
        {
            if (SkipToMandatory(c, step.parent, current))
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
        CXmlElement * const next = ReadInline(member, c, step.parent, *current);
        if (*current != nullptr && next == *current && c.GetIgnoreUnknownElements() && topLevel)
            return false;
        *current = next;
        return true;
    }
    CXmlElement * const next = *current != nullptr ? ReadInline(member, c, step.parent, *current) : nullptr;
    if (*current == nullptr || next == *current)
    {
        if (!topLevel)
            return false;
        ThrowRequiredChildMissing(step.parent);
    }
    *current = next;
    return true;
}

// ---- Abstract-class members: the substitution factory picks the class ---------------------------------

CAbstractContent::CAbstractContent(char const * name, char const * ns, int propertyIndex, XmlElementType elementType,
                                   SubstitutionFactoryFn factory)
    : CObjectContent(name, ns, propertyIndex, elementType), m_factory(factory)
{
}

bool CObjectContent::ReadInlineInto(CXmlObjectBase * member, CReadStep const & step, bool setMember) const
{
    CXmlElement * const next = ReadInline(member, step.context, step.parent, *step.current);
    if (next == *step.current)
        return false;
    if (setMember)
        SetObject(step.object, member, **step.current);
    *step.current = next;
    return true;
}

void CObjectContent::PseudoChildAttributeToXml(CSerializationContext const & context, CXmlGeneratedClass const * object,
                                               CXmlWriter * writer) const
{
    HoistAttributes(context, object, writer, m_elementType);
}

bool CAbstractContent::ReadSubstitute(CReadStep const & step) const
{
    CXmlElement * const element = *step.current;
    CSmartPtr<CXmlObjectBase> const member = m_factory(element);
    if (member == nullptr)
        return false;
    ReadElementInto(member, step.context, step.current, false);
    SetObject(step.object, member, *element);
    return true;
}

template <class Cardinality>
bool CAbstractContent::Read(All, Cardinality, CReadStep const & step)
{
    if (m_elementType == XmlElementType_Element)
    {
        if (!IsThisElement(step.context, *step.current))
            return false;
        if (!ReadSubstitute(step))
            ThrowNoSubstitution(ElementName(), step.parent);
        return true;
    }
    if (*step.current == nullptr)
        return false;
    CSmartPtr<CXmlObjectBase> const member = m_factory(*step.current);
    return member != nullptr && ReadInlineInto(member, step, true);
}

// The factory's result is set first, null included.
bool CAbstractContent::Read(Choice, Opt, CReadStep const & step)
{
    if (!IsThisElement(step.context, *step.current))
        return false;
    CXmlElement const & source = **step.current;
    CSmartPtr<CXmlObjectBase> const member = m_factory(*step.current);
    SetObject(step.object, member, source);
    if (member == nullptr)
        return false;
    ReadElementInto(member, step.context, step.current, false);
    return true;
}

// As the sequence's own member, an element that does not match or denotes no class is an error.
bool CAbstractContent::Read(Seq, Mnd, CReadStep const & step)
{
    bool const read = IsThisElement(step.context, *step.current) && ReadSubstitute(step);
    if (!read && step.parentType == XmlElementType_Element)
        ThrowNoSubstitution(ElementName(), step.parent);
    return read;
}

bool CAbstractContent::Read(Seq, Opt, CReadStep const & step)
{
    if (IsThisElement(step.context, *step.current))
        ReadSubstitute(step);
    return true;
}

// ---- Untyped members: open content held in a CElement --------------------------------------------------

CUntypedContent::CUntypedContent(char const * name, char const * ns, int propertyIndex, char const * nsConstraint,
                                 char const * declaredNamespace)
    : CElementInfo(name, ns, propertyIndex), m_nsConstraint(nsConstraint != nullptr ? nsConstraint : ""),
      m_declaredNamespace(declaredNamespace != nullptr ? declaredNamespace : "")
{
}

bool CUntypedContent::NameAllowsUntyped(CXmlElement const * element) const
{
    return element != nullptr && (ElementName() == AnyElementName || element->GetLocalName() == ElementName());
}

CXmlElement * CUntypedContent::ReadHeld(CReadStep const & step) const
{
    CSmartPtr<CXmlObjectBase> const member = GetObject(step.object);
    if (member == nullptr)
        ThrowMandatoryNull();
    return ReadInline(member, step.context, step.parent, *step.current);
}

bool CUntypedContent::Read(All, Mnd, CReadStep const & step)
{
    if (!NameAllowsUntyped(*step.current))
        return false;
    CXmlElement * const next = ReadHeld(step);
    if (next == *step.current)
        return false;
    *step.current = next;
    return true;
}

bool CUntypedContent::Read(Seq, Mnd, CReadStep const & step)
{
    CXmlElement ** const current = step.current;
    if (*current == nullptr)
        ThrowRequiredChildMissing(step.parent);
    CXmlElement * const next = NameAllowsUntyped(*current) ? ReadHeld(step) : *current;
    if (next == *current)
    {
        if (step.parentType == XmlElementType_Element)
            throw CNxValidationException(FormatString(Msg::FailedFindElementFromNamespace, ElementNamespace().c_str()),
                                         step.parent->GetXPath());
        return false;
    }
    *current = next;
    return true;
}

template <class Group>
bool CUntypedContent::Read(Group, Opt, CReadStep const & step)
{
    if (!NameAllowsUntyped(*step.current))
        return false;
    std::string const ns =
        GetAnyDefaultNamespace(m_nsConstraint.c_str(), step.targetNamespace, m_declaredNamespace.c_str());
    CSmartPtr<CElement> const holder(
        new CElement(ElementName().c_str(), ns.c_str(), m_nsConstraint.c_str(), m_declaredNamespace.c_str()));
    CXmlElement const & source = **step.current;
    CXmlElement * const next = ReadInline(holder.Get(), step.context, step.parent, *step.current);
    if (next == *step.current)
    {
        if (std::is_same<Group, Choice>::value)
            SetObject(step.object, nullptr, source);
        return false;
    }
    SetObject(step.object, holder.Get(), source);
    *step.current = next;
    return true;
}

// ---- The instances behind the named kinds ----------------------------------------------------------

template class CCol<All>;
template class CCol<Choice>;
template class CCol<Seq>;
template class CKind<CAbstractAllMandatoryContent, All, Mnd>;
template class CKind<CClassMandatoryContent, All, Mnd>;
template class CKind<CClassMandatoryContent, Seq, Mnd>;
template class CKind<CAbstractContent, All, Opt>;
template class CKind<CAbstractContent, Choice, Opt>;
template class CKind<CAbstractContent, Seq, Mnd>;
template class CKind<CAbstractContent, Seq, Opt>;
template class CKind<CClassContent, All, Opt>;
template class CKind<CClassContent, Choice, Opt>;
template class CKind<CClassContent, Seq, Opt>;
template class CKind<CValueContent<CEnumContent>, All, Mnd>;
template class CKind<CValueContent<CEnumContent>, All, Opt>;
template class CKind<CValueContent<CEnumContent>, Choice, Opt>;
template class CKind<CValueContent<CEnumContent>, Seq, Mnd>;
template class CKind<CValueContent<CEnumContent>, Seq, Opt>;
template class CKind<CValueContent<CPrimitiveContent>, All, Mnd>;
template class CKind<CValueContent<CPrimitiveContent>, All, Opt>;
template class CKind<CValueContent<CPrimitiveContent>, Choice, Opt>;
template class CKind<CValueContent<CPrimitiveContent>, Seq, Mnd>;
template class CKind<CValueContent<CPrimitiveContent>, Seq, Opt>;
template class CKind<CUntypedContent, All, Mnd>;
template class CKind<CUntypedContent, All, Opt>;
template class CKind<CUntypedContent, Choice, Opt>;
template class CKind<CUntypedContent, Seq, Mnd>;
template class CKind<CUntypedContent, Seq, Opt>;

} // namespace Kinds

CElementInfoAllEnumCol::CElementInfoAllEnumCol(char const * name, char const * ns, int propertyIndex)
    : CElementInfo(name, ns, propertyIndex)
{
}

bool CElementInfoAllEnumCol::ElementToXml(CSerializationContext const &, CXmlGeneratedClass const *, CXmlWriter *) const
{
    throw CNxException(Msg::NotImplemented);
}

bool CElementInfoAllEnumCol::ElementFromXml(CSerializationContext const &, CXmlGeneratedClass *, CXmlElement *,
                                            CXmlElement **, char const *, XmlElementType)
{
    throw CNxException(Msg::NotImplemented);
}

} // namespace NxXmlLib16Data
