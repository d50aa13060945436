#include "ServicesFixture.h"

#include "services/ServiceStages.h"
#include "services/SilentAbort.h"
#include "services/TCVDataPicker.h"
#include "services/TCVEditStyle.h"
#include "services/TPrintPackage.h"

#include <QLineEdit>

namespace cv::test {
namespace {

using services::TCVDataPicker;
using services::TCVEditStyle;
using text::FormatArg;

class TCVDataPickerTest : public ServicesFixture {
protected:
    void SetUp() override
    {
        ServicesFixture::SetUp();
        startHost();
    }

    bool execute(TCVDataPicker& picker, QObject* control = nullptr, int options = 1,
                 const QVariant& initial = {})
    {
        return picker.Execute(control, 16820, QStringLiteral("阿莫"), options, QString(), {}, {},
                              initial, QString());
    }

    ComPtr<FakeDataPicker> service{new FakeDataPicker};
};

TEST_F(TCVDataPickerTest, RequestsTheServiceOnceWithItsFlags)
{
    for (const bool own : {true, false}) {
        SCOPED_TRACE(own);
        const auto package = provide(QStringLiteral("ICVDataPicker"), unknown(service));
        TCVDataPicker picker(own);
        EXPECT_TRUE(execute(picker));
        EXPECT_TRUE(execute(picker));
        ASSERT_EQ(package->requests.size(), 1u);
        EXPECT_EQ(package->requests[0].first, own ? 1 : 0);
        EXPECT_EQ(package->requests[0].second, QStringLiteral("ICVDataPicker"));
    }
}

TEST_F(TCVDataPickerTest, ResetEmptiesListsAndSettings)
{
    provide(QStringLiteral("ICVDataPicker"), unknown(service));
    service->first->values = {1, 2};
    service->second->values = {QStringLiteral("x")};
    TCVDataPicker picker(true);
    picker.Reset();
    EXPECT_TRUE(service->first->values.isEmpty());
    EXPECT_TRUE(service->second->values.isEmpty());
    for (int number : {2, 4, 8})
        EXPECT_EQ(service->setting(number), QStringLiteral("")) << number;
    EXPECT_EQ(service->setting(7), QStringLiteral("1"));
    EXPECT_TRUE(service->setting(6).isNull());
}

TEST_F(TCVDataPickerTest, ExecutePassesScriptOptionsTextListsAndKey)
{
    provide(QStringLiteral("ICVDataPicker"), unknown(service));
    TCVDataPicker picker(true);
    service->first->values = {QStringLiteral("stale")};
    const QString typed = QStringLiteral("头孢's");
    ASSERT_TRUE(picker.Execute(nullptr, 18329, typed, 0x20001, QStringLiteral("BLK04"),
                               {FormatArg::ansiString(typed), FormatArg::integer(7)},
                               {FormatArg::ansiString(text::quotedStr(typed + u'%'))}, {},
                               QStringLiteral("备注")));
    ASSERT_EQ(service->shows.size(), 1u);
    const auto& show = service->shows[0];
    EXPECT_EQ(show.owner, 0u);
    EXPECT_EQ(show.script, 18329);
    EXPECT_EQ(show.options, 0x20001);
    EXPECT_EQ(show.text, typed);
    EXPECT_EQ(show.first, (QVariantList{typed, 7}));
    EXPECT_EQ(show.first[1].typeId(), QMetaType::Int);
    EXPECT_EQ(show.second, (QVariantList{QStringLiteral("'头孢''s%'")}));
    EXPECT_EQ(service->setting(8), QStringLiteral("BLK04"));
    EXPECT_EQ(service->setting(4), QStringLiteral("备注"));
}

TEST_F(TCVDataPickerTest, InitialValueGoesToSettingSixOnlyWithOptionsTwo)
{
    provide(QStringLiteral("ICVDataPicker"), unknown(service));
    const struct {
        int options;
        QVariant initial;
        QString setting6; // null: not written
    } cases[] = {
        {2, QVariant(), QStringLiteral("")},
        {2, QVariant(42), QStringLiteral("42")},
        {1, QVariant(42), QString()},
        {0x20001, QVariant(), QString()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.options);
        service->settings.clear();
        TCVDataPicker picker(true);
        execute(picker, nullptr, c.options, c.initial);
        EXPECT_EQ(service->setting(6), c.setting6);
        EXPECT_EQ(service->setting(6).isNull(), c.setting6.isNull());
    }
}

TEST_F(TCVDataPickerTest, EditorStyleChangesForTheSearchAndIsRestored)
{
    provide(QStringLiteral("ICVDataPicker"), unknown(service));
    const struct {
        ui::LookAndFeelKind kind;
        data::EditButtonStyle button;
    } cases[] = {
        {ui::LookAndFeelKind::Flat, data::EditButtonStyle::Flat},
        {ui::LookAndFeelKind::Standard, data::EditButtonStyle::Default},
        {ui::LookAndFeelKind::UltraFlat, data::EditButtonStyle::UltraFlat},
        {ui::LookAndFeelKind::Office2003, data::EditButtonStyle::Office11},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(int(c.kind));
        QLineEdit editor;
        TCVEditStyle style;
        style.SetLookAndFeelKind(c.kind);
        editor.setProperty("Style", QVariant::fromValue<QObject*>(&style));
        bool checked = false;
        service->duringShow = [&] {
            EXPECT_EQ(style.BorderStyle(), data::EditBorderStyle::Thick);
            EXPECT_EQ(style.BorderColor(), QColor::fromRgb(0x008080u));
            EXPECT_EQ(style.ButtonStyle(), c.button);
            checked = true;
        };
        TCVDataPicker picker(true);
        execute(picker, &editor);
        EXPECT_TRUE(checked);
        EXPECT_FALSE(style.HasAssignedValues());
        EXPECT_EQ(service->shows.back().owner, CvHandle(editor.window()->winId()));
    }
}

TEST_F(TCVDataPickerTest, StyleIsRestoredWhenShowingFails)
{
    provide(QStringLiteral("ICVDataPicker"), unknown(service));
    service->showStatus = CV_E_FAIL;
    QLineEdit editor;
    TCVEditStyle style;
    editor.setProperty("Style", QVariant::fromValue<QObject*>(&style));
    TCVDataPicker picker(true);
    EXPECT_THROW(execute(picker, &editor), Exception);
    EXPECT_FALSE(style.HasAssignedValues());
}

TEST_F(TCVDataPickerTest, ControlWithoutStyleOrWindowPassesNone)
{
    provide(QStringLiteral("ICVDataPicker"), unknown(service));
    QObject plain;
    plain.setProperty("Style", QStringLiteral("not a style"));
    TCVDataPicker picker(true);
    EXPECT_TRUE(execute(picker, &plain));
    EXPECT_EQ(service->shows.back().owner, 0u);
    QLineEdit widget;
    EXPECT_TRUE(execute(picker, &widget));
    EXPECT_NE(service->shows.back().owner, 0u);
}

TEST_F(TCVDataPickerTest, CancelledSearchAnswersFalseAndAnyNonZeroFlagIsAPick)
{
    provide(QStringLiteral("ICVDataPicker"), unknown(service));
    TCVDataPicker picker(true);
    service->picked = 0;
    EXPECT_FALSE(execute(picker));
    service->picked = 1;
    EXPECT_TRUE(execute(picker));
}

TEST_F(TCVDataPickerTest, PickedFieldsByNameAndUnknownName)
{
    provide(QStringLiteral("ICVDataPicker"), unknown(service));
    service->record->fields = {{QStringLiteral("BBY01"), 1203},
                               {QStringLiteral("BBY05"), QStringLiteral("阿莫西林")}};
    TCVDataPicker picker(true);
    ASSERT_TRUE(execute(picker));
    EXPECT_EQ(picker.PickedInteger(QStringLiteral("BBY01")), 1203);
    EXPECT_EQ(picker.PickedString(QStringLiteral("BBY05")), QStringLiteral("阿莫西林"));
    try {
        picker.PickedField(QStringLiteral("BBY99"));
        FAIL() << "no error";
    } catch (const Exception& e) {
        EXPECT_EQ(e.message(), QStringLiteral("字段名[BBY99]不存在."));
        EXPECT_FALSE(services::SilentAbort::Is(e));
    }
}

TEST_F(TCVDataPickerTest, MissingServiceIsToldThenAbortsSilentlyWithoutAskingAgain)
{
    const auto package = provide(QStringLiteral("ICVDataPicker"), {});
    const auto answer = recordBoxes();
    TCVDataPicker picker(true);
    for (int attempt = 0; attempt < 2; ++attempt) {
        try {
            execute(picker);
            FAIL() << "no abort";
        } catch (const Exception& e) {
            EXPECT_TRUE(services::SilentAbort::Is(e));
        }
    }
    EXPECT_EQ(package->requests.size(), 1u);
    EXPECT_EQ(boxes, QStringList(2, QStringLiteral("16|公共检索窗口启动失败.")));
}

TEST_F(TCVDataPickerTest, StagesCreateAndFreeTheServices)
{
    const auto package = provide(QStringLiteral("ICVDataPicker"), unknown(service));
    services::CoreDlgStage(shell::StageStart);
    TCVDataPicker* picker = &services::DataPicker();
    services::PrintPackage();
    execute(*picker);
    ASSERT_EQ(package->requests.size(), 1u);
    EXPECT_EQ(package->requests[0].first, 1);
    services::CoreDlgStage(shell::StageStart);
    EXPECT_EQ(&services::DataPicker(), picker);
    services::CoreDlgStage(shell::StageStop);
    EXPECT_THROW(services::DataPicker(), Exception);
    EXPECT_THROW(services::PrintPackage(), Exception);
}

} // namespace
} // namespace cv::test
