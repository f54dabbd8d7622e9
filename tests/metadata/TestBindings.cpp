#include "TestBindings.h"

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

CPrimitiveRestrictions Pattern(char const * pattern)
{
    return CPrimitiveRestrictions(pattern, -1, -1, nullptr, nullptr, nullptr, nullptr, -1, -1, -1);
}

template <class T>
T * As(NxVariant const & value)
{
    return dynamic_cast<T *>(value.GetXmlObject().Get());
}

// Reads or writes an optional string member.
void OptionalString(bool read, NxVariant & value, bool & has, std::string & member)
{
    if (read)
    {
        if (has)
            value.SetString(member);
        else
            value.Clear();
        return;
    }
    has = value.IsValid();
    member = value.GetString();
}

// Reads or writes an optional enumerated or integer member.
void OptionalInt(bool read, NxVariant & value, bool & has, int & member)
{
    if (read)
    {
        if (has)
            value.SetI4(member);
        else
            value.Clear();
        return;
    }
    has = value.IsValid();
    member = value.GetI4();
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
    std::string const name = text;
    if (name == "red")
        return Red;
    if (name == "green")
        return Green;
    if (name == "blue")
        return Blue;
    throw CNxInvalidValueException(FormatString("The value [%s] is not a Color", text));
}

// ---- CPart ----

void CPart::Describe(CMetadata & tables)
{
    tables.elements = Table<CElementInfo>({
        new CElementInfoSeqPrimMnd("code", Ns, 0, false, ItemType_string, nullptr, Preserve, CPrimitiveRestrictions(),
                                   nullptr),
    });
    tables.attributes = Table<CAttributeInfo>({
        new CAttributeInfoPrimitive("weight", "", 1, true, ItemType_i4, nullptr, Collapse, CPrimitiveRestrictions(),
                                    nullptr),
    });
    tables.classInfo = new CParentElementInfo(XmlElementGroupType_Sequence, XmlElementType_Element, "Part", Ns, true,
                                              false, -1, ItemType_Invalid, nullptr, false);
}

// The factory names the part after the member it is made for.
CSmartPtr<CXmlObjectBase> CPart::Create(int, char const * name) { return CSmartPtr<CXmlObjectBase>(new CPart(name)); }

void CPart::AccessProperty(int propertyIndex, bool read, NxVariant & value)
{
    if (propertyIndex == 0)
    {
        if (read)
            value.SetString(code);
        else
            code = value.GetString();
        return;
    }
    OptionalInt(read, value, hasWeight, weight);
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
    tables.attributes = Table<CAttributeInfo>({
        new CAttributeInfoPrimitive("lang", "", 1, true, ItemType_string, nullptr, Collapse, CPrimitiveRestrictions(),
                                    nullptr),
    });
    tables.classInfo = new CParentElementInfo(XmlElementGroupType_Sequence, XmlElementType_Element, "Note", Ns, true,
                                              false, 0, ItemType_string, nullptr, true);
}

CSmartPtr<CXmlObjectBase> CNote::Create(int, char const *) { return CSmartPtr<CXmlObjectBase>(new CNote); }

void CNote::AccessProperty(int propertyIndex, bool read, NxVariant & value)
{
    std::string & member = propertyIndex == 0 ? text : lang;
    if (read)
    {
        if (propertyIndex == 1 && member.empty())
            value.Clear();
        else
            value.SetString(member);
    }
    else
        member = value.GetString();
}

// ---- CWidget ----

CWidget::CWidget() : CBound("widget") { Init(); }

void CWidget::Init()
{
    name.clear();
    hasSize = false;
    size = 0;
    color = Red;
    hasShade = false;
    shade = Red;
    part = new CPart;
    extra.Reset();
    counts = new Ci4Col("count", Ns, 0, 3, nullptr, -1, -1, nullptr, nullptr, nullptr, nullptr, -1, -1, -1, Collapse,
                        nullptr);
    parts = new CPartCol("part2", 0, -1);
    hasRemark = false;
    remarkNil = false;
    remark.clear();
    note.Reset();
    any.Reset();
    id = 0;
    hasKind = false;
    kind = Green;
    others = new CAttributeCol("", "##other", Ns);
    hasLabel = false;
    label.clear();
}

