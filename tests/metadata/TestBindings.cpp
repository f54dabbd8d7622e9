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

// A run of numbers in the test namespace.
Ci4Col * Numbers(char const * name, int minOccurs, int maxOccurs)
{
    return new Ci4Col(name, Ns, minOccurs, maxOccurs, nullptr, -1, -1, nullptr, nullptr, nullptr, nullptr, -1, -1, -1,
                      Collapse, nullptr);
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

// Hands out a collection member; collections are filled in place.
template <class T>
void Items(bool read, NxVariant & value, CSmartPtr<T> const & member)
{
    if (read)
        value.SetXmlCollection(member);
}

[[noreturn]] void Unknown(int propertyIndex)
{
    throw CNxInvalidParamException(FormatString("Unknown property index %d", propertyIndex));
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
    if (propertyIndex == 0)
        Member(read, value, code);
    else
        Optional(read, value, hasWeight, weight);
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

CWidget::CWidget() : CBound("widget") { Init(); }

void CWidget::Init()
{
    name.clear();
    remark.clear();
    label.clear();
    hasSize = hasShade = hasRemark = remarkNil = hasKind = hasLabel = false;
    size = id = 0;
    color = shade = Red;
    kind = Green;
    part = new CPart;
    extra.Reset();
    note.Reset();
    any.Reset();
    counts = Numbers("count", 0, 3);
    parts = new CPartCol("part2", 0, -1);
    others = new CAttributeCol("", "##other", Ns);
}

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
    switch (propertyIndex)
    {
    case 0: return Member(read, value, name);
    case 1: return Optional(read, value, hasSize, size);
    case 2: return Member(read, value, color);
    case 3: return Optional(read, value, hasShade, shade);
    case 4: return Member(read, value, part);
    case 5: return Member(read, value, extra);
    case 6: return Items(read, value, counts);
    case 7: return Items(read, value, parts);
    case 8:
        if (read && remarkNil)
            return value.SetNil();
        Optional(read, value, hasRemark, remark);
        if (!read)
            remarkNil = value.IsNil();
        hasRemark = hasRemark && !remarkNil;
        return;
    case 9: return Member(read, value, note);
    case 10: return Member(read, value, any);
    case 11: return Member(read, value, id);
    case 12: return Optional(read, value, hasKind, kind);
    case 13: return Items(read, value, others);
    case 14: return Optional(read, value, hasLabel, label);
    default: Unknown(propertyIndex);
    }
}

// ---- CChoiceBox ----

CChoiceBox::CChoiceBox() : CBound("box") { Init(); }

void CChoiceBox::Init()
{
    hasText = hasColor = false;
    text.clear();
    selected.clear();
    part.Reset();
    color = Red;
    numbers = Numbers("number", 1, -1);
}

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
    switch (propertyIndex)
    {
    case 0: return Optional(read, value, hasText, text);
    case 1: return Member(read, value, part);
    case 2: return Optional(read, value, hasColor, color);
    case 3: return Items(read, value, numbers);
    default: Unknown(propertyIndex);
    }
}

// ---- CRunBox ----

CRunBox::CRunBox() : CBound("run") { Init(); }

void CRunBox::Init() { numbers = Numbers("number", 1, -1); }

void CRunBox::Describe(CMetadata & tables)
{
    tables.elements = Table<CElementInfo>({new CElementInfoChoicePrimCol("number", Ns, 0)});
    tables.attributes = Empty<CAttributeInfo>();
    tables.classInfo = Class(XmlElementGroupType_Choice, "RunBox");
}

void CRunBox::AccessProperty(int propertyIndex, bool read, NxVariant & value)
{
    if (propertyIndex != 0)
        Unknown(propertyIndex);
    Items(read, value, numbers);
}

// ---- CAllBox ----

CAllBox::CAllBox() : CBound("all") { Init(); }

void CAllBox::Init()
{
    hasX = hasY = hasColor = false;
    x = 0;
    y.clear();
    part.Reset();
    color = Red;
}

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
    switch (propertyIndex)
    {
    case 0: return Optional(read, value, hasX, x);
    case 1: return Optional(read, value, hasY, y);
    case 2: return Member(read, value, part);
    case 3: return Optional(read, value, hasColor, color);
    default: Unknown(propertyIndex);
    }
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
    if (propertyIndex != 0)
        Unknown(propertyIndex);
    Member(read, value, label);
}

CMetadata & CCircle::Circle()
{
    static CMetadata tables;
    return tables;
}

CCircle::CCircle() : CShape("shape")
{
    CNXCriticalSection::CScopedLock const lock(m_csInit);
    if (Circle().classInfo == nullptr)
    {
        Circle().elements = Table<CElementInfo>({Prim<CElementInfoSeqPrimMnd>("label", 0, ItemType_string),
                                                 Prim<CElementInfoSeqPrimMnd>("radius", 1, ItemType_i4)});
        Circle().attributes = Empty<CAttributeInfo>();
        Circle().classInfo = Class(XmlElementGroupType_Sequence, "Circle", true, true);
    }
    Init();
}

void CCircle::CleanCircleMetaData()
{
    CXmlGeneratedClass::CleanMetaData(Circle().classInfo, Circle().elements, Circle().attributes);
}

void CCircle::AccessProperty(int propertyIndex, bool read, NxVariant & value)
{
    if (propertyIndex != 1)
        return CShape::AccessProperty(propertyIndex, read, value);
    Member(read, value, radius);
}

// ---- CDrawing and its inlined part ----

CDrawing::CDrawing() : CBound("drawing") { Init(); }

void CDrawing::Init()
{
    shape = new CShape;
    inlined = new CInlined;
}

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
    switch (propertyIndex)
    {
    case 0: return Member(read, value, shape);
    case 1: return Member(read, value, inlined);
    default: Unknown(propertyIndex);
    }
}

void CInlined::Describe(CMetadata & tables)
{
    tables.elements = Table<CElementInfo>({Prim<CElementInfoSeqPrimMnd>("first", 0, ItemType_string)});
    tables.attributes = Table<CAttributeInfo>({Prim<CAttributeInfoPrimitive>("flag", 1, ItemType_boolean)});
    tables.classInfo = Class(XmlElementGroupType_Sequence, "Inlined", false, false, XmlElementType_PseudoElement);
}

void CInlined::AccessProperty(int propertyIndex, bool read, NxVariant & value)
{
    if (propertyIndex == 0)
        Member(read, value, first);
    else
        Member(read, value, flag);
}

} // namespace TestBindings
