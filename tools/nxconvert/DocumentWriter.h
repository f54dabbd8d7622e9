// Writes a loaded document through any of the library's writers.
#pragma once

#include "XmlDocument.h"
#include "XmlWriter.h"

namespace NxConvert
{

// How the tree's own text is handed to the writer.
enum class TextLayout
{
    KeepAll,        // every character of every element, whitespace between children included
    DropIndentation // whitespace-only text of elements with children is left out: the writer lays them out
};

// Writes the document element and everything below it: names, the namespaces the document uses
// (declared on the root with the document's own prefixes where it has them), attributes, text
// and children in order. Runs of same-named siblings are marked as collections, which the JSON
// writer turns into arrays. Deep documents do not use the stack.
void WriteDocumentTree(NxXmlLib16::CXmlDocument const & document, NxXmlLib16::CXmlWriter & writer,
                       TextLayout layout);

} // namespace NxConvert
