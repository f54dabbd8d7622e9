#include "CollectionSupport.h"
#include "TestObjects.h"
#include "TestSupport.h"

#include "SerializationContext.h"
#include "TextStream.h"
#include "TypedCollections.h"
#include "XmlDocument.h"
#include "XmlTextWriter.h"

using namespace NxXmlLib16;
using NxXmlTest::CEventRecorder;
using NxXmlTest::ExpectThrows;

namespace
{

WhitespaceRule const Collapse = CWhitespaceUtils::WhitespaceRule_Collapse;

// A collection with the given facets and no others.
template <class Collection>
CSmartPtr<Collection> Make(int minOccurs = 0, int maxOccurs = -1, char const * maxInclusive = nullptr,
                           char const * pattern = nullptr, char const * format = nullptr, std::int32_t length = -1)
{
    return CSmartPtr<Collection>(new Collection("v", "urn:t", minOccurs, maxOccurs, pattern, -1, -1, nullptr,
                                                maxInclusive, nullptr, nullptr, length, -1, -1, Collapse, format));
}

// Opens the protected reading and writing of a collection to the tests.
template <class Collection>
struct COpen : Collection
{
    using Collection::Collection;
    using Collection::FromXml_Int;
    using Collection::ToXml_Int;
};

// Writes a collection as the run of elements it produces.
template <class Collection>
std::string Written(Collection const & collection, CSerializationContext const & context = CSerializationContext())
{
    CTextStream stream(XmlEncoding_UTF8);
    CXmlTextWriter writer(&stream);
    writer.WriteStartDocument();
    writer.SetIndentation(false);
    static_cast<COpen<Collection> const &>(collection).ToXml_Int(&writer, false, "urn:t", context, false);
    writer.WriteEndDocument();
    return stream.GetString();
}

} // namespace

TEST(TypedCollections, AddInsertAndRead)
{
    auto numbers = Make<Ci4Col>();
    numbers->Add(2);
    numbers->AddAt(0, 1);
    numbers->AddAt(numbers->GetCount(), 3);
    EXPECT_EQ(3, numbers->GetCount());
    EXPECT_EQ(1, numbers->Item(0));
    EXPECT_EQ(3, numbers->Item(2));
    ExpectThrows<CNxInvalidParamException>([&] { numbers->AddAt(numbers->GetCount() + 1, 9); }, "Index out of range");
    ExpectThrows<CNxInvalidParamException>([&] { numbers->AddAt(-1, 9); }, "Index out of range");
    ExpectThrows<CNxInvalidParamException>([&] { numbers->Item(3); }, "Index 3 is out of range, use 0 - 2");
    numbers->Remove(1);
    EXPECT_EQ(3, numbers->Item(1));
    ExpectThrows<CNxInvalidParamException>([&] { numbers->Remove(5); }, "Index 5 is out of range, use 0 - 1");
    numbers->Clear();
    ExpectThrows<CNxInvalidParamException>([&] { numbers->Item(0); }, "Index 0 is out of range, use 0 - -1");
}

TEST(TypedCollections, DateKindsAreChecked)
{
    auto dates = Make<CdateCol>();
    dates->Add(CConversions::dateFromString("2004-05-06", Collapse));
    EXPECT_EQ(CDateTime::dt_date, dates->begin()->GetType());
    CDateTime const day(2004, 5, 6);
    std::string const message = "Dates added to this collection must be of type dt_";
    ExpectThrows<CNxInvalidParamException>([&] { dates->Add(CDateTime("2004-05-06T10:00:00")); }, message + "date");
    ExpectThrows<CNxInvalidParamException>([&] { Make<CdatetimeCol>()->Add(day); }, message + "dateTime");
    ExpectThrows<CNxInvalidParamException>([&] { Make<CtimeCol>()->AddAt(0, day); }, message + "time");
    ExpectThrows<CNxInvalidParamException>([&] { Make<CmonthDayCol>()->Add(day); }, message + "gMonthDay");
    ExpectThrows<CNxInvalidParamException>([&] { Make<CyearMonthCol>()->Add(day); }, message + "gYearMonth");
}

TEST(TypedCollections, EventsCarryTheValueAndTheIndex)
{
    CEventRecorder recorder;
    auto numbers = Make<Ci4Col>();
    numbers->AddEventListener(&recorder);
    numbers->Add(42);
    EXPECT_EQ("add add-complete change", recorder.Kinds());
    EXPECT_EQ(42, *static_cast<std::int32_t *>(recorder.data[1]));
    recorder.Reset();
    numbers->Add(43);
    numbers->Remove(1);
    EXPECT_EQ("add add-complete change remove remove-complete change", recorder.Kinds());
    EXPECT_EQ(1, recorder.indexes[3]);
    EXPECT_EQ(1, recorder.indexes[4]);
    recorder.Reset();
    numbers->Add(44);
    numbers->Clear(); // with a listener, each item is removed with its events
    EXPECT_EQ("add add-complete change remove remove-complete change remove remove-complete change", recorder.Kinds());
    EXPECT_EQ(0, numbers->GetCount());
    auto flags = Make<CbooleanCol>();
    flags->AddEventListener(&recorder);
    recorder.Reset();
    flags->Add(true);
    EXPECT_TRUE(*static_cast<bool *>(recorder.data[1]));
}

