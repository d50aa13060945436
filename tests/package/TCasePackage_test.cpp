#include "PackageFixture.h"

#include "shell/ModuleForm.h"
#include "ui/TCForm.h"

#include <QSignalSpy>
#include <QTest>

#include <pugixml.hpp>

using namespace cv;
using namespace cv::shell;

namespace {

// Components as the forms' toolkit offers them: plain ones with an ImeName
// property, and grid-toolkit editors whose property object carries it.
class ImeEdit : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString ImeName MEMBER imeName)
public:
    using QObject::QObject;
    QString imeName;
};

class TcxTextEdit : public QObject {
    Q_OBJECT
    Q_PROPERTY(QObject* Properties READ properties)
public:
    explicit TcxTextEdit(QObject* parent) : QObject(parent), m_properties(new ImeEdit(this)) {}
    QObject* properties() const { return m_properties; }
    ImeEdit* m_properties;
};

pugi::xml_document parse(const QString& text)
{
    pugi::xml_document document;
    EXPECT_TRUE(document.load_string(text.toStdString().c_str())) << text.toStdString();
    return document;
}

class PackageTest : public cv::test::PackageFixture {};

TEST_F(PackageTest, FormListNamesTheThreeCommands)
{
    createPackage();
    const Answer a = execute(-1);
    ASSERT_EQ(a.result, 1);
    const auto document = parse(a.text);
    const pugi::xml_node root = document.child("FormList");
    EXPECT_STREQ(root.attribute("Ver").value(), "2.8");
    EXPECT_FALSE(QString::fromUtf8(root.attribute("Cmd").value()).isEmpty());
    const char* classes[] = {"Tfrm_DoctorMedicationApply", "TFrmOperationApproval",
                             "TfrmDoctorRxAudit"};
    const char* captions[] = {"医生用药申请管理", "围手术期审批管理", "药师处方审核管理"};
    int i = 0;
    for (const pugi::xml_node item : root.children("Item")) {
        ASSERT_LT(i, 3);
        EXPECT_EQ(item.attribute("ID").as_int(), i + 1);
        EXPECT_STREQ(item.attribute("FormClass").value(), classes[i]);
        EXPECT_STREQ(item.attribute("Caption").value(), captions[i]);
        EXPECT_STREQ(item.text().get(), "");
        ++i;
    }
    EXPECT_EQ(i, 3);
}

TEST_F(PackageTest, EmptyRegistryAndSeparators)
{
    TCasePackage& package = createPackage(false);
    EXPECT_EQ(execute(-1).result, 0);
    EXPECT_EQ(execute(-1).text, QString());

    package.RegisterForm(TCasePackage::kSeparatorId, FormClass{}, QStringLiteral("-"), false,
                         QStringLiteral("sep"));
    const Answer a = execute(-1);
    ASSERT_EQ(a.result, 1);
    const auto document = parse(a.text);
    const pugi::xml_node item = document.child("FormList").child("Item");
    EXPECT_STREQ(item.attribute("ID").value(), "65535");
    EXPECT_STREQ(item.attribute("FormClass").value(), "Separator");
    EXPECT_STREQ(item.text().get(), "sep");
}

TEST_F(PackageTest, FailedConstructionRegistersNothing)
{
    host.config().name = QStringLiteral("Other");
    createPackage();
    EXPECT_EQ(execute(-1).result, 0);
    EXPECT_EQ(execute(-1).text, QString());
}

TEST_F(PackageTest, OpeningACommandTwiceKeepsOneForm)
{
    TCasePackage& package = createPackage();
    EXPECT_EQ(execute(-3).result, 0);
    EXPECT_EQ(execute(-3).text, QString());

    EXPECT_EQ(execute(2).result, 1);
    ASSERT_EQ(package.OpenForms().size(), 1u);
    QWidget* form = package.OpenForms()[0];
    form->hide();
    EXPECT_EQ(execute(2).result, 1);
    EXPECT_EQ(package.OpenForms().size(), 1u);
    QTRY_VERIFY(form->isVisible()); // the posted 3023 brings it back

    const Answer list = execute(-3);
    ASSERT_EQ(list.result, 1);
    const auto document = parse(list.text);
    const pugi::xml_node item = document.child("FormList").child("Item");
    EXPECT_STREQ(item.attribute("ID").value(), "0");
    EXPECT_STREQ(item.attribute("FormClass").value(), "TFrmOperationApproval");
    EXPECT_STREQ(item.attribute("Caption").value(), "围手术期审批管理");
    EXPECT_STREQ(item.attribute("Visible").value(), "True");
    EXPECT_EQ(item.attribute("Handle").as_ullong(), quint64(form->winId()));
    EXPECT_TRUE(document.child("FormList").attributes().empty());
}

TEST_F(PackageTest, AnUnknownCommandFails)
{
    createPackage();
    EXPECT_EQ(execute(9).result, 3);
    EXPECT_EQ(lastError(), QStringLiteral("命令(9)不存在或没有注册窗口"));
}

TEST_F(PackageTest, AClosedFormIsFreedAndLeavesTheList)
{
    TCasePackage& package = createPackage();
    execute(1);
    QPointer<QWidget> form = package.OpenForms()[0].data();
    form->close();
    QTRY_VERIFY(form.isNull());
    EXPECT_TRUE(package.OpenForms().empty());
    EXPECT_EQ(host.state().formNotices.back().kind, 2);
}

