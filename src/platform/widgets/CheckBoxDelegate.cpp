#include "CheckBoxDelegate.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace cv::widgets {

namespace {

QRect indicatorRect(const QStyleOptionViewItem& option, const QStyle* style)
{
    const int w = style->pixelMetric(QStyle::PM_IndicatorWidth, &option, option.widget);
    const int h = style->pixelMetric(QStyle::PM_IndicatorHeight, &option, option.widget);
    return QStyle::alignedRect(option.direction, Qt::AlignCenter, QSize(w, h), option.rect);
}

bool isToggle(const QEvent* event)
{
    if (event->type() == QEvent::MouseButtonRelease)
        return static_cast<const QMouseEvent*>(event)->button() == Qt::LeftButton;
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<const QKeyEvent*>(event)->key();
        return key == Qt::Key_Space || key == Qt::Key_Select;
    }
    return false;
}

} // namespace

void CheckBoxDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                             const QModelIndex& index) const
{
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    const QStyle* style = opt.widget ? opt.widget->style() : QApplication::style();
    // The cell without its text and default indicator, then the centred box.
    opt.text.clear();
    opt.features &= ~QStyleOptionViewItem::HasCheckIndicator;
    style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, opt.widget);

    QStyleOptionViewItem box = opt;
    box.rect = indicatorRect(opt, style);
    box.state &= ~(QStyle::State_On | QStyle::State_Off | QStyle::State_HasFocus);
    const bool checked = index.data(Qt::CheckStateRole).toInt() == Qt::Checked;
    box.state |= checked ? QStyle::State_On : QStyle::State_Off;
    if (!index.flags().testFlag(Qt::ItemIsUserCheckable))
        box.state &= ~QStyle::State_Enabled;
    style->drawPrimitive(QStyle::PE_IndicatorItemViewItemCheck, &box, painter, opt.widget);
}

bool CheckBoxDelegate::editorEvent(QEvent* event, QAbstractItemModel* model,
                                   const QStyleOptionViewItem& option, const QModelIndex& index)
{
    if (!index.flags().testFlag(Qt::ItemIsUserCheckable))
        return false;
    if (event->type() == QEvent::MouseButtonDblClick)
        return true; // the press and release already toggled
    if (!isToggle(event))
        return false;
    if (event->type() == QEvent::MouseButtonRelease &&
        !option.rect.contains(static_cast<QMouseEvent*>(event)->position().toPoint()))
        return false;
    const bool checked = index.data(Qt::CheckStateRole).toInt() == Qt::Checked;
    return model->setData(index, int(checked ? Qt::Unchecked : Qt::Checked), Qt::CheckStateRole);
}

} // namespace cv::widgets
