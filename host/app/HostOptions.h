// The reference host's command line.
#pragma once

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace cv::host {

// One Execute request: CODE[:PARAM[:TEXT]].
struct ExecRequest {
    int code = 0;
    int param = 0;
    QString text;
};

struct HostOptions {
    QString modulePath;
    QString databasePath;     // --db: an SQLite file
    QString connectionString; // --connection: an ADO-form string
    QString demoPath;         // --demo: build a fresh demo database there
    std::optional<int> user;  // --user
    bool headless = false;
    std::vector<ExecRequest> execs;
    bool printLog = false;
    std::vector<int> scripts; // --script
    QStringList sqls;         // --sql
    QString screenshotDir;
    int connectionMode = 0; // --connection-mode
};

// Parses the arguments (without the program name); throws cv::Exception
// with a usage message for anything it does not understand.
HostOptions parseHostOptions(const QStringList& arguments);
ExecRequest parseExecRequest(const QString& text);
QString hostUsage();

} // namespace cv::host
