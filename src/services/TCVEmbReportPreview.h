// The print program's report preview inside a module form. After the print
// package loaded a report, its ICVPrint2 is handed to Preview()->ShowReport.
#pragma once

#include "TCVEmbWindow.h"

namespace cv::services {

class TCVEmbReportPreview : public TCVEmbWindow {
    Q_OBJECT
public:
    explicit TCVEmbReportPreview(QWidget* parent = nullptr);

    // Empties the preview; nothing without a host window.
    void Clear() const;
    // Null without a host window.
    corvelian::ICVPrintPreview* Preview() const { return m_preview.get(); }

protected:
    void AttachInterface(const ComPtr<corvelian::ICVEmbWindow>& window) override;

private:
    ComPtr<corvelian::ICVPrintPreview> m_preview;
};

} // namespace cv::services
