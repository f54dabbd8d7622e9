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

// XML: documents, streams, writers, namespace aliases.
constexpr char const ElementHasNotBeenOpened[] = "An Element has not been opened.";
constexpr char const AttributesBeforeElements[] = "Attributes must be added before elements";
constexpr char const IndexOutOfRangeBracketed[] = "Index Out of range [%d]";
constexpr char const FailedWriteFile[] = "Failed to write data to the file [%s] error [0x%08X]";
constexpr char const ExpatErrorAtLine[] = "%s at line %d";
constexpr char const NamespaceAliasNotFound[] = "Namespace alias [%s] not found";
constexpr char const UnknownTextEncoding[] = "Unknown Encoding, select UTF-8 (contact our support team)";
constexpr char const FailedWriteUnnamedFile[] = "Failed to write data to the file. Error [0x%08X]";
constexpr char const FailedOpenFile[] = "Failed to open the file [%s] Error [0x%08x]";
constexpr char const FailedGetFileSize[] = "Failed to get the size of the file [%s] Error [0x%08x]";
constexpr char const FailedReadFile[] = "Failed to read the contents of the file [%s] Error [0x%08x]";
constexpr char const XmlStreamEmpty[] = "XML Stream is empty!";
constexpr char const XmlStringEmpty[] = "XML String is empty!";
constexpr char const FailedReadUnnamedFile[] = "Failed to read the contents of the file. Error [0x%08x]";
constexpr char const InvalidOrEmptyXmlDocument[] = "Invalid or empty XML document";
constexpr char const TooManyAttributes[] = "Too many attributes on one element";
constexpr char const AttributeValueTooLong[] = "Attribute value too long";
constexpr char const ElementTextTooLong[] = "The text of the element [%s] is too long";
constexpr char const JsonStreamEmpty[] = "JSON Stream is empty!";
constexpr char const JsonStringEmpty[] = "JSON String is empty!";
constexpr char const DocumentTreeTooLarge[] = "The document is too large: its tree would exceed 16 GiB";
constexpr char const InvalidEolType[] = "Invalid EOL type.";
constexpr char const NoNamespacePrefixLeft[] = "No namespace prefix is left to declare in this element";
constexpr char const ElementHasNotBeenClosed[] = "An Element has not been closed.";
constexpr char const InflatedSizeLimit[] =
    "The compressed input inflates to more than %llu bytes, the limit set by SetMaxInflatedSize of the "
    "serialization context.";
constexpr char const ReadDepthLimit[] =
    "The document nests elements %u levels deep; objects are read from at most %u levels.";

// Value types: conversions, dates and durations, decimals, big integers, binary data, variants, facets.
constexpr char const BinaryDataLimit[] = "Failed to append. Binary data is limited to %u bytes";
constexpr char const BigIntegerOutOfDouble[] = "ERROR: Value out of bound of double.";
constexpr char const OverflowInDivide[] = "ERROR: Overflow in operator/.";
constexpr char const OverflowInModulo[] = "ERROR: Overflow in operator%.";
constexpr char const OverflowInDivideAssign[] = "ERROR: Overflow in operator /=.";
constexpr char const OverflowInModuloAssign[] = "ERROR: Overflow in operator%=.";
constexpr char const BigIntegerOutOfInt[] = "ERROR: Value out of bound of int.";
constexpr char const BigIntegerOutOfLongLong[] = "ERROR: Value out of bound of LONGLONG.";
constexpr char const SquareRootOfNegative[] = "ERROR: Negative Number in function SquareRoot().";
constexpr char const FailedAppendRefCount[] = "Failed to append. [RefCount=%d]";
constexpr char const FailedReleaseDataRefCount[] = "Failed to release data. [RefCount=%d]";
constexpr char const InvalidLengthHexString[] = "Invalid length in hex string";
constexpr char const InvalidCharHexString[] = "Invalid char in hex string [%c]";
constexpr char const ValueCannotConvertTo[] = "The value [%s] can not be converted to a ";
constexpr char const ValueTooLargeFor[] = "The value [%s] is to large to fit in a ";
constexpr char const FormatNeedsOneFloatConversion[] =
    "The format [%s] must hold exactly one floating-point conversion";
