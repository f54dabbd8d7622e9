#include "TestBindings.h"

#include <type_traits>

namespace TestBindings
{

char const * const Ns = "urn:t";

CSerializationContext Compact()
{
    CSerializationContext context;
    context.SetDefaultNamespaceURI(Ns);
    return context;
}

std::string Write(CXmlObjectBase const & object, CSerializationContext const & context)
{
    NoBanner();
    return object.ToXml(false, false, EOLType_LF, context);
}

std::string const FullWidgetXml =
    "<widget xmlns=\"urn:t\" id=\"7\" kind=\"blue\" xmlns:AA=\"urn:o\" AA:extra=\"1\"><name>gear</name><size>12</size>"
    "<color>blue</color><shade>green</shade><part weight=\"5\"><code>P-1</code></part><extra><code>X</code></extra>"
    "<count>1</count><count>2</count><part2><code>S</code></part2><remark>fine &amp; dandy</remark>"
    "<note lang=\"en\">hello</note></widget>";

Ci4Col * Numbers(char const * name, int minOccurs, int maxOccurs)
{
    return new Ci4Col(name, Ns, minOccurs, maxOccurs, nullptr, -1, -1, nullptr, nullptr, nullptr, nullptr, -1, -1, -1,
                      CWhitespaceUtils::WhitespaceRule_Collapse, nullptr);
}

namespace
{

WhitespaceRule const Preserve = CWhitespaceUtils::WhitespaceRule_Preserve;
WhitespaceRule const Collapse = CWhitespaceUtils::WhitespaceRule_Collapse;

template <class Info, std::size_t Count>
Info ** Table(Info * const (&infos)[Count])
{
    Info ** const table = new Info *[Count + 1];
    for (std::size_t i = 0; i < Count; ++i)
        table[i] = infos[i];
    table[Count] = nullptr;
    return table;
}

template <class Info>
Info ** Empty()
{
    return new Info *[1]{nullptr};
}

// A primitive element or attribute of the test namespace without facets.
template <class Info>
Info * Prim(char const * name, int index, ItemType type, char const * defaultValue = nullptr,
            bool nillableOrOptional = false)
{
    WhitespaceRule const rule = type == ItemType_string ? Preserve : Collapse;
    if constexpr (std::is_base_of<CAttributeInfo, Info>::value)
        return new Info(name, "", index, nillableOrOptional, type, nullptr, rule, CPrimitiveRestrictions(), defaultValue);
    else
        return new Info(name, Ns, index, nillableOrOptional, type, nullptr, rule, CPrimitiveRestrictions(), defaultValue);
}

// The class information of a test class without simple content.
CParentElementInfo * Class(XmlElementGroupType group, char const * name, bool checkAttributes = true,
                           bool derived = false, XmlElementType type = XmlElementType_Element)
{
    return new CParentElementInfo(group, type, name, Ns, checkAttributes, derived, -1, ItemType_Invalid, nullptr,
                                  false);
}

void Put(NxVariant & value, std::string const & member) { value.SetString(member); }
void Put(NxVariant & value, std::int32_t member) { value.SetI4(member); }
void Put(NxVariant & value, bool member) { value.SetBoolean(member); }
template <class T>
void Put(NxVariant & value, CSmartPtr<T> const & member)
{
    value.SetXmlObject(member);
}
void Take(NxVariant const & value, std::string & member) { member = value.GetString(); }
void Take(NxVariant const & value, std::int32_t & member) { member = value.GetI4(); }
void Take(NxVariant const & value, bool & member) { member = value.GetBoolean(); }
template <class T>
void Take(NxVariant const & value, CSmartPtr<T> & member)
{
    member = dynamic_cast<T *>(value.GetXmlObject().Get());
}

// Reads or writes a member that always has a value.
template <class T>
void Member(bool read, NxVariant & value, T & member)
{
    if (read)
        Put(value, member);
    else
        Take(value, member);
}

// Reads or writes an optional member: no value when it is not there.
template <class T>
void Optional(bool read, NxVariant & value, bool & has, T & member)
{
    if (read && has)
        Put(value, member);
    else if (read)
        value.Clear();
    else
    {
        has = value.IsValid();
        Take(value, member);
    }
}

// The accessors of the three kinds of member, made from pointers to the member (and its flag).
template <class C, class T>
auto M(T C::*member)
{
    return [member](C & object, bool read, NxVariant & value) { Member(read, value, object.*member); };
}
template <class C, class T>
auto O(bool C::*has, T C::*member)
{
    return [=](C & object, bool read, NxVariant & value) { Optional(read, value, object.*has, object.*member); };
}
// Hands out a collection member; collections are filled in place.
template <class C, class T>
auto Items(CSmartPtr<T> C::*member)
{
    return [member](C & object, bool read, NxVariant & value) {
        if (read)
            value.SetXmlCollection(object.*member);
    };
}

[[noreturn]] void Unknown(int propertyIndex)
{
    throw CNxInvalidParamException(FormatString("Unknown property index %d", propertyIndex));
}

// Reads or writes the member at the property index: the accessors are in property order.
template <class C, class... Accessors>
void Reach(C & object, int propertyIndex, bool read, NxVariant & value, Accessors const &... accessors)
{
    int index = 0;
    if (!((index++ == propertyIndex && (accessors(object, read, value), true)) || ...))
        Unknown(propertyIndex);
}

// The substitution factory of shapes: the xsi:type names the class.
struct CShapeFactory : CClassfactoryBase
{
    static CSmartPtr<CXmlObjectBase> Substitute(CXmlElement * element)
    {
        std::string const type = GetElementType(element);
        if (type.empty() || type == "Shape")
            return CSmartPtr<CXmlObjectBase>(new CShape);
        if (type == "Circle" && GetElementTypeNamespaceUri(element) == Ns)
            return CSmartPtr<CXmlObjectBase>(new CCircle);
        return CSmartPtr<CXmlObjectBase>();
    }
};

CSmartPtr<CXmlObjectBase> CreateInlined(int, char const *) { return CSmartPtr<CXmlObjectBase>(new CInlined); }

} // namespace

char const * ColorToString(int value)
{
    static char const * const names[] = {"red", "green", "blue"};
    if (value < 0 || value > 2)
        throw CNxInvalidValueException("Unknown Color");
    return names[value];
}

int ColorFromString(char const * text)
{
    for (int color = Red; color <= Blue; ++color)
        if (std::string(text) == ColorToString(color))
            return color;
    throw CNxInvalidValueException(FormatString("The value [%s] is not a Color", text));
}

// ---- CPart ----

void CPart::Describe(CMetadata & tables)
{
    tables.elements = Table<CElementInfo>({Prim<CElementInfoSeqPrimMnd>("code", 0, ItemType_string)});
    tables.attributes = Table<CAttributeInfo>({Prim<CAttributeInfoPrimitive>("weight", 1, ItemType_i4, nullptr, true)});
    tables.classInfo = Class(XmlElementGroupType_Sequence, "Part");
}

// The factory names the part after the member it is made for.
CSmartPtr<CXmlObjectBase> CPart::Create(int, char const * name) { return CSmartPtr<CXmlObjectBase>(new CPart(name)); }

void CPart::AccessProperty(int propertyIndex, bool read, NxVariant & value)
{
    using P = CPartMembers;
    Reach(*this, propertyIndex, read, value, M(&P::code), O(&P::hasWeight, &P::weight));
}

CSmartPtr<CPart> CPartCol::Add(CPart * part)
{
    CSmartPtr<CPart> const held(part);
    AppendItem(part);
    return held;
}

CSmartPtr<CPart> CPartCol::Item(int index) const
{
    return CSmartPtr<CPart>(static_cast<CPart *>(GetNodeAtIndex(index)->item.Get()));
}

void CPartCol::ToXml_Int(CXmlWriter * writer, bool, char const * namespaceUri, CSerializationContext const & context,
                         bool) const
{
    for (CNode const * node = GetHead(); node != nullptr; node = node->next)
        CXmlObjectBase::ToXml_Int(node->item, writer, false, namespaceUri, context, false);
}

CXmlElement * CPartCol::FromXml_Int(CXmlElement *, CXmlElement * child, CSerializationContext const & context, bool)
{
    std::string const & name = GetElementNameRef();
    for (; child != nullptr && DoesElementNameMatch(context, child, name.c_str(), Ns); child = child->GetNextSiblingElement())
    {
        CSmartPtr<CPart> const part(new CPart);
        CXmlObjectBase::FromXml_Int(part, child, child->GetFirstElement(), context);
        SetElementName(part, name.c_str());
        AppendItem(part);
    }
    return child;
}

// ---- CNote ----

void CNote::Describe(CMetadata & tables)
{
    tables.elements = Empty<CElementInfo>();
    tables.attributes = Table<CAttributeInfo>({Prim<CAttributeInfoPrimitive>("lang", 1, ItemType_string, nullptr, true)});
    tables.classInfo = new CParentElementInfo(XmlElementGroupType_Sequence, XmlElementType_Element, "Note", Ns, true,
                                              false, 0, ItemType_string, nullptr, true);
}

CSmartPtr<CXmlObjectBase> CNote::Create(int, char const *) { return CSmartPtr<CXmlObjectBase>(new CNote); }

void CNote::AccessProperty(int propertyIndex, bool read, NxVariant & value)
{
    bool hasLang = !lang.empty();
    if (propertyIndex == 0)
        Member(read, value, text);
    else
        Optional(read, value, hasLang, lang);
}

// ---- CWidget ----

void CWidget::Describe(CMetadata & tables)
{
    tables.elements = Table<CElementInfo>({
        new CElementInfoSeqPrimMnd("name", Ns, 0, false, ItemType_string, nullptr, Preserve,
                                   CPrimitiveRestrictions("[a-z]+", -1, -1, nullptr, nullptr, nullptr, nullptr, -1, -1,
                                                          -1),
                                   nullptr),
        Prim<CElementInfoSeqPrimOpt>("size", 1, ItemType_i4, "10"),
        new CElementInfoSeqEnumMnd("color", Ns, 2, false, &ColorToString, &ColorFromString, nullptr),
        new CElementInfoSeqEnumOpt("shade", Ns, 3, false, &ColorToString, &ColorFromString, nullptr),
        new CElementInfoSeqClsMnd("part", Ns, 4, XmlElementType_Element, &CPart::Create, 0, false),
        new CElementInfoSeqClsOpt("extra", Ns, 5, XmlElementType_Element, &CPart::Create, 0),
        new CElementInfoSeqPrimCol("count", Ns, 6),
        new CElementInfoSeqClsCol("part2", Ns, 7, XmlElementType_Element),
        Prim<CElementInfoSeqPrimOpt>("remark", 8, ItemType_string, nullptr, true),
        new CElementInfoSeqClsOpt("note", Ns, 9, XmlElementType_Element, &CNote::Create, 0),
        new CElementInfoSeqUntpdOpt("AnyElement", Ns, 10, "##other", Ns),
    });
    tables.attributes = Table<CAttributeInfo>({
        Prim<CAttributeInfoPrimitive>("id", 11, ItemType_i4),
        new CAttributeInfoEnum("kind", "", 12, true, &ColorToString, &ColorFromString, "green"),
        new CAttributeInfoAny("", "", 13, true, "##other", Ns, nullptr),
        Prim<CAttributeInfoPrimitive>("label", 14, ItemType_string, "none", true),
    });
    tables.classInfo = Class(XmlElementGroupType_Sequence, "Widget");
}

void CWidget::AccessProperty(int propertyIndex, bool read, NxVariant & value)
{
    if (!read && propertyIndex == 0)
        Tables().elements[0]->CheckRestriction(value); // the generated setter checks the facets
    if (!read && propertyIndex == 4)
        Throw_IfPropertyIsNull(value.GetXmlObject(), "Part");
    // The nillable remark: nil, absent or a text.
    auto const remarkMember = [](CWidgetMembers & widget, bool reading, NxVariant & variant) {
        if (reading && widget.remarkNil)
            return variant.SetNil();
        Optional(reading, variant, widget.hasRemark, widget.remark);
        if (!reading)
            widget.remarkNil = variant.IsNil();
        widget.hasRemark = widget.hasRemark && !widget.remarkNil;
    };
    using W = CWidgetMembers;
    Reach<W>(*this, propertyIndex, read, value, M(&W::name), O(&W::hasSize, &W::size), M(&W::color),
             O(&W::hasShade, &W::shade), M(&W::part), M(&W::extra), Items(&W::counts), Items(&W::parts), remarkMember,
             M(&W::note), M(&W::any), M(&W::id), O(&W::hasKind, &W::kind), Items(&W::others),
             O(&W::hasLabel, &W::label));
}

// ---- CChoiceBox ----

void CChoiceBox::Describe(CMetadata & tables)
{
    tables.elements = Table<CElementInfo>({
        Prim<CElementInfoChoicePrimOpt>("text", 0, ItemType_string),
        new CElementInfoChoiceClsOpt("part", Ns, 1, XmlElementType_Element, &CPart::Create, 0),
        new CElementInfoChoiceEnumOpt("color", Ns, 2, false, &ColorToString, &ColorFromString, nullptr),
        new CElementInfoChoicePrimCol("number", Ns, 3),
    });
    tables.attributes = Empty<CAttributeInfo>();
    tables.classInfo = Class(XmlElementGroupType_Choice, "ChoiceBox");
}

void CChoiceBox::AccessProperty(int propertyIndex, bool read, NxVariant & value)
{
    if (!read && propertyIndex == 1)
        Choice_SelectElement("part", value.GetXmlObject(), selected);
    using B = CChoiceBoxMembers;
    Reach<B>(*this, propertyIndex, read, value, O(&B::hasText, &B::text), M(&B::part), O(&B::hasColor, &B::color),
             Items(&B::numbers));
}

// ---- CRunBox ----

void CRunBox::Describe(CMetadata & tables)
{
    tables.elements = Table<CElementInfo>({new CElementInfoChoicePrimCol("number", Ns, 0)});
    tables.attributes = Empty<CAttributeInfo>();
    tables.classInfo = Class(XmlElementGroupType_Choice, "RunBox");
}

void CRunBox::AccessProperty(int propertyIndex, bool read, NxVariant & value)
{
    Reach<CRunBoxMembers>(*this, propertyIndex, read, value, Items(&CRunBoxMembers::numbers));
}

// ---- CAllBox ----

void CAllBox::Describe(CMetadata & tables)
{
    tables.elements = Table<CElementInfo>({
        Prim<CElementInfoAllPrimMnd>("x", 0, ItemType_i4),
        Prim<CElementInfoAllPrimOpt>("y", 1, ItemType_string),
        new CElementInfoAllClsOpt("part", Ns, 2, XmlElementType_Element, &CPart::Create, 0),
        new CElementInfoAllEnumMnd("color", Ns, 3, false, &ColorToString, &ColorFromString, nullptr),
    });
    tables.attributes = Empty<CAttributeInfo>();
    tables.classInfo = Class(XmlElementGroupType_All, "AllBox");
}

void CAllBox::AccessProperty(int propertyIndex, bool read, NxVariant & value)
{
    using A = CAllBoxMembers;
    Reach<A>(*this, propertyIndex, read, value, O(&A::hasX, &A::x), O(&A::hasY, &A::y), M(&A::part),
             O(&A::hasColor, &A::color));
}

// ---- Shapes ----

void CShape::Describe(CMetadata & tables)
{
    tables.elements = Table<CElementInfo>({Prim<CElementInfoSeqPrimMnd>("label", 0, ItemType_string)});
    tables.attributes = Empty<CAttributeInfo>();
    tables.classInfo = Class(XmlElementGroupType_Sequence, "Shape");
}

CSmartPtr<CXmlObjectBase> CShape::Substitute(CXmlElement * element) { return CShapeFactory::Substitute(element); }

void CShape::AccessProperty(int propertyIndex, bool read, NxVariant & value)
{
    Reach<CShapeMembers>(*this, propertyIndex, read, value, M(&CShapeMembers::label));
}

CMetadata & CCircle::Circle()
{
    static CMetadata tables;
    return tables;
}

CCircle::CCircle()
{
    CNXCriticalSection::CScopedLock const lock(m_csInit);
    if (Circle().classInfo == nullptr)
    {
        Circle().elements = Table<CElementInfo>({Prim<CElementInfoSeqPrimMnd>("label", 0, ItemType_string),
                                                 Prim<CElementInfoSeqPrimMnd>("radius", 1, ItemType_i4)});
        Circle().attributes = Empty<CAttributeInfo>();
        Circle().classInfo = Class(XmlElementGroupType_Sequence, "Circle", true, true);
    }
}

void CCircle::AccessProperty(int propertyIndex, bool read, NxVariant & value)
{
    if (propertyIndex != 1)
        return CShape::AccessProperty(propertyIndex, read, value);
    Member(read, value, radius);
}

// ---- CDrawing and its inlined part ----

void CDrawing::Describe(CMetadata & tables)
{
    tables.elements = Table<CElementInfo>({
        new CElementInfoSeqAbsClsMnd("shape", Ns, 0, XmlElementType_Element, &CShape::Substitute),
        new CElementInfoSeqClsMnd("inlined", Ns, 1, XmlElementType_PseudoElement, &CreateInlined, 0, false),
    });
    tables.attributes = Empty<CAttributeInfo>();
    // The inlined part's attributes land on this element, so they are not unknown here.
    tables.classInfo = Class(XmlElementGroupType_Sequence, "Drawing", false);
}

void CDrawing::AccessProperty(int propertyIndex, bool read, NxVariant & value)
{
    Reach<CDrawingMembers>(*this, propertyIndex, read, value, M(&CDrawingMembers::shape),
                           M(&CDrawingMembers::inlined));
}

void CInlined::Describe(CMetadata & tables)
{
    tables.elements = Table<CElementInfo>({Prim<CElementInfoSeqPrimMnd>("first", 0, ItemType_string)});
    tables.attributes = Table<CAttributeInfo>({Prim<CAttributeInfoPrimitive>("flag", 1, ItemType_boolean)});
    tables.classInfo = Class(XmlElementGroupType_Sequence, "Inlined", false, false, XmlElementType_PseudoElement);
}

void CInlined::AccessProperty(int propertyIndex, bool read, NxVariant & value)
{
    Reach<CInlinedMembers>(*this, propertyIndex, read, value, M(&CInlinedMembers::first), M(&CInlinedMembers::flag));
}

} // namespace TestBindings
