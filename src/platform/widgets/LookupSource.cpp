#include "LookupSource.h"

#include "MemTableModel.h"
#include "platform/memtable/MemTable.h"

namespace cv::widgets {

int LookupSource::rowOf(const QVariant& key) const
{
    if (!table || !table->active() || key.isNull())
        return -1;
    const int field = table->fieldIndex(keyField);
    if (field < 0)
        return -1;
    const QString wanted = MemTableModel::formatValue(key);
    for (int row = 0; row < table->recordCount(); ++row) {
        const QVariant v = table->valueAt(row, field);
        if (!v.isNull() && MemTableModel::formatValue(v) == wanted)
            return row;
    }
    return -1;
}

QVariant LookupSource::keyAt(int row) const
{
    const int field = table ? table->fieldIndex(keyField) : -1;
    if (field < 0 || row < 0 || row >= table->recordCount())
        return {};
    return table->valueAt(row, field);
}

QVariant LookupSource::shownValueOf(const QVariant& key) const
{
    const int row = rowOf(key);
    const int field = table ? table->fieldIndex(listField) : -1;
    return row < 0 || field < 0 ? QVariant() : table->valueAt(row, field);
}

QStringList LookupSource::dropDownFields() const
{
    return listColumns.isEmpty() ? QStringList{listField} : listColumns;
}

} // namespace cv::widgets
