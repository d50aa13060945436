#include "MainWindow.h"

#include <QApplication>
#include <QChildEvent>
#include <QCloseEvent>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFontComboBox>
#include <QFormLayout>
#include <QMenuBar>
#include <QMessageBox>
#include <QSpinBox>
#include <QStatusBar>
#include <QVBoxLayout>
#include <QXmlStreamReader>

namespace cv::host {

// --- ClientArea ---------------------------------------------------------------------

ClientArea::ClientArea(QWidget* parent)
    : QWidget(parent), m_tabs(new QTabBar(this)), m_stack(new QStackedWidget(this))
{
    setObjectName(QStringLiteral("ClientWindow"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_tabs);
    layout->addWidget(m_stack, 1);
    m_tabs->setDocumentMode(true);
    m_tabs->setExpanding(false);
    connect(m_tabs, &QTabBar::currentChanged, m_stack, &QStackedWidget::setCurrentIndex);
}

void ClientArea::childEvent(QChildEvent* event)
{
    QWidget::childEvent(event);
    if (event->type() != QEvent::ChildPolished)
        return;
    auto* widget = qobject_cast<QWidget*>(event->child());
    if (widget && widget != m_tabs && widget != m_stack && !widget->isWindow())
        adopt(widget);
}

void ClientArea::adopt(QWidget* form)
{
    const int page = m_stack->addWidget(form);
    m_tabs->insertTab(page, form->windowTitle());
    m_tabs->setTabData(page, QVariant::fromValue<QObject*>(form));
    m_tabs->setCurrentIndex(page);
    // A page follows the stack's size, whatever state it had as a window.
    form->setWindowState(Qt::WindowNoState);
    form->setMinimumSize(0, 0);
    form->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    form->setGeometry(m_stack->contentsRect());
    form->show();
    connect(form, &QObject::destroyed, this, &ClientArea::removePage);
}

void ClientArea::removePage(QObject* form)
{
    // The stack drops a destroyed page by itself; keep the tabs in step.
    for (int i = 0; i < m_tabs->count(); ++i) {
        if (m_tabs->tabData(i).value<QObject*>() == form) {
            m_tabs->removeTab(i);
            return;
        }
    }
}

// --- form list ------------------------------------------------------------------------

std::vector<CommandEntry> parseFormList(const QString& xml)
{
    std::vector<CommandEntry> commands;
    QXmlStreamReader reader(xml);
    while (reader.readNextStartElement()) {
        if (reader.name() == QLatin1String("FormList"))
            continue;
        if (reader.name() == QLatin1String("Item")) {
            const auto attributes = reader.attributes();
            commands.push_back({attributes.value(QLatin1String("ID")).toInt(),
                                attributes.value(QLatin1String("FormClass")).toString(),
                                attributes.value(QLatin1String("Caption")).toString()});
        }
        reader.skipCurrentElement();
    }
    return commands;
}

// --- MainWindow -------------------------------------------------------------------------

MainWindow::MainWindow(HostRuntime& runtime) : m_runtime(runtime), m_client(new ClientArea(this))
{
    setObjectName(QStringLiteral("CorvelianMainWindow"));
    setWindowTitle(runtime.host().config().title);
    setCentralWidget(m_client);
    resize(1200, 780);
    buildMenus();
    statusBar()->showMessage(QStringLiteral("用户：%1").arg(runtime.host().config().userName));
    runtime.host().state().messageHandler = [this](const MessageRequest& request) {
        int answer = 1;
        showMessageFromModule(request, answer);
        return answer;
    };
}

void MainWindow::publishHandles()
{
    HostConfig& config = m_runtime.host().config();
    config.mainWindow = corvelian::CvHandle(winId());
    config.clientWindow = corvelian::CvHandle(m_client->winId());
    config.applicationHandle = config.mainWindow;
}

void MainWindow::buildMenus()
{
    m_commandMenu = menuBar()->addMenu(QStringLiteral("命令(&C)"));
    m_windowMenu = menuBar()->addMenu(QStringLiteral("窗口(&W)"));
    connect(m_windowMenu, &QMenu::aboutToShow, this, &MainWindow::fillWindowMenu);
    QMenu* settings = menuBar()->addMenu(QStringLiteral("系统(&S)"));
    settings->addAction(QStringLiteral("界面设置..."), this, &MainWindow::showSettings);
    settings->addSeparator();
    settings->addAction(QStringLiteral("退出(&X)"), this, &QWidget::close);
}

void MainWindow::loadCommands()
{
    m_commandMenu->clear();
    const HostRuntime::ExecResult list = m_runtime.execute({-1, 0, QString()});
    m_commands = list.result == 1 ? parseFormList(list.text) : std::vector<CommandEntry>{};
    for (const CommandEntry& command : m_commands) {
        if (command.formClass == QLatin1String("Separator")) {
            m_commandMenu->addSeparator();
            continue;
        }
        QAction* action = m_commandMenu->addAction(command.caption);
        action->setObjectName(QStringLiteral("command%1").arg(command.id));
        connect(action, &QAction::triggered, this, [this, id = command.id] { openCommand(id); });
    }
    if (m_commands.empty())
        m_commandMenu
            ->addAction(QStringLiteral("（模块未提供命令：%1）").arg(m_runtime.lastError()))
            ->setEnabled(false);
}

void MainWindow::openCommand(int id)
{
    const HostRuntime::ExecResult r = m_runtime.execute({id, 0, QString()});
    if (r.result == 3 || r.status != corvelian::CV_OK)
        QMessageBox::warning(this, windowTitle(),
                             r.lastError.isEmpty() ? QStringLiteral("命令执行失败。")
                                                   : r.lastError);
}

void MainWindow::fillWindowMenu()
{
    m_windowMenu->clear();
    const HostRuntime::ExecResult list = m_runtime.execute({-3, 0, QString()});
    const auto forms = list.result == 1 ? parseFormList(list.text) : std::vector<CommandEntry>{};
    if (forms.empty())
        m_windowMenu->addAction(QStringLiteral("（没有打开的窗口）"))->setEnabled(false);
    for (const CommandEntry& form : forms)
        m_windowMenu->addAction(form.caption)->setEnabled(false);
}

void MainWindow::showSettings()
{
    HostConfig& config = m_runtime.host().config();
    QDialog dialog(this);
    dialog.setWindowTitle(QStringLiteral("界面设置"));
    auto* form = new QFormLayout(&dialog);
    auto* font = new QFontComboBox(&dialog);
    font->setCurrentFont(QFont(config.fontName));
    auto* size = new QSpinBox(&dialog);
    size->setRange(6, 30);
    size->setValue(config.fontSize);
    auto* look = new QComboBox(&dialog);
    look->addItems({QStringLiteral("平面"), QStringLiteral("Office 2003"), QStringLiteral("标准"),
                    QStringLiteral("超平面")});
    look->setCurrentIndex(config.lookAndFeel);
    auto* scheme = new QComboBox(&dialog);
    scheme->addItems({QStringLiteral("蓝色"), QStringLiteral("橄榄绿"), QStringLiteral("银色"),
                      QStringLiteral("经典"), QStringLiteral("系统")});
    scheme->setCurrentIndex(config.colorScheme);
    form->addRow(QStringLiteral("字体"), font);
    form->addRow(QStringLiteral("字号"), size);
    form->addRow(QStringLiteral("外观"), look);
    form->addRow(QStringLiteral("配色方案"), scheme);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    form->addRow(buttons);
    connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    if (dialog.exec() != QDialog::Accepted)
        return;
    config.fontName = font->currentFont().family();
    config.fontSize = size->value();
    config.useHostFont = true;
    config.lookAndFeel = look->currentIndex();
    config.colorScheme = scheme->currentIndex();
    m_runtime.execute({-2, 0, QString()});
}

void MainWindow::showMessageFromModule(const MessageRequest& request, int& answer)
{
    const auto icon = (request.flags & 16) ? QMessageBox::Critical : QMessageBox::Information;
    QMessageBox box(icon, request.caption, request.text, QMessageBox::Ok, this);
    box.exec();
    answer = 1;
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    const HostRuntime::ExecResult query = m_runtime.execute({-7, 0, QString()});
    if (query.result == 3) {
        QMessageBox::information(this, windowTitle(), QStringLiteral("模块还有对话框未关闭。"));
        event->ignore();
        return;
    }
    m_runtime.releaseModule();
    event->accept();
}

} // namespace cv::host
