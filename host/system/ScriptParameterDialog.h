// The host's parameter dialog of a script: one editor per declared parameter
// (a date edit for dates, a line edit taking whole numbers for integers, a
// line edit for text), pre-filled with the values given.
#pragma once

#include "ScriptStore.h"

#include <QDialog>

#include <vector>

namespace cv::host {

class ScriptParameterDialog : public QDialog {
    Q_OBJECT
public:
    // Editors are named after their parameters (objectName), so that tests
    // and assistive tools find them.
    ScriptParameterDialog(const QString& title, std::vector<ScriptParameter> parameters,
                          QWidget* parent = nullptr);

    // The parameters with the editors' current values.
    std::vector<ScriptParameter> parameters() const;
    QWidget* editor(const QString& name) const;

private:
    QWidget* createEditor(const ScriptParameter& parameter);
    static QString valueOf(const QWidget* editor, ScriptParameter::Kind kind);

    std::vector<ScriptParameter> m_parameters;
    std::vector<QWidget*> m_editors;
};

} // namespace cv::host
