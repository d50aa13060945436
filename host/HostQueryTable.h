// A query on the host's connection, as modules see it through the ABI.
#pragma once

#include "HostState.h"

#include "platform/abi/ComObject.h"

#include <memory>

namespace cv::host {

class HostField : public ComObject<corvelian::ICVField> {
public:
    HostField(QString name, QVariant value) : m_name(std::move(name)), m_value(std::move(value)) {}

    corvelian::CvStatus CV_CALL GetVersion(double* version) override;
    corvelian::CvStatus CV_CALL GetName(corvelian::CvBStr* name) override;
    corvelian::CvStatus CV_CALL GetLastError(corvelian::CvBStr* text) override;
    corvelian::CvStatus CV_CALL GetAsString(corvelian::CvBStr* text) override;
    corvelian::CvStatus CV_CALL GetAsInteger(std::int32_t* value) override;

protected:
    ~HostField() override = default;

private:
    QString m_name;
    QVariant m_value;
    QString m_lastError;
};

class HostQueryTable : public ComObject<corvelian::ICVQueryTable> {
public:
    explicit HostQueryTable(std::shared_ptr<HostState> state) : m_state(std::move(state)) {}

    corvelian::CvStatus CV_CALL GetVersion(double* version) override;
    corvelian::CvStatus CV_CALL GetName(corvelian::CvBStr* name) override;
    corvelian::CvStatus CV_CALL GetLastError(corvelian::CvBStr* text) override;
    corvelian::CvStatus CV_CALL SetSQL(const char16_t* text) override;
    corvelian::CvStatus CV_CALL Open() override;
    corvelian::CvStatus CV_CALL Next() override;
    corvelian::CvStatus CV_CALL Close() override;
    corvelian::CvStatus CV_CALL GetEof(corvelian::CvWordBool* eof) override;
    corvelian::CvStatus CV_CALL FieldByName(const char16_t* name,
                                            corvelian::ICVField** field) override;
    corvelian::CvStatus CV_CALL GetFieldCount(std::int32_t* count) override;
    corvelian::CvStatus CV_CALL GetField(std::int32_t index, corvelian::ICVField** field) override;

protected:
    ~HostQueryTable() override = default;

private:
    template <class F> corvelian::CvStatus call(F&& body);
    void handOutField(int column, corvelian::ICVField** field);

    std::shared_ptr<HostState> m_state;
    QString m_sql;
    QueryResult m_result;
    std::size_t m_row = 0;
    bool m_open = false;
    QString m_lastError;
};

} // namespace cv::host
