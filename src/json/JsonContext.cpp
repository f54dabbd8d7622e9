#include "JsonContext.h"

namespace NxXmlLib16
{

CJsonContext::CJsonContext() = default;
CJsonContext::CJsonContext(CJsonContext const & other) = default;
CJsonContext & CJsonContext::operator=(CJsonContext const & other) = default;
CJsonContext::~CJsonContext() = default;

void CJsonContext::SetRootElementName(char const * name) { m_rootElementName = name != nullptr ? name : ""; }

} // namespace NxXmlLib16
