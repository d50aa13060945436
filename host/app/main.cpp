// corvelian-host: the reference host. Loads the module library, hands it the
// host's application interface and drives it through Execute codes, in a
// main window or headless.
#include "HeadlessRunner.h"
#include "HostOptions.h"
#include "HostRuntime.h"
#include "JsonLines.h"
#include "MainWindow.h"

#include "platform/abi/Exception.h"

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QFontDatabase>
#include <QTimer>

#include <cstdlib>
#include <cstring>
#include <iostream>

using namespace cv;
using namespace cv::host;

namespace {

bool hasArgument(int argc, char** argv, const char* name)
{
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], name) == 0)
            return true;
    return false;
}

bool hasDisplay()
{
    return std::getenv("DISPLAY") || std::getenv("WAYLAND_DISPLAY");
}

void settle(int milliseconds)
{
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

void useChineseFont()
{
    const QString family = QStringLiteral("WenQuanYi Micro Hei");
    if (QFontDatabase::families().contains(family)) {
        QFont font(family);
        font.setPointSize(9);
        QApplication::setFont(font);
    }
}

int runScreenshotTour(MainWindow& window, const QString& directory)
{
    QDir().mkpath(directory);
    window.show();
    settle(200);
    int saved = 0;
    for (const CommandEntry& command : window.commands()) {
        if (command.formClass == QLatin1String("Separator"))
            continue;
        window.openCommand(command.id);
        settle(400);
        const QString file =
            QDir(directory).filePath(QStringLiteral("command-%1.png").arg(command.id));
        if (window.grab().save(file)) {
            std::cout << jsonObject({{QStringLiteral("screenshot"), file}}).toStdString() << '\n';
            ++saved;
        }
    }
    return saved > 0 ? 0 : 1;
}

int runGui(HostRuntime& runtime, const HostOptions& options)
{
    MainWindow window(runtime);
    window.publishHandles();
    runtime.loadModule(options.modulePath);
    window.loadCommands();
    if (!options.screenshotDir.isEmpty()) {
        const int code = runScreenshotTour(window, options.screenshotDir);
        runtime.releaseModule();
        return code;
    }
    window.show();
    return QApplication::exec();
}

} // namespace

int main(int argc, char** argv)
{
    const bool headless = hasArgument(argc, argv, "--headless");
    if ((headless || !hasDisplay()) && !std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("corvelian-host"));
    useChineseFont();
    try {
        HostOptions options = parseHostOptions(QApplication::arguments().mid(1));
        if (options.modulePath.isEmpty())
            options.modulePath = HostRuntime::defaultModulePath();
        HostRuntime runtime(options);
        if (headless && options.screenshotDir.isEmpty()) {
            QTextStream out(stdout);
            return runHeadless(runtime, options, out);
        }
        return runGui(runtime, options);
    } catch (const Exception& e) {
        std::cerr << e.message().toStdString() << std::endl;
        return 2;
    }
}
