#include "ServicePackage.h"

#include "platform/abi/Boundary.h"
#include "platform/abi/WideString.h"

namespace cv::host {

using namespace corvelian;

namespace {

void require(const void* p)
{
    if (!p)
        throw Exception(QStringLiteral("Invalid pointer"), CV_E_POINTER);
}

} // namespace

template <class F> CvStatus ServicePackage::call(F&& body)
{
    return guardHostCall(m_lastError, std::forward<F>(body));
}

void* ServicePackage::findInterface(const CvGuid& iid)
{
    if (iid == ICVInterface::iid())
        return static_cast<ICVInterface*>(this);
    return ComObject::findInterface(iid);
}

CvStatus CV_CALL ServicePackage::GetVersion(double* version)
{
    return call([&] {
        require(version);
        *version = 2.0;
    });
}

CvStatus CV_CALL ServicePackage::GetName(CvBStr* name)
{
    return call([&] {
        require(name);
        *name = allocWide(m_name);
    });
}

CvStatus CV_CALL ServicePackage::GetLastError(CvBStr* text)
{
    if (!text)
        return CV_E_POINTER;
    *text = allocWide(m_lastError);
    return CV_OK;
}

CvStatus CV_CALL ServicePackage::GetModuleHandle(CvHandle* handle)
{
    return call([&] {
        require(handle);
        *handle = 0;
    });
}

CvStatus CV_CALL ServicePackage::GetInitialized(CvWordBool* initialized)
{
    return call([&] {
        require(initialized);
        *initialized = CV_TRUE;
    });
}

CvStatus CV_CALL ServicePackage::Execute(std::int32_t, std::int32_t, CvBStr* text,
                                         std::int32_t* result)
{
    return call([&] {
        require(text);
        require(result);
        *result = 2;
    });
}

CvStatus CV_CALL ServicePackage::CreateObject(ICVUnknown** destination, std::int32_t flags,
                                              const char16_t* name, std::int32_t* result)
{
    return call([&] {
        require(destination);
        require(result);
        *destination = nullptr;
        *result = 0;
        ComPtr<ICVUnknown> object = m_factory(flags, fromWideZ(name));
        if (!object)
            throw Exception(QStringLiteral("程序包%1不能创建对象.").arg(m_name));
        *destination = object.detach();
        *result = 1;
    });
}

} // namespace cv::host
