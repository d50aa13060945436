#include "ModuleWindows.h"

#include "TCvBaseForm.h"

#include <QApplication>

namespace cv::ui {

bool AnyModuleFormModal()
{
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (qobject_cast<TCvBaseForm*>(widget) && widget->isVisible() && widget->isModal())
            return true;
    return false;
}

corvelian::CvHandle ActiveModuleFormHandle()
{
    QWidget* active = QApplication::activeWindow();
    if (!qobject_cast<TCvBaseForm*>(active))
        return 0;
    return corvelian::CvHandle(active->winId());
}

} // namespace cv::ui
