#include "TestBindings.h"
#include "TestSupport.h"

using namespace TestBindings;
using NxXmlTest::ExpectThrows;
using NxXmlTest::ExpectThrowsFull;

namespace
{

CSmartPtr<CWidget> FullWidget()
{
    CSmartPtr<CWidget> widget(new CWidget);
    widget->name = "gear";
    widget->hasSize = widget->hasShade = widget->hasRemark = widget->hasKind = widget->part->hasWeight = true;
    widget->size = 12;
    widget->color = widget->kind = Blue;
    widget->shade = Green;
    widget->part->code = "P-1";
    widget->part->weight = 5;
    widget->extra = new CPart("extra");
    widget->extra->code = "X";
    widget->counts->Add(1);
    widget->counts->Add(2);
    widget->parts->Add(new CPart("part2"))->code = "S";
    widget->remark = "fine & dandy";
    widget->note = new CNote;
    widget->note->text = "hello";
    widget->note->lang = "en";
    widget->id = 7;
    widget->others->Add("extra", "urn:o", "1");
    return widget;
}

// Reads the text into a new widget with the options.
CSmartPtr<CWidget> Read(std::string const & xml, CSerializationContext const & context = CSerializationContext())
{
    CSmartPtr<CWidget> widget(new CWidget);
    widget->FromXml(xml.c_str(), context);
    return widget;
}

// Checks that reading the text fails with a validation exception and this message.
void ExpectReadError(std::string const & xml, std::string const & message)
{
    ExpectThrows<CNxValidationException>([&] { Read(xml); }, message);
}

// A widget with its mandatory members only; the tests add optional members in their places.
std::string Widget(std::string const & size = "", std::string const & rest = "")
{
    return "<widget xmlns=\"urn:t\" id=\"1\"><name>a</name>" + size + "<color>red</color><part><code>c</code></part>" +
           rest + "</widget>";
}

CSerializationContext Context(void (CSerializationContext::*option)(bool), CSerializationContext context = {})
{
    (context.*option)(true);
    return context;
}

std::string const Xsi = "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\"";
std::string const Leftover = "Failed read all the elements held within the element [widget]. The unexpected element "
                             "[zzz] remains un processed\nPath: /widget";

} // namespace

TEST(GeneratedClass, SequenceWritesEveryMemberKindInOrderAndRoundTrips)
{
    EXPECT_EQ(FullWidgetXml, Write(*FullWidget()));
    CSmartPtr<CWidget> const widget = Read(FullWidgetXml);
    EXPECT_EQ(Green, widget->shade);
    EXPECT_EQ("fine & dandy", widget->remark);
    EXPECT_EQ("urn:o", widget->others->Item(0)->GetNamespace());
    EXPECT_EQ(FullWidgetXml, Write(*widget));
}

TEST(GeneratedClass, PrettyPrintedWithTheDocumentsOwnPrefixes)
{
    CSerializationContext context;
    context.GetNamespaceAliases().Add("t", Ns);
    context.GetProcessingInstructions().push_back("<?xml-stylesheet href=\"w.xsl\"?>");
    context.SetInLineSchema("<!-- schema -->");
    context.GetAdditionalRootAttributes()->Add("origin", "", "test");
    context.SetIndentChars("  ");
    CSmartPtr<CWidget> widget(new CWidget);
    widget->name = "a";
    widget->part->code = "c";
    NoBanner();
    EXPECT_EQ("<?xml version=\"1.0\"?>\n<?xml-stylesheet href=\"w.xsl\"?>\n\n"
              "<t:widget xmlns:t=\"urn:t\" origin=\"test\" id=\"0\" \n<!-- schema -->\n>\n"
              "  <t:name>a</t:name>\n  <t:color>red</t:color>\n  <t:part>\n    <t:code>c</t:code>\n  </t:part>\n"
              "</t:widget>\n",
              widget->ToXml(true, true, EOLType_LF, context));
}

