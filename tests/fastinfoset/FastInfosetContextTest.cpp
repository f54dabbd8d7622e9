// The vocabulary tables: a full table takes no more entries.
#include "FastInfosetContext.h"

#include <gtest/gtest.h>

#include <string>

namespace
{

using namespace NxXmlLib16;

TEST(FIVocabulary, AFullTableIgnoresAdditions)
{
    CFIVocabulary vocabulary;
    auto & table = vocabulary.GetCharacterChunksTable();
    for (std::uint32_t i = 0; i < CFIVocabulary::MaxEntries; ++i)
        table.Append(std::to_string(i));
    vocabulary.AddElementValue("new");
    std::uint32_t index = 0;
    EXPECT_FALSE(table.Add("another", index));
    EXPECT_FALSE(table.Find("new", index));
    EXPECT_EQ(1048576u, table.GetCount());
    ASSERT_TRUE(table.Find("1048575", index));
    EXPECT_EQ(1048576u, index);
}

} // namespace
