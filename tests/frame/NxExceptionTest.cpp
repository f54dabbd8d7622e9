#include "TestSupport.h"

#include "NxException.h"

#include <memory>

using namespace NxXmlLib16;

TEST(NxException, PathIsAppendedToTheMessage)
{
    CNxValidationException const located("Element missing", "/order/item[2]");
    EXPECT_EQ("Element missing\nPath: /order/item[2]", located.GetMessage());
    EXPECT_EQ("/order/item[2]", located.GetPath());

    CNxValidationException const unlocated("Element missing", "");
    EXPECT_EQ("Element missing", unlocated.GetMessage());
    EXPECT_EQ("", unlocated.GetPath());
}

TEST(NxException, FullMessageListsTheChainOutermostFirst)
{
    CNxException const innermost("disk full");
    CNxException const middle("write failed", innermost);
    CNxValidationException const outer("Failed to convert the element [order] to XML", "/order", middle);
    EXPECT_EQ("write failed\ndisk full", middle.GetFullMessage());
    EXPECT_EQ("Failed to convert the element [order] to XML\nPath: /order\nwrite failed\ndisk full",
              outer.GetFullMessage());
    EXPECT_EQ("write failed", outer.GetInnerException()->GetMessage());
}

TEST(NxException, InnerExceptionIsAPrivateCopyThatKeepsItsClass)
{
    CNxInvalidValueException const cause("is not a valid i4");
    CNxException const & asBase = cause;
    CNxException const wrapper("outer", asBase);
    ASSERT_NE(nullptr, wrapper.GetInnerException());
    EXPECT_NE(&cause, wrapper.GetInnerException());
    CNxException const & thrown = *wrapper.GetInnerException();
    EXPECT_EQ(typeid(CNxInvalidValueException), typeid(thrown));
}

TEST(NxException, CopiesOwnTheirChains)
{
    auto original = std::make_unique<CNxException>("outer", CNxException("inner", CNxOverFlowException("deepest")));
    CNxException copy(*original);
    original.reset();
    EXPECT_EQ("outer\ninner\ndeepest", copy.GetFullMessage());

    CNxException assigned("replaced", CNxException("old inner"));
    assigned = copy;
    EXPECT_EQ("outer\ninner\ndeepest", assigned.GetFullMessage());
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

    CNxInvalidNamespaceException const ns(base);
    CNxValidationException const & asValidation = ns;
    EXPECT_EQ("/a", asValidation.GetPath());
}

TEST(NxException, ThrownByValueCaughtByBaseKeepsClass)
{
    try
    {
        throw CNxInvalidParamException("Index Out of range [3]");
    }
    catch (CNxException const & e)
    {
        EXPECT_EQ(typeid(CNxInvalidParamException), typeid(e));
        CNxException const wrapped("outer", e);
        CNxException const & thrown = *wrapped.GetInnerException();
        EXPECT_EQ(typeid(CNxInvalidParamException), typeid(thrown));
    }
}

TEST(FormatString, NeverTruncates)
{
    std::string const big(100 * 1024, 'x');
    std::string const result = FormatString("[%s]", big.c_str());
    ASSERT_EQ(big.size() + 2, result.size());
    EXPECT_EQ('[' + big + ']', result);
    EXPECT_EQ(std::string(300, ' ') + "42", FormatString("%302d", 42));
    EXPECT_EQ("1.5000000000", FormatString("%.10f", 1.5));
    EXPECT_EQ("0x0000000D", FormatString("0x%08X", 13));
    EXPECT_EQ("", FormatString("%s", ""));
}

TEST(FormatString, StopsAtAZeroCharacter)
{
    EXPECT_EQ("ab", FormatString("ab%ccd", 0));
}
