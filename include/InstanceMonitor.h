// CInstanceMonitor: the instance-accounting hook of writers, readers, streams and collections.
#pragma once

namespace NxXmlLib16
{

// The base of writers, readers, streams and typed collections, where instance accounting can
// be added in one place. It keeps nothing.
class CInstanceMonitor
{
public:
    explicit CInstanceMonitor(char const * /*className*/) {}
    CInstanceMonitor(CInstanceMonitor const &) = default;
    CInstanceMonitor & operator=(CInstanceMonitor const &) = default;
    virtual ~CInstanceMonitor() = default;
};

} // namespace NxXmlLib16
