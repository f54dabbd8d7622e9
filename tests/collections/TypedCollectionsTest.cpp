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

TEST(TypedCollections, FacetsRejectValuesAndLeaveTheCollectionUnchanged)
{
    auto numbers = Make<Ci4Col>(0, -1, "100");
    numbers->Add(100);
    ExpectThrows<CNxException>([&] { numbers->Add(101); }, "Invalid Value for v [101]");
    EXPECT_EQ(1, numbers->GetCount());
    auto codes = Make<CstringCol>(0, -1, nullptr, "[A-Z]{2}");
    codes->Add("CH");
    ExpectThrows<CNxException>([&] { codes->Add("Swiss"); }, "Invalid Value for v [Swiss].");
    auto flags = Make<CbooleanCol>(0, -1, "anything");
    flags->Add(true); // booleans check no facet
    flags->Add(false);
    EXPECT_FALSE(flags->Item(1));
}

TEST(TypedCollections, DateKindsAreChecked)
{
    auto dates = Make<CdateCol>(0, -1, "2000-01-01"); // date collections check the kind, not facets
    dates->Add(CConversions::dateFromString("2004-05-06", Collapse));
    ExpectThrows<CNxInvalidParamException>([&] { dates->Add(CDateTime("2004-05-06T10:00:00")); },
                                           "Dates added to this collection must be of type dt_date");
    auto stamps = Make<CdatetimeCol>();
    ExpectThrows<CNxInvalidParamException>([&] { stamps->Add(CDateTime(2004, 5, 6)); },
                                           "Dates added to this collection must be of type dt_dateTime");
    auto times = Make<CtimeCol>();
    ExpectThrows<CNxInvalidParamException>([&] { times->AddAt(0, CDateTime(2004, 5, 6)); },
                                           "Dates added to this collection must be of type dt_time");
    auto monthDays = Make<CmonthDayCol>();
    ExpectThrows<CNxInvalidParamException>([&] { monthDays->Add(CDateTime(2004, 5, 6)); },
                                           "Dates added to this collection must be of type dt_gMonthDay");
    auto yearMonths = Make<CyearMonthCol>();
    ExpectThrows<CNxInvalidParamException>([&] { yearMonths->Add(CDateTime(2004, 5, 6)); },
                                           "Dates added to this collection must be of type dt_gYearMonth");
    EXPECT_EQ("2004-05-06", dates->ItemToString(dates->Item(0)));
    EXPECT_EQ(CDateTime::dt_date, dates->begin()->GetType());
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

    auto plain = Make<Ci4Col>();
    EXPECT_EQ("", plain->GetFormat());
    EXPECT_TRUE(plain->GetRestrictions().IsEmpty());
    plain->RemoveEventListener(&recorder); // never added: nothing happens
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
    CSmartPtr<COpen<Ci4Col>> numbers(new COpen<Ci4Col>("v", "urn:t", 0, -1, nullptr, -1, -1, nullptr, nullptr, nullptr,
                                                       nullptr, -1, -1, -1, Collapse, nullptr));
    CXmlElement * const root = document.GetDocumentElement();
    CXmlElement * const rest = numbers->FromXml_Int(root, root->GetFirstElement(), CSerializationContext(), false);
    EXPECT_EQ(5, numbers->GetCount());
    ASSERT_NE(nullptr, rest);
    EXPECT_EQ("w", rest->GetLocalName());

    CSmartPtr<COpen<Ci4Col>> limited(new COpen<Ci4Col>("v", "urn:t", 0, -1, nullptr, -1, -1, nullptr, "3", nullptr,
                                                       nullptr, -1, -1, -1, Collapse, nullptr));
    ExpectThrows<CNxException>(
        [&] { limited->FromXml_Int(root, root->GetFirstElement(), CSerializationContext(), false); },
        "Invalid Value for v [4]");
    EXPECT_EQ(3, limited->GetCount());
}

