#include "platform/widgets/BarImageCombo.h"
#include "platform/widgets/ImageList.h"
#include "platform/widgets/TdxBarManager.h"

#include "platform/abi/Exception.h"

#include <gtest/gtest.h>

#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

using namespace cv;
using namespace cv::widgets;

namespace {

QIcon filled(const QColor& colour, int side)
{
    QPixmap pixmap(side, side);
    pixmap.fill(colour);
    return QIcon(pixmap);
}

class TdxBarManagerTest : public testing::Test {
protected:
    void SetUp() override
    {
        bar = bars->addBar(QStringLiteral("dxBarManager1Bar1"), QStringLiteral("工具栏"));
        menu = bars->addSubItem(bar, QStringLiteral("dxBarSubItem3"), QStringLiteral("菜单 "));
        QMenu* help =
            bars->addSubItem(menu, QStringLiteral("dxBarSubItem4"), QStringLiteral("帮助"));
        bars->addButton(help, QStringLiteral("dxBarButton1"), QStringLiteral("帮助"), -1,
                        Qt::Key_F1);
        bars->addButton(help, QStringLiteral("dxBarButton2"), QStringLiteral("关于"));
        bars->addSeparator(menu);
        bars->addButton(menu, QStringLiteral("dxBarButton9"), QStringLiteral("关闭"));
        save = bars->addButton(bar, QStringLiteral("dxBarButton3"), QStringLiteral("保存"), 1);
        close = bars->addButton(bar, QStringLiteral("Btn_Close"), QStringLiteral("关闭"), -1,
                                QKeySequence(Qt::CTRL | Qt::Key_Y));
        auto* layout = new QVBoxLayout(&form);
        layout->addWidget(bar);
    }

    static QStringList captions(const QMenu* m)
    {
        QStringList out;
        for (const QAction* a : m->actions())
            out << (a->isSeparator() ? QStringLiteral("-") : a->text());
        return out;
    }

    QWidget form;
    TdxBarManager* bars = new TdxBarManager(&form);
    QToolBar* bar = nullptr;
    QMenu* menu = nullptr;
    QAction* save = nullptr;
    QAction* close = nullptr;
};

TEST_F(TdxBarManagerTest, FormFindsItByClassNameAndSetsItsFont)
{
    QObject* found = nullptr;
    for (QObject* child : form.children()) {
        if (QByteArray(child->metaObject()->className()).endsWith("TdxBarManager")) {
            found = child;
            break;
        }
    }
    ASSERT_EQ(found, bars);
    const QFont font(QStringLiteral("WenQuanYi Micro Hei"), 15);
    ASSERT_TRUE(found->setProperty("Font", font));
    EXPECT_EQ(bar->font().pointSize(), 15);
    EXPECT_EQ(menu->font().pointSize(), 15);
}

TEST_F(TdxBarManagerTest, ItemsAreAddressedByName)
{
    EXPECT_EQ(bars->action(QStringLiteral("dxBarButton3")), save);
    EXPECT_EQ(bars->subMenu(QStringLiteral("dxBarSubItem3")), menu);
    EXPECT_EQ(bars->findChild<QAction*>(QStringLiteral("Btn_Close")), close);
    EXPECT_EQ(bars->action(QStringLiteral("nope")), nullptr);
    EXPECT_THROW(bars->addButton(bar, QStringLiteral("dxBarButton3"), QStringLiteral("again")),
                 Exception);
    bars->action(QStringLiteral("dxBarButton3"))->setVisible(false);
    EXPECT_FALSE(save->isVisible());
}

TEST_F(TdxBarManagerTest, SubMenusHoldTheirItemsAndDropDownFromTheBar)
{
    EXPECT_EQ(captions(menu),
              (QStringList{QStringLiteral("帮助"), QStringLiteral("-"), QStringLiteral("关闭")}));
    EXPECT_EQ(captions(bars->subMenu(QStringLiteral("dxBarSubItem4"))),
              (QStringList{QStringLiteral("帮助"), QStringLiteral("关于")}));
    auto* button = qobject_cast<QToolButton*>(bar->widgetForAction(menu->menuAction()));
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->popupMode(), QToolButton::InstantPopup);
    EXPECT_EQ(button->text().trimmed(), QStringLiteral("菜单"));
}

TEST_F(TdxBarManagerTest, ShortcutsTriggerTheirItems)
{
    form.show();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    QSignalSpy closing(close, &QAction::triggered);
    QSignalSpy helping(bars->action(QStringLiteral("dxBarButton1")), &QAction::triggered);
    QTest::keyClick(&form, Qt::Key_Y, Qt::ControlModifier);
    QTest::keyClick(&form, Qt::Key_F1);
    EXPECT_EQ(closing.count(), 1);
    EXPECT_EQ(helping.count(), 1); // from inside a closed sub-menu
}

TEST_F(TdxBarManagerTest, GlyphsComeFromTheImageListByIndex)
{
    ImageList small(16, 16);
    ImageList large(24, 24);
    bars->beginUpdate();
    bars->setImages(&small, &large);
    for (const QColor& c : {QColor(Qt::red), QColor(Qt::blue)}) {
        small.add(filled(c, 16));
        large.add(filled(c, 24));
    }
    EXPECT_TRUE(save->icon().isNull()); // not before the update ends
    bars->endUpdate();
    EXPECT_EQ(save->icon().pixmap(16, 16).toImage().pixelColor(4, 4), QColor(Qt::blue));
    bars->setLargeImages(true);
    EXPECT_EQ(bar->iconSize(), QSize(24, 24));
    EXPECT_EQ(save->icon().availableSizes().value(0), QSize(24, 24));
}

TEST_F(TdxBarManagerTest, ImageComboKeepsItsValueAndReportsChanges)
{
    QMenu* print =
        bars->addSubItem(bar, QStringLiteral("dxBarSubItem6"), QStringLiteral("手术申请单"));
    BarImageCombo* formats =
        bars->addImageCombo(print, QStringLiteral("RecipeList"), QStringLiteral("格式"));
    EXPECT_EQ(bars->imageCombo(QStringLiteral("RecipeList")), formats);
    EXPECT_EQ(formats->accessibleName(), QStringLiteral("格式"));

    QSignalSpy changed(formats, &BarImageCombo::editValueChanged);
    formats->setEditValue(7);
    EXPECT_EQ(formats->currentIndex(), -1);
    formats->addImageItem(QStringLiteral("格式一"), 3);
    formats->addImageItem(QStringLiteral("格式二"), 7);
    EXPECT_EQ(formats->currentText(), QStringLiteral("格式二"));
    EXPECT_EQ(changed.count(), 1); // filling the list is no change

    formats->setCurrentIndex(0);
    emit formats->activated(0);
    ASSERT_EQ(changed.count(), 2);
    EXPECT_EQ(changed.last().at(0).toInt(), 3);
    EXPECT_EQ(formats->editValue().toInt(), 3);

    formats->clearItems();
    EXPECT_EQ(formats->editValue().toInt(), 3);
    EXPECT_EQ(changed.count(), 2);
}

} // namespace
