// Command 3: pharmacists audit prescriptions from the reports of a tree.
#pragma once

#include "ui/TCForm.h"

namespace cv::modules {

class TfrmDoctorRxAudit : public ui::TCForm {
    Q_OBJECT
public:
    explicit TfrmDoctorRxAudit(QWidget* parent = nullptr);
};

} // namespace cv::modules
