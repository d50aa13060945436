// Reference counting and QueryInterface for the objects of the XML service:
// the same base as every other object handed across the ABI.
#pragma once

#include "platform/abi/ComObject.h"

namespace cv::host {

template <class Interface>
using RefCounted = ComObject<Interface>;

} // namespace cv::host
