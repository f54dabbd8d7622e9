#include "TypedCollections.h"

#include "NxException.h"
#include "SerializationContext.h"
#include "Variant.h"
#include "XmlWriter.h"
#include "frame/Messages.h"

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
        throw CNxInvalidParamException(Msg::IndexOutOfRange);
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
        throw CNxInvalidParamException(FormatString(Msg::IndexOutOfRangeUse, index, GetCount() - 1));
    return m_items[static_cast<std::size_t>(index)];
}

template <class T>
void CValueCollection<T>::Remove(int index)
{
    this->FireOnCollectionRemove(index);
    if (index < 0 || index >= GetCount())
        throw CNxInvalidParamException(FormatString(Msg::IndexOutOfRangeUse, index, GetCount() - 1));
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

// Every date and time kind writes through the one formatter, which follows the value's own kind.
std::string PrintDate(CDateTime const & value, std::string const &) { return C::dateToString(value); }

} // namespace

namespace TypedCodecs
{

CValueCodec<char> const i1{"Ci1Col", &C::i1FromString,
                           [](char const & v, std::string const &) { return C::i1ToString(v); },
                           [](NxVariant & variant, char const & v) { variant.SetI1(v); }};
CValueCodec<short> const i2{"Ci2Col", &C::i2FromString,
                            [](short const & v, std::string const &) { return C::i2ToString(v); },
                            [](NxVariant & variant, short const & v) { variant.SetI2(v); }};
CValueCodec<std::int32_t> const i4{"Ci4Col", &C::i4FromString,
                                   [](std::int32_t const & v, std::string const &) { return C::i4ToString(v); },
                                   [](NxVariant & variant, std::int32_t const & v) { variant.SetI4(v); }};
CValueCodec<std::int64_t> const i8{"Ci8Col", &C::i8FromString,
                                   [](std::int64_t const & v, std::string const &) { return C::i8ToString(v); },
                                   [](NxVariant & variant, std::int64_t const & v) { variant.SetI8(v); }};
CValueCodec<unsigned char> const ui1{"Cui1Col", &C::ui1FromString,
                                     [](unsigned char const & v, std::string const &) { return C::ui1ToString(v); },
                                     [](NxVariant & variant, unsigned char const & v) { variant.SetUI1(v); }};
CValueCodec<unsigned short> const ui2{"Cui2Col", &C::ui2FromString,
                                      [](unsigned short const & v, std::string const &) { return C::ui2ToString(v); },
                                      [](NxVariant & variant, unsigned short const & v) { variant.SetUI2(v); }};
CValueCodec<std::uint32_t> const ui4{"Cui4Col", &C::ui4FromString,
                                     [](std::uint32_t const & v, std::string const &) { return C::ui4ToString(v); },
                                     [](NxVariant & variant, std::uint32_t const & v) { variant.SetUI4(v); }};
CValueCodec<std::uint64_t> const ui8{"Cui8Col", &C::ui8FromString,
                                     [](std::uint64_t const & v, std::string const &) { return C::ui8ToString(v); },
                                     [](NxVariant & variant, std::uint64_t const & v) { variant.SetUI8(v); }};
CValueCodec<float> const r4{"Cr4Col", &C::r4FromString,
                            [](float const & v, std::string const & format) { return C::r4ToString(v, format); },
                            [](NxVariant & variant, float const & v) { variant.SetR4(v); }};
CValueCodec<double> const r8{"Cr8Col", &C::r8FromString,
                             [](double const & v, std::string const & format) { return C::r8ToString(v, format); },
                             [](NxVariant & variant, double const & v) { variant.SetR8(v); }};
CValueCodec<bool> const boolean{"CbooleanCol", &C::booleanFromString,
                                [](bool const & v, std::string const &) { return C::booleanToString(v); }, nullptr};
CValueCodec<std::string> const string{"CstringCol", &C::stringFromString,
                                      [](std::string const & v, std::string const &) { return C::stringToString(v); },
                                      [](NxVariant & variant, std::string const & v) { variant.SetString(v); }};
CValueCodec<CDecimal> const decimal{"CdecimalCol", &C::decimalFromString,
                                    [](CDecimal const & v, std::string const & format)
                                    { return C::decimalToString(v, format); },
                                    [](NxVariant & variant, CDecimal const & v) { variant.SetDecimal(v); }};
CValueCodec<CBigInteger> const integer{"CintegerCol", &C::integerFromString,
                                       [](CBigInteger const & v, std::string const &) { return C::integerToString(v); },
                                       [](NxVariant & variant, CBigInteger const & v) { variant.SetInteger(v); }};
CValueCodec<CDateTimeSpan> const duration{"CdurationCol", &C::durationFromString,
                                          [](CDateTimeSpan const & v, std::string const &)
                                          { return C::durationToString(v); },
                                          [](NxVariant & variant, CDateTimeSpan const & v) { variant.SetDuration(v); }};
CValueCodec<CBinaryData> const base64Binary{
    "Cbase64BinaryCol", &C::base64BinaryFromString,
    [](CBinaryData const & v, std::string const &) { return C::base64BinaryToString(v); },
    [](NxVariant & variant, CBinaryData const & v) { variant.SetBase64Binary(v); }};
CValueCodec<CBinaryData> const hexBinary{"ChexBinaryCol", &C::hexBinaryFromString,
                                         [](CBinaryData const & v, std::string const &)
                                         { return C::hexBinaryToString(v); },
                                         [](NxVariant & variant, CBinaryData const & v) { variant.SetHexBinary(v); }};
CValueCodec<unsigned char> const day{"CdayCol", &C::dayFromString,
                                     [](unsigned char const & v, std::string const &) { return C::dayToString(v); },
                                     [](NxVariant & variant, unsigned char const & v) { variant.SetDay(v); }};
CValueCodec<unsigned char> const month{"CmonthCol", &C::monthFromString,
                                       [](unsigned char const & v, std::string const &) { return C::monthToString(v); },
                                       [](NxVariant & variant, unsigned char const & v) { variant.SetMonth(v); }};
CValueCodec<unsigned short> const year{"CyearCol", &C::yearFromString,
                                       [](unsigned short const & v, std::string const &) { return C::yearToString(v); },
                                       [](NxVariant & variant, unsigned short const & v) { variant.SetYear(v); }};
CValueCodec<CDateTime> const date{"CdateCol", &C::dateFromString, &PrintDate, nullptr};
CValueCodec<CDateTime> const datetime{"CdatetimeCol", &C::datetimeFromString, &PrintDate, nullptr};
CValueCodec<CDateTime> const time{"CtimeCol", &C::timeFromString, &PrintDate, nullptr};
CValueCodec<CDateTime> const monthDay{"CmonthDayCol", &C::monthDayFromString, &PrintDate, nullptr};
CValueCodec<CDateTime> const yearMonth{"CyearMonthCol", &C::yearMonthFromString, &PrintDate, nullptr};

} // namespace TypedCodecs

