#include "PickedRecord.h"

#include "PickedField.h"

#include "platform/abi/Boundary.h"
#include "platform/abi/WideString.h"

namespace cv::host {

using namespace corvelian;

CvStatus CV_CALL PickedRecord::FindField(const char16_t* name, ICVField** field)
{
    return guardBoundary([&] {
        if (!field)
            throw Exception(QStringLiteral("Invalid pointer"), CV_E_POINTER);
        *field = nullptr;
        const QString wanted = fromWideZ(name);
        for (qsizetype i = 0; i < m_names.size() && std::size_t(i) < m_values.size(); ++i) {
            if (m_names.at(i).compare(wanted, Qt::CaseInsensitive) == 0) {
                *field = new PickedField(m_names.at(i), m_values[std::size_t(i)]);
                (*field)->AddRef();
                return;
            }
        }
    });
}

} // namespace cv::host
