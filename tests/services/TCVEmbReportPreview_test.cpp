#include "ServicesFixture.h"

#include "services/TCVEmbReportPreview.h"

#include <QPointer>
#include <QSignalSpy>
#include <QVBoxLayout>

namespace cv::test {
namespace {

using services::TCVEmbReportPreview;
using services::TCVEmbWindow;

class TCVEmbReportPreviewTest : public ServicesFixture {
protected:
    void SetUp() override
    {
        ServicesFixture::SetUp();
        startHost();
    }

    ComPtr<FakePrintPreview> preview{new FakePrintPreview};
};

TEST_F(TCVEmbReportPreviewTest, FailuresBecomeTheCaption)
{
    const struct {
        const char* scenario;
        std::function<void()> arrange;
        QString caption;
    } cases[] = {
        {"no package", [] {}, QStringLiteral("没有程序包提供接口ICVPrintPreview.")},
        {"no object", [&] { provide(QStringLiteral("ICVPrintPreview"), {}); },
         QStringLiteral("ICVRichView 接口访问失败.")},
        {"not a window",
         [&] {
             provide(QStringLiteral("ICVPrintPreview"),
                     unknown(ComPtr<FakeParams>(new FakeParams)));
         },
         QStringLiteral("Interface not supported")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.scenario);
        host.state().interfacePackages.clear();
        c.arrange();
        TCVEmbReportPreview panel;
        EXPECT_FALSE(panel.HasWindow());
        EXPECT_EQ(panel.Caption(), c.caption);
        EXPECT_EQ(panel.Preview(), nullptr);
        panel.Clear();
    }
}

TEST_F(TCVEmbReportPreviewTest, PanelOfNoKindHasNoInterfaceName)
{
    provide(QString(), unknown(preview));
    TCVEmbWindow panel;
    EXPECT_FALSE(panel.HasWindow());
    EXPECT_EQ(panel.Caption(), QStringLiteral("接口名称为空."));
}

TEST_F(TCVEmbReportPreviewTest, PreviewIsRequestedByNameAndClearsThroughTheHost)
{
    const auto package = provide(QStringLiteral("ICVPrintPreview"), unknown(preview));
    TCVEmbReportPreview panel;
    ASSERT_TRUE(panel.HasWindow());
    EXPECT_EQ(panel.Caption(), QStringLiteral("报表预览"));
    EXPECT_EQ(panel.InterfaceName(), QStringLiteral("ICVPrintPreview"));
    EXPECT_EQ(package->requests,
              (std::vector{std::make_pair(0, QStringLiteral("ICVPrintPreview"))}));
    EXPECT_EQ(panel.Preview(), static_cast<ICVPrintPreview*>(preview.get()));
    panel.Clear();
    EXPECT_EQ(preview->commands, QStringList(QStringLiteral(".Clear")));
}

TEST_F(TCVEmbReportPreviewTest, HostWindowLivesInThePanelAndFollowsItsSize)
{
    provide(QStringLiteral("ICVPrintPreview"), unknown(preview));
    QWidget form;
    auto* layout = new QVBoxLayout(&form);
    layout->setContentsMargins(11, 7, 11, 7);
    auto* panel = new TCVEmbReportPreview(&form);
    layout->addWidget(panel);
    form.resize(400, 300);
    QSignalSpy adopted(panel, &TCVEmbWindow::HostWindowAdopted);
    form.show();
    ASSERT_TRUE(adopted.wait());

    QWidget* hostWindow = preview->window.get();
    ASSERT_EQ(preview->parents.size(), 1u);
    EXPECT_EQ(QWidget::find(WId(preview->parents[0])), panel);
    EXPECT_EQ(hostWindow->parentWidget(), panel);
    EXPECT_EQ(hostWindow->geometry(), QRect(QPoint(0, 0), panel->size()));

    form.resize(520, 260);
    EXPECT_EQ(panel->size(), QSize(520 - 22, 260 - 14));
    EXPECT_EQ(hostWindow->geometry(), QRect(QPoint(0, 0), panel->size()));
}

TEST_F(TCVEmbReportPreviewTest, FreeingThePanelLeavesTheHostWindowToTheHost)
{
    provide(QStringLiteral("ICVPrintPreview"), unknown(preview));
    QWidget form;
    auto* panel = new TCVEmbReportPreview(&form);
    QSignalSpy adopted(panel, &TCVEmbWindow::HostWindowAdopted);
    form.show();
    ASSERT_TRUE(adopted.wait());
    const QPointer<QWidget> hostWindow = preview->window.get();
    ASSERT_EQ(hostWindow->parentWidget(), panel);
    const std::uint32_t references = preview->refCount();
    delete panel;
    EXPECT_EQ(preview->refCount(), references - 2);
    ASSERT_TRUE(hostWindow);
    EXPECT_EQ(hostWindow->parentWidget(), nullptr);
}

} // namespace
} // namespace cv::test
