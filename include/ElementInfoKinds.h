// The 43 element descriptor kinds: model group (All, Choice, Seq) x content (AbsCls, Cls, Enum,
// Prim, Untpd) x cardinality (Col, Mnd, Opt).
#pragma once

#include "ElementInfo.h"

#include <string>

namespace NxXmlLib16Data
{

// Collection members of the all group: the collection reads and writes its run of items.
class CElementInfoAllCol : public CElementInfo
{
public:
    CElementInfoAllCol(char const * name, char const * ns, int propertyIndex);

    bool ElementToXml(CSerializationContext const & context, CXmlGeneratedClass const * object,
                      CXmlWriter * writer) const override;
    bool ElementFromXml(CSerializationContext const & context, CXmlGeneratedClass * object, CXmlElement * parent,
                        CXmlElement ** current, char const * targetNamespace, XmlElementType parentType) override;
    bool Validate(CSerializationContext const & context, CXmlGeneratedClass const * object, bool found,
                  bool checkMandatory) const override;

protected:
    // Reads the run of items into the collection; returns the first element not taken.
    virtual CXmlElement * ReadCollection(CSerializationContext const & context, CXmlGeneratedClass * object,
                                         CXmlElement * parent, CXmlElement * current);
};

// Collection members of the choice group: the collection reads and writes its run of items.
class CElementInfoChoiceCol : public CElementInfo
{
public:
    CElementInfoChoiceCol(char const * name, char const * ns, int propertyIndex);

    bool ElementToXml(CSerializationContext const & context, CXmlGeneratedClass const * object,
                      CXmlWriter * writer) const override;
    bool ElementFromXml(CSerializationContext const & context, CXmlGeneratedClass * object, CXmlElement * parent,
                        CXmlElement ** current, char const * targetNamespace, XmlElementType parentType) override;

protected:
    // Reads the run of items into the collection; returns the first element not taken.
    virtual CXmlElement * ReadCollection(CSerializationContext const & context, CXmlGeneratedClass * object,
                                         CXmlElement * parent, CXmlElement * current);
};

// Collection members of the seq group: the collection reads and writes its run of items.
class CElementInfoSeqCol : public CElementInfo
{
public:
    CElementInfoSeqCol(char const * name, char const * ns, int propertyIndex);

    bool ElementToXml(CSerializationContext const & context, CXmlGeneratedClass const * object,
                      CXmlWriter * writer) const override;
    bool ElementFromXml(CSerializationContext const & context, CXmlGeneratedClass * object, CXmlElement * parent,
                        CXmlElement ** current, char const * targetNamespace, XmlElementType parentType) override;

protected:
    // Reads the run of items into the collection; returns the first element not taken.
    virtual CXmlElement * ReadCollection(CSerializationContext const & context, CXmlGeneratedClass * object,
                                         CXmlElement * parent, CXmlElement * current);
};

// A collection AbsCls member of the all group.
class CElementInfoAllAbsClsCol : public CElementInfoAllCol
{
public:
    CElementInfoAllAbsClsCol(char const * name, char const * ns, int propertyIndex, XmlElementType elementType);
    void PseudoChildAttributeToXml(CSerializationContext const & context, CXmlGeneratedClass const * object,
                                   CXmlWriter * writer) const override;

private:
    XmlElementType m_elementType;
};

// A mandatory AbsCls member of the all group.
class CElementInfoAllAbsClsMnd : public CElementInfo
{
public:
    CElementInfoAllAbsClsMnd(char const * name, char const * ns, int propertyIndex, XmlElementType elementType, SubstitutionFactoryFn factory, int classId);

    bool ElementToXml(CSerializationContext const & context, CXmlGeneratedClass const * object,
                      CXmlWriter * writer) const override;
    bool ElementFromXml(CSerializationContext const & context, CXmlGeneratedClass * object, CXmlElement * parent,
                        CXmlElement ** current, char const * targetNamespace, XmlElementType parentType) override;
    bool Validate(CSerializationContext const & context, CXmlGeneratedClass const * object, bool found,
                  bool checkMandatory) const override;
    void PseudoChildAttributeToXml(CSerializationContext const & context, CXmlGeneratedClass const * object,
                                   CXmlWriter * writer) const override;

private:
    XmlElementType m_elementType;
    SubstitutionFactoryFn m_factory;
    int m_classId;
};

// A optional AbsCls member of the all group.
class CElementInfoAllAbsClsOpt : public CElementInfo
{
public:
    CElementInfoAllAbsClsOpt(char const * name, char const * ns, int propertyIndex, XmlElementType elementType, SubstitutionFactoryFn factory);

