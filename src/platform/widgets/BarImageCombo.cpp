#include "BarImageCombo.h"

#include "ImageList.h"
#include "MemTableModel.h"

#include <QSignalBlocker>

namespace cv::widgets {

BarImageCombo::BarImageCombo(QWidget* parent) : QComboBox(parent)
{
    connect(this, &QComboBox::activated, this,
            [this](int index) { setEditValue(itemData(index)); });
}

void BarImageCombo::addImageItem(const QString& description, const QVariant& value, int imageIndex)
{
    const QIcon icon = m_images ? m_images->icon(imageIndex) : QIcon();
    {
        const QSignalBlocker quiet(this);
        addItem(icon, description, value);
    }
    showValue();
}

void BarImageCombo::clearItems()
{
    const QSignalBlocker quiet(this);
    clear();
}

void BarImageCombo::setEditValue(const QVariant& value)
{
    const bool changed = MemTableModel::formatValue(value) != MemTableModel::formatValue(m_value) ||
                         value.isNull() != m_value.isNull();
    m_value = value;
    showValue();
    if (changed)
        emit editValueChanged(m_value);
}

void BarImageCombo::showValue()
{
    const QString wanted = MemTableModel::formatValue(m_value);
    int found = -1;
    for (int i = 0; i < count() && found < 0 && !m_value.isNull(); ++i) {
        if (MemTableModel::formatValue(itemData(i)) == wanted)
            found = i;
    }
    const QSignalBlocker quiet(this);
    setCurrentIndex(found);
}

} // namespace cv::widgets
