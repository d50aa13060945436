// The module's image lists are the widget layer's.
#pragma once

#include "platform/widgets/ImageList.h"

namespace cv::ui {

using ImageList = widgets::ImageList;

} // namespace cv::ui
