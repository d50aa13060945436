// Writes the records of an in-memory table into a host XML document: one
// element per record under the element a path names, the field values as
// attributes (what every save uses) or as child elements. The stored
// procedures read these documents, so the layout is fixed:
//
//   <Root><VDZ1><Ie RecordID="1" VAA07="..." .../>...</VDZ1></Root>
//
// - "RecordID" counts the records of one write from 1; null fields are left out.
// - Date and time values are text "yyyy-mm-dd hh:mm:ss:zzz"; binary values
//   upper-case hexadecimal; currency a floating-point number; anything else
//   goes to the document typed and the document chooses its text.
// - limit 0 writes every record from the first and leaves the cursor where it
//   was; a limit N writes N records from the current one and leaves the cursor
//   after the last written (advance on) or on it (advance off).
//
// Errors are cv::Exception: "源数据集未打开." (table closed), "创建XML数据集节点失败."
// (no element for the path), "XML节点赋值失败." + the document's last error (a
// value the document refused). Elements added before an error stay.
#pragma once

#include "platform/memtable/MemTable.h"

#include <QString>
#include <QStringList>

namespace corvelian {
struct ICVXMLDocument;
struct TCVXMLNode;
} // namespace corvelian

namespace cv::data {

// All fields of the table, in field order, under the element at path
// (created with any missing ancestors).
void DataSetToXML(MemTable& table, corvelian::ICVXMLDocument* document, const QString& path,
                  const QString& rowName = QStringLiteral("Ie"), bool asAttributes = true,
                  int limit = 0, bool advance = true, bool visibleOnly = false);

// The named fields in the given order (names that are no field of the table
// are skipped); an empty list means all fields.
void DataSetFieldsToXML(MemTable& table, corvelian::ICVXMLDocument* document, const QString& path,
                        const QString& rowName, bool asAttributes, const QStringList& fieldNames,
                        int limit = 0, bool advance = true, bool visibleOnly = false);

// The record writer itself, under an element already obtained.
void WriteRecordNodes(MemTable& table, corvelian::ICVXMLDocument* document,
                      corvelian::TCVXMLNode* parent, const QString& rowName, bool asAttributes,
                      const QStringList& fieldNames, int limit = 0, bool advance = true,
                      bool visibleOnly = false);

} // namespace cv::data
