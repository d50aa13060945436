#include "AppearanceFixture.h"

#include "data/CorePackageServices.h"
#include "platform/abi/Exception.h"
#include "platform/db/DbError.h"

using namespace cv;
using namespace cv::data;

namespace {

class CorePackageServicesTest : public cv::test::AppearanceFixture {
protected:
    // The data module as stage 0 leaves it: not configured yet.
    TCoreDM& startUnconfigured()
    {
        app().RegisterLifecycleCallback(CoreDMStage);
        startHost();
        return *CoreDM();
    }

    int countOf(const QString& title) const { return int(logWithTitle(title).size()); }

    CorePackageServices services;
};

TEST_F(CorePackageServicesTest, WithoutADataModuleEveryCallDoesNothing)
{
    ASSERT_EQ(CoreDM(), nullptr);
    services.UseHostConnection(nullptr);
    services.ConfigureConnection(QStringLiteral("Provider=SQLite;Data Source=x.db"), 5);
    services.ApplyDateTimeFormats();
    services.ApplyEditorFont({});
    services.SetEditButtonStyle(0);
    services.Reconnect();
    services.DetachConnection();
    EXPECT_TRUE(host.log().entries().empty());
}

TEST_F(CorePackageServicesTest, AConfiguredConnectionRunsStatementsWithItsTimeoutEverywhere)
{
    TCoreDM& dm = startUnconfigured();
    services.ConfigureConnection(database->connectionString(), 17);
    EXPECT_EQ(dm.ADOConnection1().commandTimeout(), 17);
    for (db::Query* query : {&dm.queDataSet1(), &dm.queDataSet2(), &dm.queCommand()})
        EXPECT_EQ(query->commandTimeout(), 17);
    dm.RunStatement(nullptr, QStringLiteral("CREATE TABLE T (A INT)"), true);
    hostSql(QStringLiteral("INSERT INTO T VALUES (1)")); // the table is in the host's database
    EXPECT_EQ(countOf(QStringLiteral("SQL执行")), 1);
}

TEST_F(CorePackageServicesTest, ReconnectOpensAClosedConnectionAgain)
{
    TCoreDM& dm = startUnconfigured();
    services.ConfigureConnection(database->connectionString(), 30);
    dm.ADOConnection1().open();
    dm.ADOConnection1().close();
    services.Reconnect();
    EXPECT_TRUE(dm.ADOConnection1().isConnected());
    dm.RunStatement(nullptr, QStringLiteral("CREATE TABLE T (A INT)"), true);
}

TEST_F(CorePackageServicesTest, AReconnectThatCannotConnectIsIgnored)
{
    TCoreDM& dm = startUnconfigured();
    services.ConfigureConnection(
        host::HostDatabase::sqliteConnectionString(dir.filePath(QStringLiteral("no/such/x.db"))),
        30);
    EXPECT_NO_THROW(services.Reconnect());
    EXPECT_FALSE(dm.ADOConnection1().isConnected());
}

TEST_F(CorePackageServicesTest, TheHostsSharedConnectionRunsStatementsWithoutTheModulesLogEntries)
{
    TCoreDM& dm = startUnconfigured();
    services.UseHostConnection(app().GetConnectionObject().get());
    EXPECT_TRUE(dm.ADOConnection1().isAttached());
    hostSql(QStringLiteral("CREATE TABLE T (A INT)"));
    dm.RunStatement(nullptr, QStringLiteral("INSERT INTO T VALUES (1)"), true);
    EXPECT_THROW(dm.RunStatement(nullptr, QStringLiteral("INSERT INTO Missing VALUES (1)"), true),
                 Exception);
    EXPECT_EQ(countOf(QStringLiteral("SQL执行")), 0);
    EXPECT_EQ(countOf(QStringLiteral("SQL执行失败")), 0);
    EXPECT_EQ(database->run(QStringLiteral("SELECT A FROM T")).rows.size(), 1u);

    services.DetachConnection();
    EXPECT_FALSE(dm.ADOConnection1().isAttached());
    EXPECT_FALSE(dm.ADOConnection1().isConnected());
}

TEST_F(CorePackageServicesTest, AnObjectThatIsNoConnectionIsRefused)
{
    startUnconfigured();
    try {
        services.UseHostConnection(host.state().resourceModule.get());
        FAIL() << "no exception";
    } catch (const Exception& e) {
        EXPECT_EQ(e.code(), db::kNoInterface);
    }
}

TEST_F(CorePackageServicesTest, DetachingKeepsTheModulesOwnConnectionOpen)
{
    TCoreDM& dm = startUnconfigured();
    services.ConfigureConnection(database->connectionString(), 30);
    dm.ADOConnection1().open();
    services.DetachConnection();
    EXPECT_TRUE(dm.ADOConnection1().isConnected());
}

TEST_F(CorePackageServicesTest, AppearanceCallsReachTheDataModule)
{
    TCoreDM& dm = startUnconfigured();
    services.SetEditButtonStyle(0);
    EXPECT_EQ(dm.Appearance().cxtEditStyle().focused.buttonStyle, EditButtonStyle::Flat);
    services.ApplyEditorFont({true, QStringLiteral("Tahoma"), 20, 0, QFont()});
    EXPECT_EQ(dm.Appearance().cxHintStyle().captionFont.pointSize(), 16);
    services.ApplyDateTimeFormats();
    EXPECT_TRUE(dm.Appearance().editorFormats().useApplicationDateTimeFormats());
    EXPECT_EQ(countOf(QStringLiteral("(修正后)系统环境变量")), 1);
}

} // namespace
