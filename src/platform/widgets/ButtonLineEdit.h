// A line edit with an ellipsis button at its right edge (a button edit).
#pragma once

#include <QLineEdit>

class QToolButton;

namespace cv::widgets {

class ButtonLineEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit ButtonLineEdit(QWidget* parent = nullptr);
    QToolButton* button() const { return m_button; }

signals:
    void buttonClicked();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QToolButton* m_button;
};

} // namespace cv::widgets
