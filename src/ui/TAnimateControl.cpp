#include "TAnimateControl.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QPainter>

#include <mutex>

namespace cv::ui {

namespace {

// Screen readers see the ring as an animation that reports whether it blinks.
class AccessibleRing : public QAccessibleWidget {
public:
    explicit AccessibleRing(QWidget* w) : QAccessibleWidget(w, QAccessible::Animation) {}

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.animated = static_cast<TAnimateControl*>(widget())->Blinking();
        return s;
    }
};

QAccessibleInterface* ringFactory(const QString& className, QObject* object)
{
    if (className == QLatin1String("cv::ui::TAnimateControl") && object->isWidgetType())
        return new AccessibleRing(static_cast<QWidget*>(object));
    return nullptr;
}

// A rectangle whose 4 x 4 corner ellipses cut one pixel off each corner.
QRegion roundedRegion(const QRect& r)
{
    QRegion region(r);
    for (const QPoint& corner : {r.topLeft(), r.topRight(), r.bottomLeft(), r.bottomRight()})
        region -= QRegion(QRect(corner, QSize(1, 1)));
    return region;
}

} // namespace

TAnimateControl::TAnimateControl(QWidget* parent) : QWidget(parent)
{
    static std::once_flag installed;
    std::call_once(installed, [] { QAccessible::installFactory(ringFactory); });
    setAccessibleName(QStringLiteral("指示器"));
    m_timer.setInterval(500);
    connect(&m_timer, &QTimer::timeout, this, &TAnimateControl::tick);
    hide();
    if (parent)
        applyRingShape();
}

void TAnimateControl::tick()
{
    if (m_blinking)
        setVisible(!isVisible());
}

// A ring two pixels wide: the rounded rectangle less the same shrunk by two.
void TAnimateControl::applyRingShape()
{
    const QRect outer = rect();
    setMask(roundedRegion(outer).xored(roundedRegion(outer.adjusted(2, 2, -2, -2))));
}

void TAnimateControl::resizeEvent(QResizeEvent* event)
{
    applyRingShape();
    QWidget::resizeEvent(event);
}

void TAnimateControl::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::ParentChange && parentWidget())
        applyRingShape();
    QWidget::changeEvent(event);
}

void TAnimateControl::paintEvent(QPaintEvent*)
{
    QPainter(this).fillRect(rect(), m_color);
}

} // namespace cv::ui
