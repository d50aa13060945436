#include "ShellFixture.h"

#include "platform/abi/Exception.h"

using namespace cv;
using namespace cv::shell;

namespace {

std::vector<int> g_calls;
void firstCallback(std::uint8_t stage)
{
    g_calls.push_back(10 + stage);
}
void secondCallback(std::uint8_t stage)
{
    g_calls.push_back(20 + stage);
}

class FacadeTest : public cv::test::ShellFixture {
protected:
    void SetUp() override
    {
        ShellFixture::SetUp();
        g_calls.clear();
    }
};

TEST_F(FacadeTest, CallbacksRunOncePerStageInRegistrationOrder)
{
    app().RegisterLifecycleCallback(firstCallback);
    app().RegisterLifecycleCallback(secondCallback);
    app().RegisterLifecycleCallback(firstCallback);
    startHost();
    app().RunLifecycleStage(StageClosing);
    app().ShutDown();
    EXPECT_EQ(g_calls, (std::vector<int>{10, 20, 12, 22, 11, 21}));
    EXPECT_FALSE(app().LibraryBound());

    // The list is empty after ShutDown: a later start runs nothing.
    g_calls.clear();
    app().StartUp();
    EXPECT_TRUE(g_calls.empty());
}

TEST_F(FacadeTest, StartUpWithoutSystemLibraryRunsWithoutIt)
{
    host.config().provideLibrary = false;
    startHost();
    EXPECT_TRUE(app().HostBound());
    EXPECT_FALSE(app().LibraryBound());
    EXPECT_TRUE(app().GetScript(86).isEmpty());
    app().WriteLog(0, QStringLiteral("s"), QStringLiteral("t"), QStringLiteral("x"));
    EXPECT_TRUE(host.log().entries().empty());
    QString value;
    EXPECT_THROW(app().GetSetting(QStringLiteral("a"), value), Exception);
    EXPECT_THROW(app().GetConnectionString(), Exception);
    try {
        app().CreateQueryTable();
        FAIL() << "no exception";
    } catch (const Exception& e) {
        EXPECT_EQ(e.message(), QStringLiteral("创建可回收的查询表失败."));
    }
    try {
        app().CreateXMLDocument();
        FAIL() << "no exception";
    } catch (const Exception& e) {
        EXPECT_EQ(e.message(), QStringLiteral("创建XML文档管理接口失败."));
    }
}

TEST_F(FacadeTest, ProgramSettingParsesTwoNumbers)
{
    struct Case {
        const char* stored;
        bool found;
        int first;
        int second;
    };
    const Case cases[] = {
        {"5;12", true, 5, 12}, {"7", true, -1, -1},      {";3", true, 0, 3},
        {"a;b", true, 0, 0},   {nullptr, false, -1, -1},
    };
    startHost();
    app().SetApplicationName(QStringLiteral("CV.DoctorMedicationApply"));
    const QString name = QStringLiteral(".Programs CV.DoctorMedicationApply;2");
    for (const Case& c : cases) {
        if (c.stored)
            host.config().settings.insert(name, QString::fromUtf8(c.stored));
        else
            host.config().settings.remove(name);
        int first = -1;
        int second = -1;
        EXPECT_EQ(app().GetProgramSetting(2, first, second), c.found) << c.stored;
        EXPECT_EQ(first, c.first) << c.stored;
        EXPECT_EQ(second, c.second) << c.stored;
    }
}

TEST_F(FacadeTest, SetTerminatedLogsOnlyAChange)
{
    startHost();
    app().SetTerminated(true);
    app().SetTerminated(true);
    const auto entries = logWithTitle(QStringLiteral("Terminated"));
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].level, 2);
    EXPECT_EQ(entries[0].source, QStringLiteral("CvApplication"));
    EXPECT_EQ(entries[0].text, QStringLiteral("Terminated 终止应用程序接口"));
    EXPECT_EQ(entries[0].app, QStringLiteral("Corvelian"));
}

