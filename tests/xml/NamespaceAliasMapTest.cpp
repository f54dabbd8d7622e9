#include "TestSupport.h"

#include "NamespaceAliasMap.h"

using namespace NxXmlLib16;
using NxXmlTest::ExpectThrows;

TEST(NamespaceAliasMap, ANamespaceHasOneAliasAndLookupsByAliasTakeTheFirstUri)
{
    CNamespaceAliasMap map;
    map.Add("a", "urn:x");
    map.Add("b", "urn:x");
    EXPECT_EQ(1, map.GetNamespaceCount());
    EXPECT_EQ("b", map.GetAliasFromNamespace("urn:x"));
    EXPECT_FALSE(map.DoesAliasExist("a"));
    EXPECT_TRUE(map.DoesAliasExist("b"));
    map.Add("s", "urn:second");
    map.Add("s", "urn:first");
    EXPECT_EQ("urn:first", map.GetNamespaceFromAlias("s"));
    ExpectThrows<CNxException>([&] { map.GetNamespaceFromAlias("nope"); }, "Namespace alias [nope] not found");
    ExpectThrows<CNxException>([] { CNamespaceAliasMap().GetNamespaceFromAlias("nope"); },
                               "Namespace alias [nope] not found");
}

TEST(NamespaceAliasMap, EntriesAreInByteOrderOfTheUris)
{
    CNamespaceAliasMap map;
    map.Add("p", "urn:z");
    map.Add("q", "urn:a");
    map.Add("r", "URN:m"); // upper case sorts first in byte order
    ASSERT_EQ(3, map.GetNamespaceCount());
    EXPECT_EQ("URN:m urn:a urn:z", map.GetNamespaceAt(0) + " " + map.GetNamespaceAt(1) + " " + map.GetNamespaceAt(2));
    ExpectThrows<CNxInvalidParamException>([&] { map.GetNamespaceAt(3); }, "Index Out of range [3]");
    // Unknown namespaces leave the map alone.
    EXPECT_EQ("", map.GetAliasFromNamespace("urn:unknown"));
    EXPECT_FALSE(map.DoesNamespaceExist("urn:unknown"));
    map.RemoveNamespace("urn:unknown");
    map.RemoveNamespace("urn:a");
    EXPECT_EQ(2, map.GetNamespaceCount());
}
