#include "TfrmDoctorRxAudit.h"

namespace cv::modules {

TfrmDoctorRxAudit::TfrmDoctorRxAudit(QWidget* parent) : ui::TCForm(parent)
{
    setObjectName(QStringLiteral("frmDoctorRxAudit"));
    setWindowTitle(QStringLiteral("药师处方审核管理"));
    CompleteConstruction();
}

} // namespace cv::modules
