// The report variables and data lists as the module sends them to the print
// program.
//
// Variables: lines "name=value" (CR LF). Data lists: lines "N=<hex>", where
// <hex> is the hexadecimal text of a text whose lines are each the
// hexadecimal text of one value's code page 936 bytes.
#pragma once

#include <QMap>
#include <QString>
#include <QStringList>

namespace cv::host {

// Variables by name; a later line of the same name (compared without regard
// to case) wins.
QMap<QString, QString> parseReportVariables(const QString& text);

// Data lists by index, each value decoded. Lines whose name is not a number
// are skipped.
QMap<int, QStringList> decodeDataLists(const QString& text);

} // namespace cv::host
