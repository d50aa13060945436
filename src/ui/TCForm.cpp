#include "TCForm.h"

#include "shell/TCvApplication.h"

namespace cv::ui {

using shell::SystemCommandEvent;

namespace {
shell::TCvApplication* boundApp()
{
    auto* app = shell::TCvApplication::instance();
    return app && app->HostBound() ? app : nullptr;
}
} // namespace

TCForm::TCForm(QWidget* parent) : TCvForm(parent)
{
    SetShowSizeGrip(false);
}

// With form mode 2 the host leaves module forms where they are: no
// re-parenting, no activation of its main window.
bool TCForm::HostPlacesForms() const
{
    auto* app = boundApp();
    return app && app->GetConfigInfo().formMode != 2;
}

void TCForm::NotifyHost(int kind)
{
    if (auto* app = boundApp())
        app->NotifyForm(kind, winId(), 0, kind == 0 ? windowTitle() : QString());
}

void TCForm::FirstShow()
{
    TCvForm::FirstShow();
    if (IsShowingModal())
        return;
    auto* app = boundApp();
    if (!app)
        return;
    app->NotifyForm(0, winId(), 0, windowTitle());
    if (HostPlacesForms())
        EmbedInHost();
}

// Makes the form a child of the host's client window, as the host's main
// window shows command forms inside its client area.
void TCForm::EmbedInHost()
{
    QWidget* client = QWidget::find(WId(boundApp()->GetSystemInfo().clientWindow));
    if (!client || client == parentWidget())
        return;
    // Like a window re-parented by the window system: the host lays out its
    // client area; until it does, the form covers it.
    setWindowState(windowState() & ~Qt::WindowMaximized);
    setParent(client, Qt::Widget);
    setGeometry(client->rect());
    show();
}

void TCForm::done(int result)
{
    const bool modal = IsShowingModal();
    TCvForm::done(result);
    if (!modal)
        NotifyHost(2);
    auto* app = boundApp();
    if (!app || modal || !HostPlacesForms())
        return;
    QWidget* main = QWidget::find(WId(app->GetSystemInfo().mainWindow));
    if (main && !main->isActiveWindow())
        main->activateWindow();
}

void TCForm::changeEvent(QEvent* event)
{
    TCvForm::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && !IsShowingModal())
        NotifyHost(1);
    if (event->type() == QEvent::WindowStateChange && (windowState() & Qt::WindowMinimized) &&
        !IsShowingModal()) {
        setWindowState(windowState() & ~Qt::WindowMinimized);
        hide();
    }
}

bool TCForm::event(QEvent* event)
{
    if (event->type() == SystemCommandEvent::eventType()) {
        SystemCommand(static_cast<SystemCommandEvent*>(event)->command());
        return true;
    }
    return TCvForm::event(event);
}

void TCForm::SystemCommand(int command)
{
    switch (command) {
    case SystemCommandEvent::kMinimize:
        if (!IsShowingModal())
            hide();
        else
            showMinimized();
        break;
    case SystemCommandEvent::kShowForm:
        show();
        raise();
        activateWindow();
        break;
    case SystemCommandEvent::kApplyBorder: {
        auto* app = boundApp();
        const bool border = app && app->GetConfigInfo().showFormBorder;
        setWindowFlag(Qt::FramelessWindowHint, !border);
        if (border && !isMaximized())
            setWindowState(windowState() | Qt::WindowMaximized);
        show();
        break;
    }
    default:
        break;
    }
}

} // namespace cv::ui
