// A list of same-sized images addressed by index, as toolbars and menus use
// them. A slot that has no picture holds a blank image, so indexes never shift.
#pragma once

#include <QIcon>
#include <QList>
#include <QSize>

namespace cv::widgets {

class ImageList {
public:
    ImageList(int width, int height) : m_size(width, height) {}

    int width() const { return m_size.width(); }
    int height() const { return m_size.height(); }
    QSize size() const { return m_size; }
    int count() const { return int(m_icons.size()); }
    // An empty icon for an index outside the list.
    QIcon icon(int index) const { return m_icons.value(index); }

    // Each answers the index of the new image.
    int add(const QIcon& icon);
    int addEmpty();
    void clear() { m_icons.clear(); }

private:
    QSize m_size;
    QList<QIcon> m_icons;
};

} // namespace cv::widgets
