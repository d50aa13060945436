// The dialog form, always shown modally, with a ring indicator and a bottom
// band for its buttons.
#pragma once

#include "TAnimateControl.h"
#include "TCvForm.h"

namespace cv::ui {

class TDForm : public TCvForm {
    Q_OBJECT
public:
    explicit TDForm(QWidget* parent = nullptr);
    ~TDForm() override;

    bool IsDialogForm() const override { return true; }
    bool DialogStyle() const { return m_dialogStyle; }
    TAnimateControl* Indicator() const { return m_indicator; }

    // Closing with OK asks ValidateClose; a cv::Exception keeps the dialog
    // open and is shown through the host.
    void done(int result) override;

protected:
    virtual void ValidateClose(bool& accept) { accept = true; }

private:
    bool m_dialogStyle = true;
    TAnimateControl* m_indicator = nullptr;
};

} // namespace cv::ui
