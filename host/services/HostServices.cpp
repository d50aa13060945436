#include "HostServices.h"

#include "DataPicker.h"
#include "HostPrivileges.h"
#include "PrintProgram.h"
#include "ReportPreviewWindow.h"

#include "host/HostDatabase.h"
#include "host/HostState.h"

#include "platform/abi/Exception.h"

namespace cv::host {

using namespace corvelian;

namespace {

// A database without the host's settings table keeps the host's switch.
void loadPrivilegeTrace(HostConfig& config, HostDatabase& database)
{
    try {
        const QueryResult rows = database.run(
            QStringLiteral("SELECT value FROM cv_settings WHERE name = 'Cv.PrivilegeTrace'"));
        if (rows.rows.empty())
            return;
        const QString value = rows.rows.front().front().toString().trimmed();
        config.privilegeTrace = value == QLatin1String("1") ||
                                value.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0;
    } catch (const Exception&) {
    }
}

template <class T, class I>
ComPtr<ServicePackage> packageOf(const QString& name, std::shared_ptr<ServiceContext> context)
{
    return ComPtr<ServicePackage>(new ServicePackage(name, [context](int, const QString&) {
        return ComPtr<ICVUnknown>(static_cast<I*>(new T(context)));
    }));
}

} // namespace

HostServices installHostServices(HostState& state, std::shared_ptr<HostDatabase> database)
{
    HostServices services;
    services.context = std::make_shared<ServiceContext>();
    ServiceContext& context = *services.context;
    context.database = database;
    context.userId = [&state] { return state.config.userId; };
    context.setting = [&state](const QString& name) { return state.config.settings.value(name); };
    context.fontName = state.config.fontName;
    loadPrivilegeTrace(state.config, *database);

    services.dataPicker =
        packageOf<DataPicker, ICVDataPicker>(QStringLiteral("ICVDataPicker"), services.context);
    services.print =
        packageOf<PrintProgram, ICVPrint2>(QStringLiteral("Cv.Print"), services.context);
    services.privileges =
        packageOf<HostPrivileges, ICVPrivileges>(QStringLiteral("ICVPrivileges"), services.context);
    const QString font = context.fontName;
    services.printPreview = ComPtr<ServicePackage>(
        new ServicePackage(QStringLiteral("ICVPrintPreview"), [font](int, const QString&) {
            return ComPtr<ICVUnknown>(static_cast<ICVPrintPreview*>(new ReportPreviewWindow(font)));
        }));

    state.interfacePackages.insert(QStringLiteral("ICVDataPicker"),
                                   ComPtr<ICVExtention>(services.dataPicker.get()));
    state.packages.insert(QStringLiteral("Cv.Print"), ComPtr<ICVExtention>(services.print.get()));
    state.interfacePackages.insert(QStringLiteral("ICVPrintPreview"),
                                   ComPtr<ICVExtention>(services.printPreview.get()));
    state.interfacePackages.insert(QStringLiteral("ICVPrivileges"),
                                   ComPtr<ICVExtention>(services.privileges.get()));
    return services;
}

} // namespace cv::host
