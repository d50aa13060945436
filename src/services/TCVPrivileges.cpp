#include "TCVPrivileges.h"

#include "shell/TCvApplication.h"

#include "platform/abi/Boundary.h"
#include "platform/abi/WideString.h"

#include <QAction>

using namespace corvelian;

namespace cv::services {

namespace {

QString boolText(bool value)
{
    return value ? QStringLiteral("True") : QStringLiteral("False");
}

bool privilegeTrace()
{
    const shell::TCvApplication& app = shell::CvApp();
    if (!app.LibraryBound())
        return false;
    CvWordBool trace = 0;
    checkHost(app.SystemLibrary()->GetPrivilegeTrace(&trace), app.SystemLibrary());
    return trace != 0;
}

} // namespace

void TCVPrivileges::Obtain()
{
    if (m_obtained)
        return;
    m_obtained = true;
    try {
        m_privileges =
            shell::CvApp().GetInterface(QStringLiteral("ICVPrivileges"), 0).as<ICVPrivileges>();
    } catch (const std::exception&) {
        // A host without privileges answers "no" to everything.
    }
}

bool TCVPrivileges::CheckCommand(int command, const QString& applicationName)
{
    Obtain();
    if (!m_privileges)
        return false;
    const QString name =
        applicationName.isEmpty() ? shell::CvApp().ApplicationName() : applicationName;
    return m_privileges->CheckCommand(command, wideArg(name), -1) != 0;
}

bool TCVPrivileges::IsAllowed(const QString& actionName) const
{
    return m_privileges && m_privileges->IsAllowed(wideArg(actionName)) != 0;
}

void TCVPrivileges::BindActions(const QList<QAction*>& actions) const
{
    const bool trace = privilegeTrace();
    for (QAction* action : actions) {
        if (!action || (!trace && !action->isVisible()))
            continue;
        const bool allowed = IsAllowed(action->objectName());
        if (trace)
            shell::CvApp().WriteLog(0, QStringLiteral("权限"), QStringLiteral("设置权限节点"),
                                    action->objectName() + QLatin1Char(':') +
                                        boolText(action->isVisible()) + QStringLiteral(" -> ") +
                                        boolText(allowed));
        if (action->isVisible())
            action->setVisible(allowed);
    }
}

} // namespace cv::services