constexpr char const InvalidXsdDateExpected[] = "Invalid XSD Date [%s] expected CCYY-MM-DD[Z|[+|-]hh:mm]";
constexpr char const UnknownWhitespaceRule[] = "Unknown WhitespaceRule";
constexpr char const ValueTooLargeForI1[] = "The value [%s] is to large to fit in a i1";
constexpr char const ValueTooLargeForI2[] = "The value [%s] is to large to fit in a i2";
constexpr char const ValueTooLargeForUi1[] = "The value [%s] is to large to fit in a ui1";
constexpr char const ValueTooLargeForUi2[] = "The value [%s] is to large to fit in a ui2";
constexpr char const InvalidBooleanValue[] =
    "A Boolean Value read from an XML document was invalid [%s]. Valid values are 'true', 'false', '1', "
    "or '0'";
constexpr char const InvalidCharValue[] =
    "The value [%s] can not be a char as it is either empty of greater than 1 char long";
constexpr char const InvalidYearRangeLong[] = "Invalid Year [%lld] (%d <= year <= %d && year != 0)";
constexpr char const FailedFileTimeToSystemTime[] = "Failed to convert FILETIME to SYSTEMTIME";
constexpr char const FailedCopyDateTime[] = "Failed to copy CDateTime. Invalid Date Type: %s, expected: %s.";
constexpr char const UnknownDateType[] = "Unknown date type %d.";
constexpr char const DateTimeNotEnoughData[] =
    "Attempting to set a CDateTime of type %s using an XmlDateTime of type %s. The source CDateTime does "
    "not contian enough data to allow the conversion.";
constexpr char const FailedInvalidDateType[] = "Failed to %s. Invalid Date Type: %s.";
constexpr char const TimeZoneNotBeenUsed[] = "TimeZone is not been used";
constexpr char const InvalidTimeZone[] = "Invalid TimeZone [%d:%d]";
constexpr char const FailedGetTime[] =
    "Failed to GetTime, Date Status must be dateTime or date. Invalid Date Type: %s.";
constexpr char const FailedGetAsSystemTime[] =
    "Failed to GetAsSystemTime, Date Status must be dateTime. Invalid Date Type: %s.";
constexpr char const InvalidYearRange[] = "Invalid Year [%d] (%d <= year <= %d && year != 0)";
constexpr char const InvalidDurationNull[] = "Invalid XSD Duration (Null String)";
constexpr char const InvalidDurationEmpty[] = "Invalid XSD Duration (Empty String)";
constexpr char const InvalidDurationExpected[] =
    "Invalid XSD Duration [%s] expected [-]P[nY][nM][nD][T[nH][nM][nS.ff]]";
