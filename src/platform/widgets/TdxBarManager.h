// The bar manager of a form: its toolbars and their items (buttons,
// sub-menus, image combos, separators), glyphs from an image list by index,
// and the font of all bars. The class keeps the toolkit's name because forms
// find their bar manager by class name. Items are addressed by the names
// the form gives them; each has a QAction for its caption, shortcut,
// enabled and visible state.
#pragma once

#include <QFont>
#include <QHash>
#include <QKeySequence>
#include <QObject>
#include <QPointer>

#include <vector>

class QAction;
class QMenu;
class QToolBar;

namespace cv::widgets {

class BarImageCombo;
class ImageList;

class TdxBarManager : public QObject {
    Q_OBJECT
    Q_PROPERTY(QFont Font READ font WRITE setFont)
    Q_PROPERTY(bool largeImages READ largeImages WRITE setLargeImages)
public:
    // Bars and menus are children of `form`; shortcuts work while it is active.
    explicit TdxBarManager(QWidget* form);
    ~TdxBarManager() override;

    QToolBar* addBar(const QString& name, const QString& caption);
    // `container` is a bar or a sub-menu of this manager. Names must be unique.
    QAction* addButton(QWidget* container, const QString& name, const QString& caption,
                       int imageIndex = -1, const QKeySequence& shortcut = {});
    QMenu* addSubItem(QWidget* container, const QString& name, const QString& caption,
                      int imageIndex = -1);
    BarImageCombo* addImageCombo(QWidget* container, const QString& name, const QString& caption,
                                 int width = 100);
    QAction* addSeparator(QWidget* container);

    // The action of any item (for a sub-menu its menu action).
    QAction* action(const QString& name) const { return m_actions.value(name); }
    QMenu* subMenu(const QString& name) const;
    BarImageCombo* imageCombo(const QString& name) const;
    std::vector<QToolBar*> bars() const;

    // Both lists may be null and must outlive the manager.
    void setImages(const ImageList* small, const ImageList* large);
    bool largeImages() const { return m_largeImagesOn; }
    void setLargeImages(bool on);
    // Glyphs are refreshed once the outermost update ends.
    void beginUpdate() { ++m_updates; }
    void endUpdate();

    QFont font() const { return m_font; }
    void setFont(const QFont& font);

private:
    QAction* registerItem(const QString& name, QAction* action, int imageIndex);
    void refreshGlyphs();
    const ImageList* currentImages() const;
    void adopt(QWidget* widget);

    QWidget* m_form;
    QHash<QString, QAction*> m_actions;
    QHash<QAction*, int> m_glyphs;
    std::vector<QPointer<QWidget>> m_owned; // bars and menus, children of the form
    const ImageList* m_small = nullptr;
    const ImageList* m_large = nullptr;
    bool m_largeImagesOn = false;
    int m_updates = 0;
    QFont m_font;
};

} // namespace cv::widgets
