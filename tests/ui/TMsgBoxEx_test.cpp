#include "UiFixture.h"

#include "ui/Appearance.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QLabel>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QStyle>
#include <QTest>

namespace cv::test {
namespace {

using ui::TMsgBoxEx;

struct Seen {
    QStringList captions;
    QList<QPoint> positions;
    QImage icon;
    QSize size;
    QString caption;
    QString composed;
    int textTop = 0;
    int textHeight = 0;
};

class TMsgBoxExTest : public UiFixture {
protected:
    // Shows a box through the seam; `act` answers it like a person would.
    int show(const QString& text, int style, const std::function<void(TMsgBoxEx&)>& act,
             const QString& caption = QStringLiteral("提示"), const QString& details = {})
    {
        TMsgBoxEx::ScopedAutoAnswer answer([&](TMsgBoxEx& box) {
            for (QPushButton* b : box.Buttons()) {
                seen.captions << b->text();
                seen.positions << b->pos();
            }
            seen.icon = box.IconControl()->pixmap().toImage();
            seen.size = box.size();
            seen.caption = box.windowTitle();
            seen.composed = box.ComposeText();
            seen.textTop = box.TextTop();
            seen.textHeight = box.TextHeight();
            act(box);
        });
        return ui::ShowMsgBoxDetails(text, details, caption, style);
    }

    static std::function<void(TMsgBoxEx&)> pressButton(int index)
    {
        return [index](TMsgBoxEx& box) { box.Buttons().at(index)->click(); };
    }

    static std::function<void(TMsgBoxEx&)> key(Qt::Key k, Qt::KeyboardModifiers m = {})
    {
        return [k, m](TMsgBoxEx& box) { QTest::keyClick(&box, k, m); };
    }

    static QImage standardIcon(QStyle::StandardPixmap which)
    {
        return QApplication::style()->standardIcon(which).pixmap(32, 32).toImage().scaled(32, 32);
    }