void CWidget::Describe(CMetadata & tables)
{
    tables.elements = Table<CElementInfo>({
        new CElementInfoSeqPrimMnd("name", Ns, 0, false, ItemType_string, nullptr, Preserve, Pattern("[a-z]+"), nullptr),
        new CElementInfoSeqPrimOpt("size", Ns, 1, false, ItemType_i4, nullptr, Collapse, CPrimitiveRestrictions(), "10"),
        new CElementInfoSeqEnumMnd("color", Ns, 2, false, &ColorToString, &ColorFromString, nullptr),
        new CElementInfoSeqEnumOpt("shade", Ns, 3, false, &ColorToString, &ColorFromString, nullptr),
        new CElementInfoSeqClsMnd("part", Ns, 4, XmlElementType_Element, &CPart::Create, 0, false),
        new CElementInfoSeqClsOpt("extra", Ns, 5, XmlElementType_Element, &CPart::Create, 0),
        new CElementInfoSeqPrimCol("count", Ns, 6),
        new CElementInfoSeqClsCol("part2", Ns, 7, XmlElementType_Element),
        new CElementInfoSeqPrimOpt("remark", Ns, 8, true, ItemType_string, nullptr, Preserve, CPrimitiveRestrictions(),
                                   nullptr),
        new CElementInfoSeqClsOpt("note", Ns, 9, XmlElementType_Element, &CNote::Create, 0),
        new CElementInfoSeqUntpdOpt("AnyElement", Ns, 10, "##other", Ns),
    });
    tables.attributes = Table<CAttributeInfo>({
        new CAttributeInfoPrimitive("id", "", 11, false, ItemType_i4, nullptr, Collapse, CPrimitiveRestrictions(),
                                    nullptr),
        new CAttributeInfoEnum("kind", "", 12, true, &ColorToString, &ColorFromString, "green"),
        new CAttributeInfoAny("", "", 13, true, "##other", Ns, nullptr),
        new CAttributeInfoPrimitive("label", "", 14, true, ItemType_string, nullptr, Preserve, CPrimitiveRestrictions(),
                                    "none"),
    });
    tables.classInfo = new CParentElementInfo(XmlElementGroupType_Sequence, XmlElementType_Element, "Widget", Ns, true,
                                              false, -1, ItemType_Invalid, nullptr, false);
}

void CWidget::AccessProperty(int propertyIndex, bool read, NxVariant & value)
{
    switch (propertyIndex)
    {
    case 0:
        if (read)
            value.SetString(name);
        else
        {
            Tables().elements[0]->CheckRestriction(value); // the generated setter checks the facets
            name = value.GetString();
        }
        break;
    case 1: OptionalInt(read, value, hasSize, size); break;
    case 2:
        if (read)
            value.SetI4(color);
        else
            color = value.GetI4();
        break;
    case 3: OptionalInt(read, value, hasShade, shade); break;
    case 4:
        if (read)
            value.SetXmlObject(part);
        else
        {
            Throw_IfPropertyIsNull(value.GetXmlObject(), "Part");
            part = As<CPart>(value);
        }
        break;
    case 5:
        if (read)
            value.SetXmlObject(extra);
        else
            extra = As<CPart>(value);
        break;
    case 6:
        if (read)
            value.SetXmlCollection(counts);
        break;
    case 7:
        if (read)
            value.SetXmlCollection(parts);
        break;
    case 8:
        if (read)
        {
            if (remarkNil)
                value.SetNil();
            else if (hasRemark)
                value.SetString(remark);
            else
                value.Clear();
        }
        else
        {
            remarkNil = value.IsNil();
            hasRemark = value.IsValid() && !remarkNil;
            remark = value.GetString();
        }
        break;
    case 9:
        if (read)
            value.SetXmlObject(note);
        else
            note = As<CNote>(value);
        break;
    case 10:
        if (read)
            value.SetXmlObject(any);
        else
            any = As<CElement>(value);
        break;
    case 11:
        if (read)
            value.SetI4(id);
        else
            id = value.GetI4();
        break;
    case 12: OptionalInt(read, value, hasKind, kind); break;
    case 13:
        if (read)
            value.SetXmlCollection(others);
        break;
    case 14: OptionalString(read, value, hasLabel, label); break;
    default: throw CNxInvalidParamException(FormatString("Unknown property index %d", propertyIndex));
    }
}

