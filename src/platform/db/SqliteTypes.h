// Column types of SQLite results: from the declared type of a table column,
// or from the storage class of the first row for expressions.
#pragma once

#include "platform/memtable/FieldType.h"

#include <QString>

namespace cv::db {

// Type and size from a declared type such as "NVARCHAR(20)" or "DECIMAL(18,6)".
FieldDef fieldFromDeclaredType(const QString& name, QStringView declaredType);

// Type of a value without declared type (SQLITE_INTEGER, SQLITE_TEXT, ...).
FieldType fieldTypeFromStorage(int storageClass);

} // namespace cv::db