    Seen seen;
};

const QString kOk = QStringLiteral("确定(&O)");
const QString kCancel = QStringLiteral("取消(&C)");

TEST_F(TMsgBoxExTest, StyleChoosesIconButtonsAndResults)
{
    QPixmap appIcon(32, 32);
    appIcon.fill(Qt::magenta);
    QApplication::setWindowIcon(QIcon(appIcon));
    const QImage info = standardIcon(QStyle::SP_MessageBoxInformation);
    struct Case {
        int style;
        QImage icon;
        QStringList captions;
        QList<int> results;
    } cases[] = {
        {0, info, {kOk}, {1}},
        {5, appIcon.toImage(), {QStringLiteral("重试(&R)"), kCancel}, {4, 2}},
        {2,
         appIcon.toImage(),
         {QStringLiteral("终止(&A)"), QStringLiteral("重试(&R)"), QStringLiteral("忽略(&I)")},
         {3, 4, 5}},
        {7, info, {kOk}, {1}},
        {8, info, {kOk}, {1}},
        {15, info, {kOk}, {1}},
        {16, standardIcon(QStyle::SP_MessageBoxCritical), {kOk}, {1}},
        {36,
         standardIcon(QStyle::SP_MessageBoxQuestion),
         {QStringLiteral("是(&Y)"), QStringLiteral("否(&N)")},
         {6, 7}},
        {51,
         standardIcon(QStyle::SP_MessageBoxWarning),
         {QStringLiteral("是(&Y)"), QStringLiteral("否(&N)"), kCancel},
         {6, 7, 2}},
        {128, appIcon.toImage(), {kOk}, {1}},
        {129, appIcon.toImage(), {kOk, kCancel}, {1, 2}},
    };
    for (const Case& c : cases) {
        for (int i = 0; i < c.results.size(); ++i) {
            SCOPED_TRACE(testing::Message() << "style " << c.style << " button " << i);
            seen = {};
            EXPECT_EQ(show(QStringLiteral("内容"), c.style, pressButton(i)), c.results[i]);
            EXPECT_EQ(seen.captions, c.captions);
            EXPECT_EQ(seen.icon.convertToFormat(QImage::Format_ARGB32),
                      c.icon.convertToFormat(QImage::Format_ARGB32));
        }
    }
    QApplication::setWindowIcon(QIcon());
}

TEST_F(TMsgBoxExTest, EscapeAndClosingAnswerCancelEvenWithoutCancelButton)
{
    EXPECT_EQ(show(QStringLiteral("内容"), 0, key(Qt::Key_Escape)), 2);
    EXPECT_EQ(show(QStringLiteral("内容"), 0, key(Qt::Key_Escape, Qt::ShiftModifier)), 2);
    EXPECT_EQ(show(QStringLiteral("内容"), 0, [](TMsgBoxEx& box) { box.close(); }), 2);
    const auto enter = [](TMsgBoxEx& box) {
        QSignalSpy finished(&box, &QDialog::finished);
        QTest::keyClick(&box, Qt::Key_Return);
        EXPECT_TRUE(!finished.isEmpty() || finished.wait());
    };
    EXPECT_EQ(show(QStringLiteral("内容"), 4, enter), 6);
}

TEST_F(TMsgBoxExTest, CaptionLosesLineBreaks)
{
    show(QStringLiteral("内容"), 0, pressButton(0), QStringLiteral("第一行\r\n第二行\r"));
    EXPECT_EQ(seen.caption, QStringLiteral("第一行第二行"));
}

TEST_F(TMsgBoxExTest, EmptyMessageKeepsMinimumWidthAndBareSeparators)
{
    show(QString(), 0, pressButton(0));
    EXPECT_EQ(seen.size.width(), 320);
    EXPECT_TRUE(seen.composed.startsWith(QStringLiteral("\r\n提示\r\n\r\n\r\n\r\n无详细信息")))
        << seen.composed.toStdString();
    EXPECT_FALSE(seen.composed.contains(QStringLiteral("\n-")));
}

TEST_F(TMsgBoxExTest, ThreeButtonsAreCentredInANarrowBox)
{
    show(QStringLiteral("短"), 2, pressButton(0));
    EXPECT_EQ(seen.size.width(), 320);
    const int top = seen.size.height() - 40;
    EXPECT_EQ(seen.positions, (QList<QPoint>{{32, top}, {122, top}, {212, top}}));
    // One short line beside a 32-pixel icon is centred on it.
    EXPECT_EQ(seen.textTop, 15 + (32 - seen.textHeight) / 2);
    EXPECT_EQ(seen.size.height(), 15 + 32 + 40 + 7 + 10);
}

TEST_F(TMsgBoxExTest, ComposeTextRendersTheWholeBox)
{
    int textWidth = 0;
    QDateTime created;
    QFont font;
    show(QStringLiteral("保存失败.\t错误"), 16, [&](TMsgBoxEx& box) {
        textWidth = box.TextWidth();
        created = box.CreatedAt();
        font = box.font();
        box.done(1);
    });
    ASSERT_GT(textWidth, 0);
    const QString line = QString(textWidth / QFontMetrics(font).horizontalAdvance(QLatin1Char('-')),
                                 QLatin1Char('-')) +
                         QStringLiteral("\r\n");
    const QString expected =
        line + QStringLiteral("提示\r\n") + line + QStringLiteral("保存失败.\t错误\r\n") + line +
        QStringLiteral("无详细信息\r\n") + line + QStringLiteral("消息创建时间：") +
        created.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")) + QStringLiteral("\r\n") + line +
        QStringLiteral("确定(O)   \r\n") + line;
    EXPECT_EQ(seen.composed, expected);
}

TEST_F(TMsgBoxExTest, CtrlCCopiesComposedTextAndShiftVariantNothing)
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->setText(QStringLiteral("untouched"));
    show(QStringLiteral("内容"), 0, [](TMsgBoxEx& box) {
        QTest::keyClick(&box, Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
        box.done(1);
    });
    EXPECT_EQ(clipboard->text(), QStringLiteral("untouched"));
    show(QStringLiteral("内容"), 0, [](TMsgBoxEx& box) {
        QTest::keyClick(box.Buttons().front(), Qt::Key_C, Qt::ControlModifier);
        box.done(1);
    });
    EXPECT_EQ(clipboard->text(), seen.composed);
}

TEST_F(TMsgBoxExTest, DetailsAreaWidensBoxAndCopiesItsOwnText)
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    QRect details;
    show(
        QStringLiteral("内容"), 0,
        [&](TMsgBoxEx& box) {
            details = box.DetailsArea()->geometry();
            box.activateWindow();
            ASSERT_TRUE(QTest::qWaitForWindowActive(&box));
            box.DetailsArea()->setFocus();
            QTest::keyClick(box.DetailsArea(), Qt::Key_C, Qt::ControlModifier);
            box.done(1);
        },
        QStringLiteral("提示"), QStringLiteral("第一条\n第二条"));
    EXPECT_EQ(seen.size.width(), 400);
    EXPECT_EQ(seen.positions, QList<QPoint>{QPoint(400 - 90, seen.size.height() - 33)});
    EXPECT_EQ(details, QRect(15, seen.size.height() - 120, 370, 80));
    EXPECT_EQ(clipboard->text(), QStringLiteral("第一条\n第二条"));
    EXPECT_TRUE(seen.composed.contains(QStringLiteral("第一条\n第二条\r\n")));
}

TEST_F(TMsgBoxExTest, VeryLongMessageKeepsButtonsOnScreen)
{
    QStringList lines;
    for (int i = 0; i < 400; ++i)
        lines << QStringLiteral("第%1行").arg(i);
    show(lines.join(QLatin1Char('\n')), 0, pressButton(0));
    const QRect work = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_LE(seen.size.height(), work.height());
    EXPECT_TRUE(seen.composed.contains(QStringLiteral("第399行")));
}

TEST_F(TMsgBoxExTest, EveryShownBoxIsLoggedAtLevelSeven)
{
    startHost();
    show(QStringLiteral("内容"), 0, pressButton(0));
    std::vector<host::LogEntry> boxes;
    for (const host::LogEntry& e : host.log().entries())
        if (e.level == 7)
            boxes.push_back(e);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].source, QStringLiteral("消息窗口"));
    EXPECT_EQ(boxes[0].title, QStringLiteral("对话框"));
    EXPECT_EQ(boxes[0].text, seen.composed);
}

TEST_F(TMsgBoxExTest, ShowMsgBoxTakesTheHostTitle)
{
    startHost();
    TMsgBoxEx::ScopedAutoAnswer answer([&](TMsgBoxEx& box) {
        seen.caption = box.windowTitle();
        TMsgBoxEx::AnswerWithDefault(box);
    });
    EXPECT_EQ(ui::ShowMsgBox(QStringLiteral("内容"), 1), 1);
    EXPECT_EQ(seen.caption, host.config().title);
}

TEST_F(TMsgBoxExTest, ScreenshotOfAQuestion)
{
    const QString path = QDir::current().filePath(QStringLiteral("msgbox_style36.png"));
    QFile::remove(path);
    ui::SetRootLookAndFeel(1);
    show(
        QStringLiteral("是否保存对当前用药申请的修改？\n未保存的修改将会丢失。"), 36,
        [&](TMsgBoxEx& box) {
            ASSERT_TRUE(QTest::qWaitForWindowExposed(&box));
            EXPECT_TRUE(box.grab().save(path));
            box.done(7);
        },
        QStringLiteral("医生用药申请管理"));
    EXPECT_TRUE(QFile::exists(path));
}

} // namespace
} // namespace cv::test
