// The typed value collections (Ci4Col, CstringCol, CdatetimeCol, ...): repeated members of simple types.
#pragma once

#include "BigInteger.h"
#include "BinaryData.h"
#include "DateTime.h"
#include "Decimal.h"
#include "InstanceMonitor.h"
#include "XmlCollection.h"

#include <cstdint>
#include <string>
#include <vector>

namespace NxXmlLib16
{

struct NxVariant;

// How the items of one collection class are read, written and checked.
template <class T>
struct CValueCodec
{
    T (*parse)(std::string const & text, WhitespaceRule rule);
    std::string (*print)(T const & value, std::string const & format);
    // Puts the value in a variant for the facet check; null when the class checks no facet.
    void (*store)(NxVariant & variant, T const & value);
};

// How a collection stores its items: as they are, except booleans, which are kept one per byte
// so that each has an address (std::vector<bool> packs them into bits).
template <class T>
struct CStoredItem
{
    using Type = T;
};

struct CStoredBoolean
{
    bool value;
    CStoredBoolean(bool initial) : value(initial) {}
    operator bool const &() const { return value; }
};

template <>
struct CStoredItem<bool>
{
    using Type = CStoredBoolean;
};

// A list of plain values written as a run of sibling elements; every add is checked against
// the collection's facets and reported to its listeners.
template <class T>
class CValueCollection : public CXmlTypeCollection
{
public:
    int GetCount() const override { return static_cast<int>(m_items.size()); }
    // Removes every item; the removal events fire for each when someone listens.
    void Clear() override;
    void Remove(int index) override;

protected:
    CValueCollection(CValueCodec<T> const & codec, ItemType itemType, char const * elementName,
                     char const * namespaceUri, int minOccurs, int maxOccurs, char const * pattern,
                     std::int32_t minLength, std::int32_t maxLength, char const * minInclusive,
                     char const * maxInclusive, char const * minExclusive, char const * maxExclusive,
                     std::int32_t length, std::int32_t totalDigits, std::int32_t fractionDigits,
                     WhitespaceRule whitespace, char const * format);

    // Inserts before the index (the count appends), checking the facets when asked.
    void InsertAt(int index, T const & value, bool checkFacets);
    T const & ItemAt(int index) const;
    // The item's text as written.
    std::string Print(T const & value) const { return m_codec->print(value, GetFormat()); }
    // Writes the items as a run of elements, after checking their count.
    void ToXml_Int(CXmlWriter * writer, bool isRoot, char const * namespaceUri, CSerializationContext const & context,
                   bool flag) const override;
    void AddFromString(std::string text) override;