// ---- CChoiceBox ----

CChoiceBox::CChoiceBox() : CBound("box") { Init(); }

void CChoiceBox::Init()
{
    hasText = false;
    text.clear();
    part.Reset();
    hasColor = false;
    color = Red;
    numbers = new Ci4Col("number", Ns, 1, -1, nullptr, -1, -1, nullptr, nullptr, nullptr, nullptr, -1, -1, -1, Collapse,
                         nullptr);
    selected.clear();
}

void CChoiceBox::Describe(CMetadata & tables)
{
    tables.elements = Table<CElementInfo>({
        new CElementInfoChoicePrimOpt("text", Ns, 0, false, ItemType_string, nullptr, Preserve, CPrimitiveRestrictions(),
                                      nullptr),
        new CElementInfoChoiceClsOpt("part", Ns, 1, XmlElementType_Element, &CPart::Create, 0),
        new CElementInfoChoiceEnumOpt("color", Ns, 2, false, &ColorToString, &ColorFromString, nullptr),
        new CElementInfoChoicePrimCol("number", Ns, 3),
    });
    tables.attributes = Empty<CAttributeInfo>();
    tables.classInfo = new CParentElementInfo(XmlElementGroupType_Choice, XmlElementType_Element, "ChoiceBox", Ns, true,
                                              false, -1, ItemType_Invalid, nullptr, false);
}

void CChoiceBox::AccessProperty(int propertyIndex, bool read, NxVariant & value)
{
    switch (propertyIndex)
    {
    case 0:
        OptionalString(read, value, hasText, text);
        break;
    case 1:
        if (read)
            value.SetXmlObject(part);
        else
        {
            Choice_SelectElement("part", value.GetXmlObject(), selected);
            part = As<CPart>(value);
        }
        break;
    case 2: OptionalInt(read, value, hasColor, color); break;
    case 3:
        if (read)
            value.SetXmlCollection(numbers);
        break;
    default: throw CNxInvalidParamException(FormatString("Unknown property index %d", propertyIndex));
    }
}

// ---- CRunBox ----

CRunBox::CRunBox() : CBound("run") { Init(); }

void CRunBox::Init()
{
    numbers = new Ci4Col("number", Ns, 1, -1, nullptr, -1, -1, nullptr, nullptr, nullptr, nullptr, -1, -1, -1, Collapse,
                         nullptr);
}

void CRunBox::Describe(CMetadata & tables)
{
    tables.elements = Table<CElementInfo>({new CElementInfoChoicePrimCol("number", Ns, 0)});
    tables.attributes = Empty<CAttributeInfo>();
    tables.classInfo = new CParentElementInfo(XmlElementGroupType_Choice, XmlElementType_Element, "RunBox", Ns, true,
                                              false, -1, ItemType_Invalid, nullptr, false);
}

void CRunBox::AccessProperty(int propertyIndex, bool read, NxVariant & value)
{
    if (propertyIndex != 0)
        throw CNxInvalidParamException(FormatString("Unknown property index %d", propertyIndex));
    if (read)
        value.SetXmlCollection(numbers);
}

// ---- CAllBox ----

CAllBox::CAllBox() : CBound("all") { Init(); }

void CAllBox::Init()
{
    hasX = false;
    x = 0;
    hasY = false;
    y.clear();
    part.Reset();
    hasColor = false;
    color = Red;
}

void CAllBox::Describe(CMetadata & tables)
{
    tables.elements = Table<CElementInfo>({
        new CElementInfoAllPrimMnd("x", Ns, 0, false, ItemType_i4, nullptr, Collapse, CPrimitiveRestrictions(), nullptr),
        new CElementInfoAllPrimOpt("y", Ns, 1, false, ItemType_string, nullptr, Preserve, CPrimitiveRestrictions(),
                                   nullptr),
        new CElementInfoAllClsOpt("part", Ns, 2, XmlElementType_Element, &CPart::Create, 0),
        new CElementInfoAllEnumMnd("color", Ns, 3, false, &ColorToString, &ColorFromString, nullptr),
    });
    tables.attributes = Empty<CAttributeInfo>();
    tables.classInfo = new CParentElementInfo(XmlElementGroupType_All, XmlElementType_Element, "AllBox", Ns, true, false,
                                              -1, ItemType_Invalid, nullptr, false);
}