constexpr char const InvalidDurationFractionTooLong[] = "Invalid XSD Duration [%s] Fraction part too long";
constexpr char const InvalidDateTimeNull[] = "Invalid DateTime (Null String)";
constexpr char const InvalidXsdDateTime[] = "Invalid XSD DateTime [%s].";
constexpr char const InvalidXsdDateTimeExpected[] = "Invalid XSD DateTime [%s] expected CCYY-MM-DDThh:mm:ss[.ff]";
constexpr char const InvalidDateNull[] = "Invalid Date (Null String)";
constexpr char const InvalidDateEmpty[] = "Invalid Date (Empty String)";
constexpr char const InvalidDateBadZone[] = "Invalid Date (Bad Zone value)";
constexpr char const InvalidDateTNotAllowed[] = "Invalid Date ('T' not allowed)";
constexpr char const InvalidTimeNull[] = "Invalid Time (Null String)";
constexpr char const InvalidTimeEmpty[] = "Invalid XSD Time (Empty String)";
constexpr char const InvalidXsdTimeExpected[] = "Invalid XSD Time [%s] expected hh:mm:ss[.ff]";
constexpr char const InvalidTimeFractionTooLong[] = "Invalid XSD Time [%s] Fraction part too long";
constexpr char const InvalidXsdTimeZone[] = "Invalid XSD Time Zone [%s].";
constexpr char const InvalidYearZero[] = "Invalid Year Zero";
constexpr char const InvalidMonthRange[] = "Invalid Month [%d] (1 <= month <= 12)";
constexpr char const InvalidMonthForType[] = "Invalid Month [%d] for type %s";
constexpr char const InvalidYearForType[] = "Invalid Year [%d] for type %s";
constexpr char const InvalidDayInMonthUnclosed[] = "Invalid Day [%d] (1 <= day <= days in month";
constexpr char const InvalidDayInMonth[] = "Invalid Day [%d] (1 <= day <= days in month)";
constexpr char const InvalidDayRange[] = "Invalid Day [%d] (1 <= day <= 31)";
constexpr char const InvalidDayForType[] = "Invalid Day [%d] for type %s";
constexpr char const InvalidHourRange[] = "Invalid Hour [%d] (0 <= hour <= 23)";
constexpr char const InvalidHourForType[] = "Invalid Hour [%d] for type %s";
constexpr char const InvalidMinuteRange[] = "Invalid Minute [%d] (0 <= minute <= 59)";
constexpr char const InvalidMinuteForType[] = "Invalid Minute [%d] for type %s";
constexpr char const InvalidSecondRange[] = "Invalid Second [%d] (0 <= second <= 59)";
constexpr char const InvalidSecondForType[] = "Invalid Second [%d] for type %s";
constexpr char const InvalidMilliSecondRange[] = "Invalid Milli-Second [%d] (0 <= milli <= 999)";
constexpr char const InvalidMilliSecondForType[] = "Invalid Milli-Second [%d] for type %s";
constexpr char const InvalidMicroSecondRange[] = "Invalid Micro-Second [%d] (0 <= micro <= 999)";
constexpr char const InvalidMicroSecondForType[] = "Invalid Micro-Second [%d] for type %s";
constexpr char const InvalidNanoSecondRange[] = "Invalid Nano-Second [%d] (0 <= nano <= 999)";
constexpr char const InvalidNanoSecondForType[] = "Invalid Nano-Second [%d] for type %s";
constexpr char const DecimalInvalidChar[] =
    "The string representing a Decimal, contained an invalid char at position %d [%s].";
constexpr char const DecimalTooLargeForLongLong[] = "The Decimal value if to large to fit into a LONGLONG";
constexpr char const DecimalTooLargeForLong[] = "The Decimal value if to large to fit into a LONG";
constexpr char const DecimalTooLargeForDouble[] = "The Decimal value if to large to fit into a Double";
constexpr char const InvalidRegularExpression[] = "Invalid Regular Expression: %s Error: '%s'";
constexpr char const PatternMatchLimit[] =
    "Failed to match the value against the pattern: the match needs more backtracking than allowed (error %d).";
constexpr char const InvalidValueText[] = "Invalid Value for %s [%s].";
constexpr char const InvalidValueSigned[] = "Invalid Value for %s [%d]";
constexpr char const InvalidValueUnsigned[] = "Invalid Value for %s [%u]";
constexpr char const InvalidValueAfterPatternError[] = "%s\nInvalid Value for %s [%s].";
constexpr char const InvalidValueFloating[] = "Invalid Value for %s [%f]";
constexpr char const UnknownType[] = "Unknown type [%s].";
constexpr char const UnknownVariantType[] = "Unknown Type";
constexpr char const InvalidTypeToString[] = "Invalid Type %d to convert to string";
constexpr char const UnmatchedClosingParenthesis[] = "unmatched closing parenthesis";
constexpr char const ParenthesesAreTooDeeplyNested[] = "parentheses are too deeply nested";
constexpr char const InvalidUtf8InPattern[] = "invalid UTF-8 in the pattern";
constexpr char const QuantifierDoesNotFollowRepeatableItem[] = "quantifier does not follow a repeatable item";
constexpr char const GroupsWithQuestionMarkNotAllowed[] = "groups starting with (? are not allowed";
constexpr char const MissingClosingParenthesis[] = "missing closing parenthesis";
constexpr char const UnescapedBracketOutsideClass[] = "unescaped ] outside a character class";
constexpr char const QuantityMustStartWithNumber[] = "a quantity must start with a number";
constexpr char const NumbersOutOfOrderInQuantifier[] = "numbers out of order in {} quantifier";
constexpr char const MissingBraceAfterQuantity[] = "missing } after a quantity";
constexpr char const NumberTooBigInQuantifier[] = "number too big in {} quantifier";
constexpr char const BackslashAtEnd[] = "\\ at end of pattern";
constexpr char const BackReferencesAreNotAllowed[] = "back-references are not allowed";
constexpr char const InvalidEscapeOpen[] = "invalid escape ";
constexpr char const MalformedPropertyEscape[] = "malformed \\p or \\P sequence";
constexpr char const UnknownBlockNameOpen[] = "unknown block name ";
constexpr char const UnknownCategoryOpen[] = "unknown category ";
constexpr char const MissingClassTerminator[] = "missing terminating ] for character class";
constexpr char const EmptyClass[] = "empty character class";
constexpr char const UnescapedBracketInClass[] = "unescaped [ in a character class";
constexpr char const UnescapedHyphenInClass[] = "unescaped - in a character class";
constexpr char const InvalidRangeInClass[] = "invalid range in character class";
constexpr char const NothingToSubtractInClass[] = "nothing to subtract from in character class";
constexpr char const SubtractionMustEndClass[] = "a subtracted class must end its character class";
constexpr char const RangeOutOfOrderInClass[] = "range out of order in character class";