TEST(TypedCollections, EveryClassRoundTripsItsText)
{
    CXmlDocument document;
    auto const check = [&](auto collection, char const * text) {
        using Collection = typename std::remove_reference<decltype(*collection)>::type;
        std::string const xml = "<r xmlns=\"urn:t\"><v>" + std::string(text) + "</v></r>";
        document.LoadXml(xml.c_str());
        CXmlElement * const root = document.GetDocumentElement();
        static_cast<COpen<Collection> &>(*collection).FromXml_Int(root, root->GetFirstElement(), CSerializationContext(), false);
        EXPECT_EQ("<AA:v xmlns:AA=\"urn:t\">" + std::string(text) + "</AA:v>", Written(*collection)) << text;
        auto copy = *collection; // copies carry the items
        EXPECT_EQ(1, copy.GetCount());
    };
    check(Make<Ci1Col>(), "-128");
    check(Make<Ci2Col>(), "-32768");
    check(Make<Ci4Col>(), "2147483647");
    check(Make<Ci8Col>(), "-9223372036854775808");
    check(Make<Cui1Col>(), "255");
    check(Make<Cui2Col>(), "65535");
    check(Make<Cui4Col>(), "4294967295");
    check(Make<Cui8Col>(), "18446744073709551615");
    check(Make<Cr4Col>(), "0.25");
    check(Make<Cr8Col>(), "0.125");
    check(Make<CbooleanCol>(), "true");
    check(Make<CstringCol>(), "a &amp; b");
    check(Make<CdecimalCol>(), "-0.5");
    check(Make<CintegerCol>(), "123456789012345678901234567890");
    check(Make<CdurationCol>(), "P1Y2M3DT4H5M6.7S");
    check(Make<Cbase64BinaryCol>(), "YWJj");
    check(Make<ChexBinaryCol>(), "01AB");
    check(Make<CdayCol>(), "---07");
    check(Make<CmonthCol>(), "--03");
    check(Make<CyearCol>(), "2004");
    check(Make<CdateCol>(), "2004-05-06");
    check(Make<CdatetimeCol>(), "2004-05-06T10:20:30");
    check(Make<CtimeCol>(), "10:20:30.25");
    check(Make<CmonthDayCol>(), "--02-29");
    check(Make<CyearMonthCol>(), "2004-05");
}

namespace
{

template <class Collection>
struct CTag
{
    using Type = Collection;
};

// Adds, inserts, reads back, removes and writes one value through the typed operations, then
// adds it to a collection whose maximum, pattern or length refuses it: no message when the class
// checks no facet.
template <class Collection, class Value>
void ExerciseValue(CTag<Collection>, Value const & value, char const * text, char const * maxInclusive,
                   char const * pattern, char const * message, std::int32_t length = -1)
{
    SCOPED_TRACE(text);
    auto const plain = Make<Collection>();
    plain->Add(value);
    plain->AddAt(0, value);
    ASSERT_EQ(2, plain->GetCount());
    plain->Remove(0);
    Collection single(*plain);
    single.Clear();
    single.Add(plain->Item(0));
    EXPECT_EQ("<AA:v xmlns:AA=\"urn:t\">" + std::string(text) + "</AA:v>", Written(single));
    auto const strict = Make<Collection>(0, -1, maxInclusive, pattern, nullptr, length);
    if (message == nullptr)
    {
        strict->Add(value);
        EXPECT_EQ(1, strict->GetCount());
        return;
    }
    ExpectThrows<CNxException>([&] { strict->Add(value); }, message);
    EXPECT_EQ(0, strict->GetCount());
}

} // namespace