    std::vector<typename CStoredItem<T>::Type> m_items;

private:
    CValueCodec<T> const * m_codec;
};

// The public operations of the typed collections of one value type.
template <class T>
class CTypedCollection : public CValueCollection<T>
{
public:
    // Appends the value.
    void Add(T const & value) { this->InsertAt(this->GetCount(), value, true); }
    // Inserts before the index, 0 to GetCount().
    void AddAt(int index, T const & value) { this->InsertAt(index, value, true); }
    // A copy of the value at the index.
    T Item(int index) const { return this->ItemAt(index); }

protected:
    using CValueCollection<T>::CValueCollection;
};

// A collection of i1 values.
class Ci1Col : public CTypedCollection<char>, public CInstanceMonitor
{
public:
    Ci1Col(char const * elementName, char const * namespaceUri, int minOccurs, int maxOccurs, char const * pattern,
        std::int32_t minLength, std::int32_t maxLength, char const * minInclusive, char const * maxInclusive,
        char const * minExclusive, char const * maxExclusive, std::int32_t length, std::int32_t totalDigits,
        std::int32_t fractionDigits, WhitespaceRule whitespace, char const * format);
};

// A collection of i2 values.
class Ci2Col : public CTypedCollection<short>, public CInstanceMonitor
{
public:
    Ci2Col(char const * elementName, char const * namespaceUri, int minOccurs, int maxOccurs, char const * pattern,
        std::int32_t minLength, std::int32_t maxLength, char const * minInclusive, char const * maxInclusive,
        char const * minExclusive, char const * maxExclusive, std::int32_t length, std::int32_t totalDigits,
        std::int32_t fractionDigits, WhitespaceRule whitespace, char const * format);
};

// A collection of i4 values.
class Ci4Col : public CTypedCollection<std::int32_t>, public CInstanceMonitor
{
public:
    Ci4Col(char const * elementName, char const * namespaceUri, int minOccurs, int maxOccurs, char const * pattern,
        std::int32_t minLength, std::int32_t maxLength, char const * minInclusive, char const * maxInclusive,
        char const * minExclusive, char const * maxExclusive, std::int32_t length, std::int32_t totalDigits,
        std::int32_t fractionDigits, WhitespaceRule whitespace, char const * format);
};

// A collection of i8 values.
class Ci8Col : public CTypedCollection<std::int64_t>, public CInstanceMonitor
{
public:
    Ci8Col(char const * elementName, char const * namespaceUri, int minOccurs, int maxOccurs, char const * pattern,
        std::int32_t minLength, std::int32_t maxLength, char const * minInclusive, char const * maxInclusive,
        char const * minExclusive, char const * maxExclusive, std::int32_t length, std::int32_t totalDigits,
        std::int32_t fractionDigits, WhitespaceRule whitespace, char const * format);
};

// A collection of ui1 values.
class Cui1Col : public CTypedCollection<unsigned char>, public CInstanceMonitor
{
public:
    Cui1Col(char const * elementName, char const * namespaceUri, int minOccurs, int maxOccurs, char const * pattern,
        std::int32_t minLength, std::int32_t maxLength, char const * minInclusive, char const * maxInclusive,
        char const * minExclusive, char const * maxExclusive, std::int32_t length, std::int32_t totalDigits,
        std::int32_t fractionDigits, WhitespaceRule whitespace, char const * format);
};

// A collection of ui2 values.
class Cui2Col : public CTypedCollection<unsigned short>, public CInstanceMonitor
{
public:
    Cui2Col(char const * elementName, char const * namespaceUri, int minOccurs, int maxOccurs, char const * pattern,
        std::int32_t minLength, std::int32_t maxLength, char const * minInclusive, char const * maxInclusive,
        char const * minExclusive, char const * maxExclusive, std::int32_t length, std::int32_t totalDigits,
        std::int32_t fractionDigits, WhitespaceRule whitespace, char const * format);
};

// A collection of ui4 values.
class Cui4Col : public CTypedCollection<std::uint32_t>, public CInstanceMonitor
{
public:
    Cui4Col(char const * elementName, char const * namespaceUri, int minOccurs, int maxOccurs, char const * pattern,
        std::int32_t minLength, std::int32_t maxLength, char const * minInclusive, char const * maxInclusive,
        char const * minExclusive, char const * maxExclusive, std::int32_t length, std::int32_t totalDigits,
        std::int32_t fractionDigits, WhitespaceRule whitespace, char const * format);
};

// A collection of ui8 values.
class Cui8Col : public CTypedCollection<std::uint64_t>, public CInstanceMonitor
{
public:
    Cui8Col(char const * elementName, char const * namespaceUri, int minOccurs, int maxOccurs, char const * pattern,
        std::int32_t minLength, std::int32_t maxLength, char const * minInclusive, char const * maxInclusive,
        char const * minExclusive, char const * maxExclusive, std::int32_t length, std::int32_t totalDigits,
        std::int32_t fractionDigits, WhitespaceRule whitespace, char const * format);
};

// A collection of r4 values.
class Cr4Col : public CTypedCollection<float>, public CInstanceMonitor
{
public:
    Cr4Col(char const * elementName, char const * namespaceUri, int minOccurs, int maxOccurs, char const * pattern,
        std::int32_t minLength, std::int32_t maxLength, char const * minInclusive, char const * maxInclusive,
        char const * minExclusive, char const * maxExclusive, std::int32_t length, std::int32_t totalDigits,
        std::int32_t fractionDigits, WhitespaceRule whitespace, char const * format);
};

// A collection of r8 values.
class Cr8Col : public CTypedCollection<double>, public CInstanceMonitor
{
public:
    Cr8Col(char const * elementName, char const * namespaceUri, int minOccurs, int maxOccurs, char const * pattern,
        std::int32_t minLength, std::int32_t maxLength, char const * minInclusive, char const * maxInclusive,
        char const * minExclusive, char const * maxExclusive, std::int32_t length, std::int32_t totalDigits,
        std::int32_t fractionDigits, WhitespaceRule whitespace, char const * format);
};

// A collection of boolean values.
class CbooleanCol : public CTypedCollection<bool>, public CInstanceMonitor
{
public:
    CbooleanCol(char const * elementName, char const * namespaceUri, int minOccurs, int maxOccurs, char const * pattern,
        std::int32_t minLength, std::int32_t maxLength, char const * minInclusive, char const * maxInclusive,
        char const * minExclusive, char const * maxExclusive, std::int32_t length, std::int32_t totalDigits,
        std::int32_t fractionDigits, WhitespaceRule whitespace, char const * format);
};

// A collection of string values.
class CstringCol : public CTypedCollection<std::string>, public CInstanceMonitor
{
public:
    CstringCol(char const * elementName, char const * namespaceUri, int minOccurs, int maxOccurs, char const * pattern,
        std::int32_t minLength, std::int32_t maxLength, char const * minInclusive, char const * maxInclusive,
        char const * minExclusive, char const * maxExclusive, std::int32_t length, std::int32_t totalDigits,
        std::int32_t fractionDigits, WhitespaceRule whitespace, char const * format);
};

// A collection of decimal values.
class CdecimalCol : public CTypedCollection<CDecimal>, public CInstanceMonitor
{
public:
    CdecimalCol(char const * elementName, char const * namespaceUri, int minOccurs, int maxOccurs, char const * pattern,
        std::int32_t minLength, std::int32_t maxLength, char const * minInclusive, char const * maxInclusive,
        char const * minExclusive, char const * maxExclusive, std::int32_t length, std::int32_t totalDigits,
        std::int32_t fractionDigits, WhitespaceRule whitespace, char const * format);
};

// A collection of integer values.
class CintegerCol : public CTypedCollection<CBigInteger>, public CInstanceMonitor
{
public:
    CintegerCol(char const * elementName, char const * namespaceUri, int minOccurs, int maxOccurs, char const * pattern,
        std::int32_t minLength, std::int32_t maxLength, char const * minInclusive, char const * maxInclusive,
        char const * minExclusive, char const * maxExclusive, std::int32_t length, std::int32_t totalDigits,
        std::int32_t fractionDigits, WhitespaceRule whitespace, char const * format);
};

// A collection of duration values.
class CdurationCol : public CTypedCollection<CDateTimeSpan>, public CInstanceMonitor
{
public:
    CdurationCol(char const * elementName, char const * namespaceUri, int minOccurs, int maxOccurs, char const * pattern,
        std::int32_t minLength, std::int32_t maxLength, char const * minInclusive, char const * maxInclusive,
        char const * minExclusive, char const * maxExclusive, std::int32_t length, std::int32_t totalDigits,
        std::int32_t fractionDigits, WhitespaceRule whitespace, char const * format);
};

// A collection of base64Binary values.
class Cbase64BinaryCol : public CTypedCollection<CBinaryData>, public CInstanceMonitor
{
public:
    Cbase64BinaryCol(char const * elementName, char const * namespaceUri, int minOccurs, int maxOccurs, char const * pattern,
        std::int32_t minLength, std::int32_t maxLength, char const * minInclusive, char const * maxInclusive,
        char const * minExclusive, char const * maxExclusive, std::int32_t length, std::int32_t totalDigits,
        std::int32_t fractionDigits, WhitespaceRule whitespace, char const * format);
};

// A collection of hexBinary values.
class ChexBinaryCol : public CTypedCollection<CBinaryData>, public CInstanceMonitor
{
public:
    ChexBinaryCol(char const * elementName, char const * namespaceUri, int minOccurs, int maxOccurs, char const * pattern,
        std::int32_t minLength, std::int32_t maxLength, char const * minInclusive, char const * maxInclusive,
        char const * minExclusive, char const * maxExclusive, std::int32_t length, std::int32_t totalDigits,
        std::int32_t fractionDigits, WhitespaceRule whitespace, char const * format);
};

// A collection of day values.
class CdayCol : public CTypedCollection<unsigned char>, public CInstanceMonitor
{
public:
    CdayCol(char const * elementName, char const * namespaceUri, int minOccurs, int maxOccurs, char const * pattern,
        std::int32_t minLength, std::int32_t maxLength, char const * minInclusive, char const * maxInclusive,
        char const * minExclusive, char const * maxExclusive, std::int32_t length, std::int32_t totalDigits,
        std::int32_t fractionDigits, WhitespaceRule whitespace, char const * format);
};

// A collection of month values.
class CmonthCol : public CTypedCollection<unsigned char>, public CInstanceMonitor
{
public:
    CmonthCol(char const * elementName, char const * namespaceUri, int minOccurs, int maxOccurs, char const * pattern,
        std::int32_t minLength, std::int32_t maxLength, char const * minInclusive, char const * maxInclusive,
        char const * minExclusive, char const * maxExclusive, std::int32_t length, std::int32_t totalDigits,
        std::int32_t fractionDigits, WhitespaceRule whitespace, char const * format);
};

// A collection of year values.
class CyearCol : public CTypedCollection<unsigned short>, public CInstanceMonitor
{
public:
    CyearCol(char const * elementName, char const * namespaceUri, int minOccurs, int maxOccurs, char const * pattern,
        std::int32_t minLength, std::int32_t maxLength, char const * minInclusive, char const * maxInclusive,
        char const * minExclusive, char const * maxExclusive, std::int32_t length, std::int32_t totalDigits,
        std::int32_t fractionDigits, WhitespaceRule whitespace, char const * format);
};

// The base of the five date and time collections: only the kind of each value is checked.
class CdatetimeBaseCol : public CValueCollection<CDateTime>
{
public:
    CdatetimeBaseCol(ItemType itemType, char const * elementName, char const * namespaceUri, int minOccurs, int maxOccurs, char const * pattern,
        std::int32_t minLength, std::int32_t maxLength, char const * minInclusive, char const * maxInclusive,
        char const * minExclusive, char const * maxExclusive, std::int32_t length, std::int32_t totalDigits,
        std::int32_t fractionDigits, WhitespaceRule whitespace, char const * format);

