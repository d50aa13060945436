// The demo hospital database the reference host runs on by default: an SQLite
// file with a small hospital (departments, staff, patients and visits, drugs,
// medication applications, operation applications, prescriptions and their
// audit records), the host's script store, search definitions, report formats,
// privileges and settings, and the stored procedures the module saves through.
#pragma once

#include <QString>
#include <QStringList>

#include <vector>

namespace cv::host {

// A user of the demo; employeeId is BCE1.BCE01, the id the host logs in with.
struct DemoUser {
    int employeeId = 0;
    QString name;
    int departmentId = 0;
    QString department;
    QString role;
};

// Creates a fresh demo database at `path`, replacing any file there. All of it
// is written in one transaction; when building fails no file is left behind.
// Throws cv::Exception.
void buildDemoDatabase(const QString& path);

// The users worth logging in as, in the order the host lists them.
const std::vector<DemoUser>& demoUsers();

// One line per demo user for the host's --user help ("1001  张伟  普外科  …").
QStringList demoUserHelp();

// The employee logged in when the host is given no user.
int defaultDemoEmployeeId();

} // namespace cv::host
