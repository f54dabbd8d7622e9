// The vocabulary tables, the Fast Infoset options and their place in the serialisation context.
#include "FastInfosetContext.h"
#include "SerializationContext.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{

using namespace NxXmlLib16;
using Encoded = CFastInfosetContext::EncodedCharacterString;

std::vector<std::string> Entries(CFIVocabulary::CFIStringTable const & table)
{
    return std::vector<std::string>(table.begin(), table.end());
}

TEST(FIVocabulary, FreshTablesHoldTheBuiltInEntries)
{
    CFIVocabulary const vocabulary;
    EXPECT_EQ(std::vector<std::string>{"xml"}, Entries(vocabulary.GetPrefixNamesTable()));
    EXPECT_EQ(std::vector<std::string>{"http://www.w3.org/XML/1998/namespace"},
              Entries(vocabulary.GetNamespaceNamesTable()));
    EXPECT_EQ((std::vector<std::string>{"0123456789-+.e ", "0123456789-:TZ "}), vocabulary.GetRestrictedAlphabets());
    EXPECT_EQ(0u, vocabulary.GetLocalNamesTable().GetCount());
    EXPECT_EQ(0u, vocabulary.GetElementNamesTable().GetCount());
    EXPECT_EQ(0u, vocabulary.GetAttributeNamesTable().GetCount());
    EXPECT_EQ(0u, vocabulary.GetAttributeValuesTable().GetCount());
    EXPECT_EQ(0u, vocabulary.GetCharacterChunksTable().GetCount());
}

TEST(FIVocabulary, AdditionsTakeTheNextIndexOnce)
{
    CFIVocabulary vocabulary;
    vocabulary.AddPrefixName("p");
    vocabulary.AddPrefixName("q");
    vocabulary.AddPrefixName("p");
    vocabulary.AddAttributeValue("v");
    vocabulary.AddElementValue("hi");
    vocabulary.AddElementValue("hi");
    std::uint32_t index = 0;
    ASSERT_TRUE(vocabulary.GetPrefixNamesTable().Find("p", index));
    EXPECT_EQ(2u, index);
    ASSERT_TRUE(vocabulary.GetPrefixNamesTable().Find("q", index));
    EXPECT_EQ(3u, index);
    EXPECT_EQ(3u, vocabulary.GetPrefixNamesTable().GetCount());
    EXPECT_EQ(std::vector<std::string>{"v"}, Entries(vocabulary.GetAttributeValuesTable()));
    EXPECT_EQ(std::vector<std::string>{"hi"}, Entries(vocabulary.GetCharacterChunksTable()));
    EXPECT_FALSE(vocabulary.GetLocalNamesTable().Find("p", index));
}

TEST(FIVocabulary, QualifiedNamesAddTheirPartsFirst)
{
    CFIVocabulary vocabulary;
    vocabulary.AddElement("p", "urn:p", "a");
    vocabulary.AddElement("", "urn:p", "b");
    vocabulary.AddAttribute("", "", "a");
    vocabulary.AddElement("p", "urn:p", "a");
    auto const & elements = vocabulary.GetElementNamesTable();
    ASSERT_EQ(2u, elements.GetCount());
    EXPECT_EQ(2u, elements.GetAt(1).GetPrefix());
    EXPECT_EQ(2u, elements.GetAt(1).GetNamespaceName());
    EXPECT_EQ(1u, elements.GetAt(1).GetLocalName());
    EXPECT_EQ(0u, elements.GetAt(2).GetPrefix());
    EXPECT_EQ(2u, elements.GetAt(2).GetNamespaceName());
    EXPECT_EQ(2u, elements.GetAt(2).GetLocalName());
    auto const & attributes = vocabulary.GetAttributeNamesTable();
    ASSERT_EQ(1u, attributes.GetCount());
    EXPECT_EQ(0u, attributes.GetAt(1).GetPrefix());
    EXPECT_EQ(0u, attributes.GetAt(1).GetNamespaceName());
    EXPECT_EQ(1u, attributes.GetAt(1).GetLocalName());
    EXPECT_EQ((std::vector<std::string>{"a", "b"}), Entries(vocabulary.GetLocalNamesTable()));
}

TEST(FIVocabulary, AFullTableIgnoresAdditions)
{
    CFIVocabulary vocabulary;
    auto & table = vocabulary.GetCharacterChunksTable();
    for (std::uint32_t i = 0; i < CFIVocabulary::MaxEntries; ++i)
        table.Append(std::to_string(i));
    ASSERT_EQ(1048576u, table.GetCount());
    vocabulary.AddElementValue("new");
    std::uint32_t index = 0;
    EXPECT_FALSE(table.Add("another", index));
    EXPECT_FALSE(table.Find("new", index));
    EXPECT_EQ(1048576u, table.GetCount());
    ASSERT_TRUE(table.Find("1048575", index));
    EXPECT_EQ(1048576u, index);
}

