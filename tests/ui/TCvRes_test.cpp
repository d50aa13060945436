#include "UiFixture.h"

#include "ui/CVUserInfo.h"

#include "platform/abi/WideString.h"

#include <QFile>

namespace cv::test {
namespace {

using ui::CVUserInfo;
using ui::ImageList;
using ui::TCvRes;

class TCvResTest : public UiFixture {
protected:
    const TCvRes& res()
    {
        if (!TCvRes::instance())
            startHost();
        return *TCvRes::instance();
    }
};

TEST_F(TCvResTest, MissingIconLeavesBlankSlotWithoutFallback)
{
    ImageList list(16, 16);
    res().LoadIcons(list, {1116, 9999}, 0);
    ASSERT_EQ(list.count(), 2);
    QIcon expected;
    ASSERT_TRUE(res().LoadIcon(expected, 1116, 16));
    EXPECT_EQ(pixels(list.icon(0), 16), pixels(expected, 16));
    EXPECT_FALSE(isBlank(pixels(list.icon(0), 16)));
    EXPECT_TRUE(isBlank(pixels(list.icon(1), 16)));
}

TEST_F(TCvResTest, MissingIconTakesFallback)
{
    ImageList list(24, 24);
    res().LoadIcons(list, {1116, 9999}, 1116);
    ASSERT_EQ(list.count(), 2);
    EXPECT_EQ(pixels(list.icon(1), 24), pixels(list.icon(0), 24));
    EXPECT_FALSE(isBlank(pixels(list.icon(1), 24)));
}

TEST_F(TCvResTest, IconsDifferPerNumberAndAreDrawnForTheListSize)
{
    for (int size : {16, 24, 32}) {
        SCOPED_TRACE(size);
        QIcon list, save;
        ASSERT_TRUE(res().LoadIcon(list, 1116, size));
        ASSERT_TRUE(res().LoadIcon(save, 1103, size));
        EXPECT_EQ(list.availableSizes(), QList<QSize>{QSize(size, size)});
        EXPECT_NE(pixels(list, size), pixels(save, size));
    }
}

TEST_F(TCvResTest, LoadGraphicReportsMissingResourceAsFailure)
{
    QIcon icon(QPixmap(8, 8));
    EXPECT_FALSE(res().LoadGraphic(icon, QStringLiteral("I9999"), 16));
    EXPECT_TRUE(icon.isNull());
    QPixmap bitmap;
    EXPECT_FALSE(res().LoadGraphic(bitmap, QStringLiteral("nothing")));
}

TEST_F(TCvResTest, BusyCursorIsInstalledAndItsFileRemoved)
{
    res();
    ASSERT_TRUE(TCvRes::instance()->BusyCursorLoaded());
    const QCursor cursor = ui::busyCursor();
    EXPECT_EQ(cursor.shape(), Qt::BitmapCursor);
    EXPECT_EQ(cursor.pixmap().size(), QSize(32, 32));
    EXPECT_EQ(cursor.hotSpot(), QPoint(16, 16));
    EXPECT_FALSE(QFile::exists(host.config().tempPath + QStringLiteral("Busy.ani")));
}

TEST_F(TCvResTest, BusyCursorFileNeverWritesThroughAPlantedLink)
{
    const QString victim = tempDir.filePath(QStringLiteral("victim.txt"));
    QFile file(victim);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("keep");
    file.close();
    ASSERT_TRUE(QFile::link(victim, host.config().tempPath + QStringLiteral("Busy.ani")));
    res();
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("keep"));
    EXPECT_TRUE(TCvRes::instance()->BusyCursorLoaded());
}

TEST_F(TCvResTest, WithoutSystemLibraryNothingLoads)
{
    host.config().provideLibrary = false;
    startHost();
    ASSERT_NE(TCvRes::instance(), nullptr);
    EXPECT_FALSE(TCvRes::instance()->HasResourceModule());
    EXPECT_FALSE(TCvRes::instance()->BusyCursorLoaded());
    EXPECT_EQ(ui::busyCursor().shape(), Qt::WaitCursor);
    ImageList list(16, 16);
    TCvRes::instance()->LoadIcons(list, {1116}, 1116);
    ASSERT_EQ(list.count(), 1);
    EXPECT_TRUE(isBlank(pixels(list.icon(0), 16)));
    host.config().userValues.insert(QStringLiteral("EmpName"), QStringLiteral("张三"));
    EXPECT_EQ(CVUserInfo::EmpName(), QString());
    EXPECT_EQ(CVUserInfo::DeptId(), 0);
}

TEST_F(TCvResTest, StageOneFreesResourcesAndRestoresHourglass)
{
    res();
    app().ShutDown();
    EXPECT_EQ(TCvRes::instance(), nullptr);
    EXPECT_EQ(ui::busyCursor().shape(), Qt::WaitCursor);
}

TEST_F(TCvResTest, UserValuesAreReadAsTheHostAnswers)
{
    startHost();
    struct Case {
        const char* value;
        int number;
    } cases[] = {{"12", 12}, {"abc", 0}, {"", 0}, {"-3", -3}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        host.config().userValues.insert(QStringLiteral("Empid"), QString::fromUtf8(c.value));
        host.config().userValues.insert(QStringLiteral("DeptId"), QString::fromUtf8(c.value));
        EXPECT_EQ(CVUserInfo::Empid(), c.number);
        EXPECT_EQ(CVUserInfo::DeptId(), c.number);
    }
    host.config().userValues.insert(QStringLiteral("EmpName"), QStringLiteral("张三"));
    EXPECT_EQ(CVUserInfo::EmpName(), QStringLiteral("张三"));
    EXPECT_EQ(CVUserInfo::UserValue(QString()), QString());
}

TEST(HostResourceModule, AnswersFalseForMissingAndCopiesUpToCapacity)
{
    ComPtr<host::HostResourceModule> module(new host::HostResourceModule);
    module->add(QStringLiteral("I1"), QStringLiteral("ICON"), QByteArray("abcdef"));
    std::uint32_t size = 99;
    EXPECT_EQ(module->FindResource(u"I2", u"ICON", nullptr, 0, &size), corvelian::CV_FALSE);
    EXPECT_EQ(size, 0u);
    std::uint8_t buffer[4] = {};
    EXPECT_EQ(module->FindResource(u"i1", u"icon", buffer, 3, &size), corvelian::CV_OK);
    EXPECT_EQ(size, 6u);
    EXPECT_EQ(QByteArray(reinterpret_cast<char*>(buffer), 4), QByteArray("abc\0", 4));
}

} // namespace
} // namespace cv::test
