#include "TestObjects.h"
#include "TestSupport.h"

#include "OpenContent.h"
#include "SerializationContext.h"
#include "XmlDocument.h"

using namespace NxXmlLib16;
using NxXmlTest::ExpectThrows;

namespace
{

// Opens the reading hooks of the holders to the tests.
struct COpenElement : CElement
{
    using CElement::CElement;
    using CElement::FromXml_Int;
};

struct COpenElementCol : CElementCol
{
    using CElementCol::CElementCol;
    using CElementCol::FromXml_Int;
    using CElementCol::FromXmlLockElementName_Int;
};

struct COpenAttributeCol : CAttributeCol
{
    using CAttributeCol::CAttributeCol;
    using CAttributeCol::FromXml_Int;
};

} // namespace

TEST(OpenContent, ElementsCheckTheirNamespaceRestriction)
{
    ExpectThrows<CNxInvalidNamespaceException>(
        [] { CSmartPtr<CElement>(new CElement("a", "urn:x", "##local", "urn:t")); },
        "Invalid namespace [urn:x]. The namespace must be one of [##local] where the target namespace is [urn:t].");
    CSmartPtr<CElement> const local(new CElement("a", "", "##local", "urn:t"));
    EXPECT_EQ("", local->GetNamespace());
    ExpectThrows<CNxInvalidNamespaceException>([] { CSmartPtr<CElement>(new CElement(nullptr, "", "##any", "")); },
                                               "Element Name must have a value");
    ExpectThrows<CNxInvalidNamespaceException>([] { CSmartPtr<CElement>(new CElement("a", "", nullptr, "")); },
                                               "Namespace Restriction must have a value");
    ExpectThrows<CNxInvalidNamespaceException>([] { CSmartPtr<CElement>(new CElement("a", "", "##any", nullptr)); },
                                               "Target Namespace must have a value");
    ExpectThrows<CNxInvalidNamespaceException>([&] { local->SetNamespace("urn:y"); },
                                               "Invalid namespace [urn:y]. The namespace must be one of [##local] where "
                                               "the target namespace is [urn:t].");
}

TEST(OpenContent, WritingAndReadingBackAnElement)
{
    CSmartPtr<CElement> const element(new CElement("order", "urn:o"));
    element->GetAttributes()->Add("id", "", "7");
    element->GetAttributes()->Add("rev", "urn:r", "2");
    CSmartPtr<CElement> const child = element->GetChildElements()->Add("item", "urn:o");
    child->SetText("a & b");
    element->SetText("text");
    NoBanner();
    std::string const xml = element->ToXml(false, false);
    EXPECT_EQ("<AA:order xmlns:AA=\"urn:o\" id=\"7\" xmlns:AB=\"urn:r\" AB:rev=\"2\"><AA:item>a &amp; b</AA:item>text"
              "</AA:order>",
              xml);
    CSmartPtr<CElement> const back(new CElement("x"));
    back->FromXml(xml.c_str());
    EXPECT_EQ("order", back->GetName());
    EXPECT_EQ("urn:o", back->GetNamespace());
    EXPECT_EQ("text", back->GetText());
    EXPECT_EQ("2", back->GetAttributes()->Item(1)->GetValue());
    EXPECT_EQ("urn:r", back->GetAttributes()->Item(1)->GetNamespace());
    EXPECT_EQ("a & b", back->GetChildElements()->Item(0)->GetText());
    EXPECT_EQ(xml, back->ToXml(false, false));
    CSmartPtr<CElement> const copy = back->Clone();
    back->GetChildElements()->Item(0)->SetText("changed");
    EXPECT_EQ(xml, copy->ToXml(false, false)); // the clone is deep
}

TEST(OpenContent, ElementsReadTextThroughEveryFromXmlOverload)
{
    // Through the holder and through the object base, text reading means the same: the
    // document element becomes the holder.
    CSerializationContext context;
    CSmartPtr<CElement> const element(new CElement("x"));
    element->FromXml("<a xmlns=\"urn:a\"><b/> </a>", context);
    EXPECT_EQ("a", element->GetName());
    EXPECT_EQ(" ", element->GetText()); // whitespace beside a child is content too
    CXmlObjectBase * const base = element.Get();
    base->FromXml("<c><d>1</d></c>", context);
    EXPECT_EQ("c", element->GetName());
    EXPECT_EQ("1", element->GetChildElements()->Item(0)->GetText());
    unsigned short const wide[] = {'<', 'e', '/', '>', 0};
    element->FromXml(wide);
    EXPECT_EQ("e", element->GetName());
    EXPECT_EQ(0, element->GetChildElements()->GetCount());
    base->FromXml(wide, context);
    EXPECT_EQ("e", element->GetName());
}

