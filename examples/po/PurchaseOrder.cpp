// Bindings of the purchase-order schema, as the code generator emits them.
#include "PurchaseOrder.h"

namespace PurchaseOrder
{

using namespace NxXmlLib16;
using namespace NxXmlLib16Data;

char const * const TargetNamespace = "urn:example:po";

namespace
{

WhitespaceRule const Preserve = CWhitespaceUtils::WhitespaceRule_Preserve;
WhitespaceRule const Collapse = CWhitespaceUtils::WhitespaceRule_Collapse;

// The facets of one simple type.
CPrimitiveRestrictions Facets(char const * pattern, std::int32_t minLength, std::int32_t maxLength,
                              char const * minInclusive, std::int32_t length, std::int32_t fractionDigits)
{
    return CPrimitiveRestrictions(pattern, minLength, maxLength, minInclusive, nullptr, nullptr, nullptr, length, -1,
                                  fractionDigits);
}

CPrimitiveRestrictions const NoFacets;
CPrimitiveRestrictions const EmailFacets = Facets("[^@\\s]+@[^@\\s]+\\.[A-Za-z]{2,}", -1, -1, nullptr, -1, -1);
CPrimitiveRestrictions const PostcodeFacets = Facets("[0-9A-Z][0-9A-Z \\-]{2,9}", -1, -1, nullptr, -1, -1);
CPrimitiveRestrictions const CountryFacets = Facets(nullptr, -1, -1, nullptr, 2, -1);
CPrimitiveRestrictions const SkuFacets = Facets("[A-Z]{3}-[0-9]{5}", -1, -1, nullptr, -1, -1);
CPrimitiveRestrictions const DescriptionFacets = Facets(nullptr, -1, 200, nullptr, -1, -1);
CPrimitiveRestrictions const QuantityFacets = Facets(nullptr, -1, -1, "1", -1, -1);
CPrimitiveRestrictions const PriceFacets = Facets(nullptr, -1, -1, nullptr, -1, 2);
CPrimitiveRestrictions const CardNumberFacets = Facets("[0-9]{4}( [0-9]{4}){3}", -1, -1, nullptr, -1, -1);

// A null-terminated table of descriptors, allocated as CleanMetaData frees it.
template <class Info, std::size_t Count>
Info ** Table(Info * const (&infos)[Count])
{
    Info ** const table = new Info *[Count + 1];
    for (std::size_t i = 0; i < Count; ++i)
        table[i] = infos[i];
    table[Count] = nullptr;
    return table;
}

CAttributeInfo ** NoAttributes() { return new CAttributeInfo *[1]{nullptr}; }

// Checks a value against the facets of a member before a setter stores it.
void CheckElement(CElementInfo ** table, int index, NxVariant const & value) { table[index]->CheckRestriction(value); }

void CheckElement(CElementInfo ** table, int index, std::string const & value) { table[index]->CheckRestriction(value); }

template <class T>
T * As(NxVariant const & value)
{
    return dynamic_cast<T *>(value.GetXmlObject().Get());
}

} // namespace

char const * CurrencyTypeToString(int value)
{
    switch (static_cast<CurrencyType>(value))
    {
    case CurrencyType::EUR: return "EUR";
    case CurrencyType::USD: return "USD";
    case CurrencyType::GBP: return "GBP";
    }
    throw CNxInvalidValueException(FormatString("The value [%d] is not a member of the enumeration CurrencyType", value));
}

int CurrencyTypeFromString(char const * text)
{
    std::string const value = CWhitespaceUtils::Collapse(text != nullptr ? text : "");
    if (value == "EUR")
        return static_cast<int>(CurrencyType::EUR);
    if (value == "USD")
        return static_cast<int>(CurrencyType::USD);
    if (value == "GBP")
        return static_cast<int>(CurrencyType::GBP);
    throw CNxInvalidValueException(
        FormatString("The value [%s] is not a member of the enumeration CurrencyType", value.c_str()));
}

CSmartPtr<CXmlObjectBase> CClassFactory::CreateClass(int classId, char const *)
{
    switch (classId)
    {
    case ClassId_PurchaseOrderType: return CSmartPtr<CXmlObjectBase>(new CPurchaseOrderType);
    case ClassId_CustomerType: return CSmartPtr<CXmlObjectBase>(new CCustomerType);
    case ClassId_AddressType: return CSmartPtr<CXmlObjectBase>(new CAddressType);
    case ClassId_ItemsType: return CSmartPtr<CXmlObjectBase>(new CItemsType);
    case ClassId_ItemType: return CSmartPtr<CXmlObjectBase>(new CItemType);
    case ClassId_PaymentType: return CSmartPtr<CXmlObjectBase>(new CPaymentType);
    case ClassId_CardType: return CSmartPtr<CXmlObjectBase>(new CCardType);
    case ClassId_InvoiceType: return CSmartPtr<CXmlObjectBase>(new CInvoiceType);
    case ClassId_CashType: return CSmartPtr<CXmlObjectBase>(new CCashType);
    default: return CSmartPtr<CXmlObjectBase>();
    }
}

// ---- PurchaseOrderType ------------------------------------------------------------------------

CParentElementInfo * CPurchaseOrderType::ms_classInfo = nullptr;
CElementInfo ** CPurchaseOrderType::ms_elementInfo = nullptr;
CAttributeInfo ** CPurchaseOrderType::ms_attributeInfo = nullptr;

void CPurchaseOrderType::BuildMetaData()
{
    CNXCriticalSection::CScopedLock const lock(m_csInit);
    if (ms_classInfo != nullptr)
        return;
    ms_elementInfo = Table<CElementInfo>({
        new CElementInfoSeqClsMnd("customer", TargetNamespace, 0, XmlElementType_Element, &CClassFactory::CreateClass,
                                  ClassId_CustomerType, false),
        new CElementInfoSeqClsMnd("items", TargetNamespace, 1, XmlElementType_Element, &CClassFactory::CreateClass,
                                  ClassId_ItemsType, false),
        new CElementInfoSeqClsMnd("payment", TargetNamespace, 2, XmlElementType_Element, &CClassFactory::CreateClass,
                                  ClassId_PaymentType, false),
        new CElementInfoSeqPrimOpt("notes", TargetNamespace, 3, false, ItemType_string, nullptr, Preserve, NoFacets,
                                   nullptr),
        new CElementInfoSeqPrimMnd("total", TargetNamespace, 4, false, ItemType_decimal, "2", Collapse, NoFacets,
                                   nullptr),
    });
    ms_attributeInfo = Table<CAttributeInfo>({
        new CAttributeInfoPrimitive("id", "", 5, false, ItemType_i4, nullptr, Collapse, NoFacets, nullptr),
        new CAttributeInfoPrimitive("orderDate", "", 6, true, ItemType_date, nullptr, Collapse, NoFacets, nullptr),
        new CAttributeInfoEnum("currency", "", 7, true, &CurrencyTypeToString, &CurrencyTypeFromString, "EUR"),
    });
    ms_classInfo = new CParentElementInfo(XmlElementGroupType_Sequence, XmlElementType_Element, "PurchaseOrderType",
                                          TargetNamespace, true, false, -1, ItemType_Invalid, nullptr, false);
}

void CPurchaseOrderType::CleanMetaData() { CXmlGeneratedClass::CleanMetaData(ms_classInfo, ms_elementInfo, ms_attributeInfo); }

CPurchaseOrderType::CPurchaseOrderType()
{
    BuildMetaData();
    SetElementName("purchaseOrder");
    Init();
}

void CPurchaseOrderType::Init()
{
    m_id = 0;
    m_hasOrderDate = false;
    m_orderDate = CDateTime(CDateTime::dt_date);
    m_currency = CurrencyType::EUR;
    m_hasCurrency = false;
    m_customer = new CCustomerType;
    m_items = new CItemsType;
    m_payment = new CPaymentType;
    m_hasNotes = false;
    m_notes.clear();
    m_total = CDecimal();
}

void CPurchaseOrderType::SetId(std::int32_t value) { m_id = value; }

void CPurchaseOrderType::SetOrderDate(CDateTime const & value)
{
    m_orderDate = CDateTime(CDateTime::dt_date);
    m_orderDate.SetDateTime(value, CDateTime::dt_date);
    m_hasOrderDate = true;
}

void CPurchaseOrderType::ClearOrderDate() { m_hasOrderDate = false; }

void CPurchaseOrderType::SetCurrency(CurrencyType value)
{
    m_currency = value;
    m_hasCurrency = true;
}

void CPurchaseOrderType::ClearCurrency()
{
    m_currency = CurrencyType::EUR;
    m_hasCurrency = false;
}

void CPurchaseOrderType::SetCustomer(CCustomerType * value)
{
    CSmartPtr<CCustomerType> const held(value); // a refused object is released, not leaked
    Throw_IfPropertyIsNull(value, "Customer");
    m_customer = held;
}

void CPurchaseOrderType::SetItems(CItemsType * value)
{
    CSmartPtr<CItemsType> const held(value); // a refused object is released, not leaked
    Throw_IfPropertyIsNull(value, "Items");
    m_items = held;
}

void CPurchaseOrderType::SetPayment(CPaymentType * value)
{
    CSmartPtr<CPaymentType> const held(value); // a refused object is released, not leaked
    Throw_IfPropertyIsNull(value, "Payment");
    m_payment = held;
}

void CPurchaseOrderType::SetNotes(std::string value)
{
    m_notes = std::move(value);
    m_hasNotes = true;
}

void CPurchaseOrderType::ClearNotes()
{
    m_notes.clear();
    m_hasNotes = false;
}

void CPurchaseOrderType::SetTotal(CDecimal const & value) { m_total = value; }

void CPurchaseOrderType::AccessProperty(int propertyIndex, bool read, NxVariant & value)
{
    switch (propertyIndex)
    {
    case 0:
        if (read)
            value.SetXmlObject(m_customer);
        else
            SetCustomer(As<CCustomerType>(value));
        break;
    case 1:
        if (read)
            value.SetXmlObject(m_items);
        else
            SetItems(As<CItemsType>(value));
        break;
    case 2:
        if (read)
            value.SetXmlObject(m_payment);
        else
            SetPayment(As<CPaymentType>(value));
        break;
    case 3:
        if (read && m_hasNotes)
            value.SetString(m_notes);
        else if (read)
            value.Clear();
        else if (value.IsValid())
            SetNotes(value.TakeString());
        else
            ClearNotes();
        break;
    case 4:
        if (read)
            value.SetDecimal(m_total);
        else
            SetTotal(value.GetDecimalRef());
        break;
    case 5:
        if (read)
            value.SetI4(m_id);
        else
            SetId(value.GetI4());
        break;
    case 6:
        if (read && m_hasOrderDate)
            value.SetDate(m_orderDate);
        else if (read)
            value.Clear();
        else if (value.IsValid())
            SetOrderDate(value.GetDate());
        else
            ClearOrderDate();
        break;
    case 7:
        if (read && m_hasCurrency)
            value.SetI4(static_cast<std::int32_t>(m_currency));
        else if (read)
            value.Clear();
        else if (value.IsValid())
            SetCurrency(static_cast<CurrencyType>(value.GetI4()));
        else
            ClearCurrency();
        break;
    default: throw CNxInvalidParamException(FormatString("Unknown property index %d", propertyIndex));
    }
}

// ---- CustomerType ------------------------------------------------------------------------------

CParentElementInfo * CCustomerType::ms_classInfo = nullptr;
CElementInfo ** CCustomerType::ms_elementInfo = nullptr;
CAttributeInfo ** CCustomerType::ms_attributeInfo = nullptr;

void CCustomerType::BuildMetaData()
{
    CNXCriticalSection::CScopedLock const lock(m_csInit);
    if (ms_classInfo != nullptr)
        return;
    ms_elementInfo = Table<CElementInfo>({
        new CElementInfoSeqPrimMnd("name", TargetNamespace, 0, false, ItemType_string, nullptr, Preserve, NoFacets,
                                   nullptr),
        new CElementInfoSeqPrimOpt("email", TargetNamespace, 1, false, ItemType_string, nullptr, Preserve, EmailFacets,
                                   nullptr),
        new CElementInfoSeqClsMnd("address", TargetNamespace, 2, XmlElementType_Element, &CClassFactory::CreateClass,
                                  ClassId_AddressType, false),
    });
    ms_attributeInfo = NoAttributes();
    ms_classInfo = new CParentElementInfo(XmlElementGroupType_Sequence, XmlElementType_Element, "CustomerType",
                                          TargetNamespace, true, false, -1, ItemType_Invalid, nullptr, false);
}

void CCustomerType::CleanMetaData() { CXmlGeneratedClass::CleanMetaData(ms_classInfo, ms_elementInfo, ms_attributeInfo); }

CCustomerType::CCustomerType()
{
    BuildMetaData();
    SetElementName("customer");
    Init();
}

void CCustomerType::Init()
{
    m_name.clear();
    m_hasEmail = false;
    m_email.clear();
    m_address = new CAddressType;
}

void CCustomerType::SetName(std::string value) { m_name = std::move(value); }

void CCustomerType::SetEmail(std::string value)
{
    CheckElement(ms_elementInfo, 1, value);
    m_email = std::move(value);
    m_hasEmail = true;
}

void CCustomerType::ClearEmail()
{
    m_email.clear();
    m_hasEmail = false;
}

void CCustomerType::SetAddress(CAddressType * value)
{
    CSmartPtr<CAddressType> const held(value); // a refused object is released, not leaked
    Throw_IfPropertyIsNull(value, "Address");
    m_address = held;
}

void CCustomerType::AccessProperty(int propertyIndex, bool read, NxVariant & value)
{
    switch (propertyIndex)
    {
    case 0:
        if (read)
            value.SetString(m_name);
        else
            SetName(value.TakeString());
        break;
    case 1:
        if (read && m_hasEmail)
            value.SetString(m_email);
        else if (read)
            value.Clear();
        else if (value.IsValid())
            SetEmail(value.TakeString());
        else
            ClearEmail();
        break;
    case 2:
        if (read)
            value.SetXmlObject(m_address);
        else
            SetAddress(As<CAddressType>(value));
        break;
    default: throw CNxInvalidParamException(FormatString("Unknown property index %d", propertyIndex));
    }
}

// ---- AddressType -------------------------------------------------------------------------------

CParentElementInfo * CAddressType::ms_classInfo = nullptr;
CElementInfo ** CAddressType::ms_elementInfo = nullptr;
CAttributeInfo ** CAddressType::ms_attributeInfo = nullptr;

void CAddressType::BuildMetaData()
{
    CNXCriticalSection::CScopedLock const lock(m_csInit);
    if (ms_classInfo != nullptr)
        return;
    ms_elementInfo = Table<CElementInfo>({
        new CElementInfoSeqPrimMnd("street", TargetNamespace, 0, false, ItemType_string, nullptr, Preserve, NoFacets,
                                   nullptr),
        new CElementInfoSeqPrimMnd("city", TargetNamespace, 1, false, ItemType_string, nullptr, Preserve, NoFacets,
                                   nullptr),
        new CElementInfoSeqPrimMnd("postcode", TargetNamespace, 2, false, ItemType_string, nullptr, Preserve,
                                   PostcodeFacets, nullptr),
        new CElementInfoSeqPrimMnd("country", TargetNamespace, 3, false, ItemType_string, nullptr, Preserve,
                                   CountryFacets, nullptr),
    });
    ms_attributeInfo = NoAttributes();
    ms_classInfo = new CParentElementInfo(XmlElementGroupType_Sequence, XmlElementType_Element, "AddressType",
                                          TargetNamespace, true, false, -1, ItemType_Invalid, nullptr, false);
}

void CAddressType::CleanMetaData() { CXmlGeneratedClass::CleanMetaData(ms_classInfo, ms_elementInfo, ms_attributeInfo); }

CAddressType::CAddressType()
{
    BuildMetaData();
    SetElementName("address");
    Init();
}

void CAddressType::Init()
{
    m_street.clear();
    m_city.clear();
    m_postcode.clear();
    m_country.clear();
}

void CAddressType::SetStreet(std::string value) { m_street = std::move(value); }

void CAddressType::SetCity(std::string value) { m_city = std::move(value); }

void CAddressType::SetPostcode(std::string value)
{
    CheckElement(ms_elementInfo, 2, value);
    m_postcode = std::move(value);
}

void CAddressType::SetCountry(std::string value)
{
    CheckElement(ms_elementInfo, 3, value);
    m_country = std::move(value);
}

void CAddressType::AccessProperty(int propertyIndex, bool read, NxVariant & value)
{
    std::string * const fields[] = {&m_street, &m_city, &m_postcode, &m_country};
    if (propertyIndex < 0 || propertyIndex > 3)
        throw CNxInvalidParamException(FormatString("Unknown property index %d", propertyIndex));
    if (read)
    {
        value.SetString(*fields[propertyIndex]);
        return;
    }
    switch (propertyIndex)
    {
    case 0: SetStreet(value.TakeString()); break;
    case 1: SetCity(value.TakeString()); break;
    case 2: SetPostcode(value.TakeString()); break;
    default: SetCountry(value.TakeString()); break;
    }
}

// ---- ItemsType and its item collection ----------------------------------------------------------

CItemTypeCol::CItemTypeCol(char const * elementName, char const * namespaceUri, int minOccurs, int maxOccurs)
    : CXmlCollection(elementName, namespaceUri, minOccurs, maxOccurs)
{
}

CSmartPtr<CItemType> CItemTypeCol::Add(CItemType * item)
{
    CSmartPtr<CItemType> const held(item);
    Throw_IfPropertyIsNull(item, "item");
    AppendItem(item);
    return held;
}

CSmartPtr<CItemType> CItemTypeCol::Item(int index) const
{
    return CSmartPtr<CItemType>(static_cast<CItemType *>(GetNodeAtIndex(index)->item.Get()));
}

void CItemTypeCol::ToXml_Int(CXmlWriter * writer, bool, char const * namespaceUri, CSerializationContext const & context,
                             bool) const
{
    for (CNode const * node = GetHead(); node != nullptr; node = node->next)
        CXmlObjectBase::ToXml_Int(node->item, writer, false, namespaceUri, context, false);
}

CXmlElement * CItemTypeCol::FromXml_Int(CXmlElement *, CXmlElement * child, CSerializationContext const & context, bool)
{
    std::string const & name = GetElementNameRef();
    std::string const ns = GetNamespace();
    for (; child != nullptr && DoesElementNameMatch(context, child, name.c_str(), ns.c_str());
         child = child->GetNextSiblingElement())
    {
        CSmartPtr<CItemType> const item(new CItemType);
        CXmlObjectBase::FromXml_Int(item, child, child->GetFirstElement(), context);
        AppendItem(item);
    }
    return child;
}

CParentElementInfo * CItemsType::ms_classInfo = nullptr;
CElementInfo ** CItemsType::ms_elementInfo = nullptr;
CAttributeInfo ** CItemsType::ms_attributeInfo = nullptr;

void CItemsType::BuildMetaData()
{
    CNXCriticalSection::CScopedLock const lock(m_csInit);
    if (ms_classInfo != nullptr)
        return;
    ms_elementInfo = Table<CElementInfo>({
        new CElementInfoSeqClsCol("item", TargetNamespace, 0, XmlElementType_Element),
    });
    ms_attributeInfo = NoAttributes();
    ms_classInfo = new CParentElementInfo(XmlElementGroupType_Sequence, XmlElementType_Element, "ItemsType",
                                          TargetNamespace, true, false, -1, ItemType_Invalid, nullptr, false);
}

void CItemsType::CleanMetaData() { CXmlGeneratedClass::CleanMetaData(ms_classInfo, ms_elementInfo, ms_attributeInfo); }

CItemsType::CItemsType()
{
    BuildMetaData();
    SetElementName("items");
    Init();
}

void CItemsType::Init() { m_item = new CItemTypeCol("item", TargetNamespace, 1, -1); }

void CItemsType::AccessProperty(int propertyIndex, bool read, NxVariant & value)
{
    if (propertyIndex != 0)
        throw CNxInvalidParamException(FormatString("Unknown property index %d", propertyIndex));
    if (read)
        value.SetXmlCollection(m_item);
}

// ---- ItemType ----------------------------------------------------------------------------------

CParentElementInfo * CItemType::ms_classInfo = nullptr;
CElementInfo ** CItemType::ms_elementInfo = nullptr;
CAttributeInfo ** CItemType::ms_attributeInfo = nullptr;

void CItemType::BuildMetaData()
{
    CNXCriticalSection::CScopedLock const lock(m_csInit);
    if (ms_classInfo != nullptr)
        return;
    ms_elementInfo = Table<CElementInfo>({
        new CElementInfoSeqPrimMnd("description", TargetNamespace, 0, false, ItemType_string, nullptr, Preserve,
                                   DescriptionFacets, nullptr),
        new CElementInfoSeqPrimMnd("quantity", TargetNamespace, 1, false, ItemType_i4, nullptr, Collapse,
                                   QuantityFacets, nullptr),
        new CElementInfoSeqPrimMnd("unitPrice", TargetNamespace, 2, false, ItemType_decimal, "2", Collapse,
                                   PriceFacets, nullptr),
        new CElementInfoSeqPrimOpt("shipDate", TargetNamespace, 3, false, ItemType_date, nullptr, Collapse, NoFacets,
                                   nullptr),
        new CElementInfoSeqPrimOpt("gift", TargetNamespace, 4, false, ItemType_boolean, nullptr, Collapse, NoFacets,
                                   nullptr),
        new CElementInfoSeqPrimCol("tag", TargetNamespace, 5),
    });
    ms_attributeInfo = Table<CAttributeInfo>({
        new CAttributeInfoPrimitive("sku", "", 6, false, ItemType_string, nullptr, Preserve, SkuFacets, nullptr),
    });
    ms_classInfo = new CParentElementInfo(XmlElementGroupType_Sequence, XmlElementType_Element, "ItemType",
                                          TargetNamespace, true, false, -1, ItemType_Invalid, nullptr, false);
}

void CItemType::CleanMetaData() { CXmlGeneratedClass::CleanMetaData(ms_classInfo, ms_elementInfo, ms_attributeInfo); }

CItemType::CItemType()
{
    BuildMetaData();
    SetElementName("item");
    Init();
}

void CItemType::Init()
{
    m_sku.clear();
    m_description.clear();
    m_quantity = 0;
    m_unitPrice = CDecimal();
    m_hasShipDate = false;
    m_shipDate = CDateTime(CDateTime::dt_date);
    m_hasGift = false;
    m_gift = false;
    if (m_tag == nullptr)
        m_tag = new CstringCol("tag", TargetNamespace, 0, -1, nullptr, -1, -1, nullptr, nullptr, nullptr, nullptr, -1,
                               -1, -1, Preserve, nullptr);
    else
        m_tag->Clear();
}

void CItemType::SetSku(std::string value)
{
    static_cast<CAttributeInfoPrimitive *>(ms_attributeInfo[0])->CheckRestriction(value);
    m_sku = std::move(value);
}

void CItemType::SetDescription(std::string value)
{
    CheckElement(ms_elementInfo, 0, value);
    m_description = std::move(value);
}

void CItemType::SetQuantity(std::int32_t value)
{
    NxVariant checked;
    checked.SetI4(value);
    CheckElement(ms_elementInfo, 1, checked);
    m_quantity = value;
}

void CItemType::SetUnitPrice(CDecimal const & value)
{
    NxVariant checked;
    checked.SetDecimal(value);
    CheckElement(ms_elementInfo, 2, checked);
    m_unitPrice = value;
}

void CItemType::SetShipDate(CDateTime const & value)
{
    m_shipDate = CDateTime(CDateTime::dt_date);
    m_shipDate.SetDateTime(value, CDateTime::dt_date);
    m_hasShipDate = true;
}

void CItemType::ClearShipDate() { m_hasShipDate = false; }

void CItemType::SetGift(bool value)
{
    m_gift = value;
    m_hasGift = true;
}

void CItemType::ClearGift() { m_hasGift = false; }

void CItemType::AccessProperty(int propertyIndex, bool read, NxVariant & value)
{
    switch (propertyIndex)
    {
    case 0:
        if (read)
            value.SetString(m_description);
        else
            SetDescription(value.TakeString());
        break;
    case 1:
        if (read)
            value.SetI4(m_quantity);
        else
            SetQuantity(value.GetI4());
        break;
    case 2:
        if (read)
            value.SetDecimal(m_unitPrice);
        else
            SetUnitPrice(value.GetDecimalRef());
        break;
    case 3:
        if (read && m_hasShipDate)
            value.SetDate(m_shipDate);
        else if (read)
            value.Clear();
        else if (value.IsValid())
            SetShipDate(value.GetDate());
        else
            ClearShipDate();
        break;
    case 4:
        if (read && m_hasGift)
            value.SetBoolean(m_gift);
        else if (read)
            value.Clear();
        else if (value.IsValid())
            SetGift(value.GetBoolean());
        else
            ClearGift();
        break;
    case 5:
        if (read)
            value.SetXmlCollection(m_tag);
        break;
    case 6:
        if (read)
            value.SetString(m_sku);
        else
            SetSku(value.TakeString());
        break;
    default: throw CNxInvalidParamException(FormatString("Unknown property index %d", propertyIndex));
    }
}

// ---- PaymentType -------------------------------------------------------------------------------

CParentElementInfo * CPaymentType::ms_classInfo = nullptr;
CElementInfo ** CPaymentType::ms_elementInfo = nullptr;
CAttributeInfo ** CPaymentType::ms_attributeInfo = nullptr;

void CPaymentType::BuildMetaData()
{
    CNXCriticalSection::CScopedLock const lock(m_csInit);
    if (ms_classInfo != nullptr)
        return;
    ms_elementInfo = Table<CElementInfo>({
        new CElementInfoChoiceClsOpt("card", TargetNamespace, 0, XmlElementType_Element, &CClassFactory::CreateClass,
                                     ClassId_CardType),
        new CElementInfoChoiceClsOpt("invoice", TargetNamespace, 1, XmlElementType_Element,
                                     &CClassFactory::CreateClass, ClassId_InvoiceType),
        new CElementInfoChoiceClsOpt("cash", TargetNamespace, 2, XmlElementType_Element, &CClassFactory::CreateClass,
                                     ClassId_CashType),
    });
    ms_attributeInfo = NoAttributes();
    ms_classInfo = new CParentElementInfo(XmlElementGroupType_Choice, XmlElementType_Element, "PaymentType",
                                          TargetNamespace, true, false, -1, ItemType_Invalid, nullptr, false);
}

void CPaymentType::CleanMetaData() { CXmlGeneratedClass::CleanMetaData(ms_classInfo, ms_elementInfo, ms_attributeInfo); }

CPaymentType::CPaymentType()
{
    BuildMetaData();
    SetElementName("payment");
    Init();
}

void CPaymentType::Init()
{
    m_card.Reset();
    m_invoice.Reset();
    m_cash.Reset();
    m_selected.clear();
}

void CPaymentType::SetCard(CCardType * value)
{
    CSmartPtr<CCardType> const held(value); // a refused object is released, not leaked
    Choice_SelectElement("card", value, m_selected);
    m_card = held;
}

void CPaymentType::SetInvoice(CInvoiceType * value)
{
    CSmartPtr<CInvoiceType> const held(value); // a refused object is released, not leaked
    Choice_SelectElement("invoice", value, m_selected);
    m_invoice = held;
}

void CPaymentType::SetCash(CCashType * value)
{
    CSmartPtr<CCashType> const held(value); // a refused object is released, not leaked
    Choice_SelectElement("cash", value, m_selected);
    m_cash = held;
}

void CPaymentType::AccessProperty(int propertyIndex, bool read, NxVariant & value)
{
    switch (propertyIndex)
    {
    case 0:
        if (read)
            value.SetXmlObject(m_card);
        else
            SetCard(As<CCardType>(value));
        break;
    case 1:
        if (read)
            value.SetXmlObject(m_invoice);
        else
            SetInvoice(As<CInvoiceType>(value));
        break;
    case 2:
        if (read)
            value.SetXmlObject(m_cash);
        else
            SetCash(As<CCashType>(value));
        break;
    default: throw CNxInvalidParamException(FormatString("Unknown property index %d", propertyIndex));
    }
}

// ---- CardType, InvoiceType, CashType ---------------------------------------------------------------

CParentElementInfo * CCardType::ms_classInfo = nullptr;
CElementInfo ** CCardType::ms_elementInfo = nullptr;
CAttributeInfo ** CCardType::ms_attributeInfo = nullptr;

void CCardType::BuildMetaData()
{
    CNXCriticalSection::CScopedLock const lock(m_csInit);
    if (ms_classInfo != nullptr)
        return;
    ms_elementInfo = Table<CElementInfo>({
        new CElementInfoSeqPrimMnd("number", TargetNamespace, 0, false, ItemType_string, nullptr, Preserve,
                                   CardNumberFacets, nullptr),
        new CElementInfoSeqPrimMnd("expiry", TargetNamespace, 1, false, ItemType_yearMonth, nullptr, Collapse,
                                   NoFacets, nullptr),
    });
    ms_attributeInfo = NoAttributes();
    ms_classInfo = new CParentElementInfo(XmlElementGroupType_Sequence, XmlElementType_Element, "CardType",
                                          TargetNamespace, true, false, -1, ItemType_Invalid, nullptr, false);
}

void CCardType::CleanMetaData() { CXmlGeneratedClass::CleanMetaData(ms_classInfo, ms_elementInfo, ms_attributeInfo); }

CCardType::CCardType()
{
    BuildMetaData();
    SetElementName("card");
    Init();
}

void CCardType::Init()
{
    m_number.clear();
    m_expiry = CDateTime(CDateTime::dt_gYearMonth);
}

void CCardType::SetNumber(std::string value)
{
    CheckElement(ms_elementInfo, 0, value);
    m_number = std::move(value);
}

void CCardType::SetExpiry(CDateTime const & value)
{
    m_expiry = CDateTime(CDateTime::dt_gYearMonth);
    m_expiry.SetDateTime(value, CDateTime::dt_gYearMonth);
}

void CCardType::AccessProperty(int propertyIndex, bool read, NxVariant & value)
{
    switch (propertyIndex)
    {
    case 0:
        if (read)
            value.SetString(m_number);
        else
            SetNumber(value.TakeString());
        break;
    case 1:
        if (read)
            value.SetYearMonth(m_expiry);
        else
            SetExpiry(value.GetYearMonth());
        break;
    default: throw CNxInvalidParamException(FormatString("Unknown property index %d", propertyIndex));
    }
}

CParentElementInfo * CInvoiceType::ms_classInfo = nullptr;
CElementInfo ** CInvoiceType::ms_elementInfo = nullptr;
CAttributeInfo ** CInvoiceType::ms_attributeInfo = nullptr;

void CInvoiceType::BuildMetaData()
{
    CNXCriticalSection::CScopedLock const lock(m_csInit);
    if (ms_classInfo != nullptr)
        return;
    ms_elementInfo = Table<CElementInfo>({
        new CElementInfoSeqPrimMnd("dueDate", TargetNamespace, 0, false, ItemType_date, nullptr, Collapse, NoFacets,
                                   nullptr),
    });
    ms_attributeInfo = NoAttributes();
    ms_classInfo = new CParentElementInfo(XmlElementGroupType_Sequence, XmlElementType_Element, "InvoiceType",
                                          TargetNamespace, true, false, -1, ItemType_Invalid, nullptr, false);
}

void CInvoiceType::CleanMetaData() { CXmlGeneratedClass::CleanMetaData(ms_classInfo, ms_elementInfo, ms_attributeInfo); }

CInvoiceType::CInvoiceType()
{
    BuildMetaData();
    SetElementName("invoice");
    Init();
}

void CInvoiceType::Init() { m_dueDate = CDateTime(CDateTime::dt_date); }

void CInvoiceType::SetDueDate(CDateTime const & value)
{
    m_dueDate = CDateTime(CDateTime::dt_date);
    m_dueDate.SetDateTime(value, CDateTime::dt_date);
}

void CInvoiceType::AccessProperty(int propertyIndex, bool read, NxVariant & value)
{
    if (propertyIndex != 0)
        throw CNxInvalidParamException(FormatString("Unknown property index %d", propertyIndex));
    if (read)
        value.SetDate(m_dueDate);
    else
        SetDueDate(value.GetDate());
}

CParentElementInfo * CCashType::ms_classInfo = nullptr;
CElementInfo ** CCashType::ms_elementInfo = nullptr;
CAttributeInfo ** CCashType::ms_attributeInfo = nullptr;

void CCashType::BuildMetaData()
{
    CNXCriticalSection::CScopedLock const lock(m_csInit);
    if (ms_classInfo != nullptr)
        return;
    ms_elementInfo = new CElementInfo *[1]{nullptr};
    ms_attributeInfo = NoAttributes();
    ms_classInfo = new CParentElementInfo(XmlElementGroupType_Sequence, XmlElementType_Element, "CashType",
                                          TargetNamespace, true, false, -1, ItemType_Invalid, nullptr, false);
}

void CCashType::CleanMetaData() { CXmlGeneratedClass::CleanMetaData(ms_classInfo, ms_elementInfo, ms_attributeInfo); }

CCashType::CCashType()
{
    BuildMetaData();
    SetElementName("cash");
    Init();
}

void CCashType::Init() {}

void CCashType::AccessProperty(int propertyIndex, bool, NxVariant &)
{
    throw CNxInvalidParamException(FormatString("Unknown property index %d", propertyIndex));
}

void CleanAllMetaData()
{
    CPurchaseOrderType::CleanMetaData();
    CCustomerType::CleanMetaData();
    CAddressType::CleanMetaData();
    CItemsType::CleanMetaData();
    CItemType::CleanMetaData();
    CPaymentType::CleanMetaData();
    CCardType::CleanMetaData();
    CInvoiceType::CleanMetaData();
    CCashType::CleanMetaData();
}

namespace
{
// Generated code registers the generator version it came from.
struct CRegistration
{
    CRegistration() { Register(16, 1, "NxXmlLib16 examples"); }
} const g_registration;
} // namespace

} // namespace PurchaseOrder
