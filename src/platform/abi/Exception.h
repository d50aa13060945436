// The one exception type of the module and of the reference host: a message
// and, where there is one, a numeric code (a host status or a database error).
#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <exception>

namespace cv {

class Exception : public std::exception {
public:
    explicit Exception(QString message, std::int32_t code = 0)
        : m_message(std::move(message)), m_utf8(m_message.toUtf8()), m_code(code)
    {
    }

    const QString& message() const noexcept { return m_message; }
    std::int32_t code() const noexcept { return m_code; }
    const char* what() const noexcept override { return m_utf8.constData(); }

private:
    QString m_message;
    QByteArray m_utf8;
    std::int32_t m_code;
};

} // namespace cv