    bool ElementToXml(CSerializationContext const & context, CXmlGeneratedClass const * object,
                      CXmlWriter * writer) const override;
    bool ElementFromXml(CSerializationContext const & context, CXmlGeneratedClass * object, CXmlElement * parent,
                        CXmlElement ** current, char const * targetNamespace, XmlElementType parentType) override;
    bool Validate(CSerializationContext const & context, CXmlGeneratedClass const * object, bool found,
                  bool checkMandatory) const override;
    void PseudoChildAttributeToXml(CSerializationContext const & context, CXmlGeneratedClass const * object,
                                   CXmlWriter * writer) const override;

private:
    XmlElementType m_elementType;
    SubstitutionFactoryFn m_factory;
};

// A collection Cls member of the all group.
class CElementInfoAllClsCol : public CElementInfoAllCol
{
public:
    CElementInfoAllClsCol(char const * name, char const * ns, int propertyIndex, XmlElementType elementType);
    void PseudoChildAttributeToXml(CSerializationContext const & context, CXmlGeneratedClass const * object,
                                   CXmlWriter * writer) const override;

private:
    XmlElementType m_elementType;
};

// A mandatory Cls member of the all group.
class CElementInfoAllClsMnd : public CElementInfo
{
public:
    CElementInfoAllClsMnd(char const * name, char const * ns, int propertyIndex, XmlElementType elementType, ClassFactoryFn factory, int classId, bool contentRequired);

    bool ElementToXml(CSerializationContext const & context, CXmlGeneratedClass const * object,
                      CXmlWriter * writer) const override;
    bool ElementFromXml(CSerializationContext const & context, CXmlGeneratedClass * object, CXmlElement * parent,
                        CXmlElement ** current, char const * targetNamespace, XmlElementType parentType) override;
    bool Validate(CSerializationContext const & context, CXmlGeneratedClass const * object, bool found,
                  bool checkMandatory) const override;
    void PseudoChildAttributeToXml(CSerializationContext const & context, CXmlGeneratedClass const * object,
                                   CXmlWriter * writer) const override;

private:
    XmlElementType m_elementType;
    ClassFactoryFn m_factory;
    int m_classId;
    bool m_contentRequired;
};

// A optional Cls member of the all group.
class CElementInfoAllClsOpt : public CElementInfo
{
public:
    CElementInfoAllClsOpt(char const * name, char const * ns, int propertyIndex, XmlElementType elementType, ClassFactoryFn factory, int classId);

    bool ElementToXml(CSerializationContext const & context, CXmlGeneratedClass const * object,
                      CXmlWriter * writer) const override;
    bool ElementFromXml(CSerializationContext const & context, CXmlGeneratedClass * object, CXmlElement * parent,
                        CXmlElement ** current, char const * targetNamespace, XmlElementType parentType) override;
    bool Validate(CSerializationContext const & context, CXmlGeneratedClass const * object, bool found,
                  bool checkMandatory) const override;
    void PseudoChildAttributeToXml(CSerializationContext const & context, CXmlGeneratedClass const * object,
                                   CXmlWriter * writer) const override;

private:
    XmlElementType m_elementType;
    ClassFactoryFn m_factory;
    int m_classId;
};

// A collection Enum member of the all group.
class CElementInfoAllEnumCol : public CElementInfo
{
public:
    CElementInfoAllEnumCol(char const * name, char const * ns, int propertyIndex);

