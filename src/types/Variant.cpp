#include "Variant.h"

#include "NxException.h"
#include "XmlCollection.h"
#include "XmlObjectBase.h"
#include "frame/Messages.h"

#include <new>
#include <utility>

namespace NxXmlLib16
{

namespace
{

bool IsDateKind(ItemType type)
{
    return type == ItemType_yearMonth || type == ItemType_monthDay || type == ItemType_date ||
           type == ItemType_datetime || type == ItemType_time;
}

} // namespace

template <class T>
T & NxVariant::Held() const
{
    static_assert(sizeof(T) <= sizeof(m_held), "the variant's storage holds every owned type");
    return *reinterpret_cast<T *>(m_held);
}

template <class T>
void NxVariant::StoreInline(ItemType type, T CValue::*field, T value)
{
    Clear();
    m_value.*field = value;
    m_type = type;
}

template <class T>
void NxVariant::Store(ItemType type, T value)
{
    Clear();
    new (m_held) T(std::move(value));
    m_type = type;
}

NxVariant::NxVariant() = default;

NxVariant::NxVariant(NxVariant const & other) : m_nil(other.m_nil) { CopyPayload(other); }

NxVariant & NxVariant::operator=(NxVariant const & other)
{
    if (this != &other)
    {
        NxVariant copy(other); // a failed copy leaves this variant as it was
        Clear();
        m_nil = copy.m_nil;
        CopyPayload(copy);
    }
    return *this;
}

NxVariant::~NxVariant() { Clear(); }

void NxVariant::CopyPayload(NxVariant const & other)
{
    if (other.m_type < ItemType_Invalid || other.m_type > ItemType_XmlCollection)
        throw CNxException(Msg::UnknownVariantType);
    m_value = other.m_value;
    if (other.m_nil && other.m_type != ItemType_Invalid)
    {
        m_value = CValue{};
        m_type = other.m_type;
        return;
    }
    switch (other.m_type)
    {
    case ItemType_hexBinary:
    case ItemType_base64Binary: new (m_held) CBinaryData(other.Held<CBinaryData>()); break;
    case ItemType_duration: new (m_held) CDateTimeSpan(other.Held<CDateTimeSpan>()); break;
    case ItemType_string: new (m_held) std::string(other.Held<std::string>()); break;
    case ItemType_decimal: new (m_held) CDecimal(other.Held<CDecimal>()); break;
    case ItemType_integer: new (m_held) CBigInteger(other.Held<CBigInteger>()); break;
    case ItemType_XmlObject:
        if (m_value.object != nullptr)
            m_value.object->AddRef();
        break;
    case ItemType_XmlCollection:
        if (m_value.collection != nullptr)
            m_value.collection->AddRef();
        break;
    default:
        if (IsDateKind(other.m_type))
            new (m_held) CDateTime(other.Held<CDateTime>());
        break;
    }
    m_type = other.m_type;
}

void NxVariant::FreePayload()
{
    if (m_nil)
        return; // a nil variant holds no payload
    switch (m_type)
    {
    case ItemType_hexBinary:
    case ItemType_base64Binary: Held<CBinaryData>().~CBinaryData(); break;
    case ItemType_duration: Held<CDateTimeSpan>().~CDateTimeSpan(); break;
    case ItemType_string: Held<std::string>().~basic_string(); break;
    case ItemType_decimal: Held<CDecimal>().~CDecimal(); break;
    case ItemType_integer: Held<CBigInteger>().~CBigInteger(); break;
    case ItemType_XmlObject:
        if (m_value.object != nullptr)
            m_value.object->Release();
        break;
    case ItemType_XmlCollection:
        if (m_value.collection != nullptr)
            m_value.collection->Release();
        break;
    default:
        if (IsDateKind(m_type))
            Held<CDateTime>().~CDateTime();
        break;
    }
    m_value = CValue{};
}

void NxVariant::Clear()
{
    if (m_type == ItemType_Invalid)
        return;
    FreePayload();
    m_nil = false;
    m_type = ItemType_Invalid;
}

void NxVariant::SetNil()
{
    FreePayload();
    m_nil = true;
}

void NxVariant::SetHexBinary(CBinaryData const & value) { Store(ItemType_hexBinary, value); }

void NxVariant::SetBase64Binary(CBinaryData const & value) { Store(ItemType_base64Binary, value); }

void NxVariant::SetI1(char value) { StoreInline(ItemType_i1, &CValue::i1, value); }

void NxVariant::SetI2(short value) { StoreInline(ItemType_i2, &CValue::i2, value); }

void NxVariant::SetI4(std::int32_t value) { StoreInline(ItemType_i4, &CValue::i4, value); }

void NxVariant::SetI8(std::int64_t value) { StoreInline(ItemType_i8, &CValue::i8, value); }

void NxVariant::SetUI1(unsigned char value) { StoreInline(ItemType_ui1, &CValue::ui1, value); }

void NxVariant::SetUI2(unsigned short value) { StoreInline(ItemType_ui2, &CValue::ui2, value); }

void NxVariant::SetUI4(std::uint32_t value) { StoreInline(ItemType_ui4, &CValue::ui4, value); }

void NxVariant::SetUI8(std::uint64_t value) { StoreInline(ItemType_ui8, &CValue::ui8, value); }

void NxVariant::SetR4(float value) { StoreInline(ItemType_r4, &CValue::r4, value); }

void NxVariant::SetR8(double value) { StoreInline(ItemType_r8, &CValue::r8, value); }

void NxVariant::SetDuration(CDateTimeSpan const & value) { Store(ItemType_duration, value); }

void NxVariant::SetYearMonth(CDateTime const & value) { Store(ItemType_yearMonth, value); }

void NxVariant::SetMonthDay(CDateTime const & value) { Store(ItemType_monthDay, value); }

void NxVariant::SetYear(unsigned short value) { StoreInline(ItemType_year, &CValue::ui2, value); }

void NxVariant::SetMonth(unsigned char value) { StoreInline(ItemType_month, &CValue::ui1, value); }

void NxVariant::SetDay(unsigned char value) { StoreInline(ItemType_day, &CValue::ui1, value); }

void NxVariant::SetDate(CDateTime const & value) { Store(ItemType_date, value); }

void NxVariant::SetDateTime(CDateTime const & value) { Store(ItemType_datetime, value); }

void NxVariant::SetTime(CDateTime const & value) { Store(ItemType_time, value); }

void NxVariant::SetChar(char value) { StoreInline(ItemType_char, &CValue::i1, value); }

void NxVariant::SetString(std::string value) { Store(ItemType_string, std::move(value)); }

void NxVariant::SetBoolean(bool value) { StoreInline(ItemType_boolean, &CValue::boolean, value); }

void NxVariant::SetDecimal(CDecimal const & value) { Store(ItemType_decimal, value); }

void NxVariant::SetInteger(CBigInteger const & value) { Store(ItemType_integer, value); }

void NxVariant::SetXmlObject(CXmlObjectBase * value)
{
    if (value != nullptr)
        value->AddRef();
    Clear();
    m_type = ItemType_XmlObject;
    m_value.object = value;
}

void NxVariant::SetXmlCollection(CXmlCollectionBase * value)
{
    if (value != nullptr)
        value->AddRef();
    Clear();
    m_type = ItemType_XmlCollection;
    m_value.collection = value;
}

// Getters of owned values: a default value when the variant holds none of the kind.
CBinaryData NxVariant::GetHexBinary() const
{
    bool const held = !m_nil && (m_type == ItemType_hexBinary || m_type == ItemType_base64Binary);
    return held ? Held<CBinaryData>() : CBinaryData();
}

CBinaryData NxVariant::GetBase64Binary() const { return GetHexBinary(); }

CDateTimeSpan NxVariant::GetDuration() const
{
    return !m_nil && m_type == ItemType_duration ? Held<CDateTimeSpan>() : CDateTimeSpan();
}

CDateTime NxVariant::GetYearMonth() const { return !m_nil && IsDateKind(m_type) ? Held<CDateTime>() : CDateTime(); }

CDateTime NxVariant::GetMonthDay() const { return GetYearMonth(); }

CDateTime NxVariant::GetDate() const { return GetYearMonth(); }

CDateTime NxVariant::GetDateTime() const { return GetYearMonth(); }

CDateTime NxVariant::GetTime() const { return GetYearMonth(); }

std::string NxVariant::GetString() const { return GetStringRef(); }

std::string const & NxVariant::GetStringRef() const
{
    static std::string const empty;
    return !m_nil && m_type == ItemType_string ? Held<std::string>() : empty;
}

std::string NxVariant::TakeString()
{
    if (m_nil || m_type != ItemType_string)
        return std::string();
    return std::move(Held<std::string>());
}

CDecimal NxVariant::GetDecimal() const { return GetDecimalRef(); }

CDecimal const & NxVariant::GetDecimalRef() const
{
    static CDecimal const zero;
    return !m_nil && m_type == ItemType_decimal ? Held<CDecimal>() : zero;
}

CBigInteger NxVariant::GetInteger() const { return GetIntegerRef(); }

CBigInteger const & NxVariant::GetIntegerRef() const
{
    static CBigInteger const zero;
    return !m_nil && m_type == ItemType_integer ? Held<CBigInteger>() : zero;
}

CSmartPtr<CXmlObjectBase> NxVariant::GetXmlObject() const
{
    return CSmartPtr<CXmlObjectBase>(m_type == ItemType_XmlObject ? m_value.object : nullptr);
}

CSmartPtr<CXmlCollectionBase> NxVariant::GetXmlCollection() const
{
    return CSmartPtr<CXmlCollectionBase>(m_type == ItemType_XmlCollection ? m_value.collection : nullptr);
}

std::string NxVariant::GetType() const
{
    static char const * const names[] = {
        "",    "hexBinary", "base64Binary", "i1",   "i2",       "i4",        "i8",       "ui1",     "ui2",
        "ui4", "ui8",       "r4",           "r8",   "duration", "yearMonth", "monthDay", "year",    "month",
        "day", "date",      "datetime",     "time", "char",     "string",    "boolean",  "decimal", "integer"};
    if (m_type >= ItemType_hexBinary && m_type <= ItemType_integer)
        return names[m_type];
    return FormatString("Invalid Type %d", static_cast<int>(m_type));
}

std::string NxVariant::ToString(char const * format) const
{
    std::string const givenFormat = format != nullptr ? format : "";
    using C = CConversions;
    switch (m_type)
    {
    case ItemType_hexBinary: return C::hexBinaryToString(GetHexBinary());
    case ItemType_base64Binary: return C::base64BinaryToString(GetBase64Binary());
    case ItemType_i1: return C::i1ToString(m_value.i1);
    case ItemType_i2: return C::i2ToString(m_value.i2);
    case ItemType_i4: return C::i4ToString(m_value.i4);
    case ItemType_i8: return C::i8ToString(m_value.i8);
    case ItemType_ui1: return C::ui1ToString(m_value.ui1);
    case ItemType_ui2: return C::ui2ToString(m_value.ui2);
    case ItemType_ui4: return C::ui4ToString(m_value.ui4);
    case ItemType_ui8: return C::ui8ToString(m_value.ui8);
    case ItemType_r4: return C::r4ToString(m_value.r4, givenFormat);
    case ItemType_r8: return C::r8ToString(m_value.r8, givenFormat);
    case ItemType_duration: return C::durationToString(GetDuration());
    case ItemType_yearMonth:
    case ItemType_monthDay:
    case ItemType_date:
    case ItemType_datetime:
    case ItemType_time: return C::dateToString(GetDate());
    case ItemType_year: return C::yearToString(m_value.ui2);
    case ItemType_month: return C::monthToString(m_value.ui1);
    case ItemType_day: return C::dayToString(m_value.ui1);
    case ItemType_char: return C::charToString(m_value.i1);
    case ItemType_string: return C::stringToString(GetStringRef());
    case ItemType_boolean: return C::booleanToString(m_value.boolean);
    case ItemType_decimal: return C::decimalToString(GetDecimalRef(), givenFormat);
    case ItemType_integer: return C::integerToString(GetIntegerRef());
    default: throw CNxException(FormatString(Msg::InvalidTypeToString, static_cast<int>(m_type)));
    }
}

void NxVariant::FromString(std::string const & text, ItemType type, WhitespaceRule rule)
{
    using C = CConversions;
    switch (type)
    {
    case ItemType_hexBinary: SetHexBinary(C::hexBinaryFromString(text, rule)); break;
    case ItemType_base64Binary: SetBase64Binary(C::base64BinaryFromString(text, rule)); break;
    case ItemType_i1: SetI1(C::i1FromString(text, rule)); break;
    case ItemType_i2: SetI2(C::i2FromString(text, rule)); break;
    case ItemType_i4: SetI4(C::i4FromString(text, rule)); break;
    case ItemType_i8: SetI8(C::i8FromString(text, rule)); break;
    case ItemType_ui1: SetUI1(C::ui1FromString(text, rule)); break;
    case ItemType_ui2: SetUI2(C::ui2FromString(text, rule)); break;
    case ItemType_ui4: SetUI4(C::ui4FromString(text, rule)); break;
    case ItemType_ui8: SetUI8(C::ui8FromString(text, rule)); break;
    case ItemType_r4: SetR4(C::r4FromString(text, rule)); break;
    case ItemType_r8: SetR8(C::r8FromString(text, rule)); break;
    case ItemType_duration: SetDuration(C::durationFromString(text, rule)); break;
    case ItemType_yearMonth: SetYearMonth(C::yearMonthFromString(text, rule)); break;
    case ItemType_monthDay: SetMonthDay(C::monthDayFromString(text, rule)); break;
    case ItemType_year: SetYear(C::yearFromString(text, rule)); break;
    case ItemType_month: SetMonth(C::monthFromString(text, rule)); break;
    case ItemType_day: SetDay(C::dayFromString(text, rule)); break;
    case ItemType_date: SetDate(C::dateFromString(text, rule)); break;
    case ItemType_datetime: SetDateTime(C::datetimeFromString(text, rule)); break;
    case ItemType_time: SetTime(C::timeFromString(text, rule)); break;
    case ItemType_char: SetChar(C::charFromString(text, rule)); break;
    case ItemType_string: SetString(C::stringFromString(text, rule)); break;
    case ItemType_boolean: SetBoolean(C::booleanFromString(text, rule)); break;
    case ItemType_decimal: SetDecimal(C::decimalFromString(text, rule)); break;
    case ItemType_integer: SetInteger(C::integerFromString(text, rule)); break;
    default: throw CNxException(FormatString(Msg::InvalidTypeToString, static_cast<int>(type)));
    }
}

} // namespace NxXmlLib16
