// The record the search window picked (ICVDataRecord): its fields by name,
// compared without regard to case as the hospital database's column names are.
#pragma once

#include "platform/abi/ComObject.h"

#include <QStringList>
#include <QVariant>

#include <vector>

namespace cv::host {

class PickedRecord : public ComObject<corvelian::ICVDataRecord> {
public:
    PickedRecord() = default;
    PickedRecord(QStringList names, std::vector<QVariant> values)
        : m_names(std::move(names)), m_values(std::move(values))
    {
    }

    const QStringList& names() const { return m_names; }

    // Answers a null field (and success) when there is no such field.
    corvelian::CvStatus CV_CALL FindField(const char16_t* name,
                                          corvelian::ICVField** field) override;

protected:
    ~PickedRecord() override = default;

private:
    QStringList m_names;
    std::vector<QVariant> m_values;
};

} // namespace cv::host
