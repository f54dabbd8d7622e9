// An event sink that records what collections tell it.
#pragma once

#include "XmlObjectBase.h"

#include <string>
#include <vector>

namespace NxXmlTest
{

struct CEventRecorder : NxXmlLib16::IEventSink
{
    std::vector<MsgType> types;
    std::vector<void *> data;
    std::vector<int> indexes; // the index pointed to, or -1 for no pointer
    std::vector<NxXmlLib16::CXmlObjectBase *> sources;

    void OnEvent(NxXmlLib16::CXmlObjectBase * source, MsgType type, void * payload) override
    {
        sources.push_back(source);
        types.push_back(type);
        data.push_back(payload);
        bool const indexed = type == CollectionRemove || type == CollectionRemoveComplete;
        indexes.push_back(indexed && payload != nullptr ? *static_cast<int *>(payload) : -1);
    }

    // The kinds of the events in order, as words.
    std::string Kinds() const
    {
        static char const * const names[] = {"change", "add", "add-complete", "remove", "remove-complete"};
        std::string kinds;
        for (MsgType type : types)
            kinds += (kinds.empty() ? "" : " ") + std::string(names[type]);
        return kinds;
    }

    void Reset()
    {
        types.clear();
        data.clear();
        indexes.clear();
        sources.clear();
    }
};

} // namespace NxXmlTest
