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

TEST(XmlObjectBase, ReleaseToZeroDeletesTheObject)
{
    std::atomic<int> deletions{0};
    CProbe * const probe = new CProbe(&deletions);
    EXPECT_EQ(1, probe->AddRef());
    EXPECT_EQ(2, probe->AddRef());
    EXPECT_EQ(1, probe->Release());
    EXPECT_EQ(0, deletions);
    EXPECT_EQ(0, probe->Release());
    EXPECT_EQ(1, deletions);
}

TEST(XmlObjectBase, CopiesTakeTheNameButNotTheCount)
{
    std::atomic<int> deletions{0};
    CSmartPtr<CProbe> held(new CProbe(&deletions, "order"));
    CSmartPtr<CProbe> copy(new CProbe(*held));
    EXPECT_EQ("order", copy->GetElementName());
    EXPECT_EQ(2, copy->AddRef()); // the copy started at 0, its handle made it 1
    copy->Release();

    CSmartPtr<CProbe> target(new CProbe(&deletions, "target"));
    target->AddRef();
    *target = *held;
    EXPECT_EQ("order", target->GetElementName());
    EXPECT_EQ(1, target->Release()); // assignment left the count at 2
    CProbe::Rename(target, "renamed");
    EXPECT_EQ("renamed", target->GetElementName());
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
                {
                    CSmartPtr<CProbe> local = shared;
                    CSmartPtr<CProbe> other(local);
                    other.Reset();
                }
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
    std::string selection;
    CProbe::Choice_SelectElement("Card", nullptr, selection); // clearing an unselected member
    EXPECT_EQ("", selection);
    CProbe::Choice_SelectElement("Card", value, selection);
    EXPECT_EQ("Card", selection);
    CProbe::Choice_SelectElement("Card", value, selection); // setting it again keeps it
    EXPECT_EQ("Card", selection);
    ExpectThrows<CNxInvalidStateException>(
        [&] { CProbe::Choice_SelectElement("Cash", value, selection); },
        "The Property [Card] is already set. Only one element within this class bay be set at a time");
    CProbe::Choice_SelectElement("Cash", nullptr, selection); // clearing another member changes nothing
    EXPECT_EQ("Card", selection);
    CProbe::Choice_SelectElement("Card", nullptr, selection);
    EXPECT_EQ("", selection);
}

TEST(XmlObjectBase, ChoiceFollowsCollectionCounts)
{
    std::string selection;
    CProbe::Choice_CollectionChanged("Items", 0, selection);
    EXPECT_EQ("", selection);
    CProbe::Choice_CollectionChanged("Items", 2, selection);
    EXPECT_EQ("Items", selection);
    ExpectThrows<CNxInvalidStateException>(
        [&] { CProbe::Choice_CollectionChanged("Notes", 1, selection); },
        "The Property [Items] is already set. Only one element within this class bay be set at a time");
    CProbe::Choice_CollectionChanged("Items", 0, selection);
    EXPECT_EQ("", selection);
}

TEST(XmlObjectBase, ChoiceSetElementValid)
{
    std::string selection = "Card";
    CProbe::Choice_SetElementValid(true, "Card", selection);
    EXPECT_EQ("Card", selection);
    ExpectThrows<CNxInvalidStateException>(
        [&] { CProbe::Choice_SetElementValid(true, "Cash", selection); },
        "The Property Card is already set. Only one element within this class bay be set at a time");
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
    char const * const target = "urn:target";
    EXPECT_TRUE(CProbe::IsNamespaceValid("", "urn:listed", target));
    EXPECT_TRUE(CProbe::IsNamespaceValid("urn:listed", "urn:listed", target));
    EXPECT_FALSE(CProbe::IsNamespaceValid("urn:else", "urn:listed ##targetNamespace", target));
    EXPECT_TRUE(CProbe::IsNamespaceValid("urn:target", "urn:listed ##targetNamespace", target));
    EXPECT_TRUE(CProbe::IsNamespaceValid("urn:else", "##other", target));
    EXPECT_TRUE(CProbe::IsNamespaceValid("", "##other", target));
    EXPECT_FALSE(CProbe::IsNamespaceValid("urn:target", "##other", target));
    EXPECT_TRUE(CProbe::IsNamespaceValid("urn:anything", "##any", target));
    EXPECT_TRUE(CProbe::IsNamespaceValid("", "##local", target));
    EXPECT_FALSE(CProbe::IsNamespaceValid("urn:x", "##local", target));
    EXPECT_TRUE(CProbe::IsNamespaceValid("urn:x", "##local urn:x", target));
    EXPECT_FALSE(CProbe::IsNamespaceValid("urn:listed-not", "urn:listed", target)); // whole tokens only
    EXPECT_FALSE(CProbe::IsNamespaceValid("urn:list", "urn:listed", target));
}

TEST(XmlObjectBase, TestNamespaceThrowsWithoutPath)
{
    CProbe::TestNamespace("", "##local", "urn:t");
    try
    {
        CProbe::TestNamespace("urn:x", "##local", "urn:t");
        FAIL() << "no exception";
    }
    catch (CNxInvalidNamespaceException const & e)
    {
        EXPECT_EQ("Invalid namespace [urn:x]. The namespace must be one of [##local] where the target namespace is "
                  "[urn:t].",
                  e.GetMessage());
        EXPECT_EQ("", e.GetPath());
    }
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