TEST(GeneratedClass, MissingAndUnknownElements)
{
    std::string const noName = "Failed to find the required child element [name].\nPath: /widget";
    ExpectReadError("<widget xmlns=\"urn:t\" id=\"1\"><color>red</color></widget>", noName);
    std::string const unknownFirst = "<widget xmlns=\"urn:t\" id=\"1\"><zzz/><name>a</name><color>red</color>"
                                     "<part><code>c</code></part></widget>";
    ExpectReadError(unknownFirst, noName);
    CSerializationContext const skipping = Context(&CSerializationContext::SetIgnoreUnknownElements);
    EXPECT_EQ("a", Read(unknownFirst, skipping)->name);
    CSerializationContext const lenient = Context(&CSerializationContext::SetIgnoreMissingMandatoryElements);
    EXPECT_EQ("", Read("<widget xmlns=\"urn:t\" id=\"1\"><color>red</color></widget>", lenient)->name);

    std::string const leftover = Widget("", "<count>1</count><zzz/>"); // ##other does not take the target namespace
    ExpectReadError(leftover, Leftover);
    EXPECT_EQ(1, Read(leftover, skipping)->counts->GetCount());

    std::string const foreign = "<widget xmlns=\"urn:x\" id=\"1\"><name>a</name><color>red</color>"
                                "<part><code>c</code></part></widget>";
    ExpectReadError(foreign, noName);
    EXPECT_EQ("a", Read(foreign, Context(&CSerializationContext::SetIgnoreNamespaces))->name);
    CSerializationContext noNamespaces;
    noNamespaces.SetSchemaType(SchemaType_DTD);
    EXPECT_EQ("a", Read(Widget(), noNamespaces)->name);
}

TEST(GeneratedClass, Attributes)
{
    ExpectReadError(Widget("", "<extra bogus=\"x\"><code>c</code></extra>"),
                    "Unexpected Attribute found.\nPath: /widget/extra/@bogus");
    ExpectReadError("<widget xmlns=\"urn:t\" xmlns:t=\"urn:t\" id=\"1\" t:extra=\"x\"><name>a</name><color>red</color>"
                    "<part><code>c</code></part></widget>",
                    "Unexpected Attribute found.\nPath: /widget/@extra"); // the target namespace is not ##other
    CSerializationContext const ignoring = Context(&CSerializationContext::SetIgnoreUnknownAttributes);
    EXPECT_EQ("c", Read(Widget("", "<extra bogus=\"x\"><code>c</code></extra>"), ignoring)->extra->code);
    // ##other takes attributes of other namespaces, and unqualified ones.
    CSmartPtr<CWidget> const open = Read("<widget xmlns=\"urn:t\" xmlns:o=\"urn:o\" id=\"1\" o:x=\"1\" plain=\"2\">"
                                         "<name>a</name><color>red</color><part><code>c</code></part></widget>");
    EXPECT_EQ(2, open->others->GetCount());
    EXPECT_EQ("plain", open->others->Item(1)->GetName());
    ExpectThrowsFull<CNxValidationException>(
        [] { Read("<widget xmlns=\"urn:t\"><name>a</name><color>red</color><part><code>c</code></part></widget>"); },
        "Failed to process the element.\nPath: /widget",
        "Failed to process the element.\nPath: /widget\nFailed to find the required Attribute [id].");
}

TEST(GeneratedClass, DefaultsOfElementsAndAttributes)
{
    CSmartPtr<CWidget> widget = Read(Widget("<size/>"));
    EXPECT_TRUE(widget->hasSize);
    EXPECT_EQ(10, widget->size); // an empty element takes the default
    EXPECT_NE(std::string::npos, Write(*widget).find("<size/>"));
    CSerializationContext const full = Context(&CSerializationContext::SetWriteDefaultElementValues, Compact());
    EXPECT_NE(std::string::npos, Write(*widget, full).find("<size>10</size>"));

    widget->hasLabel = true;
    widget->label = "none";
    EXPECT_NE(std::string::npos, Write(*widget).find("label=\"none\""));
    CSerializationContext const omit = Context(&CSerializationContext::SetNoOptionalAttributeDefaultOutput, Compact());
    EXPECT_EQ(std::string::npos, Write(*widget, omit).find("label="));
    widget->label = "other";
    EXPECT_NE(std::string::npos, Write(*widget, omit).find("label=\"other\""));
}

