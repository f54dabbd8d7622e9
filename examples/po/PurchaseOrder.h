// Bindings of the purchase-order schema (urn:example:po), written as the code generator emits
// them: one class per complex type, metadata tables built once, one property accessor each.
#pragma once

#include <NxXmlLib16.h>

#include <cstdint>
#include <string>

namespace PurchaseOrder
{

using NxXmlLib16::CBinaryData;
using NxXmlLib16::CDateTime;
using NxXmlLib16::CDecimal;
using NxXmlLib16::CSmartPtr;
using NxXmlLib16::CstringCol;
using NxXmlLib16::CXmlObjectBase;
using NxXmlLib16::NxVariant;

extern char const * const TargetNamespace; // "urn:example:po"

// xs:simpleType CurrencyType.
enum class CurrencyType : std::int32_t
{
    EUR = 0,
    USD = 1,
    GBP = 2
};
char const * CurrencyTypeToString(int value);
int CurrencyTypeFromString(char const * text);

class CCustomerType;
class CAddressType;
class CItemsType;
class CItemType;
class CItemTypeCol;
class CPaymentType;
class CCardType;
class CInvoiceType;
class CCashType;

// The class ids that the factory understands.
enum ClassId
{
    ClassId_PurchaseOrderType,
    ClassId_CustomerType,
    ClassId_AddressType,
    ClassId_ItemsType,
    ClassId_ItemType,
    ClassId_PaymentType,
    ClassId_CardType,
    ClassId_InvoiceType,
    ClassId_CashType
};

// Creates the bound classes for the metadata.
class CClassFactory : public NxXmlLib16::CClassfactoryBase
{
public:
    static CSmartPtr<CXmlObjectBase> CreateClass(int classId, char const * elementName);
};

// xs:complexType PurchaseOrderType, the document element purchaseOrder.
class CPurchaseOrderType : public NxXmlLib16::CXmlGeneratedClass
{
public:
    CPurchaseOrderType();

    std::int32_t GetId() const { return m_id; }
    void SetId(std::int32_t value);
    bool HasOrderDate() const { return m_hasOrderDate; }
    CDateTime GetOrderDate() const { return m_orderDate; }
    void SetOrderDate(CDateTime const & value);
    void ClearOrderDate();
    // The currency; EUR, the schema default, when the attribute is absent.
    CurrencyType GetCurrency() const { return m_currency; }
    bool HasCurrency() const { return m_hasCurrency; }
    void SetCurrency(CurrencyType value);
    void ClearCurrency();
    CSmartPtr<CCustomerType> GetCustomer() const { return m_customer; }
    void SetCustomer(CCustomerType * value);
    CSmartPtr<CItemsType> GetItems() const { return m_items; }
    void SetItems(CItemsType * value);
    CSmartPtr<CPaymentType> GetPayment() const { return m_payment; }
    void SetPayment(CPaymentType * value);
    bool HasNotes() const { return m_hasNotes; }
    std::string GetNotes() const { return m_notes; }
    void SetNotes(std::string value);
    void ClearNotes();
    CDecimal GetTotal() const { return m_total; }
    void SetTotal(CDecimal const & value);

public:
    CXmlObjectBase * GetBase() override { return this; }
    std::string GetNamespace() const override { return TargetNamespace; }
    void AccessProperty(int propertyIndex, bool read, NxVariant & value) override;
    NxXmlLib16Data::CParentElementInfo * GetClassInfo() override { return ms_classInfo; }
    NxXmlLib16Data::CElementInfo ** GetClassElementInfo() override { return ms_elementInfo; }
    NxXmlLib16Data::CAttributeInfo ** GetClassAttributeInfo() override { return ms_attributeInfo; }
    void Init() override;
    static void CleanMetaData();

protected:
    std::string GetTargetNamespace() const override { return TargetNamespace; }

private:
    static void BuildMetaData();
    static NxXmlLib16Data::CParentElementInfo * ms_classInfo;
    static NxXmlLib16Data::CElementInfo ** ms_elementInfo;
    static NxXmlLib16Data::CAttributeInfo ** ms_attributeInfo;

    std::int32_t m_id;
    bool m_hasOrderDate;
    CDateTime m_orderDate;
    CurrencyType m_currency;
    bool m_hasCurrency;
    CSmartPtr<CCustomerType> m_customer;
    CSmartPtr<CItemsType> m_items;
    CSmartPtr<CPaymentType> m_payment;
    bool m_hasNotes;
    std::string m_notes;
    CDecimal m_total;
};

// xs:complexType CustomerType.
class CCustomerType : public NxXmlLib16::CXmlGeneratedClass
{
public:
    CCustomerType();

