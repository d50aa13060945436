// The module's three commands, each opening one form class.
#pragma once

namespace cv::shell {
class TCasePackage;
}

namespace cv::modules {

// Registers commands 1, 2 and 3, in this order.
void RegisterCommands(shell::TCasePackage& package);

} // namespace cv::modules
