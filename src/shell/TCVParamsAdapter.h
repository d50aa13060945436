// The module's implementation of the host's parameter-list interface, and
// the conversion of one format argument into a variant value.
#pragma once

#include "platform/abi/ComObject.h"
#include "platform/text/Format.h"

#include <corvelian/Interfaces.h>

#include <QString>
#include <QVariant>

#include <vector>

namespace cv::shell {

class TCVParamsAdapter : public ComObject<corvelian::ICVParams> {
public:
    struct Entry {
        int kind = 0; // 1 integer, 2 floating point, 3 64-bit integer, else text
        QString text;
    };

    TCVParamsAdapter() = default;

    corvelian::CvStatus CV_CALL GetLastError(corvelian::CvBStr* text) override;
    corvelian::CvStatus CV_CALL GetCount(std::int32_t* count) override;
    corvelian::CvStatus CV_CALL SetCount(std::int32_t count) override;
    corvelian::CvStatus CV_CALL GetValue(std::int32_t index, corvelian::CvVariant* value) override;
    corvelian::CvStatus CV_CALL SetValue(std::int32_t index, corvelian::CvVariant value) override;
    corvelian::CvStatus CV_CALL FormatText(corvelian::CvBStr* text,
                                           corvelian::CvWordBool* done) override;

    const std::vector<Entry>& Entries() const { return m_entries; }
    // Stores an entry as it is, without deriving the kind from a variant.
    void SetEntry(std::int32_t index, int kind, const QString& text)
    {
        entryAt(index) = Entry{kind, text};
    }

    // Turns one argument of an open argument list into a variant.
    static QVariant ArgumentToVariant(const text::FormatArg& argument);
    // The entry kind of a variant type.
    static int KindOfVariant(const corvelian::CvVariant& value);

protected:
    ~TCVParamsAdapter() override = default;

private:
    Entry& entryAt(std::int32_t index);

    std::vector<Entry> m_entries;
    QString m_lastError;
};

} // namespace cv::shell
