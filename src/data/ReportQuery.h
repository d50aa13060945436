// Host scripts run by ID or code through the host package "CV.System": the
// package may ask the user for the script's parameters, answers the statement
// and the values, and the result is opened on the primary connection and
// loaded into an in-memory table or a caller's query.
//
// Request text: the caller's "name=value" lines (CR LF), plus the line
// "##NoDialog=1" when the package must not show its dialog. Answer text: the
// same kind of lines; "$SQL" holds the statement as hexadecimal digits of its
// code page 936 bytes, the other lines are parameter values (first line of a
// name wins, names without regard to case). Only the package's result code 1
// goes on; any other code ends the operation without loading or raising.
#pragma once

#include "platform/db/Query.h"
#include "platform/memtable/MemTable.h"
#include "platform/text/NameValueList.h"

#include <QString>

#include <variant>

namespace cv::data {

class Report_Query {
public:
    // Where a result goes: an in-memory table (rebuilt from the result) or a
    // query (opened with the script on its own connection). A null pointer is
    // "no data set given".
    using DataSet = std::variant<MemTable*, db::Query*>;

    Report_Query() = delete;

    static void OpenScriptById(DataSet table, int scriptId, const QString& parameters,
                               bool noDialog);
    // The ID comes from the host's script lookup; an unknown code is ID 0.
    static void OpenScriptByCode(DataSet table, const QString& scriptCode,
                                 const QString& parameters, bool noDialog);
    // The script without running it: the whole answer, or only its statement.
    // result is left as it was when the package does not answer with 1.
    static void FetchScript(int scriptId, bool wholeAnswer, bool noDialog,
                            const QString& parameters, QString& result);
    static void FillDataSet(DataSet dataSet, const QString& answer);
    // The answer's statement into query, parameters bound, query opened.
    static void PrepareScriptQuery(db::Query& query, const QString& answer);
    // Every parameter of query gets size 8000 and the text of the line of its
    // name, or the empty text (never null) when there is no such line.
    static void AssignParams(db::Query& query, const text::NameValueList& values, bool open);
};

} // namespace cv::data
