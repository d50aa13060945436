#include "ImageComboDelegate.h"

#include "GridColumn.h"
#include "ImageList.h"

#include <QComboBox>

namespace cv::widgets {

QWidget* ImageComboDelegate::makeEditor(QWidget* parent) const
{
    auto* combo = new QComboBox(parent);
    const ImageList* images = column().images();
    for (const ImageComboItem& item : column().imageComboItems()) {
        const QIcon icon = images ? images->icon(item.imageIndex) : QIcon();
        combo->addItem(icon, item.description, item.value);
    }
    // Choosing an item stores it, as the drop-down of a grid cell does.
    auto* self = const_cast<ImageComboDelegate*>(this); // Qt's editor factory is const
    connect(combo, &QComboBox::activated, self, [self, combo] { emit self->commitData(combo); });
    return combo;
}

void ImageComboDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const
{
    auto* combo = qobject_cast<QComboBox*>(editor);
    const QString wanted = MemTableModel::formatValue(index.data(Qt::EditRole));
    int found = -1;
    for (int i = 0; i < combo->count() && found < 0; ++i) {
        if (MemTableModel::formatValue(combo->itemData(i)) == wanted)
            found = i;
    }
    combo->setCurrentIndex(found);
}

void ImageComboDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                      const QModelIndex& index) const
{
    auto* combo = qobject_cast<QComboBox*>(editor);
    if (combo->currentIndex() >= 0)
        model->setData(index, combo->currentData());
}

} // namespace cv::widgets