// Collections and wildcard content.
constexpr char const ElementNameMustHaveValue[] = "Element Name must have a value";
constexpr char const NamespaceRestrictionMustHaveValue[] = "Namespace Restriction must have a value";
constexpr char const TargetNamespaceMustHaveValue[] = "Target Namespace must have a value";
constexpr char const InvalidElementFound[] = "Invalid Element [%s] found.";
constexpr char const CollectionNamespaceNotSet[] = "A Namespace has not been set for this Collection";
constexpr char const DoneByCollection[] = "This should be done by the collection";
constexpr char const AttributeNamespaceInappropriate[] =
    "Invalid Attribute [%s]. The attributes namespace is Inappropriate.";
constexpr char const IndexOutOfRange[] = "Index out of range";
constexpr char const IndexOutOfRangeUse[] = "Index %d is out of range, use 0 - %d";
constexpr char const DatesMustBeOfTypeOpen[] = "Dates added to this collection must be of type ";
constexpr char const CollectionTargetNamespace[] =
    "CXmlCollectionBase::GetTargetNamespace Should not be used from within a Collection (program logic "
    "error)";
constexpr char const CollectionMaximum[] = "The Maximum number of [%s] elements allowed in this collection is %d";
constexpr char const CollectionMinimum[] = "The Minimum number of [%s] elements allowed in this collection is %d";
constexpr char const ObjectNotInCollection[] = "The object was not found in the collection";

// Fast Infoset: reading and writing.
constexpr char const FiWriteAlphabetSize[] =
    "Failed to write FastInfoset. Invalid Restricted Alphabet. Alphabet must contain between 2 and 2^20 "
    "characters.";
constexpr char const FiWriteAlphabetUnsupported[] =
    "Failed to write FastInfoset. Unsupported Feature in AppendRestrictedAlphabetString.";
constexpr char const FiWriteAlphabetCharacter[] =
    "Failed to write FastInfoset. Invalid character not found for Restricted Alphabet.";
constexpr char const UnknownByteEncoding[] = "Unknown byte encoding.";
constexpr char const InvalidUuidEncoding[] = "Invalid value for UUID byte encoding.";
constexpr char const InvalidShortEncoding[] = "Invalid value for SHORT byte encoding.";
constexpr char const InvalidIntEncoding[] = "Invalid value for INT byte encoding.";
constexpr char const InvalidLongEncoding[] = "Invalid value for LONG byte encoding.";
constexpr char const InvalidFloatEncoding[] = "Invalid value for FLOAT byte encoding.";
constexpr char const InvalidDoubleEncoding[] = "Invalid value for DOUBLE byte encoding.";
constexpr char const FiParseFailed[] = "Failed to parse FastInfoset. %s";
constexpr char const FiUnexpectedEnd[] = "Unexpected End of File.";
constexpr char const FiElementType[] = "Invalid Encoding of Element type.";
constexpr char const FiInvalidText[] = "A character string is not UTF-8 text that XML can hold.";
constexpr char const FiParseIndexBeyondTable[] =
    "Failed to parse FastInfoset. Index [%u] is beyond the %s table of %u entries.";
