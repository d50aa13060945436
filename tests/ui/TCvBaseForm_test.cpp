#include "UiFixture.h"

#include "ui/Appearance.h"
#include "ui/LookAndFeel.h"
#include "ui/TAnimateControl.h"
#include "ui/TCvBaseForm.h"

#include <QAccessible>
#include <QApplication>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>

#include <functional>

namespace cv::test {
namespace {

using ui::LookAndFeelKind;

class TdxBarManager : public QObject {
    Q_OBJECT
    Q_PROPERTY(QFont Font MEMBER font)
public:
    using QObject::QObject;
    QFont font;
};

// A form that counts its hooks; `build` stands in for a layout description.
class ProbeForm : public ui::TCvBaseForm {
public:
    explicit ProbeForm(const std::function<void(QWidget*)>& build = {})
    {
        if (build)
            build(this);
        CompleteConstruction();
    }
    int firstShows = 0, firstActivations = 0, fontChanges = 0, lookChanges = 0;

protected:
    void FirstShow() override { ++firstShows; }
    void FirstActivate() override { ++firstActivations; }
    void FontChanged() override { ++fontChanges; }
    void LookAndFeelChanged() override
    {
        ++lookChanges;
        TCvBaseForm::LookAndFeelChanged();
    }
};

class TCvBaseFormTest : public UiFixture {
protected:
    void SetUp() override
    {
        UiFixture::SetUp();
        root().setKind(LookAndFeelKind::Office2003);
        root().setNativeStyle(false);
        root().setOffice2003Colors(0, true);
    }
    void TearDown() override
    {
        root().setKind(LookAndFeelKind::Office2003);
        root().setNativeStyle(false);
        root().setOffice2003Colors(0, true);
        UiFixture::TearDown();
    }
    static ui::LookAndFeel& root() { return *ui::RootLookAndFeel(); }
};

TEST_F(TCvBaseFormTest, HostIndexSelectsRootLookAndFeel)
{
    struct Case {
        int index;
        LookAndFeelKind kind;
        bool native;
    } cases[] = {{0, LookAndFeelKind::Flat, false},
                 {1, LookAndFeelKind::Office2003, false},
                 {2, LookAndFeelKind::Standard, true},
                 {3, LookAndFeelKind::UltraFlat, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.index);
        EXPECT_TRUE(ui::SetRootLookAndFeel(c.index));
        EXPECT_EQ(root().kind(), c.kind);
        EXPECT_EQ(root().nativeStyle(), c.native);
    }
    ui::SetRootLookAndFeel(2);
    for (int index : {4, -1}) {
        EXPECT_FALSE(ui::SetRootLookAndFeel(index));
        EXPECT_EQ(root().kind(), LookAndFeelKind::Standard);
        EXPECT_TRUE(root().nativeStyle());
    }
}

TEST_F(TCvBaseFormTest, HostColourSchemeReachesFormsOnlyWhenValidAndChanged)
{
    startHost();
    ProbeForm form;
    host.config().lookAndFeel = 1;
    host.config().colorScheme = 2;
    ui::ApplyHostAppearance();
    EXPECT_EQ(root().office2003Scheme(), 2);
    EXPECT_EQ(form.lookChanges, 1);
    for (int scheme : {5, -1, 2}) {
        host.config().colorScheme = scheme;
        ui::ApplyHostAppearance();
        EXPECT_EQ(root().office2003Scheme(), 2);
        EXPECT_EQ(form.lookChanges, 1);
    }
    host.config().lookAndFeel = 2;
    ui::ApplyHostAppearance();
    EXPECT_EQ(root().kind(), LookAndFeelKind::Standard);
    EXPECT_EQ(form.lookChanges, 3); // kind and native style
}

TEST_F(TCvBaseFormTest, FirstShowAndFirstActivateRunOnce)
{
    ProbeForm form;
    for (int round = 0; round < 2; ++round) {
        form.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
        form.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
        form.hide();
    }
    EXPECT_EQ(form.firstShows, 1);
    EXPECT_EQ(form.firstActivations, 1);
}

TEST_F(TCvBaseFormTest, FontChangesReachOnlyTheFirstBarManager)
{
    TdxBarManager* first = nullptr;
    TdxBarManager* second = nullptr;
    ProbeForm form([&](QWidget* w) {
        new QObject(w);
        first = new TdxBarManager(w);
        second = new TdxBarManager(w);
    });
    EXPECT_EQ(form.BarManager(), first);
    const int before = form.fontChanges;
    form.setFont(QFont(QStringLiteral("WenQuanYi Micro Hei"), 15));
    EXPECT_EQ(form.fontChanges, before + 1);
    EXPECT_EQ(first->font.pointSize(), 15);
    EXPECT_NE(second->font.pointSize(), 15);

    ProbeForm plain;
    plain.setFont(QFont(QStringLiteral("WenQuanYi Micro Hei"), 15));
    EXPECT_EQ(plain.BarManager(), nullptr);
    EXPECT_EQ(plain.fontChanges, 1);
}

TEST_F(TCvBaseFormTest, HostFontStyleCodes)
{
    host.config().useHostFont = true;
    host.config().fontName = QStringLiteral("WenQuanYi Micro Hei");
    host.config().fontSize = 12;
    startHost();
    struct Case {
        int code;
        bool italic, bold;
    } cases[] = {{1, true, false},  {2, false, true},  {3, true, true},
                 {4, false, false}, {0, false, false}, {-1, false, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        host.config().fontStyle = c.code;
        ProbeForm form;
        EXPECT_EQ(form.font().family(), QStringLiteral("WenQuanYi Micro Hei"));
        EXPECT_EQ(form.font().pointSize(), 12);
        EXPECT_EQ(form.font().italic(), c.italic);
        EXPECT_EQ(form.font().bold(), c.bold);
    }
}

TEST_F(TCvBaseFormTest, WithoutHostFontFlagTheSystemFontIsUsed)
{
    host.config().useHostFont = false;
    host.config().fontName = QStringLiteral("Some Host Face");
    startHost();
    ProbeForm form;
    EXPECT_EQ(form.font().family(), app().GetSystemMessageFont().family());
    form.ApplyHostFont();
    EXPECT_EQ(form.font().family(), app().GetSystemMessageFont().family());
}

TEST_F(TCvBaseFormTest, WithoutHostTheLayoutFontIsKept)
{
    ProbeForm form([](QWidget* w) { w->setFont(QFont(QStringLiteral("Courier"), 13)); });
    EXPECT_EQ(form.font().pointSize(), 13);
    EXPECT_EQ(form.fontChanges, 0);
}

QColor at(const QImage& image, int x, int y)
{
    return image.pixelColor(x, y);
}

bool near(const QColor& a, const QColor& b)
{
    return std::abs(a.red() - b.red()) <= 6 && std::abs(a.green() - b.green()) <= 6 &&
           std::abs(a.blue() - b.blue()) <= 6;
}

TEST_F(TCvBaseFormTest, BottomBandRestartsTheGradient)
{
    ProbeForm form;
    form.resize(200, 150);
    form.SetSeparateBottomBand(true);
    form.SetBottomBandHeight(42);
    const QImage image = form.grab().toImage();
    const QColor top(0xE3, 0xEF, 0xFF), bottom(0x87, 0xAD, 0xE4);
    EXPECT_TRUE(near(at(image, 100, 0), top));
    EXPECT_TRUE(near(at(image, 100, 107), bottom)) << at(image, 100, 107).name().toStdString();
    EXPECT_TRUE(near(at(image, 100, 108), top));
    EXPECT_TRUE(near(at(image, 100, 149), bottom));

    root().setKind(LookAndFeelKind::Standard);
    EXPECT_EQ(at(form.grab().toImage(), 100, 0), form.palette().window().color());
}

void sendMouse(QWidget& w, QEvent::Type type, QPoint local, Qt::MouseButtons buttons)
{
    QMouseEvent event(type, local, w.mapToGlobal(local), Qt::LeftButton, buttons, Qt::NoModifier);
    QApplication::sendEvent(&w, &event);
}

void dragFromCorner(QWidget& w, QPoint by)
{
    const QPoint corner(w.width() - 3, w.height() - 3);
    sendMouse(w, QEvent::MouseButtonPress, corner, Qt::LeftButton);
    sendMouse(w, QEvent::MouseMove, corner + by, Qt::LeftButton);
    sendMouse(w, QEvent::MouseButtonRelease, corner + by, Qt::NoButton);
}

TEST_F(TCvBaseFormTest, SizeGripResizesOnlyResizableWindows)
{
    ProbeForm form;
    form.resize(200, 150);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    EXPECT_TRUE(form.SizeGripRect().contains(QPoint(197, 147)));
    dragFromCorner(form, {30, 20});
    EXPECT_EQ(form.size(), QSize(230, 170));

    form.setFixedSize(200, 150);
    dragFromCorner(form, {30, 20});
    EXPECT_EQ(form.size(), QSize(200, 150));
}

TEST(TAnimateControl, StartsHiddenRedAndIdleAsARing)
{
    QWidget dialog;
    ui::TAnimateControl ring(&dialog);
    ring.resize(20, 20);
    EXPECT_TRUE(ring.isHidden());
    EXPECT_EQ(ring.Color(), QColor(255, 0, 0));
    EXPECT_EQ(ring.Timer().interval(), 500);
    EXPECT_FALSE(ring.Timer().isActive());
    dialog.show();
    ring.show(); // a hidden widget takes its new size when shown
    EXPECT_TRUE(ring.mask().contains(QPoint(0, 10)));
    EXPECT_TRUE(ring.mask().contains(QPoint(18, 10)));
    EXPECT_FALSE(ring.mask().contains(QPoint(10, 10)));
}

TEST(TAnimateControl, BlinksOnTimerAndSaysSo)
{
    QWidget dialog;
    ui::TAnimateControl ring(&dialog);
    dialog.show();
    ring.SetBlinking(true);
    QSignalSpy tick(&ring.Timer(), &QTimer::timeout);
    ring.Timer().start();
    ASSERT_TRUE(tick.wait());
    EXPECT_TRUE(ring.isVisible());
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(&ring);
    ASSERT_NE(accessible, nullptr);
    EXPECT_TRUE(accessible->state().animated);
    EXPECT_EQ(accessible->role(), QAccessible::Animation);
}

} // namespace
} // namespace cv::test

#include "TCvBaseForm_test.moc"
