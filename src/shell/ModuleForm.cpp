#include "ModuleForm.h"

#include <QMetaObject>

namespace cv::shell {

QEvent::Type SystemCommandEvent::eventType()
{
    static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}

QString FormClassName(const QObject* form)
{
    if (!form)
        return {};
    const QString full = QString::fromLatin1(form->metaObject()->className());
    const qsizetype colon = full.lastIndexOf(QLatin1Char(':'));
    return colon < 0 ? full : full.mid(colon + 1);
}

} // namespace cv::shell
