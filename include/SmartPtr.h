// CSmartPtr: the owning handle of reference-counted bindable objects.
#pragma once

#include <utility>

namespace NxXmlLib16
{

// Holds one reference of an object that has AddRef and Release (a CXmlObjectBase); copies share
// the object, and the last handle to let go deletes it.
template <class T>
class CSmartPtr
{
public:
    CSmartPtr() = default;
    CSmartPtr(T * object) : m_object(object) { AddRefObject(); }
    CSmartPtr(CSmartPtr const & other) : m_object(other.m_object) { AddRefObject(); }
    CSmartPtr(CSmartPtr && other) noexcept : m_object(other.m_object) { other.m_object = nullptr; }
    template <class U>
    CSmartPtr(CSmartPtr<U> const & other) : m_object(other.Get())
    {
        AddRefObject();
    }
    ~CSmartPtr() { Reset(); }

    // Takes the new reference before releasing the old one, so self-assignment is safe.
    CSmartPtr & operator=(T * object)
    {
        if (object != nullptr)
            object->AddRef();
        T * const old = m_object;
        m_object = object;
        if (old != nullptr)
            old->Release();
        return *this;
    }
    CSmartPtr & operator=(CSmartPtr const & other) { return *this = other.m_object; }
    template <class U>
    CSmartPtr & operator=(CSmartPtr<U> const & other)
    {
        return *this = static_cast<T *>(other.Get());
    }
    CSmartPtr & operator=(CSmartPtr && other) noexcept
    {
        if (this != &other)
        {
            Reset();
            std::swap(m_object, other.m_object);
        }
        return *this;
    }

    // The object, or null.
    T * Get() const { return m_object; }
    T * operator->() const { return m_object; }
    T & operator*() const { return *m_object; }
    operator T *() const { return m_object; }
    // Releases the object and leaves the handle null.
    void Reset()
    {
        T * const old = m_object;
        m_object = nullptr;
        if (old != nullptr)
            old->Release();
    }

private:
    void AddRefObject()
    {
        if (m_object != nullptr)
            m_object->AddRef();
    }

    T * m_object = nullptr;
};

} // namespace NxXmlLib16
