// Every element kind through a class with that one member: what it writes, that what it writes
// reads back to the same text (as its own element and inlined into an owner), and its errors.
#include "TestBindings.h"
#include "TestSupport.h"

#include <functional>
#include <memory>
#include <vector>

using namespace TestBindings;

namespace
{

using CMakeInfo = std::function<CElementInfo *()>;
using CSetMember = std::function<void(NxVariant &)>;

// A generated class with one member of any kind, held in a variant.
class CHost : public CXmlGeneratedClass
{
public:
    CHost(XmlElementGroupType group, XmlElementType elementType, CMakeInfo const & make, CSetMember init)
        : m_classInfo(group, elementType, "Host", Ns, false, false, -1, ItemType_Invalid, nullptr, false),
          m_member(make()), m_init(std::move(init))
    {
        m_elements[0] = m_member.get();
        SetElementName("host");
        Init();
    }
    CXmlObjectBase * GetBase() override { return this; }
    std::string GetNamespace() const override { return Ns; }
    CParentElementInfo * GetClassInfo() override { return &m_classInfo; }
    CElementInfo ** GetClassElementInfo() override { return m_elements; }
    CAttributeInfo ** GetClassAttributeInfo() override { return m_attributes; }
    void AccessProperty(int, bool read, NxVariant & value) override
    {
        if (read)
            value = m_value;
        else
            m_value = value;
    }
    void Init() override
    {
        m_value.Clear();
        if (m_init)
            m_init(m_value);
    }