    std::string GetName() const { return m_name; }
    void SetName(std::string value);
    bool HasEmail() const { return m_hasEmail; }
    std::string GetEmail() const { return m_email; }
    void SetEmail(std::string value);
    void ClearEmail();
    CSmartPtr<CAddressType> GetAddress() const { return m_address; }
    void SetAddress(CAddressType * value);

public:
    CXmlObjectBase * GetBase() override { return this; }
    std::string GetNamespace() const override { return TargetNamespace; }
    void AccessProperty(int propertyIndex, bool read, NxVariant & value) override;
    NxXmlLib16Data::CParentElementInfo * GetClassInfo() override { return ms_classInfo; }
    NxXmlLib16Data::CElementInfo ** GetClassElementInfo() override { return ms_elementInfo; }
    NxXmlLib16Data::CAttributeInfo ** GetClassAttributeInfo() override { return ms_attributeInfo; }
    void Init() override;
    static void CleanMetaData();

protected:
    std::string GetTargetNamespace() const override { return TargetNamespace; }

private:
    static void BuildMetaData();
    static NxXmlLib16Data::CParentElementInfo * ms_classInfo;
    static NxXmlLib16Data::CElementInfo ** ms_elementInfo;
    static NxXmlLib16Data::CAttributeInfo ** ms_attributeInfo;

    std::string m_name;
    bool m_hasEmail;
    std::string m_email;
    CSmartPtr<CAddressType> m_address;
};

// xs:complexType AddressType.
class CAddressType : public NxXmlLib16::CXmlGeneratedClass
{
public:
    CAddressType();

    std::string GetStreet() const { return m_street; }
    void SetStreet(std::string value);
    std::string GetCity() const { return m_city; }
    void SetCity(std::string value);
    std::string GetPostcode() const { return m_postcode; }
    void SetPostcode(std::string value);
    std::string GetCountry() const { return m_country; }
    void SetCountry(std::string value);

public:
    CXmlObjectBase * GetBase() override { return this; }
    std::string GetNamespace() const override { return TargetNamespace; }
    void AccessProperty(int propertyIndex, bool read, NxVariant & value) override;
    NxXmlLib16Data::CParentElementInfo * GetClassInfo() override { return ms_classInfo; }
    NxXmlLib16Data::CElementInfo ** GetClassElementInfo() override { return ms_elementInfo; }
    NxXmlLib16Data::CAttributeInfo ** GetClassAttributeInfo() override { return ms_attributeInfo; }
    void Init() override;
    static void CleanMetaData();

protected:
    std::string GetTargetNamespace() const override { return TargetNamespace; }

private:
    static void BuildMetaData();
    static NxXmlLib16Data::CParentElementInfo * ms_classInfo;
    static NxXmlLib16Data::CElementInfo ** ms_elementInfo;
    static NxXmlLib16Data::CAttributeInfo ** ms_attributeInfo;

    std::string m_street;
    std::string m_city;
    std::string m_postcode;
    std::string m_country;
};

// The repeated element item of ItemsType.
class CItemTypeCol : public NxXmlLib16::CXmlCollection
{
public:
    CItemTypeCol(char const * elementName, char const * namespaceUri, int minOccurs, int maxOccurs);

    CSmartPtr<CItemType> Add(CItemType * item);
    CSmartPtr<CItemType> Item(int index) const;
    NxXmlLib16::CNxIterator<CItemType> begin() const { return NxXmlLib16::CNxIterator<CItemType>(GetHead()); }
    NxXmlLib16::CNxIterator<CItemType> end() const { return NxXmlLib16::CNxIterator<CItemType>(); }

protected:
    void ToXml_Int(NxXmlLib16::CXmlWriter * writer, bool isRoot, char const * namespaceUri,
                   NxXmlLib16::CSerializationContext const & context, bool flag) const override;
    NxXmlLib16::CXmlElement * FromXml_Int(NxXmlLib16::CXmlElement * parent, NxXmlLib16::CXmlElement * child,
                                          NxXmlLib16::CSerializationContext const & context, bool flag) override;
};

// xs:complexType ItemsType.
class CItemsType : public NxXmlLib16::CXmlGeneratedClass
{
public:
    CItemsType();

