#include "ScriptParameterDialog.h"

#include <QDateEdit>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <limits>

namespace cv::host {

namespace {
const QString kDateFormat = QStringLiteral("yyyy-MM-dd");
}

ScriptParameterDialog::ScriptParameterDialog(const QString& title,
                                             std::vector<ScriptParameter> parameters,
                                             QWidget* parent)
    : QDialog(parent), m_parameters(std::move(parameters))
{
    setObjectName(QStringLiteral("ScriptParameterDialog"));
    setWindowTitle(title);
    auto* form = new QFormLayout;
    for (const ScriptParameter& parameter : m_parameters) {
        QWidget* editor = createEditor(parameter);
        auto* label = new QLabel(parameter.caption, this);
        label->setBuddy(editor);
        form->addRow(label, editor);
        m_editors.push_back(editor);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("确定"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("取消"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
}

QWidget* ScriptParameterDialog::createEditor(const ScriptParameter& parameter)
{
    QWidget* editor = nullptr;
    if (parameter.kind == ScriptParameter::Kind::Date) {
        auto* date = new QDateEdit(this);
        date->setDisplayFormat(kDateFormat);
        date->setCalendarPopup(true);
        date->setDate(QDate::fromString(parameter.value, kDateFormat));
        editor = date;
    } else {
        auto* line = new QLineEdit(parameter.value, this);
        if (parameter.kind == ScriptParameter::Kind::Integer)
            line->setValidator(new QIntValidator(std::numeric_limits<int>::min(),
                                                 std::numeric_limits<int>::max(), line));
        editor = line;
    }
    editor->setObjectName(parameter.name);
    editor->setAccessibleName(parameter.caption);
    return editor;
}

QString ScriptParameterDialog::valueOf(const QWidget* editor, ScriptParameter::Kind kind)
{
    if (kind == ScriptParameter::Kind::Date)
        return static_cast<const QDateEdit*>(editor)->date().toString(kDateFormat);
    return static_cast<const QLineEdit*>(editor)->text();
}

std::vector<ScriptParameter> ScriptParameterDialog::parameters() const
{
    std::vector<ScriptParameter> result = m_parameters;
    for (std::size_t i = 0; i < result.size(); ++i)
        result[i].value = valueOf(m_editors[i], result[i].kind);
    return result;
}

QWidget* ScriptParameterDialog::editor(const QString& name) const
{
    for (std::size_t i = 0; i < m_parameters.size(); ++i)
        if (m_parameters[i].name.compare(name, Qt::CaseInsensitive) == 0)
            return m_editors[i];
    return nullptr;
}

} // namespace cv::host