    // Repeated members are not allowed in an all group: these throw.
    bool ElementToXml(CSerializationContext const & context, CXmlGeneratedClass const * object,
                      CXmlWriter * writer) const override;
    bool ElementFromXml(CSerializationContext const & context, CXmlGeneratedClass * object, CXmlElement * parent,
                        CXmlElement ** current, char const * targetNamespace, XmlElementType parentType) override;
};

// A mandatory Enum member of the all group.
class CElementInfoAllEnumMnd : public CElementInfo
{
public:
    CElementInfoAllEnumMnd(char const * name, char const * ns, int propertyIndex, bool nillable, EnumToStringFn enumToString, StringToEnumFn stringToEnum, char const * defaultValue);

    bool ElementToXml(CSerializationContext const & context, CXmlGeneratedClass const * object,
                      CXmlWriter * writer) const override;
    bool ElementFromXml(CSerializationContext const & context, CXmlGeneratedClass * object, CXmlElement * parent,
                        CXmlElement ** current, char const * targetNamespace, XmlElementType parentType) override;
    bool Validate(CSerializationContext const & context, CXmlGeneratedClass const * object, bool found,
                  bool checkMandatory) const override;
};

// A optional Enum member of the all group.
class CElementInfoAllEnumOpt : public CElementInfo
{
public:
    CElementInfoAllEnumOpt(char const * name, char const * ns, int propertyIndex, bool nillable, EnumToStringFn enumToString, StringToEnumFn stringToEnum, char const * defaultValue);

    bool ElementToXml(CSerializationContext const & context, CXmlGeneratedClass const * object,
                      CXmlWriter * writer) const override;
    bool ElementFromXml(CSerializationContext const & context, CXmlGeneratedClass * object, CXmlElement * parent,
                        CXmlElement ** current, char const * targetNamespace, XmlElementType parentType) override;
    bool Validate(CSerializationContext const & context, CXmlGeneratedClass const * object, bool found,
                  bool checkMandatory) const override;
};

// A collection Prim member of the all group.
class CElementInfoAllPrimCol : public CElementInfoAllCol
{
public:
    CElementInfoAllPrimCol(char const * name, char const * ns, int propertyIndex);
};

// A mandatory Prim member of the all group.
class CElementInfoAllPrimMnd : public CElementInfo
{
public:
    CElementInfoAllPrimMnd(char const * name, char const * ns, int propertyIndex, bool nillable, ItemType itemType, char const * formatOverride, WhitespaceRule whitespace,
        CPrimitiveRestrictions const & restrictions, char const * defaultValue);

    bool ElementToXml(CSerializationContext const & context, CXmlGeneratedClass const * object,
                      CXmlWriter * writer) const override;
    bool ElementFromXml(CSerializationContext const & context, CXmlGeneratedClass * object, CXmlElement * parent,
                        CXmlElement ** current, char const * targetNamespace, XmlElementType parentType) override;
    bool Validate(CSerializationContext const & context, CXmlGeneratedClass const * object, bool found,
                  bool checkMandatory) const override;
};

// A optional Prim member of the all group.
class CElementInfoAllPrimOpt : public CElementInfo
{
public:
    CElementInfoAllPrimOpt(char const * name, char const * ns, int propertyIndex, bool nillable, ItemType itemType, char const * formatOverride, WhitespaceRule whitespace,
        CPrimitiveRestrictions const & restrictions, char const * defaultValue);

    bool ElementToXml(CSerializationContext const & context, CXmlGeneratedClass const * object,
                      CXmlWriter * writer) const override;
    bool ElementFromXml(CSerializationContext const & context, CXmlGeneratedClass * object, CXmlElement * parent,
                        CXmlElement ** current, char const * targetNamespace, XmlElementType parentType) override;
    bool Validate(CSerializationContext const & context, CXmlGeneratedClass const * object, bool found,
                  bool checkMandatory) const override;
};

// A collection Untpd member of the all group.
class CElementInfoAllUntpdCol : public CElementInfoAllCol
{
public:
    CElementInfoAllUntpdCol(char const * name, char const * ns, int propertyIndex);

protected:
    CXmlElement * ReadCollection(CSerializationContext const & context, CXmlGeneratedClass * object,
                                 CXmlElement * parent, CXmlElement * current) override;
};

// A mandatory Untpd member of the all group.
class CElementInfoAllUntpdMnd : public CElementInfo
{
public:
    CElementInfoAllUntpdMnd(char const * name, char const * ns, int propertyIndex, char const * nsConstraint, char const * declaredNamespace);

