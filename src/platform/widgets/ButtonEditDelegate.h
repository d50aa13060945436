// A text column whose editor has an ellipsis button; the grid reports a
// click on it as DataGrid::buttonClicked.
#pragma once

#include "GridDelegate.h"

namespace cv::widgets {

class ButtonEditDelegate : public GridDelegate {
    Q_OBJECT
public:
    using GridDelegate::GridDelegate;

protected:
    QWidget* makeEditor(QWidget* parent) const override;
};

} // namespace cv::widgets
