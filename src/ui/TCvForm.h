// The module form: logs its creation, first show and closing to the host,
// takes the host's input-method name, remembers the command that opened it,
// and frees itself when a non-modal instance is closed.
#pragma once

#include "TCvBaseForm.h"

#include "shell/ModuleForm.h"

namespace cv::ui {

class TCvForm : public TCvBaseForm, public shell::ModuleForm {
    Q_OBJECT
public:
    explicit TCvForm(QWidget* parent = nullptr);
    ~TCvForm() override;

    int CommandId() const { return m_commandId; }
    int IconIndex() const { return m_iconIndex; }

    void SetCommandId(int id) override;
    void SetCommandText(const QString& text) override;
    void GetResultText(QString& text) override;
    bool IsDialogForm() const override { return false; }

    // The host's script of that number; empty without a system library.
    static QString ScriptByNumber(int number);

    // Showing modally (a dialog's exec, or a modal window).
    bool IsShowingModal() const;

protected:
    // Called by forms as the last step of their most derived constructor,
    // once their components exist: the base form's completion, the host's
    // input-method name on every component, and the creation log entry.
    void CompleteConstruction();

    virtual void CommandIdChanged() {}

    void FirstShow() override;
    // Every close ends here (close() rejects); a non-modal form frees itself.
    void done(int result) override;
    void writeFormLog(const QString& title) const;

private:
    int m_commandId = 0;
    int m_iconIndex = 0;
};

} // namespace cv::ui
