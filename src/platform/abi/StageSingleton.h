// The holder of a module-wide object that lifecycle stages create and free.
//
// It has no destructor: when the library unloads, its statics are destroyed
// in an order C++ does not define across files, and a holder that freed its
// object on its own could free it a second time through a stage that runs
// later (a smart pointer's reset after its destructor is undefined; an
// optimiser may drop the destructor's final store of null).
#pragma once

#include <memory>
#include <utility>

namespace cv {

template <class T>
class StageSingleton {
public:
    constexpr StageSingleton() = default;
    StageSingleton(const StageSingleton&) = delete;
    StageSingleton& operator=(const StageSingleton&) = delete;

    // Takes ownership, freeing any object held before.
    StageSingleton& operator=(std::unique_ptr<T> object)
    {
        reset();
        m_object = object.release();
        return *this;
    }

    void reset() { delete std::exchange(m_object, nullptr); }

    T* get() const { return m_object; }
    T* operator->() const { return m_object; }
    T& operator*() const { return *m_object; }
    explicit operator bool() const { return m_object != nullptr; }

private:
    T* m_object = nullptr;
};

} // namespace cv
