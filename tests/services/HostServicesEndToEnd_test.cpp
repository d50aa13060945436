// The module's service wrappers against the reference host's real services
// on a fresh demo database: the path a form takes to search and to print.
#include "../shell/ShellFixture.h"

#include "data/TCoreDM.h"
#include "services/ServiceStages.h"
#include "services/TCVDataPicker.h"
#include "services/TPrintPackage.h"

#include "host/HostDatabase.h"
#include "host/demo/DemoDatabase.h"
#include "host/services/HostServices.h"
#include "host/services/SearchDialog.h"
#include "host/services/ServiceContext.h"
#include "host/system/ScriptStore.h"
#include "host/xml/XmlDocument.h"

#include <QProcess>
#include <QTemporaryDir>

using namespace cv;

namespace {

class HostServicesEndToEnd : public cv::test::ShellFixture {
protected:
    void SetUp() override
    {
        ShellFixture::SetUp();
        ASSERT_TRUE(dir.isValid());
        const QString demo = dir.filePath(QStringLiteral("demo.db"));
        host::buildDemoDatabase(demo);
        database =
            std::make_shared<host::HostDatabase>(host::HostDatabase::sqliteConnectionString(demo));
        host::HostState& state = host.state();
        host::HostDatabase::install(state, database);
        state.scriptSource = [db = database](int number) { return host::scriptBody(*db, number); };
        state.xmlDocumentFactory = [] {
            return ComPtr<corvelian::ICVXMLDocument>::adopt(host::createXmlDocument());
        };
        hostServices = host::installHostServices(state, database);
        app().RegisterLifecycleCallback(services::CoreDlgStage);
        app().RegisterLifecycleCallback(data::CoreDMStage);
        startHost();
        data::CoreDM()->ADOConnection1().setConnectionString(database->connectionString());
    }

    QString firstValue(const QString& sql)
    {
        return database->run(sql).rows.at(0).at(0).toString();
    }

    QTemporaryDir dir;
    std::shared_ptr<host::HostDatabase> database;
    host::HostServices hostServices;
};

TEST_F(HostServicesEndToEnd, ADrugIsFoundByPartOfItsChineseName)
{
    hostServices.context->searchChooser = [](host::SearchDialog& dialog) {
        if (dialog.rowCount() == 0)
            return int(QDialog::Rejected);
        dialog.setCurrentRow(0);
        return int(QDialog::Accepted);
    };
    services::TCVDataPicker& picker = services::DataPicker();
    picker.Reset();
    ASSERT_TRUE(picker.Execute(nullptr, 16820, QStringLiteral("头孢"), 0, QString(), {}, {},
                               QVariant(), QString()));
    EXPECT_TRUE(picker.PickedString(QStringLiteral("BBY05")).contains(QStringLiteral("头孢")));
    EXPECT_GT(picker.PickedInteger(QStringLiteral("BBY01")), 0);
}

TEST_F(HostServicesEndToEnd, AnOperationApplicationPrintsToPdfWithItsValues)
{
    hostServices.context->pdfPath = dir.filePath(QStringLiteral("application.pdf"));
    const QString patient = firstValue(QStringLiteral(
        "SELECT VAA05 FROM VAA1 WHERE VAA01 = (SELECT VAA01 FROM VAF1 WHERE VAF01 = 1)"));
    services::TPrintPackage& print = services::PrintPackage();
    ASSERT_TRUE(print.Prepare(false));
    print.SetReportValues({QStringLiteral("1")});
    print.SetVariable(QStringLiteral("VAF01"), QStringLiteral("1"));
    print.SelectReport(QStringLiteral("CV.Clinical.YSYZBL.000002"));
    ASSERT_TRUE(print.Print(1, true, true));

    QProcess text;
    text.start(QStringLiteral("pdftotext"), {hostServices.context->pdfPath, QStringLiteral("-")});
    ASSERT_TRUE(text.waitForFinished(30000));
    const QString content = QString::fromUtf8(text.readAllStandardOutput());
    EXPECT_TRUE(content.contains(patient)) << content.toStdString();
    EXPECT_TRUE(content.contains(QStringLiteral("转移性右下腹痛12小时"))) << content.toStdString();
}

} // namespace
