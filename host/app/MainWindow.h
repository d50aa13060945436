// The reference host's main window: the module's commands in a menu, their
// forms inside the client area, the open-window list, a settings dialog, and
// the module's close query before the window closes.
#pragma once

#include "HostRuntime.h"

#include <QMainWindow>
#include <QStackedWidget>
#include <QTabBar>

namespace cv::host {

// The client area module forms are re-parented into: each arriving form
// becomes a page with a tab showing its caption.
class ClientArea : public QWidget {
    Q_OBJECT
public:
    explicit ClientArea(QWidget* parent = nullptr);

protected:
    void childEvent(QChildEvent* event) override;

private:
    void adopt(QWidget* form);
    void removePage(QObject* form);

    QTabBar* m_tabs;
    QStackedWidget* m_stack;
};

struct CommandEntry {
    int id = 0;
    QString formClass;
    QString caption;
};

// The commands of a "FormList" document.
std::vector<CommandEntry> parseFormList(const QString& xml);

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(HostRuntime& runtime);

    // The host's handles; set before the module is loaded.
    void publishHandles();
    // Fills the command menu from the module's list (code -1).
    void loadCommands();
    const std::vector<CommandEntry>& commands() const { return m_commands; }
    void openCommand(int id);
    ClientArea* clientArea() const { return m_client; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildMenus();
    void fillWindowMenu();
    void showSettings();
    void showMessageFromModule(const MessageRequest& request, int& answer);

    HostRuntime& m_runtime;
    ClientArea* m_client;
    QMenu* m_commandMenu = nullptr;
    QMenu* m_windowMenu = nullptr;
    std::vector<CommandEntry> m_commands;
};

} // namespace cv::host