    virtual void Add(CDateTime const & value);
    virtual void AddAt(int index, CDateTime const & value);
    virtual CDateTime Item(int index) const;
    virtual std::string ItemToString(CDateTime const & value) const;
    // The first item (the items are contiguous).
    CDateTime * begin() { return m_items.data(); }

protected:
    // Inserts without a facet check once the value is of the collection's kind.
    void AddAtOfKind(int index, CDateTime const & value, CDateTime::DTType kind, char const * kindName);
};

// A collection of date values.
class CdateCol : public CdatetimeBaseCol, public CInstanceMonitor
{
public:
    CdateCol(char const * elementName, char const * namespaceUri, int minOccurs, int maxOccurs, char const * pattern,
        std::int32_t minLength, std::int32_t maxLength, char const * minInclusive, char const * maxInclusive,
        char const * minExclusive, char const * maxExclusive, std::int32_t length, std::int32_t totalDigits,
        std::int32_t fractionDigits, WhitespaceRule whitespace, char const * format);

    // Refuses a value of another kind.
    void AddAt(int index, CDateTime const & value) override;

protected:
    void AddFromString(std::string text) override;
};

// A collection of dateTime values.
class CdatetimeCol : public CdatetimeBaseCol, public CInstanceMonitor
{
public:
    CdatetimeCol(char const * elementName, char const * namespaceUri, int minOccurs, int maxOccurs, char const * pattern,
        std::int32_t minLength, std::int32_t maxLength, char const * minInclusive, char const * maxInclusive,
        char const * minExclusive, char const * maxExclusive, std::int32_t length, std::int32_t totalDigits,
        std::int32_t fractionDigits, WhitespaceRule whitespace, char const * format);