TEST(OpenContent, ReadingRespectsRestrictions)
{
    CXmlDocument document;
    document.LoadXml("<r xmlns:y=\"urn:y\" xmlns:t=\"urn:t\"><y:a/><t:b><t:c/></t:b><t:b/><y:d/></r>");
    CXmlElement * const root = document.GetDocumentElement();
    CXmlElement * const first = root->GetFirstElement();
    CSmartPtr<COpenElement> const holder(new COpenElement("x", "urn:t", "##targetNamespace", "urn:t"));
    EXPECT_EQ(first, holder->FromXml_Int(root, first, CSerializationContext(), false)); // urn:y is not taken
    CXmlElement * const second = first->GetNextSiblingElement();
    EXPECT_EQ(second->GetNextSiblingElement(), holder->FromXml_Int(root, second, CSerializationContext(), false));
    EXPECT_EQ("b", holder->GetName());
    EXPECT_EQ(1, holder->GetChildElements()->GetCount());

    CSmartPtr<COpenElementCol> const targets(new COpenElementCol("", "urn:t", "##targetNamespace", 0, -1));
    EXPECT_EQ(first, targets->FromXml_Int(root, first, CSerializationContext(), false));
    EXPECT_EQ(root->GetFirstElement()->GetNextSiblingElement()->GetNextSiblingElement()->GetNextSiblingElement(),
              targets->FromXml_Int(root, second, CSerializationContext(), false));
    EXPECT_EQ(2, targets->GetCount());

    CSmartPtr<COpenElementCol> const byName(new COpenElementCol("", "urn:t", "##local", 0, -1));
    EXPECT_EQ(second->GetNextSiblingElement()->GetNextSiblingElement(),
              byName->FromXmlLockElementName_Int("b", "urn:t", root, second, CSerializationContext()));
    EXPECT_EQ(2, byName->GetCount());

    document.LoadXml("<r xmlns:y=\"urn:y\"><a><y:c/></a></r>");
    CSmartPtr<COpenElement> const strict(new COpenElement("x", "", "##any", ""));
    strict->GetChildElements()->SetNamespaceRestrictions("##local", "");
    CXmlElement * const a = document.GetDocumentElement()->GetFirstElement();
    ExpectThrows<CNxValidationException>(
        [&] { strict->FromXml_Int(document.GetDocumentElement(), a, CSerializationContext(), false); },
        "Invalid Element [c] found.\nPath: /r/a/y:c");
}

TEST(OpenContent, CollectionsOfElements)
{
    CSmartPtr<CElementCol> const anonymous(new CElementCol("", "", "##any", 0, -1));
    ExpectThrows<CNxInvalidStateException>([&] { anonymous->Add("a"); },
                                           "A Namespace has not been set for this Collection");
    CSmartPtr<CElementCol> const elements(new CElementCol("", "urn:t", "##any", 0, -1));
    CSmartPtr<CElement> const b = elements->Add("b");
    elements->AddBefore(b, new CElement("a", "urn:t"));
    elements->AddAfter(b, new CElement("c", "urn:t"));
    std::string names;
    for (CElement & element : *elements)
        names += element.GetName();
    EXPECT_EQ("abc", names);
    EXPECT_EQ("urn:t", elements->Item(1)->GetNamespace());
    CNxIterator<CElement> end = elements->end();
    ExpectThrows<CNxException>([&] { *end; }, "No More Elements in the Collection");
    ExpectThrows<CNxException>([&] { ++end; }, "No More Elements in the Collection");
    EXPECT_EQ(3, elements->Clone()->GetCount());
}

TEST(OpenContent, CollectionsOfAttributes)
{
    CXmlDocument document;
    document.LoadXml("<r xmlns:y=\"urn:y\" a=\"1\" y:b=\"2\"/>");
    CSmartPtr<COpenAttributeCol> const any(new COpenAttributeCol("", "##any", "urn:t"));
    any->FromXml_Int(document.GetDocumentElement(), nullptr, CSerializationContext(), false);
    ASSERT_EQ(2, any->GetCount());
    EXPECT_EQ("b", any->Item(1)->GetName());
    EXPECT_EQ("urn:y", any->Item(1)->GetNamespace());
    CSmartPtr<COpenAttributeCol> const local(new COpenAttributeCol("", "##local", "urn:t"));
    ExpectThrows<CNxInvalidNamespaceException>(
        [&] { local->FromXml_Int(document.GetDocumentElement(), nullptr, CSerializationContext(), false); },
        "Invalid Attribute [b]. The attributes namespace is Inappropriate.\nPath: /r");
    CSmartPtr<CAttributeCol> const built(new CAttributeCol("", "##any", ""));
    built->Add("plain", "v");
    built->Add("empty");
    EXPECT_EQ("v", built->Item(0)->GetValue());
    EXPECT_EQ("", built->Item(1)->GetValue());
    CSmartPtr<CAttribute> const copy = built->Item(0)->Clone();
    copy->SetValue("w");
    EXPECT_EQ("v", built->Item(0)->GetValue());
}

TEST(OpenContent, AnObjectReadFromAnElementHolder)
{
    CSmartPtr<CElement> const holder(new CElement("order", "urn:t"));
    holder->GetAttributes()->Add("id", "", "9");
    for (char const * text : {"x", "y"})
        holder->GetChildElements()->Add("item", "urn:t")->SetText(text);
    holder->GetChildElements()->Add("note", "urn:t")->SetText("n");
    CSmartPtr<NxXmlTest::COrderProbe> const order(new NxXmlTest::COrderProbe);
    order->FromXmlElement(holder.Get());
    EXPECT_EQ("{urn:t}order id=9 item=x item=y note=n", order->read);

    CSmartPtr<CElement> const fromObject(new CElement(order.Get(), nullptr));
    EXPECT_EQ("order", fromObject->GetName());
    EXPECT_EQ(3, fromObject->GetChildElements()->GetCount());
}
