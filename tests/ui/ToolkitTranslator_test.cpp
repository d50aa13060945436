#include "UiFixture.h"

#include "platform/abi/Exception.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>

#include <memory>

namespace cv::test {
namespace {

using ui::ToolkitTranslator;

QString tr(const char* context, const char* source)
{
    return QCoreApplication::translate(context, source);
}

TEST(ToolkitTranslatorText, SectionsEscapesAndCommonEntries)
{
    ToolkitTranslator t;
    t.Load(QStringLiteral("X|common=共\n"
                          "[1033]\nX|a=b\n"
                          "[2052]\n; note\nX|a=甲\nX|k\\=v=乙\nY|multi=一\\n二\nbroken line\n"));
    t.SelectLocale(2052);
    EXPECT_EQ(t.translate("X", "a"), QStringLiteral("甲"));
    EXPECT_EQ(t.translate("X", "k=v"), QStringLiteral("乙"));
    EXPECT_EQ(t.translate("Y", "multi"), QStringLiteral("一\n二"));
    EXPECT_EQ(t.translate("X", "common"), QStringLiteral("共"));
    EXPECT_EQ(t.translate("X", "missing"), QString());
    EXPECT_EQ(t.Locale(), QLocale(QLocale::Chinese, QLocale::China));
    t.SelectLocale(1033);
    EXPECT_EQ(t.translate("X", "a"), QStringLiteral("b"));
}

TEST_F(UiFixture, StandardCaptionsAreChineseWhileStarted)
{
    startHost();
    ASSERT_NE(ui::Localizer(), nullptr);
    EXPECT_EQ(ui::Localizer()->LocaleId(), 2052);
    QDialogButtonBox buttons(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    EXPECT_EQ(buttons.button(QDialogButtonBox::Ok)->text(), QStringLiteral("确定"));
    EXPECT_EQ(buttons.button(QDialogButtonBox::Cancel)->text(), QStringLiteral("取消"));
    QLineEdit edit;
    std::unique_ptr<QMenu> menu(edit.createStandardContextMenu());
    QStringList texts;
    for (QAction* action : menu->actions())
        texts << action->text().section(QLatin1Char('\t'), 0, 0);
    EXPECT_TRUE(texts.contains(QStringLiteral("撤消(&U)"))) << texts.join(u',').toStdString();
    EXPECT_TRUE(texts.contains(QStringLiteral("全选")));

    app().ShutDown();
    EXPECT_EQ(ui::Localizer(), nullptr);
    EXPECT_EQ(tr("QPlatformTheme", "OK"), QStringLiteral("OK"));
}

TEST_F(UiFixture, MissingTranslationTextFailsTheStart)
{
    host.config().resourceTexts.remove(QStringLiteral("DEVRES4.3"));
    EXPECT_THROW(startHost(), cv::Exception);
    EXPECT_EQ(ui::Localizer(), nullptr);
}

} // namespace
} // namespace cv::test
