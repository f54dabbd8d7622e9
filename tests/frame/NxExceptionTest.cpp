#include "TestSupport.h"

#include "NxException.h"

#include <memory>

using namespace NxXmlLib16;

TEST(NxException, PathIsAppendedAndTheChainListedOutermostFirst)
{
    CNxValidationException const located("Element missing", "/order/item[2]");
    EXPECT_EQ("Element missing\nPath: /order/item[2]", located.GetMessage());
    EXPECT_EQ("/order/item[2]", located.GetPath());
    EXPECT_EQ("Element missing", CNxValidationException("Element missing", "").GetMessage());
    // The full message lists the chain outermost first.
    CNxException const middle("write failed", CNxException("disk full"));
    CNxValidationException const outer("Failed to convert the element [order] to XML", "/order", middle);
    EXPECT_EQ("write failed\ndisk full", middle.GetFullMessage());
    EXPECT_EQ("Failed to convert the element [order] to XML\nPath: /order\nwrite failed\ndisk full",
              outer.GetFullMessage());
}

TEST(NxException, InnerExceptionsAreCopiesThatKeepTheirClass)
{
    try
    {
        throw CNxInvalidParamException("Index Out of range [3]");
    }
    catch (CNxException const & e)
    {
        EXPECT_EQ(typeid(CNxInvalidParamException), typeid(e));
        CNxException const wrapped("outer", e);
        ASSERT_NE(&e, wrapped.GetInnerException());
        CNxException const & inner = *wrapped.GetInnerException();
        EXPECT_EQ(typeid(CNxInvalidParamException), typeid(inner));
    }
}

TEST(NxException, CopiesOwnTheirChains)
{
    auto original = std::make_unique<CNxException>("outer", CNxException("inner", CNxOverFlowException("deepest")));
    CNxException copy(*original);
    original.reset();
    EXPECT_EQ("outer\ninner\ndeepest", copy.GetFullMessage());

    CNxException assigned("replaced", CNxException("old inner"));
    assigned = copy;
    {
        CNxException const temporary(assigned);
    }
    EXPECT_EQ("outer\ninner\ndeepest", assigned.GetFullMessage());
    CNxException const & thrown = *assigned.GetInnerException()->GetInnerException();
    EXPECT_EQ(typeid(CNxOverFlowException), typeid(thrown));

    // Assigning an exception its own inner exception must not free what it copies.
    CNxException chain("top", CNxException("middle", CNxException("bottom")));
    chain = *chain.GetInnerException();
    EXPECT_EQ("middle\nbottom", chain.GetFullMessage());
}

TEST(NxException, ConvertingConstructorsRelabelAnyFamilyMember)
{
    CNxException const base("message", "/a", CNxException("cause"));
    CNxInvalidStateException const state(base);
    EXPECT_EQ("message\nPath: /a", state.GetMessage());
    EXPECT_EQ("/a", state.GetPath());
    EXPECT_EQ("cause", state.GetInnerException()->GetMessage());
    CNxValidationException const & asValidation = CNxInvalidNamespaceException(base);
    EXPECT_EQ("/a", asValidation.GetPath());
}

TEST(FormatString, NeverTruncatesAndStopsAtAZeroCharacter)
{
    std::string const big(100 * 1024, 'x');
    EXPECT_EQ('[' + big + ']', FormatString("[%s]", big.c_str()));
    EXPECT_EQ(std::string(300, ' ') + "42", FormatString("%302d", 42));
    EXPECT_EQ("0x0000000D", FormatString("0x%08X", 13));
    EXPECT_EQ("", FormatString("%s", ""));
    EXPECT_EQ("ab", FormatString("ab%ccd", 0));
}
