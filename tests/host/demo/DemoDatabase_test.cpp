// The demo database as the host and the module use it: templates fetched by
// number and filled with the host's Format, scripts run by code with their
// declared parameters, the search definitions, and the three save procedures.
#include "host/demo/DemoDatabase.h"

#include "platform/abi/Exception.h"
#include "platform/db/Connection.h"
#include "platform/db/Query.h"
#include "platform/text/Format.h"

#include <QDate>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <span>
#include <utility>
#include <vector>

using cv::text::FormatArg;

// Readable failure messages.
QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& text, std::ostream* os)
{
    *os << text.toStdString();
}
inline void PrintTo(const QVariant& value, std::ostream* os)
{
    *os << (value.isNull() ? std::string("NULL") : value.toString().toStdString());
}
QT_END_NAMESPACE

namespace {

using Params = std::vector<std::pair<QString, QVariant>>;

struct Rows {
    QStringList columns;
    std::vector<QVariantList> rows;

    bool empty() const { return rows.empty(); }
    QVariant at(std::size_t row, const QString& column) const
    {
        return rows.at(row).at(columns.indexOf(column));
    }
    QVariantList column(const QString& name) const
    {
        QVariantList values;
        for (std::size_t i = 0; i < rows.size(); ++i)
            values.append(at(i, name));
        return values;
    }
};

QString day(int offset)
{
    return QDate::currentDate().addDays(offset).toString(QStringLiteral("yyyy-MM-dd"));
}

FormatArg text(const QString& value)
{
    return FormatArg::ansiString(cv::text::quotedStr(value));
}

FormatArg number(int value)
{
    return FormatArg::integer(value);
}

// The value a script parameter's dialog starts with: 'today', 'today-N' or a literal.
QVariant defaultValue(const QVariant& stored)
{
    const QString value = stored.toString();
    if (value == QStringLiteral("today"))
        return day(0);
    if (value.startsWith(QStringLiteral("today-")))
        return day(-value.mid(6).toInt());
    return value;
}

class DemoDatabaseTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        const QString path = m_dir.filePath(QStringLiteral("demo.db"));
        cv::host::buildDemoDatabase(path);
        m_db = std::make_unique<cv::db::Connection>(QStringLiteral("Provider=SQLite;Data Source=") +
                                                    path);
        m_db->open();
    }

    Rows select(const QString& sql, const Params& params = {})
    {
        cv::db::Query query(m_db.get());
        query.setSql(sql);
        for (const auto& [name, value] : params)
            query.parameter(name).setValue(value);
        query.open();
        Rows result;
        cv::db::RecordSet& records = query.records();
        for (int i = 0; i < records.columnCount(); ++i)
            result.columns.append(records.column(i).name);
        for (; !records.atEnd(); records.next()) {
            QVariantList row;
            for (int i = 0; i < records.columnCount(); ++i)
                row.append(records.value(i));
            result.rows.push_back(row);
        }
        return result;
    }

    QVariant scalar(const QString& sql, const Params& params = {})
    {
        const Rows rows = select(sql, params);
        return rows.empty() ? QVariant() : rows.rows.front().front();
    }

    void execute(const QString& sql, const Params& params = {})
    {
        cv::db::Query query(m_db.get());
        query.setSql(sql);
        for (const auto& [name, value] : params)
            query.parameter(name).setValue(value);
        query.execSql();
    }

    // A host script by number, filled the way the forms fill it.
    QString script(int number, std::initializer_list<FormatArg> args)
    {
        const QVariant body =
            scalar(QStringLiteral("SELECT body FROM cv_scripts WHERE id = :id"), {{"id", number}});
        EXPECT_FALSE(body.isNull()) << "script " << number;
        return cv::text::format(body.toString(), args);
    }

    // Every row of the tables, to show that a refused call wrote nothing.
    QString dump(const QStringList& tables)
    {
        QString out;
        for (const QString& table : tables) {
            const Rows rows = select(QStringLiteral("SELECT * FROM %1 ORDER BY rowid").arg(table));
            out += table + u'\n';
            for (const QVariantList& row : rows.rows) {
                for (const QVariant& v : row)
                    out += (v.isNull() ? QStringLiteral("NULL") : v.toString()) + u'|';
                out += u'\n';
            }
        }
        return out;
    }

    // The procedure call as the module sends it; the error text, empty on success.
    QString call(const QString& statement, const Params& params)
    {
        try {
            execute(statement, params);
        } catch (const cv::Exception& e) {
            return e.message();
        }
        return {};
    }

    QString saveApplications(const QString& rows)
    {
        return call(QStringLiteral("Exec CVDoctorMedicationApply :XML"),
                    {{"XML", QStringLiteral("<Root><VDZ1>%1</VDZ1></Root>").arg(rows)}});
    }

    QString approveOperation(const QString& xml)
    {
        return call(QStringLiteral("Exec CVOperationApproval :XML"), {{"XML", xml}});
    }

    QString audit(const QString& rows, int operate, int employee, const QString& name)
    {
        return call(QStringLiteral("exec CvDocMedApply_VFK1_Edit :lxml,:operate,:lbce01,:lbce03"),
                    {{"lxml", QStringLiteral("<Root><VFK1>%1</VFK1></Root>").arg(rows)},
                     {"operate", operate},
                     {"lbce01", employee},
                     {"lbce03", name}});
    }

    QTemporaryDir m_dir;
    std::unique_ptr<cv::db::Connection> m_db;
};

