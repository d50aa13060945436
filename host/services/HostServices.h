// The reference host's services behind the module's service wrappers, put
// into a host in one call.
#pragma once

#include "ServiceContext.h"
#include "ServicePackage.h"

#include "platform/abi/ComPtr.h"

#include <memory>

namespace cv::host {

class HostDatabase;
struct HostState;

struct HostServices {
    // Shared by every service object: set its seams (searchChooser,
    // previewRunner, designRunner, printerSetup, pdfPath) to answer the
    // windows without a person.
    std::shared_ptr<ServiceContext> context;
    ComPtr<ServicePackage> dataPicker;   // interfacePackages["ICVDataPicker"]
    ComPtr<ServicePackage> print;        // packages["Cv.Print"]
    ComPtr<ServicePackage> printPreview; // interfacePackages["ICVPrintPreview"]
    ComPtr<ServicePackage> privileges;   // interfacePackages["ICVPrivileges"]
};

// Registers the search window, the print program, the embedded preview and
// the privileges with `state`, on `database`. The privilege trace switch is
// taken from the database's setting "Cv.PrivilegeTrace" (1/True = on) when
// it has one. The services read the logged-in user and the host's settings
// from `state` when they are used, so `state` must outlive them, as the
// reference host's state outlives the module.
HostServices installHostServices(HostState& state, std::shared_ptr<HostDatabase> database);

} // namespace cv::host