TEST(FIVocabulary, AssignmentCopiesEveryTable)
{
    CFIVocabulary source;
    source.AddElement("p", "urn:p", "a");
    source.AddAttributeValue("v");
    CFIVocabulary copy;
    copy.AddLocalName("other");
    copy = source;
    EXPECT_EQ(Entries(source.GetLocalNamesTable()), Entries(copy.GetLocalNamesTable()));
    EXPECT_EQ(1u, copy.GetElementNamesTable().GetCount());
    EXPECT_EQ(std::vector<std::string>{"v"}, Entries(copy.GetAttributeValuesTable()));
    EXPECT_EQ(Entries(source.GetPrefixNamesTable()), Entries(copy.GetPrefixNamesTable()));
}

TEST(FastInfosetContext, SuggestedValues)
{
    struct CExpected
    {
        ItemType itemType;
        Encoded::Kind kind;
        std::uint32_t index;
    };
    Encoded::Kind const S = Encoded::Kind_CharacterString, A = Encoded::Kind_RestrictedAlphabet,
                        E = Encoded::Kind_EncodingAlgorithm;
    // In item-type order, 0 to 28.
    std::vector<CExpected> const expected = {
        {ItemType_Invalid, S, 0},   {ItemType_hexBinary, E, 1}, {ItemType_base64Binary, E, 2},
        {ItemType_i1, E, 3},        {ItemType_i2, E, 3},        {ItemType_i4, E, 4},
        {ItemType_i8, E, 5},        {ItemType_ui1, E, 3},       {ItemType_ui2, E, 4},
        {ItemType_ui4, E, 5},       {ItemType_ui8, E, 5},       {ItemType_r4, E, 7},
        {ItemType_r8, E, 8},        {ItemType_duration, S, 0},  {ItemType_yearMonth, A, 2},
        {ItemType_monthDay, A, 2},  {ItemType_year, A, 2},      {ItemType_month, A, 2},
        {ItemType_day, A, 2},       {ItemType_date, A, 2},      {ItemType_datetime, A, 2},
        {ItemType_time, A, 2},      {ItemType_char, S, 0},      {ItemType_string, S, 0},
        {ItemType_boolean, E, 6},   {ItemType_decimal, A, 1},   {ItemType_integer, A, 1},
        {ItemType_XmlObject, S, 0}, {ItemType_XmlCollection, S, 0}};
    CFastInfosetContext context;
    context.SetElementMaxAddLength(9);
    context.SetEncoding(ItemType_string, Encoded{Encoded::Kind_EncodingAlgorithm, 10});
    context.SetSuggestedValues();
    ASSERT_EQ(CFastInfosetContext::ItemTypeCount, expected.size());
    for (CExpected const & e : expected)
    {
        EXPECT_EQ(e.kind, context.GetEncoding(e.itemType).kind) << e.itemType;
        if (e.kind != Encoded::Kind_CharacterString)
        {
            EXPECT_EQ(e.index, context.GetEncoding(e.itemType).index) << e.itemType;
        }
    }
    EXPECT_EQ(9u, context.GetElementMaxAddLength());
}

TEST(FastInfosetContext, CopiesAreIndependent)
{
    CFastInfosetContext context;
    context.SetAttributeMaxAddLength(3);
    context.SetUseGeneratedVocabulary(true);
    context.SetExternalVocabularyURI("urn:v");
    context.GetVocabulary()->AddLocalName("n");
    CFastInfosetContext copy(context);
    context.GetVocabulary()->AddLocalName("m");
    EXPECT_EQ(3u, copy.GetAttributeMaxAddLength());
    EXPECT_TRUE(copy.GetUseGeneratedVocabulary());
    EXPECT_EQ("urn:v", copy.GetExternalVocabularyURI());
    EXPECT_EQ(1u, copy.GetVocabulary()->GetLocalNamesTable().GetCount());
    CFastInfosetContext assigned;
    assigned = context;
    EXPECT_EQ(2u, assigned.GetVocabulary()->GetLocalNamesTable().GetCount());
}

TEST(SerializationContextFI, CreatedOnFirstUseAndCopiedWithTheContext)
{
    CSerializationContext context;
    CFastInfosetContext & fi = context.GetFIContext();
    EXPECT_EQ(&fi, &context.GetFIContext());
    fi.SetElementMaxAddLength(12);
    CSerializationContext copy(context);
    EXPECT_NE(&fi, &copy.GetFIContext());
    EXPECT_EQ(12u, copy.GetFIContext().GetElementMaxAddLength());
    fi.SetElementMaxAddLength(2);
    EXPECT_EQ(12u, copy.GetFIContext().GetElementMaxAddLength());
    CSerializationContext assigned;
    assigned = context;
    EXPECT_EQ(2u, assigned.GetFIContext().GetElementMaxAddLength());
    CSerializationContext fresh;
    EXPECT_EQ(6u, CSerializationContext(fresh).GetFIContext().GetElementMaxAddLength());
}

} // namespace
