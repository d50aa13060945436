#include "ReportPreviewWidget.h"

#include <QEvent>

namespace cv::host {

ReportPreviewWidget::ReportPreviewWidget(const QString& fontName)
{
    setObjectName(QStringLiteral("ReportPreview"));
    setWindowTitle(QStringLiteral("报表预览"));
    setOpenLinks(false);
    document()->setDefaultFont(QFont(fontName, 10));
    resize(400, 500);
}

void ReportPreviewWidget::attachTo(QWidget* parent)
{
    if (m_host)
        m_host->removeEventFilter(this);
    m_host = parent;
    setParent(parent);
    setGeometry(parent->rect());
    parent->installEventFilter(this);
    show();
}

bool ReportPreviewWidget::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_host && event->type() == QEvent::Resize)
        setGeometry(m_host->rect());
    return QTextBrowser::eventFilter(watched, event);
}

} // namespace cv::host
