// The save path end to end: form-shaped in-memory tables written into a host
// XML document, the document handed to the saving procedure through CoreDM,
// and the effect read back from a fresh demo database.
#include "../shell/ShellFixture.h"

#include "data/DataSetXml.h"
#include "data/TCoreDM.h"

#include "host/HostDatabase.h"
#include "host/demo/DemoDatabase.h"
#include "host/xml/XmlDocument.h"
#include "platform/abi/Boundary.h"
#include "platform/abi/Exception.h"
#include "platform/abi/Variant.h"
#include "platform/abi/WideString.h"
#include "platform/text/Format.h"

#include <QDateTime>
#include <QProcess>
#include <QTemporaryDir>

#include <functional>
#include <utility>
#include <vector>

using namespace cv;
using namespace cv::data;

namespace {

using Params = std::vector<std::pair<QString, QVariant>>;
using Edit = std::function<void(MemTable&)>;

const QString kApplyCall = QStringLiteral("Exec CVDoctorMedicationApply :XML");
const QString kApprovalCall = QStringLiteral("Exec CVOperationApproval :XML");
const QString kAuditCall =
    QStringLiteral("exec CvDocMedApply_VFK1_Edit :lxml,:operate,:lbce01,:lbce03");

// The applicant, the ward's director and two pharmacists of the demo.
constexpr int kApplicant = 1002;
constexpr int kDirector = 1001;
constexpr int kPharmacist = 1011;
constexpr int kOtherPharmacist = 1012;

QString cellText(const QVariant& value)
{
    return value.isNull() ? QStringLiteral("NULL") : value.toString();
}

// Sets one field of the current row, editing it first when it is not yet.
void put(MemTable& table, const QString& field, const QVariant& value)
{
    if (table.state() == MemTable::State::Browse)
        table.edit();
    table.setValue(field, value);
}

void setAttribute(corvelian::TCVXMLNode* node, const QString& name, const QVariant& value)
{
    corvelian::CvVariant variant;
    corvelian::CvVariantInit(&variant);
    toCvVariant(value, &variant);
    const corvelian::CvStatus status = node->SetAttributeValue(wideArg(name), &variant);
    corvelian::CvVariantClear(&variant);
    checkHost(status, node);
}

class SaveRoundTripTest : public cv::test::ShellFixture {
protected:
    void SetUp() override
    {
        ShellFixture::SetUp();
        ASSERT_TRUE(dir.isValid());
        const QString path = dir.filePath(QStringLiteral("demo.db"));
        host::buildDemoDatabase(path);
        database =
            std::make_shared<host::HostDatabase>(host::HostDatabase::sqliteConnectionString(path));
        host::HostDatabase::install(host.state(), database);
        host.state().xmlDocumentFactory = [] {
            return ComPtr<corvelian::ICVXMLDocument>::adopt(host::createXmlDocument());
        };
        host.state().scriptSource = [db = database](int number) {
            const host::QueryResult r =
                db->run(QStringLiteral("SELECT body FROM cv_scripts WHERE id = %1").arg(number));
            return r.rows.empty() ? QString() : r.rows.front()[0].toString();
        };
        // The module's own connection to the demo file (connection mode 0).
        app().RegisterLifecycleCallback(CoreDMStage);
        startHost();
        ASSERT_NE(CoreDM(), nullptr);
        CoreDM()->ADOConnection1().setConnectionString(database->connectionString());
        CoreDM()->ADOConnection1().open();
    }

    // Rows of a statement on the host's connection, one "a|b|c" line each.
    QStringList rows(const QString& sql) const
    {
        QStringList lines;
        for (const auto& row : database->run(sql).rows) {
            QStringList cells;
            for (const QVariant& v : row)
                cells << cellText(v);
            lines << cells.join(QLatin1Char('|'));
        }
        return lines;
    }

    QString value(const QString& sql) const { return rows(sql).value(0); }

    QStringList dump(const QStringList& tables) const
    {
        QStringList lines;
        for (const QString& t : tables)
            lines << t << rows(QStringLiteral("SELECT * FROM %1 ORDER BY 1").arg(t));
        return lines;
    }

