// The host package "CV.System" as a module calls it: Execute through the ABI
// on a script store in a real SQLite database.
#include "host/HostDatabase.h"
#include "host/system/ScriptStore.h"
#include "host/system/SystemPackage.h"

#include "platform/abi/WideString.h"
#include "platform/db/Query.h"
#include "platform/text/Hex.h"

#include <QDateEdit>
#include <QDialogButtonBox>
#include <QIntValidator>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

using namespace cv;
using namespace cv::host;

namespace {

const QString kBody = QStringLiteral("SELECT * FROM VAF1 WHERE VAF36 >= :from AND BCE03 = :doctor");

class SystemPackageTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        database = std::make_shared<HostDatabase>(
            HostDatabase::sqliteConnectionString(dir.filePath(QStringLiteral("host.db"))));
        sql("CREATE TABLE cv_scripts (id INTEGER PRIMARY KEY, code TEXT UNIQUE, name TEXT NOT "
            "NULL, body TEXT NOT NULL)");
        sql("CREATE TABLE cv_script_params (script_id INTEGER NOT NULL, ord INTEGER NOT NULL, "
            "name TEXT NOT NULL, caption TEXT NOT NULL, kind TEXT NOT NULL DEFAULT 'text', "
            "default_value TEXT, PRIMARY KEY (script_id, ord))");
        sql("INSERT INTO cv_scripts VALUES (5, 'CV.Test.5', '手术列表', "
            "'SELECT * FROM VAF1 WHERE VAF36 >= :from AND BCE03 = :doctor')");
        sql("INSERT INTO cv_script_params VALUES (5, 1, 'from', '开始日期', 'date', 'today-7'), "
            "(5, 2, 'doctor', '医生', 'text', '张三'), (5, 3, 'count', '数量', 'integer', '10')");
        sql("INSERT INTO cv_scripts VALUES (6, 'CV.Test.6', '无参数', 'SELECT 1 AS X')");
        package = SystemPackage::install(state, database);
        package->setToday([] { return QDate(2024, 3, 5); });
    }

    void sql(const char* statement)
    {
        db::Query query(&database->connection(), false);
        query.setSql(QString::fromUtf8(statement));
        query.execSql();
    }

    struct Answer {
        int result = -1;
        QString text;
    };

    Answer execute(int id, const QString& request, int code = SystemPackage::kRunScript)
    {
        ComPtr<corvelian::ICVExtention> asModule =
            state.packages.value(QStringLiteral("CV.System"));
        WideString text(request);
        std::int32_t result = -1;
        EXPECT_EQ(asModule->Execute(code, id, text.inOut(), &result), corvelian::CV_OK);
        return {result, text.toQString()};
    }

    QTemporaryDir dir;
    std::shared_ptr<HostDatabase> database;
    HostState state;
    ComPtr<SystemPackage> package;
};

TEST_F(SystemPackageTest, AnswersTheHexStatementAndTheValuesWithoutDialogWhenMarked)
{
    int dialogs = 0;
    package->setDialogRunner([&](ScriptParameterDialog&) {
        ++dialogs;
        return int(QDialog::Accepted);
    });
    const Answer answer = execute(5, QStringLiteral("\r\n##NoDialog=1"));
    EXPECT_EQ(answer.result, 1);
    EXPECT_EQ(answer.text, QStringLiteral("$SQL=") + text::bytesToHex(kBody.toLatin1()) +
                               QStringLiteral("\r\nfrom=2024-02-27\r\ndoctor=张三\r\ncount=10"));
    EXPECT_EQ(dialogs, 0);
}

