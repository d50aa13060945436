#include "HostPackage.h"

#include "shell/TCvApplication.h"

#include "platform/abi/Boundary.h"
#include "platform/abi/Exception.h"
#include "platform/abi/WideString.h"

namespace cv::data {

ComPtr<corvelian::ICVExtention> GetHostPackage(const QString& name)
{
    corvelian::ICvApplication* host = shell::CvApp().Host();
    if (!host)
        throw Exception(QStringLiteral("未绑定主应用程序接口."));
    ComPtr<corvelian::ICVExtention> package;
    WideString errorText;
    checkHost(host->GetPackage(wideArg(name), errorText.put(), package.put()), host);
    if (!package) {
        // A host that gives no reason still must not make this look like success.
        const QString reason = errorText.toQString();
        throw Exception(reason.isEmpty()
                            ? QStringLiteral("程序包") + name + QStringLiteral("不存在.")
                            : reason);
    }
    return package;
}

} // namespace cv::data