    CSmartPtr<CItemTypeCol> GetItem() const { return m_item; }

public:
    CXmlObjectBase * GetBase() override { return this; }
    std::string GetNamespace() const override { return TargetNamespace; }
    void AccessProperty(int propertyIndex, bool read, NxVariant & value) override;
    NxXmlLib16Data::CParentElementInfo * GetClassInfo() override { return ms_classInfo; }
    NxXmlLib16Data::CElementInfo ** GetClassElementInfo() override { return ms_elementInfo; }
    NxXmlLib16Data::CAttributeInfo ** GetClassAttributeInfo() override { return ms_attributeInfo; }
    void Init() override;
    static void CleanMetaData();

protected:
    std::string GetTargetNamespace() const override { return TargetNamespace; }

private:
    static void BuildMetaData();
    static NxXmlLib16Data::CParentElementInfo * ms_classInfo;
    static NxXmlLib16Data::CElementInfo ** ms_elementInfo;
    static NxXmlLib16Data::CAttributeInfo ** ms_attributeInfo;

    CSmartPtr<CItemTypeCol> m_item;
};

// xs:complexType ItemType.
class CItemType : public NxXmlLib16::CXmlGeneratedClass
{
public:
    CItemType();

    std::string GetSku() const { return m_sku; }
    void SetSku(std::string value);
    std::string GetDescription() const { return m_description; }
    void SetDescription(std::string value);
    std::int32_t GetQuantity() const { return m_quantity; }
    void SetQuantity(std::int32_t value);
    CDecimal GetUnitPrice() const { return m_unitPrice; }
    void SetUnitPrice(CDecimal const & value);
    bool HasShipDate() const { return m_hasShipDate; }
    CDateTime GetShipDate() const { return m_shipDate; }
    void SetShipDate(CDateTime const & value);
    void ClearShipDate();
    bool HasGift() const { return m_hasGift; }
    bool GetGift() const { return m_gift; }
    void SetGift(bool value);
    void ClearGift();
    CSmartPtr<CstringCol> GetTag() const { return m_tag; }

public:
    CXmlObjectBase * GetBase() override { return this; }
    std::string GetNamespace() const override { return TargetNamespace; }
    void AccessProperty(int propertyIndex, bool read, NxVariant & value) override;
    NxXmlLib16Data::CParentElementInfo * GetClassInfo() override { return ms_classInfo; }
    NxXmlLib16Data::CElementInfo ** GetClassElementInfo() override { return ms_elementInfo; }
    NxXmlLib16Data::CAttributeInfo ** GetClassAttributeInfo() override { return ms_attributeInfo; }
    void Init() override;
    static void CleanMetaData();

protected:
    std::string GetTargetNamespace() const override { return TargetNamespace; }

private:
    static void BuildMetaData();
    static NxXmlLib16Data::CParentElementInfo * ms_classInfo;
    static NxXmlLib16Data::CElementInfo ** ms_elementInfo;
    static NxXmlLib16Data::CAttributeInfo ** ms_attributeInfo;

    std::string m_sku;
    std::string m_description;
    std::int32_t m_quantity;
    CDecimal m_unitPrice;
    bool m_hasShipDate;
    CDateTime m_shipDate;
    bool m_hasGift;
    bool m_gift;
    CSmartPtr<CstringCol> m_tag;
};

// xs:complexType PaymentType: a choice of card, invoice or cash.
class CPaymentType : public NxXmlLib16::CXmlGeneratedClass
{
public:
    CPaymentType();

    CSmartPtr<CCardType> GetCard() const { return m_card; }
    void SetCard(CCardType * value);
    CSmartPtr<CInvoiceType> GetInvoice() const { return m_invoice; }
    void SetInvoice(CInvoiceType * value);
    CSmartPtr<CCashType> GetCash() const { return m_cash; }
    void SetCash(CCashType * value);
    // The name of the member that is set, or "".
    std::string GetChoiceSelectedElement() const { return m_selected; }

public:
    CXmlObjectBase * GetBase() override { return this; }
    std::string GetNamespace() const override { return TargetNamespace; }
    void AccessProperty(int propertyIndex, bool read, NxVariant & value) override;
    NxXmlLib16Data::CParentElementInfo * GetClassInfo() override { return ms_classInfo; }
    NxXmlLib16Data::CElementInfo ** GetClassElementInfo() override { return ms_elementInfo; }
    NxXmlLib16Data::CAttributeInfo ** GetClassAttributeInfo() override { return ms_attributeInfo; }
    void Init() override;
    static void CleanMetaData();

protected:
    std::string GetTargetNamespace() const override { return TargetNamespace; }

private:
    static void BuildMetaData();
    static NxXmlLib16Data::CParentElementInfo * ms_classInfo;
    static NxXmlLib16Data::CElementInfo ** ms_elementInfo;
    static NxXmlLib16Data::CAttributeInfo ** ms_attributeInfo;

