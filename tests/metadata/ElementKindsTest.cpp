// Every element kind through a class with that one member: what it writes, that what it writes
// reads back to the same text (as its own element and inlined into an owner), and its errors.
#include "TestBindings.h"
#include "TestSupport.h"

#include <functional>
#include <memory>
#include <typeinfo>
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

// One failure of a kind: writing the member as it starts out (or empty), or reading the text;
// the failure as "class: message".
struct CKindError
{
    bool writing;
    std::string xml; // read; when writing, empty means the member is cleared first
    std::string failure;
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

XmlElementGroupType const All = XmlElementGroupType_All;
XmlElementGroupType const Choice = XmlElementGroupType_Choice;
XmlElementGroupType const Seq = XmlElementGroupType_Sequence;
XmlElementType const Element = XmlElementType_Element;
XmlElementType const Pseudo = XmlElementType_PseudoElement;

// The member information of a kind, named and made with the arguments after the name.
template <class Info, class... Args>
CMakeInfo New(char const * name, Args... args)
{
    return [=] { return new Info(name, Ns, 0, args...); };
}
template <class Info>
CMakeInfo Prim()
{
    return New<Info>("m", false, ItemType_i4, nullptr, CWhitespaceUtils::WhitespaceRule_Collapse,
                     CPrimitiveRestrictions(), nullptr);
}
template <class Info>
CMakeInfo Enum()
{
    return New<Info>("m", false, &ColorToString, &ColorFromString, nullptr);
}
template <class Info>
CMakeInfo Untyped(char const * name = "m")
{
    return New<Info>(name, "##any", Ns);
}

// The members' starting states and values.
CSetMember Ints(int minOccurs)
{
    return [=](NxVariant & value) { value.SetXmlCollection(CSmartPtr<Ci4Col>(Numbers("m", minOccurs, 3))); };
}
CSetMember Parts()
{
    return [](NxVariant & value) { value.SetXmlCollection(CSmartPtr<CPartCol>(new CPartCol("m", 0, -1))); };
}
CSetMember Elements()
{
    return [](NxVariant & value) {
        value.SetXmlCollection(CSmartPtr<CElementCol>(new CElementCol("m", Ns, "##any", 0, -1)));
    };
}
// A member holding a new object of the class made with the arguments, its members set from the aggregate.
template <class T, class Members, class... Args>
CSetMember Holding(Members const & members, Args... args)
{
    return [=](NxVariant & value) {
        CSmartPtr<T> const object(new T(args...));
        static_cast<Members &>(*object) = members;
        value.SetXmlObject(object);
    };
}
CSetMember Part(char const * code) { return Holding<CPart>(CPartMembers{code}, "m"); }
CSetMember Shape(char const * label) { return Holding<CShape>(CShapeMembers{label}); }
CSetMember Inlined(char const * first) { return Holding<CInlined>(CInlinedMembers{first, true}); }
CSetMember Text(char const * text)
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
// Fills the collection the member already holds, one item per value.
template <class Collection, class Value>
CSetMember Adding(std::vector<Value> const & values, void (*add)(Collection &, Value))
{
    return [=](NxVariant & value) {
        for (Value const item : values)
            add(*static_cast<Collection *>(value.GetXmlCollection().Get()), item);
    };
}
CSetMember AddInts(std::vector<int> const & values)
{
    return Adding<Ci4Col, int>(values, [](Ci4Col & items, int item) { items.Add(item); });
}
CSetMember AddParts(std::vector<char const *> const & codes)
{
    return Adding<CPartCol, char const *>(codes, [](CPartCol & items, char const * code) { items.Add(new CPart("m"))->code = code; });
}
CSetMember AddTexts(std::vector<char const *> const & texts)
{
    return Adding<CElementCol, char const *>(texts, [](CElementCol & items, char const * text) { items.Add("m")->SetText(text); });
}

CSmartPtr<CXmlObjectBase> MakeInlined(int, char const *) { return CSmartPtr<CXmlObjectBase>(new CInlined); }
CSmartPtr<CXmlObjectBase> SubstituteInlined(CXmlElement * element)
{
    return element->GetLocalName() == "first" ? CSmartPtr<CXmlObjectBase>(new CInlined) : CSmartPtr<CXmlObjectBase>();
}

std::string const MinimumOne = "The Minimum number of [m] elements allowed in this collection is 1";
std::string const Missing = "Failed to find the required child element [m].\nPath: /host";
std::string const NotImplemented = "Not implemented, should never be called";
std::string const NoSubstitute = "Failed to find a suitable substitution element for [shape].\nPath: /host";
std::string const Square = "<shape xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" xsi:type=\"Square\"/>";
std::string const InlinedXml = "<host xmlns=\"urn:t\" flag=\"true\"><first>f</first></host>";
std::string const ShapeXml = Host("<shape><label>s</label></shape>");
std::string const PartXml = Host("<m><code>a</code></m>");

CKindError WriteNil(char const * name = "m")
{
    return {true, "", "invalid param: The Property [" + std::string(name) + "] is mandatory, it may not be NULL"};
}
// What the all group says at its end about a mandatory member that is not there.
CKindError NotFound(char const * name = "m")
{
    return {false, Host(""), "validation: Failed to find the mandatory element [" + std::string(name) + "]."};
}
std::string Leftover(char const * name)
{
    return "Failed read all the elements held within the element [host]. The unexpected element [" + std::string(name) +
           "] remains un processed\nPath: /host";
}
CKindError ReadFails(std::string const & body, std::string const & message, std::string const & thrown = "validation: ")
{
    return {false, Host(body), thrown + message};
}

std::vector<CKindCase> const Cases = {
    // ---- the all group
    {"AllCol", All, New<CElementInfoAllCol>("m"), Ints(0), AddInts({1, 2}), Host("<m>1</m><m>2</m>"), {}},
    {"AllAbsClsCol", All, New<CElementInfoAllAbsClsCol>("m", Element), Parts(), AddParts({"a"}), PartXml, {}},
    {"AllAbsClsMnd", All, New<CElementInfoAllAbsClsMnd>("shape", Element, &CShape::Substitute, 7), Shape(""),
     Shape("s"), ShapeXml, {WriteNil("shape"), NotFound("shape"), ReadFails(Square, NoSubstitute)}},
    {"AllAbsClsMnd inlined", All, New<CElementInfoAllAbsClsMnd>("first", Pseudo, &SubstituteInlined, 7), nullptr,
     Inlined("f"), InlinedXml, {}},
    {"AllAbsClsOpt", All, New<CElementInfoAllAbsClsOpt>("shape", Element, &CShape::Substitute), nullptr, Shape("s"),
     ShapeXml, {}},
    {"AllAbsClsOpt inlined", All, New<CElementInfoAllAbsClsOpt>("first", Pseudo, &SubstituteInlined), nullptr,
     Inlined("f"), InlinedXml, {}},
    {"AllClsCol", All, New<CElementInfoAllClsCol>("m", Element), Parts(), AddParts({"a", "b"}),
     Host("<m><code>a</code></m><m><code>b</code></m>"), {}},
    {"AllClsMnd", All, New<CElementInfoAllClsMnd>("m", Element, &CPart::Create, 0, true), Part(""), Part("a"),
     PartXml, {WriteNil(), NotFound()}},
    {"AllClsMnd inlined", All, New<CElementInfoAllClsMnd>("first", Pseudo, &MakeInlined, 0, false), Inlined(""),
     Inlined("f"), InlinedXml, {}},
    {"AllClsOpt", All, New<CElementInfoAllClsOpt>("m", Element, &CPart::Create, 0), nullptr, Part("a"), PartXml, {}},
    {"AllClsOpt inlined", All, New<CElementInfoAllClsOpt>("first", Pseudo, &MakeInlined, 0), nullptr, Inlined("f"),
     InlinedXml, {}},
    {"AllEnumCol", All, New<CElementInfoAllEnumCol>("m"), Ints(0), nullptr, "",
     {{true, "", "base: " + NotImplemented}, ReadFails("<m>red</m>", NotImplemented, "base: ")}},
    {"AllEnumMnd", All, Enum<CElementInfoAllEnumMnd>(), Int(Red), Int(Blue), Host("<m>blue</m>"),
     {WriteNil(), NotFound()}},
    {"AllEnumOpt", All, Enum<CElementInfoAllEnumOpt>(), nullptr, Int(Green), Host("<m>green</m>"), {}},
    {"AllPrimCol", All, New<CElementInfoAllPrimCol>("m"), Ints(0), AddInts({3}), Host("<m>3</m>"), {}},
    {"AllPrimMnd", All, Prim<CElementInfoAllPrimMnd>(), Int(0), Int(5), Host("<m>5</m>"), {WriteNil(), NotFound()}},
    {"AllPrimOpt", All, Prim<CElementInfoAllPrimOpt>(), nullptr, Int(6), Host("<m>6</m>"), {}},
    {"AllUntpdCol", All, New<CElementInfoAllUntpdCol>("m"), Elements(), AddTexts({"t", "u"}), Host("<m>t</m><m>u</m>"),
     {}},
    {"AllUntpdMnd", All, Untyped<CElementInfoAllUntpdMnd>(), Text(""), Text("t"), Host("<m>t</m>"),
     {WriteNil(), NotFound()}},
    {"AllUntpdOpt", All, Untyped<CElementInfoAllUntpdOpt>(), nullptr, Text("t"), Host("<m>t</m>"), {}},

    // ---- the choice group
    {"ChoiceCol", Choice, New<CElementInfoChoiceCol>("m"), Ints(1), AddInts({1, 2}), Host("<m>1</m><m>2</m>"),
     {ReadFails("", "No child elements within the element [host] were populated. The element represents a choice, so "
                    "one and only one element should be populated. The element contained no sutable child elements\n"
                    "Path: /host")}},
    {"ChoiceAbsClsCol", Choice, New<CElementInfoChoiceAbsClsCol>("m", Element), Parts(), AddParts({"a"}), PartXml, {}},
    {"ChoiceAbsClsOpt", Choice, New<CElementInfoChoiceAbsClsOpt>("shape", Element, &CShape::Substitute), nullptr,
     Shape("s"), ShapeXml, {ReadFails(Square, Leftover("shape"))}},
    {"ChoiceClsCol", Choice, New<CElementInfoChoiceClsCol>("m", Element), Parts(), AddParts({"a"}), PartXml, {}},
    {"ChoiceClsOpt", Choice, New<CElementInfoChoiceClsOpt>("m", Element, &CPart::Create, 0), nullptr, Part("a"),
     PartXml, {ReadFails("<x/>", Leftover("x"))}},
    {"ChoiceClsOpt inlined", Choice, New<CElementInfoChoiceClsOpt>("first", Pseudo, &MakeInlined, 0), nullptr,
     Inlined("f"), InlinedXml, {}},
    {"ChoiceEnumCol", Choice, New<CElementInfoChoiceEnumCol>("m"), Ints(0), AddInts({1}), Host("<m>1</m>"), {}},
    {"ChoiceEnumOpt", Choice, Enum<CElementInfoChoiceEnumOpt>(), nullptr, Int(Blue), Host("<m>blue</m>"), {}},
    {"ChoicePrimCol", Choice, New<CElementInfoChoicePrimCol>("m"), Ints(0), AddInts({4, 5}), Host("<m>4</m><m>5</m>"),
     {}},
    {"ChoicePrimOpt", Choice, Prim<CElementInfoChoicePrimOpt>(), nullptr, Int(9), Host("<m>9</m>"), {}},
    {"ChoiceUntpdCol", Choice, New<CElementInfoChoiceUntpdCol>("m"), Elements(), AddTexts({"t"}), Host("<m>t</m>"), {}},
    {"ChoiceUntpdOpt", Choice, Untyped<CElementInfoChoiceUntpdOpt>(), nullptr, Text("t"), Host("<m>t</m>"),
     {ReadFails("<x/>", Leftover("x"))}},

    // ---- the sequence
    {"SeqCol", Seq, New<CElementInfoSeqCol>("m"), Ints(1), AddInts({1}), Host("<m>1</m>"),
     {{true, Host(""), "validation: " + MinimumOne}, ReadFails("", MinimumOne)}},
    {"SeqAbsClsCol", Seq, New<CElementInfoSeqAbsClsCol>("m", Element), Parts(), AddParts({"a"}), PartXml, {}},
    {"SeqAbsClsMnd", Seq, New<CElementInfoSeqAbsClsMnd>("shape", Element, &CShape::Substitute), Shape(""), Shape("s"),
     ShapeXml,
     {WriteNil("shape"), ReadFails("<x/>", NoSubstitute), ReadFails("", NoSubstitute), ReadFails(Square, NoSubstitute)}},
    {"SeqAbsClsOpt", Seq, New<CElementInfoSeqAbsClsOpt>("shape", Element, &CShape::Substitute), nullptr, Shape("s"),
     ShapeXml, {}},
    {"SeqClsCol", Seq, New<CElementInfoSeqClsCol>("m", Element), Parts(), AddParts({"a"}), PartXml, {}},
    {"SeqClsMnd", Seq, New<CElementInfoSeqClsMnd>("m", Element, &CPart::Create, 0, false), Part(""), Part("a"),
     PartXml, {WriteNil(), ReadFails("<x/>", Missing)}},
    {"SeqClsMnd inlined", Seq, New<CElementInfoSeqClsMnd>("first", Pseudo, &MakeInlined, 0, false), Inlined(""),
     Inlined("f"), InlinedXml, {}},
    {"SeqClsMnd inlined, content required", Seq, New<CElementInfoSeqClsMnd>("first", Pseudo, &MakeInlined, 0, true),
     Inlined(""), Inlined("f"), InlinedXml,
     {ReadFails("", "Failed to find the required child element [first].\nPath: /host")}},
    {"SeqClsOpt", Seq, New<CElementInfoSeqClsOpt>("m", Element, &CPart::Create, 0), nullptr, Part("a"), PartXml, {}},
    {"SeqClsOpt inlined", Seq, New<CElementInfoSeqClsOpt>("first", Pseudo, &MakeInlined, 0), nullptr, Inlined("f"),
     InlinedXml, {}},
    {"SeqEnumCol", Seq, New<CElementInfoSeqEnumCol>("m"), Ints(0), AddInts({2}), Host("<m>2</m>"), {}},
    {"SeqEnumMnd", Seq, Enum<CElementInfoSeqEnumMnd>(), Int(Red), Int(Green), Host("<m>green</m>"),
     {WriteNil(), ReadFails("<x/>", Missing)}},
    {"SeqEnumOpt", Seq, Enum<CElementInfoSeqEnumOpt>(), nullptr, Int(Blue), Host("<m>blue</m>"), {}},
    {"SeqPrimCol", Seq, New<CElementInfoSeqPrimCol>("m"), Ints(0), AddInts({7, 8}), Host("<m>7</m><m>8</m>"),
     {ReadFails("<m>1</m><m>2</m><m>3</m><m>4</m>", "The Maximum number of [m] elements allowed in this collection is 3")}},
    {"SeqPrimMnd", Seq, Prim<CElementInfoSeqPrimMnd>(), Int(0), Int(5), Host("<m>5</m>"),
     {WriteNil(), ReadFails("<x/>", Missing), ReadFails("", Missing)}},
    {"SeqPrimOpt", Seq, Prim<CElementInfoSeqPrimOpt>(), nullptr, Int(6), Host("<m>6</m>"), {}},
    {"SeqUntpdCol", Seq, New<CElementInfoSeqUntpdCol>("m"), Elements(), AddTexts({"t", "u"}), Host("<m>t</m><m>u</m>"),
     {}},
    {"SeqUntpdCol of any name", Seq, New<CElementInfoSeqUntpdCol>("AnyElement"), Elements(), AddTexts({"t"}),
     Host("<m>t</m>"), {}},
    {"SeqUntpdMnd", Seq, Untyped<CElementInfoSeqUntpdMnd>(), Text(""), Text("t"), Host("<m>t</m>"),
     {WriteNil(), ReadFails("", Missing),
      ReadFails("<x/>", "Failed to find the required element from namespace [urn:t].\nPath: /host")}},
    {"SeqUntpdOpt", Seq, Untyped<CElementInfoSeqUntpdOpt>(), nullptr, Text("t"), Host("<m>t</m>"), {}},
    {"SeqUntpdOpt of any name", Seq, Untyped<CElementInfoSeqUntpdOpt>("AnyElement"), nullptr, Text("t"),
     Host("<m>t</m>"), {}},
};

// What the action gives: its text, or the innermost exception as "class: message" (the driver
// wraps what the kinds throw in its own exceptions).
template <class Action>
std::string Outcome(Action && action)
{
    try
    {
        return action();
    }
    catch (CNxException const & e)
    {
        CNxException const * cause = &e;
        while (cause->GetInnerException() != nullptr)
            cause = cause->GetInnerException();
        std::type_info const & thrown = typeid(*cause);
        return (thrown == typeid(CNxInvalidParamException) ? "invalid param: "
                : thrown == typeid(CNxValidationException) ? "validation: "
                : thrown == typeid(CNxException)           ? "base: "
                                                           : thrown.name()) +
               cause->GetMessage();
    }
}

// The host of a row's member; inlined, the member's class is inlined into an owner element.
CSmartPtr<CHost> MakeHost(XmlElementGroupType group, CMakeInfo const & make, CSetMember const & init, bool inlined)
{
    if (!inlined)
        return CSmartPtr<CHost>(new CHost(group, Element, make, init));
    CSmartPtr<CHost> const inner(new CHost(group, Pseudo, make, init));
    return CSmartPtr<CHost>(new CHost(
        Seq, Element, [] { return new CElementInfoSeqClsMnd("host", Ns, 0, Pseudo, nullptr, 0, false); },
        [inner](NxVariant & value) { value.SetXmlObject(inner); }));
}

// Reads the text into a new host of the member with the options and writes it back.
std::string ReadBack(XmlElementGroupType group, CMakeInfo const & make, CSetMember const & init, bool inlined,
                     std::string const & xml, CSerializationContext const & context = CSerializationContext())
{
    CSmartPtr<CHost> const host = MakeHost(group, make, init, inlined);
    host->FromXml(xml.c_str(), context);
    return Write(*host);
}

} // namespace

