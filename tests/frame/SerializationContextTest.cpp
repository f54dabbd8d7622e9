#include "TestSupport.h"

#include "SerializationContext.h"

using namespace NxXmlLib16;
using NxXmlTest::ExpectThrows;

namespace
{

void ExpectDefaults(CSerializationContext const & context)
{
    EXPECT_FALSE(context.GetIgnoreInvalidCollectionCounts());
    EXPECT_FALSE(context.GetIgnoreMissingChoice());
    EXPECT_FALSE(context.GetIgnoreMissingMandatoryElements());
    EXPECT_FALSE(context.GetIgnoreUnknownElements());
    EXPECT_FALSE(context.GetIgnoreUnknownAttributes());
    EXPECT_FALSE(context.GetIgnoreNamespaces());
    EXPECT_FALSE(context.GetNoOptionalAttributeDefaultOutput());
    EXPECT_FALSE(context.GetWriteDefaultElementValues());
    EXPECT_TRUE(context.GetWriteTypeAttribute());
    EXPECT_TRUE(context.GetStripCDATA());
    EXPECT_EQ("\t", context.GetIndentChars());
    EXPECT_EQ(SchemaType_XSD, context.GetSchemaType());
    EXPECT_EQ("", context.GetDefaultNamespaceURI());
    EXPECT_EQ("", context.GetInLineSchema());
    EXPECT_EQ(0, context.GetNamespaceAliases().GetNamespaceCount());
    EXPECT_TRUE(context.GetProcessingInstructions().empty());
}

char const * const BothIgnoredUnknownFirst =
    "The parser can only ignore additional elements, or ignore the fact that some required ones are missing, you "
    "can not ignore both\nSet IgnoreUnknownElements to false before setting IgnoreMissingMandatoryElements to true";
char const * const BothIgnoredMissingFirst =
    "The parser can only ignore additional elements, or ignore the fact that some required ones are missing, you "
    "can not ignore both\nSet IgnoreMissingMandatoryElements to false before setting IgnoreUnknownElements to true";

} // namespace

TEST(SerializationContext, NewAndDefaultContextsHaveTheDefaults)
{
    ExpectDefaults(CSerializationContext());
    ExpectDefaults(CSerializationContext::GetDefaultContext());
    EXPECT_EQ(&CSerializationContext::GetDefaultContext(), &CSerializationContext::GetDefaultContext());
}

TEST(SerializationContext, UnknownAndMissingElementsCannotBothBeIgnored)
{
    CSerializationContext context;
    context.SetIgnoreMissingMandatoryElements(true);
    ExpectThrows<CNxInvalidStateException>([&] { context.SetIgnoreUnknownElements(true); }, BothIgnoredMissingFirst);
    EXPECT_FALSE(context.GetIgnoreUnknownElements());
    context.SetIgnoreUnknownElements(false); // clearing never throws
    context.SetIgnoreMissingMandatoryElements(false);
    context.SetIgnoreUnknownElements(true);
    EXPECT_TRUE(context.GetIgnoreUnknownElements());

    ExpectThrows<CNxInvalidStateException>([&] { context.SetIgnoreMissingMandatoryElements(true); },
                                           BothIgnoredUnknownFirst);
    EXPECT_FALSE(context.GetIgnoreMissingMandatoryElements());
}

TEST(SerializationContext, IndentCharsAcceptOnlySpacesAndTabs)
{
    CSerializationContext context;
    context.SetIndentChars("  \t");
    EXPECT_EQ("  \t", context.GetIndentChars());
    ExpectThrows<CNxInvalidParamException>([&] { context.SetIndentChars(" x"); },
                                           "IndentChars can only contain Whitespace characters, i.e. \t or spaces");
    EXPECT_EQ("  \t", context.GetIndentChars());
    ExpectThrows<CNxInvalidParamException>([&] { context.SetIndentChars("\n"); },
                                           "IndentChars can only contain Whitespace characters, i.e. \t or spaces");
    context.SetIndentChars("");
    EXPECT_EQ("", context.GetIndentChars());
    context.SetIndentChars("    ");
    context.SetIndentChars(nullptr);
    EXPECT_EQ("", context.GetIndentChars());
}

TEST(SerializationContext, SchemaWithoutNamespacesIgnoresNamespaces)
{
    CSerializationContext context;
    context.SetSchemaType(SchemaType_DTD);
    EXPECT_TRUE(context.GetIgnoreNamespaces());
    context.SetSchemaType(SchemaType_XSD);
    EXPECT_FALSE(context.GetIgnoreNamespaces());
}

TEST(SerializationContext, CopiesAreIndependent)
{
    CSerializationContext original;
    original.SetIgnoreUnknownAttributes(true);
    original.SetWriteTypeAttribute(false);
    original.SetSchemaType(SchemaType_DTD);
    original.SetDefaultNamespaceURI("urn:orders");
    original.SetInLineSchema("<xs:schema/>");
    original.SetIndentChars("  ");
    original.GetNamespaceAliases().Add("o", "urn:orders");
    original.GetProcessingInstructions().push_back("<?xml-stylesheet href=\"a.xsl\"?>");

    CSerializationContext copy(original);
    CSerializationContext assigned;
    assigned = original;
    for (CSerializationContext * context : {&copy, &assigned})
    {
        EXPECT_TRUE(context->GetIgnoreUnknownAttributes());
        EXPECT_FALSE(context->GetWriteTypeAttribute());
        EXPECT_EQ(SchemaType_DTD, context->GetSchemaType());
        EXPECT_EQ("urn:orders", context->GetDefaultNamespaceURI());
        EXPECT_EQ("<xs:schema/>", context->GetInLineSchema());
        EXPECT_EQ("  ", context->GetIndentChars());
        EXPECT_EQ("o", context->GetNamespaceAliases().GetAliasFromNamespace("urn:orders"));
        ASSERT_EQ(1u, context->GetProcessingInstructions().size());
    }
    copy.GetNamespaceAliases().Add("x", "urn:other");
    copy.GetProcessingInstructions().clear();
    EXPECT_EQ(1, original.GetNamespaceAliases().GetNamespaceCount());
    EXPECT_EQ(1u, original.GetProcessingInstructions().size());
}
