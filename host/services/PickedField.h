// One field of the record the search window picked (ICVField).
#pragma once

#include "platform/abi/ComObject.h"

#include <QVariant>

namespace cv::host {

class PickedField : public ComObject<corvelian::ICVField> {
public:
    PickedField(QString name, QVariant value) : m_name(std::move(name)), m_value(std::move(value))
    {
    }

    corvelian::CvStatus CV_CALL GetVersion(double* version) override;
    corvelian::CvStatus CV_CALL GetName(corvelian::CvBStr* name) override;
    corvelian::CvStatus CV_CALL GetLastError(corvelian::CvBStr* text) override;
    // Null reads as the empty text and as 0.
    corvelian::CvStatus CV_CALL GetAsString(corvelian::CvBStr* text) override;
    // Fails for a value that is not a whole number.
    corvelian::CvStatus CV_CALL GetAsInteger(std::int32_t* value) override;

protected:
    ~PickedField() override = default;
    void* findInterface(const corvelian::CvGuid& iid) override;

private:
    template <class F> corvelian::CvStatus call(F&& body);

    QString m_name;
    QVariant m_value;
    QString m_lastError;
};

} // namespace cv::host