TEST_F(SystemPackageTest, DialogIsPrefilledFromTheRequestAndItsEntriesAnswer)
{
    std::vector<ScriptParameter> shown;
    package->setDialogRunner([&](ScriptParameterDialog& dialog) {
        shown = dialog.parameters();
        static_cast<QLineEdit*>(dialog.editor(QStringLiteral("doctor")))
            ->setText(QStringLiteral("李四"));
        return int(QDialog::Accepted);
    });
    // Names match without regard to case; a date that is none falls back to the default.
    const Answer answer = execute(5, QStringLiteral("FROM=2024-01-02\r\nDoctor=王五\r\ncount=x"));
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_EQ(shown[0].value, QStringLiteral("2024-01-02"));
    EXPECT_EQ(shown[1].value, QStringLiteral("王五"));
    EXPECT_EQ(shown[2].value, QStringLiteral("x"));
    EXPECT_EQ(answer.result, 1);
    EXPECT_TRUE(
        answer.text.endsWith(QStringLiteral("\r\nfrom=2024-01-02\r\ndoctor=李四\r\ncount=x")))
        << answer.text.toStdString();

    const Answer badDate = execute(5, QStringLiteral("from=soon"));
    EXPECT_TRUE(badDate.text.contains(QStringLiteral("\r\nfrom=2024-02-27\r\n")));
}

TEST_F(SystemPackageTest, ResultCodesForCancelUnknownScriptsAndOtherCodes)
{
    package->setDialogRunner([](ScriptParameterDialog&) { return int(QDialog::Rejected); });
    struct Case {
        const char* name;
        int id;
        int code;
        int result;
    };
    const Case cases[] = {
        {"cancelled", 5, 23, 2},
        {"unknown id", 99, 23, 0},
        {"other code", 5, 24, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Answer answer = execute(c.id, QStringLiteral("keep=1"), c.code);
        EXPECT_EQ(answer.result, c.result);
        EXPECT_EQ(answer.text, QStringLiteral("keep=1"));
    }
    // Nothing to ask: no dialog, answered at once.
    EXPECT_EQ(execute(6, QString()).result, 1);
}

TEST_F(SystemPackageTest, AStoreItCannotReadIsAFailureWithTheReason)
{
    sql("DROP TABLE cv_script_params");
    WideString text;
    std::int32_t result = 0;
    EXPECT_LT(package->Execute(23, 5, text.inOut(), &result), 0);
    WideString reason;
    package->GetLastError(reason.put());
    EXPECT_TRUE(reason.toQString().contains(QStringLiteral("cv_script_params")))
        << reason.toQString().toStdString();
}

TEST_F(SystemPackageTest, TheRealDialogHasOneEditorPerParameterAndAnswersOk)
{
    package->setDialogRunner([](ScriptParameterDialog& dialog) {
        dialog.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&dialog));
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("手术列表"));
        auto* from = qobject_cast<QDateEdit*>(dialog.editor(QStringLiteral("from")));
        auto* doctor = qobject_cast<QLineEdit*>(dialog.editor(QStringLiteral("doctor")));
        auto* count = qobject_cast<QLineEdit*>(dialog.editor(QStringLiteral("count")));
        EXPECT_TRUE(from && doctor && count);
        if (!from || !doctor || !count)
            return int(QDialog::Rejected);
        EXPECT_EQ(from->date(), QDate(2024, 2, 27));
        EXPECT_EQ(doctor->text(), QStringLiteral("张三"));
        EXPECT_NE(qobject_cast<const QIntValidator*>(count->validator()), nullptr);
        from->setDate(QDate(2024, 1, 1));
        QSignalSpy accepted(&dialog, &QDialog::accepted);
        auto* buttons = dialog.findChild<QDialogButtonBox*>();
        QTest::mouseClick(buttons->button(QDialogButtonBox::Ok), Qt::LeftButton);
        EXPECT_EQ(accepted.count(), 1);
        return dialog.result();
    });
    const Answer answer = execute(5, QString());
    EXPECT_EQ(answer.result, 1);
    EXPECT_TRUE(answer.text.contains(QStringLiteral("\r\nfrom=2024-01-01\r\n")));
}

TEST_F(SystemPackageTest, ScriptsByNumberComeFromTheStore)
{
    EXPECT_EQ(scriptBody(*database, 5), kBody);
    EXPECT_EQ(scriptBody(*database, 86),
              QStringLiteral("SELECT id AS ID FROM cv_scripts WHERE code = %s"));
    EXPECT_EQ(scriptBody(*database, 404), QString());
}

} // namespace
