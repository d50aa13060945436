// SQL functions the layer adds to every SQLite connection it uses, so that
// the procedures of the embedded database can be plain SQL.
//
//   cv_raise(message)
//     Fails the statement with `message` as its error text. SQLite's RAISE()
//     works only inside triggers; procedures use
//       SELECT cv_raise('库存不足') WHERE ...;
//     and the caller receives the message as a statement error.
//
//   cv_xml_rows(xml, path)   table-valued
//     One row per element that the XPath `path` selects in the XML document
//     `xml`, in document order:
//       ord    1-based position
//       name   element name
//       attrs  JSON object of the element's attributes, values as text
//       text   the element's own text
//     Example:
//       INSERT INTO VDZ1(VAA07, BBY01)
//       SELECT json_extract(attrs, '$.VAA07'), json_extract(attrs, '$.BBY01')
//       FROM cv_xml_rows(:XML, '/Root/VDZ1/Ie');
//     A NULL document gives no rows; a malformed document or path fails the
//     statement with the parser's message.
#pragma once

struct sqlite3;

namespace cv::db {

// Throws cv::Exception when a function cannot be registered.
void registerSqliteFunctions(sqlite3* db);

} // namespace cv::db
