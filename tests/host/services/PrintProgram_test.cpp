// The print program "Cv.Print" as the module's print package drives it, on the
// demo database's report formats, down to the PDF a preview prints.
#include "ServicesFixture.h"

#include "host/services/PrintProgram.h"
#include "host/services/ReportDesignDialog.h"
#include "host/services/ReportFormat.h"
#include "host/services/ReportPreviewDialog.h"

#include "platform/text/Hex.h"

#include <QAction>
#include <QFile>
#include <QPrintPreviewWidget>
#include <QProcess>
#include <QTest>

using namespace cv;
using namespace cv::host;
using namespace cv::host::testing;
using namespace corvelian;

namespace {

QString pdfText(const QString& path)
{
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {path, QStringLiteral("-")});
    EXPECT_TRUE(process.waitForFinished(-1));
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The data list text the module sends: hex of the lines of hex values.
QString dataList(int index, const QStringList& values)
{
    QString lines;
    for (const QString& v : values)
        lines += text::textToHex(v) + QStringLiteral("\r\n");
    return QStringLiteral("%1=%2\r\n").arg(index).arg(text::textToHex(lines));
}

class PrintProgramTest : public ServicesFixture {
protected:
    void SetUp() override
    {
        ServicesFixture::SetUp();
        print = create<ICVPrint2>(QStringLiteral("Cv.Print"), false);
        ASSERT_TRUE(print);
        program = dynamic_cast<PrintProgram*>(print.get());
        ASSERT_TRUE(program);
        ASSERT_EQ(print->Restart(), CV_OK);
    }

    void select(const QString& code, const QString& variables, const QString& lists = {})
    {
        std::int32_t result = -1;
        ASSERT_EQ(print->SelectReport(wideArg(code), wideArg(variables), wideArg(lists), &result),
                  CV_OK);
    }

    QString errorText()
    {
        WideString text;
        EXPECT_EQ(print->GetErrorText(text.put()), CV_OK);
        return text.toQString();
    }

    QVariant one(const QString& statement) { return database->run(statement).rows.at(0).at(0); }