    NxVariant m_value;

protected:
    std::string GetTargetNamespace() const override { return Ns; }

private:
    CParentElementInfo m_classInfo;
    std::unique_ptr<CElementInfo> m_member;
    CSetMember m_init;
    CElementInfo * m_elements[2] = {nullptr, nullptr};
    CAttributeInfo * m_attributes[1] = {nullptr};
};

// The exception class an error row expects.
enum class Thrown
{
    Base,
    InvalidParam,
    Validation
};

// One failure of a kind: writing the member as it starts out (or empty), or reading the text.
struct CKindError
{
    bool writing;
    std::string xml; // read; when writing, empty means the member is cleared first
    Thrown thrown;
    std::string message;
};

// One kind: how it is made, the member's start and written value, the document, the failures.
struct CKindCase
{
    char const * kind;
    XmlElementGroupType group;
    CMakeInfo make;
    CSetMember init;
    CSetMember fill; // the value written; null leaves the member as it starts
    std::string xml;
    std::vector<CKindError> errors;
};

std::string Host(std::string const & body) { return "<host xmlns=\"urn:t\">" + body + "</host>"; }

WhitespaceRule const Collapse = CWhitespaceUtils::WhitespaceRule_Collapse;

// The members' starting states and values.
CSetMember Ints(int minOccurs, std::vector<int> const & values)
{
    return [=](NxVariant & value) {
        CSmartPtr<Ci4Col> const items(new Ci4Col("m", Ns, minOccurs, 3, nullptr, -1, -1, nullptr, nullptr, nullptr,
                                                 nullptr, -1, -1, -1, Collapse, nullptr));
        for (int const item : values)
            items->Add(item);
        value.SetXmlCollection(items);
    };
}
CSetMember Parts(int minOccurs)
{
    return [=](NxVariant & value) { value.SetXmlCollection(CSmartPtr<CPartCol>(new CPartCol("m", minOccurs, -1))); };
}
CSetMember Elements(int minOccurs)
{
    return [=](NxVariant & value) {
        value.SetXmlCollection(CSmartPtr<CElementCol>(new CElementCol("m", Ns, "##any", minOccurs, -1)));
    };
}
CSetMember Part(char const * code)
{
    return [=](NxVariant & value) {
        CSmartPtr<CPart> const part(new CPart("m"));
        part->code = code;
        value.SetXmlObject(part);
    };
}
CSetMember Shape(char const * label)
{
    return [=](NxVariant & value) {
        CSmartPtr<CShape> const shape(new CShape);
        shape->label = label;
        value.SetXmlObject(shape);
    };
}
CSetMember Inlined(char const * first)
{
    return [=](NxVariant & value) {
        CSmartPtr<CInlined> const inlined(new CInlined);
        inlined->first = first;
        inlined->flag = true;
        value.SetXmlObject(inlined);
    };
}
CSetMember Element(char const * text)
{
    return [=](NxVariant & value) {
        CSmartPtr<CElement> const element(new CElement("m", Ns));
        element->SetText(text);
        value.SetXmlObject(element);
    };
}
CSetMember Int(int number)
{
    return [=](NxVariant & value) { value.SetI4(number); };
}
// Fills the collection the member already holds.
CSetMember AddInts(std::vector<int> const & values)
{
    return [=](NxVariant & value) {
        for (int const item : values)
            static_cast<Ci4Col *>(value.GetXmlCollection().Get())->Add(item);
    };
}
CSetMember AddParts(std::vector<char const *> const & codes)
{
    return [=](NxVariant & value) {
        for (char const * code : codes)
            static_cast<CPartCol *>(value.GetXmlCollection().Get())->Add(new CPart("m"))->code = code;
    };
}
CSetMember AddElements(std::vector<char const *> const & texts)
{
    return [=](NxVariant & value) {
        for (char const * text : texts)
            static_cast<CElementCol *>(value.GetXmlCollection().Get())->Add("m")->SetText(text);
    };
}

CSmartPtr<CXmlObjectBase> MakeInlined(int, char const *) { return CSmartPtr<CXmlObjectBase>(new CInlined); }
CSmartPtr<CXmlObjectBase> SubstituteInlined(CXmlElement * element)
{
    return element->GetLocalName() == "first" ? CSmartPtr<CXmlObjectBase>(new CInlined) : CSmartPtr<CXmlObjectBase>();
}

template <class Info>
CMakeInfo Prim()
{
    return [] {
        return new Info("m", Ns, 0, false, ItemType_i4, nullptr, Collapse, CPrimitiveRestrictions(), nullptr);
    };
}
template <class Info>
CMakeInfo Enum()
{
    return [] { return new Info("m", Ns, 0, false, &ColorToString, &ColorFromString, nullptr); };
}
template <class Info>
CMakeInfo Plain(char const * name = "m")
{
    return [=] { return new Info(name, Ns, 0); };
}
template <class Info>
CMakeInfo Typed(XmlElementType elementType = XmlElementType_Element)
{
    return [=] { return new Info("m", Ns, 0, elementType); };
}
template <class Info>
CMakeInfo Untyped(char const * name = "m")
{
    return [=] { return new Info(name, Ns, 0, "##any", Ns); };
}

std::string const MinimumOne = "The Minimum number of [m] elements allowed in this collection is 1";
std::string const Missing = "Failed to find the required child element [m].\nPath: /host";
std::string const NotImplemented = "Not implemented, should never be called";
std::string const Xsi = "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\"";
std::string const InlinedXml = "<host xmlns=\"urn:t\" flag=\"true\"><first>f</first></host>";

CKindError WriteNil(char const * name = "m")
{
    return {true, "", Thrown::InvalidParam,
            "The Property [" + std::string(name) + "] is mandatory, it may not be NULL"};
}
// What the all group says at its end about a mandatory member that is not there.
CKindError NotFound(char const * name = "m")
{
    return {false, Host(""), Thrown::Validation, "Failed to find the mandatory element [" + std::string(name) + "]."};
}
std::string Leftover(char const * name)
{
    return "Failed read all the elements held within the element [host]. The unexpected element [" + std::string(name) +
           "] remains un processed\nPath: /host";
}
CKindError ReadFails(std::string const & body, Thrown thrown, std::string const & message)
{
    return {false, Host(body), thrown, message};
}

XmlElementGroupType const All = XmlElementGroupType_All;
XmlElementGroupType const Choice = XmlElementGroupType_Choice;
XmlElementGroupType const Seq = XmlElementGroupType_Sequence;
XmlElementType const Pseudo = XmlElementType_PseudoElement;

std::vector<CKindCase> const Cases = {
    // ---- the all group
    {"AllCol", All, Plain<CElementInfoAllCol>(), Ints(0, {}), AddInts({1, 2}), Host("<m>1</m><m>2</m>"), {}},
    {"AllAbsClsCol", All, Typed<CElementInfoAllAbsClsCol>(), Parts(0), AddParts({"a"}), Host("<m><code>a</code></m>"),
     {}},
    {"AllAbsClsMnd", All,
     [] { return new CElementInfoAllAbsClsMnd("shape", Ns, 0, XmlElementType_Element, &CShape::Substitute, 7); },
     Shape(""), Shape("s"), Host("<shape><label>s</label></shape>"),
     {WriteNil("shape"), NotFound("shape"),
      ReadFails("<shape " + Xsi + " xsi:type=\"Square\"/>", Thrown::Validation,
                "Failed to find a suitable substitution element for [shape].\nPath: /host")}},
    {"AllAbsClsMnd inlined", All,
     [] { return new CElementInfoAllAbsClsMnd("first", Ns, 0, Pseudo, &SubstituteInlined, 7); }, nullptr,
     Inlined("f"), InlinedXml, {}},
    {"AllAbsClsOpt", All,
     [] { return new CElementInfoAllAbsClsOpt("shape", Ns, 0, XmlElementType_Element, &CShape::Substitute); },
     nullptr, Shape("s"), Host("<shape><label>s</label></shape>"), {}},
    {"AllAbsClsOpt inlined", All,
     [] { return new CElementInfoAllAbsClsOpt("first", Ns, 0, Pseudo, &SubstituteInlined); }, nullptr, Inlined("f"),
     InlinedXml, {}},
    {"AllClsCol", All, Typed<CElementInfoAllClsCol>(), Parts(0), AddParts({"a", "b"}),
     Host("<m><code>a</code></m><m><code>b</code></m>"), {}},
    {"AllClsMnd", All,
     [] { return new CElementInfoAllClsMnd("m", Ns, 0, XmlElementType_Element, &CPart::Create, 0, true); }, Part(""),
     Part("a"), Host("<m><code>a</code></m>"),
     {WriteNil(), NotFound()}},
    {"AllClsMnd inlined", All,
     [] { return new CElementInfoAllClsMnd("first", Ns, 0, Pseudo, &MakeInlined, 0, false); }, Inlined(""),
     Inlined("f"), InlinedXml, {}},
    {"AllClsOpt", All, [] { return new CElementInfoAllClsOpt("m", Ns, 0, XmlElementType_Element, &CPart::Create, 0); },
     nullptr, Part("a"), Host("<m><code>a</code></m>"), {}},
    {"AllClsOpt inlined", All, [] { return new CElementInfoAllClsOpt("first", Ns, 0, Pseudo, &MakeInlined, 0); },
     nullptr, Inlined("f"), InlinedXml, {}},
    {"AllEnumCol", All, Plain<CElementInfoAllEnumCol>(), Ints(0, {}), nullptr, "",
     {{true, "", Thrown::Base, NotImplemented}, ReadFails("<m>red</m>", Thrown::Base, NotImplemented)}},
    {"AllEnumMnd", All, Enum<CElementInfoAllEnumMnd>(), Int(Red), Int(Blue), Host("<m>blue</m>"),
     {WriteNil(), NotFound()}},
    {"AllEnumOpt", All, Enum<CElementInfoAllEnumOpt>(), nullptr, Int(Green), Host("<m>green</m>"), {}},
    {"AllPrimCol", All, Plain<CElementInfoAllPrimCol>(), Ints(0, {}), AddInts({3}), Host("<m>3</m>"), {}},
    {"AllPrimMnd", All, Prim<CElementInfoAllPrimMnd>(), Int(0), Int(5), Host("<m>5</m>"),
     {WriteNil(), NotFound()}},
    {"AllPrimOpt", All, Prim<CElementInfoAllPrimOpt>(), nullptr, Int(6), Host("<m>6</m>"), {}},
    {"AllUntpdCol", All, Plain<CElementInfoAllUntpdCol>(), Elements(0), AddElements({"t", "u"}),
     Host("<m>t</m><m>u</m>"), {}},
    {"AllUntpdMnd", All, Untyped<CElementInfoAllUntpdMnd>(), Element(""), Element("t"), Host("<m>t</m>"),
     {WriteNil(), NotFound()}},
    {"AllUntpdOpt", All, Untyped<CElementInfoAllUntpdOpt>(), nullptr, Element("t"), Host("<m>t</m>"), {}},

    // ---- the choice group
    {"ChoiceCol", Choice, Plain<CElementInfoChoiceCol>(), Ints(1, {}), AddInts({1, 2}), Host("<m>1</m><m>2</m>"),
     {ReadFails("", Thrown::Validation,
                "No child elements within the element [host] were populated. The element represents a choice, so one "
                "and only one element should be populated. The element contained no sutable child elements\n"
                "Path: /host")}},
    {"ChoiceAbsClsCol", Choice, Typed<CElementInfoChoiceAbsClsCol>(), Parts(0), AddParts({"a"}),
     Host("<m><code>a</code></m>"), {}},
    {"ChoiceAbsClsOpt", Choice,
     [] { return new CElementInfoChoiceAbsClsOpt("shape", Ns, 0, XmlElementType_Element, &CShape::Substitute); },
     nullptr, Shape("s"), Host("<shape><label>s</label></shape>"),
     {ReadFails("<shape " + Xsi + " xsi:type=\"Square\"/>", Thrown::Validation, Leftover("shape"))}},
    {"ChoiceClsCol", Choice, Typed<CElementInfoChoiceClsCol>(), Parts(0), AddParts({"a"}),
     Host("<m><code>a</code></m>"),
     {}},
    {"ChoiceClsOpt", Choice,
     [] { return new CElementInfoChoiceClsOpt("m", Ns, 0, XmlElementType_Element, &CPart::Create, 0); }, nullptr,
     Part("a"), Host("<m><code>a</code></m>"), {ReadFails("<x/>", Thrown::Validation, Leftover("x"))}},
    {"ChoiceClsOpt inlined", Choice,
     [] { return new CElementInfoChoiceClsOpt("first", Ns, 0, Pseudo, &MakeInlined, 0); }, nullptr, Inlined("f"),
     InlinedXml, {}},
    {"ChoiceEnumCol", Choice, Plain<CElementInfoChoiceEnumCol>(), Ints(0, {}), AddInts({1}), Host("<m>1</m>"), {}},
    {"ChoiceEnumOpt", Choice, Enum<CElementInfoChoiceEnumOpt>(), nullptr, Int(Blue), Host("<m>blue</m>"), {}},
    {"ChoicePrimCol", Choice, Plain<CElementInfoChoicePrimCol>(), Ints(0, {}), AddInts({4, 5}),
     Host("<m>4</m><m>5</m>"), {}},
    {"ChoicePrimOpt", Choice, Prim<CElementInfoChoicePrimOpt>(), nullptr, Int(9), Host("<m>9</m>"), {}},
    {"ChoiceUntpdCol", Choice, Plain<CElementInfoChoiceUntpdCol>(), Elements(0), AddElements({"t"}), Host("<m>t</m>"),
     {}},
    {"ChoiceUntpdOpt", Choice, Untyped<CElementInfoChoiceUntpdOpt>(), nullptr, Element("t"), Host("<m>t</m>"),
     {ReadFails("<x/>", Thrown::Validation, Leftover("x"))}},

    // ---- the sequence
    {"SeqCol", Seq, Plain<CElementInfoSeqCol>(), Ints(1, {}), AddInts({1}), Host("<m>1</m>"),
     {{true, Host(""), Thrown::Validation, MinimumOne}, ReadFails("", Thrown::Validation, MinimumOne)}},
    {"SeqAbsClsCol", Seq, Typed<CElementInfoSeqAbsClsCol>(), Parts(0), AddParts({"a"}), Host("<m><code>a</code></m>"),
     {}},
    {"SeqAbsClsMnd", Seq,
     [] { return new CElementInfoSeqAbsClsMnd("shape", Ns, 0, XmlElementType_Element, &CShape::Substitute); },
     Shape(""), Shape("s"), Host("<shape><label>s</label></shape>"),
     {WriteNil("shape"),
      ReadFails("<x/>", Thrown::Validation, "Failed to find a suitable substitution element for [shape].\nPath: /host"),
      ReadFails("", Thrown::Validation, "Failed to find a suitable substitution element for [shape].\nPath: /host"),
      ReadFails("<shape " + Xsi + " xsi:type=\"Square\"/>", Thrown::Validation,
                "Failed to find a suitable substitution element for [shape].\nPath: /host")}},
    {"SeqAbsClsOpt", Seq,
     [] { return new CElementInfoSeqAbsClsOpt("shape", Ns, 0, XmlElementType_Element, &CShape::Substitute); },
     nullptr, Shape("s"), Host("<shape><label>s</label></shape>"), {}},
    {"SeqClsCol", Seq, Typed<CElementInfoSeqClsCol>(), Parts(0), AddParts({"a"}), Host("<m><code>a</code></m>"), {}},
    {"SeqClsMnd", Seq,
     [] { return new CElementInfoSeqClsMnd("m", Ns, 0, XmlElementType_Element, &CPart::Create, 0, false); }, Part(""),
     Part("a"), Host("<m><code>a</code></m>"), {WriteNil(), ReadFails("<x/>", Thrown::Validation, Missing)}},
    {"SeqClsMnd inlined", Seq,
     [] { return new CElementInfoSeqClsMnd("first", Ns, 0, Pseudo, &MakeInlined, 0, false); }, Inlined(""),
     Inlined("f"), InlinedXml, {}},
    {"SeqClsMnd inlined, content required", Seq,
     [] { return new CElementInfoSeqClsMnd("first", Ns, 0, Pseudo, &MakeInlined, 0, true); }, Inlined(""),
     Inlined("f"), InlinedXml,
     {ReadFails("", Thrown::Validation, "Failed to find the required child element [first].\nPath: /host")}},
    {"SeqClsOpt", Seq, [] { return new CElementInfoSeqClsOpt("m", Ns, 0, XmlElementType_Element, &CPart::Create, 0); },
     nullptr, Part("a"), Host("<m><code>a</code></m>"), {}},
    {"SeqClsOpt inlined", Seq, [] { return new CElementInfoSeqClsOpt("first", Ns, 0, Pseudo, &MakeInlined, 0); },
     nullptr, Inlined("f"), InlinedXml, {}},
    {"SeqEnumCol", Seq, Plain<CElementInfoSeqEnumCol>(), Ints(0, {}), AddInts({2}), Host("<m>2</m>"), {}},
    {"SeqEnumMnd", Seq, Enum<CElementInfoSeqEnumMnd>(), Int(Red), Int(Green), Host("<m>green</m>"),
     {WriteNil(), ReadFails("<x/>", Thrown::Validation, Missing)}},
    {"SeqEnumOpt", Seq, Enum<CElementInfoSeqEnumOpt>(), nullptr, Int(Blue), Host("<m>blue</m>"), {}},
    {"SeqPrimCol", Seq, Plain<CElementInfoSeqPrimCol>(), Ints(0, {}), AddInts({7, 8}), Host("<m>7</m><m>8</m>"),
     {ReadFails("<m>1</m><m>2</m><m>3</m><m>4</m>", Thrown::Validation,
                "The Maximum number of [m] elements allowed in this collection is 3")}},
    {"SeqPrimMnd", Seq, Prim<CElementInfoSeqPrimMnd>(), Int(0), Int(5), Host("<m>5</m>"),
     {WriteNil(), ReadFails("<x/>", Thrown::Validation, Missing), ReadFails("", Thrown::Validation, Missing)}},
    {"SeqPrimOpt", Seq, Prim<CElementInfoSeqPrimOpt>(), nullptr, Int(6), Host("<m>6</m>"), {}},
    {"SeqUntpdCol", Seq, Plain<CElementInfoSeqUntpdCol>(), Elements(0), AddElements({"t", "u"}),
     Host("<m>t</m><m>u</m>"),
     {}},
    {"SeqUntpdCol of any name", Seq, Plain<CElementInfoSeqUntpdCol>("AnyElement"), Elements(0), AddElements({"t"}),
     Host("<m>t</m>"), {}},
    {"SeqUntpdMnd", Seq, Untyped<CElementInfoSeqUntpdMnd>(), Element(""), Element("t"), Host("<m>t</m>"),
     {WriteNil(), ReadFails("", Thrown::Validation, Missing),
      ReadFails("<x/>", Thrown::Validation,
                "Failed to find the required element from namespace [urn:t].\nPath: /host")}},
    {"SeqUntpdOpt", Seq, Untyped<CElementInfoSeqUntpdOpt>(), nullptr, Element("t"), Host("<m>t</m>"), {}},
    {"SeqUntpdOpt of any name", Seq, Untyped<CElementInfoSeqUntpdOpt>("AnyElement"), nullptr, Element("t"),
     Host("<m>t</m>"), {}},
};

// The exception at the end of the chain.
CNxException const & Innermost(CNxException const & e)
{
    return e.GetInnerException() != nullptr ? Innermost(*e.GetInnerException()) : e;
}

// The failure as the row expects it: the innermost exception, with its class (the driver wraps
// what the kinds throw in its own exceptions).
void ExpectError(CKindCase const & row, CKindError const & error)
{
    CSmartPtr<CHost> const host(new CHost(row.group, XmlElementType_Element, row.make, row.init));
    if (error.writing && error.xml.empty())
        host->m_value.Clear();
    try
    {
        if (error.writing)
            Write(*host);
        else
            host->FromXml(error.xml.c_str());
        ADD_FAILURE() << "no exception; expected: " << error.message;
    }
    catch (CNxException const & e)
    {
        CNxException const * const cause = &Innermost(e);
        EXPECT_EQ(error.message, cause->GetMessage());
        switch (error.thrown)
        {
        case Thrown::Base: EXPECT_EQ(typeid(CNxException), typeid(*cause)); break;
        case Thrown::InvalidParam: EXPECT_EQ(typeid(CNxInvalidParamException), typeid(*cause)); break;
        case Thrown::Validation: EXPECT_EQ(typeid(CNxValidationException), typeid(*cause)); break;
        }
    }
}

} // namespace

