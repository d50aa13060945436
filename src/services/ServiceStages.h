// Lifecycle callbacks of the host service wrappers, registered with the
// facade by the library entry: the data picker and print package first, the
// privileges after the toolkit translations.
#pragma once

#include <cstdint>

namespace cv::services {

// Stage 0 creates DataPicker and PrintPackage when missing; stage 1 frees them.
void CoreDlgStage(std::uint8_t stage);
// Stage 0 creates Privileges when missing; stage 1 frees it.
void PrivilegesStage(std::uint8_t stage);

} // namespace cv::services
