#include "ServicesFixture.h"

#include "services/ServiceStages.h"
#include "services/TCVPrivileges.h"

#include <QAction>

namespace cv::test {
namespace {

using services::TCVPrivileges;

class TCVPrivilegesTest : public ServicesFixture {
protected:
    void SetUp() override
    {
        ServicesFixture::SetUp();
        startHost();
        approval.setObjectName(QStringLiteral("Action_Approval"));
        action1.setObjectName(QStringLiteral("Action1"));
        unknownAction.setObjectName(QStringLiteral("Action2"));
    }

    QStringList traces() const
    {
        QStringList found;
        for (const auto& e : logWithTitle(QStringLiteral("设置权限节点"))) {
            EXPECT_EQ(e.level, 0);
            EXPECT_EQ(e.source, QStringLiteral("权限"));
            found << e.text;
        }
        return found;
    }

    ComPtr<FakePrivileges> service{new FakePrivileges};
    QAction approval;
    QAction action1;
    QAction unknownAction;
};

TEST_F(TCVPrivilegesTest, WithoutHostServiceEverythingIsRefusedAndHidden)
{
    TCVPrivileges privileges;
    EXPECT_FALSE(privileges.CheckCommand(1));
    EXPECT_TRUE(privileges.Obtained());
    EXPECT_FALSE(privileges.IsAllowed(QStringLiteral("Action1")));
    privileges.BindActions({&approval, &action1});
    EXPECT_FALSE(approval.isVisible());
    EXPECT_FALSE(action1.isVisible());
}

TEST_F(TCVPrivilegesTest, CheckCommandAsksTheHostOnceUnderTheApplicationName)
{
    const auto package = provide(QStringLiteral("ICVPrivileges"), unknown(service));
    TCVPrivileges privileges;
    EXPECT_TRUE(privileges.CheckCommand(1));
    service->commandAllowed = 0;
    EXPECT_FALSE(privileges.CheckCommand(3, QStringLiteral("Other")));
    EXPECT_EQ(service->commandChecks,
              (QStringList{QStringLiteral("1 Corvelian -1"), QStringLiteral("3 Other -1")}));
    ASSERT_EQ(package->requests.size(), 1u);
    EXPECT_EQ(package->requests[0].first, 0);
}

TEST_F(TCVPrivilegesTest, IsAllowedAnswersFalseUntilTheServiceWasObtained)
{
    provide(QStringLiteral("ICVPrivileges"), unknown(service));
    service->allowed = {QStringLiteral("Action1")};
    TCVPrivileges privileges;
    EXPECT_FALSE(privileges.IsAllowed(QStringLiteral("Action1")));
    privileges.CheckCommand(1);
    EXPECT_TRUE(privileges.IsAllowed(QStringLiteral("Action1")));
    EXPECT_FALSE(privileges.IsAllowed(QStringLiteral("Action2")));
}

TEST_F(TCVPrivilegesTest, BindActionsKeepsVisibleActionsThatAreGranted)
{
    provide(QStringLiteral("ICVPrivileges"), unknown(service));
    service->allowed = {QStringLiteral("Action_Approval"), QStringLiteral("Action1")};
    approval.setVisible(false);
    TCVPrivileges privileges;
    privileges.CheckCommand(1);
    privileges.BindActions({&approval, &action1, &unknownAction});
    EXPECT_FALSE(approval.isVisible());
    EXPECT_TRUE(action1.isVisible());
    EXPECT_FALSE(unknownAction.isVisible());
    EXPECT_TRUE(traces().isEmpty());
}

TEST_F(TCVPrivilegesTest, TraceLogsEveryActionWithItsVisibilityAndAnswer)
{
    provide(QStringLiteral("ICVPrivileges"), unknown(service));
    service->allowed = {QStringLiteral("Action_Approval")};
    host.config().privilegeTrace = true;
    approval.setVisible(false);
    TCVPrivileges privileges;
    privileges.CheckCommand(1);
    privileges.BindActions({&approval, &action1});
    EXPECT_EQ(traces(), (QStringList{QStringLiteral("Action_Approval:False -> True"),
                                     QStringLiteral("Action1:True -> False")}));
    EXPECT_FALSE(approval.isVisible());
    EXPECT_FALSE(action1.isVisible());
}

TEST_F(TCVPrivilegesTest, StagesCreateAndFreeTheInstance)
{
    services::PrivilegesStage(shell::StageStart);
    TCVPrivileges* first = &services::Privileges();
    services::PrivilegesStage(shell::StageStart);
    EXPECT_EQ(&services::Privileges(), first);
    services::PrivilegesStage(shell::StageStop);
    EXPECT_THROW(services::Privileges(), Exception);
}

} // namespace
} // namespace cv::test
