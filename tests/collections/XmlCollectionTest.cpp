#include "CollectionSupport.h"
#include "TestObjects.h"
#include "TestSupport.h"

#include "SerializationContext.h"
#include "XmlCollection.h"

using namespace NxXmlLib16;
using NxXmlTest::COrderProbe;
using NxXmlTest::CEventRecorder;
using NxXmlTest::ExpectThrows;

namespace
{

// A collection of objects that opens the protected list operations to the tests.
class CProbeCol : public CXmlCollection
{
public:
    CProbeCol(int minOccurs, int maxOccurs) : CXmlCollection("order", "urn:t", minOccurs, maxOccurs) {}

    using CXmlCollection::AddAfterItem;
    using CXmlCollection::AddBeforeItem;
    using CXmlCollection::AddItemAt;
    using CXmlCollection::AppendItem;
    using CXmlCollection::GetNodeAtIndex;
    using CXmlCollection::GetNodeForItem;
    using CXmlCollection::GetTargetNamespace;
    using CXmlCollection::PrependItem;

    // The ids of the items in order.
    std::string Ids() const
    {
        std::string ids;
        for (int i = 0; i < GetCount(); ++i)
            ids += static_cast<COrderProbe *>(GetNodeAtIndex(i)->item.Get())->id;
        return ids;
    }

protected:
    void ToXml_Int(CXmlWriter *, bool, char const *, CSerializationContext const &, bool) const override {}
    CXmlElement * FromXml_Int(CXmlElement *, CXmlElement * child, CSerializationContext const &, bool) override
    {
        return child;
    }
};

CSmartPtr<COrderProbe> Order(char const * id)
{
    CSmartPtr<COrderProbe> order(new COrderProbe);
    order->id = id;
    return order;
}

} // namespace

TEST(XmlCollection, CountsAreValidatedAgainstTheBounds)
{
    CSmartPtr<CProbeCol> collection(new CProbeCol(1, 2));
    CSerializationContext context;
    ExpectThrows<CNxValidationException>([&] { collection->ValidateCount(context); },
                                         "The Minimum number of [order] elements allowed in this collection is 1");
    EXPECT_FALSE(collection->IsValidCount(context));
    for (char const * id : {"a", "b", "c"})
        collection->AppendItem(Order(id));
    ExpectThrows<CNxValidationException>([&] { collection->ValidateCount(context); },
                                         "The Maximum number of [order] elements allowed in this collection is 2");
    EXPECT_FALSE(collection->IsValidCount(context));
    context.SetIgnoreInvalidCollectionCounts(true);
    collection->ValidateCount(context);
    EXPECT_TRUE(collection->IsValidCount(context));

    CSmartPtr<CProbeCol> unbounded(new CProbeCol(0, -1));
    for (int i = 0; i < 50; ++i)
        unbounded->AppendItem(Order("x"));
    unbounded->ValidateCount(CSerializationContext());
}

TEST(XmlCollection, PlacesOfNewItems)
{
    CSmartPtr<CProbeCol> collection(new CProbeCol(0, -1));
    CSmartPtr<COrderProbe> const b = Order("b");
    collection->AppendItem(b);
    collection->PrependItem(Order("a"));
    collection->AddAfterItem(b, Order("c"));
    collection->AddBeforeItem(b, Order("B"));
    collection->AddAfterItem(nullptr, Order("0"));
    collection->AddBeforeItem(nullptr, Order("z"));
    collection->AddItemAt(collection->GetCount(), Order("!"));
    collection->AddItemAt(1, Order("1"));
    EXPECT_EQ("01aBbcz!", collection->Ids());
    ExpectThrows<CNxInvalidParamException>([&] { collection->AddItemAt(collection->GetCount() + 1, Order("x")); },
                                           "Index out of range");
    ExpectThrows<CNxInvalidParamException>([&] { collection->AddItemAt(-1, Order("x")); }, "Index out of range");
    EXPECT_EQ("01aBbcz!", collection->Ids());
    CSmartPtr<COrderProbe> const stranger = Order("s");
    ExpectThrows<CNxInvalidParamException>([&] { collection->AddAfterItem(stranger, Order("x")); },
                                           "The object was not found in the collection");
}

TEST(XmlCollection, RemovalAndIndexes)
{
    CSmartPtr<CProbeCol> collection(new CProbeCol(0, -1));
    for (char const * id : {"a", "b", "c"})
        collection->AppendItem(Order(id));
    ExpectThrows<CNxInvalidParamException>([&] { collection->Remove(3); }, "Index 3 is out of range, use 0 - 2");
    collection->Remove(1);
    EXPECT_EQ("ac", collection->Ids());
    collection->Clear();
    EXPECT_EQ(0, collection->GetCount());
    ExpectThrows<CNxInvalidParamException>([&] { collection->GetNodeAtIndex(0); }, "Index 0 is out of range, use 0 - -1");
    ExpectThrows<CNxException>([&] { collection->GetTargetNamespace(); },
                               "CXmlCollectionBase::GetTargetNamespace Should not be used from within a Collection "
                               "(program logic error)");
}

TEST(XmlCollection, ItemsLiveAsLongAsTheCollectionHoldsThem)
{
    CSmartPtr<CProbeCol> collection(new CProbeCol(0, -1));
    COrderProbe * const order = new COrderProbe;
    collection->AppendItem(order);
    EXPECT_EQ(2, order->AddRef());
    order->Release();
    collection->Remove(0); // the last reference goes: the order is deleted (ASan checks it)
}

TEST(XmlCollection, EventsComeInOrder)
{
    CEventRecorder recorder;
    CSmartPtr<CProbeCol> collection(new CProbeCol(0, -1));
    collection->AddEventListener(&recorder);
    CSmartPtr<COrderProbe> const item = Order("a");
    collection->AppendItem(item);
    EXPECT_EQ("add add-complete change", recorder.Kinds());
    EXPECT_EQ(item.Get(), recorder.data[0]);
    EXPECT_EQ(item.Get(), recorder.data[1]);
    EXPECT_EQ(nullptr, recorder.data[2]);
    EXPECT_EQ(collection.Get(), recorder.sources[0]);
    recorder.Reset();
    collection->Remove(0);
    EXPECT_EQ("remove remove-complete change", recorder.Kinds());
    EXPECT_EQ(nullptr, recorder.data[0]); // object collections report no index
    collection->AddEventListener(&recorder);
    recorder.Reset();
    collection->AppendItem(Order("b"));
    EXPECT_EQ("add add add-complete add-complete change change", recorder.Kinds());
    collection->RemoveEventListener(&recorder);
    recorder.Reset();
    collection->AppendItem(Order("c"));
    EXPECT_EQ("", recorder.Kinds());
}
