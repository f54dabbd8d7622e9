#include "TestSupport.h"

#include "NxXmlLib16.h"

using namespace NxXmlLib16;

namespace
{

void ExpectDefaults(CJsonContext const & context)
{
    EXPECT_EQ(JsonRoundTrip_Full, context.GetSupportRoundtrip());
    EXPECT_EQ("", context.GetRootElementName());
    EXPECT_TRUE(context.GetAllowComments());
}

} // namespace

TEST(JsonContext, NewContextHasTheDefaults) { ExpectDefaults(CJsonContext()); }

TEST(JsonContext, CopiesAreIndependent)
{
    CJsonContext context;
    context.SetSupportRoundtrip(JsonRoundTrip_Attributes);
    context.SetRootElementName("r");
    context.GetAllowComments(false);
    CJsonContext copy(context);
    CJsonContext assigned;
    assigned = context;
    context.SetSupportRoundtrip(JsonRoundTrip_Full);
    for (CJsonContext const * c : {&copy, &assigned})
    {
        EXPECT_EQ(JsonRoundTrip_Attributes, c->GetSupportRoundtrip());
        EXPECT_EQ("r", c->GetRootElementName());
        EXPECT_FALSE(c->GetAllowComments());
    }
    context.SetRootElementName(nullptr);
    EXPECT_EQ("", context.GetRootElementName());
}

TEST(JsonContext, SerializationContextMakesItOnFirstUseAndKeepsIt)
{
    CSerializationContext const context;
    CJsonContext & json = context.GetJsonContext();
    ExpectDefaults(json);
    json.SetRootElementName("x");
    EXPECT_EQ(&json, &context.GetJsonContext());
    EXPECT_EQ("x", context.GetJsonContext().GetRootElementName());
}

TEST(JsonContext, CopiedSerializationContextOwnsItsOwnCopy)
{
    CSerializationContext context;
    context.GetJsonContext().SetSupportRoundtrip(JsonRoundTrip_Plain);
    CSerializationContext copy(context);
    CSerializationContext assigned;
    assigned.GetJsonContext().SetRootElementName("old");
    assigned = context;
    context.GetJsonContext().SetSupportRoundtrip(JsonRoundTrip_Attributes);
    EXPECT_NE(&context.GetJsonContext(), &copy.GetJsonContext());
    EXPECT_EQ(JsonRoundTrip_Plain, copy.GetJsonContext().GetSupportRoundtrip());
    EXPECT_EQ(JsonRoundTrip_Plain, assigned.GetJsonContext().GetSupportRoundtrip());
    EXPECT_EQ("", assigned.GetJsonContext().GetRootElementName());
    // A context whose JSON options were never made gives a copy with the defaults.
    CSerializationContext const fresh;
    CSerializationContext const freshCopy(fresh);
    ExpectDefaults(freshCopy.GetJsonContext());
}
