// Classes bound to a small test schema (urn:t) as the code generator binds them (metadata built once
// under m_csInit, one property accessor, factories, enumeration converters), using every model group,
// content kind and cardinality. Members live in a struct whose defaults are what Init puts back.
#pragma once

#include <NxXmlLib16.h>

#include <string>

namespace TestBindings
{

using namespace NxXmlLib16;
using namespace NxXmlLib16Data;

extern char const * const Ns; // "urn:t"

// Options for compact, prefix-free output in the test namespace.
CSerializationContext Compact();
// The object as XML text without banner, declaration or indentation.
std::string Write(CXmlObjectBase const & object, CSerializationContext const & context = Compact());
// A widget with every member set, as written with the compact options.
extern std::string const FullWidgetXml;

enum Color
{
    Red,
    Green,
    Blue
};
char const * ColorToString(int value);
int ColorFromString(char const * text);
// A run of numbers in the test namespace.
Ci4Col * Numbers(char const * name, int minOccurs, int maxOccurs);

// The metadata tables of one class, built once by its Describe function.
struct CMetadata
{
    CParentElementInfo * classInfo = nullptr;
    CElementInfo ** elements = nullptr;
    CAttributeInfo ** attributes = nullptr;
};

// What every test class shares: metadata access, the namespace and Init from the members' defaults.
template <class Derived, class Members>
class CBound : public CXmlGeneratedClass, public Members
{
public:
    CXmlObjectBase * GetBase() override { return this; }
    std::string GetNamespace() const override { return Ns; }
    CParentElementInfo * GetClassInfo() override { return Tables().classInfo; }
    CElementInfo ** GetClassElementInfo() override { return Tables().elements; }
    CAttributeInfo ** GetClassAttributeInfo() override { return Tables().attributes; }
    void Init() override { static_cast<Members &>(*this) = Members(); }

protected:
    explicit CBound(char const * elementName)
    {
        CNXCriticalSection::CScopedLock const lock(m_csInit);
        if (Tables().classInfo == nullptr)
            Derived::Describe(Tables());
        SetElementName(elementName);
    }
    std::string GetTargetNamespace() const override { return Ns; }
    static CMetadata & Tables()
    {
        static CMetadata tables;
        return tables;
    }
};

// A part: one mandatory string and an optional attribute.
struct CPartMembers
{
    std::string code;
    bool hasWeight = false;
    std::int32_t weight = 0;
};
class CPart : public CBound<CPart, CPartMembers>
{
public:
    explicit CPart(char const * elementName = "part") : CBound(elementName) {}
    static void Describe(CMetadata & tables);
    static CSmartPtr<CXmlObjectBase> Create(int classId, char const * name);
    void AccessProperty(int propertyIndex, bool read, NxVariant & value) override;
};

// A collection of parts, as generated for a repeated class member.
class CPartCol : public CXmlCollection
{
public:
    CPartCol(char const * name, int minOccurs, int maxOccurs) : CXmlCollection(name, Ns, minOccurs, maxOccurs) {}
    CSmartPtr<CPart> Add(CPart * part);
    CSmartPtr<CPart> Item(int index) const;

protected:
    void ToXml_Int(CXmlWriter * writer, bool isRoot, char const * namespaceUri, CSerializationContext const & context,
                   bool flag) const override;
    CXmlElement * FromXml_Int(CXmlElement * parent, CXmlElement * child, CSerializationContext const & context,
                              bool flag) override;
};

// A nillable element with simple content (text) and an attribute.
struct CNoteMembers
{
    std::string text;
    std::string lang;
    bool nil = false;
};
class CNote : public CBound<CNote, CNoteMembers>, public INillable
{
public:
    CNote() : CBound("note") {}
    static void Describe(CMetadata & tables);
    static CSmartPtr<CXmlObjectBase> Create(int classId, char const * name);
    void AccessProperty(int propertyIndex, bool read, NxVariant & value) override;
    bool IsNil() const override { return nil; }
    void SetNil(bool value) override { nil = value; }
};

// A sequence with every cardinality of primitive, enumerated, class and untyped members, and
// primitive, enumerated and wildcard attributes.
struct CWidgetMembers
{
    std::string name;                                             // 0 SeqPrimMnd, pattern [a-z]+
    bool hasSize = false;                                         // 1 SeqPrimOpt i4, default 10
    std::int32_t size = 0;
    int color = Red;                                              // 2 SeqEnumMnd
    bool hasShade = false;                                        // 3 SeqEnumOpt
    int shade = Red;
    CSmartPtr<CPart> part{new CPart};                             // 4 SeqClsMnd
    CSmartPtr<CPart> extra;                                       // 5 SeqClsOpt
    CSmartPtr<Ci4Col> counts{Numbers("count", 0, 3)};             // 6 SeqPrimCol, 0 to 3
    CSmartPtr<CPartCol> parts{new CPartCol("part2", 0, -1)};      // 7 SeqClsCol
    bool hasRemark = false;                                       // 8 SeqPrimOpt, nillable
    bool remarkNil = false;
    std::string remark;
    CSmartPtr<CNote> note;                                        // 9 SeqClsOpt of a nillable class with simple content
    CSmartPtr<CElement> any;                                      // 10 SeqUntpdOpt, ##other
    std::int32_t id = 0;                                          // 11 attribute, required
    bool hasKind = false;                                         // 12 enumerated attribute, optional, default Green
    int kind = Green;
    CSmartPtr<CAttributeCol> others{new CAttributeCol("", "##other", Ns)}; // 13 attribute wildcard, ##other
    bool hasLabel = false;                                        // 14 optional attribute with a default, "none"
    std::string label;
};
class CWidget : public CBound<CWidget, CWidgetMembers>
{
public:
    CWidget() : CBound("widget") {}
    static void Describe(CMetadata & tables);
    void AccessProperty(int propertyIndex, bool read, NxVariant & value) override;
};

// A choice of a string, a part, a color or a run of numbers.
struct CChoiceBoxMembers
{
    bool hasText = false;                                         // 0 ChoicePrimOpt
    std::string text;
    CSmartPtr<CPart> part;                                        // 1 ChoiceClsOpt
    bool hasColor = false;                                        // 2 ChoiceEnumOpt
    int color = Red;
    CSmartPtr<Ci4Col> numbers{Numbers("number", 1, -1)};          // 3 ChoicePrimCol, 1 to unbounded
    std::string selected;
};
class CChoiceBox : public CBound<CChoiceBox, CChoiceBoxMembers>
{
public:
    CChoiceBox() : CBound("box") {}
    static void Describe(CMetadata & tables);
    void AccessProperty(int propertyIndex, bool read, NxVariant & value) override;
};

// A choice whose only member is a run of at least one number.
struct CRunBoxMembers
{
    CSmartPtr<Ci4Col> numbers{Numbers("number", 1, -1)};          // 0 ChoicePrimCol, 1 to unbounded
};
class CRunBox : public CBound<CRunBox, CRunBoxMembers>
{
public:
    CRunBox() : CBound("run") {}
    static void Describe(CMetadata & tables);
    void AccessProperty(int propertyIndex, bool read, NxVariant & value) override;
};

// An all group: any order, one mandatory member of each kind.
struct CAllBoxMembers
{
    bool hasX = false;                                            // 0 AllPrimMnd i4
    std::int32_t x = 0;
    bool hasY = false;                                            // 1 AllPrimOpt string
    std::string y;
    CSmartPtr<CPart> part;                                        // 2 AllClsOpt
    bool hasColor = false;                                        // 3 AllEnumMnd
    int color = Red;
};
class CAllBox : public CBound<CAllBox, CAllBoxMembers>
{
public:
    CAllBox() : CBound("all") {}
    static void Describe(CMetadata & tables);
    void AccessProperty(int propertyIndex, bool read, NxVariant & value) override;
};

// The base type of shapes; circles derive from it and are written under its element name with
// xsi:type.
struct CShapeMembers
{
    std::string label;
};
class CShape : public CBound<CShape, CShapeMembers>
{
public:
    CShape() : CBound("shape") {}
    static void Describe(CMetadata & tables);
    void AccessProperty(int propertyIndex, bool read, NxVariant & value) override;
    // Picks the class of an incoming shape element from its xsi:type.
    static CSmartPtr<CXmlObjectBase> Substitute(CXmlElement * element);
};

class CCircle : public CShape
{
public:
    CCircle();
    CParentElementInfo * GetClassInfo() override { return Circle().classInfo; }
    CElementInfo ** GetClassElementInfo() override { return Circle().elements; }
    CAttributeInfo ** GetClassAttributeInfo() override { return Circle().attributes; }
    void AccessProperty(int propertyIndex, bool read, NxVariant & value) override;
    void Init() override
    {
        CShape::Init();
        radius = 0;
    }