    bool ElementToXml(CSerializationContext const & context, CXmlGeneratedClass const * object,
                      CXmlWriter * writer) const override;
    bool ElementFromXml(CSerializationContext const & context, CXmlGeneratedClass * object, CXmlElement * parent,
                        CXmlElement ** current, char const * targetNamespace, XmlElementType parentType) override;
    bool Validate(CSerializationContext const & context, CXmlGeneratedClass const * object, bool found,
                  bool checkMandatory) const override;

private:
    std::string m_nsConstraint;
    std::string m_declaredNamespace;
};

// A optional Untpd member of the all group.
class CElementInfoAllUntpdOpt : public CElementInfo
{
public:
    CElementInfoAllUntpdOpt(char const * name, char const * ns, int propertyIndex, char const * nsConstraint, char const * declaredNamespace);

    bool ElementToXml(CSerializationContext const & context, CXmlGeneratedClass const * object,
                      CXmlWriter * writer) const override;
    bool ElementFromXml(CSerializationContext const & context, CXmlGeneratedClass * object, CXmlElement * parent,
                        CXmlElement ** current, char const * targetNamespace, XmlElementType parentType) override;
    bool Validate(CSerializationContext const & context, CXmlGeneratedClass const * object, bool found,
                  bool checkMandatory) const override;

private:
    std::string m_nsConstraint;
    std::string m_declaredNamespace;
};

// A collection AbsCls member of the choice group.
class CElementInfoChoiceAbsClsCol : public CElementInfoChoiceCol
{
public:
    CElementInfoChoiceAbsClsCol(char const * name, char const * ns, int propertyIndex, XmlElementType elementType);
    void PseudoChildAttributeToXml(CSerializationContext const & context, CXmlGeneratedClass const * object,
                                   CXmlWriter * writer) const override;

private:
    XmlElementType m_elementType;
};

// A optional AbsCls member of the choice group.
class CElementInfoChoiceAbsClsOpt : public CElementInfo
{
public:
    CElementInfoChoiceAbsClsOpt(char const * name, char const * ns, int propertyIndex, XmlElementType elementType, SubstitutionFactoryFn factory);

    bool ElementToXml(CSerializationContext const & context, CXmlGeneratedClass const * object,
                      CXmlWriter * writer) const override;
    bool ElementFromXml(CSerializationContext const & context, CXmlGeneratedClass * object, CXmlElement * parent,
                        CXmlElement ** current, char const * targetNamespace, XmlElementType parentType) override;
    void PseudoChildAttributeToXml(CSerializationContext const & context, CXmlGeneratedClass const * object,
                                   CXmlWriter * writer) const override;

private:
    XmlElementType m_elementType;
    SubstitutionFactoryFn m_factory;
};

// A collection Cls member of the choice group.
class CElementInfoChoiceClsCol : public CElementInfoChoiceCol
{
public:
    CElementInfoChoiceClsCol(char const * name, char const * ns, int propertyIndex, XmlElementType elementType);
    void PseudoChildAttributeToXml(CSerializationContext const & context, CXmlGeneratedClass const * object,
                                   CXmlWriter * writer) const override;

private:
    XmlElementType m_elementType;
};

// A optional Cls member of the choice group.
class CElementInfoChoiceClsOpt : public CElementInfo
{
public:
    CElementInfoChoiceClsOpt(char const * name, char const * ns, int propertyIndex, XmlElementType elementType, ClassFactoryFn factory, int classId);

    bool ElementToXml(CSerializationContext const & context, CXmlGeneratedClass const * object,
                      CXmlWriter * writer) const override;
    bool ElementFromXml(CSerializationContext const & context, CXmlGeneratedClass * object, CXmlElement * parent,
                        CXmlElement ** current, char const * targetNamespace, XmlElementType parentType) override;
    void PseudoChildAttributeToXml(CSerializationContext const & context, CXmlGeneratedClass const * object,
                                   CXmlWriter * writer) const override;

private:
    XmlElementType m_elementType;
    ClassFactoryFn m_factory;
    int m_classId;
};

// A collection Enum member of the choice group.
class CElementInfoChoiceEnumCol : public CElementInfoChoiceCol
{
public:
    CElementInfoChoiceEnumCol(char const * name, char const * ns, int propertyIndex);
};

// A optional Enum member of the choice group.
class CElementInfoChoiceEnumOpt : public CElementInfo
{
public:
    CElementInfoChoiceEnumOpt(char const * name, char const * ns, int propertyIndex, bool nillable, EnumToStringFn enumToString, StringToEnumFn stringToEnum, char const * defaultValue);

