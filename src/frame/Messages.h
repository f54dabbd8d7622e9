// The catalogue of every message text the library throws (and the version alert it prints), by layer.
//
// Fixed wording. Generated code, user code and users' tests compare these texts byte for byte, so
// they stay exactly as they are, misspellings, doubled spaces and odd punctuation included: "is to
// large", "if to large", "bay be", "may node be", "un processed", "sutable", "contian", "at one (and
// only one)", the unbalanced parenthesis of InvalidDayInMonthUnclosed. Never correct one; a new
// failure gets a new constant. The %-conversions are part of the text: callers pass their arguments
// through FormatString in the order the text names them.
//
// Choosing the exception class (the class is as fixed as the text):
// - CNxValidationException: a document or object tree that does not match the generated classes
//   (missing or unexpected element or attribute, bad nil, empty choice, collection count out of
//   range, JSON that cannot become XML, JSON syntax); it carries the element path where known.
// - CNxInvalidValueException: text that cannot be parsed into a value (numbers, booleans, dates,
//   times, durations, decimals) and big-integer division by zero or conversion out of range.
// - CNxInvalidNamespaceException: a namespace that breaks a namespace restriction or the expected
//   namespace, and a wildcard holder given no name, restriction or target namespace.
// - CNxInvalidParamException: an argument that breaks an operation's contract: an index outside a
//   collection, non-whitespace indent characters, a null mandatory property, a wrong element name.
// - CNxInvalidStateException: an operation the object's current state forbids: a date or time part
//   the value does not hold, options that exclude each other, a second member of a choice, a JSON
//   name or value that the XML builder cannot take.
// - CNxOverFlowException: a decimal too large for the requested native type.
// - CNxException: everything else: facet violations, an unknown whitespace rule, file and stream
//   I/O, malformed XML or Fast Infoset input, writer misuse, unsupported compression, binary data
//   and variant errors, internal inconsistencies.
// A wrapper keeps the caught exception as inner exception and adds the path when it knows it.
#pragma once

namespace NxXmlLib16::Msg
{

// Runtime frame: entry points, options, object base, generated-class driver, registration.
constexpr char const FailedToCompress[] = "Failed to compress data. [Error Code: %d]";
constexpr char const ZlibOnlyToStream[] = "ZLIB Compression only available for To Stream methods.";
constexpr char const ErrorConvertingJsonToXml[] = "Error converting JSON to XML:\n%s";
constexpr char const CodePageNotSupported[] = "The code page [%u] is not supported on this platform";
constexpr char const VersionAlertText[] =
    "Please ensure your generated code is the same version as this library (Corvid Runtime: v%d.%d, "
    "Generator: v%d.%d).";
constexpr char const VersionAlertLine[] = "Version Mismatch Error: %s\n";
constexpr char const WrongVersion[] = "Wrong Version (Corvid Runtime: v%d.%d, Generator: v%d.%d)";
constexpr char const IgnoreBothUnsetUnknownFirst[] =
    "The parser can only ignore additional elements, or ignore the fact that some required ones are "
    "missing, you can not ignore both\nSet IgnoreUnknownElements to false before setting "
    "IgnoreMissingMandatoryElements to true";
constexpr char const IgnoreBothUnsetMissingFirst[] =
    "The parser can only ignore additional elements, or ignore the fact that some required ones are "
    "missing, you can not ignore both\nSet IgnoreMissingMandatoryElements to false before setting "
    "IgnoreUnknownElements to true";
constexpr char const IndentCharsNotWhitespace[] =
    "IndentChars can only contain Whitespace characters, i.e. \t or spaces";
constexpr char const UnexpectedAttributeFound[] = "Unexpected Attribute found.";
constexpr char const FailedConvertAttributesToXml[] = "Failed to convert attributes to XML";
constexpr char const ChoiceHasNoItemSet[] =
    "This element is a choice, and as such must have at one (and only one) valid item, currently there "
    "are none set";
constexpr char const UnknownXmlGroupType[] = "Unknown XML Group Type";
constexpr char const FailedConvertElementToXml[] = "Failed to convert the element [%s] to XML";
constexpr char const UnknownGroupType[] = "Unknown Group Type";
constexpr char const FailedProcessElement[] = "Failed to process the element.";
constexpr char const NilOnNonNillableElement[] = "Invalid use of 'nil' attribute in non-nillable element.";
constexpr char const UnexpectedNilValue[] = "Unexpected Value [%s] for 'nil' Attribute found.";
constexpr char const ElementLeftUnprocessed[] =
    "Failed read all the elements held within the element [%s]. The unexpected element [%s] remains un "
    "processed";
constexpr char const ChoiceHasNoChildElement[] =
    "No child elements within the element [%s] were populated. The element represents a choice, so one "
    "and only one element should be populated. The element contained no sutable child elements";
constexpr char const ChoiceAlreadySetPlain[] =
    "The Property %s is already set. Only one element within this class bay be set at a time";
constexpr char const ChoiceAlreadySetBracketed[] =
    "The Property [%s] is already set. Only one element within this class bay be set at a time";
constexpr char const PropertyMandatoryMayNode[] = "The Property [%s] is mandatory, it may node be NULL";
constexpr char const ElementNameMismatch[] =
    "This property requires an element with the name %s the element being set has the element name %s";
constexpr char const InvalidNamespaceNotAllowed[] =
    "Invalid namespace [%s]. The namespace must be one of [%s] where the target namespace is [%s].";

// Metadata: element and attribute infos.
constexpr char const FailedGetPropertyValue[] = "Failed to get the property value for [%s].";
constexpr char const FailedSetPropertyValueNamed[] = "Failed to set the property value [%s].";
constexpr char const FailedFindRequiredAttribute[] = "Failed to find the required Attribute [%s].";
constexpr char const NotAnAttributeCol[] =
    "Serialization Data Error : The collection should be a CAttributeCol, it was not!";
constexpr char const NotImplemented[] = "Not implemented, should never be called";
constexpr char const CannotCheckRestrictionFor[] = "Cannot CheckRestriction for type: ";
constexpr char const CannotCheckRestrictionForString[] = "Cannot CheckRestriction for type: string";
constexpr char const FailedSetPropertyValue[] = "Failed to set the property value.";
constexpr char const FailedFindRequiredChildElement[] = "Failed to find the required child element [%s].";
constexpr char const PropertyMandatoryMayNot[] = "The Property [%s] is mandatory, it may not be NULL";
constexpr char const FailedFindMandatoryElement[] = "Failed to find the mandatory element [%s].";
constexpr char const FailedFindSubstitutionElement[] = "Failed to find a suitable substitution element for [%s].";
constexpr char const FailedFindElementFromNamespace[] = "Failed to find the required element from namespace [%s].";

} // namespace NxXmlLib16::Msg
