// The current user's privileges as the host keeps them: may a command of
// this module be used, is a named action granted, and a form's actions bound
// to those answers. Without a host privileges service every answer is "no".
#pragma once

#include "platform/abi/ComPtr.h"

#include <corvelian/Interfaces.h>

#include <QList>
#include <QString>

class QAction;

namespace cv::services {

class TCVPrivileges {
public:
    TCVPrivileges() = default;
    TCVPrivileges(const TCVPrivileges&) = delete;
    TCVPrivileges& operator=(const TCVPrivileges&) = delete;

    // Asks the host for its privileges service once; errors are swallowed.
    void Obtain();
    // An empty application name stands for the facade's ApplicationName.
    bool CheckCommand(int command, const QString& applicationName = {});
    // False until an earlier CheckCommand has obtained the service.
    bool IsAllowed(const QString& actionName) const;
    // Each visible action stays visible exactly when its objectName is
    // granted; hidden actions stay hidden. Traced to the host log when the
    // host's privilege trace is on.
    void BindActions(const QList<QAction*>& actions) const;

    bool Obtained() const { return m_obtained; }

private:
    bool m_obtained = false;
    ComPtr<corvelian::ICVPrivileges> m_privileges;
};

// The module's privileges, from lifecycle stage 0 to stage 1; raises outside.
TCVPrivileges& Privileges();

} // namespace cv::services
