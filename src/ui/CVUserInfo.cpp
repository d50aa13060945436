#include "CVUserInfo.h"

#include "shell/TCvApplication.h"

#include "platform/abi/Boundary.h"
#include "platform/abi/WideString.h"

namespace cv::ui {

namespace {

int intValue(const QString& key)
{
    bool ok = false;
    const int value = CVUserInfo::UserValue(key).toInt(&ok);
    return ok ? value : 0;
}

} // namespace

QString CVUserInfo::UserValue(const QString& key)
{
    shell::TCvApplication* app = shell::TCvApplication::instance();
    if (!app || !app->LibraryBound() || key.isEmpty())
        return {};
    corvelian::ICVLibrary2* library = app->SystemLibrary();
    WideString value;
    checkHost(library->GetUserValue(wideArg(key), value.put()), library);
    return value.toQString();
}

int CVUserInfo::DeptId()
{
    return intValue(QStringLiteral("DeptId"));
}
int CVUserInfo::Empid()
{
    return intValue(QStringLiteral("Empid"));
}
QString CVUserInfo::EmpName()
{
    return UserValue(QStringLiteral("EmpName"));
}

} // namespace cv::ui
