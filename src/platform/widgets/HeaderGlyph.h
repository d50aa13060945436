// The glyph of a column header (e.g. the tick-all box of a check column). It
// is a real button over the header section, so assistive technology sees its
// name and checked state; the owner decides the state and the picture, as the
// glyph of a grid header does not toggle by itself.
#pragma once

#include <QAbstractButton>

namespace cv::widgets {

class HeaderGlyph : public QAbstractButton {
    Q_OBJECT
public:
    explicit HeaderGlyph(QWidget* parent);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void nextCheckState() override {}
};

} // namespace cv::widgets