namespace
{

// The codec of the date base; each kind reads its own lexical form.
CValueCodec<CDateTime> const DateCodec{"CdatetimeBaseCol", &C::dateFromString, &PrintDate, nullptr};

} // namespace

CdatetimeBaseCol::CdatetimeBaseCol(ItemType itemType, char const * elementName, char const * namespaceUri,
                                   int minOccurs, int maxOccurs, char const * pattern, std::int32_t minLength,
                                   std::int32_t maxLength, char const * minInclusive, char const * maxInclusive,
                                   char const * minExclusive, char const * maxExclusive, std::int32_t length,
                                   std::int32_t totalDigits, std::int32_t fractionDigits, WhitespaceRule whitespace,
                                   char const * format)
    : CValueCollection<CDateTime>(DateCodec, itemType, elementName, namespaceUri, minOccurs, maxOccurs, pattern,
                                  minLength, maxLength, minInclusive, maxInclusive, minExclusive, maxExclusive, length,
                                  totalDigits, fractionDigits, whitespace, format)
{
}

void CdatetimeBaseCol::Add(CDateTime const & value) { AddAt(GetCount(), value); }

void CdatetimeBaseCol::AddAt(int index, CDateTime const & value) { InsertAt(index, value, false); }

CDateTime CdatetimeBaseCol::Item(int index) const { return ItemAt(index); }

std::string CdatetimeBaseCol::ItemToString(CDateTime const & value) const { return C::dateToString(value); }

void CdatetimeBaseCol::AddAtOfKind(int index, CDateTime const & value)
{
    struct CKindOfItem
    {
        ItemType itemType;
        CDateTime::DTType kind;
        char const * kindName;
    };
    static CKindOfItem const kinds[] = {{ItemType_date, CDateTime::dt_date, "dt_date"},
                                        {ItemType_datetime, CDateTime::dt_dateTime, "dt_dateTime"},
                                        {ItemType_time, CDateTime::dt_time, "dt_time"},
                                        {ItemType_monthDay, CDateTime::dt_gMonthDay, "dt_gMonthDay"},
                                        {ItemType_yearMonth, CDateTime::dt_gYearMonth, "dt_gYearMonth"}};
    for (CKindOfItem const & kind : kinds)
    {
        if (kind.itemType == GetItemType() && value.GetType() != kind.kind)
            throw CNxInvalidParamException(std::string(Msg::DatesMustBeOfTypeOpen) + kind.kindName);
    }
    InsertAt(index, value, false);
}

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