    // A form table loaded as the forms load theirs: a host script filled with
    // one id, all fields writable.
    void loadScript(MemTable& table, int number, int id)
    {
        const text::FormatArg arg = text::FormatArg::integer(id);
        CoreDM()->OpenSQLToTable(table, app().FormatScript(number, std::span(&arg, 1)), false);
    }

    // The document: parameter element (if any), then each table under its path;
    // the result is the root element's text.
    QString buildDocument(const std::vector<std::pair<QString, MemTable*>>& tables,
                          const Params& param = {})
    {
        ComPtr<corvelian::ICVXMLDocument> document = app().CreateXMLDocument();
        if (!param.empty()) {
            ComPtr<corvelian::TCVXMLNode> node;
            checkHost(
                document->ForceNodeByPath(wideArg(QStringLiteral("/Root/Param/Ie")), node.put()),
                document.get());
            for (const auto& [name, v] : param)
                setAttribute(node.get(), name, v);
        }
        for (const auto& [path, table] : tables)
            DataSetToXML(*table, document.get(), path);
        ComPtr<corvelian::TCVXMLNode> root;
        checkHost(document->GetRootElement(root.put()), document.get());
        WideString xml;
        checkHost(root->GetXML(xml.put()), root.get());
        return xml.toQString();
    }

    static void save(const QString& statement, const QString& xmlName, const QString& xml,
                     const Params& more = {})
    {
        std::unique_ptr<db::Query> query = CoreDM()->NewQuery(true);
        query->setSql(statement);
        query->parameter(xmlName).setValue(xml);
        for (const auto& [name, v] : more)
            query->parameter(name).setValue(v);
        ExecDataSet(*query, false, 0, QString(), true, true, false);
    }

    // The save is refused with `message`, the tables keep every row as it was,
    // and the failure was logged before and rolled back after.
    void expectRefused(const std::function<void()>& run, const QString& statement,
                       const QString& message, const QStringList& tables)
    {
        const QStringList before = dump(tables);
        host.state().log.clear();
        try {
            run();
            ADD_FAILURE() << "the procedure accepted the document";
        } catch (const Exception& e) {
            EXPECT_TRUE(e.message().contains(message)) << e.what();
        }
        EXPECT_EQ(dump(tables), before);

        QStringList titles;
        QString rollbackText;
        for (const auto& e : host.log().entries()) {
            EXPECT_EQ(e.source, QStringLiteral("CoreDm")) << e.title.toStdString();
            titles << e.title;
            if (e.title == QStringLiteral("回滚事物"))
                rollbackText = e.text;
        }
        EXPECT_EQ(titles, (QStringList{QStringLiteral("执行详情"), QStringLiteral("SQL执行"),
                                       QStringLiteral("SQL执行失败"), QStringLiteral("回滚事物"),
                                       QStringLiteral("SQL执行")}));
        QString debugCall = statement;
        debugCall.replace(QLatin1Char(':'), QStringLiteral("@Debug_"));
        EXPECT_TRUE(rollbackText.contains(debugCall)) << rollbackText.toStdString();
    }

