// The host's script store in its database: scripts by ID with their SQL and
// the parameters they declare.
//
//   cv_scripts (id, code, name, body)        body refers to parameters as :name
//   cv_script_params (script_id, ord, name, caption, kind, default_value)
//     kind: 'text' | 'date' | 'integer'; a date default is 'today', 'today-N'
//     or a literal YYYY-MM-DD.
#pragma once

#include <QDate>
#include <QString>

#include <optional>
#include <vector>

namespace cv::host {

class HostDatabase;

struct ScriptParameter {
    enum class Kind { Text, Date, Integer };

    QString name;
    QString caption;
    Kind kind = Kind::Text;
    QString defaultValue;
    // What the script runs with: the request's value, a default, or the
    // user's entry. Dates are "YYYY-MM-DD".
    QString value;
};

struct Script {
    int id = 0;
    QString code;
    QString name;
    QString body;
    std::vector<ScriptParameter> parameters; // in declared order
};

// The script of that ID; none when the store has no such script.
std::optional<Script> findScript(HostDatabase& database, int id);

// Host scripts by number are the bodies of the store's scripts of that ID;
// number 86, the lookup of a script's ID by its code, is built in when the
// store has no script of its own for it. Empty for an unknown number.
QString scriptBody(HostDatabase& database, int number);

// A parameter's default as a value; dates relative to today.
QString defaultValueOf(const ScriptParameter& parameter, QDate today);

} // namespace cv::host
