#include "ImageList.h"

#include <QPixmap>

namespace cv::ui {

int ImageList::add(const QIcon& icon)
{
    m_icons.append(icon);
    return count() - 1;
}

int ImageList::addEmpty()
{
    QPixmap blank(m_size);
    blank.fill(Qt::transparent);
    return add(QIcon(blank));
}

} // namespace cv::ui