    bool ElementToXml(CSerializationContext const & context, CXmlGeneratedClass const * object,
                      CXmlWriter * writer) const override;
    bool ElementFromXml(CSerializationContext const & context, CXmlGeneratedClass * object, CXmlElement * parent,
                        CXmlElement ** current, char const * targetNamespace, XmlElementType parentType) override;
};

// A collection Prim member of the choice group.
class CElementInfoChoicePrimCol : public CElementInfoChoiceCol
{
public:
    CElementInfoChoicePrimCol(char const * name, char const * ns, int propertyIndex);
};

// A optional Prim member of the choice group.
class CElementInfoChoicePrimOpt : public CElementInfo
{
public:
    CElementInfoChoicePrimOpt(char const * name, char const * ns, int propertyIndex, bool nillable, ItemType itemType, char const * formatOverride, WhitespaceRule whitespace,
        CPrimitiveRestrictions const & restrictions, char const * defaultValue);

    bool ElementToXml(CSerializationContext const & context, CXmlGeneratedClass const * object,
                      CXmlWriter * writer) const override;
    bool ElementFromXml(CSerializationContext const & context, CXmlGeneratedClass * object, CXmlElement * parent,
                        CXmlElement ** current, char const * targetNamespace, XmlElementType parentType) override;
};

// A collection Untpd member of the choice group.
class CElementInfoChoiceUntpdCol : public CElementInfoChoiceCol
{
public:
    CElementInfoChoiceUntpdCol(char const * name, char const * ns, int propertyIndex);

protected:
    CXmlElement * ReadCollection(CSerializationContext const & context, CXmlGeneratedClass * object,
                                 CXmlElement * parent, CXmlElement * current) override;
};

// A optional Untpd member of the choice group.
class CElementInfoChoiceUntpdOpt : public CElementInfo
{
public:
    CElementInfoChoiceUntpdOpt(char const * name, char const * ns, int propertyIndex, char const * nsConstraint, char const * declaredNamespace);

    bool ElementToXml(CSerializationContext const & context, CXmlGeneratedClass const * object,
                      CXmlWriter * writer) const override;
    bool ElementFromXml(CSerializationContext const & context, CXmlGeneratedClass * object, CXmlElement * parent,
                        CXmlElement ** current, char const * targetNamespace, XmlElementType parentType) override;

private:
    std::string m_nsConstraint;
    std::string m_declaredNamespace;
};

// A collection AbsCls member of the seq group.
class CElementInfoSeqAbsClsCol : public CElementInfoSeqCol
{
public:
    CElementInfoSeqAbsClsCol(char const * name, char const * ns, int propertyIndex, XmlElementType elementType);
    void PseudoChildAttributeToXml(CSerializationContext const & context, CXmlGeneratedClass const * object,
                                   CXmlWriter * writer) const override;

private:
    XmlElementType m_elementType;
};

// A mandatory AbsCls member of the seq group.
class CElementInfoSeqAbsClsMnd : public CElementInfo
{
public:
    CElementInfoSeqAbsClsMnd(char const * name, char const * ns, int propertyIndex, XmlElementType elementType, SubstitutionFactoryFn factory);

    bool ElementToXml(CSerializationContext const & context, CXmlGeneratedClass const * object,
                      CXmlWriter * writer) const override;
    bool ElementFromXml(CSerializationContext const & context, CXmlGeneratedClass * object, CXmlElement * parent,
                        CXmlElement ** current, char const * targetNamespace, XmlElementType parentType) override;
    void PseudoChildAttributeToXml(CSerializationContext const & context, CXmlGeneratedClass const * object,
                                   CXmlWriter * writer) const override;

private:
    XmlElementType m_elementType;
    SubstitutionFactoryFn m_factory;
};

// A optional AbsCls member of the seq group.
class CElementInfoSeqAbsClsOpt : public CElementInfo
{
public:
    CElementInfoSeqAbsClsOpt(char const * name, char const * ns, int propertyIndex, XmlElementType elementType, SubstitutionFactoryFn factory);