void CAllBox::AccessProperty(int propertyIndex, bool read, NxVariant & value)
{
    switch (propertyIndex)
    {
    case 0:
    {
        int member = x;
        OptionalInt(read, value, hasX, member);
        x = member;
        break;
    }
    case 1: OptionalString(read, value, hasY, y); break;
    case 2:
        if (read)
            value.SetXmlObject(part);
        else
            part = As<CPart>(value);
        break;
    case 3: OptionalInt(read, value, hasColor, color); break;
    default: throw CNxInvalidParamException(FormatString("Unknown property index %d", propertyIndex));
    }
}

// ---- Shapes ----

void CShape::Describe(CMetadata & tables)
{
    tables.elements = Table<CElementInfo>({
        new CElementInfoSeqPrimMnd("label", Ns, 0, false, ItemType_string, nullptr, Preserve, CPrimitiveRestrictions(),
                                   nullptr),
    });
    tables.attributes = Empty<CAttributeInfo>();
    tables.classInfo = new CParentElementInfo(XmlElementGroupType_Sequence, XmlElementType_Element, "Shape", Ns, true,
                                              false, -1, ItemType_Invalid, nullptr, false);
}

CSmartPtr<CXmlObjectBase> CShape::Substitute(CXmlElement * element) { return CShapeFactory::Substitute(element); }

void CShape::AccessProperty(int propertyIndex, bool read, NxVariant & value)
{
    if (propertyIndex != 0)
        throw CNxInvalidParamException(FormatString("Unknown property index %d", propertyIndex));
    if (read)
        value.SetString(label);
    else
        label = value.GetString();
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
        Circle().elements = Table<CElementInfo>({
            new CElementInfoSeqPrimMnd("label", Ns, 0, false, ItemType_string, nullptr, Preserve,
                                       CPrimitiveRestrictions(), nullptr),
            new CElementInfoSeqPrimMnd("radius", Ns, 1, false, ItemType_i4, nullptr, Collapse, CPrimitiveRestrictions(),
                                       nullptr),
        });
        Circle().attributes = Empty<CAttributeInfo>();
        Circle().classInfo = new CParentElementInfo(XmlElementGroupType_Sequence, XmlElementType_Element, "Circle", Ns,
                                                    true, true, -1, ItemType_Invalid, nullptr, false);
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
    if (read)
        value.SetI4(radius);
    else
        radius = value.GetI4();
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
    tables.classInfo = new CParentElementInfo(XmlElementGroupType_Sequence, XmlElementType_Element, "Drawing", Ns, false,
                                              false, -1, ItemType_Invalid, nullptr, false);
}

void CDrawing::AccessProperty(int propertyIndex, bool read, NxVariant & value)
{
    switch (propertyIndex)
    {
    case 0:
        if (read)
            value.SetXmlObject(shape);
        else
            shape = As<CShape>(value);
        break;
    case 1:
        if (read)
            value.SetXmlObject(inlined);
        else
            inlined = value.GetXmlObject();
        break;
    default: throw CNxInvalidParamException(FormatString("Unknown property index %d", propertyIndex));
    }
}

void CInlined::Describe(CMetadata & tables)
{
    tables.elements = Table<CElementInfo>({
        new CElementInfoSeqPrimMnd("first", Ns, 0, false, ItemType_string, nullptr, Preserve, CPrimitiveRestrictions(),
                                   nullptr),
    });
    tables.attributes = Table<CAttributeInfo>({
        new CAttributeInfoPrimitive("flag", "", 1, false, ItemType_boolean, nullptr, Collapse, CPrimitiveRestrictions(),
                                    nullptr),
    });
    tables.classInfo = new CParentElementInfo(XmlElementGroupType_Sequence, XmlElementType_PseudoElement, "Inlined", Ns,
                                              false, false, -1, ItemType_Invalid, nullptr, false);
}

void CInlined::AccessProperty(int propertyIndex, bool read, NxVariant & value)
{
    if (propertyIndex == 0)
    {
        if (read)
            value.SetString(first);
        else
            first = value.GetString();
        return;
    }
    if (read)
        value.SetBoolean(flag);
    else
        flag = value.GetBoolean();
}

} // namespace TestBindings
