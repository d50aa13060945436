// The embedded report preview: a host window that lives in a module's panel
// and shows the report the print program loaded.
#include "ServicesFixture.h"

#include "host/services/PrintProgram.h"
#include "host/services/ReportPreviewWindow.h"

#include <QTest>

using namespace cv;
using namespace cv::host;
using namespace cv::host::testing;
using namespace corvelian;

namespace {

class ReportPreviewWindowTest : public ServicesFixture {
protected:
    void SetUp() override
    {
        ServicesFixture::SetUp();
        preview = create<ICVPrintPreview>(QStringLiteral("ICVPrintPreview"), true);
        ASSERT_TRUE(preview);
        widget = dynamic_cast<ReportPreviewWindow*>(preview.get())->widget();
        ASSERT_TRUE(widget);
    }

    ComPtr<ICVPrintPreview> preview;
    QPointer<ReportPreviewWidget> widget;
};

TEST_F(ReportPreviewWindowTest, LivesInThePanelItIsGivenAndFollowsItsSize)
{
    ASSERT_TRUE(preview.as<ICVEmbWindow>());
    QWidget form;
    form.resize(600, 400);
    auto* panel = new QWidget(&form);
    panel->setGeometry(200, 0, 400, 400);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));

    const CvHandle handle = preview->GetHandle();
    EXPECT_NE(handle, 0u);
    EXPECT_EQ(QWidget::find(WId(handle)), widget.data());
    EXPECT_EQ(preview->SetParentHandle(0x7fffffff), 0);
    ASSERT_EQ(preview->SetParentHandle(panel->winId()), 1);
    EXPECT_EQ(widget->parentWidget(), panel);
    EXPECT_EQ(widget->geometry(), panel->rect());
    EXPECT_TRUE(widget->isVisible());

    panel->resize(300, 250);
    EXPECT_EQ(widget->geometry(), QRect(0, 0, 300, 250));
}

TEST_F(ReportPreviewWindowTest, ShowsTheLoadedReportOfTheHostsPrintProgramAndClears)
{
    const ComPtr<ICVPrint2> print = create<ICVPrint2>(QStringLiteral("Cv.Print"), false);
    ASSERT_TRUE(print);
    EXPECT_EQ(preview->ShowReport(print.get()), 0) << "nothing loaded yet";
    EXPECT_EQ(preview->ShowReport(nullptr), 0);

    std::int32_t result = 0;
    ASSERT_EQ(print->SelectReport(u"HIS.S.000025", u"CBM01=3\r\n", nullptr, &result), CV_OK);
    const int herbal = database->run(QStringLiteral("SELECT min(CBM01) FROM CBM1 WHERE CBM06 = 2"))
                           .rows[0][0]
                           .toInt();
    ASSERT_EQ(print->Command(wideArg(QStringLiteral("SetVars CBM01=%1\r\n").arg(herbal))), 1);
    CvWordBool ok = 0;
    ASSERT_EQ(print->LoadReport(7, 0, &ok), CV_OK);
    ASSERT_EQ(preview->ShowReport(print.get()), 1);
    EXPECT_TRUE(widget->toPlainText().contains(QStringLiteral("中草药处方笺")));
    EXPECT_TRUE(widget->toPlainText().contains(QStringLiteral("用法：水煎服")));

    EXPECT_EQ(preview->PreviewCommand(u".Print"), 0);
    EXPECT_EQ(preview->PreviewCommand(u".Clear"), 1);
    EXPECT_TRUE(widget->toPlainText().isEmpty());
}

TEST_F(ReportPreviewWindowTest, ReleasingThePreviewDeletesItsWindowWhereverItLives)
{
    QWidget panel;
    ASSERT_EQ(preview->SetParentHandle(panel.winId()), 1);
    preview.reset();
    EXPECT_TRUE(widget.isNull());
    EXPECT_TRUE(panel.children().isEmpty());
}

} // namespace
