// How the purchase-order tests write orders: as the generator writes its documents.
#pragma once

#include "PurchaseOrder.h"

#include <string>

namespace NxXmlTest
{

// How the generator writes documents: default namespace, two spaces, line feeds.
inline NxXmlLib16::CSerializationContext DocumentStyle()
{
    NxXmlLib16::CSerializationContext context;
    context.SetDefaultNamespaceURI(PurchaseOrder::TargetNamespace);
    context.SetIndentChars("  ");
    return context;
}

// The order as the generator would have written it.
inline std::string Written(PurchaseOrder::CPurchaseOrderType const & order)
{
    NxXmlLib16::NoBanner();
    NxXmlLib16::CBinaryData const bytes =
        order.ToXmlStream(true, true, NxXmlLib16::XmlEncoding_UTF8, NxXmlLib16::EOLType_LF, DocumentStyle());
    return std::string(reinterpret_cast<char const *>(bytes.GetData()), bytes.GetLength());
}

} // namespace NxXmlTest