TEST(ElementKinds, EveryKindWritesReadsAndFails)
{
    for (CKindCase const & row : Cases)
    {
        SCOPED_TRACE(row.kind);
        if (!row.xml.empty())
        {
            CSmartPtr<CHost> const written(new CHost(row.group, XmlElementType_Element, row.make, row.init));
            if (row.fill)
                row.fill(written->m_value);
            EXPECT_EQ(row.xml, Write(*written));
            CSmartPtr<CHost> const read(new CHost(row.group, XmlElementType_Element, row.make, row.init));
            read->FromXml(row.xml.c_str());
            EXPECT_EQ(row.xml, Write(*read));
            // Inlined into an owner, the member reads and writes the same text as the owner's.
            CSmartPtr<CHost> const inner(new CHost(row.group, XmlElementType_PseudoElement, row.make, row.init));
            CSmartPtr<CHost> const owner(new CHost(
                Seq, XmlElementType_Element,
                [] {
                    return new CElementInfoSeqClsMnd("host", Ns, 0, XmlElementType_PseudoElement, nullptr, 0, false);
                },
                [&](NxVariant & value) { value.SetXmlObject(inner); }));
            owner->FromXml(row.xml.c_str());
            EXPECT_EQ(row.xml, Write(*owner));
        }
        for (CKindError const & error : row.errors)
            ExpectError(row, error);
    }
}