TEST(GeneratedClass, NilElements)
{
    CSmartPtr<CWidget> const nilRemark = Read(Widget("", "<remark " + Xsi + " xsi:nil=\"true\"/>"));
    EXPECT_TRUE(nilRemark->remarkNil);
    EXPECT_NE(std::string::npos,
              Write(*nilRemark).find("<remark xmlns:AA=\"http://www.w3.org/2001/XMLSchema-instance\" AA:nil=\"true\"/>"));
    ExpectReadError(Widget("", "<remark " + Xsi + " xsi:nil=\"yes\"/>"),
                    "Unexpected Value [yes] for 'nil' Attribute found.\nPath: /widget/remark/@xsi:nil");
    ExpectReadError("<widget xmlns=\"urn:t\" " + Xsi + " id=\"1\"><name xsi:nil=\"1\"/></widget>",
                    "Invalid use of 'nil' attribute in non-nillable element.\nPath: /widget/name/@xsi:nil");
    EXPECT_EQ("a", Read("<widget xmlns=\"urn:t\" " + Xsi + " id=\"1\"><name xsi:nil=\"0\">a</name><color>red</color>"
                        "<part><code>c</code></part></widget>")
                       ->name);
    // A nillable class with simple content.
    CSmartPtr<CWidget> const widget = Read(Widget("", "<note lang=\"fr\">bonjour</note>"));
    EXPECT_EQ("bonjour", widget->note->text);
    EXPECT_EQ("fr", widget->note->lang);
    CSmartPtr<CWidget> const nilNote = Read(Widget("", "<note " + Xsi + " xsi:nil=\"1\">ignored</note>"));
    EXPECT_TRUE(nilNote->note->nil);
    EXPECT_EQ("", nilNote->note->text); // a nil element's content is not read
    EXPECT_NE(std::string::npos, Write(*nilNote).find("<note xmlns:AA=\"http://www.w3.org/2001/XMLSchema-instance\" "
                                                     "AA:nil=\"true\"/>"));
    ExpectReadError(Widget("", "<part2 " + Xsi + " xsi:nil=\"true\"><code>x</code></part2>"),
                    "Invalid use of 'nil' attribute in non-nillable element.\nPath: /widget/part2");
}

TEST(GeneratedClass, FacetsAreCheckedWhenWritingAndInSetters)
{
    CSmartPtr<CWidget> const widget = FullWidget();
    widget->name = "ABC";
    ExpectThrowsFull<CNxValidationException>([&] { Write(*widget); }, "Failed to convert the element [widget] to XML",
                                             "Failed to convert the element [widget] to XML\nInvalid Value for name [ABC].");
    ExpectThrowsFull<CNxValidationException>(
        [] { Read("<widget xmlns=\"urn:t\" id=\"1\"><name>ABC</name></widget>"); },
        "Failed to set the property value.\nPath: /widget/name",
        "Failed to set the property value.\nPath: /widget/name\nInvalid Value for name [ABC].");
}

TEST(GeneratedClass, CollectionCounts)
{
    CSmartPtr<CWidget> const widget = FullWidget();
    for (int i = 0; i < 2; ++i)
        widget->counts->Add(i);
    ExpectThrowsFull<CNxValidationException>(
        [&] { Write(*widget); }, "Failed to convert the element [widget] to XML",
        "Failed to convert the element [widget] to XML\nThe Maximum number of [count] elements allowed in this "
        "collection is 3");
    CSerializationContext const ignoring = Context(&CSerializationContext::SetIgnoreInvalidCollectionCounts, Compact());
    EXPECT_NE(std::string::npos, Write(*widget, ignoring).find("<count>2</count><count>0</count><count>1</count>"));

    std::string const four = Widget("", "<count>1</count><count>2</count><count>3</count><count>4</count>");
    ExpectReadError(four, "Failed to process the element.\nPath: /widget");
    EXPECT_EQ(4, Read(four, Context(&CSerializationContext::SetIgnoreInvalidCollectionCounts))->counts->GetCount());
}

TEST(GeneratedClass, WildcardElements)
{
    CSmartPtr<CWidget> const widget = Read(Widget("", "<o:thing xmlns:o=\"urn:o\" a=\"1\"><o:sub>t</o:sub></o:thing>"));
    ASSERT_NE(nullptr, widget->any);
    EXPECT_EQ("thing", widget->any->GetName());
    EXPECT_EQ("urn:o", widget->any->GetNamespace());
    EXPECT_EQ("1", widget->any->GetAttributes()->Item(0)->GetValue());
    EXPECT_EQ("t", widget->any->GetChildElements()->Item(0)->GetText());
    EXPECT_NE(std::string::npos,
              Write(*widget).find("<AA:thing xmlns:AA=\"urn:o\" a=\"1\"><AA:sub>t</AA:sub></AA:thing></widget>"));
}

