// A check box drawn in the middle of the cell; a click or the space bar
// toggles it through the model's CheckStateRole, which also tells assistive
// technology the cell's state.
#pragma once

#include "GridDelegate.h"

namespace cv::widgets {

class CheckBoxDelegate : public GridDelegate {
    Q_OBJECT
public:
    using GridDelegate::GridDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    bool editorEvent(QEvent* event, QAbstractItemModel* model, const QStyleOptionViewItem& option,
                     const QModelIndex& index) override;

protected:
    QWidget* makeEditor(QWidget*) const override { return nullptr; }
};

} // namespace cv::widgets