    std::int32_t radius = 0;

private:
    static CMetadata & Circle();
};

// A class whose content and attributes are inlined into the element of its owner.
struct CInlinedMembers
{
    std::string first;                                            // 0 SeqPrimMnd "first"
    bool flag = false;                                            // 1 attribute "flag"
};
class CInlined : public CBound<CInlined, CInlinedMembers>
{
public:
    CInlined() : CBound("inlined") {}
    static void Describe(CMetadata & tables);
    void AccessProperty(int propertyIndex, bool read, NxVariant & value) override;
};

// Holds a shape through a substitution factory, and a part inlined into its own element.
struct CDrawingMembers
{
    CSmartPtr<CShape> shape{new CShape};                          // 0 SeqAbsClsMnd
    CSmartPtr<CXmlObjectBase> inlined{new CInlined};              // 1 SeqClsMnd of an inlined class (pseudo element)
};
class CDrawing : public CBound<CDrawing, CDrawingMembers>
{
public:
    CDrawing() : CBound("drawing") {}
    static void Describe(CMetadata & tables);
    void AccessProperty(int propertyIndex, bool read, NxVariant & value) override;
};

// A drawing with a derived shape (xsi:type) and an inlined member.
inline CSmartPtr<CDrawing> SampleDrawing()
{
    CSmartPtr<CDrawing> drawing(new CDrawing);
    CSmartPtr<CCircle> const circle(new CCircle);
    circle->label = "round";
    circle->radius = 4;
    drawing->shape = circle;
    static_cast<CInlined *>(drawing->inlined.Get())->first = "f";
    static_cast<CInlined *>(drawing->inlined.Get())->flag = true;
    return drawing;
}

} // namespace TestBindings