    // Refuses a value of another kind.
    void AddAt(int index, CDateTime const & value) override;

protected:
    void AddFromString(std::string text) override;
};

// A collection of time values.
class CtimeCol : public CdatetimeBaseCol, public CInstanceMonitor
{
public:
    CtimeCol(char const * elementName, char const * namespaceUri, int minOccurs, int maxOccurs, char const * pattern,
        std::int32_t minLength, std::int32_t maxLength, char const * minInclusive, char const * maxInclusive,
        char const * minExclusive, char const * maxExclusive, std::int32_t length, std::int32_t totalDigits,
        std::int32_t fractionDigits, WhitespaceRule whitespace, char const * format);

    // Refuses a value of another kind.
    void AddAt(int index, CDateTime const & value) override;

protected:
    void AddFromString(std::string text) override;
};

// A collection of gMonthDay values.
class CmonthDayCol : public CdatetimeBaseCol, public CInstanceMonitor
{
public:
    CmonthDayCol(char const * elementName, char const * namespaceUri, int minOccurs, int maxOccurs, char const * pattern,
        std::int32_t minLength, std::int32_t maxLength, char const * minInclusive, char const * maxInclusive,
        char const * minExclusive, char const * maxExclusive, std::int32_t length, std::int32_t totalDigits,
        std::int32_t fractionDigits, WhitespaceRule whitespace, char const * format);

    // Refuses a value of another kind.
    void AddAt(int index, CDateTime const & value) override;

protected:
    void AddFromString(std::string text) override;
};

// A collection of gYearMonth values.
class CyearMonthCol : public CdatetimeBaseCol, public CInstanceMonitor
{
public:
    CyearMonthCol(char const * elementName, char const * namespaceUri, int minOccurs, int maxOccurs, char const * pattern,
        std::int32_t minLength, std::int32_t maxLength, char const * minInclusive, char const * maxInclusive,
        char const * minExclusive, char const * maxExclusive, std::int32_t length, std::int32_t totalDigits,
        std::int32_t fractionDigits, WhitespaceRule whitespace, char const * format);

    // Refuses a value of another kind.
    void AddAt(int index, CDateTime const & value) override;

protected:
    void AddFromString(std::string text) override;
};

} // namespace NxXmlLib16