TEST_F(FacadeTest, FormatScriptWithTooFewArgumentsLogsTheScript)
{
    const QString script = QStringLiteral("select * from T where A=%d and B=%s");
    host.config().scripts.insert(7, script);
    startHost();
    const text::FormatArg both[] = {text::FormatArg::integer(1),
                                    text::FormatArg::ansiString(QStringLiteral("'x'"))};
    EXPECT_EQ(app().FormatScript(7, both), QStringLiteral("select * from T where A=1 and B='x'"));
    EXPECT_TRUE(logWithTitle(QStringLiteral("提取脚本")).empty());

    EXPECT_THROW(app().FormatScript(7, std::span(both, 1)), Exception);
    const auto entries = logWithTitle(QStringLiteral("提取脚本"));
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].level, 5);
    EXPECT_EQ(entries[0].source, QStringLiteral("Corvelian"));
    EXPECT_EQ(entries[0].text, script);
}

TEST_F(FacadeTest, LookupScriptIdRunsScript86OnTheHostQueryTable)
{
    host.config().scripts.insert(86, QStringLiteral("SELECT ID FROM Scripts WHERE Code=%s"));
    QString ranSql;
    host.state().queryRunner = [&](const QString& sql) {
        ranSql = sql;
        host::QueryResult r;
        r.columns = {QStringLiteral("ID")};
        if (sql.contains(QStringLiteral("'CV.Clinical.YS.ZLJHTC.000002'")))
            r.rows.push_back({QVariant(4711)});
        return r;
    };
    startHost();
    EXPECT_EQ(app().LookupScriptId(QStringLiteral("CV.Clinical.YS.ZLJHTC.000002")), 4711);
    EXPECT_EQ(ranSql,
              QStringLiteral("SELECT ID FROM Scripts WHERE Code='CV.Clinical.YS.ZLJHTC.000002'"));
    EXPECT_EQ(app().LookupScriptId(QStringLiteral("O'Brien")), 0);
    EXPECT_EQ(ranSql, QStringLiteral("SELECT ID FROM Scripts WHERE Code='O''Brien'"));
}

TEST_F(FacadeTest, HostRecordsAndMessages)
{
    host.config().title = QStringLiteral("医院系统");
    host.config().formMode = 2;
    host.config().imeName = QStringLiteral("搜狗拼音");
    host.config().fontName = QStringLiteral("宋体");
    host.config().fontSize = 11;
    host.config().fontStyle = 2;
    host.config().useHostFont = true;
    host.config().tempPath = QStringLiteral("/tmp/cv/");
    host.state().messageHandler = [](const host::MessageRequest&) { return 6; };
    startHost();

    EXPECT_EQ(app().GetConfigInfo().formMode, 2);
    EXPECT_EQ(app().GetConfigInfo().imeName, QStringLiteral("搜狗拼音"));
    const FontInfo font = app().GetFontInfo();
    EXPECT_EQ(font.fontName, QStringLiteral("宋体"));
    EXPECT_TRUE(font.useHostFont);
    EXPECT_EQ(font.size, 11);
    EXPECT_EQ(font.styleCode, 2);
    EXPECT_EQ(app().GetPathInfo().tempPath, QStringLiteral("/tmp/cv/"));

    EXPECT_EQ(app().ShowMessage(QStringLiteral("保存失败."), 16, 1, 2), 6);
    ASSERT_EQ(host.state().messages.size(), 1u);
    const host::MessageRequest& m = host.state().messages[0];
    EXPECT_EQ(m.caption, QStringLiteral("医院系统"));
    EXPECT_EQ(m.text, QStringLiteral("保存失败."));
    EXPECT_EQ(m.flags, 16);
    EXPECT_EQ(m.value1, 1);
    EXPECT_EQ(m.value2, 2);

    app().NotifyForm(2, 77);
    app().ShowProgress(QStringLiteral("连接中"));
    app().HideProgress();
    app().ReportConnectionLost();
    ASSERT_EQ(host.state().formNotices.size(), 1u);
    EXPECT_EQ(host.state().formNotices[0].kind, 2);
    EXPECT_EQ(host.state().formNotices[0].handle, 77u);
    ASSERT_EQ(host.state().progress.size(), 3u);
    EXPECT_EQ(host.state().progress[0].kind, 1);
    EXPECT_EQ(host.state().progress[0].text, QStringLiteral("连接中"));
    EXPECT_EQ(host.state().progress[1].kind, 2);
    EXPECT_EQ(host.state().progress[2].kind, 4);
}

TEST_F(FacadeTest, GetInterfaceRaisesTheHostTextWhenNoPackageProvidesIt)
{
    startHost();
    try {
        app().GetDataPicker();
        FAIL() << "no exception";
    } catch (const Exception& e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("ICVDataPicker")));
    }
}

} // namespace
