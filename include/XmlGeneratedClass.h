// CXmlGeneratedClass: the base of generated classes, the driver that writes and reads them
// through their metadata.
#pragma once

#include "NXCriticalSection.h"
#include "XmlObjectBase.h"

#include <string>

namespace NxXmlLib16Data
{
class CParentElementInfo;
class CElementInfo;
class CAttributeInfo;
} // namespace NxXmlLib16Data

namespace NxXmlLib16
{

struct NxVariant;

// A class emitted by the code generator: it supplies metadata tables and one property
// accessor, and this base writes and reads it in schema order.
class CXmlGeneratedClass : public CXmlObjectBase
{
public:
    // Serialises the first construction of every class's metadata.
    static CNXCriticalSection m_csInit;
    // Deletes a class's metadata and nulls the three pointers.
    static void CleanMetaData(NxXmlLib16Data::CParentElementInfo *& classInfo,
                              NxXmlLib16Data::CElementInfo **& elementInfo,
                              NxXmlLib16Data::CAttributeInfo **& attributeInfo);

    // Reads a member through the accessor on a const object.
    void ReadProperty(int propertyIndex, NxVariant & value) const;
    // Whether one of the members recognises the element by name.
    bool IsElementInList(CSerializationContext const & context, CXmlElement * element) const;
    // Whether the class has an optional choice member, or a choice collection that may be empty.
    bool DoesElementContainOptionalElements() const;

protected:
    CXmlGeneratedClass() = default;
    CXmlGeneratedClass(CXmlGeneratedClass const &) = default;
    CXmlGeneratedClass & operator=(CXmlGeneratedClass const &) = default;
    ~CXmlGeneratedClass() override;

    // Writes xsi:type when a derived type stands under its base's name, then the attributes.
    void AttributesToXml_Int(CXmlWriter * writer, CSerializationContext const & context) const override;
    // Writes the object as an element (or inline), in the order of its model group.
    void ToXml_Int(CXmlWriter * writer, bool isRoot, char const * namespaceUri, CSerializationContext const & context,
                   bool emptyChoiceAllowed) const override;
    // Resets the object and reads it from the element; returns the first child not consumed.
    CXmlElement * FromXml_Int(CXmlElement * element, CXmlElement * child, CSerializationContext const & context,
                              bool emptyChoiceAllowed) override;

public:
    // Generated: reads (read true) or writes the member with the property index.
    virtual void AccessProperty(int propertyIndex, bool read, NxVariant & value) = 0;
    // Generated: the class descriptor and the null-terminated member and attribute descriptors.
    virtual NxXmlLib16Data::CParentElementInfo * GetClassInfo() = 0;
    virtual NxXmlLib16Data::CElementInfo ** GetClassElementInfo() = 0;
    virtual NxXmlLib16Data::CAttributeInfo ** GetClassAttributeInfo() = 0;
    // Generated: puts every member back to its initial state.
    virtual void Init() = 0;

private:
    // The metadata of a const object (the accessors are not const in generated code).
    NxXmlLib16Data::CParentElementInfo * ClassInfo() const;
    NxXmlLib16Data::CElementInfo ** ElementInfo() const;
    NxXmlLib16Data::CAttributeInfo ** AttributeInfo() const;
    int GetClassElementInfoCount() const;

    void WriteContent(CXmlWriter * writer, CSerializationContext const & context, bool emptyChoiceAllowed) const;
    void ProcessAttributesFromXml(CSerializationContext const & context, CXmlElement * element, bool failIfUnknown);
    CXmlElement * ProcessElementSeqFromXml(CSerializationContext const & context, CXmlElement * parent,
                                           CXmlElement * child, int elementType);
    CXmlElement * ProcessElementChoiceFromXml(CSerializationContext const & context, CXmlElement * parent,
                                              CXmlElement * child, int elementType, bool emptyChoiceAllowed);
    CXmlElement * ProcessElementAllFromXml(CSerializationContext const & context, CXmlElement * parent,
                                           CXmlElement * child, int elementType);
    [[noreturn]] void ThrowLeftOver(CXmlElement * parent, CXmlElement * child) const;
};

} // namespace NxXmlLib16