    QTemporaryDir dir;
    std::shared_ptr<host::HostDatabase> database;
};

// --- medication applications -------------------------------------------------

const QDateTime kApplied(QDate(2024, 3, 5), QTime(9, 15, 30, 250));

class MedicationApplyTest : public SaveRoundTripTest {
protected:
    // The applicant's own list, emptied, with two new applications appended
    // as the form fills them: two of the applicant's visits, two drugs that
    // need approval.
    void fillNewApplications(MemTable& table)
    {
        loadScript(table, 16817, kApplicant);
        table.emptyTable();
        const QStringList visits =
            rows(QStringLiteral(
                     "SELECT ACF01, VAA01, VAA07 FROM VAC1 WHERE BCE01 = %1 ORDER BY VAA07 LIMIT 2")
                     .arg(kApplicant));
        const QStringList drugs = rows(QStringLiteral(
            "SELECT BBY01, BBY05, BBY06, BBY08, BBY10 FROM BBY1 WHERE BBY15 = 2 ORDER BY BBY01"));
        const QString applicantName =
            value(QStringLiteral("SELECT BCE03 FROM BCE1 WHERE BCE01 = %1").arg(kApplicant));
        ASSERT_EQ(visits.size(), 2);
        ASSERT_GE(drugs.size(), 2);
        for (int i = 0; i < 2; ++i) {
            const QStringList visit = visits[i].split(QLatin1Char('|'));
            const QStringList drug = drugs[i].split(QLatin1Char('|'));
            table.append();
            table.setValue(QStringLiteral("VDZ17"), 0);
            table.setValue(QStringLiteral("ACF01"), visit[0].toInt());
            table.setValue(QStringLiteral("VAA01"), visit[1].toInt());
            table.setValue(QStringLiteral("VAA07"), visit[2].toInt());
            table.setValue(QStringLiteral("BCE01"), kApplicant);
            table.setValue(QStringLiteral("BCE03"), applicantName);
            table.setValue(QStringLiteral("VDZ08"), kApplied);
            table.setValue(QStringLiteral("VDZ15"), kApplied);
            table.setValue(QStringLiteral("BBY01"), drug[0].toInt());
            table.setValue(QStringLiteral("BBY05"), drug[1]);
            table.setValue(QStringLiteral("BBY06"), drug[2]);
            table.setValue(QStringLiteral("VDZ19"), drug[3]);
            table.setValue(QStringLiteral("VDZ18"), drug[4].toDouble());
            table.setValue(QStringLiteral("VDZ20"), drug[4].toDouble());
            table.setValue(QStringLiteral("VDZ09"), 3 + i);
            table.setValue(QStringLiteral("VDZ16"),
                           i == 0 ? QVariant(QStringLiteral("术后感染 'A&B' <1>")) : QVariant());
            table.post();
        }
        table.first();
    }

