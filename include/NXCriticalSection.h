// CNXCriticalSection: a recursive lock that serialises one-time work across threads.
#pragma once

#include <mutex>

namespace NxXmlLib16
{

// A recursive lock that one thread may enter several times.
class CNXCriticalSection
{
public:
    CNXCriticalSection() = default;
    CNXCriticalSection(CNXCriticalSection const &) = delete;
    CNXCriticalSection & operator=(CNXCriticalSection const &) = delete;

    // Waits for and takes the lock.
    void Enter() { m_mutex.lock(); }
    // Gives the lock back.
    void Leave() { m_mutex.unlock(); }

    // Holds the lock for the life of a scope.
    class CScopedLock
    {
    public:
        explicit CScopedLock(CNXCriticalSection & section) : m_section(section) { m_section.Enter(); }
        CScopedLock(CScopedLock const &) = delete;
        CScopedLock & operator=(CScopedLock const &) = delete;
        ~CScopedLock() { m_section.Leave(); }

    private:
        CNXCriticalSection & m_section;
    };

private:
    std::recursive_mutex m_mutex;
};

} // namespace NxXmlLib16
