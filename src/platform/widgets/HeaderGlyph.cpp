#include "HeaderGlyph.h"

#include <QPainter>
#include <QStyle>

namespace cv::widgets {

HeaderGlyph::HeaderGlyph(QWidget* parent) : QAbstractButton(parent)
{
    setCheckable(true);
    setFocusPolicy(Qt::TabFocus);
    setIconSize(QSize(12, 12));
}

QSize HeaderGlyph::sizeHint() const
{
    return iconSize() + QSize(4, 4);
}

void HeaderGlyph::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QRect target =
        QStyle::alignedRect(layoutDirection(), Qt::AlignCenter, iconSize(), rect());
    icon().paint(&painter, target);
}

} // namespace cv::widgets
