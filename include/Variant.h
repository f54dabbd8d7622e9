// NxVariant: one value of any item type, a counted reference to an object, or nothing, with a nil flag.
#pragma once

#include "BigInteger.h"
#include "BinaryData.h"
#include "Conversions.h"
#include "DateTime.h"
#include "Decimal.h"
#include "ItemType.h"
#include "SmartPtr.h"

#include <cstdint>
#include <string>

namespace NxXmlLib16
{

class CXmlObjectBase;
class CXmlCollectionBase;

// Moves member values between generated classes and the serialisers without their native types.
struct NxVariant
{
    NxVariant();
    NxVariant(NxVariant const & other);
    NxVariant & operator=(NxVariant const & other);
    virtual ~NxVariant();

    // Drops the value: the type becomes 0 and the nil flag is cleared.
    void Clear();
    // A type is set, or the value is nil.
    bool IsValid() const { return m_type != ItemType_Invalid || m_nil; }
    void SetInvalid() { Clear(); }
    // Keeps the type, drops the value and marks it nil.
    void SetNil();
    bool IsNil() const { return m_nil; }

    void SetHexBinary(CBinaryData const & value);
    void SetBase64Binary(CBinaryData const & value);
    void SetI1(char value);
    void SetI2(short value);
    void SetI4(std::int32_t value);
    void SetI8(std::int64_t value);
    void SetUI1(unsigned char value);
    void SetUI2(unsigned short value);
    void SetUI4(std::uint32_t value);
    void SetUI8(std::uint64_t value);
    void SetR4(float value);
    void SetR8(double value);
    void SetDuration(CDateTimeSpan const & value);
    void SetYearMonth(CDateTime const & value);
    void SetMonthDay(CDateTime const & value);
    void SetYear(unsigned short value);
    void SetMonth(unsigned char value);
    void SetDay(unsigned char value);
    void SetDate(CDateTime const & value);
    void SetDateTime(CDateTime const & value);
    void SetTime(CDateTime const & value);
    void SetChar(char value);
    void SetString(std::string value);
    void SetBoolean(bool value);
    void SetDecimal(CDecimal const & value);
    void SetInteger(CBigInteger const & value);
    // Holds one reference of the object (null is allowed).
    void SetXmlObject(CXmlObjectBase * value);
    void SetXmlCollection(CXmlCollectionBase * value);

    // Getters read the payload as their own type; reading through another type's getter is
    // the caller's error.
    CBinaryData GetHexBinary() const;
    CBinaryData GetBase64Binary() const;
    char GetI1() const { return m_value.i1; }
    short GetI2() const { return m_value.i2; }
    std::int32_t GetI4() const { return m_value.i4; }
    std::int64_t GetI8() const { return m_value.i8; }
    unsigned char GetUI1() const { return m_value.ui1; }
    unsigned short GetUI2() const { return m_value.ui2; }
    std::uint32_t GetUI4() const { return m_value.ui4; }
    std::uint64_t GetUI8() const { return m_value.ui8; }
    float GetR4() const { return m_value.r4; }
    double GetR8() const { return m_value.r8; }
    CDateTimeSpan GetDuration() const;
    CDateTime GetYearMonth() const;
    CDateTime GetMonthDay() const;
    unsigned short GetYear() const { return m_value.ui2; }
    unsigned char GetMonth() const { return m_value.ui1; }
    unsigned char GetDay() const { return m_value.ui1; }
    CDateTime GetDate() const;
    CDateTime GetDateTime() const;
    CDateTime GetTime() const;
    char GetChar() const { return m_value.i1; }
    std::string GetString() const;
    // The held string without a copy (empty when the variant holds none).
    std::string const & GetStringRef() const;
    // Moves the held string out, leaving an empty one (empty when the variant holds none).
    std::string TakeString();
    bool GetBoolean() const { return m_value.boolean; }
    CDecimal GetDecimal() const;
    // The held decimal without a copy (zero when the variant holds none).
    CDecimal const & GetDecimalRef() const;
    CBigInteger GetInteger() const;
    // The held big integer without a copy (zero when the variant holds none).
    CBigInteger const & GetIntegerRef() const;
    CSmartPtr<CXmlObjectBase> GetXmlObject() const;
    CSmartPtr<CXmlCollectionBase> GetXmlCollection() const;

    ItemType GetTypeAsEnum() const { return m_type; }
    // The item type's name ("i4", "datetime", ...), or "Invalid Type <n>".
    std::string GetType() const;
    // The value's lexical form; the format applies to r4, r8 and decimal.
    std::string ToString(char const * format) const;
    // Parses the text as the type, under the whitespace rule, and stores it.
    void FromString(std::string const & text, ItemType type, WhitespaceRule rule);

private:
    union CValue;

    // Frees the owned copy or releases the reference, leaving the type as it is.
    void FreePayload();
    // Stores the payload of another variant of the same type.
    void CopyPayload(NxVariant const & other);
    // Replaces the value by one held in the union.
    template <class T>
    void StoreInline(ItemType type, T CValue::*field, T value);
    // Replaces the value by a copy of an owned type, built in place.
    template <class T>
    void Store(ItemType type, T value);
    // The owned value of type T held in place.
    template <class T>
    T & Held() const;

    bool m_nil = false;
    ItemType m_type = ItemType_Invalid;
    union CValue
    {
        char i1;
        unsigned char ui1;
        bool boolean;
        short i2;
        unsigned short ui2;
        std::int32_t i4;
        std::uint32_t ui4;
        std::int64_t i8;
        std::uint64_t ui8;
        float r4;
        double r8;
        CXmlObjectBase * object;
        CXmlCollectionBase * collection;
    } m_value{};
    // Owned values (binary data, strings, dates, durations, decimals, big integers) live here,
    // so that moving a value through a variant allocates nothing of its own.
    alignas(8) mutable unsigned char m_held[sizeof(CDecimal) > sizeof(CDateTimeSpan) ? sizeof(CDecimal)
                                                                                     : sizeof(CDateTimeSpan)];
};

} // namespace NxXmlLib16
