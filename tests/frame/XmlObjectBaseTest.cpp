#include "TestSupport.h"

#include "SerializationContext.h"
#include "SmartPtr.h"
#include "XmlDocument.h"
#include "XmlObjectBase.h"

#include <atomic>
#include <thread>
#include <vector>

using namespace NxXmlLib16;
using NxXmlTest::ExpectThrows;

namespace
{

// A bindable object that counts its deletions and opens the protected helpers to the tests.
class CProbe : public CXmlObjectBase
{
public:
    explicit CProbe(std::atomic<int> * deletions = nullptr, char const * name = "probe") : m_deletions(deletions)
    {
        SetElementName(name);
    }

    CXmlObjectBase * GetBase() override { return this; }
    std::string GetNamespace() const override { return "urn:probe"; }

    using CXmlObjectBase::DoesElementNameMatch;
    using CXmlObjectBase::Choice_CollectionChanged;
    using CXmlObjectBase::Choice_SelectElement;
    using CXmlObjectBase::Choice_SetElementValid;
    using CXmlObjectBase::GetElementName;
    using CXmlObjectBase::IsNamespaceValid;
    using CXmlObjectBase::TestNamespace;
    using CXmlObjectBase::Throw_IfElementNameDiffers;
    using CXmlObjectBase::Throw_IfPropertyIsNull;

    static void Rename(CXmlObjectBase * object, char const * name) { SetElementName(object, name); }

protected:
    ~CProbe() override
    {
        if (m_deletions != nullptr)
            ++*m_deletions;
    }
    std::string GetTargetNamespace() const override { return "urn:probe"; }
    void ToXml_Int(CXmlWriter *, bool, char const *, CSerializationContext const &, bool) const override {}
    CXmlElement * FromXml_Int(CXmlElement *, CXmlElement *, CSerializationContext const &, bool) override
    {
        return nullptr;
    }

private:
    std::atomic<int> * m_deletions;
};

} // namespace

TEST(XmlObjectBase, ReferenceCountsAndCopies)
{
    std::atomic<int> deletions{0};
    CProbe * const probe = new CProbe(&deletions, "order");
    EXPECT_EQ(1, probe->AddRef());
    CSmartPtr<CProbe> copy(new CProbe(*probe));
    EXPECT_EQ("order", copy->GetElementName());
    EXPECT_EQ(2, copy->AddRef()); // copies take the name but not the count
    copy->Release();
    CSmartPtr<CProbe> target(new CProbe(&deletions, "target"));
    *target = *probe;
    EXPECT_EQ("order", target->GetElementName());
    EXPECT_EQ(2, target->AddRef()); // assignment left the count alone
    target->Release();
    CProbe::Rename(target, "renamed");
    EXPECT_EQ("renamed", target->GetElementName());
    EXPECT_EQ(0, probe->Release());
    EXPECT_EQ(1, deletions);
}

TEST(SmartPtr, SharesAndReleases)
{
    std::atomic<int> deletions{0};
    {
        CSmartPtr<CProbe> first(new CProbe(&deletions));
        CSmartPtr<CProbe> second = first;
        CSmartPtr<CXmlObjectBase> asBase = first;
        EXPECT_EQ(first.Get(), second.Get());
        auto & sameFirst = first;
        first = sameFirst; // self-assignment keeps the object
        second = nullptr;
        asBase.Reset();
        EXPECT_EQ(0, deletions);
        first = new CProbe(&deletions);
        EXPECT_EQ(1, deletions);
        CSmartPtr<CProbe> moved(std::move(first));
        EXPECT_EQ(nullptr, first.Get());
        EXPECT_NE(nullptr, moved.Get());
    }
    EXPECT_EQ(2, deletions);
}

TEST(SmartPtr, HandlesOfOneObjectMayLiveOnSeveralThreads)
{
    std::atomic<int> deletions{0};
    {
        CSmartPtr<CProbe> shared(new CProbe(&deletions));
        std::vector<std::thread> threads;
        for (int t = 0; t < 4; ++t)
        {
            threads.emplace_back([shared] {
                for (int i = 0; i < 20000; ++i)
                    CSmartPtr<CProbe>(CSmartPtr<CProbe>(shared)).Reset();
            });
        }
        for (std::thread & thread : threads)
            thread.join();
        EXPECT_EQ(0, deletions);
        EXPECT_EQ(2, shared->AddRef());
        shared->Release();
    }
    EXPECT_EQ(1, deletions);
}