    bool ElementToXml(CSerializationContext const & context, CXmlGeneratedClass const * object,
                      CXmlWriter * writer) const override;
    bool ElementFromXml(CSerializationContext const & context, CXmlGeneratedClass * object, CXmlElement * parent,
                        CXmlElement ** current, char const * targetNamespace, XmlElementType parentType) override;
    void PseudoChildAttributeToXml(CSerializationContext const & context, CXmlGeneratedClass const * object,
                                   CXmlWriter * writer) const override;

private:
    XmlElementType m_elementType;
    SubstitutionFactoryFn m_factory;
};

// A collection Cls member of the seq group.
class CElementInfoSeqClsCol : public CElementInfoSeqCol
{
public:
    CElementInfoSeqClsCol(char const * name, char const * ns, int propertyIndex, XmlElementType elementType);
    void PseudoChildAttributeToXml(CSerializationContext const & context, CXmlGeneratedClass const * object,
                                   CXmlWriter * writer) const override;

private:
    XmlElementType m_elementType;
};

// A mandatory Cls member of the seq group.
class CElementInfoSeqClsMnd : public CElementInfo
{
public:
    CElementInfoSeqClsMnd(char const * name, char const * ns, int propertyIndex, XmlElementType elementType, ClassFactoryFn factory, int classId, bool contentRequired);

    bool ElementToXml(CSerializationContext const & context, CXmlGeneratedClass const * object,
                      CXmlWriter * writer) const override;
    bool ElementFromXml(CSerializationContext const & context, CXmlGeneratedClass * object, CXmlElement * parent,
                        CXmlElement ** current, char const * targetNamespace, XmlElementType parentType) override;
    void PseudoChildAttributeToXml(CSerializationContext const & context, CXmlGeneratedClass const * object,
                                   CXmlWriter * writer) const override;

private:
    XmlElementType m_elementType;
    bool m_contentRequired;
    ClassFactoryFn m_factory;
    int m_classId;
};

// A optional Cls member of the seq group.
class CElementInfoSeqClsOpt : public CElementInfo
{
public:
    CElementInfoSeqClsOpt(char const * name, char const * ns, int propertyIndex, XmlElementType elementType, ClassFactoryFn factory, int classId);

    bool ElementToXml(CSerializationContext const & context, CXmlGeneratedClass const * object,
                      CXmlWriter * writer) const override;
    bool ElementFromXml(CSerializationContext const & context, CXmlGeneratedClass * object, CXmlElement * parent,
                        CXmlElement ** current, char const * targetNamespace, XmlElementType parentType) override;
    void PseudoChildAttributeToXml(CSerializationContext const & context, CXmlGeneratedClass const * object,
                                   CXmlWriter * writer) const override;

private:
    XmlElementType m_elementType;
    ClassFactoryFn m_factory;
    int m_classId;
};

// A collection Enum member of the seq group.
class CElementInfoSeqEnumCol : public CElementInfoSeqCol
{
public:
    CElementInfoSeqEnumCol(char const * name, char const * ns, int propertyIndex);
};

// A mandatory Enum member of the seq group.
class CElementInfoSeqEnumMnd : public CElementInfo
{
public:
    CElementInfoSeqEnumMnd(char const * name, char const * ns, int propertyIndex, bool nillable, EnumToStringFn enumToString, StringToEnumFn stringToEnum, char const * defaultValue);

    bool ElementToXml(CSerializationContext const & context, CXmlGeneratedClass const * object,
                      CXmlWriter * writer) const override;
    bool ElementFromXml(CSerializationContext const & context, CXmlGeneratedClass * object, CXmlElement * parent,
                        CXmlElement ** current, char const * targetNamespace, XmlElementType parentType) override;
};

// A optional Enum member of the seq group.
class CElementInfoSeqEnumOpt : public CElementInfo
{
public:
    CElementInfoSeqEnumOpt(char const * name, char const * ns, int propertyIndex, bool nillable, EnumToStringFn enumToString, StringToEnumFn stringToEnum, char const * defaultValue);

