// The common search window as the module drives it: settings, value lists,
// Show with a search text, and the picked record's fields by name.
#include "ServicesFixture.h"

#include "host/services/DataPicker.h"
#include "host/services/SearchDialog.h"

#include "platform/abi/Variant.h"

#include <QInputMethodEvent>
#include <QLineEdit>
#include <QTableView>
#include <QTest>

using namespace cv;
using namespace cv::host;
using namespace cv::host::testing;
using namespace corvelian;

namespace {

// Typing Chinese goes through the input method, as a real keyboard's would.
void commitText(QWidget* widget, const QString& text)
{
    QInputMethodEvent event;
    event.setCommitString(text);
    QCoreApplication::sendEvent(widget, &event);
}

QString cell(const SearchDialog& dialog, int row, const QString& column)
{
    const int c = int(dialog.columns().indexOf(column));
    return dialog.grid()->model()->index(row, c).data().toString();
}

class DataPickerTest : public ServicesFixture {
protected:
    void SetUp() override
    {
        ServicesFixture::SetUp();
        picker = create<ICVDataPicker>(QStringLiteral("ICVDataPicker"), true);
        ASSERT_TRUE(picker);
    }

    bool show(int script, const QString& text)
    {
        CvWordBool picked = 7;
        EXPECT_EQ(picker->Show(0, script, 1, wideArg(text), &picked), CV_OK);
        return picked != 0;
    }

    ComPtr<ICVField> field(const char16_t* name)
    {
        ComPtr<ICVDataRecord> record;
        EXPECT_EQ(picker->GetRecord(record.put()), CV_OK);
        ComPtr<ICVField> f;
        EXPECT_EQ(record->FindField(name, f.put()), CV_OK);
        return f;
    }

    ComPtr<ICVDataPicker> picker;
};

TEST_F(DataPickerTest, FindsADrugByPartOfItsChineseNameAndAnswersItsFieldsByName)
{
    int seenRows = -1;
    services.context->searchChooser = [&](SearchDialog& dialog) {
        seenRows = dialog.rowCount();
        EXPECT_EQ(dialog.searchEdit()->text(), QStringLiteral("头孢"));
        for (int row = 0; row < dialog.rowCount(); ++row)
            EXPECT_TRUE(
                cell(dialog, row, QStringLiteral("BBY05")).contains(QStringLiteral("头孢")));
        dialog.setCurrentRow(1);
        return int(QDialog::Accepted);
    };

    ASSERT_TRUE(show(16820, QStringLiteral("头孢")));

    EXPECT_EQ(seenRows, 2);
    std::int32_t id = 0;
    ASSERT_TRUE(field(u"bby01"));
    EXPECT_EQ(field(u"bby01")->GetAsInteger(&id), CV_OK);
    EXPECT_EQ(id, 3);
    EXPECT_EQ(text(field(u"BBY05").get()), QStringLiteral("注射用头孢曲松钠"));
    EXPECT_EQ(text(field(u"BBY08").get()), QStringLiteral("支"));
    EXPECT_FALSE(field(u"NoSuchField"));
    // A text is not an integer.
    EXPECT_NE(field(u"BBY05")->GetAsInteger(&id), CV_OK);
}

TEST_F(DataPickerTest, TypingSearchesAgainAndTheKeyboardAndMousePickOrCancel)
{
    struct Case {
        const char* gesture;
        bool picked;
        const char* drug;
    };
    const Case cases[] = {
        {"enter in the box", true, "注射用美罗培南"},
        {"down then enter", true, "注射用亚胺培南西司他丁钠"},
        {"double click", true, "注射用亚胺培南西司他丁钠"},
        {"escape", false, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.gesture);
        const QString gesture = QString::fromUtf8(c.gesture);
        services.context->searchChooser = [&](SearchDialog& dialog) {
            dialog.show();
            EXPECT_TRUE(QTest::qWaitForWindowExposed(&dialog));
            EXPECT_GT(dialog.rowCount(), 10);
            commitText(dialog.searchEdit(), QStringLiteral("培南"));
            EXPECT_EQ(dialog.rowCount(), 2);
            if (gesture == QLatin1String("enter in the box")) {
                QTest::keyClick(dialog.searchEdit(), Qt::Key_Return);
            } else if (gesture == QLatin1String("down then enter")) {
                QTest::keyClick(dialog.searchEdit(), Qt::Key_Down);
                QTest::keyClick(dialog.searchEdit(), Qt::Key_Return);
            } else if (gesture == QLatin1String("double click")) {
                QTableView* grid = dialog.grid();
                const QRect rect = grid->visualRect(grid->model()->index(1, 2));
                QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, rect.center());
                QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, rect.center());
            } else {
                QTest::keyClick(&dialog, Qt::Key_Escape);
            }
            return dialog.result();
        };
        EXPECT_EQ(show(16820, QString()), c.picked);
        if (c.picked && field(u"BBY05"))
            EXPECT_EQ(text(field(u"BBY05").get()), QString::fromUtf8(c.drug));
        else
            EXPECT_FALSE(field(u"BBY05")) << "a cancelled search leaves no record";
    }
}