TEST(XmlObjectBase, ChoiceSelectsOneMemberAtATime)
{
    CSmartPtr<CProbe> value(new CProbe);
    std::string const taken = " is already set. Only one element within this class bay be set at a time";
    std::string selection;
    CProbe::Choice_SelectElement("Card", nullptr, selection); // clearing an unselected member
    EXPECT_EQ("", selection);
    CProbe::Choice_SelectElement("Card", value, selection);
    CProbe::Choice_SelectElement("Card", value, selection); // setting it again keeps it
    ExpectThrows<CNxInvalidStateException>([&] { CProbe::Choice_SelectElement("Cash", value, selection); },
                                           "The Property [Card]" + taken);
    CProbe::Choice_SelectElement("Cash", nullptr, selection); // clearing another member changes nothing
    EXPECT_EQ("Card", selection);
    CProbe::Choice_SelectElement("Card", nullptr, selection);
    EXPECT_EQ("", selection);
    // Collections are selected while they hold items.
    CProbe::Choice_CollectionChanged("Items", 0, selection);
    EXPECT_EQ("", selection);
    CProbe::Choice_CollectionChanged("Items", 2, selection);
    ExpectThrows<CNxInvalidStateException>([&] { CProbe::Choice_CollectionChanged("Notes", 1, selection); },
                                           "The Property [Items]" + taken);
    CProbe::Choice_CollectionChanged("Items", 0, selection);
    EXPECT_EQ("", selection);
    // Other members are selected by whether they are valid.
    selection = "Card";
    CProbe::Choice_SetElementValid(true, "Card", selection);
    ExpectThrows<CNxInvalidStateException>([&] { CProbe::Choice_SetElementValid(true, "Cash", selection); },
                                           "The Property Card" + taken);
    CProbe::Choice_SetElementValid(false, "Cash", selection);
    EXPECT_EQ("", selection);
}

TEST(XmlObjectBase, PropertyGuards)
{
    ExpectThrows<CNxInvalidParamException>([] { CProbe::Throw_IfPropertyIsNull(nullptr, "ShipTo"); },
                                           "The Property [ShipTo] is mandatory, it may node be NULL");
    CSmartPtr<CProbe> value(new CProbe(nullptr, "billTo"));
    CProbe::Throw_IfPropertyIsNull(value, "ShipTo");
    CProbe::Throw_IfElementNameDiffers(value, "billTo");
    CProbe::Throw_IfElementNameDiffers(nullptr, "shipTo");
    ExpectThrows<CNxInvalidParamException>(
        [&] { CProbe::Throw_IfElementNameDiffers(value, "shipTo"); },
        "This property requires an element with the name shipTo the element being set has the element name billTo");
}

TEST(XmlObjectBase, NamespaceLists)
{
    struct CCase
    {
        char const * uri;
        char const * list;
        bool valid;
    } const cases[] = {{"", "urn:listed", true}, {"urn:listed", "urn:listed", true}, {"urn:else", "##other", true},
                       {"urn:else", "urn:listed ##targetNamespace", false}, {"", "##other", true},
                       {"urn:target", "urn:listed ##targetNamespace", true}, {"urn:target", "##other", false},
                       {"urn:anything", "##any", true}, {"", "##local", true}, {"urn:x", "##local", false},
                       {"urn:x", "##local urn:x", true}, {"urn:list", "urn:listed", false},
                       {"urn:listed-not", "urn:listed", false}}; // whole tokens only
    for (CCase const & c : cases)
        EXPECT_EQ(c.valid, CProbe::IsNamespaceValid(c.uri, c.list, "urn:target")) << c.uri << " in " << c.list;
    CProbe::TestNamespace("", "##local", "urn:t");
    ExpectThrows<CNxInvalidNamespaceException>( // no path: the message is all
        [] { CProbe::TestNamespace("urn:x", "##local", "urn:t"); },
        "Invalid namespace [urn:x]. The namespace must be one of [##local] where the target namespace is [urn:t].");
}

TEST(XmlObjectBase, ElementNamesMatchWithOrWithoutNamespaces)
{
    CXmlDocument document;
    document.LoadXml("<o:order xmlns:o=\"urn:o\"/>");
    CXmlElement const * const order = document.GetDocumentElement();
    CSmartPtr<CProbe> probe(new CProbe);
    CSerializationContext context;
    EXPECT_TRUE(probe->DoesElementNameMatch(context, order, "order", "urn:o"));
    EXPECT_FALSE(probe->DoesElementNameMatch(context, order, "order", "urn:other"));
    EXPECT_FALSE(probe->DoesElementNameMatch(context, order, "Order", "urn:o"));
    context.SetIgnoreNamespaces(true);
    EXPECT_TRUE(probe->DoesElementNameMatch(context, order, "order", "urn:other"));
    context.SetIgnoreNamespaces(false);
    context.SetSchemaType(SchemaType_DTD);
    EXPECT_TRUE(probe->DoesElementNameMatch(context, order, "order", ""));
    EXPECT_FALSE(probe->DoesElementNameMatch(context, order, "item", ""));
}
