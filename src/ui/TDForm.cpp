#include "TDForm.h"

#include "platform/abi/Exception.h"
#include "shell/TCvApplication.h"

namespace cv::ui {

TDForm::TDForm(QWidget* parent) : TCvForm(parent)
{
    // A dialog frame without the big window icon; Qt's dialog window type is
    // the counterpart of the modal-frame style.
    setWindowFlag(Qt::Dialog, true);
    m_indicator = new TAnimateControl(this);
    m_indicator->setObjectName(QStringLiteral("Indicator"));
    m_indicator->hide();
    SetBottomBandHeight(42);
    SetSeparateBottomBand(true);
}

TDForm::~TDForm()
{
    delete m_indicator;
    m_indicator = nullptr;
}

void TDForm::done(int result)
{
    if (result == QDialog::Accepted) {
        bool accept = true;
        try {
            ValidateClose(accept);
        } catch (const Exception& e) {
            accept = false;
            if (auto* app = shell::TCvApplication::instance(); app && app->HostBound())
                app->ShowMessage(e.message(), 16, 0, 0);
        }
        if (!accept)
            return;
    }
    TCvForm::done(result);
}

} // namespace cv::ui