namespace
{
// Registers more listeners each time it is told of a change.
struct CGrowingListener : IEventSink
{
    CXmlCollectionBase * collection = nullptr;
    IEventSink * added = nullptr;
    int calls = 0;

    void OnEvent(CXmlObjectBase *, MsgType, void *) override
    {
        ++calls;
        for (int i = 0; i < 16; ++i)
            collection->AddEventListener(added);
    }
};
} // namespace

TEST(TypedCollections, ListenersAddedWhileToldAreToldToo)
{
    auto numbers = Make<Ci4Col>();
    CEventRecorder recorder;
    CGrowingListener growing;
    growing.collection = numbers.Get();
    growing.added = &recorder;
    numbers->AddEventListener(&growing);
    numbers->Add(1);
    EXPECT_EQ(3, growing.calls); // add, add-complete, change
    EXPECT_EQ(16u + 32u + 48u, recorder.types.size());
}

TEST(TypedCollections, CopiesKeepFacetsFormatAndListeners)
{
    CEventRecorder recorder;
    auto prices = Make<Cr8Col>(0, -1, "10", nullptr, "%.1f");
    prices->AddEventListener(&recorder);
    Cr8Col copy(*prices);
    copy.Add(2.25);
    EXPECT_EQ("add add-complete change", recorder.Kinds());
    EXPECT_EQ("%.1f", copy.GetFormat());
    EXPECT_EQ("10", copy.GetRestrictions().GetMaxInclusive());
    ExpectThrows<CNxException>([&] { copy.Add(11); }, "Invalid Value for v [11.000000]");
    copy.RemoveEventListener(&recorder);
    recorder.Reset();
    copy.Add(1);
    EXPECT_EQ("", recorder.Kinds());

}

TEST(TypedCollections, WritingARunOfElements)
{
    auto numbers = Make<Ci4Col>(1, 3);
    EXPECT_EQ("", Written(*Make<Ci4Col>()));
    ExpectThrows<CNxValidationException>([&] { Written(*numbers); },
                                         "The Minimum number of [v] elements allowed in this collection is 1");
    numbers->Add(-1);
    numbers->Add(2);
    EXPECT_EQ("<AA:v xmlns:AA=\"urn:t\">-1</AA:v><AA:v xmlns:AA=\"urn:t\">2</AA:v>", Written(*numbers));
    auto prices = Make<CdecimalCol>(0, -1, nullptr, nullptr, "2");
    prices->Add(CDecimal("1.5"));
    EXPECT_EQ("<AA:v xmlns:AA=\"urn:t\">1.50</AA:v>", Written(*prices));
    auto stamps = Make<CdatetimeCol>();
    stamps->Add(CDateTime("2004-05-06T10:00:00.5Z"));
    EXPECT_EQ("<AA:v xmlns:AA=\"urn:t\">2004-05-06T10:00:00.5Z</AA:v>", Written(*stamps));
}

TEST(TypedCollections, ReadingARunOfElements)
{
    CXmlDocument document;
    document.LoadXml("<r xmlns=\"urn:t\"><v> 1 </v><v>2</v><v>3</v><v>4</v><v>5</v><w/><v>6</v></r>");
    auto const numbers = Make<COpen<Ci4Col>>();
    CXmlElement * const root = document.GetDocumentElement();
    CXmlElement * const rest = numbers->FromXml_Int(root, root->GetFirstElement(), CSerializationContext(), false);
    EXPECT_EQ(5, numbers->GetCount());
    ASSERT_NE(nullptr, rest);
    EXPECT_EQ("w", rest->GetLocalName());

    auto const limited = Make<COpen<Ci4Col>>(0, -1, "3");
    ExpectThrows<CNxException>(
        [&] { limited->FromXml_Int(root, root->GetFirstElement(), CSerializationContext(), false); },
        "Invalid Value for v [4]");
    EXPECT_EQ(3, limited->GetCount());
}

