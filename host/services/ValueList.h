// A value list of the search window (ICVParams): the module fills it before a
// search; the search binds its first item as :Value1 or :Value2.
#pragma once

#include "platform/abi/ComObject.h"

#include <QVariant>

#include <vector>

namespace cv::host {

class ValueList : public ComObject<corvelian::ICVParams> {
public:
    ValueList() = default;

    const std::vector<QVariant>& values() const { return m_values; }
    // The first item, or null when the list is empty.
    QVariant first() const { return m_values.empty() ? QVariant() : m_values.front(); }
    void clear() { m_values.clear(); }

    corvelian::CvStatus CV_CALL GetLastError(corvelian::CvBStr* text) override;
    corvelian::CvStatus CV_CALL GetCount(std::int32_t* count) override;
    corvelian::CvStatus CV_CALL SetCount(std::int32_t count) override;
    corvelian::CvStatus CV_CALL GetValue(std::int32_t index, corvelian::CvVariant* value) override;
    corvelian::CvStatus CV_CALL SetValue(std::int32_t index, corvelian::CvVariant value) override;
    corvelian::CvStatus CV_CALL FormatText(corvelian::CvBStr* text,
                                           corvelian::CvWordBool* done) override;

protected:
    ~ValueList() override = default;

private:
    template <class F> corvelian::CvStatus call(F&& body);
    QVariant& at(std::int32_t index);

    std::vector<QVariant> m_values;
    QString m_lastError;
};

} // namespace cv::host
