#include "ServiceStages.h"

#include "platform/abi/StageSingleton.h"

#include "TCVDataPicker.h"
#include "TCVPrivileges.h"
#include "TPrintPackage.h"

#include "shell/TCvApplication.h"

#include "platform/abi/Exception.h"

#include <memory>

namespace cv::services {

namespace {

StageSingleton<TCVDataPicker> g_dataPicker;
StageSingleton<TPrintPackage> g_printPackage;
StageSingleton<TCVPrivileges> g_privileges;

template <class T> T& require(const StageSingleton<T>& service, const char* name)
{
    if (!service)
        throw Exception(QStringLiteral("%1 is not available: the module is not bound to the host.")
                            .arg(QLatin1String(name)));
    return *service;
}

} // namespace

void CoreDlgStage(std::uint8_t stage)
{
    if (stage == shell::StageStart) {
        if (!g_dataPicker)
            g_dataPicker = std::make_unique<TCVDataPicker>(true);
        if (!g_printPackage)
            g_printPackage = std::make_unique<TPrintPackage>();
    } else if (stage == shell::StageStop) {
        g_dataPicker.reset();
        g_printPackage.reset();
    }
}

void PrivilegesStage(std::uint8_t stage)
{
    if (stage == shell::StageStart) {
        if (!g_privileges)
            g_privileges = std::make_unique<TCVPrivileges>();
    } else if (stage == shell::StageStop) {
        g_privileges.reset();
    }
}

TCVDataPicker& DataPicker()
{
    return require(g_dataPicker, "DataPicker");
}

TPrintPackage& PrintPackage()
{
    return require(g_printPackage, "PrintPackage");
}

TCVPrivileges& Privileges()
{
    return require(g_privileges, "Privileges");
}

} // namespace cv::services
