#include "ServicesFixture.h"

#include "services/TPrintPackage.h"

#include "platform/widgets/BarImageCombo.h"
#include "platform/widgets/GridColumn.h"

namespace cv::test {
namespace {

using services::TPrintPackage;

class TPrintPackageTest : public ServicesFixture {
protected:
    void SetUp() override
    {
        ServicesFixture::SetUp();
        startCoreDM();
    }

    // Registers the print program and prepares the package on it.
    void connect()
    {
        printProgram = ComPtr<FakePackage>(new FakePackage(unknown(print)));
        host.state().packages.insert(QStringLiteral("Cv.Print"),
                                     ComPtr<ICVExtention>(printProgram.get()));
        ASSERT_TRUE(package.Prepare(false));
        print->calls.clear();
    }

    void createFormats()
    {
        hostSql(QStringLiteral("CREATE TABLE ReportFormats (Code TEXT, Name TEXT, id INTEGER, "
                               "xDefault INTEGER)"));
        hostSql(QStringLiteral(
            "INSERT INTO ReportFormats VALUES ('R1', '标准', 3, 0), ('R1', '简易', 5, NULL), "
            "('R2', '甲', 7, 1), ('R2', '乙', 8, 0), ('R2', '丙', 9, 1), ('O''Hara', '引号', 11, "
            "1)"));
        host.config().scripts.insert(
            1485, QStringLiteral(
                      "SELECT Name, id, xDefault FROM ReportFormats WHERE Code = %s ORDER BY id"));
    }

