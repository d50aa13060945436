// One field of the record the search window picked (ICVField): the host's
// field object, as query rows have it.
#pragma once

#include "host/HostQueryTable.h"

namespace cv::host {

using PickedField = HostField;

} // namespace cv::host
