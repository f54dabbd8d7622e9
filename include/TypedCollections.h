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
    char const * className; // the collection class, for the instance monitor
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
                   bool emptyChoiceAllowed) const override;
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

// The base of the five date and time collections: only the kind of each value is checked.
class CdatetimeBaseCol : public CValueCollection<CDateTime>
{
public:
    CdatetimeBaseCol(ItemType itemType, char const * elementName, char const * namespaceUri, int minOccurs,
                     int maxOccurs, char const * pattern, std::int32_t minLength, std::int32_t maxLength,
                     char const * minInclusive, char const * maxInclusive, char const * minExclusive,
                     char const * maxExclusive, std::int32_t length, std::int32_t totalDigits,
                     std::int32_t fractionDigits, WhitespaceRule whitespace, char const * format);

    virtual void Add(CDateTime const & value);
    virtual void AddAt(int index, CDateTime const & value);
    virtual CDateTime Item(int index) const;
    virtual std::string ItemToString(CDateTime const & value) const;
    // The first item (the items are contiguous).
    CDateTime * begin() { return m_items.data(); }

protected:
    // Inserts without a facet check once the value is of the kind the item type names.
    void AddAtOfKind(int index, CDateTime const & value);
};

// How each collection class reads and writes its items.
namespace TypedCodecs
{
extern CValueCodec<char> const i1;
extern CValueCodec<short> const i2;
extern CValueCodec<std::int32_t> const i4;
extern CValueCodec<std::int64_t> const i8;
extern CValueCodec<unsigned char> const ui1;
extern CValueCodec<unsigned short> const ui2;
extern CValueCodec<std::uint32_t> const ui4;
extern CValueCodec<std::uint64_t> const ui8;
extern CValueCodec<float> const r4;
extern CValueCodec<double> const r8;
extern CValueCodec<bool> const boolean;
extern CValueCodec<std::string> const string;
extern CValueCodec<CDecimal> const decimal;
extern CValueCodec<CBigInteger> const integer;
extern CValueCodec<CDateTimeSpan> const duration;
extern CValueCodec<CBinaryData> const base64Binary;
extern CValueCodec<CBinaryData> const hexBinary;
extern CValueCodec<unsigned char> const day;
extern CValueCodec<unsigned char> const month;
extern CValueCodec<unsigned short> const year;
extern CValueCodec<CDateTime> const date;
extern CValueCodec<CDateTime> const datetime;
extern CValueCodec<CDateTime> const time;
extern CValueCodec<CDateTime> const monthDay;
extern CValueCodec<CDateTime> const yearMonth;
} // namespace TypedCodecs

// A typed collection of one value type, read and written by its codec, with its item type.
template <class T, CValueCodec<T> const & Codec, ItemType TypeOfItems>
class CValueCol : public CTypedCollection<T>, public CInstanceMonitor
{
public:
    CValueCol(char const * elementName, char const * namespaceUri, int minOccurs, int maxOccurs, char const * pattern,
              std::int32_t minLength, std::int32_t maxLength, char const * minInclusive, char const * maxInclusive,
              char const * minExclusive, char const * maxExclusive, std::int32_t length, std::int32_t totalDigits,
              std::int32_t fractionDigits, WhitespaceRule whitespace, char const * format)
        : CTypedCollection<T>(Codec, TypeOfItems, elementName, namespaceUri, minOccurs, maxOccurs, pattern, minLength,
                              maxLength, minInclusive, maxInclusive, minExclusive, maxExclusive, length, totalDigits,
                              fractionDigits, whitespace, format),
          CInstanceMonitor(Codec.className)
    {
    }
};

// The date and time collections accept only values of the kind their item type names.
template <CValueCodec<CDateTime> const & Codec, ItemType TypeOfItems>
class CValueCol<CDateTime, Codec, TypeOfItems> : public CdatetimeBaseCol, public CInstanceMonitor
{
public:
    CValueCol(char const * elementName, char const * namespaceUri, int minOccurs, int maxOccurs, char const * pattern,
              std::int32_t minLength, std::int32_t maxLength, char const * minInclusive, char const * maxInclusive,
              char const * minExclusive, char const * maxExclusive, std::int32_t length, std::int32_t totalDigits,
              std::int32_t fractionDigits, WhitespaceRule whitespace, char const * format)
        : CdatetimeBaseCol(TypeOfItems, elementName, namespaceUri, minOccurs, maxOccurs, pattern, minLength, maxLength,
                           minInclusive, maxInclusive, minExclusive, maxExclusive, length, totalDigits, fractionDigits,
                           whitespace, format),
          CInstanceMonitor(Codec.className)
    {
    }

    // Refuses a value of another kind.
    void AddAt(int index, CDateTime const & value) override { AddAtOfKind(index, value); }

protected:
    // Reads the text in the collection's own lexical form.
    void AddFromString(std::string text) override { Add(Codec.parse(text, GetWhitespaceRule())); }
};

