// An image combo column: stored values shown as item texts (with the item's
// image when the column has an image list), edited with a drop-down list.
#pragma once

#include "GridDelegate.h"

namespace cv::widgets {

class ImageComboDelegate : public GridDelegate {
    Q_OBJECT
public:
    using GridDelegate::GridDelegate;

    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override;

protected:
    QWidget* makeEditor(QWidget* parent) const override;
};

} // namespace cv::widgets