namespace
{

// What reading a document into a kind gives: the document written back, or the innermost
// exception as "class: message".
struct CReadCase
{
    char const * what;
    XmlElementGroupType group;
    bool inlined; // the member's class is inlined into an owner, so its members read with a parent type
    CMakeInfo make;
    CSetMember init;
    CSerializationContext context;
    std::string xml;
    std::string result;
};

CSerializationContext Skipping()
{
    CSerializationContext context;
    context.SetIgnoreUnknownElements(true);
    return context;
}

CSerializationContext Lenient()
{
    CSerializationContext context;
    context.SetIgnoreMissingMandatoryElements(true);
    return context;
}

std::string const NullOnReading = "invalid param: The Property [m] is mandatory, it may not be NULL";

std::string ReadAndWrite(CReadCase const & row)
{
    CSmartPtr<CHost> host(new CHost(row.group, XmlElementType_Element, row.make, row.init));
    if (row.inlined)
    {
        CSmartPtr<CHost> const inner(new CHost(row.group, XmlElementType_PseudoElement, row.make, row.init));
        host = new CHost(
            Seq, XmlElementType_Element,
            [] { return new CElementInfoSeqClsMnd("host", Ns, 0, XmlElementType_PseudoElement, nullptr, 0, false); },
            [inner](NxVariant & value) { value.SetXmlObject(inner); });
    }
    try
    {
        host->FromXml(row.xml.c_str(), row.context);
        return Write(*host);
    }
    catch (CNxException const & e)
    {
        CNxException const * const cause = &Innermost(e);
        return std::string(typeid(*cause) == typeid(CNxInvalidParamException) ? "invalid param: " : "validation: ") +
               cause->GetMessage();
    }
}

} // namespace

