#include "TCVEmbReportPreview.h"

#include "platform/abi/Exception.h"
#include "platform/abi/WideString.h"

using namespace corvelian;

namespace cv::services {

TCVEmbReportPreview::TCVEmbReportPreview(QWidget* parent)
    : TCVEmbWindow(parent, QStringLiteral("报表预览"), QStringLiteral("ICVPrintPreview"))
{
    Embed();
}

void TCVEmbReportPreview::AttachInterface(const ComPtr<ICVEmbWindow>& window)
{
    m_preview = window.as<ICVPrintPreview>();
    if (!m_preview)
        throw Exception(QStringLiteral("Interface not supported"), CV_E_NOINTERFACE);
}

void TCVEmbReportPreview::Clear() const
{
    if (HasWindow())
        m_preview->PreviewCommand(wideArg(QStringLiteral(".Clear")));
}

} // namespace cv::services
