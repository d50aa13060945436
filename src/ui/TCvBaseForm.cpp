#include "TCvBaseForm.h"

#include "Appearance.h"

#include "shell/TCvApplication.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QWindow>

namespace cv::ui {

namespace {

// Class names compare without a namespace: the bar manager may live in one.
bool isBarManager(const QObject* object)
{
    const QByteArray name(object->metaObject()->className());
    const qsizetype colon = name.lastIndexOf("::");
    return (colon < 0 ? name : name.mid(colon + 2)) == "TdxBarManager";
}

} // namespace

TCvBaseForm::TCvBaseForm(QWidget* parent)
    : QDialog(parent), m_createdAt(QDateTime::currentDateTime()),
      m_lookAndFeel(new LookAndFeel(RootLookAndFeel(), this))
{
    m_gripWidth = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    m_gripHeight = m_gripWidth;
    connect(m_lookAndFeel, &LookAndFeel::changed, this, [this] { LookAndFeelChanged(); });
    setMouseTracking(true);
}

TCvBaseForm::~TCvBaseForm() = default;

void TCvBaseForm::SetBottomBandHeight(int height)
{
    if (m_bottomBandHeight == height)
        return;
    m_bottomBandHeight = height;
    update();
}

void TCvBaseForm::SetSeparateBottomBand(bool on)
{
    if (m_separateBottomBand == on)
        return;
    m_separateBottomBand = on;
    update();
}

void TCvBaseForm::SetShowSizeGrip(bool on)
{
    if (m_showSizeGrip == on)
        return;
    m_showSizeGrip = on;
    update();
}

void TCvBaseForm::SetGradientBackground(bool on)
{
    if (m_gradientBackground == on)
        return;
    m_gradientBackground = on;
    update();
}

bool TCvBaseForm::Sizeable() const
{
    return !windowFlags().testFlag(Qt::MSWindowsFixedSizeDialogHint) &&
           minimumSize() != maximumSize();
}

void TCvBaseForm::ApplyHostFont()
{
    setFont(HostOrSystemFont());
    FontChanged();
}

void TCvBaseForm::CompleteConstruction()
{
    TakeActiveWindowAsOwner();
    findBarManager();
    m_created = true;
    shell::TCvApplication* app = shell::TCvApplication::instance();
    if (app && app->HostBound())
        setFont(HostOrSystemFont());
}

void TCvBaseForm::TakeActiveWindowAsOwner()
{
    QWidget* active = QApplication::activeWindow();
    if (!parentWidget() && active && active != this)
        setParent(active, windowFlags());
}

void TCvBaseForm::findBarManager()
{
    m_barManager = nullptr;
    for (QObject* child : findChildren<QObject*>())
        if (isBarManager(child)) {
            m_barManager = child;
            return;
        }
}

void TCvBaseForm::LookAndFeelChanged()
{
    update();
}

void TCvBaseForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (m_firstShowDone)
        return;
    m_firstShowDone = true;
    FirstShow();
}

void TCvBaseForm::changeEvent(QEvent* event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::FontChange && m_created)
        forwardFontChange();
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && !m_firstActivateDone) {
        m_firstActivateDone = true;
        FirstActivate();
    }
}

void TCvBaseForm::forwardFontChange()
{
    if (m_barManager) {
        // A bar manager declaring a "Font" property takes it; a plain widget
        // takes its own font.
        const bool named = m_barManager->metaObject()->indexOfProperty("Font") >= 0;
        m_barManager->setProperty(named ? "Font" : "font", font());
    }
    FontChanged();
}

void TCvBaseForm::paintEvent(QPaintEvent* event)
{
    QDialog::paintEvent(event);
    QPainter painter(this);
    paintBackground(painter);
    if (m_showSizeGrip && !isMaximized() && Sizeable())
        m_lookAndFeel->drawSizeGrip(painter, m_sizeGripRect, this);
    PaintClient(painter);
}

void TCvBaseForm::paintBackground(QPainter& painter)
{
    if (!m_gradientBackground || m_lookAndFeel->kind() != LookAndFeelKind::Office2003)
        return;
    const auto [top, bottom] = m_lookAndFeel->gradientColors(palette().window().color());
    const auto fill = [&](const QRect& r) {
        QLinearGradient gradient(r.topLeft(), r.bottomLeft());
        gradient.setColorAt(0, top);
        gradient.setColorAt(1, bottom);
        painter.fillRect(r, gradient);
    };
    QRect client = rect();
    if (m_separateBottomBand)
        client.setBottom(client.bottom() - m_bottomBandHeight);
    fill(client);
    if (m_separateBottomBand && m_bottomBandHeight > 0)
        fill(QRect(0, client.bottom() + 1, width(), m_bottomBandHeight));
}

void TCvBaseForm::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    m_sizeGripRect =
        QRect(width() - m_gripWidth, height() - m_gripHeight, m_gripWidth, m_gripHeight);
    update();
}

bool TCvBaseForm::inGrip(const QPoint& pos) const
{
    return Sizeable() && m_sizeGripRect.contains(pos);
}

void TCvBaseForm::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !inGrip(event->position().toPoint()) ||
        isMaximized()) {
        QDialog::mousePressEvent(event);
        return;
    }
    QWindow* window = windowHandle();
    if (window && window->startSystemResize(Qt::BottomEdge | Qt::RightEdge))
        return;
    m_dragging = true;
    m_dragStart = event->globalPosition().toPoint();
    m_dragStartSize = size();
}

void TCvBaseForm::mouseMoveEvent(QMouseEvent* event)
{
    if (!m_dragging) {
        updateGripCursor(event->position().toPoint());
        QDialog::mouseMoveEvent(event);
        return;
    }
    const QPoint delta = event->globalPosition().toPoint() - m_dragStart;
    resize(m_dragStartSize + QSize(delta.x(), delta.y()));
}

void TCvBaseForm::mouseReleaseEvent(QMouseEvent* event)
{
    if (m_dragging && event->button() == Qt::LeftButton) {
        m_dragging = false;
        return;
    }
    QDialog::mouseReleaseEvent(event);
}

void TCvBaseForm::updateGripCursor(const QPoint& pos)
{
    const bool over = inGrip(pos);
    if (over == m_gripCursorSet)
        return;
    m_gripCursorSet = over;
    if (over)
        setCursor(Qt::SizeFDiagCursor);
    else
        unsetCursor();
}

} // namespace cv::ui
