// Owning smart pointer for reference-counted interfaces of the host ABI.
#pragma once

#include <corvelian/Interfaces.h>

#include <utility>

namespace cv {

template <class T> class ComPtr {
public:
    ComPtr() = default;
    ComPtr(std::nullptr_t) {}
    // Takes a new reference on p.
    explicit ComPtr(T* p) : m_p(p)
    {
        if (m_p)
            m_p->AddRef();
    }
    ComPtr(const ComPtr& other) : ComPtr(other.m_p) {}
    ComPtr(ComPtr&& other) noexcept : m_p(std::exchange(other.m_p, nullptr)) {}
    ~ComPtr() { reset(); }

    ComPtr& operator=(const ComPtr& other)
    {
        ComPtr(other).swap(*this);
        return *this;
    }
    ComPtr& operator=(ComPtr&& other) noexcept
    {
        ComPtr(std::move(other)).swap(*this);
        return *this;
    }
    ComPtr& operator=(std::nullptr_t)
    {
        reset();
        return *this;
    }

    // Adopts a reference the caller already owns (no AddRef).
    static ComPtr adopt(T* p)
    {
        ComPtr r;
        r.m_p = p;
        return r;
    }

    void reset()
    {
        if (T* p = std::exchange(m_p, nullptr))
            p->Release();
    }
    // Gives up ownership without releasing.
    T* detach() { return std::exchange(m_p, nullptr); }
    // Address for an out argument; releases the current value first.
    T** put()
    {
        reset();
        return &m_p;
    }

    T* get() const { return m_p; }
    T* operator->() const { return m_p; }
    T& operator*() const { return *m_p; }
    explicit operator bool() const { return m_p != nullptr; }
    void swap(ComPtr& other) noexcept { std::swap(m_p, other.m_p); }

    // QueryInterface for U; empty when the object does not support it.
    template <class U> ComPtr<U> as() const
    {
        ComPtr<U> r;
        if (m_p)
            m_p->QueryInterface(U::iid(), reinterpret_cast<void**>(r.put()));
        return r;
    }

private:
    T* m_p = nullptr;
};

template <class U, class T> ComPtr<U> queryInterface(T* object)
{
    ComPtr<U> r;
    if (object)
        object->QueryInterface(U::iid(), reinterpret_cast<void**>(r.put()));
    return r;
}

} // namespace cv
