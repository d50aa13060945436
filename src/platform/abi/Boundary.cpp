#include "Boundary.h"

namespace cv {

QString statusText(corvelian::CvStatus status)
{
    switch (status) {
    case corvelian::CV_E_NOTIMPL:
        return QStringLiteral("Not implemented");
    case corvelian::CV_E_NOINTERFACE:
        return QStringLiteral("Interface not supported");
    case corvelian::CV_E_POINTER:
        return QStringLiteral("Invalid pointer");
    case corvelian::CV_E_UNEXPECTED:
        return QStringLiteral("Catastrophic failure");
    default:
        return QStringLiteral("Host call failed (0x%1)")
            .arg(QString::number(quint32(status), 16).toUpper());
    }
}

} // namespace cv
