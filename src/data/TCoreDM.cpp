#include "TCoreDM.h"

#include "platform/abi/StageSingleton.h"

#include "shell/TCvApplication.h"

#include "platform/abi/Boundary.h"
#include "platform/abi/ComPtr.h"
#include "platform/abi/Exception.h"
#include "platform/text/FormatSettings.h"

#include <corvelian/Interfaces.h>

namespace cv::data {

using shell::CvApp;

namespace {

StageSingleton<TCoreDM> g_coreDM;

const QString kSource = QStringLiteral("CoreDm");
const QString kSlaveMarker = QStringLiteral("--UseSlave");
const QString kRollbackStatement = QStringLiteral("IF @@TRANCOUNT>0 ROLLBACK TRAN");

void writeLog(int level, const QString& title, const QString& text)
{
    if (auto* app = shell::TCvApplication::instance())
        app->WriteLog(level, kSource, title, text);
}

// Restores a query's connection (and its execute options, when asked)
// however the statement ends.
class QueryStateGuard {
public:
    explicit QueryStateGuard(db::Query& query, bool restoreOptions = true)
        : m_query(query), m_connection(query.connection()), m_options(query.executeOptions()),
          m_restoreOptions(restoreOptions)
    {
    }
    ~QueryStateGuard()
    {
        if (m_restoreOptions)
            m_query.setExecuteOptions(m_options);
        m_query.setConnection(m_connection);
    }
    QueryStateGuard(const QueryStateGuard&) = delete;
    QueryStateGuard& operator=(const QueryStateGuard&) = delete;

private:
    db::Query& m_query;
    db::Connection* m_connection;
    db::ExecuteOptions m_options;
    bool m_restoreOptions;
};

void setNoRecords(db::Query& query, bool on)
{
    db::ExecuteOptions options = query.executeOptions();
    options.set(db::ExecuteOption::NoRecords, on);
    query.setExecuteOptions(options);
}

void runDirect(db::Query& query)
{
    db::Connection* connection = query.connection();
    if (!connection)
        throw Exception(QStringLiteral("Connection object is not set."));
    db::RecordSetPtr records = connection->execute(query.sql());
    if (!records || records->columnCount() == 0)
        throw Exception(QStringLiteral("Operation is not allowed when the object is closed."));
    query.close();
    query.attachRecordSet(std::move(records));
}

void runStatement(db::Query& query, bool open, bool direct)
{
    if (direct) {
        runDirect(query);
    } else if (open) {
        setNoRecords(query, false);
        query.open();
    } else {
        setNoRecords(query, true);
        query.execSql();
    }
}

enum class DebugKind { Text, Integer, Numeric, DateTime, None };

DebugKind debugKindOf(FieldType type)
{
    switch (type) {
    case FieldType::Unknown:
    case FieldType::String:
    case FieldType::Memo:
    case FieldType::FmtMemo:
    case FieldType::WideString:
    case FieldType::WideMemo:
        return DebugKind::Text;
    case FieldType::SmallInt:
    case FieldType::Integer:
    case FieldType::Word:
    case FieldType::LargeInt:
        return DebugKind::Integer;
    case FieldType::Float:
    case FieldType::Currency:
    case FieldType::BCD:
        return DebugKind::Numeric;
    case FieldType::Date:
    case FieldType::Time:
    case FieldType::DateTime:
        return DebugKind::DateTime;
    default:
        return DebugKind::None;
    }
}

QString declarationOf(const QString& variable, DebugKind kind)
{
    switch (kind) {
    case DebugKind::Text:
        return QStringLiteral("DECLARE ") + variable + QStringLiteral(" VARCHAR(8000)\r\n");
    case DebugKind::Integer:
        return QStringLiteral("DECLARE ") + variable + QStringLiteral(" Int\r\n");
    case DebugKind::Numeric:
        return QStringLiteral("DECLARE ") + variable + QStringLiteral(" numeric(18, 6)\r\n");
    case DebugKind::DateTime:
        return QStringLiteral("DECLARE ") + variable + QStringLiteral(" Datetime\r\n");
    case DebugKind::None:
        break;
    }
    return {};
}

QString assignmentOf(const QString& variable, const db::Parameter& parameter)
{
    const QString prefix = QStringLiteral("SET ") + variable;
    if (!parameter.value.isValid() || parameter.value.isNull())
        return prefix + QStringLiteral(" = NULL\r\n");
    const QString value = text::variantToText(parameter.value);
    const DebugKind kind = debugKindOf(parameter.type);
    if (kind == DebugKind::Integer || kind == DebugKind::Numeric)
        return prefix + QStringLiteral(" =") + value + QStringLiteral("\r\n");
    return prefix + QStringLiteral(" = ") + text::quotedStr(value) + QStringLiteral("\r\n");
}

} // namespace

TCoreDM* CoreDM()
{
    return g_coreDM.get();
}

// --- TCoreDM ------------------------------------------------------------------------

TCoreDM::TCoreDM()
    : m_queDataSet2(&m_connection, false), m_queDataSet1(&m_connection, false),
      m_queCommand(&m_connection, false)
{
    setObjectName(QStringLiteral("CoreDM"));
    AttachExecutionHandlers();
    DataModuleCreate();
}

TCoreDM::~TCoreDM()
{
    DataModuleDestroy();
}

void TCoreDM::DataModuleCreate()
{
    m_appearance.CreateStyleLookAndFeel();
    // A second connection comes only from system libraries of version 3.0 on.
    auto* app = shell::TCvApplication::instance();
    if (!app || !app->LibraryBound())
        return;
    double version = 0;
    checkHost(app->SystemLibrary()->GetVersion(&version), app->SystemLibrary());
    if (version + 1e-9 >= 3.0)
        AttachSecondConnection();
}

void TCoreDM::DataModuleDestroy()
{
    m_appearance.FreeStyleLookAndFeel();
}

void TCoreDM::AttachSecondConnection()
{
    auto library3 = queryInterface<corvelian::ICVLibrary3>(shell::CvApp().SystemLibrary());
    if (!library3)
        return;
    ComPtr<corvelian::ICVUnknown> second;
    checkHost(library3->GetSecondConnection(second.put()), library3.get());
    if (!second)
        return;
    m_ownSlave = std::make_unique<db::Connection>();
    m_ownSlave->attach(second.get());
    m_slave = m_ownSlave.get();
}

void TCoreDM::AttachConnection(corvelian::ICVUnknown* connectionObject)
{
    m_connection.attach(connectionObject);
}

void TCoreDM::AttachExecutionHandlers()
{
    m_connection.setWillExecute([this](const QString& text) { ADOConnection1WillExecute(text); });
    m_connection.setExecuteComplete(
        [this](const db::DbError* error) { ADOConnection1ExecuteComplete(error); });
}

void TCoreDM::RemoveExecutionHandlers()
{
    m_connection.setWillExecute({});
    m_connection.setExecuteComplete({});
}

void TCoreDM::ADOConnection1WillExecute(const QString& commandText)
{
    const qsizetype nul = commandText.indexOf(QChar(u'\0'));
    writeLog(4, QStringLiteral("SQL执行"), nul < 0 ? commandText : commandText.left(nul));
}

void TCoreDM::ADOConnection1ExecuteComplete(const db::DbError* error)
{
    if (!error)
        return;
    const QString report = QStringLiteral("错误ID:") + QString::number(error->number) +
                           QStringLiteral("\r\n来源:") + error->source +
                           QStringLiteral("\r\n描述:") + error->description;
    writeLog(5, QStringLiteral("SQL执行失败"), report);
    if (m_connection.isConnected() && error->number == db::kConnectionError) {
        m_connection.close();
        if (auto* app = shell::TCvApplication::instance(); app && app->HostBound())
            app->ReportConnectionLost();
    }
}

std::unique_ptr<db::Query> TCoreDM::NewQuery(bool parseParameters) const
{
    auto query =
        std::make_unique<db::Query>(const_cast<db::Connection*>(&m_connection), parseParameters);
    query->setCommandTimeout(m_connection.commandTimeout());
    return query;
}

void TCoreDM::RouteQuery(db::Query& query, const QString& statement)
{
    if (query.connection() != &m_connection && query.connection() != m_slave)
        return;
    query.setConnection(statement.contains(kSlaveMarker) ? m_slave : &m_connection);
}

void TCoreDM::RunStatement(db::Query* query, const QString& statement, bool execute)
{
    if (!query) {
        std::unique_ptr<db::Query> own = NewQuery(false);
        own->setSql(statement);
        ExecDataSet(*own, false, 0, QString(), true, true, false);
        return;
    }
    QueryStateGuard guard(*query, false);
    query->close();
    query->setSql(QString());
    RouteQuery(*query, statement);
    query->setSql(statement);
    LogExecution(*query, 0, QString());
    if (execute) {
        setNoRecords(*query, true);
        query->execSql();
        setNoRecords(*query, false);
    } else {
        setNoRecords(*query, false);
        query->open();
    }
}

void TCoreDM::RollbackTransaction()
{
    std::unique_ptr<db::Query> query = NewQuery(false);
    query->setSql(kRollbackStatement);
    ExecDataSet(*query, false, 0, QStringLiteral("取消事务"), false, false, false);
}

void TCoreDM::OpenSQLToTable(MemTable& table, const QString& statement, bool keepReadOnly,
                             bool rebuild, bool direct,
                             const std::function<void(MemTable&)>& customize)
{
    // Script lookups answer with a message instead of a statement when a
    // script is missing or empty; it is the error to show.
    if (statement.contains(QStringLiteral("为空")) || statement.contains(QStringLiteral("不存在")))
        throw Exception(statement);
    std::unique_ptr<db::Query> query = NewQuery(false);
    query->setSql(statement);
    ExecDataSet(*query, true, 0, QString(), true, false, direct);
    if (rebuild) {
        table.close();
        table.clearFields();
        if (!customize || keepReadOnly) {
            CopyResult(*query, table, keepReadOnly, false);
        } else {
            CopyResult(*query, table, false, true);
            customize(table);
            table.open();
            AppendRows(*query, table);
        }
    } else if (!query->isEmpty()) {
        AppendRows(*query, table);
    }
}

QString TCoreDM::GetScriptText(int number) const
{
    auto* app = shell::TCvApplication::instance();
    return app ? app->GetScript(number) : QString();
}

// --- free operations ------------------------------------------------------------------

void ExecDataSet(db::Query& query, bool open, int level, const QString& remark, bool logBefore,
                 bool rollbackOnError, bool direct)
{
    TCoreDM* dm = CoreDM();
    QueryStateGuard guard(query);
    if (dm)
        dm->RouteQuery(query, query.sql());
    if (logBefore)
        LogExecution(query, level, remark);
    try {
        runStatement(query, open, direct);
    } catch (...) {
        if (rollbackOnError) {
            writeLog(level, QStringLiteral("回滚事物"),
                     BuildDebugScript(query) + QStringLiteral("\r\n备注:") + remark);
            if (dm)
                dm->RollbackTransaction();
        }
        throw;
    }
}

QString BuildDebugScript(const db::Query& query)
{
    QString statement;
    for (const QString& line : query.sqlLines())
        statement += line + QStringLiteral("\r\n");
    const QString header = QStringLiteral("--脚本:\r\n");
    if (!query.parseParameters())
        return header + statement;
    QString declarations;
    QString assignments;
    for (const db::Parameter& parameter : query.parameters()) {
        const QString variable = QStringLiteral("@Debug_") + parameter.name;
        statement.replace(QLatin1Char(':') + parameter.name, variable, Qt::CaseSensitive);
        declarations += declarationOf(variable, debugKindOf(parameter.type));
        assignments += assignmentOf(variable, parameter);
    }
    return header + declarations + assignments + statement;
}

void LogExecution(const db::Query& query, int level, const QString& remark)
{
    writeLog(level, QStringLiteral("执行详情"),
             BuildDebugScript(query) + QStringLiteral("\r\n备注:") + remark);
}

void CopyResult(db::Query& query, MemTable& table, bool keepReadOnly, bool structureOnly)
{
    if (structureOnly) {
        table.loadStructure(query.records());
    } else {
        table.close();
        table.load(query.records());
    }
    if (!keepReadOnly)
        MakeFieldsWritable(table);
}

void AppendRows(db::Query& query, MemTable& table)
{
    table.appendRows(query.records());
}

void MakeFieldsWritable(MemTable& table)
{
    table.makeFieldsWritable();
}

void CoreDMStage(std::uint8_t stage)
{
    if (stage == shell::StageStart) {
        if (!g_coreDM) {
            g_coreDM = std::make_unique<TCoreDM>();
            g_coreDM->Appearance().LoadImageLists();
        }
        return;
    }
    if (stage == shell::StageClosing)
        return;
    g_coreDM.reset();
}

} // namespace cv::data