TEST(ElementKinds, ReadingOptionsAndMembersLeftNull)
{
    std::vector<CReadCase> const cases = {
        {"a missing mandatory member accepted", All, false, Prim<CElementInfoAllPrimMnd>(), Int(0), Lenient(),
         Host(""), Host("<m>0</m>")},
        {"a class member without required content may be missing", All, false,
         [] { return new CElementInfoAllClsMnd("m", Ns, 0, XmlElementType_Element, &CPart::Create, 0, false); },
         Part("p"), CSerializationContext(), Host(""), Host("<m><code>p</code></m>")},
        {"foreign elements skipped before an inlined mandatory member", Seq, true, Prim<CElementInfoSeqPrimMnd>(),
         Int(0), Skipping(), Host("<x/><m>5</m>"), Host("<m>5</m>")},
        {"an inlined mandatory member that is not there", Seq, true, Prim<CElementInfoSeqPrimMnd>(), Int(0),
         CSerializationContext(), Host("<x/>"), "validation: " + Leftover("x")},
        {"an inlined class in a choice that takes nothing is taken back", Choice, false,
         [] { return new CElementInfoChoiceClsOpt("first", Ns, 0, Pseudo, &MakeInlined, 0); }, nullptr,
         CSerializationContext(), "<host xmlns=\"urn:t\" flag=\"true\"><x/></host>", "validation: " + Leftover("x")},
        {"an inlined choice run below its minimum", Choice, true, Plain<CElementInfoChoiceCol>(), Ints(2, {}),
         CSerializationContext(), Host("<m>1</m>"), "validation: " + Leftover("m")},
        {"a mandatory class member left null by its class", All, false,
         [] { return new CElementInfoAllClsMnd("m", Ns, 0, XmlElementType_Element, &CPart::Create, 0, true); },
         nullptr, CSerializationContext(), Host("<m/>"), NullOnReading},
        {"a mandatory sequence member left null by its class", Seq, false,
         [] { return new CElementInfoSeqClsMnd("m", Ns, 0, XmlElementType_Element, &CPart::Create, 0, false); },
         nullptr, CSerializationContext(), Host("<m/>"), NullOnReading},
        {"a mandatory wildcard left null by its class", Seq, false, Untyped<CElementInfoSeqUntpdMnd>(), nullptr,
         CSerializationContext(), Host("<m/>"), NullOnReading},
    };
    for (CReadCase const & row : cases)
        EXPECT_EQ(row.result, ReadAndWrite(row)) << row.what;

    // Only the all group asks its members at its end.
    CSmartPtr<CHost> const host(new CHost(Seq, XmlElementType_Element, Prim<CElementInfoSeqPrimMnd>(), Int(1)));
    CElementInfo const * const member = host->GetClassElementInfo()[0];
    NxXmlTest::ExpectThrows<CNxException>([&] { member->Validate(CSerializationContext(), host, false, true); },
                                          NotImplemented);
}
