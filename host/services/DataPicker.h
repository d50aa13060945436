// The common search window service (ICVDataPicker). Show runs the search of
// the given number (cv_searches) with the search text, lets the user pick a
// row and keeps it as the picked record. The numbered settings are kept for
// whoever asks (setting(n)); the options bits are accepted and not
// interpreted: the module passes them through unchanged from the caller.
#pragma once

#include "PickedRecord.h"
#include "ServiceContext.h"
#include "ValueList.h"

#include "platform/abi/ComObject.h"
#include "platform/abi/ComPtr.h"

#include <QMap>

#include <memory>

namespace cv::host {

class SearchDialog;

class DataPicker : public ComObject<corvelian::ICVDataPicker> {
public:
    explicit DataPicker(std::shared_ptr<ServiceContext> context);

    QString setting(int number) const { return m_settings.value(number); }
    ValueList& firstValues() { return *m_first; }
    ValueList& secondValues() { return *m_second; }
    const QString& lastError() const { return m_lastError; }
    // The script and search text of the last Show.
    int lastScript() const { return m_lastScript; }

    corvelian::CvStatus CV_CALL GetRecord(corvelian::ICVDataRecord** record) override;
    corvelian::CvStatus CV_CALL GetFirstValues(corvelian::ICVParams** values) override;
    corvelian::CvStatus CV_CALL GetSecondValues(corvelian::ICVParams** values) override;
    corvelian::CvStatus CV_CALL SetSetting(std::int32_t number, const char16_t* text) override;
    corvelian::CvStatus CV_CALL Show(corvelian::CvHandle owner, std::int32_t script,
                                     std::int32_t options, const char16_t* text,
                                     corvelian::CvWordBool* picked) override;

protected:
    ~DataPicker() override = default;

private:
    template <class F> corvelian::CvStatus call(F&& body);
    bool runSearch(corvelian::CvHandle owner, int script, const QString& text);
    int choose(SearchDialog& dialog);

    std::shared_ptr<ServiceContext> m_context;
    QMap<int, QString> m_settings;
    ComPtr<ValueList> m_first;
    ComPtr<ValueList> m_second;
    ComPtr<PickedRecord> m_record;
    int m_lastScript = 0;
    QString m_lastError;
};

} // namespace cv::host
