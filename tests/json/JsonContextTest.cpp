#include "TestSupport.h"

#include "NxXmlLib16.h"

using namespace NxXmlLib16;

// The JSON options are made on first use and owned by each copy of the serialisation context.
TEST(JsonContext, DefaultsAndIndependentCopies)
{
    CSerializationContext context;
    CJsonContext & json = context.GetJsonContext();
    EXPECT_EQ(JsonRoundTrip_Full, json.GetSupportRoundtrip());
    EXPECT_EQ("", json.GetRootElementName());
    EXPECT_TRUE(json.GetAllowComments());
    EXPECT_EQ(&json, &context.GetJsonContext());
    json.SetSupportRoundtrip(JsonRoundTrip_Plain);
    json.SetRootElementName("r");
    json.GetAllowComments(false);
    CSerializationContext copy(context);
    CSerializationContext assigned;
    assigned.GetJsonContext().SetRootElementName("old");
    assigned = context;
    json.SetSupportRoundtrip(JsonRoundTrip_Attributes);
    json.SetRootElementName(nullptr);
    EXPECT_EQ("", json.GetRootElementName());
    for (CSerializationContext const * c : {&copy, &assigned})
    {
        EXPECT_NE(&json, &c->GetJsonContext());
        EXPECT_EQ(JsonRoundTrip_Plain, c->GetJsonContext().GetSupportRoundtrip());
        EXPECT_EQ("r", c->GetJsonContext().GetRootElementName());
        EXPECT_FALSE(c->GetJsonContext().GetAllowComments());
    }
    // A context whose JSON options were never made gives a copy with the defaults.
    CSerializationContext const fresh;
    EXPECT_EQ(JsonRoundTrip_Full, CSerializationContext(fresh).GetJsonContext().GetSupportRoundtrip());
}
