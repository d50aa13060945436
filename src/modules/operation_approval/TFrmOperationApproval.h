// Command 2: operation applications of the department, pending or approved,
// approved in a dialog and printed.
#pragma once

#include "ui/TCForm.h"

namespace cv::modules {

class TFrmOperationApproval : public ui::TCForm {
    Q_OBJECT
public:
    explicit TFrmOperationApproval(QWidget* parent = nullptr);
};

} // namespace cv::modules
