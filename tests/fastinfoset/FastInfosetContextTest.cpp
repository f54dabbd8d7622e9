// The vocabulary tables, the Fast Infoset options and their place in the serialisation context.
#include "FastInfosetContext.h"
#include "SerializationContext.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{

using namespace NxXmlLib16;

std::vector<std::string> Entries(CFIVocabulary::CFIStringTable const & table)
{
    return std::vector<std::string>(table.begin(), table.end());
}

TEST(FIVocabulary, AdditionsTakeTheNextIndexOnceWithTheirPartsFirst)
{
    CFIVocabulary vocabulary;
    EXPECT_EQ((std::vector<std::string>{"0123456789-+.e ", "0123456789-:TZ "}), vocabulary.GetRestrictedAlphabets());
    vocabulary.AddElement("p", "urn:p", "a");
    vocabulary.AddElement("", "urn:p", "b");
    vocabulary.AddAttribute("", "", "a");
    vocabulary.AddElement("p", "urn:p", "a");
    vocabulary.AddElementValue("hi");
    vocabulary.AddElementValue("hi");
    EXPECT_EQ((std::vector<std::string>{"xml", "p"}), Entries(vocabulary.GetPrefixNamesTable()));
    EXPECT_EQ((std::vector<std::string>{"http://www.w3.org/XML/1998/namespace", "urn:p"}),
              Entries(vocabulary.GetNamespaceNamesTable()));
    EXPECT_EQ((std::vector<std::string>{"a", "b"}), Entries(vocabulary.GetLocalNamesTable()));
    EXPECT_EQ(std::vector<std::string>{"hi"}, Entries(vocabulary.GetCharacterChunksTable()));
    auto const & elements = vocabulary.GetElementNamesTable();
    ASSERT_EQ(2u, elements.GetCount());
    EXPECT_EQ(2u, elements.GetAt(1).GetPrefix());
    EXPECT_EQ(2u, elements.GetAt(1).GetNamespaceName());
    EXPECT_EQ(1u, elements.GetAt(1).GetLocalName());
    EXPECT_EQ(0u, elements.GetAt(2).GetPrefix());
    EXPECT_EQ(2u, elements.GetAt(2).GetLocalName());
    ASSERT_EQ(1u, vocabulary.GetAttributeNamesTable().GetCount());
    EXPECT_EQ(0u, vocabulary.GetAttributeNamesTable().GetAt(1).GetNamespaceName());
    EXPECT_EQ(1u, vocabulary.GetAttributeNamesTable().GetAt(1).GetLocalName());
}

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

TEST(FastInfosetContext, CreatedOnFirstUseAndCopiedWithTheSerializationContext)
{
    CSerializationContext context;
    CFastInfosetContext & fi = context.GetFIContext();
    EXPECT_EQ(&fi, &context.GetFIContext());
    fi.SetElementMaxAddLength(12);
    fi.SetUseGeneratedVocabulary(true);
    fi.SetExternalVocabularyURI("urn:v");
    fi.GetVocabulary()->AddLocalName("n");
    CSerializationContext copy(context);
    fi.SetElementMaxAddLength(2);
    fi.GetVocabulary()->AddLocalName("m");
    CSerializationContext assigned;
    assigned = context;
    EXPECT_EQ(12u, copy.GetFIContext().GetElementMaxAddLength());
    EXPECT_TRUE(copy.GetFIContext().GetUseGeneratedVocabulary());
    EXPECT_EQ("urn:v", copy.GetFIContext().GetExternalVocabularyURI());
    EXPECT_EQ(1u, copy.GetFIContext().GetVocabulary()->GetLocalNamesTable().GetCount());
    EXPECT_EQ(2u, assigned.GetFIContext().GetElementMaxAddLength());
    EXPECT_EQ(2u, assigned.GetFIContext().GetVocabulary()->GetLocalNamesTable().GetCount());
    CSerializationContext const fresh; // its options were never made: a copy has the defaults
    EXPECT_EQ(6u, CSerializationContext(fresh).GetFIContext().GetElementMaxAddLength());
}

} // namespace