TEST_F(PackageTest, FinalizeClosesEveryFormAndLogsWhatIsLeft)
{
    TCasePackage& package = createPackage();
    execute(1);
    execute(3);
    ASSERT_EQ(package.OpenForms().size(), 2u);
    host.state().formNotices.clear();
    extension.reset();

    ASSERT_EQ(host.state().formNotices.size(), 2u);
    for (const auto& notice : host.state().formNotices)
        EXPECT_EQ(notice.kind, 2);
    const auto entries = logWithTitle(QStringLiteral("释放接口"));
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].level, 0);
    EXPECT_EQ(entries[0].source, QStringLiteral("CaseCore核心接口"));
    EXPECT_EQ(entries[0].text, QStringLiteral("未释放的窗口："));
    EXPECT_TRUE(services->calls.contains(QStringLiteral("DetachConnection")));
}

TEST_F(PackageTest, InitializeConfiguresTheConnection)
{
    struct Case {
        const char* name;
        int mode;
        const char* timeout; // null: no setting
        const char* expected;
    };
    const Case cases[] = {
        {"shared connection", 1, nullptr, "UseHostConnection|1"},
        {"own connection", 0, "45", "ConfigureConnection|Provider=SQLite;Data Source=:memory:|45"},
        {"bad time-out", 0, "abc", "ConfigureConnection|Provider=SQLite;Data Source=:memory:|30"},
        {"no time-out", 0, nullptr, "ConfigureConnection|Provider=SQLite;Data Source=:memory:|30"},
    };
    for (const Case& c : cases) {
        extension.reset();
        TCvApplication::destroyInstance();
        TCvApplication::createInstance();
        host.config().connectionMode = c.mode;
        if (c.timeout)
            host.config().settings.insert(QStringLiteral(".TimeOut"), QString::fromUtf8(c.timeout));
        else
            host.config().settings.remove(QStringLiteral(".TimeOut"));
        createPackage();
        ASSERT_FALSE(services->calls.isEmpty()) << c.name;
        EXPECT_EQ(services->calls.first(), QString::fromUtf8(c.expected)) << c.name;
        EXPECT_EQ(services->calls.last(), QStringLiteral("ApplyDateTimeFormats")) << c.name;
    }
}

TEST_F(PackageTest, SettingsKinds)
{
    host.config().fontName = QStringLiteral("宋体");
    host.config().fontSize = 11;
    host.config().lookAndFeel = 3;
    TCasePackage& package = createPackage();
    execute(1);
    QWidget* form = package.OpenForms()[0];
    auto* plain = new ImeEdit(form);
    auto* editor = new TcxTextEdit(form);

    services->calls.clear();
    EXPECT_EQ(execute(-2, 0).result, 1);
    EXPECT_EQ(services->calls, (QStringList{QStringLiteral("ApplyEditorFont|宋体|11"),
                                            QStringLiteral("SetEditButtonStyle|3")}));
    EXPECT_TRUE(plain->imeName.isEmpty());

    services->calls.clear();
    EXPECT_EQ(execute(-2, 9).result, 1);
    EXPECT_TRUE(services->calls.isEmpty());
    EXPECT_EQ(plain->imeName, QStringLiteral("中文输入法"));
    EXPECT_EQ(editor->m_properties->imeName, QStringLiteral("中文输入法"));

    EXPECT_EQ(execute(-2, 10).result, 1);
    EXPECT_EQ(services->calls, QStringList{QStringLiteral("Reconnect")});
}

TEST_F(PackageTest, ModeTwoLeavesTheFormOutsideTheHost)
{
    QWidget client;
    client.show();
    host.config().clientWindow = corvelian::CvHandle(client.winId());
    struct Case {
        int formMode;
        bool embedded;
    };
    for (const Case c : {Case{1, true}, Case{2, false}}) {
        extension.reset();
        QApplication::processEvents();
        TCvApplication::destroyInstance();
        TCvApplication::createInstance();
        host.config().formMode = c.formMode;
        host.state().formNotices.clear();
        TCasePackage& package = createPackage();
        execute(3, 2);
        QWidget* form = package.OpenForms()[0];
        QTRY_VERIFY(form->isVisible());
        EXPECT_EQ(form->parentWidget() == &client, c.embedded) << c.formMode;
        ASSERT_FALSE(host.state().formNotices.empty());
        EXPECT_EQ(host.state().formNotices.front().kind, 0);
        EXPECT_EQ(host.state().formNotices.front().caption, QStringLiteral("药师处方审核管理"));
    }
}

TEST_F(PackageTest, MinimizeHidesAndShowCommandBringsBack)
{
    TCasePackage& package = createPackage();
    execute(1);
    QWidget* form = package.OpenForms()[0];
    QTRY_VERIFY(form->isVisible());
    SystemCommandEvent minimize(SystemCommandEvent::kMinimize);
    QCoreApplication::sendEvent(form, &minimize);
    EXPECT_FALSE(form->isVisible());
    SystemCommandEvent show(SystemCommandEvent::kShowForm);
    QCoreApplication::sendEvent(form, &show);
    EXPECT_TRUE(form->isVisible());
}

} // namespace

#include "TCasePackage_test.moc"