TEST(TypedCollections, EveryClassAddsReadsWritesAndChecksItsFacets)
{
    using C = CConversions;
    std::string const invalid = "Invalid Value for v ";
    ExerciseValue(CTag<Ci1Col>(), char(-5), "-5", "-6", nullptr, (invalid + "[-5]").c_str());
    ExerciseValue(CTag<Ci2Col>(), short(-300), "-300", "-301", nullptr, (invalid + "[-300]").c_str());
    ExerciseValue(CTag<Ci4Col>(), std::int32_t(70000), "70000", "69999", nullptr, (invalid + "[70000]").c_str());
    ExerciseValue(CTag<Ci8Col>(), std::int64_t(-5000000000), "-5000000000", "-5000000001", nullptr,
                  (invalid + "[-5000000000].").c_str());
    ExerciseValue(CTag<Cui1Col>(), static_cast<unsigned char>(200), "200", "199", nullptr, (invalid + "[200]").c_str());
    ExerciseValue(CTag<Cui2Col>(), static_cast<unsigned short>(60000), "60000", "59999", nullptr,
                  (invalid + "[60000]").c_str());
    ExerciseValue(CTag<Cui4Col>(), std::uint32_t(4000000000u), "4000000000", "3999999999", nullptr,
                  (invalid + "[4000000000]").c_str());
    ExerciseValue(CTag<Cui8Col>(), std::uint64_t(10000000000000000000ull), "10000000000000000000",
                  "9999999999999999999", nullptr, (invalid + "[10000000000000000000].").c_str());
    ExerciseValue(CTag<Cr4Col>(), 1.5f, "1.5", "1", nullptr, (invalid + "[1.500000]").c_str());
    ExerciseValue(CTag<Cr8Col>(), -2.25, "-2.25", "-3", nullptr, (invalid + "[-2.250000]").c_str());
    ExerciseValue(CTag<CbooleanCol>(), true, "true", nullptr, "z", nullptr);
    ExerciseValue(CTag<CstringCol>(), std::string("ab"), "ab", nullptr, "z", (invalid + "[ab].").c_str());
    ExerciseValue(CTag<CdecimalCol>(), C::decimalFromString("12.5", Collapse), "12.5", "12", nullptr,
                  (invalid + "[12.5].").c_str());
    ExerciseValue(CTag<CintegerCol>(), C::integerFromString("-99999999999999999999", Collapse),
                  "-99999999999999999999", "-100000000000000000000", nullptr,
                  (invalid + "[-99999999999999999999].").c_str());
    ExerciseValue(CTag<CdurationCol>(), C::durationFromString("PT5M", Collapse), "PT5M", "PT1M", nullptr,
                  (invalid + "[PT5M].").c_str());
    ExerciseValue(CTag<Cbase64BinaryCol>(), C::base64BinaryFromString("YWJj", Collapse), "YWJj", nullptr, nullptr,
                  (invalid + "[YWJj].").c_str(), 1);
    ExerciseValue(CTag<ChexBinaryCol>(), C::hexBinaryFromString("0aFF", Collapse), "0AFF", nullptr, nullptr,
                  (invalid + "[0AFF].").c_str(), 1);
    ExerciseValue(CTag<CdayCol>(), static_cast<unsigned char>(9), "---09", "---08", nullptr, (invalid + "[9]").c_str());
    ExerciseValue(CTag<CmonthCol>(), static_cast<unsigned char>(12), "--12", "--11", nullptr,
                  (invalid + "[12]").c_str());
    ExerciseValue(CTag<CyearCol>(), static_cast<unsigned short>(1999), "1999", "1998", nullptr,
                  (invalid + "[1999]").c_str());
    // The date and time kinds check the kind of a value, never its facets.
    ExerciseValue(CTag<CdateCol>(), C::dateFromString("2004-05-06", Collapse), "2004-05-06", "2000-01-01", nullptr,
                  nullptr);
    ExerciseValue(CTag<CdatetimeCol>(), C::datetimeFromString("2004-05-06T07:08:09Z", Collapse),
                  "2004-05-06T07:08:09Z", "2000-01-01", nullptr, nullptr);
    ExerciseValue(CTag<CtimeCol>(), C::timeFromString("07:08:09", Collapse), "07:08:09", "2000-01-01", nullptr,
                  nullptr);
    ExerciseValue(CTag<CmonthDayCol>(), C::monthDayFromString("--12-31", Collapse), "--12-31", "2000-01-01", nullptr,
                  nullptr);
    ExerciseValue(CTag<CyearMonthCol>(), C::yearMonthFromString("1999-12", Collapse), "1999-12", "2000-01-01",
                  nullptr, nullptr);
}