    // The new applications as the table holds them, in the columns compared.
    static QStringList expectedRows(MemTable& table)
    {
        QStringList lines;
        for (table.first(); !table.eof(); table.next()) {
            QStringList cells;
            for (const char* f : {"ACF01", "VAA01", "VAA07", "BBY01", "VDZ09", "VDZ16", "VDZ17",
                                  "VDZ18", "VDZ19", "VDZ20", "BCE01", "BCE03", "BCE01A"})
                cells << cellText(table.value(QString::fromLatin1(f)));
            cells << kApplied.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
            lines << cells.join(QLatin1Char('|'));
        }
        return lines;
    }
};

TEST_F(MedicationApplyTest, NewApplicationsLandWithTheirValues)
{
    MemTable table;
    fillNewApplications(table);
    const QString lastBefore = value(QStringLiteral("SELECT max(VDZ01) FROM VDZ1"));

    save(kApplyCall, QStringLiteral("XML"),
         buildDocument({{QStringLiteral("/Root/VDZ1"), &table}}));

    EXPECT_EQ(rows(QStringLiteral("SELECT ACF01, VAA01, VAA07, BBY01, VDZ09, VDZ16, VDZ17, VDZ18, "
                                  "VDZ19, VDZ20, BCE01, BCE03, BCE01A, VDZ08 FROM VDZ1 "
                                  "WHERE VDZ01 > %1 ORDER BY VDZ01")
                       .arg(lastBefore)),
              expectedRows(table));
}

TEST_F(MedicationApplyTest, SavingTheLoadedListUnchangedChangesNothing)
{
    // Dates, money and approved rows go out and come back as they were.
    const QStringList before = dump({QStringLiteral("VDZ1")});
    for (int employee : {kApplicant, kDirector}) {
        SCOPED_TRACE(employee);
        MemTable table;
        loadScript(table, 16817, employee);
        ASSERT_FALSE(table.isEmpty());
        save(kApplyCall, QStringLiteral("XML"),
             buildDocument({{QStringLiteral("/Root/VDZ1"), &table}}));
    }
    EXPECT_EQ(dump({QStringLiteral("VDZ1")}), before);
}

TEST_F(MedicationApplyTest, ARefusedDocumentLeavesTheApplicationsAsTheyWere)
{
    struct Case {
        const char* name;
        Edit secondRow;
        const char* message;
    };
    const Case cases[] = {
        {"no days", [](MemTable& t) { put(t, QStringLiteral("VDZ09"), 0); },
         "保存用药申请失败：第2行申请用药天数必须大于0。"},
        {"approving one's own application",
         [](MemTable& t) {
             put(t, QStringLiteral("VDZ17"), 1);
             put(t, QStringLiteral("BCE01A"), kApplicant);
         },
         "保存用药申请失败：第2行不能审批本人提交的用药申请。"},
        {"unknown drug", [](MemTable& t) { put(t, QStringLiteral("BBY01"), 9999); },
         "保存用药申请失败：第2行药品不存在（BBY01=9999）。"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MemTable table;
        fillNewApplications(table);
        table.moveTo(2);
        c.secondRow(table);
        table.post();
        const QString xml = buildDocument({{QStringLiteral("/Root/VDZ1"), &table}});
        expectRefused([&] { save(kApplyCall, QStringLiteral("XML"), xml); }, kApplyCall,
                      QString::fromUtf8(c.message), {QStringLiteral("VDZ1")});
    }
}

// --- operation approval ------------------------------------------------------

// The three tables of the approval dialog for one application, as it loads
// them (assistants numbered "021", "022", …).
struct Approval {
    MemTable header;
    MemTable items;
    MemTable operations;
};

class OperationApprovalTest : public SaveRoundTripTest {
protected:
    void load(Approval& a, int application)
    {
        loadScript(a.header, 16940, application);
        loadScript(a.items, 16938, application);
        loadScript(a.operations, 16939, application);
        int assistant = 0;
        for (a.items.first(); !a.items.eof(); a.items.next()) {
            if (a.items.asString(QStringLiteral("ACE01")) == QStringLiteral("02")) {
                put(a.items, QStringLiteral("ACE01"), QStringLiteral("02%1").arg(++assistant));
                a.items.post();
            }
        }
        a.items.first();
    }

    QString document(Approval& a, int approver)
    {
        const QString name =
            value(QStringLiteral("SELECT BCE03 FROM BCE1 WHERE BCE01 = %1").arg(approver));
        return buildDocument(
            {{QStringLiteral("/Root/VEI1"), &a.header},
             {QStringLiteral("/Root/VEJ1"), &a.items},
             {QStringLiteral("/Root/VEK1"), &a.operations}},
            {{QStringLiteral("UserID"), approver}, {QStringLiteral("UserName"), name}});
    }

    static QStringList approvalTables()
    {
        return {QStringLiteral("VAF1"), QStringLiteral("VEI1"), QStringLiteral("VEJ1")};
    }
};

// Fails when the text is not well-formed XML.
void expectWellFormed(const QString& xml)
{
    QProcess lint;
    lint.start(QStringLiteral("xmllint"), {QStringLiteral("--noout"), QStringLiteral("-")});
    ASSERT_TRUE(lint.waitForStarted());
    lint.write(xml.toUtf8());
    lint.closeWriteChannel();
    ASSERT_TRUE(lint.waitForFinished());
    EXPECT_EQ(lint.exitCode(), 0) << lint.readAllStandardError().toStdString();
}

TEST_F(OperationApprovalTest, TheApprovalAndItsApproverAreRecorded)
{
    constexpr int application = 2; // pending, applied for by 1003
    ASSERT_EQ(value(QStringLiteral("SELECT VAF10 FROM VAF1 WHERE VAF01 = 2")), QStringLiteral("1"));
    const QString appliedAt = value(QStringLiteral("SELECT VAF14 FROM VAF1 WHERE VAF01 = 2"));
    Approval a;
    load(a, application);
    put(a.header, QStringLiteral("VAF23"), QStringLiteral("术前禁食8小时 & 备血 <400ml>"));
    put(a.header, QStringLiteral("VAF35"), 1);
    a.header.post();
    // One more operation, as the dialog adds it.
    a.operations.append();
    a.operations.setValue(QStringLiteral("VAF01"), 0);
    a.operations.setValue(QStringLiteral("VAF01A"), application);
    for (const char* f : {"VAA01", "VAF06", "VAF04"})
        a.operations.setValue(QString::fromLatin1(f), a.header.value(QString::fromLatin1(f)));
    a.operations.setValue(QStringLiteral("BBX01"), 35);
    a.operations.setValue(QStringLiteral("VAF22"), QStringLiteral("肠粘连松解术"));
    a.operations.setValue(QStringLiteral("BCK01B"), 32);
    a.operations.setValue(QStringLiteral("BCK03B"), QStringLiteral("手术室"));
    a.operations.post();

    QStringList items;
    int n = 0;
    for (a.items.first(); !a.items.eof(); a.items.next())
        items << QStringLiteral("%1|%2|%3|%4|%5")
                     .arg(++n)
                     .arg(a.items.asString(QStringLiteral("ACE01")),
                          a.items.asString(QStringLiteral("BCE01")),
                          cellText(a.items.value(QStringLiteral("BCE02"))),
                          cellText(a.items.value(QStringLiteral("BCE03"))));
    ASSERT_TRUE(items.join(QLatin1Char(',')).contains(QStringLiteral("|022|")));

    const QString xml = document(a, kDirector);
    expectWellFormed(xml);
    save(kApprovalCall, QStringLiteral("XML"), xml);

    EXPECT_EQ(value(QStringLiteral("SELECT BCE01, BCE03, VEI04 IS NOT NULL FROM VEI1 "
                                   "WHERE VAF01 = 2")),
              QStringLiteral("%1|张伟|1").arg(kDirector));
    EXPECT_EQ(value(QStringLiteral("SELECT VAF10, VAF14, VAF23, VAF35 FROM VAF1 WHERE VAF01 = 2")),
              QStringLiteral("2|%1|术前禁食8小时 & 备血 <400ml>|1").arg(appliedAt));
    EXPECT_EQ(rows(QStringLiteral("SELECT VEJ02, ACE01, BCE01, BCE02, BCE03 FROM VEJ1 "
                                  "WHERE VAF01 = 2 ORDER BY VEJ02")),
              items);
    EXPECT_EQ(rows(QStringLiteral("SELECT VAF10, BBX01, VAF22, BCK01B FROM VAF1 "
                                  "WHERE VAF01A = 2 ORDER BY VAF01")),
              (QStringList{QStringLiteral("2|31|全身麻醉(气管插管)|31"),
                           QStringLiteral("2|35|肠粘连松解术|32")}));
}

TEST_F(OperationApprovalTest, ARefusedApprovalChangesNothing)
{
    struct Case {
        const char* name;
        int application;
        int approver;
        Edit header;
        const char* message;
    };
    const Case cases[] = {
        {"approver is the applicant", 2, 1003, {}, "手术审批失败：不能审批本人提交的手术申请。"},
        {"approved by someone else",
         7,
         1004,
         {},
         "手术审批失败：该手术申请已由张伟审批，不能再次审批。"},
        {"no planned operation", 2, kDirector,
         [](MemTable& t) { put(t, QStringLiteral("VAF22"), QVariant()); },
         "手术审批失败：拟施手术不能为空。"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Approval a;
        load(a, c.application);
        if (c.header) {
            c.header(a.header);
            a.header.post();
        }
        const QString xml = document(a, c.approver);
        expectRefused([&] { save(kApprovalCall, QStringLiteral("XML"), xml); }, kApprovalCall,
                      QString::fromUtf8(c.message), approvalTables());
    }
}

// --- prescription audit ------------------------------------------------------

class RxAuditTest : public SaveRoundTripTest {
protected:
    // The audit list of the records in one status, the first two ticked (with
    // the reason, if any), the third not.
    void loadTicked(MemTable& table, int status, const QVariant& reason)
    {
        CoreDM()->OpenSQLToTable(
            table,
            QStringLiteral(
                "SELECT 0 AS FCheck, f.VFK12, f.ACF01, p.VAA05, f.VAA07, f.CBM01, f.VFK13, "
                "f.VFK14, f.VFK08, f.BCE01A, f.BCE03A, c.CBM06, f.VFK01, f.BCE03B, f.VFK15 "
                "FROM VFK1 f JOIN CBM1 c ON c.CBM01 = f.CBM01 JOIN VAA1 p ON p.VAA01 = f.VAA01 "
                "WHERE f.VFK12 = %1 ORDER BY f.VFK01 LIMIT 3")
                .arg(status),
            false);
        ASSERT_EQ(table.recordCount(), 3);
        for (int row = 1; row <= 2; ++row) {
            table.moveTo(row);
            put(table, QStringLiteral("FCheck"), 1);
            put(table, QStringLiteral("VFK13"), reason);
            table.post();
        }
    }

    // Only the ticked rows go into the document.
    QString document(MemTable& table)
    {
        table.setFilter(QStringLiteral("FCheck = 1"));
        table.setFiltered(true);
        const QString xml = buildDocument({{QStringLiteral("/Root/VFK1"), &table}});
        table.setFiltered(false);
        return xml;
    }

    QString ids(MemTable& table, int from, int to)
    {
        QStringList list;
        for (int row = from; row <= to; ++row) {
            table.moveTo(row);
            list << table.asString(QStringLiteral("VFK01"));
        }
        return list.join(QLatin1Char(','));
    }

    static Params pharmacist(int operate, int employee, const QString& name)
    {
        return {{QStringLiteral("operate"), operate},
                {QStringLiteral("lbce01"), employee},
                {QStringLiteral("lbce03"), name}};
    }
};

TEST_F(RxAuditTest, TickedRecordsGetTheStatusTheAuditorAndTheTime)
{
    struct Case {
        const char* name;
        int operate;
        QVariant reason;
    };
    const Case cases[] = {
        {"approve", 1, QVariant()},
        {"reject", 2, QStringLiteral("用药疗程过长")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MemTable table;
        loadTicked(table, 0, c.reason);
        const QString ticked = ids(table, 1, 2);
        const QString unticked = ids(table, 3, 3);
        const QStringList untickedBefore =
            rows(QStringLiteral("SELECT * FROM VFK1 WHERE VFK01 = %1").arg(unticked));
        const QString from = QDateTime::currentDateTime().addSecs(-1).toString(
            QStringLiteral("yyyy-MM-dd HH:mm:ss"));

        save(kAuditCall, QStringLiteral("lxml"), document(table),
             pharmacist(c.operate, kPharmacist, QStringLiteral("郑丽")));

        const QString to =
            QDateTime::currentDateTime().addSecs(1).toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
        const QString expected = QStringLiteral("%1|%2|%3|郑丽|1")
                                     .arg(c.operate)
                                     .arg(cellText(c.reason))
                                     .arg(kPharmacist);
        EXPECT_EQ(rows(QStringLiteral("SELECT VFK12, VFK13, BCE01B, BCE03B, "
                                      "VFK15 BETWEEN '%1' AND '%2' FROM VFK1 "
                                      "WHERE VFK01 IN (%3) ORDER BY VFK01")
                           .arg(from, to, ticked)),
                  (QStringList{expected, expected}));
        EXPECT_EQ(rows(QStringLiteral("SELECT * FROM VFK1 WHERE VFK01 = %1").arg(unticked)),
                  untickedBefore);
    }
}

TEST_F(RxAuditTest, ARefusedAuditChangesNothing)
{
    struct Case {
        const char* name;
        int status;
        int operate;
        int employee;
        QVariant reason;
        const char* message;
    };
    const Case cases[] = {
        {"rejection without a reason", 0, 2, kPharmacist, QVariant(),
         "审核不通过必须填写不通过原因。"},
        {"audited by another pharmacist", 1, 2, kOtherPharmacist, QStringLiteral("用药疗程过长"),
         "处方已由郑丽审核，不能重复审核。"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MemTable table;
        loadTicked(table, c.status, c.reason);
        const QString xml = document(table);
        const QString name =
            value(QStringLiteral("SELECT BCE03 FROM BCE1 WHERE BCE01 = %1").arg(c.employee));
        expectRefused(
            [&] {
                save(kAuditCall, QStringLiteral("lxml"), xml,
                     pharmacist(c.operate, c.employee, name));
            },
            kAuditCall, QString::fromUtf8(c.message), {QStringLiteral("VFK1")});
    }
}

} // namespace
