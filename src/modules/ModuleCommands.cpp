#include "ModuleCommands.h"

#include "medication_apply/Tfrm_DoctorMedicationApply.h"
#include "operation_approval/TFrmOperationApproval.h"
#include "rx_audit/TfrmDoctorRxAudit.h"

#include "shell/TCasePackage.h"

namespace cv::modules {

namespace {
template <class Form> shell::FormClass formClass(const char* name)
{
    return shell::FormClass{QString::fromLatin1(name), [] { return new Form(); }};
}
} // namespace

void RegisterCommands(shell::TCasePackage& package)
{
    package.RegisterForm(1, formClass<Tfrm_DoctorMedicationApply>("Tfrm_DoctorMedicationApply"),
                         QStringLiteral("医生用药申请管理"), true, QString());
    package.RegisterForm(2, formClass<TFrmOperationApproval>("TFrmOperationApproval"),
                         QStringLiteral("围手术期审批管理"), true, QString());
    package.RegisterForm(3, formClass<TfrmDoctorRxAudit>("TfrmDoctorRxAudit"),
                         QStringLiteral("药师处方审核管理"), true, QString());
}

} // namespace cv::modules
