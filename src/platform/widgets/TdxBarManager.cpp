#include "TdxBarManager.h"

#include "BarImageCombo.h"
#include "ImageList.h"

#include "platform/abi/Exception.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QToolBar>
#include <QToolButton>
#include <QWidgetAction>

namespace cv::widgets {

TdxBarManager::TdxBarManager(QWidget* form) : QObject(form), m_form(form), m_font(form->font()) {}

TdxBarManager::~TdxBarManager()
{
    for (const QPointer<QWidget>& w : m_owned)
        delete w.data();
}

void TdxBarManager::adopt(QWidget* widget)
{
    widget->setFont(m_font);
    m_owned.emplace_back(widget);
}

QToolBar* TdxBarManager::addBar(const QString& name, const QString& caption)
{
    auto* bar = new QToolBar(caption, m_form);
    bar->setObjectName(name);
    bar->setAccessibleName(caption);
    bar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    if (const ImageList* images = currentImages())
        bar->setIconSize(images->size());
    adopt(bar);
    return bar;
}

QAction* TdxBarManager::registerItem(const QString& name, QAction* action, int imageIndex)
{
    if (m_actions.contains(name))
        throw Exception(QStringLiteral("Bar item '%1' exists already").arg(name));
    action->setObjectName(name);
    m_actions.insert(name, action);
    if (imageIndex >= 0) {
        m_glyphs.insert(action, imageIndex);
        if (const ImageList* images = currentImages())
            action->setIcon(images->icon(imageIndex));
    }
    return action;
}

QAction* TdxBarManager::addButton(QWidget* container, const QString& name, const QString& caption,
                                  int imageIndex, const QKeySequence& shortcut)
{
    auto* action = new QAction(caption, this);
    registerItem(name, action, imageIndex);
    action->setShortcut(shortcut);
    container->addAction(action);
    // Also on the form, so that the shortcut works while the item sits in a
    // closed menu.
    if (!shortcut.isEmpty())
        m_form->addAction(action);
    return action;
}

QMenu* TdxBarManager::addSubItem(QWidget* container, const QString& name, const QString& caption,
                                 int imageIndex)
{
    auto* menu = new QMenu(caption, m_form);
    menu->setObjectName(name);
    adopt(menu);
    registerItem(name, menu->menuAction(), imageIndex);
    container->addAction(menu->menuAction());
    if (auto* bar = qobject_cast<QToolBar*>(container)) {
        if (auto* button = qobject_cast<QToolButton*>(bar->widgetForAction(menu->menuAction())))
            button->setPopupMode(QToolButton::InstantPopup);
    }
    return menu;
}

BarImageCombo* TdxBarManager::addImageCombo(QWidget* container, const QString& name,
                                            const QString& caption, int width)
{
    auto* holder = new QWidget;
    auto* layout = new QHBoxLayout(holder);
    layout->setContentsMargins(2, 0, 2, 0);
    auto* label = new QLabel(caption, holder);
    auto* combo = new BarImageCombo(holder);
    combo->setObjectName(name);
    combo->setAccessibleName(caption);
    combo->setImages(m_small);
    combo->setMinimumWidth(width);
    label->setBuddy(combo);
    layout->addWidget(label);
    layout->addWidget(combo);
    auto* action = new QWidgetAction(this);
    action->setText(caption);
    action->setDefaultWidget(holder);
    registerItem(name, action, -1);
    container->addAction(action);
    return combo;
}

QAction* TdxBarManager::addSeparator(QWidget* container)
{
    auto* action = new QAction(this);
    action->setSeparator(true);
    container->addAction(action);
    return action;
}

QMenu* TdxBarManager::subMenu(const QString& name) const
{
    const QAction* a = action(name);
    return a ? a->menu() : nullptr;
}

BarImageCombo* TdxBarManager::imageCombo(const QString& name) const
{
    const auto* a = qobject_cast<QWidgetAction*>(action(name));
    return a ? a->defaultWidget()->findChild<BarImageCombo*>(name) : nullptr;
}

std::vector<QToolBar*> TdxBarManager::bars() const
{
    std::vector<QToolBar*> out;
    for (const QPointer<QWidget>& w : m_owned) {
        if (auto* bar = qobject_cast<QToolBar*>(w.data()))
            out.push_back(bar);
    }
    return out;
}

void TdxBarManager::setImages(const ImageList* small, const ImageList* large)
{
    m_small = small;
    m_large = large;
    refreshGlyphs();
}

void TdxBarManager::setLargeImages(bool on)
{
    m_largeImagesOn = on;
    refreshGlyphs();
}

const ImageList* TdxBarManager::currentImages() const
{
    return m_largeImagesOn && m_large ? m_large : m_small;
}

void TdxBarManager::endUpdate()
{
    if (m_updates > 0 && --m_updates == 0)
        refreshGlyphs();
}

void TdxBarManager::refreshGlyphs()
{
    if (m_updates > 0)
        return;
    const ImageList* images = currentImages();
    for (auto it = m_glyphs.cbegin(); it != m_glyphs.cend(); ++it)
        it.key()->setIcon(images ? images->icon(it.value()) : QIcon());
    for (QToolBar* bar : bars()) {
        if (images)
            bar->setIconSize(images->size());
    }
}

void TdxBarManager::setFont(const QFont& font)
{
    m_font = font;
    for (const QPointer<QWidget>& w : m_owned) {
        if (w)
            w->setFont(font);
    }
}

} // namespace cv::widgets
