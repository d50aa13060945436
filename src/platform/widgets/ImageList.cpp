#include "ImageList.h"

#include <QPixmap>

namespace cv::widgets {

int ImageList::add(const QIcon& icon)
{
    m_icons.append(icon);
    return count() - 1;
}

int ImageList::addEmpty()
{
    // A transparent pixmap rather than a null icon, so that a blank slot still
    // takes its place in a tool button instead of collapsing it.
    QPixmap blank(m_size);
    blank.fill(Qt::transparent);
    return add(QIcon(blank));
}

} // namespace cv::widgets
