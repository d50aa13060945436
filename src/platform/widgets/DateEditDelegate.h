// A date or date-time column, edited with a calendar drop-down. A null value
// opens the editor on today.
#pragma once

#include "GridDelegate.h"

namespace cv::widgets {

class DateEditDelegate : public GridDelegate {
    Q_OBJECT
public:
    DateEditDelegate(DataGrid& grid, GridColumn& column, bool withTime);

    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override;

protected:
    QWidget* makeEditor(QWidget* parent) const override;

private:
    bool m_withTime;
};

} // namespace cv::widgets
