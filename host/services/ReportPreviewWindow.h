// The embedded report preview (ICVPrintPreview, ICVEmbWindow): a window the
// module makes a child of one of its panels (GetHandle, SetParentHandle)
// and in which it shows the report the print program has loaded.
//
// ShowReport receives the module's ICVPrint2 reference. The ABI has no
// operation that hands a loaded document over, so the preview recognises the
// host's own print program: the reference is queried for ICVPrint2 and cast
// to PrintProgram, whose loaded HTML it shows. Any other print object is
// refused (0, with the reason as last error).
//
// Commands: ".Clear" empties the preview. Plain operations answer 1 done,
// 0 not done.
#pragma once

#include "ReportPreviewWidget.h"

#include "platform/abi/ComObject.h"

#include <QPointer>

namespace cv::host {

class ReportPreviewWindow : public ComObject<corvelian::ICVPrintPreview> {
public:
    explicit ReportPreviewWindow(const QString& fontName);

    // Null once the widget the preview lived in has destroyed it.
    ReportPreviewWidget* widget() const { return m_widget; }

    corvelian::CvStatus CV_CALL GetVersion(double* version) override;
    corvelian::CvStatus CV_CALL GetName(corvelian::CvBStr* name) override;
    corvelian::CvStatus CV_CALL GetLastError(corvelian::CvBStr* text) override;
    corvelian::CvHandle CV_CALL GetHandle() override;
    std::int32_t CV_CALL SetParentHandle(corvelian::CvHandle parent) override;
    std::int32_t CV_CALL ShowReport(corvelian::ICVPrint2* print) override;
    std::int32_t CV_CALL PreviewCommand(const char16_t* command) override;

protected:
    // Deletes the window wherever it lives: the module only lent it a place.
    ~ReportPreviewWindow() override;
    void* findInterface(const corvelian::CvGuid& iid) override;

private:
    template <class F> std::int32_t plain(F&& body);
    ReportPreviewWidget& requireWidget();

    QPointer<ReportPreviewWidget> m_widget;
    QString m_lastError;
};

} // namespace cv::host
