// The state behind the reference host's interface objects. Objects handed to
// a module share it, so it outlives the host while the module still holds
// references.
#pragma once

#include "HostConfig.h"
#include "HostLog.h"

#include "platform/abi/ComPtr.h"

#include <corvelian/Interfaces.h>

#include <QMap>
#include <QStringList>
#include <QVariant>

#include <functional>
#include <vector>

namespace cv::host {

// The rows of one query on the host's connection.
struct QueryResult {
    QStringList columns;
    std::vector<std::vector<QVariant>> rows;
};
using QueryRunner = std::function<QueryResult(const QString& sql)>;

struct FormNotice {
    int kind = 0;
    corvelian::CvHandle handle = 0;
    corvelian::CvHandle icon = 0;
    QString caption;
};

struct MessageRequest {
    corvelian::CvHandle owner = 0;
    int value1 = 0;
    int flags = 0;
    int value2 = 0;
    QString caption;
    QString text;
};

struct ProgressCall {
    QString text;
    int kind = 0;
};

struct HostState {
    HostConfig config;
    HostLog log;
    std::vector<FormNotice> formNotices;
    std::vector<MessageRequest> messages;
    std::vector<ProgressCall> progress;

    // Answers ShowMessage; without one the host answers 1 (OK).
    std::function<int(const MessageRequest&)> messageHandler;
    // Runs the SQL of query tables; without one, opening a query fails.
    QueryRunner queryRunner;
    // Host scripts by number when config.scripts has none (the database's
    // script store); without one, unknown numbers give an empty script.
    std::function<QString(int number)> scriptSource;
    // Creates the host's XML documents; without one, creating fails.
    std::function<ComPtr<corvelian::ICVXMLDocument>()> xmlDocumentFactory;

    ComPtr<corvelian::ICVUnknown> connectionObject;
    ComPtr<corvelian::ICVUnknown> secondConnection;
    ComPtr<corvelian::ICVUnknown> resourceModule;
    // Packages by name ("CV.System", "Cv.Print") and by interface name.
    QMap<QString, ComPtr<corvelian::ICVExtention>> packages;
    QMap<QString, ComPtr<corvelian::ICVExtention>> interfacePackages;
};

} // namespace cv::host
