// The open result of a statement: typed, forward-only rows.
#pragma once

#include "platform/memtable/RecordSource.h"

#include <QVariant>

#include <memory>

namespace cv::db {

// Drivers derive their cursors from it. A record set may outlive the query
// that opened it (it is handed over with Query::attachRecordSet); it must not
// outlive its connection's driver library, only the connection object.
class RecordSet : public RecordSource {
public:
    // True when the result had no row at all (also after reading to the end).
    virtual bool isEmpty() const = 0;

    // The cell as a QVariant (null for NULL); convenient, not for bulk loads.
    QVariant value(int index) const;
    // Index of the column named `name` (case-insensitive), -1 when absent.
    int columnIndex(QStringView name) const;
};

using RecordSetPtr = std::unique_ptr<RecordSet>;

} // namespace cv::db
