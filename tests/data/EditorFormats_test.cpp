#include "data/EditorFormats.h"

#include <QRegularExpression>
#include <QSignalSpy>

#include <gtest/gtest.h>

using namespace cv;
using namespace cv::data;

namespace {

// A date-time format of the application shows the same text in Qt's notation.
TEST(EditorFormatsTest, ApplicationFormatsConvertToQtNotationWithTheSameOutput)
{
    const QDateTime value(QDate(2024, 3, 5), QTime(14, 7, 9));
    const char* formats[] = {"YYYY-MM-DD", "HH:NN:SS",   "YYYY-MM-DD HH:NN:SS", "hh:mm",
                             "yyyy/mm/dd", "d-m-yy h:n", "YYYY年MM月DD日",      "\"at\" hh"};
    for (const char* format : formats) {
        const QString delphi = QString::fromUtf8(format);
        EXPECT_EQ(value.toString(qtDateTimeFormat(delphi)), text::formatDateTime(delphi, value))
            << format;
    }
}

TEST(EditorFormatsTest, EditorsFollowTheLocaleUntilSwitchedToTheApplicationFormats)
{
    EditorFormats formats(QLocale(QLocale::English, QLocale::UnitedStates));
    const EditorFormatTexts& t = formats.texts();
    EXPECT_FALSE(formats.useApplicationDateTimeFormats());
    EXPECT_EQ(t.dateEditFormat, QStringLiteral("M/d/yy"));
    EXPECT_EQ(t.maskedDateEditFormat, QStringLiteral("MM/dd/yyyy"));
    EXPECT_EQ(t.standardDateEditMask, QStringLiteral("99/99/9999;_"));
    EXPECT_EQ(t.startOfWeek, Qt::Sunday);

    formats.setUseApplicationDateTimeFormats(true);
    EXPECT_EQ(formats.texts().dateEditFormat, QStringLiteral("yyyy-MM-dd"));
    EXPECT_EQ(formats.texts().maskedDateTimeEditFormat, QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    EXPECT_EQ(formats.texts().dateEditMask, QStringLiteral("9999-99-99;_"));
    EXPECT_EQ(formats.texts().currencyFormat, QStringLiteral("0.000000"));
}

// Masks and patterns accept exactly what the masked formats write.
TEST(EditorFormatsTest, MasksAndPatternsAcceptTheirOwnFormatsOutput)
{
    const QDateTime value(QDate(2024, 11, 25), QTime(9, 5, 3));
    for (bool application : {false, true}) {
        EditorFormats formats(QLocale(QLocale::German, QLocale::Germany));
        formats.setUseApplicationDateTimeFormats(application);
        const EditorFormatTexts& t = formats.texts();
        const struct {
            QString format;
            QString pattern;
        } pairs[] = {{t.maskedDateEditFormat, t.regExprDateEditMask},
                     {t.maskedDateTimeEditFormat, t.regExprDateTimeEditMask}};
        for (const auto& p : pairs) {
            const QRegularExpression pattern(QRegularExpression::anchoredPattern(p.pattern));
            ASSERT_TRUE(pattern.isValid()) << p.pattern.toStdString();
            EXPECT_TRUE(pattern.match(value.toString(p.format)).hasMatch())
                << p.format.toStdString() << " " << p.pattern.toStdString();
        }
    }
}

TEST(EditorFormatsTest, AHeldUpdateRecomputesOnceWhenTheOutermostHoldEnds)
{
    EditorFormats formats(QLocale(QLocale::English, QLocale::UnitedStates));
    QSignalSpy changed(&formats, &EditorFormats::changed);
    formats.beginUpdate();
    formats.beginUpdate();
    formats.setUseApplicationDateTimeFormats(true);
    EditorFormatOverrides overrides;
    overrides.standardDateEditMask = QStringLiteral("0000-00-00");
    formats.setOverrides(overrides);
    formats.endUpdate();
    EXPECT_EQ(changed.count(), 0);
    EXPECT_EQ(formats.texts().dateEditFormat, QStringLiteral("M/d/yy"));
    formats.endUpdate();
    EXPECT_EQ(changed.count(), 1);
    EXPECT_EQ(formats.texts().dateEditFormat, QStringLiteral("yyyy-MM-dd"));
    EXPECT_EQ(formats.texts().dateEditMask, QStringLiteral("0000-00-00"));
    formats.endUpdate(); // unbalanced: ignored
    EXPECT_EQ(changed.count(), 1);
}

} // namespace