const QStringList kApplicationColumns = {"VDZ01", "VDZ17", "ACF01", "VAA01",  "VAA07",  "BBY01",
                                         "BBY05", "BBY06", "VDZ19", "VDZ18",  "VDZ20",  "BCE01",
                                         "BCE03", "VDZ08", "VDZ09", "BCE01A", "BCE03A", "VDZ12",
                                         "VDZ13", "VDZ14", "VDZ15", "VDZ16"};
const QStringList kOperationListColumns = {"VAF01",  "VAF04",  "VAA05", "VAA04", "BCQ04B", "ABW01",
                                           "BCK03C", "BCE03A", "VAF14", "VAF22", "VAF23",  "VAF35"};
const QStringList kItemColumns = {"VAF01", "ACE01", "BCE01", "BCE02", "BCE03"};
const QStringList kOperationColumns = {"VAF01", "VAF01A", "VAA01",  "VAF06", "VAF04",
                                       "BBX01", "VAF22",  "BCK01B", "BCK03B"};
const QStringList kHeaderColumns = {"VAF14", "VAF22", "VAF23", "VAF35", "VAA01", "VAF06", "VAF04"};
const QStringList kLineColumns = {"VAF59",  "ROWNR", "VAF22", "VAF18", "BDG02", "VAF21",
                                  "BDG02A", "VAF26", "VAF23", "VAF30", "VAF58", "BCK03B",
                                  "VAF60",  "VAJ38", "VAF55", "VAF01"};
const QStringList kAuditColumns = {"FCheck", "VFK12", "ACF01", "VAA05",  "VAA07",  "CBM01",
                                   "VFK13",  "VFK14", "VFK08", "BCE01A", "BCE03A", "CBM06"};

void expectColumns(const Rows& rows, const QStringList& expected, const QString& what)
{
    for (const QString& c : expected)
        EXPECT_TRUE(rows.columns.contains(c)) << what.toStdString() << " lacks " << c.toStdString();
}

TEST(DemoDatabaseBuild, ReplacesAnExistingFileAndDescribesItsUsers)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("demo.db"));
    {
        QFile junk(path);
        ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
        junk.write("not a database");
    }
    cv::host::buildDemoDatabase(path);
    cv::host::buildDemoDatabase(path);

    cv::db::Connection db(QStringLiteral("Provider=SQLite;Data Source=") + path);
    db.open();
    cv::db::Query query(&db);
    query.setSql(
        QStringLiteral("SELECT e.BCE03, e.BCK01, k.BCK03, "
                       "(SELECT group_concat(command) FROM (SELECT g.command FROM cv_grants g "
                       " WHERE g.employee_id = e.BCE01 AND g.action IS NULL ORDER BY g.command)) "
                       "FROM BCE1 e JOIN BCK1 k ON k.BCK01 = e.BCK01 WHERE e.BCE01 = :id"));
    bool sawDefault = false;
    for (const cv::host::DemoUser& user : cv::host::demoUsers()) {
        query.parameter(u"id").setValue(user.employeeId);
        query.open();
        ASSERT_FALSE(query.isEmpty()) << user.employeeId;
        cv::db::RecordSet& r = query.records();
        EXPECT_EQ(r.value(0).toString(), user.name);
        EXPECT_EQ(r.value(1).toInt(), user.departmentId);
        EXPECT_EQ(r.value(2).toString(), user.department);
        EXPECT_FALSE(r.value(3).isNull()) << user.employeeId << " may open no command";
        if (user.employeeId == cv::host::defaultDemoEmployeeId()) {
            sawDefault = true;
            EXPECT_EQ(r.value(3).toString(), QStringLiteral("1,2,3"));
        }
    }
    EXPECT_TRUE(sawDefault);
    EXPECT_EQ(cv::host::demoUserHelp().size(), qsizetype(cv::host::demoUsers().size()));
}

