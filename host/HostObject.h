// The common part of the reference host's interface objects: reference
// counting, the boundary guard that turns an exception into a failing status
// and a last-error text, and the name and version of an ICVInterface.
#pragma once

#include "platform/abi/Boundary.h"
#include "platform/abi/ComObject.h"
#include "platform/abi/WideString.h"

#include <QString>

namespace cv::host {

template <class Interface> class HostObject : public ComObject<Interface> {
public:
    corvelian::CvStatus CV_CALL GetVersion(double* version) override
    {
        return call([&] {
            requirePointer(version);
            *version = interfaceVersion();
        });
    }

    corvelian::CvStatus CV_CALL GetName(corvelian::CvBStr* name) override
    {
        return call([&] {
            requirePointer(name);
            *name = allocWide(interfaceName());
        });
    }

    corvelian::CvStatus CV_CALL GetLastError(corvelian::CvBStr* text) override
    {
        if (!text)
            return corvelian::CV_E_POINTER;
        *text = allocWide(m_lastError);
        return corvelian::CV_OK;
    }

protected:
    HostObject(QString name, double version) : m_name(std::move(name)), m_version(version) {}
    ~HostObject() override = default;

    // Runs the body of an ABI operation: nothing escapes to the caller.
    template <class F> corvelian::CvStatus call(F&& body)
    {
        return guardHostCall(m_lastError, std::forward<F>(body));
    }

    void* findInterface(const corvelian::CvGuid& iid) override
    {
        if (iid == corvelian::ICVInterface::iid())
            return static_cast<corvelian::ICVInterface*>(static_cast<Interface*>(this));
        return ComObject<Interface>::findInterface(iid);
    }

    const QString& objectName() const { return m_name; }
    // What GetName and GetVersion answer; objects whose identity is the
    // host's configuration answer it from there.
    virtual QString interfaceName() const { return m_name; }
    virtual double interfaceVersion() const { return m_version; }
    const QString& lastError() const { return m_lastError; }
    void clearLastError() { m_lastError.clear(); }

private:
    QString m_name;
    double m_version;
    QString m_lastError;
};

} // namespace cv::host