    ComPtr<ICVPrint2> print;
    PrintProgram* program = nullptr;
};

TEST_F(PrintProgramTest, HasOneDefaultFormatForEveryReportTheModulePrints)
{
    double version = 0;
    ASSERT_EQ(print->GetVersion(&version), CV_OK);
    EXPECT_GE(version, 2.0);
    EXPECT_LT(version, 3.0);
    // The variables each report's callers send, with a row of the demo to show.
    const auto prescription = [this](int kind) {
        return one(QStringLiteral("SELECT min(CBM01) FROM CBM1 WHERE CBM06 = %1").arg(kind))
            .toString();
    };
    const std::pair<const char*, QString> reports[] = {
        {"CV.Clinical.YSYZBL.000002", QStringLiteral("ReportVar.0=4\r\nVAF01=4")},
        {"CV.DocMedApply001", QStringLiteral("ReportVar.0=1662\r\nReportId=1662")},
        {"CV.Clinical.U.000002", QStringLiteral("CBM01=") + prescription(0)},
        {"HIS.S.000024", QStringLiteral("CBM01=") + prescription(1)},
        {"HIS.S.000025", QStringLiteral("CBM01=") + prescription(2)},
        {"TJ999.000001", QString()},
    };
    for (const auto& [code, variables] : reports) {
        SCOPED_TRACE(code);
        const auto formats = ReportFormat::ofReport(*database, QString::fromUtf8(code));
        ASSERT_FALSE(formats.empty());
        EXPECT_EQ(std::count_if(formats.begin(), formats.end(),
                                [](const ReportFormat& f) { return f.isDefault; }),
                  1);
        std::int32_t count = 0;
        ASSERT_EQ(print->SelectReport(wideArg(QString::fromUtf8(code)), wideArg(variables), nullptr,
                                      &count),
                  CV_OK);
        EXPECT_EQ(count, std::int32_t(formats.size()));
        for (const ReportFormat& f : formats) {
            CvWordBool ok = 0;
            EXPECT_EQ(print->LoadReport(f.id, 0, &ok), CV_OK) << errorText().toStdString();
            // Every format shows rows of the demo, not just its headings.
            EXPECT_GE(program->loadedHtml().count(u"<tr>"), 2) << f.id;
            EXPECT_FALSE(program->loadedHtml().contains(u"没有编号")) << f.id;
        }
    }
}

TEST_F(PrintProgramTest, AnswersItsCommands)
{
    struct Case {
        const char16_t* command;
        int answer;
    };
    const Case cases[] = {
        {u"SetVars ReportVar.0=4\r\nVAF01=4\r\n", 1},
        {u".EnabledPrint 0", 1},
        {u".CheckUser", 1},
        {u".Unknown", 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(print->Command(c.command), c.answer);
    EXPECT_EQ(program->variables().value(QStringLiteral("VAF01")), QStringLiteral("4"));
    EXPECT_EQ(program->variables().size(), 2);
    EXPECT_FALSE(program->printEnabled());
    EXPECT_TRUE(errorText().contains(u".Unknown"));

    EXPECT_EQ(print->Command(u"SetVars CBM01=9\r\n"), 1);
    EXPECT_EQ(program->variables().keys(), QStringList{QStringLiteral("CBM01")});
    EXPECT_EQ(print->Command(u".EnabledPrint 1"), 1);
    EXPECT_TRUE(program->printEnabled());

    state->config.userId = 1002; // a doctor, who may not design
    EXPECT_EQ(print->Command(u".CheckUser"), 0);
}

TEST_F(PrintProgramTest, FillsVariablesAndDataListsIntoTheFormat)
{
    sql(QStringLiteral("INSERT INTO cv_report_formats VALUES (90, 'T.1', '测试', 1, "
                       "'<p>{{VAF01}}|{{ReportVar.0}}|{{#list 0}}[{{Item}}]{{/list}}</p>')"));
    select(QStringLiteral("T.1"), QStringLiteral("ReportVar.0=7\r\nVAF01=8\r\n"),
           dataList(0, {QStringLiteral("11,12,15"), QStringLiteral("阿莫西林")}));
    CvWordBool ok = 0;
    ASSERT_EQ(print->LoadReport(90, 0, &ok), CV_OK) << errorText().toStdString();
    EXPECT_NE(ok, 0);
    EXPECT_TRUE(program->loadedHtml().contains(QStringLiteral("8|7|[11,12,15][阿莫西林]")))
        << program->loadedHtml().toStdString();

    ASSERT_EQ(print->Restart(), CV_OK);
    EXPECT_TRUE(program->loadedHtml().isEmpty());
    EXPECT_TRUE(program->variables().isEmpty());
    EXPECT_TRUE(program->dataLists().isEmpty());
}

TEST_F(PrintProgramTest, ReportsFailuresThroughItsErrorText)
{
    struct Case {
        const char* code;
        int formatId;
        const char* error;
    };
    const Case cases[] = {
        {"CV.Clinical.YSYZBL.000002", 999, "报表格式999不存在."},
        {"CV.Clinical.YSYZBL.000002", 5, "报表格式5不属于报表CV.Clinical.YSYZBL.000002."},
    };
    for (const Case& c : cases) {
        select(QString::fromUtf8(c.code), QStringLiteral("VAF01=1\r\n"));
        CvWordBool ok = CV_TRUE;
        EXPECT_NE(print->Preview(c.formatId, CV_TRUE, &ok), CV_OK);
        EXPECT_EQ(ok, 0);
        EXPECT_EQ(errorText(), QString::fromUtf8(c.error));
        WideString last;
        ASSERT_EQ(print->GetLastError(last.put()), CV_OK);
        EXPECT_EQ(last.toQString(), QString::fromUtf8(c.error));
    }
}

TEST_F(PrintProgramTest, PrintsThePreviewOfAnOperationApplicationToPdf)
{
    const QString pdf = dir.filePath(QStringLiteral("application.pdf"));
    services.context->pdfPath = pdf;
    bool printEnabled = false;
    services.context->previewRunner = [&](ReportPreviewDialog& dialog) {
        dialog.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&dialog));
        EXPECT_GE(dialog.pageCount(), 1);
        EXPECT_TRUE(dialog.grab().save(QStringLiteral("print_preview.png")));
        printEnabled = dialog.printAction()->isEnabled();
        dialog.printAction()->trigger();
        return dialog.result();
    };
    // As the operation approval list sends it for application 4.
    select(QStringLiteral("CV.Clinical.YSYZBL.000002"),
           QStringLiteral("ReportVar.0=4\r\nVAF01=4\r\n"));
    ASSERT_EQ(print->Command(u"SetVars ReportVar.0=4\r\nVAF01=4\r\n"), 1);
    ASSERT_EQ(print->Command(u".EnabledPrint 1"), 1);
    CvWordBool ok = 0;
    ASSERT_EQ(print->Preview(1, CV_TRUE, &ok), CV_OK) << errorText().toStdString();
    EXPECT_NE(ok, 0);
    EXPECT_TRUE(printEnabled);

    const QString text = pdfText(pdf);
    const QString operation =
        one(QStringLiteral("SELECT VAF22 FROM VAF1 WHERE VAF01 = 4")).toString();
    const QString extra =
        one(QStringLiteral("SELECT VAF22 FROM VAF1 WHERE VAF01A = 4 AND BCK01B = 32")).toString();
    for (const QString& expected :
         {QStringLiteral("手术申请单"), QStringLiteral("刘志强"), QStringLiteral("升结肠恶性肿瘤"),
          QStringLiteral("备血400ml"), operation, extra}) {
        EXPECT_TRUE(text.contains(expected)) << expected.toStdString() << "\n"
                                             << text.toStdString();
    }
}

TEST_F(PrintProgramTest, PrintsAWesternPrescriptionWithTheLinesOfItsDataList)
{
    const int prescription =
        one(QStringLiteral("SELECT min(CBM01) FROM CBM1 WHERE CBM06 = 0")).toInt();
    const QueryResult lines = database->run(
        QStringLiteral("SELECT VAF01, VAF22 FROM VAF1 WHERE CBM01 = %1 ORDER BY VAF01")
            .arg(prescription));
    ASSERT_GE(lines.rows.size(), 2u);
    state->config.settings.insert(QStringLiteral("Cv.Print.PdfPath"),
                                  dir.filePath(QStringLiteral("rx.pdf")));
    // Only the first line is sent: the prescription shows what the list holds.
    const QString first = lines.rows[0][0].toString();
    select(QStringLiteral("CV.Clinical.U.000002"), QStringLiteral("CBM01=%1\r\n").arg(prescription),
           dataList(0, {first}));
    CvWordBool ok = 0;
    ASSERT_EQ(print->Print(5, CV_TRUE, CV_TRUE, &ok), CV_OK) << errorText().toStdString();
    EXPECT_NE(ok, 0);
    const QString text = pdfText(dir.filePath(QStringLiteral("rx.pdf")));
    EXPECT_TRUE(text.contains(QStringLiteral("处方笺"))) << text.toStdString();
    EXPECT_TRUE(text.contains(lines.rows[0][1].toString().section(u' ', 0, 0)));
    EXPECT_FALSE(text.contains(lines.rows[1][1].toString().section(u' ', 0, 0)));
}

TEST_F(PrintProgramTest, PreviewHonoursEnabledPrint)
{
    bool printEnabled = true;
    services.context->previewRunner = [&](ReportPreviewDialog& dialog) {
        printEnabled = dialog.printAction()->isEnabled();
        return int(QDialog::Rejected);
    };
    select(QStringLiteral("CV.DocMedApply001"), QStringLiteral("ReportId=1661\r\n"));
    ASSERT_EQ(print->Command(u".EnabledPrint 0"), 1);
    CvWordBool ok = 0;
    ASSERT_EQ(print->Preview(3, CV_TRUE, &ok), CV_OK) << errorText().toStdString();
    EXPECT_FALSE(printEnabled);
}

TEST_F(PrintProgramTest, DesignSavesAValidTemplateAndRefusesABrokenOne)
{
    const QString before = ReportFormat::load(*database, 8).templateText;
    struct Case {
        const char* edit;
        bool saves;
    };
    const Case cases[] = {
        {"<h1>用药申请单 {{VDZ01}}</h1>", true},
        {"<h1>{{#list 0}}</h1>", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.edit);
        QString previewed;
        services.context->designRunner = [&](ReportDesignDialog& dialog) {
            dialog.setTemplateText(QString::fromUtf8(c.edit));
            dialog.refreshPreview();
            previewed = dialog.errorText().isEmpty() ? QStringLiteral("ok") : dialog.errorText();
            dialog.save();
            return dialog.result();
        };
        select(QStringLiteral("TJ999.000001"), QStringLiteral("VDZ01=3\r\n"));
        CvWordBool ok = 0;
        ASSERT_EQ(print->Design(8, &ok), CV_OK) << errorText().toStdString();
        EXPECT_NE(ok, 0);
        const QString saved = ReportFormat::load(*database, 8).templateText;
        EXPECT_EQ(saved, c.saves ? QString::fromUtf8(c.edit)
                                 : QStringLiteral("<h1>用药申请单 {{VDZ01}}</h1>"));
        EXPECT_EQ(previewed == QLatin1String("ok"), c.saves) << previewed.toStdString();
    }
    EXPECT_NE(before, ReportFormat::load(*database, 8).templateText);
}

} // namespace
