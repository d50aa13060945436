#include "HostRuntime.h"

#include "host/demo/DemoDatabase.h"
#include "host/resources/HostResourceModule.h"
#include "host/services/HostServices.h"
#include "host/resources/StandardResources.h"
#include "host/system/ScriptStore.h"
#include "host/system/SystemPackage.h"
#include "host/xml/XmlDocument.h"

#include "platform/abi/Exception.h"
#include "platform/abi/WideString.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#ifndef CV_DEFAULT_MODULE_PATH
#define CV_DEFAULT_MODULE_PATH ""
#endif

namespace cv::host {

using namespace corvelian;

HostRuntime::HostRuntime(const HostOptions& options)
{
    openDatabase(options);
    HostState& state = m_host.state();
    HostDatabase::install(state, m_database);
    state.config.connectionMode = options.connectionMode;
    state.config.tempPath = QDir::tempPath() + QLatin1Char('/');
    state.scriptSource = [db = m_database](int number) { return scriptBody(*db, number); };
    state.xmlDocumentFactory = [] { return ComPtr<ICVXMLDocument>::adopt(createXmlDocument()); };
    state.resourceModule =
        ComPtr<ICVUnknown>(static_cast<ICVResourceModule*>(createStandardResourceModule().get()));
    state.config.resourceTexts.insert(QStringLiteral("DEVRES4.3"), toolkitTranslationText());
    SystemPackage::install(state, m_database);
    loadSettings();
    loadUser(options.user);
    installHostServices(state, m_database);
}

HostRuntime::~HostRuntime()
{
    releaseModule();
    m_loader.reset();
}

QString HostRuntime::defaultModulePath()
{
    return QString::fromUtf8(CV_DEFAULT_MODULE_PATH);
}

QString HostRuntime::defaultDemoPath()
{
    const QString dir = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir().mkpath(dir.isEmpty() ? QDir::tempPath() : dir);
    return (dir.isEmpty() ? QDir::tempPath() : dir) + QStringLiteral("/corvelian-demo.db");
}

void HostRuntime::openDatabase(const HostOptions& options)
{
    QString connection = options.connectionString;
    if (!options.demoPath.isEmpty()) {
        buildDemoDatabase(options.demoPath);
        connection = HostDatabase::sqliteConnectionString(options.demoPath);
    } else if (!options.databasePath.isEmpty()) {
        if (!QFileInfo::exists(options.databasePath))
            throw Exception(
                QStringLiteral("The database %1 does not exist.").arg(options.databasePath));
        connection = HostDatabase::sqliteConnectionString(options.databasePath);
    } else if (connection.isEmpty()) {
        const QString path = defaultDemoPath();
        if (!QFileInfo::exists(path))
            buildDemoDatabase(path);
        connection = HostDatabase::sqliteConnectionString(path);
    }
    m_database = std::make_shared<HostDatabase>(connection);
}

void HostRuntime::loadSettings()
{
    try {
        const QueryResult rows =
            m_database->run(QStringLiteral("SELECT name, value FROM cv_settings"));
        for (const auto& row : rows.rows)
            m_host.config().settings.insert(row[0].toString(), row[1].toString());
    } catch (const Exception&) {
        // A hospital database without the host's settings table has no settings.
    }
}

void HostRuntime::loadUser(std::optional<int> employeeId)
{
    const int id = employeeId.value_or(defaultDemoEmployeeId());
    QueryResult rows;
    try {
        rows = m_database->run(
            QStringLiteral("SELECT BCE01, BCE03, BCK01 FROM BCE1 WHERE BCE01 = %1").arg(id));
    } catch (const Exception&) {
        return;
    }
    if (rows.rows.empty()) {
        if (employeeId)
            throw Exception(QStringLiteral("Employee %1 does not exist.").arg(id));
        return;
    }
    HostConfig& config = m_host.config();
    config.userId = id;
    config.userName = rows.rows[0][1].toString();
    config.userValues.insert(QStringLiteral("Empid"), QString::number(id));
    config.userValues.insert(QStringLiteral("EmpName"), config.userName);
    config.userValues.insert(QStringLiteral("DeptId"), rows.rows[0][2].toString());
}

void HostRuntime::loadModule(const QString& path)
{
    m_loader = std::make_unique<ModuleLoader>(path);
    m_extension = m_loader->createInstance(m_host.application().get());
    if (!m_extension)
        throw Exception(QStringLiteral("The module returned no extension."));
}

std::int32_t HostRuntime::releaseModule()
{
    if (!m_loader)
        return 0;
    m_extension.reset();
    return m_loader->releaseInstance();
}

bool HostRuntime::initialized() const
{
    CvWordBool value = 0;
    return m_extension && CvSucceeded(m_extension->GetInitialized(&value)) && value != 0;
}

QString HostRuntime::lastError() const
{
    WideString text;
    if (m_extension)
        m_extension->GetLastError(text.put());
    return text.toQString();
}

HostRuntime::ExecResult HostRuntime::execute(const ExecRequest& request)
{
    ExecResult out;
    if (!m_extension) {
        out.status = CV_E_POINTER;
        return out;
    }
    WideString text(request.text);
    std::int32_t result = 0;
    out.status = m_extension->Execute(request.code, request.param, text.inOut(), &result);
    out.result = result;
    out.text = text.toQString();
    out.lastError = lastError();
    return out;
}

} // namespace cv::host