constexpr char const FiCharacterStringThirdBit[] = "Invalid EncodedCharacterString type  on the third bit of an octet.";
constexpr char const FiCharacterStringFifthBit[] = "Invalid EncodedCharacterString type  on the fifth bit of an octet.";
constexpr char const FiAlphabetSize[] =
    "Invalid Encoding of Restricted Alphabet. Alphabet must contain between 2 and 2^20 character";
constexpr char const FiVocabularyNameParts[] =
    "The vocabulary holds a qualified name whose parts are not in its tables.";
constexpr char const FiItemCount[] = "Invalid item count.";
constexpr char const FiOctetStringSecondBit[] = "Invalid NonEmptyOctetString type  on the second bit of an octet.";
constexpr char const FiOctetStringFifthBit[] = "Invalid NonEmptyOctetString type  on the fifth bit of an octet.";
constexpr char const FiInteger1SecondBit[] =
    "Invalid Encoding of integers 1 To 2^20 type  on the second bit of an octet.";
constexpr char const FiInteger0SecondBit[] =
    "Invalid Encoding of integers 0 To 2^20 type  on the second bit of an octet.";
constexpr char const FiInteger1ThirdBit[] =
    "Invalid Encoding of integers 1 To 2^20 type  on the third bit of an octet.";
constexpr char const FiInteger1FourthBit[] =
    "Invalid Encoding of integers 1 To 2^20 type  on the fourth bit of an octet.";
constexpr char const FiParseUnknownAlphabet[] = "Failed to parse FastInfoset. Unknown Restricted Alphabet index [%u].";
constexpr char const FiParseUnknownAlgorithm[] = "Failed to parse FastInfoset. Unknown Encoding Algorithm index [%u].";
constexpr char const FiOptionalComponents[] = "Invalid optional components.";
constexpr char const FiNotation[] = "Invalid notation.";
constexpr char const FiUnparsedEntity[] = "Invalid unparsed entity.";
constexpr char const FiInitialVocabulary[] = "Invalid initial vocabulary.";
constexpr char const FiPrefixWithoutNamespace[] = "Invalid QName type Prefix without Namespace.";
constexpr char const FiNoElement[] = "The document has no element.";
constexpr char const FiDataAfterEnd[] = "Unexpected data after the end of the document.";
constexpr char const FiMoreThanOneElement[] = "The document holds more than one element.";
constexpr char const FiAttributeType[] = "Invalid Encoding of Attribute type.";
constexpr char const FiNamespaceAttribute[] = "Invalid Encoding of Namespace Attribute.";
constexpr char const FiWriteInvalidDeclaration[] = "Failed to write FastInfoset. Invalid FInfoDecl value [%d]";
constexpr char const FiWriteInvalidAlphabet[] = "Failed to write FastInfoset. Invalid Restricted Alphabet value [%d]";
constexpr char const FiWriteInvalidAlgorithm[] = "Failed to write FastInfoset. Invalid Encoding Algorithm value [%d]";
constexpr char const FiWriteUnknownEncodingBit5[] =
    "Failed to write FastInfoset. Unknown encoding in EncodedCharacterStringBit5.";
constexpr char const FiWriteUnknownEncodingBit7[] =
    "Failed to write FastInfoset. Unknown encoding in EncodedCharacterStringBit7.";
constexpr char const FiWriteUtf16Unsupported[] =
    "Failed to write FastInfoset. Unsupported Feature UTF16BE in EncodedCharacterStringBit5.";