TEST(GeneratedClass, ChoiceGroups)
{
    // A choice of optional members may be empty; one of a required run may not.
    CSmartPtr<CChoiceBox> box(new CChoiceBox);
    EXPECT_EQ("<box xmlns=\"urn:t\"/>", Write(*box));
    CSmartPtr<CRunBox> run(new CRunBox);
    ExpectThrowsFull<CNxValidationException>(
        [&] { Write(*run); }, "Failed to convert the element [run] to XML",
        "Failed to convert the element [run] to XML\nThis element is a choice, and as such must have at one (and only "
        "one) valid item, currently there are none set");
    EXPECT_EQ("<run xmlns=\"urn:t\"/>", Write(*run, Context(&CSerializationContext::SetIgnoreMissingChoice, Compact())));
    run->FromXml("<run xmlns=\"urn:t\"/>", Context(&CSerializationContext::SetIgnoreMissingChoice));
    EXPECT_EQ(0, run->numbers->GetCount());

    for (std::string const body : {"<text>hi</text>", "<part><code>p</code></part>", "<color>green</color>",
                                   "<number>1</number><number>2</number>"})
    {
        std::string const xml = "<box xmlns=\"urn:t\">" + body + "</box>";
        CSmartPtr<CChoiceBox> const read(new CChoiceBox);
        read->FromXml(xml.c_str());
        EXPECT_EQ(xml, Write(*read)) << body;
    }
    ExpectThrows<CNxValidationException>(
        [&] { box->FromXml("<box xmlns=\"urn:t\"><text>a</text><color>red</color></box>"); },
        "Failed read all the elements held within the element [box]. The unexpected element [color] remains un "
        "processed\nPath: /box");
    box->FromXml("<box xmlns=\"urn:t\"><zzz/><color>blue</color></box>",
                 Context(&CSerializationContext::SetIgnoreUnknownElements));
    EXPECT_EQ(Blue, box->color);
    // A run of numbers followed by what the choice skips: the run was taken.
    std::string numbers;
    for (int count = 1; count <= 6; ++count)
    {
        numbers += "<number>" + std::to_string(count) + "</number>";
        run->FromXml(("<run xmlns=\"urn:t\">" + numbers + "<zzz/></run>").c_str(),
                     Context(&CSerializationContext::SetIgnoreUnknownElements));
        EXPECT_EQ("<run xmlns=\"urn:t\">" + numbers + "</run>", Write(*run));
        ExpectThrows<CNxValidationException>(
            [&] { box->FromXml(("<box xmlns=\"urn:t\">" + numbers + "<color>red</color></box>").c_str()); },
            "Failed read all the elements held within the element [box]. The unexpected element [color] remains "
            "un processed\nPath: /box");
    }
}

TEST(GeneratedClass, AllGroupsTakeAnyOrder)
{
    CSmartPtr<CAllBox> box(new CAllBox);
    box->FromXml("<all xmlns=\"urn:t\"><color>blue</color><part><code>p</code></part><x>3</x></all>");
    EXPECT_FALSE(box->hasY);
    EXPECT_EQ("<all xmlns=\"urn:t\"><x>3</x><part><code>p</code></part><color>blue</color></all>", Write(*box));
    // Members in the group's own order are taken in one pass over it.
    std::string const ordered =
        "<all xmlns=\"urn:t\"><x>1</x><y>s</y><part><code>p</code></part><color>red</color></all>";
    box->FromXml(ordered.c_str());
    EXPECT_EQ(ordered, Write(*box));
    ExpectThrowsFull<CNxValidationException>(
        [&] { box->FromXml("<all xmlns=\"urn:t\"><color>blue</color></all>"); },
        "Failed to process the element.\nPath: /all",
        "Failed to process the element.\nPath: /all\nFailed to find the mandatory element [x].");
    ExpectThrows<CNxValidationException>(
        [&] { box->FromXml("<all xmlns=\"urn:t\"><x>1</x><color>red</color><x>2</x></all>"); },
        "Failed read all the elements held within the element [all]. The unexpected element [x] remains un "
        "processed\nPath: /all");
}

