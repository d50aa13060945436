// The current user as the host knows them, asked afresh on every call.
#pragma once

#include <QString>

namespace cv::ui {

class CVUserInfo {
public:
    // The host's user value of key; empty without a system library or key.
    static QString UserValue(const QString& key);
    // 0 when the value is empty or not a number.
    static int DeptId();
    static int Empid();
    static QString EmpName();
};

} // namespace cv::ui
