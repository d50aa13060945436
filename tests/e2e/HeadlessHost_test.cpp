// The built module driven by corvelian-host from outside, as a script or a
// check would run it.
#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <pugixml.hpp>

namespace {

struct HostRun {
    int exitCode = -1;
    std::vector<QJsonObject> lines;
    QString errors;

    // The JSON line answering an Execute request with that code, n-th of them.
    QJsonObject exec(int code, int nth = 0) const
    {
        for (const QJsonObject& line : lines)
            if (line.contains(QStringLiteral("code")) &&
                line[QStringLiteral("code")].toInt() == code && nth-- == 0)
                return line;
        return {};
    }
    std::vector<QJsonObject> logWithTitle(const QString& title) const
    {
        std::vector<QJsonObject> found;
        for (const QJsonObject& line : lines)
            if (line[QStringLiteral("title")].toString() == title)
                found.push_back(line);
        return found;
    }
};

class HeadlessHostTest : public ::testing::Test {
protected:
    HostRun host(QStringList arguments)
    {
        if (!arguments.contains(QStringLiteral("--db")) &&
            !arguments.contains(QStringLiteral("--demo")))
            arguments << QStringLiteral("--demo") << dir.filePath(QStringLiteral("demo.db"));
        QProcess process;
        process.setProgram(QStringLiteral(CV_HOST_PATH));
        process.setArguments(QStringList{QStringLiteral("--headless")} + arguments);
        process.start();
        EXPECT_TRUE(process.waitForFinished(60000));
        HostRun run;
        run.exitCode = process.exitCode();
        run.errors = QString::fromUtf8(process.readAllStandardError());
        for (const QByteArray& line : process.readAllStandardOutput().split('\n')) {
            if (line.trimmed().isEmpty())
                continue;
            const QJsonDocument json = QJsonDocument::fromJson(line);
            EXPECT_TRUE(json.isObject()) << line.toStdString();
            run.lines.push_back(json.object());
        }
        return run;
    }

    static QStringList execs(std::initializer_list<const char*> requests)
    {
        QStringList arguments;
        for (const char* r : requests)
            arguments << QStringLiteral("--exec") << QString::fromUtf8(r);
        return arguments;
    }

