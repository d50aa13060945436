#include "HeadlessRunner.h"

#include "JsonLines.h"

#include "platform/abi/Exception.h"

#include <QApplication>

namespace cv::host {

namespace {

void printScripts(HostRuntime& runtime, const HostOptions& options, QTextStream& out)
{
    for (int number : options.scripts) {
        const auto& state = runtime.host().state();
        const QString body = state.scriptSource ? state.scriptSource(number) : QString();
        out << jsonObject({{QStringLiteral("script"), number}, {QStringLiteral("text"), body}})
            << '\n';
    }
}

void printQueries(HostRuntime& runtime, const HostOptions& options, QTextStream& out)
{
    for (const QString& sql : options.sqls) {
        try {
            const QueryResult result = runtime.database().run(sql);
            for (const auto& row : result.rows) {
                std::vector<std::pair<QString, QVariant>> members;
                for (qsizetype i = 0; i < result.columns.size(); ++i)
                    members.emplace_back(result.columns[i], row[std::size_t(i)]);
                out << jsonObject(members) << '\n';
            }
        } catch (const Exception& e) {
            out << jsonObject(
                       {{QStringLiteral("sql"), sql}, {QStringLiteral("error"), e.message()}})
                << '\n';
        }
    }
}

void printExecs(HostRuntime& runtime, const HostOptions& options, QTextStream& out)
{
    for (const ExecRequest& request : options.execs) {
        const HostRuntime::ExecResult r = runtime.execute(request);
        QApplication::processEvents();
        std::vector<std::pair<QString, QVariant>> members = {
            {QStringLiteral("code"), request.code},
            {QStringLiteral("param"), request.param},
            {QStringLiteral("result"), r.result},
            {QStringLiteral("text"), r.text},
            {QStringLiteral("lastError"), r.lastError}};
        if (r.status != corvelian::CV_OK)
            members.emplace_back(QStringLiteral("status"), qint64(r.status));
        out << jsonObject(members) << '\n';
        out.flush();
    }
}

void printLog(HostRuntime& runtime, QTextStream& out)
{
    for (const LogEntry& e : runtime.host().log().entries())
        out << jsonObject({{QStringLiteral("level"), e.level},
                           {QStringLiteral("app"), e.app},
                           {QStringLiteral("source"), e.source},
                           {QStringLiteral("title"), e.title},
                           {QStringLiteral("text"), e.text}})
            << '\n';
}

} // namespace

int runHeadless(HostRuntime& runtime, const HostOptions& options, QTextStream& out)
{
    printScripts(runtime, options, out);
    printQueries(runtime, options, out);
    if (!options.execs.empty() || options.printLog) {
        try {
            runtime.loadModule(options.modulePath);
        } catch (const Exception& e) {
            out << jsonObject({{QStringLiteral("error"), e.message()}}) << '\n';
            return 1;
        }
        out << jsonObject({{QStringLiteral("initialized"), runtime.initialized()},
                           {QStringLiteral("lastError"), runtime.lastError()}})
            << '\n';
        printExecs(runtime, options, out);
        const std::int32_t released = runtime.releaseModule();
        QApplication::processEvents();
        out << jsonObject({{QStringLiteral("releaseInstance"), released}}) << '\n';
    }
    if (options.printLog)
        printLog(runtime, out);
    out.flush();
    return 0;
}

} // namespace cv::host
