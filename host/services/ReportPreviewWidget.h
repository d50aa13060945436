// The window of the embedded report preview: the loaded report as a read-only
// page that fills whatever widget it is made a child of and follows its size.
#pragma once

#include <QPointer>
#include <QTextBrowser>

namespace cv::host {

class ReportPreviewWidget : public QTextBrowser {
    Q_OBJECT
public:
    explicit ReportPreviewWidget(const QString& fontName);

    // Becomes a child of `parent`, filling it from now on.
    void attachTo(QWidget* parent);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPointer<QWidget> m_host;
};

} // namespace cv::host
