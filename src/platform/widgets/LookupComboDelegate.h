// A lookup column: the stored key shown as a field of another table's row,
// edited with a drop-down list of that table's rows. Repaints the column when
// the other table changes.
#pragma once

#include "GridDelegate.h"

namespace cv {
class MemTable;
}

namespace cv::widgets {

class LookupComboDelegate : public GridDelegate {
    Q_OBJECT
public:
    LookupComboDelegate(DataGrid& grid, GridColumn& column);
    ~LookupComboDelegate() override;

    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override;

protected:
    QWidget* makeEditor(QWidget* parent) const override;

private:
    MemTable* m_list; // the column may be gone before this delegate
    int m_listener = 0;
};

} // namespace cv::widgets
