#include "PackageFixture.h"

#include "platform/abi/Exception.h"
#include "platform/widgets/DataGrid.h"
#include "platform/widgets/TdxBarManager.h"
#include "ui/TCForm.h"
#include "ui/TCvRes.h"
#include "ui/TDForm.h"

#include "host/resources/HostResourceModule.h"
#include "host/resources/StandardResources.h"

#include <QDir>
#include <QTest>
#include <QToolBar>
#include <QVBoxLayout>

using namespace cv;

namespace {

class CountingForm : public ui::TCForm {
    Q_OBJECT
public:
    CountingForm()
    {
        setWindowTitle(QStringLiteral("计数窗体"));
        CompleteConstruction();
    }
    int changes = 0;

protected:
    void CommandIdChanged() override { ++changes; }
};

class ValidatingDialog : public ui::TDForm {
    Q_OBJECT
public:
    ValidatingDialog()
    {
        setWindowTitle(QStringLiteral("审批"));
        CompleteConstruction();
    }
    bool refuse = true;

protected:
    void ValidateClose(bool& accept) override
    {
        if (refuse)
            throw Exception(QStringLiteral("请选择手术医生."));
        accept = true;
    }
};

// A child form as the command forms are built: a toolbar over a grid.
class GridForm : public ui::TCForm {
    Q_OBJECT
public:
    explicit GridForm(MemTable& table)
    {
        setWindowTitle(QStringLiteral("医生用药申请管理"));
        auto* layout = new QVBoxLayout(this);
        auto* bars = new widgets::TdxBarManager(this);
        QToolBar* bar = bars->addBar(QStringLiteral("dxBarManager1Bar1"), QStringLiteral("工具栏"));
        bars->addButton(bar, QStringLiteral("btn_Add"), QStringLiteral("新增"));
        bars->addButton(bar, QStringLiteral("btn_Save"), QStringLiteral("保存"));
        bars->addButton(bar, QStringLiteral("btn_Delete"), QStringLiteral("删除"));
        layout->addWidget(bar);
        auto* grid = new widgets::DataGrid(this);
        grid->setObjectName(QStringLiteral("cxGrid1DBTableView1"));
        grid->addColumn(QStringLiteral("ColumnCheck"), QStringLiteral("选择"),
                        QStringLiteral("FCheck"))
            ->setCheckBox(1, 0);
        grid->addColumn(QStringLiteral("ColumnName"), QStringLiteral("病人姓名"),
                        QStringLiteral("VAA05"));
        grid->addColumn(QStringLiteral("ColumnDrug"), QStringLiteral("药品名称"),
                        QStringLiteral("BBY05"));
        grid->addColumn(QStringLiteral("ColumnDays"), QStringLiteral("天数"),
                        QStringLiteral("VDZ06"));
        grid->setTable(table);
        layout->addWidget(grid, 1);
        CompleteConstruction();
    }
};

class CFormsTest : public cv::test::PackageFixture {};

TEST_F(CFormsTest, SetCommandIdLooksUpTheIconOnlyForANewId)
{
    host.state().resourceModule = ComPtr<corvelian::ICVUnknown>(
        static_cast<corvelian::ICVResourceModule*>(host::createStandardResourceModule().get()));
    app().RegisterLifecycleCallback(ui::CvResStage);
    createPackage();
    const QString name = QStringLiteral(".Programs CV.DoctorMedicationApply;1");
    CountingForm form;
    host.config().settings.insert(name, QStringLiteral("0;0"));
    form.SetCommandId(1);
    EXPECT_EQ(form.changes, 1);
    EXPECT_TRUE(form.windowIcon().isNull() || form.IconIndex() == 0);

    host.config().settings.insert(name, QStringLiteral("0;1116"));
    form.SetCommandId(1); // the same id: nothing is looked up
    EXPECT_EQ(form.changes, 1);
    EXPECT_EQ(form.IconIndex(), 0);

    form.SetCommandId(2);
    host.config().settings.insert(QStringLiteral(".Programs CV.DoctorMedicationApply;3"),
                                  QStringLiteral("0;1116"));
    form.SetCommandId(3);
    EXPECT_EQ(form.changes, 3);
    EXPECT_EQ(form.IconIndex(), 1116);
    EXPECT_FALSE(form.windowIcon().isNull());
}

TEST_F(CFormsTest, FormsLogCreationShowAndClose)
{
    createPackage();
    auto* form = new CountingForm;
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form));
    form->close();
    QStringList titles;
    for (const auto& e : host.log().entries())
        if (e.source == QStringLiteral("CountingForm"))
            titles << e.title + QLatin1Char('|') + e.text;
    EXPECT_EQ(titles,
              (QStringList{QStringLiteral("创建窗体|计数窗体"), QStringLiteral("显示窗体|计数窗体"),
                           QStringLiteral("关闭窗体|计数窗体")}));
}

TEST_F(CFormsTest, AFailingValidateCloseKeepsTheDialogOpenAndTellsTheHost)
{
    createPackage();
    ValidatingDialog dialog;
    dialog.show();
    dialog.accept();
    EXPECT_TRUE(dialog.isVisible());
    ASSERT_EQ(host.state().messages.size(), 1u);
    EXPECT_EQ(host.state().messages[0].text, QStringLiteral("请选择手术医生."));
    EXPECT_EQ(host.state().messages[0].flags, 16);
    dialog.refuse = false;
    dialog.accept();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.BottomBandHeight(), 42);
    EXPECT_TRUE(dialog.IsDialogForm());
}

TEST_F(CFormsTest, ChildFormWithToolbarAndGridScreenshot)
{
    createPackage();
    MemTable table;
    table.defineFields({{QStringLiteral("FCheck"), FieldType::Integer},
                        {QStringLiteral("VAA05"), FieldType::WideString, 20},
                        {QStringLiteral("BBY05"), FieldType::WideString, 40},
                        {QStringLiteral("VDZ06"), FieldType::Integer}});
    table.open();
    const struct {
        int check;
        const char* patient;
        const char* drug;
        int days;
    } rows[] = {{1, "王秀英", "注射用头孢曲松钠", 7},
                {0, "李建国", "阿莫西林胶囊", 5},
                {1, "陈美玲", "盐酸左氧氟沙星片", 3}};
    for (const auto& r : rows) {
        table.append();
        table.setValue(QStringLiteral("FCheck"), r.check);
        table.setValue(QStringLiteral("VAA05"), QString::fromUtf8(r.patient));
        table.setValue(QStringLiteral("BBY05"), QString::fromUtf8(r.drug));
        table.setValue(QStringLiteral("VDZ06"), r.days);
        table.post();
    }
    GridForm form(table);
    form.resize(640, 300);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    EXPECT_EQ(QString::fromLatin1(form.BarManager()->metaObject()->className()),
              QStringLiteral("cv::widgets::TdxBarManager"));
    const QString file = QDir::current().filePath(QStringLiteral("child_form_grid.png"));
    EXPECT_TRUE(form.grab().save(file));
}

} // namespace

#include "CForms_test.moc"