TEST(ElementKinds, EveryKindWritesReadsAndFails)
{
    for (CKindCase const & row : Cases)
    {
        SCOPED_TRACE(row.kind);
        if (!row.xml.empty())
        {
            CSmartPtr<CHost> const written = MakeHost(row.group, row.make, row.init, false);
            if (row.fill)
                row.fill(written->m_value);
            EXPECT_EQ(row.xml, Write(*written));
            // Read as its own element, and inlined into an owner: the same text comes back.
            for (bool const inlined : {false, true})
                EXPECT_EQ(row.xml, ReadBack(row.group, row.make, row.init, inlined, row.xml));
        }
        for (CKindError const & error : row.errors)
        {
            CSmartPtr<CHost> const host = MakeHost(row.group, row.make, row.init, false);
            if (error.writing && error.xml.empty())
                host->m_value.Clear();
            EXPECT_EQ(error.failure, Outcome([&] {
                          if (!error.writing)
                              host->FromXml(error.xml.c_str());
                          return "no exception: " + Write(*host);
                      }));
        }
    }
}

TEST(ElementKinds, ReadingOptionsAndMembersLeftNull)
{
    // What reading a document into a kind gives: the document written back, or the innermost
    // exception as "class: message".
    struct CReadCase
    {
        char const * what;
        XmlElementGroupType group;
        bool inlined;
        CMakeInfo make;
        CSetMember init;
        CSerializationContext context;
        std::string xml;
        std::string result;
    };
    CSerializationContext skipping;
    skipping.SetIgnoreUnknownElements(true);
    CSerializationContext lenient;
    lenient.SetIgnoreMissingMandatoryElements(true);
    CSerializationContext const strict;
    std::string const nullOnReading = "invalid param: The Property [m] is mandatory, it may not be NULL";
    std::vector<CReadCase> const cases = {
        {"a missing mandatory member accepted", All, false, Prim<CElementInfoAllPrimMnd>(), Int(0), lenient, Host(""),
         Host("<m>0</m>")},
        {"a class member without required content may be missing", All, false,
         New<CElementInfoAllClsMnd>("m", Element, &CPart::Create, 0, false), Part("p"), strict, Host(""),
         Host("<m><code>p</code></m>")},
        {"foreign elements skipped before an inlined mandatory member", Seq, true, Prim<CElementInfoSeqPrimMnd>(),
         Int(0), skipping, Host("<x/><m>5</m>"), Host("<m>5</m>")},
        {"an inlined mandatory member that is not there", Seq, true, Prim<CElementInfoSeqPrimMnd>(), Int(0), strict,
         Host("<x/>"), "validation: " + Leftover("x")},
        {"an inlined class in a choice that takes nothing is taken back", Choice, false,
         New<CElementInfoChoiceClsOpt>("first", Pseudo, &MakeInlined, 0), nullptr, strict,
         "<host xmlns=\"urn:t\" flag=\"true\"><x/></host>", "validation: " + Leftover("x")},
        {"an inlined choice run below its minimum", Choice, true, New<CElementInfoChoiceCol>("m"), Ints(2), strict, Host("<m>1</m>"), "validation: " + Leftover("m")},
        {"a mandatory class member left null by its class", All, false,
         New<CElementInfoAllClsMnd>("m", Element, &CPart::Create, 0, true), nullptr, strict, Host("<m/>"),
         nullOnReading},
        {"a mandatory sequence member left null by its class", Seq, false,
         New<CElementInfoSeqClsMnd>("m", Element, &CPart::Create, 0, false), nullptr, strict, Host("<m/>"),
         nullOnReading},
        {"a mandatory wildcard left null by its class", Seq, false, Untyped<CElementInfoSeqUntpdMnd>(), nullptr, strict,
         Host("<m/>"), nullOnReading},
    };
    for (CReadCase const & row : cases)
        EXPECT_EQ(row.result, Outcome([&] { return ReadBack(row.group, row.make, row.init, row.inlined, row.xml, row.context); }))
            << row.what;

    // Only the all group asks its members at its end.
    CSmartPtr<CHost> const host = MakeHost(Seq, Prim<CElementInfoSeqPrimMnd>(), Int(1), false);
    CElementInfo const * const member = host->GetClassElementInfo()[0];
    NxXmlTest::ExpectThrows<CNxException>([&] { member->Validate(CSerializationContext(), host, false, true); },
                                          NotImplemented);
}
