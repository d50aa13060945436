// The look and feel that decides how module windows paint themselves. One
// root object per application carries the host's choice; every form owns a
// follower that reports the root's changes.
#pragma once

#include <QColor>
#include <QObject>
#include <QPointer>

#include <utility>

class QPainter;
class QRect;
class QWidget;

namespace cv::ui {

enum class LookAndFeelKind { Flat, Office2003, Standard, UltraFlat };

class LookAndFeel : public QObject {
    Q_OBJECT
public:
    // Without a master the object keeps its own settings; with one it follows it.
    explicit LookAndFeel(LookAndFeel* master = nullptr, QObject* parent = nullptr);

    LookAndFeelKind kind() const;
    bool nativeStyle() const;
    // Office 2003 colour configuration: the scheme index (0..4) is used while
    // the switch is on; off means colours derived from the window palette.
    int office2003Scheme() const;
    bool useOffice2003Scheme() const;

    void setKind(LookAndFeelKind kind);
    void setNativeStyle(bool on);
    // Stores both without notifying; refresh() tells the followers.
    void setOffice2003Colors(int scheme, bool use);
    void refresh() { emit changed(); }

    // Top and bottom colour of the background gradient.
    std::pair<QColor, QColor> gradientColors(const QColor& window) const;
    void drawSizeGrip(QPainter& painter, const QRect& rect, QWidget* widget) const;

signals:
    void changed();

private:
    const LookAndFeel& source() const { return m_master ? *m_master : *this; }

    QPointer<LookAndFeel> m_master;
    LookAndFeelKind m_kind = LookAndFeelKind::Office2003;
    bool m_nativeStyle = false;
    int m_scheme = 0;
    bool m_useScheme = true;
};

// The application-wide look and feel, a child of the application object;
// null while no application object exists.
LookAndFeel* RootLookAndFeel();
// Frees the root; the module does it before its library is unloaded, since
// the application object would otherwise outlive the code of its child.
void ReleaseRootLookAndFeel();

} // namespace cv::ui