    QTemporaryDir dir;
};

TEST_F(HeadlessHostTest, CommandListNamesTheThreeForms)
{
    const HostRun run = host(execs({"-1"}));
    ASSERT_EQ(run.exitCode, 0) << run.errors.toStdString();
    const QJsonObject answer = run.exec(-1);
    EXPECT_EQ(answer[QStringLiteral("result")].toInt(), 1);
    pugi::xml_document document;
    ASSERT_TRUE(
        document.load_string(answer[QStringLiteral("text")].toString().toStdString().c_str()));
    const pugi::xml_node root = document.child("FormList");
    EXPECT_STREQ(root.attribute("Ver").value(), "2.8");
    EXPECT_EQ(QFileInfo(QString::fromUtf8(root.attribute("Cmd").value())).fileName(),
              QStringLiteral("libCVDoctorMedicationApply.so"));
    std::vector<std::string> items;
    for (const pugi::xml_node item : root.children("Item"))
        items.push_back(std::string(item.attribute("ID").value()) + " " +
                        item.attribute("FormClass").value() + " " +
                        item.attribute("Caption").value() + " [" + item.text().get() + "]");
    EXPECT_EQ(items, (std::vector<std::string>{"1 Tfrm_DoctorMedicationApply 医生用药申请管理 []",
                                               "2 TFrmOperationApproval 围手术期审批管理 []",
                                               "3 TfrmDoctorRxAudit 药师处方审核管理 []"}));
}

TEST_F(HeadlessHostTest, OpenFormsAndSimpleCodes)
{
    const HostRun run = host(execs({"-3", "2", "2", "-3", "-10", "9", "-2:0", "-2:9"}));
    ASSERT_EQ(run.exitCode, 0) << run.errors.toStdString();
    EXPECT_EQ(run.exec(-3)[QStringLiteral("result")].toInt(), 0);
    EXPECT_EQ(run.exec(-3)[QStringLiteral("text")].toString(), QString());
    EXPECT_EQ(run.exec(2, 0)[QStringLiteral("result")].toInt(), 1);
    EXPECT_EQ(run.exec(2, 1)[QStringLiteral("result")].toInt(), 1);

    const QJsonObject open = run.exec(-3, 1);
    EXPECT_EQ(open[QStringLiteral("result")].toInt(), 1);
    pugi::xml_document document;
    ASSERT_TRUE(
        document.load_string(open[QStringLiteral("text")].toString().toStdString().c_str()));
    int forms = 0;
    for (const pugi::xml_node item : document.child("FormList").children("Item")) {
        EXPECT_STREQ(item.attribute("FormClass").value(), "TFrmOperationApproval");
        ++forms;
    }
    EXPECT_EQ(forms, 1);

    EXPECT_EQ(run.exec(-10)[QStringLiteral("text")].toString(), QStringLiteral("130"));
    EXPECT_EQ(run.exec(9)[QStringLiteral("result")].toInt(), 3);
    EXPECT_EQ(run.exec(9)[QStringLiteral("lastError")].toString(),
              QStringLiteral("命令(9)不存在或没有注册窗口"));
    EXPECT_EQ(run.exec(-2, 0)[QStringLiteral("result")].toInt(), 1);
    EXPECT_EQ(run.exec(-2, 1)[QStringLiteral("result")].toInt(), 1);
}

TEST_F(HeadlessHostTest, ReleasingWithOpenFormsClosesThemAndLogsWhatIsLeft)
{
    const HostRun run = host(execs({"1", "3"}) << QStringLiteral("--log"));
    ASSERT_EQ(run.exitCode, 0) << run.errors.toStdString();
    const auto released = run.logWithTitle(QStringLiteral("释放接口"));
    ASSERT_EQ(released.size(), 1u);
    EXPECT_EQ(released[0][QStringLiteral("level")].toInt(), 0);
    EXPECT_EQ(released[0][QStringLiteral("source")].toString(), QStringLiteral("CaseCore核心接口"));
    EXPECT_EQ(released[0][QStringLiteral("text")].toString(), QStringLiteral("未释放的窗口："));
    EXPECT_EQ(run.logWithTitle(QStringLiteral("关闭窗体")).size(), 0u); // released, not closed
    bool releaseLine = false;
    for (const QJsonObject& line : run.lines)
        if (line.contains(QStringLiteral("releaseInstance")))
            releaseLine = line[QStringLiteral("releaseInstance")].toInt() == 0;
    EXPECT_TRUE(releaseLine);
}

TEST_F(HeadlessHostTest, ScriptsAndQueriesOfTheHost)
{
    const HostRun run =
        host({QStringLiteral("--script"), QStringLiteral("86"), QStringLiteral("--sql"),
              QStringLiteral("SELECT BCE03 FROM BCE1 WHERE BCE01 = 1001")});
    ASSERT_EQ(run.exitCode, 0) << run.errors.toStdString();
    ASSERT_EQ(run.lines.size(), 2u);
    EXPECT_EQ(run.lines[0][QStringLiteral("text")].toString(),
              QStringLiteral("SELECT id AS ID FROM cv_scripts WHERE code = %s"));
    EXPECT_EQ(run.lines[1][QStringLiteral("BCE03")].toString(), QStringLiteral("张伟"));
}

TEST_F(HeadlessHostTest, AModuleThatCannotBeLoadedEndsWithExitCodeOne)
{
    const HostRun run =
        host({QStringLiteral("--module"), dir.filePath(QStringLiteral("missing.so")),
              QStringLiteral("--exec"), QStringLiteral("-1")});
    EXPECT_EQ(run.exitCode, 1);
    ASSERT_FALSE(run.lines.empty());
    EXPECT_TRUE(
        run.lines[0][QStringLiteral("error")].toString().contains(QStringLiteral("missing.so")));
}

TEST_F(HeadlessHostTest, ScreenshotTourSavesOnePicturePerCommand)
{
    const QString pictures = dir.filePath(QStringLiteral("shots"));
    const HostRun run = host({QStringLiteral("--screenshot"), pictures});
    ASSERT_EQ(run.exitCode, 0) << run.errors.toStdString();
    for (int id : {1, 2, 3})
        EXPECT_TRUE(
            QFileInfo(QDir(pictures).filePath(QStringLiteral("command-%1.png").arg(id))).size() >
            1000)
            << id;
}

} // namespace
