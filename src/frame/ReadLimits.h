// The limit on how deep the objects read from a document nest.
#pragma once

#include "NxException.h"
#include "XmlDocument.h"
#include "frame/Messages.h"

#include <cstddef>

namespace NxXmlLib16
{

// Reading objects recurses once per level of nesting, so a document nested deeper than this is
// refused before the walk starts rather than exhausting the stack.
constexpr std::size_t MaxReadDepth = 2000;

// Throws unless the document holding the element nests no deeper than objects are read.
inline void CheckReadDepth(CXmlElement const & element)
{
    std::size_t const depth = element.GetDocument()->GetMaxDepth();
    if (depth > MaxReadDepth)
        throw CNxException(
            FormatString(Msg::ReadDepthLimit, static_cast<unsigned>(depth), static_cast<unsigned>(MaxReadDepth)));
}

} // namespace NxXmlLib16
