// An image combo on a toolbar or in a bar menu: items of description, value
// and image, and an edit value that is kept apart from the item list (so a
// value set before the items are filled in shows once its item arrives).
#pragma once

#include <QComboBox>

namespace cv::widgets {

class ImageList;

class BarImageCombo : public QComboBox {
    Q_OBJECT
    Q_PROPERTY(QVariant editValue READ editValue WRITE setEditValue NOTIFY editValueChanged)
public:
    explicit BarImageCombo(QWidget* parent = nullptr);

    // `images` (may be null) must outlive the combo.
    void setImages(const ImageList* images) { m_images = images; }
    void addImageItem(const QString& description, const QVariant& value, int imageIndex = -1);
    void clearItems();

    QVariant editValue() const { return m_value; }
    void setEditValue(const QVariant& value);

signals:
    void editValueChanged(const QVariant& value);

private:
    void showValue();

    const ImageList* m_images = nullptr;
    QVariant m_value;
};

} // namespace cv::widgets
