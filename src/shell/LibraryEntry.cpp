// The module library: its two exports and what happens when it is loaded and
// unloaded. Everything else the host does goes through the extension object.
//
// On Linux there is no COM to initialise for the loading thread and no
// application object of the library's own to save and restore: the module
// runs in the host's process on the host's QApplication, so the load and
// unload steps that did that have nothing to do here.
#include "TCasePackage.h"
#include "TCvApplication.h"
#include "modules/ModuleCommands.h"

#include "data/CorePackageServices.h"
#include "data/TCoreDM.h"
#include "services/ServiceStages.h"
#include "ui/LookAndFeel.h"
#include "ui/ModuleWindows.h"
#include "ui/TCvRes.h"
#include "ui/ToolkitTranslator.h"

#include "platform/abi/ComPtr.h"

#include <corvelian/Corvelian.h>

#define CV_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

using namespace cv;

// The lifecycle callbacks, in the order the module's units register them:
// resources and user information; data picker and print package; the
// toolkit translations; privileges; the core data module. Static
// initialisation order across files is not defined in C++, so the order is
// this explicit list.
constexpr shell::LifecycleCallback kLifecycleCallbacks[] = {
    &ui::CvResStage,
    &services::CoreDlgStage,
    &ui::LocalizerStage,
    &services::PrivilegesStage,
    &data::CoreDMStage,
};

// Library load and unload: the facade lives from one to the other.
struct ModuleLifetime {
    ModuleLifetime()
    {
        shell::TCvApplication::createInstance();
        shell::TCvApplication& app = shell::CvApp();
        for (shell::LifecycleCallback callback : kLifecycleCallbacks)
            app.RegisterLifecycleCallback(callback);
        app.SetModalFormQuery(&ui::AnyModuleFormModal);
        app.SetActiveFormQuery(&ui::ActiveModuleFormHandle);
    }
    ~ModuleLifetime()
    {
        shell::TCvApplication::destroyInstance();
        ui::ReleaseRootLookAndFeel();
    }
};

const ModuleLifetime g_moduleLifetime;

} // namespace

CV_EXPORT void CV_CALL CreateInstance(corvelian::ICVExtention** extension,
                                      corvelian::ICvApplication* host)
{
    try {
        const ComPtr<corvelian::ICvApplication> hostReference(host);
        shell::CvApp().BindHost(hostReference.get());
        auto* package = shell::TCVExtentionAdapter::Create<shell::TCasePackage>(
            QStringLiteral("CV.DoctorMedicationApply"), 130, QStringLiteral("Corvelian"),
            std::make_shared<data::CorePackageServices>());
        shell::SetCasePackage(package);
        modules::RegisterCommands(*package);
        if (extension) {
            *extension = package;
            package->AddRef();
        } else {
            package->AddRef();
            package->Release();
        }
    } catch (...) {
        // Nothing may cross the boundary; the host sees no extension.
        if (extension)
            *extension = nullptr;
    }
}

CV_EXPORT std::int32_t CV_CALL ReleaseInstance()
{
    return 0;
}
