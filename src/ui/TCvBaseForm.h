// The base of every module window: the host's font, the painted Office 2003
// background with an optional bottom band for dialog buttons, a size grip
// that resizes the window from its corner, and hooks that descendants
// override instead of the toolkit's events.
#pragma once

#include "LookAndFeel.h"

#include <QDateTime>
#include <QDialog>
#include <QPointer>

namespace cv::ui {

class TCvBaseForm : public QDialog {
    Q_OBJECT
    Q_PROPERTY(int BottomBandHeight READ BottomBandHeight WRITE SetBottomBandHeight)
    Q_PROPERTY(bool SeparateBottomBand READ SeparateBottomBand WRITE SetSeparateBottomBand)
    Q_PROPERTY(bool ShowSizeGrip READ ShowSizeGrip WRITE SetShowSizeGrip)
public:
    explicit TCvBaseForm(QWidget* parent = nullptr);
    ~TCvBaseForm() override;

    const QDateTime& CreatedAt() const { return m_createdAt; }
    bool Created() const { return m_created; }

    int BottomBandHeight() const { return m_bottomBandHeight; }
    void SetBottomBandHeight(int height);
    bool SeparateBottomBand() const { return m_separateBottomBand; }
    void SetSeparateBottomBand(bool on);
    bool ShowSizeGrip() const { return m_showSizeGrip; }
    void SetShowSizeGrip(bool on);
    bool GradientBackground() const { return m_gradientBackground; }
    void SetGradientBackground(bool on);

    const QRect& SizeGripRect() const { return m_sizeGripRect; }
    // A window the user may resize: its minimum and maximum sizes differ.
    bool Sizeable() const;
    LookAndFeel& lookAndFeel() { return *m_lookAndFeel; }
    // The first owned object of class TdxBarManager; it receives font changes.
    QObject* BarManager() const { return m_barManager; }

    // The host's font, else the system's message font; then FontChanged.
    void ApplyHostFont();

protected:
    // Descendants that build their layout in their constructor call this as
    // the last step of the most derived constructor: takes the active window
    // as owner, finds the bar manager and applies the host's font (a form of
    // a module without a host keeps its layout's font).
    void CompleteConstruction();

    virtual void FirstShow() {}
    virtual void FirstActivate() {}
    // Repaints the whole form.
    virtual void LookAndFeelChanged();
    // Last painting step, on the painter that drew the background.
    virtual void PaintClient(QPainter& painter) { Q_UNUSED(painter); }
    virtual void FontChanged() {}

    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

    // The owner of a window created while another module window is active.
    void TakeActiveWindowAsOwner();

private:
    void paintBackground(QPainter& painter);
    void findBarManager();
    void forwardFontChange();
    bool inGrip(const QPoint& pos) const;
    void updateGripCursor(const QPoint& pos);

    QDateTime m_createdAt;
    int m_gripWidth = 0;
    int m_gripHeight = 0;
    int m_bottomBandHeight = 0;
    QRect m_sizeGripRect;
    LookAndFeel* m_lookAndFeel = nullptr;
    bool m_gradientBackground = true;
    bool m_showSizeGrip = true;
    bool m_separateBottomBand = false;
    bool m_firstShowDone = false;
    bool m_firstActivateDone = false;
    QPointer<QObject> m_barManager;
    bool m_created = false;

    // Resizing from the grip where the window system cannot do it itself.
    bool m_dragging = false;
    QPoint m_dragStart;
    QSize m_dragStartSize;
    bool m_gripCursorSet = false;
};

} // namespace cv::ui