// JSON: reading and writing.
constexpr char const JsonNoRootElement[] = "JSON Document has no root Element.";
constexpr char const JsonItemEmptyName[] = "JSON item has an empty Name.";
constexpr char const JsonNameToElementName[] = "Failed to convert name '%s' to Element name in XML.";
constexpr char const JsonMoreThanOneRoot[] = "JSON Document has more than one root Element: '%s'.";
constexpr char const JsonAtNameToAttributeName[] = "Failed to convert name '@%s' to Attribute name in XML.";
constexpr char const JsonItemNotSimple[] = "JSON item '%s' must have a simple value.";
constexpr char const JsonNameToAttributeName[] = "Failed to convert name '%s' to Attribute name in XML.";
constexpr char const JsonItemRepeated[] = "JSON item '%s' is repeated.";
constexpr char const JsonValueToAttributeValue[] = "Failed to convert value '%s' to Attribute string value in XML.";
constexpr char const JsonValueToElementValue[] = "Failed to convert value '%s' to Element string value in XML.";
constexpr char const JsonValueHasNoName[] = "JSON Value has no Name.";
constexpr char const JsonArrayHasNoName[] = "JSON Array has no Name.";
constexpr char const JsonDepthLimit[] = "JSON exceeded depth limit at line %d, position %d.";
constexpr char const JsonExpectedTrue[] = "Expected 'true' at line %d, position %d.";
constexpr char const JsonEndExpectedTrue[] = "Unexpected End of File. Expected value 'true' at line %d, position %d.";
constexpr char const JsonExpectedFalse[] = "Expected 'false' at line %d, position %d.";
constexpr char const JsonEndExpectedFalse[] = "Unexpected End of File. Expected value 'false' at line %d, position %d.";
constexpr char const JsonExpectedNull[] = "Expected 'NULL' at line %d, position %d.";
constexpr char const JsonEndExpectedNull[] = "Unexpected End of File. Expected value 'NULL' at line %d, position %d.";
constexpr char const JsonExpectedValue[] =
    "Expected Value '{', '[', '\"', '0-9', '-', 'true', 'false' or 'null', found '%c' at line %d, "
    "position %d.";
constexpr char const JsonEndExpectedObjectEndDoubled[] =
    "Unexpected End of File. Expected Object terminator character '}}' at line %d, position %d.";
constexpr char const JsonExpectedQuotationMark[] =
    "Expected quotation mark character '\"' before Name, found '%c' at line %d, position %d.";
constexpr char const JsonEndExpectedNameSeparator[] =
    "Unexpected End of File. Expected Object Name/Value separator character ':' at line %d, position %d.";
constexpr char const JsonExpectedNameSeparator[] =
    "Expected Object Name/Value separator character ':', found '%c' at line %d, position %d.";
constexpr char const JsonEndExpectedObjectValue[] =
    "Unexpected End of File. Expected Object Value at line %d, position %d.";
constexpr char const JsonEndExpectedObjectEnd[] =
    "Unexpected End of File. Expected Object terminator character '}' at line %d, position %d.";
constexpr char const JsonExpectedObjectSeparator[] =
    "Expected Object separator character ',', found '%c' at line %d, position %d.";
constexpr char const JsonEndExpectedArrayEnd[] =
    "Unexpected End of File. Expected Array terminator character ']' at line %d, position %d.";
constexpr char const JsonExpectedArraySeparator[] =
    "Expected Array separator character ',', found '%c' at line %d, position %d.";
constexpr char const JsonEndExpectedString[] = "Unexpected End of File. Expected string value at line %d, position %d.";
constexpr char const JsonInvalidEscape[] = "Invalid Escape Character '%c' at line %d, position %d.";
constexpr char const JsonEndExpectedHexDigits[] =
    "Unexpected End of File. Expected 4 hexadecimal digits'\\uxxxx' at line %d, position %d.";
constexpr char const JsonExpectedHexDigits[] =
    "Expected 4 hexadecimal digits'\\uxxxx', found '%c' at line %d, position %d.";
constexpr char const JsonEndExpectedNumber[] = "Unexpected End of File. Expected a number at line %d, position %d.";
constexpr char const JsonExpectedDigit[] = "Expected a digit '0' to '9', found '%c' at line %d, position %d.";
constexpr char const JsonEndExpectedDigit[] =
    "Unexpected End of File. Expected a digit '0' to '9' at line %d, position %d.";
constexpr char const JsonEndExpectedExponent[] =
    "Unexpected End of File. Expected '+', '-' or a number at line %d, position %d.";
constexpr char const JsonElementHasValue[] = "The element [%s] already has its value and can take no member.";
constexpr char const UnknownNamespace[] = "Unknown Namespace: %s.";

} // namespace NxXmlLib16::Msg
