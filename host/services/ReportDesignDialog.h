// The print program's designer: the template of one report format as text,
// a preview of it filled with the current variables and data lists, and
// saving back to the database (a template that does not parse is refused).
#pragma once

#include "ReportFormat.h"

#include <QDialog>

#include <functional>

class QLabel;
class QPlainTextEdit;
class QTextBrowser;

namespace cv::host {

class ReportDesignDialog : public QDialog {
    Q_OBJECT
public:
    // Renders a template text to HTML; throws cv::Exception.
    using Renderer = std::function<QString(const QString& templateText)>;

    ReportDesignDialog(const ReportFormat& format, Renderer renderer, QWidget* parent = nullptr);

    QString templateText() const;
    void setTemplateText(const QString& text);
    QPlainTextEdit* editor() const { return m_editor; }
    QTextBrowser* previewBrowser() const { return m_browser; }
    // The message of the last failed preview or save; empty otherwise.
    QString errorText() const;

public slots:
    void refreshPreview();
    // Accepts when the template parses.
    void save();

private:
    void buildLayout();

    Renderer m_renderer;
    QPlainTextEdit* m_editor = nullptr;
    QTextBrowser* m_browser = nullptr;
    QLabel* m_error = nullptr;
};

} // namespace cv::host