    CSmartPtr<CCardType> m_card;
    CSmartPtr<CInvoiceType> m_invoice;
    CSmartPtr<CCashType> m_cash;
    std::string m_selected;
};

// xs:complexType CardType.
class CCardType : public NxXmlLib16::CXmlGeneratedClass
{
public:
    CCardType();

    std::string GetNumber() const { return m_number; }
    void SetNumber(std::string value);
    CDateTime GetExpiry() const { return m_expiry; }
    void SetExpiry(CDateTime const & value);

public:
    CXmlObjectBase * GetBase() override { return this; }
    std::string GetNamespace() const override { return TargetNamespace; }
    void AccessProperty(int propertyIndex, bool read, NxVariant & value) override;
    NxXmlLib16Data::CParentElementInfo * GetClassInfo() override { return ms_classInfo; }
    NxXmlLib16Data::CElementInfo ** GetClassElementInfo() override { return ms_elementInfo; }
    NxXmlLib16Data::CAttributeInfo ** GetClassAttributeInfo() override { return ms_attributeInfo; }
    void Init() override;
    static void CleanMetaData();

protected:
    std::string GetTargetNamespace() const override { return TargetNamespace; }

private:
    static void BuildMetaData();
    static NxXmlLib16Data::CParentElementInfo * ms_classInfo;
    static NxXmlLib16Data::CElementInfo ** ms_elementInfo;
    static NxXmlLib16Data::CAttributeInfo ** ms_attributeInfo;

    std::string m_number;
    CDateTime m_expiry;
};

// xs:complexType InvoiceType.
class CInvoiceType : public NxXmlLib16::CXmlGeneratedClass
{
public:
    CInvoiceType();

    CDateTime GetDueDate() const { return m_dueDate; }
    void SetDueDate(CDateTime const & value);

public:
    CXmlObjectBase * GetBase() override { return this; }
    std::string GetNamespace() const override { return TargetNamespace; }
    void AccessProperty(int propertyIndex, bool read, NxVariant & value) override;
    NxXmlLib16Data::CParentElementInfo * GetClassInfo() override { return ms_classInfo; }
    NxXmlLib16Data::CElementInfo ** GetClassElementInfo() override { return ms_elementInfo; }
    NxXmlLib16Data::CAttributeInfo ** GetClassAttributeInfo() override { return ms_attributeInfo; }
    void Init() override;
    static void CleanMetaData();

protected:
    std::string GetTargetNamespace() const override { return TargetNamespace; }

private:
    static void BuildMetaData();
    static NxXmlLib16Data::CParentElementInfo * ms_classInfo;
    static NxXmlLib16Data::CElementInfo ** ms_elementInfo;
    static NxXmlLib16Data::CAttributeInfo ** ms_attributeInfo;

    CDateTime m_dueDate;
};

// xs:complexType CashType: an empty element.
class CCashType : public NxXmlLib16::CXmlGeneratedClass
{
public:
    CCashType();

public:
    CXmlObjectBase * GetBase() override { return this; }
    std::string GetNamespace() const override { return TargetNamespace; }
    void AccessProperty(int propertyIndex, bool read, NxVariant & value) override;
    NxXmlLib16Data::CParentElementInfo * GetClassInfo() override { return ms_classInfo; }
    NxXmlLib16Data::CElementInfo ** GetClassElementInfo() override { return ms_elementInfo; }
    NxXmlLib16Data::CAttributeInfo ** GetClassAttributeInfo() override { return ms_attributeInfo; }
    void Init() override;
    static void CleanMetaData();

protected:
    std::string GetTargetNamespace() const override { return TargetNamespace; }

private:
    static void BuildMetaData();
    static NxXmlLib16Data::CParentElementInfo * ms_classInfo;
    static NxXmlLib16Data::CElementInfo ** ms_elementInfo;
    static NxXmlLib16Data::CAttributeInfo ** ms_attributeInfo;
};

// Releases the metadata of every bound class (at the end of the program).
void CleanAllMetaData();

} // namespace PurchaseOrder
