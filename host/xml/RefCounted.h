// Reference counting and QueryInterface for the objects of the XML service.
#pragma once

#include <corvelian/Interfaces.h>

#include <atomic>
#include <cstdint>

namespace cv::host {

// Answers the unknown interface and Interface's own GUID; a subclass answers
// more by overriding findInterface. Objects start with no reference: whoever
// hands one out takes the first.
template <class Interface> class RefCounted : public Interface {
public:
    RefCounted(const RefCounted&) = delete;
    RefCounted& operator=(const RefCounted&) = delete;

    corvelian::CvStatus CV_CALL QueryInterface(const corvelian::CvGuid& iid, void** object) override
    {
        if (!object)
            return corvelian::CV_E_POINTER;
        *object = findInterface(iid);
        if (!*object)
            return corvelian::CV_E_NOINTERFACE;
        AddRef();
        return corvelian::CV_OK;
    }

    std::uint32_t CV_CALL AddRef() override
    {
        return m_refCount.fetch_add(1, std::memory_order_relaxed) + 1;
    }

    std::uint32_t CV_CALL Release() override
    {
        const std::uint32_t left = m_refCount.fetch_sub(1, std::memory_order_acq_rel) - 1;
        if (left == 0)
            delete this;
        return left;
    }

protected:
    RefCounted() = default;
    virtual ~RefCounted() = default;

    virtual void* findInterface(const corvelian::CvGuid& iid)
    {
        if (iid == corvelian::ICVUnknown::iid() || iid == Interface::iid())
            return static_cast<Interface*>(this);
        return nullptr;
    }

private:
    std::atomic<std::uint32_t> m_refCount{0};
};

} // namespace cv::host