    bool ElementToXml(CSerializationContext const & context, CXmlGeneratedClass const * object,
                      CXmlWriter * writer) const override;
    bool ElementFromXml(CSerializationContext const & context, CXmlGeneratedClass * object, CXmlElement * parent,
                        CXmlElement ** current, char const * targetNamespace, XmlElementType parentType) override;
};

// A collection Prim member of the seq group.
class CElementInfoSeqPrimCol : public CElementInfoSeqCol
{
public:
    CElementInfoSeqPrimCol(char const * name, char const * ns, int propertyIndex);
};

// A mandatory Prim member of the seq group.
class CElementInfoSeqPrimMnd : public CElementInfo
{
public:
    CElementInfoSeqPrimMnd(char const * name, char const * ns, int propertyIndex, bool nillable, ItemType itemType, char const * formatOverride, WhitespaceRule whitespace,
        CPrimitiveRestrictions const & restrictions, char const * defaultValue);

    bool ElementToXml(CSerializationContext const & context, CXmlGeneratedClass const * object,
                      CXmlWriter * writer) const override;
    bool ElementFromXml(CSerializationContext const & context, CXmlGeneratedClass * object, CXmlElement * parent,
                        CXmlElement ** current, char const * targetNamespace, XmlElementType parentType) override;
};

// A optional Prim member of the seq group.
class CElementInfoSeqPrimOpt : public CElementInfo
{
public:
    CElementInfoSeqPrimOpt(char const * name, char const * ns, int propertyIndex, bool nillable, ItemType itemType, char const * formatOverride, WhitespaceRule whitespace,
        CPrimitiveRestrictions const & restrictions, char const * defaultValue);

    bool ElementToXml(CSerializationContext const & context, CXmlGeneratedClass const * object,
                      CXmlWriter * writer) const override;
    bool ElementFromXml(CSerializationContext const & context, CXmlGeneratedClass * object, CXmlElement * parent,
                        CXmlElement ** current, char const * targetNamespace, XmlElementType parentType) override;
};

// A collection Untpd member of the seq group.
class CElementInfoSeqUntpdCol : public CElementInfoSeqCol
{
public:
    CElementInfoSeqUntpdCol(char const * name, char const * ns, int propertyIndex);

protected:
    CXmlElement * ReadCollection(CSerializationContext const & context, CXmlGeneratedClass * object,
                                 CXmlElement * parent, CXmlElement * current) override;
};

// A mandatory Untpd member of the seq group.
class CElementInfoSeqUntpdMnd : public CElementInfo
{
public:
    CElementInfoSeqUntpdMnd(char const * name, char const * ns, int propertyIndex, char const * nsConstraint, char const * declaredNamespace);

    bool ElementToXml(CSerializationContext const & context, CXmlGeneratedClass const * object,
                      CXmlWriter * writer) const override;
    bool ElementFromXml(CSerializationContext const & context, CXmlGeneratedClass * object, CXmlElement * parent,
                        CXmlElement ** current, char const * targetNamespace, XmlElementType parentType) override;

private:
    std::string m_nsConstraint;
    std::string m_declaredNamespace;
};

// A optional Untpd member of the seq group.
class CElementInfoSeqUntpdOpt : public CElementInfo
{
public:
    CElementInfoSeqUntpdOpt(char const * name, char const * ns, int propertyIndex, char const * nsConstraint, char const * declaredNamespace);

    bool ElementToXml(CSerializationContext const & context, CXmlGeneratedClass const * object,
                      CXmlWriter * writer) const override;
    bool ElementFromXml(CSerializationContext const & context, CXmlGeneratedClass * object, CXmlElement * parent,
                        CXmlElement ** current, char const * targetNamespace, XmlElementType parentType) override;

private:
    std::string m_nsConstraint;
    std::string m_declaredNamespace;
};

} // namespace NxXmlLib16Data
