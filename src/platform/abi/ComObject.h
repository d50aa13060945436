// Reference-counted base of every object this code hands across the ABI.
#pragma once

#include <corvelian/Interfaces.h>

#include <atomic>
#include <cstdint>

namespace cv {

// Implements QueryInterface, AddRef and Release for one or more interfaces.
// QueryInterface answers the base unknown interface and each listed
// interface's own GUID; a subclass that answers more (the bases of a derived
// interface, say) overrides findInterface. Objects start with no reference:
// the creator takes the first one (ComPtr, or AddRef before handing it out).
template <class Primary, class... Others> class ComObject : public Primary, public Others... {
public:
    ComObject() = default;
    ComObject(const ComObject&) = delete;
    ComObject& operator=(const ComObject&) = delete;

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

    std::uint32_t refCount() const { return m_refCount.load(); }

protected:
    virtual ~ComObject() = default;

    virtual void* findInterface(const corvelian::CvGuid& iid)
    {
        if (iid == corvelian::ICVUnknown::iid() || iid == Primary::iid())
            return static_cast<Primary*>(this);
        void* found = nullptr;
        ((found == nullptr && iid == Others::iid() ? (found = static_cast<Others*>(this), true)
                                                   : false),
         ...);
        return found;
    }

private:
    std::atomic<std::uint32_t> m_refCount{0};
};

} // namespace cv