// A collection of i1 values.
class Ci1Col : public CValueCol<char, TypedCodecs::i1, ItemType_i1>
{
public:
    using CValueCol::CValueCol;
};

// A collection of i2 values.
class Ci2Col : public CValueCol<short, TypedCodecs::i2, ItemType_i2>
{
public:
    using CValueCol::CValueCol;
};

// A collection of i4 values.
class Ci4Col : public CValueCol<std::int32_t, TypedCodecs::i4, ItemType_i4>
{
public:
    using CValueCol::CValueCol;
};

// A collection of i8 values.
class Ci8Col : public CValueCol<std::int64_t, TypedCodecs::i8, ItemType_i8>
{
public:
    using CValueCol::CValueCol;
};

// A collection of ui1 values.
class Cui1Col : public CValueCol<unsigned char, TypedCodecs::ui1, ItemType_ui1>
{
public:
    using CValueCol::CValueCol;
};

// A collection of ui2 values.
class Cui2Col : public CValueCol<unsigned short, TypedCodecs::ui2, ItemType_ui2>
{
public:
    using CValueCol::CValueCol;
};

// A collection of ui4 values.
class Cui4Col : public CValueCol<std::uint32_t, TypedCodecs::ui4, ItemType_ui4>
{
public:
    using CValueCol::CValueCol;
};

// A collection of ui8 values.
class Cui8Col : public CValueCol<std::uint64_t, TypedCodecs::ui8, ItemType_ui8>
{
public:
    using CValueCol::CValueCol;
};

// A collection of r4 values.
class Cr4Col : public CValueCol<float, TypedCodecs::r4, ItemType_r4>
{
public:
    using CValueCol::CValueCol;
};

// A collection of r8 values.
class Cr8Col : public CValueCol<double, TypedCodecs::r8, ItemType_r8>
{
public:
    using CValueCol::CValueCol;
};

// A collection of boolean values.
class CbooleanCol : public CValueCol<bool, TypedCodecs::boolean, ItemType_boolean>
{
public:
    using CValueCol::CValueCol;
};

// A collection of string values.
class CstringCol : public CValueCol<std::string, TypedCodecs::string, ItemType_string>
{
public:
    using CValueCol::CValueCol;
};

// A collection of decimal values.
class CdecimalCol : public CValueCol<CDecimal, TypedCodecs::decimal, ItemType_decimal>
{
public:
    using CValueCol::CValueCol;
};

// A collection of integer values.
class CintegerCol : public CValueCol<CBigInteger, TypedCodecs::integer, ItemType_integer>
{
public:
    using CValueCol::CValueCol;
};

// A collection of duration values.
class CdurationCol : public CValueCol<CDateTimeSpan, TypedCodecs::duration, ItemType_duration>
{
public:
    using CValueCol::CValueCol;
};

// A collection of base64Binary values.
class Cbase64BinaryCol : public CValueCol<CBinaryData, TypedCodecs::base64Binary, ItemType_base64Binary>
{
public:
    using CValueCol::CValueCol;
};

// A collection of hexBinary values.
class ChexBinaryCol : public CValueCol<CBinaryData, TypedCodecs::hexBinary, ItemType_hexBinary>
{
public:
    using CValueCol::CValueCol;
};

// A collection of day values.
class CdayCol : public CValueCol<unsigned char, TypedCodecs::day, ItemType_day>
{
public:
    using CValueCol::CValueCol;
};

// A collection of month values.
class CmonthCol : public CValueCol<unsigned char, TypedCodecs::month, ItemType_month>
{
public:
    using CValueCol::CValueCol;
};

// A collection of year values.
class CyearCol : public CValueCol<unsigned short, TypedCodecs::year, ItemType_year>
{
public:
    using CValueCol::CValueCol;
};

// A collection of date values.
class CdateCol : public CValueCol<CDateTime, TypedCodecs::date, ItemType_date>
{
public:
    using CValueCol::CValueCol;
};

// A collection of dateTime values.
class CdatetimeCol : public CValueCol<CDateTime, TypedCodecs::datetime, ItemType_datetime>
{
public:
    using CValueCol::CValueCol;
};

// A collection of time values.
class CtimeCol : public CValueCol<CDateTime, TypedCodecs::time, ItemType_time>
{
public:
    using CValueCol::CValueCol;
};

// A collection of gMonthDay values.
class CmonthDayCol : public CValueCol<CDateTime, TypedCodecs::monthDay, ItemType_monthDay>
{
public:
    using CValueCol::CValueCol;
};

// A collection of gYearMonth values.
class CyearMonthCol : public CValueCol<CDateTime, TypedCodecs::yearMonth, ItemType_yearMonth>
{
public:
    using CValueCol::CValueCol;
};

} // namespace NxXmlLib16
