#include "ServicePackage.h"

#include "platform/abi/Boundary.h"
#include "platform/abi/WideString.h"

namespace cv::host {

using namespace corvelian;

CvStatus CV_CALL ServicePackage::GetModuleHandle(CvHandle* handle)
{
    return call([&] {
        requirePointer(handle);
        *handle = 0;
    });
}

CvStatus CV_CALL ServicePackage::GetInitialized(CvWordBool* initialized)
{
    return call([&] {
        requirePointer(initialized);
        *initialized = CV_TRUE;
    });
}

CvStatus CV_CALL ServicePackage::Execute(std::int32_t, std::int32_t, CvBStr* text,
                                         std::int32_t* result)
{
    return call([&] {
        requirePointer(text);
        requirePointer(result);
        *result = 2;
    });
}

CvStatus CV_CALL ServicePackage::CreateObject(ICVUnknown** destination, std::int32_t flags,
                                              const char16_t* name, std::int32_t* result)
{
    return call([&] {
        requirePointer(destination);
        requirePointer(result);
        *destination = nullptr;
        *result = 0;
        ComPtr<ICVUnknown> object = m_factory(flags, fromWideZ(name));
        if (!object)
            throw Exception(QStringLiteral("程序包%1不能创建对象.").arg(objectName()));
        *destination = object.detach();
        *result = 1;
    });
}

} // namespace cv::host
