#include "ReportPreviewDialog.h"

#include <QPageSize>
#include <QPrintPreviewWidget>
#include <QTextDocument>
#include <QToolBar>
#include <QVBoxLayout>

namespace cv::host {

ReportPreviewDialog::ReportPreviewDialog(QTextDocument* document, const QString& title,
                                         bool printEnabled, std::function<bool()> print,
                                         QWidget* parent)
    : QDialog(parent), m_document(document), m_print(std::move(print)),
      m_printer(QPrinter::HighResolution)
{
    setObjectName(QStringLiteral("ReportPreviewDialog"));
    setWindowTitle(QStringLiteral("打印预览 - %1").arg(title));
    resize(820, 900);
    m_printer.setPageSize(QPageSize(QPageSize::A4));
    m_preview = new QPrintPreviewWidget(&m_printer, this);
    m_preview->setObjectName(QStringLiteral("previewWidget"));
    connect(m_preview, &QPrintPreviewWidget::paintRequested, this,
            [this](QPrinter* printer) { m_document->print(printer); });
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    buildToolBar(printEnabled);
    layout->addWidget(m_preview, 1);
    m_preview->updatePreview();
    m_preview->fitToWidth();
}

void ReportPreviewDialog::buildToolBar(bool printEnabled)
{
    auto* bar = new QToolBar(this);
    bar->setObjectName(QStringLiteral("previewToolBar"));
    bar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    m_printAction = bar->addAction(QStringLiteral("打印"), this, [this] { printNow(); });
    m_printAction->setObjectName(QStringLiteral("printAction"));
    m_printAction->setEnabled(printEnabled);
    bar->addSeparator();
    bar->addAction(QStringLiteral("放大"), m_preview, [this] { m_preview->zoomIn(); });
    bar->addAction(QStringLiteral("缩小"), m_preview, [this] { m_preview->zoomOut(); });
    bar->addAction(QStringLiteral("适合宽度"), m_preview, [this] { m_preview->fitToWidth(); });
    bar->addAction(QStringLiteral("整页"), m_preview, [this] { m_preview->fitInView(); });
    bar->addSeparator();
    bar->addAction(QStringLiteral("关闭"), this, &QDialog::reject);
    layout()->addWidget(bar);
}

int ReportPreviewDialog::pageCount() const
{
    return m_preview->pageCount();
}

// Printing from the preview ends it, as the user has what they came for.
void ReportPreviewDialog::printNow()
{
    if (!m_printAction->isEnabled() || !m_print())
        return;
    m_printed = true;
    accept();
}

} // namespace cv::host
