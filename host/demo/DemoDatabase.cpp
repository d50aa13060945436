#include "DemoDatabase.h"

#include "platform/abi/Exception.h"
#include "platform/db/Connection.h"
#include "platform/db/Query.h"

#include <QFile>
#include <QVariant>

#include <utility>
#include <vector>

// The SQL lives in demo.qrc; a static library's resources must be registered
// by name, outside any namespace.
static void registerDemoResources()
{
    Q_INIT_RESOURCE(demo);
}

namespace cv::host {

namespace {

struct ScriptParam {
    const char* name;
    const char* caption;
    const char* kind;
    const char* defaultValue;
};

// A row of the script store. Scripts with a code are run by code or id
// through the script package and bind their :name parameters; the others are
// templates fetched by number and filled with the host's Format.
struct ScriptDef {
    int id;
    const char* code;
    const char* name;
    const char* file;
    std::vector<ScriptParam> params;
};

struct SearchDef {
    int id;
    const char* name;
    const char* file;
    const char* keyField;
    const char* columns;
};

struct ProcedureDef {
    const char* name;
    const char* params;
};

std::vector<ScriptParam> dateRange(const char* from)
{
    return {{"BeginDate", "开始日期", "date", from}, {"EndDate", "结束日期", "date", "today"}};
}

const std::vector<ScriptDef>& scriptDefs()
{
    static const std::vector<ScriptDef> defs = {
        {86, nullptr, "按编码查询脚本ID", "86", {}},
        {1485, nullptr, "报表格式列表", "1485", {}},
        {16817, nullptr, "本人的用药申请", "16817", {}},
        {16818, nullptr, "删除用药申请", "16818", {}},
        {16821, nullptr, "本人审批的用药申请", "16821", {}},
        {16822, nullptr, "待审批的用药申请", "16822", {}},
        {16823, nullptr, "患者列表", "16823", {}},
        {16937, nullptr, "待审批的手术申请", "16937", {}},
        {16938, nullptr, "手术申请单项目（待审批）", "items", {}},
        {16939, nullptr, "附加手术及麻醉（待审批）", "operations", {}},
        {16940, nullptr, "手术申请单（待审批）", "header", {}},
        {16941, nullptr, "已审批的手术申请", "16941", {}},
        {16942, nullptr, "手术申请单项目（已审批）", "items", {}},
        {16943, nullptr, "附加手术及麻醉（已审批）", "operations", {}},
        {16944, nullptr, "手术申请单（已审批）", "header", {}},
        {16946, "CV.Clinical.YS.ZLJHTC.000002", "手术申请单分类", "categories", {}},
        {18328, nullptr, "处方审核报表目录", "18328", {}},
        {18330, nullptr, "处方明细", "18330", {}},
        {18331, nullptr, "处方诊断", "18331", {}},
        {1661, "CV.DocMedApply.R.001", "待审核处方", "audit_pending", dateRange("today-7")},
        {1662, "CV.DocMedApply.R.002", "审核通过处方", "audit_approved", dateRange("today-30")},
        {1663, "CV.DocMedApply.R.003", "审核不通过处方", "audit_rejected", dateRange("today-30")},
        {1664, "CV.DocMedApply.R.004", "强行通过处方", "audit_forced", dateRange("today-30")},
        {1665,
         "CV.DocMedApply.R.005",
         "按患者查询处方",
         "audit_patient",
         {{"PatientName", "患者姓名", "text", ""},
          {"BeginDate", "开始日期", "date", "today-30"},
          {"EndDate", "结束日期", "date", "today"}}},
        {1670, "CV.DocMedApply.Q.001", "待审核处方提醒", "audit_pending_all", {}},
    };
    return defs;
}

const std::vector<SearchDef>& searchDefs()
{
    static const std::vector<SearchDef> defs = {
        {16820, "药品", "drugs", "BBY01",
         "BBY02:编码,BBY05:药品名称,BBY06:规格,BBY08:单位,BBY12:单价"},
        {828, "人员", "staff", "BCE01", "BCE02:工号,BCE03:姓名,BCK03:科室,BCE05:职称"},
        {16953, "手术", "operations", "BBX01", "BBX02:编码,BBX05:手术名称,BBX06:手术等级"},
        {130, "科室", "departments", "BCk01", "BCk02:编码,BCk03:科室名称,BCK05:类别"},
        {18329, "不通过原因", "reasons", "BLK04", "BLK02:编码,BLK04:问题因素,BLK05:分类"},
    };
    return defs;
}

const std::vector<ProcedureDef>& procedureDefs()
{
    static const std::vector<ProcedureDef> defs = {
        {"CVDoctorMedicationApply", "@XML"},
        {"CVOperationApproval", "@XML"},
        {"CvDocMedApply_VFK1_Edit", "@lxml,@operate,@lbce01,@lbce03"},
    };
    return defs;
}

QString utf8(const char* text)
{
    return text ? QString::fromUtf8(text) : QString();
}

QVariant textOrNull(const char* text)
{
    return text ? QVariant(QString::fromUtf8(text)) : QVariant();
}

QString resourceText(const QString& path)
{
    QFile file(QStringLiteral(":/cv/demo/") + path);
    if (!file.open(QIODevice::ReadOnly))
        throw Exception(QStringLiteral("演示数据库资源缺失：%1").arg(path));
    return QString::fromUtf8(file.readAll());
}

// The statement of a file without its leading comment, which describes the
// file rather than belonging to the stored text (and may hold '%').
QString statementText(const QString& path)
{
    QStringList lines = resourceText(path).split(u'\n');
    while (!lines.isEmpty() &&
           (lines.first().trimmed().isEmpty() || lines.first().startsWith(QStringLiteral("--"))))
        lines.removeFirst();
    return lines.join(u'\n').trimmed();
}

void runScript(db::Connection& connection, const QString& text)
{
    db::Query query(&connection, false);
    query.setSql(text);
    query.execSql();
}

void insertRow(db::Connection& connection, const QString& sql,
               const std::vector<std::pair<const char16_t*, QVariant>>& values)
{
    db::Query query(&connection);
    query.setSql(sql);
    for (const auto& [name, value] : values)
        query.parameter(name).setValue(value);
    query.execSql();
}

void writeScripts(db::Connection& connection)
{
    for (const ScriptDef& s : scriptDefs()) {
        insertRow(connection,
                  QStringLiteral("INSERT INTO cv_scripts (id, code, name, body) "
                                 "VALUES (:id, :code, :name, :body)"),
                  {{u"id", s.id},
                   {u"code", textOrNull(s.code)},
                   {u"name", utf8(s.name)},
                   {u"body", statementText(QStringLiteral("scripts/%1.sql").arg(utf8(s.file)))}});
        int ord = 0;
        for (const ScriptParam& p : s.params)
            insertRow(connection,
                      QStringLiteral("INSERT INTO cv_script_params "
                                     "(script_id, ord, name, caption, kind, default_value) "
                                     "VALUES (:id, :ord, :name, :caption, :kind, :value)"),
                      {{u"id", s.id},
                       {u"ord", ++ord},
                       {u"name", utf8(p.name)},
                       {u"caption", utf8(p.caption)},
                       {u"kind", utf8(p.kind)},
                       {u"value", utf8(p.defaultValue)}});
    }
}

void writeSearches(db::Connection& connection)
{
    for (const SearchDef& s : searchDefs())
        insertRow(connection,
                  QStringLiteral("INSERT INTO cv_searches (id, name, body, key_field, columns) "
                                 "VALUES (:id, :name, :body, :key, :columns)"),
                  {{u"id", s.id},
                   {u"name", utf8(s.name)},
                   {u"body", statementText(QStringLiteral("searches/%1.sql").arg(utf8(s.file)))},
                   {u"key", utf8(s.keyField)},
                   {u"columns", utf8(s.columns)}});
}

void writeProcedures(db::Connection& connection)
{
    for (const ProcedureDef& p : procedureDefs())
        insertRow(
            connection,
            QStringLiteral("INSERT INTO cv_procedures (name, params, body) "
                           "VALUES (:name, :params, :body)"),
            {{u"name", utf8(p.name)},
             {u"params", utf8(p.params)},
             {u"body", statementText(QStringLiteral("procedures/%1.sql").arg(utf8(p.name)))}});
}

// Report templates are kept as files so that they read as the HTML they are.
void writeReportTemplates(db::Connection& connection)
{
    for (int id = 1; id <= 8; ++id)
        insertRow(
            connection,
            QStringLiteral("UPDATE cv_report_formats SET template = :body WHERE id = :id"),
            {{u"body", resourceText(QStringLiteral("reports/%1.html").arg(id))}, {u"id", id}});
}

void writeDatabase(const QString& path)
{
    db::Connection connection(QStringLiteral("Provider=SQLite;Data Source=") + path);
    connection.open();
    runScript(connection, QStringLiteral("BEGIN"));
    runScript(connection, resourceText(QStringLiteral("sql/schema.sql")));
    runScript(connection, resourceText(QStringLiteral("sql/data.sql")));
    writeScripts(connection);
    writeSearches(connection);
    writeProcedures(connection);
    writeReportTemplates(connection);
    runScript(connection, QStringLiteral("COMMIT"));
}

void removeDatabaseFiles(const QString& path)
{
    for (const QString& suffix :
         {QString(), QStringLiteral("-journal"), QStringLiteral("-wal"), QStringLiteral("-shm")}) {
        if (QFile::exists(path + suffix) && !QFile::remove(path + suffix))
            throw Exception(QStringLiteral("无法删除已有的数据库文件：%1").arg(path + suffix));
    }
}

} // namespace

void buildDemoDatabase(const QString& path)
{
    registerDemoResources();
    removeDatabaseFiles(path);
    try {
        writeDatabase(path);
    } catch (const Exception& e) {
        // The connection is closed by now, so an unfinished file can go.
        try {
            removeDatabaseFiles(path);
        } catch (const Exception&) {
        }
        throw Exception(QStringLiteral("创建演示数据库失败：%1").arg(e.message()), e.code());
    }
}

const std::vector<DemoUser>& demoUsers()
{
    static const std::vector<DemoUser> users = {
        {1001, QStringLiteral("张伟"), 11, QStringLiteral("普外科"),
         QStringLiteral("科主任：审批手术和用药申请，审核处方")},
        {1002, QStringLiteral("李娜"), 11, QStringLiteral("普外科"),
         QStringLiteral("医生：申请用药")},
        {1003, QStringLiteral("王强"), 11, QStringLiteral("普外科"),
         QStringLiteral("住院医师：申请用药")},
        {1004, QStringLiteral("刘洋"), 12, QStringLiteral("骨科"),
         QStringLiteral("科主任：审批手术和用药申请")},
        {1021, QStringLiteral("梁晨"), 51, QStringLiteral("医务科"),
         QStringLiteral("医务科：审批手术和用药申请")},
        {1011, QStringLiteral("郑丽"), 41, QStringLiteral("药剂科"),
         QStringLiteral("药师：审核处方")},
        {1012, QStringLiteral("孙涛"), 41, QStringLiteral("药剂科"),
         QStringLiteral("药师：审核处方")},
        {1000, QStringLiteral("系统管理员"), 52, QStringLiteral("信息科"),
         QStringLiteral("管理员：全部权限")},
    };
    return users;
}

QStringList demoUserHelp()
{
    QStringList lines;
    for (const DemoUser& u : demoUsers()) {
        QString line =
            QStringLiteral("%1  %2  %3  %4").arg(u.employeeId).arg(u.name, u.department, u.role);
        if (u.employeeId == defaultDemoEmployeeId())
            line += QStringLiteral("（默认）");
        lines.append(line);
    }
    return lines;
}

int defaultDemoEmployeeId()
{
    return 1001;
}

} // namespace cv::host
