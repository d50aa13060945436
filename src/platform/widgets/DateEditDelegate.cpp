#include "DateEditDelegate.h"

#include <QDateTimeEdit>

namespace cv::widgets {

DateEditDelegate::DateEditDelegate(DataGrid& grid, GridColumn& column, bool withTime)
    : GridDelegate(grid, column), m_withTime(withTime)
{
}

QWidget* DateEditDelegate::makeEditor(QWidget* parent) const
{
    auto* edit = new QDateTimeEdit(parent);
    edit->setDisplayFormat(m_withTime ? QStringLiteral("yyyy-MM-dd HH:mm:ss")
                                      : QStringLiteral("yyyy-MM-dd"));
    edit->setCalendarPopup(true);
    edit->setFrame(false);
    return edit;
}

void DateEditDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const
{
    auto* edit = qobject_cast<QDateTimeEdit*>(editor);
    const QVariant v = index.data(Qt::EditRole);
    QDateTime dt = v.isNull() ? QDateTime(QDate::currentDate(), QTime(0, 0)) : v.toDateTime();
    if (!dt.isValid()) // a date field gives a QDate
        dt = QDateTime(v.toDate(), QTime(0, 0));
    edit->setDateTime(dt);
}

void DateEditDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                    const QModelIndex& index) const
{
    auto* edit = qobject_cast<QDateTimeEdit*>(editor);
    model->setData(index, m_withTime ? QVariant(edit->dateTime()) : QVariant(edit->date()));
}

} // namespace cv::widgets