TEST(GeneratedClass, DerivedTypesAndSubstitution)
{
    CSmartPtr<CDrawing> drawing = SampleDrawing();
    std::string const xml = Write(*drawing);
    EXPECT_EQ("<drawing xmlns=\"urn:t\" flag=\"true\"><shape xmlns:AA=\"http://www.w3.org/2001/XMLSchema-instance\" "
              "AA:type=\"Circle\"><label>round</label><radius>4</radius></shape><first>f</first></drawing>",
              xml);
    CSerializationContext plain = Compact();
    plain.SetWriteTypeAttribute(false);
    EXPECT_EQ(std::string::npos, Write(*drawing, plain).find("type="));

    CSmartPtr<CDrawing> const read(new CDrawing);
    read->FromXml(xml.c_str());
    ASSERT_NE(nullptr, dynamic_cast<CCircle const *>(read->shape.Get()));
    EXPECT_EQ(xml, Write(*read));
}

TEST(GeneratedClass, APrefixDeclaredAgainLaterCountsForTheTypeOfAnEarlierElement)
{
    // Long enough that the shape is read before the end of the text is parsed.
    std::string filler;
    for (int i = 0; i < 5000; ++i)
        filler += "<zzz/>";
    auto const drawing = [&](std::string const & laterPrefix) {
        return "<drawing xmlns=\"urn:t\" xmlns:p=\"urn:t\" " + Xsi +
               " flag=\"true\"><shape xsi:type=\"p:Circle\"><label>l</label><radius>1</radius></shape>" + filler +
               "<first " + laterPrefix + ">f</first></drawing>";
    };
    CSerializationContext const skipping = Context(&CSerializationContext::SetIgnoreUnknownElements);
    CSmartPtr<CDrawing> const read(new CDrawing);
    read->FromXml(drawing("").c_str(), skipping);
    EXPECT_NE(nullptr, dynamic_cast<CCircle const *>(read->shape.Get()));
    // The prefix stands for the namespace it is declared for last in the document.
    ExpectThrows<CNxValidationException>(
        [&] { read->FromXml(drawing("xmlns:p=\"urn:other\"").c_str(), skipping); },
        "Failed to find a suitable substitution element for [shape].\nPath: /drawing");
}

TEST(GeneratedClass, AFailedReadLeavesAnObjectThatWorks)
{
    CSmartPtr<CWidget> widget(new CWidget);
    EXPECT_THROW(widget->FromXml(Widget("<size>x</size>").c_str()), CNxException);
    EXPECT_EQ("a", widget->name); // what was read before the failure stays; the rest is as Init left it
    EXPECT_EQ("<widget xmlns=\"urn:t\" id=\"1\"><name>a</name><color>red</color><part><code/></part></widget>",
              Write(*widget));
    widget->FromXml(FullWidgetXml.c_str());
    EXPECT_EQ(FullWidgetXml, Write(*widget));
}

TEST(GeneratedClass, HelpersOfTheDriver)
{
    CSmartPtr<CWidget> const widget(new CWidget);
    CXmlDocument document;
    document.LoadXml("<r xmlns=\"urn:t\"><name/><zzz/></r>");
    CXmlElement * const name = document.GetDocumentElement()->GetFirstElement();
    EXPECT_TRUE(widget->IsElementInList(CSerializationContext(), name));
    EXPECT_FALSE(widget->IsElementInList(CSerializationContext(), name->GetNextSiblingElement()));
    EXPECT_FALSE(widget->DoesElementContainOptionalElements());
    EXPECT_TRUE(CSmartPtr<CChoiceBox>(new CChoiceBox)->DoesElementContainOptionalElements());

    CParentElementInfo * info = new CParentElementInfo(XmlElementGroupType_Sequence, XmlElementType_Element, "T", Ns,
                                                       true, false, -1, ItemType_Invalid, nullptr, false);
    CElementInfo ** elements = new CElementInfo *[2]{new CElementInfoSeqPrimCol("a", Ns, 0), nullptr};
    CAttributeInfo ** attributes = new CAttributeInfo *[1]{nullptr};
    CXmlGeneratedClass::CleanMetaData(info, elements, attributes);
    EXPECT_EQ(nullptr, info);
    EXPECT_EQ(nullptr, elements);
    EXPECT_EQ(nullptr, attributes);
}
