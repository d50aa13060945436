#include "TCvForm.h"

#include "TCvRes.h"

#include "shell/TCasePackage.h"
#include "shell/TCvApplication.h"

namespace cv::ui {

TCvForm::TCvForm(QWidget* parent) : TCvBaseForm(parent) {}

TCvForm::~TCvForm()
{
    if (shell::TCasePackage* package = shell::CasePackage())
        package->RemoveOpenForm(this);
}

void TCvForm::CompleteConstruction()
{
    TCvBaseForm::CompleteConstruction();
    if (shell::TCasePackage* package = shell::CasePackage())
        package->ApplyImeName(this);
    writeFormLog(QStringLiteral("创建窗体"));
}

void TCvForm::writeFormLog(const QString& title) const
{
    if (auto* app = shell::TCvApplication::instance())
        app->WriteLog(0, shell::FormClassName(this), title, windowTitle());
}

void TCvForm::SetCommandId(int id)
{
    if (id == m_commandId)
        return;
    m_commandId = id;
    int first = 0;
    if (auto* app = shell::TCvApplication::instance(); app && app->LibraryBound())
        app->GetProgramSetting(id, first, m_iconIndex);
    if (m_iconIndex > 0) {
        if (TCvRes* resources = TCvRes::instance()) {
            QIcon icon;
            if (resources->LoadIcon(icon, m_iconIndex, 16) && !icon.isNull())
                setWindowIcon(icon);
        }
    }
    CommandIdChanged();
}

void TCvForm::SetCommandText(const QString&) {}

void TCvForm::GetResultText(QString&) {}

QString TCvForm::ScriptByNumber(int number)
{
    auto* app = shell::TCvApplication::instance();
    return app ? app->GetScript(number) : QString();
}

bool TCvForm::IsShowingModal() const
{
    return isModal() || windowModality() != Qt::NonModal;
}

void TCvForm::FirstShow()
{
    TCvBaseForm::FirstShow();
    writeFormLog(QStringLiteral("显示窗体"));
}

void TCvForm::done(int result)
{
    writeFormLog(QStringLiteral("关闭窗体"));
    if (!IsShowingModal())
        setAttribute(Qt::WA_DeleteOnClose);
    TCvBaseForm::done(result);
}

} // namespace cv::ui
