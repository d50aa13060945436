// A small red ring that dialogs carry as a busy indicator; while Blinking is
// on, each tick of its timer shows or hides it.
#pragma once

#include <QTimer>
#include <QWidget>

namespace cv::ui {

class TAnimateControl : public QWidget {
    Q_OBJECT
    Q_PROPERTY(bool Blinking READ Blinking WRITE SetBlinking)
public:
    explicit TAnimateControl(QWidget* parent = nullptr);

    bool Blinking() const { return m_blinking; }
    void SetBlinking(bool on) { m_blinking = on; }
    QTimer& Timer() { return m_timer; }
    QColor Color() const { return m_color; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void applyRingShape();
    void tick();

    QTimer m_timer;
    bool m_blinking = false;
    QColor m_color{255, 0, 0};
};

} // namespace cv::ui
