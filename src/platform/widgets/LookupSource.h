// Where a lookup column finds the text for a key: a row of another table
// whose key field equals the value. The table must outlive its users.
#pragma once

#include <QStringList>
#include <QVariant>

namespace cv {
class MemTable;
}

namespace cv::widgets {

struct LookupSource {
    MemTable* table = nullptr;
    QString keyField;
    QString listField;       // the field shown for the key
    QStringList listColumns; // fields of the drop-down list; listField when empty
    bool showHeader = true;  // captions above the drop-down list

    // Visible row of `key`, -1 when none.
    int rowOf(const QVariant& key) const;
    QVariant keyAt(int row) const;
    QVariant shownValueOf(const QVariant& key) const;
    QStringList dropDownFields() const;
};

} // namespace cv::widgets
