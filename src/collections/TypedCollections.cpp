#include "TypedCollections.h"

#include "NxException.h"
#include "SerializationContext.h"
#include "Variant.h"
#include "XmlWriter.h"

namespace NxXmlLib16
{

template <class T>
CValueCollection<T>::CValueCollection(CValueCodec<T> const & codec, ItemType itemType, char const * elementName,
                                      char const * namespaceUri, int minOccurs, int maxOccurs, char const * pattern,
                                      std::int32_t minLength, std::int32_t maxLength, char const * minInclusive,
                                      char const * maxInclusive, char const * minExclusive, char const * maxExclusive,
                                      std::int32_t length, std::int32_t totalDigits, std::int32_t fractionDigits,
                                      WhitespaceRule whitespace, char const * format)
    : CXmlTypeCollection(itemType, elementName, namespaceUri, minOccurs, maxOccurs, pattern, minLength, maxLength,
                         minInclusive, maxInclusive, minExclusive, maxExclusive, length, totalDigits, fractionDigits,
                         whitespace, format),
      m_codec(&codec)
{
}

template <class T>
void CValueCollection<T>::InsertAt(int index, T const & value, bool checkFacets)
{
    this->FireOnCollectionAdd(const_cast<T *>(&value));
    if (index < 0 || index > GetCount())
        throw CNxInvalidParamException("Index out of range");
    if (checkFacets && m_codec->store != nullptr && !GetRestrictions().IsEmpty())
    {
        NxVariant variant;
        m_codec->store(variant, value);
        CFacetValidator::ValidateValue(GetElementNameRef().c_str(), variant, GetItemType(), GetRestrictions());
    }
    auto const inserted = m_items.insert(m_items.begin() + index, value);
    this->FireOnCollectionAddComplete(const_cast<T *>(&static_cast<T const &>(*inserted)));
    this->FireOnCollectionChange();
}

template <class T>
T const & CValueCollection<T>::ItemAt(int index) const
{
    if (index < 0 || index >= GetCount())
        throw CNxInvalidParamException(FormatString("Index %d is out of range, use 0 - %d", index, GetCount() - 1));
    return m_items[static_cast<std::size_t>(index)];
}

template <class T>
void CValueCollection<T>::Remove(int index)
{
    this->FireOnCollectionRemove(index);
    if (index < 0 || index >= GetCount())
        throw CNxInvalidParamException(FormatString("Index %d is out of range, use 0 - %d", index, GetCount() - 1));
    m_items.erase(m_items.begin() + index);
    this->FireOnCollectionRemoveComplete(index);
    this->FireOnCollectionChange();
}

template <class T>
void CValueCollection<T>::Clear()
{
    // Without listeners nobody can tell the items apart as they go: drop them at once.
    if (!this->HasListeners())
    {
        m_items.clear();
        return;
    }
    while (GetCount() > 0)
        Remove(0);
}

template <class T>
void CValueCollection<T>::ToXml_Int(CXmlWriter * writer, bool, char const *, CSerializationContext const & context,
                                    bool) const
{
    this->ValidateCount(context);
    std::string const & name = GetElementNameRef();
    std::string const & namespaceUri = GetNamespaceRef();
    for (T const & item : m_items)
    {
        writer->WriteStartElement(name, namespaceUri);
        writer->WriteText(Print(item), GetItemType());
        writer->WriteEndElement();
    }
}

template <class T>
void CValueCollection<T>::AddFromString(std::string text)
{
    InsertAt(GetCount(), m_codec->parse(text, GetWhitespaceRule()), true);
}

namespace
{

using C = CConversions;

CValueCodec<char> const Ci1ColCodec{&C::i1FromString, [](char const & v, std::string const &) { return C::i1ToString(v); }, [](NxVariant & variant, char const & v) { variant.SetI1(v); }};
CValueCodec<short> const Ci2ColCodec{&C::i2FromString, [](short const & v, std::string const &) { return C::i2ToString(v); }, [](NxVariant & variant, short const & v) { variant.SetI2(v); }};
CValueCodec<std::int32_t> const Ci4ColCodec{&C::i4FromString, [](std::int32_t const & v, std::string const &) { return C::i4ToString(v); }, [](NxVariant & variant, std::int32_t const & v) { variant.SetI4(v); }};
CValueCodec<std::int64_t> const Ci8ColCodec{&C::i8FromString, [](std::int64_t const & v, std::string const &) { return C::i8ToString(v); }, [](NxVariant & variant, std::int64_t const & v) { variant.SetI8(v); }};
CValueCodec<unsigned char> const Cui1ColCodec{&C::ui1FromString, [](unsigned char const & v, std::string const &) { return C::ui1ToString(v); }, [](NxVariant & variant, unsigned char const & v) { variant.SetUI1(v); }};
CValueCodec<unsigned short> const Cui2ColCodec{&C::ui2FromString, [](unsigned short const & v, std::string const &) { return C::ui2ToString(v); }, [](NxVariant & variant, unsigned short const & v) { variant.SetUI2(v); }};
CValueCodec<std::uint32_t> const Cui4ColCodec{&C::ui4FromString, [](std::uint32_t const & v, std::string const &) { return C::ui4ToString(v); }, [](NxVariant & variant, std::uint32_t const & v) { variant.SetUI4(v); }};
CValueCodec<std::uint64_t> const Cui8ColCodec{&C::ui8FromString, [](std::uint64_t const & v, std::string const &) { return C::ui8ToString(v); }, [](NxVariant & variant, std::uint64_t const & v) { variant.SetUI8(v); }};
CValueCodec<float> const Cr4ColCodec{&C::r4FromString, [](float const & v, std::string const & format) { return C::r4ToString(v, format); }, [](NxVariant & variant, float const & v) { variant.SetR4(v); }};
CValueCodec<double> const Cr8ColCodec{&C::r8FromString, [](double const & v, std::string const & format) { return C::r8ToString(v, format); }, [](NxVariant & variant, double const & v) { variant.SetR8(v); }};
CValueCodec<bool> const CbooleanColCodec{&C::booleanFromString, [](bool const & v, std::string const &) { return C::booleanToString(v); }, nullptr};
CValueCodec<std::string> const CstringColCodec{&C::stringFromString, [](std::string const & v, std::string const &) { return C::stringToString(v); }, [](NxVariant & variant, std::string const & v) { variant.SetString(v); }};
CValueCodec<CDecimal> const CdecimalColCodec{&C::decimalFromString, [](CDecimal const & v, std::string const & format) { return C::decimalToString(v, format); }, [](NxVariant & variant, CDecimal const & v) { variant.SetDecimal(v); }};
CValueCodec<CBigInteger> const CintegerColCodec{&C::integerFromString, [](CBigInteger const & v, std::string const &) { return C::integerToString(v); }, [](NxVariant & variant, CBigInteger const & v) { variant.SetInteger(v); }};
CValueCodec<CDateTimeSpan> const CdurationColCodec{&C::durationFromString, [](CDateTimeSpan const & v, std::string const &) { return C::durationToString(v); }, [](NxVariant & variant, CDateTimeSpan const & v) { variant.SetDuration(v); }};
CValueCodec<CBinaryData> const Cbase64BinaryColCodec{&C::base64BinaryFromString, [](CBinaryData const & v, std::string const &) { return C::base64BinaryToString(v); }, [](NxVariant & variant, CBinaryData const & v) { variant.SetBase64Binary(v); }};
CValueCodec<CBinaryData> const ChexBinaryColCodec{&C::hexBinaryFromString, [](CBinaryData const & v, std::string const &) { return C::hexBinaryToString(v); }, [](NxVariant & variant, CBinaryData const & v) { variant.SetHexBinary(v); }};
CValueCodec<unsigned char> const CdayColCodec{&C::dayFromString, [](unsigned char const & v, std::string const &) { return C::dayToString(v); }, [](NxVariant & variant, unsigned char const & v) { variant.SetDay(v); }};
CValueCodec<unsigned char> const CmonthColCodec{&C::monthFromString, [](unsigned char const & v, std::string const &) { return C::monthToString(v); }, [](NxVariant & variant, unsigned char const & v) { variant.SetMonth(v); }};
CValueCodec<unsigned short> const CyearColCodec{&C::yearFromString, [](unsigned short const & v, std::string const &) { return C::yearToString(v); }, [](NxVariant & variant, unsigned short const & v) { variant.SetYear(v); }};
CValueCodec<CDateTime> const DateCodec{&C::dateFromString, [](CDateTime const & v, std::string const &) { return C::dateToString(v); }, nullptr};

} // namespace

Ci1Col::Ci1Col(char const * elementName, char const * namespaceUri, int minOccurs, int maxOccurs, char const * pattern,
        std::int32_t minLength, std::int32_t maxLength, char const * minInclusive, char const * maxInclusive,
        char const * minExclusive, char const * maxExclusive, std::int32_t length, std::int32_t totalDigits,
        std::int32_t fractionDigits, WhitespaceRule whitespace, char const * format)
    : CTypedCollection<char>(Ci1ColCodec, ItemType_i1, elementName, namespaceUri, minOccurs, maxOccurs, pattern, minLength, maxLength, minInclusive, maxInclusive, minExclusive, maxExclusive, length, totalDigits, fractionDigits, whitespace, format),
      CInstanceMonitor("Ci1Col")
{
}

Ci2Col::Ci2Col(char const * elementName, char const * namespaceUri, int minOccurs, int maxOccurs, char const * pattern,
        std::int32_t minLength, std::int32_t maxLength, char const * minInclusive, char const * maxInclusive,
        char const * minExclusive, char const * maxExclusive, std::int32_t length, std::int32_t totalDigits,
        std::int32_t fractionDigits, WhitespaceRule whitespace, char const * format)
    : CTypedCollection<short>(Ci2ColCodec, ItemType_i2, elementName, namespaceUri, minOccurs, maxOccurs, pattern, minLength, maxLength, minInclusive, maxInclusive, minExclusive, maxExclusive, length, totalDigits, fractionDigits, whitespace, format),
      CInstanceMonitor("Ci2Col")
{
}

Ci4Col::Ci4Col(char const * elementName, char const * namespaceUri, int minOccurs, int maxOccurs, char const * pattern,
        std::int32_t minLength, std::int32_t maxLength, char const * minInclusive, char const * maxInclusive,
        char const * minExclusive, char const * maxExclusive, std::int32_t length, std::int32_t totalDigits,
        std::int32_t fractionDigits, WhitespaceRule whitespace, char const * format)
    : CTypedCollection<std::int32_t>(Ci4ColCodec, ItemType_i4, elementName, namespaceUri, minOccurs, maxOccurs, pattern, minLength, maxLength, minInclusive, maxInclusive, minExclusive, maxExclusive, length, totalDigits, fractionDigits, whitespace, format),
      CInstanceMonitor("Ci4Col")
{
}

Ci8Col::Ci8Col(char const * elementName, char const * namespaceUri, int minOccurs, int maxOccurs, char const * pattern,
        std::int32_t minLength, std::int32_t maxLength, char const * minInclusive, char const * maxInclusive,
        char const * minExclusive, char const * maxExclusive, std::int32_t length, std::int32_t totalDigits,
        std::int32_t fractionDigits, WhitespaceRule whitespace, char const * format)
    : CTypedCollection<std::int64_t>(Ci8ColCodec, ItemType_i8, elementName, namespaceUri, minOccurs, maxOccurs, pattern, minLength, maxLength, minInclusive, maxInclusive, minExclusive, maxExclusive, length, totalDigits, fractionDigits, whitespace, format),
      CInstanceMonitor("Ci8Col")
{
}

Cui1Col::Cui1Col(char const * elementName, char const * namespaceUri, int minOccurs, int maxOccurs, char const * pattern,
        std::int32_t minLength, std::int32_t maxLength, char const * minInclusive, char const * maxInclusive,
        char const * minExclusive, char const * maxExclusive, std::int32_t length, std::int32_t totalDigits,
        std::int32_t fractionDigits, WhitespaceRule whitespace, char const * format)
    : CTypedCollection<unsigned char>(Cui1ColCodec, ItemType_ui1, elementName, namespaceUri, minOccurs, maxOccurs, pattern, minLength, maxLength, minInclusive, maxInclusive, minExclusive, maxExclusive, length, totalDigits, fractionDigits, whitespace, format),
      CInstanceMonitor("Cui1Col")
{
}

Cui2Col::Cui2Col(char const * elementName, char const * namespaceUri, int minOccurs, int maxOccurs, char const * pattern,
        std::int32_t minLength, std::int32_t maxLength, char const * minInclusive, char const * maxInclusive,
        char const * minExclusive, char const * maxExclusive, std::int32_t length, std::int32_t totalDigits,
        std::int32_t fractionDigits, WhitespaceRule whitespace, char const * format)
    : CTypedCollection<unsigned short>(Cui2ColCodec, ItemType_ui2, elementName, namespaceUri, minOccurs, maxOccurs, pattern, minLength, maxLength, minInclusive, maxInclusive, minExclusive, maxExclusive, length, totalDigits, fractionDigits, whitespace, format),
      CInstanceMonitor("Cui2Col")
{
}

Cui4Col::Cui4Col(char const * elementName, char const * namespaceUri, int minOccurs, int maxOccurs, char const * pattern,
        std::int32_t minLength, std::int32_t maxLength, char const * minInclusive, char const * maxInclusive,
        char const * minExclusive, char const * maxExclusive, std::int32_t length, std::int32_t totalDigits,
        std::int32_t fractionDigits, WhitespaceRule whitespace, char const * format)
    : CTypedCollection<std::uint32_t>(Cui4ColCodec, ItemType_ui4, elementName, namespaceUri, minOccurs, maxOccurs, pattern, minLength, maxLength, minInclusive, maxInclusive, minExclusive, maxExclusive, length, totalDigits, fractionDigits, whitespace, format),
      CInstanceMonitor("Cui4Col")
{
}

Cui8Col::Cui8Col(char const * elementName, char const * namespaceUri, int minOccurs, int maxOccurs, char const * pattern,
        std::int32_t minLength, std::int32_t maxLength, char const * minInclusive, char const * maxInclusive,
        char const * minExclusive, char const * maxExclusive, std::int32_t length, std::int32_t totalDigits,
        std::int32_t fractionDigits, WhitespaceRule whitespace, char const * format)
    : CTypedCollection<std::uint64_t>(Cui8ColCodec, ItemType_ui8, elementName, namespaceUri, minOccurs, maxOccurs, pattern, minLength, maxLength, minInclusive, maxInclusive, minExclusive, maxExclusive, length, totalDigits, fractionDigits, whitespace, format),
      CInstanceMonitor("Cui8Col")
{
}

Cr4Col::Cr4Col(char const * elementName, char const * namespaceUri, int minOccurs, int maxOccurs, char const * pattern,
        std::int32_t minLength, std::int32_t maxLength, char const * minInclusive, char const * maxInclusive,
        char const * minExclusive, char const * maxExclusive, std::int32_t length, std::int32_t totalDigits,
        std::int32_t fractionDigits, WhitespaceRule whitespace, char const * format)
    : CTypedCollection<float>(Cr4ColCodec, ItemType_r4, elementName, namespaceUri, minOccurs, maxOccurs, pattern, minLength, maxLength, minInclusive, maxInclusive, minExclusive, maxExclusive, length, totalDigits, fractionDigits, whitespace, format),
      CInstanceMonitor("Cr4Col")
{
}

Cr8Col::Cr8Col(char const * elementName, char const * namespaceUri, int minOccurs, int maxOccurs, char const * pattern,
        std::int32_t minLength, std::int32_t maxLength, char const * minInclusive, char const * maxInclusive,
        char const * minExclusive, char const * maxExclusive, std::int32_t length, std::int32_t totalDigits,
        std::int32_t fractionDigits, WhitespaceRule whitespace, char const * format)
    : CTypedCollection<double>(Cr8ColCodec, ItemType_r8, elementName, namespaceUri, minOccurs, maxOccurs, pattern, minLength, maxLength, minInclusive, maxInclusive, minExclusive, maxExclusive, length, totalDigits, fractionDigits, whitespace, format),
      CInstanceMonitor("Cr8Col")
{
}

CbooleanCol::CbooleanCol(char const * elementName, char const * namespaceUri, int minOccurs, int maxOccurs, char const * pattern,
        std::int32_t minLength, std::int32_t maxLength, char const * minInclusive, char const * maxInclusive,
        char const * minExclusive, char const * maxExclusive, std::int32_t length, std::int32_t totalDigits,
        std::int32_t fractionDigits, WhitespaceRule whitespace, char const * format)
    : CTypedCollection<bool>(CbooleanColCodec, ItemType_boolean, elementName, namespaceUri, minOccurs, maxOccurs, pattern, minLength, maxLength, minInclusive, maxInclusive, minExclusive, maxExclusive, length, totalDigits, fractionDigits, whitespace, format),
      CInstanceMonitor("CbooleanCol")
{
}

CstringCol::CstringCol(char const * elementName, char const * namespaceUri, int minOccurs, int maxOccurs, char const * pattern,
        std::int32_t minLength, std::int32_t maxLength, char const * minInclusive, char const * maxInclusive,
        char const * minExclusive, char const * maxExclusive, std::int32_t length, std::int32_t totalDigits,
        std::int32_t fractionDigits, WhitespaceRule whitespace, char const * format)
    : CTypedCollection<std::string>(CstringColCodec, ItemType_string, elementName, namespaceUri, minOccurs, maxOccurs, pattern, minLength, maxLength, minInclusive, maxInclusive, minExclusive, maxExclusive, length, totalDigits, fractionDigits, whitespace, format),
      CInstanceMonitor("CstringCol")
{
}

CdecimalCol::CdecimalCol(char const * elementName, char const * namespaceUri, int minOccurs, int maxOccurs, char const * pattern,
        std::int32_t minLength, std::int32_t maxLength, char const * minInclusive, char const * maxInclusive,
        char const * minExclusive, char const * maxExclusive, std::int32_t length, std::int32_t totalDigits,
        std::int32_t fractionDigits, WhitespaceRule whitespace, char const * format)
    : CTypedCollection<CDecimal>(CdecimalColCodec, ItemType_decimal, elementName, namespaceUri, minOccurs, maxOccurs, pattern, minLength, maxLength, minInclusive, maxInclusive, minExclusive, maxExclusive, length, totalDigits, fractionDigits, whitespace, format),
      CInstanceMonitor("CdecimalCol")
{
}

CintegerCol::CintegerCol(char const * elementName, char const * namespaceUri, int minOccurs, int maxOccurs, char const * pattern,
        std::int32_t minLength, std::int32_t maxLength, char const * minInclusive, char const * maxInclusive,
        char const * minExclusive, char const * maxExclusive, std::int32_t length, std::int32_t totalDigits,
        std::int32_t fractionDigits, WhitespaceRule whitespace, char const * format)
    : CTypedCollection<CBigInteger>(CintegerColCodec, ItemType_integer, elementName, namespaceUri, minOccurs, maxOccurs, pattern, minLength, maxLength, minInclusive, maxInclusive, minExclusive, maxExclusive, length, totalDigits, fractionDigits, whitespace, format),
      CInstanceMonitor("CintegerCol")
{
}

CdurationCol::CdurationCol(char const * elementName, char const * namespaceUri, int minOccurs, int maxOccurs, char const * pattern,
        std::int32_t minLength, std::int32_t maxLength, char const * minInclusive, char const * maxInclusive,
        char const * minExclusive, char const * maxExclusive, std::int32_t length, std::int32_t totalDigits,
        std::int32_t fractionDigits, WhitespaceRule whitespace, char const * format)
    : CTypedCollection<CDateTimeSpan>(CdurationColCodec, ItemType_duration, elementName, namespaceUri, minOccurs, maxOccurs, pattern, minLength, maxLength, minInclusive, maxInclusive, minExclusive, maxExclusive, length, totalDigits, fractionDigits, whitespace, format),
      CInstanceMonitor("CdurationCol")
{
}

Cbase64BinaryCol::Cbase64BinaryCol(char const * elementName, char const * namespaceUri, int minOccurs, int maxOccurs, char const * pattern,
        std::int32_t minLength, std::int32_t maxLength, char const * minInclusive, char const * maxInclusive,
        char const * minExclusive, char const * maxExclusive, std::int32_t length, std::int32_t totalDigits,
        std::int32_t fractionDigits, WhitespaceRule whitespace, char const * format)
    : CTypedCollection<CBinaryData>(Cbase64BinaryColCodec, ItemType_base64Binary, elementName, namespaceUri, minOccurs, maxOccurs, pattern, minLength, maxLength, minInclusive, maxInclusive, minExclusive, maxExclusive, length, totalDigits, fractionDigits, whitespace, format),
      CInstanceMonitor("Cbase64BinaryCol")
{
}

ChexBinaryCol::ChexBinaryCol(char const * elementName, char const * namespaceUri, int minOccurs, int maxOccurs, char const * pattern,
        std::int32_t minLength, std::int32_t maxLength, char const * minInclusive, char const * maxInclusive,
        char const * minExclusive, char const * maxExclusive, std::int32_t length, std::int32_t totalDigits,
        std::int32_t fractionDigits, WhitespaceRule whitespace, char const * format)
    : CTypedCollection<CBinaryData>(ChexBinaryColCodec, ItemType_hexBinary, elementName, namespaceUri, minOccurs, maxOccurs, pattern, minLength, maxLength, minInclusive, maxInclusive, minExclusive, maxExclusive, length, totalDigits, fractionDigits, whitespace, format),
      CInstanceMonitor("ChexBinaryCol")
{
}

CdayCol::CdayCol(char const * elementName, char const * namespaceUri, int minOccurs, int maxOccurs, char const * pattern,
        std::int32_t minLength, std::int32_t maxLength, char const * minInclusive, char const * maxInclusive,
        char const * minExclusive, char const * maxExclusive, std::int32_t length, std::int32_t totalDigits,
        std::int32_t fractionDigits, WhitespaceRule whitespace, char const * format)
    : CTypedCollection<unsigned char>(CdayColCodec, ItemType_day, elementName, namespaceUri, minOccurs, maxOccurs, pattern, minLength, maxLength, minInclusive, maxInclusive, minExclusive, maxExclusive, length, totalDigits, fractionDigits, whitespace, format),
      CInstanceMonitor("CdayCol")
{
}

CmonthCol::CmonthCol(char const * elementName, char const * namespaceUri, int minOccurs, int maxOccurs, char const * pattern,
        std::int32_t minLength, std::int32_t maxLength, char const * minInclusive, char const * maxInclusive,
        char const * minExclusive, char const * maxExclusive, std::int32_t length, std::int32_t totalDigits,
        std::int32_t fractionDigits, WhitespaceRule whitespace, char const * format)
    : CTypedCollection<unsigned char>(CmonthColCodec, ItemType_month, elementName, namespaceUri, minOccurs, maxOccurs, pattern, minLength, maxLength, minInclusive, maxInclusive, minExclusive, maxExclusive, length, totalDigits, fractionDigits, whitespace, format),
      CInstanceMonitor("CmonthCol")
{
}

CyearCol::CyearCol(char const * elementName, char const * namespaceUri, int minOccurs, int maxOccurs, char const * pattern,
        std::int32_t minLength, std::int32_t maxLength, char const * minInclusive, char const * maxInclusive,
        char const * minExclusive, char const * maxExclusive, std::int32_t length, std::int32_t totalDigits,
        std::int32_t fractionDigits, WhitespaceRule whitespace, char const * format)
    : CTypedCollection<unsigned short>(CyearColCodec, ItemType_year, elementName, namespaceUri, minOccurs, maxOccurs, pattern, minLength, maxLength, minInclusive, maxInclusive, minExclusive, maxExclusive, length, totalDigits, fractionDigits, whitespace, format),
      CInstanceMonitor("CyearCol")
{
}

CdatetimeBaseCol::CdatetimeBaseCol(ItemType itemType, char const * elementName, char const * namespaceUri, int minOccurs, int maxOccurs, char const * pattern,
        std::int32_t minLength, std::int32_t maxLength, char const * minInclusive, char const * maxInclusive,
        char const * minExclusive, char const * maxExclusive, std::int32_t length, std::int32_t totalDigits,
        std::int32_t fractionDigits, WhitespaceRule whitespace, char const * format)
    : CValueCollection<CDateTime>(DateCodec, itemType, elementName, namespaceUri, minOccurs, maxOccurs, pattern, minLength, maxLength, minInclusive, maxInclusive, minExclusive, maxExclusive, length, totalDigits, fractionDigits, whitespace, format)
{
}

void CdatetimeBaseCol::Add(CDateTime const & value) { AddAt(GetCount(), value); }

void CdatetimeBaseCol::AddAt(int index, CDateTime const & value) { InsertAt(index, value, false); }

CDateTime CdatetimeBaseCol::Item(int index) const { return ItemAt(index); }

std::string CdatetimeBaseCol::ItemToString(CDateTime const & value) const { return C::dateToString(value); }

void CdatetimeBaseCol::AddAtOfKind(int index, CDateTime const & value, CDateTime::DTType kind, char const * kindName)
{
    if (value.GetType() != kind)
        throw CNxInvalidParamException(std::string("Dates added to this collection must be of type ") + kindName);
    InsertAt(index, value, false);
}

CdateCol::CdateCol(char const * elementName, char const * namespaceUri, int minOccurs, int maxOccurs, char const * pattern,
        std::int32_t minLength, std::int32_t maxLength, char const * minInclusive, char const * maxInclusive,
        char const * minExclusive, char const * maxExclusive, std::int32_t length, std::int32_t totalDigits,
        std::int32_t fractionDigits, WhitespaceRule whitespace, char const * format)
    : CdatetimeBaseCol(ItemType_date, elementName, namespaceUri, minOccurs, maxOccurs, pattern, minLength, maxLength, minInclusive, maxInclusive, minExclusive, maxExclusive, length, totalDigits, fractionDigits, whitespace, format),
      CInstanceMonitor("CdateCol")
{
}

void CdateCol::AddAt(int index, CDateTime const & value) { AddAtOfKind(index, value, CDateTime::dt_date, "dt_date"); }

void CdateCol::AddFromString(std::string text) { Add(C::dateFromString(text, GetWhitespaceRule())); }

CdatetimeCol::CdatetimeCol(char const * elementName, char const * namespaceUri, int minOccurs, int maxOccurs, char const * pattern,
        std::int32_t minLength, std::int32_t maxLength, char const * minInclusive, char const * maxInclusive,
        char const * minExclusive, char const * maxExclusive, std::int32_t length, std::int32_t totalDigits,
        std::int32_t fractionDigits, WhitespaceRule whitespace, char const * format)
    : CdatetimeBaseCol(ItemType_datetime, elementName, namespaceUri, minOccurs, maxOccurs, pattern, minLength, maxLength, minInclusive, maxInclusive, minExclusive, maxExclusive, length, totalDigits, fractionDigits, whitespace, format),
      CInstanceMonitor("CdatetimeCol")
{
}

void CdatetimeCol::AddAt(int index, CDateTime const & value) { AddAtOfKind(index, value, CDateTime::dt_dateTime, "dt_dateTime"); }

void CdatetimeCol::AddFromString(std::string text) { Add(C::datetimeFromString(text, GetWhitespaceRule())); }

CtimeCol::CtimeCol(char const * elementName, char const * namespaceUri, int minOccurs, int maxOccurs, char const * pattern,
        std::int32_t minLength, std::int32_t maxLength, char const * minInclusive, char const * maxInclusive,
        char const * minExclusive, char const * maxExclusive, std::int32_t length, std::int32_t totalDigits,
        std::int32_t fractionDigits, WhitespaceRule whitespace, char const * format)
    : CdatetimeBaseCol(ItemType_time, elementName, namespaceUri, minOccurs, maxOccurs, pattern, minLength, maxLength, minInclusive, maxInclusive, minExclusive, maxExclusive, length, totalDigits, fractionDigits, whitespace, format),
      CInstanceMonitor("CtimeCol")
{
}

void CtimeCol::AddAt(int index, CDateTime const & value) { AddAtOfKind(index, value, CDateTime::dt_time, "dt_time"); }

void CtimeCol::AddFromString(std::string text) { Add(C::timeFromString(text, GetWhitespaceRule())); }

CmonthDayCol::CmonthDayCol(char const * elementName, char const * namespaceUri, int minOccurs, int maxOccurs, char const * pattern,
        std::int32_t minLength, std::int32_t maxLength, char const * minInclusive, char const * maxInclusive,
        char const * minExclusive, char const * maxExclusive, std::int32_t length, std::int32_t totalDigits,
        std::int32_t fractionDigits, WhitespaceRule whitespace, char const * format)
    : CdatetimeBaseCol(ItemType_monthDay, elementName, namespaceUri, minOccurs, maxOccurs, pattern, minLength, maxLength, minInclusive, maxInclusive, minExclusive, maxExclusive, length, totalDigits, fractionDigits, whitespace, format),
      CInstanceMonitor("CmonthDayCol")
{
}

void CmonthDayCol::AddAt(int index, CDateTime const & value) { AddAtOfKind(index, value, CDateTime::dt_gMonthDay, "dt_gMonthDay"); }

void CmonthDayCol::AddFromString(std::string text) { Add(C::monthDayFromString(text, GetWhitespaceRule())); }

CyearMonthCol::CyearMonthCol(char const * elementName, char const * namespaceUri, int minOccurs, int maxOccurs, char const * pattern,
        std::int32_t minLength, std::int32_t maxLength, char const * minInclusive, char const * maxInclusive,
        char const * minExclusive, char const * maxExclusive, std::int32_t length, std::int32_t totalDigits,
        std::int32_t fractionDigits, WhitespaceRule whitespace, char const * format)
    : CdatetimeBaseCol(ItemType_yearMonth, elementName, namespaceUri, minOccurs, maxOccurs, pattern, minLength, maxLength, minInclusive, maxInclusive, minExclusive, maxExclusive, length, totalDigits, fractionDigits, whitespace, format),
      CInstanceMonitor("CyearMonthCol")
{
}

void CyearMonthCol::AddAt(int index, CDateTime const & value) { AddAtOfKind(index, value, CDateTime::dt_gYearMonth, "dt_gYearMonth"); }

void CyearMonthCol::AddFromString(std::string text) { Add(C::yearMonthFromString(text, GetWhitespaceRule())); }

template class CValueCollection<char>;
template class CValueCollection<short>;
template class CValueCollection<std::int32_t>;
template class CValueCollection<std::int64_t>;
template class CValueCollection<unsigned char>;
template class CValueCollection<unsigned short>;
template class CValueCollection<std::uint32_t>;
template class CValueCollection<std::uint64_t>;
template class CValueCollection<float>;
template class CValueCollection<double>;
template class CValueCollection<bool>;
template class CValueCollection<std::string>;
template class CValueCollection<CDecimal>;
template class CValueCollection<CBigInteger>;
template class CValueCollection<CDateTimeSpan>;
template class CValueCollection<CBinaryData>;
template class CValueCollection<CDateTime>;

} // namespace NxXmlLib16
