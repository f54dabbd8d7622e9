#include "TestSupport.h"

#include "SerializationContext.h"

using namespace NxXmlLib16;
using NxXmlTest::ExpectThrows;

TEST(SerializationContext, UnknownAndMissingElementsCannotBothBeIgnored)
{
    std::string const both = "The parser can only ignore additional elements, or ignore the fact that some required "
                             "ones are missing, you can not ignore both\n";
    CSerializationContext context;
    context.SetIgnoreMissingMandatoryElements(true);
    ExpectThrows<CNxInvalidStateException>(
        [&] { context.SetIgnoreUnknownElements(true); },
        both + "Set IgnoreMissingMandatoryElements to false before setting IgnoreUnknownElements to true");
    EXPECT_FALSE(context.GetIgnoreUnknownElements());
    context.SetIgnoreUnknownElements(false); // clearing never throws
    context.SetIgnoreMissingMandatoryElements(false);
    context.SetIgnoreUnknownElements(true);
    ExpectThrows<CNxInvalidStateException>(
        [&] { context.SetIgnoreMissingMandatoryElements(true); },
        both + "Set IgnoreUnknownElements to false before setting IgnoreMissingMandatoryElements to true");
    EXPECT_FALSE(context.GetIgnoreMissingMandatoryElements());
}

TEST(SerializationContext, IndentCharsAcceptOnlySpacesAndTabs)
{
    CSerializationContext context;
    context.SetIndentChars("  \t");
    for (char const * refused : {" x", "\n"})
        ExpectThrows<CNxInvalidParamException>([&] { context.SetIndentChars(refused); },
                                               "IndentChars can only contain Whitespace characters, i.e. \t or spaces");
    EXPECT_EQ("  \t", context.GetIndentChars());
    context.SetIndentChars(nullptr);
    EXPECT_EQ("", context.GetIndentChars());
}

TEST(SerializationContext, CopiesAreIndependent)
{
    CSerializationContext original;
    original.SetIgnoreUnknownAttributes(true);
    original.SetMaxInflatedSize(12345);
    original.SetInLineSchema("<xs:schema/>");
    original.GetNamespaceAliases().Add("o", "urn:orders");
    original.GetProcessingInstructions().push_back("<?xml-stylesheet href=\"a.xsl\"?>");
    CSerializationContext copy(original);
    CSerializationContext assigned;
    assigned = original;
    for (CSerializationContext * context : {&copy, &assigned})
    {
        EXPECT_TRUE(context->GetIgnoreUnknownAttributes());
        EXPECT_EQ(12345u, context->GetMaxInflatedSize());
        EXPECT_EQ("<xs:schema/>", context->GetInLineSchema());
        EXPECT_EQ("o", context->GetNamespaceAliases().GetAliasFromNamespace("urn:orders"));
        EXPECT_EQ(1u, context->GetProcessingInstructions().size());
        context->GetNamespaceAliases().Add("x", "urn:other");
        context->GetProcessingInstructions().clear();
    }
    EXPECT_EQ(1, original.GetNamespaceAliases().GetNamespaceCount());
    EXPECT_EQ(1u, original.GetProcessingInstructions().size());
}
