// What the form package needs of the module's command forms, without
// depending on the window layer that implements them.
#pragma once

#include <QEvent>
#include <QObject>
#include <QString>

#include <functional>

class QWidget;

namespace cv::shell {

class ModuleForm {
public:
    virtual ~ModuleForm() = default;

    virtual void SetCommandId(int id) = 0;
    // The text the host passed with the command (launch parameters).
    virtual void SetCommandText(const QString& text) = 0;
    // Read after the form was closed with OK from a modal show.
    virtual void GetResultText(QString& text) = 0;
    // Dialog forms are always shown modally.
    virtual bool IsDialogForm() const = 0;
};

// A window-system command posted to a form: 3023 brings an open command
// form to the front, 3024 applies the host's border setting, 0xF020
// minimizes.
class SystemCommandEvent : public QEvent {
public:
    explicit SystemCommandEvent(int command) : QEvent(eventType()), m_command(command) {}
    int command() const { return m_command; }
    static QEvent::Type eventType();

    static constexpr int kShowForm = 3023;
    static constexpr int kApplyBorder = 3024;
    static constexpr int kMinimize = 0xF020;
    static constexpr int kCaptionDrag = 0xF012;

private:
    int m_command;
};

// A form class of a command: its name (as the host sees it) and how to
// create one. A registration without a factory is a separator.
struct FormClass {
    QString name;
    std::function<QWidget*()> create;
};

// The class name of a form without its C++ namespace.
QString FormClassName(const QObject* form);

} // namespace cv::shell
