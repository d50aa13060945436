#include "HostOptions.h"

#include "platform/abi/Exception.h"

namespace cv::host {

namespace {

int toInt(const QString& text, const QString& what)
{
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok)
        throw Exception(
            QStringLiteral("%1: '%2' is not a number.\n\n%3").arg(what, text, hostUsage()));
    return value;
}

} // namespace

QString hostUsage()
{
    return QStringLiteral(
        "Usage: corvelian-host [options]\n"
        "  --module PATH         the module library (default: the built one)\n"
        "  --db PATH             an SQLite database file\n"
        "  --connection TEXT     an ADO-form connection string (ODBC)\n"
        "  --connection-mode N   1: share the host's connection with the module\n"
        "  --demo PATH           build a fresh demo database at PATH and use it\n"
        "  --user EMPID          the logged-in employee\n"
        "  --headless            no windows; run --exec requests and print JSON\n"
        "  --exec CODE[:PARAM[:TEXT]]  an Execute request (repeatable)\n"
        "  --log                 print the host log at the end\n"
        "  --script N            print host script N\n"
        "  --sql TEXT            print the rows of a query on the host's connection\n"
        "  --screenshot DIR      open each command and save a PNG of the main window\n");
}

ExecRequest parseExecRequest(const QString& text)
{
    ExecRequest request;
    const qsizetype first = text.indexOf(QLatin1Char(':'));
    request.code = toInt(first < 0 ? text : text.left(first), QStringLiteral("--exec"));
    if (first < 0)
        return request;
    const qsizetype second = text.indexOf(QLatin1Char(':'), first + 1);
    request.param =
        toInt(second < 0 ? text.mid(first + 1) : text.mid(first + 1, second - first - 1),
              QStringLiteral("--exec"));
    if (second >= 0)
        request.text = text.mid(second + 1);
    return request;
}

HostOptions parseHostOptions(const QStringList& arguments)
{
    HostOptions options;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& name = arguments[i];
        auto value = [&]() -> QString {
            if (i + 1 >= arguments.size())
                throw Exception(QStringLiteral("%1 needs a value.\n\n%2").arg(name, hostUsage()));
            return arguments[++i];
        };
        if (name == QLatin1String("--module"))
            options.modulePath = value();
        else if (name == QLatin1String("--db"))
            options.databasePath = value();
        else if (name == QLatin1String("--connection"))
            options.connectionString = value();
        else if (name == QLatin1String("--connection-mode"))
            options.connectionMode = toInt(value(), name);
        else if (name == QLatin1String("--demo"))
            options.demoPath = value();
        else if (name == QLatin1String("--user"))
            options.user = toInt(value(), name);
        else if (name == QLatin1String("--headless"))
            options.headless = true;
        else if (name == QLatin1String("--exec"))
            options.execs.push_back(parseExecRequest(value()));
        else if (name == QLatin1String("--log"))
            options.printLog = true;
        else if (name == QLatin1String("--script"))
            options.scripts.push_back(toInt(value(), name));
        else if (name == QLatin1String("--sql"))
            options.sqls << value();
        else if (name == QLatin1String("--screenshot"))
            options.screenshotDir = value();
        else if (name == QLatin1String("--help") || name == QLatin1String("-h"))
            throw Exception(hostUsage());
        else
            throw Exception(QStringLiteral("Unknown option %1.\n\n%2").arg(name, hostUsage()));
    }
    return options;
}

} // namespace cv::host
