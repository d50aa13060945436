// Statements of the host's own windows (searches, report sections) on the
// host's database, with their :name parameters bound by a lookup.
#pragma once

#include "host/HostState.h"

#include <QVariant>

#include <functional>

namespace cv::host {

class HostDatabase;

// The value for a parameter name; a null QVariant binds NULL.
using ParameterLookup = std::function<QVariant(const QString& name)>;

// All rows of `sql` with every :name bound through `lookup`. Throws
// cv::Exception with the database's message.
QueryResult runBoundQuery(HostDatabase& database, const QString& sql,
                          const ParameterLookup& lookup);

} // namespace cv::host
