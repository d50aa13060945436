#include "ButtonEditDelegate.h"

#include "ButtonLineEdit.h"
#include "DataGrid.h"
#include "GridColumn.h"

#include <QToolButton>

namespace cv::widgets {

QWidget* ButtonEditDelegate::makeEditor(QWidget* parent) const
{
    auto* edit = new ButtonLineEdit(parent);
    edit->setFrame(false);
    edit->button()->setAccessibleName(column().caption() + QStringLiteral("…"));
    DataGrid* grid = &this->grid();
    const int col = column().index();
    connect(edit, &ButtonLineEdit::buttonClicked, grid,
            [grid, col] { grid->clickEditorButton(col); });
    return edit;
}

} // namespace cv::widgets
