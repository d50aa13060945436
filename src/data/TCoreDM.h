// The module's data module: the connection to the hospital database, an
// optional second connection for statements marked "--UseSlave", and the one
// execution path of every statement with its diagnostics.
#pragma once

#include "CoreAppearance.h"

#include "platform/db/Connection.h"
#include "platform/db/Query.h"
#include "platform/memtable/MemTable.h"

#include <QObject>
#include <QString>

#include <cstdint>
#include <functional>
#include <memory>

namespace corvelian {
struct ICVUnknown;
}

namespace cv::data {

class TCoreDM : public QObject {
    Q_OBJECT
public:
    TCoreDM();
    ~TCoreDM() override;

    db::Connection& ADOConnection1() { return m_connection; }
    db::Connection& SlaveConnection() { return *m_slave; }
    bool HasOwnSlaveConnection() const { return m_ownSlave != nullptr; }
    db::Query& queDataSet1() { return m_queDataSet1; }
    db::Query& queDataSet2() { return m_queDataSet2; }
    db::Query& queCommand() { return m_queCommand; }
    // The appearance resources all module windows share.
    CoreAppearance& Appearance() { return m_appearance; }

    // ADOConnection1 works on the host's connection object from now on.
    void AttachConnection(corvelian::ICVUnknown* connectionObject);
    // The module's own execution handlers on ADOConnection1; removed while the
    // host shares its connection (it logs its own statements).
    void AttachExecutionHandlers();
    void RemoveExecutionHandlers();

    // A new query on ADOConnection1 with its command time-out; the caller owns it.
    std::unique_ptr<db::Query> NewQuery(bool parseParameters) const;
    void RunStatement(db::Query* query, const QString& statement, bool execute);
    void RollbackTransaction();
    void OpenSQLToTable(MemTable& table, const QString& statement, bool keepReadOnly,
                        bool rebuild = true, bool direct = false,
                        const std::function<void(MemTable&)>& customize = {});
    QString GetScriptText(int number) const;

    // Puts the query on SlaveConnection when its text holds "--UseSlave" and
    // on ADOConnection1 otherwise; queries on other connections stay put.
    void RouteQuery(db::Query& query, const QString& statement);

    void ADOConnection1WillExecute(const QString& commandText);
    void ADOConnection1ExecuteComplete(const db::DbError* error);

private:
    void DataModuleCreate();
    void DataModuleDestroy();
    void AttachSecondConnection();

    db::Connection m_connection;
    db::Query m_queDataSet2;
    db::Query m_queDataSet1;
    db::Query m_queCommand;
    CoreAppearance m_appearance;
    std::unique_ptr<db::Connection> m_ownSlave;
    db::Connection* m_slave = &m_connection;
};

// The data module while the module is bound to the host (null otherwise).
TCoreDM* CoreDM();

// The single place where the module executes or opens a query.
void ExecDataSet(db::Query& query, bool open, int level, const QString& remark, bool logBefore,
                 bool rollbackOnError, bool direct);
QString BuildDebugScript(const db::Query& query);
void LogExecution(const db::Query& query, int level, const QString& remark);
void CopyResult(db::Query& query, MemTable& table, bool keepReadOnly, bool structureOnly);
void AppendRows(db::Query& query, MemTable& table);
void MakeFieldsWritable(MemTable& table);

// Lifecycle callback: stage 0 creates CoreDM once, stage 2 keeps it, any
// other stage frees it.
void CoreDMStage(std::uint8_t stage);

} // namespace cv::data