    ComPtr<FakePrint> print{new FakePrint};
    ComPtr<FakePackage> printProgram;
    TPrintPackage package;
};

TEST_F(TPrintPackageTest, MissingPrintProgramIsToldAndAnswersFalse)
{
    const struct {
        bool registered;
        QString message;
    } cases[] = {
        {false, QStringLiteral("打印接口Cv.Print访问失败.\r\n程序包Cv.Print不存在.")},
        {true, QStringLiteral("打印接口Cv.Print访问失败.")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(qPrintable(c.message));
        host.state().messages.clear();
        if (c.registered)
            host.state().packages.insert(QStringLiteral("Cv.Print"),
                                         ComPtr<ICVExtention>(new FakePackage()));
        TPrintPackage empty;
        EXPECT_FALSE(empty.Prepare(false));
        EXPECT_FALSE(empty.Prepare(true));
        ASSERT_EQ(host.state().messages.size(), 2u);
        EXPECT_EQ(host.state().messages[0].text, c.message);
        EXPECT_EQ(host.state().messages[0].flags, 0);
        EXPECT_THROW(empty.SelectReport(QStringLiteral("R1")), Exception);
    }
}

TEST_F(TPrintPackageTest, PrepareConnectsOnceRestartsAndEmptiesTheLists)
{
    connect();
    ASSERT_EQ(printProgram->requests.size(), 1u);
    EXPECT_EQ(printProgram->requests[0], std::make_pair(1, QString()));
    EXPECT_EQ(print->restarts, 1);
    package.SetVariable(QStringLiteral("VAF01"), QStringLiteral("9"));
    package.SetDataList(0, {QStringLiteral("abc")});
    EXPECT_TRUE(package.Prepare(false));
    EXPECT_EQ(printProgram->requests.size(), 1u);
    EXPECT_EQ(print->restarts, 2);
    EXPECT_TRUE(package.Variables().isEmpty());
    EXPECT_TRUE(package.DataLists().isEmpty());
}

TEST_F(TPrintPackageTest, UserCheckDecidesWhenAsked)
{
    connect();
    for (const int answer : {1, 0, 2}) {
        print->commandAnswer = answer;
        EXPECT_EQ(package.Prepare(true), answer == 1) << answer;
    }
    EXPECT_EQ(print->calls, QStringList(3, QStringLiteral(".CheckUser")));
}

TEST_F(TPrintPackageTest, FormatListFillsChooserAndAnswersLastDefault)
{
    createFormats();
    const struct {
        QString code;
        QStringList names;
        int defaultId;
    } cases[] = {
        {QStringLiteral("R1"), {QStringLiteral("标准"), QStringLiteral("简易")}, 0},
        {QStringLiteral("R2"),
         {QStringLiteral("甲"), QStringLiteral("乙"), QStringLiteral("丙")},
         9},
        {QStringLiteral("O'Hara"), {QStringLiteral("引号")}, 11},
        {QStringLiteral("none"), {}, 0},
    };
    widgets::BarImageCombo combo;
    combo.addImageItem(QStringLiteral("旧"), 1);
    for (const auto& c : cases) {
        SCOPED_TRACE(qPrintable(c.code));
        EXPECT_EQ(package.FillFormatList(&combo, c.code), c.defaultId);
        QStringList names;
        for (int i = 0; i < combo.count(); ++i)
            names << combo.itemText(i);
        EXPECT_EQ(names, c.names);
    }
}

TEST_F(TPrintPackageTest, FormatListFillsAGridColumnOnlyWhenItIsAnImageCombo)
{
    createFormats();
    widgets::GridColumn column(QStringLiteral("colFormat"), 0, nullptr);
    EXPECT_EQ(package.FillFormatList(&column, QStringLiteral("R2")), 0);
    EXPECT_EQ(column.editor(), widgets::GridColumn::Editor::Text);

    column.setImageCombo({{99, QStringLiteral("旧"), -1}});
    EXPECT_EQ(package.FillFormatList(&column, QStringLiteral("R2")), 9);
    ASSERT_EQ(column.imageComboItems().size(), 3u);
    EXPECT_EQ(column.imageComboItems()[2].description, QStringLiteral("丙"));
    EXPECT_EQ(column.imageComboItems()[2].value, QVariant(9));

    EXPECT_EQ(
        package.FillFormatList(static_cast<widgets::BarImageCombo*>(nullptr), QStringLiteral("R2")),
        0);
}

TEST_F(TPrintPackageTest, DatabaseErrorPropagatesAndEndsTheUpdate)
{
    host.config().scripts.insert(1485, QStringLiteral("SELECT * FROM NoSuchTable WHERE c = %s"));
    widgets::GridColumn column(QStringLiteral("colFormat"), 0, nullptr);
    column.setImageCombo({{99, QStringLiteral("旧"), -1}});
    EXPECT_THROW(package.FillFormatList(&column, QStringLiteral("R1")), Exception);
    EXPECT_TRUE(column.imageComboItems().empty());
}

TEST_F(TPrintPackageTest, VariablesFollowTheNameValueRules)
{
    package.SetVariable(QStringLiteral("VAF01"), QStringLiteral("9"));
    package.SetReportValues({QStringLiteral("12"), QStringLiteral("甲")});
    EXPECT_EQ(package.Variables().text(), QStringLiteral("ReportVar.0=12\r\nReportVar.1=甲\r\n"));
    package.SetVariable(QStringLiteral("ReportId"), QStringLiteral("12"));
    package.SetVariable(QStringLiteral("reportvar.0"), QString());
    EXPECT_EQ(package.Variables().lines(),
              (QStringList{QStringLiteral("ReportVar.1=甲"), QStringLiteral("ReportId=12")}));
}

TEST_F(TPrintPackageTest, DataListsAreHexOfHexLinesInCodePage936)
{
    package.SetDataList(0, {QStringLiteral("abc")});
    package.SetDataList(1, {QStringLiteral("宋体"), QStringLiteral("1")});
    EXPECT_EQ(package.DataLists().lines(),
              (QStringList{QStringLiteral("0=3631363236330D0A"),
                           QStringLiteral("1=43424345434345350D0A33310D0A")}));
    package.SetDataList(0, {});
    EXPECT_EQ(package.DataLists().count(), 1);
}

TEST_F(TPrintPackageTest, RunsSendVariablesBeforeTheOperation)
{
    connect();
    package.SetVariable(QStringLiteral("CBM01"), QStringLiteral("5"));
    package.SetDataList(0, {QStringLiteral("abc")});
    package.SelectReport(QStringLiteral("HIS.S.000024"));
    EXPECT_EQ(print->selectedVariables, QStringLiteral("CBM01=5\r\n"));
    EXPECT_EQ(print->selectedDataLists, QStringLiteral("0=3631363236330D0A\r\n"));

    const QString setVars = QStringLiteral("SetVars CBM01=5\r\n");
    const struct {
        std::function<bool()> run;
        QStringList calls;
    } cases[] = {
        {[&] { return package.Preview(4, true, true); },
         {setVars, QStringLiteral(".EnabledPrint 1"), QStringLiteral("Preview 4 -1")}},
        {[&] { return package.Print(4, true, false); }, {setVars, QStringLiteral("Print 4 -1 0")}},
        {[&] { return package.Design(4, false); },
         {setVars, QStringLiteral(".EnabledPrint 0"), QStringLiteral("Design 4")}},
        {[&] { return package.LoadReport(4, false); }, {setVars, QStringLiteral("LoadReport 4 0")}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(qPrintable(c.calls.last()));
        print->calls.clear();
        EXPECT_TRUE(c.run());
        EXPECT_EQ(print->calls, c.calls);
    }
    print->ok = 0;
    EXPECT_FALSE(package.Preview(4, true, true));
    EXPECT_FALSE(package.Print(4, true, true));
}

TEST_F(TPrintPackageTest, FailuresCarryThePrintProgramsErrorText)
{
    connect();
    print->errorText = QStringLiteral("报表格式不存在");
    const auto messageOf = [](const std::function<void()>& run) {
        try {
            run();
        } catch (const Exception& e) {
            return e.message();
        }
        return QStringLiteral("no error");
    };
    print->failing = QStringLiteral("Preview");
    EXPECT_EQ(messageOf([&] { package.Preview(1, true, true); }), print->errorText);
    print->failing = QStringLiteral("SelectReport");
    EXPECT_EQ(messageOf([&] { package.SelectReport(QStringLiteral("R")); }), print->errorText);
    print->failing.clear();
    print->ok = 0;
    EXPECT_EQ(messageOf([&] { package.Design(1, true); }), print->errorText);
    // Without a text of its own the program's failure keeps the host's message.
    print->errorText.clear();
    print->ok = CV_TRUE;
    print->failing = QStringLiteral("Print");
    EXPECT_EQ(messageOf([&] { package.Print(1, true, true); }), QStringLiteral("打印程序内部错误"));
    // LoadReport's errors are not replaced.
    print->errorText = QStringLiteral("报表格式不存在");
    print->failing = QStringLiteral("LoadReport");
    EXPECT_EQ(messageOf([&] { package.LoadReport(1, false); }), QStringLiteral("打印程序内部错误"));
}

TEST_F(TPrintPackageTest, LoadReportNeedsVersionAboveOne)
{
    const QString tooOld = QStringLiteral("打印程序版本不能低于2.0,请升级打印程序.");
    const struct {
        double version;
        bool hasPrint2;
        bool passes;
    } cases[] = {{1.0, true, false}, {0.9, true, false}, {1.5, true, true}, {2.0, false, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.version);
        print = ComPtr<FakePrint>(new FakePrint(c.hasPrint2));
        print->version = c.version;
        TPrintPackage fresh;
        host.state().packages.insert(QStringLiteral("Cv.Print"),
                                     ComPtr<ICVExtention>(new FakePackage(unknown(print))));
        ASSERT_TRUE(fresh.Prepare(false));
        EXPECT_EQ(fresh.Print2() != nullptr, c.hasPrint2);
        if (c.passes) {
            EXPECT_TRUE(fresh.LoadReport(2, false));
            continue;
        }
        try {
            fresh.LoadReport(2, false);
            ADD_FAILURE() << "no error";
        } catch (const Exception& e) {
            EXPECT_EQ(e.message(), tooOld);
        }
        EXPECT_FALSE(print->calls.contains(QStringLiteral("LoadReport 2 0")));
    }
}

} // namespace
} // namespace cv::test
