// A query on the host's connection, as modules see it through the ABI.
#pragma once

#include "HostObject.h"
#include "HostState.h"

#include <memory>

namespace cv::host {

// One field of a query row or of a picked record. Null reads as the empty
// text and as 0; dates read as "yyyy-MM-dd[ HH:mm:ss]".
class HostField : public HostObject<corvelian::ICVField> {
public:
    HostField(QString name, QVariant value)
        : HostObject(std::move(name), 1.0), m_value(std::move(value))
    {
    }

    corvelian::CvStatus CV_CALL GetAsString(corvelian::CvBStr* text) override;
    // Fails for a value that is not a whole number.
    corvelian::CvStatus CV_CALL GetAsInteger(std::int32_t* value) override;

protected:
    ~HostField() override = default;

private:
    QVariant m_value;
};

class HostQueryTable : public HostObject<corvelian::ICVQueryTable> {
public:
    explicit HostQueryTable(std::shared_ptr<HostState> state)
        : HostObject(QStringLiteral("QueryTable"), 1.0), m_state(std::move(state))
    {
    }

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
    void handOutField(int column, corvelian::ICVField** field);

    std::shared_ptr<HostState> m_state;
    QString m_sql;
    QueryResult m_result;
    std::size_t m_row = 0;
    bool m_open = false;
};

} // namespace cv::host
