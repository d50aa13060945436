#include "PrintProgram.h"

#include "BoundQuery.h"
#include "ReportDesignDialog.h"
#include "ReportInput.h"
#include "ReportPreviewDialog.h"
#include "ReportTemplate.h"

#include "host/HostDatabase.h"

#include "platform/abi/Boundary.h"
#include "platform/abi/WideString.h"

#include <QApplication>
#include <QPageSize>
#include <QPrintDialog>
#include <QPrinter>
#include <QTextDocument>

namespace cv::host {

using namespace corvelian;

namespace {

bool hasGui()
{
    return qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr;
}

// The text after a command word, or a null string when `command` is not it.
QString argumentOf(const QString& command, QLatin1String word)
{
    if (!command.startsWith(word, Qt::CaseInsensitive))
        return {};
    const QString rest = command.mid(word.size());
    if (!rest.isEmpty() && !rest.front().isSpace())
        return {};
    return rest.isEmpty() ? QStringLiteral("") : rest.mid(1);
}

} // namespace

PrintProgram::PrintProgram(std::shared_ptr<ServiceContext> context)
    : HostObject(QStringLiteral("Cv.Print"), kVersion), m_context(std::move(context))
{
}

void* PrintProgram::findInterface(const CvGuid& iid)
{
    if (iid == ICVPrint::iid())
        return static_cast<ICVPrint*>(this);
    return HostObject::findInterface(iid);
}

// A format of another report than the selected one would print the wrong
// paper with the right data, so it is refused.
ReportFormat PrintProgram::formatOfReport(int formatId)
{
    ReportFormat format = ReportFormat::load(*m_context->database, formatId);
    if (!m_reportCode.isEmpty() && format.reportCode != m_reportCode)
        throw Exception(QStringLiteral("报表格式%1不属于报表%2.").arg(formatId).arg(m_reportCode));
    return format;
}

QString PrintProgram::render(const QString& templateText)
{
    const ReportTemplate::Input input{m_variables, m_dataLists};
    auto db = m_context->database;
    return ReportTemplate::parse(templateText)
        .render(input, [db](const QString& sql, const ParameterLookup& value) {
            return runBoundQuery(*db, sql, value);
        });
}

QString PrintProgram::renderFormat(int formatId)
{
    return render(formatOfReport(formatId).templateText);
}

std::unique_ptr<QTextDocument> PrintProgram::makeDocument(const QString& html) const
{
    auto document = std::make_unique<QTextDocument>();
    document->setDefaultFont(QFont(m_context->fontName, 10));
    document->setHtml(html);
    return document;
}

QString PrintProgram::pdfPath() const
{
    if (!m_context->pdfPath.isEmpty())
        return m_context->pdfPath;
    const QString setting =
        m_context->setting ? m_context->setting(QStringLiteral("Cv.Print.PdfPath")) : QString();
    return setting.isEmpty() ? qEnvironmentVariable("CV_PRINT_PDF_PATH") : setting;
}

bool PrintProgram::printDocument(QTextDocument& document, bool askPrinter)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(QPageSize(QPageSize::A4));
    const QString pdf = pdfPath();
    if (!pdf.isEmpty()) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
    } else if (askPrinter && m_context->printerSetup) {
        if (!m_context->printerSetup(printer))
            return false;
    } else if (askPrinter && hasGui()) {
        QPrintDialog dialog(&printer, QApplication::activeWindow());
        if (dialog.exec() != QDialog::Accepted)
            return false;
    }
    document.print(&printer);
    if (printer.printerState() == QPrinter::Error)
        throw Exception(
            QStringLiteral("打印失败：%1").arg(pdf.isEmpty() ? printer.printerName() : pdf));
    return true;
}

bool PrintProgram::userMayDesign() const
{
    const int user = m_context->userId ? m_context->userId() : 0;
    const QueryResult rows =
        runBoundQuery(*m_context->database,
                      QStringLiteral("SELECT 1 FROM cv_grants WHERE employee_id = :user "
                                     "AND action = 'Cv.Print.Design'"),
                      [user](const QString&) { return QVariant(user); });
    return !rows.rows.empty();
}

