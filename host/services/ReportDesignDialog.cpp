#include "ReportDesignDialog.h"

#include "ReportTemplate.h"

#include "platform/abi/Exception.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace cv::host {

ReportDesignDialog::ReportDesignDialog(const ReportFormat& format, Renderer renderer,
                                       QWidget* parent)
    : QDialog(parent), m_renderer(std::move(renderer))
{
    setObjectName(QStringLiteral("ReportDesignDialog"));
    setWindowTitle(QStringLiteral("报表设计 - %1（%2）").arg(format.name, format.reportCode));
    resize(1100, 760);
    buildLayout();
    m_editor->setPlainText(format.templateText);
    refreshPreview();
}

void ReportDesignDialog::buildLayout()
{
    auto* splitter = new QSplitter(this);
    m_editor = new QPlainTextEdit(splitter);
    m_editor->setObjectName(QStringLiteral("templateEdit"));
    m_editor->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_browser = new QTextBrowser(splitter);
    m_browser->setObjectName(QStringLiteral("previewBrowser"));
    m_error = new QLabel(this);
    m_error->setObjectName(QStringLiteral("errorLabel"));
    m_error->setStyleSheet(QStringLiteral("color: #b00020"));
    m_error->setWordWrap(true);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Save | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Save)->setText(QStringLiteral("保存"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("取消"));
    QPushButton* preview = buttons->addButton(QStringLiteral("预览"), QDialogButtonBox::ActionRole);
    preview->setObjectName(QStringLiteral("previewButton"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(splitter, 1);
    layout->addWidget(m_error);
    layout->addWidget(buttons);
    connect(preview, &QPushButton::clicked, this, &ReportDesignDialog::refreshPreview);
    connect(buttons, &QDialogButtonBox::accepted, this, &ReportDesignDialog::save);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

QString ReportDesignDialog::templateText() const
{
    return m_editor->toPlainText();
}

void ReportDesignDialog::setTemplateText(const QString& text)
{
    m_editor->setPlainText(text);
}

QString ReportDesignDialog::errorText() const
{
    return m_error->text();
}

void ReportDesignDialog::refreshPreview()
{
    try {
        m_browser->setHtml(m_renderer(templateText()));
        m_error->clear();
    } catch (const Exception& e) {
        m_error->setText(e.message());
    }
}

void ReportDesignDialog::save()
{
    try {
        ReportTemplate::parse(templateText());
    } catch (const Exception& e) {
        m_error->setText(e.message());
        return;
    }
    m_error->clear();
    accept();
}

} // namespace cv::host
