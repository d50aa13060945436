// The print program "Cv.Print" (ICVPrint, ICVPrint2): report formats of the
// host's database (cv_report_formats) filled with the report variables and
// data lists the module sends, previewed, printed, designed, or loaded for
// the embedded preview. Templates: ReportTemplate.h.
//
// Commands: "SetVars <lines>" replaces the variables; ".EnabledPrint N" turns
// the preview's print button on (N ≠ 0) or off; ".CheckUser" answers 1 when
// the logged-in employee holds the action "Cv.Print.Design" in cv_grants.
// Any other command answers 0 and sets the error text.
//
// Switches: Print's first switch lets the user choose the printer (skipped
// when printing to a PDF file); its second, Preview's and LoadReport's are
// accepted and have no effect here. Output goes to the PDF file the context
// names (ServiceContext::pdfPath, else the host setting "Cv.Print.PdfPath",
// else the environment variable CV_PRINT_PDF_PATH), otherwise to a printer.
#pragma once

#include "ReportFormat.h"
#include "ServiceContext.h"

#include "host/HostObject.h"

#include <QMap>
#include <QStringList>

#include <memory>

class QTextDocument;

namespace cv::host {

class PrintProgram : public HostObject<corvelian::ICVPrint2> {
public:
    static constexpr double kVersion = 2.1;

    explicit PrintProgram(std::shared_ptr<ServiceContext> context);

    const QString& reportCode() const { return m_reportCode; }
    const QMap<QString, QString>& variables() const { return m_variables; }
    const QMap<int, QStringList>& dataLists() const { return m_dataLists; }
    bool printEnabled() const { return m_printEnabled; }
    const QString& errorText() const { return lastError(); }
    // The report LoadReport prepared for the embedded preview: its HTML and
    // title; empty before a load and after Restart.
    const QString& loadedHtml() const { return m_loadedHtml; }
    const QString& loadedTitle() const { return m_loadedTitle; }

    // The HTML of a format filled with the current variables and data lists.
    QString renderFormat(int formatId);
    // A document of report HTML in the host's font, ready to print.
    std::unique_ptr<QTextDocument> makeDocument(const QString& html) const;

    corvelian::CvStatus CV_CALL GetErrorText(corvelian::CvBStr* text) override;
    corvelian::CvStatus CV_CALL Design(std::int32_t formatId, corvelian::CvWordBool* ok) override;
    corvelian::CvStatus CV_CALL Print(std::int32_t formatId, corvelian::CvWordBool first,
                                      corvelian::CvWordBool second,
                                      corvelian::CvWordBool* ok) override;
    corvelian::CvStatus CV_CALL Preview(std::int32_t formatId, corvelian::CvWordBool on,
                                        corvelian::CvWordBool* ok) override;
    corvelian::CvStatus CV_CALL SelectReport(const char16_t* reportCode, const char16_t* variables,
                                             const char16_t* dataLists,
                                             std::int32_t* result) override;
    std::int32_t CV_CALL Command(const char16_t* command) override;
    corvelian::CvStatus CV_CALL Restart() override;
    corvelian::CvStatus CV_CALL LoadReport(std::int32_t formatId, corvelian::CvWordBool on,
                                           corvelian::CvWordBool* ok) override;

protected:
    ~PrintProgram() override = default;
    void* findInterface(const corvelian::CvGuid& iid) override;

private:
    ReportFormat formatOfReport(int formatId);
    QString render(const QString& templateText);
    int runCommand(const QString& command);
    bool userMayDesign() const;
    QString pdfPath() const;
    bool printDocument(QTextDocument& document, bool askPrinter);
    bool preview(int formatId);
    void design(int formatId);

    std::shared_ptr<ServiceContext> m_context;
    QString m_reportCode;
    QMap<QString, QString> m_variables;
    QMap<int, QStringList> m_dataLists;
    bool m_printEnabled = true;
    QString m_loadedHtml;
    QString m_loadedTitle;
};

} // namespace cv::host
