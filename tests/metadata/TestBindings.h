// Classes bound to a small test schema (urn:t), written the way the code generator writes them:
// static metadata built once under m_csInit, one property accessor, factories and enumeration
// converters. Between them they use every model group, content kind and cardinality.
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

// The metadata tables of one class, built once by its Describe function.
struct CMetadata
{
    CParentElementInfo * classInfo = nullptr;
    CElementInfo ** elements = nullptr;
    CAttributeInfo ** attributes = nullptr;
};

// What every test class shares: metadata access and the namespace.
template <class Derived>
class CBound : public CXmlGeneratedClass
{
public:
    CXmlObjectBase * GetBase() override { return this; }
    std::string GetNamespace() const override { return Ns; }
    CParentElementInfo * GetClassInfo() override { return Tables().classInfo; }
    CElementInfo ** GetClassElementInfo() override { return Tables().elements; }
    CAttributeInfo ** GetClassAttributeInfo() override { return Tables().attributes; }
    static void CleanMetaData()
    {
        CXmlGeneratedClass::CleanMetaData(Tables().classInfo, Tables().elements, Tables().attributes);
    }

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
class CPart : public CBound<CPart>
{
public:
    explicit CPart(char const * elementName = "part") : CBound(elementName) { Init(); }
    static void Describe(CMetadata & tables);
    static CSmartPtr<CXmlObjectBase> Create(int classId, char const * name);
    void AccessProperty(int propertyIndex, bool read, NxVariant & value) override;
    void Init() override
    {
        code.clear();
        hasWeight = false;
        weight = 0;
    }

    std::string code;
    bool hasWeight = false;
    std::int32_t weight = 0;
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
class CNote : public CBound<CNote>, public INillable
{
public:
    CNote() : CBound("note") { Init(); }
    static void Describe(CMetadata & tables);
    static CSmartPtr<CXmlObjectBase> Create(int classId, char const * name);
    void AccessProperty(int propertyIndex, bool read, NxVariant & value) override;
    void Init() override
    {
        text.clear();
        lang.clear();
        nil = false;
    }
    bool IsNil() const override { return nil; }
    void SetNil(bool value) override { nil = value; }

    std::string text;
    std::string lang;
    bool nil = false;
};

// A sequence with every cardinality of primitive, enumerated, class and untyped members, and
// primitive, enumerated and wildcard attributes.
class CWidget : public CBound<CWidget>
{
public:
    CWidget();
    static void Describe(CMetadata & tables);
    void AccessProperty(int propertyIndex, bool read, NxVariant & value) override;
    void Init() override;

    std::string name;                   // 0 SeqPrimMnd, pattern [a-z]+
    bool hasSize = false;               // 1 SeqPrimOpt i4, default 10
    std::int32_t size = 0;
    int color = Red;                    // 2 SeqEnumMnd
    bool hasShade = false;              // 3 SeqEnumOpt
    int shade = Red;
    CSmartPtr<CPart> part;              // 4 SeqClsMnd
    CSmartPtr<CPart> extra;             // 5 SeqClsOpt
    CSmartPtr<Ci4Col> counts;           // 6 SeqPrimCol, 0 to 3
    CSmartPtr<CPartCol> parts;          // 7 SeqClsCol
    bool hasRemark = false;             // 8 SeqPrimOpt, nillable
    bool remarkNil = false;
    std::string remark;
    CSmartPtr<CNote> note;              // 9 SeqClsOpt of a nillable class with simple content
    CSmartPtr<CElement> any;            // 10 SeqUntpdOpt, ##other
    std::int32_t id = 0;                // 11 attribute, required
    bool hasKind = false;               // 12 enumerated attribute, optional, default Green
    int kind = Green;
    CSmartPtr<CAttributeCol> others;    // 13 attribute wildcard, ##other
    bool hasLabel = false;              // 14 optional attribute with a default, "none"
    std::string label;
};

// A choice of a string, a part, a color or a run of numbers.
class CChoiceBox : public CBound<CChoiceBox>
{
public:
    CChoiceBox();
    static void Describe(CMetadata & tables);
    void AccessProperty(int propertyIndex, bool read, NxVariant & value) override;
    void Init() override;

    bool hasText = false;               // 0 ChoicePrimOpt
    std::string text;
    CSmartPtr<CPart> part;              // 1 ChoiceClsOpt
    bool hasColor = false;              // 2 ChoiceEnumOpt
    int color = Red;
    CSmartPtr<Ci4Col> numbers;          // 3 ChoicePrimCol, 1 to unbounded
    std::string selected;
};

// A choice whose only member is a run of at least one number.
class CRunBox : public CBound<CRunBox>
{
public:
    CRunBox();
    static void Describe(CMetadata & tables);
    void AccessProperty(int propertyIndex, bool read, NxVariant & value) override;
    void Init() override;

    CSmartPtr<Ci4Col> numbers;          // 0 ChoicePrimCol, 1 to unbounded
};

// An all group: any order, one mandatory member of each kind.
class CAllBox : public CBound<CAllBox>
{
public:
    CAllBox();
    static void Describe(CMetadata & tables);
    void AccessProperty(int propertyIndex, bool read, NxVariant & value) override;
    void Init() override;

    bool hasX = false;                  // 0 AllPrimMnd i4
    std::int32_t x = 0;
    bool hasY = false;                  // 1 AllPrimOpt string
    std::string y;
    CSmartPtr<CPart> part;              // 2 AllClsOpt
    bool hasColor = false;              // 3 AllEnumMnd
    int color = Red;
};

// The base type of shapes; circles and squares derive from it and are written under its
// element name with xsi:type.
class CShape : public CBound<CShape>
{
public:
    CShape() : CShape("shape") {}
    static void Describe(CMetadata & tables);
    void AccessProperty(int propertyIndex, bool read, NxVariant & value) override;
    void Init() override { label.clear(); }
    // Picks the class of an incoming shape element from its xsi:type.
    static CSmartPtr<CXmlObjectBase> Substitute(CXmlElement * element);

    std::string label;

protected:
    explicit CShape(char const * elementName) : CBound(elementName) { Init(); }
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
    static void CleanCircleMetaData();

    std::int32_t radius = 0;

private:
    static CMetadata & Circle();
};

// Holds a shape through a substitution factory, and a part inlined into its own element.
class CDrawing : public CBound<CDrawing>
{
public:
    CDrawing();
    static void Describe(CMetadata & tables);
    void AccessProperty(int propertyIndex, bool read, NxVariant & value) override;
    void Init() override;

    CSmartPtr<CShape> shape;            // 0 SeqAbsClsMnd
    CSmartPtr<CXmlObjectBase> inlined;  // 1 SeqClsMnd of an inlined class (pseudo element)
};

// A class whose content and attributes are inlined into the element of its owner.
class CInlined : public CBound<CInlined>
{
public:
    CInlined() : CBound("inlined") { Init(); }
    static void Describe(CMetadata & tables);
    void AccessProperty(int propertyIndex, bool read, NxVariant & value) override;
    void Init() override
    {
        first.clear();
        flag = false;
    }

    std::string first;                  // 0 SeqPrimMnd "first"
    bool flag = false;                  // 1 attribute "flag"
};

} // namespace TestBindings
