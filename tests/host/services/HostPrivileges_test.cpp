// Privileges of the logged-in employee from the demo database's grants.
#include "ServicesFixture.h"

using namespace cv;
using namespace cv::host;
using namespace cv::host::testing;
using namespace corvelian;

namespace {

using PrivilegesTest = ServicesFixture;

TEST_F(PrivilegesTest, GrantsCommandsAndActionsPerUser)
{
    const ComPtr<ICVPrivileges> privileges =
        create<ICVPrivileges>(QStringLiteral("ICVPrivileges"), true);
    ASSERT_TRUE(privileges);
    struct Case {
        int user;
        int command;
        const char16_t* action;
        bool commandGranted;
        bool actionGranted;
    };
    const Case cases[] = {
        {1001, 1, u"Action_Approval", true, true}, // director
        {1001, 3, u"Action1", true, false},
        {1002, 1, u"Action_Approval", true, false}, // doctor
        {1002, 2, u"Action_Approval", false, false},
        {1011, 3, u"Action_Approval", true, false}, // pharmacist
        {1011, 1, u"Action_Approval", false, false},
        {1000, 1, u"Action1", true, true},           // administrator
        {4242, 1, u"Action_Approval", false, false}, // nobody
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.user);
        state->config.userId = c.user;
        EXPECT_EQ(privileges->CheckCommand(c.command, u"CVDoctorMedicationApply", -1) != 0,
                  c.commandGranted);
        EXPECT_EQ(privileges->IsAllowed(c.action) != 0, c.actionGranted);
    }
    EXPECT_NE(privileges->IsDefined(u"Action_Approval"), 0);
    EXPECT_EQ(privileges->IsDefined(u"Action_Unknown"), 0);
}

TEST_F(PrivilegesTest, TakesTheTraceSwitchFromTheSettings)
{
    EXPECT_FALSE(state->config.privilegeTrace);
    sql(QStringLiteral("INSERT INTO cv_settings VALUES ('Cv.PrivilegeTrace', '1')"));
    installHostServices(*state, database);
    EXPECT_TRUE(state->config.privilegeTrace);
    sql(QStringLiteral("UPDATE cv_settings SET value = 'False' WHERE name = 'Cv.PrivilegeTrace'"));
    installHostServices(*state, database);
    EXPECT_FALSE(state->config.privilegeTrace);
}

} // namespace
