#include "Tfrm_DoctorMedicationApply.h"

namespace cv::modules {

Tfrm_DoctorMedicationApply::Tfrm_DoctorMedicationApply(QWidget* parent) : ui::TCForm(parent)
{
    setObjectName(QStringLiteral("frm_DoctorMedicationApply"));
    setWindowTitle(QStringLiteral("医生用药申请管理"));
    CompleteConstruction();
}

} // namespace cv::modules
