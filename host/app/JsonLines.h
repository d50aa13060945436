// One JSON object per line, with the keys in the order given.
#pragma once

#include <QString>
#include <QVariant>

#include <utility>
#include <vector>

namespace cv::host {

QString jsonValue(const QVariant& value);
QString jsonObject(const std::vector<std::pair<QString, QVariant>>& members);

} // namespace cv::host