TEST_F(DemoDatabaseTest, EveryScriptByNumberRunsAndReturnsTheContractColumns)
{
    struct Case {
        int number;
        std::vector<FormatArg> args;
        QStringList columns;
    };
    const std::vector<Case> cases = {
        {1485, {text("CV.DocMedApply001")}, {"Name", "id", "xDefault"}},
        {16817, {number(1002)}, kApplicationColumns},
        {16821, {number(1001)}, kApplicationColumns},
        {16822, {}, kApplicationColumns},
        {16823, {}, {"VAA01", "VAA05"}},
        {16937, {number(11), text(day(-3)), text(day(1))}, kOperationListColumns},
        {16941, {number(11), text(day(-3)), text(day(1))}, kOperationListColumns},
        {16938, {number(1)}, kItemColumns},
        {16942, {number(7)}, kItemColumns},
        {16939, {number(1)}, kOperationColumns},
        {16943, {number(7)}, kOperationColumns},
        {16940, {number(1)}, kHeaderColumns},
        {16944, {number(7)}, kHeaderColumns},
        {18328, {}, {"ID", "ParentID", "Name", "ReportCode"}},
        {18330, {number(103), number(2)}, kLineColumns},
        {18331, {number(103)}, {"VAO15"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.number);
        const QVariant body = scalar(QStringLiteral("SELECT body FROM cv_scripts WHERE id = :id"),
                                     {{"id", c.number}});
        ASSERT_FALSE(body.isNull());
        const Rows rows =
            select(cv::text::format(body.toString(), std::span<const FormatArg>(c.args)));
        expectColumns(rows, c.columns, QString::number(c.number));
        EXPECT_FALSE(rows.empty());
    }
}

TEST_F(DemoDatabaseTest, Script86FindsScriptsByCode)
{
    const QString body =
        scalar(QStringLiteral("SELECT body FROM cv_scripts WHERE id = 86")).toString();
    EXPECT_EQ(body, QStringLiteral("SELECT id AS ID FROM cv_scripts WHERE code = %s"));

    const std::vector<std::pair<QString, QVariant>> cases = {
        {"CV.DocMedApply.Q.001", 1670},
        {"CV.Clinical.YS.ZLJHTC.000002", 16946},
        {"CV.DocMedApply.R.001", 1661},
        {"CV.Unknown'Code", QVariant()},
    };
    for (const auto& [code, id] : cases) {
        const Rows rows = select(cv::text::format(body, {text(code)}));
        ASSERT_EQ(rows.columns, QStringList{"ID"});
        EXPECT_EQ(rows.empty() ? QVariant() : rows.at(0, "ID"), id) << code.toStdString();
    }
}

TEST_F(DemoDatabaseTest, Script1485ListsTheFormatsOfEveryReportCodeWithOneDefault)
{
    for (const char* code :
         {"CV.Clinical.YSYZBL.000002", "CV.DocMedApply001", "CV.Clinical.U.000002", "HIS.S.000024",
          "HIS.S.000025", "TJ999.000001"}) {
        const Rows rows = select(script(1485, {text(code)}));
        ASSERT_FALSE(rows.empty()) << code;
        EXPECT_EQ(rows.column("xDefault").count(QVariant(1)), 1) << code;
    }
    EXPECT_TRUE(select(script(1485, {text("O'Brien")})).empty());
}

TEST_F(DemoDatabaseTest, ApplicationListsSplitByApplicantApproverAndStatus)
{
    const Rows own = select(script(16817, {number(1001)}));
    ASSERT_FALSE(own.empty());
    for (const QVariant& applicant : own.column("BCE01"))
        EXPECT_EQ(applicant.toInt(), 1001);
    EXPECT_TRUE(own.column("VDZ17").contains(QVariant(0)));
    EXPECT_TRUE(own.column("VDZ17").contains(QVariant(1)));

    for (const QVariant& approver : select(script(16821, {number(1001)})).column("BCE01A"))
        EXPECT_EQ(approver.toInt(), 1001);
    for (const QVariant& status : select(script(16822, {})).column("VDZ17"))
        EXPECT_EQ(status.toInt(), 0);
}

TEST_F(DemoDatabaseTest, OperationListsFollowDepartmentDatesAndStatus)
{
    const Rows pending = select(script(16937, {number(11), text(day(-3)), text(day(1))}));
    const QVariantList ids = pending.column("VAF01");
    EXPECT_TRUE(ids.contains(QVariant(1)));
    EXPECT_FALSE(ids.contains(QVariant(5))) << "applied for six days ago";
    EXPECT_FALSE(ids.contains(QVariant(7))) << "approved";
    EXPECT_FALSE(ids.contains(QVariant(11))) << "another department";
    EXPECT_TRUE(
        select(script(16937, {number(11), text("2001-01-01"), text("2001-01-02")})).empty());

    const Rows approved = select(script(16941, {number(11), text(day(-3)), text(day(1))}));
    EXPECT_TRUE(approved.column("VAF01").contains(QVariant(7)));
    EXPECT_FALSE(approved.column("VAF01").contains(QVariant(1)));

    // Pending items keep the plain assistant category the list renumbers;
    // approved ones carry the numbered codes, which the category list names.
    EXPECT_EQ(select(script(16938, {number(1)})).column("ACE01").count(QVariant("02")), 2);
    const QVariantList approvedCodes = select(script(16942, {number(7)})).column("ACE01");
    EXPECT_TRUE(approvedCodes.contains(QVariant("021")));
    const Rows categories = select(scalar(QStringLiteral("SELECT body FROM cv_scripts WHERE code = "
                                                         "'CV.Clinical.YS.ZLJHTC.000002'"))
                                       .toString());
    expectColumns(categories, {"ACE01", "ACE02"}, "categories");
    for (const char* code : {"01", "02", "021", "022", "023", "A2", "B2", "C2"})
        EXPECT_TRUE(categories.column("ACE01").contains(QVariant(code))) << code;
}

TEST_F(DemoDatabaseTest, ScriptsRunByCodeBindTheirDeclaredParameters)
{
    const Rows scripts =
        select(QStringLiteral("SELECT id, code, body FROM cv_scripts WHERE code IS NOT NULL"));
    ASSERT_GE(scripts.rows.size(), 7u);
    for (std::size_t i = 0; i < scripts.rows.size(); ++i) {
        const int id = scripts.at(i, "id").toInt();
        SCOPED_TRACE(scripts.at(i, "code").toString().toStdString());
        Params params;
        const Rows declared = select(
            QStringLiteral("SELECT name, default_value FROM cv_script_params WHERE script_id = :id "
                           "ORDER BY ord"),
            {{"id", id}});
        for (std::size_t p = 0; p < declared.rows.size(); ++p)
            params.emplace_back(declared.at(p, "name").toString(),
                                defaultValue(declared.at(p, "default_value")));
        const Rows rows = select(scripts.at(i, "body").toString(), params);
        EXPECT_FALSE(rows.empty());
        if (rows.columns.contains(QStringLiteral("VFK12")))
            expectColumns(rows, kAuditColumns, QString::number(id));
    }

    // Every report of the tree is a script, 1661 lists pending prescriptions
    // of all three kinds.
    const Rows tree = select(script(18328, {}));
    for (std::size_t i = 0; i < tree.rows.size(); ++i) {
        if (tree.at(i, "ReportCode").toString().isEmpty())
            continue;
        EXPECT_EQ(scalar(QStringLiteral("SELECT code FROM cv_scripts WHERE id = :id"),
                         {{"id", tree.at(i, "ID")}}),
                  tree.at(i, "ReportCode"));
    }
    EXPECT_TRUE(tree.column("ID").contains(QVariant(1661)));
    const Rows pending =
        select(scalar(QStringLiteral("SELECT body FROM cv_scripts WHERE id = 1661")).toString(),
               {{"BeginDate", day(-7)}, {"EndDate", day(0)}});
    for (const int kind : {0, 1, 2})
        EXPECT_TRUE(pending.column("CBM06").contains(QVariant(kind))) << kind;
    for (const QVariant& status : pending.column("VFK12"))
        EXPECT_EQ(status.toInt(), 0);
}

TEST_F(DemoDatabaseTest, EverySearchFindsByPartOfAChineseName)
{
    struct Case {
        int id;
        QString search;
        QString field;
        QString found;
    };
    const std::vector<Case> cases = {
        {16820, "培南", "BBY05", "注射用美罗培南"},
        {16820, "AMX", "BBY05", "阿莫西林胶囊"},
        {828, "张", "BCE03", "张伟"},
        {16953, "阑尾", "BBX05", "腹腔镜下阑尾切除术"},
        {130, "外科", "BCk03", "普外科"},
        {18329, "用量", "BLK04", "用法、用量不适宜"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id);
        const Rows def = select(
            QStringLiteral("SELECT body, key_field, columns FROM cv_searches WHERE id = :id"),
            {{"id", c.id}});
        ASSERT_FALSE(def.empty());
        const QString body = def.at(0, "body").toString();
        const Rows found = select(body, {{"SearchText", c.search}});
        EXPECT_TRUE(found.column(c.field).contains(QVariant(c.found))) << c.search.toStdString();
        QStringList shown{def.at(0, "key_field").toString()};
        for (const QString& column : def.at(0, "columns").toString().split(u','))
            shown.append(column.section(u':', 0, 0));
        expectColumns(found, shown, QString::number(c.id));
        EXPECT_GT(select(body, {{"SearchText", QString()}}).rows.size(), found.rows.size());
    }
}

TEST_F(DemoDatabaseTest, DeleteScriptRemovesOnlyPendingApplications)
{
    const int pending =
        scalar(QStringLiteral("SELECT min(VDZ01) FROM VDZ1 WHERE VDZ17 = 0")).toInt();
    const int approved =
        scalar(QStringLiteral("SELECT min(VDZ01) FROM VDZ1 WHERE VDZ17 = 1")).toInt();
    execute(script(16818, {number(pending)}));
    execute(script(16818, {number(approved)}));
    const QString remaining = QStringLiteral("SELECT count(*) FROM VDZ1 WHERE VDZ01 = :id");
    EXPECT_EQ(scalar(remaining, {{"id", pending}}).toInt(), 0);
    EXPECT_EQ(scalar(remaining, {{"id", approved}}).toInt(), 1);
}

TEST_F(DemoDatabaseTest, MedicationApplicationsAreInsertedAndUpdated)
{
    const int before = scalar(QStringLiteral("SELECT max(VDZ01) FROM VDZ1")).toInt();
    const int pending =
        scalar(QStringLiteral("SELECT min(VDZ01) FROM VDZ1 WHERE VDZ17 = 0 AND BCE01 = 1002"))
            .toInt();
    const QString error = saveApplications(
        QStringLiteral(
            R"(<Ie RecordID="1" VDZ17="0" ACF01="2" VAA01="12" VAA07="34" BBY01="4" BBY05="注射用美罗培南" )"
            R"(VDZ19="g" VDZ18="2.5" VDZ20="2.5" BCE01="1002" BCE03="李娜" VDZ08="2024-03-05 14:07:09:123" VDZ09="5"/>)"
            R"(<Ie RecordID="2" VDZ01="0" VDZ17="0" ACF01="2" VAA01="12" VAA07="34" BBY01="14" BCE01="1002" VDZ09="3" VDZ16="低蛋白血症"/>)"
            R"(<Ie RecordID="3" VDZ01="%1" VDZ17="1" ACF01="2" VAA01="1" VAA07="1" BBY01="5" BCE01="1002" VDZ09="7" )"
            R"(VDZ18="1" VDZ20="14" BCE01A="1001" BCE03A="张伟" VDZ12="2024-03-06 08:00:00:000" VDZ13="2024-03-13 08:00:00:000" VDZ14="7"/>)")
            .arg(pending));
    ASSERT_TRUE(error.isEmpty()) << error.toStdString();

    const Rows added = select(
        QStringLiteral("SELECT VAA01, VAA07, BBY01, VDZ08, VDZ09, VDZ17, VDZ18, BCE03, VDZ16 "
                       "FROM VDZ1 WHERE VDZ01 > :id ORDER BY VDZ01"),
        {{"id", before}});
    ASSERT_EQ(added.rows.size(), 2u);
    EXPECT_EQ(added.at(0, "BBY01").toInt(), 4);
    EXPECT_EQ(added.at(0, "VDZ08").toString(), QStringLiteral("2024-03-05 14:07:09"));
    EXPECT_DOUBLE_EQ(added.at(0, "VDZ18").toDouble(), 2.5);
    EXPECT_EQ(added.at(1, "BBY01").toInt(), 14);
    EXPECT_EQ(added.at(1, "BCE03").toString(), QStringLiteral("李娜")) << "named from BCE1";
    EXPECT_EQ(added.at(1, "VDZ16").toString(), QStringLiteral("低蛋白血症"));
    EXPECT_FALSE(added.at(1, "VDZ08").isNull());

    const Rows updated = select(
        QStringLiteral("SELECT VDZ17, BCE01A, BCE03A, VDZ09, VDZ12, VDZ13, VDZ14, VDZ15, VDZ20, "
                       "BBY01 FROM VDZ1 WHERE VDZ01 = :id"),
        {{"id", pending}});
    EXPECT_EQ(updated.at(0, "VDZ17").toInt(), 1);
    EXPECT_EQ(updated.at(0, "BCE01A").toInt(), 1001);
    EXPECT_EQ(updated.at(0, "BCE03A").toString(), QStringLiteral("张伟"));
    EXPECT_EQ(updated.at(0, "VDZ09").toInt(), 7);
    EXPECT_EQ(updated.at(0, "BBY01").toInt(), 5);
    EXPECT_EQ(updated.at(0, "VDZ13").toString(), QStringLiteral("2024-03-13 08:00:00"));
    EXPECT_DOUBLE_EQ(updated.at(0, "VDZ20").toDouble(), 14);
    EXPECT_FALSE(updated.at(0, "VDZ15").isNull()) << "stamped when approved";

    // An approved application keeps what the doctor applied for.
    ASSERT_TRUE(
        saveApplications(QStringLiteral(R"(<Ie VDZ01="%1" VDZ17="1" VAA01="1" VAA07="1" BBY01="9" )"
                                        R"(BCE01="1002" VDZ09="30" BCE01A="1001"/>)")
                             .arg(pending))
            .isEmpty());
    EXPECT_EQ(scalar(QStringLiteral("SELECT BBY01 || '/' || VDZ09 FROM VDZ1 WHERE VDZ01 = :id"),
                     {{"id", pending}}),
              QVariant("5/7"));
}

TEST_F(DemoDatabaseTest, RefusedMedicationApplicationsChangeNothing)
{
    const QString own =
        scalar(QStringLiteral("SELECT VDZ01 FROM VDZ1 WHERE VDZ17 = 0 AND BCE01 = 1001"))
            .toString();
    const QString approved =
        scalar(QStringLiteral("SELECT min(VDZ01) FROM VDZ1 WHERE VDZ17 = 1 AND BCE01A <> 1021"))
            .toString();
    const QString good =
        QStringLiteral(R"(<Ie VDZ17="0" VAA01="3" VAA07="3" BBY01="4" BCE01="1002" VDZ09="5"/>)");
    struct Case {
        const char* name;
        QString rows;
        QString message;
    };
    const std::vector<Case> cases = {
        {"own application approved by its applicant",
         QStringLiteral(R"(<Ie VDZ01="%1" VDZ17="1" VAA01="2" VAA07="2" BBY01="14" BCE01="1001" )"
                        R"(VDZ09="3" BCE01A="1001"/>)")
             .arg(own),
         "不能审批本人提交的用药申请"},
        {"approved by someone else",
         QStringLiteral(R"(<Ie VDZ01="%1" VDZ17="1" VAA01="1" VAA07="1" BBY01="4" BCE01="1002" )"
                        R"(VDZ09="3" BCE01A="1021"/>)")
             .arg(approved),
         "审批，不能再修改"},
        {"no visit", good + R"(<Ie VDZ17="0" VAA01="3" BBY01="4" BCE01="1002" VDZ09="5"/>)",
         "第2行就诊ID不能为空"},
        {"unknown drug",
         R"(<Ie VDZ17="0" VAA01="3" VAA07="3" BBY01="999" BCE01="1002" VDZ09="5"/>)", "药品不存在"},
        {"no days",
         good + R"(<Ie VDZ17="0" VAA01="3" VAA07="3" BBY01="4" BCE01="1002" VDZ09="0"/>)",
         "申请用药天数必须大于0"},
        {"deleted meanwhile",
         good +
             R"(<Ie VDZ01="99999" VDZ17="0" VAA01="3" VAA07="3" BBY01="4" BCE01="1002" VDZ09="5"/>)",
         "用药申请不存在或已被删除"},
        {"approval without approver",
         R"(<Ie VDZ17="1" VAA01="3" VAA07="3" BBY01="4" BCE01="1002" VDZ09="5"/>)",
         "审批人不能为空"},
        {"end before start",
         R"(<Ie VDZ17="0" VAA01="3" VAA07="3" BBY01="4" BCE01="1002" VDZ09="5" )"
         R"(VDZ12="2024-03-06 08:00:00:000" VDZ13="2024-03-01 08:00:00:000"/>)",
         "终止时间不能早于开始时间"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString before = dump({"VDZ1"});
        const QString error = saveApplications(c.rows);
        EXPECT_TRUE(error.contains(c.message)) << error.toStdString();
        EXPECT_EQ(dump({"VDZ1"}), before);
    }
    // The message reaches the user after the form's "保存失败." as it is.
    EXPECT_EQ(saveApplications(
                  QStringLiteral(R"(<Ie VDZ17="0" VAA01="3" BBY01="4" BCE01="1002" VDZ09="5"/>)")),
              QStringLiteral("保存用药申请失败：第1行就诊ID不能为空。"));
    EXPECT_FALSE(call(QStringLiteral("Exec CVDoctorMedicationApply :XML"),
                      {{"XML", QStringLiteral("<Other/>")}})
                     .isEmpty());
}

TEST_F(DemoDatabaseTest, OperationApprovalRecordsApproverItemsAndOperations)
{
    // Application 4 of 李娜 has its anaesthesia (104) and an additional
    // operation (117); the approver changes the first, drops the second and
    // adds one.
    const QString xml = QStringLiteral(
        R"(<Root><Param><Ie UserID="1001" UserName="张伟"/></Param>)"
        R"(<VEI1><Ie RecordID="1" VAF01="4" VAF14="2024-05-02 16:40:00:000" VAF22="腹腔镜右半结肠切除术" VAF35="1" VAA01="4" VAF06="4" VAF04="2"/></VEI1>)"
        R"(<VEJ1><Ie RecordID="1" VAF01="4" ACE01="01" BCE01="1001" BCE02="1001" BCE03="张伟"/>)"
        R"(<Ie RecordID="2" VAF01="4" ACE01="021" BCE01="1002" BCE02="1002" BCE03="李娜"/>)"
        R"(<Ie RecordID="3" VAF01="4" ACE01="03" BCE01="0" BCE02="手术等级" BCE03="四级"/></VEJ1>)"
        R"(<VEK1><Ie RecordID="1" VAF01="104" VAF01A="4" VAA01="4" VAF06="4" VAF04="2" BBX01="32" VAF22="椎管内麻醉" BCK01B="31"/>)"
        R"(<Ie RecordID="2" VAF01="0" VAF01A="4" VAA01="4" VAF06="4" VAF04="2" BBX01="30" VAF22="胸腔闭式引流术" BCK01B="32"/></VEK1></Root>)");
    const QString error = approveOperation(xml);
    ASSERT_TRUE(error.isEmpty()) << error.toStdString();

    EXPECT_EQ(scalar(QStringLiteral("SELECT BCE01 || BCE03 FROM VEI1 WHERE VAF01 = 4")),
              QVariant("1001张伟"));
    const Rows header = select(
        QStringLiteral("SELECT VAF10, VAF14, VAF22, VAF23, VAF35 FROM VAF1 WHERE VAF01 = 4"));
    EXPECT_EQ(header.at(0, "VAF10").toInt(), 2);
    EXPECT_EQ(header.at(0, "VAF14").toString(), QStringLiteral("2024-05-02 16:40:00"));
    EXPECT_EQ(header.at(0, "VAF22").toString(), QStringLiteral("腹腔镜右半结肠切除术"));
    EXPECT_TRUE(header.at(0, "VAF23").isNull()) << "cleared in the dialog";
    EXPECT_EQ(header.at(0, "VAF35").toInt(), 1);

    const Rows items = select(script(16942, {number(4)}));
    EXPECT_EQ(items.column("ACE01"), (QVariantList{"01", "021", "03"}));
    EXPECT_EQ(items.column("BCE03"), (QVariantList{"张伟", "李娜", "四级"}));

    const Rows operations = select(script(16943, {number(4)}));
    ASSERT_EQ(operations.rows.size(), 2u);
    EXPECT_EQ(operations.at(0, "VAF01").toInt(), 104);
    EXPECT_EQ(operations.at(0, "BBX01").toInt(), 32);
    EXPECT_EQ(operations.at(1, "VAF22").toString(), QStringLiteral("胸腔闭式引流术"));
    EXPECT_EQ(operations.at(1, "BCK03B").toString(), QStringLiteral("手术室"));
    EXPECT_EQ(
        scalar(QStringLiteral("SELECT count(*) FROM VAF1 WHERE VAF01A = 4 AND VAF10 <> 2")).toInt(),
        0);

    const Rows approved = select(script(16941, {number(11), text(day(0)), text(day(1))}));
    EXPECT_TRUE(approved.column("VAF01").contains(QVariant(4)));
    EXPECT_TRUE(approveOperation(xml).isEmpty()) << "the same approver may confirm again";
}

TEST_F(DemoDatabaseTest, OperationApprovalWithoutItemsOrOperationsElementsKeepsThem)
{
    const QString before = dump({"VEJ1"});
    ASSERT_TRUE(
        approveOperation(
            QStringLiteral(R"(<Root><Param><Ie UserID="1001"/></Param><VEI1><Ie VAF01="2" )"
                           R"(VAF14="2024-05-02 10:15:00:000" VAF22="胆囊切除"/></VEI1></Root>)"))
            .isEmpty());
    EXPECT_EQ(dump({"VEJ1"}), before);
    EXPECT_EQ(scalar(QStringLiteral("SELECT count(*) FROM VAF1 WHERE VAF01A = 2")).toInt(), 1);

    // An empty item list is the approver's choice: the items go.
    ASSERT_TRUE(
        approveOperation(
            QStringLiteral(
                R"(<Root><Param><Ie UserID="1001"/></Param><VEI1><Ie VAF01="2" )"
                R"(VAF14="2024-05-02 10:15:00:000" VAF22="胆囊切除"/></VEI1><VEJ1/></Root>)"))
            .isEmpty());
    EXPECT_EQ(scalar(QStringLiteral("SELECT count(*) FROM VEJ1 WHERE VAF01 = 2")).toInt(), 0);
}

TEST_F(DemoDatabaseTest, RefusedOperationApprovalsChangeNothing)
{
    const auto doc = [](const QString& user, int app, const QString& items, const QString& ops) {
        return QStringLiteral("<Root>%1<VEI1><Ie VAF01=\"%2\" VAF14=\"2024-05-02 10:00:00:000\" "
                              "VAF22=\"手术\"/></VEI1><VEJ1>%3</VEJ1><VEK1>%4</VEK1></Root>")
            .arg(user)
            .arg(app)
            .arg(items, ops);
    };
    const QString director =
        QStringLiteral(R"(<Param><Ie UserID="1001" UserName="张伟"/></Param>)");
    const QString surgeon = QStringLiteral(R"(<Ie VAF01="1" ACE01="01" BCE01="1001"/>)");
    struct Case {
        const char* name;
        QString xml;
        QString message;
    };
    const std::vector<Case> cases = {
        {"own application", doc(director, 6, {}, {}), "不能审批本人提交的手术申请"},
        {"approved by someone else", doc(director, 10, {}, {}), "已由梁晨审批"},
        {"unknown application", doc(director, 999, {}, {}), "手术申请不存在"},
        {"no approver", doc({}, 1, surgeon, {}), "缺少审批人"},
        {"unknown approver", doc(R"(<Param><Ie UserID="4242"/></Param>)", 1, {}, {}),
         "审批人不存在"},
        {"staff item without staff",
         doc(director, 1, surgeon + R"(<Ie VAF01="1" ACE01="A2" BCE01="0"/>)", {}),
         "手术申请单第2行未选择人员"},
        {"item without category", doc(director, 1, R"(<Ie VAF01="1" ACE01="--" BCE01="0"/>)", {}),
         "未选择分类"},
        {"item of another application",
         doc(director, 1, R"(<Ie VAF01="2" ACE01="01" BCE01="1001"/>)", {}), "不属于本申请"},
        {"operation typed but not chosen",
         doc(director, 1, surgeon, R"(<Ie VAF01="0" VAF01A="1" VAF22="阑尾"/>)"),
         "未从手术目录中选择手术"},
        {"operation of another application",
         doc(director, 1, surgeon, R"(<Ie VAF01="102" VAF01A="1" BBX01="31"/>)"),
         "不存在或不属于本申请"},
    };
    const QStringList tables = {"VAF1", "VEI1", "VEJ1"};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString before = dump(tables);
        const QString error = approveOperation(c.xml);
        EXPECT_TRUE(error.contains(c.message)) << error.toStdString();
        EXPECT_EQ(dump(tables), before);
    }
}

TEST_F(DemoDatabaseTest, AuditSetsStatusReasonAuditorAndTime)
{
    const Rows pending = select(
        QStringLiteral("SELECT VFK01, CBM01 FROM VFK1 WHERE VFK12 = 0 ORDER BY VFK01 LIMIT 4"));
    ASSERT_EQ(pending.rows.size(), 4u);
    const auto id = [&](std::size_t i) { return pending.at(i, "VFK01").toString(); };

    // The second row is found by its prescription alone; the unticked one stays.
    const QString approve = QStringLiteral(R"(<Ie RecordID="1" FCheck="1" VFK01="%1" CBM01="1"/>)"
                                           R"(<Ie RecordID="2" FCheck="1" CBM01="%2"/>)"
                                           R"(<Ie RecordID="3" FCheck="0" VFK01="%3"/>)")
                                .arg(id(0), pending.at(1, "CBM01").toString(), id(2));
    ASSERT_TRUE(audit(approve, 1, 1011, QStringLiteral("郑丽")).isEmpty());
    const QString query =
        QStringLiteral("SELECT VFK12, VFK13, BCE01B, BCE03B, VFK15 FROM VFK1 WHERE VFK01 = :id");
    for (const std::size_t i : {0u, 1u}) {
        const Rows r = select(query, {{"id", id(i)}});
        EXPECT_EQ(r.at(0, "VFK12").toInt(), 1);
        EXPECT_EQ(r.at(0, "BCE01B").toInt(), 1011);
        EXPECT_EQ(r.at(0, "BCE03B").toString(), QStringLiteral("郑丽"));
        EXPECT_FALSE(r.at(0, "VFK15").isNull());
    }
    EXPECT_EQ(select(query, {{"id", id(2)}}).at(0, "VFK12").toInt(), 0);

    // The same pharmacist may change their mind; a rejection keeps its reason.
    const QString reject = QStringLiteral(R"(<Ie FCheck="1" VFK01="%1" VFK13="用法、用量不适宜"/>)"
                                          R"(<Ie FCheck="1" VFK01="%2" VFK13="重复给药"/>)")
                               .arg(id(0), id(3));
    ASSERT_TRUE(audit(reject, 2, 1011, QString()).isEmpty());
    const Rows rejected = select(query, {{"id", id(0)}});
    EXPECT_EQ(rejected.at(0, "VFK12").toInt(), 2);
    EXPECT_EQ(rejected.at(0, "VFK13").toString(), QStringLiteral("用法、用量不适宜"));
    EXPECT_EQ(rejected.at(0, "BCE03B").toString(), QStringLiteral("郑丽")) << "named from BCE1";
}

TEST_F(DemoDatabaseTest, RefusedAuditsChangeNothing)
{
    const QString pending =
        scalar(QStringLiteral("SELECT min(VFK01) FROM VFK1 WHERE VFK12 = 0")).toString();
    const QString approvedBy1011 =
        scalar(QStringLiteral("SELECT min(VFK01) FROM VFK1 WHERE VFK12 = 1 AND BCE01B = 1011"))
            .toString();
    const QString forced =
        scalar(QStringLiteral("SELECT min(VFK01) FROM VFK1 WHERE VFK12 = 3")).toString();
    const QString ok =
        QStringLiteral(R"(<Ie FCheck="1" VFK01="%1" VFK13="重复给药"/>)").arg(pending);
    struct Case {
        const char* name;
        QString rows;
        int operate;
        int employee;
        QString message;
    };
    const std::vector<Case> cases = {
        {"rejection without reason",
         ok + QStringLiteral(R"(<Ie FCheck="1" VFK01="%1" VFK13=" "/>)").arg(pending), 2, 1012,
         "第2行"},
        {"rejection without reason names the rule",
         QStringLiteral(R"(<Ie FCheck="1" VFK01="%1"/>)").arg(pending), 2, 1012,
         "审核不通过必须填写不通过原因"},
        {"audited by someone else",
         ok + QStringLiteral(R"(<Ie FCheck="1" VFK01="%1"/>)").arg(approvedBy1011), 1, 1012,
         "已由郑丽审核"},
        {"forced through", QStringLiteral(R"(<Ie FCheck="1" VFK01="%1"/>)").arg(forced), 1, 1012,
         "已强行通过"},
        {"unknown record", ok + R"(<Ie FCheck="1" VFK01="99999" CBM01="99999"/>)", 1, 1012,
         "审核记录不存在"},
        {"unknown operation", ok, 3, 1012, "审核操作无效"},
        {"unknown pharmacist", ok, 1, 4242, "审核药师不存在"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString before = dump({"VFK1"});
        const QString error = audit(c.rows, c.operate, c.employee, QStringLiteral("孙涛"));
        EXPECT_TRUE(error.contains(c.message)) << error.toStdString();
        EXPECT_EQ(dump({"VFK1"}), before);
    }
}

} // namespace
