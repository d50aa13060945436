// Questions about the module's windows as a whole, which the facade asks
// without knowing the window classes.
#pragma once

#include <corvelian/Types.h>

namespace cv::ui {

// True while a window of the module is shown modally.
bool AnyModuleFormModal();
// The window handle of the module's active window, 0 when none is active.
corvelian::CvHandle ActiveModuleFormHandle();

} // namespace cv::ui
