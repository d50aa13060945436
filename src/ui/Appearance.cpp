#include "Appearance.h"

#include "LookAndFeel.h"

#include "shell/TCvApplication.h"

#include <QFontDatabase>
#include <QToolTip>

namespace cv::ui {

namespace {

shell::TCvApplication* boundFacade()
{
    shell::TCvApplication* app = shell::TCvApplication::instance();
    return app && app->IsLibraryModule() && app->HostBound() ? app : nullptr;
}

QFont systemMessageFont()
{
    if (shell::TCvApplication* app = shell::TCvApplication::instance())
        return app->GetSystemMessageFont();
    return QFontDatabase::systemFont(QFontDatabase::GeneralFont);
}

// Takes the host's Office 2003 colours; the root repaints its followers only
// when something differs.
void applyColorScheme(LookAndFeel& root, const shell::ConfigInfo& config)
{
    if (config.colorScheme < 0 || config.colorScheme > 4)
        return;
    const bool changed = root.useOffice2003Scheme() != config.useColorScheme ||
                         (config.useColorScheme && root.office2003Scheme() != config.colorScheme);
    root.setOffice2003Colors(config.colorScheme, config.useColorScheme);
    if (changed)
        root.refresh();
}

} // namespace

QFont FontFromInfo(QFont base, const shell::FontInfo& info)
{
    base.setFamily(info.fontName);
    if (info.size > 0)
        base.setPointSize(info.size);
    base.setItalic(info.styleCode == 1 || info.styleCode == 3);
    base.setBold(info.styleCode == 2 || info.styleCode == 3);
    return base;
}

std::optional<QFont> HostFont()
{
    shell::TCvApplication* app = boundFacade();
    if (!app)
        return std::nullopt;
    const shell::FontInfo info = app->GetFontInfo();
    if (!info.useHostFont)
        return std::nullopt;
    return FontFromInfo(QFont(), info);
}

QFont HostOrSystemFont()
{
    if (std::optional<QFont> font = HostFont())
        return *font;
    return systemMessageFont();
}

bool SetRootLookAndFeel(int index)
{
    static constexpr LookAndFeelKind kinds[] = {LookAndFeelKind::Flat, LookAndFeelKind::Office2003,
                                                LookAndFeelKind::Standard,
                                                LookAndFeelKind::UltraFlat};
    if (index < 0 || index > 3)
        return false;
    LookAndFeel* root = RootLookAndFeel();
    if (!root)
        return false;
    root->setKind(kinds[index]);
    root->setNativeStyle(kinds[index] == LookAndFeelKind::Standard);
    return true;
}

void ApplyHostAppearance()
{
    shell::TCvApplication* app = boundFacade();
    if (!app) {
        QToolTip::setFont(systemMessageFont());
        return;
    }
    QToolTip::setFont(HostOrSystemFont());
    const shell::ConfigInfo config = app->GetConfigInfo();
    SetRootLookAndFeel(config.lookAndFeel);
    LookAndFeel* root = RootLookAndFeel();
    if (root && root->kind() == LookAndFeelKind::Office2003)
        applyColorScheme(*root, config);
}

} // namespace cv::ui
