// Command 1: doctors apply for the use of a drug for a patient's visit;
// approvers grant the applications.
#pragma once

#include "ui/TCForm.h"

namespace cv::modules {

class Tfrm_DoctorMedicationApply : public ui::TCForm {
    Q_OBJECT
public:
    explicit Tfrm_DoctorMedicationApply(QWidget* parent = nullptr);
};

} // namespace cv::modules
