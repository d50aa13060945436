// The print program's preview window: the report's pages as they will print,
// with zoom, and a print button that ".EnabledPrint 0" disables.
#pragma once

#include <QDialog>
#include <QPrinter>

#include <functional>

class QAction;
class QPrintPreviewWidget;
class QTextDocument;

namespace cv::host {

class ReportPreviewDialog : public QDialog {
    Q_OBJECT
public:
    // `print` prints the document where the print program sends its output
    // and answers whether it did.
    ReportPreviewDialog(QTextDocument* document, const QString& title, bool printEnabled,
                        std::function<bool()> print, QWidget* parent = nullptr);

    QAction* printAction() const { return m_printAction; }
    QPrintPreviewWidget* previewWidget() const { return m_preview; }
    int pageCount() const;
    bool printed() const { return m_printed; }

private:
    void buildToolBar(bool printEnabled);
    void printNow();

    QTextDocument* m_document;
    std::function<bool()> m_print;
    QPrinter m_printer;
    QPrintPreviewWidget* m_preview = nullptr;
    QAction* m_printAction = nullptr;
    bool m_printed = false;
};

} // namespace cv::host