TEST_F(DataPickerTest, KeepsSettingsAndValueListsAndBindsTheirFirstItems)
{
    sql(QStringLiteral("INSERT INTO cv_searches VALUES (90001, '测试', "
                       "'SELECT :Value1 AS V1, :Value2 AS V2, :SearchText AS T', 'V1', 'V1:值')"));
    auto* host = dynamic_cast<DataPicker*>(picker.get());
    ASSERT_TRUE(host);
    ASSERT_EQ(picker->SetSetting(7, u"1"), CV_OK);
    ASSERT_EQ(picker->SetSetting(8, u"BLK04"), CV_OK);
    EXPECT_EQ(host->setting(7), QStringLiteral("1"));
    EXPECT_EQ(host->setting(8), QStringLiteral("BLK04"));

    ComPtr<ICVParams> first, second;
    ASSERT_EQ(picker->GetFirstValues(first.put()), CV_OK);
    ASSERT_EQ(picker->GetSecondValues(second.put()), CV_OK);
    ASSERT_EQ(first->SetCount(1), CV_OK);
    ASSERT_EQ(second->SetCount(2), CV_OK);
    CvVariant value{};
    toCvVariant(QStringLiteral("失眠"), &value);
    ASSERT_EQ(first->SetValue(0, value), CV_OK);
    CvVariantClear(&value);
    toCvVariant(QStringLiteral("'失眠%'"), &value);
    ASSERT_EQ(second->SetValue(0, value), CV_OK);
    CvVariantClear(&value);
    toCvVariant(QStringLiteral("S"), &value);
    ASSERT_EQ(second->SetValue(1, value), CV_OK);
    CvVariantClear(&value);

    std::int32_t count = 0;
    ASSERT_EQ(second->GetCount(&count), CV_OK);
    EXPECT_EQ(count, 2);
    ASSERT_EQ(second->GetValue(1, &value), CV_OK);
    EXPECT_EQ(fromCvVariant(value).toString(), QStringLiteral("S"));
    CvVariantClear(&value);
    EXPECT_NE(second->GetValue(2, &value), CV_OK);

    services.context->searchChooser = [](SearchDialog&) { return int(QDialog::Accepted); };
    ASSERT_TRUE(show(90001, QStringLiteral("失")));
    EXPECT_EQ(text(field(u"V1").get()), QStringLiteral("失眠"));
    EXPECT_EQ(text(field(u"V2").get()), QStringLiteral("'失眠%'"));
    EXPECT_EQ(text(field(u"T").get()), QStringLiteral("失"));
}

TEST_F(DataPickerTest, AnUnknownSearchFailsWithItsNumber)
{
    services.context->searchChooser = [](SearchDialog&) { return int(QDialog::Accepted); };
    CvWordBool picked = 0;
    EXPECT_NE(picker->Show(0, 4711, 1, u"x", &picked), CV_OK);
    EXPECT_EQ(picked, 0);
    EXPECT_TRUE(dynamic_cast<DataPicker*>(picker.get())->lastError().contains(u"4711"));
}

TEST_F(DataPickerTest, ScreenshotOfTheSearchWindowWithResults)
{
    services.context->searchChooser = [](SearchDialog& dialog) {
        dialog.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&dialog));
        EXPECT_TRUE(dialog.grab().save(QStringLiteral("search_window.png")));
        return int(QDialog::Rejected);
    };
    EXPECT_FALSE(show(16820, QStringLiteral("注射")));
}

} // namespace
