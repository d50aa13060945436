// What the host's service objects share: the database, the logged-in user,
// the host's settings, and the seams that answer their modal windows in
// tests and headless runs.
#pragma once

#include <QString>

#include <functional>
#include <memory>

class QPrinter;

namespace cv::host {

class HostDatabase;
class ReportDesignDialog;
class ReportPreviewDialog;
class SearchDialog;

struct ServiceContext {
    std::shared_ptr<HostDatabase> database;
    // The employee id of the logged-in user (read on every call: the host may
    // log in after the services are installed).
    std::function<int()> userId;
    // A host setting by name; empty when the host has none.
    std::function<QString(const QString& name)> setting;
    QString fontName = QStringLiteral("WenQuanYi Micro Hei");

    // Each runs the built window instead of its exec() and answers a
    // QDialog::DialogCode.
    std::function<int(SearchDialog&)> searchChooser;
    std::function<int(ReportPreviewDialog&)> previewRunner;
    std::function<int(ReportDesignDialog&)> designRunner;
    // Sets up the printer when printing asks for one and no PDF file is
    // configured; false cancels. Without it a GUI host shows QPrintDialog.
    std::function<bool(QPrinter&)> printerSetup;
    // Print into this PDF file; when empty the host setting "Cv.Print.PdfPath"
    // and then the environment variable CV_PRINT_PDF_PATH are asked.
    QString pdfPath;
};

} // namespace cv::host
