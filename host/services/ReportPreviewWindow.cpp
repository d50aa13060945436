#include "ReportPreviewWindow.h"

#include "PrintProgram.h"

#include "platform/abi/Boundary.h"
#include "platform/abi/WideString.h"

namespace cv::host {

using namespace corvelian;

ReportPreviewWindow::ReportPreviewWindow(const QString& fontName)
    : m_widget(new ReportPreviewWidget(fontName))
{
}

ReportPreviewWindow::~ReportPreviewWindow()
{
    delete m_widget.data();
}

void* ReportPreviewWindow::findInterface(const CvGuid& iid)
{
    if (iid == ICVInterface::iid())
        return static_cast<ICVInterface*>(this);
    if (iid == ICVEmbWindow::iid())
        return static_cast<ICVEmbWindow*>(this);
    return ComObject::findInterface(iid);
}

template <class F> std::int32_t ReportPreviewWindow::plain(F&& body)
{
    std::int32_t answer = 0;
    const CvStatus status = guardHostCall(m_lastError, [&] { answer = body(); });
    return CvSucceeded(status) ? answer : 0;
}

ReportPreviewWidget& ReportPreviewWindow::requireWidget()
{
    if (!m_widget)
        throw Exception(QStringLiteral("报表预览窗口已被销毁."));
    return *m_widget;
}

CvStatus CV_CALL ReportPreviewWindow::GetVersion(double* version)
{
    if (!version)
        return CV_E_POINTER;
    *version = 2.0;
    return CV_OK;
}

CvStatus CV_CALL ReportPreviewWindow::GetName(CvBStr* name)
{
    if (!name)
        return CV_E_POINTER;
    *name = allocWide(QStringLiteral("ICVPrintPreview"));
    return CV_OK;
}

CvStatus CV_CALL ReportPreviewWindow::GetLastError(CvBStr* text)
{
    if (!text)
        return CV_E_POINTER;
    *text = allocWide(m_lastError);
    return CV_OK;
}

CvHandle CV_CALL ReportPreviewWindow::GetHandle()
{
    CvHandle handle = 0;
    guardHostCall(m_lastError, [&] { handle = CvHandle(requireWidget().winId()); });
    return handle;
}

std::int32_t CV_CALL ReportPreviewWindow::SetParentHandle(CvHandle parent)
{
    return plain([&] {
        QWidget* host = QWidget::find(WId(parent));
        if (!host)
            throw Exception(QStringLiteral("窗口句柄%1无效.").arg(parent));
        requireWidget().attachTo(host);
        return 1;
    });
}

std::int32_t CV_CALL ReportPreviewWindow::ShowReport(ICVPrint2* print)
{
    return plain([&] {
        const ComPtr<ICVPrint2> asked = queryInterface<ICVPrint2>(print);
        const auto* program = dynamic_cast<const PrintProgram*>(asked.get());
        if (!program)
            throw Exception(QStringLiteral("报表预览只能显示本机打印程序载入的报表."));
        if (program->loadedHtml().isEmpty())
            throw Exception(QStringLiteral("打印程序没有载入报表."));
        requireWidget().setHtml(program->loadedHtml());
        return 1;
    });
}

std::int32_t CV_CALL ReportPreviewWindow::PreviewCommand(const char16_t* command)
{
    return plain([&] {
        const QString text = fromWideZ(command).trimmed();
        if (text.compare(QLatin1String(".Clear"), Qt::CaseInsensitive) != 0)
            throw Exception(QStringLiteral("报表预览不认识命令%1.").arg(text));
        requireWidget().clear();
        return 1;
    });
}

} // namespace cv::host