namespace
{

// A value of a class as text, and a maximum, pattern or length that refuses it with the message
// (no message: the class checks no facet, the value is taken).
struct CValueCase
{
    char const * text;
    char const * maxInclusive = nullptr;
    char const * pattern = nullptr;
    char const * message = nullptr;
    std::int32_t length = -1;
};

// Reads each value from its element, inserts, removes and copies it through the typed operations,
// writes it back as the same text, then adds it where the facets apply.
template <class Collection>
void Exercise(std::vector<CValueCase> const & cases)
{
    for (CValueCase const & c : cases)
    {
        SCOPED_TRACE(c.text);
        CXmlDocument document;
        document.LoadXml(("<r xmlns=\"urn:t\"><v>" + std::string(c.text) + "</v></r>").c_str());
        CXmlElement * const root = document.GetDocumentElement();
        auto const plain = Make<COpen<Collection>>();
        plain->FromXml_Int(root, root->GetFirstElement(), CSerializationContext(), false);
        ASSERT_EQ(1, plain->GetCount());
        plain->AddAt(0, plain->Item(0));
        plain->Remove(1);
        Collection copy(*plain); // copies carry the items
        EXPECT_EQ("<AA:v xmlns:AA=\"urn:t\">" + std::string(c.text) + "</AA:v>", Written(copy));
        auto const strict = Make<Collection>(0, -1, c.maxInclusive, c.pattern, nullptr, c.length);
        if (c.message == nullptr)
            strict->Add(copy.Item(0));
        else
            ExpectThrows<CNxException>([&] { strict->Add(copy.Item(0)); }, c.message);
        EXPECT_EQ(c.message == nullptr ? 1 : 0, strict->GetCount());
    }
}

} // namespace

TEST(TypedCollections, EveryClassReadsWritesCopiesAndChecksItsFacets)
{
    char const * const year2000 = "2000-01-01"; // the date and time kinds check the kind of a value, never its facets
    Exercise<Ci1Col>({{"-128"}, {"-5", "-6", nullptr, "Invalid Value for v [-5]"}});
    Exercise<Ci2Col>({{"-32768"}, {"-300", "-301", nullptr, "Invalid Value for v [-300]"}});
    Exercise<Ci4Col>({{"2147483647"}, {"70000", "69999", nullptr, "Invalid Value for v [70000]"}});
    Exercise<Ci8Col>({{"-9223372036854775808"}, {"-5000000000", "-5000000001", nullptr, "Invalid Value for v [-5000000000]."}});
    Exercise<Cui1Col>({{"255", "254", nullptr, "Invalid Value for v [255]"}});
    Exercise<Cui2Col>({{"65535", "65534", nullptr, "Invalid Value for v [65535]"}});
    Exercise<Cui4Col>({{"4294967295", "4294967294", nullptr, "Invalid Value for v [4294967295]"}});
    Exercise<Cui8Col>({{"18446744073709551615", "18446744073709551614", nullptr,
                        "Invalid Value for v [18446744073709551615]."}});
    Exercise<Cr4Col>({{"0.25"}, {"1.5", "1", nullptr, "Invalid Value for v [1.500000]"}});
    Exercise<Cr8Col>({{"0.125"}, {"-2.25", "-3", nullptr, "Invalid Value for v [-2.250000]"}});
    Exercise<CbooleanCol>({{"true", "anything", "z"}, {"false"}});
    Exercise<CstringCol>({{"a &amp; b"}, {"ab", nullptr, "z", "Invalid Value for v [ab]."}});
    Exercise<CdecimalCol>({{"-0.5"}, {"12.5", "12", nullptr, "Invalid Value for v [12.5]."}});
    Exercise<CintegerCol>({{"123456789012345678901234567890"},
                           {"-99999999999999999999", "-100000000000000000000", nullptr,
                            "Invalid Value for v [-99999999999999999999]."}});
    Exercise<CdurationCol>({{"P1Y2M3DT4H5M6.7S"}, {"PT5M", "PT1M", nullptr, "Invalid Value for v [PT5M]."}});
    Exercise<Cbase64BinaryCol>({{"YWJj", nullptr, nullptr, "Invalid Value for v [YWJj].", 1}});
    Exercise<ChexBinaryCol>({{"01AB", nullptr, nullptr, "Invalid Value for v [01AB].", 1}});
    Exercise<CdayCol>({{"---09", "---08", nullptr, "Invalid Value for v [9]"}});
    Exercise<CmonthCol>({{"--12", "--11", nullptr, "Invalid Value for v [12]"}});
    Exercise<CyearCol>({{"1999", "1998", nullptr, "Invalid Value for v [1999]"}});
    Exercise<CdateCol>({{"2004-05-06", year2000}});
    Exercise<CdatetimeCol>({{"2004-05-06T10:20:30", year2000}, {"2004-05-06T07:08:09Z"}});
    Exercise<CtimeCol>({{"10:20:30.25", year2000}});
    Exercise<CmonthDayCol>({{"--02-29", year2000}});
    Exercise<CyearMonthCol>({{"2004-05", year2000}});
}
