#include "TestBindings.h"
#include "TestSupport.h"

using namespace TestBindings;
using NxXmlTest::ExpectThrows;

TEST(ElementInfo, DefaultNamespacesOfWildcards)
{
    std::pair<char const *, char const *> const cases[] = {
        {"##any", "urn:t"}, {"##local", ""}, {"##other", ""}, {"##targetNamespace", "urn:d"},
        {"##targetNamespace urn:a", "urn:d"}, {"urn:a urn:b", ""}};
    for (auto const & [wildcard, expected] : cases)
        EXPECT_EQ(expected, CElementInfo::GetAnyDefaultNamespace(wildcard, "urn:t", "urn:d")) << wildcard;
    EXPECT_EQ("DefaultNamespace", CElementInfo::GetAnyDefaultNamespace("##other", "", "urn:d"));
}

TEST(ElementInfo, RestrictionsOfPrimitiveMembersOnly)
{
    auto const facets = [](char const * pattern, char const * minInclusive) {
        return CPrimitiveRestrictions(pattern, -1, -1, minInclusive, nullptr, nullptr, nullptr, -1, -1, -1);
    };
    WhitespaceRule const collapse = CWhitespaceUtils::WhitespaceRule_Collapse;
    CElementInfoSeqPrimOpt const code("code", Ns, 0, false, ItemType_string, nullptr,
                                      CWhitespaceUtils::WhitespaceRule_Preserve, facets("[A-Z]+", nullptr), nullptr);
    CElementInfoSeqClsOpt const part("part", Ns, 1, XmlElementType_Element, &CPart::Create, 0);
    NxVariant value;
    value.SetString("ABC");
    code.CheckRestriction(value);
    value.SetString("abc");
    ExpectThrows<CNxException>([&] { code.CheckRestriction(value); }, "Invalid Value for code [abc].");
    ExpectThrows<CNxException>([&] { part.CheckRestriction(value); }, "Cannot CheckRestriction for type: string");
    // Text is checked without a variant around it, with the same messages.
    code.CheckRestriction(std::string("XYZ"));
    ExpectThrows<CNxException>([&] { code.CheckRestriction(std::string("xyz")); }, "Invalid Value for code [xyz].");
    ExpectThrows<CNxException>([&] { part.CheckRestriction(std::string("xyz")); },
                               "Cannot CheckRestriction for type: string");
    CElementInfoSeqPrimOpt const count("count", Ns, 3, false, ItemType_i4, nullptr, collapse, facets(nullptr, "1"),
                                       nullptr);
    count.CheckRestriction(std::string(" 5 ")); // text for another type is read as that type
    ExpectThrows<CNxException>([&] { count.CheckRestriction(std::string("0")); }, "Invalid Value for count [0]");
    CAttributeInfoPrimitive const sku("sku", "", 4, true, ItemType_string, nullptr, collapse, facets("[A-Z]{3}", nullptr),
                                      nullptr);
    sku.CheckRestriction(std::string("ABC"));
    ExpectThrows<CNxException>([&] { sku.CheckRestriction(std::string("ABCD")); }, "Invalid Value for sku [ABCD].");
    CElementInfoAllCol const collection("x", Ns, 2);
    EXPECT_TRUE(collection.Validate(CSerializationContext(), CSmartPtr<CWidget>(new CWidget), false, true));
}

TEST(ElementInfo, NameMatching)
{
    CXmlDocument document;
    document.LoadXml("<r xmlns:o=\"urn:o\"><code/><o:code/></r>");
    CXmlElement const * const plain = document.GetDocumentElement()->GetFirstElement();
    CElementInfoSeqPrimOpt const local("code", "", 0, false, ItemType_string, nullptr,
                                       CWhitespaceUtils::WhitespaceRule_Preserve, CPrimitiveRestrictions(), nullptr);
    CSerializationContext context;
    EXPECT_TRUE(local.IsThisElement(context, plain));
    EXPECT_FALSE(local.IsThisElement(context, plain->GetNextSiblingElement()));
    EXPECT_FALSE(local.IsThisElement(context, nullptr));
    context.SetIgnoreNamespaces(true);
    EXPECT_TRUE(local.IsThisElement(context, plain->GetNextSiblingElement()));
}

TEST(AttributeInfo, EnumeratedAttributesMatchByLocalNameWhenNamespacesAreIgnored)
{
    // The widget's kind attribute (unqualified) given in a foreign namespace.
    std::string const xml = "<widget xmlns=\"urn:t\" xmlns:x=\"urn:x\" id=\"1\" x:kind=\"blue\"><name>a</name>"
                            "<color>red</color><part><code>c</code></part></widget>";
    CSmartPtr<CWidget> const strict(new CWidget);
    strict->FromXml(xml.c_str());
    EXPECT_FALSE(strict->hasKind); // taken by the ##other wildcard instead
    CSerializationContext ignoring;
    ignoring.SetIgnoreNamespaces(true);
    CSmartPtr<CWidget> const loose(new CWidget);
    loose->FromXml(xml.c_str(), ignoring);
    EXPECT_TRUE(loose->hasKind);
    EXPECT_EQ(Blue, loose->kind);
    // The generated conversion fails without a location: the driver places it at the element.
    NxXmlTest::ExpectThrowsFull<CNxValidationException>(
        [&] {
            loose->FromXml("<widget xmlns=\"urn:t\" id=\"1\" kind=\"purple\"><name>a</name><color>red</color>"
                           "<part><code>c</code></part></widget>");
        },
        "Failed to process the element.\nPath: /widget",
        "Failed to process the element.\nPath: /widget\nThe value [purple] is not a Color");
}

TEST(ElementInfo, TypesWithoutAFacetCheckerAreRefusedEvenWithoutFacets)
{
    WhitespaceRule const preserve = CWhitespaceUtils::WhitespaceRule_Preserve;
    CElementInfoSeqPrimOpt const letter("letter", Ns, 0, false, ItemType_char, nullptr, preserve,
                                        CPrimitiveRestrictions(), nullptr);
    CAttributeInfoPrimitive const mark("mark", "", 1, true, ItemType_char, nullptr, preserve, CPrimitiveRestrictions(),
                                       nullptr);
    NxVariant value;
    value.SetChar('x');
    ExpectThrows<CNxInvalidValueException>([&] { letter.CheckRestriction(value); }, "Unknown type [char].");
    ExpectThrows<CNxInvalidValueException>([&] { letter.CheckRestriction(std::string("x")); }, "Unknown type [char].");
    ExpectThrows<CNxInvalidValueException>([&] { mark.CheckRestriction(value); }, "Unknown type [char].");
    value.SetI4(-5);
    CElementInfoSeqPrimOpt("count", Ns, 0, false, ItemType_i4, nullptr, preserve, CPrimitiveRestrictions(), nullptr)
        .CheckRestriction(value); // types with a checker and no facets pass
}
