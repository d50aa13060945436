#include "TFrmOperationApproval.h"

namespace cv::modules {

TFrmOperationApproval::TFrmOperationApproval(QWidget* parent) : ui::TCForm(parent)
{
    setObjectName(QStringLiteral("FrmOperationApproval"));
    setWindowTitle(QStringLiteral("围手术期审批管理"));
    CompleteConstruction();
}

} // namespace cv::modules