int PrintProgram::runCommand(const QString& command)
{
    const QString vars = argumentOf(command, QLatin1String("SetVars"));
    if (!vars.isNull()) {
        m_variables = parseReportVariables(vars);
        return 1;
    }
    const QString enabled = argumentOf(command, QLatin1String(".EnabledPrint"));
    if (!enabled.isNull()) {
        bool ok = false;
        const int value = enabled.trimmed().toInt(&ok);
        if (!ok)
            throw Exception(QStringLiteral("命令%1需要0或1.").arg(command));
        m_printEnabled = value != 0;
        return 1;
    }
    if (command.trimmed().compare(QLatin1String(".CheckUser"), Qt::CaseInsensitive) == 0)
        return userMayDesign() ? 1 : 0;
    throw Exception(QStringLiteral("打印程序不认识命令%1.").arg(command.left(40)));
}

bool PrintProgram::preview(int formatId)
{
    const ReportFormat format = formatOfReport(formatId);
    const std::unique_ptr<QTextDocument> document = makeDocument(render(format.templateText));
    if (!m_context->previewRunner && !hasGui())
        throw Exception(QStringLiteral("没有图形界面，无法显示打印预览."));
    ReportPreviewDialog dialog(
        document.get(), format.name, m_printEnabled,
        [this, &document] { return printDocument(*document, true); }, QApplication::activeWindow());
    if (m_context->previewRunner)
        m_context->previewRunner(dialog);
    else
        dialog.exec();
    return true;
}

void PrintProgram::design(int formatId)
{
    const ReportFormat format = formatOfReport(formatId);
    if (!m_context->designRunner && !hasGui())
        throw Exception(QStringLiteral("没有图形界面，无法显示报表设计."));
    ReportDesignDialog dialog(
        format, [this](const QString& text) { return render(text); }, QApplication::activeWindow());
    const int answer = m_context->designRunner ? m_context->designRunner(dialog) : dialog.exec();
    if (answer == QDialog::Accepted && dialog.templateText() != format.templateText)
        ReportFormat::saveTemplate(*m_context->database, formatId, dialog.templateText());
}

CvStatus CV_CALL PrintProgram::GetErrorText(CvBStr* text)
{
    return GetLastError(text);
}

CvStatus CV_CALL PrintProgram::Design(std::int32_t formatId, CvWordBool* ok)
{
    return call([&] {
        requirePointer(ok);
        *ok = 0;
        design(formatId);
        *ok = CV_TRUE;
    });
}

CvStatus CV_CALL PrintProgram::Print(std::int32_t formatId, CvWordBool first, CvWordBool,
                                     CvWordBool* ok)
{
    return call([&] {
        requirePointer(ok);
        *ok = 0;
        const ReportFormat format = formatOfReport(formatId);
        const auto document = makeDocument(render(format.templateText));
        *ok = printDocument(*document, first != 0) ? CV_TRUE : CvWordBool(0);
    });
}

CvStatus CV_CALL PrintProgram::Preview(std::int32_t formatId, CvWordBool, CvWordBool* ok)
{
    return call([&] {
        requirePointer(ok);
        *ok = 0;
        *ok = preview(formatId) ? CV_TRUE : CvWordBool(0);
    });
}

CvStatus CV_CALL PrintProgram::SelectReport(const char16_t* reportCode, const char16_t* variables,
                                            const char16_t* dataLists, std::int32_t* result)
{
    return call([&] {
        requirePointer(result);
        *result = 0;
        m_reportCode = fromWideZ(reportCode);
        m_variables = parseReportVariables(fromWideZ(variables));
        m_dataLists = decodeDataLists(fromWideZ(dataLists));
        *result = std::int32_t(ReportFormat::ofReport(*m_context->database, m_reportCode).size());
    });
}

std::int32_t CV_CALL PrintProgram::Command(const char16_t* command)
{
    std::int32_t answer = 0;
    const CvStatus status = call([&] { answer = runCommand(fromWideZ(command)); });
    return CvSucceeded(status) ? answer : 0;
}

CvStatus CV_CALL PrintProgram::Restart()
{
    return call([&] {
        m_reportCode.clear();
        m_variables.clear();
        m_dataLists.clear();
        m_printEnabled = true;
        m_loadedHtml.clear();
        m_loadedTitle.clear();
        clearLastError();
    });
}

CvStatus CV_CALL PrintProgram::LoadReport(std::int32_t formatId, CvWordBool, CvWordBool* ok)
{
    return call([&] {
        requirePointer(ok);
        *ok = 0;
        const ReportFormat format = formatOfReport(formatId);
        m_loadedHtml = render(format.templateText);
        m_loadedTitle = format.name;
        *ok = CV_TRUE;
    });
}

} // namespace cv::host
