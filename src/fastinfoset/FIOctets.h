// Octet-level constants that the Fast Infoset writer and reader share.
#pragma once

#include <cstddef>
#include <cstdint>

namespace NxXmlLib16
{
namespace FIOctets
{

// The nine XML declarations that may precede a document, indexed by FInfoDecl (index 0 is none).
constexpr char const * Declarations[10] = {"",
                                           "<?xml encoding='finf'?>",
                                           "<?xml encoding='finf' standalone='yes'?>",
                                           "<?xml encoding='finf' standalone='no'?>",
                                           "<?xml version='1.0' encoding='finf'?>",
                                           "<?xml version='1.0' encoding='finf' standalone='yes'?>",
                                           "<?xml version='1.0' encoding='finf' standalone='no'?>",
                                           "<?xml version='1.1' encoding='finf'?>",
                                           "<?xml version='1.1' encoding='finf' standalone='yes'?>",
                                           "<?xml version='1.1' encoding='finf' standalone='no'?>"};
constexpr std::size_t DeclarationCount = 10;

// Identification and version: the first four octets of every document.
constexpr unsigned char Header[4] = {0xE0, 0x00, 0x00, 0x01};

// Optional-component flags of the document.
constexpr unsigned char AdditionalDataFlag = 0x40;
constexpr unsigned char InitialVocabularyFlag = 0x20;
constexpr unsigned char NotationsFlag = 0x10;
constexpr unsigned char UnparsedEntitiesFlag = 0x08;
constexpr unsigned char CharacterEncodingSchemeFlag = 0x04;
constexpr unsigned char StandaloneFlag = 0x02;
constexpr unsigned char VersionFlag = 0x01;
// First presence octet of an initial vocabulary: the external vocabulary URI.
constexpr unsigned char ExternalVocabularyFlag = 0x10;

// Element first octet: attributes follow; namespace attributes follow (bits 3 to 8 = 111000).
constexpr unsigned char ElementAttributesFlag = 0x40;
constexpr unsigned char NamespaceAttributes = 0x38;
// Namespace attribute item 110011pn: prefix present 0x02, namespace name present 0x01.
constexpr unsigned char NamespaceAttribute = 0xCC;
// Literal qualified names: 1111pn on the third bit (elements), 11110pn on the second bit (attributes).
constexpr unsigned char ElementLiteralQName = 0x3C;
constexpr unsigned char AttributeLiteralQName = 0x78;
// Terminator of a list padded with 0000, and two terminators in one octet.
constexpr unsigned char Terminator = 0xF0;
constexpr unsigned char DoubleTerminator = 0xFF;
// Character chunk: bits 10.
constexpr unsigned char CharacterChunk = 0x80;
// The empty attribute value: index 0 of the attribute-value table.
constexpr unsigned char EmptyValue = 0xFF;
// Other children.
constexpr unsigned char ProcessingInstruction = 0xE1;
constexpr unsigned char Comment = 0xE2;

// Encoded character string discriminants.
constexpr unsigned char DiscriminantUtf8 = 0;
constexpr unsigned char DiscriminantUtf16 = 1;
constexpr unsigned char DiscriminantRestrictedAlphabet = 2;
constexpr unsigned char DiscriminantEncodingAlgorithm = 3;

// The built-in restricted alphabets, in index order from 1; both end with a space.
constexpr char const NumericAlphabet[] = "0123456789-+.e ";
constexpr char const DateTimeAlphabet[] = "0123456789-:TZ ";
constexpr std::uint32_t BuiltInAlphabetCount = 2;
constexpr std::uint32_t BuiltInAlgorithmCount = 10;

// The external vocabulary URI announced when the user set none.
constexpr char const DefaultExternalVocabularyURI[] = "urn:nxxmllib16:fastinfoset:generated-vocabulary";

// The largest table index and the largest value of an index field.
constexpr std::uint32_t MaxIndex = 1u << 20;

} // namespace FIOctets
} // namespace NxXmlLib16
